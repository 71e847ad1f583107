#include "transfer/ui/FolderListCtrl.h"

#include "platform/MessageBox.h"
#include "platform/Profile.h"

#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textentry.h>

#include <sys/stat.h>

#include <algorithm>

wxDEFINE_EVENT(EVT_FOLDER_CHANGING_8095, wxCommandEvent);
wxDEFINE_EVENT(EVT_FOLDER_CHANGED_8096, wxCommandEvent);

CFolderListCtrl::CFolderListCtrl(wxWindow* parent, wxWindowID id, const char* profileSection)
    : CEasyListCtrl(parent, id), m_section(profileSection)
{
    EnableOwnSelection(true);
}

CFolderListCtrl::~CFolderListCtrl()
{
    if (m_initialised)
        m_sort.Save(GetAppProfile(), m_section);
}

void CFolderListCtrl::Initialise(wxWindow* owner)
{
    m_owner = owner;
    m_sort.Load(GetAppProfile(), m_section);
    m_initialised = true;
    SetListLayout(m_viewMode == 0);
    InitImageList();
    InitColumns();
}

void CFolderListCtrl::SendFolderMessage(const wxEventType& type)
{
    if (!m_owner)
        return;
    wxCommandEvent event(type, GetId());
    event.SetEventObject(this);
    event.SetString(wxString::FromUTF8(m_folder));
    m_owner->ProcessWindowEvent(event);
}

void CFolderListCtrl::SetFolder(const std::string& folder, bool refresh)
{
    if (folder.empty())
        return;
    m_folder = WithTrailingSlash(folder);
    if (m_owner && m_pathDisplayId != 0)
        if (wxWindow* display = m_owner->FindWindow(m_pathDisplayId)) {
            if (auto* entry = dynamic_cast<wxTextEntry*>(display))
                entry->ChangeValue(wxString::FromUTF8(m_folder));
            else
                display->SetLabel(wxString::FromUTF8(m_folder));
        }
    SendFolderMessage(EVT_FOLDER_CHANGING_8095);
    if (refresh)
        RefreshList();
    SendFolderMessage(EVT_FOLDER_CHANGED_8096);
}

void CFolderListCtrl::SetViewMode(int32_t mode)
{
    m_viewMode = mode == 0 ? 0 : 1;
    SetListLayout(m_viewMode == 0);
    GetBody()->Refresh();
}

void CFolderListCtrl::Clear()
{
    if (GetEditedRow() >= 0)
        EndLabelEdit(true);
    DeselectAll();
    SetItemCount(0);
    ClearRows();
}

void CFolderListCtrl::RefreshList()
{
    Clear();
    m_readError.clear();
    if (!m_folder.empty() && !ReadRows(m_readError))
        ClearRows();
    SortRows();
    SetItemCount(GetRowCount());
    GetBody()->Refresh();
    AutoSizeColumns();
}

void CFolderListCtrl::SetTextAndRefresh(const std::string& text)
{
    m_text = text;
    std::vector<int32_t> selected;
    for (int32_t row = FirstSelectedRow(); row >= 0; row = NextSelectedRow())
        selected.push_back(row);
    RefreshList();
    // Index by index, as before the refresh.
    for (int32_t row : selected)
        SetItemSelected(row, true);
}

int32_t CFolderListCtrl::FirstSelectedRow()
{
    ResetSelectionIterator();
    return NextSelectedRow();
}

int32_t CFolderListCtrl::NextSelectedRow()
{
    int32_t index = -1;
    GetNextSelected(index);
    return index;
}

int32_t CFolderListCtrl::FindFolderRow(const std::string& name) const
{
    for (int32_t row = 0; row < GetRowCount(); ++row)
        if (IsFolderRow(row) && GetRowName(row) == name)
            return row;
    return -1;
}

void CFolderListCtrl::ResortAndShow()
{
    const int32_t first = FirstSelectedRow();
    const std::string name = first >= 0 ? GetRowName(first) : std::string();
    const bool folder = first >= 0 && IsFolderRow(first);
    SortRows();
    if (first >= 0) {
        // The selected row moves with its entry.
        int32_t moved = -1;
        for (int32_t row = 0; row < GetRowCount() && moved < 0; ++row)
            if (IsFolderRow(row) == folder && GetRowName(row) == name)
                moved = row;
        if (moved >= 0)
            SelectSingleItem(moved);
    }
    GetBody()->Refresh();
}

void CFolderListCtrl::OnColumnClick(int column)
{
    m_sort.ClickColumn(column);
    ResortAndShow();
}

void CFolderListCtrl::OnListLeftDown(const wxPoint& p, uint32_t flags)
{
    const int32_t row = HitTest(p);
    constexpr uint32_t control = 8;
    if (row < 0)
        DeselectAll();
    else if (flags & control)
        SetItemSelected(row, !IsItemSelected(row));
    else
        SelectSingleItem(row);
}

void CFolderListCtrl::OnListLeftDoubleClick(const wxPoint& p, uint32_t flags)
{
    const int32_t hit = HitTest(p);
    if (hit >= 0)
        SelectSingleItem(hit);
    const int32_t row = FirstSelectedRow();
    std::string opened;
    if (row >= 0 && IsFolderRow(row) && OpensFoldersOnDoubleClick())
        opened = m_folder + GetRowName(row);
    if (m_owner) {
        wxListEvent event(wxEVT_LIST_ITEM_ACTIVATED, GetId());
        event.SetEventObject(this);
        event.m_itemIndex = row;
        m_owner->ProcessWindowEvent(event);
    }
    if (!opened.empty())
        SetFolder(opened, true);
}

bool CFolderListCtrl::OnListKeyDown(int keyCode)
{
    const int32_t row = FirstSelectedRow();
    switch (keyCode) {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        if (row >= 0 && IsFolderRow(row) && OpensFoldersOnDoubleClick()) {
            SetFolder(m_folder + GetRowName(row), true);
            return true;
        }
        return false;
    case WXK_BACK:
        GoUp();
        return true;
    case WXK_UP:
    case WXK_DOWN:
        if (GetItemCount() > 0)
            SelectSingleItem(std::clamp(row < 0 ? 0 : row + (keyCode == WXK_UP ? -1 : 1), 0, GetItemCount() - 1));
        return true;
    case WXK_LEFT:
    case WXK_RIGHT: {
        // Sideways moves a whole column in the list layout; the report view has none to move by.
        if (!IsListLayout() || GetItemCount() == 0)
            return false;
        const int32_t step = keyCode == WXK_LEFT ? -RowsPerListColumn() : RowsPerListColumn();
        SelectSingleItem(std::clamp(row < 0 ? 0 : row + step, 0, GetItemCount() - 1));
        return true;
    }
    default:
        return false;
    }
}

void CFolderListCtrl::GoUp()
{
    if (!m_folder.empty())
        SetFolder(GetParentFolder(m_folder), true);
}

bool CFolderListCtrl::NewFolder()
{
    if (!ShowsFolders() || m_folder.empty() || m_naming)
        return false;
    std::vector<std::string> folders;
    for (int32_t row = 0; row < GetRowCount(); ++row)
        if (IsFolderRow(row))
            folders.push_back(GetRowName(row));
    const std::string name = MakeNewFolderName(m_folder, folders);
    const std::string path = m_folder + name;
    if (mkdir(path.c_str(), 0777) != 0) {
        ShowMessageBoxFS("Unable to create folder " + path, MB_OK | MB_ICONWARNING);
        return false;
    }
    CFileInfo info;
    if (!ReadFolderEntry(m_folder, name, CFileTypeNames::Shared(), info))
        return false;
    AddFolderRow(info);
    SetItemCount(GetRowCount());
    SortRows();
    const int32_t row = FindFolderRow(name);
    SelectSingleItem(row);
    m_naming = true;
    m_namingName = name;
    GetBody()->SetFocus();
    if (!EditLabel(row, 260)) {
        m_naming = false;
        return false;
    }
    return true;
}

bool CFolderListCtrl::OnBeginLabelEdit(int32_t row)
{
    // Only the new folder is named here; renaming other entries is not this list's job.
    return m_naming && IsFolderRow(row) && GetRowName(row) == m_namingName;
}

void CFolderListCtrl::OnEndLabelEdit(int32_t row, const std::string* text)
{
    std::string finalName = m_namingName;
    if (text && row < GetRowCount() && IsFolderRow(row)) {
        std::string newName;
        if (RenameNewFolder(m_folder, m_namingName, *text, newName) == NewFolderRename::Renamed) {
            CFileInfo info;
            if (!ReadFolderEntry(m_folder, newName, CFileTypeNames::Shared(), info)) {
                info.name = newName;
                info.isFolder = true;
            }
            RenameFolderRow(row, info);
            finalName = newName;
        }
    }
    m_naming = false;
    m_namingName.clear();
    SortRows();
    const int32_t moved = FindFolderRow(finalName);
    if (moved >= 0)
        SelectSingleItem(moved);
    GetBody()->Refresh();
}
