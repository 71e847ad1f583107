#pragma once

#include "model/Interested.h"
#include "views/ObjectIdOwner.h"
#include "views/ObjectIdPages.h"

#include <wx/popupwin.h>
#include <wx/timer.h>

#include <cstdint>
#include <string>
#include <vector>

class wxBitmap;
class wxDC;

// The small box beside the cursor that names what lies there (a framework control: the dialog and
// list bases show their tips in it, and the map its picks): a tip of a list row, a field or a
// panel (tip mode), or one page per object a map pick hit (pick mode), paged through while the
// object shown is highlighted in the window that asked. It never takes the focus; a pick waits
// until its owner has finished drawing before it appears, so the map does not paint over it.
class CObjectIdWnd : public wxPopupWindow, public CInterested, public CObjectIdOwner::Watcher
{
public:
    static constexpr int ShowTimerId = 7636;
    static constexpr int IconTimerId = 20189;

    explicit CObjectIdWnd(bool tipMode);
    ~CObjectIdWnd() override;

    bool Create(wxWindow* parent);
    bool IsTipMode() const { return m_tipMode; }

    // --- Tips. Ignored in tip mode while a tip shows; an empty text dismisses. The box goes
    // (x + 10, y + 8), screen coordinates.
    void ShowText(const std::string& text, int32_t x, int32_t y, const std::vector<int32_t>& icons, uint32_t colour);
    void ShowForObject(const std::string& text, int32_t x, int32_t y, int32_t icon, uint32_t colour);
    void ShowLines(const CColoredTextLines& lines, int32_t x, int32_t y, const std::vector<int32_t>& icons);

    // --- Picks: one page per object with a description, the first one highlighted in the owner.
    void ShowForPick(const std::vector<RecordRef>& objects, const wxPoint& screen, double worldX, double worldY,
                     CObjectIdOwner* owner, int32_t icon);
    // The object of the page shown; false when none shows or it is no longer in the job.
    bool GetCurrentObject(RecordRef& out) const;
    bool NextObject() { return StepObject(true); }
    bool PreviousObject() { return StepObject(false); }
    // Dismisses and hands over the object the person was looking at (empty when none).
    void Cancel(RecordRef& out);
    void Dismiss();
    bool IsEmpty() const { return m_pages.IsEmpty(); }
    bool IsPopupVisible() const { return IsShown(); }
    // The cursor's screen position when the box last appeared.
    wxPoint GetAnchor() const { return m_anchor; }
    CObjectIdOwner* GetOwner() const { return m_owner; }
    bool IsHighlightSent() const { return m_highlightSent; }
    const CObjectIdPages& GetPages() const { return m_pages; }

    // A pick waits for the owner's drawing; the idle pass shows it (tests call it directly).
    bool IsWaitingToShow() const { return m_waiting; }
    void ShowWhenReady();

    // The lines of the page shown, label and value joined by a tab: what a person reads.
    std::vector<std::string> GetShownLines() const;
    // The tip that input dismisses (tip mode, visible); null when none.
    static CObjectIdWnd* GetCurrentTip();

    // --- CInterested: undo, redo, unloading and deletion free the records a pick points at.
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;
    // --- CObjectIdOwner::Watcher.
    void OnObjectIdOwnerGone(CObjectIdOwner* owner) override;

    // Draws the box into a device context (the paint handler and screenshots use it).
    void PaintBox(wxDC& dc);

private:
    bool StepObject(bool forward);
    void LayoutAndShow();
    // Hides and forgets the pick without a word to the owner: its records may be gone.
    void DropPick();
    void SetOwner(CObjectIdOwner* owner);
    void SetIcons(const std::vector<int32_t>& ids);
    void Highlight(bool on);
    void ShowPopup();
    void HidePopup();
    void ApplyShadowShape();
    CTipMetrics Measure(wxDC& dc) const;

    void OnPaint(wxPaintEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnAppIdle(wxIdleEvent& event);
    void OnAppActivate(wxActivateEvent& event);

    CObjectIdPages m_pages;
    wxPoint m_position;
    wxPoint m_anchor;
    CObjectIdOwner* m_owner = nullptr;
    std::vector<const wxBitmap*> m_icons;
    int32_t m_currentIcon = 0;
    bool m_tipMode;
    bool m_highlightSent = false;
    bool m_waiting = false;
    bool m_appBound = false;
    wxTimer m_showTimer;
    wxTimer m_iconTimer;
};
