// The writer's bytes, and drawings written and read back through the engine.
#include "exchange/dxf/DxfWriter.h"

#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfReader.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

using morvel::test::ReadAllText;
using morvel::test::TempDir;

namespace {

// A writer whose entity section is whatever the test writes.
class ScriptedSave : public DXFSave
{
public:
    ScriptedSave(const std::string& path, std::function<void(ScriptedSave&)> body, bool nul = false, bool handles = false)
        : DXFSave(path, nul, handles), m_body(std::move(body))
    {
    }
    using DXFSave::WriteArc;
    using DXFSave::WriteDouble;
    using DXFSave::WriteLayer;
    using DXFSave::WriteLine;
    using DXFSave::WriteLtype;
    using DXFSave::WriteString;
    using DXFSave::WriteText;
    using DXFSave::WriteULong;

protected:
    int GetLayerCount() override { return 0; }
    int WriteLayers() override { return 0; }
    int WriteEntities() override
    {
        if (m_body)
            m_body(*this);
        return 0;
    }

private:
    std::function<void(ScriptedSave&)> m_body;
};

// The ENTITIES section's contents of a written file.
std::string EntitiesOf(const std::string& file)
{
    const std::string start = "   2\r\nENTITIES\r\n";
    const size_t a = file.find(start);
    const size_t b = file.rfind("   0\r\nENDSEC\r\n");
    if (a == std::string::npos || b == std::string::npos || b < a)
        return "";
    return file.substr(a + start.size(), b - a - start.size());
}

std::string WriteScripted(std::function<void(ScriptedSave&)> body, bool nul = false, bool handles = false)
{
    TempDir dir;
    const std::string path = dir.file("out.dxf");
    {
        ScriptedSave save(path, std::move(body), nul, handles);
        EXPECT_EQ(save.WriteSections(), 0);
    }
    return ReadAllText(path);
}

std::unique_ptr<DXFPLine> MakePLine(std::initializer_list<DxfPLineVertex> vertices, bool closed = false)
{
    std::vector<DxfPLineVertex> v(vertices);
    auto line = std::make_unique<DXFPLine>();
    line->SetVertices(v.data(), v.size());
    line->SetClosed(closed);
    return line;
}

std::string WriteDrawing(CDxfFile& drawing, const std::string& path)
{
    CDxfWriter writer(&drawing, path, false);
    EXPECT_EQ(writer.WriteSections(), 0);
    return "";
}

} // namespace

TEST(DxfWriter, AnEmptyDrawingIsExactly452Bytes)
{
    TempDir dir;
    const std::string path = dir.file("empty.dxf");
    CDxfFile drawing;
    {
        CDxfWriter writer(&drawing, path, false);
        ASSERT_EQ(writer.WriteSections(), 0);
    }
    const std::string expected =
        "   0\r\nSECTION\r\n   2\r\nHEADER\r\n   0\r\nENDSEC\r\n"
        "   0\r\nSECTION\r\n   2\r\nTABLES\r\n"
        "   0\r\nTABLE\r\n   2\r\nLTYPE\r\n  70\r\n1\r\n"
        "0\r\nLTYPE\r\n2\nCONTINUOUS\r\n70\r\n64\r\n3\r\nSolid line\r\n72\r\n65\r\n73\r\n0\r\n40\r\n0.0\r\n"
        "   0\r\nENDTAB\r\n"
        "   0\r\nTABLE\r\n   2\r\nLAYER\r\n  70\r\n0\r\n   0\r\nENDTAB\r\n"
        "   0\r\nTABLE\r\n   2\r\nAPPID\r\n  70\r\n0\r\n   0\r\nENDTAB\r\n"
        "   0\r\nTABLE\r\n   2\r\nAPPID\r\n  70\r\n0\r\n   0\r\nENDTAB\r\n"
        "   0\r\nENDSEC\r\n"
        "   0\r\nSECTION\r\n   2\r\nBLOCKS\r\n   0\r\nENDSEC\r\n"
        "   0\r\nSECTION\r\n   2\r\nENTITIES\r\n   0\r\nENDSEC\r\n"
        "   0\r\nEOF\r\n";
    const std::string written = ReadAllText(path);
    EXPECT_EQ(written.size(), 452u);
    EXPECT_EQ(written, expected);

    // And the engine reads it back.
    CDxfFile back;
    CDxfReader reader;
    EXPECT_EQ(reader.ReadFile(path, &back), kDxfOk);
}

TEST(DxfWriter, Doubles)
{
    struct Case
    {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {5.0, "5.0"},
        {5.000001, "5.0"},
        {4.999999, "4.999999"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {0.0, "0.0"},
        {-3.0, "-3.0"},
        {1234567.123456789, "1234567.12345679"},
        {99.99999999999999, "100"},
        {3000000000.0, "3000000000.0"},
        {-3000000000.25, "-3000000000.25"},
        {-0.000001, "0.0"},
        {1e20, "100000000000000000000.0"},
        {1.5e-7, "0.0"},
        {0.00002, "2e-05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string out = WriteScripted([&](ScriptedSave& s) { s.WriteDouble(10, c.value); });
        EXPECT_EQ(EntitiesOf(out), std::string("  10\r\n") + c.text + "\r\n");
    }
}

TEST(DxfWriter, GroupsAndTexts)
{
    const std::string out = WriteScripted([](ScriptedSave& s) {
        s.WriteString(8, "Stra\xC3\x9F" "e \xCE\x9B \xE2\x82\xAC");
        s.WriteString(6, "dashed");
        s.WriteULong(62, -7);
        s.WriteString(1000, "x");
    });
    EXPECT_EQ(EntitiesOf(out), "   8\r\nStra\xDF" "e ? \x80\r\n   6\r\nDASHED\r\n  62\r\n-7\r\n1000\r\nx\r\n");

    const std::string nul = WriteScripted([](ScriptedSave& s) { s.WriteString(8, "A"); }, true);
    EXPECT_NE(nul.find(std::string("   8\r\nA\0", 8)), std::string::npos);
    EXPECT_EQ(nul.find("A\r\n"), std::string::npos);
    EXPECT_EQ(nul.substr(0, 14), std::string("   0\r\nSECTION\0", 14));
}

TEST(DxfWriter, TableEntriesAndOtherEntityWriters)
{
    const std::string out = WriteScripted([](ScriptedSave& s) {
        DXF_ADD_LAYER layer;
        layer.name = "A|B";
        layer.color = 3;
        layer.on = false;
        layer.locked = true;
        layer.linetype = "";
        s.WriteLayer(layer);
        DXF_ADD_LTYPE ltype;
        ltype.name = "dash";
        ltype.description = "- -";
        ltype.dashCount = 2;
        ltype.totalLength = 1.5;
        ltype.dashes[0] = 1;
        ltype.dashes[1] = -0.5;
        s.WriteLtype(ltype);
        DXF_ADD_TEXT text;
        text.layer = "T";
        text.text = "hi";
        text.style = "standard";
        text.rotation = 3.1415926535 / 2;
        s.WriteText(text);
        DXF_ADD_ARC arc;
        arc.layer = "A";
        arc.handle = 0x2A;
        arc.x = 1.5;
        arc.y = 2.5;
        arc.z = 3.5;
        arc.radius = 4;
        arc.startAngle = M_PI / 4;
        arc.endAngle = M_PI;
        s.WriteArc(arc);
    }, false, true);
    EXPECT_EQ(EntitiesOf(out),
              "   0\r\nLAYER\r\n   2\r\nA|B\r\n  62\r\n-3\r\n   6\r\nCONTINUOUS\r\n  70\r\n20\r\n"
              "   0\r\nLTYPE\r\n   2\r\nDASH\r\n  70\r\n0\r\n   3\r\n- -\r\n  72\r\n65\r\n  73\r\n2\r\n  40\r\n1.5\r\n"
              "  49\r\n1.0\r\n  49\r\n-0.5\r\n"
              "   0\r\nTEXT\r\n   8\r\nT\r\n  62\r\n256\r\n   5\r\nFFFFFFFF\r\n  10\r\n0.0\r\n  20\r\n0.0\r\n  30\r\n0.0\r\n"
              "  40\r\n0.0\r\n   1\r\nhi\r\n  50\r\n90.0\r\n  71\r\n0\r\n"
              "   0\r\nARC\r\n   8\r\nA\r\n  62\r\n256\r\n   5\r\n2A\r\n  40\r\n4.0\r\n  50\r\n45.0\r\n  51\r\n180.0\r\n"
              "  10\r\n1.5\r\n  20\r\n2.5\r\n  30\r\n3.5\r\n");
}

TEST(DxfWriter, DrawingEntities)
{
    CDxfFile drawing;
    CDxfLayer* layer = drawing.AddLayer("Survey");
    layer->SetColor(5);
    auto block = std::make_unique<CDxfBlock>();
    block->SetName("*PT");
    CDxfBlock* pt = block.get();
    drawing.AddBlock(std::move(block));

    auto flat = MakePLine({{0, 0, 12.5, 0}, {1, 0, 12.5, 0.5}}, true);
    flat->SetLayer(layer);
    drawing.GetModelSpace()->AddEntity(std::move(flat));
    auto steep = MakePLine({{0, 0, 1, 0}, {1, 1, 2, 0}});
    steep->SetLayer(layer);
    drawing.GetModelSpace()->AddEntity(std::move(steep));
    auto bare = std::make_unique<CDxfInsert>();
    bare->SetBlock(pt);
    bare->SetLayer(layer);
    bare->SetTransform(1, 2, 3, 1, 1, 1, 0);
    drawing.GetModelSpace()->AddEntity(std::move(bare));
    auto point = std::make_unique<DXFPoint>();
    point->SetLocation(CLocation(7, 8, 9));
    point->SetLayer(layer);
    point->SetColor(2);
    drawing.GetModelSpace()->AddEntity(std::move(point));
    drawing.GetModelSpace()->AddEntity(std::make_unique<DXFPLine>()); // no vertices: not written
    drawing.GetModelSpace()->AddEntity(std::make_unique<DXFCircle>()); // not written

    TempDir dir;
    const std::string path = dir.file("d.dxf");
    WriteDrawing(drawing, path);
    const std::string out = ReadAllText(path);
    EXPECT_NE(out.find("   0\r\nLAYER\r\n   2\r\nSurvey\r\n  62\r\n5\r\n   6\r\nCONTINUOUS\r\n  70\r\n0\r\n"), std::string::npos);
    EXPECT_NE(out.find("   0\r\nBLOCK\r\n   8\r\n0\r\n   2\r\n*PT\r\n  70\r\n65\r\n  10\r\n0.0\r\n  20\r\n0.0\r\n  30\r\n0.0\r\n"
                       "   0\r\nENDBLK\r\n   8\r\n0\r\n"),
              std::string::npos);
    EXPECT_EQ(EntitiesOf(out),
              "   0\r\nPOLYLINE\r\n   8\r\nSurvey\r\n   6\r\nCONTINUOUS\r\n  62\r\n256\r\n  70\r\n1\r\n"
              "  10\r\n0.0\r\n  20\r\n0.0\r\n  30\r\n12.5\r\n  66\r\n1\r\n"
              "   0\r\nVERTEX\r\n   8\r\nSurvey\r\n  10\r\n0.0\r\n  20\r\n0.0\r\n  30\r\n12.5\r\n"
              "   0\r\nVERTEX\r\n   8\r\nSurvey\r\n  42\r\n0.5\r\n  10\r\n1.0\r\n  20\r\n0.0\r\n  30\r\n12.5\r\n"
              "   0\r\nSEQEND\r\n   8\r\nSurvey\r\n"
              "   0\r\nPOLYLINE\r\n   8\r\nSurvey\r\n   6\r\nCONTINUOUS\r\n  62\r\n256\r\n  70\r\n8\r\n"
              "  10\r\n0.0\r\n  20\r\n0.0\r\n  30\r\n1.0\r\n  66\r\n1\r\n"
              "   0\r\nVERTEX\r\n   8\r\nSurvey\r\n  70\r\n32\r\n  10\r\n0.0\r\n  20\r\n0.0\r\n  30\r\n1.0\r\n"
              "   0\r\nVERTEX\r\n   8\r\nSurvey\r\n  70\r\n32\r\n  10\r\n1.0\r\n  20\r\n1.0\r\n  30\r\n2.0\r\n"
              "   0\r\nSEQEND\r\n   8\r\nSurvey\r\n"
              "   0\r\nINSERT\r\n   8\r\nSurvey\r\n  62\r\n256\r\n   6\r\nBYLAYER\r\n   2\r\n*PT\r\n"
              "  10\r\n1.0\r\n  20\r\n2.0\r\n  30\r\n3.0\r\n"
              "   0\r\nPOINT\r\n   8\r\n0\r\n  62\r\n2\r\n  10\r\n7.0\r\n  20\r\n8.0\r\n  30\r\n9.0\r\n");
}

TEST(DxfWriter, WriteFailuresAreReported)
{
    ScriptedSave nowhere("/nonexistent/folder/out.dxf", nullptr);
    EXPECT_EQ(nowhere.WriteSections(), 1);
    ScriptedSave unnamed("", nullptr);
    EXPECT_EQ(unnamed.WriteSections(), 1);

    // A device that takes no bytes: everything waits in the buffer until the final flush.
    ScriptedSave full("/dev/full", nullptr);
    EXPECT_NE(full.WriteSections(), 0);
}

TEST(DxfWriter, DrawingsReadBackThroughTheEngine)
{
    CDxfFile drawing;
    CDxfLayer* roads = drawing.AddLayer("Stra\xC3\x9F" "en");
    roads->SetColor(1);
    CDxfLayer* greek = drawing.AddLayer("\xCE\x9B" "ayer");
    greek->SetColor(3);

    auto symbol = std::make_unique<CDxfBlock>();
    symbol->SetName("Mark\xC3\xA9");
    CDxfBlock* mark = symbol.get();
    mark->AddEntity(MakePLine({{-1, 0, 0, 0}, {1, 0, 0, 0}}));
    auto dot = std::make_unique<DXFPoint>();
    dot->SetLocation(CLocation(0, 0, 0));
    mark->AddEntity(std::move(dot));
    drawing.AddBlock(std::move(symbol));

    auto insert = std::make_unique<CDxfInsert>();
    insert->SetBlock(mark);
    insert->SetLayer(roads);
    insert->SetColor(4);
    insert->SetTransform(1000.25, 2000.5, 10.125, 2, 2, 1, M_PI / 6);
    const char* const tags[][2] = {{"PT", "101"}, {"DESC", "Kerb \xC3\xB6"}, {"ELEV", "10.125"}};
    for (const auto& tv : tags) {
        DXF_ADD_ATTRIB a;
        a.tag = tv[0];
        a.value = tv[1];
        a.x = 1000.25;
        a.y = 2000.5;
        a.height = 0.2;
        auto attribute = std::make_unique<DXFAttrib>();
        attribute->SetFromRecord(a);
        insert->AddAttribute(std::move(attribute));
    }
    drawing.GetModelSpace()->AddEntity(std::move(insert));
    auto flat = MakePLine({{0, 0, 5, 0}, {10, 0, 5, 1}, {10, 10, 5, 0}}, true);
    flat->SetLayer(roads);
    drawing.GetModelSpace()->AddEntity(std::move(flat));
    auto steep = MakePLine({{0, 0, 1, 0}, {10, 0, 2, 0}});
    steep->SetLayer(greek);
    drawing.GetModelSpace()->AddEntity(std::move(steep));
    auto point = std::make_unique<DXFPoint>();
    point->SetLocation(CLocation(123456.789, 654321.987, 45.678));
    point->SetLayer(greek);
    drawing.GetModelSpace()->AddEntity(std::move(point));

    TempDir dir;
    const std::string path = dir.file("round.dxf");
    CDxfFile back;
    CDxfReader reader;
    drawing.AddLayer("0");
    WriteDrawing(drawing, path);
    ASSERT_EQ(reader.ReadFile(path, &back), kDxfOk);
    ASSERT_EQ(back.GetLayerCount(), 3u);
    EXPECT_EQ(back.GetLayer(0)->GetName(), "Stra\xC3\x9F" "en");
    EXPECT_EQ(back.GetLayer(0)->GetColor(), 1);
    EXPECT_EQ(back.GetLayer(1)->GetName(), "?ayer"); // beyond Windows-1252
    EXPECT_EQ(back.GetLayer(2)->GetName(), "0");
    EXPECT_EQ(back.GetLayer(2)->GetColor(), 7); // made without a colour, written in the default one

    ASSERT_EQ(back.GetBlockCount(), 1u);
    const CDxfBlock* b = back.GetBlock(0);
    EXPECT_EQ(b->GetName(), "Mark\xC3\xA9");
    ASSERT_EQ(b->GetEntityCount(), 2u);
    EXPECT_EQ(b->GetEntity(0)->GetType(), kDxfPLineEntity);
    EXPECT_EQ(b->GetEntity(1)->GetType(), kDxfPointEntity);

    const CDxfBlock* m = back.GetModelSpace();
    ASSERT_EQ(m->GetEntityCount(), 4u);
    ASSERT_EQ(m->GetEntity(0)->GetType(), kDxfInsertEntity);
    const auto* in = static_cast<const CDxfInsert*>(m->GetEntity(0));
    EXPECT_EQ(in->GetBlock(), b);
    EXPECT_EQ(in->GetColor(), 4);
    EXPECT_EQ(in->GetLayer(), back.GetLayer(0));
    EXPECT_EQ(in->GetTransform().m_offsetX, 1000.25);
    EXPECT_EQ(in->GetTransform().m_offsetY, 2000.5);
    EXPECT_EQ(in->GetTransform().m_offsetZ, 10.125);
    EXPECT_EQ(in->GetTransform().m_scaleX, 2.0);
    EXPECT_NEAR(in->GetTransform().m_rotation, M_PI / 6, 1e-9);
    ASSERT_EQ(in->GetAttributeCount(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(in->GetAttribute(i)->GetRecord().tag, tags[i][0]);
        EXPECT_EQ(in->GetAttribute(i)->GetRecord().value, tags[i][1]);
        EXPECT_EQ(in->GetAttribute(i)->GetRecord().height, 0.2);
        EXPECT_EQ(in->GetAttribute(i)->GetLayer(), back.GetLayer(0));
    }

    const auto* flatBack = static_cast<const DXFPLine*>(m->GetEntity(1));
    ASSERT_EQ(flatBack->GetVertexCount(), 3u);
    EXPECT_TRUE(flatBack->IsClosed());
    EXPECT_EQ(flatBack->GetVertex(1).bulge, 1.0);
    EXPECT_EQ(flatBack->GetVertex(2).y, 10.0);
    EXPECT_EQ(flatBack->GetVertex(2).z, 5.0);
    const auto* steepBack = static_cast<const DXFPLine*>(m->GetEntity(2));
    ASSERT_EQ(steepBack->GetVertexCount(), 2u);
    EXPECT_EQ(steepBack->GetVertex(0).z, 1.0);
    EXPECT_EQ(steepBack->GetVertex(1).z, 2.0);
    EXPECT_EQ(steepBack->GetLayer(), back.GetLayer(1));
    const auto* pointBack = static_cast<const DXFPoint*>(m->GetEntity(3));
    EXPECT_EQ(pointBack->GetLocation().x, 123456.789);
    EXPECT_EQ(pointBack->GetLocation().y, 654321.987);
    EXPECT_EQ(pointBack->GetLocation().z, 45.678);
}
