#include "shell/MainWindowSize.h"

#include <gtest/gtest.h>

TEST(MainWindowSize, OnlyATinyWindowJustOutOfMaximisedTakesTheDefaultSize)
{
    struct Case
    {
        const char* name;
        bool wasMaximized, isMaximized, isIconized;
        int width, height;
        bool restores;
    };
    const Case cases[] = {
        {"the strip some start-ups leave", true, false, false, 169, 25, true},
        {"too narrow alone", true, false, false, 399, 700, true},
        {"too low alone", true, false, false, 900, 299, true},
        {"the smallest a person keeps", true, false, false, 400, 300, false},
        {"a size the person chose", true, false, false, 800, 600, false},
        {"still maximised", true, true, false, 169, 25, false},
        {"minimised", true, false, true, 169, 25, false},
        {"small but never maximised", false, false, false, 169, 25, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RestoresToDefaultSize(c.wasMaximized, c.isMaximized, c.isIconized, c.width, c.height), c.restores);
    }
}
