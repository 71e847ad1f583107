#include "rawdata/ui/ReduceRawData.h"

#include "core/DataExchange.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/Icons.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "platform/Profile.h"
#include "rawdata/ui/RawPanels.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace {
constexpr const char* Section = "RegenerationOptions";

wxStaticText* WrappedText(wxWindow* parent, const char* text)
{
    auto* label = new wxStaticText(parent, wxID_ANY, text);
    label->Wrap(260);
    return label;
}
} // namespace

CReduceRawData::CReduceRawData() : CRawDataPanel(ReduceRawDataTemplate, "Raw Data Reduction") {}

CReduceRawData::~CReduceRawData() = default;

void CReduceRawData::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(MakeHead(7051, "Select reduction options and click [Reduce] to reduce raw data.", 260), 0,
               wxEXPAND | wxBOTTOM, 8);

    auto* options = new wxStaticBoxSizer(wxVERTICAL, this, "Raw Data Reduction Options");
    wxWindow* box = options->GetStaticBox();
    auto* storeRow = new wxBoxSizer(wxHORIZONTAL);
    auto* deletedRow = new wxBoxSizer(wxHORIZONTAL);
    // The two step marks carry no command.
    if (CIcons* icons = raw_panels::Icons()) {
        storeRow->Add(new CCustomWizardButton(box, 2103, *icons), 0, wxRIGHT, 4);
        deletedRow->Add(new CCustomWizardButton(box, 2104, *icons), 0, wxRIGHT, 4);
    }
    m_ignoreStore = new wxCheckBox(box, IgnoreStoreId, "");
    m_ignoreStore->SetLabel(
        raw_panels::WrapToWidth(m_ignoreStore, "Ignore Store Point records unless they create a new point.", 190));
    m_ignoreDeleted = new wxCheckBox(box, IgnoreDeletedId, "");
    m_ignoreDeleted->SetLabel(raw_panels::WrapToWidth(m_ignoreDeleted, "Ignore records marked as deleted", 190));
    storeRow->Add(m_ignoreStore, 1, wxALIGN_CENTER_VERTICAL);
    deletedRow->Add(m_ignoreDeleted, 1, wxALIGN_CENTER_VERTICAL);
    options->Add(storeRow, 0, wxEXPAND | wxALL, 4);
    options->Add(WrappedText(box, "The Ignore Store Points option will not create new points when a store point raw "
                                  "data record is encountered unless the point referenced in the record does not "
                                  "already exist."),
                 0, wxALL, 4);
    options->Add(deletedRow, 0, wxEXPAND | wxALL, 4);
    options->Add(WrappedText(box, "Ignore records marked as deleted will ignore the deleted record lines.  Therefore, "
                                  "all existing records will be used to create points."),
                 0, wxALL, 4);
    sizer->Add(options, 0, wxEXPAND | wxBOTTOM, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* reduce = new wxButton(this, wxID_ANY, "Reduce");
    auto* report = new wxButton(this, ReportId, "Report");
    auto* close = new wxButton(this, wxID_ANY, "Close");
    buttons->Add(reduce, 1, wxRIGHT, 6);
    buttons->Add(report, 1, wxRIGHT, 6);
    buttons->Add(close, 1);
    sizer->Add(buttons, 0, wxEXPAND | wxBOTTOM, 8);

    sizer->Add(MakeJumpBox({JumpTarget::Find}, {JumpTarget::Edit}), 0, wxEXPAND);
    SetSizer(sizer);

    reduce->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnReduce(); });
    // On the panel, so that the message bar's "Report" reaches it as well as a click.
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnReport(); }, ReportId);
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CReduceRawData::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    return true;
}

void CReduceRawData::DoDataExchange(CDataExchange& dx)
{
    CProfile& profile = GetAppProfile();
    if (!dx.m_bSaveAndValidate) {
        m_ignoreStorePoints = profile.GetProfileInt(Section, "IgnoreStorePoint", 0) != 0;
        m_ignoreDeletedRecords = profile.GetProfileInt(Section, "IgnoreDeletedPoint", 0) != 0;
        m_ignoreStore->SetValue(m_ignoreStorePoints);
        m_ignoreDeleted->SetValue(m_ignoreDeletedRecords);
        return;
    }
    m_ignoreStorePoints = m_ignoreStore->GetValue();
    m_ignoreDeletedRecords = m_ignoreDeleted->GetValue();
    profile.WriteProfileInt(Section, "IgnoreStorePoint", m_ignoreStorePoints ? 1 : 0);
    profile.WriteProfileInt(Section, "IgnoreDeletedPoint", m_ignoreDeletedRecords ? 1 : 0);
}

bool CReduceRawData::OnReduce()
{
    if (!UpdateDataEx(true))
        return false;
    CDataFileDoc* job = raw_panels::ActiveJob();
    if (!job)
        return false;
    if (CDataFileUndoManager* undo = job->GetUndoManager())
        undo->RecordUndoWithText("Regenerate Coordinates");
    job->ReduceRawData(m_ignoreStorePoints, m_ignoreDeletedRecords, &GetReport(), nullptr);
    GetReport().ShowInMessageBar(true, false);
    return true;
}

void CReduceRawData::OnReport()
{
    CDataFileDoc* job = raw_panels::ActiveJob();
    GetReport().OpenInEditor(job ? job->GetRawDataFileName() : std::string());
}
