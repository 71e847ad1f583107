#include "shell/IpcService.h"

#include <cstdlib>
#include <utility>

namespace {
IpcServiceFactory& Factory()
{
    static IpcServiceFactory factory;
    return factory;
}
} // namespace

void SetIpcServiceFactory(IpcServiceFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<CIpcService> CreateIpcService() { return Factory() ? Factory()() : nullptr; }

std::string GetIpcServiceName()
{
    const char* name = std::getenv("MORVEL_IPC_NAME");
    return name && *name ? std::string(name) : std::string("Morvel");
}
