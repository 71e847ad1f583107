#pragma once

#include "core/Location.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/ZoomUndoStack.h"
#include "views/DrawState.h"
#include "views/MapPointGrid.h"
#include "views/ObjectIdOwner.h"
#include "views/PickQuery.h"
#include "views/WorldDeviceMap.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CDataFileDoc;
class CGraphicDataExchange;
class CMapCtrlCore;
class CMapCtrlMemoryView;
class CMapSurface;
class CRecord;
struct RecordState;
class CPointRecord;
struct RedBlackNode;

// What the map needs of the window that shows it. The window layer implements it; tests use fakes.
class CMapHost
{
public:
    virtual ~CMapHost() = default;

    // The off-screen layer for this map, with a bitmap of the given size.
    virtual std::unique_ptr<CMapCtrlMemoryView> CreateLayer(CMapCtrlCore& map, int32_t width, int32_t height) = 0;
    // The size of the whole screen: the layer's bitmap covers any client size.
    virtual DevicePoint GetScreenSize() const = 0;
    virtual bool HasWindow() const { return true; }
    // Repaint the window from the layer (invalidate and update now).
    virtual void RedrawWindow() {}
    virtual void InvalidateWindow() {}
    // The current tool's crosshair and feedback are taken off before the layer changes.
    virtual void EraseToolFeedback() {}
    // Marks a point after a zoom onto it (the shrinking ring).
    virtual void AnimateZoomRing(DevicePoint centre) {}
    virtual CGraphicDataExchange* GetGraphicDataExchange() { return nullptr; }
    // The main frame's snap lock: while on, a one-shot snap mode stays after use.
    virtual bool IsSnapLocked() const { return false; }
    // RGB (0x00BBGGRR) of a colour-table index.
    virtual uint32_t PaletteColour(int32_t index) const;
};

// The map of a job without its window: the world window with its zoom history, the fitted
// mapping, the queries that turn screen points into world positions and find the points under the
// cursor, and the drawing of points into a surface. The window's private messages are member
// calls here, each named with its message number.
class CMapCtrlCore : public CZoomWindowTarget, public CPickToleranceMap, public CObjectIdOwner
{
public:
    explicit CMapCtrlCore(CMapHost* host = nullptr);
    ~CMapCtrlCore() override;
    CMapCtrlCore(const CMapCtrlCore&) = delete;
    CMapCtrlCore& operator=(const CMapCtrlCore&) = delete;

    void SetHost(CMapHost* host) { m_host = host; }
    CMapHost* GetHost() const { return m_host; }
    void SetDocument(CDataFileDoc* document) { m_document = document; }
    CDataFileDoc* GetDocument() const { return m_document; }
    // 0 for the job view's pane, 2 for a map outside a job view.
    void SetViewKind(int32_t kind) { m_viewKind = kind; }
    int32_t GetViewKind() const { return m_viewKind; }

    const CWorldDeviceMap& GetMapping() const { return m_mapping; }
    const DeviceRect& GetClientRect() const { return m_clientRect; }
    const CLocation& GetVisibleTopLeft() const { return m_visibleTopLeft; }
    const CLocation& GetVisibleBottomRight() const { return m_visibleBottomRight; }
    CZoomUndoStack& GetZoomHistory() { return m_zoomHistory; }
    CDrawState& GetDrawState() { return m_drawState; }
    CMapCtrlMemoryView* GetLayer() const { return m_layer.get(); }

    // --- Layout and window.
    // The window's client rectangle changed (and when deferral ends).
    void OnLayout(const DeviceRect& client);
    void SetDeferLayout(bool defer);
    bool IsLayoutDeferred() const { return m_deferLayout; }

    void SetWorldWindow(double x1, double x2, double y1, double y2);
    const CWorldRect& GetWindow() const { return m_requestedWindow; }
    void ApplyWindow(const CWorldRect& r);
    void SetWindowAndRefresh(double x1, double x2, double y1, double y2);

    // --- Zoom; each pushes the change on the zoom history.
    // False (nothing changed) when the window would be narrower than 0.01.
    bool ZoomIn(double percent);
    bool ZoomOut(double percent);
    virtual void ZoomExtents(bool push);
    void ZoomToClientRect(const DeviceRect& rect);
    void ZoomToPointRecord(CPointRecord* point);
    // A wheel notch (delta 120) at a client point zooms by 10 % a side; negative deltas zoom out.
    void OnMouseWheelZoom(int32_t delta);
    bool ZoomPrevious();
    bool ZoomNext();

    // --- Queries.
    void OnDeviceToWorld8083(CPickQuery& q) const;
    void OnWorldToDevice8084(CPickQuery& q) const;
    bool OnGetExchange8085(CPickQuery& q);
    void OnGetViewKind8086(CPickQuery& q) const { q.viewKind = m_viewKind; }
    void OnZoomWindow8087(const CPickQuery& q) { ZoomToClientRect(q.rect); }
    // A realtime zoom or pan drag: each step shows the last picture moved and scaled to the new
    // window, and the picture is drawn anew once when the drag ends, so it follows the mouse however
    // many points are in view.
    void BeginRealtimeDrag() { m_realtimeDrag = true; }
    void EndRealtimeDrag();
    bool IsRealtimeDrag() const { return m_realtimeDrag; }
    void OnRealtimeZoom8088(const CDragStep& step);
    void OnRealtimePan8089(const CDragStep& step);
    bool OnPick808B(bool allRecords, CPickQuery& q);
    bool OnHitSearch808C(bool allRecords, CPickQuery& q);
    bool OnUnitText808D(CPickQuery& q) const;
    bool OnZoomUndo808E(const CWorldRect& window) override;
    bool OnZoomRedo808F(const CWorldRect& window) override;
    bool OnDrawRecord8090(CPickQuery& q);
    bool OnSnap8091(CPickQuery& q);
    bool OnSnapFromCursor8092(CPickQuery& q);
    // 1 when the client point lies outside the client rectangle (right and bottom edges included).
    bool OnIsOutside80B1(int32_t x, int32_t y) const;

    // CObjectIdOwner: the popups ask through the queries above.
    bool GetObjectUnitLabel(std::string& label) override;
    bool HighlightObject(CRecord* record, bool on) override;
    bool IsDrawingPending() override { return HasPendingDrawing(); }

    // World half-sizes of half the pick box at the current scale.
    CLocation ComputePickTolerance() const;
    // CPickToleranceMap
    CLocation DeviceToWorld(int32_t x, int32_t y) override { return m_mapping.DeviceToWorld(x, y); }
    bool SetPickTolerances(double x, double y) override;

    // Grid snap of one axis: o + s * round((c - o) / s); false for a spacing that is not positive
    // and finite.
    static bool SnapToGridAxis(double c, double origin, double spacing, double& out);

    // --- Drawing.
    // Re-anchors the layer to the screen rectangle and asks it for a full redraw.
    void Refresh();
    void CancelQueuedDrawing();
    // Submits a drawing request for the job view's map (view kind 0 only).
    void DrawWithState(const CDrawState& state);
    // 0x807F: whether drawing is pending (true when there is no layer bitmap).
    bool HasPendingDrawing() const;
    // Whether the map draws the record; previews and extents ask it too.
    virtual bool IncludeInExtents(CRecord* record) { return true; }
    // One point under a draw state.
    void DrawPoint(CMapSurface& surface, CRecord* record, const CDrawState& state);
    // Draws points from pos in the point-name order, at most limit of them looked at; pos is null
    // at the end. Points outside the visible window are skipped before any conversion.
    void DrawNextPoints(CMapSurface& surface, const CDrawState& state, RedBlackNode*& pos, int32_t limit);
    // The points a request draws in the visible window, in point-name order, gathered through the
    // spatial index; false when the request must walk every point (a highlight resync).
    bool GatherVisiblePoints(const CDrawState& state, std::vector<CRecord*>& out);
    // Draws the gathered points from next on, at most limit of them.
    void DrawPointList(CMapSurface& surface, const CDrawState& state, const std::vector<CRecord*>& points,
                       size_t& next, int32_t limit);
    // The preview objects, step by step; more is cleared when everything is drawn.
    virtual void DrawPreviewStep(CMapSurface& surface, bool& more, bool fresh) { more = false; }
    // The north arrow and, when the job holds a point, the scale bar (in the client rectangle).
    virtual void DrawDecorations(CMapSurface& surface);
    void PrintDecorations(CMapSurface& surface) { DrawDecorations(surface); }
    // Renders the whole map onto a printer page: every point, every preview object, the decorations,
    // through the given mapping into the printable rectangle of a page of pageSize pixels. The
    // map's own mapping, rectangle, draw state and visible corners are back afterwards.
    void PrintMap(CMapSurface& surface, const DeviceRect& printable, const CWorldDeviceMap& mapping,
                  DevicePoint pageSize);
    bool IsPrinting() const { return m_printing; }

    // Tells the map that the settings changed (fonts and colours are read again).
    void SetGdiDirty() { m_gdiDirty = true; }

protected:
    void PushZoom(const CWorldRect& before);
    // Creates the layer when needed and anchors its bitmap to the screen rectangle; false without
    // a valid mapping, a window or a layer.
    bool AnchorLayer();
    // Grows the extent by every record the map includes; ignores records that would make it
    // infinite.
    virtual void AddRecordsToExtent(CExtent2D& extent);
    // Applies one snap mode (1 nearest point, 2 cursor, 3 grid) to the exchange's last location.
    bool ApplySnapMode(int32_t mode, CLocation& out);
    uint32_t Colour(int32_t index) const;
    // The job's points filed by position: in point-name order for drawing, in store order for the
    // hit tests and counts. Rebuilt when the job, or any point's place in it, changed since.
    const CMapPointGrid& DrawGrid();
    const CMapPointGrid& StoreGrid();

public:
    // The header of every record of the job's store in store order, kept between changes so the
    // highlight resync after each full redraw reads an array, not the store's lists and records.
    const std::vector<RecordState*>& StoreHeaders();

protected:

    CMapHost* m_host = nullptr;
    CDataFileDoc* m_document = nullptr;
    int32_t m_viewKind = 2;
    CWorldDeviceMap m_mapping;
    DeviceRect m_clientRect{-1, -1, -1, -1};
    bool m_deferLayout = false;
    bool m_inLayout = false;
    bool m_layoutPending = false;
    DeviceRect m_deferredClient;
    bool m_gdiDirty = true;
    bool m_realtimeDrag = false;
    bool m_printing = false;
    CDrawState m_drawState;
    CLocation m_visibleTopLeft;
    CLocation m_visibleBottomRight;
    CZoomUndoStack m_zoomHistory;
    CWorldRect m_requestedWindow;
    std::unique_ptr<CMapCtrlMemoryView> m_layer;
    struct GridKey
    {
        const void* store = nullptr;
        const void* names = nullptr;
        uint64_t generation = 0;
        bool valid = false;
        bool operator==(const GridKey&) const = default;
    };
    GridKey CurrentGridKey() const;
    CMapPointGrid m_drawGrid;
    GridKey m_drawGridKey;
    CMapPointGrid m_storeGrid;
    GridKey m_storeGridKey;
    std::vector<RecordState*> m_storeHeaders;
    GridKey m_storeHeadersKey;
};
