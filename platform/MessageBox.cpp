#include "platform/MessageBox.h"

#include <cstdio>
#include <utility>

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

int Show(const MessageBoxRequest& request)
{
    if (Handler())
        return Handler()(request);
    std::fprintf(stderr, "%s\n", request.text.c_str());
    return DefaultMessageBoxButton(request.flags);
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
    return Show(MessageBoxRequest{text, title, flags, yesCaption, noCaption});
}

int ShowPlainMessageBox(const std::string& text, uint32_t flags)
{
    return Show(MessageBoxRequest{text, {}, flags, {}, {}, true});
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
