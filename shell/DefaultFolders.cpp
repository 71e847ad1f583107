#include "shell/DefaultFolders.h"

#include "core/PathHelpers.h"
#include "platform/AppFolders.h"
#include "platform/Profile.h"

namespace {

std::string WithSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

std::string ProfileFolder(const char* key, const char* defaultName)
{
    std::string documents;
    ::GetSpecialFolderPath(documents);
    const std::string fallback = documents + defaultName;
    std::string folder = WithSlash(GetAppProfile().GetProfileString("File", key, fallback));
    if (FolderExists(folder))
        return folder;
    if (CreateFolderTree(folder))
        return folder;
    if (!FolderExists(fallback))
        CreateFolderTree(fallback);
    return fallback;
}

} // namespace

bool GetDefaultJobFolder(std::string& folder)
{
    folder = ProfileFolder("Default Path", "Morvel Jobs/");
    return true;
}

void SetDefaultJobFolder(const std::string& folder)
{
    if (FolderExists(folder))
        GetAppProfile().WriteProfileString("File", "Default Path", folder);
}

bool GetDefaultBackupFolder(std::string& folder)
{
    folder = ProfileFolder("Default Backup Path", "Morvel Backups/");
    return true;
}

void SetDefaultBackupFolder(const std::string& folder)
{
    if (FolderExists(folder))
        GetAppProfile().WriteProfileString("File", "Default Backup Path", folder);
}
