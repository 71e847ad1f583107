#include "shell/ui/RegenerationOptionsDlg.h"

#include "framework/ui/ModalDialog.h"
#include "platform/Profile.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>

namespace {
constexpr const char* Section = "RegenerationOptions";
}

CRegenerationOptionsDlg::CRegenerationOptionsDlg(wxWindow* parent) : CEasyDialog("Raw Data Regeneration Options")
{
    CProfile& profile = GetAppProfile();
    m_ignoreStorePoints = profile.GetProfileInt(Section, "IgnoreStorePoint", 0);
    m_ignoreDeletedRecords = profile.GetProfileInt(Section, "IgnoreDeletedPoint", 0);
    CreateModalHost(parent);
}

void CRegenerationOptionsDlg::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_storePoint = new wxCheckBox(this, wxID_ANY, "Ignore Store Point records unless they create a new point.");
    m_deleted = new wxCheckBox(this, wxID_ANY, "Ignore records marked deleted");
    sizer->Add(m_storePoint, 0, wxALL, 10);
    sizer->Add(m_deleted, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); });
    sizer->Add(ok, 0, wxALIGN_RIGHT | wxALL, 10);
    SetSizerAndFit(sizer);
    TransferToControls();
}

void CRegenerationOptionsDlg::OnOK()
{
    EndDialog(wxID_OK);
}

bool CRegenerationOptionsDlg::PreTranslateInput(const DialogKeyMessage& msg)
{
    return msg.message == WM_KEYDOWN && msg.key == VK_ESCAPE;
}

CRegenerationOptionsDlg::~CRegenerationOptionsDlg()
{
    CProfile& profile = GetAppProfile();
    CProfileBatch batch(profile);
    profile.WriteProfileInt(Section, "IgnoreStorePoint", m_ignoreStorePoints);
    profile.WriteProfileInt(Section, "IgnoreDeletedPoint", m_ignoreDeletedRecords);
}

int CRegenerationOptionsDlg::DoModal()
{
    TransferToControls();
    const int result = CEasyDialog::DoModal();
    if (result == wxID_OK)
        TransferFromControls();
    return result;
}

int CRegenerationOptionsDlg::GetOptions() const
{
    return (m_ignoreStorePoints ? 1 : 0) | (m_ignoreDeletedRecords ? 2 : 0) | 0x8000;
}

void CRegenerationOptionsDlg::TransferToControls()
{
    m_storePoint->SetValue(m_ignoreStorePoints != 0);
    m_deleted->SetValue(m_ignoreDeletedRecords != 0);
}

void CRegenerationOptionsDlg::TransferFromControls()
{
    m_ignoreStorePoints = m_storePoint->GetValue() ? 1 : 0;
    m_ignoreDeletedRecords = m_deleted->GetValue() ? 1 : 0;
}
