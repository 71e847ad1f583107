#include "framework/ui/CheckListBox.h"

#include <algorithm>

CEasyCheckListBox::CEasyCheckListBox(wxWindow* parent, wxWindowID id, uint32_t flags)
    : wxCheckListBox(parent, id), m_flags(flags)
{
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        if (m_flags & ClickAnywhere)
            OnLeftDown(e.GetPosition());
        else
            e.Skip();
    });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
        if ((m_flags & DragToReorder) && e.LeftIsDown())
            OnDragTo(e.GetPosition());
        e.Skip();
    });
}

void CEasyCheckListBox::CheckAll()
{
    for (unsigned int i = 0; i < GetCount(); ++i)
        Check(i, true);
}

void CEasyCheckListBox::InvertChecks()
{
    for (unsigned int i = 0; i < GetCount(); ++i)
        Check(i, !IsChecked(i));
}

int CEasyCheckListBox::RowAt(const wxPoint& point) const
{
    return HitTest(point);
}

void CEasyCheckListBox::OnLeftDown(const wxPoint& point)
{
    SetFocus();
    const int row = RowAt(point);
    if (row == wxNOT_FOUND || !IsEnabled())
        return;
    Check(unsigned(row), !IsChecked(unsigned(row)));
    SetSelection(row);
    wxCommandEvent event(wxEVT_CHECKLISTBOX, GetId());
    event.SetEventObject(this);
    event.SetInt(row);
    ProcessWindowEvent(event);
}

void CEasyCheckListBox::OnDragTo(const wxPoint& point)
{
    const int count = int(GetCount());
    if (count == 0)
        return;
    int row = RowAt(point);
    if (row == wxNOT_FOUND)
        row = point.y < 0 ? 0 : count - 1;
    MoveSelectedTo(std::clamp(row, 0, count - 1));
}

bool CEasyCheckListBox::MoveSelectedTo(int row)
{
    const int from = GetSelection();
    if (from == wxNOT_FOUND || from == row)
        return false;
    Freeze();
    const wxString text = GetString(unsigned(from));
    const bool checked = IsChecked(unsigned(from));
    void* data = HasClientUntypedData() ? GetClientData(unsigned(from)) : nullptr;
    Delete(unsigned(from));
    if (data)
        Insert(text, unsigned(row), data);
    else
        Insert(text, unsigned(row));
    Check(unsigned(row), checked);
    SetSelection(row);
    Thaw();
    return true;
}

void CEasyCheckListWithBlankBox::AppendBlank(const wxString& text)
{
    Append(text, reinterpret_cast<void*>(BlankItemData));
}

bool CEasyCheckListWithBlankBox::IsBlank(unsigned int item) const
{
    return item < GetCount() && HasClientUntypedData() &&
           reinterpret_cast<uintptr_t>(GetClientData(item)) == BlankItemData;
}

void CEasyCheckListWithBlankBox::OnDragTo(const wxPoint& point)
{
    const int from = GetSelection();
    CEasyCheckListBox::OnDragTo(point);
    if (from == wxNOT_FOUND || GetCount() == 0)
        return;
    const int moved = GetSelection();
    const wxString movedText = GetString(unsigned(moved));
    if (IsBlank(GetCount() - 1)) {
        while (GetCount() >= 2 && IsBlank(GetCount() - 1) && IsBlank(GetCount() - 2))
            Delete(GetCount() - 1);
    } else {
        AppendBlank(movedText);
    }
    SetSelection(std::min(moved, int(GetCount()) - 1));
}
