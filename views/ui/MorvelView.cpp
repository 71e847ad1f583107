#include "views/ui/MorvelView.h"

#include "core/NoValue.h"
#include "core/RawDataSetup.h"
#include "core/Report.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/WindowEvents.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSmartHintManager.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/Interested.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "model/ui/MorvelFileSettings.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/SetupJobSettings.h"
#include "views/ObjectInfoText.h"
#include "views/ui/ViewToolHost.h"

#include <wx/settings.h>

wxIMPLEMENT_CLASS(CMorvelView, wxPanel);

CMorvelView::CMorvelView(wxWindow* parent, CDataFileDoc* document)
    : CDataFileView(parent, document), m_fileWatchTimer(this, FileWatchTimerId)
{
    Bind(EVT_REGENERATE_COORDINATES_80D4, [this](wxCommandEvent& e) { RegenerateCoordinates(e.GetInt()); });
    Bind(EVT_CLEAR_RAW_HOT_ROW_80BC, [this](wxCommandEvent& e) { e.SetInt(ClearRawHotRow() ? 1 : 0); });
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { PollJobFiles(); }, FileWatchTimerId);
    // The job may have been loaded before the view could hear its hint 47.
    RecordFileState();
    m_fileWatchTimer.StartOnce(FileWatchPeriodMs);
}

CMorvelView::~CMorvelView()
{
    m_fileWatchTimer.Stop();
    if (m_rowTip)
        m_rowTip->Destroy();
}

// ---------------------------------------------------------------- the job's files

namespace {
bool IsScratchJob(const CDataFileDoc& job)
{
    CProgramServices* app = GetProgramServices();
    return app && !app->GetTemporaryJobPath().empty() && job.GetPathName() == app->GetTemporaryJobPath();
}
} // namespace

std::function<void(bool fromFiles)>& CMorvelView::ReloadActiveJobHook()
{
    // The frame's reload; tests put their own in its place.
    static std::function<void(bool)> hook = [](bool quiet) {
        if (CProgramServices* app = GetProgramServices())
            app->ReloadActiveJob(quiet);
    };
    return hook;
}

void CMorvelView::RecordFileState()
{
    if (CDataFileDoc* job = GetJob())
        m_watcher.Record(job->GetPathName());
}

void CMorvelView::PollJobFiles()
{
    CDataFileDoc* job = GetJob();
    CViewToolHost* tools = CViewToolHost::GetActive();
    if (!job || !m_watcher.IsWatching(job->GetPathName()) || !tools || !tools->IsForeground(false)) {
        m_fileWatchTimer.StartOnce(FileWatchPeriodMs);
        return;
    }
    m_fileWatchTimer.Stop();
    CDataFileSmartHintManager* hints = job->GetSmartHintManager();
    // A busy hint manager: the next second looks again.
    if (hints && hints->IsIdle() && m_watcher.Poll(job->GetPathName()))
        job->SendHint(nullptr, HintFilesChangedOutside, 0);
    m_fileWatchTimer.StartOnce(FileWatchPeriodMs);
}

void CMorvelView::OnUpdate(CView* sender, intptr_t hint, intptr_t hintObject)
{
    if (hint == HintFilesChangedOutside) {
        OnFilesChangedOutside();
        return;
    }
    CDataFileView::OnUpdate(sender, hint, hintObject);
}

void CMorvelView::OnFilesChangedOutside()
{
    CDataFileDoc* job = GetJob();
    if (!job)
        return;
    CJobFileWatcher::Decision decision =
        m_watcher.OnOutsideChange(job->GetPathName(), IsScratchJob(*job), job->IsModified());
    if (decision.action == CJobFileWatcher::Action::Ask) {
        const bool reload =
            ShowMessageBoxFS(decision.prompt, MB_YESNO | MB_ICONERROR | (decision.defaultNo ? MB_DEFBUTTON2 : 0)) == IDYES;
        decision = m_watcher.Answer(reload);
        if (reload) {
            // Later: reloading replaces this view, which is still delivering the hint.
            if (wxTheApp && ReloadActiveJobHook())
                wxTheApp->CallAfter([] { ReloadActiveJobHook()(true); });
            return;
        }
    }
    if (decision.action != CJobFileWatcher::Action::MarkModified)
        return;
    // Saving then writes the version the person kept.
    if (!job->IsModified())
        job->SetModifiedWithText("", true, false);
    if (CDataFileUndoManager* undo = job->GetUndoManager())
        undo->SetStepsModified(true);
    job->SendHint(nullptr, HintUpdateFileItems, 0);
}

// ---------------------------------------------------------------- row tips

bool CMorvelView::ShowRowTip(const wxPoint& listPoint)
{
    if (m_rowTip == nullptr) {
        m_rowTip = new CObjectIdWnd(true);
        if (!m_rowTip->Create(m_gridList)) {
            delete m_rowTip;
            m_rowTip = nullptr;
            return false;
        }
    }
    return OnListContextMenu(*m_rowTip, listPoint);
}

bool CMorvelView::OnListContextMenu(CObjectIdWnd& popup, const wxPoint& listPoint)
{
    if (GetActiveList() == m_gridList && m_gridList->GetPressedRow() >= 0)
        return true;
    CPointRecord* point = m_currentTab == PointsTab ? GetPointRows().GetPointAtRow(m_gridList->HitTest(listPoint))
                                                     : nullptr;
    std::string text;
    if (!point || !BuildObjectInfoText(text, RecordRef{point, -1}, NoValue, NoValue, this))
        return false;
    const wxPoint screen = m_gridList->GetBody()->ClientToScreen(listPoint);
    const wxColour colour = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    popup.ShowForObject(text, screen.x, screen.y, 9,
                        uint32_t(colour.Red()) | uint32_t(colour.Green()) << 8 | uint32_t(colour.Blue()) << 16);
    return true;
}

void CMorvelView::SelectTab(int tab)
{
    if (tab == RawDataTab)
        ShowRawDataTab();
    else if (tab == PointsTab)
        ShowPointsTab();
}

bool CMorvelView::RegenerateCoordinates(int options)
{
    constexpr int NewJobFromRaw = 4;
    constexpr int OptionsGiven = 0x8000;
    GetEventHandler()->QueueEvent(new wxCommandEvent(EVT_SHOW_RAW_DATA_TAB_80BA));
    CDataFileDoc* job = GetJob();
    if (!job)
        return false;
    CDataFileUndoManager* undo = (options & NewJobFromRaw) == 0 ? job->GetUndoManager() : nullptr;
    const bool stepOpened = undo && undo->RecordUndoWithText("Regerate coordinates");
    auto withdraw = [&] {
        if (stepOpened)
            undo->CancelLastStep();
        return false;
    };

    CSetupJobSettings taken;
    bool haveSetup = false;
    if (CRawDataFile* raw = RawDataFileOf(job); raw && raw->GetLineCount() > 0) {
        if (const CRawDataSetup* setup = raw->GetSetup(raw->GetLineCount() - 1)) {
            if (!CSetupJobSettings::Read(*setup, &taken))
                return withdraw();
            haveSetup = true;
        }
    }

    bool ignoreStorePoints = (options & 1) != 0;
    bool ignoreDeleted = (options & 2) != 0;
    if ((options & OptionsGiven) == 0) {
        CProgramServices* app = GetProgramServices();
        if (!app || !app->AskRegenerationOptions(wxGetTopLevelParent(this), ignoreStorePoints, ignoreDeleted))
            return withdraw();
    }
    // Only now, so that a refusal or Cancel above leaves the settings as they were.
    if (haveSetup && job->GetDocSettings())
        taken.ApplyTo(*job->GetDocSettings());

    std::unique_ptr<CReport> report;
    if (GetMorvelSettings().GetSaveReports())
        report = std::make_unique<CReport>();
    job->ReduceRawData(ignoreStorePoints, ignoreDeleted, report.get(), nullptr);
    if (options & NewJobFromRaw)
        CInterested::Broadcast(nullptr, HintUpdateFileItems, 0);
    job->SendHint(nullptr, HintFileState, 0);
    if (report)
        report->OpenInEditor(job->GetRawDataFileName());
    return true;
}

void CMorvelView::OnJobSettings()
{
    if (!GetJob())
        return;
    CMorvelFileSettings dialog;
    dialog.DoModal(wxGetTopLevelParent(this));
}
