#include "framework/ui/CustomButtons.h"

#include "framework/ui/Icons.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

namespace
{
wxRect ToWx(const ButtonRect& r)
{
    return {r.left, r.top, r.Width(), r.Height()};
}
} // namespace

// --- CCustomButton.

CCustomButton::CCustomButton(wxWindow* parent, int32_t controlId, const wxPoint& pos, const wxSize& size,
                             const wxString& label)
    : wxControl(parent, controlId == wxID_ANY ? wxID_ANY : (controlId & 0xFFFF), pos, size, wxBORDER_NONE),
      m_controlId(controlId)
{
    SetLabel(label);
    // The toolkit took its focus rule from the base class while that was built, before this class's
    // AcceptsFocus held: a dialog would open with the keyboard on a button that takes no keys.
    SetCanFocus(false);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CCustomButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { OnLeftDown(); });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) { OnLeftUp(wxRect(GetClientSize()).Contains(e.GetPosition())); });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_pressed = false;
        Refresh();
    });
}

CCustomButton::~CCustomButton()
{
    if (HasCapture())
        ReleaseMouse();
}

void CCustomButton::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    DrawItem(dc);
}

void CCustomButton::DrawItem(wxDC& dc)
{
    const wxSize size = GetClientSize();
    const ButtonRect item{0, 0, size.x, size.y};
    dc.SetBackground(wxBrush(GetParent() ? GetParent()->GetBackgroundColour()
                                         : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    int flags = 0;
    if (m_pressed)
        flags |= wxCONTROL_PRESSED;
    if (!IsEnabled())
        flags |= wxCONTROL_DISABLED;
    if (!m_noFrame)
        wxRendererNative::Get().DrawPushButton(this, dc, ToWx(item), flags);
    const ButtonRect face = ButtonFaceRect(item, !m_noFrame, m_pressed);
    DrawContent(dc, face);
    if (!m_noFrame && HasFocus())
    {
        const ButtonRect focus{face.left + 1, face.top + 1, face.right - 1, face.bottom - 1};
        wxRendererNative::Get().DrawFocusRect(this, dc, ToWx(focus));
    }
}

void CCustomButton::OnLeftDown()
{
    if (!IsEnabled())
        return;
    m_pressed = true;
    // Held until released, also when the pointer leaves meanwhile.
    if (!HasCapture() && IsShownOnScreen())
        CaptureMouse();
    Refresh();
}

void CCustomButton::OnLeftUp(bool inside)
{
    if (HasCapture())
        ReleaseMouse();
    const bool wasPressed = m_pressed;
    m_pressed = false;
    Refresh();
    if (wasPressed && inside && IsEnabled())
    {
        wxCommandEvent click(wxEVT_BUTTON, GetId());
        click.SetEventObject(this);
        ProcessWindowEvent(click);
    }
}

// --- CCustomIconButton.

void CCustomIconButton::SetIcon(const wxBitmap* icon, bool small, bool noFrame)
{
    m_noFrame = noFrame;
    m_iconWidth = m_iconHeight = small ? 16 : 32;
    m_icon = icon;
    Refresh();
}

void CCustomIconButton::DrawIconCentred(wxDC& dc, const ButtonRect& rect, const wxBitmap& bitmap)
{
    const int x = rect.left + (rect.Width() - m_iconWidth) / 2;
    const int y = rect.top + (rect.Height() - m_iconHeight) / 2;
    if (IsEnabled())
        dc.DrawBitmap(bitmap, x, y, true);
    else
        dc.DrawBitmap(bitmap.ConvertToDisabled(), x, y, true);
}

void CCustomIconButton::DrawContent(wxDC& dc, const ButtonRect& rect)
{
    if (m_icon && m_icon->IsOk())
        DrawIconCentred(dc, rect, *m_icon);
}

// --- CCustomAnimatedButton.

CCustomAnimatedButton::CCustomAnimatedButton(wxWindow* parent, int32_t id, int frameWidth, int frameHeight,
                                             bool noFrame)
    : CCustomIconButton(parent, id), m_timer(this)
{
    m_noFrame = noFrame;
    m_iconWidth = frameWidth;
    m_iconHeight = frameHeight;
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Step(); });
}

CCustomAnimatedButton::~CCustomAnimatedButton()
{
    m_timer.Stop();
}

void CCustomAnimatedButton::SetIcon(const wxBitmap* icon, bool small, bool noFrame)
{
    CCustomIconButton::SetIcon(icon, small, noFrame);
    m_static = true;
    m_timer.Stop();
}

void CCustomAnimatedButton::StartAnimation()
{
    m_timer.Stop();
    m_static = false;
    m_current = 0;
    m_timer.Start(FramePeriodMs);
    Refresh();
}

void CCustomAnimatedButton::StopAnimation()
{
    m_timer.Stop();
    m_static = true;
    Refresh();
}

void CCustomAnimatedButton::Step()
{
    if (m_static || m_frames.size() <= 1)
        return;
    m_current = NextAnimationFrame(m_current, static_cast<int32_t>(m_frames.size()));
    Refresh();
}

bool CCustomAnimatedButton::IsEmpty() const
{
    if (m_static)
        return m_icon == nullptr;
    return m_frames.empty();
}

void CCustomAnimatedButton::DrawContent(wxDC& dc, const ButtonRect& rect)
{
    if (m_fillBackground)
    {
        dc.SetBrush(wxBrush(m_background));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(ToWx(rect));
    }
    if (m_static)
    {
        CCustomIconButton::DrawContent(dc, rect);
        return;
    }
    if (m_frames.empty())
        return;
    if (m_current < 0 || m_current >= static_cast<int>(m_frames.size()))
        m_current = 0;
    DrawIconCentred(dc, rect, m_frames[m_current]);
}

// --- CCustomWizardButton.

CCustomWizardButton::CCustomWizardButton(wxWindow* parent, int32_t id, CIcons& icons, const wxPoint& pos)
    : CCustomIconButton(parent, id, pos, wxSize(32, 32))
{
    SetIcon(icons.GetIcon(IconId, false), false, true);
}

// --- CMenuButton.

CMenuButton::CMenuButton(wxWindow* parent, int32_t id, const wxString& label, const wxPoint& pos,
                         const wxSize& size, bool flat)
    : CCustomButton(parent, id, pos, size, label)
{
    m_noFrame = flat;
}

wxPoint CMenuButton::GetMenuPosition() const
{
    return ClientToScreen(wxPoint(0, GetClientSize().y));
}

void CMenuButton::DrawContent(wxDC& dc, const ButtonRect& rect)
{
    const wxColour text = IsEnabled() ? wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT)
                                      : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    if (!GetLabel().empty())
    {
        dc.SetFont(GetFont());
        dc.SetTextForeground(text);
        const wxRect area(rect.left, rect.top - 1, std::max(0, rect.Width() - 24), rect.Height());
        dc.DrawLabel(GetLabel(), area, wxALIGN_CENTER);
    }
    auto drawRows = [&](int dx, const wxColour& colour) {
        dc.SetPen(wxPen(colour, 1));
        for (const TriangleRow& row : MenuButtonTriangle(rect))
            dc.DrawLine(row.x + dx, row.y + dx, row.x + row.width + dx, row.y + dx);
    };
    if (!IsEnabled())
        drawRows(1, wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT));
    drawRows(0, text);
}
