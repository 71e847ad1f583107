// The job document with its real raw data: what it forwards reaches the container, and a
// received raw file becomes a job's points through the document.
#include "TestUtil.h"
#include "core/NoValue.h"
#include "core/Report.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "rawdata/NikonRawDataFile.h"
#include "rawdata/RawDataFactory.h"
#include "rawdata/RawTextImport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

class RawDataFactoryScope
{
public:
    RawDataFactoryScope() : m_previous(InstallRawDataFactory()) {}
    ~RawDataFactoryScope() { SetJobRawDataFactory(std::move(m_previous)); }

private:
    JobRawDataFactory m_previous;
};

TEST(JobDocumentRawDataTest, TheDocumentForwardsToItsContainer)
{
    RawDataFactoryScope factory;
    morvel::test::TempDir dir;
    CMorvelFileDoc doc;
    auto* raw = dynamic_cast<CNikonRawDataFile*>(doc.GetRawDataFile());
    ASSERT_NE(raw, nullptr);
    doc.GetDocSettings()->SetDistanceUnit(0);
    ASSERT_TRUE(doc.GenerateRawData("", false));
    EXPECT_EQ(raw->GetLineCount(), 11);
    auto* point = new CPointRecord("12", "FENCE", CLocation(2000.5, 1000.25, 99.0), true);
    ASSERT_TRUE(doc.AddRecord(point));
    ASSERT_TRUE(doc.DeleteRecord(point, true));
    ASSERT_EQ(raw->GetLineCount(), 12);
    EXPECT_EQ(raw->GetRecord(11)->GetText(), "*MP,12,1000.25,2000.5,99.0,FENCE");

    ASSERT_TRUE(doc.WriteRawData(dir.file("job.Mvr"), false));
    CMorvelFileDoc back;
    ASSERT_TRUE(back.LoadRawDataFromText(dir.file("job.Mvr"), false));
    ASSERT_EQ(back.GetRawDataFile()->GetLineCount(), 12);
    EXPECT_EQ(dynamic_cast<CNikonRawDataFile*>(back.GetRawDataFile())->GetRecord(11)->GetText(),
              "*MP,12,1000.25,2000.5,99.0,FENCE");
}

TEST(JobDocumentRawDataTest, AReceivedRawFileBecomesTheJobsPoints)
{
    RawDataFactoryScope factory;
    morvel::test::TempDir dir;
    const std::string text = morvel::test::ReadAllText(morvel::test::SharedTestDataPath("geoeasy_nikon_dtm322_sample.raw"));
    JobSettingsValues settings;
    InitJobSettingsValues(settings);
    ReadJobSettingsFromRawText(settings, text);
    std::string output;
    EXPECT_EQ(ImportRawText(settings, text, output, false), "EXAMPLE5");
    morvel::test::WriteAllText(dir.file("job.Mvr"), output);

    CMorvelFileDoc doc;
    ASSERT_TRUE(doc.LoadRawDataFromText(dir.file("job.Mvr"), false));
    CReport report;
    std::vector<std::string> duplicates;
    doc.ReduceRawData(false, false, &report, &duplicates);
    EXPECT_EQ(doc.GetRecordDatabase()->GetCount(kRecordTypePoint), 5);
    EXPECT_NE(doc.GetPointDatabase()->FindPoint("1003", true), nullptr);
    EXPECT_FALSE(report.IsEmpty());
    EXPECT_EQ(doc.GetDocSettings()->GetSurveyUnits(), 0) << "the raw data's metres";
}

// An input-point line is printed into room sized from its texts: texts that the line cleans, names
// it cannot file, the longest record texts, numbers with no value, past the six-decimal range or
// rounding to nothing, in metres and in feet, all give the line and the filing they always gave,
// bit for bit what the typed record's way gives. The lines go one after another into one job, so
// room a line hands back is never another's.
TEST(JobDocumentRawDataTest, InputPointLinesKeepTheirTextsAndFilingsAtTheEdges)
{
    RawDataFactoryScope factory;
    const char* const longDescription = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
    struct Row
    {
        int unit;
        const char* name;
        std::string description;
        CLocation at;
        bool deleted;
        std::string line;
        bool filed;
        CLocation filedAt = {}; // metres, as the line's text reads back
    };
    const Row rows[] = {
        {0, "A1", "X,Y\r\nZ", {2000.5, 1000.25, 99.0}, false, "MP,A1,1000.25,2000.5,99.0,X Y  Z", true, {2000.5, 1000.25, 99.0}},
        {0, "P2", "", {2000.0, 1000.0, NoValue}, false, "MP,P2,1000.0,2000.0,,", true, {2000.0, 1000.0, NoValue}},
        {0, "BIG", "far", {5e9, -4e9 - 0.5, 1e200}, false, "MP,BIG,,5000000000.0,1.000000e+200,far", false},
        {0, "T3", "tiny", {-1e-7, -0.0000005, 0.0000015}, true, "*MP,T3,0.0,0.0,0.000002,tiny", false},
        {0, "A,B", " lead", {1.0, 2.0, 3.0}, false, "MP,A B,2.0,1.0,3.0, lead", false},
        {0, " sp ", "tab\t", {1.5, 2.5, 3.5}, false, "MP, sp ,2.5,1.5,3.5,tab\t", false},
        {0, "ABCDEFGHIJKLMNOP", longDescription, {538123.4567891, 1455000.0000005, 680.1}, false,
         std::string("MP,ABCDEFGHIJKLMNOP,1455000.0,538123.456789,680.1,") + longDescription, true,
         {538123.456789, 1455000.0, 680.1}},
        {0, "Z5", "", {0.0, -0.0, 0.0}, false, "MP,Z5,0.0,0.0,0.0,", true, {0.0, 0.0, 0.0}},
        {1, "A1", "X,Y\r\nZ", {2000.5, 1000.25, 99.0}, false, "MP,A1,3281.660105,6563.32021,324.80315,X Y  Z", true},
        {1, "BIG", "far", {5e9, -4e9 - 0.5, 1e200}, false, "MP,BIG,,16404199475.065615,3.280840e+200,far", false},
        {1, "T3", "tiny", {-1e-7, -0.0000005, 0.0000015}, true, "*MP,T3,-0.000002,0.0,0.000005,tiny", false},
        {1, "Z5", "", {1.0, 2.0, -0.0}, false, "MP,Z5,6.56168,3.28084,0.0,", true},
    };
    for (int unit = 0; unit <= 1; ++unit) {
        SCOPED_TRACE(testing::Message() << "unit " << unit);
        // The line's own way and the typed record's, each in a job of its own.
        CMorvelFileDoc doc, typedDoc;
        auto* raw = dynamic_cast<CNikonRawDataFile*>(doc.GetRawDataFile());
        auto* typedRaw = dynamic_cast<CNikonRawDataFile*>(typedDoc.GetRawDataFile());
        ASSERT_NE(raw, nullptr);
        ASSERT_NE(typedRaw, nullptr);
        for (CMorvelFileDoc* job : {&doc, &typedDoc}) {
            job->GetDocSettings()->SetDistanceUnit(unit);
            ASSERT_TRUE(job->GenerateRawData("", false));
        }
        std::vector<int32_t> lines;
        for (const Row& row : rows) {
            if (row.unit != unit)
                continue;
            CPointRecord point;
            point.SetName(row.name);
            point.SetDescription(row.description.c_str());
            point.SetLocation(row.at, true);
            std::string text, typedText;
            int32_t line = -1, typedLine = -1;
            ASSERT_TRUE(raw->AppendInputPoint(point, row.deleted, &text, &line)) << row.line;
            ASSERT_TRUE(typedRaw->CRawDataFile::AppendInputPoint(point, row.deleted, &typedText, &typedLine))
                << row.line;
            EXPECT_EQ(text, row.line);
            EXPECT_EQ(typedText, row.line);
            EXPECT_EQ(line, typedLine);
            lines.push_back(line);
        }
        size_t next = 0;
        for (const Row& row : rows) {
            if (row.unit != unit)
                continue;
            const int32_t line = lines[next++];
            EXPECT_EQ(raw->GetRecord(line)->GetText(), row.line);
            EXPECT_EQ(raw->GetRecord(line)->IsDeletedFlag(), row.deleted) << row.line;
            CLocation filed, typedFiled;
            EXPECT_EQ(raw->GetPointNameMap().GetPointLocation(row.name, &filed, line + 1), row.filed) << row.line;
            EXPECT_EQ(typedRaw->GetPointNameMap().GetPointLocation(row.name, &typedFiled, line + 1), row.filed);
            std::string description, typedDescription;
            raw->GetPointNameMap().GetPointDescription(row.name, &description, line + 1);
            typedRaw->GetPointNameMap().GetPointDescription(row.name, &typedDescription, line + 1);
            EXPECT_EQ(description, typedDescription) << row.line;
            if (!row.filed)
                continue;
            // Bit for bit: a sign or the last bit of a conversion would show.
            const std::pair<double, double> coordinates[] = {
                {filed.x, typedFiled.x}, {filed.y, typedFiled.y}, {filed.z, typedFiled.z}};
            for (const auto& [got, want] : coordinates)
                EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << row.line << ": " << got << " " << want;
            if (unit == 0) {
                EXPECT_EQ(filed.x, row.filedAt.x) << row.line;
                EXPECT_EQ(filed.y, row.filedAt.y) << row.line;
                EXPECT_EQ(filed.z, row.filedAt.z) << row.line;
            }
        }
    }
}

} // namespace
