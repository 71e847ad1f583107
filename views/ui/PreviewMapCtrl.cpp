#include "views/ui/PreviewMapCtrl.h"

#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/OpenDocuments.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"
#include "rawdata/records/RawDataNikonObservationRecord.h"
#include "shell/CommandIds.h"
#include "views/MapCommands.h"
#include "views/ScratchGeometry.h"
#include "views/ui/DataFileView.h"
#include "views/ui/ToolPopups.h"
#include "views/ui/ViewToolHost.h"

#include <wx/accel.h>
#include <wx/menu.h>

namespace {

constexpr int MapCommands[] = {IdZoomExtents, IdZoomPrevious, IdZoomNext, IdZoomIn,      IdZoomOut,
                               IdEraseScratchLines, IdZoomWindow, IdRealtimeZoom, IdRealtimePan,
                               IdZoomToPointName};

// The point a raw line stores or observes; empty when it names none.
std::string RawLinePointName(CDataFileDoc* doc, int32_t line)
{
    CRawDataFile* raw = RawDataFileOf(doc);
    CNikonRawDataRecord* record = raw ? raw->GetRecord(line) : nullptr;
    if (!record)
        return {};
    std::string name = CRawDataNikonCoordinateRecord(*record).GetPointName();
    if (name.empty())
        name = CRawDataNikonObservationRecord(*record).GetPointName();
    return name;
}

} // namespace

CPreviewMapCtrl::CPreviewMapCtrl(wxWindow* parent, wxWindowID id)
    : CMapCtrl(parent, id, std::make_unique<CPreviewMapCore>()), m_recordView(m_core.get())
{
}

CPreviewMapCtrl::~CPreviewMapCtrl()
{
    UninstallAsActiveJobMap();
}

void CPreviewMapCtrl::InstallAsActiveJobMap()
{
    if (m_installed)
        return;
    m_installed = true;
    Preview().SetViewKind(0);
    SetActivePreviewMapHook([this] { return &Preview(); });
    SetActiveRecordViewHook([this]() -> CRecordView* { return &m_recordView; });
    if (CRawDataFile* raw = RawDataFileOf(GetDocument()))
        raw->SetDrawTarget(&Preview());
    // The mouse over the job's map reaches a tool from the start.
    if (CViewToolHost* tools = CViewToolHost::GetActive())
        tools->EnsureDefaultTool(this);
    m_commandSource = GetCommandTarget();
    if (m_commandSource) {
        for (int id : MapCommands) {
            m_commandSource->Bind(wxEVT_MENU, &CPreviewMapCtrl::OnMapCommand, this, id);
            m_commandSource->Bind(wxEVT_UPDATE_UI, &CPreviewMapCtrl::OnUpdateMapCommand, this, id);
        }
        // The view tools' keys (Ctrl+W, Ctrl+Q, Alt+Q) are in the main window's one key list.
    }
}

void CPreviewMapCtrl::UninstallAsActiveJobMap()
{
    if (!m_installed)
        return;
    m_installed = false;
    SetActivePreviewMapHook(nullptr);
    SetActiveRecordViewHook(nullptr);
    // The job may be gone already when its view is taken down; only a job still open is touched.
    CDataFileDoc* doc = GetDocument();
    if (doc && IsOpenDocument(doc))
        if (CRawDataFile* raw = RawDataFileOf(doc))
            if (raw->GetDrawTarget() == &Preview())
                raw->SetDrawTarget(nullptr);
    if (m_commandSource) {
        for (int id : MapCommands) {
            m_commandSource->Unbind(wxEVT_MENU, &CPreviewMapCtrl::OnMapCommand, this, id);
            m_commandSource->Unbind(wxEVT_UPDATE_UI, &CPreviewMapCtrl::OnUpdateMapCommand, this, id);
        }
        m_commandSource = nullptr;
    }
}

void CPreviewMapCtrl::OnJobViewHint(int32_t hint, intptr_t hintObject, bool deferred)
{
    Preview().OnJobViewHint(hint, hintObject, deferred);
}

void CPreviewMapCtrl::OnMapCommand(wxCommandEvent& event)
{
    // The toolbar's steps when the main window sends the command.
    CProgramServices* app = GetProgramServices();
    const bool fromFrame = app && m_commandSource && m_commandSource == app->GetMainWindow();
    switch (event.GetId()) {
    case IdZoomExtents:
        Preview().ZoomExtents(true);
        break;
    case IdZoomPrevious:
        Preview().ZoomPrevious();
        break;
    case IdZoomNext:
        Preview().ZoomNext();
        break;
    case IdZoomIn:
        Preview().ZoomIn(fromFrame ? app->GetZoomStep(true) : 10);
        break;
    case IdZoomOut:
        Preview().ZoomOut(fromFrame ? app->GetZoomStep(false) : 10);
        break;
    case IdEraseScratchLines:
        EraseScratchLines();
        break;
    case IdZoomToPointName: {
        // "Zoom to Point %s" of the point context menus: the job's current record.
        RecordRef current;
        CDataFileDoc* doc = GetDocument();
        // An undo may have freed the record since it became current.
        if (doc && doc->GetCurrentRecord(current) && current.record && doc->ContainsRecord(current.record, 0)) {
            if (auto* view = dynamic_cast<CDataFileView*>(GetParent()))
                view->ZoomToObject(current.record);
            else if (current.record->GetType() == kRecordTypePoint)
                Preview().ZoomToPointRecord(static_cast<CPointRecord*>(current.record));
        }
        break;
    }
    case IdZoomWindow:
    case IdRealtimeZoom:
    case IdRealtimePan:
        if (CViewToolHost* tools = CViewToolHost::GetActive()) {
            if (event.GetId() == IdZoomWindow)
                tools->OnZoomWindowCommand(this);
            else if (event.GetId() == IdRealtimeZoom)
                tools->OnRealtimeZoomCommand(this);
            else
                tools->OnRealtimePanCommand(this);
        }
        break;
    default:
        event.Skip();
        break;
    }
}

void CPreviewMapCtrl::OnUpdateMapCommand(wxUpdateUIEvent& event)
{
    switch (event.GetId()) {
    case IdZoomPrevious:
        event.Enable(Preview().GetZoomHistory().CanUndo());
        break;
    case IdZoomNext:
        event.Enable(Preview().GetZoomHistory().CanRedo());
        break;
    case IdZoomWindow:
    case IdRealtimeZoom:
    case IdRealtimePan: {
        const CViewToolHost* tools = CViewToolHost::GetActive();
        event.Enable(tools != nullptr);
        if (tools)
            event.Check(event.GetId() == IdZoomWindow    ? tools->IsZoomWindowOn()
                        : event.GetId() == IdRealtimeZoom ? tools->IsRealtimeZoomCurrent()
                                                          : tools->IsPanToolCurrent());
        break;
    }
    default:
        event.Enable(true);
        break;
    }
}

std::unique_ptr<wxMenu> CPreviewMapCtrl::BuildContextMenu(const wxPoint& client, bool& beep)
{
    beep = false;
    CDataFileDoc* doc = GetDocument();
    if (!Preview().GetMapping().IsValid())
        return nullptr;
    CPickQuery q;
    q.point = DevicePoint{client.x, client.y};
    Preview().OnDeviceToWorld8083(q);
    q.tolerance = Preview().ComputePickTolerance();
    // A point the hover popup shows is what the user pointed at: its menu comes before that of a
    // raw line under the cursor.
    RecordRef shown;
    CObjectIdWnd* popup = GetToolIdPopup();
    const bool popupShowsPoint = popup && popup->GetCurrentObject(shown) && shown.record &&
                                 shown.record->GetType() == kRecordTypePoint;
    if (!doc || popupShowsPoint || !Preview().OnFindPreview808A(&q))
        return CMapCtrl::BuildContextMenu(client, beep);

    // A raw data line under the cursor: its point, when the job has it, and the line itself.
    const int32_t line = int32_t(q.rawHits.back());
    const std::string name = RawLinePointName(doc, line);
    CPointRecord* point = name.empty() ? nullptr : doc->GetPointDatabase()->FindPoint(name, true);
    const wxString number = wxString::Format("%d", line + 1);
    auto menu = std::make_unique<wxMenu>();
    menu->SetTitle("Store Point Context");
    if (point) {
        const wxString n = ToWx(point->GetName());
        menu->Append(IdEditPoints, wxString::Format("Edit Point '%s'...", n));
        menu->Append(IdDeletePoint, wxString::Format("Delete Point '%s'", n));
        menu->Append(IdZoomToPointName, wxString::Format("Zoom To Point '%s'", n));
        menu->AppendSeparator();
    }
    menu->Append(IdEditRawDataRecords, wxString::Format("Edit Raw Data Line #%s...", number));
    doc->SetCurrentRecord(point, line);
    return menu;
}
