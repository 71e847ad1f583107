#pragma once

#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"

class CCustomTransferButton;
class CGeneralSelectionChip;
class CStaticBold;
class wxStaticText;

// "Send Job to Total Station": the selected points go to the instrument in its upload format.
class CTransferCreateJobForDC : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 5631;
    static constexpr int SelectionId = 2407;
    static constexpr int SendId = 1253;
    static constexpr int SettingsId = 2452;
    static constexpr int InstructionsId = 2816;
    static constexpr int TransferButtonId = 6734;
    static constexpr int ModelNameId = 6775;

    CTransferCreateJobForDC();
    ~CTransferCreateJobForDC() override;

    void OnSend() { SendJob(); }
    // The whole Send; true when the points reached the instrument.
    bool SendJob();
    void OnTransferSettings();
    void OnToolTipNotify();
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

    CGeneralSelectionChip* GetChip() const { return m_chip; }
    CCustomTransferButton* GetTransferButton() const { return m_transferButton; }
    CStaticBold* GetModelName() const { return m_modelName; }
    wxStaticText* GetInstructions() const { return m_instructions; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void RefreshModel();

    CSelectionDescription m_description;
    CGeneralSelectionChip* m_chip = nullptr;
    CCustomTransferButton* m_transferButton = nullptr;
    CStaticBold* m_modelName = nullptr;
    wxStaticText* m_instructions = nullptr;
};
