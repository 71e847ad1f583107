#include "views/ui/MorvelView.h"

#include "framework/ui/WindowEvents.h"
#include "core/RawDataSetup.h"
#include "core/Report.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/Interested.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelSettings.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/SetupJobSettings.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "model/ui/MorvelFileSettings.h"

wxIMPLEMENT_CLASS(CMorvelView, wxPanel);

CMorvelView::CMorvelView(wxWindow* parent, CDataFileDoc* document) : CDataFileView(parent, document)
{
    Bind(EVT_REGENERATE_COORDINATES_80D4, [this](wxCommandEvent& e) { RegenerateCoordinates(e.GetInt()); });
    Bind(EVT_CLEAR_RAW_HOT_ROW_80BC, [this](wxCommandEvent& e) { e.SetInt(ClearRawHotRow() ? 1 : 0); });
}

CMorvelView::~CMorvelView() = default;

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
        CRegenerationOptionsDlg dialog(wxGetTopLevelParent(this));
        if (dialog.DoModal() != wxID_OK)
            return withdraw();
        ignoreStorePoints = dialog.m_ignoreStorePoints != 0;
        ignoreDeleted = dialog.m_ignoreDeletedRecords != 0;
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
