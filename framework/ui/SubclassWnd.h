#pragma once

#include <wx/event.h>

class wxWindow;

// Lets an object that is not a window see a window's events before the window does, on the
// window's chain of event handlers: several hooks on one window see each event newest first,
// and whatever a hook does not use goes on to the next one and then to the window.
class CSubclassWnd : public wxEvtHandler
{
public:
    CSubclassWnd();
    // A hook that goes while hooked leaves its window's chain first.
    ~CSubclassWnd() override;
    CSubclassWnd(const CSubclassWnd&) = delete;
    CSubclassWnd& operator=(const CSubclassWnd&) = delete;

    // With a window: joins its chain in front of the hooks already there. With null: leaves the
    // chain, wherever it is in it. Always true.
    bool HookWindow(wxWindow* window);
    wxWindow* GetHookedWindow() const { return m_window; }
    bool IsHooked() const { return m_window != nullptr; }

    // Every hook of the window leaves its chain (the window is going).
    static void UnhookAll(wxWindow* window);

protected:
    // Sees each event of the hooked window; true when the event was used and goes no further.
    virtual bool WindowProc(wxEvent& event) { return false; }

private:
    bool TryBefore(wxEvent& event) override;

    wxWindow* m_window = nullptr;
};
