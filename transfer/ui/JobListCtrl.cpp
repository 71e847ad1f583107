#include "transfer/ui/JobListCtrl.h"

#include "core/PathHelpers.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/ProgramServices.h"

#include <wx/artprov.h>
#include <wx/imaglist.h>

#include <algorithm>

namespace {

int s_jobImageHolders = 0;
wxImageList* s_jobImages = nullptr;

wxBitmap Icon16(uint32_t id, const wxArtID& fallback)
{
    if (CProgramServices* app = GetProgramServices())
        if (const wxBitmap* icon = app->GetIcon(id, true); icon && icon->IsOk() && icon->GetSize() == wxSize(16, 16))
            return *icon;
    wxBitmap art = wxArtProvider::GetBitmap(fallback, wxART_LIST, wxSize(16, 16));
    if (art.IsOk() && art.GetSize() == wxSize(16, 16))
        return art;
    wxImage image(16, 16);
    image.SetAlpha();
    std::fill_n(image.GetAlpha(), 16 * 16, 0);
    return wxBitmap(image);
}

} // namespace

CSharedJobImageList::CSharedJobImageList()
{
    if (s_jobImageHolders++ == 0) {
        s_jobImages = new wxImageList(16, 16, true, 7);
        wxImage empty(16, 16);
        empty.SetAlpha();
        std::fill_n(empty.GetAlpha(), 16 * 16, 0);
        for (int i = 0; i < JobImageComplete; ++i)
            s_jobImages->Add(wxBitmap(empty));
        s_jobImages->Add(Icon16(uint32_t(JobTipIconComplete), wxART_NORMAL_FILE));
        s_jobImages->Add(Icon16(uint32_t(JobTipIconIncomplete), wxART_MISSING_IMAGE));
        s_jobImages->Add(Icon16(uint32_t(JobTipIconFolder), wxART_FOLDER));
    }
}

CSharedJobImageList::~CSharedJobImageList()
{
    if (--s_jobImageHolders == 0) {
        delete s_jobImages;
        s_jobImages = nullptr;
    }
}

wxImageList* CSharedJobImageList::Get() const { return s_jobImages; }

CJobListCtrl::CJobListCtrl(wxWindow* parent, wxWindowID id) : CFolderListCtrl(parent, id, "JobListControl")
{
    SetRowTips(true, true);
}

CJobListCtrl::~CJobListCtrl() { SetImageList(nullptr); }

void CJobListCtrl::InitColumns()
{
    InsertColumn(0, "Name", 120, false);
    InsertColumn(1, "Size", 70, false);
    InsertColumn(2, "Modified", 110, false);
    AutoSizeColumns();
}

void CJobListCtrl::InitImageList() { SetImageList(m_images.Get()); }

void CJobListCtrl::SetJobKind(uint32_t kind, bool refresh)
{
    m_jobKind = kind;
    if (refresh)
        RefreshList();
}

bool CJobListCtrl::ReadRows(std::string& error)
{
    if (!ReadJobFolder(GetFolder(), m_contentMode, m_jobKind, m_rows, error))
        return false;
    m_order.reserve(m_rows.size());
    for (const auto& row : m_rows)
        m_order.push_back(row.get());
    return true;
}

void CJobListCtrl::ClearRows()
{
    m_order.clear();
    m_rows.clear();
}

void CJobListCtrl::SortRows() { SortJobRows(m_order, m_sort); }

void CJobListCtrl::AddFolderRow(const CFileInfo& info)
{
    auto row = std::make_unique<CJobInfo>();
    row->SetFolder(info.name, info.lastWriteTime);
    m_order.insert(m_order.begin(), row.get());
    m_rows.push_back(std::move(row));
}

void CJobListCtrl::RenameFolderRow(int32_t row, const CFileInfo& info)
{
    m_order[size_t(row)]->SetFolder(info.name, info.lastWriteTime);
}

CJobInfo* CJobListCtrl::FindJob(const std::string& name, const std::string& fileName) const
{
    return ::FindJob(m_rows, name, fileName);
}

const CJobInfo* CJobListCtrl::GetRow(int32_t row) const
{
    return row >= 0 && row < GetRowCount() ? m_order[size_t(row)] : nullptr;
}

const CJobInfo* CJobListCtrl::GetFirstSelected() { return GetRow(FirstSelectedRow()); }

const CJobInfo* CJobListCtrl::GetNextSelected() { return GetRow(NextSelectedRow()); }

std::string CJobListCtrl::GetItemText(int32_t row, int column) const
{
    const CJobInfo* info = GetRow(row);
    if (!info)
        return {};
    switch (column) {
    case 0: return info->GetName();
    case 1: return info->IsFolder() ? std::string() : FormatFileSizeKB(info->GetJobSize());
    case 2: return FormatListTime(info->GetModified());
    default: return {};
    }
}

int CJobListCtrl::GetItemImage(int32_t row) const
{
    const CJobInfo* info = GetRow(row);
    return info ? info->GetImage() : -1;
}

int32_t CJobListCtrl::GetToolTip(int32_t row, CColoredTextLines& lines) const
{
    lines.RemoveAll();
    const CJobInfo* info = GetRow(row);
    return info ? info->FormatTip(lines) : 0;
}

bool CJobListCtrl::RequestRowTip(const wxPoint& bodyPoint)
{
    const int32_t row = HitTest(bodyPoint);
    if (row < 0)
        return false;
    CColoredTextLines lines;
    const int32_t icon = GetToolTip(row, lines);
    if (lines.GetCount() == 0)
        return false;
    CObjectIdWnd* tip = GetOrCreateObjectIdWnd();
    if (!tip)
        return false;
    const wxPoint at = GetBody()->ClientToScreen(bodyPoint);
    tip->ShowLines(lines, at.x, at.y, std::vector<int32_t>{icon});
    return true;
}
