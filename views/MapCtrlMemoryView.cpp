#include "views/MapCtrlMemoryView.h"

#include "model/DataFileDoc.h"
#include "model/DataFileHiSelection.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Record.h"
#include "model/RecordDatabase.h"
#include "views/MapCtrlCore.h"
#include "views/MapSurface.h"
#include "platform/ShellHooks.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<CMapCtrlMemoryView*>& LiveLayers()
{
    static std::vector<CMapCtrlMemoryView*> layers;
    return layers;
}

bool g_pumping = false;

} // namespace

CMapCtrlMemoryView::CMapCtrlMemoryView(CMapCtrlCore* map, int32_t viewKind) : m_map(map), m_viewKind(viewKind)
{
    LiveLayers().push_back(this);
}

CMapCtrlMemoryView::~CMapCtrlMemoryView()
{
    auto& live = LiveLayers();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

bool CMapCtrlMemoryView::HasWaitingLayers()
{
    for (CMapCtrlMemoryView* layer : LiveLayers())
        if (layer->HasQueued())
            return true;
    return false;
}

void CMapCtrlMemoryView::RunContinuationPump()
{
    if (g_pumping)
        return;
    g_pumping = true;
    // A copy: drawing may end a layer's window, and a layer gone meanwhile is not touched.
    const std::vector<CMapCtrlMemoryView*> waiting = LiveLayers();
    for (CMapCtrlMemoryView* layer : waiting) {
        auto& live = LiveLayers();
        if (std::find(live.begin(), live.end(), layer) == live.end() || !layer->HasQueued())
            continue;
        layer->Drain();
        if (layer->m_map && layer->m_map->GetHost())
            layer->m_map->GetHost()->RedrawWindow();
    }
    g_pumping = false;
}

void CMapCtrlMemoryView::InstallLayerHandlers()
{
    SetMapLayerHandlers(&CMapCtrlMemoryView::HasWaitingLayers, &CMapCtrlMemoryView::RunContinuationPump);
}

void CMapCtrlMemoryView::SetBitmapWindow(double x1, double y1, double x2, double y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
}

void CMapCtrlMemoryView::Reset()
{
    m_queue.clear();
    End();
}

bool CMapCtrlMemoryView::DrawsAtOnce(const CDrawState& state)
{
    return state.colourFlag == DrawColourErase || state.colourFlag == 0 || state.mode == DrawModeOneRecord;
}

void CMapCtrlMemoryView::RequestFullRedraw()
{
    Submit(CDrawState(m_viewKind, DrawModeAll, nullptr, 0, 0, DrawColourNormal));
}

void CMapCtrlMemoryView::Submit(const CDrawState& state)
{
    if (m_viewKind == -1 || m_x1 == m_x2 || m_y1 == m_y2)
        return;
    if (!HasQueued()) {
        End();
        if (m_map)
            m_map->GetDrawState() = state;
        m_started = true;
    }
    m_queue.push_back(state);
    Drain();
    if (m_map && m_map->GetHost())
        m_map->GetHost()->RedrawWindow();
}

void CMapCtrlMemoryView::Drain()
{
    if (m_draining)
        return;
    m_draining = true;
    while (!m_queue.empty()) {
        Begin();
        while (Step()) {
        }
        // Drawing polls for Esc and so lets events run; one of them (a job closing) may have
        // emptied the queue under us.
        if (!m_queue.empty())
            m_queue.pop_front();
        End();
    }
    m_draining = false;
}

void CMapCtrlMemoryView::Begin()
{
    if (m_map)
        m_map->GetDrawState() = m_queue.empty() ? CDrawState() : m_queue.front();
    // Asking clears a press that came before this request.
    EscapePressed();
    m_started = false;
    if (!m_queue.empty() && m_queue.front().mode == DrawModeAll)
        FillBackground();
}

void CMapCtrlMemoryView::End()
{
    m_started = false;
    m_pointPosition = nullptr;
    m_visiblePoints.clear();
    m_visibleNext = 0;
    m_pointsGathered = false;
    m_pointsStarted = false;
    m_pointsDone = false;
    m_previewMore = false;
    m_previewsStarted = false;
}

void CMapCtrlMemoryView::ResyncAllHighlights()
{
    CDataFileDoc* doc = m_map ? m_map->GetDocument() : nullptr;
    if (!doc || !doc->GetRecordDatabase())
        return;
    // What SyncHighlight does to each record, its checks asked once: the highlight's bit becomes
    // the selection's. Without both selections, or with the highlight detached, nothing changes.
    const CSelection* current = doc->GetCurrentSelection();
    CDataFileHiSelection* hi = doc->GetHiSelection();
    if (!current || !hi || !hi->IsBound())
        return;
    const uint32_t from = current->IsBound() ? current->GetMask() : 0;
    const uint32_t to = hi->GetMask();
    // Every flag change goes through SetFlags, and records coming or going move the store's
    // generation: with neither moved since the last resync, every record is still in step.
    const ResyncMark mark{doc->GetRecordDatabase(), GetPointGeometryGeneration(), CRecord::GetFlagsGeneration(),
                          from, to, true};
    if (mark == m_lastResync)
        return;
    // The walk is bound by fetching each record's flags; asking ahead keeps fetches in flight.
    constexpr size_t Ahead = 16;
    const std::vector<RecordState*>& headers = m_map->StoreHeaders();
    for (size_t i = 0; i < headers.size(); ++i) {
        if (i + Ahead < headers.size())
            __builtin_prefetch(&headers[i + Ahead]->flags, 1);
        uint32_t& flags = headers[i]->flags;
        flags = (flags & from) != 0 ? (flags | to) : (flags & ~to);
    }
    m_lastResync = mark;
}

bool CMapCtrlMemoryView::Step()
{
    if (m_queue.empty() || !m_map || !HasBitmap())
        return false;
    const CDrawState state = m_queue.front();
    CMapSurface* surface = GetSurface();
    CDataFileDoc* doc = m_map->GetDocument();
    if (!surface || !doc)
        return false;
    const bool fullRedraw = state.mode == DrawModeAll && state.colourFlag == DrawColourNormal;

    if (state.mode == DrawModeOneRecord) {
        // A record deleted while the request waited is skipped.
        if (doc->ContainsRecord(state.record, kRecordTypePoint))
            m_map->DrawPoint(*surface, state.record, state);
        return false;
    }
    if (!m_pointsDone) {
        if (!m_pointsStarted) {
            m_pointsStarted = true;
            m_pointPosition = doc->GetPointDatabase() ? doc->GetPointDatabase()->GetFirstPosition() : nullptr;
            m_visibleNext = 0;
            m_pointsGathered = m_pointPosition != nullptr && m_map->GatherVisiblePoints(state, m_visiblePoints);
        }
        if (m_pointsGathered)
            m_map->DrawPointList(*surface, state, m_visiblePoints, m_visibleNext, StepRecords);
        else
            m_map->DrawNextPoints(*surface, state, m_pointPosition, StepRecords);
        if (EscapePressed()) {
            if (fullRedraw)
                ResyncAllHighlights();
            return false;
        }
        if (m_pointsGathered ? m_visibleNext < m_visiblePoints.size() : m_pointPosition != nullptr)
            return true;
        m_pointsDone = true;
        m_previewMore = true;
    }
    if (m_previewMore) {
        const bool fresh = !m_previewsStarted;
        m_previewsStarted = true;
        m_map->DrawPreviewStep(*surface, m_previewMore, fresh);
        if (EscapePressed()) {
            if (fullRedraw)
                ResyncAllHighlights();
            return false;
        }
        if (m_previewMore)
            return true;
    }
    if (fullRedraw)
        ResyncAllHighlights();
    return false;
}
