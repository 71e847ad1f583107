#include "cogo/CogoCommands.h"
#include "core/GenericFormat.h"
#include "model/DataFileUndoManager.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/RawJob.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

namespace {

using morvel::test::RawJob;

constexpr double kDeg = std::numbers::pi / 180;

struct CogoJob : RawJob
{
    CogoJob()
    {
        AppendAll(morvel::test::MetricHead());
        AddPoint("1", 1000, 1000);
        AddPoint("2", 1100, 1000);
        AddPoint("3", 1030, 1040, 105);
        AddPoint("4", 1000, 1000, 100);
        AddPoint("12", 0, 0);
    }
    int Steps() { return GetUndoManager()->GetStepCount(); }
    CPointRecord* Point(const char* name) { return GetPointDatabase()->FindPoint(name, true); }
    std::string LastLine() { return Text(raw.GetLineCount() - 1); }
};

void Circles(CogoJob& job, CIntersectionCommand& cmd)
{
    cmd.baseA = "1";
    cmd.baseB = "2";
    cmd.modeA = cmd.modeB = 1;
    cmd.distanceA = 60;
    cmd.distanceB = 80;
    cmd.ProposeStoreNames(job);
}

TEST(IntersectionCommandTest, StoresBothInOneStepAndMovesBothNamesOn)
{
    CogoJob job;
    CIntersectionCommand cmd;
    Circles(job, cmd);
    EXPECT_EQ(cmd.storeNameC, "13");
    EXPECT_EQ(cmd.storeNameD, "14");
    const int steps = job.Steps();
    CCogoScratchRecorder scratch;
    CCogoMessage message;
    ASSERT_TRUE(cmd.Solve(job, scratch, &message)) << message.text;
    EXPECT_EQ(job.Steps(), steps + 1);
    EXPECT_EQ(job.Text(job.raw.GetLineCount() - 2), "CC,13,952.0,1036.0,,I-sect Pt C");
    EXPECT_EQ(job.LastLine(), "CC,14,1048.0,1036.0,,I-sect Pt D");
    EXPECT_THAT((std::vector {cmd.northingC, cmd.eastingC, cmd.northingD, cmd.eastingD}),
                testing::ElementsAre("3123.360", "3398.950", "3438.320", "3398.950")); // the job's feet
    EXPECT_EQ(cmd.storeNameC, "15");
    EXPECT_EQ(cmd.storeNameD, "16");
    EXPECT_EQ(scratch.circles.size(), 2u);
    EXPECT_EQ(scratch.lines.size(), 4u);

    // A second solve stores two new points rather than writing D over C.
    ASSERT_TRUE(cmd.Solve(job, scratch, &message));
    ASSERT_NE(job.Point("15"), nullptr);
    ASSERT_NE(job.Point("16"), nullptr);
    EXPECT_NEAR(job.Point("13")->GetLocation().y, 952, 1e-9);
}

TEST(IntersectionCommandTest, RefusalsStoreNothing)
{
    struct Case
    {
        const char* what;
        void (*setup)(CIntersectionCommand&);
        const char* text;
        int field;
    } cases[] = {
        {"parallel", [](CIntersectionCommand& c) { c.modeA = c.modeB = 0; c.directionA = c.directionB = 10 * kDeg; },
         "No intersection exists.", 0},
        {"coincident centres", [](CIntersectionCommand& c) { c.baseB = "1"; }, "No intersection exists.", 0},
        {"circles apart", [](CIntersectionCommand& c) { c.distanceA = 10; c.distanceB = 10; }, "No intersection exists.", 0},
        {"same name for C and D", [](CIntersectionCommand& c) { c.storeNameD = c.storeNameC; }, "", 1309},
        {"radius not above zero", [](CIntersectionCommand& c) { c.distanceB = 0; }, "Value must be greater than 0.0000.", 2278},
        {"unknown base", [](CIntersectionCommand& c) { c.baseA = "99"; }, "Point does not exist.", 1092},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.what);
        CogoJob job;
        CIntersectionCommand cmd;
    Circles(job, cmd);
        t.setup(cmd);
        const int steps = job.Steps();
        const int32_t lines = job.raw.GetLineCount();
        CCogoScratchRecorder scratch;
        CCogoMessage message;
        EXPECT_FALSE(cmd.Solve(job, scratch, &message));
        EXPECT_EQ(message.text, t.text);
        EXPECT_EQ(message.field, t.field);
        EXPECT_EQ(job.Steps(), steps);
        EXPECT_EQ(job.raw.GetLineCount(), lines);
        EXPECT_TRUE(cmd.northingC.empty());
        // The given part is still reported when there is no solution.
        EXPECT_EQ(cmd.GetReport().IsEmpty(), t.field != 0);
    }
}

TEST(InverseCommandTest, SingleModesAndSideShots)
{
    CogoJob job;
    CInverseCommand cmd;
    CCogoScratchRecorder scratch;
    CCogoMessage message;
    cmd.mode = CInverseCommand::Sequence;
    cmd.point1 = "4";
    cmd.point2 = "3";
    ASSERT_TRUE(cmd.Solve(job, scratch, {}, &message));
    EXPECT_EQ(cmd.point1, "3");
    EXPECT_EQ(cmd.point2, "");
    EXPECT_EQ(cmd.results[0], static_cast<const CDataFileDoc&>(job).GetDataFileFormat().FormatDistance(50, false, false)) << "results stay visible";
    EXPECT_FALSE(cmd.sectionNeeded);

    cmd.mode = CInverseCommand::Simple;
    cmd.point2 = "1";
    ASSERT_TRUE(cmd.Solve(job, scratch, {}, &message));
    EXPECT_EQ(cmd.results[4], "-----") << "point 1 has no elevation";
    EXPECT_EQ(cmd.results[6], "-----");

    cmd.point2 = "3";
    EXPECT_FALSE(cmd.Solve(job, scratch, {}, &message));
    EXPECT_EQ(message.text, "You selected a point twice and the direction can not be calculated.");
    // Refused in Sequence: the pair still moves on; a missing point moves nothing.
    cmd.mode = CInverseCommand::Sequence;
    cmd.point1 = "4";
    cmd.point2 = "1";
    EXPECT_FALSE(cmd.Solve(job, scratch, {}, &message));
    EXPECT_EQ(message.text, "Two points are on the same location and the direction can not be calculated.");
    EXPECT_EQ(message.field, 0);
    EXPECT_EQ(cmd.point1, "1");
    EXPECT_EQ(cmd.point2, "");
    cmd.point2 = "nowhere";
    EXPECT_FALSE(cmd.Solve(job, scratch, {}, &message));
    EXPECT_EQ(message.field, 1258);
    EXPECT_EQ(cmd.point1, "1");
    EXPECT_EQ(cmd.point2, "nowhere");

    cmd.point1 = "4";
    cmd.mode = CInverseCommand::MultipleSideShots;
    EXPECT_FALSE(cmd.Solve(job, scratch, {}, &message));
    EXPECT_EQ(message.text, "Nothing Selected.");
    scratch.lines.clear();
    job.Point("3")->SetDescription("KERB");
    ASSERT_TRUE(cmd.Solve(job, scratch, {job.Point("4"), job.Point("1"), job.Point("3"), job.Point("2")}, &message));
    EXPECT_EQ(scratch.lines.size(), 2u) << "only the points at a distance get a line";
    // Every cell of every row, from point 1 to each selected point: 3 lies 40 m north and 30 m
    // east of 4 and 5 m above it, 2 lies 100 m east without an elevation, 1 on 4 without one (the
    // job shows feet; the distance column has the plain form).
    const CReport& report = cmd.GetReport();
    const size_t last = report.GetSections().size() - 1;
    EXPECT_EQ(report.GetCell(last - 1, 0, 1), "Point 1:");
    EXPECT_EQ(report.GetCell(last - 1, 1, 1), "4");
    const std::vector<std::vector<std::string>> rows = {
        {"4", " ", "Duplicate point", "", "", "", "", "", ""},
        {"1", " ", "0.0", "-----", "0.000", "0.000", "-----", "0.000", "-----"},
        {"3", "KERB", "164.041995", "36°52'12\"", "131.234", "98.425", "16.404", "164.860", "10.000%"},
        {"2", " ", "328.08399", "90°00'00\"", "0.000", "328.084", "-----", "328.084", "-----"},
    };
    ASSERT_EQ(report.GetCurrentSection(), report.GetSections()[last].get());
    ASSERT_EQ(report.GetRowCount(), int32_t(rows.size()) + 1) << "an empty line closes the list";
    for (int32_t row = 0; row < int32_t(rows.size()); ++row) {
        std::vector<std::string> cells;
        for (int32_t column = 0; column < 9; ++column)
            cells.push_back(report.GetCell(last, column, row));
        EXPECT_EQ(cells, rows[size_t(row)]) << "row " << row;
    }
    EXPECT_TRUE(cmd.sectionNeeded);
    cmd.ClearReport();
    EXPECT_TRUE(cmd.GetReport().IsEmpty());
}

TEST(PointInDirectionCommandTest, TraverseLegsAndRefusals)
{
    CogoJob job;
    CPointInDirectionCommand cmd;
    cmd.ProposeStoreName(job);
    cmd.fromPoint = "4";
    cmd.direction = 30 * kDeg; // counter-clockwise from east
    cmd.distance = 100;
    cmd.rise = 2;
    CCogoScratchRecorder scratch;
    CCogoMessage message;
    ASSERT_TRUE(cmd.Solve(job, scratch, &message)) << message.text;
    EXPECT_THAT((std::vector {cmd.northing, cmd.easting, cmd.elevation}),
                testing::ElementsAre("3444.882", "3564.969", "334.646")); // N 1050, E 1086.603, Z 102 m
    ASSERT_TRUE(cmd.Solve(job, scratch, &message)) << message.text;
    EXPECT_EQ(cmd.fromPoint, "14") << "the second leg starts at the first leg's point";
    ASSERT_NE(job.Point("13"), nullptr);
    EXPECT_NEAR(job.Point("14")->GetLocation().z, 104, 1e-9);
    EXPECT_EQ(job.LastLine().rfind("CC,14,", 0), 0u);
    EXPECT_EQ(cmd.storeName, "15");
    EXPECT_EQ(scratch.lines.size(), 2u);

    const int32_t lines = job.raw.GetLineCount();
    cmd.fromPoint = "1";
    EXPECT_FALSE(cmd.Solve(job, scratch, &message));
    EXPECT_EQ(message.text,
              "Point 1 is 2D. The elevation cannot be solved. Set vertical distance to zero to avoid this warning.");
    EXPECT_EQ(message.field, 4111);
    cmd.rise = 0.005; // any rise needs an elevation
    EXPECT_FALSE(cmd.Solve(job, scratch, &message));
    EXPECT_EQ(message.field, 4111);
    cmd.rise = 0;
    cmd.distance = NoValue;
    EXPECT_FALSE(cmd.Solve(job, scratch, &message));
    EXPECT_EQ(message.text, "Invalid Value");
    EXPECT_EQ(message.field, 1054);
    EXPECT_EQ(job.raw.GetLineCount(), lines);
    cmd.distance = 10;
    cmd.store = 0;
    ASSERT_TRUE(cmd.Solve(job, scratch, &message));
    EXPECT_EQ(cmd.elevation, "-----");
    EXPECT_EQ(cmd.fromPoint, "1") << "nothing stored, nothing advanced";
}

TEST(PointInverseRowsTest, ToItselfAndWithoutElevation)
{
    CGenericFormat format;
    std::vector<std::string> labels, values;
    BuildPointInverseRows(format, "7", CLocation(5, 5, 1), "7", CLocation(5, 5, 2), &labels, &values);
    ASSERT_EQ(labels.size(), 9u);
    ASSERT_EQ(values.size(), 9u);
    EXPECT_EQ(labels[8], "Grade (%)");
    EXPECT_EQ(values[8], "-----");
    BuildPointInverseRows(format, "1", CLocation(0, 0, NoValue), "2", CLocation(30, 40, 5), &labels, &values);
    EXPECT_EQ(values[6], "-----");
    EXPECT_EQ(values[7], values[2]);
}

} // namespace
