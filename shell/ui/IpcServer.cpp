#include "shell/ui/IpcServer.h"

#include <wx/ipc.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::string g_topic = IpcTopic;

class CMorvelConnection : public wxConnection
{
public:
    const void* OnRequest(const wxString& topic, const wxString& item, size_t* size, wxIPCFormat) override
    {
        static const char empty[1] = {'\0'};
        if (!IsIpcDataRequest(topic.utf8_string(), item.utf8_string())) {
            if (size != nullptr)
                *size = 0;
            return nullptr;
        }
        if (size != nullptr)
            *size = 1;
        return empty;
    }

    bool OnPoke(const wxString& topic, const wxString& item, const void*, size_t, wxIPCFormat) override
    {
        // What the editor says it saved is of no use to the program: acknowledged and dropped.
        return IsIpcAcknowledgedPoke(topic.utf8_string(), item.utf8_string());
    }

    bool OnExec(const wxString&, const wxString&) override { return false; }
};

class CMorvelServer : public wxServer
{
public:
    // Every topic is accepted; the answers tell the topics apart.
    wxConnectionBase* OnAcceptConnection(const wxString&) override { return new CMorvelConnection; }
};

// True when a program listens on the socket.
bool SomeoneListens(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

} // namespace

bool IsIpcDataRequest(const std::string& topic, const std::string& item)
{
    return topic == g_topic && item == "Get Data";
}

bool IsIpcAcknowledgedPoke(const std::string& topic, const std::string& item)
{
    return topic == g_topic &&
           (item == "Notify Save Report" || item == "Notify Save Text" || item == "Notify Save PointList");
}

std::string GetIpcSocketPath(const std::string& serviceName)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = runtime != nullptr && *runtime != '\0' ? runtime : "";
    struct stat st {};
    if (folder.empty() || ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        const char* temp = std::getenv("TMPDIR");
        folder = temp != nullptr && *temp != '\0' ? temp : "/tmp";
    }
    if (folder.back() != '/')
        folder += '/';
    std::string name = serviceName;
    for (char& c : name)
        if (c == '/')
            c = '_';
    return folder + name + ".ipc";
}

CWxIpcService::CWxIpcService() = default;

CWxIpcService::~CWxIpcService() { Unregister(); }

bool CWxIpcService::Register(const std::string& serviceName, const std::string& topic)
{
    Unregister();
    g_topic = topic;
    const std::string path = GetIpcSocketPath(serviceName);
    if (path.size() >= sizeof(sockaddr_un::sun_path))
        return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (!S_ISSOCK(st.st_mode) || SomeoneListens(path))
            return false;
        // Left by a program that ended without cleaning up.
        ::unlink(path.c_str());
    }
    auto server = std::make_unique<CMorvelServer>();
    if (!server->Create(wxString::FromUTF8(path)))
        return false;
    m_server = std::move(server);
    m_path = path;
    return true;
}

void CWxIpcService::Unregister()
{
    if (!m_server)
        return;
    m_server.reset();
    // wx leaves the socket file behind when its server goes.
    ::unlink(m_path.c_str());
    m_path.clear();
}
