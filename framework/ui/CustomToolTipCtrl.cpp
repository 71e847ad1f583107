#include "framework/ui/CustomToolTipCtrl.h"

#include <wx/stopwatch.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <algorithm>

namespace {
std::vector<CCustomToolTipCtrl*>& Registry()
{
    static std::vector<CCustomToolTipCtrl*> all;
    return all;
}
} // namespace

CCustomToolTipCtrl::CCustomToolTipCtrl(bool tracking)
    : m_model(tracking, [] { return int64_t(wxGetLocalTimeMillis().GetValue()); }), m_timer(this, RestartTimerId)
{
    Registry().push_back(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { CheckDue(); }, RestartTimerId);
}

CCustomToolTipCtrl::~CCustomToolTipCtrl()
{
    m_timer.Stop();
    *m_self = nullptr;
    auto& all = Registry();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

const std::vector<CCustomToolTipCtrl*>& CCustomToolTipCtrl::GetAll() { return Registry(); }

void CCustomToolTipCtrl::RelayToAll(const wxMouseEvent& event)
{
    // A copy: an owner answering a tip may create or destroy tooltips.
    const std::vector<CCustomToolTipCtrl*> all = Registry();
    for (CCustomToolTipCtrl* tip : all)
        if (std::find(Registry().begin(), Registry().end(), tip) != Registry().end())
            tip->RelayEvent(event);
}

void CCustomToolTipCtrl::AddTool(wxWindow* tool)
{
    if (!tool)
        return;
    if (std::find(m_tools.begin(), m_tools.end(), tool) == m_tools.end())
        m_tools.push_back(tool);
    m_model.AddTool(tool);
    // A tool that goes away leaves the list before its memory does; the tooltip may be gone first.
    tool->Bind(wxEVT_DESTROY, [self = std::weak_ptr<CCustomToolTipCtrl*>(m_self), tool](wxWindowDestroyEvent& e) {
        e.Skip();
        if (auto alive = self.lock(); alive && *alive && e.GetEventObject() == tool)
            (*alive)->RemoveTool(tool);
    });
}

void CCustomToolTipCtrl::RemoveTool(wxWindow* tool)
{
    m_tools.erase(std::remove(m_tools.begin(), m_tools.end(), tool), m_tools.end());
    m_model.RemoveTool(tool);
}

void CCustomToolTipCtrl::Activate(bool on)
{
    m_model.Activate(on);
    Reschedule();
}

void CCustomToolTipCtrl::RestartTracking()
{
    m_model.RestartTracking();
    Reschedule();
}

wxWindow* CCustomToolTipCtrl::FindTool(wxWindow* window) const
{
    for (; window; window = window->GetParent()) {
        if (std::find(m_tools.begin(), m_tools.end(), window) != m_tools.end())
            return window;
        if (window->IsTopLevel())
            break;
    }
    return nullptr;
}

void CCustomToolTipCtrl::RelayEvent(const wxMouseEvent& event)
{
    auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
    const wxPoint screen = window ? window->ClientToScreen(event.GetPosition()) : wxGetMousePosition();
    const bool button = event.ButtonDown() || event.ButtonDClick();
    m_model.OnMouse(event.Leaving() ? nullptr : FindTool(window), screen.x, screen.y, button);
    Reschedule();
}

void CCustomToolTipCtrl::CheckDue()
{
    m_model.Tick();
    if (const void* due = m_model.TakeDueTool())
        if (onNeedText) {
            auto* tool = static_cast<wxWindow*>(const_cast<void*>(due));
            onNeedText(tool, wxGetMousePosition());
        }
    Reschedule();
}

void CCustomToolTipCtrl::Reschedule()
{
    const int64_t next = m_model.NextDueIn();
    if (next < 0) {
        m_timer.Stop();
        return;
    }
    m_timer.StartOnce(int(std::max<int64_t>(1, next)));
}
