// Observation and stake-out records: reading and printing, the distances with their corrections,
// where the setups place the shots, the checks against the job, and the stake-out states.
#include "RawJob.h"
#include "TestUtil.h"
#include "core/AngleFunctions.h"
#include "core/ColoredTextLines.h"
#include "core/RawDataFormat.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "rawdata/records/RawDataNikonObservationRecord.h"
#include "rawdata/records/RawDataNikonStakeOutRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

using morvel::test::RawJob;
using morvel::test::ScopedAxisCaptions;
using morvel::test::RecordingDrawTarget;
using testing::ElementsAre;

namespace {

std::vector<std::string> Texts(const CColoredTextLines& lines)
{
    std::vector<std::string> out;
    lines.GetText(out);
    return out;
}

// The location the raw data gives a point name as of the job's last line.
CLocation Placed(RawJob& job, const std::string& name)
{
    CLocation at(NoValue, NoValue, NoValue);
    EXPECT_TRUE(job.LastSetup()->GetPointLocation(name, &at)) << name;
    return at;
}

void ExpectAt(const CLocation& at, double e, double n, double z)
{
    EXPECT_NEAR(at.x, e, 1e-6);
    EXPECT_NEAR(at.y, n, 1e-6);
    if (z == NoValue)
        EXPECT_EQ(at.z, NoValue);
    else
        EXPECT_NEAR(at.z, z, 1e-6);
}

std::vector<std::string> AzimuthJob()
{
    return {"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
            "CO,HA Raw Data: Azimuth", "MP,1,1000.0,2000.0,100.0,STN", "MP,2,1100.0,2000.0,,BS",
            "ST,1,2,1.5,0.0000,0.0000"};
}

TEST(ObservationPlacementTest, AzimuthModeMetresDegrees)
{
    RawJob job;
    job.AppendAll(AzimuthJob());
    job.AppendAll({"SS,10,1.8,50.0,45.0000,90.0000,10:00:00,A", "SS,11,1.5,100.0,123.3000,85.3000,10:01:00,B",
                   "SS,12,1.5,80.0,315.0000,275.0000,10:02:00,C"});
    ExpectAt(Placed(job, "10"), 2035.355339, 1035.355339, 99.7);
    ExpectAt(Placed(job, "11"), 2083.131523, 944.976445, 107.84591);
    ExpectAt(Placed(job, "12"), 2056.353282, 943.646718, 106.972459);
    std::string description;
    EXPECT_TRUE(job.LastSetup()->GetPointDescription("12", &description));
    EXPECT_EQ(description, "C");
    EXPECT_DOUBLE_EQ(job.LastSetup()->GetHR(), 1.5);
}

// HA mode 1 in feet: circle readings from a backsight due east read 30 degrees.
TEST(ObservationPlacementTest, HaZeroToBacksightInFeetAndFaceTwo)
{
    RawJob job;
    job.AppendAll({"CO,Dist Units: Feet", "CO,Angle Units: Degrees", "CO,Zero azimuth: North",
                   "CO,HA Raw Data: HA zero to BS", "UC,1,5000.0,5000.0,100.0,STN", "UC,2,5000.0,5100.0,,BS",
                   "ST,1,2,5.0,,30.0000", "SS,20,5.0,100.0,120.0000,90.0000,t,", "SS,21,5.0,100.0,300.0000,270.0000,t,",
                   "SS,22,4.0,100.0,30.0000,90.0000,t,", "*SS,22,4.0,100.0,30.0000,90.0000,t,"});
    // 30 - 120 degrees from east: due south, 100 ft.
    ExpectAt(Placed(job, "20"), 1524.0, 1493.52, 30.48);
    ExpectAt(Placed(job, "21"), 1524.0, 1493.52, 30.48);
    EXPECT_FALSE(job.LastSetup()->IsPointKnown("22")) << "a deleted shot hides the name from its line on";
    EXPECT_TRUE(job.Setup(9)->IsPointKnown("22"));
    ExpectAt([&] {
        CLocation at;
        job.Setup(9)->GetPointLocation("22", &at);
        return at;
    }(), 1524.0 + 30.48, 1524.0, 30.48 + 0.3048);

    // Correct shots agree with the job in this mode and on face two.
    job.AddPoint("20", 1524.0, 1493.52, 30.48);
    job.AddPoint("21", 1524.0, 1493.52, 30.48);
    CColoredTextLines lines;
    EXPECT_FALSE(job.raw.CheckLine(&lines, 7));
    EXPECT_FALSE(job.raw.CheckLine(&lines, 8));
    EXPECT_EQ(lines.GetCount(), 0);
}

TEST(ObservationPlacementTest, GonsSouthAzimuthEveryCorrection)
{
    RawJob job;
    job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Gons", "CO,ZERO AZIMUTH: South", "CO,HA Raw Data: Azimuth",
                   "CO,C & R Adjustment: On", "CO,C & R Coefficient: 0.132", "CO,Sea Level Adjustment: On",
                   "CO,ScaleFactor: 0.9996", "CO,Scale Adjustment: On", "MP,1,1000,2000,100,STN", "ST,1,,1.5,0,0",
                   "SS,30,1.5,1000,50,100,t,X"});
    CRawDataNikonSideShotRecord shot(*job.raw.GetRecord(11));
    EXPECT_NEAR(shot.GetHorizontalDistance(), 999.584308, 1e-6);
    EXPECT_NEAR(shot.GetVerticalDistance(), 0.068110, 1e-6);
    // 50 gons from south: south-west.
    const double d = shot.GetHorizontalDistance() / std::sqrt(2.0);
    ExpectAt(Placed(job, "30"), 2000 - d, 1000 - d, 100.068110);
    EXPECT_NEAR(shot.GetHADirection(), 5 * Pi / 4, 1e-12);
}

TEST(ObservationGeometryTest, DistancesWithTheirCorrections)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> settings;
        const char* shot;
        double hd;
        double vd;
    } cases[] = {
        {"curvature at the horizon", {"CO,C & R Adjustment: On"}, "SS,9,0,1000,0,90.0000", 1000.0, 0.068110},
        {"and sea level at 100 m", {"CO,C & R Adjustment: On", "CO,Sea Level Adjustment: On"},
         "SS,9,0,1000,0,90.0000", 999.984301, 0.068110},
        {"and scale", {"CO,C & R Adjustment: On", "CO,Sea Level Adjustment: On", "CO,Scale Factor: 0.9996",
                       "CO,Scale Adjustment: On"},
         "SS,9,0,1000,0,90.0000", 999.584308, 0.068110},
        {"scale factor off", {"CO,Scale Factor: 0.9996"}, "SS,9,0,1000,0,90.0000", 1000.0, 0.0},
        {"80 degrees uncorrected", {}, "SS,9,0,500,0,80.0000", 492.403877, 86.824089},
        {"80 degrees with curvature", {"CO,C & R Adjustment: On"}, "SS,9,0,500,0,80.0000", 492.397610, 86.840603},
        // A face-two reading reduces exactly as its face-one twin.
        {"280 degrees with curvature", {"CO,C & R Adjustment: On"}, "SS,9,0,500,0,280.0000", 492.397610, 86.840603},
        {"coefficient 0.200", {"CO,C & R Adjustment: On", "CO,C & R Coefficient: 0.2000"}, "SS,9,0,1000,0,90.0000",
         1000.0, 0.062775},
        {"straight up", {}, "SS,9,0,10,0,0.0000", 0.0, 10.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawJob job;
        job.AppendAll(morvel::test::MetricHead());
        job.AppendAll(c.settings);
        job.AppendAll({"MP,1,0,0,100,STN", "ST,1,,0,0,", c.shot});
        CRawDataNikonSideShotRecord shot(*job.raw.GetRecord(job.raw.GetLineCount() - 1));
        EXPECT_NEAR(shot.GetHorizontalDistance(), c.hd, 1e-6);
        EXPECT_NEAR(shot.GetVerticalDistance(), c.vd, 1e-6);
    }
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.AppendAll({"CO,Sea Level Adjustment: On", "MP,1,0,0,,STN", "ST,1,,0,0,", "SS,9,0,1000,0,90.0000", "SS,8,0,,0,90"});
    EXPECT_NEAR(CRawDataNikonSideShotRecord(*job.raw.GetRecord(7)).GetHorizontalDistance(), 1000.0, 1e-9)
        << "no reduction without the occupy elevation";
    EXPECT_EQ(CRawDataNikonSideShotRecord(*job.raw.GetRecord(8)).GetHorizontalDistance(), NoValue);
    EXPECT_EQ(CRawDataNikonSideShotRecord(*job.raw.GetRecord(8)).GetVerticalDistance(), NoValue);
    EXPECT_FALSE(job.LastSetup()->IsPointKnown("8")) << "an angle-only shot is not placed";
}

TEST(ObservationRecordTest, Validity)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    struct Case
    {
        const char* text;
        bool valid;
    } cases[] = {
        {"CP,1,1.5,10,90,90,t,F", true},       {"CP,1,1.5,10,90,90,t", true},
        {"CP,1,1.5,10,90,90,t,F,X", false},    {"CP,1,,,90,90,,", true},
        {"CP,1,1.5,10,,90,t,F", false},        {"CP,1,1.5,10,90,,t,F", false},
        {"CP,A-1,1.5,10,90,90,t,F", false},    {"F1, x ,1.5,10,90,90,t", true},
        {"F1,x,1.5,10,90,90,t,F", false},      {"F2,,1.5,10,90,90,t", true},
        {"SO,1005,1.8,50,45,90,t,F", true},    {"SS,1,1.5,1o,90,90,t,F", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CNikonRawDataRecord record(c.text);
        record.SetDocument(&job);
        record.SetLine(3);
        EXPECT_EQ(record.Validate(), c.valid);
    }
    // Each field of each shot kind, left empty and spoilt: the name, HA and VA are required, HR and
    // SD may be empty, and the numbers must read.
    const struct
    {
        bool emptyValid, spoiltValid;
        const char* spoilt;
    } fields[] = {{false, false, "A-1"}, {true, false, "1o"}, {true, false, "1o"}, {false, false, "1o"},
                  {false, false, "1o"},  {true, true, "1o"},  {true, true, "1o"}};
    for (const char* code : {"CP", "SS", "SO"}) {
        for (size_t field = 0; field < std::size(fields); ++field) {
            for (bool empty : {true, false}) {
                std::vector<std::string> values = {code, "1005", "1.8", "50", "45", "90", "t", "F"};
                values[field + 1] = empty ? "" : fields[field].spoilt;
                std::string text;
                for (const std::string& value : values)
                    text += (text.empty() ? "" : ",") + value;
                SCOPED_TRACE(text);
                CNikonRawDataRecord record(text);
                record.SetDocument(&job);
                record.SetLine(3);
                const bool valid = empty ? fields[field].emptyValid : fields[field].spoiltValid;
                EXPECT_EQ(record.Validate(), valid);
                // The reduction's reading of the text must agree.
                std::string_view read[7];
                EXPECT_EQ(CRawDataNikonObservationRecord(record).ValidateText(read), valid);
            }
        }
    }
    CNikonRawDataRecord face("F1, x ,1.5,10,90,90,t");
    face.SetDocument(&job);
    face.SetLine(3);
    EXPECT_EQ(CRawDataNikonFace1Record(face).GetPointName(), "x") << "the split trims every value";

    CRawDataNikonCtrlPointRecord fresh;
    EXPECT_EQ(fresh.GetPointName(), "");
    EXPECT_EQ(fresh.GetHR(), NoValue);
    EXPECT_EQ(fresh.GetHA(), NoValue);
    CNikonRawDataRecord alone("CP,1,1.5,10,90,90,t,F");
    EXPECT_FALSE(CRawDataNikonCtrlPointRecord(alone).Validate()) << "no setup, no conversion";
}

TEST(ObservationRecordTest, PrintingKeepsTheRecordedValues)
{
    RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    job.Append("SS,10,1.8,50.0,45.3000,92.1530,10:00:00,T");
    job.Append("*CP,11,,50.0,45.3000,92.1530,10:00:00,A,B");
    EXPECT_TRUE(job.raw.GetRecord(4)->Canonicalize());
    EXPECT_EQ(job.Text(4), "SS,10,1.8,50.0,45.3,92.153,10:00:00,T");
    CRawDataNikonCtrlPointRecord deleted;
    deleted.SetDocument(&job);
    deleted.SetValues("11", NoValue, 12.5, 45.3, Pi / 2, "t", "X,Y");
    deleted.SetDeleted(true);
    ASSERT_TRUE(deleted.UpdateText(4));
    EXPECT_EQ(deleted.GetText(), "*CP,11,,12.5,45.3,90.0,t,X Y");
    CRawDataNikonFace2Record face;
    face.SetDocument(&job);
    face.SetValues("", 1.5, NoValue, 180, 3 * Pi / 2, "t", "");
    ASSERT_TRUE(face.UpdateText(4));
    EXPECT_EQ(face.GetText(), "F2,,1.5,,180.0,270.0,t");
}

TEST(ObservationRecordTest, ChecksAgainstTheJob)
{
    RawJob job;
    job.AppendAll(AzimuthJob());
    const double e = 2035.355339059327, n = 1035.355339059327;
    job.AddPoint("10", e + 0.00005, n, 50);
    job.AddPoint("11", e + 0.0002, n, 99.7);
    job.AppendAll({"SS,10,1.8,50.0,45.0000,90.0000,t,", "SS,11,1.8,50.0,45.0000,90.0000,t,", "SS,12,1.8,,45.0000,90.0000,t,",
                   "F1,,1.8,50.0,45.0000,90.0000,t", "SS,10,,50.0,45.0000,90.0000,t,"});
    CColoredTextLines lines;
    EXPECT_FALSE(job.raw.CheckLine(&lines, 7));
    EXPECT_EQ(lines.GetCount(), 0);
    EXPECT_FALSE(job.raw.CheckLine(nullptr, 8));
    ASSERT_TRUE(job.raw.CheckLine(&lines, 8));
    EXPECT_THAT(Texts(lines), ElementsAre(RawSeparatorLine, "Job Pt Mismatch", "Job Pt Name: 11", testing::_, testing::_,
                                          testing::EndsWith(": 99.7m"), "Comment: ", "   \n", testing::StartsWith("Azimuth: "),
                                          "Horizontal Distance: 0.0002m", "Vertical Distance: 0.0m",
                                          "Slope Distance: 0.0002m"));
    lines.RemoveAll();
    ASSERT_TRUE(job.raw.CheckLine(&lines, 9));
    EXPECT_THAT(Texts(lines), ElementsAre(RawSeparatorLine, "Job file Pt. '12' not found. Angle only raw data record.",
                                          RawSeparatorLine));
    EXPECT_EQ(lines.Lines()[1].color, ProblemTextColor);
    lines.RemoveAll();
    EXPECT_FALSE(job.raw.CheckLine(&lines, 10));
    EXPECT_EQ(lines.GetCount(), 0);
    ASSERT_TRUE(job.raw.CheckLine(&lines, 11));
    EXPECT_EQ(Texts(lines)[1], "No valid HR found.");
}

TEST(ObservationRecordTest, Previews)
{
    RawJob job;
    RecordingDrawTarget target;
    job.raw.SetDrawTarget(&target);
    GetMorvelSettings().SetRawDataSideshotsColor(0);
    GetMorvelSettings().SetRawDataConflictsColor(1);
    job.AppendAll(AzimuthJob());
    job.AddPoint("11", 2035.355339, 1035.355339 + 0.01, 99.7);
    job.AppendAll({"SS,10,1.8,50.0,45.0000,90.0000,t,", "SS,11,1.8,50.0,45.0000,90.0000,t,",
                   "F1,,1.8,50.0,45.0000,90.0000,t"});
    job.raw.DrawRecord(7);
    EXPECT_THAT(target.calls, ElementsAre("line 0 1", "location 7051 0,-8", "location 612"));
    target.calls.clear();
    job.raw.DrawRecord(8);
    EXPECT_THAT(target.calls, ElementsAre("line 0 1", "location 7051 0,-8", "line 1 1", "location 612"));
    target.calls.clear();
    job.raw.DrawRecord(9);
    EXPECT_TRUE(target.calls.empty());
}

TEST(StakeoutTest, DesignPointNames)
{
    RawJob job;
    CRawDataNikonStakeOutRecord record;
    record.SetDocument(&job);
    struct Case
    {
        const char* asBuilt;
        const char* design;
    } cases[] = {
        {"1005", "5"}, {"A1005", "A5"}, {"P01023", "P23"}, {"1000", ""}, {"999", ""}, {"B12", ""},
        {"X", ""}, {"", ""}, {"1234567890123456", "1234567890122456"}, {"9999999999999999", "9999999999998999"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(record.DesignPointNameFor(c.asBuilt), c.design) << c.asBuilt;
    CRawDataNikonStakeOutRecord orphan;
    EXPECT_EQ(orphan.DesignPointNameFor("1005"), "");
}

TEST(StakeoutTest, StakedPointStoresItsState)
{
    RawJob job;
    job.AppendAll(AzimuthJob());
    // The design point off the 45 degree line, so that the northing and easting deltas differ.
    job.AppendAll({"MP,5,1035.37,2035.35,99.75,DESIGN", "SO,1005,1.8,50.0,45.0000,90.0000,10:05:00,STAKE"});
    const CStakeoutState* state = nullptr;
    ASSERT_TRUE(job.raw.GetStakeoutTable().Lookup(8, &state));
    EXPECT_EQ(state->GetDesignPointName(), "5");
    EXPECT_EQ(state->GetDesignDescription(), "DESIGN");
    EXPECT_EQ(state->GetAsBuiltPointName(), "1005");
    EXPECT_EQ(state->GetAsBuiltDescription(), "STAKE");
    EXPECT_NEAR(state->GetDeltas().y, 0.014661, 1e-6);
    EXPECT_NEAR(state->GetDeltas().x, -0.005339, 1e-6);
    EXPECT_NEAR(state->GetCutFill(), 0.05, 1e-9);
    EXPECT_FALSE(state->HasWarnings());

    CRawDataNikonStakeOutRecord shot(*job.raw.GetRecord(8));
    EXPECT_EQ(shot.GetDesignPointName(), "5");
    EXPECT_EQ(shot.GetStakeoutAsBuiltName(), "1005");
    EXPECT_NEAR(shot.GetStakeoutDeltas().z, 0.05, 1e-9);

    ScopedAxisCaptions captions;
    CColoredTextLines lines;
    ASSERT_TRUE(job.raw.CheckLine(&lines, 8)) << "the stake-out block is always written";
    const auto texts = Texts(lines);
    ASSERT_GE(texts.size(), 20u);
    EXPECT_EQ(texts[1], "Point Stakeout");
    EXPECT_EQ(texts[2], "Design Point: 5");
    EXPECT_EQ(texts[4], " N-Coord: 1035.370000m");
    EXPECT_EQ(texts[14], "As-Built Desc: STAKE");
    EXPECT_EQ(texts[21], "Cut(-)/Fill(+): 0.050000m");
    EXPECT_FALSE(job.raw.CheckLine(nullptr, 8));
}

TEST(StakeoutTest, UnresolvedLinesStoreNothingAndCarryNothing)
{
    RawJob job;
    job.AppendAll(AzimuthJob());
    job.AppendAll({"SO,1006,1.8,50.0,45.0000,90.0000,t,",   // 7: design 6 not filed yet
                   "MP,6,1000,2000,,D",                      // 8
                   "CO,Pt: 1007 SO Deltas N: 1 E: 1 Z: 1",   // 9
                   "SO,1007,1.8,50.0,45.0000,90.0000,t,",   // 10: design 7 missing
                   "SO,B12,1.8,50.0,45.0000,90.0000,t,",    // 11: no design name
                   "SO,01006,1.8,,45.0000,90.0000,t,",      // 12: angle only: as-built never placed
                   "SO,1006,1.8,50.0,45.0000,90.0000,t,"}); // 13
    CStakeoutStateTable& table = job.raw.GetStakeoutTable();
    EXPECT_FALSE(table.Lookup(7, static_cast<const CStakeoutState**>(nullptr)));
    EXPECT_FALSE(table.Lookup(10, static_cast<const CStakeoutState**>(nullptr)));
    EXPECT_FALSE(table.Lookup(11, static_cast<const CStakeoutState**>(nullptr)));
    const CStakeoutState* state = nullptr;
    ASSERT_TRUE(table.Lookup(12, &state));
    EXPECT_EQ(state->GetDesignPointName(), "6");
    EXPECT_EQ(state->GetAsBuiltLocation().x, NoValue);
    EXPECT_EQ(state->GetDeltas().x, NoValue);
    ASSERT_TRUE(table.Lookup(13, &state));
    EXPECT_FALSE(state->HasWarnings()) << "the failed lookup of line 11 leaves no warning behind";
    EXPECT_NEAR(state->GetDeltas().x, 2000 - 2035.355339, 1e-6);
    EXPECT_EQ(state->GetCutFill(), NoValue);

    // The walk visits every stored state in line order.
    std::vector<int32_t> walked;
    for (auto position = table.GetStartPosition(); position != 0;) {
        int32_t line = -1;
        ASSERT_TRUE(table.GetNext(position, &state, &line));
        walked.push_back(line);
    }
    EXPECT_THAT(walked, ElementsAre(12, 13));

    CStakeoutStateTable empty(&job);
    EXPECT_EQ(empty.GetStartPosition(), 0);
    CStakeoutStateTable::Position position = 0;
    state = reinterpret_cast<const CStakeoutState*>(&job);
    EXPECT_FALSE(empty.GetNext(position, &state, nullptr));
    EXPECT_EQ(static_cast<const void*>(state), static_cast<const void*>(&job)) << "outputs untouched";
}

TEST(StakeoutTest, PreviewsAndTheCheckAfterTheBlock)
{
    RawJob job;
    RecordingDrawTarget target;
    job.raw.SetDrawTarget(&target);
    GetMorvelSettings().SetRawDataSideshotsColor(0);
    GetMorvelSettings().SetRawDataConflictsColor(1);
    job.AppendAll(AzimuthJob());
    job.AddPoint("1005", 2035.355339, 1035.355339 + 0.01, 99.7);
    job.AppendAll({"MP,5,1035.36,2035.36,99.75,DESIGN", "SO,1005,1.8,50.0,45.0000,90.0000,t,",
                   "SO,1009,1.8,,45.0000,90.0000,t,", "SO,1010,1.8,50.0,225.0000,270.0000,t,"});
    job.raw.DrawRecord(8);
    EXPECT_THAT(target.calls, ElementsAre("line 0 1", "location 624 0,-8", "line 1 1", "location 612"));
    target.calls.clear();
    job.raw.DrawRecord(9);
    EXPECT_TRUE(target.calls.empty()) << "no slope distance, nothing to draw";
    job.raw.DrawRecord(10);
    EXPECT_THAT(target.calls, ElementsAre("line 0 1", "location 624 0,-8"));
    EXPECT_NEAR(target.locations[1].x, 2035.355339, 1e-6) << "face two turns the direction";

    CColoredTextLines lines;
    ASSERT_TRUE(job.raw.CheckLine(&lines, 8));
    const auto texts = Texts(lines);
    EXPECT_THAT(texts, testing::Contains("Job Pt Mismatch"));
    EXPECT_THAT(texts, testing::Contains("Point Stakeout"));
}

// A stake-out shot without a target height cannot be placed: the check says why instead of
// reporting a block computed from no HR, and the map draws nothing for it.
TEST(StakeoutTest, ShotWithoutHrIsReportedAsAProblem)
{
    RawJob job;
    RecordingDrawTarget target;
    job.raw.SetDrawTarget(&target);
    job.AppendAll(AzimuthJob());
    job.AppendAll({"MP,5,1035.37,2035.35,99.75,DESIGN", "SO,1005,,50.0,45.0000,90.0000,10:05:00,STAKE"});
    CColoredTextLines lines;
    ASSERT_TRUE(job.raw.CheckLine(&lines, 8));
    EXPECT_THAT(Texts(lines), ElementsAre(RawSeparatorLine, "No valid HR found.", RawSeparatorLine));
    EXPECT_EQ(lines.Lines()[1].color, ProblemTextColor);
    EXPECT_FALSE(job.raw.CheckLine(nullptr, 8));
    job.raw.DrawRecord(8);
    EXPECT_TRUE(target.calls.empty());
}

const char* const kRawFiles[] = {"tops_nikon_raw_v200.raw", "tops_nikon_dtm330.raw", "tops_nikon_npl350.raw",
                                 "geoeasy_nikon_dtm322_sample.raw"};

TEST(PublicRawFilesTest, SideShotsValidateAndKeepTheirValuesWhenPrinted)
{
    for (const char* file : kRawFiles) {
        SCOPED_TRACE(file);
        RawJob job;
        std::ifstream in(morvel::test::SharedTestDataPath(file), std::ios::binary);
        std::string text;
        while (std::getline(in, text)) {
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            job.Append(text);
        }
        int shots = 0;
        for (int32_t line = 0; line < job.raw.GetLineCount(); ++line) {
            CNikonRawDataRecord& record = *job.raw.GetRecord(line);
            if (record.GetType() != RecordTypeSideShot)
                continue;
            SCOPED_TRACE(record.GetText());
            CRawDataNikonSideShotRecord before(record);
            ASSERT_TRUE(before.Validate());
            CRawDataNikonSideShotRecord printed(record);
            printed.Validate();
            ASSERT_TRUE(printed.UpdateText(line));
            CRawDataNikonSideShotRecord after(printed);
            ASSERT_TRUE(after.Validate()) << printed.GetText();
            EXPECT_EQ(after.GetPointName(), before.GetPointName());
            EXPECT_EQ(after.GetHR(), before.GetHR());
            EXPECT_EQ(after.GetSD(), before.GetSD());
            EXPECT_EQ(after.GetHA(), before.GetHA());
            EXPECT_NEAR(after.GetVA(), before.GetVA(), 1e-12);
            EXPECT_EQ(after.GetTime(), before.GetTime());
            EXPECT_EQ(after.GetFeatureCode(), before.GetFeatureCode());
            ++shots;
        }
        EXPECT_GT(shots, 2);
    }
}

} // namespace
