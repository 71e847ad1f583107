#include "core/Report.h"
#include "core/ReportOutput.h"
#include "platform/MessageBox.h"
#include "platform/RunTempFolder.h"

#include "TestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using testing::ElementsAre;

namespace {

// Records what reports ask of the program; renders as "rtf<mode>:<rows>" so tests can see which
// rendering came back.
class RecordingOutput : public CReportOutput
{
public:
    RecordingOutput() { previous = SetReportOutput(this); }
    ~RecordingOutput() override { SetReportOutput(previous); }

    std::string RenderRtf(const CReport& report, bool mode, const std::string& name) override
    {
        ++renders;
        return "rtf" + std::to_string(int(mode)) + ":" + name + ":" + std::to_string(report.GetTotalRowCount());
    }
    bool HasMainWindow() override { return mainWindow; }
    void ShowRtfInMessageBar(const std::string& rtf, bool caretAtEnd) override { barText = rtf; }
    bool IsMessageBarVisible() override { return barVisible; }
    bool GetUserClosedMessageBar() override { return userClosed; }
    void SetUserClosedMessageBar(bool closed) override { userClosed = closed; }
    void ShowMessageBar(bool show) override { barVisible = show; }
    bool GetAutoShowMessages() override { return autoShow; }
    bool SendTextToKVLEdit(const std::string& text) override
    {
        sent.push_back(text);
        return true;
    }
    bool StartKVLEdit(const std::vector<std::string>& arguments) override
    {
        started = arguments;
        return true;
    }

    CReportOutput* previous = nullptr;
    int renders = 0;
    bool mainWindow = true, barVisible = false, userClosed = false, autoShow = true;
    std::string barText;
    std::vector<std::string> sent;
    std::vector<std::string> started;
};

class MessageRecorder
{
public:
    MessageRecorder()
    {
        previous = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(previous); }
    std::vector<std::string> texts;
    MessageBoxHandler previous;
};

} // namespace

TEST(Report, ANewReportIsEmptyEvenWithHeaderLines)
{
    CReport report;
    EXPECT_FALSE(report.IsChanged());
    EXPECT_TRUE(report.IsEmpty());
    ASSERT_EQ(report.GetSections().size(), 1u);
    report.AddHeaderLine("Title");
    report.AddHeaderLine(nullptr);
    report.BuildFontList(nullptr, 12, true, false);
    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Title"));
    EXPECT_EQ(report.GetHeaderItems().size(), 1u);
    EXPECT_TRUE(report.IsChanged());
    EXPECT_TRUE(report.IsEmpty());
    // No columns: no row.
    EXPECT_EQ(report.AddRow(), -1);
    EXPECT_TRUE(report.IsEmpty());
}

TEST(Report, ColumnsRowsAndCells)
{
    CReport report;
    report.AddColumn("Point", ReportHeadingCentre | ReportCellLeft);
    report.AddColumn("\n+/- Angle", ReportHeadingRight | ReportCellRight);
    EXPECT_EQ(report.AddRow(), 0);
    EXPECT_EQ(report.AddRow(), 1);
    // Columns come before rows.
    report.AddColumn("Late", 0);
    EXPECT_EQ(report.GetCurrentSection()->columns.size(), 2u);

    report.SetCell(0, 0, "", false);
    report.SetCell(1, 0, "a\\b", false);
    report.SetCell(1, 1, "\\page", true);
    report.SetChanged(false);
    report.SetCell(2, 0, "x", false);
    EXPECT_TRUE(report.IsChanged());
    report.SetCell(0, -1, "x", false);
    report.SetCell(0, 2, "x", false);
    report.SetCell(0, 1, nullptr, false);
    EXPECT_EQ(report.GetCell(0, 0, 0), " ");
    EXPECT_EQ(report.GetCell(0, 1, 0), "a\\\\b");
    EXPECT_EQ(report.GetCell(0, 1, 1), "\\page");
    EXPECT_EQ(report.GetCell(0, 0, 1), "");
    EXPECT_EQ(report.GetRowCount(), 2);

    report.SetChanged(false);
    report.DeleteRow(-1);
    EXPECT_TRUE(report.IsChanged());
    report.DeleteRow(2);
    EXPECT_EQ(report.GetRowCount(), 2);
    report.DeleteRow(0);
    EXPECT_EQ(report.GetRowCount(), 1);
    EXPECT_EQ(report.GetCell(0, 1, 0), "\\page");

    report.NewSection().AddColumn("", ReportHeadingLeft | ReportCellLeft);
    report.AddTextRow("a note");
    report.AddPageBreakRow();
    EXPECT_EQ(report.GetCell(1, 0, 0), "a note");
    EXPECT_EQ(report.GetCell(1, 0, 1), "\\page");
    EXPECT_EQ(report.GetSections().size(), 2u);
    EXPECT_EQ(report.GetTotalRowCount(), 3);
}

TEST(Report, SwappedColumnsTradeHeadingsAndCells)
{
    CReport report;
    EXPECT_TRUE(report.SetSwapColumns(2, 1, false));
    EXPECT_EQ(report.GetSwapColumnA(), 1);
    EXPECT_EQ(report.GetSwapColumnB(), 2);
    report.AddColumn("Point", 0x12);
    report.AddColumn("Northing", 0x42);
    report.AddColumn("Easting", 0x42);
    report.AddColumn("Elevation", 0x42);
    const auto& columns = report.GetCurrentSection()->columns;
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[1].heading, "Easting");
    EXPECT_EQ(columns[2].heading, "Northing");
    const int32_t row = report.AddRow();
    report.SetCell(1, row, "5000.000", false); // the producer's northing
    report.SetCell(2, row, "1000.000", false); // its easting
    EXPECT_EQ(report.GetCell(0, 1, row), "1000.000");
    EXPECT_EQ(report.GetCell(0, 2, row), "5000.000");

    // Northing listed first: nothing is swapped.
    CReport plain;
    plain.SetSwapColumns(1, 2, true);
    EXPECT_EQ(plain.GetSwapColumnA(), -1);
    EXPECT_EQ(plain.GetSwapColumnB(), -1);
}

TEST(Report, ClearingSections)
{
    CReport report;
    report.AddHeaderLine("Kept");
    report.AddColumn("A", 0);
    report.AddRow();
    report.NewSection().AddColumn("B", 0);
    report.AddRow();
    report.ClearSections(true);
    ASSERT_EQ(report.GetSections().size(), 1u);
    EXPECT_EQ(report.GetSections()[0]->columns[0].heading, "B");
    EXPECT_TRUE(report.IsEmpty());
    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Kept"));

    // Without keeping, a fresh section takes the current one's place, so later calls are safe.
    report.ClearSections(false);
    ASSERT_NE(report.GetCurrentSection(), nullptr);
    EXPECT_TRUE(report.GetCurrentSection()->columns.empty());
    EXPECT_EQ(report.AddRow(), -1);
    report.SetCell(0, 0, "x", false);
    report.DeleteRow(0);
    report.AddColumn("C", 0);
    EXPECT_EQ(report.AddRow(), 0);
    EXPECT_EQ(report.GetSections().size(), 1u);

    report.Clear(true);
    EXPECT_TRUE(report.GetHeaderLines().empty());
    EXPECT_EQ(report.GetSections().size(), 1u);
}

TEST(Report, RenderingIsCachedUntilAChangeOrAnotherMode)
{
    RecordingOutput output;
    CReport report;
    report.AddColumn("A", 0x11);
    report.SetCell(0, report.AddRow(), "x", false);
    EXPECT_EQ(report.GenerateRtf(false), "rtf0::1");
    EXPECT_FALSE(report.IsChanged());
    EXPECT_EQ(report.GenerateRtf(false), "rtf0::1");
    EXPECT_EQ(output.renders, 1);
    EXPECT_EQ(report.GenerateRtf(true, "Job"), "rtf1:Job:1");
    EXPECT_EQ(output.renders, 2);
    report.AddRow();
    EXPECT_EQ(report.GenerateRtf(true, "Job"), "rtf1:Job:2");
    EXPECT_EQ(output.renders, 3);
}

TEST(Report, MessageBarShowsOrHidesByTheReportAndTheUsersChoice)
{
    RecordingOutput output;
    CReport report;
    report.AddColumn("A", 0x11);

    // An empty report hides the bar.
    output.barVisible = true;
    report.ShowInMessageBar(true, true);
    EXPECT_EQ(output.barText, "rtf0::0");
    EXPECT_FALSE(output.barVisible);

    report.AddTextRow("line");
    report.ShowInMessageBar(true, true);
    EXPECT_TRUE(output.barVisible);

    // Closed by the user: kept hidden while respected, shown again and the record cleared when not.
    output.userClosed = true;
    output.barVisible = false;
    report.ShowInMessageBar(true, false);
    EXPECT_FALSE(output.barVisible);
    EXPECT_TRUE(output.userClosed);
    report.ShowInMessageBar(false, false);
    EXPECT_TRUE(output.barVisible);
    EXPECT_FALSE(output.userClosed);

    // Without auto-show a hidden bar stays hidden, a visible one stays visible.
    output.autoShow = false;
    output.barVisible = false;
    report.ShowInMessageBar(false, false);
    EXPECT_FALSE(output.barVisible);
    output.barVisible = true;
    report.ShowInMessageBar(false, false);
    EXPECT_TRUE(output.barVisible);

    // No main window: nothing reaches a bar.
    output.mainWindow = false;
    output.barText.clear();
    report.ShowInMessageBar(false, false);
    EXPECT_EQ(output.barText, "");
}

TEST(Report, EditorAndPrinting)
{
    RecordingOutput output;
    MessageRecorder messages;
    CReport report;
    report.AddColumn("A", 0x11);
    EXPECT_FALSE(report.OpenInEditor("Job"));
    EXPECT_THAT(messages.texts, ElementsAre("Empty Report."));
    EXPECT_TRUE(output.sent.empty());

    report.AddTextRow("line");
    EXPECT_TRUE(report.OpenInEditor("Job"));
    EXPECT_THAT(output.sent, ElementsAre("rtf1:Job:1"));

    // The file to print stays for the editor until the program exits.
    EXPECT_TRUE(report.PrintWithEditor());
    ASSERT_EQ(output.started.size(), 2u);
    EXPECT_EQ(output.started[0], "/p");
    EXPECT_EQ(morvel::test::ReadAllText(output.started[1]), "rtf1::1");
    EXPECT_EQ(output.started[1].rfind(GetRunTempFolder(), 0), 0u);
    RemoveRunTempFolder();
    EXPECT_FALSE(std::filesystem::exists(output.started[1]));
}

TEST(Report, SaveRtfReplacesWholeOrNotAtAll)
{
    RecordingOutput output;
    morvel::test::TempDir dir;
    CReport report;
    report.AddColumn("A", 0x11);
    report.AddTextRow("line");
    const std::string path = dir.file("report.rtf");
    morvel::test::WriteAllText(path, "old");
    ::chmod(path.c_str(), 0640);
    EXPECT_TRUE(report.SaveRtf(path, "Job"));
    EXPECT_EQ(morvel::test::ReadAllText(path), "rtf1:Job:1");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A folder that does not exist: false, and no temporary file is left anywhere.
    EXPECT_FALSE(report.SaveRtf(dir.file("missing/report.rtf"), "Job"));
    EXPECT_FALSE(report.SaveRtf("", "Job"));
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);

    // A write cut short (the file-size limit stands in for a full disk): false, and the old
    // file keeps its content.
    morvel::test::WriteAllText(path, "old");
    report.AddTextRow("more");
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved4 = report.SaveRtf(path, "Job");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved4);
    EXPECT_EQ(morvel::test::ReadAllText(path), "old");
}
