#include "exchange/CreateJobPaths.h"

#include "core/PathHelpers.h"
#include "core/TextUtil.h"
#include "platform/AppFolders.h"
#include "platform/Profile.h"

namespace {

constexpr const char* Section = "File";

// The folder part when that folder exists, else empty.
std::string ExistingFolderOf(const std::string& path)
{
    const std::string folder = GetPathFolderOrEmpty(path);
    return !folder.empty() && FolderExists(folder) ? folder : std::string();
}

} // namespace

CreateJobPathKeys BackupJobPathKeys(const std::string& backupFolder, const std::string& jobFolder)
{
    return {"BckBck", "BckJob", backupFolder, jobFolder};
}

CreateJobPathKeys TransferFileJobPathKeys(const std::string& jobFolder)
{
    std::string home = GetHomeFolder();
    if (!home.empty() && !IsPathSeparator(home.back()))
        home += '/';
    return {"TrnTrn", "TrnJob", home + "Vectrin/Data/", jobFolder};
}

void LoadCreateJobPaths(CProfile& profile, const CreateJobPathKeys& keys, std::string& source, std::string& job)
{
    source = profile.GetProfileString(Section, keys.sourceKey, keys.sourceDefault);
    if (!FileExists(source))
        source = ExistingFolderOf(source);
    job = ExistingFolderOf(profile.GetProfileString(Section, keys.jobKey, keys.jobDefault));
}

void StoreCreateJobPaths(CProfile& profile, const CreateJobPathKeys& keys, const std::string& source,
                         const std::string& job)
{
    if (FileExists(source))
        profile.WriteProfileString(Section, keys.sourceKey, source);
    if (const std::string folder = ExistingFolderOf(job); !folder.empty())
        profile.WriteProfileString(Section, keys.jobKey, folder);
}

bool ForceJobFileExtension(std::string& path)
{
    const std::string name = GetPathFileName(path);
    // A folder alone names no job: ".Mvj" would be a hidden file nobody chose.
    if (name.empty())
        return false;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && textutil::ToLowerAscii(name.substr(dot + 1)) == "mvj")
        return false;
    if (dot == std::string::npos)
        path += ".Mvj";
    else
        path.replace(path.size() - (name.size() - dot - 1), std::string::npos, "Mvj");
    return true;
}
