#include "platform/ProcessLaunch.h"

#include <cerrno>
#include <chrono>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <utility>

extern char** environ;

namespace {

pid_t Spawn(const std::vector<std::string>& argv, const std::string& workingFolder)
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
    pid_t pid = 0;
    const int result = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
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

bool CChildProcess::Start(const std::vector<std::string>& argv, const std::string& workingFolder)
{
    Detach();
    m_pid = Spawn(argv, workingFolder);
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
