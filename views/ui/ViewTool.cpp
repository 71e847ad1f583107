#include "views/ui/ViewTool.h"

#include "core/DataFileFormat.h"
#include "core/Format.h"
#include "model/JobFileMathConversions.h"
#include "framework/ColorTable.h"
#include "framework/GraphicDataExchange.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/MorvelSettingsHelpers.h"
#include "views/ui/MapCtrl.h"
#include "views/ui/ToolCursors.h"
#include "views/ui/ViewToolHost.h"

#include <wx/dc.h>
#include <wx/utils.h>

#include <cmath>
#include <memory>

bool CViewTool::s_dragging = false;

namespace {

std::vector<std::unique_ptr<CViewTool>>& RetiredTools()
{
    static std::vector<std::unique_ptr<CViewTool>> tools;
    return tools;
}

// Paints of the overlay are held while a mouse handler runs, so the screen changes once.
int g_paintHold = 0;
bool g_paintPending = false;
CViewTool* g_paintTool = nullptr;

CViewToolHost* Host()
{
    return CViewToolHost::GetActive();
}

wxColour ColourOf(uint32_t rgb)
{
    return wxColour(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

uint32_t Palette(int32_t index)
{
    return GetPaletteColor(index) & 0x00FFFFFF;
}

int32_t HalfPickBox()
{
    return GetMorvelSettings().GetPickBoxSize() / 2;
}

} // namespace

CViewTool::CViewTool(CMapCtrl* map) : m_map(map) {}

CViewTool::CViewTool(const CViewTool* previous) : m_map(previous ? previous->GetMapWindow() : nullptr) {}

CViewTool::~CViewTool()
{
    if (g_paintTool == this)
        g_paintTool = nullptr;
}

CGraphicDataExchange* CViewTool::GetGraphicDataExchange()
{
    return GetMapWindow() ? GetMapWindow()->GetGraphicDataExchange() : &::GetGraphicDataExchange();
}

// ---------------------------------------------------------------- the map's queries

bool CViewTool::IsPointInMap(int32_t x, int32_t y) const
{
    CMapCtrl* map = GetMapWindow();
    return map && !map->Core().OnIsOutside80B1(x, y);
}

bool CViewTool::IsMapReady() const
{
    CMapCtrl* map = GetMapWindow();
    return map && !map->IsBeingDeleted() && map->Core().GetMapping().IsValid() && !map->IsDrawingYield();
}

bool CViewTool::IsScreenPointInMap(int32_t x, int32_t y) const
{
    CMapCtrl* map = GetMapWindow();
    if (!map)
        return false;
    const wxPoint client = map->ScreenToClient(wxPoint(x, y));
    return IsPointInMap(client.x, client.y);
}

bool CViewTool::DeviceToWorld(int32_t x, int32_t y, double& wx, double& wy) const
{
    CMapCtrl* map = GetMapWindow();
    if (!map)
        return false;
    CPickQuery q;
    q.point = DevicePoint{x, y};
    map->Core().OnDeviceToWorld8083(q);
    wx = q.location.x;
    wy = q.location.y;
    return true;
}

bool CViewTool::WorldToDevice(DevicePoint& p, double wx, double wy) const
{
    CMapCtrl* map = GetMapWindow();
    if (!map)
        return false;
    CPickQuery q;
    q.location = CLocation(wx, wy, NoValue);
    map->Core().OnWorldToDevice8084(q);
    p = q.point;
    return true;
}

bool CViewTool::GetPickSource(int32_t& value) const
{
    CMapCtrl* map = GetMapWindow();
    if (!map)
        return false;
    CPickQuery q;
    map->Core().OnGetViewKind8086(q);
    value = q.viewKind;
    return true;
}

void CViewTool::ZoomToDeviceRect(const DeviceRect& rect)
{
    if (CMapCtrl* map = GetMapWindow()) {
        CPickQuery q;
        q.rect = rect;
        map->Core().OnZoomWindow8087(q);
    }
}

void CViewTool::RealtimeZoomStep(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep)
{
    if (CMapCtrl* map = GetMapWindow())
        map->Core().OnRealtimeZoom8088(CDragStep{px, py, x, y, firstStep});
}

void CViewTool::RealtimePanStep(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep)
{
    if (CMapCtrl* map = GetMapWindow())
        map->Core().OnRealtimePan8089(CDragStep{px, py, x, y, firstStep});
}

bool CViewTool::GetUnitLabel(std::string& label) const
{
    CMapCtrl* map = GetMapWindow();
    if (!map)
        return false;
    CPickQuery q;
    if (!map->Core().OnUnitText808D(q))
        return false;
    label = q.text;
    return true;
}

double CViewTool::ToDisplayDistance(double metres) const
{
    CMapCtrl* map = GetMapWindow();
    CDataFileDoc* doc = map ? map->GetDocument() : nullptr;
    if (doc && doc->GetMathConversions())
        return doc->GetMathConversions()->MetresToDisplay(metres);
    return metres;
}

// ---------------------------------------------------------------- host services

void CViewTool::SetStatusPane(int pane, const std::string& text)
{
    if (CViewToolHost* host = Host())
        host->SetStatusText(pane, text);
}

void CViewTool::NotifyActiveDocument(int32_t hint, intptr_t parameter)
{
    if (CViewToolHost* host = Host())
        host->NotifyActiveDocument(GetMapWindow(), hint, parameter);
}

// ---------------------------------------------------------------- cursor

void CViewTool::LoadToolCursor()
{
    m_cursorId = GetCursorId();
}

bool CViewTool::OnSetCursor()
{
    CMapCtrl* map = GetMapWindow();
    if (!map)
        return false;
    SetCursorNow();
    return true;
}

void CViewTool::SetCursorNow()
{
    CMapCtrl* map = GetMapWindow();
    if (!map || map->IsBeingDeleted())
        return;
    const wxCursor* cursor = GetToolCursor(m_cursorId);
    if (cursor)
        map->SetCursor(*cursor);
    else if (IsZoomWindowTool())
        map->SetCursor(wxCursor(wxCURSOR_BLANK)); // the crosshair marks the position
    else
        map->SetCursor(wxNullCursor); // a pick box too large for a cursor: the ordinary arrow
}

// ---------------------------------------------------------------- overlay

CViewToolOverlay& CViewTool::Overlay()
{
    static CViewToolOverlay overlay;
    return overlay;
}

DevicePoint& CViewTool::LastSnapPoint()
{
    static DevicePoint point = NoDevicePoint;
    return point;
}

void CViewTool::AddOverlayLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colourIndex)
{
    CViewToolDrawCode item;
    item.kind = CViewToolDrawCode::Line;
    item.window = GetMapWindow();
    item.p1 = DevicePoint{x1, y1};
    item.p2 = DevicePoint{x2, y2};
    item.colour = Palette(colourIndex);
    Overlay().Add(item);
}

void CViewTool::AddOverlayCircle(int32_t cx, int32_t cy, int32_t px, int32_t py, int32_t colourIndex)
{
    CViewToolDrawCode item;
    item.kind = CViewToolDrawCode::Circle;
    item.window = GetMapWindow();
    item.p1 = DevicePoint{cx, cy};
    item.p2 = DevicePoint{px, py};
    item.colour = Palette(colourIndex);
    Overlay().Add(item);
}

void CViewTool::AddCrosshair(int32_t x, int32_t y, int32_t gap)
{
    if (!IsPointInMap(x, y))
        return;
    CViewToolDrawCode item;
    item.kind = CViewToolDrawCode::Crosshair;
    item.window = GetMapWindow();
    item.p1 = DevicePoint{x, y};
    item.p2 = DevicePoint{gap, gap};
    item.colour = Palette(GetMorvelSettings().GetCursorColor());
    Overlay().Add(item);
}

void CViewTool::DrawOverlay()
{
    CViewToolOverlay& overlay = Overlay();
    if (overlay.IsEmpty() || overlay.IsShown())
        return;
    DismissIdPopup();
    CMapCtrl* map = GetMapWindow();
    if (!map || map->IsBeingDeleted()) {
        overlay.Clear();
        overlay.SetShown(false);
        return;
    }
    overlay.SetShown(true);
    RequestPaint();
}

void CViewTool::EraseOverlay()
{
    CViewToolOverlay& overlay = Overlay();
    const bool wasShown = overlay.IsShown();
    overlay.Clear();
    overlay.SetShown(false);
    if (wasShown)
        RequestPaint();
}

void CViewTool::RequestPaint()
{
    if (g_paintHold > 0) {
        g_paintPending = true;
        g_paintTool = this;
        return;
    }
    PaintFeedback();
}

void CViewTool::PaintFeedback()
{
    CMapCtrl* map = GetMapWindow();
    if (!map || map->IsBeingDeleted())
        return;
    CViewToolOverlay& overlay = Overlay();
    // An item of another map means the list is stale: it goes without being drawn.
    for (const CViewToolDrawCode& item : overlay.Items())
        if (item.window != map) {
            overlay.Clear();
            overlay.SetShown(false);
            break;
        }
    const bool items = overlay.IsShown() && !overlay.IsEmpty();
    const bool marker = IsDevicePointSet(m_markerPoint);
    if (!items && !marker) {
        map->EraseOverlay();
        return;
    }
    const wxSize size = map->GetClientSize();
    const DeviceRect client{0, 0, size.x, size.y};
    const bool hasCursor = HasCursor();
    const int32_t halfBox = HalfPickBox();
    map->ShowOverlay([&](wxDC& dc) {
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        if (items)
            for (const CViewToolDrawCode& item : overlay.Items()) {
                dc.SetPen(wxPen(ColourOf(item.colour), 1));
                switch (item.kind) {
                case CViewToolDrawCode::Line:
                    dc.DrawLine(item.p1.x, item.p1.y, item.p2.x, item.p2.y);
                    break;
                case CViewToolDrawCode::Crosshair: {
                    const int32_t gx = item.p2.x < 0 ? halfBox : item.p2.x;
                    const int32_t gy = item.p2.x < 0 ? halfBox : item.p2.y;
                    for (const auto& [a, b] : CrosshairSegments(item.p1, gx, gy, client, hasCursor))
                        dc.DrawLine(a.x, a.y, b.x, b.y);
                    break;
                }
                case CViewToolDrawCode::Circle: {
                    dc.DrawLine(item.p1.x, item.p1.y, item.p2.x, item.p2.y);
                    const std::vector<DevicePoint> v = CircleChordVertices(item.p1, item.p2);
                    for (size_t i = 1; i < v.size(); ++i)
                        dc.DrawLine(v[i - 1].x, v[i - 1].y, v[i].x, v[i].y);
                    break;
                }
                default:
                    break;
                }
            }
        if (marker) {
            dc.SetPen(wxPen(ColourOf(Palette(GetMorvelSettings().GetSelectionColor())), 3));
            dc.DrawRectangle(m_markerPoint.x - 4, m_markerPoint.y - 4, 9, 9);
        }
    });
}

CViewTool::OverlayScope::OverlayScope(CViewTool& tool) : m_tool(tool)
{
    ++g_paintHold;
    m_tool.EraseOverlay();
}

CViewTool::OverlayScope::~OverlayScope()
{
    if (!Overlay().IsShown())
        m_tool.DrawOverlay();
    if (--g_paintHold == 0 && g_paintPending) {
        g_paintPending = false;
        CViewTool* tool = g_paintTool ? g_paintTool : &m_tool;
        g_paintTool = nullptr;
        tool->PaintFeedback();
    }
}

// ---------------------------------------------------------------- operations

void CViewTool::Deactivate()
{
    DismissIdPopup();
    CMapCtrl* map = GetMapWindow();
    if (!map || map->IsBeingDeleted())
        return;
    if (CViewToolHost* host = Host())
        host->KillHoverTimer();
    ++g_paintHold;
    EraseSnapMarker();
    EraseOverlay();
    --g_paintHold;
    if (g_paintHold == 0 && g_paintPending) {
        g_paintPending = false;
        g_paintTool = nullptr;
        PaintFeedback();
    }
}

void CViewTool::EraseSnapMarker()
{
    if (CViewToolHost* host = Host())
        host->KillSnapTimer();
    if (!IsDevicePointSet(m_markerPoint))
        return;
    m_markerPoint = NoDevicePoint;
    RequestPaint();
}

void CViewTool::Attach(CMapCtrl* map)
{
    if (map == GetMapWindow())
        return;
    Deactivate();
    m_map = map;
}

void CViewTool::EraseCrosshair()
{
    // The map's picture changes: the feedback leaves the screen and comes back with the repaint.
    if (CMapCtrl* map = GetMapWindow())
        map->EraseOverlay(false);
}

void CViewTool::RedrawCrosshair(int32_t)
{
    CMapCtrl* map = GetMapWindow();
    if (map && map->IsPainting())
        RedrawOverlay();
}

void CViewTool::RedrawOverlay()
{
    CMapCtrl* map = GetMapWindow();
    if (!map)
        return;
    if (IsDevicePointSet(m_markerPoint))
        WorldToDevice(m_markerPoint, m_snapLocation.x, m_snapLocation.y);
    Overlay().SetShown(!Overlay().IsEmpty());
    PaintFeedback();
}

void CViewTool::Retire()
{
    if (m_retired)
        return;
    m_retired = true;
    RetiredTools().emplace_back(this);
}

// ---------------------------------------------------------------- mouse

void CViewTool::OnMouseMove(uint32_t flags, int32_t x, int32_t y)
{
    OnHoverMove(flags, x, y);
    OverlayScope scope(*this);
}

void CViewTool::OnHoverMove(uint32_t, int32_t x, int32_t y)
{
    CMapCtrl* map = GetMapWindow();
    CViewToolHost* host = Host();
    if (!map || !host)
        return;
    if (!IsPointInMap(x, y)) {
        host->KillHoverTimer();
        host->KillSnapTimer();
        return;
    }
    const DevicePoint p{x, y};
    if (m_hoverTips && HasMovedForHover(m_lastHoverPoint, p)) {
        DismissIdPopup();
        host->RestartHoverTimer(map);
        m_lastHoverPoint = p;
    }
    if (m_overlayTracking)
        host->RestartSnapTimer(map);
}

bool CViewTool::IsPickWanted(const CGraphicDataExchange& exchange)
{
    if (exchange.IsTargetActive())
        return exchange.TargetAcceptsToolPick();
    return exchange.GetReceiver() != nullptr;
}

bool CViewTool::PickLocation(int32_t x, int32_t y)
{
    CMapCtrl* map = GetMapWindow();
    if (!map)
        return false;
    CGraphicDataExchange* exchange = GetGraphicDataExchange();
    int32_t source = 0;
    // The exchange's busy flag: a delivery is under way and its location must stay.
    if (!exchange || !GetPickSource(source) || exchange->GetPickSuppressed() != 0 || !IsPointInMap(x, y))
        return true;
    double wx = 0, wy = 0;
    DeviceToWorld(x, y, wx, wy);
    exchange->SetMode(source);
    exchange->SetLocation(CLocation(wx, wy, NoValue));
    if (!IsPickWanted(*exchange))
        return true;
    UpdatePickTolerance(map->Core());
    CPickQuery q;
    q.flag = false;
    if (!map->Core().OnSnapFromCursor8092(q))
        return false;
    exchange->SetLocation(q.location);
    return true;
}

bool CViewTool::OnLButtonDown(uint32_t, int32_t x, int32_t y)
{
    return PickLocation(x, y);
}

void CViewTool::OnMButtonUp(uint32_t, int32_t, int32_t)
{
    NotifyActiveDocument(HintViewTool, 0);
}

void CViewTool::OnRButtonDown(uint32_t, int32_t x, int32_t y)
{
    CMapCtrl* map = GetMapWindow();
    CGraphicDataExchange* exchange = GetGraphicDataExchange();
    int32_t source = 0;
    if (!map || !IsPointInMap(x, y) || !exchange || !GetPickSource(source))
        return;
    UpdatePickTolerance(map->Core());
    if (exchange->GetPickSuppressed() == 0) {
        double wx = 0, wy = 0;
        DeviceToWorld(x, y, wx, wy);
        exchange->SetLocation(CLocation(wx, wy, exchange->GetLocation().z));
    }
    exchange->SetMode(source);
}

// ---------------------------------------------------------------- timers

void CViewTool::RunHoverProcedure(const wxPoint& client)
{
    CViewToolHost* host = Host();
    CMapCtrl* map = GetMapWindow();
    if (!host || !map || !IsMapReady() || !GetMorvelSettings().GetIdentifyObjects() || !host->HasCurrentTool() ||
        !host->IsForeground(true))
        return;
    double wx = 0, wy = 0;
    DeviceToWorld(client.x, client.y, wx, wy);
    host->OnHoverPause(map, client, CLocation(wx, wy, NoValue), map->Core().ComputePickTolerance());
}

void CViewTool::ShowHoverTipNow()
{
    CMapCtrl* map = GetMapWindow();
    CViewToolHost* host = Host();
    if (!map || !host || IsIdPopupShown())
        return;
    host->KillHoverTimer();
    RunHoverProcedure(map->ScreenToClient(wxGetMousePosition()));
}

void CViewTool::RunSnapProcedure(const wxPoint& client)
{
    CViewToolHost* host = Host();
    CMapCtrl* map = GetMapWindow();
    if (!host || !host->HasCurrentTool())
        return;
    if (!IsMapReady()) {
        m_markerPoint = NoDevicePoint;
        return;
    }
    if (!host->IsForeground(false) || IsIdPopupShown())
        return;
    const DevicePoint p{client.x, client.y};
    if (p == LastSnapPoint())
        return;
    LastSnapPoint() = p;

    std::string text;
    CGraphicDataExchange* exchange = GetGraphicDataExchange();
    int32_t source = 0;
    if (map && exchange && GetPickSource(source)) {
        double wx = 0, wy = 0;
        DeviceToWorld(p.x, p.y, wx, wy);
        exchange->SetLocation(CLocation(wx, wy, NoValue));
        exchange->SetMode(source);
        UpdatePickTolerance(map->Core());
        if (IsPickWanted(*exchange) && GetMorvelSettings().GetSnapMode() != 2) {
            CPickQuery q;
            q.flag = true;
            if (!map->Core().OnSnapFromCursor8092(q)) {
                EraseSnapMarker();
                host->ToolOnMouseMove(0, p.x, p.y);
            } else {
                m_snapLocation = q.location;
                DevicePoint at;
                WorldToDevice(at, q.location.x, q.location.y);
                if (at != m_markerPoint) {
                    m_markerPoint = at;
                    RequestPaint();
                    host->ToolOnMouseMove(0, at.x, at.y);
                }
                CDataFileDoc* doc = map->GetDocument();
                CDataFileFormat* format = doc ? doc->GetDataFileFormat() : nullptr;
                const std::string north = format ? format->FormatCoordinate(q.location.y, false, false)
                                                 : CFormat::FormatNumber(q.location.y, 3, false, true);
                const std::string east = format ? format->FormatCoordinate(q.location.x, false, false)
                                                : CFormat::FormatNumber(q.location.x, 3, false, true);
                text = FormatSnapStatus(north, east, GetMorvelSettings().GetCoordOrder());
            }
        }
    }
    SetStatusPane(0, text);
}

// ---------------------------------------------------------------- popup

bool CViewTool::SelectPreviousIdObject()
{
    CViewToolHost* host = Host();
    return host && host->StepIdPopup(false);
}

bool CViewTool::SelectNextIdObject()
{
    CViewToolHost* host = Host();
    return host && host->StepIdPopup(true);
}

bool CViewTool::IsIdPopupShown() const
{
    const CViewToolHost* host = Host();
    return host && host->IsIdPopupVisible();
}

void CViewTool::DismissIdPopup()
{
    if (CViewToolHost* host = Host())
        host->DismissIdPopup();
}

bool CViewTool::GetIdPopupOrigin(int32_t& x, int32_t& y) const
{
    const CViewToolHost* host = Host();
    return host && host->GetIdPopupOrigin(x, y);
}

bool CViewTool::IsIdPopupWindow(const void* window) const
{
    const CViewToolHost* host = Host();
    return host && host->IsIdPopupWindow(window);
}

bool CViewTool::HitTestScreenPoint(int32_t x, int32_t y) const
{
    CMapCtrl* map = GetMapWindow();
    return map && map->GetScreenRect().Contains(x, y);
}

void DeleteViewToolClasses()
{
    // A deleted tool's destructor may retire nothing more, but take the list first to be safe.
    auto tools = std::move(RetiredTools());
    RetiredTools().clear();
}

size_t GetRetiredViewToolCount()
{
    return RetiredTools().size();
}

// ---------------------------------------------------------------- default, pick, location

CDefaultTool::CDefaultTool(CMapCtrl* map) : CViewTool(map)
{
    LoadToolCursor();
}

CDefaultTool::CDefaultTool(const CViewTool* previous) : CViewTool(previous)
{
    LoadToolCursor();
}

int32_t CDefaultTool::GetCursorId() const
{
    return ToolCursorId(EToolCursorFamily::Default, GetMorvelSettings().GetPickBoxSize());
}

CPickTool::CPickTool(CMapCtrl* map) : CViewTool(map)
{
    LoadToolCursor();
}

CPickTool::CPickTool(const CViewTool* previous) : CViewTool(previous)
{
    LoadToolCursor();
}

int32_t CPickTool::GetCursorId() const
{
    return ToolCursorId(EToolCursorFamily::Pick, GetMorvelSettings().GetPickBoxSize());
}

bool CPickTool::OnLButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    CGraphicDataExchange* exchange = GetGraphicDataExchange();
    if (!exchange)
        return false;
    const bool snapped = CViewTool::OnLButtonDown(flags, x, y);
    // A point field takes only what a snap found.
    if (!exchange->TargetIsPointControl() || snapped)
        exchange->Deliver(1, true);
    return snapped;
}

CLocationTool::CLocationTool(CMapCtrl* map) : CViewTool(map)
{
    LoadToolCursor();
}

CLocationTool::CLocationTool(const CViewTool* previous) : CViewTool(previous)
{
    LoadToolCursor();
}

int32_t CLocationTool::GetCursorId() const
{
    return ToolCursorId(EToolCursorFamily::Location, GetMorvelSettings().GetPickBoxSize());
}

void CLocationTool::OnMouseMove(uint32_t flags, int32_t x, int32_t y)
{
    OnHoverMove(flags, x, y);
    const DevicePoint at = IsDevicePointSet(m_markerPoint) ? m_markerPoint : DevicePoint{x, y};
    OverlayScope scope(*this);
    AddCrosshair(at.x, at.y, -1);
}

bool CLocationTool::OnLButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    CViewTool::OnLButtonDown(flags, x, y);
    if (CGraphicDataExchange* exchange = GetGraphicDataExchange())
        exchange->Deliver(1, true);
    return true;
}

void CLocationTool::RedrawOverlay()
{
    if (GetMapWindow())
        CViewTool::RedrawOverlay();
}
