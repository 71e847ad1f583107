#include "shell/ui/AboutDlg.h"

#include "core/ResourceStrings.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/StaticLink.h"
#include "platform/Version.h"
#include "shell/CommandIds.h"
#include "shell/ui/MorvelApp.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {

wxButton* AddOkButton(wxWindow* parent, wxSizer* sizer, CEasyDialog* dialog)
{
    auto* ok = new wxButton(parent, wxID_OK, "OK");
    ok->SetDefault();
    ok->Bind(wxEVT_BUTTON, [dialog](wxCommandEvent&) { dialog->EndDialog(wxID_OK); });
    sizer->Add(ok, 0, wxALIGN_RIGHT | wxALL, 10);
    return ok;
}

void CentreHost(CEasyDialog& dialog)
{
    if (wxDialog* host = dialog.GetModalHost()) {
        host->Fit();
        host->CentreOnParent();
    }
}

} // namespace

CAboutDlg::CAboutDlg(wxWindow* parent) : CEasyDialog("About Morvel")
{
    m_buildType = "Release";
    m_buildDate = MORVEL_BUILD_DATE;
    CreateModalHost(parent);
}

void CAboutDlg::BuildControls()
{
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        if (const wxBitmap* icon = app->GetIcon(IconApplication, false))
            top->Add(new wxStaticBitmap(this, wxID_ANY, *icon), 0, wxALL, 12);
    auto* texts = new wxBoxSizer(wxVERTICAL);
    texts->Add(new wxStaticText(this, IdAppName, wxString()), 0, wxBOTTOM, 4);
    texts->Add(new wxStaticText(this, IdBuildDate, wxString()), 0, wxBOTTOM, 4);
    texts->Add(new wxStaticText(this, IdBuildType, wxString()), 0, wxBOTTOM, 12);
    m_link = new CStaticLink(this, IdLink, "Visit KVL on the World Wide Web");
    texts->Add(m_link, 0);
    top->Add(texts, 1, wxTOP | wxRIGHT, 12);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 1, wxEXPAND);
    AddOkButton(this, sizer, this);
    SetSizerAndFit(sizer);
}

bool CAboutDlg::OnInitDialog()
{
    m_appName = LoadResourceString(8) + " " + CMorvelApp::GetFileVersionText();
    m_link->m_link = LoadResourceString(392);
    CEasyDialog::OnInitDialog();
    FindWindow(IdAppName)->SetLabel(wxString::FromUTF8(m_appName));
    FindWindow(IdBuildDate)->SetLabel(wxString::FromUTF8(m_buildDate));
    FindWindow(IdBuildType)->SetLabel(wxString::FromUTF8(m_buildType));
    Layout();
    Fit();
    CentreHost(*this);
    return true;
}

CTechSupportDlg::CTechSupportDlg(wxWindow* parent) : CEasyDialog("Technical Support") { CreateModalHost(parent); }

void CTechSupportDlg::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* head = new wxBoxSizer(wxHORIZONTAL);
    CIcons* icons = nullptr;
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        icons = &app->GetIcons();
    if (icons) {
        m_wizardButton = new CCustomWizardButton(this, IdWizardButton, *icons);
        head->Add(m_wizardButton, 0, wxRIGHT, 10);
    }
    // The maker's contacts; these stand in for the real ones.
    head->Add(new wxStaticText(this, wxID_ANY,
                               "KVL Technical Support\n"
                               "Monday to Friday, 8:00 to 17:00\n"
                               "Telephone: +1 555 0100    Fax: +1 555 0101\n"
                               "KVL, 1 Example Road, Example City"),
              1);
    sizer->Add(head, 0, wxALL | wxEXPAND, 12);
    sizer->Add(new wxStaticText(this, wxID_ANY,
                                "When you call or write, please state your name, the program version and\n"
                                "the operating system, with a complete description of the problem."),
               0, wxLEFT | wxRIGHT | wxBOTTOM, 12);
    m_webLink = new CStaticLink(this, IdWebLink, "Technical support on the World Wide Web.");
    m_mailLink = new CStaticLink(this, IdMailLink, "Send E-mail to Morvel technical support.");
    sizer->Add(m_webLink, 0, wxLEFT | wxRIGHT | wxBOTTOM, 12);
    sizer->Add(m_mailLink, 0, wxLEFT | wxRIGHT, 12);
    AddOkButton(this, sizer, this);
    SetSizerAndFit(sizer);
}

bool CTechSupportDlg::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    CentreHost(*this);
    m_webLink->m_link = LoadResourceString(393);
    m_mailLink->m_link = LoadResourceString(394);
    UpdateDataEx(false);
    return true;
}
