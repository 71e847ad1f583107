#include "transfer/ui/NikonSendDlg.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CNikonSendDlg::CNikonSendDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Sending To Total Station", wxDefaultPosition, wxDefaultSize, wxCAPTION)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_bar = new wxGauge(this, ProgressId, 100, wxDefaultPosition, wxSize(260, -1));
    m_bar->SetValue(0);
    m_text = new wxStaticText(this, TextId, wxString());
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    // The close box would otherwise destroy the dialog under the loop that still uses it.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnCancel(); });
    sizer->Add(m_bar, 0, wxEXPAND | wxALL, 10);
    sizer->Add(m_text, 0, wxLEFT | wxRIGHT, 10);
    sizer->Add(cancel, 0, wxALIGN_CENTRE | wxALL, 10);
    SetSizerAndFit(sizer);
}

void CNikonSendDlg::SetProgress(uint32_t bytes)
{
    m_progress.SetProgress(bytes);
    m_bar->SetValue(m_progress.GetPosition());
    m_text->SetLabel(wxString::FromUTF8(m_progress.GetText()));
}

void CNikonSendDlg::OnCancel()
{
    m_cancelled = true;
    Hide();
}
