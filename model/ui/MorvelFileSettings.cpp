#include "model/ui/MorvelFileSettings.h"

#include "core/FieldExchange.h"
#include "core/Format.h"
#include "core/PathHelpers.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelFile.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <filesystem>

namespace {

bool SameSettings(const JobFileHeader& a, const JobFileHeader& b)
{
    return a.GetFlags() == b.GetFlags() && a.GetScaleFactor() == b.GetScaleFactor() &&
           a.GetDistanceUnit() == b.GetDistanceUnit() && a.GetAngleUnit() == b.GetAngleUnit() &&
           a.GetOffsetWord() == b.GetOffsetWord();
}

std::string FileSizeText(const std::string& path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > UINT32_MAX)
        return "???";
    return FormatByteSize(static_cast<uint32_t>(size));
}

wxStaticText* BoldText(wxWindow* parent, int id)
{
    auto* text = new wxStaticText(parent, id, wxString());
    text->SetFont(text->GetFont().Bold());
    return text;
}

} // namespace

CMorvelFileSettings::CMorvelFileSettings() : CEasyDialog("Job Settings")
{
    InitJobFileHeader(m_header);
}

void CMorvelFileSettings::BuildControls()
{
    const int gap = FromDIP(6);
    auto* info = new wxStaticBoxSizer(wxVERTICAL, this, "Job Information");
    wxWindow* infoBox = info->GetStaticBox();
    auto* infoGrid = new wxFlexGridSizer(2, gap / 2, gap * 2);
    auto addInfo = [&](const char* label, wxWindow* value) {
        infoGrid->Add(new wxStaticText(infoBox, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        infoGrid->Add(value, 0, wxALIGN_CENTER_VERTICAL);
    };
    addInfo("File Name", BoldText(infoBox, IdFileName));
    addInfo("File Size", BoldText(infoBox, IdFileSize));
    auto* created = new wxBoxSizer(wxHORIZONTAL);
    created->Add(BoldText(infoBox, IdCreationDate), 0, wxRIGHT, gap * 2);
    created->Add(BoldText(infoBox, IdCreationTime));
    infoGrid->Add(new wxStaticText(infoBox, wxID_ANY, "Creation Date:"), 0, wxALIGN_CENTER_VERTICAL);
    infoGrid->Add(created, 0, wxALIGN_CENTER_VERTICAL);
    addInfo("Points", BoldText(infoBox, IdPoints));
    addInfo("First", BoldText(infoBox, IdFirstPoint));
    addInfo("Last", BoldText(infoBox, IdLastPoint));
    info->Add(infoGrid, 0, wxALL, gap);

    auto* settings = new wxStaticBoxSizer(wxVERTICAL, this, "Job Settings");
    wxWindow* box = settings->GetStaticBox();
    auto* grid = new wxFlexGridSizer(2, gap, gap * 2);
    grid->AddGrowableCol(1);
    auto addRow = [&](wxWindow* label, wxWindow* field) {
        grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field, 0, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    };
    m_distance = new wxChoice(box, IdDistanceUnits);
    m_angle = new wxChoice(box, IdAngleUnits);
    m_azimuth = new wxChoice(box, IdAzimuthType);
    addRow(new wxStaticText(box, wxID_ANY, "Distance Units:"), m_distance);
    addRow(new wxStaticText(box, wxID_ANY, "Angle Units:"), m_angle);
    addRow(new wxStaticText(box, wxID_ANY, "Azimuth Type:"), m_azimuth);
    m_scaleCheck = new wxCheckBox(box, IdScaleFactorCheck, "Scale Factor:");
    m_scale = new wxTextCtrl(box, IdScaleFactor);
    addRow(m_scaleCheck, m_scale);
    settings->Add(grid, 0, wxEXPAND | wxALL, gap);

    m_curvatureCheck = new wxCheckBox(box, IdCurvatureCheck, "Adjust For Earth Curvature / Refraction");
    settings->Add(m_curvatureCheck, 0, wxLEFT | wxRIGHT, gap);
    auto* coeff = new wxBoxSizer(wxHORIZONTAL);
    m_coefficient = new wxChoice(box, IdCoefficient);
    coeff->Add(new wxStaticText(box, wxID_ANY, "Coeff:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    coeff->Add(m_coefficient, 0, wxALIGN_CENTER_VERTICAL);
    settings->Add(coeff, 0, wxLEFT | wxTOP, gap);
    settings->AddSpacer(gap);
    m_seaLevelCheck = new wxCheckBox(box, IdSeaLevelCheck, "Apply Sea Level Correction");
    settings->Add(m_seaLevelCheck, 0, wxLEFT | wxRIGHT, gap);
    auto* offset = new wxBoxSizer(wxHORIZONTAL);
    m_offset = new wxTextCtrl(box, IdStakeoutOffset);
    offset->Add(new wxStaticText(box, wxID_ANY, "Stakeout: Add Pt:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    offset->Add(m_offset, 1, wxALIGN_CENTER_VERTICAL);
    settings->Add(offset, 0, wxEXPAND | wxALL, gap);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(info, 0, wxEXPAND | wxALL, gap);
    sizer->Add(settings, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    SetSizerAndFit(sizer);

    m_curvatureCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnCurvatureClicked(); });
    m_scaleCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnScaleFactorClicked(); });
}

bool CMorvelFileSettings::OnInitDialog()
{
    if (CMorvelFileDoc* job = CMorvelFileDoc::FindActiveJobDocument()) {
        job->GetJobSettings()->StoreInHeader(m_header);
        m_stakeoutOffset = job->GetJobSettings()->GetStakeoutOffset();
    }
    CEasyDialog::OnInitDialog();
    auto fill = [](wxChoice* choice, std::initializer_list<const char*> items) {
        if (choice->IsEmpty())
            for (const char* item : items)
                choice->Append(item);
    };
    fill(m_distance, {"Meters", "Feet", "US Survey Feet"});
    fill(m_angle, {"Degrees", "Grads / Gons"});
    fill(m_azimuth, {"North Azimuth", "South Azimuth"});
    fill(m_coefficient, {"0.1320", "0.2000"});
    UpdateDataEx(false);
    GetSizer()->SetSizeHints(this);
    return true;
}

void CMorvelFileSettings::ShowJobInformation()
{
    CMorvelFileDoc* job = CMorvelFileDoc::FindActiveJobDocument();
    auto set = [this](int id, const std::string& text) {
        if (wxWindow* w = FindWindow(id))
            w->SetLabel(ToWx(text));
    };
    const std::string path = job ? job->GetPathName() : std::string();
    set(IdFileName, GetPathFileName(path));
    set(IdFileSize, FileSizeText(path));

    // The creation time is the job file's own; the working header only carries the time the
    // dialog was opened. A job without a readable file or without a stored time shows none.
    SystemTime t;
    JobFileHeader stored;
    CMorvelFile file;
    if (!path.empty() && file.Open(path.c_str(), true) && file.GetHeader(stored))
        t = stored.GetCreated();
    file.Close();
    char date[32] = "", time[32] = "";
    if (t.year >= 1900) {
        std::snprintf(date, sizeof date, "%02d-%02d-%4d", t.month, t.day, t.year);
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    }
    set(IdCreationDate, date);
    set(IdCreationTime, time);

    CPointDatabase* points = job ? job->GetPointDatabase() : nullptr;
    set(IdPoints, std::to_string(points ? points->GetCount() : 0));
    CPointRecord* first = points ? points->GetPointAt(points->GetFirstPosition()) : nullptr;
    CPointRecord* last = points ? points->GetPointAt(points->GetLastPosition()) : nullptr;
    set(IdFirstPoint, first ? first->GetName() : "---");
    set(IdLastPoint, last ? last->GetName() : "---");
    Layout();
}

void CMorvelFileSettings::SetFlag(uint32_t bit, bool on)
{
    const uint32_t flags = m_header.GetFlags();
    m_header.SetFlags(on ? flags | bit : flags & ~bit);
}

void CMorvelFileSettings::DoDataExchange(CDataExchange& dx)
{
    const bool save = dx.m_bSaveAndValidate;
    if (!save)
        ShowJobInformation();
    const uint32_t flags = m_header.GetFlags();

    if (save) {
        const int i = m_distance->GetSelection();
        if (i >= 0 && i <= 2)
            m_header.SetDistanceUnit(static_cast<uint16_t>(i));
        m_header.SetAngleUnit(m_angle->GetSelection() == 1 ? 1 : 0);
        SetFlag(JobFileHeader::FlagSouthAzimuth, m_azimuth->GetSelection() == 1);
        SetFlag(JobFileHeader::FlagCurvature, m_curvatureCheck->GetValue());
        if (m_curvatureCheck->GetValue())
            SetFlag(JobFileHeader::FlagCurvatureCoefficient, m_coefficient->GetSelection() == 1);
        SetFlag(JobFileHeader::FlagSeaLevel, m_seaLevelCheck->GetValue());
        SetFlag(JobFileHeader::FlagUseScaleFactor, m_scaleCheck->GetValue());
        if (m_scaleCheck->GetValue()) {
            double scale = m_header.GetScaleFactor();
            DDX_ScaleFactor(&dx, IdScaleFactor, scale);
            DDV_NonZero(&dx, IdScaleFactor, scale);
            m_header.SetScaleFactor(scale);
        }
    } else {
        const uint16_t unit = m_header.GetDistanceUnit();
        m_distance->SetSelection(unit <= 2 ? unit : 0);
        m_angle->SetSelection(m_header.GetAngleUnit() == 1 ? 1 : 0);
        m_azimuth->SetSelection(flags & JobFileHeader::FlagSouthAzimuth ? 1 : 0);
        m_curvatureCheck->SetValue(flags & JobFileHeader::FlagCurvature);
        m_coefficient->SetSelection(flags & JobFileHeader::FlagCurvatureCoefficient ? 1 : 0);
        m_seaLevelCheck->SetValue(flags & JobFileHeader::FlagSeaLevel);
        m_scaleCheck->SetValue(flags & JobFileHeader::FlagUseScaleFactor);
        double scale = m_header.GetScaleFactor();
        DDX_ScaleFactor(&dx, IdScaleFactor, scale);
    }
    m_coefficient->Enable(m_curvatureCheck->GetValue());
    m_scale->Enable(m_scaleCheck->GetValue());

    DDX_Int(&dx, IdStakeoutOffset, m_stakeoutOffset);
    DDV_MinMaxInt(&dx, IdStakeoutOffset, m_stakeoutOffset, 0, 9999);
    if (save)
        m_header.SetOffsetWord(static_cast<uint32_t>(m_stakeoutOffset));
}

void CMorvelFileSettings::OnCurvatureClicked()
{
    SetFlag(JobFileHeader::FlagCurvature, m_curvatureCheck->GetValue());
    m_coefficient->Enable(m_curvatureCheck->GetValue());
}

void CMorvelFileSettings::OnScaleFactorClicked()
{
    SetFlag(JobFileHeader::FlagUseScaleFactor, m_scaleCheck->GetValue());
    m_scale->Enable(m_scaleCheck->GetValue());
}

void CMorvelFileSettings::OnOK()
{
    if (!UpdateDataEx(true))
        return;
    if (CMorvelFileDoc* job = CMorvelFileDoc::FindActiveJobDocument()) {
        JobFileHeader current;
        InitJobFileHeader(current);
        job->GetJobSettings()->StoreInHeader(current);
        // Without a change no step is opened at all, so nothing (not even the modified state)
        // is touched; the step would have been withdrawn anyway.
        if (!SameSettings(m_header, current)) {
            if (CDataFileUndoManager* undo = job->GetUndoManager())
                undo->RecordUndoWithText("Change job settings");
            job->ApplyJobSettings(m_header);
            job->SendHint(AsHintSender(), HintJobSettingsConfirmed, 0);
        }
    }
    EndDialog(wxID_OK);
}
