#include "platform/AppFolders.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string& Override()
{
    static std::string folder;
    return folder;
}

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

void MakeFolders(const std::string& folder)
{
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at == folder.size() || folder[at] == '/')
            ::mkdir(folder.substr(0, at).c_str(), 0755);
    }
}

} // namespace

std::string GetHomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return WithSlash(home);
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir)
        return WithSlash(pw->pw_dir);
    return "/";
}

std::string GetExecutableFolder()
{
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return "./";
    std::string path(buffer, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

std::string GetProgramDataFolder()
{
    if (!Override().empty())
        return Override();
    std::string exeFolder = GetExecutableFolder();
    if (::access(exeFolder.c_str(), W_OK) == 0)
        return exeFolder;

    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    // The XDG rules ignore a relative path.
    if (xdg && xdg[0] == '/')
        base = WithSlash(xdg);
    else
        base = GetHomeFolder() + ".local/share/";
    std::string folder = base + "Morvel/";
    MakeFolders(folder);
    return folder;
}

void SetProgramDataFolderOverride(const std::string& folder)
{
    Override() = folder.empty() ? std::string() : WithSlash(folder);
}

std::string GetDefaultTransferFolder()
{
    return GetHomeFolder() + "KVL_DAT/";
}

namespace {

// "$HOME/Documents" or "/abs/path" as user-dirs.dirs writes it; empty for anything else.
std::string ExpandUserDir(std::string value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0)
        return GetHomeFolder() + value.substr(value.size() > 5 && value[5] == '/' ? 6 : 5);
    if (!value.empty() && value[0] == '/')
        return value;
    return {};
}

std::string ConfigHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return WithSlash(xdg);
    return GetHomeFolder() + ".config/";
}

} // namespace

std::string GetDocumentsFolder()
{
    std::ifstream in(ConfigHome() + "user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            std::string folder = ExpandUserDir(line.substr(key.size()));
            if (!folder.empty())
                return WithSlash(folder);
        }
    }
    if (const char* env = std::getenv("XDG_DOCUMENTS_DIR"); env && env[0] == '/')
        return WithSlash(env);
    return GetHomeFolder() + "Documents/";
}

bool GetSpecialFolderPath(std::string& folder)
{
    folder = GetDocumentsFolder();
    struct stat st{};
    if (::stat(folder.c_str(), &st) != 0) {
        MakeFolders(folder);
    }
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        folder = GetProgramDataFolder();
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string GetDesktopFolder()
{
    std::ifstream in(ConfigHome() + "user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DESKTOP_DIR=";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            std::string folder = ExpandUserDir(line.substr(key.size()));
            if (!folder.empty())
                return WithSlash(folder);
        }
    }
    return GetHomeFolder() + "Desktop/";
}
