#include "shell/ui/SplashWnd.h"

#include <wx/app.h>
#include <wx/dcclient.h>

namespace {
bool s_enabled = true;
CSplashWnd* s_splash = nullptr;
} // namespace

void CSplashWnd::EnableSplash(bool enable) { s_enabled = enable; }

bool CSplashWnd::IsSplashEnabled() { return s_enabled; }

CSplashWnd* CSplashWnd::GetSplash() { return s_splash; }

void CSplashWnd::ShowSplash(wxWindow* parent)
{
    if (!s_enabled || s_splash)
        return;
    CDIBitmap picture;
    if (!picture.LoadResource(PictureId))
        return;
    s_splash = new CSplashWnd(parent, std::move(picture));
}

CSplashWnd::CSplashWnd(wxWindow* parent, CDIBitmap&& picture)
    : wxFrame(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE | wxFRAME_NO_TASKBAR | wxFRAME_TOOL_WINDOW | (parent ? wxFRAME_FLOAT_ON_PARENT : 0)),
      m_picture(std::move(picture)), m_timer(this)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetClientSize(m_picture.GetWidth(), m_picture.GetHeight());
    CentreOnScreen();
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(this);
        m_picture.DrawAt(dc, wxPoint(0, 0));
    });
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnTimeout(); });
    m_timer.StartOnce(TimeoutMs);
    Show();
    Update();
}

CSplashWnd::~CSplashWnd()
{
    m_timer.Stop();
    if (s_splash == this)
        s_splash = nullptr;
}

void CSplashWnd::OnTimeout()
{
    m_timer.Stop();
    if (s_splash == this)
        HideSplash();
}

void CSplashWnd::FilterAppMessage(const wxEvent& event)
{
    if (!s_splash)
        return;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_KEY_DOWN || type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN)
        HideSplash();
}

void CSplashWnd::HideSplash()
{
    CSplashWnd* splash = s_splash;
    if (!splash)
        return;
    s_splash = nullptr;
    splash->m_timer.Stop();
    splash->Hide();
    splash->Destroy();
    if (wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr)
        top->Update();
}
