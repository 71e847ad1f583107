#pragma once

#include "model/SelectionDescription.h"
#include "transfer/ui/TransferWizardParts.h"

class CGeneralSelectionChip;

// "Send Job to Total Station": the selected points go to the instrument in its upload format.
class CTransferCreateJobForDC : public CTransferWizardPanel
{
public:
    static constexpr uint32_t TemplateId = 5631;
    static constexpr int SelectionId = 2407;
    static constexpr int SendId = 1253;

    CTransferCreateJobForDC();
    ~CTransferCreateJobForDC() override;

    void OnSend() { SendJob(); }
    // The whole Send; true when the points reached the instrument.
    bool SendJob();

    CGeneralSelectionChip* GetChip() const { return m_chip; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    void RefreshModel() override;

private:

    CSelectionDescription m_description;
    CGeneralSelectionChip* m_chip = nullptr;
};
