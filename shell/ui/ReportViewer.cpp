#include "shell/ui/ReportViewer.h"

#include "framework/ui/EasyRichEdit.h"

#include <wx/button.h>
#include <wx/sizer.h>

void StreamRtfIntoRichEdit(const std::string& text, wxRichTextCtrl& control, bool replace)
{
    control.SetInsertionPointEnd();
    if (text.empty()) {
        if (replace)
            control.Clear();
    } else if (!ApplyRtfToRichText(control, text, replace)) {
        // Not our rich text: shown as plain text rather than dropped.
        if (replace)
            control.Clear();
        control.SetInsertionPointEnd();
        control.WriteText(wxString::FromUTF8(text));
    }
    control.SetInsertionPointEnd();
    control.Refresh();
}

CReportViewer::CReportViewer(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, " Report viewer", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_viewer = new wxRichTextCtrl(this, IdViewer, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(560, 360)),
                                  wxRE_MULTILINE | wxRE_READONLY | wxVSCROLL | wxHSCROLL);
    sizer->Add(m_viewer, 1, wxEXPAND | wxALL, FromDIP(8));
    sizer->Add(CreateButtonSizer(wxOK), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    SetSizerAndFit(sizer);
    Centre();
}

void CReportViewer::InitDialog()
{
    wxDialog::InitDialog();
    StreamRtfIntoRichEdit(m_text, *m_viewer, true);
}
