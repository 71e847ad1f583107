#include "ImportTestUtil.h"

#include "core/NoValue.h"
#include "exchange/ExportCommands.h"
#include "exchange/FSDataFileDXF.h"
#include "exchange/FSDataFileSaveDXF.h"
#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfReader.h"
#include "framework/ColorTable.h"
#include "model/DataFileSelOperator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>

using namespace morvel::test;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

struct ExportOptions
{
    bool pointBlocks = true;
    const char* definition = "N1D1E0";
    double height = 5, spacing = 3; // metres
    uint32_t unit = 0;
    bool selectedOnly = false;
};

CPointBlockDefinition Definition(const char* text)
{
    CPointBlockDefinition definition;
    definition.FromText(text);
    return definition;
}

int32_t ExportJob(CDataFileDoc& job, const std::string& path, const ExportOptions& o = {})
{
    CFSDataFileSaveDXF filter(&job, o.selectedOnly);
    filter.SetExportOptions(o.pointBlocks, Definition(o.definition), 2, o.height, o.spacing, false);
    int32_t count = -1;
    EXPECT_EQ(filter.Export(path, o.unit, &count), 0);
    return count;
}

std::string ReadText(const std::string& path)
{
    const std::vector<unsigned char> bytes = ReadAllBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// The (tag, value, y) of every attribute of the drawing's inserts, in order.
struct Attr
{
    std::string tag, value;
    double y;
    bool operator==(const Attr&) const = default;
};
void PrintTo(const Attr& a, std::ostream* os) { *os << "{" << a.tag << ", " << a.value << ", " << a.y << "}"; }

std::vector<Attr> AttributesOf(const std::string& path)
{
    CDxfFile drawing;
    CDxfReader reader;
    EXPECT_EQ(reader.ReadFile(path, &drawing), kDxfOk);
    std::vector<Attr> out;
    for (size_t i = 0; i < drawing.GetModelSpace()->GetEntityCount(); ++i) {
        const auto* insert = dynamic_cast<const CDxfInsert*>(drawing.GetModelSpace()->GetEntity(i));
        for (size_t a = 0; insert && a < insert->GetAttributeCount(); ++a) {
            const DXF_ADD_ATTRIB& r = insert->GetAttribute(a)->GetRecord();
            out.push_back({r.tag, r.value, r.y});
        }
    }
    return out;
}

} // namespace

TEST(DxfExport, OnePointBlockByteForByte)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("P1", 1000, 2000, 12.5)->SetDescription("CP");
    TempDir dir;
    ASSERT_EQ(ExportJob(job, dir.file("p.dxf")), 1);
    const std::string text = ReadText(dir.file("p.dxf"));
    // The block "POINT" with its one POINT, then the INSERT with one attribute per checked item,
    // each S = H + spacing below the one before, beside the point by H.
    const std::string blocksAndEntities =
        "BLOCKS\r\n"
        "   0\r\nBLOCK\r\n   8\r\n0\r\n   2\r\nPOINT\r\n  70\r\n64\r\n  10\r\n0.0\r\n  20\r\n0.0\r\n  30\r\n0.0\r\n"
        "   0\r\nPOINT\r\n   8\r\n0\r\n  62\r\n256\r\n  10\r\n0.0\r\n  20\r\n0.0\r\n  30\r\n0.0\r\n"
        "   0\r\nENDBLK\r\n   8\r\n0\r\n"
        "   0\r\nENDSEC\r\n"
        "   0\r\nSECTION\r\n   2\r\nENTITIES\r\n"
        "   0\r\nINSERT\r\n   8\r\nMorvel\r\n  62\r\n256\r\n   6\r\nBYLAYER\r\n  66\r\n1\r\n   2\r\nPOINT\r\n"
        "  10\r\n1000.0\r\n  20\r\n2000.0\r\n  30\r\n12.5\r\n"
        "   0\r\nATTRIB\r\n   8\r\nMorvel\r\n  62\r\n256\r\n"
        "  10\r\n1005.0\r\n  20\r\n2000.0\r\n  30\r\n12.5\r\n"
        "  40\r\n5.0\r\n   1\r\nP1\r\n   2\r\nPOINT_NUMBER\r\n  70\r\n0\r\n  71\r\n0\r\n"
        "   0\r\nATTRIB\r\n   8\r\nMorvel\r\n  62\r\n256\r\n"
        "  10\r\n1005.0\r\n  20\r\n1992.0\r\n  30\r\n12.5\r\n"
        "  40\r\n5.0\r\n   1\r\nCP\r\n   2\r\nDESCRIPTION\r\n  70\r\n0\r\n  71\r\n0\r\n"
        "   0\r\nSEQEND\r\n   8\r\n0\r\n  62\r\n1\r\n"
        "   0\r\nENDSEC\r\n"
        "   0\r\nEOF\r\n";
    ASSERT_NE(text.find("BLOCKS\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.find("BLOCKS\r\n")), blocksAndEntities);
    // The layer "Morvel" in a one-digit CAD colour.
    EXPECT_THAT(text, testing::HasSubstr("   2\r\nMorvel\r\n  62\r\n7\r\n"));
    EXPECT_EQ(text.size(), 1105u);
}

TEST(DxfExport, FeetAndAttributeLayout)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("P1", 30.48, 60.96, 3.048)->SetDescription("D");
    TempDir dir;
    const std::string path = dir.file("p.dxf");

    // Feet: 30.48 m is 100 ft, a height of 1.524 m is 5 ft.
    ExportOptions feet;
    feet.unit = 1;
    feet.height = 1.524;
    feet.spacing = 0.9144;
    feet.definition = "N1D1E1";
    ASSERT_EQ(ExportJob(job, path, feet), 1);
    const std::string text = ReadText(path);
    EXPECT_THAT(text, testing::HasSubstr("\r\n  10\r\n100\r\n  20\r\n200\r\n  30\r\n10\r\n"));
    EXPECT_THAT(text, testing::HasSubstr("\r\n  40\r\n5\r\n"));
    EXPECT_THAT(AttributesOf(path), ElementsAre(Attr{"POINT_NUMBER", "P1", 200}, Attr{"DESCRIPTION", "D", 192},
                                                Attr{"ELEVATION", "10.000000", 184}));

    struct Case
    {
        const char* definition;
        std::vector<Attr> attributes; // metres, H 5, S 8
    };
    const Case cases[] = {
        {"N1D0E1", {{"POINT_NUMBER", "P1", 60.96}, {"ELEVATION", "3.048000", 52.96}}},
        // A checked Blank writes a blank attribute and leaves a line's gap.
        {"N1 1D1E0", {{"POINT_NUMBER", "P1", 60.96}, {" ", " ", 52.96}, {"DESCRIPTION", "D", 44.96}}},
        {"E1N0D0", {{"ELEVATION", "3.048000", 60.96}}},
        {"N0D0E0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.definition);
        ExportOptions metres;
        metres.definition = c.definition;
        ASSERT_EQ(ExportJob(job, path, metres), 1);
        const std::vector<Attr> attributes = AttributesOf(path);
        ASSERT_EQ(attributes.size(), c.attributes.size());
        for (size_t i = 0; i < attributes.size(); ++i) {
            EXPECT_EQ(attributes[i].tag, c.attributes[i].tag);
            EXPECT_EQ(attributes[i].value, c.attributes[i].value);
            EXPECT_NEAR(attributes[i].y, c.attributes[i].y, 1e-9);
        }
    }
}

TEST(DxfExport, PlainPointsEmptySelectionAndBlockNames)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("P1", 1, 2, 3);
    job.AddPoint("P2", 4, 5);
    TempDir dir;
    const std::string path = dir.file("p.dxf");

    settings.settings.SetDefaultObjectColor(5);
    ExportOptions plain;
    plain.pointBlocks = false;
    ASSERT_EQ(ExportJob(job, path, plain), 2);
    CDxfFile drawing;
    CDxfReader reader;
    ASSERT_EQ(reader.ReadFile(path, &drawing), kDxfOk);
    EXPECT_EQ(drawing.GetBlockCount(), 0u);
    ASSERT_EQ(drawing.GetModelSpace()->GetEntityCount(), 2u);
    EXPECT_EQ(drawing.GetModelSpace()->GetEntity(0)->GetType(), kDxfPointEntity);
    ASSERT_NE(drawing.FindLayer("Morvel"), nullptr);
    EXPECT_EQ(drawing.FindLayer("Morvel")->GetColor(), ColorIndexToCadIndex(5));

    // Nothing selected: the layer and nothing else.
    ExportOptions selected;
    selected.selectedOnly = true;
    ASSERT_EQ(ExportJob(job, path, selected), 0);
    CDxfFile empty;
    CDxfReader again;
    ASSERT_EQ(again.ReadFile(path, &empty), kDxfOk);
    EXPECT_EQ(empty.GetBlockCount(), 0u);
    EXPECT_EQ(empty.GetModelSpace()->GetEntityCount(), 0u);
    EXPECT_NE(empty.FindLayer("Morvel"), nullptr);
}

namespace {

// Exports every point of the job, reads the drawing back with the engine and imports it into a
// new job of the same unit.
void ExpectRoundTrip(TestJobDoc& job, const ExportOptions& options)
{
    TempDir dir;
    const std::string path = dir.file("round.dxf");
    const int32_t count = ExportJob(job, path, options);
    ASSERT_EQ(count, job.GetPointDatabase()->GetCount());

    TestJobDoc back;
    back.settings.SetDistanceUnit(int32_t(options.unit));
    FSDataFileDXF filter;
    filter.SetPointBlockDefinition(options.pointBlocks, Definition(options.definition));
    MessageLog messages;
    ASSERT_EQ(filter.ImportFile(path, int32_t(options.unit), &back), 0);
    EXPECT_THAT(messages.texts, IsEmpty());
    ASSERT_EQ(back.GetPointDatabase()->GetCount(), count);

    const CPointBlockDefinition definition = Definition(options.definition);
    const bool named = options.pointBlocks && definition.HasCheckedName();
    // Without names the points come back numbered in export (store) order.
    int32_t number = 0;
    CRecordDatabase* records = job.GetRecordDatabase();
    CRecordCursor cursor = records->GetFirstRecord(0);
    while (CRecord* record = records->GetNextRecord(cursor)) {
        const auto* original = static_cast<const CPointRecord*>(record);
        const std::string name = named ? original->GetName() : std::to_string(++number);
        SCOPED_TRACE(original->GetName());
        const CPointRecord* copy = Point(back, name);
        ASSERT_NE(copy, nullptr);
        EXPECT_NEAR(copy->GetEasting(), original->GetEasting(), 1e-9);
        EXPECT_NEAR(copy->GetNorthing(), original->GetNorthing(), 1e-9);
        // An elevation read from its attribute comes with the six decimals of its text.
        const double elevationTolerance = options.pointBlocks && definition.HasCheckedElevation() ? 1e-6 : 1e-9;
        if (original->GetElevation() <= NoValueLimit)
            EXPECT_EQ(copy->GetElevation(), NoValue);
        else
            EXPECT_NEAR(copy->GetElevation(), original->GetElevation(), elevationTolerance);
        const bool described = options.pointBlocks && definition.HasCheckedDescription();
        EXPECT_STREQ(copy->GetDescription(), described ? original->GetDescription() : "");
    }
}

} // namespace

TEST(DxfExport, EveryExportReadsBackAsTheSamePoints)
{
    ImportSettings settings;
    TestJobDoc job;
    job.AddPoint("P1", 1000.123456789, 2000.987654321, 12.5)->SetDescription("CP");
    job.AddPoint("NOELEV", 1234.5678, 8765.4321)->SetDescription("fence post");
    job.AddPoint("Z_9", -15.25, 0.25, -3.0625);
    for (const uint32_t unit : {0u, 1u, 2u})
        for (const char* definition : {"N1D1E0", "N1D1E1", "E1D1N1", "N1 1D1E1", "E1N0D0", "D1N0E0"}) {
            SCOPED_TRACE(std::to_string(unit) + " " + definition);
            ExportOptions options;
            options.unit = unit;
            options.definition = definition;
            ExpectRoundTrip(job, options);
        }
    ExportOptions plain;
    plain.pointBlocks = false;
    ExpectRoundTrip(job, plain);
}

TEST(ExportCommands, DxfThroughATemporaryFile)
{
    ImportSettings settings;
    TempDir temporary;
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string savedTmp = oldTmp != nullptr ? oldTmp : "";
    setenv("TMPDIR", temporary.path().c_str(), 1);

    TestJobDoc job;
    job.settings.SetDistanceUnit(1);
    CPointRecord* first = job.AddPoint("P1", 1000, 2000, 12.5);
    first->SetDescription("CP");
    CPointRecord* noElevation = job.AddPoint("P2", 1010.5, 2020.25);
    noElevation->SetDescription("no elevation");
    job.AddPoint("P3", 990, 1990, 11);
    // Selection order, not name order.
    job.GetSelOperator()->SelectObject(noElevation);
    job.GetSelOperator()->SelectObject(first);

    const std::string target = std::string(MORVEL_TEST_OUTPUT_DIR) + "/dxf_export_points.dxf";
    std::filesystem::remove(target);
    MessageLog messages;
    ASSERT_TRUE(RunExportDxfCommand(job, target, true, Definition("N1D1E1"), 1.524, 0.9144));
    EXPECT_THAT(messages.texts, ElementsAre("Wrote 2 points to " + target));
    EXPECT_THAT(messages.plain, ElementsAre(true));
    std::vector<Attr> attributes = AttributesOf(target);
    ASSERT_EQ(attributes.size(), 6u);
    EXPECT_EQ(attributes[0].value, "P2");
    EXPECT_EQ(attributes[2].value, "---");
    EXPECT_EQ(attributes[3].value, "P1");
    EXPECT_TRUE(std::filesystem::is_empty(temporary.path()));

    // A target that cannot be written: the message, no file, no temporary file left.
    messages.texts.clear();
    const std::string unreachable = temporary.file("missing/folder.dxf");
    EXPECT_FALSE(RunExportDxfCommand(job, unreachable, false, Definition(""), 1, 1));
    EXPECT_THAT(messages.texts, ElementsAre("Failed to export the DXF file."));
    EXPECT_FALSE(std::filesystem::exists(unreachable));
    EXPECT_TRUE(std::filesystem::is_empty(temporary.path()));

    // A folder in the target's place stays as it was.
    std::filesystem::create_directory(temporary.file("taken.dxf"));
    messages.texts.clear();
    EXPECT_FALSE(RunExportDxfCommand(job, temporary.file("taken.dxf"), false, Definition(""), 1, 1));
    EXPECT_THAT(messages.texts, ElementsAre("Failed to export the DXF file."));
    EXPECT_TRUE(std::filesystem::is_directory(temporary.file("taken.dxf")));

    // A drawing that cannot be written whole (no file may grow past 1 KiB) leaves the old one.
    WriteAllText(temporary.file("old.dxf"), "old");
    RunWithFileSizeLimit(1024, [&] {
        messages.texts.clear();
        EXPECT_FALSE(RunExportDxfCommand(job, temporary.file("old.dxf"), true, Definition("N1D1E1"), 1, 1));
        EXPECT_THAT(messages.texts, ElementsAre("Failed to export the DXF file."));
    });
    EXPECT_EQ(ReadAllText(temporary.file("old.dxf")), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temporary.path()), {}), 2) << "a temporary file was left";

    if (oldTmp != nullptr)
        setenv("TMPDIR", savedTmp.c_str(), 1);
    else
        unsetenv("TMPDIR");
}
