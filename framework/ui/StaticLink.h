#pragma once

#include <wx/font.h>
#include <wx/stattext.h>
#include <wx/generic/stattextg.h>

#include <string>

// A static text drawn in the bold form of its own font (headings of dialogs).
class CStaticBold : public wxStaticText
{
public:
    CStaticBold(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0);
    void SetBold(bool bold);
    bool IsBold() const { return m_bold; }

private:
    wxFont m_fontBold;
    wxFont m_fontNormal;
    bool m_bold = false;
};

// A static text that opens a web address, mail address or document when clicked: underlined,
// blue until opened, purple after, with the hand cursor over it.
class CStaticLink : public wxGenericStaticText
{
public:
    static inline const wxColour ColorUnvisited{0, 0, 255};
    static inline const wxColour ColorVisited{128, 0, 128};

    CStaticLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0);

    // The target; empty means the text itself.
    std::string m_link;
    bool IsVisited() const { return m_bVisited; }

    // What a click does: opens the target; a failure beeps and leaves the link unvisited.
    void OnClicked();

private:
    bool m_bVisited = false;
};
