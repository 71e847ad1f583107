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
    // Buttons shown: O(K), C(ancel), Y(es), N(o); '<' marks OK in No's place, '>' No in Cancel's.
    struct Case
    {
        const char* name;
        uint32_t type;
        const char* buttons;
        uint32_t icon; // implied when the request names none
        const char* yes;
        const char* no;
    };
    const Case cases[] = {
        {"ok", MB_OK, "O<", MB_ICONWARNING, "Yes", "No"},
        {"ok cancel", MB_OKCANCEL, "OC", MB_ICONWARNING, "Yes", "No"},
        {"yes no cancel", MB_YESNOCANCEL, "CYN", MB_ICONQUESTION, "Yes", "No"},
        {"yes no", MB_YESNO, "YN>", MB_ICONQUESTION, "Yes", "No"},
        {"retry cancel", MB_RETRYCANCEL, "YN>", 0, "Retry", "Cancel"},
        // Types the box does not offer still leave a way to close it.
        {"abort retry ignore", MB_ABORTRETRYIGNORE, "O<", 0, "Yes", "No"},
    };
    auto shown = [](const MessageBoxLayout& l) {
        std::string s;
        for (auto [on, c] : {std::pair {l.showOk, 'O'}, {l.showCancel, 'C'}, {l.showYes, 'Y'}, {l.showNo, 'N'},
                             {l.okInNoPlace, '<'}, {l.noInCancelPlace, '>'}})
            if (on)
                s += c;
        return s;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MessageBoxLayout implied = MakeMessageBoxLayout({"?", "", c.type, "", ""});
        EXPECT_EQ(shown(implied), c.buttons);
        EXPECT_EQ(implied.icon, c.icon);
        EXPECT_EQ(implied.flags, c.type | c.icon);
        EXPECT_EQ(implied.yesCaption, c.yes);
        EXPECT_EQ(implied.noCaption, c.no);
        // A named icon stays, the plain box adds none, and the caller's captions win.
        const MessageBoxLayout named = MakeMessageBoxLayout({"?", "", c.type | MB_ICONERROR, "Again", "Later"});
        EXPECT_EQ(shown(named), c.buttons);
        EXPECT_EQ(named.icon, MB_ICONERROR);
        EXPECT_EQ(named.yesCaption, "Again");
        EXPECT_EQ(named.noCaption, "Later");
        EXPECT_EQ(MakeMessageBoxLayout({"?", "", c.type, "", "", true}).icon, 0u);
    }
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
