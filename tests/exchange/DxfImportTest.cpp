#include "ImportTestUtil.h"
#include "FakeView.h"
#include "dxf/DxfTestUtil.h"

#include "core/NoValue.h"
#include "core/Report.h"
#include "exchange/FSDataFileDXF.h"
#include "exchange/ImportCommands.h"
#include "exchange/dxf/DxfBlock.h"
#include "exchange/dxf/DxfEntity.h"
#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfReader.h"
#include "exchange/dxf/DxfRecords.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace morvel::test;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

struct Attribute
{
    std::string tag;
    std::string value;
};

struct Insert
{
    std::vector<Attribute> attributes;
    std::string x = "10", y = "20", z = "3";
    std::string block = "PT";
};

// Block PT holds one POINT (and an attribute definition), block RING a POINT and a CIRCLE, TWO two
// POINTs, LABEL a POINT and a TEXT.
std::string PointBlockDrawing(const std::vector<Insert>& inserts, const DxfPairs& more = {})
{
    const DxfPairs blocks = {{0, "BLOCK"}, {2, "PT"}, {0, "POINT"}, {10, "0"}, {20, "0"}, {30, "0"},
                             {0, "ATTDEF"}, {2, "NAME"}, {3, "Name?"}, {1, ""}, {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "RING"}, {0, "POINT"}, {0, "CIRCLE"}, {40, "1"}, {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "TWO"}, {0, "POINT"}, {0, "POINT"}, {10, "1"}, {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "LABEL"}, {0, "POINT"}, {0, "TEXT"}, {1, "t"}, {0, "ENDBLK"}};
    DxfPairs entities;
    for (const Insert& insert : inserts) {
        entities.insert(entities.end(), {{0, "INSERT"}, {8, "PTS"}, {2, insert.block}, {10, insert.x},
                                         {20, insert.y}, {30, insert.z}});
        if (insert.attributes.empty())
            continue;
        entities.push_back({66, "1"});
        for (const Attribute& a : insert.attributes)
            entities.insert(entities.end(), {{0, "ATTRIB"}, {2, a.tag}, {1, a.value}});
        entities.push_back({0, "SEQEND"});
    }
    entities.insert(entities.end(), more.begin(), more.end());
    return DxfBlocksAndEntities(blocks, entities);
}

CPointBlockDefinition ByTags()
{
    CPointBlockDefinition definition;
    definition.RemoveAll();
    return definition;
}

CPointBlockDefinition Custom(const char* text)
{
    CPointBlockDefinition definition;
    definition.FromText(text);
    return definition;
}

struct Options
{
    bool pointBlocks = true;
    CPointBlockDefinition definition = ByTags();
    bool rename = false;
    int32_t unit = 0;
    CReport* report = nullptr;
};

int ImportDrawing(CDataFileDoc& job, const std::string& text, const Options& options = {})
{
    TempDir dir;
    WriteAllText(dir.file("d.dxf"), text);
    FSDataFileDXF filter;
    filter.SetImportOptions(options.rename, options.report != nullptr, options.report);
    filter.SetPointBlockDefinition(options.pointBlocks, options.definition);
    return filter.ImportFile(dir.file("d.dxf"), options.unit, &job);
}

std::vector<std::string> NamesOf(const std::string& text, const Options& options = {})
{
    TestJobDoc job;
    TempDir dir;
    WriteAllText(dir.file("d.dxf"), text);
    FSDataFileDXF filter;
    filter.SetPointBlockDefinition(options.pointBlocks, options.definition);
    std::vector<std::string> names;
    EXPECT_TRUE(filter.ReadPointNames(&job, dir.file("d.dxf"), names));
    return names;
}

} // namespace

TEST(DxfImport, PointBlocksByTheirTags)
{
    struct Case
    {
        const char* name;
        std::vector<Insert> inserts;
        std::vector<std::string> points;
        double z;           // of the first point
        const char* description;
    };
    const std::string seventeen = "ABCDEFGHIJKLMNOPQ";
    const Case cases[] = {
        {"a name tag is tried first for every attribute", {{{{"ELEVATION", "7"}, {"NAME", "P9"}}}}, {"P9"}, 7, ""},
        {"tags in any case", {{{{"point_number", "P1"}, {"Description", "CP"}, {"elev", "12.5"}}}}, {"P1"}, 12.5,
         "CP"},
        {"an unknown tag ends the scan: numbered", {{{{"ELEVATION", "7"}, {"CODE", "X"}, {"NAME", "P9"}}}}, {"1"}, 7,
         ""},
        {"a second elevation ends the scan", {{{{"ELEV", "4"}, {"ELEV", "5"}, {"NAME", "Q"}}}}, {"1"}, 4, ""},
        {"zeros only are no name", {{{{"NAME", "0000"}}}}, {}, 0, ""},
        {"seventeen characters are no name", {{{{"PNAME", seventeen}}}}, {}, 0, ""},
        {"a name with a blank is no name", {{{{"POINT", "P 1"}}}}, {}, 0, ""},
        {"an empty elevation is no elevation", {{{{"POINT NAME", "P2"}, {"ELEVATION", ""}}}}, {"P2"}, NoValue, ""},
        {"an elevation that is no number", {{{{"POINT_NAME", "P3"}, {"ELEV", "high"}}}}, {"P3"}, NoValue, ""},
        {"no attributes: the insertion height", {{{}}}, {"1"}, 3, ""},
        {"a circle in the block", {{{{"NAME", "P4"}}, "1", "2", "3", "RING"}}, {}, 0, ""},
        {"two points in the block", {{{{"NAME", "P4"}}, "1", "2", "3", "TWO"}}, {}, 0, ""},
        {"a text in the block", {{{{"NAME", "P4"}}, "1", "2", "3", "LABEL"}}, {}, 0, ""},
        {"a second name tag ends the scan", {{{{"NAME", "P6"}, {"PNAME", "P7"}, {"DESC", "D"}}}}, {"P6"}, 3, ""},
        {"an elevation beyond a double", {{{{"NAME", "P8"}, {"ELEV", "1e999"}}}}, {"P8"}, NoValue, ""},
        // Named and nameless together: every point block is numbered, so the count, the preview and
        // the rename map agree with what is imported.
        {"mixed named and nameless", {{{{"NAME", "P5"}}}, {{{"DESC", "D"}}, "11", "21"}}, {"1", "2"}, 3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportSettings settings;
        TestJobDoc job;
        MessageLog messages;
        const std::string text = PointBlockDrawing(c.inserts);
        ASSERT_EQ(ImportDrawing(job, text), 0);
        EXPECT_THAT(messages.texts, IsEmpty());
        EXPECT_EQ(PointNames(job), c.points);
        EXPECT_EQ(NamesOf(text), c.points);
        if (c.points.empty())
            continue;
        const CPointRecord* first = Point(job, c.points[0]);
        EXPECT_DOUBLE_EQ(first->GetEasting(), 10);
        EXPECT_DOUBLE_EQ(first->GetNorthing(), 20);
        EXPECT_DOUBLE_EQ(first->GetElevation(), c.z);
        EXPECT_STREQ(first->GetDescription(), c.description);
    }
}

TEST(DxfImport, EachReadLooksAtTheBlocksAfresh)
{
    // One filter over a drawing whose block changes between reads, as a later drawing's block can
    // take the place in memory of an earlier one: each read judges the block as it is now.
    TempDir dir;
    WriteAllText(dir.file("d.dxf"), PointBlockDrawing({Insert{}}));
    CDxfFile drawing;
    ASSERT_EQ(CDxfReader().ReadFile(dir.file("d.dxf"), &drawing), kDxfOk);
    CDxfBlock* block = nullptr;
    for (size_t i = 0; i < drawing.GetBlockCount(); ++i)
        if (drawing.GetBlock(i)->GetName() == "PT")
            block = drawing.GetBlock(i);
    ASSERT_NE(block, nullptr);
    FSDataFileDXF filter;
    filter.SetPointBlockDefinition(true, ByTags());
    std::vector<std::string> names;
    FSDXF::CollectedMap entities;
    filter.CollectPointBlocks(drawing, names, entities);
    EXPECT_THAT(names, ElementsAre("1"));
    auto circle = std::make_unique<DXFCircle>();
    const CDxfEntity* added = circle.get();
    block->AddEntity(std::move(circle));
    filter.CollectPointBlocks(drawing, names, entities);
    EXPECT_THAT(names, IsEmpty()) << "a block with a circle is no point block";
    block->RemoveEntities({added});
    filter.CollectPointBlocks(drawing, names, entities);
    EXPECT_THAT(names, ElementsAre("1"));
}

TEST(DxfImport, CustomDefinitionTakesAttributesInOrder)
{
    ImportSettings settings;
    const std::vector<Insert> three = {{{{"A", "A"}, {"B", "B"}, {"C", "8.25"}}}};
    const std::vector<Insert> two = {{{{"A", "A"}, {"B", "B"}}}};
    struct Case
    {
        const char* definition;
        const std::vector<Insert>* inserts;
        std::vector<std::string> points;
        double z;
        const char* description;
    };
    const Case cases[] = {
        {"N1 1E1D0", &three, {"A"}, 8.25, ""},
        {"N1 1E1D0", &two, {}, 0, ""},
        {"D1N1", &three, {"B"}, 3, "A"},
        // Without a checked name every point block is numbered; "A" is no elevation.
        {"E1N0D1", &three, {"1"}, NoValue, "B"},
        // A checked name whose attribute is no valid name.
        {"D1E1N1", &three, {}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.definition);
        TestJobDoc job;
        Options options;
        options.definition = Custom(c.definition);
        ASSERT_EQ(ImportDrawing(job, PointBlockDrawing(*c.inserts), options), 0);
        EXPECT_EQ(PointNames(job), c.points);
        if (c.points.empty())
            continue;
        const CPointRecord* point = Point(job, c.points[0]);
        EXPECT_DOUBLE_EQ(point->GetElevation(), c.z);
        EXPECT_STREQ(point->GetDescription(), c.description);
    }
}

TEST(DxfImport, FirstOfTwoEqualNamesWins)
{
    const std::string text = PointBlockDrawing(
        {{{{"NAME", "P1"}, {"DESC", "first"}}, "1", "2"}, {{{"NAME", "p1"}, {"DESC", "second"}}, "5", "6"},
         {{{"NAME", "P2"}}}});
    for (const bool rename : {false, true}) {
        SCOPED_TRACE(rename ? "rename rules" : "overwrite");
        ImportSettings settings;
        settings.settings.SetRenameOption(1); // rename only names the job holds
        TestJobDoc job;
        Options options;
        options.rename = rename;
        ASSERT_EQ(ImportDrawing(job, text, options), 0);
        EXPECT_THAT(PointNames(job), ElementsAre("P1", "P2"));
        EXPECT_STREQ(Point(job, "P1")->GetDescription(), "first");
        EXPECT_DOUBLE_EQ(Point(job, "P1")->GetEasting(), 1);
        EXPECT_EQ(InputPointLines(job).size(), 2u);
    }
    EXPECT_THAT(NamesOf(text), ElementsAre("P1", "P2"));
}

TEST(DxfImport, PlainPointsInFileUnits)
{
    const DxfPairs points = {{0, "POINT"}, {10, "100"}, {20, "200"}, {30, "-9990000000000000000000000000.0"},
                             {0, "POINT"}, {10, "1"}, {20, "2"}, {30, "3"}};
    const std::string text = PointBlockDrawing({{{{"NAME", "P1"}}}}, points);
    struct Case
    {
        int32_t unit;
        double factor;
    };
    for (const Case& c : {Case{0, 1.0}, Case{1, 0.3048}, Case{2, 0.30480060960121924}}) {
        SCOPED_TRACE(c.unit);
        ImportSettings settings;
        TestJobDoc job;
        Options options;
        options.pointBlocks = false;
        options.unit = c.unit;
        ASSERT_EQ(ImportDrawing(job, text, options), 0);
        EXPECT_THAT(PointNames(job), ElementsAre("1", "2"));
        EXPECT_DOUBLE_EQ(Point(job, "1")->GetEasting(), 100 * c.factor);
        EXPECT_DOUBLE_EQ(Point(job, "1")->GetNorthing(), 200 * c.factor);
        // The no-value is kept exactly, never scaled.
        EXPECT_EQ(Point(job, "1")->GetElevation(), NoValue);
        EXPECT_DOUBLE_EQ(Point(job, "2")->GetElevation(), 3 * c.factor);
        EXPECT_STREQ(Point(job, "2")->GetDescription(), "");
    }
    Options off;
    off.pointBlocks = false;
    EXPECT_THAT(NamesOf(text, off), ElementsAre("1", "2"));
}

TEST(DxfImport, OverwriteAndReport)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("P1", 1, 1, 1);
    const size_t lines = InputPointLines(job).size();
    CReport report;
    Options options;
    options.report = &report;
    TempDir dir;
    const std::string path = dir.file("d.dxf");
    WriteAllText(path, PointBlockDrawing({{{{"NAME", "P1"}, {"DESC", "CP"}, {"ELEV", "5"}}, "1000", "2000"},
                                          {{{"NAME", "P2"}, {"ELEVATION", ""}}}}));
    FSDataFileDXF filter;
    filter.SetImportOptions(false, true, &report);
    filter.SetPointBlockDefinition(true, ByTags());
    ASSERT_EQ(filter.ImportFile(path, 0, &job), 0);
    EXPECT_EQ(filter.GetCollectedCount(), 2u);

    EXPECT_THAT(PointNames(job), ElementsAre("P1", "P2"));
    EXPECT_DOUBLE_EQ(Point(job, "P1")->GetEasting(), 1000);
    EXPECT_DOUBLE_EQ(Point(job, "P1")->GetElevation(), 5);
    EXPECT_STREQ(Point(job, "P1")->GetDescription(), "CP");
    EXPECT_EQ(InputPointLines(job).size(), lines + 2);

    EXPECT_THAT(report.GetHeaderLines(), ElementsAre("Imported Coordinates"));
    ASSERT_EQ(report.GetSections().size(), 2u);
    const CReportSection& head = *report.GetSections()[0];
    ASSERT_EQ(head.columns.size(), 1u);
    EXPECT_EQ(head.columns[0].flags, 17);
    std::vector<std::string> headRows;
    for (const auto& row : head.rows)
        headRows.push_back(row[0]);
    EXPECT_THAT(headRows, ElementsAre("Test output", "", "", "Coordinates imported from:  " + path, ""));
    const CReportSection& table = *report.GetSections()[1];
    std::vector<std::pair<std::string, int32_t>> columns;
    for (const CColumnInfo& c : table.columns)
        columns.emplace_back(c.heading, c.flags);
    EXPECT_THAT(columns, ElementsAre(std::pair<std::string, int32_t>{"Point #", 66}, std::pair{std::string("Northing"), 66},
                                     std::pair{std::string("Easting"), 66}, std::pair{std::string("Elevation"), 66},
                                     std::pair{std::string("Description"), 18}, std::pair{std::string("Action"), 18}));
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0][0], "P1");
    // Northing, easting and elevation in the job's feet, whole with these settings.
    EXPECT_THAT((std::vector {table.rows[0][1], table.rows[0][2], table.rows[0][3]}),
                ElementsAre("6562", "3281", "16"));
    EXPECT_EQ(table.rows[0][4], "CP");
    EXPECT_EQ(table.rows[0][5], "Imported");
    EXPECT_EQ(table.rows[1][3], "---");
}

TEST(DxfImport, RenameRules)
{
    ImportSettings settings;
    settings.settings.SetRenameOption(1); // rename only names the job holds
    TestJobDoc job;
    job.AddPoint("P1", 7, 7, 7);
    Options options;
    options.rename = true;
    CReport report;
    options.report = &report;
    const std::string text = PointBlockDrawing({{{{"NAME", "P1"}}}, {{{"NAME", "P2"}}}});
    ASSERT_EQ(ImportDrawing(job, text, options), 0);
    EXPECT_THAT(PointNames(job), ElementsAre("A_P1", "A_P2", "P1"));
    EXPECT_DOUBLE_EQ(Point(job, "P1")->GetEasting(), 7);
    // The report tells each new name from the one in the drawing.
    const CReportSection& rows = *report.GetSections()[1];
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[0][0], "A_P1");
    EXPECT_EQ(rows.rows[0][5], "Renamed (from P1)");
    EXPECT_EQ(rows.rows[1][5], "Renamed (from P2)");
    options.report = nullptr;

    // The designator now makes a name the job holds: the rule fails and nothing changes.
    MessageLog messages;
    EXPECT_EQ(ImportDrawing(job, text, options), kDxfReadFailed);
    EXPECT_THAT(messages.texts, ElementsAre("Unable to rename the points using the selected rule."));
    EXPECT_EQ(PointNames(job).size(), 3u);

    // Named and nameless point blocks are all numbered, so the rename map covers every one.
    TestJobDoc numbered;
    numbered.AddPoint("1", 5, 5, 5);
    ASSERT_EQ(ImportDrawing(numbered, PointBlockDrawing({{{{"NAME", "P5"}}}, {{{"DESC", "D"}}}}), options), 0);
    EXPECT_THAT(PointNames(numbered), ElementsAre("1", "A_1", "A_2"));
}

namespace {

// Refuses the second point, as a job that cannot take it would.
class RefusingSecondPoint : public FSDataFileDXF
{
protected:
    bool AddPoint(const std::string& name, const std::string& description, const CLocation& location, int32_t color,
                  const std::string& layer, bool autoName) override
    {
        return ++calls != 2 && FSDataFileDXF::AddPoint(name, description, location, color, layer, autoName);
    }
    int calls = 0;
};

} // namespace

TEST(DxfImport, OneUndoStepAndAFailurePutsTheJobBack)
{
    ImportSettings settings;
    TempDir dir;
    const std::string path = dir.file("d.dxf");
    WriteAllText(path, PointBlockDrawing({{{{"NAME", "P1"}}}, {{{"NAME", "P2"}}}, {{{"NAME", "P3"}}}}));
    std::vector<std::string> log;
    FakeView view(&log);

    TestJobDoc job;
    job.AddPoint("OLD", 1, 1, 1);
    job.AddView(&view);
    job.SetModifiedWithText("", false, false);
    FSDataFileDXF filter;
    filter.SetPointBlockDefinition(true, ByTags());
    ASSERT_EQ(filter.ImportFile(path, 0, &job), 0);
    CDataFileUndoManager& undo = *job.GetUndoManager();
    EXPECT_EQ(undo.GetStepCount(), 1);
    EXPECT_EQ(undo.GetUndoDescription(), "Import DXF Coordinates");
    ASSERT_TRUE(undo.Undo());
    EXPECT_THAT(PointNames(job), ElementsAre("OLD"));

    // A failure after the first point: the message comes once the job is back as it was.
    TestJobDoc failing;
    failing.AddPoint("OLD", 1, 1, 1);
    failing.AddView(&view);
    failing.SetModifiedWithText("", false, false);
    const size_t lines = failing.rawData.lines.size();
    MessageLog messages;
    std::vector<std::string> namesWhenTold;
    messages.texts.clear();
    SetMessageBoxHandler([&](const std::string& text, uint32_t) {
        messages.texts.push_back(text);
        namesWhenTold = PointNames(failing);
        return IDOK;
    });
    RefusingSecondPoint refusing;
    refusing.SetPointBlockDefinition(true, ByTags());
    EXPECT_EQ(refusing.ImportFile(path, 0, &failing), kDxfReadFailed);
    EXPECT_THAT(messages.texts, ElementsAre("Fail to import the DXF file."));
    EXPECT_THAT(namesWhenTold, ElementsAre("OLD"));
    EXPECT_THAT(PointNames(failing), ElementsAre("OLD"));
    EXPECT_EQ(failing.rawData.lines.size(), lines);
    EXPECT_FALSE(failing.GetUndoManager()->CanUndo());
    EXPECT_FALSE(failing.GetUndoManager()->CanRedo());
    EXPECT_FALSE(failing.IsModified());

    // A job without a view records no step.
    TestJobDoc viewless;
    ASSERT_EQ(filter.ImportFile(path, 0, &viewless), 0);
    EXPECT_EQ(viewless.GetUndoManager()->GetStepCount(), 0);
    job.RemoveView(&view);
    failing.RemoveView(&view);
}

TEST(DxfImport, DrawingsTheReaderRefusesLeaveTheJobAlone)
{
    const std::string samples = MORVEL_SHARED_TEST_DATA_DIR "/";
    struct Case
    {
        const char* name;
        std::string path; // a sample; empty: the bytes below
        std::string bytes;
    };
    const Case cases[] = {
        {"no SECTION", "", "0\r\nEOF\r\n"},
        {"a coordinate at the no-value", "", DxfEntities({{0, "POINT"}, {10, "-1e30"}, {20, "0"}})},
        {"a device, which never ends", "/dev/zero", ""},
        {"cut short", samples + "derived_truncated_Leica_Disto_S910.dxf", ""},
        {"binary R12", samples + "ezdxf_bin_dxf_r12.dxf", ""},
        {"binary R2000", samples + "ezdxf_bin_dxf_r2000.dxf", ""},
        {"binary AC1027", samples + "bezitopo_tinytin-bin.dxf", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportSettings settings;
        std::vector<std::string> log;
        FakeView view(&log);
        TestJobDoc job;
        job.AddPoint("OLD", 1, 1, 1);
        job.AddView(&view);
        job.SetModifiedWithText("", false, false);
        TempDir dir;
        std::string path = c.path;
        if (path.empty()) {
            path = dir.file("bad.dxf");
            WriteAllText(path, c.bytes);
        }
        for (const bool pointBlocks : {false, true}) {
            MessageLog messages;
            FSDataFileDXF filter;
            filter.SetPointBlockDefinition(pointBlocks, ByTags());
            EXPECT_EQ(filter.ImportFile(path, 0, &job), kDxfReadFailed);
            EXPECT_THAT(messages.texts, ElementsAre(path + "\n\n does not appear to be a valid AutoCAD (.DXF) file."));
            EXPECT_THAT(messages.flags, ElementsAre(MB_OK | MB_ICONERROR));
            std::vector<std::string> names{"stale"};
            EXPECT_FALSE(filter.ReadPointNames(&job, path, names));
            EXPECT_THAT(names, IsEmpty());
        }
        EXPECT_THAT(PointNames(job), ElementsAre("OLD"));
        EXPECT_EQ(job.GetUndoManager()->GetStepCount(), 0);
        EXPECT_FALSE(job.IsModified());
        job.RemoveView(&view);
    }
}

TEST(ImportCommands, DxfCountReportAndHint)
{
    ImportSettings settings;
    TempDir dir;
    std::vector<std::string> log;
    FakeView view(&log);
    TestJobDoc job;
    job.AddView(&view);
    MessageLog messages;

    DxfImportChoice choice;
    choice.path = dir.file("empty.dxf");
    WriteAllText(choice.path, "");
    choice.pointNameOption = 1;
    EXPECT_FALSE(RunImportDxfCommand(&job, choice, nullptr));
    EXPECT_THAT(messages.texts, ElementsAre(choice.path + "\n\n does not appear to be a valid AutoCAD (.DXF) file."));

    // Two names, one of them twice: the count is the names the drawing gives.
    choice.path = dir.file("d.dxf");
    WriteAllText(choice.path, PointBlockDrawing({{{{"NAME", "P1"}}}, {{{"NAME", "P1"}}}, {{{"NAME", "P2"}}}}));
    messages.texts.clear();
    job.SendHint(nullptr, HintFlush, 0);
    log.clear();
    ASSERT_TRUE(RunImportDxfCommand(&job, choice, nullptr));
    EXPECT_THAT(messages.texts, ElementsAre("Imported 2 points"));
    EXPECT_EQ(messages.flags.back(), MB_OK | MB_ICONINFORMATION);
    job.SendHint(nullptr, HintFlush, 0);
    EXPECT_THAT(log, testing::Contains("V19"));

    // Into a job with points, with the report and a custom definition; hint 3.
    choice.reportFlag = true;
    choice.useCustomDefinition = true;
    choice.definition = Custom("D1N1");
    WriteAllText(choice.path, PointBlockDrawing({{{{"X", "desc"}, {"Y", "P7"}}}}));
    CReport* shown = nullptr;
    size_t rows = 0;
    job.SendHint(nullptr, HintFlush, 0);
    log.clear();
    ASSERT_TRUE(RunImportDxfCommand(&job, choice, [&](CReport& report) {
        shown = &report;
        rows = report.GetSections()[1]->rows.size();
    }));
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(rows, 1u);
    EXPECT_STREQ(Point(job, "P7")->GetDescription(), "desc");
    job.SendHint(nullptr, HintFlush, 0);
    EXPECT_THAT(log, testing::Contains("V3"));
    EXPECT_THAT(log, testing::Not(testing::Contains("V19")));
    job.RemoveView(&view);
}

// An import that finds no point says why, in place of a bare count, whatever the report setting.
TEST(ImportCommands, NoPointFoundSaysWhy)
{
    ImportSettings settings;
    TempDir dir;
    const std::string points = DxfEntities({{0, "POINT"}, {10, "1"}, {20, "2"}, {0, "POINT"}, {10, "3"}, {20, "4"}});
    const std::string blocks = PointBlockDrawing({{{{"NAME", "P1"}}}});
    const std::string lines = DxfEntities({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}});
    const std::string commas = "P1,100,200,3,FENCE\nP2,110,210,4,TREE\n";
    const std::string tabs = "P1\t100\t200\nP2\t110\t210\n";
    struct Case
    {
        const char* name;
        std::string text;
        bool dxf;
        bool pointBlocks; // DXF: "Import point blocks."; ASCII: unused
        std::string delimiter;
        bool report;
        std::string said;
    };
    const Case cases[] = {
        {"POINTs with point blocks ticked", points, true, true, "", true,
         "Imported 0 points\n\nThe drawing holds no point blocks, but it holds 2 POINT entities. To import those, "
         "untick \"Import point blocks.\" and import again."},
        {"point blocks with the box unticked", blocks, true, false, "", false,
         "Imported 0 points\n\nThe drawing holds no POINT entities, but it holds 1 point block. To import those, "
         "tick \"Import point blocks.\" and import again."},
        {"a drawing of lines", lines, true, true, "", false,
         "Imported 0 points\n\nThe drawing holds no point blocks and no POINT entities."},
        {"commas read with tabs", commas, false, false, "\t", true,
         "Imported 0 points\n\nNo line of the file splits into the chosen columns with tabs between them (a line "
         "needs at least a point name, a northing and an easting).\n\nWith commas as the delimiter, 2 lines read."},
        {"tabs read with spaces", tabs, false, false, " ", false,
         "Imported 0 points\n\nNo line of the file splits into the chosen columns with spaces between them (a "
         "line needs at least a point name, a northing and an easting).\n\nWith tabs as the delimiter, 2 lines "
         "read."},
        {"no line reads at all", "name only\n", false, false, ",", false,
         "Imported 0 points\n\nNo line of the file splits into the chosen columns with commas between them (a "
         "line needs at least a point name, a northing and an easting)."},
        // Found points are counted as before.
        {"a point found", commas, false, false, ",", false, "Imported 2 points"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestJobDoc job;
        MessageLog messages;
        int reports = 0;
        const auto showReport = [&reports](CReport&) { ++reports; };
        const std::string path = dir.file(c.dxf ? "d.dxf" : "a.txt");
        WriteAllText(path, c.text);
        if (c.dxf) {
            DxfImportChoice choice;
            choice.path = path;
            choice.pointNameOption = 1;
            choice.importPointBlocks = c.pointBlocks;
            choice.reportFlag = c.report;
            ASSERT_TRUE(RunImportDxfCommand(&job, choice, showReport));
        } else {
            AsciiImportChoice choice;
            choice.path = path;
            choice.columns = {0, 1, 2, 3, 4};
            choice.delimiter = c.delimiter;
            choice.pointNameOption = 1;
            choice.reportFlag = c.report;
            ASSERT_TRUE(RunImportAsciiCoordinates(&job, choice, showReport));
        }
        EXPECT_THAT(messages.texts, ElementsAre(c.said));
        EXPECT_EQ(reports, 0);
    }
}

TEST(DxfImport, PublicSamples)
{
    const std::string folder = MORVEL_SHARED_TEST_DATA_DIR "/";
    ImportSettings settings;

    // A distance meter's drawing of plain POINTs, in metres and in feet.
    for (const int32_t unit : {0, 1}) {
        SCOPED_TRACE(unit);
        TestJobDoc job;
        MessageLog messages;
        FSDataFileDXF filter;
        filter.SetPointBlockDefinition(false, ByTags());
        ASSERT_EQ(filter.ImportFile(folder + "ezdxf_Leica_Disto_S910.dxf", unit, &job), 0);
        EXPECT_THAT(messages.texts, IsEmpty());
        std::vector<std::string> expected;
        for (int i = 1; i <= 11; ++i)
            expected.push_back(std::to_string(i));
        EXPECT_THAT(PointNames(job), testing::UnorderedElementsAreArray(expected));
        const double factor = unit == 1 ? 0.3048 : 1.0;
        EXPECT_NEAR(Point(job, "1")->GetEasting(), 0, 1e-12);
        EXPECT_NEAR(Point(job, "1")->GetNorthing(), 0, 1e-12);
        EXPECT_NEAR(Point(job, "1")->GetElevation(), -1.078038 * factor, 1e-9);
    }

    // Attributed inserts whose blocks draw more than a point are no point blocks.
    for (const char* name : {"gdal_attrib.dxf", "ezdxf_multi_insert_with_attribs.dxf"}) {
        SCOPED_TRACE(name);
        TestJobDoc job;
        FSDataFileDXF filter;
        filter.SetPointBlockDefinition(true, ByTags());
        ASSERT_EQ(filter.ImportFile(folder + name, 0, &job), 0);
        EXPECT_THAT(PointNames(job), IsEmpty());
        EXPECT_EQ(filter.GetCollectedCount(), 0u);
    }
}
