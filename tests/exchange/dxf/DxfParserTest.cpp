// The text reader on small files made here: what reaches the callbacks, and what ends a read.
#include "exchange/dxf/Dxf.h"

#include "DxfTestUtil.h"
#include "TestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using morvel::test::DxfBlocksAndEntities;
using morvel::test::DxfEntities;
using morvel::test::DxfPairs;
using morvel::test::DxfText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

// Records every callback as a line of text, and keeps the last records of a few kinds.
class RecordingDxf : public DXF
{
public:
    std::vector<std::string> calls;
    std::vector<DXF_ADD_LINE> lines;
    std::vector<DXF_ADD_ARC> arcs;
    std::vector<DXF_ADD_LAYER> layers;
    std::vector<DXF_ADD_LTYPE> linetypes;
    std::vector<DXF_ADD_TEXT> texts;
    std::vector<DXF_ADD_MTEXT> mtexts;
    std::vector<DXF_ADD_INSERT> inserts;
    std::vector<DXF_ADD_ATTRIB> attribs;
    std::vector<std::vector<DXF_ADD_LWVERTEX>> lwpolylines;
    std::vector<DXF_ADD_VERTEX> vertices;
    std::vector<std::string> comments;
    std::vector<double> extents;
    int readErrors = 0;
    int headers = 0;
    int continueAsked = 0;
    int stopAfterContinue = -1; // answer false on this question
    std::string failOn;         // the callback that answers non-zero

    int Run(const std::string& text)
    {
        TempDir dir;
        const std::string path = dir.file("t.dxf");
        WriteAllText(path, text);
        return Read(path.c_str());
    }

protected:
    int Note(const std::string& what) { calls.push_back(what); return what == failOn ? 1 : 0; }

    int BlocksSection(bool entering) override { return Note(entering ? "BlocksIn" : "BlocksOut"); }
    int AddLine(const DXF_ADD_LINE& r) override { lines.push_back(r); return Note("Line"); }
    int AddSolid(const DXF_ADD_SOLID&) override { return Note("Solid"); }
    int Add3DFace(const DXF_ADD_SOLID&) override { return Note("3DFace"); }
    int AddCircle(const DXF_ADD_CIRCLE&) override { return Note("Circle"); }
    int AddArc(const DXF_ADD_ARC& r) override { arcs.push_back(r); return Note("Arc"); }
    int AddPoint(const DXF_ADD_POINT&) override { return Note("Point"); }
    int AddLayer(const DXF_ADD_LAYER& r) override { layers.push_back(r); return Note("Layer"); }
    int AddLinetype(const DXF_ADD_LTYPE& r) override { linetypes.push_back(r); return Note("Ltype"); }
    int AddAppId(const std::string& name) override { return Note("AppId " + name); }
    int AddInsert(const DXF_ADD_INSERT& r) override { inserts.push_back(r); return Note("Insert " + r.blockName); }
    int BeginBlock(const DXF_ADD_BLOCK& r) override { return Note("Block " + r.name); }
    int AddText(const DXF_ADD_TEXT& r) override { texts.push_back(r); return Note("Text"); }
    int AddMText(const DXF_ADD_MTEXT& r) override { mtexts.push_back(r); return Note("MText"); }
    int AddLeader(const DXF_ADD_LEADER& r) override { return Note("Leader " + std::to_string(r.vertexCount)); }
    int AddStyle(const DXF_ADD_STYLE& r) override { return Note("Style " + r.name); }
    int BeginPolyline(const DXF_ADD_POLYLINE&) override { return Note("Polyline"); }
    int AddLwPolyline(const DXF_ADD_LWPOLYLINE& r) override
    {
        lwpolylines.emplace_back(r.vertices, r.vertices + r.vertexCount);
        return Note("LwPolyline");
    }
    int EndBlock() override { return Note("EndBlock"); }
    int AddAttdef(const DXF_ADD_ATTDEF& r) override { return Note("Attdef " + r.tag); }
    int AddAttrib(const DXF_ADD_ATTRIB& r) override { attribs.push_back(r); return Note("Attrib " + r.tag); }
    int EndInsertAttributes() override { return Note("EndAttribs"); }
    int EndPolyline() override { return Note("EndPolyline"); }
    int AddVertex(const DXF_ADD_VERTEX& r) override { vertices.push_back(r); return Note("Vertex"); }
    int BeginXData(const std::string& app) override { return Note("XBegin " + app); }
    int EndXData(const std::string& app) override { return Note("XEnd " + app); }
    int AddXDataGroup(int32_t code, const DxfGroupValue& v) override { return Note("X " + std::to_string(code) + " " + v.text); }
    int SetExtents(double a, double b, double c, double d) override
    {
        extents = {a, b, c, d};
        return Note("Extents");
    }
    int AddSpline(const DXF_ADD_SPLINE& r) override { return Note("Spline " + std::to_string(r.controlPointCount)); }
    void ReadError(int code) override { ++readErrors; }
    void FileError(int code) override { calls.push_back("FileError"); }
    void FileHeader(const DXF_FILE_HEADER&) override { ++headers; }
    void Comment(const std::string& text) override { comments.push_back(text); }
    bool ContinueReading() override { return ++continueAsked != stopAfterContinue; }
};

DxfPairs Line(double x1, double y1, double x2, double y2, const std::string& layer = "0")
{
    return {{0, "LINE"}, {8, layer}, {10, std::to_string(x1)}, {20, std::to_string(y1)}, {30, "0"},
            {11, std::to_string(x2)}, {21, std::to_string(y2)}, {31, "0"}};
}

DxfPairs Concat(std::initializer_list<DxfPairs> parts)
{
    DxfPairs all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

} // namespace

TEST(DxfParser, FileLevelOutcomes)
{
    struct Case
    {
        const char* name;
        std::string text;
        int result;
    };
    const std::string good = DxfEntities(Line(0, 0, 1, 1));
    const std::string noEof = DxfText(Concat({{{0, "SECTION"}, {2, "ENTITIES"}}, Line(0, 0, 1, 1), {{0, "ENDSEC"}}}));
    const Case cases[] = {
        {"a whole file", good, kDxfOk},
        {"EOF without a line end", good.substr(0, good.size() - 2), kDxfOk},
        {"no EOF after the last ENDSEC", noEof, kDxfOk},
        {"text beyond EOF", good + "garbage\r\nmore\r\n", kDxfOk},
        {"an empty file", "", kDxfReadFailed},
        {"only EOF", DxfText({{0, "EOF"}}), kDxfReadFailed},
        {"a group that is not SECTION at the top", DxfText({{0, "LINE"}, {8, "0"}, {0, "EOF"}}), kDxfReadFailed},
        {"another group between sections", DxfText({{0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}, {999, "x"}, {5, "1"}}), kDxfReadFailed},
        {"cut inside a section", good.substr(0, good.find("11\r\n")), kDxfReadFailed},
        {"cut between a code and its value", good.substr(0, good.find("LINE")), kDxfReadFailed},
        {"ENDSEC without SECTION", DxfText({{0, "ENDSEC"}, {0, "EOF"}}), kDxfReadFailed},
        {"an unknown section is skipped", DxfText({{0, "SECTION"}, {2, "OBJECTS"}, {0, "DICTIONARY"}, {0, "ENDSEC"}, {0, "EOF"}}), kDxfOk},
        {"an unknown section cut short", DxfText({{0, "SECTION"}, {2, "OBJECTS"}, {0, "DICTIONARY"}}), kDxfReadFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDxf dxf;
        EXPECT_EQ(dxf.Run(c.text), c.result);
        EXPECT_EQ(dxf.headers, 1);
        EXPECT_EQ(dxf.readErrors, c.result == kDxfOk ? 0 : 1);
    }
}

TEST(DxfParser, MissingAndBinaryFilesFailWithoutCallbacks)
{
    RecordingDxf missing;
    EXPECT_EQ(missing.Read("/nonexistent/folder/x.dxf"), kDxfReadFailed);
    EXPECT_EQ(missing.Read(nullptr), kDxfReadFailed);
    EXPECT_EQ(missing.headers, 0);

    RecordingDxf binary;
    EXPECT_EQ(binary.Run(std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + DxfEntities(Line(0, 0, 1, 1))), kDxfReadFailed);
    EXPECT_TRUE(binary.calls.empty());
    EXPECT_EQ(binary.headers, 0);
    EXPECT_EQ(binary.readErrors, 0);
}

TEST(DxfParser, ValueLinesAreReadWholeAndConvertedByCode)
{
    RecordingDxf dxf;
    const std::string padded(300, 'A');
    ASSERT_EQ(dxf.Run(DxfEntities({{0, "LINE"}, {8, "L"}, {10, "4.500000000000000E+02"}, {20, "  -12.5"}, {30, "+3"},
                                   {11, "1e-999"}, {21, "abc"}, {31, "0.1234567890123456789012345"}, {62, "65539"},
                                   {999, "a comment between groups"}, {0, "TEXT"}, {1, padded}, {10, "0"}, {20, "0"}})),
              kDxfOk);
    ASSERT_EQ(dxf.lines.size(), 1u);
    const DXF_ADD_LINE& l = dxf.lines[0];
    EXPECT_EQ(l.x1, 450.0);
    EXPECT_EQ(l.y1, -12.5);
    EXPECT_EQ(l.z1, 3.0);
    EXPECT_EQ(l.x2, 0.0);
    EXPECT_EQ(l.y2, 0.0);
    EXPECT_DOUBLE_EQ(l.z2, 0.1234567890123456789);
    EXPECT_EQ(l.color, 3); // a 16-bit value
    ASSERT_EQ(dxf.texts.size(), 1u);
    EXPECT_EQ(dxf.texts[0].text, std::string(255, 'A'));
}

TEST(DxfParser, TextIsUtf8WhenValidElseWindows1252)
{
    RecordingDxf dxf;
    ASSERT_EQ(dxf.Run(DxfEntities(Concat({Line(0, 0, 1, 1, "Stra\xC3\x9F" "e"), Line(0, 0, 1, 1, "\xC4\xD6\x80"),
                                          Line(0, 0, 1, 1, std::string(60, 'x') + "\xC3\xA9")}))),
              kDxfOk);
    ASSERT_EQ(dxf.lines.size(), 3u);
    EXPECT_EQ(dxf.lines[0].layer, "Stra\xC3\x9F" "e");
    EXPECT_EQ(dxf.lines[1].layer, "\xC3\x84\xC3\x96\xE2\x82\xAC");
    EXPECT_EQ(dxf.lines[2].layer, std::string(49, 'x'));
    const std::string cut = std::string(48, 'y') + "\xC3\xA9\xC3\xA9";
    RecordingDxf second;
    ASSERT_EQ(second.Run(DxfEntities(Line(0, 0, 1, 1, cut))), kDxfOk);
    EXPECT_EQ(second.lines[0].layer, std::string(48, 'y') + "\xC3\xA9");
}

// Characters outside the drawing's code page arrive as \\U+XXXX and are read as the character;
// anything short of a whole code stays as written.
TEST(DxfParser, UnicodeCodesInTextBecomeTheirCharacters)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\\U+039B\\U+03a1", "\xCE\x9B\xCE\xA1"},
        {"A\\U+00C4\xC4", "A\xC3\x84\xC3\x84"}, // with a Windows-1252 byte
        {"\\U+20AC5", "\xE2\x82\xAC" "5"},
        {"\\U+12", "\\U+12"},
        {"\\U+12G4", "\\U+12G4"},
        {"\\U+D800", "\\U+D800"},
        {"\\U+0000", "\\U+0000"},
        {"\\\\U+0041", "\\A"},
        {"\\u+0041", "\\u+0041"},
    };
    for (const auto& [written, read] : cases) {
        RecordingDxf dxf;
        ASSERT_EQ(dxf.Run(DxfEntities(Line(0, 0, 1, 1, written))), kDxfOk) << written;
        ASSERT_EQ(dxf.lines.size(), 1u);
        EXPECT_EQ(dxf.lines[0].layer, read) << written;
    }
}

TEST(DxfParser, HeaderVariablesAndExtents)
{
    auto header = [](const DxfPairs& vars) {
        return DxfText(Concat({{{0, "SECTION"}, {2, "HEADER"}}, vars, {{0, "ENDSEC"}, {0, "EOF"}}}));
    };
    RecordingDxf onlyMin;
    ASSERT_EQ(onlyMin.Run(header({{9, "$EXTMIN"}, {10, "1"}, {20, "2"}, {30, "0"}})), kDxfOk);
    EXPECT_TRUE(onlyMin.extents.empty());

    RecordingDxf both;
    ASSERT_EQ(both.Run(header({{999, "made here"}, {9, "$EXTMAX"}, {10, "30"}, {20, "40"}, {30, "0"}, {9, "$ACADVER"},
                               {1, "AC1009"}, {9, "$DIMSCALE"}, {40, "1"}, {9, "$EXTMIN"}, {10, "1"}, {20, "2"},
                               {9, "$EXTMAX"}, {10, "5"}, {20, "6"}, {9, "$PDMODE"}, {70, "35"}, {9, "$PDSIZE"}, {40, "0.25"}, {9, "$HANDSEED"}, {5, "2aF"}})),
              kDxfOk);
    EXPECT_THAT(both.extents, testing::ElementsAre(1, 2, 30, 40));
    EXPECT_EQ(std::count(both.calls.begin(), both.calls.end(), "Extents"), 1);
    EXPECT_THAT(both.comments, testing::ElementsAre("made here"));
    EXPECT_EQ(both.GetHeader().acadVersion, "AC1009");
    EXPECT_EQ(both.GetHeader().extMaxX, 5.0);
    EXPECT_EQ(both.GetHeader().pointModeLow, 35);
    EXPECT_EQ(both.GetPointSize(), 0.25);
    EXPECT_EQ(both.GetHandleSeed(), 0x2AFu);
}

TEST(DxfParser, TableEntries)
{
    DxfPairs tables = {{0, "SECTION"}, {2, "TABLES"},
                       {0, "TABLE"}, {2, "LAYER"}, {70, "3"},
                       {0, "LAYER"}, {2, "A"}, {62, "-5"}, {70, "5"}, {6, "DASHED"},
                       {0, "LAYER"}, {2, "B"},
                       {0, "LAYER"}, {2, "C"}, {62, "2"}, {70, "0"},
                       {0, "ENDTAB"},
                       {0, "TABLE"}, {2, "VPORT"}, {0, "VPORT"}, {2, "*ACTIVE"}, {0, "ENDTAB"},
                       {0, "TABLE"}, {2, "LTYPE"}, {70, "1"}, {0, "LTYPE"}, {2, "LONG"}, {3, "many dashes"}, {40, "14"}};
    for (int i = 0; i < 14; ++i)
        tables.push_back({49, std::to_string(i + 1)});
    DxfPairs rest = {{0, "ENDTAB"},
                     {0, "TABLE"}, {2, "APPID"}, {0, "APPID"}, {2, "ACAD"}, {0, "APPID"}, {2, "MORE"}, {0, "ENDTAB"},
                     {0, "TABLE"}, {2, "STYLE"}, {0, "STYLE"}, {2, "SHAPES"}, {70, "1"}, {0, "STYLE"}, {2, "ROMAN"}, {0, "ENDTAB"},
                     {0, "ENDSEC"}, {0, "EOF"}};
    RecordingDxf dxf;
    ASSERT_EQ(dxf.Run(DxfText(Concat({tables, rest}))), kDxfOk);
    ASSERT_EQ(dxf.layers.size(), 3u);
    EXPECT_EQ(dxf.layers[0].color, 5);
    EXPECT_FALSE(dxf.layers[0].on);
    EXPECT_TRUE(dxf.layers[0].frozen);
    EXPECT_TRUE(dxf.layers[0].locked);
    EXPECT_EQ(dxf.layers[0].linetype, "DASHED");
    // Colour and flags carry over to an entry without them; the linetype does not.
    EXPECT_EQ(dxf.layers[1].color, 5);
    EXPECT_TRUE(dxf.layers[1].frozen);
    EXPECT_EQ(dxf.layers[1].linetype, "CONTINUOUS");
    EXPECT_TRUE(dxf.layers[2].on);
    EXPECT_FALSE(dxf.layers[2].frozen);
    ASSERT_EQ(dxf.linetypes.size(), 1u);
    EXPECT_EQ(dxf.linetypes[0].dashCount, 12);
    EXPECT_EQ(dxf.linetypes[0].dashes[11], 12.0);
    EXPECT_THAT(dxf.calls, testing::Contains("AppId ACAD"));
    EXPECT_THAT(dxf.calls, testing::Contains("AppId MORE"));
    EXPECT_THAT(dxf.calls, testing::Contains("Style SHAPES"));
    EXPECT_THAT(dxf.calls, testing::Contains("Style ROMAN"));
}

TEST(DxfParser, DroppedEntities)
{
    RecordingDxf dxf;
    ASSERT_EQ(dxf.Run(DxfEntities({{0, "LINE"}, {67, "1"}, {10, "1"},
                                   {0, "TEXT"}, {1, " "}, {10, "1"},
                                   {0, "TEXT"}, {1, "  "}, {10, "2"},
                                   {0, "MTEXT"}, {1, ""}, {10, "2"},
                                   {0, "INSERT"}, {2, "B"}, {41, "0.0"}, {66, "1"},
                                   {0, "ATTRIB"}, {2, "TAG"}, {1, "v"},
                                   {0, "SEQEND"},
                                   {0, "INSERT"}, {2, "P"}, {67, "1"},
                                   {0, "DIMENSION"}, {10, "1"}, {0, "WHATEVER"}, {1, "x"},
                                   {0, "POINT"}, {10, "3"}})),
              kDxfOk);
    EXPECT_THAT(dxf.calls, testing::ElementsAre("Text", "EndAttribs", "Attrib TAG", "EndAttribs", "EndAttribs", "Point"));
    EXPECT_EQ(dxf.texts[0].text, "  ");
}

TEST(DxfParser, BlocksAreShiftedByTheirBasePointAndPaperSpaceBlocksDropped)
{
    RecordingDxf dxf;
    const DxfPairs blocks = Concat({{{0, "BLOCK"}, {2, "B"}, {70, "2"}, {10, "10"}, {20, "20"}, {30, "30"}},
                                    Line(11, 22, 10, 20),
                                    {{0, "LWPOLYLINE"}, {90, "1"}, {10, "12"}, {20, "23"}},
                                    {{0, "POLYLINE"}, {0, "VERTEX"}, {10, "14"}, {20, "25"}, {30, "36"}, {0, "SEQEND"}},
                                    {{0, "ENDBLK"}},
                                    {{0, "BLOCK"}, {67, "1"}, {2, "$PAPER_SPACE"}, {10, "5"}},
                                    Line(0, 0, 1, 1),
                                    {{0, "ENDBLK"}, {67, "1"}}});
    ASSERT_EQ(dxf.Run(DxfBlocksAndEntities(blocks, Line(11, 12, 0, 0))), kDxfOk);
    EXPECT_THAT(dxf.calls, testing::ElementsAre("BlocksIn", "Block B", "Line", "LwPolyline", "Polyline", "Vertex",
                                                "EndPolyline", "EndBlock", "BlocksOut", "Line"));
    ASSERT_EQ(dxf.lines.size(), 2u);
    EXPECT_EQ(dxf.lines[0].x1, 1.0);
    EXPECT_EQ(dxf.lines[0].y1, 2.0);
    EXPECT_EQ(dxf.lines[0].z1, -30.0);
    EXPECT_EQ(dxf.lines[1].x1, 11.0);
    EXPECT_EQ(dxf.lines[1].y1, 12.0);
    EXPECT_EQ(dxf.lwpolylines[0][0].x, 2.0);
    EXPECT_EQ(dxf.lwpolylines[0][0].y, 3.0);
    ASSERT_EQ(dxf.vertices.size(), 1u);
    EXPECT_EQ(dxf.vertices[0].x, 4.0);
    EXPECT_EQ(dxf.vertices[0].y, 5.0);
    EXPECT_EQ(dxf.vertices[0].z, 6.0);
}

// Entities as the common writers emit them: handles, subclass markers, thickness and extrusion
// among the groups, every value different, so a group read into the wrong field shows.
TEST(DxfParser, EntitiesWithEveryGroupCommonWritersEmit)
{
    RecordingDxf dxf;
    ASSERT_EQ(dxf.Run(DxfEntities({
                  {0, "ARC"}, {5, "2F"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "ARCS"}, {6, "DASHED"}, {62, "3"},
                  {100, "AcDbCircle"}, {39, "0.5"}, {10, "100.5"}, {20, "200.25"}, {30, "3.5"}, {40, "12.5"},
                  {210, "0"}, {220, "0"}, {230, "1"}, {100, "AcDbArc"}, {50, "30"}, {51, "120"},
                  {0, "TEXT"}, {5, "30"}, {100, "AcDbEntity"}, {8, "T"}, {62, "5"}, {100, "AcDbText"}, {10, "1.5"},
                  {20, "2.5"}, {30, "0.25"}, {40, "2"}, {1, "Hello"}, {50, "30"}, {41, "0.8"}, {51, "15"}, {7, "ROMAN"},
                  {71, "0"}, {72, "1"}, {11, "4.5"}, {21, "5.5"}, {31, "0.75"}, {100, "AcDbText"}, {73, "2"},
                  {0, "INSERT"}, {5, "31"}, {100, "AcDbEntity"}, {8, "I"}, {100, "AcDbBlockReference"}, {2, "BLK"},
                  {10, "7"}, {20, "8"}, {30, "9"}, {41, "2"}, {42, "3"}, {43, "4"}, {50, "45"},
                  {0, "LWPOLYLINE"}, {5, "32"}, {100, "AcDbEntity"}, {8, "LW"}, {100, "AcDbPolyline"}, {90, "2"}, {70, "1"},
                  {38, "1.25"}, {39, "0.75"}, {10, "1"}, {20, "2"}, {40, "0.1"}, {41, "0.2"}, {42, "0.3"}, {10, "3"},
                  {20, "4"}, {40, "0.4"}, {41, "0.5"}, {42, "-0.6"}, {210, "0"}, {220, "0"}, {230, "1"}})),
              kDxfOk);
    using testing::DoubleNear;
    using testing::ElementsAre;
    const double degree = M_PI / 180;
    ASSERT_EQ(dxf.arcs.size(), 1u);
    const DXF_ADD_ARC& arc = dxf.arcs[0];
    EXPECT_EQ(arc.handle, 0x2Fu);
    EXPECT_THAT((std::vector<std::string> {arc.layer, arc.linetype}), ElementsAre("ARCS", "DASHED"));
    EXPECT_EQ(arc.color, 3);
    EXPECT_THAT((std::vector {arc.x, arc.y, arc.z, arc.radius}), ElementsAre(100.5, 200.25, 3.5, 12.5));
    EXPECT_THAT((std::vector {arc.startAngle, arc.endAngle}),
                ElementsAre(DoubleNear(30 * degree, 1e-9), DoubleNear(120 * degree, 1e-9)));

    ASSERT_EQ(dxf.texts.size(), 1u);
    const DXF_ADD_TEXT& text = dxf.texts[0];
    EXPECT_EQ(text.handle, 0x30u);
    EXPECT_THAT((std::vector<std::string> {text.layer, text.text, text.style}), ElementsAre("T", "Hello", "ROMAN"));
    EXPECT_EQ(text.color, 5);
    EXPECT_THAT((std::vector {text.x, text.y, text.z, text.alignX, text.alignY, text.alignZ, text.height, text.widthFactor}),
                ElementsAre(1.5, 2.5, 0.25, 4.5, 5.5, 0.75, 2.0, 0.8));
    EXPECT_THAT((std::vector {text.rotation, text.obliqueAngle}),
                ElementsAre(DoubleNear(30 * degree, 1e-9), DoubleNear(15 * degree, 1e-9)));
    EXPECT_EQ(text.horizontalJustification, 1);
    EXPECT_EQ(text.verticalJustification, 2);

    ASSERT_EQ(dxf.inserts.size(), 1u);
    const DXF_ADD_INSERT& insert = dxf.inserts[0];
    EXPECT_THAT((std::vector<std::string> {insert.blockName, insert.layer}), ElementsAre("BLK", "I"));
    EXPECT_THAT((std::vector {insert.x, insert.y, insert.z, insert.scaleX, insert.scaleY, insert.scaleZ}),
                ElementsAre(7.0, 8.0, 9.0, 2.0, 3.0, 4.0));
    EXPECT_NEAR(insert.rotation, 45 * degree, 1e-9);

    ASSERT_EQ(dxf.lwpolylines.size(), 1u);
    const std::vector<DXF_ADD_LWVERTEX>& lw = dxf.lwpolylines[0];
    ASSERT_EQ(lw.size(), 2u);
    EXPECT_THAT((std::vector {lw[0].x, lw[0].y, lw[0].startWidth, lw[0].endWidth, lw[0].bulge}),
                ElementsAre(1.0, 2.0, 0.1, 0.2, 0.3));
    EXPECT_THAT((std::vector {lw[1].x, lw[1].y, lw[1].startWidth, lw[1].endWidth, lw[1].bulge}),
                ElementsAre(3.0, 4.0, 0.4, 0.5, -0.6));
}

TEST(DxfParser, BlockMarkersOutsideBlocksFail)
{
    RecordingDxf block;
    EXPECT_EQ(block.Run(DxfEntities({{0, "BLOCK"}, {2, "B"}})), kDxfReadFailed);
    RecordingDxf endblk;
    EXPECT_EQ(endblk.Run(DxfEntities({{0, "ENDBLK"}})), kDxfReadFailed);
}

TEST(DxfParser, MTextKeepsItsTextAndTakesRotationFromItsDirection)
{
    RecordingDxf dxf;
    ASSERT_EQ(dxf.Run(DxfEntities({{0, "MTEXT"}, {1, "a\\Pb"}, {10, "1"}, {11, "2"}, {21, "2"}, {71, "5"},
                                   {0, "MTEXT"}, {1, "c"}, {50, "90"}, {0, "MTEXT"}, {1, "d"}, {21, "1"}})),
              kDxfOk);
    ASSERT_EQ(dxf.mtexts.size(), 3u);
    EXPECT_EQ(dxf.mtexts[0].text, "a\\Pb");
    EXPECT_DOUBLE_EQ(dxf.mtexts[0].rotation, M_PI / 4);
    EXPECT_EQ(dxf.mtexts[0].attachmentPoint, 5);
    EXPECT_NEAR(dxf.mtexts[1].rotation, M_PI / 2, 1e-9);
    EXPECT_DOUBLE_EQ(dxf.mtexts[2].rotation, M_PI / 2);
}

TEST(DxfParser, VertexCountsNeverSizeTheArrays)
{
    RecordingDxf dxf;
    ASSERT_EQ(dxf.Run(DxfEntities({{0, "LWPOLYLINE"}, {90, "2000000000"}, {20, "9"}, {42, "9"}, {10, "1"}, {20, "2"},
                                   {10, "3"}, {20, "4"}, {42, "0.5"},
                                   {0, "LWPOLYLINE"}, {90, "1"}, {43, "2"}, {10, "1"}, {20, "1"}, {10, "5"}, {20, "5"},
                                   {0, "LEADER"}, {76, "-4"}, {10, "1"}, {20, "1"},
                                   // Degree, knot and fit-point counts beside the control-point count.
                                   {0, "SPLINE"}, {71, "3"}, {72, "9"}, {73, "2"}, {74, "0"}, {10, "1"}, {20, "1"},
                                   {10, "2"}, {20, "2"}, {10, "3"}, {20, "3"}})),
              kDxfOk);
    ASSERT_EQ(dxf.lwpolylines.size(), 2u);
    ASSERT_EQ(dxf.lwpolylines[0].size(), 2u);
    EXPECT_EQ(dxf.lwpolylines[0][0].y, 2.0);
    EXPECT_EQ(dxf.lwpolylines[0][0].bulge, 0.0);
    EXPECT_EQ(dxf.lwpolylines[0][1].bulge, 0.5);
    ASSERT_EQ(dxf.lwpolylines[1].size(), 1u);
    EXPECT_EQ(dxf.lwpolylines[1][0].x, 1.0);
    EXPECT_EQ(dxf.lwpolylines[1][0].y, 1.0);
    EXPECT_EQ(dxf.lwpolylines[1][0].startWidth, 2.0);
    EXPECT_THAT(dxf.calls, testing::Contains("Leader 0"));
    EXPECT_THAT(dxf.calls, testing::Contains("Spline 2"));
}

TEST(DxfParser, PolylineSequenceAndExtendedData)
{
    RecordingDxf dxf;
    ASSERT_EQ(dxf.Run(DxfEntities({{0, "POLYLINE"}, {66, "1"}, {40, "0.5"}, {1001, "APP"}, {1000, "hello"}, {1001, "TWO"}, {1070, "7"},
                                   {0, "VERTEX"}, {10, "1"}, {20, "2"}, {42, "1"}, {1001, "IGNORED"},
                                   {0, "VERTEX"}, {10, "3"}, {20, "4"}, {41, "2"},
                                   {0, "SEQEND"}})),
              kDxfOk);
    EXPECT_THAT(dxf.calls, testing::ElementsAre("XBegin APP", "X 1000 hello", "XEnd APP", "XBegin TWO", "X 1070 7", "XEnd TWO",
                                                "Polyline", "Vertex", "Vertex", "EndPolyline"));
    ASSERT_EQ(dxf.vertices.size(), 2u);
    EXPECT_EQ(dxf.vertices[0].bulge, 1.0);
    EXPECT_EQ(dxf.vertices[0].startWidth, 0.5);
    EXPECT_EQ(dxf.vertices[1].endWidth, 2.0);
}

TEST(DxfParser, CallbackRefusalAndCancelEndTheRead)
{
    RecordingDxf refused;
    refused.failOn = "Line";
    EXPECT_EQ(refused.Run(DxfEntities(Concat({Line(0, 0, 1, 1), Line(0, 0, 2, 2)}))), kDxfReadFailed);
    EXPECT_EQ(refused.lines.size(), 1u);
    EXPECT_EQ(refused.readErrors, 1);
    EXPECT_EQ(refused.headers, 1);

    // Asked at items 0, 20, 40 ... outside BLOCKS only.
    DxfPairs many;
    for (int i = 0; i < 45; ++i)
        many = Concat({many, Line(0, 0, i, i)});
    DxfPairs blockBody = {{0, "BLOCK"}, {2, "B"}};
    for (int i = 0; i < 45; ++i)
        blockBody = Concat({blockBody, Line(0, 0, i, i)});
    blockBody.push_back({0, "ENDBLK"});
    RecordingDxf counting;
    ASSERT_EQ(counting.Run(DxfBlocksAndEntities(blockBody, many)), kDxfOk);
    EXPECT_EQ(counting.continueAsked, 2); // items 60 and 80 of the 92; 0, 20, 40 were in BLOCKS

    RecordingDxf cancelled;
    cancelled.stopAfterContinue = 2;
    EXPECT_EQ(cancelled.Run(DxfEntities(many)), kDxfReadFailed);
    EXPECT_EQ(cancelled.lines.size(), 20u);
}
