#pragma once

#include "core/Report.h"
#include "shell/ReportRtfWriter.h"
#include "shell/RtfReader.h"

#include <string>
#include <vector>

namespace morvel::test {

// A report as the editor shows it, one paragraph per line: fixed fonts, a fixed clock.
inline std::vector<RtfParagraph> RenderedReport(const CReport& report)
{
    struct Environment : CReportRtfEnvironment
    {
        std::string CreateFontFace(const std::string& face, int32_t, bool, bool) override { return face; }
        int32_t GetScreenPixelsPerInchY() override { return 96; }
        std::time_t GetCurrentTime() override { return 0; }
        LogFont GetReportTitleFont() override
        {
            LogFont f;
            f.faceName = "Arial";
            f.height = -16;
            return f;
        }
        LogFont GetReportTextFont() override
        {
            LogFont f;
            f.faceName = "Courier New";
            f.height = -13;
            return f;
        }
    } env;
    RtfDocument document;
    CRtfReader reader;
    if (!reader.Read(WriteReportRtf(report, false, "Job", env), document))
        return {};
    return document.paragraphs;
}

// The paragraph whose text begins with the prefix; null when none does.
inline const RtfParagraph* FindLine(const std::vector<RtfParagraph>& lines, const std::string& prefix)
{
    for (const RtfParagraph& line : lines)
        if (line.PlainText().rfind(prefix, 0) == 0)
            return &line;
    return nullptr;
}

} // namespace morvel::test
