// The job view's own commands (find, delete point, print preview, double click on a point or raw
// data row) and its answers as the owner of identification popups. They open COGO, raw data and
// shell windows, so they are defined here, at the top of the window code, rather than with the
// job view's panes in views/ui.
#include "views/ui/DataFileView.h"

#include "cogo/ui/FindCoordinates.h"
#include "cogo/ui/InteractiveHandler.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/JobFileMathConversions.h"
#include "model/PointRecord.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "rawdata/ui/RawPanels.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/PrintPreviewView.h"
#include "views/MapCommands.h"
#include "views/PointFind.h"
#include "views/ScratchGeometry.h"
#include "views/ui/MapPrintout.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/app.h>
#include <wx/print.h>

#include <utility>


bool CDataFileView::CanFind() { return m_currentTab == PointsTab && m_gridList->GetItemCount() > 0; }

void CDataFileView::OnFind()
{
    if (!CanFind())
        return;
    m_gridList->ClearMarkedItem();
    CFindCoordinates dialog;
    dialog.DoModal(wxGetTopLevelParent(this));
}

bool CDataFileView::FindPoint(const std::string& text, int kind, bool down)
{
    if ((kind != 0 && kind != 1) || m_currentTab != PointsTab)
        return false;
    CBusyCursor busy;
    CGridViewListCtrl* list = m_gridList;
    const PointFindRequest request{list->GetItemCount(), list->GetTopIndex(), list->GetCountPerPage(), down};
    const int32_t row = FindPointRow(request, text, [this, kind](int32_t r) -> std::string_view {
        const CPointRecord* point = m_rows.GetPointAtRow(r);
        if (!point)
            return {};
        const char* value = kind == 0 ? point->GetName() : point->GetDescription();
        return value ? std::string_view(value) : std::string_view();
    });
    if (row < 0)
        return false;
    if (row != list->GetTopIndex())
        list->ScrollToRow(FindScrollTop(row, request.itemCount, request.rowsPerPage));
    // Framed, not selected: the match shows where it is without touching the job's selection.
    list->SetMarkedItem(row, true);
    return true;
}

void CDataFileView::OnDeletePoint()
{
    CDataFileDoc* job = GetJob();
    RecordRef current;
    if (!job || !job->GetCurrentRecord(current) || !current.record)
        return;
    // An undo may have freed the record since it became current.
    if (!job->ContainsRecord(current.record, kRecordTypePoint))
        return;
    auto* point = static_cast<CPointRecord*>(current.record);
    const std::string name = point->GetName();
    if (ShowMessageBoxFS("Delete point " + name + "?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    EraseObjectOnActiveMap(point, 1);
    if (CDataFileUndoManager* undo = job->GetUndoManager())
        undo->RecordObjectUndo(UndoDeletePoint, point);
    // Sends hint 40 itself and forgets the record as the current one.
    job->DeleteRecord(point, true);
    job->SendHint(this, HintRefreshAll, 0);
}

void CDataFileView::OnListDoubleClick(const GridRowNotify& rows)
{
    CDataFileDoc* job = GetJob();
    CPointRecord* point = m_rows.GetPointAtRow(rows.first);
    if (!job || !point)
        return;
    job->SetCurrentRecord(point, -1);
    if (wxWindow* frame = wxTheApp ? wxTheApp->GetTopWindow() : nullptr) {
        wxCommandEvent event(wxEVT_MENU, IdEditPoints);
        event.SetEventObject(frame);
        frame->GetEventHandler()->ProcessEvent(event);
    }
}

// ---------------------------------------------------------------- popup owner and map queries

bool CDataFileView::GetObjectUnitLabel(std::string& label)
{
    CDataFileDoc* job = GetJob();
    if (!job || !job->GetMathConversions())
        return false;
    label = job->GetMathConversions()->GetDistanceUnitLabel();
    return true;
}

bool CDataFileView::HighlightObject(CRecord* record, bool on)
{
    CDataFileDoc* job = GetJob();
    if (!job || !job->GetSortedIndex() || m_currentTab != PointsTab)
        return false;
    if (!on) {
        m_gridList->ClearMarkedItem();
        return true;
    }
    const int32_t top = m_gridList->GetTopIndex();
    const int32_t end = std::min(m_gridList->GetItemCount(), top + m_gridList->GetCountPerPage() + 1);
    for (int32_t row = top; row < end; ++row) {
        if (m_rows.GetPointAtRow(row) == record) {
            m_gridList->SetMarkedItem(row, true);
            break;
        }
    }
    return true;
}

bool CDataFileView::IsDrawingPending() { return m_mapPane->Core().HasPendingDrawing(); }

// 0x8083 and 0x8084 go to the map pane unchanged: callers hold map client points.
void CDataFileView::OnDeviceToWorld8083(CPickQuery& q) const { m_mapPane->Core().OnDeviceToWorld8083(q); }

void CDataFileView::OnWorldToDevice8084(CPickQuery& q) const { m_mapPane->Core().OnWorldToDevice8084(q); }

bool CDataFileView::OnIsOutside80B1(int32_t x, int32_t y) const
{
    // The view's client point, moved into the map pane's.
    const wxPoint at = m_mapPane->GetPosition();
    return m_mapPane->Core().OnIsOutside80B1(x - at.x, y - at.y);
}

// ---------------------------------------------------------------- printing

void CDataFileView::RecordPrintViewSize()
{
    m_printViewSize = GetClientSize();
    const CMapCtrlCore& map = m_mapPane->Core();
    const CLocation tl = map.GetVisibleTopLeft(), br = map.GetVisibleBottomRight();
    m_printWindow = map_print::PrintWorldWindow(tl.x, br.x, br.y, tl.y);
}

bool CDataFileView::PrintMap(wxPrinterBase* printer)
{
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        app->OnViewClosing();
    if (std::exchange(m_keepPrintWindow, false))
        m_printViewSize = GetClientSize();
    else
        RecordPrintViewSize();
    CMapPrintout printout(*this, GetPrintMargins());
    if (printer)
        return printer->Print(wxGetTopLevelParent(this), &printout, false);
    wxPrintDialogData data(GetPrintData());
    wxPrinter dialogPrinter(&data);
    const bool printed = dialogPrinter.Print(wxGetTopLevelParent(this), &printout, true);
    if (printed)
        GetPrintData() = dialogPrinter.GetPrintDialogData().GetPrintData();
    else if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        ShowMessageBoxFS("Failed to print the map.", MB_OK | MB_ICONERROR);
    return printed;
}

bool CDataFileView::PrintPreview()
{
    auto* app = dynamic_cast<CMorvelApp*>(wxTheApp);
    CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
    if (!frame || CPrintPreviewView::GetCurrent())
        return false;
    app->OnViewClosing();
    RecordPrintViewSize();
    const std::array<int32_t, 4> margins = GetPrintMargins();
    wxPrintDialogData data(GetPrintData());
    auto* preview = new wxPrintPreview(new CMapPrintout(*this, margins), new CMapPrintout(*this, margins), &data);
    if (!preview->IsOk()) {
        delete preview;
        ShowMessageBoxFS("Failed to start the print preview.", MB_OK | MB_ICONERROR);
        return false;
    }
    SetPrinting(true);
    auto* view = new CPrintPreviewView(preview, frame);
    view->SetBeforePrint([this] { m_keepPrintWindow = true; });
    // The wheel zooms again once the preview is gone.
    view->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
        SetPrinting(false);
        e.Skip();
    });
    view->Start();
    return true;
}

// ---------------------------------------------------------------- commands from the main window

void CDataFileView::BindViewCommands(bool bind)
{
    if (!m_commandSource)
        return;
    for (int id : {IdFindPoint, IdDeletePoint, IdFilePrint, IdFilePrintPreview, IdInverseTo}) {
        if (bind) {
            m_commandSource->Bind(wxEVT_MENU, &CDataFileView::OnViewCommand, this, id);
            m_commandSource->Bind(wxEVT_UPDATE_UI, &CDataFileView::OnUpdateViewCommand, this, id);
        } else {
            m_commandSource->Unbind(wxEVT_MENU, &CDataFileView::OnViewCommand, this, id);
            m_commandSource->Unbind(wxEVT_UPDATE_UI, &CDataFileView::OnUpdateViewCommand, this, id);
        }
    }
}

void CDataFileView::OnViewCommand(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case IdFindPoint: OnFind(); break;
    case IdDeletePoint: OnDeletePoint(); break;
    case IdFilePrint: PrintMap(); break;
    case IdFilePrintPreview: PrintPreview(); break;
    case IdInverseTo: OnInverseTo(); break;
    default: event.Skip(); break;
    }
}

void CDataFileView::OnInverseTo()
{
    CDataFileDoc* job = GetJob();
    RecordRef current;
    if (job == nullptr || !job->TakeCurrentRecord(current))
        return;
    StartPointInverse(dynamic_cast<CPointRecord*>(current.record));
}

void CDataFileView::OnUpdateViewCommand(wxUpdateUIEvent& event)
{
    event.Enable(event.GetId() != IdFindPoint || CanFind());
}

void CDataFileView::EditRawDataLine(int lineIndex)
{
    ShowRawDataTab();
    raw_panels::EditLine(lineIndex);
}
