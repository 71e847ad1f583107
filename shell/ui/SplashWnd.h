#pragma once

#include "framework/ui/DIBitmap.h"

#include <wx/frame.h>
#include <wx/timer.h>

class wxEvent;

// The picture shown while the program starts: borderless, centred over the main window, gone
// after 5.5 seconds, at the end of start-up or at the first key or button press.
class CSplashWnd : public wxFrame
{
public:
    static constexpr unsigned PictureId = 102;
    static constexpr int TimeoutMs = 5500;

    static void EnableSplash(bool enable);
    static bool IsSplashEnabled();
    // Shows the splash over the parent when it is enabled, none is up and its picture loads.
    static void ShowSplash(wxWindow* parent);
    // Hides the splash on key and button presses; never uses the event.
    static void FilterAppMessage(const wxEvent& event);
    static void HideSplash();
    static CSplashWnd* GetSplash();

    // What the 5.5 second timer does; a timer after the splash went does nothing.
    void OnTimeout();

private:
    CSplashWnd(wxWindow* parent, CDIBitmap&& picture);
    ~CSplashWnd() override;

    CDIBitmap m_picture;
    wxTimer m_timer;
};
