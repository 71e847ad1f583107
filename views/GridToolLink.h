#pragma once

#include <cstdint>

// What the grid and the job view ask of the application's view tools and of its graphic data
// exchange. The application installs the real one; until it does, the default tool is current and
// no field is waiting for a pick.
class CGridToolLink
{
public:
    virtual ~CGridToolLink() = default;
    virtual bool IsSelectByRectToolCurrent() const { return false; }
    // The right button in a list, in map pane client coordinates.
    virtual void ToolRightButtonDown(uint32_t flags, int32_t x, int32_t y) {}
    virtual void ToolRightButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    virtual void RestoreDefaultTool() {}
    // Whether a field waits on the exchange; DeliverToolEvent hands it an event code (8 = object hit).
    virtual bool HasExchange() const { return false; }
    virtual void DeliverToolEvent(int code) {}
};

// Not owned; null goes back to the default link.
void SetGridToolLink(CGridToolLink* link);
CGridToolLink& GetGridToolLink();
