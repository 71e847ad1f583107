#pragma once

#include "cogo/CogoCommands.h"
#include "framework/ui/StackableDialog.h"

class wxCheckBox;
class wxRadioButton;
class wxStaticText;

// The side panel that intersects two lines, each a direction or a distance from a job point.
class CIntersection : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 124;
    enum : int {
        IdBaseA = 1092, IdDirModeA = 1608, IdDistModeA = 1609, IdDirectionA = 1308, IdDistanceA = 1052,
        IdBaseB = 1094, IdDirModeB = 1610, IdDistModeB = 1611, IdDirectionB = 1095, IdDistanceB = 2278,
        IdStoreC = 1008, IdNameC = 1307, IdDescriptionC = 1792, IdStoreD = 1009, IdNameD = 1309,
        IdDescriptionD = 1791, IdNorthC = 1069, IdEastC = 1071, IdNorthD = 1072, IdEastD = 1073,
        IdErase = 1053, IdSolve = 1, IdReport = 1070, IdClose = 2, IdNameLabelC = 6759, IdDescriptionLabelC = 6758,
        IdNameLabelD = 6760, IdDescriptionLabelD = 6761,
        // Unit labels: the dialog writes the job's angle and distance units into them by id.
        IdAngleUnitA = 6967, IdAngleUnitB = 6968, IdDistUnitA = 6926, IdDistUnitB = 6927
    };

    CIntersection();
    ~CIntersection() override;

    CIntersectionCommand& Command() { return m_command; }
    void OnOK() override;
    void OnGraphicDataReceived() override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool WantsStandardButtons() const override { return false; }

private:
    // Enables the fields the modes and boxes call for; focusId, when enabled, takes the focus.
    void UpdateModes(int focusId);
    void ShowResults();

    CIntersectionCommand m_command;
    wxRadioButton* m_mode[4] = {};
    wxCheckBox* m_storeC = nullptr;
    wxCheckBox* m_storeD = nullptr;
};
