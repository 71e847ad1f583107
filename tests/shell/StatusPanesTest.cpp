#include "shell/StatusPanes.h"

#include "core/GenericFormat.h"

#include <gtest/gtest.h>

#include <array>

TEST(StatusPanes, WidthsFollowTheBarWidth)
{
    struct Case
    {
        int32_t width;
        std::array<int32_t, 4> panes;
    };
    const Case cases[] = {
        {900, {150, 400, 100, 100}},
        {1500, {150, 500, 100, 100}},
        {240, {150, 400, 80, 48}},
        {0, {150, 400, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(ComputeStatusPaneWidths(c.width), c.panes);
    }
}

TEST(StatusPanes, CursorPositionInEitherOrder)
{
    CGenericFormat format;
    const std::string north = format.FormatCoordinate(5000.25, false, false);
    const std::string east = format.FormatCoordinate(1200.5, false, false);
    EXPECT_EQ(FormatCursorPosition(5000.25, 1200.5, format, "Northing", "Easting", true),
              "N:" + north + " E:" + east);
    EXPECT_EQ(FormatCursorPosition(5000.25, 1200.5, format, "Y", "X", false), "X:" + east + " Y:" + north);
    EXPECT_EQ(FormatCursorPosition(5000.25, 1200.5, format, "", "", true), ":" + north + " :" + east);
}
