#include "framework/ui/MessageBoxFS.h"

#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {

int Slot(MessageBoxButton b) { return static_cast<int>(b); }

wxArtID IconArt(uint32_t icon)
{
    switch (icon) {
    case MB_ICONERROR: return wxART_ERROR;
    case MB_ICONQUESTION: return wxART_QUESTION;
    case MB_ICONWARNING: return wxART_WARNING;
    case MB_ICONINFORMATION: return wxART_INFORMATION;
    default: return {};
    }
}

} // namespace

CMessageBoxFS::CMessageBoxFS(wxWindow* parent, const MessageBoxRequest& request)
    : CEasyDialog(request.title.empty() ? wxTheApp->GetAppDisplayName() : ToWx(request.title)), m_request(request),
      m_layout(MakeMessageBoxLayout(request))
{
    CreateModalHost(parent);
    GetModalHost()->CentreOnScreen();
}

void CMessageBoxFS::BuildControls()
{
    const MessageBoxRequest& request = m_request;
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    if (m_layout.icon != 0)
        body->Add(new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(IconArt(m_layout.icon), wxART_MESSAGE_BOX)),
                  0, wxALL, 12);
    auto* text = new wxStaticText(this, wxID_ANY, ToWx(request.text));
    text->Wrap(FromDIP(420));
    body->Add(text, 1, wxALL | wxALIGN_CENTER_VERTICAL, 12);
    top->Add(body, 1, wxEXPAND);

    // Button order on the row: Yes, No, OK, Cancel; a lone OK or a No without Cancel simply takes
    // the place the hidden button leaves.
    const struct
    {
        MessageBoxButton button;
        bool shown;
        wxString caption;
    } row[] = {
        {MessageBoxButton::Yes, m_layout.showYes, ToWx(m_layout.yesCaption)},
        {MessageBoxButton::No, m_layout.showNo, ToWx(m_layout.noCaption)},
        {MessageBoxButton::Ok, m_layout.showOk, "OK"},
        {MessageBoxButton::Cancel, m_layout.showCancel, "Cancel"},
    };
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    int width = 0;
    std::vector<wxButton*> shown;
    for (const auto& b : row) {
        auto* button = new wxButton(this, wxID_ANY, b.caption);
        m_buttons[Slot(b.button)] = button;
        button->Show(b.shown);
        button->Bind(wxEVT_BUTTON, [this, which = b.button](wxCommandEvent&) { Press(which); });
        if (b.shown) {
            buttons->Add(button, 0, wxALL, 6);
            shown.push_back(button);
            width = std::max(width, button->GetBestSize().x);
        }
    }
    // Caller captions can be long: the buttons share the widest width so the row stays even.
    for (wxButton* button : shown)
        button->SetMinSize(wxSize(width, -1));
    top->Add(buttons, 0, wxALIGN_CENTER | wxBOTTOM, 6);
    SetSizerAndFit(top);

    const int defaultIndex = std::min<int>((request.flags >> 8) & 0xF, int(shown.size()) - 1);
    if (!shown.empty()) {
        shown[size_t(std::max(defaultIndex, 0))]->SetDefault();
        shown[size_t(std::max(defaultIndex, 0))]->SetFocus();
    }

    m_default = shown.empty() ? nullptr : shown[size_t(std::max(defaultIndex, 0))];
}

void CMessageBoxFS::OnOK()
{
    for (int slot = 0; slot < 4; ++slot)
        if (m_buttons[slot] == m_default)
            Press(static_cast<MessageBoxButton>(slot));
}

wxButton* CMessageBoxFS::GetButton(MessageBoxButton button) const { return m_buttons[Slot(button)]; }

void CMessageBoxFS::Press(MessageBoxButton button)
{
    const int result = MessageBoxButtonResult(m_layout.flags, button);
    if (result == 0)
        return;
    EndDialog(result);
}

int CMessageBoxFS::Show(const MessageBoxRequest& request)
{
    CMessageBoxFS box(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, request);
    return box.DoModal();
}
