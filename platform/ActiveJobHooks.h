#pragma once

#include <functional>
#include <string>

class CMathConversions;

// What the program-wide helpers need to know of the open job and the application. The shell
// installs these once the job document exists; an unset hook answers "no job open".
struct ActiveJobHooks
{
    std::function<bool()> isJobOpen;
    std::function<std::string()> activeJobPath;
    std::function<bool()> isActiveJobModified;
    // True while the open job has not been saved under a name yet.
    std::function<bool()> hasTemporaryJob;
    // The default job folder with its trailing separator, created when missing.
    std::function<std::string()> defaultJobFolder;
    // The open job's unit conversions; null when no job is open.
    std::function<const CMathConversions*()> mathConversions;
};

// Installs the hooks and returns the previous ones.
ActiveJobHooks SetActiveJobHooks(ActiveJobHooks hooks);
const ActiveJobHooks& GetActiveJobHooks();
