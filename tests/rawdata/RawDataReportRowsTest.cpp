// The raw data report's rows for each option, for a job without raw lines, and its profile keys.
#include "RawJob.h"
#include "TestUtil.h"
#include "core/Report.h"
#include "platform/Profile.h"
#include "rawdata/RawDataReportRows.h"

#include <gtest/gtest.h>

using morvel::test::RawJob;

namespace {

class RawDataReportRowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        job.AppendAll({"CO,Job start", "ST,1,2,1.5,0.0000,0.0000", "SS,10,1.8,50.0,45.3000,90.0000,10:00:00,TREE",
                       "CO,Rain"});
    }
    // The listed column of the table section, row by row.
    static std::vector<std::string> Column(const CReport& report, int32_t column)
    {
        std::vector<std::string> cells;
        const CReportSection* table = report.GetCurrentSection();
        for (int32_t row = 0; table && row < report.GetRowCount(); ++row)
            cells.push_back(report.GetCell(1, column, row));
        return cells;
    }
    RawJob job;
};

TEST_F(RawDataReportRowsTest, EachOptionListsItsLines)
{
    CReport report;
    struct Case
    {
        const char* name;
        CRawDataReportOptions options;
        std::vector<std::string> numbers; // with line numbers on
        size_t rows;
    };
    const Case cases[] = {
        {"every line", {true, false, true}, {"1", "2", "3", "4"}, 4},
        {"notes left out (notes only has no effect)", {false, true, true}, {"2", "3"}, 2},
        {"notes only", {true, true, true}, {"1", "4"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildRawDataReport(report, &job.raw, c.options);
        EXPECT_EQ(report.GetHeaderLines(), std::vector<std::string>{"Raw Data Report"});
        ASSERT_EQ(report.GetSections().size(), 2u);
        EXPECT_EQ(Column(report, 0), c.numbers);
        ASSERT_EQ(size_t(report.GetRowCount()), c.rows);
        EXPECT_EQ(report.GetCell(1, 1, 0), job.raw.GetRecord(std::stoi(c.numbers[0]) - 1)->DescribeShort());
    }
    // Without numbers the description is the first cell.
    BuildRawDataReport(report, &job.raw, {true, false, false});
    EXPECT_EQ(report.GetCell(1, 0, 3), job.raw.GetRecord(3)->DescribeShort());
    EXPECT_EQ(report.GetCell(1, 1, 3), "");
}

TEST(RawDataReportTextTest, BackslashesAreStoredDoubledLikeEveryCell)
{
    RawJob job;
    job.AppendAll({"CO,Copied from C:\\jobs\\site", "CO,Plain note"});
    CReport report;
    BuildRawDataReport(report, &job.raw, {});
    EXPECT_EQ(report.GetCell(1, 0, 0), "CO,Copied from C:\\\\jobs\\\\site");
    EXPECT_EQ(report.GetCell(1, 0, 1), job.raw.GetRecord(1)->DescribeShort());
}

TEST(RawDataReportEmptyTest, AJobWithoutLinesGivesTheTitleAndAnEmptyTable)
{
    RawJob empty;
    CReport report;
    BuildRawDataReport(report, &empty.raw, {});
    EXPECT_EQ(report.GetHeaderLines(), std::vector<std::string>{"Raw Data Report"});
    ASSERT_EQ(report.GetSections().size(), 2u);
    EXPECT_EQ(report.GetRowCount(), 0);
    EXPECT_EQ(report.GetTotalRowCount(), 1); // the spacer row
    BuildRawDataReport(report, nullptr, {});
    EXPECT_EQ(report.GetRowCount(), 0);
}

TEST(RawDataReportOptionsTest, AllThreeKeysRoundTrip)
{
    morvel::test::TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    const CRawDataReportOptions defaults = CRawDataReportOptions::Load(profile);
    EXPECT_TRUE(defaults.notes);
    EXPECT_FALSE(defaults.notesOnly);
    EXPECT_FALSE(defaults.numbers);
    CRawDataReportOptions chosen{false, true, true};
    chosen.Save(profile);
    const CRawDataReportOptions back = CRawDataReportOptions::Load(profile);
    EXPECT_FALSE(back.notes);
    EXPECT_TRUE(back.notesOnly);
    EXPECT_TRUE(back.numbers);
}

} // namespace
