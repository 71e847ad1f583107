#include "views/ui/GraphicsPreview.h"

#include "framework/ColorTable.h"
#include "framework/ui/WindowHelpers.h"

#include <wx/dcbuffer.h>

CGraphicsPreview::CGraphicsPreview(wxWindow* parent, wxWindowID id, const wxSize& size)
    : wxWindow(parent, id, wxDefaultPosition, size, wxBORDER_SUNKEN)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        Draw(dc, GetClientSize());
    });
}

void CGraphicsPreview::SetColours(int32_t cursor, int32_t background, int32_t selection, int32_t points)
{
    m_cursor = cursor;
    m_background = background;
    m_selection = selection;
    m_points = points;
    Refresh();
    Update();
}

void CGraphicsPreview::Draw(wxDC& dc, const wxSize& size) const
{
    const int w = size.x, h = size.y;
    dc.SetBackground(wxBrush(ToWxColour(GetPaletteColor(m_background))));
    dc.Clear();
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const auto centred = [&dc](const wxString& text, const wxRect& r, const wxColour& colour) {
        dc.SetTextForeground(colour);
        dc.DrawLabel(text, r, wxALIGN_CENTER);
    };
    centred("Selected", wxRect(0, 0, 3 * w / 4, 7 * h / 8), ToWxColour(GetPaletteColor(m_selection)));
    centred("Point", wxRect(0, 7 * h / 8, 3 * w / 4, h - 7 * h / 8), ToWxColour(GetPaletteColor(m_points)));
    dc.SetPen(wxPen(ToWxColour(GetPaletteColor(m_cursor)), 1));
    dc.DrawLine(3 * w / 4, 0, 3 * w / 4, h);
    dc.DrawLine(0, 3 * h / 4, w, 3 * h / 4);
    dc.SetPen(wxNullPen);
}
