#include "rawdata/ui/FindRawRecordDlg.h"

#include "cogo/ui/CoordinateFields.h"
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Icons.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/ui/RawDataRecordComboBoxEx.h"
#include "rawdata/ui/RawPanels.h"

#include <wx/busyinfo.h>
#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/valtext.h>

#include <array>

namespace {
constexpr int FieldLimit = 16;
constexpr std::array<const char*, RawRoleCount> RoleNames = {"Occupy Points", "Backsight Points", "Store Points",
                                                             "Foresight Points", "Stakeout Points"};
constexpr std::array<uint32_t, RawRoleCount> RoleIcons = {7048, 7049, 6953, 7051, 623};
} // namespace

CRawSearch& CFindRawRecordDlg::KeptSearch()
{
    static CRawSearch kept;
    return kept;
}

CFindRawRecordDlg::CFindRawRecordDlg()
    : CRawDataPanel(FindRawDataTemplate, "Find Raw Data Records"), m_search(KeptSearch())
{
}

CFindRawRecordDlg::~CFindRawRecordDlg() = default;

void CFindRawRecordDlg::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Search For");
    wxWindow* boxWindow = box->GetStaticBox();
    // Each kind's field sits under its button, at the box's whole width: the toolkit cuts a
    // chooser's long entries at their start.
    auto* grid = new wxBoxSizer(wxVERTICAL);
    auto indented = [grid](wxWindow* field) { grid->Add(field, 0, wxEXPAND | wxLEFT | wxBOTTOM, 4); };

    m_kinds[RawSearchPoints] = new wxRadioButton(boxWindow, PointsRadioId, "&Points", wxDefaultPosition,
                                                 wxDefaultSize, wxRB_GROUP);
    grid->Add(m_kinds[RawSearchPoints], 0, wxBOTTOM, 2);
    m_roles = new CEasyComboBoxEx(boxWindow, RoleId);
    indented(m_roles);
    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    m_pointLabel = new wxStaticText(boxWindow, wxID_ANY, "&Point Name:");
    // The name may be typed or picked on the map; the raw data need not hold it as a job point.
    m_pointName = new CPointControl(boxWindow, PointNameId);
    nameRow->Add(m_pointLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    nameRow->Add(m_pointName, 1);
    grid->Add(nameRow, 0, wxEXPAND | wxLEFT | wxBOTTOM, 4);

    m_kinds[RawSearchRecords] = new wxRadioButton(boxWindow, RecordsRadioId, "&Records:");
    grid->Add(m_kinds[RawSearchRecords], 0, wxBOTTOM, 2);
    m_types = new CRawDataRecordComboBoxEx(boxWindow, RecordTypeId, raw_panels::Icons());
    indented(m_types);

    m_kinds[RawSearchText] = new wxRadioButton(boxWindow, TextRadioId, "&Text");
    grid->Add(m_kinds[RawSearchText], 0, wxBOTTOM, 2);
    m_text = new wxTextCtrl(boxWindow, TextId);
    m_text->SetMaxLength(FieldLimit);
    indented(m_text);

    m_kinds[RawSearchLine] = new wxRadioButton(boxWindow, LineRadioId, "&Line");
    grid->Add(m_kinds[RawSearchLine], 0, wxBOTTOM, 2);
    m_line = new wxTextCtrl(boxWindow, LineId);
    m_line->SetMaxLength(FieldLimit);
    indented(m_line);
    box->Add(grid, 0, wxEXPAND | wxALL, 4);
    sizer->Add(box, 0, wxEXPAND | wxBOTTOM, 6);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* next = new wxButton(this, FindNextId, "Find &Next");
    auto* prev = new wxButton(this, FindPrevId, "Find Prev.");
    buttons->Add(next, 1, wxRIGHT, 6);
    buttons->Add(prev, 1);
    sizer->Add(buttons, 0, wxEXPAND | wxBOTTOM, 6);

    sizer->Add(MakeJumpBox({JumpTarget::Reduce}, {JumpTarget::Edit}), 0, wxEXPAND | wxBOTTOM, 6);

    auto* close = new wxButton(this, wxID_ANY, "Close");
    sizer->Add(close, 0, wxALIGN_RIGHT);
    SetSizer(sizer);

    next->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Search(true); });
    prev->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Search(false); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    for (wxRadioButton* radio : m_kinds)
        radio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateEnabling(); });
}

bool CFindRawRecordDlg::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    CIcons* icons = raw_panels::Icons();
    for (int role = 0; role < RawRoleCount; ++role) {
        const wxBitmap* bitmap = icons ? icons->GetIcon(RoleIcons[size_t(role)], true) : nullptr;
        m_roles->Append(RoleNames[size_t(role)], bitmap ? *bitmap : wxNullBitmap);
    }
    UpdateDataEx(false);
    // Once the panel is shown, so that the focus lands in it.
    CallAfter([this] { UpdateEnabling(); });
    return true;
}

void CFindRawRecordDlg::DoDataExchange(CDataExchange& dx)
{
    if (!dx.m_bSaveAndValidate) {
        const int kind = m_search.kind >= 0 && m_search.kind < 4 ? m_search.kind : 0;
        m_kinds[kind]->SetValue(true);
        m_roles->SetSelection(m_search.role >= 0 && m_search.role < RawRoleCount ? m_search.role : 0);
        m_pointName->ChangeValue(wxString::FromUTF8(m_search.pointName));
        m_types->SetSelection(m_search.recordType >= 0 && m_search.recordType < int(m_types->GetCount())
                                  ? m_search.recordType
                                  : 0);
        m_text->ChangeValue(wxString::FromUTF8(m_search.text));
        m_line->ChangeValue(m_search.lineNumber != 0 ? wxString::Format("%d", int(m_search.lineNumber)) : wxString());
        return;
    }
    for (int kind = 0; kind < 4; ++kind)
        if (m_kinds[kind]->GetValue())
            m_search.kind = kind;
    m_search.role = m_roles->GetSelection() < 0 ? 0 : m_roles->GetSelection();
    m_search.pointName = m_pointName->GetValue().utf8_string();
    m_search.recordType = m_types->GetSelection() < 0 ? 0 : m_types->GetSelection();
    m_search.text = m_text->GetValue().utf8_string();
    if (m_search.kind == RawSearchLine) {
        int32_t number = 0;
        DDX_Int(&dx, LineId, number);
        m_search.lineNumber = number;
    }
}

void CFindRawRecordDlg::UpdateEnabling()
{
    int kind = RawSearchPoints;
    for (int k = 0; k < 4; ++k)
        if (m_kinds[k]->GetValue())
            kind = k;
    m_roles->Enable(kind == RawSearchPoints);
    m_pointLabel->Enable(kind == RawSearchPoints);
    m_pointName->Enable(kind == RawSearchPoints);
    m_types->Enable(kind == RawSearchRecords);
    m_text->Enable(kind == RawSearchText);
    m_line->Enable(kind == RawSearchLine);
    switch (kind) {
    case RawSearchPoints:
        m_pointName->SetFocus();
        break;
    case RawSearchRecords:
        m_types->SetFocus();
        break;
    case RawSearchText:
        m_text->SetFocus();
        m_text->SelectAll();
        break;
    default:
        m_line->SetFocus();
        m_line->SelectAll();
        break;
    }
}

void CFindRawRecordDlg::Search(bool forward)
{
    if (!UpdateDataEx(true))
        return;
    CRawDataFile* file = raw_panels::ActiveRawData();
    if (!file || !raw_panels::ActiveJobView())
        return;
    KeptSearch() = m_search;
    int32_t found = -1;
    {
        wxBusyCursor wait;
        found = FindRawLine(*file, m_search, raw_panels::FirstSelectedLine(), forward);
    }
    if (found >= 0)
        raw_panels::SelectLine(found);
    else
        ShowMessageBoxFS(RawSearchNotFoundMessage(m_search), MB_OK | MB_ICONINFORMATION);
}


bool CFindRawRecordDlg::BasePreTranslate(const DialogKeyMessage& msg)
{
    if (msg.message == WM_KEYDOWN && msg.key == VK_RETURN) {
        Search(true);
        return true;
    }
    return CStackableDialog::BasePreTranslate(msg);
}
