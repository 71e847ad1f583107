#include "platform/BusyCursor.h"

namespace {

int g_depth = 0;

CBusyCursor::Handler& InstalledHandler()
{
    static CBusyCursor::Handler handler;
    return handler;
}

void Show(bool show)
{
    if (InstalledHandler())
        InstalledHandler()(show);
}

} // namespace

CBusyCursor::CBusyCursor()
{
    if (g_depth++ == 0)
        Show(true);
}

CBusyCursor::~CBusyCursor()
{
    if (--g_depth == 0)
        Show(false);
}

int CBusyCursor::GetDepth() { return g_depth; }

void CBusyCursor::Restore()
{
    if (g_depth > 0)
        Show(true);
}

CBusyCursor::Handler CBusyCursor::SetHandler(Handler handler)
{
    Handler previous = std::move(InstalledHandler());
    InstalledHandler() = std::move(handler);
    return previous;
}
