#include "framework/ui/EasyListCtrl.h"

#include "core/ProgramHelpers.h"

#include <wx/dcbuffer.h>
#include <wx/scrolbar.h>
#include <wx/settings.h>
#include <wx/sizer.h>
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
                m_owner->HitTest(e.GetPosition()) >= 0)
                m_owner->RequestRowTip(e.GetPosition());
        });
        Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_owner->OnListCaptureLost(); });
        Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) { m_owner->OnListLeave(); });
        Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
            if (!m_owner->OnListKeyDown(e.GetKeyCode()))
                e.Skip();
        });
        Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& e) {
            if (e.GetWheelAxis() != wxMOUSE_WHEEL_HORIZONTAL) {
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
    if (m_pressedRow >= count)
        m_pressedRow = -1;
    m_body->SetRowCount(size_t(count));
    m_body->Refresh();
}

void CEasyListCtrl::SetRowHeight(int height)
{
    m_rowHeight = std::max(1, height);
    m_body->RefreshAll();
}

int32_t CEasyListCtrl::GetTopIndex() const { return int32_t(m_body->GetVisibleRowsBegin()); }

int32_t CEasyListCtrl::GetCountPerPage() const
{
    return std::max(1, m_body->GetClientSize().y / m_rowHeight);
}

void CEasyListCtrl::EnsureVisible(int32_t row)
{
    if (row < 0 || row >= m_itemCount)
        return;
    const int32_t top = GetTopIndex();
    const int32_t page = GetCountPerPage();
    if (row < top)
        ScrollToRow(row);
    else if (row >= top + page)
        ScrollToRow(row - page + 1);
}

void CEasyListCtrl::ScrollToRow(int32_t top)
{
    top = std::clamp(top, 0, std::max(0, m_itemCount - GetCountPerPage()));
    m_body->ScrollToRow(size_t(top));
}

void CEasyListCtrl::RedrawItems(int32_t first, int32_t last)
{
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
    const int32_t row = GetTopIndex() + bodyPoint.y / m_rowHeight;
    return row < m_itemCount ? row : -1;
}

wxRect CEasyListCtrl::GetRowRect(int32_t row) const
{
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

void CEasyListCtrl::DrawRow(wxDC& dc, int32_t row, const wxRect& rect)
{
    const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    const bool selected = IsRowSelected(row);
    const bool marked = IsRowMarked(row);
    // Inverting is drawn as swapped colours: cairo has no XOR.
    wxColour fill = selected ? wxColour(255, 255, 0) : window;
    wxColour ink = text;
    if (marked) {
        fill = wxColour(255 - fill.Red(), 255 - fill.Green(), 255 - fill.Blue());
        ink = wxColour(255 - ink.Red(), 255 - ink.Green(), 255 - ink.Blue());
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(fill));
    dc.DrawRectangle(rect);
    dc.SetTextForeground(ink);
    int x = rect.x;
    for (int column = 0; column < GetColumnCount(); ++column) {
        const int width = m_columns[size_t(column)].width;
        const bool right = m_columns[size_t(column)].rightAligned;
        std::string cell = GetItemText(row, column);
        cell = right ? cell + "  " : "  " + cell;
        FitTextWithEllipsis(
            cell, [&dc](const std::string& s) { return dc.GetTextExtent(wxString::FromUTF8(s)).x; }, width);
        // Drawn as plain text: an '&' in a description is not a mnemonic.
        const wxString shown = wxString::FromUTF8(cell);
        const wxSize extent = dc.GetTextExtent(shown);
        wxDCClipper clip(dc, wxRect(x, rect.y, width, rect.height));
        dc.DrawText(shown, right ? x + width - extent.x : x, rect.y + (rect.height - extent.y) / 2);
        x += width;
    }
    if (row == m_pressedRow) {
        // The pressed mark: an inverted frame just inside the row.
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(ink, 1));
        dc.DrawRectangle(wxRect(rect).Deflate(1));
    }
}
