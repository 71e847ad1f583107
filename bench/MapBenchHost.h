#pragma once

#include "framework/GraphicDataExchange.h"
#include "views/MapCtrlMemoryView.h"
#include "views/MapSurface.h"
#include "views/PreviewMapCore.h"

#include <cstdint>
#include <memory>
#include <string>

namespace morvel::bench {

// Counts what would be drawn, drawing nothing.
class CountingSurface : public CMapSurface
{
public:
    void DrawLine(DevicePoint, DevicePoint, uint32_t, int32_t) override { ++lines; }
    void DrawCircle(DevicePoint, int32_t, uint32_t, int32_t) override { ++lines; }
    void DrawText(DevicePoint, const std::string& text, uint32_t, TextAnchor) override { chars += text.size(); }
    void SetPixel(DevicePoint, uint32_t) override {}
    void DrawIcon(int32_t, DevicePoint) override {}
    int64_t lines = 0;
    int64_t chars = 0;
};

class CountingLayer : public CMapCtrlMemoryView
{
public:
    using CMapCtrlMemoryView::CMapCtrlMemoryView;
    bool HasBitmap() const override { return true; }
    CMapSurface* GetSurface() override { return &surface; }
    void FillBackground() override {}
    bool EscapePressed() override { return false; }
    CountingSurface surface;
};

// A map host without a window: layers count what they draw, the screen is 1920 by 1080.
class BenchMapHost : public CMapHost
{
public:
    std::unique_ptr<CMapCtrlMemoryView> CreateLayer(CMapCtrlCore& map, int32_t, int32_t) override
    {
        auto layer = std::make_unique<CountingLayer>(&map, map.GetViewKind());
        last = layer.get();
        return layer;
    }
    DevicePoint GetScreenSize() const override { return DevicePoint{1920, 1080}; }
    CGraphicDataExchange* GetGraphicDataExchange() override { return &exchange; }
    CGraphicDataExchange exchange;
    CountingLayer* last = nullptr;
};

} // namespace morvel::bench
