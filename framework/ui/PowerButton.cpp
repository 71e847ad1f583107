#include "framework/ui/PowerButton.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/dragimag.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>
#include <vector>

wxDEFINE_EVENT(EVT_POWER_BUTTON_DRAG_807E, CPowerButtonDragEvent);

namespace {

wxColour Sys(wxSystemColour colour) { return wxSystemSettings::GetColour(colour); }

PbRect ToPb(const wxRect& r) { return {r.x, r.y, r.width, r.height}; }
wxRect ToWx(const PbRect& r) { return wxRect(r.x, r.y, r.w, r.h); }

// The radio buttons of the group that holds `button` (or starts at it), in window order.
std::vector<CPowerButton*> GroupOf(CPowerButton* button, bool startsHere)
{
    std::vector<CPowerButton*> group;
    wxWindow* parent = button->GetParent();
    if (!parent)
        return group;
    const wxWindowList& children = parent->GetChildren();
    std::vector<CPowerButton*> buttons;
    for (wxWindow* child : children)
        if (auto* b = dynamic_cast<CPowerButton*>(child))
            buttons.push_back(b);
    size_t start = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == button) {
            start = i;
            break;
        }
    }
    if (!startsHere)
        while (start > 0 && !buttons[start]->m_bGroup)
            --start;
    for (size_t i = start; i < buttons.size(); ++i) {
        if (i > start && buttons[i]->m_bGroup)
            break;
        if (buttons[i]->m_bRadio)
            group.push_back(buttons[i]);
    }
    return group;
}

} // namespace

CPowerButton::CPowerButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                           const wxSize& size, long style)
    : wxControl(parent, id, pos, size, style | wxBORDER_NONE)
{
    SetLabel(label);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_cxArrow = wxSystemSettings::GetMetric(wxSYS_ICON_X, this) * 2 / 3;
    if (m_cxArrow <= 0)
        m_cxArrow = 21;
    Bind(wxEVT_PAINT, &CPowerButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) { OnLeftDown(e.GetPosition()); });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) { OnLeftUp(e.GetPosition()); });
    Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& e) { OnRightDown(e.GetPosition()); });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) { OnMouseMove(e.GetPosition(), e.LeftIsDown() || e.RightIsDown()); });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_pressed = false;
        EndDrag();
        Refresh();
    });
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        Refresh();
        e.Skip();
    });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        Refresh();
        e.Skip();
    });
}

CPowerButton::~CPowerButton()
{
    if (HasCapture())
        ReleaseMouse();
}

wxSize CPowerButton::DoGetBestSize() const
{
    const wxSize text = GetTextExtent(GetLabel());
    const int icon = m_bShowIcon ? (m_nMaxIconSize > 0 ? std::min(32, m_nMaxIconSize) : 32) : 0;
    return wxSize(text.x + icon + GetArrowWidth() + 16 + m_nMarginLeft + m_nMarginRight,
                  std::max(text.y, icon) + 10 + m_nMarginTop + m_nMarginBottom);
}

void CPowerButton::SetIcon(const wxBitmap& icon)
{
    if (icon.IsSameAs(m_icon))
        return;
    m_icon = icon;
    Refresh();
}

void CPowerButton::SetCheck(bool check)
{
    if (!(m_bCheckBox || m_bRadio) || check == m_bChecked)
        return;
    m_bChecked = check;
    Refresh();
}

void CPowerButton::SetHighlighted(bool highlighted)
{
    if (highlighted == m_bHighlighted)
        return;
    m_bHighlighted = highlighted;
    Refresh();
}

void CPowerButton::SetMenu(std::function<std::unique_ptr<wxMenu>()> factory)
{
    m_menuFactory = std::move(factory);
    InvalidateBestSize();
    Refresh();
}

void CPowerButton::ShowMenu(const wxPoint& at)
{
    if (!m_menuFactory)
        return;
    std::unique_ptr<wxMenu> menu = m_menuFactory();
    if (menu)
        PopupMenu(menu.get(), at);
}

void CPowerButton::UncheckGroupOthers()
{
    for (CPowerButton* other : GroupOf(this, false))
        if (other != this)
            other->SetCheck(false);
}

void CPowerButton::OnLeftDown(const wxPoint& point)
{
    m_ptPress = point;
    if (m_bInert)
        return;
    // The drop arrow opens the menu and never toggles the button.
    if (HasMenu() && IsOnDropArrow(GetClientSize().x, point.x, GetArrowWidth())) {
        m_bMenuShowing = true;
        Refresh();
        Update();
        ShowMenu(wxPoint(0, GetClientSize().y));
        m_bMenuShowing = false;
        Refresh();
        return;
    }
    if (m_bMenuShowing)
        return;
    if (m_bCheckBox || m_bRadio) {
        m_bCheckedAtPress = m_bChecked;
        if (!m_bChecked) {
            m_bChecked = true;
            if (m_bRadio)
                UncheckGroupOthers();
        }
    }
    m_pressed = true;
    if (!HasCapture())
        CaptureMouse();
    Refresh();
}

void CPowerButton::OnLeftUp(const wxPoint& point)
{
    if (m_bInert || !m_pressed)
        return;
    m_pressed = false;
    if (HasCapture())
        ReleaseMouse();
    EndDrag();
    const bool inside = wxRect(GetClientSize()).Contains(point);
    // A check box that was checked at the press unchecks on release.
    if (m_bCheckBox && m_bCheckedAtPress && m_bChecked && inside)
        m_bChecked = false;
    Refresh();
    if (inside) {
        wxCommandEvent click(wxEVT_BUTTON, GetId());
        click.SetEventObject(this);
        click.SetInt(m_bChecked ? 1 : 0);
        ProcessWindowEvent(click);
    }
}

void CPowerButton::OnRightDown(const wxPoint& point) { m_ptPress = point; }

void CPowerButton::OnMouseMove(const wxPoint& point, bool buttonDown)
{
    if (!m_bDragSource || !buttonDown || !IsPowerButtonDrag(m_ptPress.x, m_ptPress.y, point.x, point.y))
        return;
    const wxPoint screen = ClientToScreen(point);
    if (!m_pDragImage)
        BeginDrag(m_ptPress);
    DragMove(screen);
    CPowerButtonDragEvent drag(EVT_POWER_BUTTON_DRAG_807E, GetId(), screen);
    drag.SetEventObject(this);
    if (wxWindow* parent = GetParent())
        parent->ProcessWindowEvent(drag);
}

void CPowerButton::BeginDrag(const wxPoint& clientPoint)
{
    if (m_pDragImage)
        return;
    wxRect face(GetClientSize());
    face.width -= GetArrowWidth();
    if (face.IsEmpty())
        return;
    wxBitmap bitmap(face.width, face.height, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(m_crFrame));
        dc.Clear();
        DrawContent(dc, face, true);
    }
    // The frame colour is the transparent colour of the image.
    bitmap.SetMask(new wxMask(bitmap, m_crFrame));
    m_pDragImage = std::make_unique<wxDragImage>(bitmap);
    const wxPoint hotSpot = clientPoint - face.GetTopLeft();
    // The image takes the capture; GTK 3 draws it over the program's window, not the desktop.
    if (HasCapture())
        ReleaseMouse();
    m_dragWindow = wxGetTopLevelParent(this);
    if (!m_dragWindow || !m_pDragImage->BeginDrag(hotSpot, m_dragWindow, false)) {
        m_pDragImage.reset();
        m_dragWindow = nullptr;
        return;
    }
    m_pDragImage->Show();
    // The window holding the capture passes the mouse on until the drag ends.
    for (const auto& type : {wxEVT_MOTION, wxEVT_LEFT_UP, wxEVT_RIGHT_UP})
        m_dragWindow->Bind(type, &CPowerButton::OnDragWindowMouse, this);
}

void CPowerButton::DragMove(const wxPoint& screenPoint)
{
    if (!m_pDragImage || !m_dragWindow)
        return;
    // The image shows only inside the window: far-away points are kept at its edge, where the
    // image's backing picture stays small.
    const wxSize size = m_dragWindow->GetClientSize();
    wxPoint at = m_dragWindow->ScreenToClient(screenPoint);
    at.x = std::clamp(at.x, 0, std::max(0, size.x));
    at.y = std::clamp(at.y, 0, std::max(0, size.y));
    m_pDragImage->Move(at);
}

void CPowerButton::EndDrag()
{
    if (!m_pDragImage)
        return;
    if (m_dragWindow)
        for (const auto& type : {wxEVT_MOTION, wxEVT_LEFT_UP, wxEVT_RIGHT_UP})
            m_dragWindow->Unbind(type, &CPowerButton::OnDragWindowMouse, this);
    m_pDragImage->Hide();
    m_pDragImage->EndDrag();
    m_pDragImage.reset();
    m_dragWindow = nullptr;
}

void CPowerButton::OnDragWindowMouse(wxMouseEvent& event)
{
    if (!m_dragWindow)
        return;
    const wxPoint point = ScreenToClient(m_dragWindow->ClientToScreen(event.GetPosition()));
    if (event.GetEventType() == wxEVT_MOTION)
        OnMouseMove(point, event.LeftIsDown() || event.RightIsDown());
    else if (event.GetEventType() == wxEVT_LEFT_UP)
        OnLeftUp(point);
    else
        EndDrag();
}

void CPowerButton::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    Render(dc);
}

void CPowerButton::Render(wxDC& dc)
{
    const wxRect item(GetClientSize());
    dc.SetBackground(wxBrush(Sys(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    DrawContent(dc, item, false);
    DrawBorder(dc, item);
    if (HasFocus()) {
        wxRect focus = item;
        focus.width -= GetArrowWidth();
        wxRendererNative::Get().DrawFocusRect(this, dc, focus.Deflate(3));
    }
    if (m_bHighlighted && IsEnabled()) {
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(m_crFrame, 1));
        dc.DrawRectangle(item);
        dc.DrawRectangle(wxRect(item).Deflate(1));
    }
    if (!IsEnabled()) {
        // The disabled look: a checkerboard of grey pixels over the whole button.
        // Laid over as one picture, so each grey pixel lands exactly on its place.
        const wxColour grey = Sys(wxSYS_COLOUR_GRAYTEXT);
        wxImage dither(item.width, item.height);
        dither.InitAlpha();
        for (int y = 0; y < item.height; ++y)
            for (int x = 0; x < item.width; ++x) {
                dither.SetRGB(x, y, grey.Red(), grey.Green(), grey.Blue());
                dither.SetAlpha(x, y, IsDitherPixel(item.x + x, item.y + y) ? 255 : 0);
            }
        dc.DrawBitmap(wxBitmap(dither), item.GetTopLeft(), true);
    }
}

void CPowerButton::DrawContent(wxDC& dc, const wxRect& rect, bool forDrag)
{
    const bool checked = (m_bCheckBox || m_bRadio) && m_bChecked;
    PowerButtonLayoutInput in;
    in.item = ToPb(rect);
    in.flat = false;
    in.showIcon = m_bShowIcon;
    in.iconWidth = m_icon.IsOk() ? m_icon.GetWidth() : 32;
    in.iconHeight = m_icon.IsOk() ? m_icon.GetHeight() : 32;
    in.maxIconSize = m_nMaxIconSize;
    in.marginLeft = m_nMarginLeft;
    in.marginRight = m_nMarginRight;
    in.marginTop = m_nMarginTop;
    in.marginBottom = m_nMarginBottom;
    in.arrowWidth = forDrag ? 0 : GetArrowWidth();
    dc.SetFont(GetFont());
    const wxSize text = dc.GetTextExtent(GetLabel());
    in.textWidth = text.x;
    in.textHeight = text.y;
    in.layout = m_nLayout;
    in.pushedIn = !forDrag && ((m_pressed && !(m_bCheckBox || m_bRadio)) || checked);
    const PowerButtonLayout layout = LayOutPowerButton(in);

    if (!forDrag) {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(checked ? Sys(wxSYS_COLOUR_BTNHIGHLIGHT) : Sys(wxSYS_COLOUR_BTNFACE)));
        dc.DrawRectangle(ToWx(layout.face));
    }
    dc.SetTextForeground(IsEnabled() ? Sys(wxSYS_COLOUR_BTNTEXT) : Sys(wxSYS_COLOUR_GRAYTEXT));
    {
        wxDCClipper clip(dc, ToWx(layout.content));
        dc.DrawText(GetLabel(), layout.text.x, layout.text.y);
    }
    if (m_icon.IsOk() && layout.icon.w > 0)
        dc.DrawBitmap(m_icon, layout.icon.x, layout.icon.y, true);
    if (!forDrag && HasMenu()) {
        PbArrowLine lines[5];
        DropArrowLines(layout.arrow, lines);
        dc.SetPen(wxPen(IsEnabled() ? Sys(wxSYS_COLOUR_BTNTEXT) : Sys(wxSYS_COLOUR_GRAYTEXT), 1));
        for (const PbArrowLine& line : lines)
            dc.DrawLine(line.x, line.y, line.x + line.length, line.y);
    }
}

void CPowerButton::DrawBorder(wxDC& dc, const wxRect& rect)
{
    const bool checked = (m_bCheckBox || m_bRadio) && m_bChecked;
    const bool sunken = checked || (m_pressed && !(m_bCheckBox || m_bRadio));
    auto edge = [&dc](const wxRect& r, const wxColour& topLeft, const wxColour& bottomRight) {
        dc.SetPen(wxPen(topLeft, 1));
        dc.DrawLine(r.x, r.GetBottom(), r.x, r.y);
        dc.DrawLine(r.x, r.y, r.GetRight(), r.y);
        dc.SetPen(wxPen(bottomRight, 1));
        dc.DrawLine(r.GetRight(), r.y, r.GetRight(), r.GetBottom());
        dc.DrawLine(r.GetRight(), r.GetBottom(), r.x - 1, r.GetBottom());
    };
    const wxColour light = Sys(wxSYS_COLOUR_BTNHIGHLIGHT), light2 = Sys(wxSYS_COLOUR_3DLIGHT);
    const wxColour dark = Sys(wxSYS_COLOUR_BTNSHADOW), dark2 = Sys(wxSYS_COLOUR_3DDKSHADOW);
    wxRect body = rect;
    body.width -= GetArrowWidth();
    const bool outerOnly = m_bCheckBox || m_bRadio;
    if (sunken) {
        edge(body, dark2, light);
        if (!outerOnly)
            edge(wxRect(body).Deflate(1), dark, light2);
    } else {
        edge(body, light, dark2);
        if (!outerOnly)
            edge(wxRect(body).Deflate(1), light2, dark);
    }
    if (HasMenu()) {
        const wxRect arrow(rect.GetRight() + 1 - GetArrowWidth(), rect.y, GetArrowWidth(), rect.height);
        if (m_bMenuShowing) {
            edge(arrow, dark2, light);
            edge(wxRect(arrow).Deflate(1), dark, light2);
        } else {
            edge(arrow, light, dark2);
            edge(wxRect(arrow).Deflate(1), light2, dark);
        }
    }
}

void DDX_PowerButtonRadio(bool save, CPowerButton* first, int& value)
{
    if (!first)
        return;
    const std::vector<CPowerButton*> group = GroupOf(first, true);
    if (save) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i]->GetCheck()) {
                value = int(i);
                break;
            }
        return;
    }
    for (size_t i = 0; i < group.size(); ++i)
        group[i]->SetCheck(int(i) == value);
}
