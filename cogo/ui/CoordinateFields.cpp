#include "cogo/ui/CoordinateFields.h"

#include "cogo/FieldMenus.h"
#include "core/FieldExchange.h"
#include "core/Format.h"
#include "core/TextFieldExchange.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/ObjectIdWnd.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/SpRecordRBTree.h"
#include "views/ObjectInfoText.h"
#include "views/PickQuery.h"
#include "views/ui/DataFileView.h"
#include "views/ui/ObjectSelectWnd.h"

#include <wx/settings.h>

#include <algorithm>
#include <utility>

namespace {
CPointRecord* AsPoint(const RecordRef& ref)
{
    return ref.record != nullptr && ref.record->GetType() == kRecordTypePoint ? static_cast<CPointRecord*>(ref.record)
                                                                               : nullptr;
}

uint32_t WindowTextColour()
{
    const wxColour c = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    return uint32_t(c.Red()) | (uint32_t(c.Green()) << 8) | (uint32_t(c.Blue()) << 16);
}

// The wired fields as shown, their kinds, and where one of them stands (the count when absent).
struct SiblingKinds
{
    std::vector<CCoordinateControl*> fields;
    std::vector<CoordFieldKind> kinds;
    std::size_t self;
};

SiblingKinds KindsOf(std::vector<CCoordinateControl*> fields, const CCoordinateControl* self)
{
    SiblingKinds out{std::move(fields), {}, 0};
    out.self = out.fields.size();
    for (std::size_t i = 0; i < out.fields.size(); ++i) {
        out.kinds.push_back(out.fields[i] != nullptr ? out.fields[i]->GetCoordKind() : CoordFieldKind::Other);
        if (out.fields[i] == self)
            out.self = i;
    }
    return out;
}

std::vector<CCoordinateControl*> FilledBy(const SiblingKinds& s)
{
    std::vector<CCoordinateControl*> out;
    for (std::size_t i : CoordinateSiblingsFilled(s.kinds, s.self, GetMorvelSettings().GetCoordOrder()))
        out.push_back(s.fields[i]);
    return out;
}
} // namespace

// --- Coordinates.

CCoordinateControl::CCoordinateControl()
{
    SetInteractionKind(3);
}

CCoordinateControl::~CCoordinateControl()
{
    if (m_siblings)
        std::replace(m_siblings->begin(), m_siblings->end(), this, static_cast<CCoordinateControl*>(nullptr));
}

void CCoordinateControl::WireSiblings(const std::vector<CCoordinateControl*>& fields)
{
    auto list = std::make_shared<std::vector<CCoordinateControl*>>(fields);
    for (CCoordinateControl* field : fields)
        if (field != nullptr)
            field->m_siblings = list;
}

std::vector<CCoordinateControl*> CCoordinateControl::DisplayedSiblings() const
{
    if (!m_siblings)
        return {};
    std::vector<CCoordinateControl*> list = *m_siblings;
    wxWindow* parent = GetParent();
    const bool sameParent = parent != nullptr && std::all_of(list.begin(), list.end(), [parent](CCoordinateControl* f) {
                                return f == nullptr || f->GetParent() == parent;
                            });
    if (!sameParent)
        return list;
    const wxWindowList& children = parent->GetChildren();
    auto rank = [&children](CCoordinateControl* f) {
        return f == nullptr ? std::ptrdiff_t(-1)
                            : std::distance(children.begin(), std::find(children.begin(), children.end(), f));
    };
    std::stable_sort(list.begin(), list.end(), [&](CCoordinateControl* a, CCoordinateControl* b) { return rank(a) < rank(b); });
    return list;
}

std::vector<CCoordinateControl*> CCoordinateControl::FilledSiblings() const
{
    if (!m_siblings)
        return {};
    return FilledBy(KindsOf(DisplayedSiblings(), this));
}

void CCoordinateControl::OnFocusMarkSiblings()
{
    if (!m_siblings || GetCoordKind() == CoordFieldKind::Elevation)
        return;
    const SiblingKinds siblings = KindsOf(DisplayedSiblings(), this);
    const std::size_t before =
        CoordinateSiblingToUnmark(siblings.kinds, siblings.self, GetMorvelSettings().GetCoordOrder());
    if (before < siblings.fields.size())
        siblings.fields[before]->MarkFilledBy(nullptr);
    for (CCoordinateControl* sibling : FilledBy(siblings))
        sibling->MarkFilledBy(this);
}

bool CCoordinateControl::FillFromPick(int32_t code)
{
    CGraphicDataExchange& exchange = GetGraphicDataExchange();
    if (code == 8) {
        RecordRef hit;
        CPointRecord* point = QueryPointAtPick(hit, code) ? AsPoint(hit) : nullptr;
        if (point == nullptr)
            return false;
        exchange.SetLocation(point->GetLocation());
    }
    const CLocation at = exchange.GetLocation();
    const std::unique_ptr<CFormat> format = MakeFormatter();
    auto textFor = [&](CoordFieldKind kind) {
        switch (kind) {
        case CoordFieldKind::Northing:
            return format->FormatCoordinate(at.y, false, false);
        case CoordFieldKind::Easting:
            return format->FormatCoordinate(at.x, false, false);
        default:
            return format->FormatElevation(at.z, false, false);
        }
    };
    SetFieldText(GetCoordKind() == CoordFieldKind::Elevation ? format->FormatHeight(at.z, false)
                                                             : textFor(GetCoordKind()));
    bool elevationFilled = GetCoordKind() == CoordFieldKind::Elevation;
    for (CCoordinateControl* sibling : FilledSiblings()) {
        sibling->SetFieldText(textFor(sibling->GetCoordKind()));
        elevationFilled = elevationFilled || sibling->GetCoordKind() == CoordFieldKind::Elevation;
    }
    if (elevationFilled && !HasValue(at.z))
        ShowInvalidSelectionTip("3D point required\n");
    return true;
}

bool CCoordinateControl::OnToolEvent(int32_t code)
{
    if (!IsInStackedDialog())
        return false;
    if (code == 4) {
        // A right click turns the field from a location to an object pick.
        SetFieldText("");
        SetInteractionKind(0);
        StartInteraction(true);
        ActivateInteraction();
        return true;
    }
    if (code == 1 || code == 8)
        FillFromPick(code);
    return true;
}

bool CCoordinateControl::Validate()
{
    double value = NoValue;
    if (ExchangeSelf(true, [&](CDataExchange* dx, int id) { return Exchange(dx, id, value, true); }))
        ExchangeSelf(false, [&](CDataExchange* dx, int id) { return Exchange(dx, id, value, true); });
    return true;
}

CNorthingControl::CNorthingControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    SetMenuId(MenuNorthing);
    Create(parent, id, value);
}

bool CNorthingControl::Exchange(CDataExchange* dx, int id, double& value, bool quiet)
{
    return DDX_Northing(dx, id, value, quiet);
}

CEastingControl::CEastingControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    Create(parent, id, value);
}

bool CEastingControl::Exchange(CDataExchange* dx, int id, double& value, bool quiet)
{
    return DDX_Easting(dx, id, value, quiet);
}

CElevationControl::CElevationControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    Create(parent, id, value);
}

bool CElevationControl::Exchange(CDataExchange* dx, int id, double& value, bool quiet)
{
    return DDX_Elevation(dx, id, value, quiet);
}

// --- Point names.

CInteractivePointControl::CInteractivePointControl()
{
    SetMenuId(MenuPointName);
}

bool CInteractivePointControl::Validate()
{
    std::string name;
    if (ExchangeSelf(true, [&](CDataExchange* dx, int id) { return ExchangeName(dx, id, name, true); }))
        ExchangeSelf(false, [&](CDataExchange* dx, int id) { return ExchangeName(dx, id, name, true); });
    return true;
}

bool CInteractivePointControl::ReadExistingName(std::string& name, bool quiet)
{
    return ExchangeSelf(true, [&](CDataExchange* dx, int id) { return DDX_ExistingPointName(dx, id, name, quiet); });
}

void CInteractivePointControl::CancelPick()
{
    SetFieldText("");
    SetInteractionKind(0);
    StartInteraction(true);
    ActivateInteraction();
}

void CInteractivePointControl::DrawMapFeedback(CObjectIdWnd* popup, CView* view)
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    const std::string name = GetFieldText();
    if (popup == nullptr || view == nullptr || job == nullptr || name.empty() || job->GetPointDatabase() == nullptr)
        return;
    CPointRecord* point = job->GetPointDatabase()->FindPoint(name, true);
    std::string text;
    if (point == nullptr || !BuildObjectInfoText(text, RecordRef{point, -1}, NoValue, NoValue, nullptr))
        return;
    const wxPoint at = wxGetMousePosition();
    popup->ShowForObject(text, at.x, at.y, 8, WindowTextColour());
}

intptr_t CInteractivePointControl::OnMenuItemQuery(uint32_t message, int32_t command, void* data)
{
    if (message != MsgMenuItemEnabled)
        return 0;
    if (command == CmdZoomToPoint) {
        std::string name;
        if (!ReadExistingName(name, true))
            *static_cast<int*>(data) = 0;
    }
    return 1;
}

bool CInteractivePointControl::OnFieldCommand(int32_t command)
{
    switch (command) {
    case CmdZoomToPoint:
        ZoomToPoint();
        return true;
    case CmdChooseFromList:
        ChooseFromList();
        return true;
    default:
        return CInteractiveControl::OnFieldCommand(command);
    }
}

void CInteractivePointControl::ZoomToPoint()
{
    std::string name;
    if (!ReadExistingName(name, false))
        return;
    if (CDataFileView* view = GetFieldJobView())
        view->ZoomToPoint(name);
}

std::vector<RecordRef> CInteractivePointControl::CollectSortedPoints()
{
    std::vector<RecordRef> points;
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (job == nullptr)
        return points;
    CSpRecordRBTree* index = job->GetSortedIndex();
    const int32_t count = index->GetCount();
    points.reserve(static_cast<std::size_t>(count));
    for (int32_t row = 0; row < count; ++row)
        if (CRecord* record = index->GetAt(row))
            if (record->GetType() == kRecordTypePoint)
                points.push_back(RecordRef{record, -1});
    return points;
}

void CInteractivePointControl::ChooseFromList()
{
    const std::vector<RecordRef> points = CollectSortedPoints();
    CDataFileView* view = GetFieldJobView();
    if (points.empty() || view == nullptr)
        return;
    const wxPoint at = wxGetMousePosition();
    CObjectSelectWnd chooser;
    RecordRef chosen;
    if (chooser.Choose(chosen, points, at.x, at.y, nullptr, view, "Select", "Cancel") != wxID_OK)
        return;
    if (CPointRecord* point = AsPoint(chosen)) {
        std::string name = point->GetName();
        ExchangeSelf(false, [&](CDataExchange* dx, int id) { return DDX_ExistingPointName(dx, id, name, false); });
    }
}

CPointControl::CPointControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    Create(parent, id, value);
}

bool CPointControl::ExchangeName(CDataExchange* dx, int id, std::string& name, bool quiet)
{
    return DDX_NewPointName(dx, id, name, quiet);
}

bool CPointControl::OnToolEvent(int32_t code)
{
    if (!IsInStackedDialog())
        return false;
    RecordRef hit;
    switch (code) {
    case 1:
        if (GetFieldJobView() == nullptr || !QueryObjectAtPick(2, hit, code))
            return false;
        break;
    case 8:
        if (!QueryHitObject(hit, 2))
            return false;
        break;
    case 4:
        CancelPick();
        return false;
    default:
        return false;
    }
    CPointRecord* point = AsPoint(hit);
    if (point == nullptr)
        return false;
    SetFieldText(point->GetName());
    return true;
}

CExistingPointControl::CExistingPointControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    Create(parent, id, value);
}

bool CExistingPointControl::ExchangeName(CDataExchange* dx, int id, std::string& name, bool quiet)
{
    return DDX_ExistingPointName(dx, id, name, quiet);
}

bool CExistingPointControl::OnToolEvent(int32_t code)
{
    if (!IsInStackedDialog())
        return false;
    if (code == 4) {
        CancelPick();
        return false;
    }
    if (code != 1 && code != 8)
        return false;
    RecordRef hit;
    CPointRecord* point = QueryPointAtPick(hit, code) ? AsPoint(hit) : nullptr;
    if (point == nullptr)
        return false;
    SetFieldText(point->GetName());
    return true;
}

CNonInteractivePointControl::CNonInteractivePointControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    Create(parent, id, value);
}

bool CNonInteractivePointControl::ExchangeName(CDataExchange* dx, int id, std::string& name, bool quiet)
{
    return DDX_NewPointName(dx, id, name, quiet);
}

CDescriptionControl::CDescriptionControl(wxWindow* parent, wxWindowID id, const wxString& value)
{
    Create(parent, id, value);
}

bool CDescriptionControl::OnToolEvent(int32_t code)
{
    if (!IsInStackedDialog() || (code != 1 && code != 8))
        return false;
    RecordRef hit;
    if (!QueryObjectAtPick(2, hit, code) || hit.record == nullptr)
        return false;
    SetFieldText(hit.record->GetDescription());
    return true;
}
