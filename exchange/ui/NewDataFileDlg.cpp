#include "exchange/ui/NewDataFileDlg.h"

#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/TextFieldExchange.h"
#include "core/ValueText.h"
#include "exchange/NewJobSettings.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/ProgramServices.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

constexpr int WizardButtonId = 2420;

void SetBit(JobFileHeader& header, uint32_t bit, bool on)
{
    const uint32_t flags = header.GetFlags();
    header.SetFlags(on ? flags | bit : flags & ~bit);
}

wxChoice* MakeCombo(wxWindow* parent, int id, std::initializer_list<const char*> items)
{
    auto* combo = new wxChoice(parent, id);
    for (const char* item : items)
        combo->Append(item);
    return combo;
}

} // namespace

CNewDataFileDlg::CNewDataFileDlg() : CStackableDialog(TemplateId, "New Job")
{
    InitJobFileHeader(m_header);
    InitJobFileHeader(m_custom);
    m_option = LoadNewJobCustomSettings(GetAppProfile(), m_custom);
    if (m_option < NewJobFromTransferDefaults || m_option > NewJobFromCustomSettings)
        m_option = NewJobFromTransferDefaults;
}

// The custom settings are kept whether or not a job was made.
CNewDataFileDlg::~CNewDataFileDlg() { StoreNewJobCustomSettings(GetAppProfile(), m_custom, m_option); }

void CNewDataFileDlg::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_options[0] = new wxRadioButton(this, DefaultsOptionId, "Use default transfer settings",
                                                wxDefaultPosition, wxDefaultSize, wxRB_GROUP),
               0, wxBOTTOM, 2);
    auto* hint = new wxStaticText(this, wxID_ANY, "Default transfer settings may be set with the Transfer tab in Preferences.");
    hint->Wrap(250);
    sizer->Add(hint, 0, wxLEFT | wxBOTTOM, 18);
    sizer->Add(m_options[1] = new wxRadioButton(this, CurrentOptionId, "Use current settings"), 0, wxBOTTOM, 4);
    sizer->Add(m_options[2] = new wxRadioButton(this, CustomOptionId, "Use custom Job settings"), 0, wxBOTTOM, 6);

    auto* grid = new wxFlexGridSizer(2, 4, 6);
    grid->AddGrowableCol(1);
    auto row = [&](const char* caption, wxWindow* control, bool unitRow) {
        auto* label = new wxStaticText(this, wxID_ANY, caption);
        grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(control, 1, wxEXPAND);
        if (unitRow)
            m_unitRows.push_back(label);
        return label;
    };
    row("Distance Units:", m_distance = MakeCombo(this, DistanceUnitId, {"Meters", "Feet", "US Survey Feet"}), true);
    row("Angle Units:", m_angle = MakeCombo(this, AngleUnitId, {"Degrees", "Grads / Gons"}), true);
    row("Azimuth Type:", m_azimuth = MakeCombo(this, AzimuthTypeId, {"North Azimuth", "South Azimuth"}), true);
    row("Direction Type:", m_direction = MakeCombo(this, DirectionTypeId, {"HA zero to BS", "True Azimuth"}), false);
    m_useScaleFactor = new wxCheckBox(this, UseScaleFactorId, "Scale Factor:");
    m_scaleFactor = new wxTextCtrl(this, ScaleFactorId);
    grid->Add(m_useScaleFactor, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_scaleFactor, 1, wxEXPAND);
    sizer->Add(grid, 0, wxEXPAND | wxBOTTOM, 6);

    sizer->Add(m_curvature = new wxCheckBox(this, CurvatureId, "Adjust for Earth Curvature / Refraction"), 0,
               wxBOTTOM, 4);
    auto* coefficient = new wxBoxSizer(wxHORIZONTAL);
    coefficient->Add(m_coefficientLabel = new wxStaticText(this, wxID_ANY, "Coeff:"), 0,
                     wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 18);
    coefficient->Add(m_coefficient = MakeCombo(this, CoefficientId, {"0.1320", "0.2000"}), 1);
    sizer->Add(coefficient, 0, wxEXPAND | wxBOTTOM, 4);
    sizer->Add(m_seaLevel = new wxCheckBox(this, SeaLevelId, "Apply Sea Level Correction"), 0, wxBOTTOM, 6);
    auto* offset = new wxBoxSizer(wxHORIZONTAL);
    offset->Add(m_offsetLabel = new wxStaticText(this, wxID_ANY, "Stakeout: Add Pt:"), 0,
                wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    offset->Add(m_offset = new wxTextCtrl(this, OffsetId), 1);
    sizer->Add(offset, 0, wxEXPAND | wxBOTTOM, 10);

    auto* points = new wxBoxSizer(wxHORIZONTAL);
    if (CProgramServices* app = GetProgramServices())
        points->Add(new CCustomWizardButton(this, WizardButtonId, app->GetIcons()), 0,
                    wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    points->Add(new wxStaticText(this, wxID_ANY, "Select Points\n(Optional)"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    points->Add(m_chip = new CGeneralSelectionChip(this, ChipId), 0, wxALIGN_CENTER_VERTICAL);
    m_chip->SetDescription(&m_description);
    sizer->Add(points, 0, wxEXPAND | wxBOTTOM, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, CreateId, "Create"), 1, wxRIGHT, 6);
    auto* close = new wxButton(this, wxID_ANY, "Close");
    buttons->Add(close, 1);
    sizer->Add(buttons, 0, wxEXPAND);
    SetSizer(sizer);

    // Creating closes the open job, which may take this panel down: the work runs after the click.
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CallAfter([this] { OnCreate(); }); }, CreateId);
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    const int32_t optionIds[] = {DefaultsOptionId, CurrentOptionId, CustomOptionId};
    for (int32_t option = 0; option < 3; ++option)
        Bind(wxEVT_RADIOBUTTON, [this, option](wxCommandEvent&) { SelectOption(option); }, optionIds[option]);
    for (wxChoice* combo : {m_distance, m_angle, m_azimuth, m_direction})
        combo->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnComboChanged(); });
    for (int id : {UseScaleFactorId, CurvatureId, SeaLevelId})
        Bind(wxEVT_CHECKBOX, [this, id](wxCommandEvent&) { OnCheckChanged(id); }, id);
    m_offset->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnOffsetChanged(); });
}

bool CNewDataFileDlg::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    LoadOption();
    SetActiveControl(m_chip);
    return true;
}

wxChoice* CNewDataFileDlg::GetCombo(int id) const
{
    switch (id) {
    case DistanceUnitId: return m_distance;
    case AngleUnitId: return m_angle;
    case AzimuthTypeId: return m_azimuth;
    case DirectionTypeId: return m_direction;
    case CoefficientId: return m_coefficient;
    default: return nullptr;
    }
}

wxCheckBox* CNewDataFileDlg::GetCheck(int id) const
{
    switch (id) {
    case UseScaleFactorId: return m_useScaleFactor;
    case CurvatureId: return m_curvature;
    case SeaLevelId: return m_seaLevel;
    default: return nullptr;
    }
}

void CNewDataFileDlg::SelectOption(int32_t option)
{
    m_option = option;
    LoadOption();
}

void CNewDataFileDlg::LoadOption()
{
    if (m_option == NewJobFromCustomSettings) {
        m_header = m_custom;
    } else {
        InitJobFileHeader(m_header);
        if (m_option == NewJobFromTransferDefaults) {
            GetMorvelSettings().LoadNewJobDefaults(m_header);
        } else if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc()) {
            if (CDataFileDocSettings* settings = job->GetJobSettings())
                settings->StoreInHeader(m_header);
        }
    }
    for (int32_t i = 0; i < 3; ++i)
        m_options[i]->SetValue(i == m_option);
    m_loading = true;
    UpdateDataEx(false);
    m_loading = false;
    EnableControls();
}

void CNewDataFileDlg::EnableControls()
{
    const bool enable = m_option == NewJobFromCustomSettings;
    for (wxWindow* window : m_unitRows)
        window->Enable(enable);
    for (wxWindow* window : {static_cast<wxWindow*>(m_distance), static_cast<wxWindow*>(m_angle),
                             static_cast<wxWindow*>(m_azimuth), static_cast<wxWindow*>(m_direction),
                             static_cast<wxWindow*>(m_useScaleFactor), static_cast<wxWindow*>(m_curvature),
                             static_cast<wxWindow*>(m_seaLevel), static_cast<wxWindow*>(m_offsetLabel),
                             static_cast<wxWindow*>(m_offset)})
        window->Enable(enable);
    m_scaleFactor->Enable(enable && m_useScaleFactor->GetValue());
    m_coefficientLabel->Enable(enable && m_curvature->GetValue());
    m_coefficient->Enable(enable && m_curvature->GetValue());
}

void CNewDataFileDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_SelectionChipOptional(&dx, ChipId, *m_chip, m_description);
    NewJobFields fields = ReadNewJobFields(m_header);
    if (!dx.m_bSaveAndValidate) {
        m_distance->SetSelection(fields.distanceUnit);
        m_angle->SetSelection(fields.angleUnit);
        m_azimuth->SetSelection(fields.azimuthType);
        m_direction->SetSelection(fields.directionType);
        m_useScaleFactor->SetValue(fields.useScaleFactor);
        m_curvature->SetValue(fields.curvature);
        // The coefficient belongs to the correction: without it the combo keeps what it showed.
        if (fields.curvature)
            m_coefficient->SetSelection(fields.coefficient);
        else if (m_coefficient->GetSelection() < 0)
            m_coefficient->SetSelection(0);
        m_seaLevel->SetValue(fields.seaLevel);
        DDX_ScaleFactor(&dx, ScaleFactorId, fields.scaleFactor);
        DDX_UInt(&dx, OffsetId, fields.offset);
        return;
    }
    fields.distanceUnit = std::max(0, m_distance->GetSelection());
    fields.angleUnit = std::max(0, m_angle->GetSelection());
    fields.azimuthType = std::max(0, m_azimuth->GetSelection());
    fields.directionType = std::max(0, m_direction->GetSelection());
    fields.useScaleFactor = m_useScaleFactor->GetValue();
    fields.curvature = m_curvature->GetValue();
    if (fields.curvature)
        fields.coefficient = std::max(0, m_coefficient->GetSelection());
    fields.seaLevel = m_seaLevel->GetValue();
    DDX_ScaleFactor(&dx, ScaleFactorId, fields.scaleFactor);
    if (fields.useScaleFactor)
        DDV_NonZero(&dx, ScaleFactorId, fields.scaleFactor);
    DDX_UInt(&dx, OffsetId, fields.offset);
    DDV_MinMaxInt(&dx, OffsetId, int32_t(std::min<uint32_t>(fields.offset, 0x7fffffff)), 0, int32_t(NewJobOffsetMax));
    WriteNewJobFields(fields, m_header);
    if (m_option == NewJobFromCustomSettings)
        m_custom = m_header;
}

void CNewDataFileDlg::OnComboChanged()
{
    if (m_loading || m_option != NewJobFromCustomSettings)
        return;
    m_custom.SetDistanceUnit(uint16_t(std::max(0, m_distance->GetSelection())));
    m_custom.SetAngleUnit(uint16_t(std::max(0, m_angle->GetSelection())));
    SetBit(m_custom, JobFileHeader::FlagSouthAzimuth, m_azimuth->GetSelection() == 1);
    SetBit(m_custom, JobFileHeader::FlagDirectionType, m_direction->GetSelection() == 1);
}

void CNewDataFileDlg::OnCheckChanged(int id)
{
    if (m_loading || m_option != NewJobFromCustomSettings)
        return;
    switch (id) {
    case UseScaleFactorId: {
        const bool on = m_useScaleFactor->GetValue();
        SetBit(m_custom, JobFileHeader::FlagUseScaleFactor, on);
        m_scaleFactor->Enable(on);
        double factor = 0;
        if (ParseDouble(&factor, m_scaleFactor->GetValue().utf8_string(), false))
            m_custom.SetScaleFactor(factor);
        break;
    }
    case CurvatureId: {
        const bool on = m_curvature->GetValue();
        SetBit(m_custom, JobFileHeader::FlagCurvature, on);
        m_coefficientLabel->Enable(on);
        m_coefficient->Enable(on);
        if (on)
            SetBit(m_custom, JobFileHeader::FlagCurvatureCoefficient, m_coefficient->GetSelection() == 1);
        break;
    }
    case SeaLevelId: SetBit(m_custom, JobFileHeader::FlagSeaLevel, m_seaLevel->GetValue()); break;
    default: break;
    }
}

void CNewDataFileDlg::OnOffsetChanged()
{
    if (m_loading || m_option != NewJobFromCustomSettings)
        return;
    int offset = -1;
    if (ParseWholeNumber(&offset, m_offset->GetValue().utf8_string()) && offset >= 0 &&
        offset <= int(NewJobOffsetMax))
        m_custom.SetOffsetWord(uint32_t(offset));
}

bool CNewDataFileDlg::OnCreate()
{
    if (!UpdateDataEx(true))
        return false;
    // A copy: making the job closes the open one, and this panel may go with it.
    const JobFileHeader settings = m_header;
    CProgramServices* app = GetProgramServices();
    return app != nullptr && app->CreateNewJob(settings);
}

void CNewDataFileDlg::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    if ((code == HintJobSettingsConfirmed && m_option == NewJobFromCurrentJob) ||
        (code == HintCode12 && m_option == NewJobFromTransferDefaults))
        LoadOption();
    CStackableDialog::OnNotify(sender, code, parameter);
}
