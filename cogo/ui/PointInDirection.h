#pragma once

#include "cogo/CogoCommands.h"
#include "framework/ui/StackableDialog.h"

class wxCheckBox;

// The side panel that computes a point from a known one by direction, angle and distance; in
// traverse mode each stored point becomes the next from point.
class CPointInDirection : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 126;
    enum : int {
        IdFrom = 1259, IdDirection = 1169, IdAngle = 1304, IdDistance = 1054, IdRise = 4111, IdNorth = 1069,
        IdEast = 1071, IdElevation = 1072, IdStore = 1008, IdName = 1307, IdDescription = 1790, IdTraverse = 1060,
        IdErase = 1053, IdSolve = 1, IdReport = 1070, IdClose = 2, IdNameLabel = 6757, IdDescriptionLabel = 3179
    };

    CPointInDirection();
    ~CPointInDirection() override;

    CPointInDirectionCommand& Command() { return m_command; }
    void OnOK() override;
    void OnGraphicDataReceived() override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool WantsStandardButtons() const override { return false; }

private:
    // Enables the store fields with the box; with focus, the keyboard goes to the store name, or
    // back to where it was when the box is cleared.
    void UpdateStore(bool focus = false);
    void ShowResults(const std::string& north, const std::string& east, const std::string& elevation);

    CPointInDirectionCommand m_command;
    wxCheckBox* m_store = nullptr;
    wxCheckBox* m_traverse = nullptr;
    bool m_updating = false;
};
