// Station and coordinate records: reading and printing in the line's units, their checks against
// the job's points and their map previews.
#include "RawJob.h"
#include "TestUtil.h"
#include "core/AngleFunctions.h"
#include "core/ColoredTextLines.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"
#include "rawdata/records/RawDataNikonStationRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

using morvel::test::RawJob;
using morvel::test::RecordingDrawTarget;
using testing::ElementsAre;

namespace {

constexpr double ArcSecond = 4.84813681109536e-6;

std::vector<std::string> Texts(const CColoredTextLines& lines)
{
    std::vector<std::string> out;
    lines.GetText(out);
    return out;
}

TEST(CoordinateRecordTest, ReadAndPrintInTheLineUnits)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.Append("MP,101,1000,2000,,CURB");
    CRawDataNikonInputPointRecord point(*job.raw.GetRecord(4));
    ASSERT_TRUE(point.Validate());
    EXPECT_EQ(point.GetPointName(), "101");
    EXPECT_DOUBLE_EQ(point.GetLocation().y, 1000);
    EXPECT_DOUBLE_EQ(point.GetLocation().x, 2000);
    EXPECT_EQ(point.GetLocation().z, NoValue);
    EXPECT_EQ(point.GetDescription(), "CURB");
    EXPECT_TRUE(job.raw.GetRecord(4)->Canonicalize());
    EXPECT_EQ(job.Text(4), "MP,101,1000.0,2000.0,,CURB");

    job.Append("CO,DIST UNITS: Feet US");
    job.Append("MP,101,1000,2000,,CURB");
    CRawDataNikonInputPointRecord feet(*job.raw.GetRecord(6));
    EXPECT_NEAR(feet.GetLocation().y, 304.800610, 1e-6);
    EXPECT_TRUE(feet.UpdateText(6));
    EXPECT_EQ(feet.GetText(), "MP,101,1000.0,2000.0,,CURB");
}

TEST(CoordinateRecordTest, Validity)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    struct Case
    {
        const char* text;
        bool valid;
    } cases[] = {
        {"MP,1,100,", false},
        {"MP,1,100", false},
        {"MP,1,100,200,5", true},
        {"UC,1,100,200", false}, // read through the MP class
        {"MP,1,100,200,,,", true},
        {"MP,1,100,200,,,,", false},
        {"MP, 7 ,100,200", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CNikonRawDataRecord generic(c.text);
        generic.SetDocument(&job);
        generic.SetLine(3);
        CRawDataNikonInputPointRecord view(generic);
        EXPECT_EQ(view.Validate(), c.valid);
    }
    CNikonRawDataRecord upload("UC,1,100,200");
    EXPECT_TRUE(CRawDataNikonCoordinateRecord(upload).Validate()) << "the base view takes every coordinate type";
}

TEST(CoordinateRecordTest, SwapNorthingEasting)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.Append("UP,5,10,20,30,X");
    CNikonRawDataRecord& record = *job.raw.GetRecord(4);
    EXPECT_TRUE(record.SwapNorthingEasting());
    EXPECT_EQ(record.GetText(), "UP,5,20.0,10.0,30.0,X");
    CNikonRawDataRecord invalid("UP,5,,20");
    invalid.SetDocument(&job);
    invalid.SetLine(4);
    EXPECT_FALSE(invalid.SwapNorthingEasting());
    EXPECT_EQ(invalid.GetText(), "UP,5,,20");
}

TEST(CoordinateRecordTest, LinesThatDoNotReadAsTheirTypeStayAsWritten)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    for (const char* text : {"ST,1000,,,,1.500,0.0000,0.0000", "MP,1,,0.000,0.000,0.000,ST", "MP,1,,200"}) {
        SCOPED_TRACE(text);
        CNikonRawDataRecord record(text);
        record.SetDocument(&job);
        record.SetLine(3);
        EXPECT_FALSE(record.Canonicalize());
        EXPECT_EQ(record.GetText(), text);
    }
}

TEST(CoordinateRecordTest, CheckAgainstTheJob)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.AddPoint("101", 2000.0005, 1000.0, 50.0);
    job.AddPoint("102", 2000.002, 1000.0, 50.0);
    job.AppendAll({"MP,101,1000,2000,,CURB", "MP,102,1000,2000,49.5,CURB", "MP,103,1,2,,", "MP,101,1000,2000,70,Z"});
    CColoredTextLines lines;
    EXPECT_FALSE(job.raw.CheckLine(&lines, 4));
    EXPECT_FALSE(job.raw.CheckLine(&lines, 7)) << "elevation alone is no mismatch";
    EXPECT_EQ(lines.GetCount(), 0);
    EXPECT_FALSE(job.raw.CheckLine(nullptr, 5));

    ASSERT_TRUE(job.raw.CheckLine(&lines, 5));
    EXPECT_THAT(Texts(lines),
                ElementsAre(RawSeparatorLine, "Job Pt Mismatch", "Point Name: 102", testing::EndsWith(": 1000.0m"),
                            testing::EndsWith(": 2000.002m"), testing::EndsWith(": 50.0m"), "Description: ", "   \n",
                            testing::StartsWith("Azimuth: "), "Horizontal Distance: 0.002m",
                            "Vertical Distance: 0.5m", "Slope Distance: 0.500004m"));
    EXPECT_EQ(lines.Lines()[1].color, ProblemTextColor);

    lines.RemoveAll();
    ASSERT_TRUE(job.raw.CheckLine(&lines, 6));
    EXPECT_THAT(Texts(lines), ElementsAre(RawSeparatorLine, "Point missing in file", RawSeparatorLine));

    // Under feet the threshold is 0.001 ft: 0.0005 m is 0.0016 ft.
    job.Append("CO,DIST UNITS: Feet");
    job.Append("MP,101,3280.839895,6561.679790,,CURB");
    lines.RemoveAll();
    EXPECT_TRUE(job.raw.CheckLine(&lines, 9));
}

TEST(CoordinateRecordTest, Previews)
{
    RawJob job;
    RecordingDrawTarget target;
    job.raw.SetDrawTarget(&target);
    GetMorvelSettings().SetRawDataConflictsColor(1);
    job.AppendAll(morvel::test::MetricHead());
    job.AddPoint("1", 2000, 1000);
    job.AddPoint("2", 2000.5, 1000);
    job.AppendAll({"MP,1,1000,2000,,A", "MP,2,1000,2000,,B", "MP,3,1000,2000,,C", "*MP,3,1,1,,D"});
    job.raw.DrawRecord(4);
    EXPECT_THAT(target.calls, ElementsAre("location 6953"));
    target.calls.clear();
    job.raw.DrawRecord(5);
    EXPECT_THAT(target.calls, ElementsAre("location 6953", "location 612", "line 1 1"));
    target.calls.clear();
    job.raw.DrawRecord(6);
    EXPECT_THAT(target.calls, ElementsAre("location 6953", "location 612"));
    target.calls.clear();
    job.raw.DrawRecord(7);
    job.raw.DrawRecord(0);
    job.raw.DrawRecord(99);
    EXPECT_TRUE(target.calls.empty());
}

TEST(StationRecordTest, Validity)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Feet US", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North"});
    struct Case
    {
        const char* text;
        bool valid;
    } cases[] = {
        {"ST,,B,1.5,,", false},
        {"ST,A,,1.5,,", true},
        {"ST,A,B,,,", false},
        {"ST,A,B,1.5,10,20,30", false},
        {"ST,A,B,1.5,x,", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CNikonRawDataRecord generic(c.text);
        generic.SetDocument(&job);
        generic.SetLine(2);
        EXPECT_EQ(CRawDataNikonStationRecord(generic).Validate(), c.valid);
    }
    CNikonRawDataRecord generic("ST,A,,5,,");
    generic.SetDocument(&job);
    generic.SetLine(2);
    CRawDataNikonStationRecord station(generic);
    EXPECT_DOUBLE_EQ(station.GetHI(), 1.5240030480060962);
    EXPECT_EQ(station.GetBacksightPoint(), "");
    EXPECT_EQ(station.GetBacksightAzimuth(), NoValue);
    EXPECT_EQ(station.GetBacksightCircle(), 0.0);
    ASSERT_TRUE(station.UpdateText(2));
    EXPECT_EQ(station.GetText(), "ST,A,,5.0,,0.0");
    // The azimuth goes back through the zero-azimuth reflection, the circle does not.
    station.SetValues("A", "", 1.5240030480060962, Pi / 3, Pi / 15);
    ASSERT_TRUE(station.UpdateText(2));
    EXPECT_EQ(station.GetText(), "ST,A,,5.0,30.0,12.0");
}

TEST(StationRecordTest, SetupMessagesAndJobChecks)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.AddPoint("1", 2000, 1000, 100);
    job.Append("ST,1,2,1.5,0.0000,0.0000");
    CRawDataNikonStationRecord station(*job.raw.GetRecord(4));
    std::string message;
    EXPECT_FALSE(station.ValidateSetup(&message));
    EXPECT_EQ(message, "Occupy Pt '1' location unknown.");

    CColoredTextLines lines;
    // The occupy point is in the job but not in the raw data: a mismatch against no location.
    EXPECT_TRUE(station.CheckAgainstJob(&lines));
    EXPECT_EQ(Texts(lines)[1], "Job Pt Mismatch");

    job.AppendAll({"MP,1,1000,2000,100,STN", "ST,1,2,1.5,0.0000,0.0000", "ST,7,2,1.5,,", "ST,1,X-1,1.5,,"});
    lines.RemoveAll();
    EXPECT_TRUE(job.raw.CheckLine(&lines, 7));
    EXPECT_THAT(Texts(lines), ElementsAre(RawSeparatorLine, "Job file Pt. '7' not found.", RawSeparatorLine));
    lines.RemoveAll();
    EXPECT_FALSE(job.raw.CheckLine(&lines, 8)) << "an invalid backsight name is not compared";
    EXPECT_EQ(lines.GetCount(), 0);
    EXPECT_TRUE(job.raw.CheckLine(&lines, 6)) << "backsight 2 is not in the job";
    EXPECT_THAT(Texts(lines), ElementsAre(RawSeparatorLine, "Job file Pt. '2' not found.", RawSeparatorLine));
    EXPECT_FALSE(job.raw.CheckLine(nullptr, 6));
    CRawDataNikonStationRecord valid(*job.raw.GetRecord(6));
    EXPECT_TRUE(valid.ValidateSetup(&message)) << message;
}

TEST(StationRecordTest, BacksightPreviewWithinTenSeconds)
{
    struct Case
    {
        const char* name;
        double offsetSeconds;
        std::vector<std::string> calls;
    } cases[] = {
        {"agrees at 5 seconds", 5, {"location 7048", "location 7049 0,-8", "line 0 2"}},
        {"infinite line at 15 seconds", 15, {"location 7048", "infinite 0 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawJob job;
        RecordingDrawTarget target;
        job.raw.SetDrawTarget(&target);
        job.AppendAll(morvel::test::MetricHead());
        job.AddPoint("1", 2000, 1000);
        job.AddPoint("2", 2000, 1100); // due north
        // A backsight azimuth off north by the case's seconds; no coordinates of 2 in the raw data.
        const double packed = RoundPackedDms(DecimalToDms(c.offsetSeconds / 3600.0), 4);
        char line[80];
        std::snprintf(line, sizeof line, "ST,1,2,1.5,%.6f,0", packed);
        job.AppendAll({"MP,1,1000,2000,,STN", line});
        job.raw.DrawSetup(5, 2);
        EXPECT_EQ(target.calls, c.calls);
        EXPECT_NEAR(job.Setup(5)->GetBacksightAzimuth(), Pi / 2 - c.offsetSeconds * ArcSecond, 1e-9);
    }

    RawJob job;
    RecordingDrawTarget target;
    job.raw.SetDrawTarget(&target);
    job.AppendAll(morvel::test::MetricHead());
    job.AppendAll({"MP,1,1000,2000,,STN", "ST,1,,1.5,,"});
    job.raw.DrawSetup(5, 8);
    EXPECT_TRUE(target.calls.empty()) << "only a station change draws";
    job.raw.DrawSetup(5, 4);
    EXPECT_THAT(target.calls, ElementsAre("location 7048", "location 612", "location 612"));
}

const char* const kRawFiles[] = {"tops_nikon_raw_v200.raw", "tops_nikon_dtm330.raw", "tops_nikon_npl350.raw",
                                 "geoeasy_nikon_dtm322_sample.raw"};

TEST(PublicRawFilesTest, HeadsGiveValidUnitsAtTheFirstDataLine)
{
    for (const char* file : kRawFiles) {
        SCOPED_TRACE(file);
        RawJob job;
        std::ifstream in(morvel::test::SharedTestDataPath(file), std::ios::binary);
        std::string text;
        int32_t firstData = -1;
        while (std::getline(in, text)) {
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            const int32_t line = job.Append(text);
            if (firstData < 0 && record_codes::GetTypeFromText(text) != RecordTypeComment)
                firstData = line;
        }
        ASSERT_GT(firstData, 0);
        std::string message;
        EXPECT_TRUE(job.Setup(firstData)->ValidateUnits(&message)) << message;
        EXPECT_EQ(job.Setup(firstData)->GetDistanceUnit(), 1);
    }
}

} // namespace
