#include "cogo/ui/AnchorFields.h"

#include "cogo/AnchorChain.h"
#include "cogo/FieldMenus.h"
#include "core/FieldExchange.h"
#include "core/NoValue.h"
#include "core/ValueText.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/ProgramServices.h"
#include "model/DataFileDocSettings.h"
#include "model/JobFileDocSettings.h"
#include "model/PointRecord.h"
#include "views/ScratchGeometry.h"
#include "views/ui/ViewToolHost.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

// --- Anchor fields.

void CInteractiveAnchorControl::StartInteraction(bool quiet)
{
    const int32_t kind = GetInteractionKind();
    if (kind != 0 && kind != 2)
        SetInteractionKind(-1); // anything but a pick or a line: the default tool
    GetPart().StartInteraction(quiet, [this] {
        if (CViewToolHost* tools = CViewToolHost::GetActive())
            tools->StartAnchorLineTool(m_currentAnchor, m_fixedLegs, m_unused);
    });
    SetInteractionKind(kind);
}

bool CInteractiveAnchorControl::OnToolEvent(int32_t code)
{
    if (!IsInStackedDialog())
        return false;
    if (code == 4) {
        SetFieldText("");
        SetInteractionKind(0);
        m_currentAnchor.clear();
        m_fixedLegs.clear();
        StartInteraction(true);
        ActivateInteraction();
        return false;
    }
    if (code != 1 && code != 8)
        return false;
    RecordRef hit;
    if (!QueryPointAtPick(hit, code))
        return false;
    CPointRecord* point =
        hit.record != nullptr && hit.record->GetType() == kRecordTypePoint ? static_cast<CPointRecord*>(hit.record) : nullptr;
    return ApplyPickedPoint(PointsInChain(), Needs3D(), point);
}

bool CInteractiveAnchorControl::ApplyPickedPoint(int pointsNeeded, bool needs3D, CPointRecord* point)
{
    if (point == nullptr)
        return false;
    if (needs3D && !point->HasValidLocation3D()) {
        ShowInvalidSelectionTip("3D point required\n");
        return false;
    }
    const std::string name = point->GetName();
    const AnchorChainStep step = NextAnchorChainStep(GetFieldText(), pointsNeeded, name, SplitValueFields);
    switch (step.kind) {
    case AnchorChainStep::Duplicate:
        ShowInvalidSelectionTip(step.message);
        return false;
    case AnchorChainStep::Complete:
        AddConstructionLineFromPoint(step.previousName, name);
        SetFieldText(step.text);
        SetInteractionKind(0);
        m_currentAnchor.clear();
        m_fixedLegs.clear();
        StartInteraction(false);
        Validate();
        return true;
    case AnchorChainStep::Grow:
        AddConstructionLineFromPoint(step.previousName, name);
        SetFieldText(step.text);
        SetInteractionKind(2);
        if (!m_currentAnchor.empty()) {
            m_fixedLegs.push_back(m_currentAnchor.back());
            m_fixedLegs.push_back(point->GetLocation());
            m_currentAnchor.clear();
        }
        m_currentAnchor.push_back(point->GetLocation());
        StartInteraction(false);
        return false;
    case AnchorChainStep::NewChain:
        break;
    }
    SetFieldText(step.text);
    SetInteractionKind(2);
    m_currentAnchor.clear();
    m_fixedLegs.clear();
    m_currentAnchor.push_back(point->GetLocation());
    StartInteraction(false);
    return false;
}

bool CInteractiveAnchorControl::Validate()
{
    double value = NoValue;
    if (Exchange(value, true, true))
        Exchange(value, false, true);
    return true;
}

bool CInteractiveAnchorControl::ReadMenuValue(double& value, bool scaleOperation)
{
    value = NoValue;
    if (Exchange(value, true, true))
        return true;
    if (MenuStartValueForUnreadText(GetFieldText().empty(), scaleOperation, &value))
        return true;
    // Shows the routine's message; the command stops.
    Exchange(value, true, false);
    return false;
}

void CInteractiveAnchorControl::WriteMenuValue(double value)
{
    Exchange(value, false, false);
}

// --- Distances.

CInteractiveDistanceControl::CInteractiveDistanceControl()
{
    SetMenuId(MenuHorizontalDistance);
}

bool CInteractiveDistanceControl::OnFieldCommand(int32_t command)
{
    if (command != CmdApplyScaleFactor)
        return CInteractiveAnchorControl::OnFieldCommand(command);
    ApplyScaleFactorCommand();
    return true;
}

void CInteractiveDistanceControl::ApplyScaleFactorCommand()
{
    double value = NoValue;
    if (!ReadMenuValue(value, true))
        return;
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    CJobFileDocSettings* settings = job != nullptr ? job->GetDocSettings() : nullptr;
    const bool inUse = settings != nullptr && settings->GetUseScaleFactor();
    value = ApplyScaleFactor(value, inUse, inUse ? settings->GetEffectiveScaleFactor() : 1.0);
    WriteMenuValue(value);
    SetFocus();
}

CHorizontalDistanceControl::CHorizontalDistanceControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    Create(parent, id, value);
}

bool CHorizontalDistanceControl::Exchange(double& value, bool save, bool quiet)
{
    return ExchangeSelf(save, [&](CDataExchange* dx, int id) { return DDX_HorizontalDistance(dx, id, value, quiet); });
}

CVerticalDistanceControl::CVerticalDistanceControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    SetMenuId(MenuVerticalDistance);
    Create(parent, id, value);
}

bool CVerticalDistanceControl::Exchange(double& value, bool save, bool quiet)
{
    return ExchangeSelf(save, [&](CDataExchange* dx, int id) { return DDX_VerticalDistance(dx, id, value, quiet); });
}

CSlopeDistanceControl::CSlopeDistanceControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    SetMenuId(MenuSlopeDistance);
    Create(parent, id, value);
}

bool CSlopeDistanceControl::Exchange(double& value, bool save, bool quiet)
{
    return ExchangeSelf(save, [&](CDataExchange* dx, int id) { return DDX_SlopeDistance(dx, id, value, quiet); });
}

// --- Angles.

CInteractiveAngleControl::CInteractiveAngleControl(AngleFieldKind kind) : m_angleKind(kind)
{
    SelectAngleMenu();
}

void CInteractiveAngleControl::SelectAngleMenu()
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    CDataFileDocSettings* settings = job != nullptr ? job->GetJobSettings() : nullptr;
    SetMenuId(settings != nullptr && settings->GetAngleUnits() == 1 ? MenuAngleGons : MenuAngleDegrees);
}

void CInteractiveAngleControl::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    CInteractiveAnchorControl::OnNotify(sender, code, parameter);
    if (code == 2 || code == 11 || code == 17)
        SelectAngleMenu();
}

int CInteractiveAngleControl::PointsInChain() const
{
    return m_angleKind == AngleFieldKind::HorizontalAngle || m_angleKind == AngleFieldKind::Zenith ? 2 : 3;
}

bool CInteractiveAngleControl::Exchange(double& value, bool save, bool quiet)
{
    return ExchangeSelf(save, [&](CDataExchange* dx, int id) {
        switch (m_angleKind) {
        case AngleFieldKind::HorizontalAngle:
            return DDX_HorizontalAngleOrBearing(dx, id, value, quiet);
        case AngleFieldKind::Zenith:
            return DDX_ZenithAngle(dx, id, value, quiet);
        case AngleFieldKind::AngleRight:
            return DDX_AngleRight(dx, id, value, quiet);
        case AngleFieldKind::SignedAngleRight:
            return DDX_AngleRightVertical(dx, id, value, quiet);
        case AngleFieldKind::PlainAngle:
            break;
        }
        return DDX_Angle(dx, id, value, quiet);
    });
}

bool CInteractiveAngleControl::OnFieldCommand(int32_t command)
{
    double value = NoValue;
    switch (command) {
    case CmdAddHalfTurn:
    case CmdAddHalfTurnGons:
        if (ReadMenuValue(value, false))
            WriteMenuValue(AddHalfTurn(value));
        return true;
    case CmdAddQuarterTurn:
    case CmdAddQuarterTurnGons:
        if (ReadMenuValue(value, false))
            WriteMenuValue(AddQuarterTurn(value));
        return true;
    case CmdSubtractQuarterTurn:
    case CmdSubtractQuarterTurnGons:
        if (ReadMenuValue(value, false))
            WriteMenuValue(SubtractQuarterTurn(value));
        return true;
    case CmdAddOffset: {
        if (!ReadMenuValue(value, false))
            return true;
        CAngleOffset dialog;
        if (dialog.DoModal(this) == wxID_OK)
            WriteMenuValue(AddOffset(value, dialog.GetOffset()));
        return true;
    }
    default:
        return CInteractiveAnchorControl::OnFieldCommand(command);
    }
}

CHorizontalAngleControl::CHorizontalAngleControl(wxWindow* parent, wxWindowID id, const wxString& value)
    : CInteractiveAngleControl(AngleFieldKind::HorizontalAngle)
{
    Create(parent, id, value);
}

CZenithAngleControl::CZenithAngleControl(wxWindow* parent, wxWindowID id, const wxString& value)
    : CInteractiveAngleControl(AngleFieldKind::Zenith)
{
    Create(parent, id, value);
}

CAngleRightControl::CAngleRightControl(wxWindow* parent, wxWindowID id, const wxString& value)
    : CInteractiveAngleControl(AngleFieldKind::AngleRight)
{
    Create(parent, id, value);
}

CSignedAngleRightControl::CSignedAngleRightControl(wxWindow* parent, wxWindowID id, const wxString& value)
    : CInteractiveAngleControl(AngleFieldKind::SignedAngleRight)
{
    Create(parent, id, value);
}

CPlainJaneAngleControl::CPlainJaneAngleControl(wxWindow* parent, wxWindowID id, const wxString& value)
    : CInteractiveAngleControl(AngleFieldKind::PlainAngle)
{
    Create(parent, id, value);
}

// --- Angle Offset.

CAngleOffset::CAngleOffset() : CEasyDialog("Angle Offset") {}

void CAngleOffset::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* prompt = new wxStaticText(this, wxID_ANY,
                                    "Enter an angle to be added to the value in the entry field, enter a negative "
                                    "number to subtract from the entry field:");
    prompt->Wrap(FromDIP(260));
    // The wizard picture heads the prompt, as in the program's other prompts.
    if (CProgramServices* app = GetProgramServices()) {
        auto* head = new wxBoxSizer(wxHORIZONTAL);
        head->Add(new CCustomWizardButton(this, IdWizard, app->GetIcons()), 0, wxRIGHT, FromDIP(8));
        head->Add(prompt, 1);
        sizer->Add(head, 0, wxALL, FromDIP(8));
    } else {
        sizer->Add(prompt, 0, wxALL, FromDIP(8));
    }
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new CEasyEdit(this, IdOffset), 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(4));
    row->Add(new wxStaticText(this, IdUnit, "deg"), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    SetSizerAndFit(sizer);
}

bool CAngleOffset::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    UpdateDataEx(false);
    PositionNear();
    return true;
}

void CAngleOffset::DoDataExchange(CDataExchange& dx)
{
    DDX_Angle(&dx, IdOffset, m_offset, false);
}
