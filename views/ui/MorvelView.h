#pragma once

#include "model/Interested.h"
#include "platform/View.h"

#include <wx/panel.h>

#include <cstdint>

class CDataFileDoc;
class CPreviewMapCtrl;
class wxSimplebook;
class wxStaticText;

// The job view: the job window in the centre of the main frame, with its Coordinates and Raw Data
// panes. For now each pane shows what the job holds; the grid and the raw data list take the panes
// over.
class CMorvelView : public wxPanel, public CView
{
public:
    static constexpr int PointsTab = 0;
    static constexpr int RawDataTab = 1;

    CMorvelView(wxWindow* parent, CDataFileDoc* document);
    ~CMorvelView() override;

    bool IsDataFileView() const override { return true; }
    void OnUpdate(CView* sender, intptr_t hint, intptr_t hintObject) override;

    // The pane shown: PointsTab or RawDataTab.
    int GetCurrentTab() const;
    // Ignored when the pane is shown already or out of range.
    void SelectTab(int tab);

    // "Job Settings...": the job settings dialog over the job.
    void OnJobSettings();

    // 0x80D4: computes the job's points again from its raw data.
    void RegenerateCoordinates(int options);

    CDataFileDoc* GetJob() const;

    // The map pane above the sheets.
    CPreviewMapCtrl* GetMapPane() const { return m_mapPane; }

private:
    void UpdateSummary();

    CPreviewMapCtrl* m_mapPane = nullptr;
    wxSimplebook* m_panes = nullptr;
    wxStaticText* m_pointsText = nullptr;
    wxStaticText* m_rawText = nullptr;
    wxDECLARE_CLASS(CMorvelView);
};
