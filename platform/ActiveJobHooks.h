#pragma once

#include <functional>
#include <string>

// What the program-wide helpers need to know of the open job and the application. The job
// document fills the first three whenever the list of open documents changes; the shell fills the
// rest. An unset hook answers "no job open". The job's unit conversions come from the active job's
// value source (core/JobValueSource.h).
struct ActiveJobHooks
{
    std::function<bool()> isJobOpen;
    std::function<std::string()> activeJobPath;
    std::function<bool()> isActiveJobModified;
    // True while the open job has not been saved under a name yet.
    std::function<bool()> hasTemporaryJob;
    // The default job folder with its trailing separator, created when missing.
    std::function<std::string()> defaultJobFolder;
    // The default backup folder with its trailing separator.
    std::function<std::string()> defaultBackupFolder;
};

// Installs the hooks and returns the previous ones.
ActiveJobHooks SetActiveJobHooks(ActiveJobHooks hooks);
const ActiveJobHooks& GetActiveJobHooks();
