#pragma once

#include <string>
#include <vector>

class CReport;

// Where reports go: the rich-text writer, the main window's message bar and the companion
// editor. The shell installs the program's; tests install recorders. Without one, reports
// render to an empty text and go nowhere.
class CReportOutput
{
public:
    virtual ~CReportOutput() = default;

    // The report as rich text in mode 0 (message bar) or 1 (editor and files). The report's own
    // cache is handled by the report.
    virtual std::string RenderRtf(const CReport& report, bool mode, const std::string& name) = 0;

    // The message bar of the main window.
    virtual bool HasMainWindow() = 0;
    virtual void ShowRtfInMessageBar(const std::string& rtf, bool caretAtEnd) = 0;
    virtual bool IsMessageBarVisible() = 0;
    // The record that the user closed the bar with its "X".
    virtual bool GetUserClosedMessageBar() = 0;
    virtual void SetUserClosedMessageBar(bool closed) = 0;
    virtual void ShowMessageBar(bool show) = 0;
    // The user's "Auto Show Messages" preference.
    virtual bool GetAutoShowMessages() = 0;

    // The companion editor: a text handed over in the shared block, or arguments for its
    // command line. Both tell the user themselves when the editor cannot be started.
    virtual bool SendTextToKVLEdit(const std::string& text) = 0;
    virtual bool StartKVLEdit(const std::vector<std::string>& arguments) = 0;
};

// Installs the output (borrowed; null removes it) and returns the previous one.
CReportOutput* SetReportOutput(CReportOutput* output);
CReportOutput* GetReportOutput();
