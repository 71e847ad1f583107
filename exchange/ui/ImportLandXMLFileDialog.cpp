#include "exchange/ui/ImportLandXMLFileDialog.h"

#include "exchange/ImportCommands.h"
#include "exchange/ImportOptionsGroup.h"
#include "model/DataFileDoc.h"
#include "platform/Profile.h"
#include "transfer/browse/FsFileDialog.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

CImportLandXMLFileDialog::CImportLandXMLFileDialog()
    : CImportFileDialog("Import LandXML File", FileTypeLandXmlImport)
{
    m_descriptionOption = LoadLandXmlDescriptionOption(GetAppProfile());
}

void CImportLandXMLFileDialog::BuildImportOptions(wxStaticBoxSizer* group)
{
    const int gap = FromDIP(6);
    wxWindow* box = group->GetStaticBox();
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    line->Add(new wxStaticText(box, wxID_ANY, "Use"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    m_description = new wxChoice(box, IdDescription);
    m_description->Append("code");
    m_description->Append("desc");
    line->Add(m_description, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    line->Add(new wxStaticText(box, wxID_ANY, "for point descriptions"), 0, wxALIGN_CENTER_VERTICAL);
    group->Add(line, 0, wxALL, gap / 2);
}

bool CImportLandXMLFileDialog::OnInitDialog()
{
    CImportFileDialog::OnInitDialog();
    m_description->SetSelection(m_descriptionOption == 0 ? 0 : 1);
    return true;
}

void CImportLandXMLFileDialog::PreviewRenaming(const std::string& file)
{
    PreviewLandXmlFileRenaming(CDataFileDoc::GetActiveDoc(), file,
                               m_description->GetSelection() == 0 ? 0 : 1, nullptr);
}

bool CImportLandXMLFileDialog::OnFileNameOK()
{
    m_descriptionOption = m_description->GetSelection() == 0 ? 0 : 1;
    SaveLandXmlDescriptionOption(GetAppProfile(), m_descriptionOption);
    return true;
}
