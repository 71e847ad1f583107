#include "transfer/ui/TransferWizardParts.h"

#include "core/ColoredTextLines.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/StaticLink.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "shell/RunUserPreferences.h"
#include "transfer/ui/CustomTransferButton.h"
#include "views/ui/ToolPopups.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <string>
#include <vector>

void ShowTransferSettingsTip(wxWindow* near)
{
    std::vector<std::string> lines;
    GetMorvelSettings().FormatTransferSettings(lines);
    CColoredTextLines shown;
    for (std::string line : lines) {
        // Each entry is one line of the box; its own line end would add an empty one.
        while (!line.empty() && line.back() == '\n')
            line.pop_back();
        shown.AddLineDefaultColor(line);
    }
    if (CObjectIdWnd* popup = EnsureToolIdPopup(near)) {
        const wxPoint at = wxGetMousePosition();
        popup->ShowLines(shown, at.x, at.y, {});
    }
}

bool RunTransferSettings() { return RunUserPreferences(PreferencesTransferPage) == IDOK; }

void CTransferWizardPanel::AddModelRows(wxSizer* sizer)
{
    auto* model = new wxBoxSizer(wxHORIZONTAL);
    m_transferButton = new CCustomTransferButton(this, TransferButtonId);
    model->Add(m_transferButton, 0, wxRIGHT, 8);
    m_modelName = new CStaticBold(this, ModelNameId, wxString());
    m_modelName->SetBold(true);
    model->Add(m_modelName, 1, wxALIGN_CENTRE_VERTICAL);
    sizer->Add(model, 0, wxEXPAND | wxBOTTOM, 8);
    m_instructions = new wxStaticText(this, InstructionsId, wxString());
    sizer->Add(m_instructions, 0, wxEXPAND | wxBOTTOM, 8);
    m_transferButton->Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent& event) {
        OnToolTipNotify();
        event.Skip();
    });
}

void CTransferWizardPanel::ShowModel(const std::string& instructions)
{
    m_instructions->SetLabel(wxString::FromUTF8(instructions));
    m_instructions->Wrap(InstructionWidth);
    m_modelName->SetLabel(wxString::FromUTF8(GetMorvelSettings().GetModelName()));
    m_transferButton->UpdateIcon();
}

void CTransferWizardPanel::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    if (code == HintCode9 && m_instructions != nullptr)
        RefreshModel();
    CStackableDialog::OnNotify(sender, code, parameter);
}

void CTransferWizardPanel::OnToolTipNotify() { ShowTransferSettingsTip(m_transferButton); }

void CTransferWizardPanel::OnTransferSettings()
{
    if (RunTransferSettings())
        RefreshModel();
}
