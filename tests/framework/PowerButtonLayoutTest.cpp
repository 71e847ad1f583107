#include "framework/PowerButtonLayout.h"

#include <gtest/gtest.h>

TEST(PowerButtonLayoutTest, IconAndTextPlaces)
{
    PowerButtonLayoutInput in;
    in.item = {0, 0, 102, 52};
    in.iconWidth = in.iconHeight = 32;
    in.textWidth = 40;
    in.textHeight = 10;
    in.arrowWidth = 20;
    // Content: 1..101 x 1..51 (100 x 50), 80 wide left of the arrow.
    struct Case
    {
        int layout;
        PbRect icon;
        PbRect text;
        bool centred;
    };
    const Case cases[] = {
        {0, {1, 10, 32, 32}, {41, 21, 40, 10}, false},
        {1, {25, 1, 32, 32}, {21, 41, 40, 10}, true},
        {2, {49, 10, 32, 32}, {4, 21, 40, 10}, false},
        {3, {25, 19, 32, 32}, {21, 1, 40, 10}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        in.layout = c.layout;
        const PowerButtonLayout out = LayOutPowerButton(in);
        EXPECT_EQ(out.icon, c.icon);
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.textCentred, c.centred);
        EXPECT_EQ(out.arrow, (PbRect{82, 0, 20, 52}));
    }

    // Pushed in, flat, icon capped, text wider than the button: clipped to the content.
    in.layout = 2;
    in.pushedIn = true;
    in.flat = true;
    in.maxIconSize = 16;
    in.textWidth = 500;
    const PowerButtonLayout pushed = LayOutPowerButton(in);
    EXPECT_EQ(pushed.content, (PbRect{1, 1, 102, 52}));
    EXPECT_EQ(pushed.icon.w, 16);
    EXPECT_EQ(pushed.text.Right(), pushed.content.Right());

    // Without an icon area the text is centred, slightly low.
    in = {};
    in.item = {0, 0, 102, 52};
    in.showIcon = false;
    in.textWidth = 40;
    in.textHeight = 10;
    EXPECT_EQ(LayOutPowerButton(in).text, (PbRect{31, 24, 40, 10}));
    EXPECT_EQ(LayOutPowerButton(in).icon, PbRect{});
}

TEST(PowerButtonLayoutTest, ArrowDragAndDither)
{
    PbArrowLine lines[5];
    DropArrowLines({80, 0, 20, 25}, lines);
    EXPECT_EQ(lines[0].x, 85);
    EXPECT_EQ(lines[0].y, 10);
    EXPECT_EQ(lines[0].length, 10);
    EXPECT_EQ(lines[4].length, 2);
    EXPECT_EQ(lines[4].x, 89);

    EXPECT_TRUE(IsOnDropArrow(100, 85, 20));
    EXPECT_FALSE(IsOnDropArrow(100, 80, 20));
    EXPECT_FALSE(IsOnDropArrow(100, 99, 0));

    EXPECT_FALSE(IsPowerButtonDrag(10, 10, 11, 11));
    EXPECT_TRUE(IsPowerButtonDrag(10, 10, 12, 10));
    EXPECT_TRUE(IsPowerButtonDrag(10, 10, 10, 8));

    EXPECT_FALSE(IsDitherPixel(0, 0));
    EXPECT_TRUE(IsDitherPixel(1, 0));
    EXPECT_TRUE(IsDitherPixel(0, 3));
}
