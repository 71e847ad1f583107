#pragma once

#include <cstdint>
#include <vector>

class CGraphicDataExchange;
class CMapCtrl;

// A tool that drives the map windows: exactly one is current for the whole program. A replaced
// tool is retired, not deleted, because it may still be on the call stack; retired tools are
// deleted at idle (DeleteViewToolClasses). The slots here are what the application calls; the
// tools fill them in.
class CViewTool
{
public:
    explicit CViewTool(CMapCtrl* map = nullptr) : m_map(map) {}
    // Takes over the map window of the tool it replaces.
    explicit CViewTool(const CViewTool* previous) : m_map(previous ? previous->m_map : nullptr) {}
    virtual ~CViewTool() = default;
    CViewTool(const CViewTool&) = delete;
    CViewTool& operator=(const CViewTool&) = delete;

    CMapCtrl* GetMapWindow() const { return m_map; }
    void SetMapWindow(CMapCtrl* map) { m_map = map; }
    virtual CGraphicDataExchange* GetGraphicDataExchange();

    virtual void Deactivate() {}
    virtual void EraseCrosshair() {}
    virtual void RedrawCrosshair(int32_t value) {}
    virtual bool OnSetCursor() { return false; }
    virtual void LoadToolCursor() {}
    virtual void OnMouseMove(uint32_t flags, int32_t x, int32_t y) {}
    virtual void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {}
    virtual void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    virtual void OnMButtonDown(uint32_t flags, int32_t x, int32_t y) {}
    virtual void OnMButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    virtual void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) {}
    virtual void OnRButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    // The identification popup, through the tool host (CViewToolHost::GetActive).
    // Steps it through overlapping objects; true when it stepped.
    virtual bool SelectPreviousIdObject();
    virtual bool SelectNextIdObject();
    // The identification popup is up and should go at the next input.
    virtual bool IsIdPopupShown() const;
    virtual void DismissIdPopup();
    // Where the cursor was (screen) when the popup appeared; false when no popup shows.
    virtual bool GetIdPopupOrigin(int32_t& x, int32_t& y) const;
    virtual bool IsIdPopupWindow(const void* window) const;
    // Whether a screen point lies in the tool's map window.
    virtual bool HitTestScreenPoint(int32_t x, int32_t y) const;
    virtual bool IsDefaultTool() const { return false; }

    // Queues the tool for deletion at the next idle pass (once).
    void Retire();
    bool IsRetired() const { return m_retired; }

    // Set while a tool drags on the map.
    static bool s_dragging;

private:
    CMapCtrl* m_map = nullptr;
    bool m_retired = false;
};

// Deletes the retired tools; at idle, at exit and when the application goes.
void DeleteViewToolClasses();
size_t GetRetiredViewToolCount();

// The tools the application starts. Their behaviour comes with the view tools themselves.
#define MORVEL_DECLARE_VIEW_TOOL(name)                                   \
    class name : public CViewTool                                        \
    {                                                                    \
    public:                                                              \
        using CViewTool::CViewTool;                                      \
    }

class CDefaultTool : public CViewTool
{
public:
    using CViewTool::CViewTool;
    bool IsDefaultTool() const override { return true; }
};
MORVEL_DECLARE_VIEW_TOOL(CPickTool);
MORVEL_DECLARE_VIEW_TOOL(CSelectByRectTool);
MORVEL_DECLARE_VIEW_TOOL(CAnchorLineTool);
MORVEL_DECLARE_VIEW_TOOL(CVisualPlineTool);
MORVEL_DECLARE_VIEW_TOOL(CZoomPlineTool);
MORVEL_DECLARE_VIEW_TOOL(CZoomRectTool);
MORVEL_DECLARE_VIEW_TOOL(CRealtimeZoomTool);
MORVEL_DECLARE_VIEW_TOOL(CRealtimePanTool);
MORVEL_DECLARE_VIEW_TOOL(CLocationTool);

#undef MORVEL_DECLARE_VIEW_TOOL
