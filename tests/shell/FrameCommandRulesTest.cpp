#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "shell/CommandIds.h"
#include "shell/FrameCommandRules.h"
#include "shell/RunUserPreferences.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

TEST(FrameCommandRulesTest, TransferSettingsCheck)
{
    struct Case
    {
        const char* name;
        const char* showSettings; // nullptr: absent
        const char* firstSettings;
        bool stacked;
        int sheetAnswer;
        bool pushes;
        bool sheetShown;
        const char* firstAfter;
    } cases[] = {
        {"fresh profile, OK", nullptr, nullptr, false, IDOK, true, true, "0"},
        {"fresh profile, Cancel", nullptr, nullptr, false, IDCANCEL, false, true, "<absent>"},
        {"settings seen", nullptr, "0", false, IDCANCEL, true, false, "0"},
        {"show every time", "1", "0", false, IDCANCEL, false, true, "0"},
        {"panel already stacked", "1", "1", true, IDCANCEL, true, false, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        morvel::test::TempDir dir;
        CProfile profile(dir.file("Morvel.ini"));
        if (c.showSettings)
            profile.WriteProfileString("Transfer", "ShowSettings", c.showSettings);
        if (c.firstSettings)
            profile.WriteProfileString("Transfer", "FirstSettings", c.firstSettings);
        int shown = 0;
        UserPreferencesRunner previous = SetRunUserPreferences([&](int32_t page) {
            EXPECT_EQ(page, PreferencesTransferPage);
            ++shown;
            return c.sheetAnswer;
        });
        EXPECT_EQ(CheckTransferSettings(profile, c.stacked), c.pushes);
        EXPECT_EQ(shown > 0, c.sheetShown);
        EXPECT_EQ(profile.GetProfileString("Transfer", "FirstSettings", "<absent>"), c.firstAfter);
        SetRunUserPreferences(previous);
    }
    // Without a sheet installed nothing changes and nothing is pushed.
    morvel::test::TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    EXPECT_FALSE(CheckTransferSettings(profile, false));
}

TEST(FrameCommandRulesTest, SnapButtonsAndLock)
{
    struct Case
    {
        int command;
        int32_t mode;
        bool locked;
        CommandUiState state;
    } cases[] = {
        {IdSnapFree, 2, false, {true, true}},   {IdSnapFree, 1, false, {true, false}},
        {IdSnapToPoint, 1, false, {true, true}}, {IdSnapToGrid, 3, false, {true, true}},
        {IdSnapToGrid, 0, false, {true, false}}, {IdLockSnap, 0, true, {false, true}},
        {IdLockSnap, 3, true, {true, true}},     {IdLockSnap, 2, false, {true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " mode " + std::to_string(c.mode));
        EXPECT_EQ(GetSnapCommandState(c.command, c.mode, c.locked), c.state);
    }
    EXPECT_EQ(FormatSelectionInfo(true, 5), "5 objects selected");
    EXPECT_EQ(FormatSelectionInfo(false, 5), "0 objects selected");
}
