#include "exchange/ui/ExportACad.h"

#include "cogo/ui/AnchorFields.h"
#include "core/FieldExchange.h"
#include "exchange/ExportCommands.h"
#include "exchange/ui/ExportPanelLayout.h"
#include "exchange/ui/PointBlockCheckListBox.h"
#include "model/DataFileDoc.h"
#include "model/JobFileMathConversions.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "transfer/browse/FsFileDialog.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

const CMathConversions* JobConversions()
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    return job ? job->GetMathConversions() : nullptr;
}

} // namespace

CExportACad::CExportACad() : CStackableDialog(TemplateId, "Export AutoCAD")
{
    m_settings.Load(GetAppProfile(), JobConversions());
}

void CExportACad::BuildControls()
{
    const int gap = FromDIP(4);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_chip = AddExportHeading(this, sizer, "Use this to export selected points to a DXF file.  ", IdChip);

    m_pointBlocks = new wxCheckBox(this, IdExportPointBlocks, "Export point blocks");
    sizer->Add(m_pointBlocks, 0, wxBOTTOM, gap * 2);
    sizer->Add(new wxStaticText(this, wxID_ANY, "Point block definition:"), 0, wxBOTTOM, gap);
    m_list = new CPointBlockCheckListBox(this, IdDefinition, true);
    m_list->SetMinSize(wxSize(-1, FromDIP(100)));
    sizer->Add(m_list, 0, wxEXPAND | wxBOTTOM, gap * 2);

    // The unit labels' ids make the dialog show the job's distance unit beside each field.
    auto* grid = new wxFlexGridSizer(3, gap, gap * 2);
    grid->AddGrowableCol(1);
    m_height = new CHorizontalDistanceControl(this, IdTextHeight);
    m_spacing = new CHorizontalDistanceControl(this, IdVerticalSpacing);
    grid->Add(new wxStaticText(this, wxID_ANY, "Text height:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_height, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, IdTextHeightUnit, "m"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(this, wxID_ANY, "Vertical spacing:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_spacing, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, IdVerticalSpacingUnit, "m"), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(grid, 0, wxEXPAND | wxBOTTOM, gap * 2);

    auto [exportButton, close] = AddExportButtons(this, sizer, wxID_OK, "Export...");
    SetSizer(sizer);

    m_pointBlocks->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnExportPointBlocks(); });
    exportButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CExportACad::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    UpdateControls();
    SetActiveControl(m_chip);
    return true;
}

void CExportACad::DoDataExchange(CDataExchange& dx)
{
    const bool save = dx.m_bSaveAndValidate;
    if (save)
        m_settings.exportPointBlocks = m_pointBlocks->GetValue();
    else
        m_pointBlocks->SetValue(m_settings.exportPointBlocks);
    DDX_SelectionChip(&dx, IdChip, *m_chip, m_points);
    // Disabled fields are not checked: a plain-point export does not need them.
    if (!save || m_settings.exportPointBlocks) {
        DDX_HorizontalDistance(&dx, IdTextHeight, m_settings.textHeight);
        DDX_HorizontalDistance(&dx, IdVerticalSpacing, m_settings.verticalSpacing);
    }
    if (save)
        m_settings.definition = m_list->GetDefinition();
    else
        m_list->SetDefinition(m_settings.definition);
}

void CExportACad::UpdateControls()
{
    m_list->Enable(m_settings.exportPointBlocks);
    m_height->Enable(m_settings.exportPointBlocks);
    m_spacing->Enable(m_settings.exportPointBlocks);
}

void CExportACad::OnExportPointBlocks()
{
    m_settings.exportPointBlocks = m_pointBlocks->GetValue();
    UpdateControls();
    if (m_settings.exportPointBlocks)
        m_height->SetFocus();
}

void CExportACad::OnOK()
{
    if (!UpdateDataEx(true))
        return;
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (job == nullptr)
        return;
    m_settings.SaveBeforePrompt(GetAppProfile(), job->GetMathConversions());
    std::string path;
    CFsFileDialog prompt;
    if (prompt.PromptSave(path, FileTypeDxfExport, std::string()) != IDOK)
        return;
    RunExportDxfCommand(*job, path, m_settings.exportPointBlocks, m_settings.definition, m_settings.textHeight,
                        m_settings.verticalSpacing);
}
