#include "views/ui/MorvelView.h"

#include "framework/ui/WindowEvents.h"
#include "model/DataFileDoc.h"
#include "model/JobRawData.h"
#include "model/RecordDatabase.h"
#include "model/ui/MorvelFileSettings.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/simplebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_CLASS(CMorvelView, wxPanel);

namespace {
constexpr uint16_t PointRecords = 1;
}

CMorvelView::CMorvelView(wxWindow* parent, CDataFileDoc* document) : wxPanel(parent, wxID_ANY)
{
    m_panes = new wxSimplebook(this, wxID_ANY);
    auto makePane = [this](wxStaticText*& text) {
        auto* pane = new wxPanel(m_panes);
        text = new wxStaticText(pane, wxID_ANY, wxString());
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(text, 0, wxALL, 12);
        pane->SetSizer(sizer);
        return pane;
    };
    m_panes->AddPage(makePane(m_pointsText), "Coordinates");
    m_panes->AddPage(makePane(m_rawText), "Raw Data");
    // The map takes the top three quarters, as the splitter's default puts it.
    m_mapPane = new CPreviewMapCtrl(this, wxID_ANY);
    m_mapPane->SetDocument(document);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_mapPane, 3, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 6);
    sizer->Add(m_panes, 1, wxEXPAND);
    SetSizer(sizer);
    m_mapPane->InstallAsActiveJobMap();
    // An opened job is shown whole.
    m_mapPane->SetFirstLayoutHandler([this] {
        m_mapPane->Preview().ZoomExtents(true);
        m_mapPane->Preview().GetZoomHistory().RemoveAll();
    });

    Bind(EVT_REGENERATE_COORDINATES_80D4, [this](wxCommandEvent& e) { RegenerateCoordinates(e.GetInt()); });
    if (document)
        document->AddView(this);
    UpdateSummary();
}

CMorvelView::~CMorvelView() = default;

CDataFileDoc* CMorvelView::GetJob() const { return dynamic_cast<CDataFileDoc*>(GetDocument()); }

void CMorvelView::OnUpdate(CView*, intptr_t hint, intptr_t hintObject)
{
    m_mapPane->OnJobViewHint(int32_t(hint), hintObject, false);
    UpdateSummary();
}

int CMorvelView::GetCurrentTab() const { return m_panes->GetSelection(); }

void CMorvelView::SelectTab(int tab)
{
    if (tab < 0 || tab >= int(m_panes->GetPageCount()) || tab == GetCurrentTab())
        return;
    m_panes->ChangeSelection(size_t(tab));
}

void CMorvelView::RegenerateCoordinates(int options)
{
    CDataFileDoc* job = GetJob();
    if (!job)
        return;
    job->ReduceRawData((options & 1) != 0, (options & 2) != 0, nullptr, nullptr);
    UpdateSummary();
}

void CMorvelView::OnJobSettings()
{
    if (!GetJob())
        return;
    CMorvelFileSettings dialog;
    dialog.DoModal(wxGetTopLevelParent(this));
}

void CMorvelView::UpdateSummary()
{
    CDataFileDoc* job = GetJob();
    const int32_t points = job && job->GetRecordDatabase() ? job->GetRecordDatabase()->GetCount(PointRecords) : 0;
    const int32_t lines = job && job->GetRawDataFile() ? job->GetRawDataFile()->GetLineCount() : 0;
    m_pointsText->SetLabel(wxString::Format("%d points", int(points)));
    m_rawText->SetLabel(wxString::Format("%d raw data lines", int(lines)));
    m_pointsText->GetParent()->Layout();
    m_rawText->GetParent()->Layout();
}
