#pragma once

#include "views/MapCtrlMemoryView.h"
#include "views/MapSurface.h"
#include "framework/ui/MemoryDC.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/image.h>

#include <cstdint>
#include <functional>
#include <map>

// Draws the map onto a wx device context: the layer's memory DC, or a printer's.
class CWxMapSurface : public CMapSurface
{
public:
    explicit CWxMapSurface(wxDC* dc = nullptr) : m_dc(dc) {}
    void SetDC(wxDC* dc) { m_dc = dc; }
    // Icons by number; none are drawn without it.
    void SetIconLookup(std::function<const wxBitmap*(int32_t)> lookup) { m_icons = std::move(lookup); }

    void DrawLine(DevicePoint a, DevicePoint b, uint32_t colour, int32_t width) override;
    void DrawCircle(DevicePoint centre, int32_t radius, uint32_t colour, int32_t width) override;
    void DrawText(DevicePoint at, const std::string& text, uint32_t colour, TextAnchor anchor) override;
    void SetPixel(DevicePoint p, uint32_t colour) override;
    void DrawIcon(int32_t icon, DevicePoint topLeft) override;
    void FillRect(const DeviceRect& r, uint32_t fill, uint32_t outline, int32_t width) override;
    void DrawTextOnBackground(DevicePoint at, const std::string& text, uint32_t colour, uint32_t background,
                              TextAnchor anchor) override;

    // A printer page: lengths times scale, no pen thinner than penWidth, icons 16 * scale.
    void SetPrinting(int32_t scale, int32_t penWidth)
    {
        m_printScale = scale;
        m_minPen = penWidth;
        m_printing = true;
    }
    int32_t GetPrintScale() const override { return m_printing ? m_printScale : 1; }
    bool IsPrinting() const override { return m_printing; }

private:
    void UsePen(uint32_t colour, int32_t width);

    wxDC* m_dc;
    std::function<const wxBitmap*(int32_t)> m_icons;
    // Outside the colour range: no pen or brush of a colour is selected.
    static constexpr uint32_t TransparentPen = 0xFFFFFFFF;
    uint32_t m_penColour = TransparentPen - 1;
    uint32_t m_brushColour = TransparentPen - 1;
    uint32_t m_textColour = TransparentPen - 1;
    int32_t m_penWidth = -1;
    bool m_printing = false;
    int32_t m_printScale = 1;
    int32_t m_minPen = 1;
    // Icons at the page's size, made once a print.
    std::map<int32_t, wxBitmap> m_printIcons;
};

class CMapCtrl;

// The map window's off-screen layer: a screen-sized bitmap the points are drawn into and that a
// paint copies to the window.
class CMapLayer : public CMapCtrlMemoryView
{
public:
    CMapLayer(CMapCtrl* owner, CMapCtrlCore* map, int32_t viewKind, int32_t width, int32_t height);
    ~CMapLayer() override;

    bool HasBitmap() const override { return m_dc.HasSurface(); }
    CMapSurface* GetSurface() override { return &m_surface; }
    void FillBackground() override;
    bool EscapePressed() override;

    // Replaces how Escape is asked for (tests); the default lets waiting key events run and reads
    // the owner's Escape flag.
    void SetEscapePoll(std::function<bool()> poll) { m_escapePoll = std::move(poll); }

    wxMemoryDC& GetDC() { return m_dc; }
    const wxBitmap& GetBitmap() const { return m_dc.GetOffscreenBitmap(); }
    // What the bitmap holds now.
    wxImage GetImage();
    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }

private:
    CMapCtrl* m_owner;
    CMemoryDC m_dc;
    wxFont m_font;
    CWxMapSurface m_surface;
    std::function<bool()> m_escapePoll;
    int32_t m_width;
    int32_t m_height;
};
