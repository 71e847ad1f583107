#pragma once

#include "framework/ui/EasyDialog.h"
#include "model/JobFileHeader.h"

#include <cstdint>

class wxCheckBox;
class wxChoice;
class wxStaticText;
class wxTextCtrl;

// The "Job Settings" dialog of the active job: facts about the job file, and the per-job settings
// edited on a working copy of the job header. OK applies a change as one undo step "Change job
// settings" and announces it (hint 11); without a change the step is withdrawn.
class CMorvelFileSettings : public CEasyDialog
{
public:
    // Control ids of the dialog.
    static constexpr int IdFileName = 2495;
    static constexpr int IdFileSize = 2497;
    static constexpr int IdCreationDate = 2486;
    static constexpr int IdCreationTime = 2487;
    static constexpr int IdPoints = 2504;
    static constexpr int IdFirstPoint = 2498;
    static constexpr int IdLastPoint = 2499;
    static constexpr int IdDistanceUnits = 2488;
    static constexpr int IdAngleUnits = 2489;
    static constexpr int IdAzimuthType = 2491;
    static constexpr int IdScaleFactorCheck = 1060;
    static constexpr int IdScaleFactor = 2492;
    static constexpr int IdCurvatureCheck = 1061;
    static constexpr int IdCoefficient = 1035;
    static constexpr int IdSeaLevelCheck = 1069;
    static constexpr int IdStakeoutOffset = 1042;

    CMorvelFileSettings();

    void OnOK() override;
    // The check boxes' clicks: the flag follows the box and the field it governs is enabled with it.
    void OnCurvatureClicked();
    void OnScaleFactorClicked();

    const JobFileHeader& GetWorkingHeader() const { return m_header; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void ShowJobInformation();
    void SetFlag(uint32_t bit, bool on);

    JobFileHeader m_header;
    int32_t m_stakeoutOffset = 0;

    wxChoice* m_distance = nullptr;
    wxChoice* m_angle = nullptr;
    wxChoice* m_azimuth = nullptr;
    wxCheckBox* m_scaleCheck = nullptr;
    wxTextCtrl* m_scale = nullptr;
    wxCheckBox* m_curvatureCheck = nullptr;
    wxChoice* m_coefficient = nullptr;
    wxCheckBox* m_seaLevelCheck = nullptr;
    wxTextCtrl* m_offset = nullptr;
};
