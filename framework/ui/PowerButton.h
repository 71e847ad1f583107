#pragma once

#include "framework/PowerButtonLayout.h"

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/event.h>

#include <functional>
#include <memory>

#include <wx/dragimag.h>

class wxDC;
class wxMenu;

// Sent to a power button's parent when the button is dragged 2 pixels or more: the button's id
// and the cursor's screen point, whole (negative and large coordinates included).
class CPowerButtonDragEvent : public wxCommandEvent
{
public:
    CPowerButtonDragEvent(wxEventType type = wxEVT_NULL, int id = 0, wxPoint screenPoint = {})
        : wxCommandEvent(type, id), m_screenPoint(screenPoint)
    {
    }
    wxPoint GetScreenPoint() const { return m_screenPoint; }
    wxEvent* Clone() const override { return new CPowerButtonDragEvent(*this); }

private:
    wxPoint m_screenPoint;
};
wxDECLARE_EVENT(EVT_POWER_BUTTON_DRAG_807E, CPowerButtonDragEvent);

// A drawn push button that can also act as a check box or as one radio button of a group,
// shows an icon and its text in one of four arrangements, can carry a drop arrow that opens a
// menu, draws a coloured frame while highlighted, is dithered grey when disabled, and reports
// drags to its parent with a drag image of its face.
class CPowerButton : public wxControl
{
public:
    CPowerButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = 0);
    ~CPowerButton() override;

    bool m_bCheckBox = false;
    bool m_bRadio = false;
    bool m_bInert = false;
    bool m_bDragSource = false;
    // Starts a radio group: the group runs from here to the next button that starts one.
    bool m_bGroup = false;
    wxColour m_crFrame{0, 255, 0};
    int m_nLayout = 2;
    bool m_bShowIcon = true;
    int m_nMaxIconSize = -1;
    int m_nMarginLeft = 0, m_nMarginRight = 0, m_nMarginTop = 0, m_nMarginBottom = 0;

    void SetIcon(const wxBitmap& icon);
    const wxBitmap& GetIcon() const { return m_icon; }
    // Check and radio buttons only.
    void SetCheck(bool check);
    bool GetCheck() const { return m_bChecked; }
    void SetHighlighted(bool highlighted);
    bool IsHighlighted() const { return m_bHighlighted; }
    // A drop arrow at the right that opens the menu the factory makes.
    void SetMenu(std::function<std::unique_ptr<wxMenu>()> factory);
    bool HasMenu() const { return static_cast<bool>(m_menuFactory); }
    int GetArrowWidth() const { return HasMenu() ? m_cxArrow : 0; }
    bool IsMenuShowing() const { return m_bMenuShowing; }

    // Mouse entry points, in client coordinates (tests call them as the toolkit does).
    void OnLeftDown(const wxPoint& point);
    void OnLeftUp(const wxPoint& point);
    void OnRightDown(const wxPoint& point);
    void OnMouseMove(const wxPoint& point, bool buttonDown);
    bool IsPressed() const { return m_pressed; }

    // Draws the button as it shows now.
    void Render(wxDC& dc);

    // The drag image of the face, hot spot at the client point.
    void BeginDrag(const wxPoint& clientPoint);
    void DragMove(const wxPoint& screenPoint);
    void EndDrag();
    bool IsDragging() const { return m_pDragImage != nullptr; }

protected:
    wxSize DoGetBestSize() const override;
    virtual void ShowMenu(const wxPoint& at);

private:
    void OnPaint(wxPaintEvent& event);
    void OnDragWindowMouse(wxMouseEvent& event);
    void DrawContent(wxDC& dc, const wxRect& rect, bool forDrag);
    void DrawBorder(wxDC& dc, const wxRect& rect);
    void UncheckGroupOthers();

    wxBitmap m_icon;
    std::function<std::unique_ptr<wxMenu>()> m_menuFactory;
    int m_cxArrow;
    bool m_bMenuShowing = false;
    bool m_bChecked = false;
    bool m_bCheckedAtPress = false;
    bool m_bHighlighted = false;
    bool m_pressed = false;
    wxPoint m_ptPress;
    std::unique_ptr<wxDragImage> m_pDragImage;
    wxWindow* m_dragWindow = nullptr;
};

// The radio power buttons of the group that starts at `first`: when saving, value = the index of
// the checked one (-1 when none); when loading, the button of that index is checked, the others
// unchecked.
void DDX_PowerButtonRadio(bool save, CPowerButton* first, int& value);
