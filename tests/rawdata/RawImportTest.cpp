// Raw text import: settings from the head or the preferences, the missing settings comments, the
// instrument's wider lines, invalid lines, the older layout and the job name; and the public raw
// files imported, loaded and reduced.
#include "RawJob.h"
#include "TestUtil.h"
#include "core/Report.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "platform/MessageBox.h"
#include "rawdata/JobRawDataFile.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/RawTextImport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using morvel::test::RawJob;
using testing::ElementsAre;

namespace {

std::vector<std::string> OutputLines(const std::string& output)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < output.size()) {
        const size_t end = output.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(output.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Counts the message boxes shown while it lives.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        m_previous = SetMessageBoxHandler([this](const std::string& text, uint32_t flags) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    std::vector<std::string> texts;

private:
    MessageBoxHandler m_previous;
};

JobSettingsValues FreshSettings()
{
    JobSettingsValues settings;
    InitJobSettingsValues(settings);
    return settings;
}

TEST(RawImportTest, NarrowInstrumentLines)
{
    struct Case
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"MP,1,,0.000,0.000,0.000,ST", "MP,1,0.000,0.000,0.000,ST"},
        {"*MC,1,,100.000,200.000,10.000,", "*MC,1,100.000,200.000,10.000,"},
        {"ST,1,,,,1.430,0.0000,0.0000", "ST,1,,1.430,0.0000,0.0000"},
        {"ST,4,,1,,1.242,344.3051,344.3051", "ST,4,1,1.242,344.3051,344.3051"},
        {"SO,1003,,1.240,331.220,326.783,19.998,07:18:17,STAKE", "SO,1003,1.240,331.220,326.783,19.998,07:18:17,STAKE"},
        {"CP,5,,1.5,10,20,30,t,CODE,extra", "CP,5,1.5,10,20,30,t,CODE"},
        {"SS,2,1.500,8.986,107.9916,102.3376,14:00:04,P", "SS,2,1.500,8.986,107.9916,102.3376,14:00:04,P"},
        {"ST,1,,,", "ST,1,,"}, // ends where its fields end
        {"MP", "MP"},
        {"XX,1,2,3", "XX,1,2,3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NarrowRawLineFields(c.in), c.out) << c.in;
}

TEST(RawImportTest, MissingSettingsAreAddedAfterTheHead)
{
    MessageRecorder boxes;
    JobSettingsValues settings = FreshSettings();
    std::string output;
    const std::string name = ImportRawTextValidated(
        settings, "CO,Header\r\nCO,DIST UNITS: Feet\r\nCO, MYJOB <JOB>\r\nSS,1,1.5,10,0,90,t,\r\n", output);
    EXPECT_EQ(name, "MYJOB");
    EXPECT_EQ(settings.distanceUnit, 1);
    EXPECT_THAT(OutputLines(output),
                ElementsAre("CO,Header", "CO,DIST UNITS: Feet", "CO, MYJOB <JOB>", "CO,ANGLE UNITS: Degrees",
                            "CO,ZERO AZIMUTH: North", "CO,Scale Adjustment: Off", "CO,ScaleFactor: 1.000000000",
                            "CO,C & R Adjustment: Off", "CO,C & R Coefficient: 0.132", "CO,Sea Level Adjustment: Off",
                            "CO,HA Raw Data: HA zero to BS", "CO,Coord Order: NEZ", "SS,1,1.5,10,0,90,t,"));
    EXPECT_TRUE(boxes.texts.empty());

    // An HA comment in the head is kept and not added again.
    settings = FreshSettings();
    ImportRawTextValidated(settings, "CO,HA Raw Data: Azimuth\nSS,1,1.5,10,0,90,t,\n", output);
    EXPECT_EQ(settings.directionType, 1);
    const auto lines = OutputLines(output);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("HA Raw") != std::string::npos; }), 1);
}

TEST(RawImportTest, EmptyAndCommentOnlyTexts)
{
    JobSettingsValues settings = FreshSettings();
    std::string output = "left over";
    EXPECT_EQ(ImportRawTextValidated(settings, "", output), "");
    EXPECT_EQ(OutputLines(output).size(), 10u) << "the settings comments alone";

    ImportRawTextValidated(settings, "CO,a\r\nCO,DIST UNITS: Feet US\r\n\r\n", output);
    const auto lines = OutputLines(output);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "CO,a");
    EXPECT_EQ(lines[1], "CO,DIST UNITS: Metres") << "the last comment is not read for settings";
    EXPECT_EQ(lines[11], "CO,DIST UNITS: Feet US");
}

TEST(RawImportTest, InvalidLinesBecomeCommentsWithOneWarning)
{
    MessageRecorder boxes;
    JobSettingsValues settings = FreshSettings();
    std::string output;
    ImportRawTextValidated(settings, "CO,DIST UNITS: Metres\nXX,1\nSS,1\nSS,1,1.5,10,0,90,t,\n", output);
    const auto lines = OutputLines(output);
    EXPECT_EQ(lines[lines.size() - 3], "CO,XX,1");
    EXPECT_EQ(lines[lines.size() - 2], "CO,SS,1");
    EXPECT_EQ(lines.back(), "SS,1,1.5,10,0,90,t,");
    EXPECT_THAT(boxes.texts, ElementsAre("Morvel has detected invalid raw data records in this file.  These records "
                                         "will be marked as comments."));
}

TEST(RawImportTest, EastNorthOrderIsSwappedOnlyUntilTheNextNorthEastComment)
{
    MessageRecorder boxes;
    JobSettingsValues settings = FreshSettings();
    std::string output;
    const std::string name = ImportRawTextValidated(
        settings, morvel::test::ReadAllText(morvel::test::TestDataPath("enz_feet_raw.txt")), output);
    EXPECT_EQ(name, "ENZFT");
    EXPECT_EQ(settings.distanceUnit, 1);
    const auto lines = OutputLines(output);
    EXPECT_THAT(lines, testing::Contains("UP,1,1000.0,2000.0,100.0,STN"));
    EXPECT_THAT(lines, testing::Contains("UP,2,1100.0,2000.0,,BS"));
    EXPECT_THAT(lines, testing::Contains("UP,3,1000.0,2000.0,,N")) << "after the NEZ comment nothing is swapped";
    EXPECT_THAT(lines, testing::Contains("ST,1,2,5.0,0.0000,0.0000"));
    EXPECT_THAT(lines, testing::Contains("CP,11,5.0,100.0,180.0000,90.0000,10:01:00,CTL")) << "the code stays";
    EXPECT_THAT(lines, testing::Contains("CO,XX,broken"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "CO,Coord Order: NEZ"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "CO,Coord Order: ENZ"), 0);
    EXPECT_EQ(boxes.texts.size(), 1u);
}

TEST(RawImportTest, OlderLayout)
{
    struct Case
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"0,1,0,12,OLD,1,2,3", "*MP,12,1.0000,2.0000,3.0000,OLD"},
        {"1,3,0,12,CC,1.23456,2,3", "CC,12,1.2346,2.0000,3.0000,CC"},
        {"1,0,0,1,,1.5,2,90.5", "ST,1,2,1.5000,90.5000,90.5000"},
        {"1,2,0,10,SHOT,50.0,45.0,90.0,1.8,x,10:00:00", "SS,10,1.8000,50.0000,45.0000,90.0000,10:00:00,SHOT"},
        {"1,5,0,10,CTL,50,45,90,1.8,x,t", "CP,10,1.8000,50.0000,45.0000,90.0000,t,CTL"},
        {"1,9,0", "CO,Version NS002"},
        {"1,7,0,1,2", "1,7,0,1,2"},
        {"x,1,0,1,A,1,2,3", "x,1,0,1,A,1,2,3"},
        {"1,1,0,1,A,1,2", "1,1,0,1,A,1,2"},
        {"1,2,0,10,SHOT,50.0,45.0,90.0,1.8", "1,2,0,10,SHOT,50.0,45.0,90.0,1.8"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertOldLayoutRawLine(c.in), c.out) << c.in;

    JobSettingsValues settings = FreshSettings();
    settings.distanceUnit = 2;
    std::string output;
    EXPECT_EQ(ImportOldLayoutRawText(settings, morvel::test::ReadAllText(morvel::test::TestDataPath("old_layout_raw.txt")),
                                     output),
              "");
    const auto lines = OutputLines(output);
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "CO,Nikon RAW data format V2.00");
    EXPECT_EQ(lines[1], "CO,DIST UNITS: Feet US");
    EXPECT_EQ(lines[4], "CO,HA Raw Data: HA zero to BS");
    // The station's point comes before the station.
    EXPECT_EQ(lines[11], "MP,1,1000.0000,2000.0000,100.0000,STN");
    EXPECT_EQ(lines[12], "MP,1,1000.0000,2000.0000,100.0000,STN");
    EXPECT_EQ(lines[13], "ST,1,2,1.5000,0.0000,0.0000");
    EXPECT_EQ(lines[17], "CO,Version NS002");
}

TEST(RawImportTest, APrintedScaleFactorReadsBackWhole)
{
    // Both layouts print the factor the new job is then reduced with: 0.5 mm a kilometre counts.
    for (const bool oldLayout : {false, true}) {
        SCOPED_TRACE(oldLayout ? "older layout" : "current layout");
        JobSettingsValues settings = FreshSettings();
        settings.scaleFactor = 0.99995671;
        std::string output;
        ImportRawText(settings, oldLayout ? "1,9,0\n" : "SS,1,1.5,10,0,90,t,\n", output, oldLayout);
        const auto lines = OutputLines(output);
        EXPECT_THAT(lines, testing::Contains("CO,ScaleFactor: 0.999956710"));
        JobSettingsValues read = FreshSettings();
        ReadJobSettingsFromRawText(read, output);
        EXPECT_EQ(read.scaleFactor, 0.99995671);
    }
}

TEST(RawImportTest, RawDataLinesAreTheLinesWithARecordCode)
{
    struct Case
    {
        const char* text;
        bool raw;
    } cases[] = {
        {"", false},          {"\x1A\r\n", false},      {"CO", false},   {"COMMENT", false},
        {"XX,1\nSS1,2", false}, {"noise\r\nCO,", true}, {"*SS,1", true}, {"junk\nMP,1,2,3,4", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasRawDataLine(c.text), c.raw) << c.text;
}

TEST(RawImportTest, SettingsFromThePreferences)
{
    JobSettingsValues settings = FreshSettings();
    settings.directionType = 7;
    GetJobSettingsFromPreferences(settings);
    JobSettingsValues defaults;
    InitJobSettingsValues(defaults);
    GetMorvelSettings().GetNewJobDefaults(defaults);
    // The new-job defaults report the true-azimuth bit as direction type 0; the import's field
    // means "Azimuth" then.
    EXPECT_EQ(settings.directionType, defaults.directionType == 0 ? 1 : 0);
    EXPECT_EQ(settings.distanceUnit, defaults.distanceUnit);

    settings = FreshSettings();
    ReadJobSettingsFromRawText(settings, "CO,Angle Units: Gons\nCO,HA Raw data: Azimuth\nSS,1\nCO,DIST UNITS: Feet US\n");
    EXPECT_EQ(settings.angleUnit, 1);
    EXPECT_EQ(settings.directionType, 1);
    EXPECT_EQ(settings.distanceUnit, defaults.distanceUnit) << "comments after the first data line are not read";
    settings = FreshSettings();
    ReadJobSettingsFromRawText(settings, "CO,DIST UNITS: Feet US\nSS,1\n");
    EXPECT_EQ(settings.distanceUnit, 2);
}

// The whole road of a received file: import, write, load, reduce.
struct Imported
{
    std::string name;
    std::string output;
    std::vector<std::string> boxes;
};

Imported ImportAndReduce(RawJob& job, const std::string& file, CReport* report)
{
    Imported result;
    MessageRecorder boxes;
    const std::string text = morvel::test::ReadAllText(morvel::test::SharedTestDataPath(file));
    JobSettingsValues settings = FreshSettings();
    ReadJobSettingsFromRawText(settings, text);
    result.name = ImportRawText(settings, text, result.output, false);
    morvel::test::TempDir dir;
    morvel::test::WriteAllText(dir.file("job.Mvr"), result.output);
    EXPECT_TRUE(LoadRawDataFromText(job, job.raw, dir.file("job.Mvr"), false));
    ReduceRawData(job, job.raw, false, false, report, nullptr);
    result.boxes = boxes.texts;
    return result;
}

TEST(PublicRawFilesTest, ImportLoadAndReduceTheFateJob)
{
    RawJob job;
    CReport report;
    const Imported imported = ImportAndReduce(job, "tops_nikon_raw_v200.raw", &report);
    EXPECT_EQ(imported.name, "FATE2010");
    const auto lines = OutputLines(imported.output);
    EXPECT_EQ(lines[15], "CO, FATE2010 <JOB> Created 04-Feb-2010 13:41:40");
    EXPECT_THAT(std::vector<std::string>(lines.begin() + 16, lines.begin() + 21),
                ElementsAre("CO,Scale Adjustment: Off", "CO,ScaleFactor: 1.000000000", "CO,C & R Adjustment: Off",
                            "CO,C & R Coefficient: 0.132", "CO,Sea Level Adjustment: Off"));
    // The download's end-of-file mark ends the text: no record of it, no warning.
    EXPECT_EQ(lines.back(), "SS,802,2.550,20.961,179.9716,92.2336,16:18:03,P");
    EXPECT_TRUE(imported.boxes.empty()) << imported.boxes.front();
    EXPECT_EQ(job.GetRecordDatabase()->GetCount(kRecordTypePoint), 83);
    CPointRecord* two = job.GetPointDatabase()->FindPoint("2", true);
    ASSERT_NE(two, nullptr);
    EXPECT_NEAR(two->GetNorthing(), -1.124310, 1e-6);
    EXPECT_NEAR(two->GetEasting(), 8.909282, 1e-6);
    EXPECT_NEAR(two->GetElevation(), -0.399882, 1e-6);
}

TEST(PublicRawFilesTest, ImportLoadAndReduceTheOthers)
{
    struct Expected
    {
        const char* file;
        int32_t points;
        bool endsWithMark; // a Ctrl-Z after the last line, the only odd line of the file
    } expected[] = {
        {"tops_nikon_dtm330.raw", 0, true},
        {"tops_nikon_npl350.raw", 0, false},
        {"geoeasy_nikon_dtm322_sample.raw", 5, false},
    };
    for (const Expected& x : expected) {
        SCOPED_TRACE(x.file);
        RawJob job;
        CReport report;
        const Imported imported = ImportAndReduce(job, x.file, &report);
        EXPECT_EQ(imported.output.find('\x1A'), std::string::npos);
        if (x.endsWithMark)
            EXPECT_TRUE(imported.boxes.empty()) << imported.boxes.front();
        EXPECT_EQ(job.GetRecordDatabase()->GetCount(kRecordTypePoint), x.points);
        EXPECT_FALSE(report.IsEmpty());
    }
}

} // namespace
