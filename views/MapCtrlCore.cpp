#include "views/MapCtrlCore.h"

#include "core/DataFileFormat.h"
#include "framework/GraphicDataExchange.h"
#include "model/DataFileDoc.h"
#include "model/DataFileHiSelection.h"
#include "model/HintCodes.h"
#include "model/JobFileMathConversions.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/Selection.h"
#include "views/MapCtrlMemoryView.h"
#include "views/MapPrintLayout.h"
#include "views/MapSurface.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// Without the window layer's colour table: a grey ramp keeps the roles apart.
uint32_t GreyRamp(int32_t index)
{
    const uint32_t v = uint32_t(index) & 0xFF;
    return v | (v << 8) | (v << 16);
}

} // namespace

uint32_t CMapHost::PaletteColour(int32_t index) const
{
    return GreyRamp(index);
}

CMapCtrlCore::CMapCtrlCore(CMapHost* host) : m_host(host)
{
    m_zoomHistory.SetTarget(this);
}

CMapCtrlCore::~CMapCtrlCore() = default;

uint32_t CMapCtrlCore::Colour(int32_t index) const
{
    return m_host ? m_host->PaletteColour(index) : GreyRamp(index);
}

// ---------------------------------------------------------------- layout and window

void CMapCtrlCore::SetDeferLayout(bool defer)
{
    m_deferLayout = defer;
    if (!defer && m_layoutPending) {
        m_layoutPending = false;
        OnLayout(m_deferredClient);
    }
}

void CMapCtrlCore::OnLayout(const DeviceRect& client)
{
    if (m_deferLayout) {
        // The change is laid out when deferral ends.
        m_layoutPending = true;
        m_deferredClient = client;
        return;
    }
    if (m_inLayout)
        return;
    m_inLayout = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{m_inLayout};

    if (client.IsEmpty()) {
        m_clientRect = client;
        return;
    }
    if (client == m_clientRect && m_mapping.IsValid())
        return;
    if (!m_mapping.IsValid()) {
        m_clientRect = client;
        SetWindowAndRefresh(0, 100, 100, 0);
        m_zoomHistory.RemoveAll();
        return;
    }
    const DeviceRect old = m_clientRect;
    m_clientRect = client;
    const double oldW = old.Width() > 0 ? old.Width() : 0;
    const double oldH = old.Height() > 0 ? old.Height() : 0;
    if (client.Width() < 1 || client.Height() < 1) {
        Refresh();
        return;
    }
    const double fx = oldW == 0 ? 1.0 : client.Width() / oldW;
    const double fy = oldH == 0 ? 1.0 : client.Height() / oldH;
    CWorldRect r = m_requestedWindow;
    ScaleWorldRect(r, fx, fy);
    m_zoomHistory.ScaleExtents(fx, fy);
    ApplyWindow(r);
}

void CMapCtrlCore::SetWorldWindow(double x1, double x2, double y1, double y2)
{
    m_requestedWindow = CWorldRect{x1, x2, y1, y2};
    double minX = std::min(x1, x2), maxX = std::max(x1, x2);
    double minY = std::min(y1, y2), maxY = std::max(y1, y2);
    if (maxX - minX < 0.01) {
        minX -= 0.005;
        maxX += 0.005;
    }
    if (maxY - minY < 0.01) {
        minY -= 0.005;
        maxY += 0.005;
    }
    m_mapping.Fit(m_clientRect, minX, maxX, maxY, minY, NoValue, true);
    m_visibleTopLeft = m_mapping.DeviceToWorld(m_clientRect.left, m_clientRect.top);
    m_visibleBottomRight = m_mapping.DeviceToWorld(m_clientRect.right, m_clientRect.bottom);
    m_mapping.Fit(m_clientRect, m_visibleTopLeft.x, m_visibleBottomRight.x, m_visibleTopLeft.y,
                  m_visibleBottomRight.y, NoValue, true);
}

void CMapCtrlCore::ApplyWindow(const CWorldRect& r)
{
    SetWorldWindow(r.x1, r.x2, r.y2, r.y1);
    if (m_realtimeDrag && m_layer && m_layer->HasBitmap() && !m_layer->HasQueued() && m_host) {
        // The window shows the layer where its world corners fall now.
        m_host->RedrawWindow();
        return;
    }
    Refresh();
}

void CMapCtrlCore::EndRealtimeDrag()
{
    if (!m_realtimeDrag)
        return;
    m_realtimeDrag = false;
    Refresh();
}

void CMapCtrlCore::SetWindowAndRefresh(double x1, double x2, double y1, double y2)
{
    SetWorldWindow(x1, x2, y1, y2);
    Refresh();
}

void CMapCtrlCore::PushZoom(const CWorldRect& before)
{
    m_zoomHistory.PushIfChanged(std::make_unique<CZoomOperation>(before, m_requestedWindow));
}

// ---------------------------------------------------------------- zoom

namespace {

bool WideEnough(double w, double h)
{
    return std::min(std::fabs(w), std::fabs(h)) >= 0.01;
}

} // namespace

bool CMapCtrlCore::ZoomIn(double percent)
{
    const double f = percent * 0.01;
    const CLocation tl = m_visibleTopLeft, br = m_visibleBottomRight;
    const double dx = br.x - tl.x, dy = br.y - tl.y;
    const double x1 = tl.x + dx * f, x2 = br.x - dx * f, y1 = br.y - dy * f, y2 = tl.y + dy * f;
    if (!(WideEnough(x2 - x1, y2 - y1)) || x2 <= x1 || y2 <= y1)
        return false;
    const CWorldRect before = m_requestedWindow;
    SetWorldWindow(x1, x2, y1, y2);
    Refresh();
    PushZoom(before);
    return true;
}

bool CMapCtrlCore::ZoomOut(double percent)
{
    const double f = percent * 0.01;
    const CLocation tl = m_visibleTopLeft, br = m_visibleBottomRight;
    const double dx = br.x - tl.x, dy = br.y - tl.y;
    const double x1 = tl.x - dx * f, x2 = br.x + dx * f, y1 = br.y + dy * f, y2 = tl.y - dy * f;
    if (!WideEnough(x2 - x1, y2 - y1) || x2 <= x1 || y2 <= y1)
        return false;
    const CWorldRect before = m_requestedWindow;
    SetWorldWindow(x1, x2, y1, y2);
    Refresh();
    PushZoom(before);
    return true;
}

void CMapCtrlCore::AddRecordsToExtent(CExtent2D& extent)
{
    if (!m_document || !m_document->GetRecordDatabase())
        return;
    CRecordDatabase* store = m_document->GetRecordDatabase();
    CRecordCursor cursor = store->GetFirstRecord(0);
    while (cursor.IsValid()) {
        CRecord* record = store->GetNextRecord(cursor);
        if (record == nullptr || !IncludeInExtents(record))
            continue;
        CExtent2D grown = extent;
        record->AddToExtents(grown);
        const bool finite = std::fabs(grown.left) < DBL_MAX && std::fabs(grown.right) < DBL_MAX &&
                            std::fabs(grown.top) < DBL_MAX && std::fabs(grown.bottom) < DBL_MAX;
        if (grown.empty || finite)
            extent = grown;
    }
}

void CMapCtrlCore::ZoomExtents(bool push)
{
    const CWorldRect before = m_requestedWindow;
    CExtent2D extent;
    AddRecordsToExtent(extent);
    if (extent.empty) {
        extent.left = extent.right = extent.top = extent.bottom = 0.0;
        extent.empty = false;
    }
    extent.InflateIfDegenerate(1.0, 1.0);
    extent.InflateByRatio(0.125);
    SetWorldWindow(extent.left, extent.right, extent.bottom, extent.top);
    if (push) {
        PushZoom(before);
        Refresh();
    } else if (m_document) {
        if (AnchorLayer()) {
            m_layer->Reset();
            m_layer->FillBackground();
        }
        m_document->SendHint(nullptr, HintRefreshAll, 1);
    } else {
        Refresh();
    }
}

void CMapCtrlCore::ZoomToClientRect(const DeviceRect& rect)
{
    const CWorldRect before = m_requestedWindow;
    const CLocation tl = m_mapping.DeviceToWorld(rect.left, rect.top);
    const CLocation br = m_mapping.DeviceToWorld(rect.right, rect.bottom);
    SetWorldWindow(tl.x, br.x, tl.y, br.y);
    Refresh();
    PushZoom(before);
}

void CMapCtrlCore::ZoomToPointRecord(CPointRecord* point)
{
    if (!m_document || !point || !point->GetLocation().HasPlaneCoordinates())
        return;
    const CLocation at = point->GetLocation();
    double hw = (m_visibleBottomRight.x - m_visibleTopLeft.x) / 2;
    double hh = (m_visibleTopLeft.y - m_visibleBottomRight.y) / 2;
    double left = at.x - hw, right = at.x + hw, bottom = at.y - hh, top = at.y + hh;
    const CMapPointGrid* grid = m_document->GetRecordDatabase() ? &StoreGrid() : nullptr;
    int32_t previous = -1;
    int same = 0;
    while (grid) {
        const int32_t n = grid->Count(left, top, right, bottom);
        if (n < 6)
            break;
        if (n == previous) {
            if (++same > 5)
                break;
        } else {
            same = 0;
        }
        previous = n;
        const double w = right - left, h = top - bottom;
        left += w * 0.25;
        right -= w * 0.25;
        bottom += h * 0.25;
        top -= h * 0.25;
        if (right - left <= 0.01 || top - bottom <= 0.01)
            break;
    }
    const CWorldRect before = m_requestedWindow;
    SetWorldWindow(left, right, bottom, top);
    PushZoom(before);
    Refresh();
    if (m_host)
        m_host->AnimateZoomRing(m_mapping.WorldToDevice(at.x, at.y));
}

void CMapCtrlCore::OnMouseWheelZoom(int32_t delta)
{
    const int32_t d = delta * 20 / 120;
    DeviceRect r = m_clientRect;
    const int32_t mx = r.Width() * d / 200, my = r.Height() * d / 200;
    r.left += mx;
    r.right -= mx;
    r.top += my;
    r.bottom -= my;
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    ZoomToClientRect(r);
}

bool CMapCtrlCore::ZoomPrevious()
{
    if (!m_zoomHistory.CanUndo())
        return false;
    return m_zoomHistory.Undo();
}

bool CMapCtrlCore::ZoomNext()
{
    if (!m_zoomHistory.CanRedo())
        return false;
    return m_zoomHistory.Redo();
}

void CMapCtrlCore::OnRealtimeZoom8088(const CDragStep& step)
{
    const CWorldRect w = m_requestedWindow;
    const double dy = step.y1 - step.y2;
    const double d = dy * (w.x2 - w.x1) / 500;
    const double e = dy * (w.y2 - w.y1) / 500;
    CWorldRect r{w.x1 + d / 2, w.x2 - d / 2, w.y1 + e / 2, w.y2 - e / 2};
    // A window that would turn inside out is as empty as one that vanishes.
    if (!WideEnough(r.x2 - r.x1, r.y2 - r.y1) || (r.x2 - r.x1) * (w.x2 - w.x1) <= 0 ||
        (r.y2 - r.y1) * (w.y2 - w.y1) <= 0)
        return;
    if (step.pushHistory)
        m_zoomHistory.PushIfChanged(std::make_unique<CZoomOperation>(w, r));
    ApplyWindow(r);
}

void CMapCtrlCore::OnRealtimePan8089(const CDragStep& step)
{
    const CLocation a = m_mapping.DeviceToWorld(step.x1, step.y1);
    const CLocation b = m_mapping.DeviceToWorld(step.x2, step.y2);
    const double mx = b.x - a.x, my = b.y - a.y;
    const CWorldRect w = m_requestedWindow;
    CWorldRect r{w.x1 - mx, w.x2 - mx, w.y1 - my, w.y2 - my};
    if (step.pushHistory)
        m_zoomHistory.PushIfChanged(std::make_unique<CZoomOperation>(w, r));
    ApplyWindow(r);
}

bool CMapCtrlCore::OnZoomUndo808E(const CWorldRect& window)
{
    ApplyWindow(window);
    return true;
}

bool CMapCtrlCore::OnZoomRedo808F(const CWorldRect& window)
{
    ApplyWindow(window);
    return true;
}

// ---------------------------------------------------------------- queries

void CMapCtrlCore::OnDeviceToWorld8083(CPickQuery& q) const
{
    const CLocation w = m_mapping.DeviceToWorld(q.point);
    q.location.x = w.x;
    q.location.y = w.y;
}

void CMapCtrlCore::OnWorldToDevice8084(CPickQuery& q) const
{
    q.point = m_mapping.WorldToDevice(q.location.x, q.location.y);
}

bool CMapCtrlCore::OnGetExchange8085(CPickQuery& q)
{
    q.exchange = m_host ? m_host->GetGraphicDataExchange() : nullptr;
    return q.exchange != nullptr;
}

bool CMapCtrlCore::OnHitSearch808C(bool allRecords, CPickQuery& q)
{
    q.hits.clear();
    if (!m_document || !m_document->GetRecordDatabase())
        return false;
    const double tx = std::fabs(q.tolerance.x), ty = std::fabs(q.tolerance.y);
    const double left = q.location.x - tx, right = q.location.x + tx;
    const double bottom = q.location.y - ty, top = q.location.y + ty;
    // The first hundred in store order, as a walk of the store would find them.
    const CMapPointGrid& grid = StoreGrid();
    std::vector<uint32_t> found;
    grid.Query(left, top, right, bottom, found);
    for (size_t i = 0; i < found.size() && q.hits.size() < 100; ++i)
        q.hits.push_back(RecordRef{grid.GetItem(found[i]).record, -1});
    return !q.hits.empty();
}

CMapCtrlCore::GridKey CMapCtrlCore::CurrentGridKey() const
{
    GridKey key;
    key.store = m_document ? m_document->GetRecordDatabase() : nullptr;
    key.names = m_document ? m_document->GetPointDatabase() : nullptr;
    key.generation = GetPointGeometryGeneration();
    key.valid = true;
    return key;
}

const CMapPointGrid& CMapCtrlCore::StoreGrid()
{
    const GridKey key = CurrentGridKey();
    if (key == m_storeGridKey)
        return m_storeGrid;
    m_storeGridKey = key;
    std::vector<CMapPointGrid::Item> items;
    if (auto* store = static_cast<CRecordDatabase*>(const_cast<void*>(key.store))) {
        items.reserve(size_t(std::max(store->GetCount(1), 0)));
        CRecordCursor cursor = store->GetFirstRecord(kRecordTypePoint);
        while (cursor.IsValid()) {
            CRecord* record = store->GetNextRecord(cursor);
            if (!record || record->GetType() != kRecordTypePoint)
                continue;
            const CLocation at = static_cast<CPointRecord*>(record)->GetLocation();
            items.push_back(CMapPointGrid::Item{at.x, at.y, record});
        }
    }
    m_storeGrid.Build(std::move(items));
    return m_storeGrid;
}

const std::vector<RecordState*>& CMapCtrlCore::StoreHeaders()
{
    const GridKey key = CurrentGridKey();
    if (key == m_storeHeadersKey)
        return m_storeHeaders;
    m_storeHeadersKey = key;
    m_storeHeaders.clear();
    if (auto* store = static_cast<CRecordDatabase*>(const_cast<void*>(key.store))) {
        m_storeHeaders.reserve(size_t(std::max(store->GetCount(0), 0)));
        CRecordCursor cursor = store->GetFirstRecord(0);
        while (cursor.IsValid())
            if (CRecord* record = store->GetNextRecord(cursor))
                m_storeHeaders.push_back(record->GetHeader());
    }
    return m_storeHeaders;
}

const CMapPointGrid& CMapCtrlCore::DrawGrid()
{
    const GridKey key = CurrentGridKey();
    if (key == m_drawGridKey)
        return m_drawGrid;
    m_drawGridKey = key;
    std::vector<CMapPointGrid::Item> items;
    if (auto* points = static_cast<CPointDatabase*>(const_cast<void*>(key.names))) {
        items.reserve(size_t(std::max(points->GetCount(), 0)));
        for (RedBlackNode* pos = points->GetFirstPosition(); pos != nullptr;) {
            CPointRecord* point = points->GetNextPoint(pos);
            if (!point)
                continue;
            const CLocation at = point->GetLocation();
            items.push_back(CMapPointGrid::Item{at.x, at.y, point});
        }
    }
    m_drawGrid.Build(std::move(items));
    return m_drawGrid;
}

bool CMapCtrlCore::OnPick808B(bool allRecords, CPickQuery& q)
{
    q.hits.clear();
    if (!m_document || !m_document->GetRecordDatabase())
        return false;
    const double tx = std::fabs(q.tolerance.x), ty = std::fabs(q.tolerance.y);
    const double left = q.location.x - tx, right = q.location.x + tx;
    const double bottom = q.location.y - ty, top = q.location.y + ty;

    // Every hit is collected before sorting: cutting in store order first could drop the nearest.
    struct Hit {
        double distance;
        size_t order;
        CRecord* record;
    };
    std::vector<Hit> hits;
    const CMapPointGrid& grid = StoreGrid();
    std::vector<uint32_t> found;
    grid.Query(left, top, right, bottom, found);
    for (uint32_t i : found) {
        double d = NoValue;
        CRecord* r = grid.GetItem(i).record;
        if (!m_document->GetRecordDistance(r, q.location.x, q.location.y, d))
            d = HUGE_VAL; // undefined distances sort last
        hits.push_back(Hit{d, i, r});
    }
    if (hits.empty())
        return false;
    auto nearer = [](const Hit& a, const Hit& b) {
        return a.distance != b.distance ? a.distance < b.distance : a.order < b.order;
    };
    const size_t keep = std::min<size_t>(hits.size(), 99);
    std::partial_sort(hits.begin(), hits.begin() + ptrdiff_t(keep), hits.end(), nearer);
    hits.resize(keep);
    for (const Hit& h : hits)
        q.hits.push_back(RecordRef{h.record, -1});
    return true;
}

bool CMapCtrlCore::OnUnitText808D(CPickQuery& q) const
{
    if (m_viewKind == 2 || !m_document || !m_document->GetMathConversions())
        return false;
    q.text = m_document->GetMathConversions()->GetDistanceUnitLabel();
    return true;
}

bool CMapCtrlCore::GetObjectUnitLabel(std::string& label)
{
    CPickQuery q;
    if (!OnUnitText808D(q))
        return false;
    label = q.text;
    return true;
}

bool CMapCtrlCore::HighlightObject(CRecord* record, bool on)
{
    // Popups hold picks across job changes; a record the job no longer holds is never drawn.
    if (!m_document || !m_document->ContainsRecord(record, 0))
        return false;
    CPickQuery q;
    q.result = record;
    q.flag = on;
    return OnDrawRecord8090(q);
}

bool CMapCtrlCore::OnDrawRecord8090(CPickQuery& q)
{
    if (!m_document || !q.result || !m_layer || !m_layer->HasBitmap())
        return false;
    const bool queued = m_layer->HasQueued();
    if (queued && q.flag)
        return false;
    if (m_host)
        m_host->EraseToolFeedback();
    DrawWithState(CDrawState(m_viewKind, DrawModeOneRecord, q.result, 0, 0,
                             q.flag ? DrawColourHighlight : DrawColourNormal));
    if (!q.flag && queued && m_host)
        m_host->InvalidateWindow();
    return true;
}

bool CMapCtrlCore::SnapToGridAxis(double c, double origin, double spacing, double& out)
{
    if (!(spacing > 0) || !std::isfinite(spacing) || !std::isfinite(c) || !std::isfinite(origin))
        return false;
    out = origin + spacing * std::round((c - origin) / spacing);
    return std::isfinite(out);
}

bool CMapCtrlCore::ApplySnapMode(int32_t mode, CLocation& out)
{
    CGraphicDataExchange* exchange = m_host ? m_host->GetGraphicDataExchange() : nullptr;
    if (!exchange)
        return false;
    const CLocation cursor = exchange->GetLocation();
    switch (mode) {
    case 1: {
        CPickQuery pick;
        pick.location = CLocation(cursor.x, cursor.y, NoValue);
        pick.tolerance = CLocation(exchange->GetToleranceX(), exchange->GetToleranceY(), NoValue);
        if (!OnPick808B(true, pick) || pick.hits.empty() || pick.hits[0].record->GetType() != kRecordTypePoint)
            return false;
        out = static_cast<CPointRecord*>(pick.hits[0].record)->GetLocation();
        return true;
    }
    case 2:
        if (!cursor.HasPlaneCoordinates())
            return false;
        out = CLocation(cursor.x, cursor.y, NoValue);
        return true;
    case 3: {
        const CMorvelSettings& s = GetMorvelSettings();
        auto toJob = [this](double v) {
            return m_document && m_document->GetMathConversions()
                       ? m_document->GetMathConversions()->DisplayToMetres(v)
                       : v;
        };
        double x, y;
        if (!cursor.HasPlaneCoordinates() ||
            !SnapToGridAxis(cursor.x, toJob(s.GetGridXOrigin()), toJob(s.GetGridXSpacing()), x) ||
            !SnapToGridAxis(cursor.y, toJob(s.GetGridYOrigin()), toJob(s.GetGridYSpacing()), y))
            return false;
        out = CLocation(x, y, NoValue);
        return true;
    }
    default:
        return false;
    }
}

bool CMapCtrlCore::OnSnapFromCursor8092(CPickQuery& q)
{
    CGraphicDataExchange* exchange = m_host ? m_host->GetGraphicDataExchange() : nullptr;
    if (exchange)
        q.location = exchange->GetLocation();
    CMorvelSettings& settings = GetMorvelSettings();
    const int32_t oneShot = settings.GetSnapMode();
    if (oneShot == 0)
        return OnSnap8091(q);
    CLocation out;
    if (!ApplySnapMode(oneShot, out))
        return false;
    q.location = out;
    if (!q.flag && !(m_host && m_host->IsSnapLocked()))
        settings.SetSnapMode(0);
    return true;
}

bool CMapCtrlCore::OnSnap8091(CPickQuery& q)
{
    static constexpr int32_t kindModes[2] = {1, 3};
    CMorvelSettings& settings = GetMorvelSettings();
    const std::vector<uint16_t>& order = settings.GetSnapOrder();
    const std::vector<uint16_t>& onOff = settings.GetSnapOnOff();
    bool found = false, nearestTried = false;
    CLocation best;
    double bestDistance = HUGE_VAL;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i >= onOff.size() || onOff[i] == 0 || order[i] >= 2)
            continue;
        const int32_t mode = kindModes[order[i]];
        nearestTried = nearestTried || mode == 1;
        CLocation out;
        if (!ApplySnapMode(mode, out))
            continue;
        double d = out.HorizontalDistance(q.location);
        if (!(d > NoValueLimit))
            d = HUGE_VAL;
        if (!found || d < bestDistance) {
            best = out;
            bestDistance = d;
        }
        found = true;
    }
    if (!found && !nearestTried)
        found = ApplySnapMode(1, best);
    if (!found)
        return false;
    q.location = best;
    if (!q.flag && !(m_host && m_host->IsSnapLocked()) && settings.GetSnapMode() != 0)
        settings.SetSnapMode(0);
    return true;
}

bool CMapCtrlCore::OnIsOutside80B1(int32_t x, int32_t y) const
{
    return x < m_clientRect.left || x >= m_clientRect.right || y < m_clientRect.top || y >= m_clientRect.bottom;
}

CLocation CMapCtrlCore::ComputePickTolerance() const
{
    const int32_t b = GetMorvelSettings().GetPickBoxSize();
    const CLocation half = m_mapping.DeviceToWorld(b / 2, b / 2);
    const CLocation whole = m_mapping.DeviceToWorld(b, b);
    return CLocation(std::fabs(whole.x - half.x), std::fabs(whole.y - half.y), NoValue);
}

bool CMapCtrlCore::SetPickTolerances(double x, double y)
{
    CGraphicDataExchange* exchange = m_host ? m_host->GetGraphicDataExchange() : nullptr;
    if (!exchange)
        return false;
    exchange->SetPickTolerances(x, y);
    return true;
}

// ---------------------------------------------------------------- drawing

bool CMapCtrlCore::AnchorLayer()
{
    if (!m_mapping.IsValid() || !m_host || !m_host->HasWindow())
        return false;
    const DevicePoint screen = m_host->GetScreenSize();
    if (!m_layer || !m_layer->HasBitmap())
        m_layer = m_host->CreateLayer(*this, screen.x, screen.y);
    if (!m_layer)
        return false;
    const CLocation tl = m_mapping.DeviceToWorld(0, 0);
    const CLocation br = m_mapping.DeviceToWorld(screen.x, screen.y);
    m_layer->SetBitmapWindow(tl.x, tl.y, br.x, br.y);
    return true;
}

void CMapCtrlCore::Refresh()
{
    if (AnchorLayer())
        m_layer->RequestFullRedraw();
}

void CMapCtrlCore::CancelQueuedDrawing()
{
    if (m_layer && m_layer->HasBitmap() && m_layer->HasQueued())
        m_layer->Reset();
}

void CMapCtrlCore::DrawWithState(const CDrawState& state)
{
    if (!m_mapping.IsValid() || state.viewKind != 0 || !m_host || !m_host->HasWindow())
        return;
    m_host->EraseToolFeedback();
    if (AnchorLayer())
        m_layer->Submit(state);
}

bool CMapCtrlCore::HasPendingDrawing() const
{
    if (!m_layer || !m_layer->HasBitmap())
        return true;
    return m_layer->HasQueued();
}

void CMapCtrlCore::DrawPoint(CMapSurface& surface, CRecord* record, const CDrawState& state)
{
    if (!record || record->GetType() != kRecordTypePoint || !IncludeInExtents(record))
        return;
    auto* point = static_cast<CPointRecord*>(record);
    const CLocation at = point->GetLocation();
    if (!at.HasPlaneCoordinates())
        return;
    const bool selected = record->IsSelected();
    CDataFileHiSelection* hi = m_document ? m_document->GetHiSelection() : nullptr;
    const bool highlighted = hi && hi->IsSelected(record);
    switch (state.mode) {
    case DrawModeSelected:
        if (!selected)
            return;
        break;
    case DrawModeOneRecord:
        if (state.record != record)
            return;
        break;
    case DrawModeResyncHighlight:
        if (!m_document || !m_document->GetCurrentSelection() || !hi || selected == highlighted)
            return;
        break;
    default:
        break;
    }
    const CMorvelSettings& s = GetMorvelSettings();
    const bool names = s.GetShowPointIdLabels(), desc = s.GetShowPointDesc(), elev = s.GetShowPointElev();
    if (!names && !desc && !elev)
        return;
    int32_t h = std::abs(s.GetPointIdLabelsFont().height);
    if (h == 0)
        h = 10;
    if (surface.IsPrinting())
        h *= surface.GetPrintScale();

    int32_t role = s.GetDefaultObjectColor();
    if (state.colourFlag == DrawColourHighlight)
        role = s.GetSelectionColor();
    else if (state.colourFlag == DrawColourErase)
        role = s.GetGraphicsBackgroundColor();
    else if (state.colourFlag == DrawColourNormal && !surface.IsPrinting() &&
             (selected || (highlighted && state.mode != DrawModeResyncHighlight)))
        // A resync draws the point in its new colour: a point just deselected is still
        // highlighted until it has been drawn.
        role = s.GetSelectionColor();
    const uint32_t colour = Colour(role);

    const DevicePoint p = m_mapping.WorldToDevice(at.x, at.y);
    const int32_t third = h / 3;
    surface.DrawLine(DevicePoint{p.x - third + 1, p.y}, DevicePoint{p.x + third, p.y}, colour, 1);
    surface.DrawLine(DevicePoint{p.x, p.y - third + 1}, DevicePoint{p.x, p.y + third}, colour, 1);
    if (!names)
        return;
    std::string text = point->GetName();
    if (desc) {
        text += '\n';
        text += point->GetDescription();
    }
    if (elev) {
        text += '\n';
        if (m_document && m_document->GetDataFileFormat())
            text += m_document->GetDataFileFormat()->FormatElevation(at.z, false, false);
    }
    surface.DrawText(DevicePoint{p.x + h / 2, p.y - h / 2}, text, colour, CMapSurface::TextAnchor::TopLeft);
}

void CMapCtrlCore::DrawNextPoints(CMapSurface& surface, const CDrawState& state, RedBlackNode*& pos, int32_t limit)
{
    CPointDatabase* points = m_document ? m_document->GetPointDatabase() : nullptr;
    if (!points) {
        pos = nullptr;
        return;
    }
    const double left = std::min(m_visibleTopLeft.x, m_visibleBottomRight.x);
    const double right = std::max(m_visibleTopLeft.x, m_visibleBottomRight.x);
    const double bottom = std::min(m_visibleTopLeft.y, m_visibleBottomRight.y);
    const double top = std::max(m_visibleTopLeft.y, m_visibleBottomRight.y);
    const bool resync = state.mode == DrawModeResyncHighlight;
    for (int32_t n = 0; pos != nullptr && n < limit; ++n) {
        CPointRecord* point = points->GetNextPoint(pos);
        if (!point)
            continue;
        const CLocation at = point->GetLocation();
        if (left <= at.x && at.x <= right && bottom <= at.y && at.y <= top)
            DrawPoint(surface, point, state);
        if (resync)
            m_document->SyncHighlight(point);
    }
}

bool CMapCtrlCore::GatherVisiblePoints(const CDrawState& state, std::vector<CRecord*>& out)
{
    out.clear();
    // A resync visits every point, in view or not.
    if (state.mode == DrawModeResyncHighlight)
        return false;
    const double left = std::min(m_visibleTopLeft.x, m_visibleBottomRight.x);
    const double right = std::max(m_visibleTopLeft.x, m_visibleBottomRight.x);
    const double bottom = std::min(m_visibleTopLeft.y, m_visibleBottomRight.y);
    const double top = std::max(m_visibleTopLeft.y, m_visibleBottomRight.y);
    const CMapPointGrid& grid = DrawGrid();
    std::vector<uint32_t> found;
    grid.Query(left, top, right, bottom, found);
    out.reserve(found.size());
    for (uint32_t i : found)
        out.push_back(grid.GetItem(i).record);
    return true;
}

void CMapCtrlCore::DrawPointList(CMapSurface& surface, const CDrawState& state, const std::vector<CRecord*>& points,
                                 size_t& next, int32_t limit)
{
    for (int32_t n = 0; next < points.size() && n < limit; ++n)
        DrawPoint(surface, points[next++], state);
}

// ---------------------------------------------------------------- decorations and printing

void CMapCtrlCore::DrawDecorations(CMapSurface& surface)
{
    if (!m_document || !m_mapping.IsValid())
        return;
    const CMorvelSettings& settings = GetMorvelSettings();
    const int32_t s = surface.IsPrinting() ? surface.GetPrintScale() : 1;
    const DeviceRect& c = m_clientRect;
    const uint32_t background = Colour(settings.GetGraphicsBackgroundColor());
    const uint32_t pen = Colour(settings.GetDefaultObjectColor());
    if (!surface.IsPrinting())
        surface.FillRect(map_print::NorthArrowBackdrop(c), background, background, 0);
    const auto letter = map_print::NorthLetter(c, s);
    for (size_t i = 0; i + 1 < letter.size(); ++i)
        surface.DrawLine(letter[i], letter[i + 1], pen, 1);
    const auto arrow = map_print::NorthArrow(c, s);
    for (size_t i = 0; i + 1 < arrow.size(); ++i)
        surface.DrawLine(arrow[i], arrow[i + 1], pen, 1);

    CPointDatabase* points = m_document->GetPointDatabase();
    const CMathConversions* units = m_document->GetMathConversions();
    if (!points || points->GetCount() <= 0 || !units)
        return;
    const double width = std::fabs(m_visibleBottomRight.x - m_visibleTopLeft.x);
    const map_print::ScaleBarLength length = map_print::RoundScaleBarLength(units->MetresToDisplay(width / 4));
    const double metres = units->DisplayToMetres(length.value);
    const int32_t w = m_mapping.WorldToDevice(m_visibleTopLeft.x + metres, m_visibleTopLeft.y).x -
                      m_mapping.WorldToDevice(m_visibleTopLeft.x, m_visibleTopLeft.y).x;
    const DeviceRect bar = map_print::ScaleBarRect(c, w, s);
    constexpr uint32_t Accent = 0x004080FF; // orange, RGB(255, 128, 64)
    surface.FillRect(bar, Accent, pen, 1);
    // The class numbers its units its own way: feet 0, metres 1, US survey feet 2.
    const int classUnit = units->GetDistanceUnits();
    const int jobUnit = classUnit == ClassUnitInternationalFeet ? JobUnitInternationalFeet
                        : classUnit == ClassUnitUsSurveyFeet    ? JobUnitUsSurveyFeet
                                                                : JobUnitMetres;
    const std::string label = map_print::ScaleBarLabel(length, jobUnit);
    const DevicePoint at = map_print::ScaleBarLabelAt(c, bar, s);
    if (surface.IsPrinting())
        surface.DrawText(at, label, MapBlack, CMapSurface::TextAnchor::BottomLeft);
    else
        surface.DrawTextOnBackground(at, label, MapBlack, background, CMapSurface::TextAnchor::BottomLeft);
}

void CMapCtrlCore::PrintMap(CMapSurface& surface, const DeviceRect& printable, const CWorldDeviceMap& mapping,
                            DevicePoint pageSize)
{
    // Everything the screen uses is put aside and comes back however the drawing ends.
    struct Saved
    {
        CMapCtrlCore& map;
        CWorldDeviceMap mapping;
        DeviceRect client;
        CDrawState state;
        CLocation topLeft, bottomRight;
        ~Saved()
        {
            map.m_mapping = mapping;
            map.m_clientRect = client;
            map.m_drawState = state;
            map.m_visibleTopLeft = topLeft;
            map.m_visibleBottomRight = bottomRight;
            map.m_printing = false;
        }
    } saved{*this, m_mapping, m_clientRect, m_drawState, m_visibleTopLeft, m_visibleBottomRight};

    m_mapping = mapping;
    m_clientRect = printable;
    m_drawState = CDrawState();
    m_printing = true;
    m_visibleTopLeft = m_mapping.DeviceToWorld(1, 1);
    m_visibleBottomRight = m_mapping.DeviceToWorld(pageSize.x - 1, pageSize.y - 1);

    if (m_document && m_document->GetPointDatabase()) {
        // A page has no time limit: every point in one go.
        std::vector<CRecord*> visible;
        if (GatherVisiblePoints(m_drawState, visible)) {
            size_t next = 0;
            DrawPointList(surface, m_drawState, visible, next, INT32_MAX);
        } else {
            RedBlackNode* pos = m_document->GetPointDatabase()->GetFirstPosition();
            while (pos != nullptr)
                DrawNextPoints(surface, m_drawState, pos, INT32_MAX);
        }
    }
    bool more = true;
    for (bool fresh = true; more; fresh = false)
        DrawPreviewStep(surface, more, fresh);
    PrintDecorations(surface);
}
