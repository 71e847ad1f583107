#include "shell/ui/CoordinateReport.h"

#include "core/DataFileFormat.h"
#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "model/PointRecord.h"
#include "model/SelectionDescription.h"
#include "model/SelectionFilter.h"
#include "platform/Profile.h"
#include "shell/CoordinateReportBuilder.h"
#include "shell/ui/ReportFieldCheckList.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {
constexpr int SelectionId = 1146;
} // namespace

CCoordinateReport::CCoordinateReport() : CStackableDialog(TemplateId, "Coordinate Report") {}

void CCoordinateReport::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* chipRow = new wxBoxSizer(wxHORIZONTAL);
    m_chip = new CGeneralSelectionChip(this, SelectionId);
    m_chip->SetDescription(&m_points);
    chipRow->Add(m_chip, 0, wxRIGHT, 6);
    chipRow->Add(new wxStaticText(this, wxID_ANY, "Select points to report."), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(chipRow, 0, wxBOTTOM, 8);
    auto* intro = new wxStaticText(this, wxID_ANY,
                                   "Select the fields to include in the report. Items may be dragged up and down "
                                   "to change the order of fields in the report. ");
    intro->Wrap(220);
    sizer->Add(intro, 0, wxBOTTOM, 4);
    m_fields = new CReportFieldCheckList(this, CoordinateFieldText);
    sizer->Add(m_fields, 1, wxEXPAND | wxBOTTOM, 8);

    AddReportPanelButtons(*this, sizer, [this](bool view) { BuildReport(view); });
    SetSizer(sizer);
}

bool CCoordinateReport::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    m_fields->Fill(LoadReportFields(GetAppProfile(), CoordinateReportKeys, [](int32_t) { return true; }));
    UpdateDataEx(false);
    SetActiveControl(m_chip);
    return true;
}

void CCoordinateReport::DoDataExchange(CDataExchange& dx)
{
    DDX_SelectionChip(&dx, SelectionId, *m_chip, m_points);
}

void CCoordinateReport::SaveFieldList() { SaveReportFields(GetAppProfile(), CoordinateReportKeys, m_fields->GetFields()); }

void CCoordinateReport::OnCancel()
{
    SaveFieldList();
    CStackableDialog::OnCancel();
}

bool CCoordinateReport::BuildReport(bool toMessageBar)
{
    SaveFieldList();
    if (!UpdateDataEx(true))
        return false;
    CStatusProgress progress;
    progress.Begin("Generating...");
    std::vector<const CPointRecord*> points;
    CSelectionCursor cursor;
    m_points.GetFirst(cursor);
    while (CRecord* record = m_points.GetNext(cursor))
        if (auto* point = dynamic_cast<const CPointRecord*>(record))
            points.push_back(point);
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (job == nullptr)
        return false;
    BuildCoordinateReport(GetReport(), std::move(points), m_fields->GetFields(), *job->GetDataFileFormat());
    if (toMessageBar)
        GetReport().ShowInMessageBar(false, false);
    else
        GetReport().OpenInEditor(job->GetJobFileName());
    return true;
}
