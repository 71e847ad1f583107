#pragma once

#include "framework/ButtonGeometry.h"

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/timer.h>

#include <cstdint>
#include <string>
#include <vector>

class CIcons;
class wxDC;

// A push button whose frame is drawn here and whose face the subclasses draw.
class CCustomButton : public wxControl
{
public:
    // Control ids may be wider than 16 bits (the side bar's title buttons); the window id and the
    // command it sends carry the low 16 bits, as the routing of such ids always did.
    CCustomButton(wxWindow* parent, int32_t controlId, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize, const wxString& label = {});
    ~CCustomButton() override;
    int32_t GetControlId() const { return m_controlId; }

    bool IsPressed() const { return m_pressed; }
    // Paints the whole button into the DC (what a paint does).
    void DrawItem(wxDC& dc);
    // Mouse entry points; a click fires wxEVT_BUTTON with the button's id.
    void OnLeftDown();
    void OnLeftUp(bool inside = true);

protected:
    virtual void DrawContent(wxDC& dc, const ButtonRect& rect) {}
    bool m_noFrame = false;

private:
    void OnPaint(wxPaintEvent& event);
    wxSize DoGetBestSize() const override { return {24, 24}; }
    bool AcceptsFocus() const override { return false; }

    bool m_pressed = false;
    int32_t m_controlId = 0;
};

// A button showing one icon in its middle.
class CCustomIconButton : public CCustomButton
{
public:
    using CCustomButton::CCustomButton;
    virtual void SetIcon(const wxBitmap* icon, bool small, bool noFrame);
    const wxBitmap* GetIcon() const { return m_icon; }
    bool HasNoFrame() const { return m_noFrame; }
    wxSize GetIconSize() const { return {m_iconWidth, m_iconHeight}; }

protected:
    void DrawContent(wxDC& dc, const ButtonRect& rect) override;
    void DrawIconCentred(wxDC& dc, const ButtonRect& rect, const wxBitmap& bitmap);

    const wxBitmap* m_icon = nullptr;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
};

// A button that cycles through its frames every 2 seconds, or shows its plain icon when static.
class CCustomAnimatedButton : public CCustomIconButton
{
public:
    CCustomAnimatedButton(wxWindow* parent, int32_t id, int frameWidth, int frameHeight, bool noFrame);
    ~CCustomAnimatedButton() override;

    void SetIcon(const wxBitmap* icon, bool small, bool noFrame) override;
    void AddFrame(const wxBitmap& frame) { m_frames.push_back(frame); }
    void SetBackground(const wxColour& colour)
    {
        m_fillBackground = true;
        m_background = colour;
    }
    void StartAnimation();
    void StopAnimation();
    // One timer step (what the 2-second timer does).
    void Step();
    bool IsEmpty() const;
    bool IsStatic() const { return m_static; }
    int GetCurrentFrame() const { return m_current; }

    static constexpr int FramePeriodMs = 2000;

protected:
    void DrawContent(wxDC& dc, const ButtonRect& rect) override;

private:
    bool m_fillBackground = false;
    wxColour m_background;
    int m_current = -1;
    std::vector<wxBitmap> m_frames;
    bool m_static = false;
    wxTimer m_timer;
};

// The frameless 32 x 32 step button of side panels, prompts and wizards.
class CCustomWizardButton : public CCustomIconButton
{
public:
    CCustomWizardButton(wxWindow* parent, int32_t id, CIcons& icons, const wxPoint& pos = wxDefaultPosition);
    static constexpr uint32_t IconId = 7034;
};

// A push button with a text face and a drop triangle at its right end; greyed when disabled.
class CMenuButton : public CCustomButton
{
public:
    CMenuButton(wxWindow* parent, int32_t id, const wxString& label = {}, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, bool flat = false);
    // Where the menu drops: the button's bottom-left corner on the screen.
    wxPoint GetMenuPosition() const;

protected:
    void DrawContent(wxDC& dc, const ButtonRect& rect) override;
};
