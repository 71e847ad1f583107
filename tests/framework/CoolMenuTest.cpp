#include "framework/AcceleratorChain.h"
#include "framework/ToolbarImageMap.h"

#include <gtest/gtest.h>

namespace {

// Letters by themselves, the function keys (wx codes 340 up) by number.
std::string PlainName(uint16_t key, bool virtualKey)
{
    return key < 128 ? std::string(1, char(key)) : "F" + std::to_string(key - 339);
}

constexpr uint8_t V = AccelEntry::VirtKey;

} // namespace

TEST(AcceleratorChainTest, KeysOfACommandLatestFirst)
{
    CAcceleratorChain chain;
    chain.LoadAccelerators({{V | AccelEntry::Control, 'Y', 2}, // Redo
                            {V | AccelEntry::Control, 'Z', 1}, // Undo
                            {V | AccelEntry::Shift | AccelEntry::Control | AccelEntry::Alt, 'Z', 3},
                            {V | AccelEntry::Shift | AccelEntry::Control, 'Z', 2},
                            {V, 344, 4},
                            {V | AccelEntry::Alt, '-', 5},
                            {V | AccelEntry::Alt, '+', 5}});
    struct Case
    {
        const char* name;
        std::string text;
        uint16_t command;
        const char* expected;
        bool appended;
    };
    const Case cases[] = {
        {"two keys, the later first", "&Redo", 2, "&Redo\tCtrl+Shift+Z, Ctrl+Y", true},
        {"old text after a tab is cut", "Redo\told", 2, "Redo\tCtrl+Shift+Z, Ctrl+Y", true},
        {"modifier order", "X", 3, "X\tAlt+Ctrl+Shift+Z", true},
        {"virtual key named", "Refresh", 4, "Refresh\tF5", true},
        {"joining signs as keys are bracketed", "Zoom In", 5, "Zoom In\tAlt+(+), Alt+(-)", true},
        {"no keys: only the cut", "Close\tCtrl+W", 9, "Close", false},
        {"a leading tab is kept whole", "\tright", 9, "\tright", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = c.text;
        EXPECT_EQ(chain.GetAcceleratorText(text, c.command, PlainName), c.appended);
        EXPECT_EQ(text, c.expected);
    }
    // Loading again replaces the chain.
    chain.LoadAccelerators({{V | AccelEntry::Control, 'Y', 2}});
    std::string text = "Redo";
    chain.GetAcceleratorText(text, 2, PlainName);
    EXPECT_EQ(text, "Redo\tCtrl+Y");
}

TEST(ToolbarImageMapTest, FirstImageWinsAndSizesMustAgree)
{
    CToolbarImageMap map;
    ASSERT_TRUE(map.LoadToolbar(939, {10, 0, 11, 12}, 16, 16));
    ASSERT_TRUE(map.LoadToolbar(940, {12, 13}, 16, 16));
    EXPECT_EQ(map.GetImageIndex(10), 0);
    EXPECT_EQ(map.GetImageIndex(11), 1);
    // 12 keeps its first image; the button after it keeps its own.
    EXPECT_EQ(map.GetImageIndex(12), 2);
    EXPECT_EQ(map.GetImageIndex(13), 4);
    EXPECT_EQ(map.GetImageIndex(99), -1);
    EXPECT_EQ(map.GetImageCount(), 5);

    EXPECT_FALSE(map.LoadToolbar(941, {20}, 24, 24));
    EXPECT_EQ(map.GetImageIndex(20), -1);
    EXPECT_EQ(map.GetToolbarIds(), (std::vector<int>{939, 940}));

    map.Clear();
    EXPECT_TRUE(map.LoadToolbar(941, {20}, 24, 24));
    EXPECT_EQ(map.GetImageIndex(20), 0);
}
