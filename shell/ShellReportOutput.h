#pragma once

#include "core/ReportOutput.h"

class CReportRtfEnvironment;

// The program's report output without windows: reports render through the rich-text writer
// with the given environment and go to the companion editor; "Auto Show Messages" comes from
// the settings. There is no main window here: the window layer derives from it and adds the
// message bar.
class CShellReportOutput : public CReportOutput
{
public:
    explicit CShellReportOutput(CReportRtfEnvironment& environment) : m_environment(environment) {}

    std::string RenderRtf(const CReport& report, bool mode, const std::string& name) override;
    bool HasMainWindow() override { return false; }
    void ShowRtfInMessageBar(const std::string& rtf, bool caretAtEnd) override {}
    bool IsMessageBarVisible() override { return false; }
    bool GetUserClosedMessageBar() override { return false; }
    void SetUserClosedMessageBar(bool closed) override {}
    void ShowMessageBar(bool show) override {}
    bool GetAutoShowMessages() override;
    bool SendTextToKVLEdit(const std::string& text) override;
    bool StartKVLEdit(const std::vector<std::string>& arguments) override;

private:
    CReportRtfEnvironment& m_environment;
};
