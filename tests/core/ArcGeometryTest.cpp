#include "core/ArcGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct Arc
{
    const char* name;
    CLocation start, end, center, pi;
};

// Arcs of radius 10 about (100, 200): a quarter turned each way, and a 60-degree arc.
const Arc kArcs[] = {
    {"quarter ccw", {110, 200, NoValue}, {100, 210, NoValue}, {100, 200, NoValue}, {110, 210, NoValue}},
    {"quarter cw", {100, 210, NoValue}, {110, 200, NoValue}, {100, 200, NoValue}, {110, 210, NoValue}},
    {"sixty degrees", {110, 200, NoValue}, {105, 200 + 10 * std::sqrt(3.0) / 2, NoValue}, {100, 200, NoValue},
     {110, 200 + 10 * std::tan(std::numbers::pi / 6), NoValue}},
};

TEST(ArcGeometry, EachPointFromTheOtherThree)
{
    for (const Arc& a : kArcs) {
        SCOPED_TRACE(a.name);
        double x = 0, y = 0;
        ASSERT_TRUE(ArcCenterFromPI(x, y, a.pi, a.start, a.end));
        EXPECT_NEAR(x, a.center.x, 1e-9);
        EXPECT_NEAR(y, a.center.y, 1e-9);
        ASSERT_TRUE(ArcPIFromEnds(x, y, a.start, a.end, a.center));
        EXPECT_NEAR(x, a.pi.x, 1e-9);
        EXPECT_NEAR(y, a.pi.y, 1e-9);
        ASSERT_TRUE(ArcStartFromEnd(x, y, a.pi, a.end, a.center));
        EXPECT_NEAR(x, a.start.x, 1e-9);
        EXPECT_NEAR(y, a.start.y, 1e-9);
        ASSERT_TRUE(ArcEndFromStart(x, y, a.pi, a.start, a.center));
        EXPECT_NEAR(x, a.end.x, 1e-9);
        EXPECT_NEAR(y, a.end.y, 1e-9);
        // The same arc walked the other way.
        ASSERT_TRUE(ArcCenterFromPI(x, y, a.pi, a.end, a.start));
        EXPECT_NEAR(x, a.center.x, 1e-9);
        ASSERT_TRUE(ArcPIFromEnds(x, y, a.end, a.start, a.center));
        EXPECT_NEAR(y, a.pi.y, 1e-9);
    }
}

TEST(ArcGeometry, PointsThatDescribeNoArc)
{
    const CLocation center(0, 0, NoValue);
    const CLocation start(10, 0, NoValue);
    const CLocation end(0, 10, NoValue);
    const CLocation pi(10, 10, NoValue);
    double x = 7, y = 7;
    // Tangents of unequal length, and a PI on the chord (a straight angle).
    EXPECT_FALSE(ArcCenterFromPI(x, y, pi, start, CLocation(-0.5, 10, NoValue)));
    EXPECT_FALSE(ArcCenterFromPI(x, y, CLocation(5, 5, NoValue), start, end));
    EXPECT_FALSE(ArcCenterFromPI(x, y, pi, start, pi));
    // Radii that differ, and a zero central angle.
    EXPECT_FALSE(ArcPIFromEnds(x, y, start, CLocation(0, 10.0002, NoValue), center));
    EXPECT_FALSE(ArcPIFromEnds(x, y, start, start, center));
    EXPECT_FALSE(ArcPIFromEnds(x, y, start, CLocation(-10, 0, NoValue), center));
    // A tangent at the end that is not perpendicular to the radius.
    EXPECT_FALSE(ArcStartFromEnd(x, y, CLocation(10, 10.01, NoValue), end, center));
    EXPECT_FALSE(ArcEndFromStart(x, y, pi, CLocation(0, 0, NoValue), center));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 7);
}

} // namespace
