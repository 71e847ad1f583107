#pragma once

#include "core/Report.h"
#include "core/ReportOutput.h"

#include <string>
#include <vector>

namespace morvel::test {

// Keeps what the reports would show in the message bar or send to the companion editor. The rich
// text is the report's rows as plain lines, each cell followed by '|'. Installed by Install until
// Restore or the end of its life.
class FakeReportOutput : public CReportOutput
{
public:
    ~FakeReportOutput() override { Restore(); }

    void Install()
    {
        Restore();
        m_previous = SetReportOutput(this);
        m_installed = true;
    }
    void Restore()
    {
        if (m_installed)
            SetReportOutput(m_previous);
        m_installed = false;
    }

    std::string RenderRtf(const CReport& report, bool, const std::string&) override
    {
        std::string text;
        for (const auto& section : report.GetSections())
            for (const auto& row : section->rows) {
                for (const std::string& cell : row)
                    text += cell + "|";
                text += "\n";
            }
        return text;
    }
    bool HasMainWindow() override { return true; }
    void ShowRtfInMessageBar(const std::string& rtf, bool) override { barTexts.push_back(rtf); }
    bool IsMessageBarVisible() override { return false; }
    bool GetUserClosedMessageBar() override { return false; }
    void SetUserClosedMessageBar(bool) override {}
    void ShowMessageBar(bool) override {}
    bool GetAutoShowMessages() override { return false; }
    bool SendTextToKVLEdit(const std::string& text) override
    {
        editorTexts.push_back(text);
        return true;
    }
    bool StartKVLEdit(const std::vector<std::string>&) override { return true; }

    std::vector<std::string> barTexts;
    std::vector<std::string> editorTexts;

private:
    CReportOutput* m_previous = nullptr;
    bool m_installed = false;
};

} // namespace morvel::test
