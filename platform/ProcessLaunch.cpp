#include "platform/ProcessLaunch.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <utility>
#include <unistd.h>

extern char** environ;

namespace {

pid_t Spawn(const std::vector<std::string>& argv, const std::string& workingFolder,
            const std::vector<std::string>& environment = {}, int outputFd = -1)
{
    if (argv.empty() || argv.front().empty())
        return -1;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return -1;
    if (!workingFolder.empty() && posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    if (outputFd >= 0 && (posix_spawn_file_actions_adddup2(&actions, outputFd, 1) != 0 ||
                          posix_spawn_file_actions_addclose(&actions, outputFd) != 0)) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    // Entries given replace ours of the same name.
    std::vector<std::string> merged(environment);
    for (char** e = environ; e && *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const std::string& given : environment)
            replaced = replaced || given.compare(0, name.size(), name) == 0;
        if (!replaced)
            merged.push_back(entry);
    }
    std::vector<char*> env;
    for (std::string& entry : merged)
        env.push_back(entry.data());
    env.push_back(nullptr);
    pid_t pid = 0;
    const int result = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

// A small waiter collects the exit of a program that runs on its own.
void ReapInBackground(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace

bool LaunchProcess(const std::vector<std::string>& argv, const std::string& workingFolder)
{
    CChildProcess child;
    if (!child.Start(argv, workingFolder))
        return false;
    child.Detach();
    return true;
}

namespace {
DesktopLauncher& Launcher()
{
    static DesktopLauncher launcher;
    return launcher;
}
} // namespace

bool OpenWithDesktop(const std::string& target, const std::string& workingFolder)
{
    if (Launcher())
        return Launcher()(target, workingFolder);
    return LaunchProcess({"xdg-open", target}, workingFolder);
}

DesktopLauncher SetDesktopLauncher(DesktopLauncher launcher) { return std::exchange(Launcher(), std::move(launcher)); }

CChildProcess::~CChildProcess() { Detach(); }

bool RunForOutput(const std::vector<std::string>& argv, std::string& output, int milliseconds)
{
    output.clear();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const pid_t pid = Spawn(argv, std::string(), {}, fds[1]);
    ::close(fds[1]);
    if (pid <= 0) {
        ::close(fds[0]);
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    bool timedOut = false;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (output.size() < 65536)
            output.append(buffer, std::min<size_t>(size_t(n), 65536 - output.size()));
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool FindProgramOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (name.empty() || path == nullptr)
        return false;
    const std::string folders = path;
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        if (::access((folder + "/" + name).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

bool CChildProcess::Start(const std::vector<std::string>& argv, const std::string& workingFolder,
                          const std::vector<std::string>& environment)
{
    Detach();
    m_pid = Spawn(argv, workingFolder, environment);
    m_exited = false;
    m_status = 0;
    return m_pid > 0;
}

bool CChildProcess::HasExited(int* status)
{
    if (m_pid <= 0)
        return false;
    if (!m_exited) {
        int s = 0;
        pid_t r;
        while ((r = ::waitpid(m_pid, &s, WNOHANG)) < 0 && errno == EINTR) {
        }
        if (r == m_pid || (r < 0 && errno == ECHILD)) {
            m_exited = true;
            m_status = s;
        }
    }
    if (m_exited && status != nullptr)
        *status = m_status;
    return m_exited;
}

bool CChildProcess::WaitForExit(int milliseconds, int* status)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (HasExited(status))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void CChildProcess::Detach()
{
    if (m_pid > 0 && !m_exited)
        ReapInBackground(m_pid);
    m_pid = -1;
    m_exited = false;
}
