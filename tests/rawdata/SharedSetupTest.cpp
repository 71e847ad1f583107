// Setups that share their settings between lines: each line still answers with its own values,
// and edits reach only the lines they govern.
#include "RawJob.h"
#include "core/Report.h"
#include "model/PointDatabase.h"
#include "rawdata/RawDataReduction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using morvel::test::RawJob;
using testing::HasSubstr;

namespace {

const std::vector<std::string> kHead = {"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                                        "CO,HA Raw Data: Azimuth", "MP,1,1000.0,2000.0,100.0,STN",
                                        "MP,2,1100.0,2000.0,,BS"};

TEST(SharedSetupTest, EachLineKeepsItsOwnRodHeightThroughEdits)
{
    RawJob job;
    job.AppendAll(kHead);
    // Lines 6..11: a station, then shots whose rod height changes twice.
    job.AppendAll({"ST,1,2,1.5,0.0000,0.0000", "SS,10,1.5,50.0,45.0000,90.0000,10:00:00,A",
                   "SS,11,1.5,50.0,90.0000,90.0000,10:00:00,A", "SS,12,2.0,50.0,135.0000,90.0000,10:00:00,A",
                   "SS,13,2.0,50.0,180.0000,90.0000,10:00:00,A", "SS,14,1.5,50.0,225.0000,90.0000,10:00:00,A"});
    const double expected[] = {NoValue, 1.5, 1.5, 2.0, 2.0, 1.5};
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(job.Setup(6 + i)->GetHR(), expected[i]) << "line " << 6 + i;
    // Changing a shot in the middle of a run of equal heights leaves the lines before it alone.
    CNikonRawDataRecord replacement("SS,11,3.25,50.0,90.0000,90.0000,10:00:00,A");
    ASSERT_EQ(job.raw.ReplaceRecord(8, &replacement), 8);
    const double edited[] = {NoValue, 1.5, 3.25, 2.0, 2.0, 1.5};
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(job.Setup(6 + i)->GetHR(), edited[i]) << "line " << 6 + i;
    // A units comment inserted after the station changes the later lines only.
    CNikonRawDataRecord feet("CO,DIST UNITS: Feet");
    ASSERT_EQ(job.raw.InsertRecord(9, &feet), 9);
    EXPECT_EQ(job.Setup(8)->GetDistanceUnit(), job.Setup(5)->GetDistanceUnit());
    EXPECT_NE(job.Setup(9)->GetDistanceUnit(), job.Setup(8)->GetDistanceUnit());
    EXPECT_EQ(job.Setup(12)->GetDistanceUnit(), job.Setup(9)->GetDistanceUnit());
}

// A setup asked for stays that line's setup while lines are appended after it (the reduction
// appends traces while it holds the setups of the line it reduces), and a line inserted or removed
// before it leaves every line answering for itself.
TEST(SharedSetupTest, SetupsStayInPlaceWhileLinesAreAppended)
{
    RawJob job;
    job.AppendAll(kHead);
    CRawDataSetup* held = job.Setup(5);
    const CRawDataSetup* first = job.Setup(0);
    for (int i = 0; i < 3000; ++i)
        job.Append(i % 100 == 0 ? "CO,DIST UNITS: Feet" : "MP," + std::to_string(100 + i) + ",1.0,2.0,3.0,X");
    EXPECT_EQ(held, job.Setup(5));
    EXPECT_EQ(first, job.Setup(0));
    EXPECT_EQ(held->GetLine(), 5);
    EXPECT_EQ(held->GetDistanceUnit(), 1);
    EXPECT_TRUE(held->IsPointKnown("2"));
    EXPECT_FALSE(held->IsPointKnown("100"));
    CNikonRawDataRecord feet("CO,DIST UNITS: Feet");
    ASSERT_EQ(job.raw.InsertRecord(3, &feet), 3);
    std::vector<int32_t> removed = {1, 700};
    ASSERT_EQ(job.raw.RemoveRecords(removed), 2);
    for (int32_t line = 0; line < job.raw.GetLineCount(); line += 97) {
        EXPECT_EQ(job.Setup(line)->GetLine(), line);
        EXPECT_EQ(job.Setup(line)->GetDistanceUnit(), line >= 2 ? 0 : 1) << "line " << line;
    }
}

// Every shot under a station that cannot be used reports it, and the shots under the next good
// station reduce: the station check is not carried from one station to the next.
TEST(SharedSetupTest, StationCheckFollowsEachStation)
{
    RawJob job;
    job.AppendAll(kHead);
    job.AppendAll({"ST,1,2,1.5,0.0000,0.0000", "SS,10,1.5,50.0,45.0000,90.0000,10:00:00,A",
                   "ST,1,2,,0.0000,0.0000", "SS,11,1.5,50.0,90.0000,90.0000,10:00:00,A",
                   "SS,12,1.5,50.0,90.0000,90.0000,10:00:00,A", "ST,1,2,1.5,0.0000,0.0000",
                   "SS,13,1.5,50.0,135.0000,90.0000,10:00:00,A"});
    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    std::vector<std::string> rows;
    for (const auto& section : report.GetSections())
        for (const auto& row : section->rows)
            if (!row.empty())
                rows.push_back(row[0]);
    EXPECT_THAT(rows, testing::Contains("Line #10 ERROR: Bad Occupy Pt''"));
    EXPECT_THAT(rows, testing::Contains("Line #11 ERROR: Bad Occupy Pt''"));
    for (const char* made : {"Line #8 GENERATING SIDE SHOT: ", "Line #13 GENERATING SIDE SHOT: "})
        EXPECT_THAT(rows, testing::Contains(HasSubstr(made))) << made;
    EXPECT_EQ(job.GetPointDatabase()->FindPoint("12", true), nullptr);
    EXPECT_NE(job.GetPointDatabase()->FindPoint("13", true), nullptr);
}

} // namespace
