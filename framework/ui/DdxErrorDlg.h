#pragma once

#include "core/ScreenRect.h"

#include <wx/dialog.h>

#include <string>

// The red balloon that reports a refused field beside its control: it beeps, shows the message
// (one line per line of text) with a shadow, and closes on Enter (1), Escape or a click (2).
class CDdxErrorDlg : public wxDialog
{
public:
    // control is the field's place on the screen; empty when unknown.
    CDdxErrorDlg(wxWindow* parent, const std::string& message, const ScreenRect& control);

    // Places the balloon beside the control for a screen of this size.
    void LayoutBalloon(int screenWidth, int screenHeight);
    const std::string& GetMessage() const { return m_message; }
    // Ends as the person's key or click would.
    void Close(int result);

    // Installs the balloon as the program's validation pop-up.
    static void Install();
    static void Uninstall();

private:
    void OnPaint(wxPaintEvent& event);

    std::string m_message;
    ScreenRect m_control;
    wxSize m_text;
};
