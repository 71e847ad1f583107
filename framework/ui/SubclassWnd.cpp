#include "framework/ui/SubclassWnd.h"

#include <wx/window.h>

#include <vector>

CSubclassWnd::CSubclassWnd() = default;

CSubclassWnd::~CSubclassWnd() { HookWindow(nullptr); }

bool CSubclassWnd::HookWindow(wxWindow* window)
{
    if (m_window) {
        m_window->RemoveEventHandler(this);
        m_window = nullptr;
    }
    if (window) {
        window->PushEventHandler(this);
        m_window = window;
    }
    return true;
}

void CSubclassWnd::UnhookAll(wxWindow* window)
{
    std::vector<CSubclassWnd*> hooks;
    for (wxEvtHandler* h = window->GetEventHandler(); h && h != window; h = h->GetNextHandler())
        if (auto* hook = dynamic_cast<CSubclassWnd*>(h); hook && hook->m_window == window)
            hooks.push_back(hook);
    for (CSubclassWnd* hook : hooks)
        hook->HookWindow(nullptr);
}

bool CSubclassWnd::TryBefore(wxEvent& event)
{
    // The window is going: every hook leaves before the window handles its own end, so the
    // window's chain is its own again when it is destroyed.
    if (event.GetEventType() == wxEVT_DESTROY && m_window && event.GetEventObject() == m_window) {
        wxWindow* window = m_window;
        UnhookAll(window);
        return window->GetEventHandler()->ProcessEventLocally(event);
    }
    if (WindowProc(event))
        return true;
    return wxEvtHandler::TryBefore(event);
}
