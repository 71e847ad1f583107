#include "views/ui/MapCtrl.h"

#include "views/ui/DataFileView.h"

#include "framework/ColorTable.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/PointRecord.h"
#include "shell/CommandIds.h"
#include "views/HoverIdentify.h"
#include "views/MapCommands.h"
#include "views/MapToolHost.h"
#include "views/ui/MapLayer.h"
#include "views/ui/ToolPopups.h"
#include "views/ui/ViewToolHost.h"
#include "views/ViewToolRules.h"

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/utils.h>

#include <cstdlib>
#include <memory>

namespace {

// The event a waiting field gets when a press took the object the popup showed.
constexpr uint32_t ToolEventObjectHit = 8;

// Mouse flags as the tools read them.
constexpr uint32_t MkLButton = 0x0001, MkRButton = 0x0002, MkShift = 0x0004, MkControl = 0x0008,
                   MkMButton = 0x0010;

uint32_t FlagsOf(const wxMouseEvent& e)
{
    return (e.LeftIsDown() ? MkLButton : 0) | (e.RightIsDown() ? MkRButton : 0) | (e.ShiftDown() ? MkShift : 0) |
           (e.ControlDown() ? MkControl : 0) | (e.MiddleIsDown() ? MkMButton : 0) | (e.AltDown() ? ToolKeyAlt : 0);
}

} // namespace

CMapCtrl::CMapCtrl(wxWindow* parent, wxWindowID id, std::unique_ptr<CMapCtrlCore> core)
    : m_core(std::move(core))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE | wxBORDER_NONE);
    m_core->SetHost(this);
    wxEvtHandler::AddFilter(&m_escapeFilter);
    Bind(wxEVT_PAINT, &CMapCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, &CMapCtrl::OnSize, this);
    Bind(wxEVT_KEY_DOWN, &CMapCtrl::OnKey, this);
    Bind(wxEVT_CONTEXT_MENU, &CMapCtrl::OnContextMenu, this);
    Bind(wxEVT_LEFT_DOWN, &CMapCtrl::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CMapCtrl::OnMouse, this);
    Bind(wxEVT_MIDDLE_DOWN, &CMapCtrl::OnMouse, this);
    Bind(wxEVT_MIDDLE_UP, &CMapCtrl::OnMouse, this);
    Bind(wxEVT_RIGHT_DOWN, &CMapCtrl::OnMouse, this);
    Bind(wxEVT_RIGHT_UP, &CMapCtrl::OnMouse, this);
    Bind(wxEVT_MOTION, &CMapCtrl::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &CMapCtrl::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &CMapCtrl::OnMouse, this);
}

CMapCtrl::~CMapCtrl()
{
    wxEvtHandler::RemoveFilter(&m_escapeFilter);
    // The layer goes first: it draws through the core's host, which is this window.
    m_core->SetHost(nullptr);
}

CMapLayer* CMapCtrl::GetMapLayer() const
{
    return dynamic_cast<CMapLayer*>(m_core->GetLayer());
}

// ---------------------------------------------------------------- host

std::unique_ptr<CMapCtrlMemoryView> CMapCtrl::CreateLayer(CMapCtrlCore& map, int32_t width, int32_t height)
{
    return std::make_unique<CMapLayer>(this, &map, map.GetViewKind(), width, height);
}

DevicePoint CMapCtrl::GetScreenSize() const
{
    const wxSize s = wxGetDisplaySize();
    return DevicePoint{std::max(s.x, 1), std::max(s.y, 1)};
}

void CMapCtrl::RedrawWindow()
{
    // The layer changed: an overlay copy holds the old picture. The paint puts the tools'
    // feedback back over the new one.
    m_overlay = wxBitmap();
    Repaint();
}

void CMapCtrl::Repaint()
{
    Refresh(false);
    Update();
}

void CMapCtrl::EraseToolFeedback()
{
    if (CMapToolHost* tools = GetMapToolHost())
        tools->EraseToolCrosshair();
}

CGraphicDataExchange* CMapCtrl::GetGraphicDataExchange()
{
    return &::GetGraphicDataExchange();
}

uint32_t CMapCtrl::PaletteColour(int32_t index) const
{
    return GetPaletteColor(index) & 0x00FFFFFF;
}

const wxBitmap* CMapCtrl::GetIconBitmap(int32_t icon)
{
    CProgramServices* app = GetProgramServices();
    return app && icon > 0 ? app->GetIcon(uint32_t(icon), true) : nullptr;
}

wxWindow* CMapCtrl::GetCommandTarget() const
{
    if (CProgramServices* app = GetProgramServices())
        if (app->GetMainWindow())
            return app->GetMainWindow();
    return wxGetTopLevelParent(const_cast<CMapCtrl*>(this));
}

void CMapCtrl::AnimateZoomRing(DevicePoint centre)
{
    if (!IsShownOnScreen())
        return;
    const wxColour cursor = ToWxColour(GetPaletteColor(GetMorvelSettings().GetCursorColor()));
    for (int r = 50; r >= 2; --r) {
        ShowOverlay([&](wxDC& dc) {
            dc.SetPen(wxPen(cursor, 1));
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawCircle(centre.x, centre.y, r);
            dc.DrawCircle(centre.x, centre.y, r - 1);
        });
        wxMilliSleep(5);
    }
    EraseOverlay();
}

// ---------------------------------------------------------------- overlay

void CMapCtrl::ShowOverlay(const std::function<void(wxDC&)>& draw)
{
    CMapLayer* layer = GetMapLayer();
    const wxSize size = GetClientSize();
    if (!layer || !layer->HasBitmap() || size.x <= 0 || size.y <= 0)
        return;
    m_overlay = wxBitmap(size.x, size.y, 24);
    {
        wxMemoryDC dc(m_overlay);
        dc.Blit(0, 0, size.x, size.y, &layer->GetDC(), 0, 0);
        // The picture as the window shows it, with what is drawn over the layer.
        if (!layer->HasQueued()) {
            CWxMapSurface surface(&dc);
            surface.SetIconLookup([this](int32_t icon) { return GetIconBitmap(icon); });
            dc.SetFont(layer->GetDC().GetFont());
            m_core->DrawDecorations(surface);
        }
        draw(dc);
    }
    if (!m_inPaint)
        Repaint();
}

void CMapCtrl::EraseOverlay(bool now)
{
    if (!m_overlay.IsOk())
        return;
    m_overlay = wxBitmap();
    if (m_inPaint)
        return;
    if (now)
        Repaint();
    else
        Refresh(false);
}

wxImage CMapCtrl::GetShownImage()
{
    if (m_overlay.IsOk())
        return m_overlay.ConvertToImage();
    CMapLayer* layer = GetMapLayer();
    if (!layer)
        return wxImage();
    const wxSize size = GetClientSize();
    wxImage all = layer->GetImage();
    wxImage shown = all.GetSubImage(wxRect(0, 0, std::min(size.x, all.GetWidth()), std::min(size.y, all.GetHeight())));
    if (layer->HasQueued() || !shown.IsOk())
        return shown;
    // The decorations are drawn over the layer on the window, as a paint does.
    wxBitmap picture(shown);
    {
        wxMemoryDC dc(picture);
        CWxMapSurface surface(&dc);
        dc.SetFont(layer->GetDC().GetFont());
        m_core->DrawDecorations(surface);
    }
    return picture.ConvertToImage();
}

// ---------------------------------------------------------------- window events

void CMapCtrl::OnSize(wxSizeEvent& event)
{
    const wxSize size = GetClientSize();
    const bool wasValid = m_core->GetMapping().IsValid();
    m_core->OnLayout(DeviceRect{0, 0, size.x, size.y});
    if (!wasValid && m_core->GetMapping().IsValid() && m_onFirstLayout) {
        auto handler = std::move(m_onFirstLayout);
        handler();
    }
    Refresh(false);
    event.Skip();
}

void CMapCtrl::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    CMapLayer* layer = GetMapLayer();
    if (!m_core->GetDocument() || size.x <= 0 || size.y <= 0 || !m_core->GetMapping().IsValid() || !layer ||
        !layer->HasBitmap()) {
        dc.SetBackground(wxBrush(ToWxColour(GetPaletteColor(GetMorvelSettings().GetGraphicsBackgroundColor()))));
        dc.Clear();
        return;
    }
    if (m_overlay.IsOk()) {
        wxMemoryDC overlay(m_overlay);
        dc.Blit(0, 0, size.x, size.y, &overlay, 0, 0);
        return;
    }
    if (!m_core->IsLayoutDeferred() && layer->HasQueued())
        layer->Drain();
    // The bitmap sits where its world corners fall now; right after a refresh that is (0, 0) at
    // its own size. During a realtime zoom it is scaled until the drag ends.
    const DevicePoint at = m_core->GetMapping().WorldToDevice(layer->GetWorldX1(), layer->GetWorldY1());
    const DevicePoint end = m_core->GetMapping().WorldToDevice(layer->GetWorldX2(), layer->GetWorldY2());
    const int w = end.x - at.x, h = end.y - at.y;
    if (m_core->IsRealtimeDrag() && w > 0 && h > 0 && (std::abs(w - layer->GetWidth()) > 1 || std::abs(h - layer->GetHeight()) > 1)) {
        dc.SetBackground(wxBrush(ToWxColour(GetPaletteColor(GetMorvelSettings().GetGraphicsBackgroundColor()))));
        dc.Clear();
        dc.StretchBlit(at.x, at.y, w, h, &layer->GetDC(), 0, 0, layer->GetWidth(), layer->GetHeight());
    } else {
        if (at.x != 0 || at.y != 0) {
            dc.SetBackground(wxBrush(ToWxColour(GetPaletteColor(GetMorvelSettings().GetGraphicsBackgroundColor()))));
            dc.Clear();
        }
        dc.Blit(at.x, at.y, std::min(size.x, layer->GetWidth()), std::min(size.y, layer->GetHeight()),
                &layer->GetDC(), 0, 0);
    }
    if (!layer->HasQueued()) {
        CWxMapSurface surface(&dc);
        surface.SetIconLookup([this](int32_t icon) { return GetIconBitmap(icon); });
        dc.SetFont(layer->GetDC().GetFont());
        m_core->DrawDecorations(surface);
        m_core->GetDrawState().Reset();
        // The tools' feedback goes back over the new picture.
        if (CMapToolHost* tools = GetMapToolHost()) {
            m_inPaint = true;
            tools->RedrawToolFeedback();
            m_inPaint = false;
            if (m_overlay.IsOk()) {
                wxMemoryDC overlay(m_overlay);
                dc.Blit(0, 0, size.x, size.y, &overlay, 0, 0);
            }
        }
    }
}

int CMapCtrl::EscapeFilter::FilterEvent(wxEvent& event)
{
    if (!m_map->IsDrawingYield())
        return Event_Skip;
    if (event.GetEventType() == wxEVT_KEY_DOWN && static_cast<wxKeyEvent&>(event).GetKeyCode() == WXK_ESCAPE) {
        m_map->OnEscapeKey();
        return Event_Processed;
    }
    // A command here could close the job and take this map with it while the drawing step is
    // still on the stack: the drawing ends, and the command runs once the step has returned.
    if (event.GetEventType() == wxEVT_MENU && wxTheApp) {
        m_map->OnEscapeKey();
        std::shared_ptr<wxEvent> later(event.Clone());
        wxTheApp->CallAfter([later] {
            if (wxWindow* top = wxTheApp->GetTopWindow())
                top->GetEventHandler()->ProcessEvent(*later);
        });
        return Event_Processed;
    }
    return Event_Skip;
}

void CMapCtrl::OnKey(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE) {
        OnEscapeKey();
        return;
    }
    // Erase Scratch Lines (Ctrl+E) while the map has the keyboard.
    if (event.GetKeyCode() == 'E' && event.GetModifiers() == wxMOD_CONTROL) {
        if (wxWindow* target = GetCommandTarget())
            target->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdEraseScratchLines));
        return;
    }
    event.Skip();
}

void CMapCtrl::OnMouse(wxMouseEvent& event)
{
    // Input let through while the layer draws may only end the drawing (Esc), not change the map.
    if (m_inYield)
        return;
    const wxPoint p = event.GetPosition();
    const uint32_t flags = FlagsOf(event);
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN)
        OnLeftDown(p, flags);
    else if (type == wxEVT_LEFT_UP)
        OnLeftUp(p, flags);
    else if (type == wxEVT_MIDDLE_DOWN)
        OnMiddleDown(p, flags);
    else if (type == wxEVT_MIDDLE_UP)
        OnMiddleUp(p, flags);
    else if (type == wxEVT_RIGHT_DOWN)
        OnRightDown(p, flags);
    else if (type == wxEVT_RIGHT_UP)
        OnRightUp(p, flags);
    else if (type == wxEVT_MOTION)
        OnMove(p, flags);
    else if (type == wxEVT_LEFT_DCLICK)
        OnLeftDoubleClick(p, flags);
    else if (type == wxEVT_MOUSEWHEEL)
        OnWheel(event.GetWheelRotation());
    // A right press left unhandled comes back from the toolkit as a context-menu event, which
    // would open a second menu after the one the press opened.
    event.Skip(type != wxEVT_MOUSEWHEEL && type != wxEVT_RIGHT_DOWN);
}

void CMapCtrl::OnContextMenu(wxContextMenuEvent&)
{
    // The right press opens the menu itself; the keyboard's menu key lands here.
    ShowContextMenu(ScreenToClient(wxGetMousePosition()));
}

// ---------------------------------------------------------------- mouse routing

CLocation CMapCtrl::PickTolerance() const
{
    return m_core->ComputePickTolerance();
}

void CMapCtrl::NotePress(const wxPoint& p)
{
    UpdatePickTolerance(*m_core);
    CPickQuery q;
    q.point = DevicePoint{p.x, p.y};
    m_core->OnDeviceToWorld8083(q);
    ::GetGraphicDataExchange().SetLocation(CLocation(q.location.x, q.location.y, NoValue));
    m_lastButtonPoint = p;
}

void CMapCtrl::OnLeftDown(const wxPoint& p, uint32_t flags)
{
    SetFocus();
    NotePress(p);
    m_pendingToolHit = false;
    // The object the identification popup shows is what the person clicked on.
    TakeToolIdPopupObject(m_toolRecord);
    CMapToolHost* tools = GetMapToolHost();
    if (tools && !tools->IsDefaultToolCurrent()) {
        if (m_toolRecord.record) {
            CGraphicDataExchange& exchange = ::GetGraphicDataExchange();
            CLocation at = exchange.GetLocation();
            at.x = at.y = NoValue;
            exchange.SetLocation(at);
            // Alt of this click, not of an earlier one.
            exchange.SetWord(0, int32_t(flags & ToolKeyAlt));
            exchange.Deliver(ToolEventObjectHit, true);
        } else {
            tools->ToolOnLButtonDown(flags, p.x, p.y);
        }
        m_pendingToolHit = true;
    }
    m_toolRecord = RecordRef{};
}

void CMapCtrl::OnLeftUp(const wxPoint& p, uint32_t flags)
{
    if (CMapToolHost* tools = GetMapToolHost())
        tools->ToolOnLButtonUp(flags, p.x, p.y);
}

void CMapCtrl::OnMiddleDown(const wxPoint& p, uint32_t flags)
{
    NotePress(p);
    if (CMapToolHost* tools = GetMapToolHost())
        tools->ToolOnMButtonDown(flags, p.x, p.y);
}

void CMapCtrl::OnMiddleUp(const wxPoint& p, uint32_t flags)
{
    if (CMapToolHost* tools = GetMapToolHost())
        tools->ToolOnMButtonUp(flags, p.x, p.y);
}

void CMapCtrl::OnRightDown(const wxPoint& p, uint32_t flags)
{
    if (CMapToolHost* tools = GetMapToolHost())
        tools->ToolOnRButtonDown(flags, p.x, p.y);
    ShowContextMenu(p);
}

void CMapCtrl::OnRightUp(const wxPoint& p, uint32_t flags)
{
    if (CMapToolHost* tools = GetMapToolHost())
        tools->ToolOnRButtonUp(flags, p.x, p.y);
}

void CMapCtrl::OnMove(const wxPoint& p, uint32_t flags)
{
    if (p != m_lastMovePoint) {
        if (CMapToolHost* tools = GetMapToolHost())
            tools->ToolOnMouseMove(flags, p.x, p.y);
        m_lastMovePoint = p;
    }
    if (!m_core->GetMapping().IsValid())
        return;
    CPickQuery q;
    q.point = DevicePoint{p.x, p.y};
    m_core->OnDeviceToWorld8083(q);
    if (CProgramServices* app = GetProgramServices())
        app->ShowCursorPosition(q.location.y, q.location.x);
}

void CMapCtrl::OnLeftDoubleClick(const wxPoint& p, uint32_t flags)
{
    if (m_pendingToolHit) {
        m_pendingToolHit = false;
        OnLeftDown(p, flags);
        return;
    }
    CMapLayer* layer = GetMapLayer();
    CDataFileDoc* doc = m_core->GetDocument();
    if (!doc || !layer || !layer->HasBitmap() || layer->HasQueued())
        return;
    CPickQuery q;
    q.point = DevicePoint{p.x, p.y};
    m_core->OnDeviceToWorld8083(q);
    q.tolerance = PickTolerance();
    if (!m_core->OnHitSearch808C(true, q))
        return;
    RecordRef chosen = q.hits[0];
    if (q.hits.size() > 1) {
        const wxPoint screen = ClientToScreen(p);
        CViewToolHost* tools = GetProgramServices() ? CViewToolHost::GetActive() : nullptr;
        if (!tools || tools->ChooseObjectAtPoint(chosen, q.hits, screen.x, screen.y, "Edit...", "Cancel") != 1)
            return;
        if (!doc->ContainsRecord(chosen.record, 0))
            return;
    }
    CRecord* record = chosen.record;
    doc->SetCurrentRecord(record, -1);
    if (record->GetType() == kRecordTypePoint)
        if (wxWindow* target = GetCommandTarget())
            target->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdEditPoints));
}

void CMapCtrl::OnWheel(int32_t rotation)
{
    // The page being printed or previewed is the map as it was.
    auto* view = dynamic_cast<CDataFileView*>(GetParent());
    if (rotation == 0 || (view && view->IsPrinting()))
        return;
    EraseToolFeedback();
    m_core->OnMouseWheelZoom(rotation);
}

// ---------------------------------------------------------------- context menu

std::unique_ptr<wxMenu> CMapCtrl::BuildContextMenu(const wxPoint& client, bool& beep)
{
    beep = false;
    CDataFileDoc* doc = m_core->GetDocument();
    if (!m_core->GetMapping().IsValid())
        return nullptr;
    CPickQuery q;
    q.point = DevicePoint{client.x, client.y};
    m_core->OnDeviceToWorld8083(q);
    q.tolerance = PickTolerance();
    ::GetGraphicDataExchange().SetLocation(CLocation(q.location.x, q.location.y, NoValue));
    CRecord* candidate = nullptr;
    RecordRef shown;
    if (CObjectIdWnd* popup = GetToolIdPopup(); doc && popup && popup->GetCurrentObject(shown)) {
        candidate = shown.record;
    } else if (doc && m_core->OnHitSearch808C(true, q)) {
        // Several objects: the identification popup names them instead of a menu.
        if (q.hits.size() > 1) {
            ShowToolObjectsAtPoint(q.hits, ClientToScreen(client), q.location.x, q.location.y, this,
                                   PickedObjectsIcon);
            return nullptr;
        }
        candidate = q.hits[0].record;
    }
    if (candidate && candidate->GetType() == kRecordTypePoint) {
        auto menu = BuildPointContextMenu(static_cast<CPointRecord*>(candidate)->GetName());
        doc->SetCurrentRecord(candidate, -1);
        return menu;
    }
    if (!GetMorvelSettings().GetShowZoomContextMenu()) {
        beep = true;
        return nullptr;
    }
    auto menu = std::make_unique<wxMenu>();
    menu->SetTitle("Zoom Context");
    menu->Append(IdZoomExtents, "Zoom Extents");
    menu->AppendCheckItem(IdZoomWindow, "Zoom Window");
    menu->Append(IdZoomPrevious, "Zoom Previous");
    menu->Append(IdZoomNext, "Zoom Next");
    menu->Append(IdZoomIn, "Zoom In");
    menu->Append(IdZoomOut, "Zoom Out");
    menu->AppendCheckItem(IdRealtimeZoom, "Realtime Zoom");
    menu->AppendCheckItem(IdRealtimePan, "Realtime Pan");
    menu->Append(IdZoomToPoint, "Zoom to Point...");
    return menu;
}

std::unique_ptr<wxMenu> CMapCtrl::BuildPointContextMenu(const std::string& pointName)
{
    const wxString name = ToWx(pointName);
    auto menu = std::make_unique<wxMenu>();
    menu->SetTitle("Point Context");
    menu->Append(IdEditPoints, wxString::Format("Edit Point %s...", name));
    menu->Append(IdDeletePoint, wxString::Format("Delete Point %s...", name));
    menu->Append(IdZoomToPointName, wxString::Format("Zoom to Point %s", name));
    menu->Append(IdInverseTo, "Inverse To...");
    menu->Append(IdChangeDescription, "Change Description...");
    return menu;
}

void CMapCtrl::ShowContextMenu(const wxPoint& client)
{
    bool beep = false;
    std::unique_ptr<wxMenu> menu = BuildContextMenu(client, beep);
    if (!menu) {
        if (beep)
            wxBell();
        return;
    }
    // The menu took the popup's object; the popup would only cover the menu.
    DismissToolIdPopup();
    CDataFileDoc* doc = m_core->GetDocument();
    RecordRef current;
    const bool point = doc && doc->GetCurrentRecord(current) && current.record &&
                       current.record->GetType() == kRecordTypePoint && menu->GetTitle() == "Point Context";
    if (point)
        DrawRecordState(current.record, DrawColourHighlight);
    menu->SetTitle(wxString());
    const int chosen = GetPopupMenuSelectionFromUser(*menu, client);
    if (point)
        DrawRecordState(current.record, DrawColourNormal);
    if (chosen == wxID_NONE) {
        if (doc)
            doc->ClearCurrentRecord();
        return;
    }
    if (wxWindow* target = GetCommandTarget())
        target->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, chosen));
}

void CMapCtrl::DrawRecordState(CRecord* record, int32_t flag)
{
    // Drawn straight onto the layer only when it is complete; a queued redraw draws it anyway.
    CMapLayer* layer = GetMapLayer();
    if (record && layer && layer->HasBitmap() && !layer->HasQueued())
        m_core->DrawWithState(CDrawState(m_core->GetViewKind(), DrawModeOneRecord, record, 0, 0, flag));
}

bool CMapCtrl::IsSnapLocked() const { return GetMorvelSettings().GetSnapLock(); }
