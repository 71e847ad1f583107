#include "core/Report.h"
#include "core/ReportOutput.h"
#include "platform/ActiveJobHooks.h"
#include "shell/ReportRtfWriter.h"
#include "shell/RtfReader.h"
#include "shell/ShellReportOutput.h"

#include "FakeStatusBarHost.h"
#include "RenderedReport.h"

#include <clocale>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

// December 7, 2026, 12:00 local time.
std::time_t FixedTime()
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

// The shared fixed screen and fonts, on a clock stopped at that time.
struct FixedEnvironment : morvel::test::FixedReportEnvironment
{
    FixedEnvironment() { now = FixedTime(); }
};

const std::string kTableStart = "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\froman Times New Roman;}";
const std::string kTableEnd = "}{\\colortbl\\red0\\green0\\blue0;}\n\\deflang1033\n";
const std::string kBodyEnd = "\\pard\\plain\\f0\\fs24\\par}";

void FillPoints(CReport& report)
{
    report.AddColumn("Point Name", ReportHeadingCentre | ReportCellLeft);
    report.AddColumn("Description", ReportHeadingLeft | ReportCellLeft);
    const char* cells[3][2] = {{"A2", "A\\B"}, {"9", "CP"}, {"10", "---"}};
    for (const auto& row : cells) {
        const int32_t r = report.AddRow();
        report.SetCell(0, r, row[0], false);
        report.SetCell(1, r, row[1], false);
    }
}

} // namespace

TEST(ReportRtfWriter, MessageBarTextByteForByte)
{
    FixedEnvironment env;
    CReport report;
    FillPoints(report);
    const std::string expected = kTableStart + "{\\f1\\fnil Courier New;}{\\f2\\fnil Courier New;}" + kTableEnd +
                                 "\\pard\\plain\\f1\\fs20 {\\ul\\b Point Name}  {\\ul\\b Description}\\par "
                                 "\\plain\\f2\\fs20 "
                                 "A2          A\\\\B       \\par\n"
                                 "9           CP         \\par\n"
                                 "10          ---        \\par\n" +
                                 kBodyEnd;
    EXPECT_EQ(WriteReportRtf(report, false, "", env), expected);
    EXPECT_THAT(env.requests, ElementsAre("Courier New/10f", "Courier New/10f"));
}

TEST(ReportRtfWriter, HeadingsOverSeveralLinesAndAlignments)
{
    FixedEnvironment env;
    CReport report;
    report.AddColumn("From\nPoint", ReportHeadingCentre | ReportCellRight);
    report.AddColumn("\n+/- Angle", ReportHeadingRight | ReportCellCentre | ReportCellBold);
    int32_t r = report.AddRow();
    report.SetCell(0, r, "12345678", false);
    report.SetCell(1, r, "ab", false);
    r = report.AddRow();
    report.SetCell(0, r, "7", false);
    // An asterisk cell longer than its column is printed unpadded and widens nothing.
    report.SetCell(1, r, "*a very long note", false);
    const std::string rtf = WriteReportRtf(report, false, "", env);
    EXPECT_NE(rtf.find("\\plain\\f1\\fs20 {\\b   From  }  {\\b          }\\par "
                       "{\\ul\\b _Point__}  {\\ul\\b +/- Angle}\\par "),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("12345678  {\\b    ab     }\\par\n"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("       7  {\\b *a very long note }\\par\n"), std::string::npos) << rtf;
}

TEST(ReportRtfWriter, SeparatorsAndEmptySections)
{
    FixedEnvironment env;
    CReport report;
    report.AddColumn("", 0);
    report.AddColumn("B", 0);
    const int32_t r = report.AddRow();
    report.SetCell(1, r, "x", false);
    report.NewSection();
    // An unset first cell without alignment adds no separator; the section without columns
    // writes only its two font switches.
    EXPECT_EQ(WriteReportRtf(report, false, "", env),
              kTableStart + "{\\f1\\fnil Courier New;}{\\f2\\fnil Courier New;}" + kTableEnd +
                  "\\pard\\plain\\f1\\fs20 B\\par \\plain\\f2\\fs20 x\\par\n"
                  "\\plain\\f1\\fs20 \\plain\\f2\\fs20 " +
                  kBodyEnd);
}

TEST(ReportRtfWriter, EditorTextHasTheDateLineAndHeaderLines)
{
    // The date is English whatever the user's language.
    const std::string savedLocale = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    FixedEnvironment env;
    CReport report;
    report.AddHeaderLine("Coordinate Report");
    report.BuildFontList("Serif", 14, true, false);
    report.AddHeaderLine("Second");
    report.AddColumn("A", ReportHeadingLeft | ReportCellLeft);
    report.AddTextRow("x");
    const std::string rtf = WriteReportRtf(report, true, "Site 4.Mvj", env);
    std::setlocale(LC_ALL, savedLocale.c_str());
    EXPECT_EQ(rtf, kTableStart +
                       "{\\f1\\fnil Courier New;}{\\f2\\fnil Courier New;}{\\f3\\fnil Arial;}{\\f4\\fnil Arial;}"
                       "{\\f5\\fnil Serif;}" +
                       kTableEnd +
                       "\\pard\\qr\n\\plain\\f3\\fs16 Site 4.Mvj  December 07, 2026\\par\n"
                       "\\qc\n\\plain\\b\\f4\\fs24 Coordinate Report\\par\n"
                       "\\plain\\b\\f5\\fs28 Second\\par\n"
                       "\\ql\n"
                       "\\plain\\f1\\fs20 {\\ul\\b A}\\par \\plain\\f2\\fs20 x\\par\n" +
                       kBodyEnd);
}

TEST(ReportRtfWriter, DateLineNames)
{
    FixedEnvironment env;
    CReport report;
    auto dateLine = [&](CReport& r, const std::string& name) {
        const std::string rtf = WriteReportRtf(r, true, name, env);
        const size_t start = rtf.find("\\fs16 ") + 6;
        return rtf.substr(start, rtf.find("\\par", start) - start);
    };
    EXPECT_EQ(dateLine(report, ""), "December 07, 2026");

    ActiveJobHooks hooks;
    hooks.isJobOpen = [] { return true; };
    hooks.activeJobPath = [] { return std::string("/home/ann/Jobs/Site 4.Mvj"); };
    bool temporary = false;
    hooks.hasTemporaryJob = [&] { return temporary; };
    const ActiveJobHooks previous = SetActiveJobHooks(hooks);
    EXPECT_EQ(dateLine(report, ""), "Site 4.Mvj  December 07, 2026");
    EXPECT_EQ(dateLine(report, "Given"), "Given  December 07, 2026");
    temporary = true;
    EXPECT_EQ(dateLine(report, ""), "December 07, 2026");
    CReport noName(ReportOptionNoNameOnDateLine);
    EXPECT_EQ(dateLine(noName, "Given"), "December 07, 2026");
    SetActiveJobHooks(previous);
}

TEST(ReportRtfWriter, FontsThatCannotBeMadeFallBack)
{
    FixedEnvironment env;
    env.textFace = "Missing Mono";
    env.missingFace = "Missing Mono";
    CReport report;
    const std::string rtf = WriteReportRtf(report, false, "", env);
    EXPECT_EQ(rtf, kTableStart + "{\\f1\\fnil Courier New;}{\\f2\\fnil Courier New;}" + kTableEnd + "\\pard" +
                       "\\plain\\f1\\fs20 \\plain\\f2\\fs20 " + kBodyEnd);
}

TEST(ReportRtfWriter, SpecialCharactersAreEscapedAndCountedAsCharacters)
{
    FixedEnvironment env;
    CReport report;
    report.AddHeaderLine("Job {North} \\ 1");
    report.AddColumn("Desc", ReportHeadingLeft | ReportCellLeft);
    report.AddColumn("Name", ReportHeadingLeft | ReportCellLeft);
    int32_t r = report.AddRow();
    report.SetCell(0, r, "DITCH}", false);
    report.SetCell(1, r, "\xC3\x9C", false); // Ü
    r = report.AddRow();
    report.SetCell(0, r, "\xE2\x82\xAC 5 \xCE\xA9", false); // € and Ω
    report.SetCell(1, r, "\xF0\x9F\x93\x8D", false);       // a pin, beyond the first plane
    const std::string rtf = WriteReportRtf(report, true, "\xC3\x9C", env);
    EXPECT_NE(rtf.find("\\'dc  December"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("Job \\{North\\} \\\\ 1\\par"), std::string::npos) << rtf;
    // Widths count characters: "DITCH}" is 6 wide like "€ 5 Ω", "Ü" 1 like the pin.
    EXPECT_NE(rtf.find("DITCH\\}  \\'dc   \\par\n"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\'80 5 \\u937?   \\u-10179?\\u-9011?   \\par\n"), std::string::npos) << rtf;

    // What the reader gets back is what went in.
    RtfDocument document;
    CRtfReader reader;
    ASSERT_TRUE(reader.Read(rtf, document)) << reader.GetError();
    const std::string text = document.PlainText();
    EXPECT_NE(text.find("\xC3\x9C  December 07, 2026"), std::string::npos) << text;
    EXPECT_NE(text.find("Job {North} \\ 1"), std::string::npos) << text;
    EXPECT_NE(text.find("DITCH}  \xC3\x9C"), std::string::npos) << text;
    EXPECT_NE(text.find("\xE2\x82\xAC 5 \xCE\xA9   \xF0\x9F\x93\x8D"), std::string::npos) << text;
}

TEST(ReportRtfWriter, ReaderGetsBackParagraphsAndStyles)
{
    FixedEnvironment env;
    CReport report;
    report.AddHeaderLine("Title");
    FillPoints(report);
    RtfDocument document;
    CRtfReader reader;
    ASSERT_TRUE(reader.Read(WriteReportRtf(report, true, "Job", env), document)) << reader.GetError();
    ASSERT_EQ(document.paragraphs.size(), 7u);
    EXPECT_EQ(document.paragraphs[0].alignment, RtfAlignment::Right);
    EXPECT_EQ(document.paragraphs[0].PlainText(), "Job  December 07, 2026");
    EXPECT_EQ(document.paragraphs[0].runs[0].fontSize, 16);
    EXPECT_EQ(document.paragraphs[0].runs[0].face, "Arial");
    EXPECT_EQ(document.paragraphs[1].alignment, RtfAlignment::Centre);
    EXPECT_TRUE(document.paragraphs[1].runs[0].bold);
    EXPECT_EQ(document.paragraphs[1].PlainText(), "Title");
    const RtfParagraph& heading = document.paragraphs[2];
    EXPECT_EQ(heading.alignment, RtfAlignment::Left);
    EXPECT_EQ(heading.PlainText(), "Point Name  Description");
    ASSERT_EQ(heading.runs.size(), 3u);
    EXPECT_TRUE(heading.runs[0].underline && heading.runs[0].bold);
    EXPECT_FALSE(heading.runs[1].underline || heading.runs[1].bold);
    EXPECT_EQ(heading.runs[0].face, "Courier New");
    EXPECT_EQ(document.paragraphs[3].PlainText(), "A2          A\\B       ");
    EXPECT_EQ(document.paragraphs[5].PlainText(), "10          ---        ");
    EXPECT_EQ(document.paragraphs[6].PlainText(), "");
}

TEST(ReportRtfWriter, ProgressAndTheCachedSecondRendering)
{
    FixedEnvironment env;
    CShellReportOutput output(env);
    CReportOutput* previous = SetReportOutput(&output);
    FakeStatusBarHost status;
    CReport report;
    FillPoints(report);
    const std::string first = report.GenerateRtf(false);
    const std::vector<std::string> calls = status.Take();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "text:Generate RTF");
    EXPECT_EQ(calls.back(), "end");
    // Unchanged and in the same mode: the same text, with no progress at all.
    EXPECT_EQ(report.GenerateRtf(false), first);
    EXPECT_TRUE(status.Take().empty());
    SetReportOutput(previous);
}
