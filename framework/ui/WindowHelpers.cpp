#include "framework/ui/WindowHelpers.h"

#include <wx/bookctrl.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/toplevel.h>
#include <wx/window.h>
#include <wx/weakref.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
PopupMenuAnswerer& Answerer()
{
    static PopupMenuAnswerer answerer;
    return answerer;
}
} // namespace

bool IsWindowOfClass(const wxWindow* window, const char* name)
{
    if (!window || !name)
        return false;
    const wxClassInfo* info = window->GetClassInfo();
    return info && wxString(info->GetClassName()).IsSameAs(wxString::FromUTF8(name), false);
}

void KeepFocusAfterRefusedPageChange(wxWindow& book)
{
    wxWindow* focus = wxWindow::FindFocus();
    if (focus == nullptr || focus == &book)
        return;
    // The tab strip takes the keyboard once the click's own handling goes on after the refusal.
    wxWeakRef<wxWindow> refused(focus);
    book.CallAfter([refused] {
        if (refused && wxWindow::FindFocus() != refused.get())
            refused->SetFocus();
    });
}

int TrackPopupMenu(wxWindow& owner, wxMenu& menu, const wxPoint& client)
{
    if (Answerer())
        return Answerer()(menu);
    const int chosen = owner.GetPopupMenuSelectionFromUser(menu, client);
    return chosen == wxID_NONE ? 0 : chosen;
}

PopupMenuAnswerer SetPopupMenuAnswerer(PopupMenuAnswerer answerer) { return std::exchange(Answerer(), std::move(answerer)); }

void SizeWithinScreen(wxWindow& window, const wxWindow* parent, const wxSize& wanted)
{
    const int display = parent != nullptr ? wxDisplay::GetFromWindow(parent) : wxNOT_FOUND;
    const wxRect screen = wxDisplay(display == wxNOT_FOUND ? 0u : unsigned(display)).GetClientArea();
    window.SetSize(std::min(wanted.x, screen.width * 9 / 10), std::min(wanted.y, screen.height * 9 / 10));
    window.Centre();
}

namespace {

struct TabWalk
{
    const wxWindow* focus = nullptr;
    wxWindow* first = nullptr;
    wxWindow* next = nullptr;
    bool passed = false;
};

void WalkTabStops(wxWindow& parent, TabWalk& walk)
{
    for (wxWindow* w : parent.GetChildren()) {
        if (walk.next)
            return;
        if (w->IsTopLevel())
            continue;
        auto stop = [&] {
            if (!walk.first)
                walk.first = w;
            if (walk.passed)
                walk.next = w;
        };
        const bool holdsFocus = walk.focus && w->IsDescendant(const_cast<wxWindow*>(walk.focus));
        auto* radio = dynamic_cast<wxRadioButton*>(w);
        // Hidden and disabled windows are passed by, and the buttons of a group but the chosen one;
        // panels and group boxes only hold the stops.
        if (w->IsShown() && w->IsEnabled() && !(radio && !radio->GetValue())) {
            if (auto* book = dynamic_cast<wxBookCtrlBase*>(w)) {
                if (book->AcceptsFocusFromKeyboard())
                    stop();
                walk.passed = walk.passed || w == walk.focus;
                if (wxWindow* page = book->GetCurrentPage())
                    WalkTabStops(*page, walk);
            } else if (w->AcceptsFocusFromKeyboard() && !dynamic_cast<wxPanel*>(w) && !dynamic_cast<wxStaticBox*>(w)) {
                stop();
            } else {
                WalkTabStops(*w, walk);
            }
        }
        // Past the focus, also where it sits in a control of several parts (a combo box's entry).
        walk.passed = walk.passed || holdsFocus;
    }
}

} // namespace

wxWindow* NextTabStop(wxWindow& root, const wxWindow* focus)
{
    TabWalk walk;
    walk.focus = focus;
    WalkTabStops(root, walk);
    return walk.next ? walk.next : walk.first;
}

void ShowInFrontWithKeyboard(wxTopLevelWindow& window, wxWindow* control)
{
    const auto ask = [](wxTopLevelWindow& w, wxWindow* c) {
        if (c)
            c->SetFocus();
        w.Raise();
    };
    ask(window, control);
    // A window of ours shown meanwhile (a message box, the next dialog) came after this one and
    // keeps the front: those on the screen now are remembered to tell it.
    std::vector<wxWeakRef<wxWindow>> shownBefore;
    for (wxWindow* w : wxTopLevelWindows)
        if (w->IsShown())
            shownBefore.emplace_back(w);
    wxWeakRef<wxTopLevelWindow> weakWindow(&window);
    wxWeakRef<wxWindow> weakControl(control);
    window.CallAfter([weakWindow, weakControl, shownBefore = std::move(shownBefore), ask] {
        wxTopLevelWindow* w = weakWindow.get();
        // Raising a window that was hidden meanwhile would show it again.
        if (!w || w->IsBeingDeleted() || !w->IsShown() || w->IsActive())
            return;
        for (wxWindow* other : wxTopLevelWindows) {
            const bool known = std::any_of(shownBefore.begin(), shownBefore.end(),
                                           [other](const wxWeakRef<wxWindow>& r) { return r.get() == other; });
            if (other != w && other->IsShown() && !other->IsBeingDeleted() && !known)
                return;
        }
        ask(*w, weakControl.get());
    });
}
