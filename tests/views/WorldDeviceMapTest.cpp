#include "views/WorldDeviceMap.h"

#include <gtest/gtest.h>

namespace {

const DeviceRect Screen{0, 0, 800, 600};

} // namespace

TEST(WorldDeviceMapFit, NorthUpWindowKeepsTheScaleSquareAndCentresTheSpareSpace)
{
    CWorldDeviceMap m;
    m.Fit(Screen, 0, 1000, 1000, 0, NoValue, true);
    EXPECT_DOUBLE_EQ(m.sx, 0.6);
    EXPECT_DOUBLE_EQ(m.sy, -0.6);
    EXPECT_EQ(m.WorldToDevice(0, 0), (DevicePoint{100, 600}));
    EXPECT_EQ(m.WorldToDevice(1000, 1000), (DevicePoint{700, 0}));
    EXPECT_EQ((DeviceRect{-10, -10, 810, 610}), m.clip);
    EXPECT_TRUE(m.IsValid());
    // The inverse gives the world point back.
    const CLocation w = m.DeviceToWorld(100, 600);
    EXPECT_NEAR(w.x, 0.0, 1e-9);
    EXPECT_NEAR(w.y, 0.0, 1e-9);
}

TEST(WorldDeviceMapFit, WithoutSquareEachAxisTakesItsOwnScale)
{
    CWorldDeviceMap m(Screen, 0, 1000, 1000, 0, 1.0, false);
    EXPECT_DOUBLE_EQ(m.sx, 0.8);
    EXPECT_DOUBLE_EQ(m.sy, -0.6);
}

TEST(WorldDeviceMapFit, NarrowAndWideAxesAreWidenedAndClampedAboutTheirCentre)
{
    CWorldDeviceMap point;
    point.Fit(Screen, 5, 5, 5, 5, NoValue, true);
    EXPECT_DOUBLE_EQ(point.minX, 4.975);
    EXPECT_DOUBLE_EQ(point.maxX, 5.025);
    EXPECT_DOUBLE_EQ(point.minY, 4.975);
    EXPECT_DOUBLE_EQ(point.maxY, 5.025);

    CWorldDeviceMap wide;
    wide.Fit(Screen, 0, 2e7, 2e7, 0, NoValue, true);
    EXPECT_DOUBLE_EQ(wide.minX, 5e6);
    EXPECT_DOUBLE_EQ(wide.maxX, 1.5e7);
    EXPECT_DOUBLE_EQ(wide.minY, 5e6);
    EXPECT_DOUBLE_EQ(wide.maxY, 1.5e7);
}

TEST(WorldDeviceMapFit, AnEmptyDeviceRectangleCountsAsOnePixel)
{
    CWorldDeviceMap m;
    m.Fit(DeviceRect{0, 0, 0, 0}, 0, 10, 10, 0, NoValue, false);
    EXPECT_DOUBLE_EQ(m.sx, 0.1);
    EXPECT_DOUBLE_EQ(m.sy, -0.1);
}

TEST(WorldDeviceMapRounding, HalfPixelsGoDown)
{
    CWorldDeviceMap m;
    m.Fit(DeviceRect{0, 0, 100, 100}, 0, 100, 100, 0, NoValue, true); // 1 px per unit, centre (50, 50)
    EXPECT_EQ(m.WorldToDevice(50.5, 50).x, 50);
    EXPECT_EQ(m.WorldToDevice(49.5, 50).x, 49);
    EXPECT_EQ(m.WorldToDevice(50, 49.5).y, 50); // y runs down: 50.5 pixels
    EXPECT_EQ(m.WorldToDevice(50.6, 50).x, 51);
}

TEST(WorldDeviceMapClip, SegmentsAreCutAtTheGrownClipRectangle)
{
    CWorldDeviceMap m;
    m.Fit(DeviceRect{0, 0, 100, 100}, 0, 100, 100, 0, NoValue, true);
    DevicePoint a, b;
    struct Case {
        const char* name;
        double xa, ya, xb, yb;
        bool visible;
        DevicePoint a, b;
    } cases[] = {
        {"inside", 10, 10, 20, 20, true, {10, 90}, {20, 80}},
        {"both left", -50, 10, -20, 90, false, {}, {}},
        {"both below", 10, -50, 90, -20, false, {}, {}},
        {"across horizontally", -100, 50, 200, 50, true, {-10, 50}, {110, 50}},
        {"across vertically", 30, 500, 30, -500, true, {30, -10}, {30, 110}},
        {"one end outside right", 50, 50, 300, 50, true, {50, 50}, {110, 50}},
        {"diagonal corner to corner", -100, -100, 200, 200, true, {-10, 110}, {110, -10}},
        {"cuts off the corner", -100, 150, 150, -100, true, {-10, 40}, {60, 110}},
        {"passes outside the corner", 150, 250, 250, 150, false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(m.ClipSegment(c.xa, c.ya, c.xb, c.yb, a, b, true), c.visible);
        if (c.visible) {
            EXPECT_EQ(a, c.a);
            EXPECT_EQ(b, c.b);
        }
        // Swapped ends give the same answer.
        DevicePoint a2, b2;
        EXPECT_EQ(m.ClipSegment(c.xb, c.yb, c.xa, c.ya, a2, b2, true), c.visible);
        if (c.visible) {
            EXPECT_EQ(a2, c.b);
            EXPECT_EQ(b2, c.a);
        }
    }
    // Without clipping the ends come back as they are, however far out.
    ASSERT_TRUE(m.ClipSegment(-1000, 10, -900, 10, a, b, false));
    EXPECT_EQ(a, (DevicePoint{-1000, 90}));
    EXPECT_EQ(b, (DevicePoint{-900, 90}));
}

TEST(WorldDeviceMapClip, OutcodesGiveNoBitOnAnEdge)
{
    CWorldDeviceMap m;
    m.Fit(DeviceRect{0, 0, 100, 100}, 0, 100, 100, 0, NoValue, true);
    EXPECT_EQ(m.ComputeOutcode(110, 110), 0);
    EXPECT_EQ(m.ComputeOutcode(-10, -10), 0);
    EXPECT_EQ(m.ComputeOutcode(111, 50), 8);
    EXPECT_EQ(m.ComputeOutcode(-11, 50), 4);
    EXPECT_EQ(m.ComputeOutcode(50, 111), 1);
    EXPECT_EQ(m.ComputeOutcode(50, -11), 2);
    EXPECT_EQ(m.ComputeOutcode(-11, 111), 5);
}

TEST(WorldDeviceMapCompare, SameAndWellInside)
{
    CWorldDeviceMap a(Screen, 0, 1000, 1000, 0, 1.0, true);
    CWorldDeviceMap b = a;
    EXPECT_TRUE(a.IsSame(b));
    b.x0 += 0.001;
    EXPECT_FALSE(a.IsSame(b));
    EXPECT_TRUE(a.IsWellInside(CLocation(500, 500, NoValue), 0.5));
    EXPECT_FALSE(a.IsWellInside(CLocation(50, 500, NoValue), 0.5));
    EXPECT_FALSE(a.IsWellInside(CLocation(-200, 500, NoValue), 0.0));
    EXPECT_TRUE(a.IsWellInside(CLocation(-50, 500, NoValue), 0.0));
    const DeviceRect r = a.GetWorldWindowDeviceRect();
    EXPECT_EQ(r, (DeviceRect{100, 0, 700, 600}));
}
