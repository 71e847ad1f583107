#pragma once

#include "core/Location.h"
#include "views/UpdateRectTracker.h"
#include "views/ViewToolRules.h"
#include "views/ui/MapCtrl.h"

#include <wx/cursor.h>
#include <wx/event.h>
#include <wx/gdicmn.h>
#include <wx/weakref.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CGraphicDataExchange;
class CViewToolHost;
class wxDC;
class wxEvtHandler;

// A tool that drives the map windows: exactly one is current for the whole program, and every
// mouse event of a map reaches it through the tool host. The base gives every tool the hover and
// snap timers, the overlay (rubber lines, crosshairs and circles painted over a copy of the map's
// picture and erased by showing the picture again), the snap marker, the cursor chosen by the pick
// box size and the common location pick into the graphic data exchange. A replaced tool is
// retired, not deleted, because it may still be on the call stack; retired tools are deleted at
// idle (DeleteViewToolClasses).
class CViewTool
{
public:
    explicit CViewTool(CMapCtrl* map = nullptr);
    // Takes over the map window of the tool it replaces.
    explicit CViewTool(const CViewTool* previous);
    virtual ~CViewTool();
    CViewTool(const CViewTool&) = delete;
    CViewTool& operator=(const CViewTool&) = delete;

    CMapCtrl* GetMapWindow() const { return m_map.get(); }
    CMapCtrl* GetMapWnd() const { return m_map.get(); }
    bool HasMapWnd() const { return m_map.get() != nullptr; }
    void SetMapWindow(CMapCtrl* map) { m_map = map; }
    virtual CGraphicDataExchange* GetGraphicDataExchange();

    // --- The tool's operations.
    // Takes the popup, the hover timer, the snap marker and the overlay off the map.
    virtual void Deactivate();
    virtual void EraseSnapMarker();
    // Another map: deactivates here and works there from now on.
    virtual void Attach(CMapCtrl* map);
    virtual bool IsRectangleTool() const { return false; }
    // The zoom window's two tools carry it (the Zoom Window command shows it checked).
    virtual bool IsZoomWindowTool() const { return false; }
    virtual bool IsDefaultTool() const { return false; }
    // The map repaints: the overlay and the marker leave the screen until RedrawCrosshair.
    virtual void EraseCrosshair();
    // Only the paint of the tool's own map brings its feedback back.
    virtual void RedrawCrosshair(int32_t value);
    // Sets the tool's cursor on its map; false when it has none or there is no map.
    virtual bool OnSetCursor();
    // The tool's cursor id for the current settings; 0 for none.
    virtual int32_t GetCursorId() const { return 0; }
    // Takes the cursor of GetCursorId.
    virtual void LoadToolCursor();
    virtual void OnMouseMove(uint32_t flags, int32_t x, int32_t y);
    // The common location pick; answers whether the click was snapped.
    virtual bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y);
    virtual void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    virtual void OnMButtonDown(uint32_t flags, int32_t x, int32_t y) {}
    virtual void OnMButtonUp(uint32_t flags, int32_t x, int32_t y);
    virtual void OnRButtonDown(uint32_t flags, int32_t x, int32_t y);
    virtual void OnRButtonUp(uint32_t flags, int32_t x, int32_t y) {}
    // Restarts the hover and snap timers.
    virtual void OnHoverMove(uint32_t flags, int32_t x, int32_t y);
    // After the map repainted: the snap marker at its world place, then the overlay.
    virtual void RedrawOverlay();
    // Queues the tool for deletion at the next idle pass (once).
    virtual void Retire();
    bool IsRetired() const { return m_retired; }

    // --- The overlay list, shared by all tools; it always says what is on the screen.
    static CViewToolOverlay& Overlay();
    void AddOverlayLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colourIndex);
    void AddOverlayCircle(int32_t cx, int32_t cy, int32_t px, int32_t py, int32_t colourIndex);
    // A crosshair in the "Cursor" colour when the point lies in the map; gap -1 is half the pick box.
    void AddCrosshair(int32_t x, int32_t y, int32_t gap);
    // Shows the list (when not shown) / takes it off the screen and empties it.
    void DrawOverlay();
    void EraseOverlay();

    // --- The map's queries.
    bool IsPointInMap(int32_t x, int32_t y) const;
    // A map with a window that takes tool feedback now.
    bool IsMapReady() const;
    bool IsScreenPointInMap(int32_t x, int32_t y) const;
    bool DeviceToWorld(int32_t x, int32_t y, double& wx, double& wy) const;
    bool WorldToDevice(DevicePoint& p, double wx, double wy) const;
    bool GetPickSource(int32_t& value) const;
    void ZoomToDeviceRect(const DeviceRect& rect);
    void RealtimeZoomStep(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep);
    void RealtimePanStep(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep);
    bool GetUnitLabel(std::string& label) const;

    // --- The timer procedures; the timers call them with the cursor in map client coordinates
    // once they found the map under the cursor.
    void RunHoverProcedure(const wxPoint& client);
    void RunSnapProcedure(const wxPoint& client);
    // Identifies at once what lies under the cursor, unless the popup already shows.
    void ShowHoverTipNow();

    // --- The identification popup, through the tool host (CViewToolHost::GetActive).
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

    // --- State.
    const DevicePoint& GetSnapMarkerPoint() const { return m_markerPoint; }
    const CLocation& GetSnapLocation() const { return m_snapLocation; }
    const DevicePoint& GetLastHoverPoint() const { return m_lastHoverPoint; }
    bool HasCursor() const { return m_cursorId != 0; }
    int32_t GetLoadedCursorId() const { return m_cursorId; }
    bool IsOverlayTracking() const { return m_overlayTracking; }
    // The snap timer's last cursor point, shared by all tools.
    static DevicePoint& LastSnapPoint();

    // Set while a tool drags on the map.
    static bool s_dragging;

protected:
    // The common location pick of a left press: the pick source and the click's world location
    // into the exchange, then the map's snap when a pick is wanted. True when snapped (and when
    // there is nothing to pick with).
    bool PickLocation(int32_t x, int32_t y);
    // A target field that takes tool picks, or a waiting receiver.
    static bool IsPickWanted(const CGraphicDataExchange& exchange);
    // The status bar's pane (0 message text, 2 tool read-out).
    static void SetStatusPane(int pane, const std::string& text);
    // Hint to the active document with the map as sender.
    void NotifyActiveDocument(int32_t hint, intptr_t parameter);
    // The distance of a world length in the job's display unit.
    double ToDisplayDistance(double metres) const;
    void SetCursorNow();
    // Paints the overlay (when shown) and the snap marker over a copy of the map's picture, or
    // shows the picture alone when there is neither.
    void PaintFeedback();

    // Erases the overlay at the start of a mouse handler and draws the new one at its end, so the
    // screen changes once per event.
    class OverlayScope
    {
    public:
        explicit OverlayScope(CViewTool& tool);
        ~OverlayScope();
        OverlayScope(const OverlayScope&) = delete;
        OverlayScope& operator=(const OverlayScope&) = delete;

    private:
        CViewTool& m_tool;
    };

    bool m_overlayTracking = true;
    bool m_hoverTips = true;
    int32_t m_cursorId = 0;
    DevicePoint m_lastHoverPoint = NoDevicePoint;
    CLocation m_snapLocation{0.0, 0.0, NoValue};
    DevicePoint m_markerPoint = NoDevicePoint;

private:
    void RequestPaint();

    wxWeakRef<CMapCtrl> m_map;
    bool m_retired = false;
};

// Deletes the retired tools; at idle, at exit and when the application goes.
void DeleteViewToolClasses();
size_t GetRetiredViewToolCount();

// The tool of the map when nothing waits for a pick: hover tips, the snap marker, and the clicked
// location kept in the exchange for the context menu.
class CDefaultTool : public CViewTool
{
public:
    explicit CDefaultTool(CMapCtrl* map = nullptr);
    explicit CDefaultTool(const CViewTool* previous);
    bool IsDefaultTool() const override { return true; }
    int32_t GetCursorId() const override;
};

// Serves a field that waits for an object: a point field takes only snapped clicks.
class CPickTool : public CViewTool
{
public:
    explicit CPickTool(CMapCtrl* map = nullptr);
    explicit CPickTool(const CViewTool* previous);
    int32_t GetCursorId() const override;
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
};

// Serves a field that waits for a location: every click, with a crosshair that jumps to the snap
// marker.
class CLocationTool : public CViewTool
{
public:
    explicit CLocationTool(CMapCtrl* map = nullptr);
    explicit CLocationTool(const CViewTool* previous);
    int32_t GetCursorId() const override;
    void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void RedrawOverlay() override;
};

// Serves a field that waits for a set of objects: a drag of 3 pixels or more draws the band and
// its release delivers the world rectangle; a click delivers a single click. The drag holds the
// mouse capture; Esc or a lost capture cancels it.
class CSelectByRectTool : public CViewTool
{
public:
    explicit CSelectByRectTool(CMapCtrl* map = nullptr);
    explicit CSelectByRectTool(const CViewTool* previous);
    ~CSelectByRectTool() override;
    bool IsRectangleTool() const override { return true; }
    int32_t GetCursorId() const override;
    void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
    void RedrawOverlay() override;
    void Retire() override;
    // Delivers the finished rectangle (device, normalised) to the exchange.
    void Finish(const DeviceRect& rect);
    // Esc or a lost capture: the drag ends and delivers nothing.
    void CancelDrag();
    bool IsDragging() const { return m_tracker != nullptr; }
    bool IsPressPending() const { return !m_noPress; }
    const CUpdateRectTracker* GetTracker() const { return m_tracker.get(); }

private:
    void StartDrag(uint32_t flags, int32_t x, int32_t y);
    void EndDrag(bool completed, int32_t x, int32_t y);
    void DrawBand();

    DevicePoint m_down = NoDevicePoint;
    bool m_noPress = true;
    std::unique_ptr<CUpdateRectTracker> m_tracker;
    // While the drag holds the capture: the map and the handler of its Esc and capture loss.
    wxWeakRef<CMapCtrl> m_captureMap;
    std::unique_ptr<wxEvtHandler> m_dragEvents;
};

// Rubber lines from fixed world locations (anchors) to the mouse with the distance in the status
// bar, while the user chooses a location.
class CVisualPlineTool : public CViewTool
{
public:
    enum Mode : int32_t { LinesConstrained = 1, Lines = 2, Rectangle = 3, Circle = 4 };

    CVisualPlineTool(CMapCtrl* map, const CLocation& anchor, int32_t mode, bool drawNow);
    CVisualPlineTool(CMapCtrl* map, const std::vector<CLocation>& anchors, bool drawNow);
    CVisualPlineTool(CMapCtrl* map, const std::vector<CLocation>& anchors, const std::vector<CLocation>& segmentsA,
                     const std::vector<CLocation>& segmentsB, bool drawNow);
    int32_t GetCursorId() const override;
    void Attach(CMapCtrl* map) override;
    void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void RedrawOverlay() override;
    void Retire() override;
    virtual void AddRubberBand(uint32_t flags, int32_t x, int32_t y);

    int32_t GetMode() const { return m_mode; }
    const std::vector<CLocation>& GetAnchors() const { return m_anchors; }
    CMapCtrl* GetHomeMap() const { return m_home.get(); }

protected:
    bool IsOnHomeMap() const;
    // The Ctrl constraint of modes 1 and 4.
    DevicePoint Constrain(uint32_t flags, int32_t x, int32_t y) const;
    // The read-out of the cursor against the first anchor.
    std::string ReadoutText(int32_t x, int32_t y) const;
    void DrawAtCursorIfInMap();

    int32_t m_mode = Lines;
    std::vector<CLocation> m_anchors;
    std::vector<CLocation> m_segmentsA;
    std::vector<CLocation> m_segmentsB;
    wxWeakRef<CMapCtrl> m_home;
};

// The lines of a distance or angle field from its anchor points.
class CAnchorLineTool : public CVisualPlineTool
{
public:
    CAnchorLineTool(CMapCtrl* map, const std::vector<CLocation>& anchors, const std::vector<CLocation>& segmentsA,
                    const std::vector<CLocation>& segmentsB);
    int32_t GetCursorId() const override;
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) override;
};

// The zoom window's second corner: the rectangle from the first corner to the cursor.
class CZoomPlineTool : public CVisualPlineTool
{
public:
    CZoomPlineTool(CMapCtrl* map, const CLocation& firstCorner);
    bool IsZoomWindowTool() const override { return true; }
    int32_t GetCursorId() const override { return 0; }
    void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void AddRubberBand(uint32_t flags, int32_t x, int32_t y) override;
};

// The zoom window's first corner; the cursor is hidden and a crosshair marks the position.
class CZoomRectTool : public CViewTool
{
public:
    explicit CZoomRectTool(CMapCtrl* map = nullptr);
    explicit CZoomRectTool(const CViewTool* previous);
    bool IsZoomWindowTool() const override { return true; }
    void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
    void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void RedrawOverlay() override;
};

// What the realtime zoom and pan tools share: a press starts a drag, and every move while the
// button is held is one step of the map, the first of a drag flagged so the map records it.
class CRealtimeDragTool : public CViewTool
{
public:
    using CViewTool::CViewTool;
    void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
    void OnRButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void Retire() override;
    bool IsStarted() const { return m_started; }
    bool IsFirstStep() const { return m_firstStep; }

protected:
    // The map draws its picture anew once the drag ends.
    void EndDrag();
    virtual bool IsDragButtonHeld(uint32_t flags) const { return (flags & ToolKeyLButton) != 0; }
    virtual void Step(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep) = 0;
    // A drag that began before the tool existed takes its first move as its start.
    virtual void OnLateStart() { LoadToolCursor(); }
    void Start(int32_t x, int32_t y);

    DevicePoint m_last = NoDevicePoint;
    bool m_firstStep = false;
    bool m_started = false;
};

// Zooms while the mouse is dragged: up zooms in, down zooms out.
class CRealtimeZoomTool : public CRealtimeDragTool
{
public:
    explicit CRealtimeZoomTool(CMapCtrl* map = nullptr);
    explicit CRealtimeZoomTool(const CViewTool* previous);
    int32_t GetCursorId() const override { return RealtimeZoomCursorId; }

protected:
    void Step(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep) override;
};

// Moves the picture with the mouse; also while the middle button is held.
class CRealtimePanTool : public CRealtimeDragTool
{
public:
    explicit CRealtimePanTool(CMapCtrl* map = nullptr);
    explicit CRealtimePanTool(const CViewTool* previous);
    int32_t GetCursorId() const override { return m_dragging ? RealtimePanDragCursorId : RealtimePanIdleCursorId; }
    bool OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
    void OnMButtonDown(uint32_t flags, int32_t x, int32_t y) override;
    void OnMButtonUp(uint32_t flags, int32_t x, int32_t y) override;

protected:
    bool IsDragButtonHeld(uint32_t flags) const override
    {
        return (flags & (ToolKeyLButton | ToolKeyMButton)) != 0;
    }
    void Step(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep) override;
    void OnLateStart() override { SetDragging(true); }

private:
    void SetDragging(bool dragging);
    bool m_dragging = false;
};
