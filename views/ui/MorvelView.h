#pragma once

#include "views/JobFileWatcher.h"
#include "views/JobViewLayout.h"
#include "views/ui/DataFileView.h"

#include <wx/timer.h>

#include <cstdint>
#include <functional>

class CDataFileDoc;
class CObjectIdWnd;

// The job view: the job window in the centre of the main frame.
class CMorvelView : public CDataFileView
{
public:
    static constexpr int PointsTab = ::PointsTab;
    static constexpr int RawDataTab = ::RawDataTab;

    CMorvelView(wxWindow* parent, CDataFileDoc* document);
    ~CMorvelView() override;

    // The frame's tab bar: 0x80BB for the Points tab, 0x80BA for Raw Data.
    void SelectTab(int tab);

    // 7338 "Job Settings...": the job settings dialog over the job.
    void OnJobSettings();

    // 0x80D4: the units and corrections of the last raw setup become the job's settings, then
    // the points are computed again from the raw data with the given options (1 ignore store
    // points, 2 ignore deleted records, with 0x8000) or the ones the person chooses; one undo step
    // unless the job is new from raw data (4). Every value is checked before anything changes, and
    // a refused value or Cancel withdraws the step. True when the points were computed.
    bool RegenerateCoordinates(int options);

    // --- The job's files on disk, watched for changes made by other programs.
    static constexpr int FileWatchTimerId = 21;
    static constexpr int FileWatchPeriodMs = 1000;
    // Hint 47: the files as they are now.
    void RecordFileState() override;
    // Timer 21: sends hint 48 when a file changed since it was recorded.
    void PollJobFiles();
    // Hint 48: asks to reload, or keeps the job marked modified.
    void OnFilesChangedOutside();
    void OnUpdate(CView* sender, intptr_t hint, intptr_t hintObject) override;
    CJobFileWatcher& GetFileWatcher() { return m_watcher; }
    // Reloads the active job from its files (the frame's reload; tests replace it).
    static std::function<void(bool fromFiles)>& ReloadActiveJobHook();

    // 0x80B9 on the grid: the identification popup for the point under the list point.
    bool ShowRowTip(const wxPoint& listPoint) override;
    bool OnListContextMenu(CObjectIdWnd& popup, const wxPoint& listPoint);
    CObjectIdWnd* GetRowTip() const { return m_rowTip; }

private:
    CJobFileWatcher m_watcher;
    wxTimer m_fileWatchTimer;
    CObjectIdWnd* m_rowTip = nullptr;

    wxDECLARE_CLASS(CMorvelView);
};
