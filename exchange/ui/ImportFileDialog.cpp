#include "exchange/ui/ImportFileDialog.h"

#include "core/DataExchange.h"
#include "core/PathHelpers.h"
#include "framework/ui/EasyEdit.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "shell/RunUserPreferences.h"
#include "transfer/browse/FsFileDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

CImportFileDialog::CImportFileDialog(const wxString& title, int32_t fileTypeCode)
    : CEasyDialog(title), m_fileTypeCode(fileTypeCode)
{
    m_options.Load(GetAppProfile());
}

void CImportFileDialog::BuildControls()
{
    const int gap = FromDIP(6);
    auto* sizer = new wxBoxSizer(wxVERTICAL);

    auto* file = new wxBoxSizer(wxHORIZONTAL);
    file->Add(new wxStaticText(this, wxID_ANY, "File name:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    m_path = new CEasyEdit(this, IdPath);
    m_path->SetMinSize(wxSize(FromDIP(320), -1));
    file->Add(m_path, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    auto* browse = new wxButton(this, IdBrowse, "Browse...");
    file->Add(browse, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(file, 0, wxEXPAND | wxALL, gap);

    BuildOwnControls(sizer);

    auto* names = new wxStaticBoxSizer(wxVERTICAL, this, "Point Name Options");
    wxWindow* box = names->GetStaticBox();
    m_useRules = new wxRadioButton(box, IdUseRules, "Use point rename rules.", wxDefaultPosition, wxDefaultSize,
                                   wxRB_GROUP);
    m_overwrite = new wxRadioButton(box, IdOverwrite, "Overwrite existing points with the same name.");
    names->Add(m_useRules, 0, wxALL, gap / 2);
    auto* ruleButtons = new wxBoxSizer(wxHORIZONTAL);
    m_openRules = new wxButton(box, IdOpenRules, "Open Rules...");
    m_preview = new wxButton(box, IdPreview, "Preview Renaming Report");
    ruleButtons->Add(m_openRules, 0, wxRIGHT, gap);
    ruleButtons->Add(m_preview);
    names->Add(ruleButtons, 0, wxLEFT | wxBOTTOM, gap * 3);
    names->Add(m_overwrite, 0, wxALL, gap / 2);
    sizer->Add(names, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);

    auto* options = new wxStaticBoxSizer(wxVERTICAL, this, "Import Options");
    m_report = new wxCheckBox(options->GetStaticBox(), IdReport, "Generate and display a report after importing.");
    options->Add(m_report, 0, wxALL, gap / 2);
    BuildImportOptions(options);
    sizer->Add(options, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "Import");
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    ok->SetDefault();
    buttons->AddStretchSpacer();
    buttons->Add(ok, 0, wxRIGHT, gap);
    buttons->Add(cancel);
    sizer->Add(buttons, 0, wxEXPAND | wxALL, gap);
    SetSizerAndFit(sizer);

    browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });
    m_openRules->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOpenRules(); });
    m_preview->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnPreviewRenamingReport(); });
    m_useRules->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnPointNameOption(0); });
    m_overwrite->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnPointNameOption(1); });
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); });
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CImportFileDialog::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    (m_options.pointNameOption == 1 ? m_overwrite : m_useRules)->SetValue(true);
    m_report->SetValue(m_options.reportFlag);
    UpdateControls();
    return true;
}

wxChoice* CImportFileDialog::MakeUnitChoice(wxWindow* parent)
{
    m_units = new wxChoice(parent, IdUnits);
    for (const char* unit : {"Meters", "Feet", "US Feet"})
        m_units->Append(unit);
    // The file's unit is not remembered: the job's own is the likeliest.
    if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc()) {
        const int unit = job->GetSurveyUnits();
        if (unit >= 0 && unit <= 2)
            m_units->SetSelection(unit);
    }
    return m_units;
}

int32_t CImportFileDialog::GetDistanceUnitSelection() const
{
    const int selection = m_units ? m_units->GetSelection() : wxNOT_FOUND;
    return selection >= 0 && selection <= 2 ? selection : 0;
}

std::string CImportFileDialog::GetPathName() const { return m_path ? FromWx(m_path->GetValue()) : std::string(); }

void CImportFileDialog::SetPathName(const std::string& path)
{
    if (m_path) {
        m_path->ChangeValue(ToWx(path));
        // The file's own name is at the end: keep it in view.
        m_path->SetInsertionPointEnd();
    }
}

std::string CImportFileDialog::GetFileToOpen() const
{
    return CFsFileDialog::ResolveChosenFile(GetPathName(), m_fileTypeCode, true, FileExists).path;
}

void CImportFileDialog::OnBrowse()
{
    std::string path = GetPathName();
    CFsFileDialog prompt;
    if (prompt.PromptOpen(path, m_fileTypeCode, std::string()) == IDOK)
        SetPathName(path);
}

void CImportFileDialog::OnOpenRules() { RunUserPreferences(PreferencesRenameRulesPage); }

void CImportFileDialog::OnPointNameOption(int32_t option)
{
    m_options.pointNameOption = option;
    (option == 1 ? m_overwrite : m_useRules)->SetValue(true);
    UpdateControls();
}

void CImportFileDialog::UpdateControls()
{
    m_openRules->Enable(m_options.RenameToolsEnabled());
    m_preview->Enable(m_options.RenameToolsEnabled());
}

void CImportFileDialog::ReadOptionControls()
{
    m_options.pointNameOption = m_overwrite->GetValue() ? 1 : 0;
    m_options.reportFlag = m_report->GetValue();
}

bool CImportFileDialog::GetExistingFile(std::string& file)
{
    // An empty field has no file to check, and the command would only refuse it afterwards.
    if (GetPathName().empty()) {
        ShowMessageBoxFS("Choose a file first", MB_OK);
        return false;
    }
    // A typed name means what it would in the file dialog; one that names no file is refused at
    // the field, so the choices made in the dialog stay.
    file = GetFileToOpen();
    if (FileExists(file))
        return true;
    RunDataExchange(*this, true, [](CDataExchange& dx) {
        dx.PrepareEditCtrl(IdPath);
        FailWithText(&dx, IdPath, "File not found", false);
    });
    return false;
}

void CImportFileDialog::OnPreviewRenamingReport()
{
    std::string file;
    if (GetExistingFile(file))
        PreviewRenaming(file);
}

void CImportFileDialog::OnOK()
{
    std::string file;
    if (!GetExistingFile(file))
        return;
    SetPathName(file);
    ReadOptionControls();
    if (!OnFileNameOK())
        return;
    m_options.Save(GetAppProfile());
    EndDialog(wxID_OK);
}
