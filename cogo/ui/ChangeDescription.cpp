#include "cogo/ui/ChangeDescription.h"

#include "core/TextFieldExchange.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

CChangeDescription::CChangeDescription() : CEasyDialog("Change Description") {}

void CChangeDescription::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(new wxStaticText(this, wxID_ANY, "Description:"), 0, wxALIGN_CENTER_VERTICAL | wxALL, FromDIP(8));
    sizer->Add(new wxTextCtrl(this, IdDescription, wxString(), wxDefaultPosition, FromDIP(wxSize(180, -1))), 1,
               wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM | wxRIGHT, FromDIP(8));
    SetSizerAndFit(sizer);
}

bool CChangeDescription::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    UpdateDataEx(false);
    return true;
}

void CChangeDescription::DoDataExchange(CDataExchange& dx)
{
    DDX_String(&dx, IdDescription, m_description);
    DDV_MaxChars(&dx, IdDescription, m_description, MaxChars);
}
