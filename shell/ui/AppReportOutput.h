#pragma once

#include "shell/ReportRtfWriter.h"
#include "shell/ShellReportOutput.h"

class CMainFrame;

// The screen's fonts, resolution and clock for the report writer, and the user's report fonts
// from the settings.
class CWxReportRtfEnvironment : public CReportRtfEnvironment
{
public:
    std::string CreateFontFace(const std::string& face, int32_t points, bool bold, bool fixedPitch) override;
    int32_t GetScreenPixelsPerInchY() override;
    std::time_t GetCurrentTime() override;
    LogFont GetReportTitleFont() override;
    LogFont GetReportTextFont() override;
};

// Reports reach the main frame's message bar and the companion editor. Installed by the
// application at start-up, removed when it ends.
class CAppReportOutput : public CShellReportOutput
{
public:
    CAppReportOutput() : CShellReportOutput(m_environment) {}

    bool HasMainWindow() override;
    void ShowRtfInMessageBar(const std::string& rtf, bool caretAtEnd) override;
    bool IsMessageBarVisible() override;
    bool GetUserClosedMessageBar() override;
    void SetUserClosedMessageBar(bool closed) override;
    void ShowMessageBar(bool show) override;
    // On a desktop with no program for rich text the report is shown in the program's own report
    // viewer instead, so it can always be read.
    bool SendTextToKVLEdit(const std::string& text) override;

private:
    static CMainFrame* Frame();

    CWxReportRtfEnvironment m_environment;
};
