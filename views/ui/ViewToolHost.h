#pragma once

#include "core/Location.h"
#include "views/MapToolHost.h"

#include <wx/gdicmn.h>

#include <cstdint>
#include <functional>
#include <memory>

class CGraphicDataExchange;
class CGraphicDataTarget;
class CMapCtrl;
class CViewTool;

// The application's current view tool: its switches, the return to the default tool with the hand
// back of the pick exchange to the field being filled, and the map's mouse events passed on.
class CViewToolHost : public CMapToolHost
{
public:
    CViewToolHost();
    ~CViewToolHost() override;

    // The host the tools report to: the one made last that still lives (the application's, or a
    // test's own).
    static CViewToolHost* GetActive();

    // The input field that has the keyboard focus (null when the focus is elsewhere or there is
    // no main window) and the active view's kind; the application installs both.
    std::function<CGraphicDataTarget*()> focusedField;
    std::function<int32_t()> activeViewKind;

    CViewTool* GetCurrentTool() const { return m_current; }
    bool HasCurrentTool() const { return m_current != nullptr; }
    bool IsPanToolCurrent() const;
    // Owns the tool from now on; the previous one is retired.
    void SetCurrentTool(CViewTool* tool);
    void EnsureDefaultTool(CMapCtrl* map);
    void RestoreDefaultTool();
    bool IsRestoring() const { return m_restoring; }

    void StartPickTool();
    void StartSelectByRectTool();
    void StartAnchorLineTool();
    void StartVisualPlineTool();
    void StartZoomPlineTool();
    void StartZoomRectTool();
    void StartRealtimeZoomTool();
    void StartRealtimePanTool();
    void StartLocationTool();

    void StopCurrentTool();
    void ToolRedrawCrosshair(int32_t value);
    void UpdateToolCursor();
    bool IsToolBusy() const;
    void ReloadToolCursor();
    bool IsPointInToolWindow(int32_t x, int32_t y) const;
    // 2 without a tool (or without the chooser), 0 outside the tool's map window.
    int32_t ChooseObjectAtPoint(int32_t x, int32_t y, int32_t objectCount);

    // --- CMapToolHost.
    void ToolOnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
    void ToolOnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void ToolOnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
    void ToolOnMButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void ToolOnMButtonUp(uint32_t flags, int32_t x, int32_t y) override;
    void ToolOnRButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void ToolOnRButtonUp(uint32_t flags, int32_t x, int32_t y) override;
    bool ToolOnSetCursor() override;
    bool IsDefaultToolCurrent() const override;
    void EraseToolCrosshair() override;
    void RedrawToolFeedback() override;

    // --- The identification popup (its own file; the tools reach the popup only through these).
    // The mouse paused over a map that may identify objects now (the hover timer ran out and the
    // tool checked the map, the setting and the foreground window): identify what lies at the
    // client point. world is its location, halfExtents the world size of the pick box.
    void OnHoverPause(CMapCtrl* map, const wxPoint& client, const CLocation& world, const CLocation& halfExtents);
    bool IsIdPopupVisible() const;
    void DismissIdPopup();
    // Space, Shift+Space and the wheel: true when the popup used the step.
    bool StepIdPopup(bool forward);
    // Where the cursor was (screen) when the popup appeared; false when none shows.
    bool GetIdPopupOrigin(int32_t& x, int32_t& y) const;
    bool IsIdPopupWindow(const void* window) const;

private:
    CGraphicDataExchange* Exchange() const;
    void SaveExchangeTarget();

    CViewTool* m_current = nullptr;
    CViewToolHost* m_previousActive = nullptr;
    bool m_restoring = false;
};
