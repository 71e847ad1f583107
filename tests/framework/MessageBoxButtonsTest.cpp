#include "framework/MessageBoxButtons.h"
#include "framework/MessageStack.h"

#include <gtest/gtest.h>

TEST(MessageBoxButtons, ResultTable)
{
    using B = MessageBoxButton;
    struct Case
    {
        const char* name;
        uint32_t type;
        int ok, cancel, yes, no;
    };
    const Case cases[] = {
        {"ok", MB_OK, IDOK, IDOK, 0, 0},
        {"ok cancel", MB_OKCANCEL, IDOK, IDCANCEL, 0, 0},
        {"yes no cancel", MB_YESNOCANCEL, 0, IDCANCEL, IDYES, IDNO},
        {"yes no", MB_YESNO, 0, IDNO, IDYES, IDNO},
        {"retry cancel", MB_RETRYCANCEL, 0, IDCANCEL, IDRETRY, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The icon bits must not change the answers.
        for (uint32_t icon : {0u, uint32_t(MB_ICONQUESTION)}) {
            EXPECT_EQ(MessageBoxButtonResult(c.type | icon, B::Ok), c.ok);
            EXPECT_EQ(MessageBoxButtonResult(c.type | icon, B::Cancel), c.cancel);
            EXPECT_EQ(MessageBoxButtonResult(c.type | icon, B::Yes), c.yes);
            EXPECT_EQ(MessageBoxButtonResult(c.type | icon, B::No), c.no);
        }
    }
}

TEST(MessageBoxButtons, LayoutByType)
{
    MessageBoxLayout ok = MakeMessageBoxLayout({"Done", "", MB_OK, "", ""});
    EXPECT_TRUE(ok.showOk);
    EXPECT_TRUE(ok.okInNoPlace);
    EXPECT_FALSE(ok.showCancel || ok.showYes || ok.showNo);
    EXPECT_EQ(ok.icon, MB_ICONWARNING);
    // The plain box adds none.
    EXPECT_EQ(MakeMessageBoxLayout({"Wrote", "", MB_OK, "", "", true}).icon, 0u);
    EXPECT_EQ(MakeMessageBoxLayout({"Wrote", "", MB_OK | MB_ICONERROR, "", "", true}).icon, MB_ICONERROR);

    MessageBoxLayout yesNo = MakeMessageBoxLayout({"Go?", "", MB_YESNO, "", ""});
    EXPECT_TRUE(yesNo.showYes && yesNo.showNo && yesNo.noInCancelPlace);
    EXPECT_FALSE(yesNo.showCancel);
    EXPECT_EQ(yesNo.icon, MB_ICONQUESTION);

    MessageBoxLayout three = MakeMessageBoxLayout({"Save?", "", MB_YESNOCANCEL | MB_ICONERROR, "", ""});
    EXPECT_TRUE(three.showYes && three.showNo && three.showCancel);
    EXPECT_EQ(three.icon, MB_ICONERROR);

    // Retry and Cancel unless the caller names the buttons; the caller's captions win.
    MessageBoxLayout retry = MakeMessageBoxLayout({"Port busy", "", MB_RETRYCANCEL, "", ""});
    EXPECT_EQ(retry.yesCaption, "Retry");
    EXPECT_EQ(retry.noCaption, "Cancel");
    EXPECT_EQ(retry.icon, 0u);
    MessageBoxLayout named = MakeMessageBoxLayout({"Port busy", "", MB_RETRYCANCEL, "Again", ""});
    EXPECT_EQ(named.yesCaption, "Again");
    EXPECT_EQ(named.noCaption, "Cancel");

    // Types the box does not offer still leave a way to close it.
    MessageBoxLayout odd = MakeMessageBoxLayout({"?", "", MB_ABORTRETRYIGNORE, "", ""});
    EXPECT_TRUE(odd.showOk);
}

TEST(MessageStack, RingKeepsTheLatestTexts)
{
    MessageStack stack(3);
    for (const char* text : {"one", "two", "three", "four"})
        stack.Push(text);
    EXPECT_EQ(stack.GetAt(0), "four");
    EXPECT_EQ(stack.GetAt(1), "two");
    EXPECT_EQ(stack.GetAt(2), "three");
    EXPECT_EQ(stack.GetCount(), 2);
    EXPECT_EQ(stack.GetWriteIndex(), 1);
    EXPECT_EQ(stack.GetAt(3), "");
    EXPECT_EQ(stack.GetAt(-1), "");

    stack.Clear();
    EXPECT_EQ(stack.GetCount(), 0);
    EXPECT_EQ(stack.GetWriteIndex(), 0);
    EXPECT_EQ(stack.GetAt(0), "");
}
