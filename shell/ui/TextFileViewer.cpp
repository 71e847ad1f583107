#include "shell/ui/TextFileViewer.h"

#include "core/PathHelpers.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"
#include "platform/MessageBox.h"
#include "platform/ProcessLaunch.h"
#include "shell/KVLEditHandoff.h"

#include <wx/app.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <sys/wait.h>


CTextFileViewer::CTextFileViewer(wxWindow* parent, const std::string& fileName, const std::string& text)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(fileName), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // Logs and coordinate files are columns: long lines scroll rather than wrap.
    m_viewer = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(560, 360)),
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxHSCROLL);
    m_viewer->SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_TELETYPE)));
    // The control wants LF line ends (files from Windows and instruments have CR LF, some logs
    // CR alone) and no line longer than it can draw: a file written on one line would be unreadable.
    m_viewer->ChangeValue(wxString::FromUTF8(ViewableLines(text)));
    m_viewer->SetInsertionPoint(0);
    sizer->Add(m_viewer, 1, wxEXPAND | wxALL, FromDIP(8));
    sizer->Add(CreateButtonSizer(wxOK), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    SetSizer(sizer);
    SizeWithinScreen(*this, parent, FromDIP(wxSize(800, 560)));
}

namespace {

// Watches the editor started for a file for a while and says so when the desktop's program could
// not open it, without holding up the window meanwhile. A program fails at once when it fails;
// later the person has it, and how it ends is not ours to tell. Goes with the window it was
// started from.
class CEditorWatch : public wxTimer
{
public:
    static constexpr int PollMilliseconds = 100;
    static constexpr int WatchMilliseconds = 30000;

    CEditorWatch(wxWindow* owner, std::string fileName) : m_owner(owner), m_fileName(std::move(fileName))
    {
        m_owner->Bind(wxEVT_DESTROY, &CEditorWatch::OnOwnerDestroyed, this);
    }
    ~CEditorWatch() override { m_owner->Unbind(wxEVT_DESTROY, &CEditorWatch::OnOwnerDestroyed, this); }

    CChildProcess editor;

    void Notify() override
    {
        int status = 0;
        const bool ended = editor.HasExited(&status);
        m_waited += PollMilliseconds;
        if (!ended && m_waited < WatchMilliseconds)
            return;
        Stop();
        const bool failed = ended && (!WIFEXITED(status) || WEXITSTATUS(status) != 0);
        // Neither deleted nor a box run inside the timer's own notification.
        m_owner->CallAfter([this, failed] {
            const std::string fileName = m_fileName;
            delete this;
            if (failed)
                ShowMessageBoxFS("The program this computer has for '" + fileName + "' could not open it.",
                                 MB_OK | MB_ICONERROR);
        });
    }

private:
    void OnOwnerDestroyed(wxWindowDestroyEvent& event)
    {
        event.Skip();
        if (event.GetEventObject() == m_owner)
            delete this;
    }

    wxWindow* m_owner;
    std::string m_fileName;
    int m_waited = 0;
};

} // namespace

bool OpenFileInEditorOrViewer(const std::string& path, const std::string& option, wxWindow* parent)
{
    const std::string full = PathInActiveJobFolder(path);
    if (DesktopOpensFile(full)) {
        wxWindow* owner = parent != nullptr ? wxGetTopLevelParent(parent) : wxTheApp->GetTopWindow();
        if (owner == nullptr)
            return OpenFileInKVLEdit(full, option);
        auto* watch = new CEditorWatch(owner, GetPathFileName(full));
        if (!OpenFileInKVLEdit(full, option, &watch->editor)) {
            delete watch;
            return false;
        }
        watch->Start(CEditorWatch::PollMilliseconds);
        return true;
    }
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
