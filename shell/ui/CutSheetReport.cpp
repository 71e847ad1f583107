#include "shell/ui/CutSheetReport.h"

#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "platform/BusyCursor.h"
#include "platform/Profile.h"
#include "rawdata/RawDataFile.h"
#include "shell/CutSheetReportBuilder.h"
#include "shell/ui/ReportFieldCheckList.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {
} // namespace

CCutSheetPointStakePage::CCutSheetPointStakePage() : CEasyTabPage(TemplateId, "Point Stake") {}

void CCutSheetPointStakePage::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* intro = new wxStaticText(this, wxID_ANY,
                                   "Select additional fields that you want to include in the report. You can drag "
                                   "the item up and down to change the order of fields in the report. ");
    intro->Wrap(220);
    sizer->Add(intro, 0, wxALL, 4);
    m_fields = new CReportFieldCheckList(this, CutSheetFieldText);
    sizer->Add(m_fields, 1, wxEXPAND | wxALL, 4);
    sizer->Add(new wxStaticText(this, wxID_ANY,
                                "The following fields will always be generated in the report:\n1. Design Point "
                                "Name\n2. As Built Point Name\n3. Cut/Fill Info\n"),
               0, wxALL, 4);
    SetSizer(sizer);
}

bool CCutSheetPointStakePage::OnInitDialog()
{
    CEasyTabPage::OnInitDialog();
    m_fields->Fill(LoadReportFields(GetAppProfile(), CutSheetReportKeys, IsCutSheetFieldCheckedByDefault));
    return true;
}

void CCutSheetPointStakePage::SaveFieldList()
{
    SaveReportFields(GetAppProfile(), CutSheetReportKeys, m_fields->GetFields());
}

bool CCutSheetPointStakePage::BuildReport(bool toMessageBar, CReport& report)
{
    if (!UpdateDataEx(true))
        return false;
    SaveFieldList();
    CBusyCursor busy;
    CStatusProgress progress;
    progress.Begin("Generating point stake cut sheet report");
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    BuildCutSheetReport(report, m_fields->GetFields(), job ? RawDataFileOf(job) : nullptr);
    progress.End();
    if (toMessageBar)
        report.ShowInMessageBar(false, false);
    else
        report.OpenInEditor(job ? job->GetJobFileName() : std::string());
    return true;
}

CCutSheetReport::CCutSheetReport() : CStackableDialog(TemplateId, "Cut Sheet Report"), m_page(new CCutSheetPointStakePage) {}

CCutSheetReport::~CCutSheetReport()
{
    // A page that never got its window is still ours.
    if (!m_page->GetHandle())
        delete m_page;
}

void CCutSheetReport::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_tab = new CEasyTab(this, TabId);
    sizer->Add(m_tab, 1, wxEXPAND | wxBOTTOM, 8);
    AddReportPanelButtons(*this, sizer, [this](bool view) { BuildReport(view); });
    SetSizer(sizer);
}

bool CCutSheetReport::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    m_tab->AddPage("Point Stake", m_page, CCutSheetPointStakePage::TemplateId);
    m_tab->SelectPage(0);
    Layout();
    // The keyboard starts on the field list, not on the tab strip of the one page, where the
    // first Space would do nothing.
    SetActiveControl(m_page->GetFieldList());
    return true;
}

void CCutSheetReport::DoDataExchange(CDataExchange& dx) { DDX_EasyTab(dx, *m_tab); }

bool CCutSheetReport::BuildReport(bool toMessageBar) { return m_page->BuildReport(toMessageBar, GetReport()); }

void CCutSheetReport::OnCancel()
{
    m_page->SaveFieldList();
    CStackableDialog::OnCancel();
}
