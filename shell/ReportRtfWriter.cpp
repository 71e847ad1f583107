#include "shell/ReportRtfWriter.h"

#include "core/ProgramHelpers.h"
#include "core/Report.h"
#include "core/StatusProgress.h"
#include "core/Utf8.h"
#include "exchange/dxf/DxfText.h"
#include "platform/ActiveJobHooks.h"
#include "platform/BusyCursor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct RtfFont
{
    std::string face;
    int32_t size = 0; // half-points
    bool bold = false;
};

// Makes the font, or its fallback when the system cannot.
RtfFont MakeFont(CReportRtfEnvironment& env, const std::string& face, int32_t points, bool bold, bool fixedPitch,
                 const char* fallbackFace, int32_t fallbackPoints)
{
    std::string made;
    if (points > 0 && !face.empty())
        made = env.CreateFontFace(face, points, bold, fixedPitch);
    if (made.empty())
        return RtfFont{fallbackFace, fallbackPoints * 2, bold};
    return RtfFont{made, points * 2, bold};
}

void AppendInt(std::string& out, int64_t value)
{
    char buffer[24];
    const int n = std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    out.append(buffer, size_t(n));
}

void AppendFontSwitch(std::string& out, const RtfFont& font, int32_t number)
{
    out += "\\plain";
    if (font.bold)
        out += "\\b";
    out += "\\f";
    AppendInt(out, number);
    out += "\\fs";
    AppendInt(out, font.size);
    out += ' ';
}

void AppendFontEntry(std::string& out, int32_t number, const std::string& face)
{
    out += "{\\f";
    AppendInt(out, number);
    out += "\\fnil ";
    AppendRtfEscaped(out, face, false);
    out += ";}";
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t lf = text.find('\n', start);
        lines.push_back(text.substr(start, lf == std::string::npos ? std::string::npos : lf - start));
        if (lf == std::string::npos)
            return lines;
        start = lf + 1;
    }
}

std::string DateLineName(const std::string& name)
{
    if (!name.empty())
        return name;
    const ActiveJobHooks& hooks = GetActiveJobHooks();
    if (!hooks.isJobOpen || !hooks.isJobOpen())
        return {};
    if (hooks.hasTemporaryJob && hooks.hasTemporaryJob())
        return {};
    const std::string path = hooks.activeJobPath ? hooks.activeJobPath() : std::string();
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void AppendRepeated(std::string& out, size_t count, char c) { out.append(count, c); }

} // namespace

std::string FormatReportDate(std::time_t when)
{
    static const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                            "July",    "August",   "September", "October", "November", "December"};
    std::tm local{};
    localtime_r(&when, &local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %02d, %d", kMonths[std::clamp(local.tm_mon, 0, 11)], local.tm_mday,
                  local.tm_year + 1900);
    return buffer;
}

void AppendRtfEscaped(std::string& out, const std::string& text, bool cellText)
{
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c == '{' || c == '}' || (c == '\\' && !cellText))
                out += '\\';
            out += char(c);
            ++i;
            continue;
        }
        const size_t start = i;
        const char32_t cp = DecodeUtf8(text, i);
        const std::string byte = dxftext::EncodeWindows1252(std::string_view(text).substr(start, i - start));
        if (cp != U'\xFFFD' && byte.size() == 1 && byte[0] != '?') {
            static const char kHex[] = "0123456789abcdef";
            const unsigned char b = static_cast<unsigned char>(byte[0]);
            out += "\\'";
            out += kHex[b >> 4];
            out += kHex[b & 15];
            continue;
        }
        // RTF's \u takes a signed 16-bit unit; characters beyond the first plane go as a
        // surrogate pair. The '?' is what older readers show instead.
        auto unit = [&out](uint32_t u) {
            out += "\\u";
            AppendInt(out, u >= 0x8000 ? int64_t(u) - 0x10000 : int64_t(u));
            out += '?';
        };
        if (cp >= 0x10000) {
            const uint32_t v = uint32_t(cp) - 0x10000;
            unit(0xD800 + (v >> 10));
            unit(0xDC00 + (v & 0x3FF));
        } else {
            unit(uint32_t(cp));
        }
    }
}

std::string WriteReportRtf(const CReport& report, bool mode, const std::string& name, CReportRtfEnvironment& env)
{
    const int32_t dpi = std::max(1, env.GetScreenPixelsPerInchY());
    const LogFont titleFont = env.GetReportTitleFont();
    const LogFont textFont = env.GetReportTextFont();
    const double titleExact = std::abs(double(titleFont.height)) * 72.0 / dpi;
    const int32_t titlePoints = int32_t(titleExact + 0.5);
    const int32_t smallPoints = int32_t(titleExact * 2.0 / 3.0 + 0.5);
    const int32_t textPoints = int32_t(std::abs(double(textFont.height)) * 72.0 / dpi + 0.5);

    const RtfFont f1 = MakeFont(env, textFont.faceName, textPoints, false, true, "Courier New", 10);
    const RtfFont f2 = MakeFont(env, textFont.faceName, textPoints, false, true, "Courier New", 10);

    CBusyCursor busy;
    CStatusProgress progress;
    progress.Begin("Generate RTF");
    const int64_t totalRows = report.GetTotalRowCount();

    std::string table = "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\froman Times New Roman;}";
    std::string body;
    body.reserve(32767);
    body += "\\pard";
    AppendFontEntry(table, 1, f1.face);
    AppendFontEntry(table, 2, f2.face);

    if (mode) {
        const RtfFont f3 = MakeFont(env, titleFont.faceName, smallPoints, false, false, "Arial", 8);
        AppendFontEntry(table, 3, f3.face);
        std::string dateLine;
        const std::string date = FormatReportDate(env.GetCurrentTime());
        const std::string lineName =
            (report.GetOptions() & ReportOptionNoNameOnDateLine) != 0 ? std::string() : DateLineName(name);
        if (!lineName.empty())
            dateLine = lineName + "  ";
        dateLine += date;
        body += "\\qr\n";
        AppendFontSwitch(body, RtfFont{f3.face, f3.size, false}, 3);
        AppendRtfEscaped(body, dateLine, false);
        body += "\\par\n";

        const RtfFont f4 = MakeFont(env, titleFont.faceName, titlePoints, true, false, "Arial", 12);
        AppendFontEntry(table, 4, f4.face);
        body += "\\qc\n";
        RtfFont headerFont = f4;
        int32_t headerNumber = 4;
        int32_t nextNumber = 5;
        for (const CReportHeaderItem& item : report.GetHeaderItems()) {
            if (item.font != nullptr) {
                headerFont = MakeFont(env, item.font->face, item.font->points, item.font->bold, false, "Arial", 10);
                headerNumber = nextNumber++;
                AppendFontEntry(table, headerNumber, headerFont.face);
                continue;
            }
            AppendFontSwitch(body, headerFont, headerNumber);
            AppendRtfEscaped(body, item.text, false);
            body += "\\par\n";
        }
        body += "\\ql\n";
    }

    int64_t rowsDone = 0;
    for (const auto& sectionPtr : report.GetSections()) {
        const CReportSection& section = *sectionPtr;
        const size_t columnCount = section.columns.size();
        std::vector<std::vector<std::string>> headings(columnCount);
        std::vector<size_t> widths(columnCount, 0);
        for (size_t c = 0; c < columnCount; ++c) {
            headings[c] = SplitLines(section.columns[c].heading);
            for (const std::string& line : headings[c])
                widths[c] = std::max(widths[c], Utf8CharCount(line));
        }
        for (const auto& row : section.rows)
            for (size_t c = 0; c < columnCount && c < row.size(); ++c)
                if (!row[c].empty() && row[c][0] != '*')
                    widths[c] = std::max(widths[c], Utf8CharCount(row[c]));

        AppendFontSwitch(body, RtfFont{f1.face, f1.size, false}, 1);

        size_t headingLines = 0;
        for (;; ++headingLines) {
            bool any = false;
            for (size_t c = 0; c < columnCount; ++c)
                if (headingLines < headings[c].size() && !headings[c][headingLines].empty())
                    any = true;
            if (!any)
                break;
        }
        for (size_t k = 0; k < headingLines; ++k) {
            std::string line;
            for (size_t c = 0; c < columnCount; ++c) {
                const std::string empty;
                const std::string& t = k < headings[c].size() ? headings[c][k] : empty;
                const size_t pad = widths[c] - Utf8CharCount(t);
                const bool underline = k + 1 == headingLines && !t.empty();
                const char* opener = underline ? "{\\ul\\b " : "{\\b ";
                const char padChar = underline ? '_' : ' ';
                const int32_t flags = section.columns[c].flags;
                if (!line.empty())
                    line += "  ";
                if (flags & ReportHeadingLeft) {
                    line += opener;
                    AppendRtfEscaped(line, t, false);
                    AppendRepeated(line, pad, padChar);
                    line += '}';
                } else if (flags & ReportHeadingCentre) {
                    line += opener;
                    AppendRepeated(line, pad / 2, padChar);
                    AppendRtfEscaped(line, t, false);
                    AppendRepeated(line, pad - pad / 2, padChar);
                    line += '}';
                } else if (flags & ReportHeadingRight) {
                    line += opener;
                    AppendRepeated(line, pad, padChar);
                    AppendRtfEscaped(line, t, false);
                    line += '}';
                } else {
                    AppendRtfEscaped(line, t, false);
                }
            }
            body += line;
            body += "\\par ";
        }

        AppendFontSwitch(body, RtfFont{f2.face, f2.size, false}, 2);
        std::string line;
        std::string cell;
        for (const auto& row : section.rows) {
            progress.SetPercent(MulDiv(rowsDone, 100, totalRows));
            ++rowsDone;
            line.clear();
            for (size_t c = 0; c < columnCount; ++c) {
                const std::string empty;
                const std::string& text = c < row.size() ? row[c] : empty;
                const size_t length = Utf8CharCount(text);
                const size_t pad = widths[c] > length ? widths[c] - length : 0;
                const int32_t flags = section.columns[c].flags;
                cell.clear();
                if (flags & ReportCellLeft) {
                    AppendRtfEscaped(cell, text, true);
                    AppendRepeated(cell, pad, ' ');
                } else if (flags & ReportCellCentre) {
                    AppendRepeated(cell, pad / 2, ' ');
                    AppendRtfEscaped(cell, text, true);
                    AppendRepeated(cell, pad - pad / 2, ' ');
                } else if (flags & ReportCellRight) {
                    AppendRepeated(cell, pad, ' ');
                    AppendRtfEscaped(cell, text, true);
                } else {
                    AppendRtfEscaped(cell, text, true);
                }
                if (!line.empty())
                    line += "  ";
                if (flags & ReportCellBold) {
                    line += "{\\b ";
                    line += cell;
                    line += " }";
                } else {
                    line += cell;
                }
            }
            body += line;
            body += "\\par\n";
        }
    }

    body += "\\pard\\plain\\f0\\fs24\\par}";
    table += "}{\\colortbl\\red0\\green0\\blue0;}\n\\deflang1033\n";
    progress.End();
    table += body;
    return table;
}
