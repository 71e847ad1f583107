#include "framework/ui/EasyListCtrl.h"

#include "core/ProgramHelpers.h"
#include "framework/ListTipText.h"
#include "framework/ui/ObjectIdWnd.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/imaglist.h>
#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/vscroll.h>

#include <algorithm>
#include <cstdlib>

// The row area: a vertically scrolled window whose rows are all the list's height.
class CEasyListBody : public wxVScrolledWindow
{
public:
    explicit CEasyListBody(CEasyListCtrl* owner)
        : wxVScrolledWindow(owner, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
          m_owner(owner)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &CEasyListBody::OnPaint, this);
        Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
            SetFocus();
            m_owner->OnListLeftDown(e.GetPosition(), Flags(e));
        });
        Bind(wxEVT_LEFT_DCLICK,
             [this](wxMouseEvent& e) { m_owner->OnListLeftDoubleClick(e.GetPosition(), Flags(e)); });
        Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) { m_owner->OnListLeftUp(e.GetPosition(), Flags(e)); });
        Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& e) { m_owner->OnListRightDown(e.GetPosition(), Flags(e)); });
        Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& e) { m_owner->OnListRightUp(e.GetPosition(), Flags(e)); });
        Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
            m_owner->OnListMotion(e.GetPosition(), Flags(e), e.LeftIsDown());
            if (m_owner->m_rowTips &&
                (m_owner->m_rowTipsAnyColumn || e.GetPosition().x < m_owner->GetColumnWidth(0)) &&
                m_owner->HitTest(e.GetPosition()) >= 0 && !m_owner->RequestRowTip(e.GetPosition()))
                m_owner->ShowDefaultTip(e.GetPosition());
        });
        Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_owner->OnListCaptureLost(); });
        Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) { m_owner->OnListLeave(); });
        Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
            if (!m_owner->OnListKeyDown(e.GetKeyCode()))
                e.Skip();
        });
        Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& e) {
            if (e.GetWheelAxis() != wxMOUSE_WHEEL_HORIZONTAL) {
                // The list layout only scrolls sideways, a column at a time.
                if (m_owner->m_listLayout)
                    m_owner->ScrollHorizontally(e.GetWheelRotation() > 0 ? -m_owner->ListColumnWidth()
                                                                         : m_owner->ListColumnWidth());
                else
                    e.Skip();
                return;
            }
            m_owner->ScrollHorizontally(e.GetWheelRotation() > 0 ? 3 * m_owner->m_rowHeight : -3 * m_owner->m_rowHeight);
        });
        Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
            e.Skip();
            m_owner->CallAfter([owner = m_owner] { owner->UpdateHorizontalBar(); });
        });
    }

    static uint32_t Flags(const wxMouseEvent& e)
    {
        // The bits of the classic key flags: 1 left, 2 right, 4 shift, 8 control.
        return (e.LeftIsDown() ? 1u : 0u) | (e.RightIsDown() ? 2u : 0u) | (e.ShiftDown() ? 4u : 0u) |
               (e.ControlDown() ? 8u : 0u);
    }

private:
    wxCoord OnGetRowHeight(size_t) const override { return m_owner->m_rowHeight; }

    void OnPaint(wxPaintEvent&)
    {
        wxAutoBufferedPaintDC dc(this);
        const wxSize size = GetClientSize();
        dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
        dc.Clear();
        dc.SetFont(GetFont());
        if (m_owner->m_listLayout) {
            const int width = m_owner->ListColumnWidth();
            const int32_t perColumn = m_owner->RowsPerListColumn();
            for (int32_t column = m_owner->m_scrollX / width; column * width - m_owner->m_scrollX < size.x; ++column)
                for (int32_t r = 0; r < perColumn; ++r) {
                    const int64_t row = int64_t(column) * perColumn + r;
                    if (row >= m_owner->m_itemCount)
                        return;
                    m_owner->DrawRow(dc, int32_t(row), m_owner->GetRowRect(int32_t(row)));
                }
            return;
        }
        const int32_t first = int32_t(GetVisibleRowsBegin());
        const int32_t end = std::min<int32_t>(int32_t(GetVisibleRowsEnd()), m_owner->m_itemCount);
        // Rows start left of the window by the sideways scroll and reach at least its right edge.
        const int x = -m_owner->m_scrollX;
        const int width = std::max(size.x + m_owner->m_scrollX, m_owner->GetColumnsWidth());
        for (int32_t row = first; row < end; ++row)
            m_owner->DrawRow(dc, row, wxRect(x, (row - first) * m_owner->m_rowHeight, width, m_owner->m_rowHeight));
    }

    CEasyListCtrl* m_owner;
};

// The column headings, drawn here: a click sorts, a drag on a column's right border resizes it.
class CEasyListHeader : public wxWindow
{
public:
    explicit CEasyListHeader(CEasyListCtrl* owner) : wxWindow(owner, wxID_ANY), m_owner(owner)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetMinSize(wxSize(-1, GetCharHeight() + 10));
        Bind(wxEVT_PAINT, &CEasyListHeader::OnPaint, this);
        Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
            m_resizing = m_owner->ColumnBorderAt(e.GetX());
            if (m_resizing >= 0) {
                CaptureMouse();
                return;
            }
            const int column = m_owner->ColumnAt(e.GetX());
            if (column >= 0)
                m_owner->OnColumnClick(column);
        });
        Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
            if (m_resizing >= 0) {
                int left = -m_owner->m_scrollX;
                for (int c = 0; c < m_resizing; ++c)
                    left += m_owner->GetColumnWidth(c);
                m_owner->SetColumnWidth(m_resizing, std::max(8, e.GetX() - left));
            }
            SetCursor(m_resizing >= 0 || m_owner->ColumnBorderAt(e.GetX()) >= 0 ? wxCursor(wxCURSOR_SIZEWE)
                                                                                : wxNullCursor);
        });
        Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { EndResize(); });
        Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { EndResize(); });
    }
    // Headings are clicked and dragged; the keyboard stays with the rows.
    bool AcceptsFocus() const override { return false; }

private:
    void EndResize()
    {
        m_resizing = -1;
        if (HasCapture())
            ReleaseMouse();
    }

    void OnPaint(wxPaintEvent&)
    {
        wxAutoBufferedPaintDC dc(this);
        const wxSize size = GetClientSize();
        const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
        const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
        dc.SetBackground(wxBrush(face));
        dc.Clear();
        dc.SetFont(GetFont());
        dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
        dc.SetPen(wxPen(shadow));
        int x = -m_owner->m_scrollX;
        for (int column = 0; column < m_owner->GetColumnCount(); ++column) {
            const int width = m_owner->GetColumnWidth(column);
            const wxString text = m_owner->GetColumnHeading(column);
            const wxSize extent = dc.GetTextExtent(text);
            wxDCClipper clip(dc, wxRect(x, 0, width, size.y));
            // A heading wider than its column keeps its start in view.
            const bool right = m_owner->IsColumnRightAligned(column) && extent.x <= width - 12;
            const int tx = right ? x + width - extent.x - 6 : x + 6;
            dc.DrawText(text, tx, (size.y - extent.y) / 2);
            dc.DrawLine(x + width - 1, 3, x + width - 1, size.y - 3);
            x += width;
        }
        dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
    }

    CEasyListCtrl* m_owner;
    int m_resizing = -1;
};

CEasyListCtrl::CEasyListCtrl(wxWindow* parent, wxWindowID id) : wxPanel(parent, id)
{
    m_header = new CEasyListHeader(this);
    m_body = new CEasyListBody(this);
    m_hbar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
    m_hbar->Hide();
    m_hbar->Bind(wxEVT_SCROLL_CHANGED, [this](wxScrollEvent& e) { ScrollHorizontally(e.GetPosition() - m_scrollX); });
    m_hbar->Bind(wxEVT_SCROLL_THUMBTRACK, [this](wxScrollEvent& e) { ScrollHorizontally(e.GetPosition() - m_scrollX); });
    m_hbar->Bind(wxEVT_SCROLL_LINEUP, [this](wxScrollEvent&) { ScrollHorizontally(-m_rowHeight); });
    m_hbar->Bind(wxEVT_SCROLL_LINEDOWN, [this](wxScrollEvent&) { ScrollHorizontally(m_rowHeight); });
    m_hbar->Bind(wxEVT_SCROLL_PAGEUP, [this](wxScrollEvent&) { ScrollHorizontally(-m_body->GetClientSize().x); });
    m_hbar->Bind(wxEVT_SCROLL_PAGEDOWN, [this](wxScrollEvent&) { ScrollHorizontally(m_body->GetClientSize().x); });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_header, 0, wxEXPAND);
    sizer->Add(m_body, 1, wxEXPAND);
    sizer->Add(m_hbar, 0, wxEXPAND);
    SetSizer(sizer);
}

int CEasyListCtrl::GetColumnsWidth() const
{
    if (m_listLayout) {
        const int32_t perColumn = RowsPerListColumn();
        return int((m_itemCount + perColumn - 1) / perColumn) * ListColumnWidth();
    }
    int width = 0;
    for (const Column& column : m_columns)
        width += column.width;
    return width;
}

void CEasyListCtrl::ScrollHorizontally(int dx)
{
    const int room = std::max(0, GetColumnsWidth() - m_body->GetClientSize().x);
    const int x = std::clamp(m_scrollX + dx, 0, room);
    if (x != m_scrollX) {
        m_scrollX = x;
        m_header->Refresh();
        m_body->Refresh();
    }
    if (m_hbar->IsShown())
        m_hbar->SetThumbPosition(m_scrollX);
}

void CEasyListCtrl::UpdateHorizontalBar()
{
    const int visible = m_body->GetClientSize().x;
    const int total = GetColumnsWidth();
    const bool needed = visible > 0 && total > visible;
    if (needed)
        m_hbar->SetScrollbar(std::min(m_scrollX, total - visible), visible, total, visible);
    if (needed != m_hbar->IsShown()) {
        m_hbar->Show(needed);
        Layout();
    }
    ScrollHorizontally(0);
}

CEasyListCtrl::~CEasyListCtrl() = default;

wxWindow* CEasyListCtrl::GetBody() const { return m_body; }

void CEasyListCtrl::InsertColumn(int column, const wxString& heading, int width, bool rightAligned)
{
    column = std::clamp(column, 0, GetColumnCount());
    m_columns.insert(m_columns.begin() + column, Column{heading, width, rightAligned});
    m_header->Refresh();
    m_body->Refresh();
    UpdateHorizontalBar();
}

void CEasyListCtrl::SetColumnHeading(int column, const wxString& heading)
{
    if (column < 0 || column >= GetColumnCount())
        return;
    m_columns[size_t(column)].heading = heading;
    m_header->Refresh();
}

wxString CEasyListCtrl::GetColumnHeading(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns[size_t(column)].heading : wxString();
}

int CEasyListCtrl::GetColumnWidth(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns[size_t(column)].width : 0;
}

void CEasyListCtrl::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= GetColumnCount())
        return;
    m_columns[size_t(column)].width = width;
    m_header->Refresh();
    m_body->Refresh();
    UpdateHorizontalBar();
}

bool CEasyListCtrl::IsColumnRightAligned(int column) const
{
    return column >= 0 && column < GetColumnCount() && m_columns[size_t(column)].rightAligned;
}

int CEasyListCtrl::ColumnBorderAt(int x) const
{
    x += m_scrollX;
    int right = 0;
    for (int column = 0; column < GetColumnCount(); ++column) {
        right += m_columns[size_t(column)].width;
        if (std::abs(x - right) <= 3)
            return column;
    }
    return -1;
}

int CEasyListCtrl::ColumnAt(int x) const
{
    x += m_scrollX;
    int left = 0;
    for (int column = 0; column < GetColumnCount(); ++column) {
        const int width = m_columns[size_t(column)].width;
        if (x >= left && x < left + width)
            return column;
        left += width;
    }
    return -1;
}

void CEasyListCtrl::SetItemCount(int32_t count)
{
    count = std::max(0, count);
    if (count == m_itemCount)
        return;
    m_itemCount = count;
    if (m_itemData.size() > size_t(count))
        m_itemData.resize(size_t(count));
    m_selectedRows.Truncate(count);
    if (m_pressedRow >= count)
        m_pressedRow = -1;
    m_body->SetRowCount(m_listLayout ? 0 : size_t(count));
    m_body->Refresh();
    if (m_listLayout)
        UpdateHorizontalBar();
}

void CEasyListCtrl::SetRowHeight(int height)
{
    m_rowHeight = std::max(1, height);
    m_body->RefreshAll();
}

int32_t CEasyListCtrl::GetTopIndex() const
{
    if (m_listLayout)
        return m_scrollX / ListColumnWidth() * RowsPerListColumn();
    return int32_t(m_body->GetVisibleRowsBegin());
}

int32_t CEasyListCtrl::GetCountPerPage() const
{
    if (m_listLayout)
        return RowsPerListColumn() * std::max(1, m_body->GetClientSize().x / ListColumnWidth());
    return std::max(1, m_body->GetClientSize().y / m_rowHeight);
}

void CEasyListCtrl::EnsureVisible(int32_t row)
{
    if (row < 0 || row >= m_itemCount)
        return;
    if (m_listLayout) {
        const int left = row / RowsPerListColumn() * ListColumnWidth();
        const int visible = m_body->GetClientSize().x;
        if (left < m_scrollX)
            ScrollHorizontally(left - m_scrollX);
        else if (left + ListColumnWidth() > m_scrollX + visible)
            ScrollHorizontally(left + ListColumnWidth() - visible - m_scrollX);
        return;
    }
    const int32_t top = GetTopIndex();
    const int32_t page = GetCountPerPage();
    if (row < top)
        ScrollToRow(row);
    else if (row >= top + page)
        ScrollToRow(row - page + 1);
}

void CEasyListCtrl::ScrollToRow(int32_t top)
{
    if (m_listLayout) {
        ScrollHorizontally(std::max(0, top) / RowsPerListColumn() * ListColumnWidth() - m_scrollX);
        return;
    }
    top = std::clamp(top, 0, std::max(0, m_itemCount - GetCountPerPage()));
    m_body->ScrollToRow(size_t(top));
}

void CEasyListCtrl::RedrawItems(int32_t first, int32_t last)
{
    if (m_listLayout) {
        m_body->Refresh();
        return;
    }
    const int32_t top = GetTopIndex();
    first = std::max(first, top);
    last = std::min({last, top + GetCountPerPage(), m_itemCount - 1});
    if (first > last)
        return;
    m_body->RefreshRows(size_t(first), size_t(last) + 1);
}

int32_t CEasyListCtrl::HitTest(const wxPoint& bodyPoint) const
{
    const wxSize size = m_body->GetClientSize();
    if (bodyPoint.y < 0 || bodyPoint.x < 0 || bodyPoint.y >= size.y || bodyPoint.x >= size.x)
        return -1;
    if (m_listLayout) {
        const int32_t perColumn = RowsPerListColumn();
        const int32_t r = bodyPoint.y / m_rowHeight;
        const int64_t row = int64_t((bodyPoint.x + m_scrollX) / ListColumnWidth()) * perColumn + r;
        return r < perColumn && row < m_itemCount ? int32_t(row) : -1;
    }
    const int32_t row = GetTopIndex() + bodyPoint.y / m_rowHeight;
    return row < m_itemCount ? row : -1;
}

wxRect CEasyListCtrl::GetRowRect(int32_t row) const
{
    if (m_listLayout) {
        const int32_t perColumn = RowsPerListColumn();
        return wxRect(row / perColumn * ListColumnWidth() - m_scrollX, row % perColumn * m_rowHeight,
                      ListColumnWidth(), m_rowHeight);
    }
    return wxRect(0, (row - GetTopIndex()) * m_rowHeight, m_body->GetClientSize().x, m_rowHeight);
}

void CEasyListCtrl::MoveRowMark(int32_t& mark, int32_t row)
{
    if (row == mark)
        return;
    const int32_t old = mark;
    mark = row;
    if (old >= 0)
        RedrawItems(old, old);
    if (row >= 0)
        RedrawItems(row, row);
}

void CEasyListCtrl::SetPressedRow(int32_t row) { MoveRowMark(m_pressedRow, row); }

wxColour CEasyListCtrl::SelectedRowFill() const { return wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT); }

wxColour CEasyListCtrl::SelectedRowInk() const { return wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT); }

void CEasyListCtrl::DrawRow(wxDC& dc, int32_t row, const wxRect& rect)
{
    const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    const wxColour text = wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_WINDOWTEXT : wxSYS_COLOUR_GRAYTEXT);
    const bool selected = IsRowSelected(row);
    const bool marked = IsRowMarked(row);
    // With a cell cursor only the current cell of the selected row is highlighted.
    const bool cellMode = m_nCurrentColumn >= 0;
    // Inverting is drawn as swapped colours: cairo has no XOR.
    const bool rowSelected = selected && !cellMode;
    wxColour fill = rowSelected ? SelectedRowFill() : window;
    wxColour ink = rowSelected ? SelectedRowInk() : text;
    if (marked) {
        fill = wxColour(255 - fill.Red(), 255 - fill.Green(), 255 - fill.Blue());
        ink = wxColour(255 - ink.Red(), 255 - ink.Green(), 255 - ink.Blue());
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(fill));
    dc.DrawRectangle(rect);
    dc.SetTextForeground(ink);
    int x = rect.x;
    // The list layout shows column 0 alone, as wide as the row's place.
    const int columns = m_listLayout ? std::min(1, GetColumnCount()) : GetColumnCount();
    for (int column = 0; column < columns; ++column) {
        const int width = m_listLayout ? rect.width : m_columns[size_t(column)].width;
        const bool right = m_columns[size_t(column)].rightAligned && !m_listLayout;
        int offset = column == 0 ? m_nTextOffset : 0;
        const wxRect cellRect(x, rect.y, width, rect.height);
        if (column == 0 && m_images) {
            int imageWidth = 0, imageHeight = 0;
            m_images->GetSize(0, imageWidth, imageHeight);
            const int image = GetItemImage(row);
            if (image >= 0 && image < m_images->GetImageCount()) {
                wxDCClipper clip(dc, cellRect);
                m_images->Draw(image, dc, x + offset + 2, rect.y + (rect.height - imageHeight) / 2,
                               wxIMAGELIST_DRAW_TRANSPARENT);
            }
            offset += imageWidth + 2;
        }
        const bool cursorCell = cellMode && selected && column == m_nCurrentColumn;
        if (cursorCell) {
            dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
            dc.DrawRectangle(cellRect);
        }
        if (CanDrawCellText(row, column) && !(column == 0 && row == m_labelRow)) {
            dc.SetTextForeground(cursorCell ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT) : ink);
            std::string cell = GetItemText(row, column);
            cell = right ? cell + "  " : "  " + cell;
            FitTextWithEllipsis(
                cell, [&dc](const std::string& s) { return dc.GetTextExtent(wxString::FromUTF8(s)).x; },
                width - offset);
            // Drawn as plain text: an '&' in a description is not a mnemonic.
            const wxString shown = wxString::FromUTF8(cell);
            const wxSize extent = dc.GetTextExtent(shown);
            wxDCClipper clip(dc, cellRect);
            dc.DrawText(shown, right ? x + width - extent.x : x + offset, rect.y + (rect.height - extent.y) / 2);
        }
        x += width;
    }
    if (row == m_pressedRow) {
        // The pressed mark: an inverted frame just inside the row.
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(ink, 1));
        dc.DrawRectangle(wxRect(rect).Deflate(1));
    }
}

std::string CEasyListCtrl::FormatDefaultTip(int32_t row, int column) const
{
    std::vector<std::pair<std::string, std::string>> lines;
    for (int c = 0; c < GetColumnCount(); ++c)
        if (!m_cellTips || c == column)
            lines.emplace_back(GetColumnHeading(c).utf8_string(), GetItemText(row, c));
    return MakeListTipText(lines);
}

bool CEasyListCtrl::ShowDefaultTip(const wxPoint& bodyPoint)
{
    const int32_t row = HitTest(bodyPoint);
    const int column = ColumnAt(bodyPoint.x);
    if (row < 0 || (m_cellTips && column < 0))
        return false;
    const std::string text = FormatDefaultTip(row, column);
    if (text.empty())
        return false;
    const wxPoint at = GetBody()->ClientToScreen(bodyPoint);
    ShowObjectTips(text, at.x, at.y, 0, WindowTextColor);
    return m_objectIdWnd && m_objectIdWnd->IsPopupVisible();
}

void CEasyListCtrl::ShowObjectTips(const std::string& text, int x, int y, int value, uint32_t colour)
{
    if (CObjectIdWnd* wnd = GetOrCreateObjectIdWnd())
        wnd->ShowForObject(text, x, y, value, colour);
}

CObjectIdWnd* CEasyListCtrl::GetOrCreateObjectIdWnd()
{
    if (!m_objectIdWnd) {
        m_objectIdWnd = new CObjectIdWnd(true);
        if (!m_objectIdWnd->Create(this)) {
            m_objectIdWnd->Destroy();
            m_objectIdWnd = nullptr;
        }
    }
    return m_objectIdWnd;
}

// ---------------------------------------------------------------- marked item, own selection, data

void CEasyListCtrl::SetMarkedItem(int32_t item, bool mark)
{
    if (mark)
        SetPressedRow(item);
    else if (item == m_pressedRow)
        SetPressedRow(-1);
}

void CEasyListCtrl::SelectSingleItem(int32_t item)
{
    if (item < 0 || item >= m_itemCount)
        return;
    EnsureVisible(item);
    m_selectedRows.SelectOnly(item);
    m_body->Refresh();
}

void CEasyListCtrl::SelectAll()
{
    m_selectedRows.SelectAll(m_itemCount);
    m_body->Refresh();
}

void CEasyListCtrl::SetItemSelected(int32_t item, bool selected)
{
    if (item < 0 || item >= m_itemCount)
        return;
    if (selected)
        m_selectedRows.Add(item, item);
    else
        m_selectedRows.Remove(item, item);
    RedrawItems(item, item);
}

void CEasyListCtrl::DeselectAll()
{
    m_selectedRows.Clear();
    m_body->Refresh();
}

void CEasyListCtrl::InvertSelection()
{
    CRowRanges inverted;
    int32_t next = 0;
    for (const CRowRanges::Range& r : m_selectedRows.GetRanges()) {
        if (r.first > next)
            inverted.Add(next, std::min(r.first, m_itemCount) - 1);
        next = r.last + 1;
    }
    if (next < m_itemCount)
        inverted.Add(next, m_itemCount - 1);
    m_selectedRows = inverted;
    m_body->Refresh();
}

uintptr_t CEasyListCtrl::GetNextSelected(int32_t& index)
{
    for (const CRowRanges::Range& r : m_selectedRows.GetRanges()) {
        if (r.last < m_nNextSelected)
            continue;
        const int32_t row = std::max(r.first, m_nNextSelected);
        if (row >= m_itemCount)
            break;
        index = row;
        m_nNextSelected = row + 1;
        return GetItemData(row);
    }
    index = -1;
    m_nNextSelected = 0;
    return 0;
}

void CEasyListCtrl::SetItemData(int32_t item, uintptr_t data)
{
    if (item < 0 || item >= m_itemCount)
        return;
    if (m_itemData.size() < size_t(m_itemCount))
        m_itemData.resize(size_t(m_itemCount), 0);
    m_itemData[size_t(item)] = data;
}

uintptr_t CEasyListCtrl::GetItemData(int32_t item) const
{
    return item >= 0 && item < m_itemCount && size_t(item) < m_itemData.size() ? m_itemData[size_t(item)] : 0;
}

int32_t CEasyListCtrl::FindItemByData(uintptr_t data) const
{
    const size_t count = std::min(m_itemData.size(), size_t(m_itemCount));
    for (size_t i = 0; i < count; ++i)
        if (m_itemData[i] == data)
            return int32_t(i);
    // Rows without data hold 0.
    return data == 0 && count < size_t(m_itemCount) ? int32_t(count) : -1;
}

bool CEasyListCtrl::SelectItemByData(uintptr_t data, int32_t& index)
{
    const int32_t item = FindItemByData(data);
    if (item < 0) {
        index = 0;
        return false;
    }
    index = item;
    SelectSingleItem(item);
    return true;
}

void CEasyListCtrl::InsertItem(int32_t index, uintptr_t data)
{
    index = std::clamp(index, 0, m_itemCount);
    m_itemData.resize(size_t(m_itemCount), 0);
    m_itemData.insert(m_itemData.begin() + index, data);
    // Selected rows at or below the new one move down with their rows.
    CRowRanges moved;
    for (const CRowRanges::Range& r : m_selectedRows.GetRanges()) {
        if (r.last < index)
            moved.Add(r.first, r.last);
        else if (r.first >= index)
            moved.Add(r.first + 1, r.last + 1);
        else {
            moved.Add(r.first, index - 1);
            moved.Add(index + 1, r.last + 1);
        }
    }
    m_selectedRows = moved;
    SetItemCount(m_itemCount + 1);
}

void CEasyListCtrl::DeleteItem(int32_t index)
{
    if (index < 0 || index >= m_itemCount)
        return;
    if (size_t(index) < m_itemData.size())
        m_itemData.erase(m_itemData.begin() + index);
    CRowRanges moved;
    for (const CRowRanges::Range& r : m_selectedRows.GetRanges()) {
        const int32_t first = r.first > index ? r.first - 1 : r.first;
        const int32_t last = r.last >= index ? r.last - 1 : r.last;
        if (first <= last)
            moved.Add(first, last);
    }
    m_selectedRows = moved;
    if (m_pressedRow == index)
        m_pressedRow = -1;
    else if (m_pressedRow > index)
        --m_pressedRow;
    SetItemCount(m_itemCount - 1);
    m_body->Refresh();
}

void CEasyListCtrl::AutoSizeColumns()
{
    wxClientDC dc(m_body);
    dc.SetFont(m_body->GetFont());
    const auto textWidth = [&dc](const wxString& text) { return dc.GetTextExtent(text).x; };
    int imageWidth = 0, imageHeight = 0;
    if (m_images && m_images->GetImageCount() > 0)
        m_images->GetSize(0, imageWidth, imageHeight);
    for (int column = 0; column < GetColumnCount(); ++column) {
        const int extra = column == 0 ? m_nTextOffset + (m_images ? imageWidth + 2 : 0) : 0;
        int width = textWidth(m_columns[size_t(column)].heading.Left(256)) + 16;
        for (int32_t row = 0; row < m_itemCount; ++row)
            width = std::max(width, textWidth(wxString::FromUTF8(GetItemText(row, column))) + 16 + extra);
        m_columns[size_t(column)].width = width;
    }
    m_header->Refresh();
    m_body->Refresh();
    if (m_listLayout)
        UpdateHorizontalBar(); // the list columns took column 0's new width
}

// ---------------------------------------------------------------- row images, label editing

void CEasyListCtrl::SetImageList(wxImageList* images)
{
    m_images = images;
    m_body->Refresh();
}

bool CEasyListCtrl::EditLabel(int32_t row, int maxLength)
{
    if (row < 0 || row >= m_itemCount || m_labelRow >= 0 || !OnBeginLabelEdit(row))
        return false;
    if (!m_labelEdit) {
        m_labelEdit = new wxTextCtrl(m_body, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                     wxTE_PROCESS_ENTER | wxBORDER_SIMPLE);
        m_labelEdit->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
            if (e.GetKeyCode() == WXK_ESCAPE)
                EndLabelEdit(true);
            else
                e.Skip();
        });
        m_labelEdit->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { EndLabelEdit(false); });
        // Leaving the field for another window of the program keeps the text; only the edit that
        // lost the focus ends. A switch to another program leaves the edit open for the return.
        m_labelEdit->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
            e.Skip();
            if (m_labelRow >= 0)
                CallAfter([this, serial = m_labelSerial] {
                    if (m_labelRow >= 0 && serial == m_labelSerial && !m_labelEdit->HasFocus() &&
                        wxWindow::FindFocus() != nullptr)
                        EndLabelEdit(false);
                });
        });
    }
    m_labelRow = row;
    ++m_labelSerial;
    EnsureVisible(row);
    int imageWidth = 0, imageHeight = 0;
    if (m_images && m_images->GetImageCount() > 0)
        m_images->GetSize(0, imageWidth, imageHeight);
    const wxRect rowRect = GetRowRect(row);
    const int left = m_nTextOffset + (m_images ? imageWidth + 2 : 0) + (m_listLayout ? rowRect.x : -m_scrollX);
    m_labelEdit->SetMaxLength(unsigned(std::max(1, maxLength)));
    m_labelEdit->ChangeValue(wxString::FromUTF8(GetItemText(row, 0)));
    // Wide enough for the text even in a narrow column.
    const int textWidth = m_labelEdit->GetTextExtent(m_labelEdit->GetValue()).x + 24;
    const int room = m_listLayout ? rowRect.GetRight() + 1 - left : GetColumnWidth(0) - left - m_scrollX;
    m_labelEdit->SetSize(left, rowRect.y, std::max({60, textWidth, room}),
                         rowRect.height);
    m_labelEdit->Show();
    m_labelEdit->SetFocus();
    m_labelEdit->SelectAll();
    RedrawItems(row, row);
    return true;
}

void CEasyListCtrl::EndLabelEdit(bool cancel)
{
    if (m_labelRow < 0)
        return;
    const int32_t row = m_labelRow;
    m_labelRow = -1;
    const std::string text = m_labelEdit->GetValue().utf8_string();
    m_labelEdit->Hide();
    if (row < m_itemCount)
        RedrawItems(row, row);
    m_body->SetFocus();
    OnEndLabelEdit(row, cancel ? nullptr : &text);
}

// ---------------------------------------------------------------- list layout

void CEasyListCtrl::SetListLayout(bool on)
{
    if (on == m_listLayout)
        return;
    if (m_labelRow >= 0)
        EndLabelEdit(true);
    m_listLayout = on;
    m_scrollX = 0;
    m_header->Show(!on);
    m_body->SetRowCount(on ? 0 : size_t(m_itemCount));
    Layout();
    m_header->Refresh();
    m_body->Refresh();
    UpdateHorizontalBar();
}

int CEasyListCtrl::ListColumnWidth() const
{
    return std::max(m_rowHeight, GetColumnCount() > 0 ? m_columns[0].width : 100);
}

int32_t CEasyListCtrl::RowsPerListColumn() const
{
    return std::max(1, m_body->GetClientSize().y / m_rowHeight);
}
