// The drawing model: layers, colours, transforms, extents and the name tables.
#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfNameTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<DXFPLine> MakeLine(double x1, double y1, double x2, double y2)
{
    const DxfPLineVertex v[2] = {{x1, y1, 0, 0}, {x2, y2, 0, 0}};
    auto line = std::make_unique<DXFPLine>();
    line->SetVertices(v, 2);
    return line;
}

} // namespace

TEST(DxfModel, LayersAreFoundWithoutCase)
{
    CDxfFile drawing;
    CDxfLayer* roads = drawing.AddLayer("roads");
    ASSERT_NE(roads, nullptr);
    EXPECT_EQ(roads->GetColor(), kDxfNoLayerColor);
    roads->SetColor(3);
    EXPECT_EQ(drawing.AddLayer("ROADS"), nullptr);
    EXPECT_EQ(drawing.GetLayerCount(), 1u);
    EXPECT_EQ(roads->GetColor(), 3);
    CDxfLayer* fences = drawing.AddLayer("Fences");
    EXPECT_EQ(drawing.FindLayer("roads"), roads);
    EXPECT_EQ(drawing.FindLayer("ROADS"), roads); // from the cache
    EXPECT_EQ(drawing.FindLayer("fENCES"), fences);
    EXPECT_EQ(drawing.FindLayer("trees"), nullptr);
    // Case is folded in every alphabet a surveyor's layer names use, not only ASCII.
    CDxfLayer* greek = drawing.AddLayer("\xCE\x9B\xCE\x91\xCE\x93\xCE\x95\xCE\xA1\xC3\x84\xC3\x9C"); // ΛΑΓΕΡÄÜ
    ASSERT_NE(greek, nullptr);
    EXPECT_EQ(drawing.AddLayer("\xCE\xBB\xCE\xB1\xCE\xB3\xCE\xB5\xCF\x81\xC3\xA4\xC3\xBC"), nullptr); // λαγερäü
    EXPECT_EQ(drawing.FindLayer("\xCE\xBB\xCE\xB1\xCE\xB3\xCE\xB5\xCF\x81\xC3\xA4\xC3\xBC"), greek);
    CDxfLayer* city = drawing.AddLayer("\xC5\x81\xC3\xB3" "d\xC5\xBA"); // Łódź
    EXPECT_EQ(drawing.FindLayer("\xC5\x82\xC3\x93" "D\xC5\xB9"), city); // łÓDŹ
    EXPECT_EQ(drawing.FindLayer("\xD0\xB4\xD0\xBE\xD1\x80\xD0\xBE\xD0\xB3\xD0\xB0"), nullptr); // дорога
    CDxfLayer* road = drawing.AddLayer("\xD0\x94\xD0\x9E\xD0\xA0\xD0\x9E\xD0\x93\xD0\x90"); // ДОРОГА
    EXPECT_EQ(drawing.FindLayer("\xD0\xB4\xD0\xBE\xD1\x80\xD0\xBE\xD0\xB3\xD0\xB0"), road);
    EXPECT_EQ(drawing.FindLayer("\xC3\xA4\xC3\xBC"), nullptr); // letters of another name are not a match
    EXPECT_EQ(drawing.GetLayerCount(), 5u);
}

TEST(DxfModel, ColorsThroughTheTable)
{
    struct Case
    {
        const char* name;
        int32_t color;
        int32_t layerColor; // -1: no layer
        DxfColorRef expected;
    };
    const Case cases[] = {
        {"red", 1, -1, DxfRgb(255, 0, 0)},
        {"white shows black", 7, -1, DxfRgb(0, 0, 0)},
        {"last grey", 8, -1, DxfRgb(128, 128, 128)},
        {"purple 14", 14, -1, DxfRgb(128, 0, 128)},
        {"17 is black", 17, -1, DxfRgb(0, 0, 0)},
        {"18 is black", 18, -1, DxfRgb(0, 0, 0)},
        {"negative is black", -1, -1, DxfRgb(0, 0, 0)},
        {"very negative", INT32_MIN, -1, DxfRgb(0, 0, 0)},
        {"by layer green", 256, 3, DxfRgb(0, 255, 0)},
        {"by layer without colour", 256, 65535, DxfRgb(0, 0, 0)},
        {"by layer without a layer", 256, -1, DxfRgb(0, 0, 0)},
        {"own colour wins", 5, 3, DxfRgb(0, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDxfLayer layer("L", c.layerColor);
        DXFPoint point;
        point.SetColor(c.color);
        if (c.layerColor >= 0)
            point.SetLayer(&layer);
        EXPECT_EQ(point.GetColorRef(), c.expected);
    }
}

TEST(DxfModel, TransformRotatesScalesAndOffsets)
{
    CDxfTransform t;
    t.m_rotation = M_PI / 6;
    t.m_offsetX = 10;
    double x = 1, y = 2, z = 0;
    t.Apply(x, y, z);
    EXPECT_NEAR(x, 9.866025403784439, 1e-12);
    EXPECT_NEAR(y, 2.232050807568877, 1e-12);

    CDxfTransform s;
    s.m_scaleX = 2;
    s.m_scaleY = 3;
    s.m_scaleZ = 4;
    s.m_offsetZ = 1;
    const CLocation p = s.ApplyToLocation(CLocation(1, 1, 1));
    EXPECT_EQ(p.x, 2.0);
    EXPECT_EQ(p.y, 3.0);
    EXPECT_EQ(p.z, 5.0);

    CDxfTransform a, b;
    a.m_rotation = 3 * M_PI / 2;
    b.m_rotation = M_PI;
    a.m_scaleX = 2;
    b.m_scaleX = 3;
    a.m_scaleY = 5;
    a.m_offsetY = 1;
    b.m_offsetY = 2;
    const CDxfTransform c = a.Combine(&b);
    EXPECT_NEAR(c.m_rotation, M_PI / 2, 1e-12);
    EXPECT_EQ(c.m_scaleX, 6.0);
    EXPECT_EQ(c.m_scaleY, 5.0);
    EXPECT_EQ(c.m_offsetY, 3.0);
    EXPECT_EQ(b.Combine(&a).m_rotation, c.m_rotation);
    EXPECT_EQ(a.Combine(nullptr).m_rotation, a.m_rotation);
}

TEST(DxfModel, ExtentsOfTwoCorners)
{
    CExtent2D empty;
    CDxfTransform mirror;
    mirror.m_scaleX = -1;
    mirror.ApplyToExtent(empty);
    EXPECT_TRUE(empty.IsEmpty());

    CExtent2D box;
    box.AddPoint(CLocation(1, 2, 0));
    box.AddPoint(CLocation(3, 5, 0));
    mirror.ApplyToExtent(box);
    EXPECT_EQ(box.left, -3.0);
    EXPECT_EQ(box.right, -1.0);
    EXPECT_EQ(box.bottom, 2.0);
    EXPECT_EQ(box.top, 5.0);

    CDxfFile drawing;
    auto block = std::make_unique<CDxfBlock>();
    block->SetName("B");
    CDxfBlock* b = block.get();
    auto emptyBlock = std::make_unique<CDxfBlock>();
    CDxfBlock* e = emptyBlock.get();
    b->AddEntity(MakeLine(0, 0, 1, 2));
    drawing.AddBlock(std::move(block));
    drawing.AddBlock(std::move(emptyBlock));

    auto insert = std::make_unique<CDxfInsert>();
    insert->SetBlock(b);
    insert->SetTransform(100, 200, 0, 2, 2, 1, 0);
    CExtent2D placed;
    ASSERT_TRUE(insert->GetExtent(placed, nullptr));
    EXPECT_EQ(placed.left, 100.0);
    EXPECT_EQ(placed.right, 102.0);
    EXPECT_EQ(placed.top, 204.0);

    CDxfInsert ofEmpty;
    ofEmpty.SetBlock(e);
    EXPECT_FALSE(ofEmpty.GetExtent(placed, nullptr));
    CDxfInsert ofNothing;
    EXPECT_FALSE(ofNothing.GetExtent(placed, nullptr));
    EXPECT_TRUE(e->GetExtent().IsEmpty());

    auto circle = std::make_unique<DXFCircle>();
    DXF_ADD_CIRCLE c;
    c.x = -10;
    c.y = -10;
    c.radius = 2;
    circle->SetFromRecord(c);
    drawing.GetModelSpace()->AddEntity(std::move(insert));
    drawing.GetModelSpace()->AddEntity(std::move(circle));
    const CExtent2D all = drawing.GetExtent();
    EXPECT_EQ(all.left, -12.0);
    EXPECT_EQ(all.bottom, -12.0);
    EXPECT_EQ(all.right, 102.0);
    EXPECT_EQ(all.top, 204.0);

    DXF_ADD_ARC arc;
    arc.radius = 1;
    arc.startAngle = 0;
    arc.endAngle = M_PI / 2;
    DXFArc quarter;
    quarter.SetFromRecord(arc);
    ASSERT_TRUE(quarter.GetExtent(placed, nullptr));
    EXPECT_EQ(placed.left, 0.0);
    EXPECT_NEAR(placed.right, 1.0, 1e-12);
    EXPECT_NEAR(placed.top, 1.0, 1e-12);
}

TEST(DxfModel, IteratorFiltersByType)
{
    CDxfBlock block;
    block.AddEntity(MakeLine(0, 0, 1, 1));
    block.AddEntity(std::make_unique<DXFPoint>());
    block.AddEntity(MakeLine(0, 0, 2, 2));
    int lines = 0, all = 0;
    CDxfEntity* e = nullptr;
    for (CDxfEntityIterator it(&block, kDxfPLineEntity); it.Next(e);)
        ++lines;
    for (CDxfEntityIterator it(&block, kDxfAnyEntity); it.Next(e);)
        ++all;
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(all, 3);
}

TEST(DxfModel, NameTables)
{
    CDxfLayer a("A"), b("b");
    CDxfLayerNameTable table;
    EXPECT_NE(table.Insert("A", &a), nullptr);
    EXPECT_EQ(table.Insert("A", &b), nullptr); // present: unchanged
    EXPECT_NE(table.Insert("b", &b), nullptr);
    ASSERT_NE(table.Find("A"), nullptr);
    EXPECT_EQ(CDxfLayerNameTable::GetValue(table.Find("A")), &a);
    EXPECT_EQ(table.Find("a"), nullptr); // case matters here
    EXPECT_EQ(table.Find("B", false), table.Find("b")); // "B" would go before "b"
    EXPECT_EQ(table.Find("c", false), table.GetHandle());
    table.RemoveAll();
    EXPECT_EQ(table.Find("b"), nullptr);
    EXPECT_NE(table.Insert("b", &b), nullptr);
}
