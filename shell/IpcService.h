#pragma once

#include <functional>
#include <memory>
#include <string>

// The program's IPC service (service "Morvel", topic "KVLEdit"), through which the companion
// editor talks to it. The application registers it at start-up and unregisters it at exit; the
// service itself is installed by the code that implements it.
class CIpcService
{
public:
    virtual ~CIpcService() = default;
    // False when the service could not be registered; the program runs on without it.
    virtual bool Register(const std::string& serviceName, const std::string& topic) = 0;
    virtual void Unregister() = 0;
};

using IpcServiceFactory = std::function<std::unique_ptr<CIpcService>()>;
// Installs the factory the application makes its service with; without one there is no service.
void SetIpcServiceFactory(IpcServiceFactory factory);
std::unique_ptr<CIpcService> CreateIpcService();

// "Morvel", or MORVEL_IPC_NAME when set, so that programs started side by side by tests do not
// answer each other.
std::string GetIpcServiceName();
inline constexpr const char* IpcTopic = "KVLEdit";
