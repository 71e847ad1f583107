#include "exchange/ui/ImportAutoCadFileDialog.h"

#include "exchange/ImportCommands.h"
#include "exchange/ui/PointBlockCheckListBox.h"
#include "model/DataFileDoc.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "transfer/browse/FsFileDialog.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

CImportAutoCadFileDialog::CImportAutoCadFileDialog()
    : CImportFileDialog("Import AutoCAD DXF", FileTypeDxfImport)
{
    m_dxf.Load(GetAppProfile());
}

void CImportAutoCadFileDialog::BuildOwnControls(wxBoxSizer* sizer)
{
    const int gap = FromDIP(6);
    auto* blocks = new wxStaticBoxSizer(wxVERTICAL, this, "Point Blocks");
    wxWindow* box = blocks->GetStaticBox();
    m_pointBlocks = new wxCheckBox(box, IdImportPointBlocks, "Import point blocks.");
    m_useCustom = new wxCheckBox(box, IdUseCustom, "Use a custom point block definition");
    blocks->Add(m_pointBlocks, 0, wxALL, gap / 2);
    blocks->Add(m_useCustom, 0, wxLEFT | wxBOTTOM, gap * 3);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_list = new CPointBlockCheckListBox(box, IdDefinition, false);
    m_list->SetMinSize(wxSize(FromDIP(150), FromDIP(90)));
    row->Add(m_list, 0, wxRIGHT, gap);
    m_hint = new wxStaticText(box, IdDragHint, "Drag items up and down to change column order.");
    m_hint->Wrap(FromDIP(160));
    row->Add(m_hint, 0, wxALIGN_CENTER_VERTICAL);
    blocks->Add(row, 0, wxLEFT | wxBOTTOM, gap * 3);
    sizer->Add(blocks, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);

    auto* unit = new wxBoxSizer(wxHORIZONTAL);
    unit->Add(new wxStaticText(this, wxID_ANY, "Distance unit used in the DXF file:"), 0,
              wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    unit->Add(MakeUnitChoice(this), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(unit, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);

    m_pointBlocks->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnImportPointBlocks(); });
    m_useCustom->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnUseCustomDefinition(); });
}

bool CImportAutoCadFileDialog::OnInitDialog()
{
    m_pointBlocks->SetValue(m_dxf.importPointBlocks);
    m_list->SetDefinition(m_dxf.definition);
    return CImportFileDialog::OnInitDialog();
}

void CImportAutoCadFileDialog::UpdateControls()
{
    CImportFileDialog::UpdateControls();
    m_useCustom->Enable(m_dxf.CustomSwitchEnabled());
    m_useCustom->SetValue(m_dxf.useCustomDefinition);
    m_list->Enable(m_dxf.DefinitionListEnabled());
    m_hint->Enable(m_dxf.DefinitionListEnabled());
}

void CImportAutoCadFileDialog::OnImportPointBlocks()
{
    m_dxf.importPointBlocks = m_pointBlocks->GetValue();
    UpdateControls();
}

void CImportAutoCadFileDialog::OnUseCustomDefinition()
{
    m_dxf.useCustomDefinition = m_useCustom->GetValue();
    UpdateControls();
}

void CImportAutoCadFileDialog::PreviewRenaming(const std::string& file)
{
    CDxfImportOptions current = m_dxf;
    current.definition = m_list->GetDefinition();
    PreviewDxfFileRenaming(CDataFileDoc::GetActiveDoc(), file, current.importPointBlocks,
                           current.EffectiveDefinition(), nullptr);
}

bool CImportAutoCadFileDialog::OnFileNameOK()
{
    m_distanceUnit = GetDistanceUnitSelection();
    m_dxf.definition = m_list->GetDefinition();
    m_dxf.importPointBlocks = m_pointBlocks->GetValue();
    m_dxf.useCustomDefinition = m_useCustom->GetValue();
    if (const std::string refusal = CheckDxfFileForImport(GetPathName()); !refusal.empty()) {
        ShowMessageBoxFS(refusal, MB_OK | MB_ICONERROR);
        return false;
    }
    m_dxf.Save(GetAppProfile());
    return true;
}
