#pragma once

#include "core/Report.h"
#include "shell/ReportRtfWriter.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace morvel::bench {

// Fixed fonts, resolution and clock, so every run writes the same text.
class ReportBenchEnvironment : public CReportRtfEnvironment
{
public:
    ReportBenchEnvironment(std::string titleFace, std::string textFace)
        : m_titleFace(std::move(titleFace)), m_textFace(std::move(textFace))
    {
    }
    std::string CreateFontFace(const std::string& face, int32_t, bool, bool) override { return face; }
    int32_t GetScreenPixelsPerInchY() override { return 96; }
    std::time_t GetCurrentTime() override { return 1796558400; }
    LogFont GetReportTitleFont() override { return Font(m_titleFace, -16); }
    LogFont GetReportTextFont() override { return Font(m_textFace, -13); }

private:
    static LogFont Font(const std::string& face, int32_t height)
    {
        LogFont f;
        f.faceName = face;
        f.height = height;
        return f;
    }
    std::string m_titleFace, m_textFace;
};

// A coordinate report: name, northing, easting, elevation and description; no header line when
// header is empty.
inline void FillCoordinateReport(CReport& report, int64_t rows, const std::string& header)
{
    if (!header.empty())
        report.AddHeaderLine(header);
    report.AddColumn("Point\nName", 0x12);
    report.AddColumn("Northing", 0x42);
    report.AddColumn("Easting", 0x42);
    report.AddColumn("Elevation", 0x42);
    report.AddColumn("Description", 0x11);
    char buffer[32];
    for (int64_t i = 0; i < rows; ++i) {
        const int32_t row = report.AddRow();
        std::snprintf(buffer, sizeof buffer, "P%lld", static_cast<long long>(i + 1));
        report.SetCell(0, row, buffer, false);
        std::snprintf(buffer, sizeof buffer, "%.3f", 5000.0 + double(i) * 0.731);
        report.SetCell(1, row, buffer, false);
        std::snprintf(buffer, sizeof buffer, "%.3f", 1000.0 + double(i) * 0.417);
        report.SetCell(2, row, buffer, false);
        std::snprintf(buffer, sizeof buffer, "%.3f", 100.0 + double(i % 100) * 0.01);
        report.SetCell(3, row, buffer, false);
        report.SetCell(4, row, i % 7 ? "FENCE" : "TOP BANK", false);
    }
}

} // namespace morvel::bench
