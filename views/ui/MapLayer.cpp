#include "views/ui/MapLayer.h"

#include "framework/ColorTable.h"
#include "framework/ui/WindowHelpers.h"
#include "model/MorvelSettings.h"
#include "views/ui/MapCtrl.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/graphics.h>
#include <wx/pen.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

void CWxMapSurface::UsePen(uint32_t colour, int32_t width)
{
    if (colour == m_penColour && width == m_penWidth)
        return;
    m_penColour = colour;
    m_penWidth = width;
    m_dc->SetPen(wxPen(ToWxColour(colour), width < 1 ? 1 : width));
}

void CWxMapSurface::DrawLine(DevicePoint a, DevicePoint b, uint32_t colour, int32_t width)
{
    if (!m_dc)
        return;
    if (m_printing)
        width = std::max(width, m_minPen);
    if (width <= 1 && (a.x == b.x || a.y == b.y)) {
        // Straight thin strokes (the point symbols) are filled pixel by pixel, first pixel in and
        // last pixel out, so that they look the same whatever the toolkit's line rasterising.
        if (m_penColour != TransparentPen) {
            m_dc->SetPen(*wxTRANSPARENT_PEN);
            m_penColour = TransparentPen;
        }
        if (colour != m_brushColour) {
            m_brushColour = colour;
            m_dc->SetBrush(wxBrush(ToWxColour(colour)));
        }
        if (a.y == b.y) {
            const int w = std::max(1, std::abs(b.x - a.x));
            m_dc->DrawRectangle(a.x <= b.x ? a.x : b.x + 1, a.y, w, 1);
        } else {
            const int h = std::max(1, std::abs(b.y - a.y));
            m_dc->DrawRectangle(a.x, a.y <= b.y ? a.y : b.y + 1, 1, h);
        }
        return;
    }
    UsePen(colour, width);
    m_dc->DrawLine(a.x, a.y, b.x, b.y);
}

void CWxMapSurface::DrawCircle(DevicePoint centre, int32_t radius, uint32_t colour, int32_t width)
{
    if (!m_dc)
        return;
    UsePen(colour, width);
    m_dc->SetBrush(*wxTRANSPARENT_BRUSH);
    m_brushColour = TransparentPen;
    m_dc->DrawCircle(centre.x, centre.y, radius);
}

void CWxMapSurface::DrawText(DevicePoint at, const std::string& text, uint32_t colour, TextAnchor anchor)
{
    if (!m_dc)
        return;
    if (colour != m_textColour) {
        m_textColour = colour;
        m_dc->SetTextForeground(ToWxColour(colour));
        m_dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    }
    const wxString all = ToWx(text);
    int y = at.y;
    if (anchor == TextAnchor::BottomLeft) {
        wxCoord w = 0, h = 0;
        m_dc->GetMultiLineTextExtent(all, &w, &h);
        y -= h;
    }
    m_dc->DrawText(all, at.x, y);
}

void CWxMapSurface::SetPixel(DevicePoint p, uint32_t colour)
{
    if (!m_dc)
        return;
    UsePen(colour, 1);
    m_dc->DrawPoint(p.x, p.y);
}

void CWxMapSurface::DrawIcon(int32_t icon, DevicePoint topLeft)
{
    if (!m_dc || !m_icons)
        return;
    const wxBitmap* bitmap = m_icons(icon);
    if (!bitmap || !bitmap->IsOk())
        return;
    if (!m_printing || m_printScale == 1) {
        m_dc->DrawBitmap(*bitmap, topLeft.x, topLeft.y, true);
        return;
    }
    auto cached = m_printIcons.find(icon);
    if (cached == m_printIcons.end()) {
        // Alpha carries the mask, so one stretched image replaces the mask and image pair.
        wxImage image = bitmap->ConvertToImage();
        if (!image.IsOk())
            return;
        if (!image.HasAlpha())
            image.InitAlpha();
        image.Rescale(16 * m_printScale, 16 * m_printScale, wxIMAGE_QUALITY_NEAREST);
        cached = m_printIcons.emplace(icon, wxBitmap(image)).first;
    }
    if (cached->second.IsOk())
        m_dc->DrawBitmap(cached->second, topLeft.x, topLeft.y, true);
}

void CWxMapSurface::FillRect(const DeviceRect& r, uint32_t fill, uint32_t outline, int32_t width)
{
    if (!m_dc || r.IsEmpty())
        return;
    if (m_printing)
        width = std::max(width, m_minPen);
    if (width > 0)
        UsePen(outline, width);
    else {
        m_dc->SetPen(*wxTRANSPARENT_PEN);
        m_penColour = TransparentPen;
    }
    m_dc->SetBrush(wxBrush(ToWxColour(fill)));
    m_brushColour = fill;
    m_dc->DrawRectangle(r.left, r.top, r.Width(), r.Height());
}

void CWxMapSurface::DrawTextOnBackground(DevicePoint at, const std::string& text, uint32_t colour,
                                         uint32_t background, TextAnchor anchor)
{
    if (!m_dc)
        return;
    // A box of its own, so the label stays readable over the points under it.
    wxCoord w = 0, h = 0;
    m_dc->GetMultiLineTextExtent(ToWx(text), &w, &h);
    m_dc->SetPen(*wxTRANSPARENT_PEN);
    m_penColour = TransparentPen;
    m_dc->SetBrush(wxBrush(ToWxColour(background)));
    m_brushColour = background;
    m_dc->DrawRectangle(at.x, anchor == TextAnchor::BottomLeft ? at.y - h : at.y, w, h);
    DrawText(at, text, colour, anchor);
}

CMapLayer::CMapLayer(CMapCtrl* owner, CMapCtrlCore* map, int32_t viewKind, int32_t width, int32_t height)
    : CMapCtrlMemoryView(map, viewKind), m_owner(owner), m_width(width), m_height(height)
{
    const bool made = m_owner ? m_dc.CreateForWindowSize(m_owner, width, height) : m_dc.CreateOfSize(width, height);
    if (made) {
        const LogFont& label = GetMorvelSettings().GetPointIdLabelsFont();
        const int pixels = label.height != 0 ? std::abs(label.height) : 10;
        // A generic sans-serif face: the stored face name may not exist here.
        m_font = wxFont(wxFontInfo(wxSize(0, pixels)).Family(wxFONTFAMILY_SWISS));
        m_dc.SetFont(m_font);
        // Symbols are a few pixels wide: blended edges would smear them.
        if (wxGraphicsContext* gc = m_dc.GetGraphicsContext())
            gc->SetAntialiasMode(wxANTIALIAS_NONE);
        m_surface.SetDC(&m_dc);
        if (m_owner)
            m_surface.SetIconLookup([owner](int32_t icon) { return owner->GetIconBitmap(icon); });
        FillBackground();
    }
}

CMapLayer::~CMapLayer() = default;

void CMapLayer::FillBackground()
{
    if (!m_dc.HasSurface())
        return;
    const COLORREF bg = GetPaletteColor(GetMorvelSettings().GetGraphicsBackgroundColor());
    m_dc.SetBackground(wxBrush(ToWxColour(bg)));
    m_dc.Clear();
}

bool CMapLayer::EscapePressed()
{
    if (m_escapePoll) {
        // The stand-in poll runs where input would: under the same rules.
        const bool outer = !m_owner->IsDrawingYield();
        m_owner->SetDrawingYield(true);
        const bool pressed = m_escapePoll();
        if (outer)
            m_owner->SetDrawingYield(false);
        return pressed || m_owner->TakeEscape();
    }
    // Only input runs here: no timer or posted message can change the map in the middle of drawing.
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (loop && !m_owner->IsDrawingYield()) {
        m_owner->SetDrawingYield(true);
        loop->YieldFor(wxEVT_CATEGORY_USER_INPUT);
        m_owner->SetDrawingYield(false);
    }
    return m_owner->TakeEscape();
}

wxImage CMapLayer::GetImage()
{
    if (!m_dc.HasSurface())
        return wxImage();
    wxImage image = m_dc.GetImage();
    m_dc.SetFont(m_font);
    return image;
}
