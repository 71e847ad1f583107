#include "shell/ui/TextFileViewer.h"

#include "core/PathHelpers.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"
#include "platform/MessageBox.h"
#include "shell/KVLEditHandoff.h"

#include <wx/sizer.h>
#include <wx/textctrl.h>


CTextFileViewer::CTextFileViewer(wxWindow* parent, const std::string& fileName, const std::string& text)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(fileName), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // Logs and coordinate files are columns: long lines scroll rather than wrap.
    m_viewer = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(560, 360)),
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxHSCROLL);
    m_viewer->SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_TELETYPE)));
    // Files from Windows and instruments end their lines with CR LF; the control wants LF.
    wxString shown = wxString::FromUTF8(text);
    shown.Replace("\r\n", "\n");
    m_viewer->ChangeValue(shown);
    m_viewer->SetInsertionPoint(0);
    sizer->Add(m_viewer, 1, wxEXPAND | wxALL, FromDIP(8));
    sizer->Add(CreateButtonSizer(wxOK), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    SetSizer(sizer);
    SizeWithinScreen(*this, parent, FromDIP(wxSize(800, 560)));
}

bool OpenFileInEditorOrViewer(const std::string& path, const std::string& option, wxWindow* parent)
{
    const std::string full = PathInActiveJobFolder(path);
    if (DesktopOpensFile(full))
        return OpenFileInKVLEdit(full, option);
    std::string text;
    std::string why;
    if (!LoadViewableText(full, text, why)) {
        ShowMessageBoxFS("No program on this computer is set up to open '" + GetPathFileName(full) +
                             "', and it cannot be shown here: " + why,
                         MB_OK | MB_ICONERROR);
        return false;
    }
    CTextFileViewer viewer(parent, GetPathFileName(full), text);
    RunModal(viewer);
    return true;
}
