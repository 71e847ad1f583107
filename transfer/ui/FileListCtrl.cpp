#include "transfer/ui/FileListCtrl.h"

#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "platform/MessageBox.h"

#include <wx/artprov.h>
#include <wx/imaglist.h>

namespace {

int s_fileImageHolders = 0;
wxImageList* s_fileImages = nullptr;

} // namespace

CSharedFileImageList::CSharedFileImageList()
{
    if (s_fileImageHolders++ == 0) {
        s_fileImages = new wxImageList(16, 16, true, 2);
        for (const char* art : {wxART_FOLDER, wxART_NORMAL_FILE}) {
            wxBitmap bitmap = wxArtProvider::GetBitmap(art, wxART_LIST, wxSize(16, 16));
            if (!bitmap.IsOk() || bitmap.GetSize() != wxSize(16, 16)) {
                wxImage image = bitmap.IsOk() ? bitmap.ConvertToImage() : wxImage(16, 16);
                bitmap = wxBitmap(image.Rescale(16, 16, wxIMAGE_QUALITY_HIGH));
            }
            s_fileImages->Add(bitmap);
        }
    }
}

CSharedFileImageList::~CSharedFileImageList()
{
    if (--s_fileImageHolders == 0) {
        delete s_fileImages;
        s_fileImages = nullptr;
    }
}

wxImageList* CSharedFileImageList::Get() const { return s_fileImages; }

CFileListCtrl::CFileListCtrl(wxWindow* parent, wxWindowID id) : CFolderListCtrl(parent, id, "FileListControl") {}

CFileListCtrl::~CFileListCtrl()
{
    // The image list goes with the last holder; the list must not draw with it after that.
    SetImageList(nullptr);
}

void CFileListCtrl::InitColumns()
{
    InsertColumn(0, "Name", 120, false);
    InsertColumn(1, "Modified", 110, false);
    InsertColumn(2, "Size", 70, true);
    InsertColumn(3, "Type", 110, false);
    AutoSizeColumns();
}

void CFileListCtrl::InitImageList() { SetImageList(m_images.Get()); }

void CFileListCtrl::SetFilter(const std::string& extension, bool refresh)
{
    m_filter = extension;
    if (refresh)
        RefreshList();
}

bool CFileListCtrl::ReadRows(std::string& error)
{
    std::vector<CFileInfo> read;
    if (!ReadFolder(GetFolder(), m_contentMode, m_filter, CFileTypeNames::Shared(), read, error))
        return false;
    m_store.reserve(read.size());
    for (CFileInfo& info : read)
        m_store.push_back(std::make_unique<CFileInfo>(std::move(info)));
    m_rows.reserve(m_store.size());
    for (const auto& info : m_store)
        m_rows.push_back(info.get());
    return true;
}

void CFileListCtrl::ClearRows()
{
    m_rows.clear();
    m_store.clear();
}

void CFileListCtrl::SortRows() { SortFileRows(m_rows, m_sort); }

void CFileListCtrl::AddFolderRow(const CFileInfo& info)
{
    m_store.push_back(std::make_unique<CFileInfo>(info));
    m_rows.insert(m_rows.begin(), m_store.back().get());
}

void CFileListCtrl::RenameFolderRow(int32_t row, const CFileInfo& info) { *m_rows[size_t(row)] = info; }

const CFileInfo* CFileListCtrl::GetRow(int32_t row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[size_t(row)] : nullptr;
}

const CFileInfo* CFileListCtrl::GetFirstSelected() { return GetRow(FirstSelectedRow()); }

const CFileInfo* CFileListCtrl::GetNextSelected() { return GetRow(NextSelectedRow()); }

std::string CFileListCtrl::GetItemText(int32_t row, int column) const
{
    const CFileInfo* info = GetRow(row);
    if (!info)
        return {};
    switch (column) {
    case 0: return info->name;
    case 1: return FormatListTime(info->lastWriteTime);
    case 2: return info->isFolder ? std::string() : FormatFileSizeKB(info->size);
    case 3: return info->typeName;
    default: return {};
    }
}

int CFileListCtrl::GetItemImage(int32_t row) const
{
    const CFileInfo* info = GetRow(row);
    if (!info)
        return -1;
    return info->isFolder ? CSharedFileImageList::FolderImage : CSharedFileImageList::FileImage;
}

bool CFileListCtrl::AddFile(const std::string& path)
{
    std::string error;
    const bool added = m_added.AddFile(path, GetActiveJobFolder(), error);
    if (!added)
        ShowMessageBoxFS(error, MB_OK | MB_ICONWARNING);
    RefreshList();
    return added;
}

void CFileListCtrl::RemoveFile(const std::string& path)
{
    m_added.RemoveFile(path);
    RefreshList();
}
