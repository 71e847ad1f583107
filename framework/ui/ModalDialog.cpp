#include "framework/ui/ModalDialog.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/time.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <memory>
#include <utility>

namespace {
ModalAnswerer& Answerer()
{
    static ModalAnswerer answerer;
    return answerer;
}

// The main window shown a moment ago may not have been placed by the window manager yet; a box
// shown before then can end up behind it (the program looks hung) and the window's normal size
// can be lost. Waits, once a run and at most a second, until the window manager has activated it.
void WaitForFirstPlacement(wxWindow* owner)
{
    static bool waited = false;
    auto* top = dynamic_cast<wxTopLevelWindow*>(owner ? wxGetTopLevelParent(owner) : nullptr);
    if (waited || !top || !top->IsShown() || top->IsActive())
        return;
    waited = true;
    std::unique_ptr<wxGUIEventLoop> temporary;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    std::unique_ptr<wxEventLoopActivator> activator;
    if (!loop) {
        temporary = std::make_unique<wxGUIEventLoop>();
        activator = std::make_unique<wxEventLoopActivator>(temporary.get());
        loop = temporary.get();
    }
    const wxLongLong end = wxGetLocalTimeMillis() + 1000;
    while (!top->IsActive() && wxGetLocalTimeMillis() < end) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
        wxMilliSleep(10);
    }
}

} // namespace

int RunModal(wxDialog& dialog)
{
    if (Answerer())
        return Answerer()(dialog);
    WaitForFirstPlacement(dialog.GetParent() ? dialog.GetParent() : wxTheApp->GetTopWindow());
    // Every box comes to the front once it shows, whatever the window manager did meanwhile.
    dialog.CallAfter([&dialog] { dialog.Raise(); });
    return dialog.ShowModal();
}


ModalAnswerer SetModalAnswerer(ModalAnswerer answerer) { return std::exchange(Answerer(), std::move(answerer)); }
