#include "framework/ui/DdxErrorDlg.h"

#include "core/DataExchange.h"
#include "core/WindowPlacement.h"
#include "framework/ui/DdxFieldFrame.h"
#include "framework/ui/WindowHelpers.h"
#include "platform/MessagePump.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/eventfilter.h>
#include <wx/evtloop.h>
#include <wx/modalhook.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <utility>

namespace {
constexpr int Inset = 4;  // text inside the face
constexpr int Shadow = 8; // shadow strips on the right and bottom
CDdxErrorDlg* s_shown = nullptr;
wxWindow* s_liveOwner = nullptr;
} // namespace

CDdxErrorDlg::LiveOwner::LiveOwner(wxWindow* owner) : m_previous(s_liveOwner) { s_liveOwner = owner; }

CDdxErrorDlg::LiveOwner::~LiveOwner() { s_liveOwner = m_previous; }

CDdxErrorDlg* CDdxErrorDlg::GetShown() { return s_shown; }

CDdxErrorDlg::CDdxErrorDlg(wxWindow* parent, const std::string& message, const ScreenRect& control)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxSTAY_ON_TOP),
      m_message(message), m_control(control)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxClientDC dc(this);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    m_text = dc.GetMultiLineTextExtent(ToWx(m_message));

    Bind(wxEVT_PAINT, &CDdxErrorDlg::OnPaint, this);
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { Close(wxID_CANCEL); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        const int key = e.GetKeyCode();
        if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE)
            OnKey(key);
        else
            e.Skip();
    });

    if (wxTheApp)
        wxTheApp->Bind(wxEVT_ACTIVATE_APP, &CDdxErrorDlg::OnAppActivateEvent, this);

    int display = wxDisplay::GetFromPoint(wxPoint(control.left, control.top));
    if (display == wxNOT_FOUND)
        display = 0;
    const wxRect screen = wxDisplay(static_cast<unsigned>(display)).GetGeometry();
    LayoutBalloon(screen.width, screen.height);
}

CDdxErrorDlg::~CDdxErrorDlg()
{
    if (m_filtering)
        wxEvtHandler::RemoveFilter(this);
    if (wxTheApp)
        wxTheApp->Unbind(wxEVT_ACTIVATE_APP, &CDdxErrorDlg::OnAppActivateEvent, this);
}

bool CDdxErrorDlg::Show(bool show)
{
    if (show && !IsShown()) {
        CaptureBehind(GetScreenRect());
        if (!m_control.IsEmpty() && !m_frame) {
            m_frame = new CDdxFieldFrame(this, m_control);
            m_frame->Show(m_frameShown);
        }
        if (!m_filtering && !m_control.IsEmpty()) {
            wxEvtHandler::AddFilter(this);
            m_filtering = true;
        }
    } else if (!show) {
        if (m_frame) {
            m_frame->Destroy();
            m_frame = nullptr;
        }
        if (m_filtering) {
            wxEvtHandler::RemoveFilter(this);
            m_filtering = false;
        }
    }
    return wxDialog::Show(show);
}

int CDdxErrorDlg::FilterEvent(wxEvent& event)
{
    if (event.GetEventType() != wxEVT_LEFT_UP || m_closed)
        return Event_Skip;
    auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (window == nullptr || window == this || wxGetTopLevelParent(window) == this)
        return Event_Skip;
    const wxPoint at = window->ClientToScreen(static_cast<wxMouseEvent&>(event).GetPosition());
    if (at.x < m_control.left || at.x >= m_control.right || at.y < m_control.top || at.y >= m_control.bottom)
        return Event_Skip;
    Close(wxID_CANCEL);
    return Event_Processed;
}

void CDdxErrorDlg::OnAppActivateEvent(wxActivateEvent& event)
{
    event.Skip();
    OnAppActivate(event.GetActive());
}

void CDdxErrorDlg::OnAppActivate(bool active)
{
    if (active == m_frameShown || m_activating)
        return;
    if (active) {
        // What waited while the program was in the background runs first: it may move the field
        // or close the balloon. A program that is closing is left as it is. (The pump also gives
        // up on hints that cannot go out, as while the balloon is in front; that is no reason to
        // stay small.)
        m_activating = true;
        const bool closing = !PumpUntilIdle() && PumpWaitingMessages() == 0;
        m_activating = false;
        if (closing || m_closed || m_frameShown)
            return;
    }
    m_frameShown = active;
    const wxRect face = GetScreenRect();
    if (active) {
        RelocateField();
        // The shadow strips lie outside the face, so the picture taken now shows what is behind
        // them; the face is painted over its own part anyway.
        const wxRect whole(face.GetPosition(), face.GetSize() + wxSize(Shadow, Shadow));
        CaptureBehind(whole);
        SetWindowStyleFlag(GetWindowStyleFlag() | wxSTAY_ON_TOP);
        SetSize(whole);
    } else {
        SetWindowStyleFlag(GetWindowStyleFlag() & ~wxSTAY_ON_TOP);
        SetSize(wxRect(face.GetPosition(), face.GetSize() - wxSize(Shadow, Shadow)));
    }
    if (m_frame)
        m_frame->Show(active);
    Refresh();
}

void CDdxErrorDlg::RelocateField()
{
    if (!m_locate)
        return;
    m_control = m_locate();
    if (m_control.IsEmpty()) {
        if (m_frame) {
            m_frame->Destroy();
            m_frame = nullptr;
        }
        return;
    }
    if (m_frame)
        m_frame->SetField(m_control);
    else if (IsShown())
        m_frame = new CDdxFieldFrame(this, m_control);
    if (!m_filtering && IsShown()) {
        wxEvtHandler::AddFilter(this);
        m_filtering = true;
    }
}

void CDdxErrorDlg::CaptureBehind(const wxRect& r)
{
    if (r.width <= 0 || r.height <= 0)
        return;
    m_behind = wxBitmap(r.width, r.height, 24);
    {
        wxMemoryDC memory(m_behind);
        wxScreenDC screen;
        memory.Blit(0, 0, r.width, r.height, &screen, r.x, r.y);
    }
    // The shadow lets what lies behind show through every second pixel, as a checkerboard.
    wxImage image = m_behind.ConvertToImage();
    unsigned char* rgb = image.GetData();
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x, rgb += 3)
            if ((x + y) & 1)
                rgb[0] = rgb[1] = rgb[2] = 0;
    m_shadow = wxBitmap(image);
}

void CDdxErrorDlg::LayoutBalloon(int screenWidth, int screenHeight)
{
    const int w = m_text.x + 2 * Inset + Shadow;
    const int h = m_text.y + 2 * Inset + Shadow;
    // A control without a place gets the balloon at the mouse.
    ScreenRect control = m_control;
    if (control.IsEmpty()) {
        const wxPoint m = wxGetMousePosition();
        control = {m.x, m.y, m.x, m.y};
    }
    const ScreenRect r = PlaceDdxBalloon(control, w, h, screenWidth, screenHeight);
    SetSize(r.left, r.top, r.Width(), r.Height());
}

void CDdxErrorDlg::OnKey(int key)
{
    // Escape answers the balloon alone; the window it stands beside stays.
    Close(key == WXK_RETURN || key == WXK_NUMPAD_ENTER ? wxID_OK : wxID_CANCEL);
}

void CDdxErrorDlg::Close(int result)
{
    if (m_closed)
        return;
    m_closed = true;
    // The toolkit goes on handling what is already queued (keys typed straight after Enter) before
    // the balloon's loop ends: the field must have the keyboard by then.
    if (auto give = std::exchange(m_giveInput, {}))
        give();
    if (IsModal()) {
        EndModal(result);
        return;
    }
    SetReturnCode(result);
    // A box opened meanwhile may run its own loop above the balloon's: the balloon's then ends
    // as soon as the box's has, not never. The loop is set only while it runs.
    if (m_loop)
        m_loop->ScheduleExit(result);
}

// Watches the whole program's input while the balloon shows.
class CDdxErrorDlg::DismissFilter : public wxEventFilter
{
public:
    // owner: a window whose own clicks and closing stay its own; the keys are the balloon's.
    DismissFilter(CDdxErrorDlg& balloon, wxWindow* owner) : m_balloon(balloon), m_owner(owner)
    {
        wxEvtHandler::AddFilter(this);
    }
    ~DismissFilter() override { wxEvtHandler::RemoveFilter(this); }
    DismissFilter(const DismissFilter&) = delete;
    DismissFilter& operator=(const DismissFilter&) = delete;

    int FilterEvent(wxEvent& event) override
    {
        if (m_balloon.IsClosed())
            return Event_Skip;
        const wxEventType type = event.GetEventType();
        // Enter and Escape close the balloon; every other key is spent on it, so no field changes
        // behind it and the balloon stays until the person answers it.
        if (type == wxEVT_CHAR_HOOK || type == wxEVT_KEY_DOWN || type == wxEVT_CHAR) {
            const int key = static_cast<wxKeyEvent&>(event).GetKeyCode();
            if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE)
                m_balloon.OnKey(key);
            return Event_Processed;
        }
        if (IsOwners(event.GetEventObject()))
            return Event_Skip;
        const bool press = type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN ||
                           type == wxEVT_AUX1_DOWN || type == wxEVT_AUX2_DOWN || type == wxEVT_LEFT_DCLICK ||
                           type == wxEVT_RIGHT_DCLICK || type == wxEVT_MIDDLE_DCLICK || type == wxEVT_MOUSEWHEEL;
        if (press || type == wxEVT_CLOSE_WINDOW || type == wxEVT_MENU) {
            // A press on the balloon itself is left to it: the balloon ends on the release.
            if (press && IsBalloon(event.GetEventObject()))
                return Event_Skip;
            m_balloon.Close(wxID_CANCEL);
            return Event_Processed;
        }
        // A menu opens as it would have; the balloon has gone before a command can be chosen.
        if (type == wxEVT_MENU_OPEN)
            m_balloon.Close(wxID_CANCEL);
        return Event_Skip;
    }

private:
    bool IsOwners(const wxObject* object) const
    {
        auto* window = dynamic_cast<wxWindow*>(const_cast<wxObject*>(object));
        return m_owner && window && wxGetTopLevelParent(window) == m_owner;
    }
    bool IsBalloon(const wxObject* object) const
    {
        for (auto* w = dynamic_cast<const wxWindow*>(object); w != nullptr; w = w->GetParent())
            if (w == &m_balloon)
                return true;
        return false;
    }

    CDdxErrorDlg& m_balloon;
    wxWindow* m_owner;
};

int CDdxErrorDlg::RunUntilDismissed() { return Run(nullptr); }

int CDdxErrorDlg::RunBeside(wxWindow& owner) { return Run(&owner); }

int CDdxErrorDlg::Run(wxWindow* owner)
{
    // Whoever watches modal windows sees it too, whether it holds the others or not.
    if (const int answered = wxModalDialogHook::CallEnter(this); answered != wxID_NONE)
        return answered;
    wxModalDialogHookExitGuard hookExit(this);
    SetReturnCode(wxID_CANCEL);
    CDdxErrorDlg* const previous = std::exchange(s_shown, this);
    {
        // A click, wheel turn or menu outside the owner closes the balloon and is spent on it. No
        // window is disabled meanwhile: under a window manager a click on a disabled main window
        // still takes the activation, and the balloon would be left where no key reaches it.
        DismissFilter filter(*this, owner);
        // The keyboard stays with the window the person was in, where the filter hears the keys:
        // a balloon given the keyboard would get keys it has no field to take them with, and its
        // going would hand the keyboard back to whichever field had it before.
        ShowWithoutActivating();
        wxGUIEventLoop loop;
        m_loop = &loop;
        // Closed before the loop ran (a key already waiting): nothing to wait for.
        if (!m_closed)
            loop.Run();
        m_loop = nullptr;
        Hide();
    }
    s_shown = previous;
    return GetReturnCode();
}

void CDdxErrorDlg::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    // What lay behind, darkened in the shadow strips; then the red face with a raised edge and
    // the message.
    dc.SetPen(*wxTRANSPARENT_PEN);
    // Inactive, the window is the face alone.
    const int shadow = m_frameShown ? Shadow : 0;
    if (m_frameShown) {
        const wxRect bottom(Shadow, size.y - Shadow, size.x - Shadow, Shadow);
        const wxRect right(size.x - Shadow, Shadow, Shadow, size.y - Shadow);
        if (m_behind.IsOk() && m_shadow.IsOk() && m_shadow.GetSize() == size) {
            dc.DrawBitmap(m_behind, 0, 0);
            for (const wxRect& strip : {bottom, right})
                dc.DrawBitmap(m_shadow.GetSubBitmap(strip), strip.GetPosition());
        } else {
            dc.SetBrush(wxBrush(wxColour(96, 96, 96)));
            dc.DrawRectangle(bottom);
            dc.DrawRectangle(right);
        }
    }
    const wxRect face(0, 0, size.x - shadow, size.y - shadow);
    dc.SetBrush(wxBrush(wxColour(255, 0, 0)));
    dc.DrawRectangle(face);
    dc.SetPen(*wxWHITE_PEN);
    dc.DrawLine(face.GetLeft(), face.GetBottom(), face.GetLeft(), face.GetTop());
    dc.DrawLine(face.GetLeft(), face.GetTop(), face.GetRight(), face.GetTop());
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawLine(face.GetRight(), face.GetTop(), face.GetRight(), face.GetBottom());
    dc.DrawLine(face.GetLeft(), face.GetBottom(), face.GetRight() + 1, face.GetBottom());
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawText(ToWx(m_message), Inset, Inset);
}

namespace {

// Where the refused field is now. What runs while the balloon waits may destroy the field (or
// its dialog), so it is looked up afresh through its dialog and id each time, the dialog window
// held weakly; a field that has gone has no place.
CDdxErrorDlg::FieldLocator LocateFieldOf(const DdxErrorRequest& request)
{
    CDdxDialog* dialog = request.context ? request.context->m_pDlgWnd : nullptr;
    if (!dialog)
        return {};
    const int id = request.controlId;
    if (auto* window = dynamic_cast<wxWindow*>(dialog)) {
        return [holder = wxWeakRef<wxWindow>(window), id]() -> ScreenRect {
            wxWindow* field = holder ? holder->FindWindow(id) : nullptr;
            if (!field || field == holder.get())
                return {};
            const wxRect r = field->GetScreenRect();
            return {r.x, r.y, r.x + r.width, r.y + r.height};
        };
    }
    // A dialog that is no window lives on the stack of its own exchange, under the balloon.
    return [dialog, id]() -> ScreenRect {
        CDdxControl* field = dialog->GetDdxControl(id);
        return field ? field->GetScreenRect() : ScreenRect{};
    };
}

} // namespace

void CDdxErrorDlg::Install()
{
    SetDdxErrorHandler([](const DdxErrorRequest& request) {
        wxBell();
        const ScreenRect control = request.control ? request.control->GetScreenRect() : ScreenRect{};
        CDdxErrorDlg popup(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, request.message, control);
        if (request.control)
            popup.SetFieldLocator(LocateFieldOf(request));
        popup.SetInputGiver(request.giveInput);
        if (s_liveOwner)
            return popup.RunBeside(*s_liveOwner) == wxID_OK ? 1 : 2;
        return popup.RunUntilDismissed() == wxID_OK ? 1 : 2;
    });
}

void CDdxErrorDlg::Uninstall()
{
    SetDdxErrorHandler({});
}
