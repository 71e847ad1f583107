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

int ShowMessageBoxFS(const std::string& text, uint32_t flags)
{
    if (Handler())
        return Handler()(text, flags);
    std::fprintf(stderr, "%s\n", text.c_str());
    return DefaultMessageBoxButton(flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}
