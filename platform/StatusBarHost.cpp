#include "platform/StatusBarHost.h"

namespace {
CStatusBarHost* g_mainHost = nullptr;

std::function<void(int)>& QuitHandler()
{
    static std::function<void(int)> handler;
    return handler;
}
} // namespace

CStatusBarHost* GetMainStatusHost()
{
    return g_mainHost;
}

void SetMainStatusHost(CStatusBarHost* host)
{
    g_mainHost = host;
}

void RequestApplicationQuit(int code)
{
    if (QuitHandler())
        QuitHandler()(code);
}

void SetApplicationQuitHandler(std::function<void(int)> handler)
{
    QuitHandler() = std::move(handler);
}
