#include "exchange/ui/ExportAscii.h"

#include "exchange/AsciiExportWriter.h"
#include "exchange/ui/AsciiColumnList.h"
#include "exchange/ui/ExportPanelLayout.h"
#include "framework/ui/CheckListBox.h"
#include "framework/ui/WindowHelpers.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "transfer/browse/FsFileDialog.h"
#include "views/ui/SelectionChip.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

CExportAscii::CExportAscii() : CStackableDialog(TemplateId, "Export ASCII Coordinates")
{
    m_delimiterCode = CAsciiColumnLayout::LoadDelimiterCode(GetAppProfile());
}

void CExportAscii::BuildControls()
{
    const int gap = FromDIP(4);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_chip = AddExportHeading(this, sizer, "Use this to export selected points to an ASCII file.", IdChip,
                              true);

    auto* order = new wxStaticBoxSizer(wxVERTICAL, this, "Column Order");
    wxWindow* box = order->GetStaticBox();
    auto* text = new wxStaticText(box, wxID_ANY,
                                  "Select which columns to export in the list below by checking them. You may drag "
                                  "items up and down in the list below to change the order of the columns written "
                                  "to the ASCII file.");
    text->Wrap(FromDIP(210));
    order->Add(text, 0, wxALL, gap);
    m_columns = new CEasyCheckListBox(box, IdColumns, CEasyCheckListBox::DragToReorder);
    m_columns->SetMinSize(wxSize(-1, FromDIP(100)));
    order->Add(m_columns, 1, wxEXPAND | wxALL, gap);
    sizer->Add(order, 0, wxEXPAND | wxBOTTOM, gap * 2);

    auto* delimiter = new wxStaticBoxSizer(wxHORIZONTAL, this, "Delimiter");
    wxWindow* dbox = delimiter->GetStaticBox();
    m_delimiters[0] = new wxRadioButton(dbox, IdCommas, "Commas", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_delimiters[1] = new wxRadioButton(dbox, IdTabs, "Tabs");
    m_delimiters[2] = new wxRadioButton(dbox, IdSpaces, "Spaces");
    for (wxRadioButton* radio : m_delimiters)
        delimiter->Add(radio, 0, wxALL, gap);
    sizer->Add(delimiter, 0, wxEXPAND | wxBOTTOM, gap * 2);

    auto [exportButton, close] = AddExportButtons(this, sizer, IdExport, "&Export...");
    SetSizer(sizer);

    exportButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnExport(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CExportAscii::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    CAsciiColumnLayout layout;
    layout.Load(GetAppProfile());
    FillAsciiColumnList(*m_columns, layout);
    Layout();
    UpdateDataEx(false);
    SetActiveControl(m_chip);
    return true;
}

void CExportAscii::DoDataExchange(CDataExchange& dx)
{
    if (dx.m_bSaveAndValidate) {
        m_delimiterCode = AsciiDelimiterComma;
        for (int32_t code = 0; code < 3; ++code)
            if (m_delimiters[code]->GetValue())
                m_delimiterCode = code;
    } else {
        m_delimiters[m_delimiterCode >= 0 && m_delimiterCode <= 2 ? m_delimiterCode : 0]->SetValue(true);
    }
    DDX_SelectionChip(&dx, IdChip, *m_chip, m_points);
}

CAsciiColumnLayout CExportAscii::GetLayoutFromList() const
{
    return ReadAsciiColumnList(*m_columns);
}

void CExportAscii::OnExport()
{
    if (!UpdateDataEx(true))
        return;
    std::string path;
    CFsFileDialog prompt;
    if (prompt.PromptSave(path, FileTypeAsciiExport, std::string()) != IDOK)
        return;
    const CAsciiColumnLayout layout = GetLayoutFromList();
    CAsciiExportWriter writer(nullptr, layout, m_delimiterCode);
    writer.WriteFile(path);
    // Stored whatever the write gave, so the user's layout is kept for the next try.
    CProfile& profile = GetAppProfile();
    CProfileBatch batch(profile);
    CAsciiColumnLayout::SaveDelimiterCode(profile, m_delimiterCode);
    layout.Save(profile);
}
