#include "shell/DisplayCheck.h"

#include <gtest/gtest.h>

TEST(DisplayCheck, ResolutionStopsColoursOnlyWarn)
{
    struct Case
    {
        const char* name;
        int width, height, bits;
        bool message, start;
    };
    const Case cases[] = {
        {"ample", 1280, 1024, 24, false, true},
        {"exactly the minimum", 800, 600, 8, false, true},
        {"sixteen colours", 1024, 768, 4, true, true},
        {"too narrow", 799, 600, 24, true, false},
        {"too low", 800, 599, 24, true, false},
        {"both", 640, 480, 4, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DisplayCheck check = CheckDisplay(c.width, c.height, c.bits);
        EXPECT_EQ(check.showMessage, c.message);
        EXPECT_EQ(check.mayStart, c.start);
    }
}
