#include "cogo/ui/Adjustments.h"

#include "cogo/ui/AnchorFields.h"
#include "cogo/ui/CoordinateFields.h"
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/TextFieldExchange.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "platform/BusyCursor.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

const char* const FactorTexts[PredefinedScaleFactorCount] = {
    "0.30480061 (US feet to meters)", "0.3048 (feet to meters)",    "3.28083333 (meters to US feet)",
    "3.2808 (meters to feet)",        "1.000002 (US feet to feet)", "0.999998 (feet to US feet)",
};

void Radio(CDataExchange& dx, wxRadioButton* first, wxRadioButton* second, bool& firstChosen)
{
    if (dx.m_bSaveAndValidate)
        firstChosen = first->GetValue();
    else {
        first->SetValue(firstChosen);
        second->SetValue(!firstChosen);
    }
}

// The id of the field that has the keyboard; 0 when none of the page's.
int FocusedId(wxWindow* page)
{
    wxWindow* focus = wxWindow::FindFocus();
    for (wxWindow* w = focus; w != nullptr; w = w->GetParent())
        if (w == page)
            return focus->GetId();
    return 0;
}

} // namespace

// --- CAdjustPage

CAdjustPage::CAdjustPage(uint32_t templateId, const wxString& title, CAdjustments& panel, CAdjustmentValues& values)
    : CEasyTabPage(templateId, title), m_panel(panel), m_values(values)
{
}

wxSizer* CAdjustPage::BuildLocationGroup(const char* caption, const char* locationCaption, LocationGroup& group,
                                         int pointRadio, int locationRadio, int nameId, int northingId,
                                         int eastingId, int elevationId)
{
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, caption);
    // The fields sit on the page, not on the box: the page's sizer places their menu buttons.
    wxWindow* parent = this;
    auto* radios = new wxBoxSizer(wxHORIZONTAL);
    group.point = new wxRadioButton(parent, pointRadio, "Point", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    group.location = new wxRadioButton(parent, locationRadio, locationCaption);
    radios->Add(group.point, 0, wxRIGHT, FromDIP(8));
    radios->Add(group.location, 0);
    box->Add(radios, 0, wxALL, FromDIP(2));
    auto* grid = new wxFlexGridSizer(2, FromDIP(3), FromDIP(6));
    grid->AddGrowableCol(1);
    auto row = [&](const char* label, wxWindow* field) {
        grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field, 1, wxEXPAND);
    };
    row("Pt Name:", new CExistingPointControl(parent, nameId));
    std::vector<CCoordinateControl*> fields;
    auto* n = new CNorthingControl(parent, northingId);
    auto* e = new CEastingControl(parent, eastingId);
    row("Northing:", n);
    row("Easting:", e);
    fields = {n, e};
    if (elevationId != 0) {
        auto* z = new CElevationControl(parent, elevationId);
        row("Elevation:", z);
        fields.push_back(z);
    }
    CCoordinateControl::WireSiblings(fields);
    box->Add(grid, 0, wxEXPAND | wxALL, FromDIP(2));
    group.nameId = nameId;
    group.northingId = northingId;
    group.eastingId = eastingId;
    group.elevationId = elevationId;
    auto update = [this, &group](wxCommandEvent&) {
        EnableLocation(group, true);
        FocusField(group.point->GetValue() ? group.nameId : group.northingId);
    };
    group.point->Bind(wxEVT_RADIOBUTTON, update);
    group.location->Bind(wxEVT_RADIOBUTTON, update);
    return box;
}

void CAdjustPage::EnableLocation(const LocationGroup& group, bool enabled)
{
    const bool byPoint = group.point->GetValue();
    group.point->Enable(enabled);
    group.location->Enable(enabled);
    FindWindow(group.nameId)->Enable(enabled && byPoint);
    for (int id : {group.northingId, group.eastingId, group.elevationId})
        if (id != 0)
            FindWindow(id)->Enable(enabled && !byPoint);
}

void CAdjustPage::ExchangeLocation(CDataExchange& dx, LocationGroup& group, CAdjustLocation& where, bool enabled)
{
    Radio(dx, group.point, group.location, where.fromPoint);
    const bool save = dx.m_bSaveAndValidate;
    // Saving takes only the fields in use; loading fills them all.
    if (!save || (enabled && where.fromPoint))
        DDX_ExistingPointName(&dx, group.nameId, where.pointName);
    if (!save || (enabled && !where.fromPoint)) {
        DDX_Northing(&dx, group.northingId, where.typed.y);
        DDX_Easting(&dx, group.eastingId, where.typed.x);
        if (group.elevationId != 0)
            DDX_Elevation(&dx, group.elevationId, where.typed.z);
        else
            where.typed.z = NoValue;
    }
}

void CAdjustPage::PersistFlag(bool& flag)
{
    int value = flag ? 0 : 1;
    PersistField(value);
    flag = value == 0;
}

void CAdjustPage::PersistLocation(CAdjustLocation& where, bool elevation)
{
    PersistFlag(where.fromPoint);
    PersistField(where.pointName);
    PersistField(where.typed.y);
    PersistField(where.typed.x);
    if (elevation)
        PersistField(where.typed.z);
}

wxButton* CAdjustPage::AddApplyButton(wxSizer* sizer, int id, const char* caption)
{
    auto* button = new wxButton(this, id, caption);
    button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Apply(); });
    sizer->Add(button, 0, wxALL, FromDIP(4));
    return button;
}

void CAdjustPage::FocusField(int id)
{
    if (wxWindow* w = FindWindow(id); w != nullptr && w->IsEnabled())
        w->SetFocus();
}

// --- Translate by

CTranslateAdjustBy::CTranslateAdjustBy(CAdjustments& panel, CAdjustmentValues& values)
    : CAdjustPage(TemplateId, "Translate by", panel, values)
{
    RestorePersistentFields();
}

CPersistDataList* CTranslateAdjustBy::GetPersistDataList()
{
    static CPersistDataList kept;
    return &kept;
}

void CTranslateAdjustBy::PersistFields()
{
    PersistField(m_values.direction);
    PersistField(m_values.distance);
    PersistField(m_values.rise);
}

void CTranslateAdjustBy::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Adjust by");
    wxWindow* parent = this;
    auto* grid = new wxFlexGridSizer(2, FromDIP(3), FromDIP(6));
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(parent, wxID_ANY, "Direction:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new CHorizontalAngleControl(parent, IdDirection), 1, wxEXPAND);
    grid->Add(new wxStaticText(parent, wxID_ANY, "Distance:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new CHorizontalDistanceControl(parent, IdDistance), 1, wxEXPAND);
    grid->Add(new wxStaticText(parent, wxID_ANY, "Elevation:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new CVerticalDistanceControl(parent, IdRise), 1, wxEXPAND);
    box->Add(grid, 0, wxEXPAND | wxALL, FromDIP(2));
    sizer->Add(box, 0, wxEXPAND | wxALL, FromDIP(4));
    AddApplyButton(sizer, IdApply, "&Translate");
    SetSizer(sizer);
}

void CTranslateAdjustBy::DoDataExchange(CDataExchange& dx)
{
    DDX_HorizontalAngleOrBearing(&dx, IdDirection, m_values.direction);
    // An empty distance is a pure elevation shift, not a typing error.
    auto* distance = static_cast<wxTextCtrl*>(FindWindow(IdDistance));
    if (dx.m_bSaveAndValidate && distance->GetValue().Strip(wxString::both).empty())
        m_values.distance = NoValue;
    else
        DDX_Distance(&dx, IdDistance, m_values.distance);
    DDX_VerticalDistance(&dx, IdRise, m_values.rise);
    if (dx.m_bSaveAndValidate) {
        CLocation delta;
        // Nothing would move: the distance is the field to mend.
        if (!TranslateByDelta(m_values.direction, m_values.distance, m_values.rise, delta))
            DDV_NonZero(&dx, IdDistance, 0.0);
    }
}

bool CTranslateAdjustBy::Apply()
{
    CBusyCursor busy;
    if (!m_panel.TakeData())
        return false;
    CLocation delta;
    if (!TranslateByDelta(m_values.direction, m_values.distance, m_values.rise, delta))
        return false;
    CAdjustmentsCommand* command = m_panel.GetCommand();
    const bool done = command != nullptr && command->Translate(delta);
    m_panel.ShowResult();
    return done;
}

void CTranslateAdjustBy::OnGraphicDataReceived()
{
    switch (FocusedId(this)) {
    case IdDirection:
        FocusField(IdDistance);
        break;
    case IdDistance:
        FocusField(IdRise);
        break;
    case IdRise:
        FocusField(IdApply);
        break;
    default:
        break;
    }
}

// --- Translate to

CTranslateSetLocation::CTranslateSetLocation(CAdjustments& panel, CAdjustmentValues& values)
    : CAdjustPage(TemplateId, "Translate to", panel, values)
{
    RestorePersistentFields();
}

CPersistDataList* CTranslateSetLocation::GetPersistDataList()
{
    static CPersistDataList kept;
    return &kept;
}

void CTranslateSetLocation::PersistFields()
{
    PersistLocation(m_values.reference, true);
    PersistLocation(m_values.destination, true);
}

void CTranslateSetLocation::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(BuildLocationGroup("Reference Location", "From location", m_reference, IdRefPoint, IdRefLocation,
                                  IdRefName, IdRefNorthing, IdRefEasting, IdRefElevation),
               0, wxEXPAND | wxALL, FromDIP(4));
    sizer->Add(BuildLocationGroup("Destination Location", "Location", m_destination, IdDestPoint, IdDestLocation,
                                  IdDestName, IdDestNorthing, IdDestEasting, IdDestElevation),
               0, wxEXPAND | wxALL, FromDIP(4));
    AddApplyButton(sizer, IdApply, "&Translate");
    SetSizer(sizer);
}

bool CTranslateSetLocation::OnInitDialog()
{
    CAdjustPage::OnInitDialog();
    UpdateDataEx(false);
    UpdateEnabling();
    return true;
}

void CTranslateSetLocation::UpdateEnabling()
{
    EnableLocation(m_reference, true);
    EnableLocation(m_destination, true);
}

void CTranslateSetLocation::DoDataExchange(CDataExchange& dx)
{
    ExchangeLocation(dx, m_reference, m_values.reference);
    ExchangeLocation(dx, m_destination, m_values.destination);
}

bool CTranslateSetLocation::Apply()
{
    CBusyCursor busy;
    if (!m_panel.TakeData())
        return false;
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    CLocation delta;
    bool atDestination = false;
    const AdjustLocationResult found =
        TranslateToParameters(doc, m_values.reference, m_values.destination, delta, atDestination);
    if (found != AdjustLocationResult::Found) {
        const CAdjustLocation& where = atDestination ? m_values.destination : m_values.reference;
        const LocationGroup& group = atDestination ? m_destination : m_reference;
        FocusField(where.fromPoint ? group.nameId : group.elevationId);
        return false;
    }
    CAdjustmentsCommand* command = m_panel.GetCommand();
    const bool done = command != nullptr && command->Translate(delta);
    m_panel.ShowResult();
    return done;
}

void CTranslateSetLocation::OnGraphicDataReceived()
{
    const int id = FocusedId(this);
    if (id == IdRefName || id == IdRefNorthing || id == IdRefEasting || id == IdRefElevation)
        FocusField(m_destination.point->GetValue() ? IdDestName : IdDestNorthing);
}

// --- Rotate

CRotate::CRotate(CAdjustments& panel, CAdjustmentValues& values)
    : CAdjustPage(TemplateId, "Rotate", panel, values)
{
    RestorePersistentFields();
}

CPersistDataList* CRotate::GetPersistDataList()
{
    static CPersistDataList kept;
    return &kept;
}

void CRotate::PersistFields()
{
    PersistLocation(m_values.rotateReference, false);
    PersistField(m_values.angleMode);
    PersistField(m_values.simpleAngle);
    PersistField(m_values.originalDirection);
    PersistField(m_values.newDirection);
}

void CRotate::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(BuildLocationGroup("Reference Location", "From location", m_reference, IdRefPoint, IdRefLocation,
                                  IdRefName, IdRefNorthing, IdRefEasting, 0),
               0, wxEXPAND | wxALL, FromDIP(4));
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Rotation Angle");
    wxWindow* parent = this;
    auto* radios = new wxBoxSizer(wxHORIZONTAL);
    m_simple = new wxRadioButton(parent, IdSimple, "Simple", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_change = new wxRadioButton(parent, IdChange, "Change in direction");
    radios->Add(m_simple, 0, wxRIGHT, FromDIP(8));
    radios->Add(m_change, 0);
    box->Add(radios, 0, wxALL, FromDIP(2));
    auto* grid = new wxFlexGridSizer(2, FromDIP(3), FromDIP(6));
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(parent, wxID_ANY, "Angle:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new CPlainJaneAngleControl(parent, IdAngle), 1, wxEXPAND);
    grid->Add(new wxStaticText(parent, wxID_ANY, "Original:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new CHorizontalAngleControl(parent, IdOriginal), 1, wxEXPAND);
    grid->Add(new wxStaticText(parent, wxID_ANY, "New:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new CHorizontalAngleControl(parent, IdNew), 1, wxEXPAND);
    box->Add(grid, 0, wxEXPAND | wxALL, FromDIP(2));
    sizer->Add(box, 0, wxEXPAND | wxALL, FromDIP(4));
    AddApplyButton(sizer, IdApply, "R&otate");
    SetSizer(sizer);
    auto update = [this](wxCommandEvent&) {
        UpdateEnabling();
        FocusField(m_simple->GetValue() ? IdAngle : IdOriginal);
    };
    m_simple->Bind(wxEVT_RADIOBUTTON, update);
    m_change->Bind(wxEVT_RADIOBUTTON, update);
}

bool CRotate::OnInitDialog()
{
    CAdjustPage::OnInitDialog();
    UpdateDataEx(false);
    UpdateEnabling();
    return true;
}

void CRotate::UpdateEnabling()
{
    EnableLocation(m_reference, true);
    const bool simple = m_simple->GetValue();
    FindWindow(IdAngle)->Enable(simple);
    FindWindow(IdOriginal)->Enable(!simple);
    FindWindow(IdNew)->Enable(!simple);
}

void CRotate::DoDataExchange(CDataExchange& dx)
{
    ExchangeLocation(dx, m_reference, m_values.rotateReference);
    bool simple = m_values.angleMode == RotateSimple;
    Radio(dx, m_simple, m_change, simple);
    m_values.angleMode = simple ? RotateSimple : RotateChangeInDirection;
    const bool save = dx.m_bSaveAndValidate;
    if (!save || simple)
        DDX_Angle(&dx, IdAngle, m_values.simpleAngle);
    if (!save || !simple) {
        DDX_HorizontalAngleOrBearing(&dx, IdOriginal, m_values.originalDirection);
        DDX_HorizontalAngleOrBearing(&dx, IdNew, m_values.newDirection);
    }
}

bool CRotate::Apply()
{
    CBusyCursor busy;
    if (!m_panel.TakeData())
        return false;
    CLocation origin;
    if (ResolveAdjustLocation(CDataFileDoc::GetActiveDoc(), m_values.rotateReference, false, origin) !=
        AdjustLocationResult::Found) {
        FocusField(IdRefName);
        return false;
    }
    const double angle =
        RotationAngle(m_values.angleMode, m_values.simpleAngle, m_values.originalDirection, m_values.newDirection);
    CAdjustmentsCommand* command = m_panel.GetCommand();
    const bool done = command != nullptr && command->Rotate(origin.x, origin.y, angle);
    m_panel.ShowResult();
    return done;
}

void CRotate::OnGraphicDataReceived()
{
    const int id = FocusedId(this);
    if (id == IdRefName || id == IdRefNorthing || id == IdRefEasting)
        FocusField(m_simple->GetValue() ? IdAngle : IdOriginal);
    else if (id == IdOriginal)
        FocusField(IdNew);
}

// --- Scale

CScale::CScale(CAdjustments& panel, CAdjustmentValues& values)
    : CAdjustPage(TemplateId, "Scale", panel, values)
{
    RestorePersistentFields();
}

CPersistDataList* CScale::GetPersistDataList()
{
    static CPersistDataList kept;
    return &kept;
}

void CScale::PersistFields()
{
    PersistFlag(m_values.predefined);
    PersistField(m_values.factorIndex);
    PersistLocation(m_values.scaleReference, true);
    PersistField(m_values.northingFactor);
    PersistField(m_values.eastingFactor);
    PersistField(m_values.elevationFactor);
}

void CScale::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_predefined = new wxRadioButton(this, IdPredefined, "Predefined Scale Factor", wxDefaultPosition,
                                     wxDefaultSize, wxRB_GROUP);
    sizer->Add(m_predefined, 0, wxALL, FromDIP(4));
    wxArrayString texts;
    for (const char* text : FactorTexts)
        texts.Add(text);
    m_list = new wxChoice(this, IdFactorList, wxDefaultPosition, wxDefaultSize, texts);
    sizer->Add(m_list, 0, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(16));
    m_userDefined = new wxRadioButton(this, IdUserDefined, "User-defined");
    sizer->Add(m_userDefined, 0, wxALL, FromDIP(4));
    sizer->Add(BuildLocationGroup("Reference Location", "From location", m_reference, IdRefPoint, IdRefLocation,
                                  IdRefName, IdRefNorthing, IdRefEasting, IdRefElevation),
               0, wxEXPAND | wxALL, FromDIP(4));
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Scale Factor");
    wxWindow* parent = this;
    auto* grid = new wxFlexGridSizer(2, FromDIP(3), FromDIP(6));
    grid->AddGrowableCol(1);
    for (auto [label, id] : {std::pair{"Northing:", IdNorthingFactor}, {"Easting:", IdEastingFactor},
                             {"Elevation:", IdElevationFactor}}) {
        grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxTextCtrl(parent, id), 1, wxEXPAND);
    }
    box->Add(grid, 0, wxEXPAND | wxALL, FromDIP(2));
    sizer->Add(box, 0, wxEXPAND | wxALL, FromDIP(4));
    AddApplyButton(sizer, IdApply, "&Scale");
    SetSizer(sizer);
    auto update = [this](wxCommandEvent&) { UpdateEnabling(); };
    m_predefined->Bind(wxEVT_RADIOBUTTON, update);
    m_userDefined->Bind(wxEVT_RADIOBUTTON, update);
}

bool CScale::OnInitDialog()
{
    CAdjustPage::OnInitDialog();
    UpdateDataEx(false);
    UpdateEnabling();
    return true;
}

void CScale::UpdateEnabling()
{
    const bool predefined = m_predefined->GetValue();
    m_list->Enable(predefined);
    EnableLocation(m_reference, !predefined);
    for (int id : {IdNorthingFactor, IdEastingFactor, IdElevationFactor})
        FindWindow(id)->Enable(!predefined);
}

void CScale::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    if (code == HintViewActivated && m_list != nullptr)
        UpdateEnabling();
    CAdjustPage::OnNotify(sender, code, parameter);
}

void CScale::DoDataExchange(CDataExchange& dx)
{
    Radio(dx, m_predefined, m_userDefined, m_values.predefined);
    const bool save = dx.m_bSaveAndValidate;
    if (!save)
        m_list->SetSelection(m_values.factorIndex >= 0 && m_values.factorIndex < PredefinedScaleFactorCount
                                 ? m_values.factorIndex
                                 : 0);
    else if (m_values.predefined)
        m_values.factorIndex = m_list->GetSelection();
    ExchangeLocation(dx, m_reference, m_values.scaleReference, !m_values.predefined);
    if (!save || !m_values.predefined) {
        for (auto [id, value] : {std::pair{IdNorthingFactor, &m_values.northingFactor},
                                 {IdEastingFactor, &m_values.eastingFactor},
                                 {IdElevationFactor, &m_values.elevationFactor}}) {
            // Nine decimals, and an untouched box keeps its value: six rounded a typed factor
            // away once the panel opened again.
            DDX_ScaleFactor(&dx, id, *value);
            if (save && !IsValidScaleFactor(*value)) {
                ShowDdxError(&dx, id, ScaleFactorMessage);
                dx.Fail();
            }
        }
    }
}

bool CScale::Apply()
{
    CBusyCursor busy;
    if (!m_panel.TakeData())
        return false;
    CLocation origin(0.0, 0.0, 0.0);
    double east = 0, north = 0, up = 0;
    if (m_values.predefined) {
        east = north = up = PredefinedScaleFactor(m_values.factorIndex);
    } else {
        east = m_values.eastingFactor;
        north = m_values.northingFactor;
        up = m_values.elevationFactor;
        if (ResolveScaleOrigin(CDataFileDoc::GetActiveDoc(), m_values.scaleReference, origin, up) !=
            AdjustLocationResult::Found) {
            FocusField(m_values.scaleReference.fromPoint ? IdRefName : IdRefElevation);
            return false;
        }
    }
    CAdjustmentsCommand* command = m_panel.GetCommand();
    const bool done = command != nullptr && command->Scale(origin, east, north, up);
    m_panel.ShowResult();
    return done;
}

void CScale::OnGraphicDataReceived()
{
    const int id = FocusedId(this);
    if (id == IdRefName || id == IdRefNorthing || id == IdRefEasting || id == IdRefElevation)
        FocusField(m_predefined->GetValue() ? IdFactorList : IdNorthingFactor);
}

// --- CAdjustments

CAdjustments::CAdjustments() : CStackableDialog(TemplateId, "Adjustments")
{
    m_pages[0] = new CTranslateAdjustBy(*this, m_values);
    m_pages[1] = new CTranslateSetLocation(*this, m_values);
    m_pages[2] = new CRotate(*this, m_values);
    m_pages[3] = new CScale(*this, m_values);
}

CAdjustments::~CAdjustments()
{
    SavePageValues();
    for (CAdjustPage* page : m_pages)
        if (!page->GetHandle())
            delete page;
}

void CAdjustments::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* chipRow = new wxBoxSizer(wxHORIZONTAL);
    m_chip = new CGeneralSelectionChip(this, IdChip);
    m_chip->SetDescription(&m_selection);
    chipRow->Add(m_chip, 0, wxRIGHT, FromDIP(6));
    auto* hint = new wxStaticText(this, wxID_ANY, "Select points to translate, rotate, or scale");
    hint->Wrap(FromDIP(190));
    chipRow->Add(hint, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(chipRow, 0, wxALL, FromDIP(6));
    auto* tabHint = new wxStaticText(this, wxID_ANY, "Select a tab and apply the transformation");
    tabHint->Wrap(FromDIP(240));
    sizer->Add(tabHint, 0, wxLEFT | wxRIGHT, FromDIP(6));
    m_tab = new CEasyTab(this, IdTab);
    sizer->Add(m_tab, 0, wxEXPAND | wxALL, FromDIP(4));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* report = new wxButton(this, IdReport, "&Report");
    auto* close = new wxButton(this, IdClose, "&Close");
    buttons->Add(report, 0, wxRIGHT, FromDIP(4));
    buttons->Add(close, 0);
    sizer->Add(buttons, 0, wxALL, FromDIP(6));
    SetSizer(sizer);
    report->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
        // Before the first adjustment there is no command yet, and so nothing to report; an
        // empty report says so.
        CReport nothingYet;
        CReport& adjusted = m_command ? m_command->GetReport() : nothingYet;
        if (adjusted.OpenInEditor(doc ? doc->GetJobFileName() : std::string()))
            SetActiveControl(m_chip);
    });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CAdjustments::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    m_tab->SetValidationMode(0);
    static const char* const Titles[] = {"Translate by", "Translate to", "Rotate", "Scale"};
    for (int i = 0; i < 4; ++i)
        m_tab->AddPage(Titles[i], m_pages[i], m_pages[i]->GetTemplateId());
    m_tab->SelectPage(0);
    UpdateDataEx(false);
    SetActiveControl(m_chip);
    Layout();
    return true;
}

void CAdjustments::DoDataExchange(CDataExchange& dx)
{
    DDX_SelectionChip(&dx, IdChip, *m_chip, m_selection);
    DDX_EasyTab(dx, *m_tab);
}

bool CAdjustments::TakeData() { return UpdateDataEx(true); }

CAdjustmentsCommand* CAdjustments::GetCommand()
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (doc == nullptr)
        return nullptr;
    // The report runs on while the panel works on one job; another job starts a new one.
    if (!m_command || m_document != doc) {
        m_command = std::make_unique<CAdjustmentsCommand>(doc);
        m_document = doc;
    }
    return m_command.get();
}

void CAdjustments::ShowResult()
{
    if (m_command && m_command->GetError().empty() && !m_command->GetReport().IsEmpty())
        m_command->GetReport().ShowInMessageBar(true, true);
    SetActiveControl(m_chip);
}

void CAdjustments::UpdateNavigationButtons()
{
    CStackableDialog::UpdateNavigationButtons();
    // The message bar shows this panel's adjustments, kept in the command.
    if (m_command && !m_command->GetReport().IsEmpty())
        m_command->GetReport().ShowInMessageBar(true, false);
}

void CAdjustments::SavePageValues()
{
    // Here rather than in the pages' own destruction: the values live in this panel.
    for (CAdjustPage* page : m_pages)
        page->SavePersistentFields();
}

void CAdjustments::OnCancel()
{
    SavePageValues();
    CStackableDialog::OnCancel();
}
