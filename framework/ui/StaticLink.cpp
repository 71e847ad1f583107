#include "framework/ui/StaticLink.h"

#include "platform/ProcessLaunch.h"

#include <wx/settings.h>
#include <wx/utils.h>

CStaticBold::CStaticBold(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                         const wxSize& size, long style)
    : wxStaticText(parent, id, label, pos, size, style)
{
    wxFont font = GetFont();
    if (!font.IsOk())
        font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (!font.IsOk())
        return;
    m_fontNormal = font;
    m_fontBold = font.Bold();
    SetBold(true);
}

void CStaticBold::SetBold(bool bold)
{
    const wxFont& font = bold ? m_fontBold : m_fontNormal;
    if (!font.IsOk())
        return;
    m_bold = bold;
    SetFont(font);
    InvalidateBestSize();
    Refresh();
}

CStaticLink::CStaticLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                         const wxSize& size, long style)
    : wxGenericStaticText(parent, id, label, pos, size, style)
{
    SetFont(GetFont().Underlined());
    SetForegroundColour(ColorUnvisited);
    SetCursor(wxCursor(wxCURSOR_HAND));
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { OnClicked(); });
}

void CStaticLink::OnClicked()
{
    if (m_link.empty())
        m_link = GetLabel().utf8_string();
    if (!OpenWithDesktop(m_link)) {
        wxBell();
        return;
    }
    m_bVisited = true;
    SetForegroundColour(ColorVisited);
    Refresh();
}
