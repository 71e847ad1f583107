#pragma once

#include "views/JobViewLayout.h"
#include "views/ui/DataFileView.h"

#include <cstdint>

class CDataFileDoc;

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

private:
    wxDECLARE_CLASS(CMorvelView);
};
