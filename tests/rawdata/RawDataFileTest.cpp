// The raw data container: appending, the line edits with their history texts, the point-name
// map as of a line, recomputing the setups, and the hover text of a line.
#include "FakeView.h"
#include "RawJob.h"
#include "core/AngleFunctions.h"
#include "core/ColoredTextLines.h"
#include "core/RawDataSetup.h"
#include "model/PointRecord.h"
#include "rawdata/RawDataMathConversions.h"
#include "rawdata/records/NikonRawDataSetup.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"
#include "rawdata/records/RawDataNikonObservationRecord.h"

#include <gmock/gmock.h>
#include <bit>
#include <gtest/gtest.h>

using morvel::test::RawJob;
using testing::ElementsAre;

namespace {

std::vector<std::string> HistoryTail(RawJob& job, size_t from)
{
    const auto& all = job.GetHistoryList();
    std::vector<std::string> out;
    for (size_t i = from; i < all.size(); ++i) {
        // Entries carry a date and time after the text.
        const std::string& entry = all[i];
        const std::string text = entry.size() > 20 ? entry.substr(20) : entry;
        out.push_back(text.substr(0, text.find(" raw data record")));
    }
    return out;
}

void AppendNumbered(RawJob& job, int count)
{
    for (int i = 0; i < count; ++i)
        job.Append("CO,line " + std::to_string(i + 1));
}

TEST(RawDataFileTest, AppendChainsSetupsFromTheDefaults)
{
    RawJob job;
    EXPECT_EQ(job.raw.GetSetup(0), nullptr);
    EXPECT_EQ(job.Append("SS,1,,,0,90"), 0);
    auto* first = dynamic_cast<CNikonRawDataSetup*>(job.Setup(0));
    ASSERT_NE(first, nullptr);
    int32_t mode = -1;
    first->GetHaMode(&mode);
    EXPECT_EQ(mode, 1);
    double factor = 0;
    EXPECT_FALSE(first->GetScaleFactor(&factor));
    EXPECT_EQ(factor, 1.0);
    std::string message;
    EXPECT_FALSE(first->ValidateUnits(&message));
    EXPECT_EQ(message, "No valid distance unit found.");
    EXPECT_EQ(first->DistanceToMetres(5), NoValue);

    job.AppendAll(morvel::test::MetricHead());
    EXPECT_TRUE(job.LastSetup()->ValidateUnits(&message));
    EXPECT_EQ(job.raw.GetSetup(-1), nullptr);
    EXPECT_EQ(job.raw.GetSetup(job.raw.GetLineCount()), nullptr);
    EXPECT_EQ(job.raw.GetRecord(4)->GetLine(), 4);
    EXPECT_EQ(job.raw.GetRecord(4)->GetDocument(), &job);
    EXPECT_EQ(job.raw.AppendRecord(nullptr), 0);
    EXPECT_EQ(job.raw.GetLineCount(), 5);
}

TEST(RawDataFileTest, SetupConversionsByTheUnitComments)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    EXPECT_NEAR(job.LastSetup()->AzimuthToDirection(45.3), 0.776672, 1e-6);
    job.AppendAll({"CO,Angle Units: Gons", "CO,Dist Units: Feet US"});
    EXPECT_NEAR(job.LastSetup()->AzimuthToDirection(50), Pi / 4, 1e-12);
    EXPECT_DOUBLE_EQ(job.LastSetup()->DistanceToMetres(5), 1.5240030480060962);
    job.Append("CO,Dist Units: Feet");
    EXPECT_EQ(job.LastSetup()->GetDistanceUnit(), 0);
    EXPECT_EQ(job.LastSetup()->GetDistanceUnitLabel(), "ft");
    // Earlier lines keep the units in force at them.
    EXPECT_EQ(job.Setup(0)->GetDistanceUnit(), 1);
    EXPECT_EQ(job.Setup(4)->GetAngleUnit(), 1);
    EXPECT_EQ(job.Setup(3)->GetAngleUnit(), 0);
}

TEST(RawDataFileTest, BacksightAzimuthFromCoordinatesOfEarlierLines)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Feet", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                   "UC,100,5000.0,5000.0,250.0,CP", "UC,101,5300.0,5400.0,,CP", "ST,100,101,5.25,0.0000,10.0000"});
    CRawDataSetup* setup = job.LastSetup();
    EXPECT_NEAR(setup->GetBacksightAzimuth(), 0.643501, 1e-6);
    EXPECT_NEAR(setup->GetHI(), 5.25 * 0.3048, 1e-12);
    EXPECT_NEAR(setup->GetBacksightCircle(), 10 * Pi / 180, 1e-12);
    EXPECT_EQ(setup->GetOccupyPoint(), "100");
    CLocation occupy;
    ASSERT_TRUE(setup->GetOccupyLocation(&occupy));
    EXPECT_NEAR(occupy.y, 5000 * 0.3048, 1e-9);
    EXPECT_NEAR(occupy.z, 250 * 0.3048, 1e-9);
    std::string message;
    EXPECT_TRUE(setup->ValidateForReduction(&message, false)) << message;
    EXPECT_FALSE(job.LastSetup()->ValidateForReduction(&message, true));
    EXPECT_EQ(message, "No valid HR found.");
}

TEST(RawDataFileTest, StationValidationMessages)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    std::string message;
    EXPECT_FALSE(job.LastSetup()->ValidateForReduction(&message, false));
    EXPECT_EQ(message.rfind("No station setup found.", 0), 0u);
    job.Append("ST,1,2,1.5,0.0000,0.0000");
    EXPECT_FALSE(job.LastSetup()->ValidateForReduction(&message, false));
    EXPECT_EQ(message, "No station setup found.  Occupy Pt '1' location unknown.");
    job.Append("MP,1,1000,2000,100,STN");
    // The station line was read before point 1 was filed.
    EXPECT_FALSE(job.LastSetup()->ValidateForReduction(&message, false));
    job.Append("ST,1,,1.5,,");
    EXPECT_FALSE(job.LastSetup()->ValidateForReduction(&message, false));
    EXPECT_EQ(message, "No valid backsight azimuth found.");
    job.Append("ST,1,,1.5,90.0000,");
    EXPECT_TRUE(job.LastSetup()->ValidateForReduction(&message, false)) << message;
    EXPECT_NEAR(job.LastSetup()->GetBacksightAzimuth(), 0.0, 1e-12);
}

TEST(RawDataFileTest, PointNameMapAnswersAsOfALine)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    AppendNumbered(job, 3);
    job.Append("MP,9,100,200,,A");      // line 7
    AppendNumbered(job, 4);
    job.Append("*MP,9,100,200,,A");     // line 12
    job.Append("MP,10,,200,,NoNorth");  // line 13, never filed
    const CRawPointNameMap& map = job.raw.GetPointNameMap();
    for (int32_t limit : {7, 8, 11})
        EXPECT_TRUE(map.HasPoint("9", limit)) << limit;
    for (int32_t limit : {-1, 6, 12, 13, 100})
        EXPECT_FALSE(map.HasPoint("9", limit)) << limit;
    EXPECT_FALSE(map.HasPoint("10", 13));
    std::string description;
    EXPECT_TRUE(map.GetPointDescription("9", &description, 7));
    EXPECT_EQ(description, "A");
    const CRawPointNameMap::PointList* list = nullptr;
    ASSERT_TRUE(map.Lookup("9", &list));
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ(CRawPointNameMap::LineOf(list->back()), 12);
    EXPECT_TRUE(CRawPointNameMap::IsDeletedCopy(list->back()));
    EXPECT_TRUE(job.Setup(9)->IsPointKnown("9"));
    EXPECT_FALSE(job.Setup(12)->IsPointKnown("9"));
}

TEST(RawDataFileTest, RemoveRecordsWhateverTheOrderOfTheList)
{
    struct Case
    {
        const char* name;
        std::vector<int32_t> lines;
        std::vector<std::string> left;
        std::vector<std::string> history;
    } cases[] = {
        {"ascending", {2, 5, 9}, {"1", "2", "4", "5", "7", "8", "9", "11", "12"},
         {"Remove :Comment:", "Remove :Comment:", "Remove :Comment:"}},
        {"descending", {5, 2}, {"1", "2", "4", "5", "7", "8", "9", "10", "11", "12"}, {"Remove :Comment:", "Remove :Comment:"}},
        {"repeated", {3, 3}, {"1", "2", "3", "5", "6", "7", "8", "9", "10", "11", "12"}, {"Remove :Comment:"}},
        {"outside", {-1, 12, 40}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawJob job;
        AppendNumbered(job, 12);
        const size_t before = job.GetHistoryList().size();
        EXPECT_EQ(job.raw.RemoveRecords(c.lines), int32_t(c.left.size() == 12 ? 0 : 12 - c.left.size()));
        std::vector<std::string> left;
        for (int32_t i = 0; i < job.raw.GetLineCount(); ++i) {
            left.push_back(job.Text(i).substr(8));
            EXPECT_EQ(job.raw.GetRecord(i)->GetLine(), i);
            EXPECT_EQ(job.Setup(i)->GetLine(), i);
        }
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(HistoryTail(job, before), c.history);
    }

    RawJob job;
    AppendNumbered(job, 12);
    const size_t before = job.GetHistoryList().size();
    job.raw.RemoveRecords({2, 5, 9});
    const auto& history = job.GetHistoryList();
    ASSERT_EQ(history.size(), before + 3);
    EXPECT_NE(history[before].find("at line #10"), std::string::npos);
    EXPECT_NE(history[before + 1].find("at line #6"), std::string::npos);
    EXPECT_NE(history[before + 2].find("at line #3"), std::string::npos);
}

TEST(RawDataFileTest, EditsOfLinesOutsideTheRecordsChangeNothing)
{
    RawJob job;
    AppendNumbered(job, 3);
    CNikonRawDataRecord record("CO,new");
    EXPECT_EQ(job.raw.GetRecord(-1), nullptr);
    EXPECT_EQ(job.raw.GetRecord(3), nullptr);
    EXPECT_EQ(job.raw.ReplaceRecord(3, &record), -1);
    EXPECT_EQ(job.raw.ReplaceRecord(-1, &record), -1);
    EXPECT_EQ(job.raw.ReplaceRecord(1, nullptr), 0);
    EXPECT_EQ(job.raw.InsertRecord(4, &record), -1);
    EXPECT_EQ(job.raw.InsertRecord(-1, &record), -1);
    EXPECT_EQ(job.raw.SetRecordsDeleted({-1, 3}, true), 0);
    EXPECT_EQ(job.raw.ToggleRecordsNote({-1, 3, 99}, false), 0);
    EXPECT_EQ(job.raw.GetLineCount(), 3);
    EXPECT_EQ(job.Text(2), "CO,line 3");

    EXPECT_EQ(job.raw.InsertRecord(3, &record), 3);
    EXPECT_EQ(record.GetLine(), 3);
    EXPECT_EQ(record.GetDocument(), &job);
    EXPECT_EQ(job.raw.InsertRecord(0, &record), 0);
    EXPECT_EQ(job.Text(0), "CO,new");
    EXPECT_EQ(job.raw.GetLineCount(), 5);
    CNikonRawDataRecord replacement("CO,other");
    EXPECT_EQ(job.raw.ReplaceRecord(4, &replacement), 4);
    EXPECT_EQ(job.Text(4), "CO,other");
    EXPECT_EQ(job.Setup(4)->GetLine(), 4);
}

TEST(RawDataFileTest, MarkDeletedAndNotesWriteTheirHistory)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.Append("MP,1,100,200,,A");
    size_t before = job.GetHistoryList().size();
    EXPECT_EQ(job.raw.SetRecordsDeleted({4}, true), 1);
    EXPECT_EQ(job.Text(4), "*MP,1,100,200,,A");
    EXPECT_FALSE(job.Setup(4)->IsPointKnown("1"));
    EXPECT_EQ(job.raw.SetRecordsDeleted({4}, true), 1);
    EXPECT_THAT(HistoryTail(job, before), ElementsAre("Mark Deleted :Input Point:", "Mark Deleted :Input Point:"));
    before = job.GetHistoryList().size();
    EXPECT_EQ(job.raw.SetRecordsDeleted({4}, false), 1);
    EXPECT_TRUE(job.Setup(4)->IsPointKnown("1"));

    EXPECT_EQ(job.raw.ToggleRecordsNote({4, 0}, true), 1);
    EXPECT_EQ(job.Text(4), "CO,MP,1,100,200,,A");
    EXPECT_FALSE(job.Setup(4)->IsPointKnown("1"));
    EXPECT_EQ(job.raw.ToggleRecordsNote({4}, false), 1);
    EXPECT_TRUE(job.Setup(4)->IsPointKnown("1"));
    const auto tail = HistoryTail(job, before);
    ASSERT_EQ(tail.size(), 3u);
    EXPECT_EQ(tail[0], "Un-Mark Deleted :Input Point:");
    EXPECT_NE(job.GetHistoryList()[before + 1].find(":Comment: raw data record changed to note at line #5"),
              std::string::npos);
    EXPECT_NE(job.GetHistoryList()[before + 2].find("Note changed to :Input Point: raw data record at line #5"),
              std::string::npos);
}

TEST(RawDataFileTest, RecomputeSendsHint45OnlyWhenSomethingChanged)
{
    RawJob job;
    std::vector<std::string> log;
    FakeView view(&log);
    job.AddView(&view);
    AppendNumbered(job, 3);
    job.SendHint(nullptr, 1, 0);
    log.clear();
    EXPECT_EQ(job.raw.ToggleRecordsNote({0, 1}, true), 0);
    job.SendHint(nullptr, 1, 0);
    EXPECT_THAT(log, testing::Not(testing::Contains("V45")));
    job.raw.RecomputeSetups();
    job.SendHint(nullptr, 1, 0);
    EXPECT_THAT(log, testing::Contains("V45"));
    job.RemoveView(&view);
}

// Recomputing from an edited line must give what recomputing everything gives.
TEST(RawDataFileTest, PartialRecomputeAgreesWithAFullOne)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    for (int i = 0; i < 40; ++i) {
        job.Append("MP," + std::to_string(i % 7 + 1) + "," + std::to_string(100 + i) + ",200,,X");
        if (i % 9 == 0)
            job.Append("*MP," + std::to_string(i % 7 + 1) + ",1,2,,D");
        if (i == 20)
            job.Append("CO,DIST UNITS: Feet");
    }
    job.raw.RemoveRecords({10, 30});
    CNikonRawDataRecord edit("MP,3,5,5,,E");
    job.raw.ReplaceRecord(25, &edit);
    job.raw.SetRecordsDeleted({33}, true);

    auto snapshot = [&job] {
        std::vector<std::string> out;
        for (int32_t line = 0; line < job.raw.GetLineCount(); ++line) {
            for (int name = 1; name <= 7; ++name) {
                CLocation at;
                const bool found = job.Setup(line)->GetPointLocation(std::to_string(name), &at);
                out.push_back(found ? std::to_string(at.y) : "-");
            }
            out.push_back(std::to_string(job.Setup(line)->GetDistanceUnit()));
        }
        return out;
    };
    const auto partial = snapshot();
    job.raw.RecomputeSetups();
    EXPECT_EQ(snapshot(), partial);
}

TEST(RawDataFileTest, RenamePointsRecomputes)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.Append("MP,100,1,2,,A");
    EXPECT_FALSE(job.raw.RenamePoints({{"7", "8"}}));
    EXPECT_TRUE(job.raw.RenamePoints({{"100", "200"}}));
    EXPECT_EQ(job.Text(4), "MP,200,1,2,,A");
    EXPECT_TRUE(job.Setup(4)->IsPointKnown("200"));
    EXPECT_FALSE(job.Setup(4)->IsPointKnown("100"));
}

TEST(RawDataFileTest, AddRecordPrintsInTheUnitsAtTheEnd)
{
    RawJob job;
    CRawDataNikonInputPointRecord first;
    first.SetValues("1", CLocation(2000, 1000, NoValue), "CURB");
    // An empty container has no setup to print in.
    EXPECT_EQ(job.raw.AddRecord(&first), -1);
    job.AppendAll({"CO,DIST UNITS: Feet US", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North"});
    CRawDataNikonInputPointRecord point;
    point.SetValues("101", CLocation(304.8006096012192, 609.6012192024384, NoValue), "CURB,EDGE");
    EXPECT_EQ(job.raw.AddRecord(&point), 3);
    EXPECT_EQ(job.Text(3), "MP,101,2000.0,1000.0,,CURB EDGE");
    EXPECT_EQ(job.raw.AddRecord(nullptr), -1);
    CNikonRawDataRecord generic("CO,x");
    EXPECT_EQ(job.raw.AddRecord(&generic), -1);
}

TEST(RawDataFileTest, DeletedPointOfTheJobIsLoggedAsADeletedInputPoint)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    CPointRecord* point = job.AddPoint("12", 2000.5, 1000.25, 99.0);
    ASSERT_NE(point, nullptr);
    point->SetDescription("FENCE");
    job.DeleteRecord(point, true);
    EXPECT_EQ(job.Text(4), "*MP,12,1000.25,2000.5,99.0,FENCE");
    EXPECT_NE(job.GetHistoryList().back().find("Added '(deleted)MP,12,1000.25,2000.5,99.0,FENCE'  to raw data at line #5"),
              std::string::npos);
}

TEST(RawDataFileTest, LineInfoOfADeletedStation)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.Append("*ST,1,2,1.5,0,0");
    CColoredTextLines lines;
    ASSERT_TRUE(job.raw.FormatLineInfo(&lines, 4, true));
    std::vector<std::string> texts;
    lines.GetText(texts);
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0], "Line #5\n");
    EXPECT_EQ(texts[1], "------------\t------------\n");
    EXPECT_EQ(texts[2], "Record Type:\t*Station Record\n");
    EXPECT_EQ(texts[3], "Occupy Point:\t 1\n");
    EXPECT_FALSE(job.raw.FormatLineInfo(&lines, 5, true));
}

TEST(RawDataFileTest, CompareWithConsecutiveSetups)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.AppendAll({"CO,note", "ST,1,2,1.5,,", "CO,DIST UNITS: Feet"});
    auto setup = [&job](int32_t line) { return dynamic_cast<CNikonRawDataSetup*>(job.Setup(line)); };
    uint32_t flags = 0;
    EXPECT_FALSE(setup(4)->CompareWith(*setup(3), &flags));
    EXPECT_EQ(flags, 0u);
    EXPECT_TRUE(setup(5)->CompareWith(*setup(4), &flags));
    EXPECT_EQ(flags, 6u);
    EXPECT_TRUE(setup(6)->CompareWith(*setup(5), &flags));
    EXPECT_EQ(flags, 1u);
}

TEST(RawDataFileTest, MathConversionsOfALine)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Feet US", "CO,ANGLE UNITS: Gons", "CO,ZERO AZIMUTH: South", "CO,DIST UNITS: Metres"});
    CRawDataMathConversions usFeet(&job.raw, 2);
    EXPECT_EQ(usFeet.GetDistanceUnits(), ClassUnitUsSurveyFeet);
    EXPECT_EQ(usFeet.GetDistanceUnitLabel(), "usft");
    EXPECT_EQ(usFeet.GetAreaUnitLabel(), "Sq usft");
    EXPECT_EQ(usFeet.GetAngleUnits(), AngleUnitGrads);
    EXPECT_EQ(usFeet.GetAzimuthFormat(), AzimuthSouth);
    EXPECT_NEAR(usFeet.SquareMetresToDisplay(1), 3.280839895013123 * 3.280839895013123, 1e-12);
    EXPECT_NEAR(usFeet.DisplayAreaToLargeArea(43560), 1.0, 1e-9);
    CRawDataMathConversions metres(&job.raw, 3);
    EXPECT_EQ(metres.GetDistanceUnitLabel(), "m");
    EXPECT_EQ(metres.GetLargeAreaUnitLabel(), "Hectares");
    CRawDataMathConversions outside(&job.raw, 9);
    EXPECT_EQ(outside.GetDistanceUnits(), ClassUnitMetres);
    EXPECT_EQ(outside.GetAngleUnits(), AngleUnitDegrees);
}

} // namespace

namespace {

// Lines are kept in 31 bits: a point filed at a line above 2^28 is not seen by the line the lower
// 28 bits name.
TEST(RawPointNameMapTest, LinesUseAllThirtyOneBits)
{
    CRawPointNameMap map;
    map.AddPoint("7", "", CLocation(1, 2, 3), 0x10000005, false);
    EXPECT_FALSE(map.HasPoint("7", 5));
    EXPECT_TRUE(map.HasPoint("7", 0x10000005));
    map.AddPoint("8", "", CLocation(1, 2, 3), 0x7FFFFFFE, true);
    const CRawPointNameMap::PointList* list = nullptr;
    ASSERT_TRUE(map.Lookup("8", &list));
    EXPECT_EQ(CRawPointNameMap::LineOf(list->front()), 0x7FFFFFFE);
    EXPECT_TRUE(CRawPointNameMap::IsDeletedCopy(list->front()));
    map.AddPoint("", "", CLocation(1, 2, 3), 1, false);
    map.AddPoint("9", "", CLocation(NoValue, 2, 3), 1, false);
    EXPECT_EQ(map.GetNameCount(), 2u);
}

} // namespace

namespace {

// The operations the job document forwards report the line's text and index for its history.
TEST(RawDataFileTest, DocumentOperationsReportTheirLines)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    CPointRecord point("7", "CURB", CLocation(2000, 1000, NoValue), true);
    std::string text;
    int32_t line = -1;
    ASSERT_TRUE(job.raw.AppendCogoPoint(point, &text, &line));
    EXPECT_EQ(text, "CC,7,1000.0,2000.0,,CURB");
    EXPECT_EQ(line, 4);
    CRawDataNikonInputPointRecord deleted;
    deleted.SetValues("8", CLocation(1, 2, 3), "");
    deleted.SetDeleted(true);
    bool wasDeleted = false;
    ASSERT_TRUE(job.raw.AppendRecord(deleted, &text, &line, &wasDeleted));
    EXPECT_TRUE(wasDeleted);
    EXPECT_EQ(text, "*MP,8,2.0,1.0,3.0,");
    CNikonRawDataRecord generic("CO,as written");
    EXPECT_FALSE(job.raw.AppendRecord(generic, &text, &line, &wasDeleted)) << "a generic record cannot print itself";
    ASSERT_TRUE(job.raw.AppendRecordText(generic, &text, &line));
    EXPECT_EQ(line, 6);
    ASSERT_TRUE(job.raw.ReplaceRecord(6, CNikonRawDataRecord("CO,replaced"), &text, &line));
    EXPECT_EQ(job.Text(6), "CO,replaced");
    EXPECT_FALSE(job.raw.ReplaceRecord(9, CNikonRawDataRecord("CO,x"), &text, &line));
    ASSERT_TRUE(job.raw.InsertRecord(0, CNikonRawDataRecord("CO,first"), &text, &line));
    EXPECT_EQ(line, 0);
    EXPECT_EQ(job.raw.GetLineCount(), 8);
    EXPECT_TRUE(job.Setup(5)->IsPointKnown("7"));
}

} // namespace

// Lines live in blocks the container owns: edits spread over several blocks, a clear and a refill
// must leave each line's text, number and setup as a plain list of the texts says.
TEST(RawDataFileTest, LinesKeepTheirTextsThroughEditsAcrossBlocksAndAClear)
{
    struct Edit
    {
        char kind; // r replace, i insert, d delete
        int32_t line;
    } edits[] = {{'r', 0}, {'i', 700}, {'d', 1}, {'r', 1999}, {'i', 2000}, {'d', 1200}, {'i', 0}, {'r', 1024}};
    RawJob job;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        job.raw.Clear();
        std::vector<std::string> model;
        for (int i = 0; i < 2000; ++i) {
            model.push_back("CO,line " + std::to_string(round) + " " + std::to_string(i + 1));
            job.Append(model.back());
        }
        for (const Edit& edit : edits) {
            const std::string text = "CO,edit " + std::string(1, edit.kind) + std::to_string(edit.line);
            CNikonRawDataRecord record(text);
            if (edit.kind == 'r') {
                ASSERT_EQ(job.raw.ReplaceRecord(edit.line, &record), edit.line);
                model[size_t(edit.line)] = text;
            } else if (edit.kind == 'i') {
                ASSERT_EQ(job.raw.InsertRecord(edit.line, &record), edit.line);
                model.insert(model.begin() + edit.line, text);
            } else {
                ASSERT_EQ(job.raw.RemoveRecords({edit.line}), 1);
                model.erase(model.begin() + edit.line);
            }
        }
        ASSERT_EQ(job.raw.GetLineCount(), int32_t(model.size()));
        for (int32_t i = 0; i < job.raw.GetLineCount(); ++i) {
            ASSERT_EQ(job.Text(i), model[size_t(i)]) << i;
            ASSERT_EQ(job.raw.GetRecord(i)->GetLine(), i);
            ASSERT_EQ(job.Setup(i)->GetLine(), i);
        }
    }
}

// Applying a line files its point from the line's text directly; what it files, and the rod height
// it leaves, must be what the typed views read from the same line.
TEST(RawDataFileTest, LinesFileWhatTheirViewsRead)
{
    struct Line
    {
        const char* text;
        const char* name; // the point the line would file
    };
    const Line lines[] = {
        {"MP,1,100,200,50,STN", "1"},        {"MP, 2 ,100.5,\t200\t,,B", "2"},   {"MP,3,100,200,50,C,", "3"},
        {"MP,4,100,200,50,D,X", "4"},        {"MP,5,,200,50,E", "5"},            {"*MP,6,100,200,50,F", "6"},
        {"**MP,7,100,200,50,G", "7"},        {"MP,0,1,2,3,H", "0"},              {"MP,A-1,1,2,3,I", "A-1"},
        {"MP,10,100,200", "10"},             {"MP,11,-99999999,200,50,K", "11"}, {"UC,12,1,2,3,L", "12"},
        {"CC,13,1e2,2,3,M", "13"},           {"ST,1,,1.5,0.0000,0.0000", ""},    {"SS,20,1.5,10,90,90,t,F", "20"},
        {"SS,21,1.5,,90,90,t,F", "21"},      {"SS,22,,10,90,90,t,F", "22"},      {"SS,23,1.5,10,,90,t,F", "23"},
        {"SS,24,1.5,10,90,90,t,F,X", "24"},  {"*SS,25,2.5,10,45,80,t,G", "25"},  {"SO,26,1.5,10,90.3015,90,t,F", "26"},
        {"CP,27,1.6,12.5,180,85,t,", "27"},  {"F1,x,1.6,10,90,90,t", "x"},       {"F2,,1.7,10,90,90", ""},
        {"SS,28,1.5,10,90,270,t,F", "28"},   {"SS, 29 ,1.5,10,90,90", "29"},     {"SS,A-1,1.5,10,90,90,t,F", "A-1"},
        {"SS,30,1.5,10,90,90,t, F ", "30"},  {"SS,31,1.5,10,90,90,t,F,", "31"},
    };
    for (const char* distance : {"CO,DIST UNITS: Metres", "CO,DIST UNITS: Feet"}) {
        RawJob job;
        job.AppendAll({distance, "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North", "CO,HA Raw Data: Azimuth"});
        const int32_t first = job.raw.GetLineCount();
        for (const Line& line : lines)
            job.Append(line.text);
        const CRawPointNameMap& map = job.raw.GetPointNameMap();
        int32_t filedLines = 0;
        for (int32_t i = 0; i < int32_t(std::size(lines)); ++i) {
            const int32_t at = first + i;
            SCOPED_TRACE(std::string(distance) + " | " + lines[i].text);
            CNikonRawDataRecord& record = *job.raw.GetRecord(at);
            const int32_t type = record.GetType();
            bool filed = false;
            CLocation location;
            std::string description;
            if (record_codes::IsCoordinateType(type)) {
                CRawDataNikonCoordinateRecord view(record);
                filed = view.Validate();
                location = view.GetLocation();
                description = view.GetDescription();
            } else if (record_codes::IsShotType(type) || type == RecordTypeFace1 || type == RecordTypeFace2) {
                CRawDataNikonObservationRecord view(record);
                const double hr = view.GetHR();
                EXPECT_EQ(job.Setup(at)->GetHR(), hr);
                filed = record_codes::IsShotType(type) && HasValue(hr) && HasValue(view.GetSD()) &&
                        view.GetObservedLocation(*job.Setup(at), &location);
                description = view.GetFeatureCode();
            }
            filed = filed && location.HasPlaneCoordinates();
            const CRawPointNameMap::PointList* list = nullptr;
            const CRawPointNameMap::Copy* copy = nullptr;
            if (map.Lookup(lines[i].name, &list))
                for (const auto& c : *list)
                    if (CRawPointNameMap::LineOf(c) == at)
                        copy = &c;
            ASSERT_EQ(copy != nullptr, filed);
            if (!copy)
                continue;
            ++filedLines;
            EXPECT_EQ(copy->location.x, location.x);
            EXPECT_EQ(copy->location.y, location.y);
            EXPECT_EQ(copy->location.z, location.z);
            EXPECT_EQ(map.DescriptionOf(*copy), description);
            EXPECT_EQ(CRawPointNameMap::IsDeletedCopy(*copy), record.IsDeletedFlag());
        }
        EXPECT_EQ(filedLines, 15) << "the table files points from each kind of line";
    }
}

// Point lines read their plain coordinates by a short path; every text must file the very value
// (to the bit, sign of zero included) the coordinate view reads, or be refused as the view refuses.
TEST(RawDataFileTest, PointLineNumbersReadAsTheViewReadsThem)
{
    const char* const numbers[] = {
        "0",      "-0",     "-0.0000",         "5.",              ".5",          "-.5",
        "-",      ".",      "",                "+5",              " 5",          "5 ",
        "1e2",    "1.2.3",  "2.675",           "0.1",             "00012.500",   "5000.1234",
        "123456789012345",  "1234567890123456", "9007199254740993", "0.000000000000001",
        "0.0000000000000001", "-99999999.9999", "-99899999.9999",   "999999999999.999", "1-2",
    };
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Metres"});
    std::vector<std::pair<int32_t, std::string>> lines;
    int32_t name = 1;
    for (const char* number : numbers)
        for (int field = 0; field < 3; ++field) {
            std::string values[3] = {"100", "200", "50"};
            values[field] = number;
            const std::string id = std::to_string(name++);
            lines.emplace_back(job.Append("MP," + id + "," + values[0] + "," + values[1] + "," + values[2] + ",X"), id);
        }
    const CRawPointNameMap& map = job.raw.GetPointNameMap();
    int32_t filed = 0;
    for (const auto& [line, id] : lines) {
        SCOPED_TRACE(job.Text(line));
        CRawDataNikonCoordinateRecord view(*job.raw.GetRecord(line));
        const CRawPointNameMap::Copy* copy = nullptr;
        const bool found = map.FindPoint(id, line, &copy);
        const bool valid = view.Validate() && view.GetLocation().HasPlaneCoordinates();
        ASSERT_EQ(found, valid);
        if (!found)
            continue;
        ++filed;
        const CLocation location = view.GetLocation();
        EXPECT_EQ(std::bit_cast<uint64_t>(copy->location.x), std::bit_cast<uint64_t>(location.x));
        EXPECT_EQ(std::bit_cast<uint64_t>(copy->location.y), std::bit_cast<uint64_t>(location.y));
        EXPECT_EQ(std::bit_cast<uint64_t>(copy->location.z), std::bit_cast<uint64_t>(location.z));
    }
    EXPECT_GT(filed, 40) << "most of the table files a point";
}
