#include "ProgramTest.h"

#include <gtest/gtest.h>

#include <wx/debug.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Every run of the window tests draws on an X server of its own. On a shared server, without a
// window manager, another program's new window takes the keyboard focus and the activation from
// the test's windows (a tip draws only its face, a field never gets its keys), so tests that pass
// alone fail when run beside others. A developer's own desktop is left alone the same way.
class OwnXServer
{
public:
    enum class Result { Started, NotInstalled, Failed };

    Result Start(std::string& display, std::string& why)
    {
        const std::string program = FindInPath("Xvfb");
        if (program.empty())
            return Result::NotInstalled;
        int ready[2];
        if (::pipe2(ready, O_CLOEXEC) != 0)
            return Fail(why, "no pipe for Xvfb");
        // Xvfb's complaints (keyboard map warnings) would bury a failing test's output; they are
        // kept in an unnamed file and shown only when the server does not come up.
        char logName[] = "/tmp/morvel-xvfb-XXXXXX";
        m_log = ::mkostemp(logName, O_CLOEXEC);
        if (m_log >= 0)
            ::unlink(logName);
        const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        // -displayfd: the server picks a free display number itself and says which once it
        // accepts connections, so parallel starts cannot race for a number. -noreset: the server
        // stays up between one toolkit start and the next instead of refusing them while it resets.
        const std::string fd = std::to_string(ServerReadyFd);
        const char* argv[] = {program.c_str(), "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                              "-nolisten", "tcp", "-noreset", nullptr};
        const pid_t parent = ::getpid();
        const pid_t pid = ::fork();
        if (pid == 0) {
            // The server ends with this program however it ends (a crash, ctest's timeout kill).
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (::getppid() != parent)
                ::_exit(126);
            ::dup2(nothing, STDIN_FILENO);
            if (m_log >= 0) {
                ::dup2(m_log, STDOUT_FILENO);
                ::dup2(m_log, STDERR_FILENO);
            }
            // dup2 leaves the copy open across exec; the same descriptor needs its flag cleared.
            if (ready[1] == ServerReadyFd)
                ::fcntl(ServerReadyFd, F_SETFD, 0);
            else
                ::dup2(ready[1], ServerReadyFd);
            ::execv(program.c_str(), const_cast<char* const*>(argv));
            ::_exit(127);
        }
        ::close(ready[1]);
        if (nothing >= 0)
            ::close(nothing);
        if (pid < 0) {
            ::close(ready[0]);
            return Fail(why, "Xvfb could not be started");
        }
        m_pid = pid;
        m_owner = parent;
        std::string number;
        const bool answered = ReadLine(ready[0], number);
        ::close(ready[0]);
        if (!answered || number.empty()) {
            Stop();
            return Fail(why, "Xvfb did not say its display number within a minute");
        }
        display = ":" + number;
        return Result::Started;
    }

    // Ends the server; only the process that started it does (a child forked by a test does not).
    void Stop()
    {
        if (m_pid > 0 && ::getpid() == m_owner) {
            ::kill(m_pid, SIGTERM);
            while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
        m_pid = -1;
        if (m_log >= 0)
            ::close(m_log);
        m_log = -1;
    }

private:
    static constexpr int ServerReadyFd = 3;

    static std::string FindInPath(const char* name)
    {
        const char* path = std::getenv("PATH");
        std::string folders = path ? path : "/usr/bin:/bin";
        size_t start = 0;
        while (start <= folders.size()) {
            const size_t end = std::min(folders.find(':', start), folders.size());
            std::string candidate = folders.substr(start, end - start);
            candidate = (candidate.empty() ? std::string(".") : candidate) + "/" + name;
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
            start = end + 1;
        }
        return {};
    }

    // The server writes its number and a newline once it listens; end of file means it died.
    static bool ReadLine(int fd, std::string& line)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            pollfd p{fd, POLLIN, 0};
            const int polled = ::poll(&p, 1, int(left.count()));
            if (polled < 0 && errno == EINTR)
                continue;
            if (polled <= 0)
                return false;
            char buffer[32];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            line.append(buffer, size_t(n));
            if (const size_t newline = line.find('\n'); newline != std::string::npos) {
                line.resize(newline);
                return true;
            }
        }
    }

    Result Fail(std::string& why, const char* what)
    {
        why = what;
        if (m_log >= 0) {
            char buffer[4096];
            const ssize_t n = ::pread(m_log, buffer, sizeof buffer, 0);
            if (n > 0)
                why += ":\n" + std::string(buffer, size_t(n));
        }
        return Result::Failed;
    }

    pid_t m_pid = -1;
    pid_t m_owner = -1;
    int m_log = -1;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // CI must run the window tests, each program on its own server, not skip them or share a
    // display it happened to inherit.
    const char* ci = std::getenv("CI");
    const bool onCi = ci != nullptr && std::strcmp(ci, "true") == 0;
    OwnXServer server;
    if (!::testing::GTEST_FLAG(list_tests)) {
        std::string display, why;
        switch (server.Start(display, why)) {
        case OwnXServer::Result::Started:
            setenv("DISPLAY", display.c_str(), 1);
            // GTK would prefer a Wayland desktop over the display set here.
            setenv("GDK_BACKEND", "x11", 1);
            unsetenv("WAYLAND_DISPLAY");
            break;
        case OwnXServer::Result::NotInstalled:
            if (onCi) {
                std::fprintf(stderr, "morvel_ui_tests: Xvfb is not in PATH, and CI runs the window tests on an X "
                                     "server of their own (install Xvfb)\n");
                return 1;
            }
            // The display the program was given, if any, shared with whatever else runs on it.
            break;
        case OwnXServer::Result::Failed:
            std::fprintf(stderr, "morvel_ui_tests: %s\n", why.c_str());
            return 1;
        }
    }
    const char* display = std::getenv("DISPLAY");
    const bool haveDisplay = display != nullptr && *display != '\0';
    morvel::test::SetDisplayAvailable(haveDisplay);
    // A failed wx assertion fails the test instead of waiting for someone to answer its dialog.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_string().c_str(), line)
            << "wx assertion in " << func.utf8_string() << ": " << cond.utf8_string() << " " << msg.utf8_string();
    });
    const int result = RUN_ALL_TESTS();
    server.Stop();
    return result;
}
