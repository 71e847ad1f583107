#include "cogo/ui/InversePoints.h"

#include "cogo/ui/CogoPanels.h"
#include "core/DataExchange.h"
#include "core/Format.h"
#include "core/TextFieldExchange.h"
#include "model/DataFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "views/ui/SelectionChip.h"
#include "views/ui/ViewToolHost.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {

// Kept from one opening to the next while the program runs.
struct Remembered
{
    int mode = CInverseCommand::Simple;
    std::string point1, point2;
};

Remembered& Kept()
{
    static Remembered kept;
    return kept;
}

constexpr int kModeIds[] = {CInversePoints::IdSimple, CInversePoints::IdSideShot, CInversePoints::IdSequence,
                            CInversePoints::IdMultiple};
constexpr int kResultIds[] = {CInversePoints::IdDistance, CInversePoints::IdDirection, CInversePoints::IdNorth,
                              CInversePoints::IdEast,     CInversePoints::IdElevation, CInversePoints::IdSlope,
                              CInversePoints::IdGrade};

} // namespace

// ---- Point 2's field

CInversePoints::CItCtrl::CItCtrl(CInversePoints* panel, wxWindow* parent, wxWindowID id)
    : CExistingPointControl(parent, id), m_panel(panel)
{
}

void CInversePoints::CItCtrl::StartInteraction(bool quiet)
{
    CLocation from;
    CViewToolHost* tools = CViewToolHost::GetActive();
    if (tools == nullptr || !m_panel->GetPoint1Location(from)) {
        CExistingPointControl::StartInteraction(quiet);
        return;
    }
    // The anchor-line kind runs the part's steps round our own tool: a rubber band from point 1.
    const int32_t kind = GetInteractionKind();
    SetInteractionKind(2);
    GetPart().StartInteraction(quiet, [tools, from] { tools->StartVisualPlineTool(from); });
    SetInteractionKind(kind);
}

// ---- The panel

CInversePoints::CInversePoints() : CStackableDialog(TemplateId, "Inverse Point to Point"), m_command(&GetReport())
{
    const Remembered& k = Kept();
    m_command.mode = k.mode;
    m_command.point1 = k.point1;
    m_command.point2 = k.point2;
}

bool CInversePoints::GetPoint1Location(CLocation& at)
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    std::string name;
    if (doc == nullptr || m_point1 == nullptr || !m_point1->ReadExistingName(name, true))
        return false;
    const CPointRecord* point = doc->GetPointDatabase()->FindPoint(name, true);
    if (point == nullptr)
        return false;
    at = point->GetLocation();
    return true;
}

void CInversePoints::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, FromDIP(4), FromDIP(6));
    grid->AddGrowableCol(1);
    // The picture beside point 2 or beside the chip says which of the two the mode reads.
    auto modeIcon = [this](int id, uint32_t iconId) {
        const wxBitmap* icon = PanelIcon(iconId);
        return new wxStaticBitmap(this, id, icon ? *icon : wxBitmap(16, 16));
    };
    grid->Add(new wxStaticText(this, wxID_ANY, "Point 1:"), 0, wxALIGN_CENTER_VERTICAL);
    m_point1 = new CExistingPointControl(this, IdPoint1);
    grid->Add(m_point1, 1, wxEXPAND);
    m_point2Label = new wxStaticText(this, wxID_ANY, "Point 2:");
    grid->Add(m_point2Label, 0, wxALIGN_CENTER_VERTICAL);
    m_point2 = new CItCtrl(this, this, IdPoint2);
    m_point2Icon = modeIcon(IdPoint2Icon, InverseSingleIconId);
    auto* point2Row = new wxBoxSizer(wxHORIZONTAL);
    point2Row->Add(m_point2, 1, wxEXPAND);
    point2Row->Add(m_point2Icon, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(4));
    grid->Add(point2Row, 1, wxEXPAND);
    m_chipLabel = new wxStaticText(this, wxID_ANY, "Point 2 (multiple):");
    grid->Add(m_chipLabel, 0, wxALIGN_CENTER_VERTICAL);
    m_chip = new CGeneralSelectionChip(this, IdChip);
    m_chipIcon = modeIcon(IdChipIcon, InverseMultipleIconId);
    auto* chipRow = new wxBoxSizer(wxHORIZONTAL);
    chipRow->Add(m_chip, 0);
    chipRow->Add(m_chipIcon, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(4));
    grid->Add(chipRow, 0);
    sizer->Add(grid, 0, wxEXPAND | wxALL, FromDIP(6));

    auto* modeBox = new wxStaticBoxSizer(wxVERTICAL, this, "Inverse Mode");
    const char* captions[] = {"Simple", "Side shot", "Sequence", "Multiple side shots"};
    for (int i = 0; i < 4; ++i) {
        m_modes[i] = new wxRadioButton(modeBox->GetStaticBox(), kModeIds[i], captions[i], wxDefaultPosition,
                                       wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
        m_modes[i]->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { OnModeClicked(i); });
        modeBox->Add(m_modes[i], 0, wxALL, FromDIP(2));
    }
    sizer->Add(modeBox, 0, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(6));

    auto* results = new wxFlexGridSizer(2, FromDIP(2), FromDIP(8));
    const char* labels[] = {"Distance:", "Direction:", "Northing:", "Easting:", "Elevation:", "Slope Dist:", "Grade:"};
    for (int i = 0; i < 7; ++i) {
        results->Add(new wxStaticText(this, wxID_ANY, labels[i]));
        auto* value = new wxStaticText(this, kResultIds[i], wxString());
        value->SetFont(value->GetFont().Bold());
        results->Add(value, 1, wxEXPAND);
    }
    results->AddGrowableCol(1);
    sizer->Add(results, 0, wxEXPAND | wxALL, FromDIP(6));

    // Results belong to the points they came from.
    for (wxWindow* field : {static_cast<wxWindow*>(m_point1), static_cast<wxWindow*>(m_point2)})
        field->Bind(wxEVT_TEXT, [this](wxCommandEvent& e) {
            e.Skip();
            if (m_clearOnEdit) {
                m_command.results.fill("");
                ShowResults();
            }
        });

    AddCogoPanelButtons(*this, sizer, FromDIP(6));
    SetSizer(sizer);
    AddPreferredControl(m_point1);
}

bool CInversePoints::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    m_command.results.fill("");
    ShowResults();
    UpdateModeControls();
    m_point1->SetFocus();
    return true;
}

int CInversePoints::CheckedMode() const
{
    for (int i = 0; i < 4; ++i)
        if (m_modes[i] && m_modes[i]->GetValue())
            return i;
    return CInverseCommand::Simple;
}

void CInversePoints::UpdateModeControls()
{
    const bool multiple = CheckedMode() == CInverseCommand::MultipleSideShots;
    m_point2->Enable(!multiple);
    m_point2Label->Enable(!multiple);
    m_chip->Enable(multiple);
    m_chipLabel->Enable(multiple);
    m_point2Icon->Show(!multiple);
    m_chipIcon->Show(multiple);
    Layout();
}

void CInversePoints::OnModeClicked(int mode)
{
    if (mode == CInverseCommand::MultipleSideShots)
        m_point2->ChangeValue(wxString());
    OnDeactivateInBar();
    ApplyChipSelection(true);
    m_point1->SetFocus();
    UpdateModeControls();
}

void CInversePoints::DoDataExchange(CDataExchange& dx)
{
    const bool save = dx.m_bSaveAndValidate;
    CInverseCommand& c = m_command;
    if (save)
        c.mode = CheckedMode();
    else
        m_modes[c.mode >= 0 && c.mode < 4 ? c.mode : 0]->SetValue(true);
    DDX_ExistingPointName(&dx, IdPoint1, c.point1);
    if (!save || c.mode != CInverseCommand::MultipleSideShots)
        DDX_ExistingPointName(&dx, IdPoint2, c.point2);
    if (!save || c.mode == CInverseCommand::MultipleSideShots)
        DDX_SelectionChip(&dx, IdChip, *m_chip, m_description);
}

void CInversePoints::ShowResults()
{
    for (size_t i = 0; i < 7; ++i)
        if (wxWindow* w = FindWindow(kResultIds[i]))
            w->SetLabel(wxString::FromUTF8(m_command.results[i]));
}

void CInversePoints::OnOK()
{
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    if (doc == nullptr || !UpdateDataEx(true))
        return;
    std::vector<CRecord*> selection;
    if (m_command.mode == CInverseCommand::MultipleSideShots) {
        CSelectionCursor cursor;
        m_description.GetFirst(cursor);
        while (CRecord* record = m_description.GetNext(cursor))
            selection.push_back(record);
    }
    CMapScratchSink scratch;
    CCogoMessage message;
    const bool solved = m_command.Solve(*doc, scratch, selection, &message);
    scratch.Flush();
    if (!solved && message.field != 0) {
        CDataExchange dx(this, true);
        ShowDdxError(&dx, message.field, message.text);
        return;
    }
    // A refused pair (told in a box) still moves on to the next pair below.
    if (!solved && !message.text.empty())
        ShowMessageBoxFS(message.text, MB_OK | MB_ICONERROR);
    ShowResults();
    switch (m_command.mode) {
    case CInverseCommand::SideShot:
        m_point2->SetFocus();
        break;
    case CInverseCommand::Sequence:
        // The results stay on show while point 2 moves into point 1.
        m_clearOnEdit = false;
        m_point1->ChangeValue(wxString::FromUTF8(m_command.point1));
        m_point2->ChangeValue(wxString());
        m_clearOnEdit = true;
        m_point1->SetFocus();
        m_point2->SetFocus();
        break;
    default:
        m_point1->SetFocus();
        break;
    }
    if (GetReport().GetTotalRowCount() > 0)
        GetReport().ShowInMessageBar(true, true);
}

CInversePoints::~CInversePoints()
{
    // Kept however the panel goes: Close, Escape, or the side bar taking it with the job.
    Kept() = {m_command.mode, m_command.point1, m_command.point2};
}

void CInversePoints::OnGraphicDataReceived()
{
    CStackableDialog::OnGraphicDataReceived();
    wxWindow* field = PickedField(*this);
    if (field == m_point1) {
        if (CheckedMode() == CInverseCommand::MultipleSideShots)
            m_chip->SetFocus();
        else
            m_point2->SetFocus();
    } else if (field == m_point2) {
        OnOK();
    }
}

intptr_t CInversePoints::OnBarMessage(uint32_t message, intptr_t wParam)
{
    if (message != 0x8078)
        return CStackableDialog::OnBarMessage(message, wParam);
    // Cleared: the next single inverse starts under its headings again.
    m_command.ClearReport();
    GetReport().ShowInMessageBar(true, false);
    return 0;
}

void CInversePoints::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    CStackableDialog::OnNotify(sender, code, parameter);
    if (code == 11 || code == 17) {
        m_command.results.fill("");
        ShowResults();
    }
}
