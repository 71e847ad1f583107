#include "exchange/ui/ImportAsciiFileDialog.h"

#include "exchange/ImportCommands.h"
#include "exchange/ui/AsciiColumnList.h"
#include "framework/ui/CheckListBox.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "transfer/browse/FsFileDialog.h"

#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

CImportAsciiFileDialog::CImportAsciiFileDialog()
    : CImportFileDialog("Import ASCII Coordinates", FileTypeAsciiImport)
{
    m_delimiterCode = CAsciiColumnLayout::LoadDelimiterCode(GetAppProfile());
}

void CImportAsciiFileDialog::BuildOwnControls(wxBoxSizer* sizer)
{
    const int gap = FromDIP(6);
    auto* row = new wxBoxSizer(wxHORIZONTAL);

    auto* columns = new wxStaticBoxSizer(wxVERTICAL, this, "Column Order");
    wxWindow* box = columns->GetStaticBox();
    m_columns = new CEasyCheckListBox(box, IdColumns, CEasyCheckListBox::DragToReorder);
    m_columns->SetMinSize(wxSize(FromDIP(160), FromDIP(110)));
    columns->Add(m_columns, 1, wxEXPAND | wxALL, gap / 2);
    auto* hint = new wxStaticText(box, wxID_ANY, "Drag items up and down to change column order.");
    hint->Wrap(FromDIP(170));
    columns->Add(hint, 0, wxALL, gap / 2);
    row->Add(columns, 1, wxEXPAND | wxRIGHT, gap);

    auto* right = new wxBoxSizer(wxVERTICAL);
    auto* delimiter = new wxStaticBoxSizer(wxVERTICAL, this, "Delimiter");
    wxWindow* dbox = delimiter->GetStaticBox();
    m_delimiters[0] = new wxRadioButton(dbox, IdCommas, "Commas", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_delimiters[1] = new wxRadioButton(dbox, IdTabs, "Tabs");
    m_delimiters[2] = new wxRadioButton(dbox, IdSpaces, "Spaces");
    for (wxRadioButton* radio : m_delimiters)
        delimiter->Add(radio, 0, wxALL, gap / 2);
    right->Add(delimiter, 0, wxEXPAND | wxBOTTOM, gap);
    right->Add(new wxStaticText(this, wxID_ANY, "Distance unit used in the ASCII file:"), 0, wxBOTTOM, gap / 2);
    right->Add(MakeUnitChoice(this), 0, wxEXPAND);
    row->Add(right, 1, wxEXPAND);

    sizer->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
}

bool CImportAsciiFileDialog::OnInitDialog()
{
    CImportFileDialog::OnInitDialog();
    CAsciiColumnLayout layout;
    layout.Load(GetAppProfile());
    FillAsciiColumnList(*m_columns, layout);
    // The list grew to show every column; the dialog is fitted to it after this.
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    m_delimiters[m_delimiterCode >= 0 && m_delimiterCode <= 2 ? m_delimiterCode : 0]->SetValue(true);
    return true;
}

CAsciiColumnLayout CImportAsciiFileDialog::GetLayoutFromList() const
{
    return ReadAsciiColumnList(*m_columns);
}

int32_t CImportAsciiFileDialog::GetSelectedDelimiterCode() const
{
    for (int32_t code = 0; code < 3; ++code)
        if (m_delimiters[code]->GetValue())
            return code;
    return AsciiDelimiterComma;
}

void CImportAsciiFileDialog::PreviewRenaming(const std::string& file)
{
    const CAsciiColumnLayout layout = GetLayoutFromList();
    PreviewAsciiFileRenaming(CDataFileDoc::GetActiveDoc(), file, layout.GetCheckedTypes(),
                             CAsciiColumnLayout::GetDelimiterText(GetSelectedDelimiterCode()), nullptr);
}

bool CImportAsciiFileDialog::OnFileNameOK()
{
    m_delimiterCode = GetSelectedDelimiterCode();
    m_distanceUnit = GetDistanceUnitSelection();
    const CAsciiColumnLayout layout = GetLayoutFromList();
    if (const std::string refusal = layout.CheckAccept(); !refusal.empty()) {
        ShowMessageBoxFS(refusal, MB_OK | MB_ICONERROR);
        return false;
    }
    m_types = layout.GetCheckedTypes();
    m_delimiter = CAsciiColumnLayout::GetDelimiterText(m_delimiterCode);
    CProfile& profile = GetAppProfile();
    CProfileBatch batch(profile);
    CAsciiColumnLayout::SaveDelimiterCode(profile, m_delimiterCode);
    layout.Save(profile);
    return true;
}
