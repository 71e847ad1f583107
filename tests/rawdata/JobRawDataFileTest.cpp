// The job's raw data file: reading and writing it byte for byte, default raw data and the
// settings comments of a job.
#include "FakeStatusBarHost.h"
#include "FakeView.h"
#include "RawJob.h"
#include "TestUtil.h"
#include "model/JobFileDocSettings.h"
#include "model/PointRecord.h"
#include "rawdata/JobRawDataFile.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/stat.h>

using morvel::test::RawJob;
using morvel::test::TempDir;
using testing::ElementsAre;

namespace {

std::vector<std::string> LineTexts(RawJob& job)
{
    std::vector<std::string> out;
    for (int32_t i = 0; i < job.raw.GetLineCount(); ++i)
        out.push_back(job.Text(i));
    return out;
}

TEST(JobRawDataFileTest, SaveWritesEveryLineWithCrLf)
{
    TempDir dir;
    RawJob job;
    job.AppendAll({"CO,A", "*SS,1,,,0,90,,", ""});
    ASSERT_TRUE(SaveRawDataToText(job, job.raw, dir.file("job.Mvr"), false));
    EXPECT_EQ(morvel::test::ReadAllText(dir.file("job.Mvr")), "CO,A\r\n*SS,1,,,0,90,,\r\n\r\n");

    RawJob back;
    ASSERT_TRUE(LoadRawDataFromText(back, back.raw, dir.file("job.Mvr"), false));
    EXPECT_EQ(LineTexts(back), LineTexts(job));
    EXPECT_TRUE(back.raw.GetRecord(1)->IsDeletedFlag());
}

TEST(JobRawDataFileTest, FailedWritesReportFalse)
{
    TempDir dir;
    RawJob job;
    job.Append("CO,A");
    EXPECT_FALSE(SaveRawDataToText(job, job.raw, dir.file("missing/folder/job.Mvr"), false));
    // A full device accepts the open and refuses the data.
    EXPECT_FALSE(SaveRawDataToText(job, job.raw, "/dev/full", false));
}

TEST(JobRawDataFileTest, LoadTakesEveryLineAsARecord)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF", "CO,A\r\nMP,1,2,3\r\n", {"CO,A", "MP,1,2,3"}},
        {"LF and an empty line", "CO,A\n\nCO,B\n", {"CO,A", "", "CO,B"}},
        {"last line without end", "CO,A\r\nCO,B", {"CO,A", "CO,B"}},
        {"lone CR stays", "CO,A\rB\n", {"CO,A\rB"}},
        {"Windows-1252 degree sign", "CO,45\xB0 north\r\n", {"CO,45\xC2\xB0 north"}},
        {"UTF-8 kept", "CO,45\xC2\xB0\r\n", {"CO,45\xC2\xB0"}},
        {"Windows-1252 in the last bytes", "CO,ABCDEFGH\xB0\n", {"CO,ABCDEFGH\xC2\xB0"}},
        {"Windows-1252 after long ASCII lines", "CO,0123456789abcdef\r\nCO,0123456789\xE9\r\n",
         {"CO,0123456789abcdef", "CO,0123456789\xC3\xA9"}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        morvel::test::WriteAllText(dir.file("in.Mvr"), c.bytes);
        RawJob job;
        ASSERT_TRUE(LoadRawDataFromText(job, job.raw, dir.file("in.Mvr"), true));
        EXPECT_EQ(LineTexts(job), c.lines);
    }
    RawJob job;
    EXPECT_FALSE(LoadRawDataFromText(job, job.raw, "/nonexistent/in.Mvr", false));
    // A folder where the file should be is refused like a missing file, not thrown out of the
    // reader, and the lines already held stay.
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder.Mvr"));
    job.Append("CO,A");
    EXPECT_FALSE(LoadRawDataFromText(job, job.raw, dir.file("folder.Mvr"), false));
    EXPECT_EQ(LineTexts(job), std::vector<std::string>{"CO,A"});
}

// A file whose size is not known up front (a pipe) or is stated short (a kernel file reports none)
// is still read whole, through the blocks after the first read.
TEST(JobRawDataFileTest, LoadReadsPastTheStatedSize)
{
    TempDir dir;
    const std::string pipe = dir.file("pipe.Mvr");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += "CO,line " + std::to_string(i) + "\r\n";
    std::thread writer([&] { morvel::test::WriteAllText(pipe, bytes); });
    RawJob piped;
    const bool loaded = LoadRawDataFromText(piped, piped.raw, pipe, false);
    writer.join();
    ASSERT_TRUE(loaded);
    ASSERT_EQ(piped.raw.GetLineCount(), 5000);
    EXPECT_EQ(piped.Text(4999), "CO,line 4999");

    std::ifstream in("/proc/version");
    std::string version;
    ASSERT_TRUE(std::getline(in, version));
    ASSERT_EQ(std::filesystem::file_size("/proc/version"), 0u);
    RawJob kernel;
    ASSERT_TRUE(LoadRawDataFromText(kernel, kernel.raw, "/proc/version", false));
    EXPECT_EQ(LineTexts(kernel), std::vector<std::string>{version});
}

// The load works its percent out only as the lines pass whole percents: the bar must still climb
// through the file and end full, whatever the lines' lengths.
TEST(JobRawDataFileTest, LoadProgressClimbsToTheEnd)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        size_t leastSteps; // positions the bar shows at least
    };
    std::string uneven, shortLines, longLast;
    for (int i = 0; i < 1000; ++i)
        uneven += "CO," + std::string(size_t(i * 7919 % 97), 'x') + (i % 3 ? "\r\n" : "\n");
    for (int i = 0; i < 3000; ++i)
        shortLines += "C\n";
    longLast = "CO,A\r\nCO," + std::string(5000, 'y');
    const Case cases[] = {
        {"uneven lines", uneven, 40}, {"short lines", shortLines, 40}, {"one long last line", longLast, 1},
        {"one line", "CO,A", 1},      {"two lines", "CO,A\nCO,B\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        morvel::test::WriteAllText(dir.file("in.Mvr"), c.bytes);
        RawJob job;
        FakeStatusBarHost host;
        ASSERT_TRUE(LoadRawDataFromText(job, job.raw, dir.file("in.Mvr"), false));
        std::vector<int> positions;
        for (const std::string& call : host.Take())
            if (call.rfind("pos:", 0) == 0)
                positions.push_back(std::stoi(call.substr(4)));
        ASSERT_GE(positions.size(), c.leastSteps);
        EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
        EXPECT_EQ(positions.back(), 100);
    }
}

TEST(JobRawDataFileTest, LoadSendsHints44And45)
{
    TempDir dir;
    morvel::test::WriteAllText(dir.file("in.Mvr"), "CO,A\n");
    RawJob job;
    std::vector<std::string> log;
    FakeView view(&log);
    job.AddView(&view);
    ASSERT_TRUE(LoadRawDataFromText(job, job.raw, dir.file("in.Mvr"), false));
    EXPECT_FALSE(LoadRawDataFromText(job, job.raw, dir.file("none.Mvr"), false));
    job.SendHint(nullptr, 1, 0);
    EXPECT_THAT(log, testing::Contains("V44"));
    EXPECT_THAT(log, testing::Contains("V45"));
    job.RemoveView(&view);
}

TEST(JobRawDataFileTest, DefaultRawDataOfAJobWithoutPoints)
{
    RawJob job;
    job.Append("CO,old line");
    ASSERT_TRUE(GenerateRawData(job, job.raw, true));
    EXPECT_THAT(LineTexts(job),
                ElementsAre("CO,Morvel RAW data format V2.00", "CO,Dist Units: Feet", "CO,Angle Units: Degrees",
                            "CO,Zero azimuth: North", "CO,Scale Adjustment: Off", "CO,Scale Factor: 1.000000000",
                            "CO,C & R Adjustment: Off", "CO,C & R Coefficient: 0.1320", "CO,Sea Level Adjustment: Off",
                            "CO,HA Raw Data: HA zero to BS", "CO,Coord Order: NEZ"));
    EXPECT_NE(job.GetHistoryList().back().find("Generated raw data"), std::string::npos);
    std::string message;
    EXPECT_TRUE(job.LastSetup()->ValidateUnits(&message)) << message;
}

TEST(JobRawDataFileTest, DefaultRawDataListsThePointsInNameOrderInTheJobUnits)
{
    RawJob job;
    job.settings.SetDistanceUnit(2);
    job.settings.SetAzimuthFormat(1);
    // Eight decimals: the factor must come back whole when a reduction reads the comment.
    job.settings.SetScaleFactor(0.99995671);
    job.AddPoint("10", 304.8006096012192, 609.6012192024384, 30.48006096012192)->SetDescription("TEN");
    job.AddPoint("9", 1, 2);
    job.AddPoint("A1", 3, 4);
    ASSERT_TRUE(GenerateRawData(job, job.raw, false));
    const auto lines = LineTexts(job);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[1], "CO,Dist Units: Feet US");
    EXPECT_EQ(lines[3], "CO,Zero azimuth: South");
    EXPECT_EQ(lines[5], "CO,Scale Factor: 0.999956710");
    EXPECT_EQ(lines[11].substr(0, 5), "MP,9,");
    EXPECT_EQ(lines[12], "MP,10,2000.0,1000.0,100.0,TEN");
    EXPECT_EQ(lines[13].substr(0, 6), "MP,A1,");

    job.settings.SetScaleFactor(1.0);
    ReduceRawData(job, job.raw, false, false, nullptr, nullptr);
    EXPECT_EQ(job.settings.GetScaleFactor(), 0.99995671);
}

TEST(JobRawDataFileTest, SettingsCommentsOfTheChangedSettingsAreLogged)
{
    RawJob job;
    GenerateRawData(job, job.raw, false);
    const size_t before = job.GetHistoryList().size();
    SettingsChangeFlags flags;
    flags.azimuthFormat = true;
    AppendSettingsComments(job, job.raw, flags);
    EXPECT_EQ(job.Text(11), "CO,Zero azimuth: North");
    EXPECT_EQ(job.Text(12), "CO,Coord Order: NEZ");
    ASSERT_EQ(job.GetHistoryList().size(), before + 2);
    EXPECT_NE(job.GetHistoryList()[before].find("Added 'CO,Zero azimuth: North' to raw data at line #12"),
              std::string::npos);
}

TEST(JobRawDataFileTest, RawDataFromPointsIsWrittenToThePath)
{
    TempDir dir;
    RawJob job;
    job.settings.SetDistanceUnit(0);
    job.AddPoint("1", 2000, 1000, 50);
    ASSERT_TRUE(CreateRawDataFromPoints(job, job.raw, dir.file("export.Mvr")));
    const std::string text = morvel::test::ReadAllText(dir.file("export.Mvr"));
    EXPECT_EQ(text.rfind("CO,Nikon RAW data format V2.00\r\nCO,Dist Units: Metres\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nMP,1,1000.0,2000.0,50.0,\r\n"), std::string::npos);
    EXPECT_FALSE(CreateRawDataFromPoints(job, job.raw, dir.file("no/such/folder.Mvr")));
}

} // namespace
