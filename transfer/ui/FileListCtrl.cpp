#include "transfer/ui/FileListCtrl.h"

#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "platform/MessageBox.h"

#include <wx/artprov.h>
#include <wx/imaglist.h>

#include <map>

namespace {

int s_fileImageHolders = 0;
wxImageList* s_fileImages = nullptr;
// Image of each icon name asked for so far, -1 where the theme has none; goes with the list.
std::map<std::string, int> s_imageOfIcon;

wxBitmap ListBitmap(const wxString& art)
{
    wxBitmap bitmap = wxArtProvider::GetBitmap(art, wxART_LIST, wxSize(16, 16));
    if (bitmap.IsOk() && bitmap.GetSize() != wxSize(16, 16))
        bitmap = wxBitmap(bitmap.ConvertToImage().Rescale(16, 16, wxIMAGE_QUALITY_HIGH));
    return bitmap;
}

} // namespace

CSharedFileImageList::CSharedFileImageList()
{
    if (s_fileImageHolders++ == 0) {
        s_fileImages = new wxImageList(16, 16, true, 2);
        for (const char* art : {wxART_FOLDER, wxART_NORMAL_FILE}) {
            const wxBitmap bitmap = ListBitmap(art);
            s_fileImages->Add(bitmap.IsOk() ? bitmap : wxBitmap(16, 16));
        }
    }
}

CSharedFileImageList::~CSharedFileImageList()
{
    if (--s_fileImageHolders == 0) {
        delete s_fileImages;
        s_fileImages = nullptr;
        s_imageOfIcon.clear();
    }
}

wxImageList* CSharedFileImageList::Get() const { return s_fileImages; }

int CSharedFileImageList::ImageOf(const CFileInfo& info) const
{
    const int plain = info.isFolder ? FolderImage : FileImage;
    if (!s_fileImages)
        return plain;
    for (const std::string& icon : CFileTypeNames::Shared().GetIconNames(info.name, info.isFolder)) {
        auto [at, fresh] = s_imageOfIcon.emplace(icon, -1);
        if (fresh) {
            const wxBitmap bitmap = ListBitmap(wxString::FromUTF8(icon));
            if (bitmap.IsOk())
                at->second = s_fileImages->Add(bitmap);
        }
        if (at->second >= 0)
            return at->second;
    }
    return plain;
}

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
    return m_images.ImageOf(*info);
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
