#include "cogo/ui/FindCoordinates.h"

#include "core/TextUtil.h"
#include "framework/ui/ProgramServices.h"
#include "platform/MessageBox.h"
#include "views/ui/DataFileView.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

std::string CFindCoordinates::s_text;
int CFindCoordinates::s_kind = CFindCoordinates::KindName;
int CFindCoordinates::s_direction = 1;

CFindCoordinates::CFindCoordinates() : CEasyDialog("Find") {}

void CFindCoordinates::BuildControls()
{
    const int gap = FromDIP(6);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    m_text = new wxTextCtrl(this, IdText, wxString(), wxDefaultPosition, FromDIP(wxSize(200, -1)));
    m_text->SetMaxLength(MaxChars);
    left->Add(m_text, 0, wxEXPAND | wxALL, gap);

    auto* groups = new wxBoxSizer(wxHORIZONTAL);
    auto* searchFor = new wxStaticBoxSizer(wxVERTICAL, this, "Search For");
    m_name = new wxRadioButton(searchFor->GetStaticBox(), IdName, "Point &Name", wxDefaultPosition, wxDefaultSize,
                               wxRB_GROUP);
    m_description = new wxRadioButton(searchFor->GetStaticBox(), IdDescription, "Point &Description");
    searchFor->Add(m_name, 0, wxALL, 2);
    searchFor->Add(m_description, 0, wxALL, 2);
    auto* direction = new wxStaticBoxSizer(wxVERTICAL, this, "Direction");
    m_up = new wxRadioButton(direction->GetStaticBox(), IdUp, "Up", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_down = new wxRadioButton(direction->GetStaticBox(), IdDown, "Down");
    direction->Add(m_up, 0, wxALL, 2);
    direction->Add(m_down, 0, wxALL, 2);
    groups->Add(searchFor, 1, wxEXPAND | wxRIGHT, gap);
    groups->Add(direction, 1, wxEXPAND);
    left->Add(groups, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);

    auto* buttons = new wxBoxSizer(wxVERTICAL);
    auto* findNext = new wxButton(this, wxID_OK, "&Find Next");
    auto* close = new wxButton(this, wxID_CANCEL, "Close");
    findNext->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    findNext->SetDefault();
    buttons->Add(findNext, 0, wxEXPAND | wxALL, gap);
    buttons->Add(close, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    top->Add(left, 1, wxEXPAND);
    top->Add(buttons, 0);
    SetSizerAndFit(top);
}

bool CFindCoordinates::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    m_text->ChangeValue(wxString::FromUTF8(s_text.substr(0, MaxChars)));
    (s_kind == KindDescription ? m_description : m_name)->SetValue(true);
    (s_direction == 0 ? m_up : m_down)->SetValue(true);
    PositionNear();
    // 0x80A8: the text is ready to be typed over once the window is up.
    CallAfter([this] {
        m_text->SetFocus();
        m_text->SelectAll();
    });
    return true;
}

void CFindCoordinates::TakeControls()
{
    s_text = m_text->GetValue().utf8_string();
    if (s_text.size() > size_t(MaxChars))
        s_text.resize(size_t(MaxChars));
    s_kind = m_description->GetValue() ? KindDescription : KindName;
    s_direction = m_up->GetValue() ? 0 : 1;
}

std::string CFindCoordinates::NotFoundText(int kind, const std::string& text)
{
    const char* format = kind == KindName          ? "Point '%1' not found."
                         : kind == KindDescription ? "Point with description '%1' not found."
                                                   : "Point on layer '%1' not found.";
    return textutil::ReplaceFirst(format, "%1", text);
}

void CFindCoordinates::OnOK()
{
    TakeControls();
    CProgramServices* app = GetProgramServices();
    auto* view = app ? dynamic_cast<CDataFileView*>(app->GetActiveViewAndKind(nullptr)) : nullptr;
    const bool found = view && view->FindPoint(s_text, s_kind, s_direction != 0);
    if (!found) {
        ShowMessageBoxFS(NotFoundText(s_kind, s_text), MB_OK);
        m_text->SelectAll();
        m_text->SetFocus();
    }
}
