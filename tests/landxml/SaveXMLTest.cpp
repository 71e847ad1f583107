#include "TestUtil.h"
#include "landxml/FSDataFileSaveXML.h"
#include "model/DataFileSelOperator.h"
#include "model/Selection.h"
#include "model/TestJobDoc.h"
#include "platform/MessageBox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::TestJobDoc;
using morvel::test::WriteAllText;

// Records every message box and answers OK.
struct MessageLog
{
    MessageLog()
    {
        previous = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~MessageLog() { SetMessageBoxHandler(previous); }
    MessageBoxHandler previous;
    std::vector<std::string> texts;
};

// The header as written, from line 3 on (the date and time of line 2 vary).
std::string HeaderTail(const std::string& project, const std::string& unitsLine)
{
    return "<Project name=\"" + project + "\"/>\r\n<Units>\r\n" + unitsLine +
           "\r\n</Units>\r\n<Application name=\"Morvel\" manufacturer=\"QuorelVantisMarcato\" version=\"1.0.0\" "
           "manufacturerURL=\"https://www.kvl.example/\"/>\r\n";
}

const char* const kMetricDegrees =
    "<Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" temperatureUnit=\"celsius\" "
    "pressureUnit=\"mmHG\" angularUnit=\"decimal degrees\" directionUnit=\"decimal degrees\"/>";

std::string Line2Prefix()
{
    return "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.0\"  "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xsi:schemaLocation=\"http://www.landxml.org/schema/LandXML-1.0 "
           "http://www.landxml.org/schema/LandXML-1.0/LandXML-1.0.xsd\" version=\"1.0\" date=\"";
}

TEST(LandXMLExport, ExactTextOfOneSelectedPoint)
{
    TempDir dir;
    TestJobDoc job;
    CPointRecord* p1 = job.AddPoint("P1", 2000.0, 1000.0, 10.0);
    p1->SetDescription("TREE");
    job.AddPoint("P2", 1.0, 2.0);
    job.GetSelOperator()->Select(p1);

    FSDataFileSaveXML writer;
    writer.SetExportOptions(false, true);
    int count = -1;
    const std::string path = dir.file("out.xml");
    ASSERT_TRUE(writer.WriteFile(path, FSDataFileSaveXML::kUnitMetres, &job, count));
    EXPECT_EQ(count, 1);

    const std::string text = ReadAllText(path);
    const std::string start = "<?xml version=\"1.0\"?>\r\n" + Line2Prefix();
    ASSERT_EQ(text.substr(0, start.size()), start);
    // date="YYYY-MM-DD" time="HH:MM:SS" follow, then the fixed rest of the line.
    const std::size_t afterDate = start.size() + 10;
    EXPECT_EQ(text.substr(afterDate, 8), "\" time=\"");
    const std::size_t afterTime = afterDate + 8 + 8;
    const std::string lineEnd = "\" readOnly=\"false\" language=\"English\">\r\n";
    ASSERT_EQ(text.substr(afterTime, lineEnd.size()), lineEnd);
    const std::string rest = text.substr(afterTime + lineEnd.size());
    EXPECT_EQ(rest, HeaderTail("", kMetricDegrees) +
                        "<CgPoints name=\"0\">\r\n<CgPoint name=\"P1\" desc=\"TREE\">\r\n"
                        "1000.000000 2000.000000 10.000000</CgPoint>\r\n</CgPoints>\r\n</LandXML>");
}

TEST(LandXMLExport, UnitsDescriptionModesEscapingAndSkippedPoints)
{
    TempDir dir;
    TestJobDoc job;
    job.settings.SetAngleUnit(1);
    job.SetPathName(dir.file("R&D <1>.Mvj"), false);
    job.AddPoint("A", 2000.0, 1000.0);
    CPointRecord* quoted = job.AddPoint("B", 1.0, 2.0, 3.0);
    quoted->SetDescription("a\"b&c<d'e>");
    job.AddPoint("C", NoValue, 5.0, 1.0); // no easting: nothing to write

    struct Case
    {
        int unit;
        int mode;
        const char* unitsLine;
        const char* firstPoint;
        const char* secondPoint;
    };
    const Case cases[] = {
        {FSDataFileSaveXML::kUnitUSSurveyFoot, 0,
         "<Imperial linearUnit=\"USSurveyFoot\" areaUnit=\"squareFoot\" volumeUnit=\"cubicFeet\" "
         "temperatureUnit=\"fahrenheit\" pressureUnit=\"inchHG\" angularUnit=\"grads\" directionUnit=\"grads\"/>",
         "<CgPoint name=\"A\" code=\"\">\r\n3280.833333 6561.666667</CgPoint>\r\n",
         "<CgPoint name=\"B\" code=\"a&quot;b&amp;c&lt;d&apos;e&gt;\">\r\n"
         "6.561667 3.280833 9.842500</CgPoint>\r\n"},
        {FSDataFileSaveXML::kUnitInternationalFoot, 2,
         "<Imperial linearUnit=\"foot\" areaUnit=\"squareFoot\" volumeUnit=\"cubicFeet\" "
         "temperatureUnit=\"fahrenheit\" pressureUnit=\"inchHG\" angularUnit=\"grads\" directionUnit=\"grads\"/>",
         "<CgPoint name=\"A\">\r\n3280.839895 6561.679790</CgPoint>\r\n",
         "<CgPoint name=\"B\">\r\n6.561680 3.280840 9.842520</CgPoint>\r\n"},
        {7, 1,
         "<Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" temperatureUnit=\"celsius\" "
         "pressureUnit=\"mmHG\" angularUnit=\"grads\" directionUnit=\"grads\"/>",
         "<CgPoint name=\"A\" desc=\"\">\r\n1000.000000 2000.000000</CgPoint>\r\n",
         "<CgPoint name=\"B\" desc=\"a&quot;b&amp;c&lt;d&apos;e&gt;\">\r\n2.000000 1.000000 3.000000</CgPoint>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        FSDataFileSaveXML writer;
        writer.SetDescriptionMode(c.mode);
        int count = 0;
        const std::string path = dir.file("units.xml");
        ASSERT_TRUE(writer.WriteFile(path, c.unit, &job, count));
        EXPECT_EQ(count, 2);
        const std::string text = ReadAllText(path);
        const std::string tail = HeaderTail("R&amp;D &lt;1&gt;.Mvj", c.unitsLine) + "<CgPoints name=\"0\">\r\n" +
                                 c.firstPoint + c.secondPoint + "</CgPoints>\r\n</LandXML>";
        ASSERT_GE(text.size(), tail.size());
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    }
}

TEST(LandXMLExport, EmptyJobAndFailures)
{
    TempDir dir;
    TestJobDoc job;
    FSDataFileSaveXML writer;
    int count = -1;
    const std::string path = dir.file("empty.xml");
    ASSERT_TRUE(writer.WriteFile(path, 0, &job, count));
    EXPECT_EQ(count, 0);
    const std::string text = ReadAllText(path);
    const std::string end = "manufacturerURL=\"https://www.kvl.example/\"/>\r\n</LandXML>";
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
    EXPECT_EQ(text.find("CgPoints"), std::string::npos);

    // A folder that does not exist: the user is told, nothing is written.
    MessageLog log;
    EXPECT_FALSE(writer.WriteFile(dir.file("missing/out.xml"), 0, &job, count));
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], "Save failed, try again");

    // A write that fails part-way (no file may grow past 64 bytes): the old file stays, the
    // reason is told and nothing is counted.
    WriteAllText(path, "old");
    morvel::test::RunWithFileSizeLimit(64, [&] {
        log.texts.clear();
        count = -1;
        EXPECT_FALSE(writer.WriteFile(path, 0, &job, count));
        EXPECT_EQ(count, 0);
        EXPECT_THAT(log.texts, testing::ElementsAre("Unable to write \"" + path + "\".\n" + std::strerror(EFBIG)));
    });
    EXPECT_EQ(ReadAllText(path), "old");

    // No temporary file is left beside the target.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(LandXMLExport, HeaderDateIsTheJobFilesTime)
{
    TempDir dir;
    TestJobDoc job;
    const std::string jobPath = dir.file("job.Mvj");
    WriteAllText(jobPath, "x");
    job.SetPathName(jobPath, false);
    FSDataFileSaveXML writer;
    int count = 0;
    const std::string path = dir.file("out.xml");
    ASSERT_TRUE(writer.WriteFile(path, 0, &job, count));
    struct stat info {};
    ASSERT_EQ(::stat(jobPath.c_str(), &info), 0);
    std::tm local {};
    localtime_r(&info.st_mtime, &local);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    EXPECT_NE(ReadAllText(path).find(std::string("date=\"") + date + "\""), std::string::npos);
}

} // namespace
