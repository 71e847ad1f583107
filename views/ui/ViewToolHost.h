#pragma once

#include "model/DataFileDoc.h"
#include "views/MapToolHost.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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
    // Lets the person choose among overlapping objects at a screen point: 2 without a tool, 0
    // outside the tool's map window, when cancelled or without objects, 1 when chosen with the
    // first button (the object in out).
    int32_t ChooseObjectAtPoint(RecordRef& out, const std::vector<RecordRef>& objects, int32_t x, int32_t y,
                                const std::string& okCaption, const std::string& cancelCaption);

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

private:
    CGraphicDataExchange* Exchange() const;
    void SaveExchangeTarget();

    CViewTool* m_current = nullptr;
    bool m_restoring = false;
};
