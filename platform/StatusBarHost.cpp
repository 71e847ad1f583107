#include "platform/StatusBarHost.h"

namespace {
CStatusBarHost* g_mainHost = nullptr;

std::function<void(int)>& QuitHandler()
{
    static std::function<void(int)> handler;
    return handler;
}

std::function<std::string(uint32_t)>& StringLoader()
{
    static std::function<std::string(uint32_t)> loader;
    return loader;
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

std::string LoadStatusString(uint32_t id)
{
    return StringLoader() ? StringLoader()(id) : std::string();
}

void SetStatusStringLoader(std::function<std::string(uint32_t)> loader)
{
    StringLoader() = std::move(loader);
}
