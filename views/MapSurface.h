#pragma once

#include "views/WorldDeviceMap.h"

#include <cstdint>
#include <string>

// Colours on a map surface are 0x00BBGGRR.
inline constexpr uint32_t MapBlack = 0x000000;

// Where the map draws: the off-screen layer's bitmap on screen, a printer page, or a recording
// surface in tests. Coordinates are device pixels.
class CMapSurface
{
public:
    enum class TextAnchor { TopLeft, BottomLeft };

    virtual ~CMapSurface() = default;

    virtual void DrawLine(DevicePoint a, DevicePoint b, uint32_t colour, int32_t width) = 0;
    virtual void DrawCircle(DevicePoint centre, int32_t radius, uint32_t colour, int32_t width) = 0;
    // Lines are separated by '\n'; transparent background.
    virtual void DrawText(DevicePoint at, const std::string& text, uint32_t colour, TextAnchor anchor) = 0;
    virtual void SetPixel(DevicePoint p, uint32_t colour) = 0;
    // A 16 by 16 icon with its top-left corner at the point.
    virtual void DrawIcon(int32_t icon, DevicePoint topLeft) = 0;
    // A rectangle filled with one colour and outlined with another; surfaces without fills draw the
    // outline only.
    virtual void FillRect(const DeviceRect& r, uint32_t fill, uint32_t outline, int32_t width)
    {
        DrawLine({r.left, r.top}, {r.right - 1, r.top}, outline, width);
        DrawLine({r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, outline, width);
        DrawLine({r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}, outline, width);
        DrawLine({r.left, r.bottom - 1}, {r.left, r.top}, outline, width);
    }
    // Text on a filled box of the background colour (the scale bar's label on the screen).
    virtual void DrawTextOnBackground(DevicePoint at, const std::string& text, uint32_t colour, uint32_t background,
                                      TextAnchor anchor)
    {
        DrawText(at, text, colour, anchor);
    }
    // Pen widths and pixel offsets are multiplied by this (printer pixels per screen pixel).
    virtual int32_t GetPrintScale() const { return 1; }
    virtual bool IsPrinting() const { return false; }
};
