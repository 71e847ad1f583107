#pragma once

#include "framework/GraphicDataTarget.h"

#include <wx/timer.h>
#include <wx/window.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CCustomToolTipCtrl;
class CDataFileView;
class CEasyDialog;
class CObjectIdWnd;
class CView;
struct CPickQuery;

// What an input field (cogo/ui) and a selection chip (here) share while they wait for map picks:
// the interaction kind and the tool it starts, becoming the exchange's target, the marching border
// while the field or its buddy is the target, and the links to buddies (cleared when either side
// dies). It starts the job view's map tools, so it lies with the views.
class CInteractionPart : public wxEvtHandler
{
public:
    // The highlight timer keeps its number and period.
    static constexpr int HighlightTimerId = 5;
    static constexpr int HighlightPeriodMs = 200;

    // entryFrame: the border is drawn on thin strips around the window (an entry cannot be
    // painted over); else the owner paints it and is refreshed each tick.
    CInteractionPart(wxWindow* window, CGraphicDataTarget* target, bool entryFrame);
    ~CInteractionPart() override;

    // Once the window exists: whether it lies in a stacked panel.
    void Attach();
    bool IsInStackedDialog() const { return m_inStackedDialog; }

    int32_t GetInteractionKind() const { return m_kind; }
    void SetInteractionKind(int32_t kind) { m_kind = kind; }

    // Kind 0 pick, 1 rectangle, 2 anchor line (startAnchorLine when set, else from nowhere),
    // 3 location, else the default tool. Not quiet: the exchange's target is saved and restored
    // around it and the window takes the focus.
    void StartInteraction(bool quiet, const std::function<void()>& startAnchorLine = {});
    // Focus makes the field the target: false outside a stacked panel, when it already is the
    // target or the main window does not take it.
    bool ActivateInteraction(const std::function<void(bool quiet)>& start);
    void ResumeInteraction(const std::function<void(bool quiet)>& start);
    bool IsTarget() const;
    bool IsHighlighted() const;
    void MarkFilledBy(CInteractionPart* buddy);
    CInteractionPart* GetBuddy() const { return m_buddy; }
    void StartHighlight();
    void StopHighlight();
    bool IsHighlightRunning() const { return m_timer.IsRunning(); }
    int32_t GetAntPhase() const { return m_antPhase; }
    // One tick of timer 5 (tests call it to move the dashes).
    void OnHighlightTick();
    // Resets the exchange when this is the target (disable, hide, destroy).
    void ResetIfTarget(bool restoreDefaultTool);
    bool IsStarting() const { return m_startingGuard; }

    CEasyDialog* FindDialog() const;
    wxWindow* GetWindow() const { return m_window; }
    // The strips that carry the dashes of an entry (left, bottom, right, top); null until used.
    wxWindow* GetStrip(int i) const { return m_strips[static_cast<std::size_t>(i)]; }

private:
    void PlaceStrips();
    void ShowStrips(bool show);

    wxWindow* m_window;
    CGraphicDataTarget* m_target;
    bool m_entryFrame;
    bool m_inStackedDialog = false;
    int32_t m_kind = 0;
    int32_t m_antPhase = 0;
    bool m_startingGuard = false;
    CInteractionPart* m_buddy = nullptr; // not owned; cleared by the buddy when it dies
    wxTimer m_timer;
    std::array<wxWindow*, 4> m_strips{};
};

// --- The program's services the fields reach (the job view's pick queries, the main window).

// The active job view; null without one.
CDataFileView* GetFieldJobView();
// 0x808B to the active job view (wParam 1 = all records); false when nothing answered.
bool SendFieldPickQuery(CPickQuery& query);
// 0x80AC to the active job view; false when nothing answered.
bool SendFieldHitQuery(CPickQuery& query);
// 0x80BD to the main window for the window that takes the focus; 0 without a main window.
intptr_t AskMainFrameKeepsLink(wxWindow* receiving);
bool HasMainFrame();
// Whether the main window takes the field (it is not in another top window than the program's).
bool IsAcceptedByMainFrame(const wxWindow* window);
void RestoreFieldDefaultTool();
// "Invalid selection:\n" and the text beside the cursor, with a beep: over the tool's map when the
// cursor is there, else beside the grid.
void ShowFieldInvalidSelectionTip(const std::string& text);
// The last such tip's text (what a person read).
const std::string& GetLastInvalidSelectionTip();

// The tip of a field or chip: a second after the pointer comes to rest on the window, draw is
// asked to describe the value in the popup of the window's dialog, over the active view. No
// active view, no tip.
std::unique_ptr<CCustomToolTipCtrl> MakeFieldTip(wxWindow* window,
                                                 std::function<void(CObjectIdWnd* popup, CView* view)> draw);
