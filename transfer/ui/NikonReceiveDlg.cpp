#include "transfer/ui/NikonReceiveDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

CNikonReceiveDlg::CNikonReceiveDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Receiving From Total Station", wxDefaultPosition, wxDefaultSize, wxCAPTION)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_edit = new wxTextCtrl(this, EditId, wxString(), wxDefaultPosition, wxSize(320, 180),
                            wxTE_MULTILINE | wxTE_READONLY | wxHSCROLL);
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnCancel(); });
    sizer->Add(m_edit, 1, wxEXPAND | wxALL, 10);
    sizer->Add(cancel, 0, wxALIGN_CENTRE | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
}

void CNikonReceiveDlg::AppendReceivedText()
{
    // GTK's multi-line control has no length limit of its own: the cap is kept here, and the
    // download goes on whatever the control still shows.
    const size_t before = m_shown.GetEndPosition();
    m_shown.AppendReceivedText(m_newText);
    m_newText.clear();
    const size_t after = m_shown.GetEndPosition();
    if (after == before)
        return;
    const std::string_view added = std::string_view(m_shown.GetText()).substr(before);
    m_edit->SetInsertionPointEnd();
    m_edit->AppendText(wxString::From8BitData(added.data(), added.size()));
    m_edit->ShowPosition(m_edit->GetLastPosition());
}

void CNikonReceiveDlg::OnCancel()
{
    m_cancelled = true;
    Hide();
}
