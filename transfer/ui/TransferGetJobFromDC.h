#pragma once

#include "transfer/ui/TransferWizardParts.h"

#include <array>
#include <string>

class wxButton;

// "Get Job from Total Station": what the instrument sends (raw data, or coordinates for the
// models that can) becomes a job that is saved, opened and logged.
class CTransferGetJobFromDC : public CTransferWizardPanel
{
public:
    static constexpr uint32_t TemplateId = 749;
    static constexpr int DownloadRawId = 1486;
    static constexpr int DownloadCoordinatesId = 1487;
    static constexpr int OrId = 6771;
    static constexpr int CoordinateHintId = 2381;
    static constexpr int WizardButtonId = 2420;
    static constexpr int IconId = 2882;

    CTransferGetJobFromDC();
    ~CTransferGetJobFromDC() override;

    // The buttons: the download starts once the click is handled.
    void OnDownloadRaw();
    void OnDownloadCoordinates();
    // The whole download; true when the job was saved and opened. The panel is gone when it
    // returns true (opening the job closes the old one's panels).
    bool GetJob(std::string& proposedName, bool raw);

    wxButton* GetDownloadCoordinatesButton() const { return m_downloadCoordinates; }
    // The controls shown only for models that send coordinates.
    const std::array<wxWindow*, 6>& GetCoordinateControls() const { return m_coordinateControls; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;

    void RefreshModel() override;

private:

    wxButton* m_downloadCoordinates = nullptr;
    std::array<wxWindow*, 6> m_coordinateControls{};
};
