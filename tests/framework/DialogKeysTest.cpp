#include "framework/DialogKeys.h"
#include "model/HintCodes.h"

#include <gtest/gtest.h>

#include <vector>

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
    std::vector<intptr_t> parameters;
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
    void NotifyActiveDocument(int32_t hint, intptr_t parameter) override
    {
        hints.push_back(hint);
        parameters.push_back(parameter);
    }
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
    EXPECT_EQ(d.hints, std::vector<int>{HintEscape});
    // Escape in a dialog carries no object.
    EXPECT_EQ(d.parameters, std::vector<intptr_t>{0});
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
    EXPECT_EQ(d.hints, std::vector<int>{HintEscape});
}
