#include "exchange/ui/ExportLandXML.h"

#include "core/MathConversions.h"
#include "exchange/ImportOptionsGroup.h"
#include "exchange/ui/ExportPanelLayout.h"
#include "landxml/FSDataFileSaveXML.h"
#include "model/DataFileDoc.h"
#include "model/JobFileMathConversions.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "transfer/browse/FsFileDialog.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CExportLandXML::CExportLandXML() : CStackableDialog(TemplateId, "Export LandXML File")
{
    m_descriptionOption = LoadLandXmlDescriptionOption(GetAppProfile());
}

void CExportLandXML::BuildControls()
{
    const int gap = FromDIP(4);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_chip = AddExportHeading(this, sizer, "Use this to export selected points to a LandXML(*.xml) file.  ", IdChip);
    auto* descriptionRow = new wxBoxSizer(wxHORIZONTAL);
    descriptionRow->Add(new wxStaticText(this, wxID_ANY, "Export point description as:"), 0,
                        wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    m_description = new wxChoice(this, IdDescription);
    descriptionRow->Add(m_description, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(descriptionRow, 0, wxBOTTOM, gap * 2);

    auto [exportButton, close] = AddExportButtons(this, sizer, IdExport, "Export...");
    SetSizer(sizer);

    exportButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnExport(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CExportLandXML::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    SetActiveControl(m_chip);
    return true;
}

void CExportLandXML::DoDataExchange(CDataExchange& dx)
{
    DDX_SelectionChip(&dx, IdChip, *m_chip, m_points);
    if (dx.m_bSaveAndValidate) {
        m_descriptionOption = m_description->GetSelection() == 0 ? 0 : 1;
    } else {
        if (m_description->IsEmpty()) {
            m_description->Append("code");
            m_description->Append("desc");
        }
        m_description->SetSelection(m_descriptionOption == 0 ? 0 : 1);
    }
}

void CExportLandXML::OnExport()
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (job == nullptr || !UpdateDataEx(true))
        return;
    std::string path = m_lastPath;
    CFsFileDialog prompt;
    if (prompt.PromptSave(path, FileTypeLandXmlExport, std::string()) != IDOK)
        return;
    m_lastPath = path;
    FSDataFileSaveXML writer;
    const int unitCode = LandXmlExportUnitCode(job->GetMathConversions()->GetDistanceUnits());
    writer.SetExportOptions(false, true);
    writer.SetDescriptionMode(m_descriptionOption);
    SaveLandXmlDescriptionOption(GetAppProfile(), m_descriptionOption);
    int count = 0;
    // The writer has told the user when the file could not be written.
    if (!writer.WriteFile(path, unitCode, job, count))
        return;
    ShowPlainMessageBox("Wrote " + std::to_string(count) + " points to " + path);
}
