#include "views/ui/ViewToolHost.h"

#include "framework/GraphicDataExchange.h"
#include "framework/ui/ProgramServices.h"
#include "model/DataFileDoc.h"
#include "views/ui/MapCtrl.h"
#include "views/ui/ToolPopups.h"
#include "views/ui/ViewTool.h"

#include <wx/dialog.h>
#include <wx/timer.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace
{
CViewToolHost* g_activeHost = nullptr;

constexpr int HoverDelayMs = 1000;
constexpr int SnapDelayMs = 10;

// A one-shot timer that calls back into the host.
class ToolTimer : public wxTimer
{
public:
    explicit ToolTimer(std::function<void()> fire) : m_fire(std::move(fire)) {}
    void Notify() override { m_fire(); }

private:
    std::function<void()> m_fire;
};
} // namespace

CViewToolHost::CViewToolHost() : m_previousActive(g_activeHost)
{
    g_activeHost = this;
}

CViewToolHost* CViewToolHost::GetActive()
{
    return g_activeHost;
}

CViewToolHost::~CViewToolHost()
{
    KillHoverTimer();
    KillSnapTimer();
    if (g_activeHost == this)
        g_activeHost = m_previousActive;
    if (m_current)
        m_current->Retire();
    m_current = nullptr;
    DeleteViewToolClasses();
}

CGraphicDataExchange* CViewToolHost::Exchange() const
{
    return m_current ? m_current->GetGraphicDataExchange() : &::GetGraphicDataExchange();
}

bool CViewToolHost::IsPanToolCurrent() const
{
    return dynamic_cast<CRealtimePanTool*>(m_current) != nullptr;
}

bool CViewToolHost::IsDefaultToolCurrent() const
{
    return !m_current || m_current->IsDefaultTool();
}

void CViewToolHost::SetCurrentTool(CViewTool* tool)
{
    // The new tool is current before the old one is let go: a restore that the old tool's
    // deactivation sets off then replaces the new tool instead of deactivating the old one again.
    CViewTool* old = m_current;
    m_current = tool;
    if (old)
    {
        if (CGraphicDataExchange* exchange = old->GetGraphicDataExchange())
            exchange->Reset();
        old->Deactivate();
        // It may be the caller: deleted only at the next idle pass.
        old->Retire();
    }
    if (m_current)
        m_current->OnSetCursor();
    UpdateToolCursor();
}

void CViewToolHost::EnsureDefaultTool(CMapCtrl* map)
{
    if (!m_current)
        SetCurrentTool(new CDefaultTool(map));
    else if (map && !m_current->GetMapWindow())
        m_current->Attach(map);
}

void CViewToolHost::RestoreDefaultTool()
{
    if (m_restoring)
    {
        // A focus change inside a restore only puts the default tool back.
        SetCurrentTool(new CDefaultTool(m_current));
        return;
    }
    if (!m_current || m_current->IsDefaultTool())
        return;
    m_restoring = true;
    struct Guard
    {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{m_restoring};

    CGraphicDataExchange* exchange = Exchange();
    CGraphicDataTarget* field = focusedField ? focusedField() : nullptr;
    if (exchange && field)
    {
        if (exchange->IsTarget(field))
        {
            if (field->IsInVisibleStackedDialog())
                field->ResumeInteraction();
            return;
        }
        exchange->Reset();
        field->TakeFocusAgain();
        return;
    }
    if (exchange)
    {
        exchange->RestoreTarget(activeViewKind ? activeViewKind() : 2);
        CGraphicDataTarget* target = exchange->GetTarget();
        if (target && target->IsInVisibleStackedDialog() && target->IsInteractive())
        {
            target->ResumeInteraction();
            return;
        }
        exchange->Reset();
    }
    SetCurrentTool(new CDefaultTool(m_current));
}

void CViewToolHost::SaveExchangeTarget()
{
    if (CGraphicDataExchange* exchange = Exchange())
        exchange->SaveTarget();
}

CMapCtrl* CViewToolHost::CurrentMap() const
{
    return m_current ? m_current->GetMapWindow() : nullptr;
}

void CViewToolHost::StartPickTool() { SetCurrentTool(new CPickTool(m_current)); }
void CViewToolHost::StartSelectByRectTool() { SetCurrentTool(new CSelectByRectTool(m_current)); }
void CViewToolHost::StartLocationTool() { SetCurrentTool(new CLocationTool(m_current)); }

void CViewToolHost::StartAnchorLineTool(const std::vector<CLocation>& anchors, const std::vector<CLocation>& segmentsA,
                                        const std::vector<CLocation>& segmentsB)
{
    SetCurrentTool(new CAnchorLineTool(CurrentMap(), anchors, segmentsA, segmentsB));
}

void CViewToolHost::StartVisualPlineTool(const CLocation& anchor)
{
    SetCurrentTool(new CVisualPlineTool(CurrentMap(), anchor, CVisualPlineTool::LinesConstrained, true));
}

void CViewToolHost::StartZoomPlineTool(const CLocation& firstCorner)
{
    SetCurrentTool(new CZoomPlineTool(CurrentMap(), firstCorner));
}

void CViewToolHost::StartZoomRectTool()
{
    SaveExchangeTarget();
    SetCurrentTool(new CZoomRectTool(m_current));
}

void CViewToolHost::StartRealtimeZoomTool()
{
    SaveExchangeTarget();
    SetCurrentTool(new CRealtimeZoomTool(m_current));
}

void CViewToolHost::StartRealtimePanTool()
{
    SaveExchangeTarget();
    SetCurrentTool(new CRealtimePanTool(m_current));
}

void CViewToolHost::StopCurrentTool()
{
    if (m_current)
        m_current->Deactivate();
}

void CViewToolHost::EraseToolCrosshair()
{
    if (m_current)
        m_current->EraseCrosshair();
}

void CViewToolHost::RedrawToolFeedback()
{
    ToolRedrawCrosshair(0);
}

void CViewToolHost::ToolRedrawCrosshair(int32_t value)
{
    if (m_current)
        m_current->RedrawCrosshair(value);
}

void CViewToolHost::UpdateToolCursor()
{
    CMapCtrl* map = m_current ? m_current->GetMapWindow() : nullptr;
    if (!map || map->IsBeingDeleted())
        return;
    const wxPoint client = map->ScreenToClient(wxGetMousePosition());
    ToolOnMouseMove(0, client.x, client.y);
}

bool CViewToolHost::IsToolBusy() const
{
    return m_current && m_current->GetMapWindow() && CViewTool::s_dragging;
}

void CViewToolHost::ReloadToolCursor()
{
    if (m_current) {
        m_current->LoadToolCursor();
        m_current->OnSetCursor();
    }
}

bool CViewToolHost::IsPointInToolWindow(int32_t x, int32_t y) const
{
    return m_current && m_current->HitTestScreenPoint(x, y);
}

int32_t CViewToolHost::ChooseObjectAtPoint(RecordRef& out, const std::vector<RecordRef>& objects, int32_t x, int32_t y,
                                           const std::string& okCaption, const std::string& cancelCaption)
{
    out = RecordRef{};
    if (!m_current)
        return 2;
    if (!m_current->HitTestScreenPoint(x, y))
        return 0;
    m_current->Deactivate();
    return ChooseToolObject(out, objects, wxPoint(x, y), m_current->GetMapWindow(), okCaption, cancelCaption);
}

void CViewToolHost::ToolOnMouseMove(uint32_t flags, int32_t x, int32_t y)
{
    if (!m_current)
        return;
    CMapCtrl* map = m_current->GetMapWindow();
    // A point outside the tool's map window ends the tool's feedback there.
    if (map && !wxRect(map->GetClientSize()).Contains(x, y))
    {
        m_current->Deactivate();
        return;
    }
    m_current->OnMouseMove(flags, x, y);
}

void CViewToolHost::ToolOnLButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnLButtonDown(flags, x, y);
}

void CViewToolHost::ToolOnLButtonUp(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnLButtonUp(flags, x, y);
}

void CViewToolHost::ToolOnMButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnMButtonDown(flags, x, y);
}

void CViewToolHost::ToolOnMButtonUp(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnMButtonUp(flags, x, y);
}

void CViewToolHost::ToolOnRButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnRButtonDown(flags, x, y);
}

void CViewToolHost::ToolOnRButtonUp(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnRButtonUp(flags, x, y);
}

bool CViewToolHost::ToolOnSetCursor()
{
    return m_current && m_current->OnSetCursor();
}

// ---------------------------------------------------------------- services of the tools

bool CViewToolHost::IsForeground(bool dialogsToo) const
{
    if (isForeground)
        return isForeground(dialogsToo);
    CProgramServices* app = GetProgramServices();
    if (!app || !app->GetMainWindow())
        return false;
    if (app->IsMainFrameForeground())
        return true;
    if (!dialogsToo)
        return false;
    // A live dialog of the program: a top-level dialog whose owner chain reaches the main window.
    wxWindow* active = wxGetActiveWindow();
    wxWindow* top = active ? wxGetTopLevelParent(active) : nullptr;
    return top && dynamic_cast<wxDialog*>(top) && !top->IsBeingDeleted() &&
           wxGetTopLevelParent(top->GetParent() ? top->GetParent() : top) == app->GetMainWindow();
}

void CViewToolHost::SetStatusText(int pane, const std::string& text)
{
    if (statusText) {
        statusText(pane, text);
        return;
    }
    CProgramServices* app = GetProgramServices();
    if (!app || !app->GetMainWindow())
        return;
    if (pane == 0 && text.empty())
        app->ShowIdleMessage();
    else
        app->SetPaneText(pane, text);
}

void CViewToolHost::NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter)
{
    if (notifyActiveDocument) {
        notifyActiveDocument(sender, hint, parameter);
        return;
    }
    if (CDataFileDoc* doc = CDataFileDoc::GetActiveDoc())
        doc->SendHint(sender, hint, parameter);
}

void CViewToolHost::RestartHoverTimer(CMapCtrl* map)
{
    if (!m_hoverTimer)
        m_hoverTimer = std::make_unique<ToolTimer>([this] { OnTimer(true); });
    m_hoverMap = map;
    m_hoverTimer->StartOnce(HoverDelayMs);
}

void CViewToolHost::RestartSnapTimer(CMapCtrl* map)
{
    if (!m_snapTimer)
        m_snapTimer = std::make_unique<ToolTimer>([this] { OnTimer(false); });
    m_snapMap = map;
    m_snapTimer->StartOnce(SnapDelayMs);
}

void CViewToolHost::KillHoverTimer()
{
    if (m_hoverTimer)
        m_hoverTimer->Stop();
}

void CViewToolHost::KillSnapTimer()
{
    if (m_snapTimer)
        m_snapTimer->Stop();
}

bool CViewToolHost::IsHoverTimerRunning() const
{
    return m_hoverTimer && m_hoverTimer->IsRunning();
}

bool CViewToolHost::IsSnapTimerRunning() const
{
    return m_snapTimer && m_snapTimer->IsRunning();
}

void CViewToolHost::OnTimer(bool hover)
{
    CMapCtrl* map = hover ? m_hoverMap.get() : m_snapMap.get();
    if (!map || !m_current || m_current->GetMapWindow() != map || map->IsBeingDeleted())
        return;
    // Only when the mouse still rests over this map.
    if (WindowUnderCursor() != map)
        return;
    const wxPoint screen = wxGetMousePosition();
    const wxPoint client = map->ScreenToClient(screen);
    if (hover)
        m_current->RunHoverProcedure(client);
    else
        m_current->RunSnapProcedure(client);
}

void CViewToolHost::OnIdle()
{
    TrackCursorWindow();
    DeleteViewToolClasses();
}

wxWindow* CViewToolHost::WindowUnderCursor() const
{
    return windowUnderCursor ? windowUnderCursor() : wxFindWindowAtPoint(wxGetMousePosition());
}

void CViewToolHost::TrackCursorWindow()
{
    CMapCtrl* map = CurrentMap();
    if (!map || wxWindow::GetCapture() == map)
        return;
    wxWindow* under = WindowUnderCursor();
    if (!under || IsIdPopupWindow(under))
        return;
    // Only a change of window counts: a tip shown over another window stays until the mouse moves on.
    const bool changed = under != m_lastUnderCursor.get();
    m_lastUnderCursor = under;
    if (auto* other = dynamic_cast<CMapCtrl*>(under)) {
        if (other != map) {
            m_current->Attach(other);
            m_current->OnSetCursor();
        }
    } else if (changed) {
        m_current->Deactivate();
    }
}

// ---------------------------------------------------------------- the view's tool commands

bool CViewToolHost::IsZoomWindowOn() const
{
    return m_current && m_current->IsZoomWindowTool();
}

bool CViewToolHost::IsRealtimeZoomCurrent() const
{
    return dynamic_cast<CRealtimeZoomTool*>(m_current) != nullptr;
}

void CViewToolHost::ToggleTool(CMapCtrl* map, bool (CViewToolHost::*isOn)() const, void (CViewToolHost::*start)())
{
    EnsureDefaultTool(map);
    if ((this->*isOn)()) {
        RestoreDefaultTool();
        return;
    }
    m_current->Attach(map);
    (this->*start)();
}

void CViewToolHost::OnZoomWindowCommand(CMapCtrl* map)
{
    ToggleTool(map, &CViewToolHost::IsZoomWindowOn, &CViewToolHost::StartZoomRectTool);
}

void CViewToolHost::OnRealtimeZoomCommand(CMapCtrl* map)
{
    ToggleTool(map, &CViewToolHost::IsRealtimeZoomCurrent, &CViewToolHost::StartRealtimeZoomTool);
}

void CViewToolHost::OnRealtimePanCommand(CMapCtrl* map)
{
    ToggleTool(map, &CViewToolHost::IsPanToolCurrent, &CViewToolHost::StartRealtimePanTool);
}

bool IsDragMouseButtonDown()
{
    CViewToolHost* tools = CViewToolHost::GetActive();
    if (!tools || !(tools->IsRealtimeZoomCurrent() || tools->IsPanToolCurrent()))
        return false;
    const wxMouseState mouse = wxGetMouseState();
    return mouse.LeftIsDown() || mouse.MiddleIsDown();
}
