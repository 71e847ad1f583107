#pragma once

#include "cogo/CogoCommands.h"
#include "cogo/ui/CoordinateFields.h"
#include "framework/ui/StackableDialog.h"
#include "model/SelectionDescription.h"

class CGeneralSelectionChip;
class CInversePoints;
class wxRadioButton;

// The side panel that inverses between job points: one pair at a time (Simple, Side shot,
// Sequence) or from point 1 to every selected point (Multiple side shots).
class CInversePoints : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 5396;
    enum : int {
        IdPoint1 = 1257, IdPoint2 = 1258, IdChip = 1146, IdSimple = 1284, IdSideShot = 1706, IdSequence = 1707,
        IdMultiple = 1587, IdDistance = 1260, IdDirection = 1261, IdNorth = 1263, IdEast = 1264, IdElevation = 1262,
        IdSlope = 1265, IdGrade = 1266, IdErase = 1053, IdSolve = 1, IdReport = 1070, IdClose = 2,
        IdPoint2Icon = 2510, IdChipIcon = 2511
    };

    // Point 2 picks draw a rubber band from point 1 when point 1 names a job point.
    class CItCtrl : public CExistingPointControl
    {
    public:
        CItCtrl(CInversePoints* panel, wxWindow* parent, wxWindowID id);
        void StartInteraction(bool quiet) override;

    private:
        CInversePoints* m_panel;
    };

    CInversePoints();
    ~CInversePoints() override;

    CInverseCommand& Command() { return m_command; }
    // Point 1's location in the active job; false without a job or such a point.
    bool GetPoint1Location(CLocation& at);
    void OnOK() override;
    void OnGraphicDataReceived() override;
    intptr_t OnBarMessage(uint32_t message, intptr_t wParam) override;
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool WantsStandardButtons() const override { return false; }

private:
    int CheckedMode() const;
    void UpdateModeControls();
    void OnModeClicked(int mode);
    void ShowResults();

    CInverseCommand m_command;
    CSelectionDescription m_description{SelectionKindPoint};
    CExistingPointControl* m_point1 = nullptr;
    CItCtrl* m_point2 = nullptr;
    CGeneralSelectionChip* m_chip = nullptr;
    wxWindow* m_point2Label = nullptr;
    wxWindow* m_chipLabel = nullptr;
    wxWindow* m_point2Icon = nullptr;
    wxWindow* m_chipIcon = nullptr;
    wxRadioButton* m_modes[4] = {};
    bool m_clearOnEdit = true;
};
