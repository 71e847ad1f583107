#include "framework/ui/DdxFieldFrame.h"

#include "core/WindowPlacement.h"

#include <wx/dcclient.h>
#include <wx/region.h>

CDdxFieldFrame::CDdxFieldFrame(wxWindow* parent, const ScreenRect& field)
    : wxPopupWindow(parent, wxBORDER_NONE | wxFRAME_SHAPED), m_field(field), m_timer(this, TimerId)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetField(field);
    Bind(wxEVT_PAINT, &CDdxFieldFrame::OnPaint, this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Step(); }, TimerId);
    m_timer.Start(PeriodMs);
}

void CDdxFieldFrame::SetField(const ScreenRect& field)
{
    m_field = field;
    const int w = field.right - field.left, h = field.bottom - field.top;
    SetSize(field.left, field.top, w, h);
    // Only the border ring belongs to the window; the field inside stays visible and usable.
    wxRegion ring(0, 0, w, h);
    if (w > 2 && h > 2)
        ring.Subtract(wxRect(1, 1, w - 2, h - 2));
    SetShape(ring);
    Refresh(false);
}

CDdxFieldFrame::~CDdxFieldFrame() { m_timer.Stop(); }

void CDdxFieldFrame::Step()
{
    m_phase += 2;
    Refresh(false);
}

void CDdxFieldFrame::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const ScreenRect local{0, 0, m_field.right - m_field.left, m_field.bottom - m_field.top};
    const wxPen red(wxColour(255, 0, 0)), white(*wxWHITE);
    for (const DdxFramePixel& p : DdxFramePixels(local, m_phase)) {
        dc.SetPen(p.red ? red : white);
        dc.DrawPoint(p.x, p.y);
    }
}
