#include "framework/ButtonGeometry.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ButtonGeometry, TriangleRowsNarrowFromNineToOneInTheRightmostBox)
{
    const auto rows = MenuButtonTriangle({0, 0, 100, 21});
    // Box from 76 to 100: x0 = 76 + (24 - 10) / 2, y0 = (21 - 5) / 2.
    EXPECT_EQ(83, rows[0].x);
    EXPECT_EQ(8, rows[0].y);
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(9 - 2 * i, rows[i].width);
        EXPECT_EQ(rows[0].x + i, rows[i].x);
        EXPECT_EQ(rows[0].y + i, rows[i].y);
    }

    // Narrower than 24 pixels: the box is the whole face.
    const auto narrow = MenuButtonTriangle({10, 0, 30, 10});
    EXPECT_EQ(10 + (20 - 10) / 2, narrow[0].x);
}

TEST(ButtonGeometry, HeldFaceMovesByOnePixelFramelessFaceFillsTheItem)
{
    const ButtonRect item{0, 0, 20, 20};
    const ButtonRect up = ButtonFaceRect(item, true, false);
    const ButtonRect down = ButtonFaceRect(item, true, true);
    EXPECT_EQ(2, up.left);
    EXPECT_EQ(18, up.bottom);
    EXPECT_EQ(3, down.left);
    EXPECT_EQ(3, down.top);
    EXPECT_EQ(20, ButtonFaceRect(item, false, true).right);
}

TEST(ButtonGeometry, AnimationFrames)
{
    EXPECT_EQ(0, NextAnimationFrame(0, 1));
    int frame = 0;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i)
    {
        seen.push_back(frame);
        frame = NextAnimationFrame(frame, 3);
    }
    EXPECT_EQ((std::vector<int>{0, 1, 2, 0}), seen);
}
