#include "rawdata/ui/RawDataReport.h"

#include "core/DataExchange.h"
#include "model/DataFileDoc.h"
#include "platform/Profile.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/ui/RawPanels.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

CRawDataReport::CRawDataReport()
    : CRawDataPanel(RawDataReportTemplate, "Raw Data Report"),
      m_options(CRawDataReportOptions::Load(GetAppProfile()))
{
}

CRawDataReport::~CRawDataReport() = default;

void CRawDataReport::BuildControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(MakeHead(594, "Select the type of report to generate.", 200), 0, wxEXPAND | wxBOTTOM, 8);

    m_notes = new wxCheckBox(this, NotesId, "Include notes");
    m_notesOnly = new wxCheckBox(this, NotesOnlyId, "");
    m_notesOnly->SetLabel(raw_panels::WrapToWidth(m_notesOnly, "Generate a report containing notes only", 200));
    sizer->Add(m_notes, 0, wxBOTTOM, 4);
    sizer->Add(m_notesOnly, 0, wxLEFT | wxBOTTOM, 16);
    auto* numbersBox = new wxStaticBoxSizer(wxVERTICAL, this, "Line Numbers");
    m_numbers = new wxCheckBox(numbersBox->GetStaticBox(), NumbersId, "Include line numbers.");
    numbersBox->Add(m_numbers, 0, wxALL, 4);
    sizer->Add(numbersBox, 0, wxEXPAND | wxBOTTOM, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* view = new wxButton(this, wxID_ANY, "View Report");
    auto* edit = new wxButton(this, wxID_ANY, "Edit Report");
    auto* close = new wxButton(this, wxID_ANY, "Close");
    buttons->Add(view, 1, wxRIGHT, 6);
    buttons->Add(edit, 1);
    sizer->Add(buttons, 0, wxEXPAND | wxBOTTOM, 6);
    sizer->Add(close, 0, wxALIGN_RIGHT);
    SetSizer(sizer);

    m_notes->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnNotesClicked(); });
    view->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnViewReport(); });
    edit->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnEditReport(); });
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
}

bool CRawDataReport::OnInitDialog()
{
    CStackableDialog::OnInitDialog();
    UpdateDataEx(false);
    OnNotesClicked();
    return true;
}

void CRawDataReport::DoDataExchange(CDataExchange& dx)
{
    if (dx.m_bSaveAndValidate) {
        m_options.notes = m_notes->GetValue();
        m_options.notesOnly = m_notesOnly->GetValue();
        m_options.numbers = m_numbers->GetValue();
    } else {
        m_notes->SetValue(m_options.notes);
        m_notesOnly->SetValue(m_options.notesOnly);
        m_numbers->SetValue(m_options.numbers);
    }
}

void CRawDataReport::OnNotesClicked() { m_notesOnly->Enable(m_notes->GetValue()); }

bool CRawDataReport::Generate()
{
    if (!UpdateDataEx(true))
        return false;
    // All three, so the choices come back with the next panel.
    m_options.Save(GetAppProfile());
    BuildRawDataReport(GetReport(), raw_panels::ActiveRawData(), m_options);
    return true;
}

bool CRawDataReport::OnViewReport()
{
    if (!Generate())
        return false;
    GetReport().ShowInMessageBar(false, false);
    return true;
}

bool CRawDataReport::OnEditReport()
{
    if (!Generate())
        return false;
    if (CDataFileDoc* job = raw_panels::ActiveJob())
        GetReport().OpenInEditor(job->GetRawDataFileName());
    return true;
}
