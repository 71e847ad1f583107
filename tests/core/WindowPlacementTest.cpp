#include "core/WindowPlacement.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

constexpr int ScreenW = 1280;
constexpr int ScreenH = 1024;

TEST(PlaceDdxBalloon, SideByRoom)
{
    struct Case
    {
        const char* name;
        ScreenRect control;
        int width;
        ScreenRect expected;
    };
    const Case cases[] = {
        // At the right edge there is room only on the left.
        {"right edge", {1200, 100, 1270, 120}, 200, {1000, 100, 1200, 140}},
        {"left edge", {5, 100, 60, 120}, 200, {60, 100, 260, 140}},
        // Room both ways: the side with more room.
        {"more room left", {800, 100, 900, 120}, 200, {600, 100, 800, 140}},
        {"more room right", {300, 100, 400, 120}, 200, {400, 100, 600, 140}},
        // A tie goes right.
        {"tie", {540, 100, 740, 120}, 200, {740, 100, 940, 140}},
        // Too wide for either side: below, or above near the bottom.
        {"below", {100, 100, 1200, 120}, 300, {100, 120, 400, 160}},
        {"above", {100, 1000, 1200, 1020}, 300, {100, 960, 400, 1000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenRect r = PlaceDdxBalloon(c.control, c.width, 40, ScreenW, ScreenH);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
    }
}

TEST(PlaceDdxBalloon, NothingFitsGoesRight)
{
    const ScreenRect r = PlaceDdxBalloon({10, 10, 1270, 1014}, 300, 40, ScreenW, ScreenH);
    EXPECT_EQ(r.left, 1270);
    EXPECT_EQ(r.top, 10);
}

TEST(PlaceNearPoint, TriesRightLeftAboveAndCentres)
{
    const ScreenRect work{0, 0, ScreenW, 1000};
    auto at = [&](int x, int y) { return PlaceNearPoint({x, y}, 300, 200, work); };

    auto p = at(100, 100);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 100);
    EXPECT_EQ(p->y, 100);

    p = at(1200, 100); // shifted left
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 900);
    EXPECT_EQ(p->y, 100);

    p = at(1270, 990); // bottom-right corner: above and to the left
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 970);
    EXPECT_EQ(p->y, 790);

    p = at(100, 990); // at the bottom, left of centre: above, to the right
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 100);
    EXPECT_EQ(p->y, 790);

    EXPECT_FALSE(PlaceNearPoint({10, 10}, 2000, 200, work)); // wider than the work area
}

} // namespace

// The dotted frame walks the border once, down, right, up and back, in dashes of four that move
// on with the phase.
TEST(DdxFramePixels, WalksTheBorderInDashesOfFour)
{
    const std::vector<DdxFramePixel> at0 = DdxFramePixels({10, 20, 14, 23}, 0);
    const std::vector<std::pair<int, int>> walk = {{10, 20}, {10, 21}, {10, 22}, {11, 22}, {12, 22},
                                                   {13, 22}, {13, 21}, {13, 20}, {12, 20}, {11, 20}};
    ASSERT_EQ(at0.size(), walk.size());
    const std::vector<DdxFramePixel> at2 = DdxFramePixels({10, 20, 14, 23}, 2);
    for (size_t i = 0; i < walk.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::make_pair(at0[i].x, at0[i].y), walk[i]);
        EXPECT_EQ(at0[i].red, (i & 4) != 0);
        EXPECT_EQ(at2[i].red, ((i + 2) & 4) != 0);
    }
    EXPECT_TRUE(DdxFramePixels({10, 20, 10, 23}, 0).empty());
}
