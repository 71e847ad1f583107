#pragma once

#include <cstdint>

// Where the map sends its mouse events: the application's current view tool. The view tools
// install a host; without one the map does its own part of each event only.
class CMapToolHost
{
public:
    virtual ~CMapToolHost() = default;

    virtual void ToolOnMouseMove(uint32_t flags, int32_t x, int32_t y) {}
    virtual void ToolOnLButtonDown(uint32_t flags, int32_t x, int32_t y) {}
    virtual void ToolOnLButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    virtual void ToolOnMButtonDown(uint32_t flags, int32_t x, int32_t y) {}
    virtual void ToolOnMButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    virtual void ToolOnRButtonDown(uint32_t flags, int32_t x, int32_t y) {}
    virtual void ToolOnRButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    // True when the tool set the cursor.
    virtual bool ToolOnSetCursor() { return false; }
    virtual bool IsDefaultToolCurrent() const { return true; }
    // Takes the tool's crosshair and feedback off the map, and puts them back after a paint.
    virtual void EraseToolCrosshair() {}
    virtual void RedrawToolFeedback() {}
};

// Not owned; null removes it.
void SetMapToolHost(CMapToolHost* host);
CMapToolHost* GetMapToolHost();
