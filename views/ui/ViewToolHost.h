#pragma once

#include "core/Location.h"
#include "model/DataFileDoc.h"
#include "views/MapToolHost.h"
#include "views/ui/MapCtrl.h"

#include <wx/gdicmn.h>
#include <wx/weakref.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CGraphicDataExchange;
class CGraphicDataTarget;
class CViewTool;
class wxTimer;

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

    // Whether the program is in front: the main window, or with dialogsToo also one of the
    // program's live dialogs. The application's check unless a test installs its own (Xvfb has no
    // window manager to bring a window to the front).
    std::function<bool(bool dialogsToo)> isForeground;
    // The window under the mouse pointer; the toolkit's answer unless a test installs its own
    // (window tests share one X server, and its pointer, with each other).
    std::function<wxWindow*()> windowUnderCursor;
    // Status bar texts (pane 0 the message text, 2 the tool read-out); the main window's unless set.
    std::function<void(int pane, const std::string& text)> statusText;
    // Change hints for the active job; its hint manager unless set.
    std::function<void(void* sender, int32_t hint, intptr_t parameter)> notifyActiveDocument;

    bool IsForeground(bool dialogsToo) const;
    wxWindow* WindowUnderCursor() const;
    void SetStatusText(int pane, const std::string& text);
    void NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter);

    // The hover timer (1000 ms) and the snap timer (10 ms) of a map, each firing once per restart.
    void RestartHoverTimer(CMapCtrl* map);
    void RestartSnapTimer(CMapCtrl* map);
    void KillHoverTimer();
    void KillSnapTimer();
    bool IsHoverTimerRunning() const;
    bool IsSnapTimerRunning() const;

    // Idle: the tool follows the map under the cursor, then the retired tools are deleted.
    void OnIdle();
    void TrackCursorWindow();

    // The view's commands: Zoom Window (7147), Realtime Zoom (7296), Realtime Pan (7166) turn their
    // tool on, or back to the default tool when it is on. map is the map they work on.
    void OnZoomWindowCommand(CMapCtrl* map);
    void OnRealtimeZoomCommand(CMapCtrl* map);
    void OnRealtimePanCommand(CMapCtrl* map);
    // Shown checked while on.
    bool IsZoomWindowOn() const;
    bool IsRealtimeZoomCurrent() const;

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
    // The lines of a distance or angle field from its anchors (with fixed segments shown too).
    void StartAnchorLineTool(const std::vector<CLocation>& anchors = {}, const std::vector<CLocation>& segmentsA = {},
                             const std::vector<CLocation>& segmentsB = {});
    // Lines from one anchor with the Ctrl constraint, drawn at once.
    void StartVisualPlineTool(const CLocation& anchor);
    // The zoom window's second corner, from its first.
    void StartZoomPlineTool(const CLocation& firstCorner);
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
    // A tool command: back to the default tool when its tool is on, else its tool on the map.
    void ToggleTool(CMapCtrl* map, bool (CViewToolHost::*isOn)() const, void (CViewToolHost::*start)());
    void SaveExchangeTarget();

    CMapCtrl* CurrentMap() const;
    void OnTimer(bool hover);

    CViewTool* m_current = nullptr;
    CViewToolHost* m_previousActive = nullptr;
    std::unique_ptr<wxTimer> m_hoverTimer;
    std::unique_ptr<wxTimer> m_snapTimer;
    wxWeakRef<wxWindow> m_lastUnderCursor;
    wxWeakRef<CMapCtrl> m_hoverMap;
    wxWeakRef<CMapCtrl> m_snapMap;
    bool m_restoring = false;
};

// True while a realtime zoom or pan drag runs: the zoom or pan tool is current and the left or
// middle button is down.
bool IsDragMouseButtonDown();
