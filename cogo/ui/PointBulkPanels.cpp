#include "cogo/ui/PointBulkPanels.h"

#include "cogo/FieldMenus.h"
#include "cogo/PointBulkEdits.h"
#include "cogo/ui/CoordinateFields.h"
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/NoValue.h"
#include "core/Report.h"
#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/PointRenameEngine.h"
#include "platform/BusyCursor.h"
#include "platform/Profile.h"
#include "shell/RunUserPreferences.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/wrapsizer.h>

#include <functional>

namespace {

// The preference sheet's "Rename Rules" page (the last of its tabs).
constexpr int32_t RenameRulesPage = 6;

void CheckBox(CDataExchange& dx, wxWindow* parent, int id, int32_t& value)
{
    auto* box = static_cast<wxCheckBox*>(parent->FindWindow(id));
    if (dx.m_bSaveAndValidate)
        value = box->GetValue() ? 1 : 0;
    else
        box->SetValue(value != 0);
}

// The values 2D to 3D keeps from one opening of the panel to the next while the program runs.
struct Kept2dTo3d
{
    double elevation = NoValue;
    int32_t missingOnly = 1;
};

Kept2dTo3d& Kept()
{
    static Kept2dTo3d kept;
    return kept;
}

wxButton* AddButton(wxWindow* parent, wxSizer* row, int id, const char* caption, std::function<void()> action)
{
    auto* button = new wxButton(parent, id, caption);
    button->Bind(wxEVT_BUTTON, [action = std::move(action)](wxCommandEvent&) { action(); });
    row->Add(button, 0, wxRIGHT, parent->FromDIP(4));
    return button;
}

} // namespace

// --- CSelectionPanel

wxSizer* CSelectionPanel::BuildChipRow(const char* caption)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_chip = new CGeneralSelectionChip(this, IdChip);
    m_chip->SetDescription(&m_selection);
    row->Add(m_chip, 0, wxRIGHT, FromDIP(6));
    row->Add(new wxStaticText(this, wxID_ANY, caption), 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

void CSelectionPanel::OpenReport()
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (GetReport().OpenInEditor(doc ? doc->GetJobFileName() : std::string()))
        SetActiveControl(m_chip);
}

// --- C2dPointsTo3dPointsDlg

C2dPointsTo3dPointsDlg::C2dPointsTo3dPointsDlg()
    : CSelectionPanel(TemplateId, "2D to 3D points"), newElevation(Kept().elevation), missingOnly(Kept().missingOnly)
{
}

C2dPointsTo3dPointsDlg::~C2dPointsTo3dPointsDlg() { Kept() = {newElevation, missingOnly}; }

void C2dPointsTo3dPointsDlg::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(BuildChipRow("Select points to modify"), 0, wxALL, FromDIP(6));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "New Elevation:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
    auto* elevation = new CElevationControl(this, IdElevation);
    row->Add(elevation, 1, wxEXPAND);
    // The elevation offers the calculator, as a northing does; its button joins it in the row.
    elevation->SetMenuId(MenuNorthing);
    row->Add(new wxStaticText(this, IdElevationUnit, "ft"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(4));
    sizer->Add(row, 0, wxEXPAND | wxALL, FromDIP(6));
    sizer->Add(new wxCheckBox(this, IdMissingOnly, "Apply to &missing elevations only"), 0, wxALL, FromDIP(6));
    auto* buttons = new wxWrapSizer(wxHORIZONTAL);
    AddButton(this, buttons, IdReport, "&Report...", [this] { OpenReport(); });
    AddButton(this, buttons, IdApply, "&Apply", [this] { OnApply(); });
    AddButton(this, buttons, IdClose, "&Close", [this] { OnCancel(); });
    sizer->Add(buttons, 0, wxALL, FromDIP(6));
    SetSizer(sizer);
}

bool C2dPointsTo3dPointsDlg::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    SetActiveControl(m_chip);
    return true;
}

void C2dPointsTo3dPointsDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_SelectionChipOptional(&dx, IdChip, *m_chip, m_selection);
    if (dx.m_bSaveAndValidate || HasValue(newElevation))
        DDX_RequiredElevation(&dx, IdElevation, newElevation);
    CheckBox(dx, this, IdMissingOnly, missingOnly);
}

int32_t C2dPointsTo3dPointsDlg::OnApply()
{
    if (!UpdateDataEx(true))
        return -1;
    CBusyCursor busy;
    if (m_selection.GetCount() < 1) {
        SetActiveControl(m_chip);
        return -1;
    }
    const int32_t changed = ApplyCommonElevation(CDataFileDoc::GetActiveDoc(), newElevation, missingOnly != 0,
                                                 GetReport());
    SetActiveControl(m_chip);
    GetReport().ShowInMessageBar(true, true);
    return changed;
}

void C2dPointsTo3dPointsDlg::OnGraphicDataReceived()
{
    CStackableDialog::OnGraphicDataReceived();
    // A picked elevation is all the panel needs; the chip takes the map again.
    if (wxWindow::FindFocus() == FindWindow(IdElevation))
        SetActiveControl(m_chip);
}

// --- CRenumberPoints

CRenumberPoints::CRenumberPoints() : CSelectionPanel(TemplateId, "Rename Points") {}

void CRenumberPoints::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(BuildChipRow("Select points to rename"), 0, wxALL, FromDIP(6));
    sizer->Add(new wxStaticText(this, wxID_ANY, "Select point rename rules"), 0, wxLEFT | wxRIGHT, FromDIP(6));
    // Button rows wrap: a button that does not fit goes below rather than be cut in a narrow
    // side bar.
    auto* rules = new wxWrapSizer(wxHORIZONTAL);
    AddButton(this, rules, IdRules, "Point Rename R&ules...", [this] { OnRules(); });
    AddButton(this, rules, IdPreview, "Pre&view Report...", [this] { OnPreview(); });
    sizer->Add(rules, 0, wxALL, FromDIP(6));
    sizer->Add(new wxCheckBox(this, IdRawData, "Rename points in the raw data &file."), 0, wxALL, FromDIP(6));
    auto* buttons = new wxWrapSizer(wxHORIZONTAL);
    AddButton(this, buttons, IdReport, "Re&port...", [this] { OpenReport(); });
    AddButton(this, buttons, IdRename, "&Rename", [this] { OnRename(); });
    AddButton(this, buttons, IdClose, "&Close", [this] { OnCancel(); });
    sizer->Add(buttons, 0, wxALL, FromDIP(6));
    SetSizer(sizer);
}

bool CRenumberPoints::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    FindWindow(IdRawData)->Enable(true);
    SetActiveControl(m_chip);
    return true;
}

void CRenumberPoints::DoDataExchange(CDataExchange& dx)
{
    DDX_SelectionChipOptional(&dx, IdChip, *m_chip, m_selection);
    CheckBox(dx, this, IdRawData, renameRawData);
}

void CRenumberPoints::OnRules() { RunUserPreferences(RenameRulesPage); }

bool CRenumberPoints::OnPreview()
{
    if (!UpdateDataEx(true))
        return false;
    CPointRenameEngine engine;
    engine.AddSelectedPoints();
    engine.ComputeRenames();
    CReport preview;
    engine.BuildPreviewReport(preview);
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    return preview.OpenInEditor(doc ? doc->GetJobFileName() : std::string());
}

bool CRenumberPoints::OnRename()
{
    if (!UpdateDataEx(true))
        return false;
    CBusyCursor busy;
    const RenumberResult result = RenumberSelectedPoints(CDataFileDoc::GetActiveDoc(), renameRawData != 0, GetReport());
    switch (result) {
    case RenumberResult::NothingSelected:
        SetActiveControl(m_chip);
        return false;
    case RenumberResult::RulesRefused:
    case RenumberResult::Refused: {
        // Nothing changed; the rules are what the user can mend.
        CDataExchange dx(this, true);
        ShowDdxError(&dx, IdRules, RenameRefusedMessage);
        return false;
    }
    case RenumberResult::Renamed:
        break;
    }
    NotifyActiveDocument(HintRefreshAll, 0);
    SetActiveControl(m_chip);
    GetReport().ShowInMessageBar(true, true);
    return true;
}

void CRenumberPoints::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    if ((code == HintSelectionChanged || code == HintUndoDone || code == HintNewEnd) && HasWindow())
        FindWindow(IdRawData)->Enable(true);
    CStackableDialog::OnNotify(sender, code, parameter);
}

// --- CDeleteObjects

CDeleteObjects::CDeleteObjects()
    : CSelectionPanel(TemplateId, "Delete Points"), writeDeleteRecords(ReadWriteDeleteRecords(GetAppProfile()) ? 1 : 0)
{
}

CDeleteObjects::~CDeleteObjects() { SaveWriteDeleteRecords(GetAppProfile(), writeDeleteRecords != 0); }

void CDeleteObjects::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(BuildChipRow("Select points to delete"), 0, wxALL, FromDIP(6));
    sizer->Add(new wxCheckBox(this, IdWriteRaw, "Write Delete Records to Raw Data"), 0, wxALL, FromDIP(6));
    auto* buttons = new wxWrapSizer(wxHORIZONTAL);
    AddButton(this, buttons, IdDelete, "&Delete", [this] { OnApply(); })->SetDefault();
    AddButton(this, buttons, IdClose, "&Close", [this] { OnCancel(); });
    sizer->Add(buttons, 0, wxALL, FromDIP(6));
    SetSizer(sizer);
    // The choice counts from the click on, even if the panel is closed by the bar.
    FindWindow(IdWriteRaw)->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { writeDeleteRecords = e.IsChecked(); });
}

bool CDeleteObjects::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    SetActiveControl(m_chip);
    return true;
}

void CDeleteObjects::DoDataExchange(CDataExchange& dx)
{
    DDX_SelectionChipOptional(&dx, IdChip, *m_chip, m_selection);
    CheckBox(dx, this, IdWriteRaw, writeDeleteRecords);
}

bool CDeleteObjects::OnApply()
{
    if (!UpdateDataEx(true))
        return false;
    CBusyCursor busy;
    CStatusProgress progress;
    progress.Begin("Delete Points");
    bool deleted = false;
    if (m_selection.GetCount() >= 1) {
        progress.SetPercent(0);
        progress.SetPercent(33);
        deleted = DeleteSelectedObjects(CDataFileDoc::GetActiveDoc(), writeDeleteRecords != 0);
        progress.SetPercent(66);
    }
    m_chip->SetFocus();
    progress.End();
    return deleted;
}
