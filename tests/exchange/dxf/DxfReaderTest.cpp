// The drawing builder: the public sample drawings and the builder's own rules.
#include "exchange/dxf/DxfReader.h"

#include "core/NoValue.h"
#include "exchange/dxf/DxfFile.h"

#include "DxfTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using morvel::test::DxfBlocksAndEntities;
using morvel::test::DxfEntities;
using morvel::test::DxfPairs;
using morvel::test::DxfText;
using morvel::test::SharedTestDataPath;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

int ReadText(const std::string& text, CDxfFile& drawing)
{
    TempDir dir;
    const std::string path = dir.file("t.dxf");
    WriteAllText(path, text);
    CDxfReader reader;
    return reader.ReadFile(path, &drawing);
}

int CountType(const CDxfBlock* block, int type)
{
    int n = 0;
    CDxfEntity* e = nullptr;
    for (CDxfEntityIterator it(block, type); it.Next(e);)
        ++n;
    return n;
}

const CDxfInsert* InsertAt(const CDxfBlock* block, size_t i)
{
    return static_cast<const CDxfInsert*>(block->GetEntity(i));
}

std::string Attr(const CDxfInsert* insert, size_t i)
{
    const DXF_ADD_ATTRIB& r = insert->GetAttribute(i)->GetRecord();
    return r.tag + "=" + r.value;
}

} // namespace

TEST(DxfReaderSamples, EveryTextSampleReadsAsExpected)
{
    struct Case
    {
        const char* file;
        int result;
        size_t modelEntities;
        size_t blocks;
    };
    const Case cases[] = {
        {"ezdxf_Leica_Disto_S910.dxf", kDxfOk, 32, 0},
        {"derived_truncated_Leica_Disto_S910.dxf", kDxfReadFailed, 15, 0},
        {"ezdxf_ASCII_R12.dxf", kDxfOk, 3, 2},
        {"ezdxf_AC1003_LINE_Example.dxf", kDxfOk, 22, 0},
        {"ezdxf_Minimal_DXF_AC1009.dxf", kDxfOk, 0, 0},
        {"ezdxf_R12_with_trash_beyond_EOF.dxf", kDxfOk, 1, 0},
        {"ezdxf_empty_handles.dxf", kDxfOk, 8, 0},
        {"ezdxf_cc_dxflib.dxf", kDxfOk, 1, 3},
        {"ezdxf_recover01.dxf", kDxfReadFailed, 18, 0},
        {"ezdxf_small_r14.dxf", kDxfOk, 0, 1},
        {"ezdxf_multi_insert_with_attribs.dxf", kDxfOk, 1, 3},
        {"bezitopo_tinytin-txt.dxf", kDxfOk, 0, 2}, // 3DFACEs only, which the drawing does not keep
        {"gdal_attrib.dxf", kDxfOk, 2, 1},
        {"gdal_attrib-nested.dxf", kDxfOk, 1, 3},
        {"gdal_insert_only.dxf", kDxfOk, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = SharedTestDataPath(c.file);
        bool binary = true;
        ASSERT_TRUE(CDxfReader::IsBinaryFile(binary, path));
        EXPECT_FALSE(binary);
        CDxfFile drawing;
        CDxfReader reader;
        EXPECT_EQ(reader.ReadFile(path, &drawing), c.result);
        EXPECT_EQ(drawing.GetModelSpace()->GetEntityCount(), c.modelEntities);
        EXPECT_EQ(drawing.GetBlockCount(), c.blocks);
    }
}

TEST(DxfReaderSamples, BinaryFilesAreDetectedAndRefused)
{
    for (const char* file : {"ezdxf_bin_dxf_r12.dxf", "ezdxf_bin_dxf_r2000.dxf", "bezitopo_tinytin-bin.dxf"}) {
        SCOPED_TRACE(file);
        bool binary = false;
        ASSERT_TRUE(CDxfReader::IsBinaryFile(binary, SharedTestDataPath(file)));
        EXPECT_TRUE(binary);
        CDxfFile drawing;
        CDxfReader reader;
        EXPECT_EQ(reader.ReadFile(SharedTestDataPath(file), &drawing), kDxfReadFailed);
        EXPECT_EQ(drawing.GetLayerCount(), 0u);
        EXPECT_EQ(drawing.GetModelSpace()->GetEntityCount(), 0u);
    }
    bool binary = true;
    EXPECT_FALSE(CDxfReader::IsBinaryFile(binary, "/nonexistent/x.dxf"));
    EXPECT_TRUE(binary); // untouched
}

TEST(DxfReaderSamples, LaserMeterPoints)
{
    CDxfFile drawing;
    CDxfReader reader;
    ASSERT_EQ(reader.ReadFile(SharedTestDataPath("ezdxf_Leica_Disto_S910.dxf"), &drawing), kDxfOk);
    const CDxfBlock* model = drawing.GetModelSpace();
    EXPECT_EQ(CountType(model, kDxfPointEntity), 11);
    EXPECT_EQ(CountType(model, kDxfPLineEntity), 10);
    EXPECT_EQ(CountType(model, kDxfTextEntity), 11);
    const auto* second = static_cast<const DXFPoint*>(model->GetEntity(1));
    ASSERT_EQ(second->GetType(), kDxfPointEntity);
    EXPECT_EQ(second->GetLocation().x, -0.028899);
    EXPECT_EQ(second->GetLocation().y, 0.001331);
    EXPECT_EQ(second->GetLocation().z, -1.056596);
    EXPECT_EQ(second->GetLayer()->GetName(), "LEICA_DISTO_POINT_ENTITY");
    EXPECT_EQ(second->GetColorRef(), DxfRgb(255, 0, 255)); // by layer, colour 6
    EXPECT_EQ(reader.GetHeader().acadVersion, "AC1009");
}

TEST(DxfReaderSamples, InsertsAndAttributes)
{
    {
        CDxfFile drawing;
        CDxfReader reader;
        ASSERT_EQ(reader.ReadFile(SharedTestDataPath("ezdxf_multi_insert_with_attribs.dxf"), &drawing), kDxfOk);
        const CDxfInsert* flag = InsertAt(drawing.GetModelSpace(), 0);
        ASSERT_TRUE(flag->IsInsert());
        EXPECT_EQ(flag->GetBlock()->GetName(), "FLAG");
        ASSERT_EQ(flag->GetAttributeCount(), 3u);
        EXPECT_EQ(Attr(flag, 0), "NAME=Flag");
        EXPECT_EQ(Attr(flag, 1), "XPOS=x = 0.000");
        EXPECT_EQ(Attr(flag, 2), "YPOS=y = 0.000");
    }
    {
        CDxfFile drawing;
        CDxfReader reader;
        ASSERT_EQ(reader.ReadFile(SharedTestDataPath("gdal_attrib.dxf"), &drawing), kDxfOk);
        const CDxfInsert* first = InsertAt(drawing.GetModelSpace(), 0);
        EXPECT_EQ(first->GetTransform().m_offsetX, 10.0);
        EXPECT_EQ(first->GetTransform().m_offsetY, 20.0);
        ASSERT_EQ(first->GetAttributeCount(), 3u);
        EXPECT_EQ(Attr(first, 0), "MYATT1=super test");
        EXPECT_EQ(Attr(first, 1), "MYATTMULTI_001=%%UCorps");
        EXPECT_EQ(Attr(first, 2), "MYATTMULTI_002=plpl");
        EXPECT_EQ(InsertAt(drawing.GetModelSpace(), 1)->GetAttributeCount(), 1u);
    }
    {
        CDxfFile drawing;
        CDxfReader reader;
        ASSERT_EQ(reader.ReadFile(SharedTestDataPath("gdal_insert_only.dxf"), &drawing), kDxfOk);
        const CDxfInsert* star = InsertAt(drawing.GetModelSpace(), 0);
        EXPECT_EQ(star->GetBlock(), drawing.GetBlock(0));
        EXPECT_EQ(drawing.GetBlock(0)->GetEntityCount(), 5u);
        EXPECT_NEAR(star->GetTransform().m_offsetX, 79.0976538, 1e-7);
        EXPECT_NEAR(star->GetTransform().m_offsetY, 119.962195, 1e-6);
        CExtent2D extent;
        EXPECT_TRUE(star->GetExtent(extent, nullptr));
    }
    {
        // OUTERBLOCK inserts INNERBLOCK, which is defined after it: the nested block is kept.
        CDxfFile drawing;
        CDxfReader reader;
        ASSERT_EQ(reader.ReadFile(SharedTestDataPath("gdal_attrib-nested.dxf"), &drawing), kDxfOk);
        EXPECT_EQ(drawing.GetBlock(1)->GetName(), "OUTERBLOCK");
        ASSERT_EQ(drawing.GetBlock(1)->GetEntityCount(), 1u);
        const CDxfInsert* inner = InsertAt(drawing.GetBlock(1), 0);
        ASSERT_NE(inner->GetBlock(), nullptr);
        EXPECT_EQ(inner->GetBlock()->GetName(), "INNERBLOCK");
        EXPECT_EQ(inner->GetAttributeCount(), 1u);
        EXPECT_EQ(InsertAt(drawing.GetModelSpace(), 0)->GetBlock(), drawing.GetBlock(1));
    }
}

TEST(DxfReaderSamples, PaperSpaceBlockAndCodePageLayerNames)
{
    CDxfFile drawing;
    CDxfReader reader;
    ASSERT_EQ(reader.ReadFile(SharedTestDataPath("ezdxf_ASCII_R12.dxf"), &drawing), kDxfOk);
    ASSERT_EQ(drawing.GetBlockCount(), 2u);
    EXPECT_EQ(drawing.GetBlock(0)->GetName(), "$MODEL_SPACE");
    EXPECT_EQ(drawing.GetBlock(1)->GetName(), "*U1");
    EXPECT_EQ(drawing.GetBlock(1)->GetEntityCount(), 1u);
    ASSERT_EQ(drawing.GetLayerCount(), 2u);
    // Windows-1252 bytes of the file and its \\U+ codes arrive as UTF-8.
    EXPECT_EQ(drawing.GetLayer(1)->GetName(), "\xCE\x9B\xCE\x91\xCE\x93\xCE\x95\xCE\xA1\xC3\x84\xC3\x9C\xC3\x96");
    EXPECT_EQ(InsertAt(drawing.GetModelSpace(), 0)->GetBlock(), drawing.GetBlock(1));
}

TEST(DxfReader, InsertsFindBlocksWithoutCaseWhereverTheyAreDefined)
{
    const DxfPairs blocks = {{0, "BLOCK"}, {2, "Tree"}, {0, "POINT"}, {10, "1"}, {20, "1"}, {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "Forest"}, {0, "INSERT"}, {2, "TREE"}, {10, "5"}, {0, "INSERT"}, {2, "LATER"},
                             {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "later"}, {0, "POINT"}, {0, "ENDBLK"}};
    const DxfPairs entities = {{0, "INSERT"}, {2, "tree"}, {10, "100"}, {20, "200"}, {41, "2"}, {50, "90"},
                               {0, "INSERT"}, {2, "LATER"}, {0, "INSERT"}, {2, "NONE"}};
    CDxfFile drawing;
    ASSERT_EQ(ReadText(DxfBlocksAndEntities(blocks, entities), drawing), kDxfOk);
    ASSERT_EQ(drawing.GetBlockCount(), 3u);
    ASSERT_EQ(drawing.GetBlock(1)->GetEntityCount(), 2u);
    EXPECT_EQ(InsertAt(drawing.GetBlock(1), 0)->GetBlock(), drawing.GetBlock(0));
    EXPECT_EQ(InsertAt(drawing.GetBlock(1), 1)->GetBlock(), drawing.GetBlock(2));
    ASSERT_EQ(drawing.GetModelSpace()->GetEntityCount(), 2u);
    const CDxfInsert* tree = InsertAt(drawing.GetModelSpace(), 0);
    EXPECT_EQ(tree->GetBlock(), drawing.GetBlock(0));
    EXPECT_EQ(tree->GetTransform().m_scaleX, 2.0);
    EXPECT_NEAR(tree->GetTransform().m_rotation, M_PI / 2, 1e-9);
    EXPECT_EQ(InsertAt(drawing.GetModelSpace(), 1)->GetBlock(), drawing.GetBlock(2));
}

// A block that inserts itself, directly or through another, would make every walk of the drawing
// endless: the insert that closes the loop is dropped, the rest is kept.
TEST(DxfReader, InsertsThatWouldLoopAreDropped)
{
    const DxfPairs blocks = {{0, "BLOCK"}, {2, "Self"}, {0, "POINT"}, {10, "1"}, {0, "INSERT"}, {2, "SELF"}, {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "Ping"}, {0, "INSERT"}, {2, "Pong"}, {0, "POINT"}, {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "Pong"}, {0, "INSERT"}, {2, "Ping"}, {0, "POINT"}, {10, "7"}, {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "Open"}, {0, "INSERT"}, {2, "Later"}};
    const DxfPairs entities = {{0, "INSERT"}, {2, "SELF"}, {0, "INSERT"}, {2, "PING"}, {0, "INSERT"}, {2, "PONG"}};
    CDxfFile drawing;
    ASSERT_EQ(ReadText(DxfBlocksAndEntities(blocks, entities), drawing), kDxfOk);
    ASSERT_EQ(drawing.GetBlockCount(), 3u);
    EXPECT_EQ(CountType(drawing.GetBlock(0), kDxfInsertEntity), 0);
    EXPECT_EQ(CountType(drawing.GetBlock(1), kDxfInsertEntity), 0);
    ASSERT_EQ(CountType(drawing.GetBlock(2), kDxfInsertEntity), 1);
    EXPECT_EQ(InsertAt(drawing.GetBlock(2), 0)->GetBlock(), drawing.GetBlock(1));
    ASSERT_EQ(drawing.GetModelSpace()->GetEntityCount(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        CExtent2D extent;
        EXPECT_TRUE(InsertAt(drawing.GetModelSpace(), i)->GetExtent(extent, nullptr)) << i;
    }
    EXPECT_FALSE(drawing.GetExtent().IsEmpty());
}

TEST(DxfReader, AttributesOfADroppedInsertAttachToNothing)
{
    const DxfPairs blocks = {{0, "BLOCK"}, {2, "B"}, {0, "ENDBLK"}};
    const DxfPairs entities = {
        {0, "INSERT"}, {2, "B"}, {66, "1"}, {0, "ATTRIB"}, {2, "A"}, {1, "1"}, {0, "SEQEND"},
        {0, "INSERT"}, {2, "UNDEFINED"}, {66, "1"}, {0, "ATTRIB"}, {2, "U"}, {1, "x"}, {0, "SEQEND"},
        {0, "INSERT"}, {2, "B"}, {67, "1"}, {66, "1"}, {0, "ATTRIB"}, {2, "P"}, {1, "x"}, {0, "SEQEND"},
        {0, "INSERT"}, {2, "B"}, {66, "1"}, {0, "ATTRIB"}, {2, "C"}, {1, "3"}, {0, "SEQEND"},
        {0, "INSERT"}, {2, "B"}, {43, "0"}, {66, "1"}, {0, "ATTRIB"}, {2, "Z"}, {1, "x"}, {0, "SEQEND"},
        {0, "ATTRIB"}, {2, "LOOSE"}, {1, "x"}};
    CDxfFile drawing;
    ASSERT_EQ(ReadText(DxfBlocksAndEntities(blocks, entities), drawing), kDxfOk);
    ASSERT_EQ(drawing.GetModelSpace()->GetEntityCount(), 2u);
    const CDxfInsert* a = InsertAt(drawing.GetModelSpace(), 0);
    const CDxfInsert* c = InsertAt(drawing.GetModelSpace(), 1);
    ASSERT_EQ(a->GetAttributeCount(), 1u);
    EXPECT_EQ(Attr(a, 0), "A=1");
    ASSERT_EQ(c->GetAttributeCount(), 1u);
    EXPECT_EQ(Attr(c, 0), "C=3");
}

TEST(DxfReader, BlockMarkersOutOfPlaceNeverHandOverModelSpace)
{
    // ENDBLK without BLOCK, a paper-space block, and a block never ended: read under the
    // address sanitizer, a block owned twice would show here.
    const DxfPairs blocks = {{0, "ENDBLK"},
                             {0, "BLOCK"}, {67, "1"}, {2, "PAPER"}, {0, "LINE"}, {10, "1"}, {0, "ENDBLK"}, {67, "1"},
                             {0, "ENDBLK"},
                             {0, "BLOCK"}, {2, "OPEN"}, {0, "POINT"}};
    CDxfFile drawing;
    ASSERT_EQ(ReadText(DxfBlocksAndEntities(blocks, {{0, "POINT"}, {10, "2"}}), drawing), kDxfOk);
    EXPECT_EQ(drawing.GetBlockCount(), 0u);
    ASSERT_EQ(drawing.GetModelSpace()->GetEntityCount(), 1u);
    EXPECT_EQ(drawing.GetModelSpace()->GetEntity(0)->GetType(), kDxfPointEntity);
}

TEST(DxfReader, PolylinesOfEveryKind)
{
    const DxfPairs entities = {
        {0, "POLYLINE"}, {8, "P"}, {70, "5"}, {0, "VERTEX"}, {10, "1"}, {20, "2"}, {30, "3"}, {42, "0.5"},
        {0, "VERTEX"}, {10, "9"}, {70, "8"}, {0, "VERTEX"}, {10, "4"}, {20, "5"}, {30, "6"}, {0, "SEQEND"},
        {0, "VERTEX"}, {10, "7"}, {0, "SEQEND"},
        {0, "LWPOLYLINE"}, {90, "2"}, {70, "1"}, {38, "12"}, {10, "0"}, {20, "0"}, {10, "3"}, {20, "4"}, {42, "1"},
        {0, "SOLID"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}, {12, "0"}, {22, "1"}, {13, "1"}, {23, "1"},
        {0, "SPLINE"}, {70, "8"}, {73, "2"}, {10, "1"}, {20, "1"}, {10, "2"}, {20, "2"},
        {0, "LEADER"}, {76, "2"}, {10, "1"}, {20, "1"}, {30, "5"}, {10, "2"}, {20, "2"}};
    CDxfFile drawing;
    ASSERT_EQ(ReadText(DxfEntities(entities), drawing), kDxfOk);
    const CDxfBlock* m = drawing.GetModelSpace();
    ASSERT_EQ(m->GetEntityCount(), 5u);
    for (size_t i = 0; i < 5; ++i)
        ASSERT_EQ(m->GetEntity(i)->GetType(), kDxfPLineEntity);
    const auto* poly = static_cast<const DXFPLine*>(m->GetEntity(0));
    ASSERT_EQ(poly->GetVertexCount(), 2u); // the spline-fit vertex and the stray one are dropped
    EXPECT_EQ(poly->GetVertex(0).bulge, 0.5);
    EXPECT_EQ(poly->GetVertex(1).z, 6.0);
    EXPECT_TRUE(poly->IsClosed());
    EXPECT_EQ(poly->GetFitKind(), 1);
    const auto* lw = static_cast<const DXFPLine*>(m->GetEntity(1));
    EXPECT_FALSE(lw->IsClosed());
    ASSERT_EQ(lw->GetVertexCount(), 2u);
    EXPECT_EQ(lw->GetVertex(1).z, 12.0);
    EXPECT_EQ(lw->GetVertex(1).bulge, 1.0);
    const auto* solid = static_cast<const DXFPLine*>(m->GetEntity(2));
    ASSERT_EQ(solid->GetVertexCount(), 4u);
    EXPECT_EQ(solid->GetVertex(1).x, 1.0);
    EXPECT_EQ(solid->GetVertex(1).y, 0.0);
    EXPECT_EQ(solid->GetVertex(2).x, 0.0);
    EXPECT_EQ(solid->GetVertex(2).y, 1.0);
    const auto* spline = static_cast<const DXFPLine*>(m->GetEntity(3));
    EXPECT_EQ(spline->GetFitKind(), 1);
    EXPECT_EQ(spline->GetVertex(0).z, NoValue);
    const auto* leader = static_cast<const DXFPLine*>(m->GetEntity(4));
    EXPECT_EQ(leader->GetVertex(0).z, 0.0);
}

TEST(DxfReader, MTextBecomesAText)
{
    const DxfPairs tables = {{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "STYLE"}, {0, "STYLE"}, {2, "Standard"},
                             {0, "STYLE"}, {2, "SHAPES"}, {70, "1"}, {0, "ENDTAB"},
                             {0, "TABLE"}, {2, "LAYER"}, {0, "LAYER"}, {2, "A"}, {62, "3"}, {0, "LAYER"}, {2, "a"}, {62, "4"},
                             {0, "ENDTAB"}, {0, "ENDSEC"}};
    const std::string text = DxfText(tables) + DxfEntities({{0, "MTEXT"}, {8, "a"}, {1, "one\\Ptwo\\pthree\\x"}, {10, "10"},
                                                            {20, "20"}, {71, "5"}, {0, "MTEXT"}, {8, "A"}, {1, "b"}, {10, "1"}, {20, "2"},
                                                            {71, "9"}, {7, "NONE"}, {0, "MTEXT"}, {8, "A"}, {1, "c"}, {71, "12"}});
    CDxfFile drawing;
    ASSERT_EQ(ReadText(text, drawing), kDxfOk);
    EXPECT_EQ(drawing.GetStyleCount(), 1u); // shape files are not text styles
    ASSERT_EQ(drawing.GetLayerCount(), 1u);
    EXPECT_EQ(drawing.GetLayer(0)->GetColor(), 3);
    const CDxfBlock* m = drawing.GetModelSpace();
    ASSERT_EQ(m->GetEntityCount(), 3u);
    const auto* middle = static_cast<const DXFText*>(m->GetEntity(0));
    EXPECT_EQ(middle->GetRecord().text, "one\ntwo\nthree\\x");
    EXPECT_EQ(middle->GetRecord().horizontalJustification, 1);
    EXPECT_EQ(middle->GetRecord().verticalJustification, 2);
    EXPECT_EQ(middle->GetRecord().alignX, 10.0);
    EXPECT_EQ(middle->GetRecord().alignY, 20.0);
    EXPECT_EQ(middle->GetRecord().alignZ, 0.0);
    EXPECT_EQ(middle->GetStyle(), drawing.GetStyle(0));
    EXPECT_EQ(middle->GetLayer(), drawing.GetLayer(0));
    const auto* bottomRight = static_cast<const DXFText*>(m->GetEntity(1));
    EXPECT_EQ(bottomRight->GetRecord().horizontalJustification, 2);
    EXPECT_EQ(bottomRight->GetRecord().verticalJustification, 1);
    EXPECT_EQ(bottomRight->GetRecord().alignX, 1.0);
    EXPECT_EQ(bottomRight->GetRecord().alignY, 0.0);
    EXPECT_EQ(bottomRight->GetStyle(), nullptr);
    const auto* fallback = static_cast<const DXFText*>(m->GetEntity(2));
    EXPECT_EQ(fallback->GetRecord().horizontalJustification, 0);
    EXPECT_EQ(fallback->GetRecord().verticalJustification, 3);
}

TEST(DxfReader, CoordinatesTheJobCannotHoldEndTheRead)
{
    struct Case
    {
        const char* name;
        DxfPairs bad;
    };
    const Case cases[] = {
        {"y below the no-value limit", {{0, "LINE"}, {10, "1"}, {21, "-1e8"}}},
        {"x overflowing", {{0, "POINT"}, {10, "1e999"}}},
        {"infinite y", {{0, "CIRCLE"}, {20, "-inf"}}},
        {"not a number in z", {{0, "POINT"}, {30, "nan"}}},
        {"an insert far away", {{0, "INSERT"}, {2, "X"}, {10, "-1e9"}}},
        {"a vertex", {{0, "POLYLINE"}, {0, "VERTEX"}, {20, "inf"}, {0, "SEQEND"}}},
        {"an lwpolyline vertex", {{0, "LWPOLYLINE"}, {90, "1"}, {10, "NaN"}, {20, "0"}}},
        {"a spline point", {{0, "SPLINE"}, {10, "0"}, {20, "-99900001"}}},
        {"a text", {{0, "TEXT"}, {1, "t"}, {10, "-1e300"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DxfPairs body = {{0, "POINT"}, {10, "1"}, {20, "2"}};
        body.insert(body.end(), c.bad.begin(), c.bad.end());
        body.push_back({0, "POINT"});
        CDxfFile drawing;
        EXPECT_EQ(ReadText(DxfEntities(body), drawing), kDxfReadFailed);
        EXPECT_EQ(drawing.GetModelSpace()->GetEntityCount(), 1u);
    }
    CDxfFile atLimit;
    EXPECT_EQ(ReadText(DxfEntities({{0, "POINT"}, {10, "-99900000"}, {20, "-99900000"}}), atLimit), kDxfOk);
}

TEST(DxfReader, MissingFileOrDrawing)
{
    CDxfFile drawing;
    CDxfReader reader;
    EXPECT_EQ(reader.ReadFile("/nonexistent/folder/x.dxf", &drawing), kDxfReadFailed);
    EXPECT_EQ(reader.ReadFile(SharedTestDataPath("gdal_insert_only.dxf"), nullptr), kDxfReadFailed);
}

TEST(DxfReader, MalformedSequencesKeepWhatWasRead)
{
    // A POLYLINE whose SEQEND is missing keeps its vertices when the next one starts; a text's
    // alignment point inside a block moves with the block's base point like its insertion point.
    const DxfPairs blocks = {{0, "BLOCK"}, {2, "B"}, {10, "100"}, {20, "200"},
                             {0, "TEXT"}, {1, "t"}, {10, "101"}, {20, "202"}, {11, "103"}, {21, "204"}, {72, "2"},
                             {0, "ENDBLK"}};
    const DxfPairs entities = {{0, "POLYLINE"}, {0, "VERTEX"}, {10, "1"}, {0, "VERTEX"}, {10, "2"},
                               {0, "POLYLINE"}, {0, "VERTEX"}, {10, "3"}, {0, "SEQEND"}};
    CDxfFile drawing;
    ASSERT_EQ(ReadText(DxfBlocksAndEntities(blocks, entities), drawing), kDxfOk);
    const CDxfBlock* m = drawing.GetModelSpace();
    ASSERT_EQ(m->GetEntityCount(), 2u);
    EXPECT_EQ(static_cast<const DXFPLine*>(m->GetEntity(0))->GetVertexCount(), 2u);
    EXPECT_EQ(static_cast<const DXFPLine*>(m->GetEntity(1))->GetVertexCount(), 1u);
    const auto* text = static_cast<const DXFText*>(drawing.GetBlock(0)->GetEntity(0));
    EXPECT_EQ(text->GetRecord().x, 1.0);
    EXPECT_EQ(text->GetRecord().alignX, 3.0);
    EXPECT_EQ(text->GetRecord().alignY, 4.0);
}
