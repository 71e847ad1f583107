#pragma once

#include "framework/ui/StackableDialog.h"

#include <string>

class CCustomTransferButton;
class CStaticBold;
class wxSizer;
class wxStaticText;
class wxWindow;

// What both transfer wizards do alike.

// The transfer settings (model, port, rate, parity) in the identification pop-up at the cursor:
// the transfer button's tip.
void ShowTransferSettingsTip(wxWindow* near);
// "Transfer Settings...": the preferences on their Transfer page; true after OK.
bool RunTransferSettings();

// The part both wizard panels share: the transfer button with the model's name beside it, the
// model's instructions, "Transfer Settings..." and the refresh when the settings change.
class CTransferWizardPanel : public CStackableDialog
{
public:
    static constexpr int SettingsId = 2452;
    static constexpr int InstructionsId = 2816;
    static constexpr int TransferButtonId = 6734;
    static constexpr int ModelNameId = 6775;

    using CStackableDialog::CStackableDialog;

    void OnTransferSettings();
    void OnToolTipNotify();
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

    CCustomTransferButton* GetTransferButton() const { return m_transferButton; }
    CStaticBold* GetModelName() const { return m_modelName; }
    wxStaticText* GetInstructions() const { return m_instructions; }

protected:
    static constexpr int InstructionWidth = 250;

    // The button and model row, then the instructions.
    void AddModelRows(wxSizer* sizer);
    // Shows the selected model's name and these instructions; the button's icon follows the model.
    void ShowModel(const std::string& instructions);
    virtual void RefreshModel() = 0;

    CCustomTransferButton* m_transferButton = nullptr;
    CStaticBold* m_modelName = nullptr;
    wxStaticText* m_instructions = nullptr;
};
