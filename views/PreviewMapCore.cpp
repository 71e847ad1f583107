#include "views/PreviewMapCore.h"

#include "core/QuickSort.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "views/MapSurface.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

int CompareTags(const void* a, const void* b)
{
    const uint32_t x = *static_cast<const uint32_t*>(a), y = *static_cast<const uint32_t*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

bool InBox(const CLocation& p, double left, double top, double right, double bottom)
{
    return left <= p.x && p.x <= right && bottom <= p.y && p.y <= top;
}

template <class T> bool ClearList(std::vector<std::unique_ptr<T>>& list)
{
    const bool had = !list.empty();
    list.clear();
    return had;
}

} // namespace

CPreviewPoint::~CPreviewPoint()
{
    if (ownsRecord)
        delete record;
}

CPreviewMapCore::CPreviewMapCore(CMapHost* host) : CMapCtrlCore(host) {}

CPreviewMapCore::~CPreviewMapCore() = default;

// ---------------------------------------------------------------- adding

void CPreviewMapCore::AddMarker(const CLocation& at, int32_t icon)
{
    auto p = std::make_unique<CPreviewLocation>();
    p->location = at;
    p->icon = icon;
    m_markers.push_back(std::move(p));
}

void CPreviewMapCore::AddMarkerWithOffset(const CLocation& at, int32_t icon, int32_t dx, int32_t dy)
{
    AddMarker(at, icon);
    CPreviewLocation& p = *m_markers.back();
    p.offsetX = dx;
    p.offsetY = dy;
    p.hasOffset = dx != 0 || dy != 0;
}

void CPreviewMapCore::AddLabelledMarker(const CLocation& at, const std::string& label1, const std::string& label2,
                                        int32_t icon)
{
    AddMarker(at, icon);
    CPreviewLocation& p = *m_markers.back();
    p.label1 = label1;
    p.label2 = label2;
    p.hasLabels = true;
}

void CPreviewMapCore::AddMarkerLabel(const CLocation& at, const std::string& label2, int32_t icon)
{
    AddLabelledMarker(at, std::string(), label2, icon);
}

void CPreviewMapCore::AddPreviewLocation(const CLocation& at, int32_t icon, int32_t line)
{
    AddMarker(at, icon);
    m_markers.back()->searchable = true;
    m_markers.back()->tag = uint32_t(line);
}

void CPreviewMapCore::AddPreviewLocationEx(const CLocation& at, int32_t icon, int32_t dx, int32_t dy, int32_t line)
{
    AddMarkerWithOffset(at, icon, dx, dy);
    m_markers.back()->searchable = true;
    m_markers.back()->tag = uint32_t(line);
}

void CPreviewMapCore::AddTopMarker(const CLocation& at, int32_t icon)
{
    auto p = std::make_unique<CPreviewLocation>();
    p->location = at;
    p->icon = icon;
    m_topLocations.push_back(std::move(p));
}

void CPreviewMapCore::AddTopLabelledMarker(const CLocation& at, const std::string& label1, const std::string& label2,
                                           int32_t icon)
{
    AddTopMarker(at, icon);
    CPreviewLocation& p = *m_topLocations.back();
    p.label1 = label1;
    p.label2 = label2;
    p.hasLabels = true;
}

void CPreviewMapCore::AddTopMarkerLabel(const CLocation& at, const std::string& label2, int32_t icon)
{
    AddTopLabelledMarker(at, std::string(), label2, icon);
}

void CPreviewMapCore::AddPreviewPoint(CPointRecord* record, int32_t icon, bool ownsRecord)
{
    auto p = std::make_unique<CPreviewPoint>();
    p->record = record;
    p->icon = icon;
    p->ownsRecord = ownsRecord;
    m_points.push_back(std::move(p));
}

void CPreviewMapCore::AddLine(const CLocation& from, const CLocation& to, uint32_t colour, int32_t width)
{
    auto p = std::make_unique<CPreviewLine>();
    p->from = from;
    p->to = to;
    p->colour = colour;
    p->width = width;
    m_lines.push_back(std::move(p));
}

void CPreviewMapCore::AddPreviewLine(const CLocation& from, const CLocation& to, int32_t paletteIndex, int32_t width,
                                     int32_t line)
{
    AddLine(from, to, Colour(paletteIndex), width);
    m_lines.back()->searchable = true;
    m_lines.back()->tag = uint32_t(line);
    m_lineExtents.push_back(LineExtent{std::min(from.x, to.x), std::max(from.x, to.x), std::min(from.y, to.y),
                                       std::max(from.y, to.y), m_lines.size() - 1});
}

void CPreviewMapCore::AddScratchLine(const CLocation& from, const CLocation& to)
{
    m_scratchLines.push_back(std::make_unique<CPreviewScratchLine>(CPreviewScratchLine{from, to}));
}

void CPreviewMapCore::AddScratchCircle(const CLocation& centre, double radius)
{
    m_scratchCircles.push_back(std::make_unique<CPreviewScratchCircle>(CPreviewScratchCircle{centre, radius}));
}

void CPreviewMapCore::AddConstructionLine(const CLocation& from, const CLocation& to)
{
    m_constructionLines.push_back(std::make_unique<CPreviewConstructionLine>(CPreviewConstructionLine{from, to}));
}

void CPreviewMapCore::AddRay(const CLocation& at, double direction, bool bothWays, uint32_t colour, int32_t width)
{
    auto p = std::make_unique<CPreviewInfiniteLine>();
    p->location = at;
    p->direction = direction;
    p->bothWays = bothWays;
    p->colour = colour;
    p->width = width;
    m_rays.push_back(std::move(p));
}

void CPreviewMapCore::AddSearchableRay(const CLocation& at, double direction, bool bothWays, uint32_t colour,
                                       int32_t width, uint32_t tag)
{
    AddRay(at, direction, bothWays, colour, width);
    m_rays.back()->searchable = true;
    m_rays.back()->tag = tag;
}

void CPreviewMapCore::AddPreviewInfiniteLine(const CLocation& through, double direction, int32_t flag,
                                             int32_t paletteIndex, int32_t width, int32_t line)
{
    AddSearchableRay(through, direction, flag != 0, Colour(paletteIndex), width, uint32_t(line));
}

// ---------------------------------------------------------------- clearing

bool CPreviewMapCore::ClearScratchGeometry()
{
    bool had = ClearList(m_scratchLines);
    had = ClearList(m_scratchCircles) || had;
    had = ClearList(m_constructionLines) || had;
    if (had)
        Refresh();
    return had;
}

bool CPreviewMapCore::ClearPreviews()
{
    bool had = ClearList(m_markers);
    had = ClearList(m_points) || had;
    had = ClearList(m_lines) || had;
    m_lineExtents.clear();
    had = ClearList(m_rays) || had;
    had = ClearList(m_topLocations) || had;
    return had;
}

bool CPreviewMapCore::HasPreviews() const
{
    return !m_markers.empty() || !m_points.empty() || !m_lines.empty() || !m_rays.empty() || !m_topLocations.empty();
}

// ---------------------------------------------------------------- extents

bool CPreviewMapCore::IncludeInExtents(CRecord* record)
{
    return m_drawing ? true : CMapCtrlCore::IncludeInExtents(record);
}

void CPreviewMapCore::GetPreviewExtents(CExtent2D& extent)
{
    // Locations without plane coordinates add nothing.
    auto add = [&extent](const CLocation& at) {
        if (at.HasPlaneCoordinates())
            extent.AddPoint(at);
    };
    for (const auto& m : m_markers)
        add(m->location);
    for (const auto& p : m_points)
        if (p->record)
            p->record->AddToExtents(extent);
    for (const auto& t : m_topLocations)
        add(t->location);
    if (extent.empty && m_document && m_document->GetPointDatabase()) {
        CPointDatabase* points = m_document->GetPointDatabase();
        RedBlackNode* pos = points->GetFirstPosition();
        if (CPointRecord* first = points->GetNextPoint(pos))
            first->AddToExtents(extent);
    }
    if (!extent.empty)
        extent.InflateIfDegenerate(1.0, 1.0);
}

void CPreviewMapCore::AddRecordsToExtent(CExtent2D& extent)
{
    // The job's points, and the previews beside them, so that Zoom Extents shows both.
    CMapCtrlCore::AddRecordsToExtent(extent);
    CExtent2D previews;
    for (const auto& m : m_markers)
        if (m->location.HasPlaneCoordinates())
            previews.AddPoint(m->location);
    for (const auto& p : m_points)
        if (p->record)
            p->record->AddToExtents(previews);
    for (const auto& t : m_topLocations)
        if (t->location.HasPlaneCoordinates())
            previews.AddPoint(t->location);
    if (!previews.empty) {
        extent.AddPoint(CLocation(previews.left, previews.bottom, NoValue));
        extent.AddPoint(CLocation(previews.right, previews.top, NoValue));
    }
}

void CPreviewMapCore::ZoomExtents(bool push)
{
    CMapCtrlCore::ZoomExtents(push);
}

void CPreviewMapCore::ZoomToPreviews()
{
    if (m_useMapZoomExtents) {
        ZoomExtents(false);
        return;
    }
    CExtent2D extent;
    GetPreviewExtents(extent);
    if (extent.empty)
        return;
    extent.InflateIfDegenerate(1.0, 1.0);
    extent.InflateByRatio(0.15);
    SetWorldWindow(extent.left, extent.right, extent.bottom, extent.top);
    Refresh();
}

// ---------------------------------------------------------------- search

double CPreviewMapCore::WorldDiagonal() const
{
    const double w = m_visibleBottomRight.x - m_visibleTopLeft.x;
    const double h = m_visibleTopLeft.y - m_visibleBottomRight.y;
    return std::hypot(w, h);
}

bool CPreviewMapCore::SegmentMeetsBox(const CLocation& a, const CLocation& b, double left, double top, double right,
                                      double bottom) const
{
    // Every point the test below can find lies on the segment: a segment whose extent misses the
    // box is out without the arithmetic (the hover searches every raw line drawn).
    if (std::max(a.x, b.x) < left || std::min(a.x, b.x) > right || std::max(a.y, b.y) < bottom ||
        std::min(a.y, b.y) > top)
        return false;
    if (InBox(a, left, top, right, bottom) || InBox(b, left, top, right, bottom))
        return true;
    const double cx = (left + right) / 2, cy = (bottom + top) / 2;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    if (!(len2 > 0))
        return false;
    const double t = ((cx - a.x) * dx + (cy - a.y) * dy) / len2;
    if (t < 0 || t > 1)
        return false;
    return InBox(CLocation(a.x + t * dx, a.y + t * dy, NoValue), left, top, right, bottom);
}

bool CPreviewMapCore::OnFindPreview808A(CPickQuery* q)
{
    if (!q)
        return false;
    q->rawHits.clear();
    const double tx = std::fabs(q->tolerance.x), ty = std::fabs(q->tolerance.y);
    const double left = q->location.x - tx, right = q->location.x + tx;
    const double bottom = q->location.y - ty, top = q->location.y + ty;
    for (const auto& m : m_markers)
        if (m->searchable && InBox(m->location, left, top, right, bottom))
            q->rawHits.push_back(m->tag);
    // The extents sit side by side in memory; only a line whose extent meets the box is read.
    for (const LineExtent& e : m_lineExtents) {
        if (e.maxX < left || e.minX > right || e.maxY < bottom || e.minY > top)
            continue;
        const CPreviewLine& l = *m_lines[e.index];
        if (l.searchable && SegmentMeetsBox(l.from, l.to, left, top, right, bottom))
            q->rawHits.push_back(l.tag);
    }
    const double diagonal = WorldDiagonal();
    for (const auto& r : m_rays) {
        if (!r->searchable)
            continue;
        const CLocation end = r->location.OffsetByDirectionDistance(r->direction, diagonal);
        if (SegmentMeetsBox(r->location, end, left, top, right, bottom))
            q->rawHits.push_back(r->tag);
    }
    if (q->rawHits.empty())
        return false;
    CQuickSort().Sort(q->rawHits.data(), unsigned(q->rawHits.size()), sizeof(uint32_t), CompareTags);
    return true;
}

// ---------------------------------------------------------------- drawing

void CPreviewMapCore::DrawClipped(CMapSurface& surface, const CLocation& a, const CLocation& b, uint32_t colour,
                                  int32_t width)
{
    if (!a.HasPlaneCoordinates() || !b.HasPlaneCoordinates())
        return;
    DevicePoint pa, pb;
    if (m_mapping.ClipSegment(a.x, a.y, b.x, b.y, pa, pb, true))
        surface.DrawLine(pa, pb, colour, width * surface.GetPrintScale());
}

void CPreviewMapCore::DrawLocation(CMapSurface& surface, const CPreviewLocation& loc, uint32_t textColour)
{
    if (!loc.location.HasPlaneCoordinates())
        return;
    const int32_t s = surface.GetPrintScale();
    const DevicePoint p = m_mapping.WorldToDevice(loc.location.x, loc.location.y);
    if (loc.icon != IconNoCentrePixel)
        surface.SetPixel(p, MapBlack);
    if (loc.icon != 0) {
        DevicePoint at{p.x - 8 * s, p.y - 8 * s};
        if (loc.hasOffset) {
            at.x += loc.offsetX * s;
            at.y += loc.offsetY * s;
        }
        surface.DrawIcon(loc.icon, at);
    }
    if (loc.hasLabels) {
        if (!loc.label1.empty())
            surface.DrawText(DevicePoint{p.x + 8 * s, p.y}, loc.label1, textColour, CMapSurface::TextAnchor::BottomLeft);
        if (!loc.label2.empty())
            surface.DrawText(DevicePoint{p.x + 8 * s, p.y}, loc.label2, textColour, CMapSurface::TextAnchor::TopLeft);
    }
}

bool CPreviewMapCore::DrawList(CMapSurface& surface, int list, size_t& budget)
{
    const CMorvelSettings& s = GetMorvelSettings();
    size_t& pos = m_position[list];
    auto spend = [&budget, &surface]() { return surface.IsPrinting() || budget-- > 0; };
    switch (list) {
    case 0:
        for (; pos < m_lines.size(); ++pos) {
            if (!spend())
                return false;
            DrawClipped(surface, m_lines[pos]->from, m_lines[pos]->to, m_lines[pos]->colour, m_lines[pos]->width);
        }
        break;
    case 1:
        for (; pos < m_scratchLines.size(); ++pos) {
            if (!spend())
                return false;
            DrawClipped(surface, m_scratchLines[pos]->from, m_scratchLines[pos]->to, Colour(s.GetScratchColor()), 2);
        }
        break;
    case 2:
        for (; pos < m_scratchCircles.size(); ++pos) {
            if (!spend())
                return false;
            const CPreviewScratchCircle& c = *m_scratchCircles[pos];
            if (!(c.radius > NoValueLimit) || c.radius < 0.0001 || !c.centre.HasPlaneCoordinates())
                continue;
            const DevicePoint centre = m_mapping.WorldToDevice(c.centre.x, c.centre.y);
            const DevicePoint top = m_mapping.WorldToDevice(c.centre.x, c.centre.y + c.radius);
            surface.DrawCircle(centre, std::abs(top.y - centre.y), Colour(s.GetScratchColor()),
                               2 * surface.GetPrintScale());
        }
        break;
    case 3:
        for (; pos < m_constructionLines.size(); ++pos) {
            if (!spend())
                return false;
            DrawClipped(surface, m_constructionLines[pos]->from, m_constructionLines[pos]->to,
                        Colour(s.GetConstructionColor()), 1);
        }
        break;
    case 4:
        for (; pos < m_rays.size(); ++pos) {
            if (!spend())
                return false;
            const CPreviewInfiniteLine& r = *m_rays[pos];
            if (!r.location.HasPlaneCoordinates() || !(r.direction > NoValueLimit))
                continue;
            const double cx = (m_visibleTopLeft.x + m_visibleBottomRight.x) / 2;
            const double length = WorldDiagonal() + std::fabs(r.location.x - cx);
            const CLocation end = r.location.OffsetByDirectionDistance(r.direction, length);
            CLocation start = r.location;
            if (r.bothWays)
                start = r.location.OffsetByDirectionDistance(std::fmod(r.direction + Pi, 2 * Pi), length);
            DrawClipped(surface, start, end, r.colour, r.width);
        }
        break;
    case 5: {
        CMorvelSettings& settings = GetMorvelSettings();
        const bool labels = settings.GetShowPointIdLabels();
        CDrawState state = m_drawState;
        state.mode = DrawModeAll;
        for (; pos < m_points.size(); ++pos) {
            if (!spend()) {
                settings.SetShowPointIdLabels(labels);
                return false;
            }
            const CPreviewPoint& p = *m_points[pos];
            if (!p.record)
                continue;
            settings.SetShowPointIdLabels(m_pointLabels);
            DrawPoint(surface, p.record, state);
            settings.SetShowPointIdLabels(labels);
            if (p.icon != 0 && p.record->GetLocation().HasPlaneCoordinates()) {
                const DevicePoint d = m_mapping.WorldToDevice(p.record->GetEasting(), p.record->GetNorthing());
                const int32_t sc = surface.GetPrintScale();
                surface.DrawIcon(p.icon, DevicePoint{d.x - 8 * sc, d.y - 8 * sc});
            }
        }
        break;
    }
    case 6:
        for (; pos < m_markers.size(); ++pos) {
            if (!spend())
                return false;
            DrawLocation(surface, *m_markers[pos], Colour(s.GetDefaultObjectColor()));
        }
        break;
    default:
        break;
    }
    return true;
}

void CPreviewMapCore::DrawPreviewStep(CMapSurface& surface, bool& more, bool fresh)
{
    if (fresh)
        std::fill(std::begin(m_position), std::end(m_position), size_t(0));
    m_drawing = true;
    size_t budget = StepObjects;
    more = false;
    for (int list = 0; list < DrawnLists; ++list) {
        if (!DrawList(surface, list, budget)) {
            more = true;
            break;
        }
    }
    m_drawing = false;
}

void CPreviewMapCore::DrawTopLayer(CMapSurface& surface)
{
    const uint32_t text = Colour(GetMorvelSettings().GetDefaultObjectColor());
    for (const auto& t : m_topLocations)
        DrawLocation(surface, *t, text);
    CMapCtrlCore::DrawDecorations(surface);
}

// ---------------------------------------------------------------- job view hints

void CPreviewMapCore::OnJobViewHint(int32_t hint, intptr_t hintObject, bool deferred)
{
    auto mapStep = [this, deferred] {
        // During a batch the drawing still pending is announced once as hint 3.
        if (deferred && HasPendingDrawing() && m_document)
            m_document->SendHint(nullptr, HintRefreshAll, 1);
        Refresh();
    };
    switch (hint) {
    case HintJobSettingsChanged:
        m_gdiDirty = true;
        mapStep();
        break;
    case HintUndoDone:
    case HintCode35:
    case HintCode36:
    case HintCoordinatesChanged:
    case HintCode38:
    case HintPointAdded:
    case HintPointDeleted:
        mapStep();
        break;
    case HintCode14:
        SetDeferLayout(true);
        break;
    case HintCode15:
        SetDeferLayout(false);
        break;
    case HintPointsAddedInBulk:
        ZoomExtents(hintObject == 0);
        break;
    case HintRefreshAll:
    case HintNewBegin:
    case HintUnloading:
        Refresh();
        break;
    case HintNewEnd:
        m_zoomHistory.RemoveAll();
        break;
    default:
        break;
    }
}
