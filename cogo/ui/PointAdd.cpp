#include "cogo/ui/PointAdd.h"

#include "cogo/PointEditing.h"
#include "cogo/ui/CoordinateFields.h"
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/TextFieldExchange.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/HintCodes.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/BusyCursor.h"
#include "platform/Profile.h"
#include "views/PickQuery.h"
#include "views/ui/DataFileView.h"
#include "views/ui/InteractionPart.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {

constexpr int MaxNameChars = 16;

// A window the user can reach: it and every parent shown and enabled.
bool IsReachable(const wxWindow* w)
{
    for (; w != nullptr && !w->IsTopLevel(); w = w->GetParent())
        if (!w->IsShown() || !w->IsEnabled())
            return false;
    return w != nullptr;
}

void CheckBox(CDataExchange& dx, wxWindow* parent, int id, int32_t& value)
{
    auto* box = dynamic_cast<wxCheckBox*>(parent->FindWindow(id));
    if (box == nullptr)
        return;
    if (dx.m_bSaveAndValidate)
        value = box->GetValue() ? 1 : 0;
    else
        box->SetValue(value != 0);
}

} // namespace

// --- CPointLocationPosition

CPointLocationPosition::CPointLocationPosition()
    : CEasyTabPage(TemplateId, "NEZ"), easting(NoValue), northing(NoValue), elevation(NoValue)
{
}

void CPointLocationPosition::BuildControls()
{
    auto* grid = new wxFlexGridSizer(3, FromDIP(4), FromDIP(6));
    grid->AddGrowableCol(1);
    auto row = [&](int captionId, const char* caption, wxWindow* field, int unitId) {
        grid->Add(new wxStaticText(this, captionId, caption), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field, 1, wxEXPAND);
        grid->Add(new wxStaticText(this, unitId, "ft"), 0, wxALIGN_CENTER_VERTICAL);
    };
    row(IdCaptionFirst, "Northing", m_northing = new CNorthingControl(this, IdNorthing), IdUnitFirst);
    row(IdCaptionSecond, "Easting :", m_easting = new CEastingControl(this, IdEasting), IdUnitSecond);
    row(IdCaptionElevation, "Elevation", m_elevation = new CElevationControl(this, IdElevation), IdUnitElevation);
    CCoordinateControl::WireSiblings({m_northing, m_easting, m_elevation});
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxEXPAND | wxALL, FromDIP(4));
    SetSizer(sizer);
}

void CPointLocationPosition::DoDataExchange(CDataExchange& dx)
{
    if (dx.m_bSaveAndValidate && !m_entryEnabled)
        return;
    if (m_elevationOnly) {
        // Several points share only the elevation; their plane coordinates show empty.
        if (!dx.m_bSaveAndValidate)
            easting = northing = NoValue;
        else {
            DDX_Elevation(&dx, IdElevation, elevation);
            return;
        }
    }
    // A point typed without any plane coordinate is no error: the panel then stores nothing, or
    // only what else was typed. One of the two alone is refused by its field.
    if (dx.m_bSaveAndValidate && m_northing->GetValue().Strip(wxString::both).empty() &&
        m_easting->GetValue().Strip(wxString::both).empty()) {
        northing = easting = NoValue;
    } else {
        DDX_Northing(&dx, IdNorthing, northing);
        DDX_Easting(&dx, IdEasting, easting);
    }
    DDX_Elevation(&dx, IdElevation, elevation);
}

void CPointLocationPosition::EnableEntry(bool enabled, bool elevationOnly)
{
    m_entryEnabled = enabled;
    m_elevationOnly = elevationOnly;
    if (m_elevation == nullptr)
        return;
    m_elevation->Enable(enabled);
    m_northing->Enable(enabled && !elevationOnly);
    m_easting->Enable(enabled && !elevationOnly);
    // Captions and unit labels grey with their rows; the plane rows' labels sit by position.
    for (int id : {IdCaptionElevation, IdUnitElevation})
        FindWindow(id)->Enable(enabled);
    for (int id : {IdCaptionFirst, IdCaptionSecond, IdUnitFirst, IdUnitSecond})
        FindWindow(id)->Enable(enabled && !elevationOnly);
}

void CPointLocationPosition::FocusFirstField()
{
    wxWindow* field = m_elevationOnly ? static_cast<wxWindow*>(m_elevation) : m_northing;
    if (field != nullptr && field->IsEnabled())
        field->SetFocus();
}

// --- CPointLocation

CPointLocation::CPointLocation(bool multiPoint)
    : CEasyTabPage(TemplateId, "Point"), m_state(multiPoint), m_position(new CPointLocationPosition)
{
}

CPointLocation::~CPointLocation()
{
    if (!m_position->GetHandle())
        delete m_position;
}

void CPointLocation::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // The controls sit on the page, not on the boxes: the page's sizer places the field's menu button.
    auto* location = new wxStaticBoxSizer(wxVERTICAL, this, "Location");
    m_changeLocation = new wxCheckBox(this, IdChangeLocation, "Change Location");
    location->Add(m_changeLocation, 0, wxALL, FromDIP(2));
    m_tab = new CEasyTab(this, IdInnerTab);
    location->Add(m_tab, 0, wxEXPAND | wxALL, FromDIP(2));
    sizer->Add(location, 0, wxEXPAND | wxALL, FromDIP(4));
    auto* text = new wxStaticBoxSizer(wxVERTICAL, this, "Description");
    m_changeDescription = new wxCheckBox(this, IdChangeDescription, "Change Description");
    text->Add(m_changeDescription, 0, wxALL, FromDIP(2));
    m_descriptionField = new CDescriptionControl(this, IdDescription);
    m_descriptionField->SetMaxLength(MaxNameChars);
    text->Add(m_descriptionField, 0, wxEXPAND | wxALL, FromDIP(2));
    sizer->Add(text, 0, wxEXPAND | wxALL, FromDIP(4));
    SetSizer(sizer);

    m_changeLocation->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { ClickChangeLocation(e.IsChecked()); });
    m_changeDescription->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { ClickChangeDescription(e.IsChecked()); });
}

bool CPointLocation::OnInitDialog()
{
    CEasyTabPage::OnInitDialog();
    m_tab->SetValidationMode(2);
    m_tab->AddPage("NEZ", m_position, CPointLocationPosition::TemplateId);
    // Room for the two change boxes while they still show: editing a point shows them, and the
    // page must not grow past its tab then, which cut the description field off.
    SetMinSize(GetSizer()->CalcMin());
    ApplyState();
    Layout();
    return true;
}

void CPointLocation::DoDataExchange(CDataExchange& dx)
{
    DDX_EasyTab(dx, *m_tab);
    DDX_Description(&dx, IdDescription, description);
    DDV_MaxChars(&dx, IdDescription, description, MaxNameChars);
}

void CPointLocation::ApplyState()
{
    if (m_changeLocation == nullptr)
        return;
    m_changeLocation->SetValue(m_state.IsChangeLocation());
    m_changeDescription->SetValue(m_state.IsChangeDescription());
    m_changeLocation->Show(m_state.AreChecksShown());
    m_changeDescription->Show(m_state.AreChecksShown());
    m_changeLocation->Enable(m_state.AreChecksEnabled());
    m_changeDescription->Enable(m_state.AreChecksEnabled());
    m_descriptionField->Enable(m_state.IsDescriptionEnabled());
    m_position->EnableEntry(m_state.IsElevationEnabled(), m_state.IsElevationOnly());
    Layout();
}

void CPointLocation::LoadFromRecord(const CPointRecord* record)
{
    CPointLocationPosition& p = *m_position;
    p.easting = record ? record->GetEasting() : NoValue;
    p.northing = record ? record->GetNorthing() : NoValue;
    p.elevation = record ? record->GetElevation() : NoValue;
    description = record ? record->GetDescription() : "";
    if (GetHandle())
        UpdateDataEx(false);
    m_state.ShowChangeChecks(true);
    ApplyState();
}

void CPointLocation::ResetForNew()
{
    m_state.ResetForNew();
    ApplyState();
}

void CPointLocation::SetEditMode(int32_t mode)
{
    m_state.SetEditMode(mode);
    ApplyState();
}

CPointLocationInput CPointLocation::MakeInput() const
{
    return m_state.MakeInput(m_position->easting, m_position->northing, m_position->elevation, description);
}

void CPointLocation::ClickChangeLocation(bool ticked)
{
    m_state.OnChangeLocation(ticked);
    ApplyState();
    if (ticked)
        m_position->FocusFirstField();
    if (m_onChecksChanged)
        m_onChecksChanged();
}

void CPointLocation::ClickChangeDescription(bool ticked)
{
    m_state.OnChangeDescription(ticked);
    ApplyState();
    if (ticked) {
        m_descriptionField->SetFocus();
        m_descriptionField->SelectAll();
    }
    if (m_onChecksChanged)
        m_onChecksChanged();
}

// --- CQuickEnterModeDlg

CQuickEnterModeDlg::CQuickEnterModeDlg() : CEasyDialog("Quick Enter Mode Setting") {}

void CQuickEnterModeDlg::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* text = new wxStaticText(this, wxID_ANY,
                                  "Please choose the input fields for quick enter mode. Quick enter mode will allow "
                                  "you to go through the specified input fields and add a new point with the "
                                  "[ENTER] key. ");
    text->Wrap(FromDIP(280));
    sizer->Add(text, 0, wxALL, FromDIP(6));
    auto* enabled = new wxCheckBox(this, IdEnabled, "Use quick enter mode");
    sizer->Add(enabled, 0, wxALL, FromDIP(6));
    for (auto [id, caption] : {std::pair{IdName, "Point Name"}, {IdNorthing, "Northing"}, {IdEasting, "Easting"},
                               {IdElevation, "Elevation"}, {IdDescription, "Description"}})
        sizer->Add(new wxCheckBox(this, id, caption), 0, wxLEFT | wxBOTTOM, FromDIP(18));
    SetSizer(sizer);
    enabled->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateFieldBoxes(); });
}

bool CQuickEnterModeDlg::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    UpdateDataEx(false);
    UpdateFieldBoxes();
    PositionNear();
    return true;
}

void CQuickEnterModeDlg::DoDataExchange(CDataExchange& dx)
{
    CheckBox(dx, this, IdEnabled, flags.enabled);
    CheckBox(dx, this, IdName, flags.name);
    CheckBox(dx, this, IdNorthing, flags.northing);
    CheckBox(dx, this, IdEasting, flags.easting);
    CheckBox(dx, this, IdElevation, flags.elevation);
    CheckBox(dx, this, IdDescription, flags.description);
}

void CQuickEnterModeDlg::UpdateFieldBoxes()
{
    const bool on = static_cast<wxCheckBox*>(FindWindow(IdEnabled))->GetValue();
    for (int id : {IdName, IdNorthing, IdEasting, IdElevation, IdDescription})
        FindWindow(id)->Enable(on);
}

// --- CPointAdd

CPointAdd::CPointAdd() : CPointAdd(TemplateId, "Add / Edit Points", false) {}

CPointAdd::CPointAdd(uint32_t templateId, const wxString& title, bool multiPoint)
    : CStackableDialog(templateId, title), m_location(new CPointLocation(multiPoint))
{
    m_quick.Load(GetAppProfile());
}

CPointAdd::~CPointAdd()
{
    SaveQuickEnterFlags();
    if (!m_location->GetHandle())
        delete m_location;
}

void CPointAdd::SaveQuickEnterFlags()
{
    if (m_flagsSaved)
        return;
    m_flagsSaved = true;
    m_quick.Save(GetAppProfile());
}

void CPointAdd::OnCancel()
{
    // The profile must hold the choice before the next panel of the kind reads it.
    SaveQuickEnterFlags();
    CStackableDialog::OnCancel();
}

void CPointAdd::AddLocationTab(wxSizer* sizer)
{
    m_tab = new CEasyTab(this, IdTab);
    sizer->Add(m_tab, 0, wxEXPAND | wxALL, FromDIP(4));
}

void CPointAdd::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    auto* label = new wxStaticText(this, IdLabel, "---");
    label->SetFont(label->GetFont().Bold());
    nameRow->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
    m_nameField = new CPointControl(this, IdName);
    m_nameField->SetMaxLength(MaxNameChars);
    nameRow->Add(m_nameField, 1, wxEXPAND | wxRIGHT, FromDIP(4));
    auto* newButton = new wxButton(this, IdNew, "New");
    nameRow->Add(newButton, 0);
    sizer->Add(nameRow, 0, wxEXPAND | wxALL, FromDIP(6));
    AddLocationTab(sizer);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_add = new wxButton(this, IdAdd, "A&dd");
    m_apply = new wxButton(this, IdApply, "&Apply");
    auto* close = new wxButton(this, IdClose, "&Close");
    for (wxButton* b : {m_add, m_apply, close})
        buttons->Add(b, 0, wxRIGHT, FromDIP(4));
    sizer->Add(buttons, 0, wxALL, FromDIP(6));
    m_quickSettings = new wxButton(this, IdQuickEnterSettings, "&Quick Enter Settings...");
    sizer->Add(m_quickSettings, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(6));
    SetSizer(sizer);

    newButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { NewPoint(true); });
    m_nameField->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        if (!m_loading)
            OnNameChanged();
    });
    m_add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnAdd(); });
    m_apply->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { StorePoint(false); });
    m_quickSettings->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnQuickEnterSettings(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CPointAdd::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    FindWindow(IdLabel)->SetLabel("Pt Name:");
    m_tab->SetValidationMode(2);
    m_tab->AddPage("Point", m_location, CPointLocation::TemplateId);
    m_location->SetOnChecksChanged([this] { UpdateControls(); });
    m_location->GetDescriptionField()->Bind(wxEVT_TEXT, [this](wxCommandEvent& e) {
        e.Skip();
        UpdateControls();
    });
    m_tab->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& e) {
        e.Skip();
        UpdateControls();
    });
    m_location->ResetForNew();

    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    RecordRef current;
    if (doc != nullptr && doc->GetCurrentRecord(current) && current.record != nullptr &&
        current.record->GetType() == kRecordTypePoint) {
        m_location->SetEditMode(1);
        FillFromPoint(static_cast<CPointRecord*>(current.record));
    } else {
        m_name = doc ? doc->MakeUniquePointName("") : std::string();
    }
    m_loading = true;
    UpdateDataEx(false);
    m_loading = false;
    UpdateControls();
    RebuildQuickEnterRing();
    BindQuickEnterKeys();
    Layout();
    return true;
}

void CPointAdd::DoDataExchange(CDataExchange& dx)
{
    if (m_nameField != nullptr) {
        if (dx.m_bSaveAndValidate) {
            m_name = m_nameField->GetFieldText();
            if (NameExists(m_name))
                DDV_ExistingPointName(&dx, IdName, m_name);
            else if (!DDV_NewPointName(&dx, IdName, m_name))
                dx.Fail();
        } else {
            DDX_String(&dx, IdName, m_name);
        }
    }
    DDX_EasyTab(dx, *m_tab);
}

bool CPointAdd::IsOffTheMap(const CLocation& location)
{
    CDataFileView* view = GetFieldJobView();
    const wxWindow* map = view != nullptr ? view->GetMapPane() : nullptr;
    if (map == nullptr)
        return false;
    CPickQuery q;
    q.location = CLocation(location.x, location.y, NoValue);
    view->OnWorldToDevice8084(q);
    return !wxRect(map->GetClientSize()).Contains(q.point.x, q.point.y);
}

bool CPointAdd::NameExists(const std::string& name) const
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    return doc != nullptr && !name.empty() && doc->GetPointDatabase()->FindPoint(name, true) != nullptr;
}

std::string CPointAdd::GetNameText() const { return m_nameField ? m_nameField->GetFieldText() : std::string(); }

void CPointAdd::SetNameText(const std::string& name)
{
    if (m_nameField != nullptr)
        m_nameField->SetValue(wxString::FromUTF8(name)); // as typed: the panel follows the name
}

void CPointAdd::UpdateControls()
{
    if (m_apply == nullptr || m_location->GetChangeLocationBox() == nullptr)
        return;
    const CPointLocationState& state = m_location->GetState();
    const PointAddButtons b =
        PointAddButtonStates(NameExists(GetNameText()), state.IsChangeLocation(), state.IsChangeDescription());
    m_apply->Enable(b.apply);
    m_add->Enable(b.add);
    m_quickSettings->Enable(b.quickEnterSettings);
}

void CPointAdd::NewPoint(bool focus)
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    m_name = doc ? doc->MakeUniquePointName(GetNameText()) : GetNameText();
    m_loading = true;
    m_nameField->ChangeValue(wxString::FromUTF8(m_name));
    m_loading = false;
    m_apply->Enable(false);
    m_add->Enable(true);
    m_quickSettings->Enable(true);
    m_location->ResetForNew();
    if (focus) {
        m_nameField->SelectAll();
        SetActiveControl(m_nameField);
    }
}

bool CPointAdd::LoadTypedPoint()
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    const std::string name = GetNameText();
    CPointRecord* point = doc && !name.empty() ? doc->GetPointDatabase()->FindPoint(name, true) : nullptr;
    if (point == nullptr) {
        m_location->ResetForNew();
        return false;
    }
    m_location->SetEditMode(1);
    FillFromPoint(point);
    return true;
}

void CPointAdd::OnNameChanged()
{
    if (!LoadTypedPoint())
        UpdateControls();
}

void CPointAdd::FillFromPoint(const CPointRecord* record)
{
    if (wxWindow* label = FindWindow(IdLabel))
        label->SetLabel("Pt Name:");
    if (record == nullptr || record->GetType() != kRecordTypePoint)
        return;
    m_name = record->GetName();
    if (m_nameField != nullptr && GetNameText() != m_name) {
        m_loading = true;
        m_nameField->ChangeValue(wxString::FromUTF8(m_name));
        m_loading = false;
    }
    m_location->LoadFromRecord(record);
    UpdateControls();
}

bool CPointAdd::StorePoint(bool add)
{
    if (!UpdateDataEx(true))
        return false;
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (doc == nullptr)
        return false;
    const bool existed = NameExists(m_name);
    const bool jobWasEmpty = doc->GetRecordDatabase()->GetCount(0) == 0;
    CPointLocationInput input = m_location->MakeInput();
    if (!existed) {
        // A new point takes everything typed, whatever the (hidden) boxes say.
        input.changeLocation = input.changeDescription = true;
        input.elevationOnly = false;
    }
    const KeyedPointResult result = StoreKeyedPoint(doc, m_name, input);
    if (result == KeyedPointResult::Nothing)
        return false; // nothing typed or nothing changed: no message
    if (jobWasEmpty)
        if (const CPointRecord* first = doc->GetPointDatabase()->FindPoint(m_name, true);
            first != nullptr && IsOffTheMap(first->GetLocation()))
            doc->SendHint(nullptr, HintPointsAddedInBulk, 0); // the map brings the lone point into view
    if (add) {
        NewPoint(true);
    } else if (CPointRecord* point = doc->GetPointDatabase()->FindPoint(m_name, true)) {
        // Apply stays on the point, now in edit mode.
        m_location->SetEditMode(1);
        FillFromPoint(point);
        SetActiveControl(m_nameField);
    }
    UpdateControls();
    return true;
}

void CPointAdd::OnAdd()
{
    if (!StorePoint(true))
        return;
    if (!(m_quick.enabled && ActivateFirstUsableWindow()))
        SetActiveControl(m_nameField);
}

int CPointAdd::OnQuickEnterSettings()
{
    CQuickEnterModeDlg dialog;
    dialog.flags = m_quick;
    const int answer = dialog.DoModal(this);
    if (answer != wxID_OK)
        return answer;
    m_quick = dialog.flags;
    RebuildQuickEnterRing();
    if (m_quick.enabled) {
        if (m_tab->GetTabSelection() != 0)
            m_tab->SelectPage(0);
        ActivateFirstUsableWindow();
    }
    return answer;
}

wxWindow* CPointAdd::GetSlotWindow(QuickEnterSlot slot) const
{
    CPointLocationPosition& p = m_location->GetPosition();
    switch (slot) {
    case QuickEnterSlot::Name:
        return m_nameField;
    case QuickEnterSlot::Northing:
        return p.GetNorthingField();
    case QuickEnterSlot::Easting:
        return p.GetEastingField();
    case QuickEnterSlot::Elevation:
        return p.GetElevationField();
    case QuickEnterSlot::Description:
        return m_location->GetDescriptionField();
    case QuickEnterSlot::AddButton:
        return m_add;
    }
    return nullptr;
}

void CPointAdd::RebuildQuickEnterRing()
{
    m_ring.Build(m_quick, [this](QuickEnterSlot slot) { return GetSlotWindow(slot) != nullptr; });
    ClearPreferredControls();
    for (QuickEnterSlot slot : m_ring.GetSlots())
        AddPreferredControl(GetSlotWindow(slot));
}

void CPointAdd::BindQuickEnterKeys()
{
    // The fields see the key before the pages' own Enter handling, which would step as Tab does.
    for (QuickEnterSlot slot : {QuickEnterSlot::Name, QuickEnterSlot::Northing, QuickEnterSlot::Easting,
                                QuickEnterSlot::Elevation, QuickEnterSlot::Description}) {
        wxWindow* window = GetSlotWindow(slot);
        if (window == nullptr)
            continue;
        window->Bind(wxEVT_CHAR_HOOK, [this, window](wxKeyEvent& e) {
            const int key = e.GetKeyCode();
            if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && OnQuickEnterKey(window))
                return;
            e.Skip();
        });
    }
}

bool CPointAdd::OnQuickEnterKey(wxWindow* focused)
{
    if (!m_quick.enabled || m_ring.IsEmpty())
        return false;
    QuickEnterSlot from{};
    const QuickEnterSlot* at = nullptr;
    for (QuickEnterSlot slot : m_ring.GetSlots())
        if (GetSlotWindow(slot) == focused) {
            from = slot;
            at = &from;
            break;
        }
    QuickEnterSlot target{};
    if (!m_ring.Next(at, [this](QuickEnterSlot slot) { return IsReachable(GetSlotWindow(slot)); }, target))
        return false;
    if (target == QuickEnterSlot::AddButton) {
        // Enter on the last chosen field adds the point.
        CallAfter([this] { OnAdd(); });
        return true;
    }
    wxWindow* window = GetSlotWindow(target);
    SetActiveControl(window);
    window->SetFocus();
    if (auto* entry = dynamic_cast<wxTextEntry*>(window))
        entry->SelectAll();
    return true;
}

bool CPointAdd::CanReuse()
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    RecordRef current;
    if (doc != nullptr && doc->TakeCurrentRecord(current) && current.record != nullptr &&
        current.record->GetType() == kRecordTypePoint && HasWindow()) {
        m_location->SetEditMode(1);
        FillFromPoint(static_cast<CPointRecord*>(current.record));
        Refresh();
    }
    return true;
}

void CPointAdd::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    if (code == HintViewActivated && HasWindow() && m_nameField != nullptr) {
        // Another job: the typed name means what that job holds.
        LoadTypedPoint();
        UpdateControls();
    }
    CStackableDialog::OnNotify(sender, code, parameter);
}

// --- CPointEdit

CPointEdit::CPointEdit() : CPointAdd(TemplateId, "Edit Multiple Points", true) {}

void CPointEdit::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* chipRow = new wxBoxSizer(wxHORIZONTAL);
    m_chip = new CGeneralSelectionChip(this, IdChip);
    m_chip->SetDescription(&m_selection);
    chipRow->Add(m_chip, 0, wxRIGHT, FromDIP(6));
    chipRow->Add(new wxStaticText(this, wxID_ANY, "Select points to edit"), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(chipRow, 0, wxALL, FromDIP(6));
    AddLocationTab(sizer);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_apply = new wxButton(this, IdApply, "&Apply");
    auto* close = new wxButton(this, IdClose, "&Close");
    buttons->Add(m_apply, 0, wxRIGHT, FromDIP(4));
    buttons->Add(close, 0);
    sizer->Add(buttons, 0, wxALL, FromDIP(6));
    SetSizer(sizer);
    m_apply->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnApply(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CPointEdit::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    m_tab->SetValidationMode(2);
    m_tab->AddPage("Point", m_location, CPointLocation::TemplateId);
    m_location->SetOnChecksChanged([this] { UpdateControls(); });
    m_location->SetEditMode(0);
    UpdateDataEx(false);
    RebuildQuickEnterRing();
    BindQuickEnterKeys();
    OnSelectionChanged();
    SetActiveControl(m_chip);
    Layout();
    return true;
}

void CPointEdit::DoDataExchange(CDataExchange& dx)
{
    // An empty selection is met at Apply, which stays grey then; the chip is not refused here.
    DDX_SelectionChipOptional(&dx, IdChip, *m_chip, m_selection);
    DDX_EasyTab(dx, *m_tab);
}

void CPointEdit::UpdateControls()
{
    if (m_apply == nullptr || m_location->GetChangeLocationBox() == nullptr)
        return;
    const CPointLocationState& state = m_location->GetState();
    m_apply->Enable(PointEditApplyEnabled(m_selection.GetCount(), state.IsChangeLocation(),
                                          state.IsChangeDescription()));
}

bool CPointEdit::LoadFirstSelected()
{
    CSelectionCursor cursor;
    m_selection.GetFirst(cursor);
    CRecord* first = m_selection.GetNext(cursor);
    if (first == nullptr || first->GetType() != kRecordTypePoint) {
        m_location->SetEditMode(0);
        return false;
    }
    FillFromPoint(static_cast<CPointRecord*>(first));
    return true;
}

void CPointEdit::OnSelectionChanged()
{
    // Runs from OnInitDialog too, before the panel counts as created.
    if (m_apply == nullptr)
        return;
    const int32_t count = m_selection.GetCount();
    if (count < 1) {
        m_location->SetEditMode(0);
        m_apply->Enable(false);
        return;
    }
    m_location->SetEditMode(count);
    UpdateControls();
    LoadFirstSelected();
}

void CPointEdit::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    if (code == HintViewActivated || code == HintSelectionChanged || code == HintNewEnd || code == HintUndoDone) {
        OnSelectionChanged();
        CStackableDialog::OnNotify(sender, code, parameter);
        return;
    }
    CPointAdd::OnNotify(sender, code, parameter);
}

void CPointEdit::OnApply() { StorePoint(false); }

bool CPointEdit::StorePoint(bool)
{
    if (!UpdateDataEx(true))
        return false;
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (doc == nullptr)
        return false;
    CBusyCursor busy;
    EditSelectedPoints(doc, m_location->MakeInput());
    // The page shows the points as they now are.
    OnSelectionChanged();
    return true;
}
