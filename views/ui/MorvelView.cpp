#include "views/ui/MorvelView.h"

#include "framework/ui/WindowEvents.h"
#include "model/DataFileDoc.h"
#include "model/ui/MorvelFileSettings.h"

wxIMPLEMENT_CLASS(CMorvelView, wxPanel);

CMorvelView::CMorvelView(wxWindow* parent, CDataFileDoc* document) : CDataFileView(parent, document)
{
    Bind(EVT_REGENERATE_COORDINATES_80D4, [this](wxCommandEvent& e) { RegenerateCoordinates(e.GetInt()); });
}

CMorvelView::~CMorvelView() = default;

void CMorvelView::SelectTab(int tab)
{
    if (tab == RawDataTab)
        ShowRawDataTab();
    else if (tab == PointsTab)
        ShowPointsTab();
}

void CMorvelView::RegenerateCoordinates(int options)
{
    CDataFileDoc* job = GetJob();
    if (!job)
        return;
    ShowRawDataTab();
    job->ReduceRawData((options & 1) != 0, (options & 2) != 0, nullptr, nullptr);
}

void CMorvelView::OnJobSettings()
{
    if (!GetJob())
        return;
    CMorvelFileSettings dialog;
    dialog.DoModal(wxGetTopLevelParent(this));
}
