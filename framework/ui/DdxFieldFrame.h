#pragma once

#include "core/ScreenRect.h"

#include <wx/popupwin.h>
#include <wx/timer.h>

// The moving red-and-white dotted frame round a refused field, shown while its balloon is up.
// A window of its own, shaped to the one-pixel ring of the field's border, so it draws over the
// field without covering it and without drawing into another program's window.
class CDdxFieldFrame : public wxPopupWindow
{
public:
    static constexpr int TimerId = 19;
    static constexpr int PeriodMs = 200;

    CDdxFieldFrame(wxWindow* parent, const ScreenRect& field);
    ~CDdxFieldFrame() override;

    // Moves the frame round the field's new place.
    void SetField(const ScreenRect& field);
    // One tick of the timer: the dashes move on by two pixels.
    void Step();
    int GetPhase() const { return m_phase; }
    const ScreenRect& GetField() const { return m_field; }

private:
    void OnPaint(wxPaintEvent& event);

    ScreenRect m_field;
    int m_phase = 0;
    wxTimer m_timer;
};
