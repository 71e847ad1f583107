#include "platform/AppFolders.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

TEST(MessageBox, HandlerSeesTextAndFlags)
{
    std::string seen;
    uint32_t seenFlags = 0;
    MessageBoxHandler previous = SetMessageBoxHandler([&](const std::string& text, uint32_t flags) {
        seen = text;
        seenFlags = flags;
        return IDNO;
    });
    EXPECT_EQ(ShowMessageBoxFS("Save changes?", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(seen, "Save changes?");
    EXPECT_EQ(seenFlags, MB_YESNOCANCEL | MB_ICONQUESTION);
    SetMessageBoxHandler(previous);
}

TEST(MessageBox, WithoutHandlerTheDefaultButtonAnswers)
{
    MessageBoxHandler previous = SetMessageBoxHandler({});
    EXPECT_EQ(ShowMessageBoxFS("note"), IDOK);
    EXPECT_EQ(ShowMessageBoxFS("q", MB_YESNO), IDYES);
    EXPECT_EQ(ShowMessageBoxFS("q", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(ShowMessageBoxFS("q", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(ShowMessageBoxFS("q", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(ShowMessageBoxFS("q", MB_RETRYCANCEL), IDRETRY);
    SetMessageBoxHandler(previous);
}

TEST(Clipboard, UnavailableWithoutHooks)
{
    ClipboardHooks previous = SetClipboardHooks({});
    std::string text = "keep";
    EXPECT_FALSE(CopyTextToClipboard("x"));
    EXPECT_FALSE(PasteTextFromClipboard(text));
    EXPECT_EQ(text, "keep");
    SetClipboardHooks(previous);
}

TEST(Clipboard, RoundTripThroughHooks)
{
    std::optional<std::string> board;
    bool canOpen = true;
    ClipboardHooks previous = SetClipboardHooks({[&](const std::string& t) {
                                                     board = t;
                                                     return canOpen;
                                                 },
                                                 [&](std::optional<std::string>& t) {
                                                     if (!canOpen)
                                                         return false;
                                                     t = board;
                                                     return true;
                                                 }});
    std::string text = "old";
    EXPECT_FALSE(PasteTextFromClipboard(text)); // open, but no text: emptied
    EXPECT_EQ(text, "");
    EXPECT_TRUE(CopyTextToClipboard("P1,100.0,200.0"));
    EXPECT_TRUE(PasteTextFromClipboard(text));
    EXPECT_EQ(text, "P1,100.0,200.0");
    canOpen = false;
    text = "kept";
    EXPECT_FALSE(PasteTextFromClipboard(text));
    EXPECT_EQ(text, "kept");
    SetClipboardHooks(previous);
}

TEST(AppFolders, DataFolderFollowsTheOverride)
{
    morvel::test::TempDir dir;
    SetProgramDataFolderOverride(dir.path().string());
    EXPECT_EQ(GetProgramDataFolder(), dir.path().string() + "/");
    SetProgramDataFolderOverride("");
    // The test program's own folder is writable, so it is the data folder.
    EXPECT_EQ(GetProgramDataFolder(), GetExecutableFolder());
    EXPECT_EQ(GetDefaultTransferFolder(), GetHomeFolder() + "KVL_DAT/");
}
