#include "platform/MessageBox.h"

#include <cstdio>
#include <utility>

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

int DefaultMessageBoxButton(uint32_t flags)
{
    static constexpr int Buttons[][3] = {
        {IDOK, IDOK, IDOK},           {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL},      {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
    };
    uint32_t set = flags & 0x0F;
    uint32_t def = (flags >> 8) & 0x0F;
    if (set > 5)
        set = 0;
    if (def > 2)
        def = 0;
    return Buttons[set][def];
}

int ShowMessageBoxFSWithCaption(const std::string& text, const std::string& title, uint32_t flags,
                                const std::string& yesCaption, const std::string& noCaption)
{
    if (Handler())
        return Handler()(MessageBoxRequest{text, title, flags, yesCaption, noCaption});
    std::fprintf(stderr, "%s\n", text.c_str());
    return DefaultMessageBoxButton(flags);
}

int ShowPlainMessageBox(const std::string& text, uint32_t flags)
{
    if (Handler())
        return Handler()(MessageBoxRequest{text, {}, flags, {}, {}, true});
    std::fprintf(stderr, "%s\n", text.c_str());
    return DefaultMessageBoxButton(flags);
}

int ShowMessageBoxFS(const std::string& text, uint32_t flags, const std::string& yesCaption,
                     const std::string& noCaption)
{
    return ShowMessageBoxFSWithCaption(text, {}, flags, yesCaption, noCaption);
}

bool AskDoItNowOrLater(const std::string& text, const std::string& yesCaption, const std::string& noCaption)
{
    return ShowMessageBoxFS(text, MB_YESNO | MB_ICONWARNING, yesCaption.empty() ? "Do It Now" : yesCaption,
                            noCaption.empty() ? "Do It Later" : noCaption) == IDYES;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}
