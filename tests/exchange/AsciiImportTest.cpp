#include "ImportTestUtil.h"

#include "core/NoValue.h"
#include "core/Report.h"
#include "core/UnitConstants.h"
#include "exchange/CoordinateImport.h"
#include "model/DataFileUndoManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace morvel::test;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const std::vector<uint16_t> kDefaultColumns = {0, 1, 2, 3, 4};

struct Imported
{
    bool ok = false;
    int32_t count = -1;
};

Imported ImportText(TestJobDoc& job, const std::string& text, const std::string& delimiter = ",",
                    int32_t unit = 0, bool rename = false, CReport* report = nullptr,
                    const std::vector<uint16_t>& columns = kDefaultColumns)
{
    TempDir dir;
    WriteAllText(dir.file("points.txt"), text);
    Imported result;
    result.ok = ImportAsciiCoordinates(&job, dir.file("points.txt"), columns, delimiter, unit, report, rename,
                                       &result.count);
    return result;
}

} // namespace

TEST(AsciiImport, LineRules)
{
    ImportSettings settings;
    struct Case
    {
        const char* name;
        const char* line;
        const char* delimiter;
        bool taken;
        double northing, easting, elevation;
        const char* description;
    };
    const Case cases[] = {
        {"name northing easting", "P1,1000,2000", ",", true, 1000, 2000, NoValue, ""},
        {"all five, blanks around fields", " P1 , 1000.5 ,2000.25, 7.5 , fence post ", ",", true, 1000.5, 2000.25,
         7.5, "fence post"},
        {"blank elevation field after a comma", "P1,1000,2000, ", ",", true, 1000, 2000, NoValue, ""},
        {"empty elevation field then a description", "P1,1000,2000,,CP", ",", true, 1000, 2000, NoValue, "CP"},
        {"empty northing", "P1,,2000", ",", false, 0, 0, 0, ""},
        {"empty easting", "P1,1000,,5", ",", false, 0, 0, 0, ""},
        {"blank easting", "P1,1000, ,5", ",", false, 0, 0, 0, ""},
        {"no easting at all", "P1,1000", ",", false, 0, 0, 0, ""},
        {"trailing text after a number", "P1,1000m,2000", ",", false, 0, 0, 0, ""},
        {"elevation that is not a number", "P1,1000,2000,high", ",", false, 0, 0, 0, ""},
        {"overflowing coordinate", "P1,1e400,2000", ",", false, 0, 0, 0, ""},
        {"comma as decimal point", "P1,1000,5,2000", ",", true, 1000, 5, 2000, ""},
        {"runs of spaces are one separator", "P1   1000    2000  3", " ", true, 1000, 2000, 3, ""},
        {"runs of tabs are one separator", "P1\t\t1000\t2000\t\t\t3\tTREE", "\t", true, 1000, 2000, 3, "TREE"},
        {"fields beyond the columns are ignored", "P1,1,2,3,D,extra,more", ",", true, 1, 2, 3, "D"},
        {"empty name", ",1000,2000", ",", false, 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestJobDoc job;
        MessageLog messages;
        const Imported result = ImportText(job, std::string(c.line) + "\r\n", c.delimiter);
        ASSERT_TRUE(result.ok);
        EXPECT_THAT(messages.texts, IsEmpty());
        EXPECT_EQ(result.count, c.taken ? 1 : 0);
        if (!c.taken) {
            EXPECT_THAT(PointNames(job), IsEmpty());
            continue;
        }
        const CPointRecord* p = Point(job, "P1");
        ASSERT_NE(p, nullptr);
        EXPECT_DOUBLE_EQ(p->GetNorthing(), c.northing);
        EXPECT_DOUBLE_EQ(p->GetEasting(), c.easting);
        if (c.elevation == NoValue)
            EXPECT_FALSE(HasValue(p->GetElevation()));
        else
            EXPECT_DOUBLE_EQ(p->GetElevation(), c.elevation);
        EXPECT_STREQ(p->GetDescription(), c.description);
    }
}

TEST(AsciiImport, ColumnOrderAndUncheckedColumns)
{
    ImportSettings settings;
    TestJobDoc job;
    // Easting before northing, no elevation column.
    const Imported r = ImportText(job, "5,200,100,STAKE\n", ",", 0, false, nullptr, {0, 2, 1, 4});
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.count, 1);
    const CPointRecord* p = Point(job, "5");
    EXPECT_DOUBLE_EQ(p->GetEasting(), 200);
    EXPECT_DOUBLE_EQ(p->GetNorthing(), 100);
    EXPECT_FALSE(HasValue(p->GetElevation()));
    EXPECT_STREQ(p->GetDescription(), "STAKE");
}

TEST(AsciiImport, UnitsConvertWithTheExactFactors)
{
    ImportSettings settings;
    const double values[] = {100.0, 1234567.891, 0.001, -52.25};
    for (double v : values) {
        const std::string n = std::to_string(v);
        const std::string line = "P," + n + "," + n + "," + n + "\n";
        for (int32_t unit : {0, 1, 2}) {
            SCOPED_TRACE(line + " unit " + std::to_string(unit));
            TestJobDoc job;
            ASSERT_EQ(ImportText(job, line, ",", unit).count, 1);
            const double read = std::stod(n);
            const double expected = unit == 0 ? read : read * (unit == 1 ? 0.3048 : 0.30480060960121924);
            const CPointRecord* p = Point(job, "P");
            // Bit for bit: the literals, not 1200/3937, which differs in the last place.
            EXPECT_EQ(p->GetNorthing(), expected);
            EXPECT_EQ(p->GetEasting(), expected);
            EXPECT_EQ(p->GetElevation(), expected);
        }
    }
    TestJobDoc job;
    ASSERT_EQ(ImportText(job, "P,100,200\n", ",", 1).count, 1);
    EXPECT_EQ(Point(job, "P")->GetNorthing(), 30.48);
    EXPECT_FALSE(HasValue(Point(job, "P")->GetElevation()));

    TestJobDoc other;
    const Imported unknown = ImportText(other, "P,100,200\n", ",", 3);
    EXPECT_TRUE(unknown.ok);
    EXPECT_EQ(unknown.count, 0);
}

TEST(AsciiImport, LineEndsBlankLinesAndNul)
{
    ImportSettings settings;
    const char* texts[] = {
        "A,1,2\r\nB,3,4\r\nC,5,6\r\n",
        "A,1,2\nB,3,4\nC,5,6",
        "A,1,2\rB,3,4\rC,5,6\r",
        "\r\n\r\nA,1,2\r\n\r\n\n\nB,3,4\n\r\rC,5,6\n\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        TestJobDoc job;
        EXPECT_EQ(ImportText(job, text).count, 3);
        EXPECT_THAT(PointNames(job), ElementsAre("A", "B", "C"));
    }
    TestJobDoc job;
    EXPECT_EQ(ImportText(job, std::string("A,1,2\nB,3,4\n\0C,5,6\n", 19)).count, 2);
    EXPECT_THAT(PointNames(job), ElementsAre("A", "B"));
}

TEST(AsciiImport, OverwriteKeepsTheJobsNameAndLogsEveryPoint)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("p1", 1, 1, 1);
    const int32_t linesBefore = int32_t(job.rawData.lines.size());
    CReport report;
    const Imported r = ImportText(job, "P1,10,20,30,NEW\nP2,40,50\n", ",", 0, false, &report);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.count, 2);
    EXPECT_THAT(PointNames(job), ElementsAre("p1", "P2"));
    const CPointRecord* p = Point(job, "p1");
    EXPECT_DOUBLE_EQ(p->GetNorthing(), 10);
    EXPECT_DOUBLE_EQ(p->GetEasting(), 20);
    EXPECT_DOUBLE_EQ(p->GetElevation(), 30);
    EXPECT_STREQ(p->GetDescription(), "NEW");
    // One input-point line per merged point, new or overwritten, under the job's name.
    EXPECT_EQ(int32_t(job.rawData.lines.size()), linesBefore + 2);
    const auto mp = InputPointLines(job);
    ASSERT_EQ(mp.size(), 2u);
    EXPECT_EQ(mp[0].substr(0, 6), "MP,p1,");
    EXPECT_EQ(mp[1].substr(0, 6), "MP,P2,");

    ASSERT_EQ(report.GetSections().size(), 2u);
    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Imported Coordinates"));
    EXPECT_EQ(report.GetCell(0, 0, 0).rfind("Coordinates imported from:  /", 0), 0u);
    const CReportSection& rows = *report.GetSections()[1];
    ASSERT_EQ(rows.columns.size(), 6u);
    EXPECT_EQ(rows.columns[0].heading, "Point #");
    EXPECT_EQ(rows.columns[0].flags, 0x42);
    EXPECT_EQ(rows.columns[1].heading, "Northing");
    EXPECT_EQ(rows.columns[2].heading, "Easting");
    EXPECT_EQ(rows.columns[3].heading, "Elevation");
    EXPECT_EQ(rows.columns[4].heading, "Description");
    EXPECT_EQ(rows.columns[4].flags, 0x12);
    EXPECT_EQ(rows.columns[5].heading, "Action");
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[0][0], "p1");
    EXPECT_EQ(rows.rows[0][5], "Replaced Existing");
    EXPECT_EQ(rows.rows[1][0], "P2");
    EXPECT_EQ(rows.rows[1][3], "---");
    EXPECT_EQ(rows.rows[1][5], "Imported");
}

TEST(AsciiImport, RenameRulesReportTheNameRead)
{
    ImportSettings settings;
    settings.settings.SetRenameOption(1); // rename only when a name is taken
    TestJobDoc job;
    job.AddPoint("P1", 1, 1);
    CReport report;
    const Imported r = ImportText(job, "P1,10,20\nP2,30,40\n", ",", 0, true, &report);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.count, 2);
    EXPECT_THAT(PointNames(job), ElementsAre("A_P1", "A_P2", "P1"));
    EXPECT_DOUBLE_EQ(Point(job, "P1")->GetNorthing(), 1);
    const CReportSection& rows = *report.GetSections()[1];
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[0][0], "A_P1");
    EXPECT_EQ(rows.rows[0][5], "Renamed (from P1)");
    EXPECT_EQ(rows.rows[1][5], "Renamed (from P2)");

    // Without a conflict every name stays, and the rows say "Imported".
    TestJobDoc empty;
    CReport second;
    ASSERT_EQ(ImportText(empty, "P1,10,20\n", ",", 0, true, &second).count, 1);
    EXPECT_THAT(PointNames(empty), ElementsAre("P1"));
    EXPECT_EQ(second.GetSections()[1]->rows[0][5], "Imported");
}

TEST(AsciiImport, RenameRulesSkipLinesWhoseNameTheyDidNotTake)
{
    // Leading blanks, runs of blanks and invalid names used to end the import half-way.
    ImportSettings settings;
    settings.settings.SetRenameOption(1);
    TestJobDoc job;
    MessageLog messages;
    const Imported r =
        ImportText(job, "  P1   10   20\nbad-name 1 2\nP2 30 40\nTHIS_NAME_IS_17CH 5 6\n   P3  7   8\n", " ", 0, true);
    ASSERT_TRUE(r.ok);
    EXPECT_THAT(messages.texts, IsEmpty());
    EXPECT_EQ(r.count, 3);
    EXPECT_THAT(PointNames(job), ElementsAre("P1", "P2", "P3"));
    EXPECT_EQ(InputPointLines(job).size(), 3u);
}

TEST(AsciiImport, RefusedPointsLeaveNoTrace)
{
    ImportSettings settings;
    TestJobDoc job;
    CReport report;
    // Overwrite: a name the job cannot hold is refused by the job.
    const Imported r = ImportText(job, "P-1,1,2\nP2,3,4\n", ",", 0, false, &report);
    EXPECT_EQ(r.count, 1);
    EXPECT_THAT(PointNames(job), ElementsAre("P2"));
    EXPECT_EQ(InputPointLines(job).size(), 1u);
    EXPECT_EQ(report.GetSections()[1]->rows.size(), 1u);

    // Rename rules: one name twice in a file maps to one new name; the second add is refused.
    settings.settings.SetRenameOption(0);
    settings.settings.SetRenameRule(0);
    settings.settings.SetRenameStartNumber(100);
    TestJobDoc numbered;
    CReport second;
    const Imported twice = ImportText(numbered, "Q,1,2\nQ,3,4\nR,5,6\n", ",", 0, true, &second);
    EXPECT_EQ(twice.count, 2);
    EXPECT_EQ(PointNames(numbered).size(), 2u);
    EXPECT_EQ(InputPointLines(numbered).size(), 2u);
    EXPECT_EQ(second.GetSections()[1]->rows.size(), 2u);
}

TEST(AsciiImport, LongNamesAndDescriptionsAreCutToSixteen)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("ABCDEFGHIJKLMNOP", 1, 1);
    CReport report;
    const Imported r = ImportText(job, "ABCDEFGHIJKLMNOPQ,10,20,,A DESCRIPTION OF 28 CHARS\n", ",", 0, false, &report);
    ASSERT_EQ(r.count, 1);
    // The seventeen-character name overwrites the point it would be stored as.
    EXPECT_THAT(PointNames(job), ElementsAre("ABCDEFGHIJKLMNOP"));
    EXPECT_STREQ(Point(job, "ABCDEFGHIJKLMNOP")->GetDescription(), "A DESCRIPTION OF");
    EXPECT_EQ(report.GetSections()[1]->rows[0][4], "A DESCRIPTION OF");
    EXPECT_EQ(report.GetSections()[1]->rows[0][5], "Replaced Existing");

    TestJobDoc fresh;
    ASSERT_EQ(ImportText(fresh, "ABCDEFGHIJKLMNOPQ,10,20\n").count, 1);
    EXPECT_THAT(PointNames(fresh), ElementsAre("ABCDEFGHIJKLMNOP"));
}

TEST(AsciiImport, OneUndoStepTakesTheWholeImportBack)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("K", 5, 5, 5);
    job.SetModifiedWithText("", false, false);
    const int32_t lines = int32_t(job.rawData.lines.size());
    ASSERT_EQ(ImportText(job, "K,1,1\nN1,2,2\nN2,3,3\n").count, 3);
    CDataFileUndoManager& undo = *job.GetUndoManager();
    EXPECT_EQ(undo.GetStepCount(), 1);
    EXPECT_EQ(undo.GetUndoDescription(), "Import ASCII coordinates");
    ASSERT_TRUE(undo.Undo());
    EXPECT_THAT(PointNames(job), ElementsAre("K"));
    EXPECT_DOUBLE_EQ(Point(job, "K")->GetNorthing(), 5);
    EXPECT_EQ(int32_t(job.rawData.lines.size()), lines);
}

TEST(AsciiImport, FilesThatCannotBeRead)
{
    ImportSettings settings;
    TestJobDoc job;
    MessageLog messages;
    int32_t count = 7;
    EXPECT_FALSE(ImportAsciiCoordinates(&job, "/nonexistent/points.txt", kDefaultColumns, ",", 0, nullptr, false,
                                        &count));
    EXPECT_EQ(count, 0);
    TempDir dir;
    EXPECT_FALSE(ImportAsciiCoordinates(&job, dir.path().string(), kDefaultColumns, ",", 0, nullptr, false, &count));
    EXPECT_THAT(messages.texts, ElementsAre("Failed to open ASCII file.", "Failed to read ASCII file."));
    EXPECT_EQ(job.GetUndoManager()->GetStepCount(), 0);
    EXPECT_THAT(PointNames(job), IsEmpty());
}

TEST(AsciiImport, PublicPnezdSample)
{
    ImportSettings settings;
    TestJobDoc job;
    int32_t count = 0;
    ASSERT_TRUE(ImportAsciiCoordinates(&job, SharedTestDataPath("bezitopo_topo0_pnezd.asc"), kDefaultColumns, ",",
                                       0, nullptr, false, &count));
    EXPECT_EQ(count, 1311);
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), count);
    const CPointRecord* p = Point(job, "1");
    ASSERT_NE(p, nullptr);
    EXPECT_DOUBLE_EQ(p->GetNorthing(), 538542.57);
    EXPECT_DOUBLE_EQ(p->GetEasting(), 1455644.371);
    EXPECT_DOUBLE_EQ(p->GetElevation(), 681.31);
    EXPECT_STREQ(p->GetDescription(), "I");
    EXPECT_EQ(InputPointLines(job).size(), size_t(count));
}

namespace {

// A job that runs out of memory on the nth point added.
class FailingJob : public TestJobDoc
{
public:
    bool AddRecord(CRecord* record) override
    {
        if (++adds == failAt)
            throw std::bad_alloc();
        return TestJobDoc::AddRecord(record);
    }
    int adds = 0;
    int failAt = 1000000;
};

} // namespace

TEST(AsciiImport, AFailureHalfWayLeavesTheJobAsItWas)
{
    ImportSettings settings;
    FailingJob job;
    job.AddPoint("KEEP", 1, 2, 3);
    job.SetModifiedWithText("", false, false);
    const auto lines = job.rawData.lines;
    job.failAt = job.adds + 3;
    TempDir dir;
    WriteAllText(dir.file("points.txt"), "KEEP,9,9\nA,1,1\nB,2,2\nC,3,3\n");
    MessageLog messages;
    int32_t count = -1;
    EXPECT_FALSE(ImportAsciiCoordinates(&job, dir.file("points.txt"), kDefaultColumns, ",", 0, nullptr, false,
                                        &count));
    EXPECT_THAT(messages.texts, ElementsAre("There was an error reading the file " + dir.file("points.txt")));
    // The points merged before the failure went with the undo step, which is gone too.
    EXPECT_THAT(PointNames(job), ElementsAre("KEEP"));
    EXPECT_DOUBLE_EQ(Point(job, "KEEP")->GetNorthing(), 2);
    EXPECT_EQ(job.rawData.lines, lines);
    EXPECT_FALSE(job.GetUndoManager()->CanUndo());
    EXPECT_FALSE(job.GetUndoManager()->CanRedo());
    EXPECT_FALSE(job.IsModified());
}
