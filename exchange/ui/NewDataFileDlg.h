#pragma once

#include "framework/ui/StackableDialog.h"
#include "model/JobFileHeader.h"
#include "model/SelectionDescription.h"

class CGeneralSelectionChip;
class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

// The side-bar panel "New Job": the new job's settings from the transfer defaults, the open job or
// the custom settings remembered in the profile, and the points of the open job to take along.
// "Create" hands the settings to the application, which asks for the name and makes the job.
class CNewDataFileDlg : public CStackableDialog
{
public:
    static constexpr uint32_t TemplateId = 725;
    static constexpr int ChipId = 1000;
    static constexpr int CreateId = 1828;
    static constexpr int DefaultsOptionId = 2452;
    static constexpr int CurrentOptionId = 1063;
    static constexpr int CustomOptionId = 6762;
    static constexpr int DistanceUnitId = 2488;
    static constexpr int AngleUnitId = 2489;
    static constexpr int AzimuthTypeId = 2491;
    static constexpr int DirectionTypeId = 2493;
    static constexpr int UseScaleFactorId = 1060;
    static constexpr int ScaleFactorId = 2492;
    static constexpr int CurvatureId = 1061;
    static constexpr int CoefficientId = 1035;
    static constexpr int SeaLevelId = 1069;
    static constexpr int OffsetId = 1042;

    CNewDataFileDlg();
    ~CNewDataFileDlg() override;

    // The radios: loads the working settings from the source (0 transfer defaults, 1 the open
    // job, 2 the custom settings).
    void SelectOption(int32_t option);
    int32_t GetOption() const { return m_option; }
    // "Create": false when a field was refused or no job was made.
    bool OnCreate();

    const JobFileHeader& GetWorkingHeader() const { return m_header; }
    const JobFileHeader& GetCustomHeader() const { return m_custom; }
    wxChoice* GetCombo(int id) const;
    wxCheckBox* GetCheck(int id) const;
    wxTextCtrl* GetScaleFactorEdit() const { return m_scaleFactor; }
    wxTextCtrl* GetOffsetEdit() const { return m_offset; }
    CGeneralSelectionChip* GetChip() const { return m_chip; }

    // Hints 11 (job settings) and 12 (preferences) reload the source they change.
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void LoadOption();
    void EnableControls();
    // The live edits of the custom settings (only with option 2).
    void OnComboChanged();
    void OnCheckChanged(int id);
    void OnOffsetChanged();

    int32_t m_option = 0;
    JobFileHeader m_header;
    JobFileHeader m_custom;
    CSelectionDescription m_description;
    CGeneralSelectionChip* m_chip = nullptr;
    wxRadioButton* m_options[3] = {};
    wxChoice* m_distance = nullptr;
    wxChoice* m_angle = nullptr;
    wxChoice* m_azimuth = nullptr;
    wxChoice* m_direction = nullptr;
    wxCheckBox* m_useScaleFactor = nullptr;
    wxTextCtrl* m_scaleFactor = nullptr;
    wxCheckBox* m_curvature = nullptr;
    wxStaticText* m_coefficientLabel = nullptr;
    wxChoice* m_coefficient = nullptr;
    wxCheckBox* m_seaLevel = nullptr;
    wxStaticText* m_offsetLabel = nullptr;
    wxTextCtrl* m_offset = nullptr;
    std::vector<wxWindow*> m_unitRows;
    bool m_loading = false;
};
