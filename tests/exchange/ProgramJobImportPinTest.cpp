// An ASCII import into a job with its real raw data, pinned to the exact bytes it gave before the
// import path was made faster: the input-point lines, what the raw name map files for each name,
// the history, the report rows, the job after the import is undone and after a logged deletion.
#include "TestUtil.h"
#include "core/Report.h"
#include "exchange/CoordinateImport.h"
#include "exchange/PointMerge.h"
#include "model/DataFileUndoManager.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "rawdata/NikonRawDataFile.h"
#include "rawdata/RawDataFactory.h"
#include "rawdata/RawPointNameMap.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Halves at the sixth decimal, values below and beyond what "%f" shows, negative zero, a missing
// elevation, long names and descriptions, a name taken twice.
constexpr const char* kAwkward = "1,100.5,200.25,10.125,CP\r\n"
                                 "2,0.0000005,0.0000015,-0.0,HALF\r\n"
                                 "3,1e-7,-1e-7,,NOZ\r\n"
                                 "4,1000000000000000,-1000000000000000,1e15,BIG\r\n"
                                 "5,1e200,-1e170,1,HUGE\r\n"
                                 "ABCDEFGHIJKLMNOPQRSTU,1,2,3,a description longer than sixteen\r\n"
                                 "1,5,6,7,again\r\n"
                                 "6,-2.5e-6,2.0000005,3.9999995,EDGE\r\n"
                                 "7,12345678.1234565,0.1,0.2,  spaced  \r\n"
                                 "8,-0.0000004,0.3333333333,-1234.5678905,TAB\tIN\r\n";
// Commas and blanks the raw line turns into field breaks and trims.
constexpr const char* kSemicolons = "9;1;2;3;ends with comma,\r\n"
                                    "10;1;2;3;,starts, with comma\r\n"
                                    "C,D;4;5;6;x\r\n"
                                    "E, ;7;8;9; , \r\n";

std::string Bits(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a|", v);
    return buffer;
}

struct Scope
{
    Scope() : previous(InstallRawDataFactory())
    {
        box = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        settings.SetXCaption("Easting");
        settings.SetYCaption("Northing");
        settings.SetZCaption("Elevation");
        settings.SetCoordOrder(true);
        SetMorvelSettings(&settings);
    }
    ~Scope()
    {
        SetMorvelSettings(nullptr);
        SetMessageBoxHandler(std::move(box));
        SetJobRawDataFactory(std::move(previous));
    }
    CMorvelSettings settings;
    JobRawDataFactory previous;
    MessageBoxHandler box;
};

// Lines from `from` on, each name's filed copies, the history without its time stamps.
uint64_t JobDigest(CMorvelFileDoc& doc, int32_t from)
{
    auto* raw = dynamic_cast<CNikonRawDataFile*>(doc.GetRawDataFile());
    uint64_t digest = morvel::test::Fnv1aOffset;
    std::vector<std::string> names;
    for (int32_t line = from; line < raw->GetLineCount(); ++line) {
        const std::string& text = raw->GetRecord(line)->GetText();
        digest = morvel::test::Fnv1a(text + "\n", digest);
        const size_t start = text.find(',') + 1;
        names.push_back(text.substr(start, text.find(',', start) - start));
    }
    for (const std::string& name : names) {
        const CRawPointNameMap::PointList* list = nullptr;
        if (!raw->GetPointNameMap().Lookup(name, &list))
            continue;
        for (const CRawPointNameMap::Copy& copy : *list)
            digest = morvel::test::Fnv1a(Bits(copy.location.x) + Bits(copy.location.y) + Bits(copy.location.z) +
                                             raw->GetPointNameMap().DescriptionOf(copy) + "|" +
                                             std::to_string(copy.lineAndDeleted),
                                         digest);
    }
    for (const std::string& line : doc.GetHistoryList())
        digest = morvel::test::Fnv1a(line.substr(20) + "\n", digest);
    return digest;
}

uint64_t ReportDigest(const CReport& report)
{
    uint64_t digest = morvel::test::Fnv1aOffset;
    const size_t section = report.GetSections().size() - 1;
    for (int32_t row = 0; row < report.GetRowCount(); ++row)
        for (int32_t column = 0; column < 6; ++column)
            digest = morvel::test::Fnv1a(report.GetCell(section, column, row) + "|", digest);
    return digest;
}

TEST(ProgramJobImportPin, ReportRawLinesNameMapHistoryAndUndoStayByteForByte)
{
    struct Case
    {
        int32_t jobUnit;  // the raw data's distance unit
        int32_t fileUnit; // the file's
        uint64_t afterImport, report, afterUndo, afterDelete;
    };
    const Case cases[] = {
        {0, 0, 0xa934ef36a271faefull, 0xbd07ad1bdaed7e5full, 0x702de49da118327eull, 0x177353d5c03f8f41ull},
        {2, 0, 0xa587356f0448de59ull, 0x60c706baab19c7f3ull, 0xc453427f09ac557ull, 0x32ef793d6a13c94cull},
        {1, 1, 0x7e8affa85577dd77ull, 0xbd07ad1bdaed7e5full, 0x1772b3a5c9adadc9ull, 0x6f33f5e2431dd419ull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.jobUnit * 10 + c.fileUnit);
        Scope scope;
        morvel::test::TempDir dir;
        CMorvelFileDoc doc;
        doc.GetDocSettings()->SetDistanceUnit(c.jobUnit);
        ASSERT_TRUE(doc.GenerateRawData("", false));
        const int32_t from = doc.GetRawDataFile()->GetLineCount();
        int32_t count = 0;
        ASSERT_TRUE(ImportAsciiCoordinates(&doc, morvel::test::SharedTestDataPath("bezitopo_topo0_pnezd.asc"),
                                           {0, 1, 2, 3, 4}, ",", c.fileUnit, nullptr, false, &count));
        ASSERT_EQ(count, 1311);
        doc.ClearHistoryList();

        morvel::test::WriteAllText(dir.file("awkward.csv"), kAwkward);
        CReport report;
        CPointMerge::BeginReport(report, "awkward.csv");
        ASSERT_TRUE(ImportAsciiCoordinates(&doc, dir.file("awkward.csv"), {0, 1, 2, 3, 4}, ",", c.fileUnit,
                                           &report, false, &count));
        morvel::test::WriteAllText(dir.file("semicolons.csv"), kSemicolons);
        ASSERT_TRUE(ImportAsciiCoordinates(&doc, dir.file("semicolons.csv"), {0, 1, 2, 3, 4}, ";", c.fileUnit,
                                           &report, false, &count));
        const uint64_t afterImport = JobDigest(doc, from);
        const CRawPointNameMap::PointList* copies = nullptr;
        auto* raw = dynamic_cast<CNikonRawDataFile*>(doc.GetRawDataFile());
        ASSERT_TRUE(raw->GetPointNameMap().Lookup("1", &copies));
        EXPECT_EQ(copies->size(), 3u) << "the sample's point 1 and the file's twice";
        const uint64_t reportDigest = ReportDigest(report);

        ASSERT_TRUE(doc.GetUndoManager()->Undo());
        ASSERT_TRUE(doc.GetUndoManager()->Undo());
        const uint64_t afterUndo = JobDigest(doc, from);

        CPointRecord* two = doc.GetPointDatabase()->FindPoint("2", true);
        ASSERT_NE(two, nullptr);
        ASSERT_TRUE(doc.DeleteRecord(two, true));
        const uint64_t afterDelete = JobDigest(doc, from);
        EXPECT_EQ(afterImport, c.afterImport);
        EXPECT_EQ(reportDigest, c.report);
        EXPECT_EQ(afterUndo, c.afterUndo);
        EXPECT_EQ(afterDelete, c.afterDelete);
    }
}

} // namespace
