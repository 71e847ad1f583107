#include "platform/AppFolders.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

TEST(MessageBox, RequestCarriesTitleAndCaptions)
{
    MessageBoxRequest seen;
    MessageBoxHandler previous = SetMessageBoxHandler(MessageBoxHandler([&](const MessageBoxRequest& request) {
        seen = request;
        return IDYES;
    }));
    EXPECT_EQ(ShowMessageBoxFSWithCaption("Send now?", "Transfer", MB_YESNO, "Send", "Wait"), IDYES);
    EXPECT_EQ(seen.text, "Send now?");
    EXPECT_EQ(seen.title, "Transfer");
    EXPECT_EQ(seen.flags, MB_YESNO);
    EXPECT_EQ(seen.yesCaption, "Send");
    EXPECT_EQ(seen.noCaption, "Wait");

    EXPECT_TRUE(AskDoItNowOrLater("Back up the job?"));
    EXPECT_EQ(seen.flags, 0x34u);
    EXPECT_EQ(seen.yesCaption, "Do It Now");
    EXPECT_EQ(seen.noCaption, "Do It Later");
    EXPECT_TRUE(seen.title.empty());
    SetMessageBoxHandler(previous);
}

TEST(MessageBox, DoItLaterAnswersFalse)
{
    MessageBoxHandler previous = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDNO; });
    EXPECT_FALSE(AskDoItNowOrLater("Back up the job?", "Back Up", "Skip"));
    SetMessageBoxHandler(previous);
}

TEST(AppFolders, DocumentsFolderFollowsUserDirs)
{
    morvel::test::TempDir home;
    const char* oldHome = std::getenv("HOME");
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    std::string savedHome = oldHome ? oldHome : "";
    std::string savedConfig = oldConfig ? oldConfig : "";
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() / "cfg").c_str(), 1);

    EXPECT_EQ(GetDocumentsFolder(), home.path().string() + "/Documents/");
    std::filesystem::create_directories(home.path() / "cfg");
    morvel::test::WriteAllText(home.file("cfg/user-dirs.dirs"),
                               "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    EXPECT_EQ(GetDocumentsFolder(), home.path().string() + "/Papers/");

    // The folder is made when it is missing.
    std::string folder;
    EXPECT_TRUE(GetSpecialFolderPath(folder));
    EXPECT_EQ(folder, home.path().string() + "/Papers/");
    EXPECT_TRUE(std::filesystem::is_directory(home.path() / "Papers"));

    setenv("HOME", savedHome.c_str(), 1);
    if (oldConfig)
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
