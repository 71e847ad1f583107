#pragma once

#include "shell/IpcService.h"

#include <memory>
#include <string>

class wxTCPServer;

// The program's IPC server on a Unix-domain socket: service "Morvel", topic "KVLEdit". A request
// for "Get Data" answers an empty text (one byte, the terminator); the pokes "Notify Save
// Report", "Notify Save Text" and "Notify Save PointList" are acknowledged and their data
// dropped; everything else on the topic, and everything on other topics, is refused.
class CWxIpcService : public CIpcService
{
public:
    CWxIpcService();
    ~CWxIpcService() override;

    // False when another running program already answers under the name, or the socket cannot
    // be made; a socket left by a program that ended is replaced.
    bool Register(const std::string& serviceName, const std::string& topic) override;
    // Closes the server and removes its socket.
    void Unregister() override;

    const std::string& GetSocketPath() const { return m_path; }

private:
    std::unique_ptr<wxTCPServer> m_server;
    std::string m_path;
};

// The socket of a service: "<runtime folder>/<service>.ipc", the runtime folder being
// $XDG_RUNTIME_DIR, else the system temporary folder.
std::string GetIpcSocketPath(const std::string& serviceName);

// The answers, by topic and item.
bool IsIpcDataRequest(const std::string& topic, const std::string& item);
bool IsIpcAcknowledgedPoke(const std::string& topic, const std::string& item);
