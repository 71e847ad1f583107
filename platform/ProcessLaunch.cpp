#include "platform/ProcessLaunch.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

bool LaunchProcess(const std::vector<std::string>& argv, const std::string& workingFolder)
{
    if (argv.empty() || argv.front().empty())
        return false;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    if (!workingFolder.empty() && posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
    pid_t pid = 0;
    const int result = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0)
        return false;
    // The program runs on its own; a small waiter collects its exit so no zombie is left behind.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

bool OpenWithDesktop(const std::string& target, const std::string& workingFolder)
{
    return LaunchProcess({"xdg-open", target}, workingFolder);
}
