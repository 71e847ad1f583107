#pragma once

#include "views/DrawState.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class CMapCtrlCore;
class CMapSurface;
class CRecord;
struct RedBlackNode;

// The map's off-screen drawing layer: a queue of drawing requests carried out into a bitmap in
// steps that Esc can end. The bitmap itself is the window layer's; it derives from this class.
// The layer is synchronous: every request runs to its end or to Esc.
class CMapCtrlMemoryView
{
public:
    explicit CMapCtrlMemoryView(CMapCtrlCore* map, int32_t viewKind);
    virtual ~CMapCtrlMemoryView();
    CMapCtrlMemoryView(const CMapCtrlMemoryView&) = delete;
    CMapCtrlMemoryView& operator=(const CMapCtrlMemoryView&) = delete;

    // --- The bitmap side.
    virtual bool HasBitmap() const = 0;
    virtual CMapSurface* GetSurface() = 0;
    // Fills the bitmap with the settings' background colour.
    virtual void FillBackground() = 0;
    // Whether Escape was pressed since it was last asked.
    virtual bool EscapePressed() = 0;

    // The bitmap's world corners: top-left (x1, y1), bottom-right (x2, y2).
    void SetBitmapWindow(double x1, double y1, double x2, double y2);
    double GetWorldX1() const { return m_x1; }
    double GetWorldY1() const { return m_y1; }
    double GetWorldX2() const { return m_x2; }
    double GetWorldY2() const { return m_y2; }

    bool HasQueued() const { return !m_queue.empty(); }
    size_t GetQueuedCount() const { return m_queue.size(); }
    // Drops every request.
    void Reset();
    void Submit(const CDrawState& state);
    void RequestFullRedraw();
    // Runs the queue to its end.
    void Drain();
    // The next request would be drawn at once rather than queued.
    static bool DrawsAtOnce(const CDrawState& state);
    // How many records a drawing step looks at before it checks Esc again.
    static constexpr int32_t StepRecords = 2048;

    // Every live layer is listed, so that the change-hint delivery can ask for drawing left over
    // and have it finished (the continuation pump). Layers draw each request to its end, so in
    // practice nothing is left over; the pump still finishes whatever a layer holds.
    static bool HasWaitingLayers();
    static void RunContinuationPump();
    // Installs the two above as the map layer handlers of the change-hint delivery.
    static void InstallLayerHandlers();

protected:
    void Begin();
    // One step of the head request; false when it is finished or was ended by Esc.
    bool Step();
    void End();

private:
    // After a full redraw every record's highlight follows the selection again.
    void ResyncAllHighlights();

    CMapCtrlCore* m_map;
    int32_t m_viewKind;
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    std::deque<CDrawState> m_queue;
    bool m_started = false;
    // A request made while one is drawing (a hint delivered while drawing checks for Escape) is
    // queued for the loop that is already draining.
    bool m_draining = false;
    RedBlackNode* m_pointPosition = nullptr;
    // The visible points of the request, when the map's index gathered them; else the walk above.
    std::vector<CRecord*> m_visiblePoints;
    size_t m_visibleNext = 0;
    bool m_pointsGathered = false;
    // What the last highlight resync saw; while all of it holds, the flags are still in step.
    struct ResyncMark
    {
        const void* store = nullptr;
        uint64_t storeGeneration = 0;
        uint64_t flagsGeneration = 0;
        uint32_t from = 0;
        uint32_t to = 0;
        bool valid = false;
        bool operator==(const ResyncMark&) const = default;
    };
    ResyncMark m_lastResync;
    bool m_pointsStarted = false;
    bool m_pointsDone = false;
    bool m_previewMore = false;
    bool m_previewsStarted = false;
};
