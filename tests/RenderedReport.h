#pragma once

#include "core/Report.h"
#include "shell/ReportRtfWriter.h"
#include "shell/RtfReader.h"

#include <ctime>
#include <string>
#include <vector>

namespace morvel::test {

// A screen of 96 dots per inch, a 13-pixel text font (10 points) and a 16-pixel title font
// (12 points, small 8), a clock that stands still. Fonts are made as asked unless their face is
// listed as missing.
class FixedReportEnvironment : public CReportRtfEnvironment
{
public:
    std::string CreateFontFace(const std::string& face, int32_t points, bool bold, bool fixedPitch) override
    {
        requests.push_back(face + "/" + std::to_string(points) + (bold ? "b" : "") + (fixedPitch ? "f" : ""));
        return face == missingFace ? std::string() : face;
    }
    int32_t GetScreenPixelsPerInchY() override { return 96; }
    std::time_t GetCurrentTime() override { return now; }
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
        f.faceName = textFace;
        f.height = -13;
        return f;
    }

    std::time_t now = 0;
    std::string textFace = "Courier New";
    std::string missingFace;
    std::vector<std::string> requests;
};

// A report as the editor shows it, one paragraph per line.
inline std::vector<RtfParagraph> RenderedReport(const CReport& report)
{
    FixedReportEnvironment env;
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
