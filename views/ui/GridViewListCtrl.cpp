#include "views/ui/GridViewListCtrl.h"

#include "views/GridScrolling.h"

#include <wx/app.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

#include <algorithm>

CGridViewListCtrl::CGridViewListCtrl(wxWindow* parent, wxWindowID id, IGridListOwner* owner)
    : CEasyListCtrl(parent, id), m_owner(owner), m_timer(this, AutoScrollTimerId)
{
    SetRowTips(true);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        AutoScrollStep(GetBody()->ScreenToClient(wxGetMousePosition()));
    }, AutoScrollTimerId);
}

CGridViewListCtrl::~CGridViewListCtrl() { m_timer.Stop(); }

wxColour CGridViewListCtrl::SelectedRowInk() const
{
    return wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_WINDOWTEXT : wxSYS_COLOUR_GRAYTEXT);
}

std::string CGridViewListCtrl::GetItemText(int32_t row, int column) const
{
    return m_owner ? m_owner->GetListCellText(*this, row, column) : std::string();
}

bool CGridViewListCtrl::IsRowSelected(int32_t row) const
{
    return m_owner != nullptr && m_owner->IsListRowSelected(*this, row);
}

bool CGridViewListCtrl::RequestRowTip(const wxPoint& bodyPoint)
{
    return m_owner != nullptr && m_owner->ShowRowTip(bodyPoint);
}

void CGridViewListCtrl::OnColumnClick(int column)
{
    if (m_owner)
        m_owner->OnListColumnClick(column);
}

void CGridViewListCtrl::RedrawRange(int32_t first, int32_t last)
{
    if (first >= 0)
        RedrawItems(std::min(first, last), std::max(first, last));
}

void CGridViewListCtrl::OnListLeftDown(const wxPoint& p, uint32_t flags)
{
    if (wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr)
        top->Raise();
    const int32_t row = HitTest(p);
    if (m_owner && m_owner->IsSelectByRectToolCurrent()) {
        if (m_range.IsDragging()) {
            const int32_t first = m_range.GetRangeFirst(), last = m_range.GetRangeLast();
            m_range.Cancel();
            RedrawRange(first, last);
        }
        if (row >= 0) {
            m_range.Begin(row);
            RedrawItems(row, row);
            m_owner->OnRowPressed({flags, row, row});
            if (!GetBody()->HasCapture())
                GetBody()->CaptureMouse();
            m_timer.Start(AutoScrollPeriodMs);
        }
    } else if (row >= 0) {
        SetPressedRow(row);
        if (m_owner)
            m_owner->OnRowPressed({flags, row, row});
    } else {
        ClearPressedRow();
    }
    m_lastPoint = p;
}

void CGridViewListCtrl::OnListMotion(const wxPoint& p, uint32_t flags, bool leftDown)
{
    if (p == m_lastPoint)
        return;
    const int32_t row = HitTest(p);
    if (leftDown && m_range.IsDragging()) {
        int32_t first = 0, last = 0;
        if (row >= 0 && m_range.MoveEnd(row, first, last))
            RedrawRange(first, last);
    } else if (leftDown) {
        if (row != GetPressedRow())
            ClearPressedRow();
    } else {
        if (m_range.IsDragging())
            CancelRangeDrag();
        if (row != GetPressedRow())
            ClearPressedRow();
    }
    m_lastPoint = p;
}

void CGridViewListCtrl::AutoScrollStep(const wxPoint& p)
{
    if (!m_range.IsDragging()) {
        m_timer.Stop();
        return;
    }
    if (HitTest(p) >= 0)
        return;
    const wxSize size = GetBody()->GetClientSize();
    const int dx = p.x < 0 ? p.x : (p.x >= size.x ? p.x - size.x + 1 : 0);
    const int dy = p.y < 0 ? p.y : (p.y >= size.y ? p.y - size.y + 1 : 0);
    if (dx != 0)
        ScrollHorizontally(dx);
    if (dy == 0)
        return;
    const int32_t count = GetItemCount();
    const int32_t page = GetCountPerPage();
    const int32_t rows = std::max(1, std::abs(dy) / std::max(1, GetRowHeight()));
    ScrollToRow(GetTopIndex() + (dy > 0 ? rows : -rows));
    int32_t first = 0, last = 0;
    if (m_range.AutoScrollEnd(dy, GetTopIndex(), page, count, first, last))
        RedrawRange(first, last);
    GetBody()->Refresh();
}

void CGridViewListCtrl::OnListLeftUp(const wxPoint& p, uint32_t flags)
{
    if (GetBody()->HasCapture())
        GetBody()->ReleaseMouse();
    const int32_t row = HitTest(p);
    if (m_range.IsDragging()) {
        m_timer.Stop();
        const GridRowNotify rows = m_range.Finish(row, flags);
        if (m_owner) {
            m_owner->OnRowsPicked(rows);
            m_owner->FlushQueuedHints();
        }
        m_range.ClearReported();
        RedrawRange(rows.first, rows.last);
    } else {
        if (row >= 0 && row == GetPressedRow()) {
            if (m_owner) {
                m_owner->OnRowsPicked({flags, row, row});
                m_owner->FlushQueuedHints();
            }
        }
        ClearPressedRow();
    }
    m_lastPoint = p;
}

void CGridViewListCtrl::OnListRightDown(const wxPoint& p, uint32_t flags)
{
    const int32_t row = HitTest(p);
    if (row < 0) {
        ClearPressedRow();
        return;
    }
    SetPressedRow(row);
    if (m_owner)
        m_owner->OnListRightDown({flags, row, row}, GetBody()->ClientToScreen(p));
}

void CGridViewListCtrl::OnListRightUp(const wxPoint& p, uint32_t flags)
{
    if (GetBody()->HasCapture())
        GetBody()->ReleaseMouse();
    const int32_t row = HitTest(p);
    const int32_t pressed = GetPressedRow();
    ClearPressedRow();
    if (row >= 0 && row == pressed && m_owner)
        m_owner->OnListRightUp({flags, row, row}, GetBody()->ClientToScreen(p));
}

void CGridViewListCtrl::OnListCaptureLost()
{
    ClearPressedRow();
    CancelRangeDrag();
}

void CGridViewListCtrl::CancelRangeDrag()
{
    m_timer.Stop();
    if (!m_range.IsDragging()) {
        m_range.ClearReported();
        return;
    }
    const int32_t first = m_range.GetRangeFirst(), last = m_range.GetRangeLast();
    m_range.Cancel();
    RedrawRange(first, last);
}

bool CGridViewListCtrl::OnListKeyDown(int keyCode)
{
    GridKey key;
    switch (keyCode) {
    case WXK_ESCAPE:
        // Escape belongs to the view: it never reaches the list's own handling.
        if (m_owner)
            m_owner->OnListEscape();
        return true;
    case WXK_UP:
        key = GridKey::Up;
        break;
    case WXK_DOWN:
        key = GridKey::Down;
        break;
    case WXK_PAGEUP:
        key = GridKey::PageUp;
        break;
    case WXK_PAGEDOWN:
        key = GridKey::PageDown;
        break;
    default:
        return false;
    }
    const int32_t row = GridKeyTarget(key, GetTopIndex(), GetCountPerPage(), GetItemCount());
    if (row >= 0)
        EnsureVisible(row);
    return true;
}

void CGridViewListCtrl::OnListLeftDoubleClick(const wxPoint& p, uint32_t flags)
{
    // The second press still presses; the owner then hears of the double click on the row.
    OnListLeftDown(p, flags);
    const int32_t row = HitTest(p);
    if (row >= 0 && m_owner)
        m_owner->OnListDoubleClick({flags, row, row});
}
