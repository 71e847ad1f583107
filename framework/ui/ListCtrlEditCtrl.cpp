#include "framework/ui/ListCtrlEditCtrl.h"

#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>

wxDEFINE_EVENT(EVT_LIST_END_CELL_EDIT, wxCommandEvent);

CListCtrlEditCtrl::CListCtrlEditCtrl(wxWindow* parent, wxWindowID id) : CEasyListCtrl(parent, id)
{
    // The list starts with a cell cursor on the first column.
    SetCurrentColumn(0);
    m_edit = new wxTextCtrl(GetBody(), wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                            wxTE_PROCESS_ENTER | wxTE_PROCESS_TAB | wxBORDER_SIMPLE);
    m_edit->Hide();
    m_edit->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        if (!OnEditKey(e.GetKeyCode(), e.ShiftDown(), e.ControlDown()))
            e.Skip();
    });
    m_edit->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { EndEdit(); });
    // Leaving the editor ends the edit, as the label editor of a list does.
    m_edit->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        e.Skip();
        // Only the edit that lost the focus ends, not one started since.
        if (m_bEditing)
            CallAfter([this, serial = m_editSerial] {
                if (m_bEditing && serial == m_editSerial && !m_edit->HasFocus())
                    FinishEdit(false);
            });
    });
}

CListCtrlEditCtrl::~CListCtrlEditCtrl() = default;

wxRect CListCtrlEditCtrl::CellRect(int32_t row, int column) const
{
    const wxRect rowRect = GetRowRect(row);
    int left = 0;
    for (int c = 0; c < column; ++c)
        left += GetColumnWidth(c);
    return wxRect(left, rowRect.y, GetColumnWidth(column), rowRect.height);
}

bool CListCtrlEditCtrl::StartEdit(int32_t item, int column)
{
    m_bEditRequested = true;
    GetBody()->SetFocus();
    m_nEditColumn = column;
    SetCurrentColumn(column);
    if (!BeginLabelEdit(item, column)) {
        m_nEditColumn = -1;
        return false;
    }
    return true;
}

bool CListCtrlEditCtrl::BeginLabelEdit(int32_t item, int column)
{
    if (!m_bEditRequested || m_bEditing)
        return false;
    if (item < 0 || item >= GetItemCount() || column < 0 || column >= GetColumnCount())
        return false;
    EnsureVisible(item);
    m_bEditCancelled = false;
    m_bEditing = true;
    ++m_editSerial;
    m_nEditRow = item;
    m_nEditColumn = column;
    const wxRect cell = CellRect(item, column);
    const CellEditorSpan span = CellEditorPosition(column, cell.x, cell.width);
    m_edit->SetSize(span.x, cell.y, std::max(1, span.width), cell.height);
    m_edit->ChangeValue(wxString::FromUTF8(GetItemText(item, column)));
    m_edit->Show();
    m_edit->SetFocus();
    m_edit->SelectAll();
    RedrawItems(item, item);
    return true;
}

void CListCtrlEditCtrl::EndEdit()
{
    m_bEditCancelled = false;
    FinishEdit(false);
}

void CListCtrlEditCtrl::CancelEdit()
{
    m_bEditCancelled = true;
    FinishEdit(true);
}

void CListCtrlEditCtrl::FinishEdit(bool cancelled)
{
    if (!m_bEditing)
        return;
    m_bEditing = false;
    m_bEditCancelled = cancelled;
    const int32_t row = m_nEditRow;
    const int column = m_nEditColumn;
    const wxString text = m_edit->GetValue();
    m_nEditColumn = -1;
    m_edit->Hide();
    GetBody()->SetFocus();
    RedrawItems(row, row);
    wxCommandEvent event(EVT_LIST_END_CELL_EDIT, GetId());
    event.SetEventObject(this);
    event.SetInt(row);
    event.SetExtraLong(column);
    event.SetString(text);
    ProcessWindowEvent(event);
}

bool CListCtrlEditCtrl::CanDrawCellText(int32_t row, int column) const
{
    return !(m_nEditColumn >= 0 && column == m_nEditColumn && IsRowSelected(row));
}

void CListCtrlEditCtrl::SelectItem(int32_t item, bool exclusive)
{
    if (item < 0 || item >= GetItemCount())
        return;
    if (exclusive) {
        for (int32_t old : m_selected)
            RedrawItems(old, old);
        m_selected.clear();
    }
    if (!IsRowSelected(item))
        m_selected.push_back(item);
    EnsureVisible(item);
    RedrawItems(item, item);
}

void CListCtrlEditCtrl::DeselectItem(int32_t item)
{
    auto it = std::find(m_selected.begin(), m_selected.end(), item);
    if (it == m_selected.end())
        return;
    m_selected.erase(it);
    RedrawItems(item, item);
}

bool CListCtrlEditCtrl::GetFirstSelected(int32_t& item) const
{
    if (m_selected.empty())
        return false;
    item = *std::min_element(m_selected.begin(), m_selected.end());
    return true;
}

bool CListCtrlEditCtrl::IsRowSelected(int32_t row) const
{
    return std::find(m_selected.begin(), m_selected.end(), row) != m_selected.end();
}

void CListCtrlEditCtrl::Apply(const CellKeyDecision& d)
{
    if (d.commit)
        EndEdit();
    if (d.cancel)
        CancelEdit();
    if (d.column >= 0)
        SetCurrentColumn(d.column);
    if (d.row >= 0)
        SelectItem(d.row, true);
    if (d.startEdit && d.row >= 0)
        StartEdit(d.row, GetCurrentColumn());
}

bool CListCtrlEditCtrl::OnEditKey(int keyCode, bool shift, bool control)
{
    CellKey key;
    switch (keyCode) {
    case WXK_TAB: key = shift ? CellKey::ShiftTab : CellKey::Tab; break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: key = CellKey::Enter; break;
    case WXK_ESCAPE: key = CellKey::Escape; break;
    case WXK_LEFT: key = CellKey::Left; break;
    case WXK_RIGHT: key = CellKey::Right; break;
    case WXK_UP: key = CellKey::Up; break;
    case WXK_DOWN: key = CellKey::Down; break;
    default: return false;
    }
    CellEditState state;
    state.rows = GetItemCount();
    state.columns = GetColumnCount();
    GetFirstSelected(state.selectedRow);
    state.currentColumn = std::max(0, GetCurrentColumn());
    state.editing = m_bEditing;
    state.editRow = GetEditRow();
    state.editColumn = m_nEditColumn;
    state.hasFocus = true;
    state.control = control;
    const CellKeyDecision decision =
        DecideCellKey(state, key, [this](int32_t row, int column) { return CanEditCell(row, column); });
    Apply(decision);
    return decision.consumed;
}

bool CListCtrlEditCtrl::OnListKeyDown(int keyCode)
{
    return OnEditKey(keyCode, wxGetKeyState(WXK_SHIFT), wxGetKeyState(WXK_CONTROL));
}

void CListCtrlEditCtrl::OnListLeftDown(const wxPoint& p, uint32_t flags)
{
    const int32_t row = HitTest(p);
    const int column = ColumnAt(p.x);
    if (row < 0)
        return;
    if (m_bEditing)
        EndEdit();
    if (column >= 0)
        SetCurrentColumn(column);
    SelectItem(row, true);
}

void CListCtrlEditCtrl::OnListLeftDoubleClick(const wxPoint& p, uint32_t flags)
{
    OnListLeftDown(p, flags);
    const int32_t row = HitTest(p);
    if (row >= 0 && CanEditCell(row, GetCurrentColumn()))
        BeginLabelEdit(row, GetCurrentColumn());
}
