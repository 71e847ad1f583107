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

    // 0x80D4: computes the job's points again from its raw data. Until the raw data pane takes it
    // over, the options are used as given.
    void RegenerateCoordinates(int options);

private:
    wxDECLARE_CLASS(CMorvelView);
};
