#include "shell/ui/AppReportOutput.h"

#include "framework/ui/ModalDialog.h"
#include "framework/ui/WindowHelpers.h"
#include "model/MorvelSettings.h"
#include "shell/KVLEditHandoff.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/ReportViewer.h"

#include <wx/dcscreen.h>
#include <wx/font.h>

#include <ctime>

std::string CWxReportRtfEnvironment::CreateFontFace(const std::string& face, int32_t points, bool bold,
                                                    bool fixedPitch)
{
    wxFontInfo info(points);
    info.FaceName(wxString::FromUTF8(face)).Bold(bold);
    if (fixedPitch)
        info.Family(wxFONTFAMILY_TELETYPE);
    wxFont font(info);
    if (!font.IsOk())
        return {};
    const wxString made = font.GetFaceName();
    return made.empty() ? face : made.utf8_string();
}

int32_t CWxReportRtfEnvironment::GetScreenPixelsPerInchY()
{
    wxScreenDC dc;
    const int dpi = dc.GetPPI().y;
    return dpi > 0 ? dpi : 96;
}

std::time_t CWxReportRtfEnvironment::GetCurrentTime() { return std::time(nullptr); }

LogFont CWxReportRtfEnvironment::GetReportTitleFont() { return GetMorvelSettings().GetReportTitleFont(); }

LogFont CWxReportRtfEnvironment::GetReportTextFont() { return GetMorvelSettings().GetReportTextFont(); }

CMainFrame* CAppReportOutput::Frame()
{
    auto* app = dynamic_cast<CMorvelApp*>(wxTheApp);
    return app != nullptr ? app->GetMainFrame() : nullptr;
}

bool CAppReportOutput::HasMainWindow() { return Frame() != nullptr; }

void CAppReportOutput::ShowRtfInMessageBar(const std::string& rtf, bool caretAtEnd)
{
    if (CMainFrame* frame = Frame())
        frame->ShowRtfInMessageBar(rtf, caretAtEnd);
}

bool CAppReportOutput::IsMessageBarVisible()
{
    CMainFrame* frame = Frame();
    return frame != nullptr && frame->IsBarShown(CMainFrame::MessageBarIndex);
}

bool CAppReportOutput::GetUserClosedMessageBar()
{
    CMainFrame* frame = Frame();
    return frame != nullptr && frame->GetUserClosedMessageBar();
}

void CAppReportOutput::SetUserClosedMessageBar(bool closed)
{
    if (CMainFrame* frame = Frame())
        frame->SetUserClosedMessageBar(closed);
}

void CAppReportOutput::ShowMessageBar(bool show)
{
    if (CMainFrame* frame = Frame())
        frame->ShowMessageBar(show);
}

bool CAppReportOutput::SendTextToKVLEdit(const std::string& text)
{
    if (DesktopOpensRtf())
        return CShellReportOutput::SendTextToKVLEdit(text);
    CReportViewer viewer(Frame());
    // Room for a report's widest tables, so their rows do not wrap; never beyond the screen.
    SizeWithinScreen(viewer, Frame(), viewer.FromDIP(wxSize(960, 640)));
    viewer.SetText(text);
    RunModal(viewer);
    return true;
}
