#pragma once

#include "framework/GraphicDataExchange.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"
#include "views/MapCtrlCore.h"
#include "views/MapCtrlMemoryView.h"
#include "views/MapSurface.h"

#include "TestUtil.h"

#include <functional>
#include <string>
#include <vector>

namespace morvel::test {

// Remembers every drawing call, in order.
class RecordingSurface : public CMapSurface
{
public:
    struct Call
    {
        std::string kind; // "line", "circle", "text", "pixel", "icon"
        DevicePoint a;
        DevicePoint b;
        uint32_t colour = 0;
        int32_t size = 0; // width, radius or icon
        std::string text;
        TextAnchor anchor = TextAnchor::TopLeft;
    };

    void DrawLine(DevicePoint a, DevicePoint b, uint32_t colour, int32_t width) override
    {
        calls.push_back(Call{"line", a, b, colour, width, {}, TextAnchor::TopLeft});
    }
    void DrawCircle(DevicePoint c, int32_t radius, uint32_t colour, int32_t width) override
    {
        calls.push_back(Call{"circle", c, {}, colour, radius, {}, TextAnchor::TopLeft});
    }
    void DrawText(DevicePoint at, const std::string& text, uint32_t colour, TextAnchor anchor) override
    {
        calls.push_back(Call{"text", at, {}, colour, 0, text, anchor});
    }
    void SetPixel(DevicePoint p, uint32_t colour) override
    {
        calls.push_back(Call{"pixel", p, {}, colour, 0, {}, TextAnchor::TopLeft});
    }
    void DrawIcon(int32_t icon, DevicePoint topLeft) override
    {
        calls.push_back(Call{"icon", topLeft, {}, 0, icon, {}, TextAnchor::TopLeft});
    }
    // "rect": a is the top-left, b the bottom-right corner (exclusive), colour the fill.
    void FillRect(const DeviceRect& r, uint32_t fill, uint32_t, int32_t) override
    {
        calls.push_back(Call{"rect", {r.left, r.top}, {r.right, r.bottom}, fill, 0, {}, TextAnchor::TopLeft});
    }
    int32_t GetPrintScale() const override { return printScale; }
    bool IsPrinting() const override { return printing; }
    int32_t printScale = 1;
    bool printing = false;

    size_t Count(const std::string& kind) const
    {
        size_t n = 0;
        for (const Call& c : calls)
            n += c.kind == kind;
        return n;
    }
    std::vector<Call> Of(const std::string& kind) const
    {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.kind == kind)
                out.push_back(c);
        return out;
    }

    std::vector<Call> calls;
};

// A layer whose bitmap is a recording surface; Esc is pressed when the test's callback says so.
class FakeLayer : public CMapCtrlMemoryView
{
public:
    FakeLayer(CMapCtrlCore* map, int32_t kind) : CMapCtrlMemoryView(map, kind) {}
    bool HasBitmap() const override { return true; }
    CMapSurface* GetSurface() override { return &surface; }
    void FillBackground() override
    {
        ++backgroundFills;
        surface.calls.clear();
    }
    bool EscapePressed() override { return escape ? escape() : false; }

    RecordingSurface surface;
    int backgroundFills = 0;
    std::function<bool()> escape;
};

// A window of 800 by 600 pixels on a 1280 by 1024 screen.
class FakeHost : public CMapHost
{
public:
    std::unique_ptr<CMapCtrlMemoryView> CreateLayer(CMapCtrlCore& map, int32_t, int32_t) override
    {
        auto layer = std::make_unique<FakeLayer>(&map, map.GetViewKind());
        layer->escape = escape;
        lastLayer = layer.get();
        return layer;
    }
    DevicePoint GetScreenSize() const override { return DevicePoint{1280, 1024}; }
    void RedrawWindow() override { ++redraws; }
    void AnimateZoomRing(DevicePoint centre) override { rings.push_back(centre); }
    CGraphicDataExchange* GetGraphicDataExchange() override { return &exchange; }
    bool IsSnapLocked() const override { return snapLocked; }
    // Colour roles read back as their palette index.
    uint32_t PaletteColour(int32_t index) const override { return uint32_t(index); }

    CGraphicDataExchange exchange;
    FakeLayer* lastLayer = nullptr;
    std::function<bool()> escape;
    std::vector<DevicePoint> rings;
    int redraws = 0;
    bool snapLocked = false;
};

// A private profile and settings object for one test.
struct ScopedSettings
{
    TempDir dir;
    CProfile profile{dir.path() / "Morvel.ini"};
    CMorvelSettings settings{&profile};
    ScopedSettings()
    {
        SetAppProfile(&profile);
        SetMorvelSettings(&settings);
        settings.Load();
        settings.LoadSnapSettings();
    }
    ~ScopedSettings()
    {
        SetMorvelSettings(nullptr);
        SetAppProfile(nullptr);
    }
};

} // namespace morvel::test
