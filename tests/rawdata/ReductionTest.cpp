// Raw data reduction: whole raw files reduced to job points, with the analysis report, the
// history, duplicates and the settings comments.
#include "FakeView.h"
#include "RawJob.h"
#include "core/Report.h"
#include "core/StatusProgress.h"
#include "model/JobFileDocSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "platform/BusyCursor.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/ReductionNotice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using morvel::test::RawJob;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

std::vector<std::string> Rows(const CReport& report)
{
    std::vector<std::string> rows;
    for (const auto& section : report.GetSections())
        for (const auto& row : section->rows)
            rows.push_back(row.empty() ? std::string() : row[0]);
    return rows;
}

CPointRecord* Point(RawJob& job, const char* name)
{
    return job.GetPointDatabase()->FindPoint(name, true);
}

void ExpectPoint(RawJob& job, const char* name, double e, double n, double z)
{
    SCOPED_TRACE(name);
    CPointRecord* p = Point(job, name);
    ASSERT_NE(p, nullptr);
    EXPECT_NEAR(p->GetEasting(), e, 1e-6);
    EXPECT_NEAR(p->GetNorthing(), n, 1e-6);
    if (z == NoValue)
        EXPECT_EQ(p->GetElevation(), NoValue);
    else
        EXPECT_NEAR(p->GetElevation(), z, 1e-6);
}

TEST(ReductionTest, PackedAnglesWithSixtyMinutesOrSecondsAreNamedAndStillReduced)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                   "CO,HA Raw Data: Azimuth", "MP,1,1000.0,2000.0,100.0,STN", "MP,2,1100.0,2000.0,,BS",
                   "ST,1,2,1.5,0.0000,0.0000", "SS,10,1.5,10.0,45.5959,90.0000,10:00:00,",
                   "SS,11,1.5,10.0,45.6000,90.0000,10:00:00,", "SS,12,1.5,10.0,45.0000,90.0070,10:00:00,",
                   "SS,13,1.5,10.0,45.7,90.0000,10:00:00,", "SS,14,1.5,10.0,45.5,90.00595,10:00:00,",
                   "SS,15,1.5,10.0,45,90,10:00:00,"});
    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    std::vector<std::string> warned;
    for (const std::string& row : Rows(report))
        if (row.find("60 or more") != std::string::npos)
            warned.push_back(row);
    EXPECT_THAT(warned, ElementsAre("Line #9 WARNING: Angle with 60 or more minutes or seconds: SS,11,1.5,10.0,45.6000,90.0000,10:00:00,",
                                    "Line #10 WARNING: Angle with 60 or more minutes or seconds: SS,12,1.5,10.0,45.0000,90.0070,10:00:00,",
                                    "Line #11 WARNING: Angle with 60 or more minutes or seconds: SS,13,1.5,10.0,45.7,90.0000,10:00:00,"));
    // The angle is taken as written: 45 degrees 60 minutes is 46 degrees.
    ExpectPoint(job, "11", 2000 + 10 * std::sin(46 * M_PI / 180), 1000 + 10 * std::cos(46 * M_PI / 180), 100);
    // Every line was reduced: a job made from this field data has nothing to explain.
    EXPECT_EQ(DescribeFieldDataReduction(report, size_t(job.GetPointDatabase()->GetCount())), "");
}

TEST(ReductionTest, AzimuthModeInMetres)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                   "CO,HA Raw Data: Azimuth", "MP,1,1000.0,2000.0,100.0,STN", "MP,2,1100.0,2000.0,,BS",
                   "ST,1,2,1.5,0.0000,0.0000", "SS,10,1.8,50.0,45.0000,90.0000,10:00:00,A",
                   "SS,11,1.5,100.0,123.3000,85.3000,10:01:00,B", "SS,12,1.5,80.0,315.0000,275.0000,10:02:00,C",
                   "F1,,1.5,,0.0000,90.0000,10:03:00"});
    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    ExpectPoint(job, "1", 2000, 1000, 100);
    ExpectPoint(job, "2", 2000, 1100, NoValue);
    ExpectPoint(job, "10", 2035.355339, 1035.355339, 99.7);
    ExpectPoint(job, "11", 2083.131523, 944.976445, 107.84591);
    ExpectPoint(job, "12", 2056.353282, 943.646718, 106.972459);
    EXPECT_STREQ(Point(job, "10")->GetDescription(), "A");
    EXPECT_EQ(job.settings.GetSurveyUnits(), 0);

    const auto rows = Rows(report);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_THAT(rows[0], testing::StartsWith("Line #1 SETTING JOB MODE: "));
    EXPECT_EQ(rows[4], "Line #5 GENERATING STORE PT: Point Name: 1, " + std::string(rows[4].substr(rows[4].find(", ") + 2)));
    EXPECT_THAT(rows[6], testing::StartsWith("Line #8 GENERATING SIDE SHOT: Point Name: 10, Height of Rod: 1.8m"));
    EXPECT_EQ(report.GetSections().front()->columns.front().heading, "Reduction Analysis");
    EXPECT_THAT(job.GetHistoryList().back(), HasSubstr("Line #10 GENERATING SIDE SHOT: "));

    // A second run finds every point and only modifies.
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    EXPECT_THAT(Rows(report)[4], testing::StartsWith("Line #5 MODIFYING STORE PT: "));
    EXPECT_THAT(Rows(report)[6], testing::StartsWith("Line #8 MODIFYING SIDE SHOT: "));
}

TEST(ReductionTest, HaZeroToBacksightInFeetSetsTheJobUnits)
{
    RawJob job;
    job.settings.SetDistanceUnit(0);
    job.AppendAll({"CO,Dist Units: Feet", "CO,Angle Units: Degrees", "CO,Zero azimuth: North",
                   "CO,HA Raw Data: HA zero to BS", "UC,1,5000.0,5000.0,100.0,STN", "UC,2,5000.0,5100.0,,BS",
                   "ST,1,2,5.0,,30.0000", "SS,20,5.0,100.0,120.0000,90.0000,t,", "SS,21,5.0,100.0,300.0000,270.0000,t,",
                   "SS,22,5.0,100.0,30.0000,90.0000,t,", "SS,2,5.0,100.0,60.0000,90.0000,t,"});
    ReduceRawData(job, job.raw, false, false, nullptr, nullptr);
    EXPECT_EQ(job.settings.GetSurveyUnits(), 1);
    ExpectPoint(job, "20", 1524.0, 1493.52, 30.48);
    ExpectPoint(job, "21", 1524.0, 1493.52, 30.48);
    // HA equal to BC: on the backsight direction.
    ExpectPoint(job, "22", 1524.0 + 30.48, 1524.0, 30.48);
    // A shot that moves the backsight point turns from the backsight as it was before it.
    ExpectPoint(job, "2", 1524.0 + 30.48 * std::sin(2 * std::numbers::pi / 3), 1524.0 + 30.48 * std::cos(2 * std::numbers::pi / 3), 30.48);
}

TEST(ReductionTest, GonsSouthAzimuthAndEveryCorrection)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Gons", "CO,ZERO AZIMUTH: South", "CO,HA Raw Data: Azimuth",
                   "CO,C & R Adjustment: On", "CO,C & R Coefficient: 0.132", "CO,Sea Level Adjustment: On",
                   "CO,ScaleFactor: 0.9996", "CO,Scale Adjustment: On", "MP,1,1000,2000,100,STN", "ST,1,,1.5,0,0",
                   "SS,30,1.5,1000,30,100,t,X"});
    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    // 30 gons (27 degrees) west of south, off the diagonal so that northing and easting differ.
    const double h = 999.584308;
    ExpectPoint(job, "30", 2000 - h * std::sin(0.15 * std::numbers::pi), 1000 - h * std::cos(0.15 * std::numbers::pi),
                100.068110);
    EXPECT_EQ(job.settings.GetAngleUnits(), 1);
    EXPECT_EQ(job.settings.GetAzimuthFormat(), 1);
    EXPECT_TRUE(job.settings.GetAdjustForCurvature());
    EXPECT_FALSE(job.settings.GetAdjustForCurvatureFactor());
    EXPECT_TRUE(job.settings.GetUseSeaLevelCorrection());
    EXPECT_TRUE(job.settings.GetUseScaleFactor());
    EXPECT_DOUBLE_EQ(job.settings.GetScaleFactor(), 0.9996);
    EXPECT_EQ(Rows(report).size(), 11u) << "nine settings, the store point and the shot";
}

TEST(ReductionTest, RefusedLinesAndTheirMessages)
{
    RawJob job;
    job.AppendAll({"SS,5,1.5,10,0,90,t,", "CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                   "CO,HA Raw Data: Azimuth", "SS,6,1.5,10,0,90,t,", "MP,1,100,200,10,STN", "ST,1,,1.5,0,0",
                   "SS,7,1.5,,0,90,t,", "SS,8,,10,0,90,t,", "SS,9,1.5,10,,90,t,", "CP,0,1.5,10,0,90,t,",
                   "MP,1,,200,,BAD", "ST,2,,1.5,0,0", "SO,1005,1.5,10,0,90,t,", "XX,unknown", "F2,,1,1,1,1,t"});
    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    EXPECT_THAT(Rows(report),
                ElementsAre("Line #1 WARNING: Angle Only Side Shot Record.", testing::StartsWith("Line #2 SETTING"),
                            testing::StartsWith("Line #3 SETTING"), testing::StartsWith("Line #4 SETTING"),
                            testing::StartsWith("Line #5 SETTING"), "Line #6 ERROR: Bad Occupy Pt''",
                            testing::StartsWith("Line #7 GENERATING STORE PT: "),
                            "Line #9 WARNING: Angle Only Side Shot Record.",
                            "Line #10 ERROR: Side Shot Record is missing HR.",
                            "Line #11 ERROR: Invalid Side Shot Record.",
                            "Line #12 ERROR: Invalid Control Point Record.",
                            "Line #13 WARNING: Invalid Store Point Record.", "Line #15 ERROR: Bad Occupy Pt'2'",
                            "Line #16 WARNING: Unrecognized line, not used: XX,unknown"));
    EXPECT_EQ(Point(job, "5"), nullptr);
    EXPECT_EQ(Point(job, "7"), nullptr);
}

// A station line that cannot be read leaves the shots after it without a station; the analysis
// names that line, with its text, before the errors it causes. Blank lines pass silently.
TEST(ReductionTest, AnUnreadableStationLineIsNamedBeforeItsShots)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                   "CO,HA Raw Data: Azimuth", "MP,1,100,200,10,STN", "ST,1,,1.5,0,0,1,2,3,4,5,6,7,8,9",
                   "SS,7,1.5,10,0,90,t,", "  ", "F1,,1.5,,0.0000,90.0000,10:03:00"});
    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    const auto rows = Rows(report);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_THAT(std::vector<std::string>(rows.begin() + 4, rows.end()),
                ElementsAre(testing::StartsWith("Line #5 GENERATING STORE PT: "),
                            "Line #6 WARNING: Unrecognized line, not used: ST,1,,1.5,0,0,1,2,3,4,5,6,7,8,9",
                            "Line #7 ERROR: Bad Occupy Pt''"));
}

TEST(ReductionTest, DuplicatesAndIgnoredStorePoints)
{
    for (const bool ignore : {false, true}) {
        SCOPED_TRACE(ignore ? "ignoring store points" : "reducing every line");
        RawJob job;
        job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                       "UP,7,100,200,,FIRST", "UP,7,150,250,,SECOND"});
        CReport report;
        std::vector<std::string> duplicates;
        ReduceRawData(job, job.raw, ignore, false, &report, &duplicates);
        const auto rows = Rows(report);
        if (ignore) {
            EXPECT_TRUE(duplicates.empty());
            ExpectPoint(job, "7", 200, 100, NoValue);
            EXPECT_EQ(rows.size(), 4u);
        } else {
            EXPECT_THAT(duplicates, ElementsAre("Line#: 5, Rec Type: UP, Pt Name: 7"));
            EXPECT_THAT(rows, testing::Contains("Line #5 WARNING: Duplicate Pt. '7'."));
            ExpectPoint(job, "7", 250, 150, NoValue);
            EXPECT_STREQ(Point(job, "7")->GetDescription(), "SECOND");
        }
    }
}

TEST(ReductionTest, DeletedLinesDeleteTheirPoints)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                   "CO,HA Raw Data: Azimuth", "MP,1,1000,2000,100,STN", "ST,1,,1.5,0,0", "*SS,10,1.5,10,0,90,t,",
                   "*MP,11,1,2,,", "*SS,12,1.5,,0,90,t,"});
    job.AddPoint("10", 1, 1);
    job.AddPoint("11", 1, 1);
    job.AddPoint("12", 1, 1);
    ReduceRawData(job, job.raw, false, true, nullptr, nullptr);
    EXPECT_NE(Point(job, "10"), nullptr) << "deleted lines ignored";
    EXPECT_EQ(job.raw.GetLineCount(), 9);

    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    EXPECT_EQ(Point(job, "10"), nullptr);
    EXPECT_EQ(Point(job, "11"), nullptr);
    EXPECT_NE(Point(job, "12"), nullptr) << "the angle-only check comes before the deleted one";
    EXPECT_THAT(Rows(report), testing::Contains(testing::StartsWith("Line #7 DELETING PT: ")));
    EXPECT_THAT(Rows(report), testing::Contains(testing::StartsWith("Line #8 DELETING PT: ")));
    // The shot's deletion is traced as a deleted input point; the store point's is not.
    ASSERT_EQ(job.raw.GetLineCount(), 10);
    EXPECT_EQ(job.Text(9).substr(0, 7), "*MP,10,");

    const size_t history = job.GetHistoryList().size();
    ReduceRawData(job, job.raw, false, false, nullptr, nullptr);
    EXPECT_EQ(job.raw.GetLineCount(), 10) << "a second run finds nothing more to delete";
    // Three settings comments set their settings again and point 1 is modified again.
    EXPECT_EQ(job.GetHistoryList().size(), history + 4);
}

TEST(ReductionTest, EmptyRawDataStillSendsItsHints)
{
    RawJob job;
    std::vector<std::string> log;
    FakeView view(&log);
    job.AddView(&view);
    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    job.SendHint(nullptr, 1, 0);
    EXPECT_TRUE(Rows(report).empty());
    EXPECT_THAT(log, testing::IsSupersetOf({"V37", "V42", "V19"}));
    log.clear();
    job.AddPoint("1", 1, 1);
    job.SendHint(nullptr, 1, 0);
    log.clear();
    ReduceRawData(job, job.raw, false, false, nullptr, nullptr);
    job.SendHint(nullptr, 1, 0);
    EXPECT_THAT(log, testing::Not(testing::Contains("V19")));
    job.RemoveView(&view);
}

TEST(ReductionTest, TheWaitCursorShowsForTheWholeRun)
{
    std::vector<std::string> events;
    CBusyCursor::Handler previous = CBusyCursor::SetHandler([&](bool show) {
        events.push_back(std::string(show ? "show" : "hide") + (CStatusProgress::IsAnyScopeActive() ? " busy" : ""));
    });
    for (const bool withLines : {false, true}) {
        SCOPED_TRACE(withLines);
        events.clear();
        RawJob job;
        if (withLines)
            job.AppendAll({"CO,DIST UNITS: Metres", "MP,1,1000.0,2000.0,100.0,STN"});
        ReduceRawData(job, job.raw, false, false, nullptr, nullptr);
        // The cursor comes before the progress text and goes after it.
        EXPECT_THAT(events, ElementsAre("show", "hide"));
    }
    CBusyCursor::SetHandler(std::move(previous));
}

TEST(ReductionTest, UnknownSettingWordsChangeNothing)
{
    RawJob job;
    job.settings.SetDistanceUnit(2);
    job.AppendAll({"CO,DIST UNITS: Yards", "CO,Dist Units: Feet"});
    CReport report;
    ReduceRawData(job, job.raw, false, false, &report, nullptr);
    EXPECT_EQ(Rows(report).size(), 1u);
    EXPECT_EQ(job.settings.GetSurveyUnits(), 1);
}

} // namespace
