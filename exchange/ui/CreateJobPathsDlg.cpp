#include "exchange/ui/CreateJobPathsDlg.h"

#include "core/DataExchange.h"
#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/TextFieldExchange.h"
#include "framework/ui/EasyEdit.h"
#include "framework/ui/ProgramServices.h"
#include "model/DataFileDoc.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "transfer/browse/FsFileDialog.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {

constexpr int EditWidth = 360;

wxSizer* PromptRow(wxWindow* parent, const char* art, const char* text)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(parent, wxID_ANY, wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    row->Add(new wxStaticText(parent, wxID_ANY, text), 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

} // namespace

CCreateJobPathsDlg::CCreateJobPathsDlg(const Layout& layout, CreateJobPathKeys keys)
    : CEasyDialog(layout.title), m_layout(layout), m_keys(std::move(keys))
{
    LoadCreateJobPaths(GetAppProfile(), m_keys, m_source, m_job);
}

// What the fields hold when the dialog goes is remembered, whichever button closed it.
CCreateJobPathsDlg::~CCreateJobPathsDlg()
{
    if (m_sourceEdit && m_jobEdit)
        StoreCreateJobPaths(GetAppProfile(), m_keys, m_sourceEdit->GetValue().utf8_string(),
                            m_jobEdit->GetValue().utf8_string());
}

void CCreateJobPathsDlg::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto field = [&](const char* art, const char* prompt, int editId, int browseId, CEasyEdit*& edit) {
        sizer->Add(PromptRow(this, art, prompt), 0, wxBOTTOM, 4);
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        edit = new CEasyEdit(this, editId);
        edit->SetMinSize(wxSize(FromDIP(EditWidth), -1));
        edit->m_nFocusSelection = CEasyEdit::CaretAtEndOnFocus;
        row->Add(edit, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
        row->Add(new wxButton(this, browseId, "Browse..."), 0, wxALIGN_CENTER_VERTICAL);
        sizer->Add(row, 0, wxEXPAND | wxBOTTOM, 12);
    };
    field(wxART_FILE_OPEN, m_layout.sourcePrompt, m_layout.sourceEditId, m_layout.sourceBrowseId, m_sourceEdit);
    field(wxART_NEW, "Enter a Job name to create", JobEditId, JobBrowseId, m_jobEdit);
    SetSizer(sizer);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseSource(); }, m_layout.sourceBrowseId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowseJob(); }, JobBrowseId);
}

bool CCreateJobPathsDlg::OnInitDialog()
{
    CEasyDialog::OnInitDialog();
    UpdateDataEx(false);
    for (CEasyEdit* edit : {m_sourceEdit, m_jobEdit})
        edit->SetInsertionPointEnd();
    return true;
}

void CCreateJobPathsDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_String(&dx, m_layout.sourceEditId, m_source);
    DDX_String(&dx, JobEditId, m_job);
    if (dx.m_bSaveAndValidate && !FileExists(m_source)) {
        dx.PrepareEditCtrl(m_layout.sourceEditId);
        ShowDdxError(&dx, m_layout.sourceEditId, "File not found");
        dx.Fail();
    }
}

std::string CCreateJobPathsDlg::BrowseStart(const CEasyEdit* edit) const
{
    const std::string folder = GetPathFolderOrEmpty(edit->GetValue().utf8_string());
    return !folder.empty() && FolderExists(folder) ? folder : std::string();
}

void CCreateJobPathsDlg::OnBrowseSource()
{
    CProgramServices* app = GetProgramServices();
    std::string path = BrowseStart(m_sourceEdit);
    if (app && app->PromptOpenFileName(path, m_layout.sourceFileType, m_layout.sourceBrowseTitle) == IDOK)
        m_sourceEdit->ChangeValue(wxString::FromUTF8(path));
}

void CCreateJobPathsDlg::OnBrowseJob()
{
    CProgramServices* app = GetProgramServices();
    std::string path = BrowseStart(m_jobEdit);
    if (app && app->PromptSaveFileName(path, FileTypeSaveJobAs, "Save Job file as") == IDOK)
        m_jobEdit->ChangeValue(wxString::FromUTF8(path));
}

void CCreateJobPathsDlg::OnOK()
{
    if (!UpdateDataEx(true))
        return;
    ForceJobFileExtension(m_job);
    // Named as the file dialog names it: "X.mvj" beside X.Mvj is that job, asked about below.
    const ChosenFile file = CFsFileDialog::ResolveChosenFile(m_job, FileTypeSaveJobAs, false, FileExists);
    m_job = file.path;
    if (m_jobEdit->GetValue() != wxString::FromUTF8(m_job))
        m_jobEdit->ChangeValue(wxString::FromUTF8(m_job));
    const bool usable = RunDataExchange(*this, true, [this, &file](CDataExchange& dx) {
        dx.PrepareEditCtrl(JobEditId);
        // Refused here, so the dialog stays with both names for another one; before the question
        // about replacing the file, which is never to be replaced.
        if (const CDataFileDoc* open = CDataFileDoc::GetActiveDoc(); open && RefuseOpenJob(m_job, open->GetPathName()))
            dx.Fail();
        DDV_FilePath(&dx, JobEditId, m_job);
        // The command writes the raw data file beside the job too: a lone one is not replaced
        // without a question. Beside an existing job it was asked about with the job.
        if (!file.exists && !file.partner.empty() && !AskToReplaceFile(file.partner))
            dx.Fail();
    });
    if (usable)
        EndDialog(wxID_OK);
}
