#include "transfer/ui/TransferGetJobFromDC.h"

#include "framework/ui/CustomButtons.h"
#include "framework/ui/ProgramServices.h"
#include "framework/ui/StaticLink.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "shell/DefaultFolders.h"
#include "transfer/serial/InstrumentModels.h"
#include "transfer/serial/JobDownload.h"
#include "transfer/serial/TransferText.h"
#include "transfer/ui/CustomTransferButton.h"
#include "transfer/ui/TransferLoopDialogs.h"
#include "transfer/ui/TransferWizardParts.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <memory>

CTransferGetJobFromDC::CTransferGetJobFromDC() : CTransferWizardPanel(TemplateId, "Get Job from Total Station") {}

CTransferGetJobFromDC::~CTransferGetJobFromDC() = default;

void CTransferGetJobFromDC::BuildControls()
{
    CProgramServices* app = GetProgramServices();
    auto* sizer = new wxBoxSizer(wxVERTICAL);

    AddModelRows(sizer);

    auto* rawRow = new wxBoxSizer(wxHORIZONTAL);
    if (app != nullptr)
        rawRow->Add(new CCustomWizardButton(this, WizardButtonId, app->GetIcons()), 0, wxRIGHT, 6);
    auto* rawText = new wxStaticText(this, wxID_ANY,
                                     "Click \"Download Raw\" to begin the process of downloading a job. "
                                     "Points will be reduced automatically from the downloaded raw data.");
    rawText->Wrap(InstructionWidth - 40);
    rawRow->Add(rawText, 1);
    sizer->Add(rawRow, 0, wxEXPAND | wxBOTTOM, 6);
    auto* downloadRaw = new wxButton(this, DownloadRawId, "&Download Raw...");
    sizer->Add(downloadRaw, 0, wxEXPAND | wxBOTTOM, 8);

    // What only the models that send coordinates show.
    auto* before = new wxStaticText(this, 6776, wxString());
    auto* orLabel = new CStaticBold(this, OrId, "OR");
    orLabel->SetBold(true);
    auto* after = new wxStaticText(this, 6777, wxString());
    wxWindow* icon = nullptr;
    if (const wxBitmap* bitmap = app ? app->GetIcon(CCustomWizardButton::IconId, true) : nullptr)
        icon = new wxStaticBitmap(this, IconId, *bitmap);
    else
        icon = new wxStaticText(this, IconId, wxString());
    auto* hint = new CStaticBold(this, CoordinateHintId,
                                 "Click \"Download Coordinates\" only if raw data is not available.");
    hint->Wrap(InstructionWidth - 30);
    m_downloadCoordinates = new wxButton(this, DownloadCoordinatesId, "&Download Coordinates...");
    auto* orRow = new wxBoxSizer(wxHORIZONTAL);
    orRow->Add(before, 1, wxALIGN_CENTRE_VERTICAL);
    orRow->Add(orLabel, 0, wxLEFT | wxRIGHT, 8);
    orRow->Add(after, 1, wxALIGN_CENTRE_VERTICAL);
    sizer->Add(orRow, 0, wxEXPAND | wxBOTTOM, 6);
    auto* hintRow = new wxBoxSizer(wxHORIZONTAL);
    hintRow->Add(icon, 0, wxRIGHT, 6);
    hintRow->Add(hint, 1);
    sizer->Add(hintRow, 0, wxEXPAND | wxBOTTOM, 6);
    sizer->Add(m_downloadCoordinates, 0, wxEXPAND | wxBOTTOM, 8);
    m_coordinateControls = {before, after, icon, orLabel, hint, m_downloadCoordinates};

    auto* settings = new wxButton(this, SettingsId, "Transfer Settings...");
    auto* close = new wxButton(this, wxID_ANY, "&Close");
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(settings, 1, wxRIGHT, 6);
    row->Add(close, 0);
    sizer->Add(row, 0, wxEXPAND);

    downloadRaw->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDownloadRaw(); });
    m_downloadCoordinates->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDownloadCoordinates(); });
    settings->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnTransferSettings(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    SetSizer(sizer);
}

bool CTransferGetJobFromDC::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    RefreshModel();
    return true;
}

void CTransferGetJobFromDC::RefreshModel()
{
    const CMorvelSettings& settings = GetMorvelSettings();
    std::string text;
    GetDownloadInstructions(text, settings.GetModelIndex());
    ShowModel(text);
    const bool coordinates = GetInstrumentModel(settings.GetModelIndex()).coordinateDownloads;
    for (wxWindow* control : m_coordinateControls)
        control->Show(coordinates);
    Layout();
}

namespace {

bool RunGetJob(wxWindow* owner, std::string& proposedName, bool raw)
{
    CProgramServices* app = GetProgramServices();
    if (app == nullptr)
        return false;
    const CMorvelSettings& settings = GetMorvelSettings();
    auto busy = std::make_shared<std::unique_ptr<wxBusyCursor>>();
    GetJobHooks hooks;
    hooks.receive = [owner, busy](const std::string& path) {
        if (!RunReceiveLoop(owner, path))
            return false;
        *busy = std::make_unique<wxBusyCursor>();
        return true;
    };
    hooks.promptSave = [app](std::string& path, int code, const std::string& title) {
        return app->PromptSaveFileName(path, code, title.c_str()) == IDOK;
    };
    hooks.openJob = [app](const std::string& path) { return app->OpenJobByPath(path); };
    if (const CDataFileDoc* job = CDataFileDoc::GetActiveDoc())
        hooks.openJobPath = job->GetPathName();
    GetDefaultBackupFolder(hooks.backupFolder);
    hooks.enableBackups = settings.GetEnableBackups();
    hooks.modelIndex = settings.GetModelIndex();
    return ::GetJob(proposedName, raw, hooks);
}

// Opening the new job closes the panels of the old one, this one too: the download runs after
// the button's event is done, so no window of the panel is in use when that happens.
void GetJobLater(wxWindow* owner, bool raw)
{
    if (wxTheApp == nullptr)
        return;
    wxTheApp->CallAfter([owner, raw] {
        std::string name;
        RunGetJob(owner, name, raw);
    });
}

} // namespace

void CTransferGetJobFromDC::OnDownloadRaw() { GetJobLater(wxGetTopLevelParent(this), true); }

void CTransferGetJobFromDC::OnDownloadCoordinates() { GetJobLater(wxGetTopLevelParent(this), false); }

bool CTransferGetJobFromDC::GetJob(std::string& proposedName, bool raw)
{
    return RunGetJob(wxGetTopLevelParent(this), proposedName, raw);
}
