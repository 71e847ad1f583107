// Translate, rotate and scale of the selected points: the parameters each page works out, the
// job's bulk edit through one step, the report, and the refusal out of range.
#include "RenderedReport.h"
#include "rawdata/RawJob.h"

#include "cogo/AdjustmentsCommand.h"
#include "core/AngleFunctions.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

using morvel::test::RawJob;

namespace {

constexpr double Deg = std::numbers::pi / 180.0;

// An azimuth in degrees as the fields store directions (counter-clockwise from east).
double Azimuth(double degrees) { return (90.0 - degrees) * Deg; }

TEST(AdjustmentParameters, TranslateRotateAndScaleFactors)
{
    struct By
    {
        const char* name;
        double direction, distance, rise;
        bool ok;
        CLocation delta;
    };
    const By bys[] = {
        {"az 45, 10, 1", Azimuth(45), 10, 1, true, {7.0710678, 7.0710678, 1}},
        {"empty distance", Azimuth(45), NoValue, 1, true, {0, 0, 1}},
        {"distance only", Azimuth(180), 5, 0, true, {0, -5, 0}},
        {"both zero", Azimuth(0), 0, 0, false, {}},
        {"both under 0.0001", Azimuth(0), 0.00009, -0.00009, false, {}},
    };
    for (const By& c : bys) {
        SCOPED_TRACE(c.name);
        CLocation delta(-1, -1, -1);
        ASSERT_EQ(TranslateByDelta(c.direction, c.distance, c.rise, delta), c.ok);
        if (!c.ok)
            continue;
        EXPECT_NEAR(delta.x, c.delta.x, 1e-6);
        EXPECT_NEAR(delta.y, c.delta.y, 1e-6);
        EXPECT_NEAR(delta.z, c.delta.z, 1e-9);
    }

    const CLocation to = TranslateToDelta({100, 200, 10}, {150, 260, NoValue});
    EXPECT_DOUBLE_EQ(to.x, 50);
    EXPECT_DOUBLE_EQ(to.y, 60);
    EXPECT_DOUBLE_EQ(to.z, 0);
    EXPECT_DOUBLE_EQ(TranslateToDelta({0, 0, 10}, {0, 0, 12.5}).z, 2.5);

    // Both modes describe the same clockwise turn of 10 degrees.
    EXPECT_NEAR(RotationAngle(RotateSimple, 10 * Deg, 0, 0), -10 * Deg, 1e-12);
    EXPECT_NEAR(RotationAngle(RotateChangeInDirection, 0, Azimuth(90), Azimuth(100)), -10 * Deg, 1e-12);

    EXPECT_DOUBLE_EQ(PredefinedScaleFactor(1), 0.3048);
    EXPECT_DOUBLE_EQ(PredefinedScaleFactor(5), 0.9999979999999999);
    EXPECT_DOUBLE_EQ(PredefinedScaleFactor(-1), 1.0);
    EXPECT_DOUBLE_EQ(PredefinedScaleFactor(6), 1.0);

    for (double bad : {0.01, 100.0, 0.0, -2.0, NoValue, std::nan("")})
        EXPECT_FALSE(IsValidScaleFactor(bad)) << bad;
    for (double good : {0.0101, 99.99, 1.0})
        EXPECT_TRUE(IsValidScaleFactor(good)) << good;
}

// A job whose undo snapshots can be made to fail, as on a full disk.
class SnapshotJob : public RawJob
{
public:
    bool WriteJobSnapshot(const std::string& path) override
    {
        return !snapshotFails && RawJob::WriteJobSnapshot(path);
    }
    bool snapshotFails = false;
};

class Adjustments : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous = SetMessageBoxHandler([this](const MessageBoxRequest& request) {
            messages.push_back(request.text);
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxHandler(previous); }

    CPointRecord* Selected(const char* name, double e, double n, double z = NoValue)
    {
        CPointRecord* point = job.AddPoint(name, e, n, z);
        job.GetSelOperator()->Select(point);
        return point;
    }
    int32_t Steps() { return job.GetUndoManager()->GetStepCount(); }

    SnapshotJob job;
    CAdjustmentsCommand command{&job};
    MessageBoxHandler previous;
    std::vector<std::string> messages;
};

TEST_F(Adjustments, RotateAboutAnOrigin)
{
    struct Case
    {
        double angle;
        CLocation origin, from, to;
        std::array<const char*, 2> reportedOrigin; // northing, easting, in the job's feet
    };
    const Case cases[] = {
        {10, {0, 0, 0}, {100, 0, NoValue}, {98.4808, -17.3648, NoValue}, {"0.000", "0.000"}},
        {30, {1000, 900, 0}, {1100, 1000, NoValue}, {1136.6025, 936.6025, NoValue}, {"2952.756", "3280.840"}},
    };
    for (const Case& c : cases) {
        RawJob one;
        CPointRecord* p = one.AddPoint("1", c.from.x, c.from.y);
        one.GetSelOperator()->Select(p);
        CAdjustmentsCommand rotate(&one);
        ASSERT_TRUE(rotate.Rotate(c.origin.x, c.origin.y, RotationAngle(RotateSimple, c.angle * Deg, 0, 0)));
        EXPECT_NEAR(p->GetEasting(), c.to.x, 5e-5);
        EXPECT_NEAR(p->GetNorthing(), c.to.y, 5e-5);
        EXPECT_EQ(one.GetUndoManager()->GetUndoDescription(), "Rotate 1 objects");
        EXPECT_EQ(rotate.GetReport().GetCell(2, 1, 0), c.reportedOrigin[0]);
        EXPECT_EQ(rotate.GetReport().GetCell(2, 2, 0), c.reportedOrigin[1]);
    }
}

TEST_F(Adjustments, ScaleByAListedFactorOrTypedFactorsAboutAReference)
{
    CPointRecord* p = Selected("1", 1000, 2000, 100);
    ASSERT_TRUE(command.Scale({0, 0, 0}, PredefinedScaleFactor(1), PredefinedScaleFactor(1), PredefinedScaleFactor(1)));
    EXPECT_NEAR(p->GetEasting(), 304.8, 1e-9);
    EXPECT_NEAR(p->GetNorthing(), 609.6, 1e-9);
    EXPECT_NEAR(p->GetElevation(), 30.48, 1e-9);
    EXPECT_EQ(job.GetUndoManager()->GetUndoDescription(), "Scale 1 objects");

    const CReport& report = command.GetReport();
    ASSERT_GE(report.GetSections().size(), 3u);
    EXPECT_EQ(report.GetSections()[0]->columns[0].heading, ">>\t\tAdjustment Report");
    EXPECT_EQ(report.GetSections()[1]->columns[0].heading, ">>\t\tScale");
    EXPECT_EQ(report.GetCell(2, 0, 0), "0.304800000");
    EXPECT_EQ(report.GetCell(2, 2, 0), "0.304800000");

    ASSERT_TRUE(command.Scale({0, 0, 0}, PredefinedScaleFactor(0), PredefinedScaleFactor(0), PredefinedScaleFactor(0)));
    EXPECT_EQ(report.GetCell(report.GetSections().size() - 3, 0, 0), "0.304800610");

    RawJob other;
    CPointRecord* q = other.AddPoint("7", 110, 120, 5);
    other.GetSelOperator()->Select(q);
    CAdjustmentsCommand twice(&other);
    // Each axis its own factor and origin, so that an exchanged pair shows; the report's origin is
    // in the job's feet.
    ASSERT_TRUE(twice.Scale({100, 50, -1}, 2, 3, 4));
    EXPECT_DOUBLE_EQ(q->GetEasting(), 120);
    EXPECT_DOUBLE_EQ(q->GetNorthing(), 260);
    EXPECT_DOUBLE_EQ(q->GetElevation(), 23);
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(twice.GetReport().GetCell(2, column, 0),
                  (std::array<const char*, 6> {"3.000000000", "2.000000000", "4.000000000", "164.042", "328.084", "-3.281"}[column]));

    // A factor out of bounds is refused before anything is recorded.
    const int32_t steps = other.GetUndoManager()->GetStepCount();
    EXPECT_FALSE(twice.Scale({100, 100, 0}, 2, 100.0, 2));
    EXPECT_EQ(twice.GetError(), ScaleFactorMessage);
    EXPECT_EQ(other.GetUndoManager()->GetStepCount(), steps);
    EXPECT_DOUBLE_EQ(q->GetNorthing(), 260);
}

TEST_F(Adjustments, TranslateReportsOldAndNewCoordinates)
{
    CPointRecord* a = Selected("1", 100, 200, 10);
    Selected("2", 300, 400);
    job.AddPoint("3", 0, 0);
    CLocation delta;
    ASSERT_TRUE(TranslateByDelta(Azimuth(0), 10, 1, delta));
    ASSERT_TRUE(command.Translate(delta));
    EXPECT_NEAR(a->GetNorthing(), 210, 1e-9);
    EXPECT_NEAR(a->GetElevation(), 11, 1e-9);
    EXPECT_EQ(job.GetUndoManager()->GetUndoDescription(), "Translate 2 objects");
    EXPECT_DOUBLE_EQ(command.GetOldLocations().at(a).y, 200);

    const CReport& report = command.GetReport();
    const auto& sections = report.GetSections();
    // Title, operation title, its values, the adjusted points' title and their table.
    ASSERT_EQ(sections.size(), 5u);
    EXPECT_EQ(sections[2]->columns[0].heading, "Translate North");
    EXPECT_EQ(report.GetCell(2, 0, 0), "32.808");
    EXPECT_EQ(report.GetCell(2, 1, 0), "0.000");
    EXPECT_EQ(report.GetCell(2, 2, 0), "3.281");
    EXPECT_EQ(report.GetCell(3, 0, 0), ">>  Adjusted Points");
    ASSERT_EQ(sections[4]->columns.size(), 7u);
    EXPECT_EQ(sections[4]->columns[0].heading, "Point #");
    EXPECT_EQ(report.GetCell(4, 0, 0), "1");
    EXPECT_EQ(report.GetCell(4, 0, 1), "2");
    // Old and new northing, easting and elevation, in the job's feet.
    for (int column = 1; column < 7; ++column)
        EXPECT_EQ(report.GetCell(4, column, 0),
                  (std::array<const char*, 6> {"656.168", "328.084", "32.808", "688.976", "328.084", "36.089"}[column - 1]));
    // Two points and the two empty rows that close the table.
    EXPECT_EQ(sections[4]->rows.size(), 4u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Adjustments, AResultOutOfRangeMovesNothingAndLeavesNoStep)
{
    CPointRecord* far = Selected("1", 9999990, 0);
    CPointRecord* near = Selected("2", 0, 0);
    const int32_t steps = Steps();
    EXPECT_FALSE(command.Translate({20, 0, 0}));
    EXPECT_EQ(Steps(), steps);
    EXPECT_DOUBLE_EQ(far->GetEasting(), 9999990);
    EXPECT_DOUBLE_EQ(near->GetEasting(), 0);
    EXPECT_EQ(messages, std::vector<std::string>{"Translate results out of range."});
    EXPECT_TRUE(command.GetReport().IsEmpty());

    EXPECT_FALSE(command.Scale({0, 0, 0}, 2, 2, 2));
    EXPECT_EQ(command.GetError(), "Scale results out of range.");
    EXPECT_EQ(Steps(), steps);

    // When the step cannot be taken (no room for the snapshot), the refusal must not withdraw
    // the step before it.
    ASSERT_TRUE(job.GetUndoManager()->RecordCaptionedUndo("Earlier"));
    job.snapshotFails = true;
    EXPECT_FALSE(command.Translate({20, 0, 0}));
    EXPECT_EQ(job.GetUndoManager()->GetUndoDescription(), "Earlier");
    job.snapshotFails = false;

    // Nothing selected: nothing recorded either.
    job.GetSelOperator()->Deselect(far);
    job.GetSelOperator()->Deselect(near);
    const int32_t before = Steps();
    EXPECT_FALSE(command.Rotate(0, 0, 1));
    EXPECT_EQ(Steps(), before);
}

TEST_F(Adjustments, AMissingElevationIsAskedAboutOnce)
{
    job.AddPoint("REF", 100, 200, 10);
    job.AddPoint("FLAT", 150, 260);
    const CAdjustLocation ref{true, "REF", {}};
    const CAdjustLocation flat{true, "FLAT", {}};
    const CAdjustLocation typedFlat{false, "", {150, 260, NoValue}};

    CLocation delta;
    bool atDestination = false;
    ASSERT_EQ(TranslateToParameters(&job, ref, flat, delta, atDestination), AdjustLocationResult::Found);
    EXPECT_DOUBLE_EQ(delta.x, 50);
    EXPECT_DOUBLE_EQ(delta.y, 60);
    EXPECT_DOUBLE_EQ(delta.z, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Point FLAT is 2D.", 0), 0u);

    // A 2D reference is asked about; the 2D destination then is not.
    messages.clear();
    ASSERT_EQ(TranslateToParameters(&job, flat, typedFlat, delta, atDestination), AdjustLocationResult::Found);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(TranslateToParameters(&job, ref, {true, "NONE", {}}, delta, atDestination),
              AdjustLocationResult::NotFound);
    EXPECT_TRUE(atDestination);

    SetMessageBoxHandler([](const MessageBoxRequest&) { return IDCANCEL; });
    EXPECT_EQ(TranslateToParameters(&job, ref, typedFlat, delta, atDestination), AdjustLocationResult::Cancelled);
    CLocation origin;
    double factor = 2;
    EXPECT_EQ(ResolveScaleOrigin(&job, typedFlat, origin, factor), AdjustLocationResult::Cancelled);
    SetMessageBoxHandler([](const MessageBoxRequest&) { return IDOK; });
    ASSERT_EQ(ResolveScaleOrigin(&job, typedFlat, origin, factor), AdjustLocationResult::Found);
    EXPECT_DOUBLE_EQ(origin.z, 0);
    EXPECT_DOUBLE_EQ(factor, 1.0);
    factor = 2;
    ASSERT_EQ(ResolveScaleOrigin(&job, ref, origin, factor), AdjustLocationResult::Found);
    EXPECT_DOUBLE_EQ(origin.z, 10);
    EXPECT_DOUBLE_EQ(factor, 2);
}

} // namespace

// The report as the editor shows it: centred headings over right-aligned numbers.
TEST_F(Adjustments, TheReportRendersItsTablesAligned)
{
    Selected("1", 100, 200, 10);
    CLocation delta;
    ASSERT_TRUE(TranslateByDelta(Azimuth(0), 10, 1, delta));
    ASSERT_TRUE(command.Translate(delta));
    const std::vector<RtfParagraph> lines = morvel::test::RenderedReport(command.GetReport());
    // The report's and the operation's titles are headings; the adjusted points' title is a cell.
    int titles = 0;
    for (const RtfParagraph& line : lines)
        if (line.PlainText().rfind(">>", 0) == 0 && !line.runs.empty() && line.runs[0].bold && line.runs[0].underline)
            ++titles;
    EXPECT_EQ(titles, 2);
    const RtfParagraph* heading = morvel::test::FindLine(lines, "Translate North");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->PlainText(), "Translate North  Translate East  Translate Elevation");
    // The values sit at the right ends of their columns.
    const auto at = std::find_if(lines.begin(), lines.end(), [&](const RtfParagraph& p) { return &p == heading; });
    ASSERT_LT(at + 1, lines.end());
    const RtfParagraph* values = &*(at + 1);
    const std::string text = values->PlainText();
    ASSERT_EQ(text.size(), heading->PlainText().size()) << text;
    for (std::size_t end : {std::size_t(15), std::size_t(31), text.size()})
        EXPECT_NE(text[end - 1], ' ') << text;
    const RtfParagraph* points = morvel::test::FindLine(lines, "Point #");
    ASSERT_NE(points, nullptr);
    EXPECT_TRUE(points->runs[0].bold && points->runs[0].underline);
}
