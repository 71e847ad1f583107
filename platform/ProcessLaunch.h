#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// Starts a program found on PATH with the argument vector (argv[0] names the program), in the
// working folder when one is given, without a shell and without waiting for it to end. False when
// the program could not be started.
bool LaunchProcess(const std::vector<std::string>& argv, const std::string& workingFolder = std::string());

// Opens a document, web page or mail address with the desktop's program for it (xdg-open), or
// through the installed launcher.
bool OpenWithDesktop(const std::string& target, const std::string& workingFolder = std::string());
// Replaces what OpenWithDesktop does (tests record the target instead of starting a program); an
// empty launcher brings xdg-open back. Returns the launcher replaced.
using DesktopLauncher = std::function<bool(const std::string& target, const std::string& workingFolder)>;
DesktopLauncher SetDesktopLauncher(DesktopLauncher launcher);

// Runs a program found on PATH to its end and gives what it wrote to its standard output (the
// first 64 KB). False when it cannot be started, fails, or takes longer than the milliseconds
// (it is then ended).
bool RunForOutput(const std::vector<std::string>& argv, std::string& output, int milliseconds = 5000);

// True when a program of that name is found on PATH.
bool FindProgramOnPath(const std::string& name);

// A started program the caller watches: whether it has ended, waiting for it a while. Started
// as LaunchProcess starts programs (an argv[0] with a '/' is taken as a path, else looked up on
// PATH). Whatever still runs when the object goes is left to run on, and its exit is collected
// so that no zombie stays behind.
class CChildProcess
{
public:
    CChildProcess() = default;
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // `environment` holds "NAME=value" entries set for the program on top of ours.
    bool Start(const std::vector<std::string>& argv, const std::string& workingFolder = std::string(),
               const std::vector<std::string>& environment = {});
    // True once the program has ended; its exit status (as waitpid gives it) in *status.
    bool HasExited(int* status = nullptr);
    // Waits up to the milliseconds for it to end; true when it has.
    bool WaitForExit(int milliseconds, int* status = nullptr);
    // Lets the program run on without watching it.
    void Detach();

    pid_t GetPid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    bool m_exited = false;
    int m_status = 0;
};
