#include "platform/AppFolders.h"
#include "platform/Clipboard.h"
#include "platform/DialogKeys.h"
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

namespace {

// A dialog of controls 0..n-1 in tab order; focus index -1 means no focus.
class FakeDialog : public CDialogKeyHost
{
public:
    struct Control
    {
        int id;
        bool pushButton = false;
        bool pressOnEnter = false;
        bool multiLine = false;
    };
    std::vector<Control> controls;
    int focus = 0;
    bool wrapsToNone = false; // the focus leaves the dialog after the last control
    std::vector<int> posted;
    std::vector<int> hints;
    bool baseTakes = false, helpMode = false, framesTake = false, navigationTakes = false;
    int enterAnswer = 0;

    DialogWindow Handle(int i) { return i < 0 ? nullptr : &controls[static_cast<size_t>(i)]; }
    int Index(DialogWindow w) { return w ? static_cast<int>(static_cast<const Control*>(w) - controls.data()) : -1; }

    DialogWindow GetFocus() override { return Handle(focus); }
    void FocusNextControl() override
    {
        if (focus < 0 || controls.empty())
            return;
        int next = focus + 1;
        focus = next < static_cast<int>(controls.size()) ? next : (wrapsToNone ? -1 : 0);
    }
    int GetControlId(DialogWindow c) override { return controls[Index(c)].id; }
    bool IsPushButton(DialogWindow c) override { return controls[Index(c)].pushButton; }
    bool IsPressOnEnterButton(DialogWindow c) override { return controls[Index(c)].pressOnEnter; }
    void PostCommand(DialogWindow c) override { posted.push_back(controls[Index(c)].id); }
    void NotifyActiveDocument(int hint) override { hints.push_back(hint); }
    bool BasePreTranslate(const DialogKeyMessage&) override { return baseTakes; }
    bool IsInContextHelpMode() override { return helpMode; }
    bool IsMultiLineEdit(DialogWindow c) override { return c && controls[Index(c)].multiLine; }
    int OfferEnterKey() override { return enterAnswer; }
    bool ParentFramesPreTranslate(const DialogKeyMessage&) override { return framesTake; }
    bool PreTranslateInput(const DialogKeyMessage&) override { return navigationTakes; }
};

} // namespace

TEST(DialogKeys, EnterMovesOnButSkipsCancel)
{
    FakeDialog d;
    d.controls = {{1001}, {2, true}, {1}};
    d.focus = 0;
    EXPECT_TRUE(EnterAsTab(d));
    EXPECT_EQ(d.focus, 2);

    // Cancel that is not a push button is an ordinary stop.
    d.controls[1].pushButton = false;
    d.focus = 0;
    EXPECT_TRUE(EnterAsTab(d));
    EXPECT_EQ(d.focus, 1);
}

TEST(DialogKeys, EnterPressesMarkedButtonsAndMovesPast)
{
    FakeDialog d;
    d.controls = {{1001}, {1500, true, true}, {1002}};
    EXPECT_TRUE(EnterAsTab(d));
    EXPECT_EQ(d.posted, std::vector<int>{1500});
    EXPECT_EQ(d.focus, 2);

    // The focus leaving the dialog after the press still counts as handled.
    FakeDialog last;
    last.controls = {{1001}, {1500, true, true}};
    last.wrapsToNone = true;
    EXPECT_TRUE(EnterAsTab(last));
    EXPECT_EQ(last.focus, -1);
}

TEST(DialogKeys, EnterWithoutFocusOrSingleControl)
{
    FakeDialog none;
    none.controls = {{1001}};
    none.focus = -1;
    EXPECT_FALSE(EnterAsTab(none));
    FakeDialog single;
    single.controls = {{1001}};
    EXPECT_FALSE(EnterAsTab(single));
}

TEST(DialogKeys, PreTranslateOrder)
{
    FakeDialog d;
    d.controls = {{1001}, {1002}, {1003, false, false, true}};
    DialogKeyMessage escape{WM_KEYDOWN, VK_ESCAPE, d.Handle(0)};
    DialogKeyMessage enter{WM_KEYDOWN, VK_RETURN, d.Handle(0)};

    d.baseTakes = true;
    EXPECT_TRUE(PreTranslateDialogMessage(escape, d));
    EXPECT_EQ(d.hints, std::vector<int>{4});
    d.baseTakes = false;

    d.helpMode = true;
    EXPECT_FALSE(PreTranslateDialogMessage(enter, d));
    EXPECT_EQ(d.focus, 0);
    d.helpMode = false;

    EXPECT_TRUE(PreTranslateDialogMessage(enter, d));
    EXPECT_EQ(d.focus, 1);
    d.enterAnswer = 1; // the dialog keeps Enter for itself
    EXPECT_TRUE(PreTranslateDialogMessage(enter, d));
    EXPECT_EQ(d.focus, 1);

    // Enter in a multi-line edit goes to the frames and navigation instead.
    d.enterAnswer = 0;
    DialogKeyMessage enterInMemo{WM_KEYDOWN, VK_RETURN, d.Handle(2)};
    EXPECT_FALSE(PreTranslateDialogMessage(enterInMemo, d));
    d.navigationTakes = true;
    EXPECT_TRUE(PreTranslateDialogMessage(enterInMemo, d));
    d.navigationTakes = false;
    d.framesTake = true;
    EXPECT_TRUE(PreTranslateDialogMessage(enterInMemo, d));
    EXPECT_EQ(d.focus, 1);
    EXPECT_EQ(d.hints, std::vector<int>{4});
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
