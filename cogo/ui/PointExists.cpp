#include "cogo/ui/PointExists.h"

#include "core/ResourceStrings.h"
#include "core/TextFieldExchange.h"
#include "core/TextUtil.h"
#include "framework/ui/WindowHelpers.h"
#include "platform/MessageBox.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

// Names that begin with this can never be stored as points.
constexpr const char* UnusableNameMarker = "$&%^@*";

bool IsUnusableName(const std::string& name)
{
    return name.rfind(UnusableNameMarker, 0) == 0;
}

} // namespace

CPointExists::CPointExists() : CEasyDialog("Point exists") {}

void CPointExists::SetNames(const std::string& typedName, const std::string& proposedName)
{
    m_typedName = typedName;
    m_proposedName = proposedName;
}

void CPointExists::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, IdMessage, wxString()), 0, wxEXPAND | wxALL, FromDIP(10));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_overwrite = new wxButton(this, IdOverwrite, "&Overwrite");
    m_useNextAvailable = new wxButton(this, IdUseNext, "&Use next available");
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    m_overwrite->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOverwrite(); });
    m_useNextAvailable->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnUseNextAvailable(); });
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    for (wxButton* b : {m_overwrite, m_useNextAvailable, cancel})
        buttons->Add(b, 0, wxLEFT, FromDIP(6));
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    SetSizerAndFit(sizer);
}

bool CPointExists::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    m_messageText = textutil::ReplaceFirst(textutil::ReplaceFirst(LoadResourceString(39), "%1", m_typedName), "%2",
                                           m_proposedName);
    m_overwrite->Enable(m_allowOverwrite && !IsUnusableName(m_typedName));
    m_overwrite->Show(m_allowOverwrite);
    m_useNextAvailable->Enable(!m_proposedName.empty() && !IsUnusableName(m_proposedName));
    UpdateDataEx(false);
    GetSizer()->SetSizeHints(this);
    return true;
}

void CPointExists::DoDataExchange(CDataExchange& dx)
{
    DDX_String(&dx, IdMessage, m_messageText);
}

void CPointExists::OnOverwrite()
{
    m_chosenName = m_typedName;
    EndDialog(IDOK);
}

void CPointExists::OnUseNextAvailable()
{
    m_chosenName = m_proposedName;
    EndDialog(IDOK);
}

void CPointExists::OnCancel()
{
    EndDialog(IDCANCEL);
}

int CPointExists::Ask(const std::string& typedName, const std::string& proposedName, std::string* chosen)
{
    return AskWith(typedName, proposedName, chosen, true);
}

int CPointExists::AskWithoutOverwrite(const std::string& typedName, const std::string& proposedName,
                                      std::string* chosen)
{
    return AskWith(typedName, proposedName, chosen, false);
}

int CPointExists::AskWith(const std::string& typedName, const std::string& proposedName, std::string* chosen,
                          bool allowOverwrite)
{
    // A proposal that is the typed name itself means the job found no free name.
    const std::string proposal = proposedName == typedName ? std::string() : proposedName;
    CPointExists dialog;
    dialog.SetNames(typedName, proposal);
    dialog.SetAllowOverwrite(allowOverwrite);
    wxWindow* owner = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    dialog.CreateModalHost(owner);
    dialog.PositionNear();
    const int result = dialog.DoModal(owner);
    if (result == IDOK) {
        if (chosen)
            *chosen = dialog.GetChosenName();
        return PointExistsUseChosen;
    }
    return result == IDCANCEL ? PointExistsCancel : result;
}

void CPointExists::Install()
{
    SetPointExistsPrompt(&CPointExists::Ask);
}

void CPointExists::Uninstall()
{
    SetPointExistsPrompt({});
}
