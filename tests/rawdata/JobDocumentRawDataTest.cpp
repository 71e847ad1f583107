// The job document with its real raw data: what it forwards reaches the container, and a
// received raw file becomes a job's points through the document.
#include "TestUtil.h"
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

} // namespace
