#include "transfer/ui/TransferCreateJobForDC.h"

#include "core/DataExchange.h"
#include "core/NikonColumnCollection.h"
#include "framework/ui/StaticLink.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "transfer/serial/JobUpload.h"
#include "transfer/serial/TransferText.h"
#include "transfer/ui/CustomTransferButton.h"
#include "transfer/ui/TransferLoopDialogs.h"
#include "transfer/ui/TransferWizardParts.h"
#include "views/ui/SelectionChip.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CTransferCreateJobForDC::CTransferCreateJobForDC()
    : CTransferWizardPanel(TemplateId, "Send Job to Total Station"), m_description(SelectionKindPoint)
{
}

CTransferCreateJobForDC::~CTransferCreateJobForDC() = default;

void CTransferCreateJobForDC::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* pick = new wxBoxSizer(wxHORIZONTAL);
    pick->Add(new wxStaticText(this, 2754, "Select Points:"), 0, wxALIGN_CENTRE_VERTICAL | wxRIGHT, 6);
    m_chip = new CGeneralSelectionChip(this, SelectionId);
    pick->Add(m_chip, 0, wxALIGN_CENTRE_VERTICAL);
    sizer->Add(pick, 0, wxBOTTOM, 10);

    AddModelRows(sizer);
    sizer->Add(new wxStaticText(this, wxID_ANY, "Click [Send] to begin sending points."), 0, wxBOTTOM, 8);

    auto* send = new wxButton(this, SendId, "&Send...");
    auto* settings = new wxButton(this, SettingsId, "Transfer Settings...");
    auto* close = new wxButton(this, wxID_ANY, "&Close");
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(send, 1, wxRIGHT, 6);
    row->Add(settings, 1);
    sizer->Add(row, 0, wxEXPAND | wxBOTTOM, 6);
    sizer->Add(close, 0, wxALIGN_RIGHT);
    send->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSend(); });
    settings->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnTransferSettings(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    SetSizer(sizer);
}

bool CTransferCreateJobForDC::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    RefreshModel();
    UpdateDataEx(false);
    SetActiveControl(m_chip);
    // The chip has the focus already; true keeps the panel (false would refuse its creation).
    return true;
}

void CTransferCreateJobForDC::DoDataExchange(CDataExchange& dx)
{
    DDX_SelectionChipOptional(&dx, SelectionId, *m_chip, m_description);
}

void CTransferCreateJobForDC::RefreshModel()
{
    const CMorvelSettings& settings = GetMorvelSettings();
    std::string text;
    GetUploadInstructions(text, settings.GetModelIndex());
    ShowModel(text);
    Layout();
}

bool CTransferCreateJobForDC::SendJob()
{
    if (!UpdateDataEx(true))
        return false;
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (job == nullptr)
        return false;
    CMorvelSettings& settings = GetMorvelSettings();
    JobSettingsValues defaults;
    InitJobSettingsValues(defaults);
    CNikonColumnCollection columns;
    settings.GetNewJobDefaultsAndCoordOrder(defaults, columns);
    wxWindow* owner = wxGetTopLevelParent(this);
    const SendJobResult result =
        ::SendJob(*job, settings.GetModelIndex(), columns,
                  [owner](const std::string& path, bool byLines) { return RunSendLoop(owner, path, byLines); });
    if (result == SendJobResult::NothingSelected) {
        RunDataExchange(*this, true, [](CDataExchange& dx) {
            dx.PrepareEditCtrl(SelectionId);
            ShowDdxError(&dx, SelectionId, "Nothing Selected");
        });
    }
    return result == SendJobResult::Sent;
}
