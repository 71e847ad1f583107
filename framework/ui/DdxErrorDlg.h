#pragma once

#include "core/ScreenRect.h"

#include <wx/dialog.h>
#include <wx/eventfilter.h>

#include <functional>
#include <string>

class CDdxFieldFrame;
class wxGUIEventLoop;

// The red balloon that reports a refused field beside its control: it beeps, shows the message
// (one line per line of text) with a half-tone shadow, runs a moving dotted frame round the
// field, and closes on Enter (1), Escape or a click (2).
class CDdxErrorDlg : public wxDialog, private wxEventFilter
{
public:
    // control is the field's place on the screen; empty when unknown.
    CDdxErrorDlg(wxWindow* parent, const std::string& message, const ScreenRect& control);
    ~CDdxErrorDlg() override;

    // Where the field is now (empty when it has no place): asked again when the program becomes
    // active, since the field may have moved while it was in the background.
    using FieldLocator = std::function<ScreenRect()>;
    void SetFieldLocator(FieldLocator locate) { m_locate = std::move(locate); }
    const ScreenRect& GetField() const { return m_control; }

    // Places the balloon beside the control for a screen of this size.
    void LayoutBalloon(int screenWidth, int screenHeight);
    const std::string& GetMessage() const { return m_message; }
    // Shown, the balloon also runs the dotted frame round the field and takes the picture of
    // what lies behind it for its half-tone shadow.
    bool Show(bool show = true) override;
    // The dotted frame round the field while the balloon shows; null otherwise or without a field.
    CDdxFieldFrame* GetFieldFrame() const { return m_frame; }
    // What lies behind the balloon with every second pixel darkened; empty until shown.
    const wxBitmap& GetShadow() const { return m_shadow; }

    // The program lost or regained the desktop's activation: inactive, the balloon shrinks to its
    // red face without shadow and the field's frame is hidden, so neither stays over the other
    // program's windows. Active again, it first lets the waiting messages run (PumpUntilIdle);
    // when the program is closing nothing more happens, else it takes the field's place afresh,
    // then the picture behind it, and grows back with the frame round the field.
    void OnAppActivate(bool active);
    bool IsFrameShown() const { return m_frameShown; }

    // Gives the refused field the keyboard; run once, as the balloon closes.
    void SetInputGiver(std::function<void()> give) { m_giveInput = std::move(give); }

    // Ends as the person's key or click would.
    void Close(int result);
    bool IsClosed() const { return m_closed; }

    // Shows the balloon until it is closed, leaving the rest of the program live: Enter closes it
    // with 1, Escape and the first click anywhere else with 2; the click is spent on that, since the
    // field check that raised it is still under way. Every other key is spent too and leaves it up.
    // A tip never holds the window.
    int RunUntilDismissed();
    // As above, beside `owner` (a window that stays open beside the job), whose own clicks and
    // closing stay its own; Escape closes the balloon, not the owner.
    int RunBeside(wxWindow& owner);
    // The balloon on the screen now; null when none.
    static CDdxErrorDlg* GetShown();

    // While one lives, a balloon over a field of `owner` leaves the owner's Close, Escape and
    // window closing working: the owner must then defer its own destruction until its field
    // check has returned.
    class LiveOwner
    {
    public:
        explicit LiveOwner(wxWindow* owner);
        ~LiveOwner();
        LiveOwner(const LiveOwner&) = delete;
        LiveOwner& operator=(const LiveOwner&) = delete;

    private:
        wxWindow* m_previous;
    };

    // Installs the balloon as the program's validation pop-up.
    static void Install();
    static void Uninstall();

private:
    class DismissFilter;

    // Shows the balloon until it is closed: beside `owner` when given, else dismissed by any input.
    int Run(wxWindow* owner);
    void OnPaint(wxPaintEvent& event);
    void OnKey(int key);
    void CaptureBehind(const wxRect& screen);
    // A click released on the marked field closes the balloon as a click on it does.
    int FilterEvent(wxEvent& event) override;
    void OnAppActivateEvent(wxActivateEvent& event);
    // Takes the field's place from the locator and puts the frame round it.
    void RelocateField();

    std::string m_message;
    ScreenRect m_control;
    FieldLocator m_locate;
    std::function<void()> m_giveInput;
    wxSize m_text;
    CDdxFieldFrame* m_frame = nullptr;
    wxBitmap m_behind;
    wxBitmap m_shadow;
    bool m_closed = false;
    bool m_frameShown = true;
    bool m_filtering = false;
    bool m_activating = false;
    wxGUIEventLoop* m_loop = nullptr;
};
