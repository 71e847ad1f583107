#include "core/PathHelpers.h"

#include "core/ResourceStrings.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string::size_type npos = std::string::npos;

std::string::size_type LastSeparator(const std::string& path)
{
    return path.find_last_of("/\\");
}

// Position of the '.' that starts the extension, or npos when the file name has none.
std::string::size_type ExtensionDot(const std::string& path)
{
    auto dot = path.rfind('.');
    if (dot == npos)
        return npos;
    auto sep = LastSeparator(path);
    if (sep != npos && dot < sep)
        return npos;
    return dot;
}

bool StatPath(const std::string& path, struct stat& st)
{
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

std::string ReplaceFormatNumber(const std::string& format, const std::string& number)
{
    std::string text = format;
    auto at = text.find("%d");
    if (at != npos)
        text.replace(at, 2, number);
    return text;
}

} // namespace

bool IsPathSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool FileExists(const std::string& path)
{
    struct stat st;
    return StatPath(path, st) && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& path)
{
    if (path.empty())
        return false;
    std::string folder = path;
    // The root "/" stays itself; any other trailing separator goes.
    if (folder.size() > 1 && IsPathSeparator(folder.back()))
        folder.pop_back();
    struct stat st;
    return StatPath(folder, st) && S_ISDIR(st.st_mode);
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    const std::filesystem::path fullA = std::filesystem::weakly_canonical(a, error);
    if (error)
        return false;
    return fullA == std::filesystem::weakly_canonical(b, error) && !error;
}

void ClearReadOnlyAttribute(const std::string& path)
{
    struct stat st;
    if (!FileExists(path) || ::stat(path.c_str(), &st) != 0)
        return;
    ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
}

void SetReadOnlyAttribute(const std::string& path)
{
    struct stat st;
    if (!FileExists(path) || ::stat(path.c_str(), &st) != 0)
        return;
    ::chmod(path.c_str(), (st.st_mode & 07777) & ~(S_IWUSR | S_IWGRP | S_IWOTH));
}

bool IsShortFileName(const std::string& path)
{
    if (path.empty())
        return false;
    bool made = false;
    if (!FileExists(path)) {
        int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
        if (fd < 0)
            return false;
        ::close(fd);
        made = true;
    }
    if (made)
        ::unlink(path.c_str());
    return true;
}

std::string GetPathFileName(const std::string& path)
{
    auto sep = LastSeparator(path);
    return sep == npos ? path : path.substr(sep + 1);
}

std::string GetPathFolder(const std::string& path)
{
    auto sep = LastSeparator(path);
    return sep == npos ? path : path.substr(0, sep + 1);
}

std::string GetPathFolderOrEmpty(const std::string& path)
{
    auto sep = LastSeparator(path);
    return sep == npos ? std::string() : path.substr(0, sep + 1);
}

std::string RemovePathExtension(const std::string& path)
{
    auto dot = ExtensionDot(path);
    return dot == npos ? path : path.substr(0, dot);
}

std::string GetPathFileTitle(const std::string& path)
{
    return RemovePathExtension(GetPathFileName(path));
}

std::string GetPathExtension(const std::string& path)
{
    std::string name = GetPathFileName(path);
    auto dot = name.rfind('.');
    return dot == npos ? name : name.substr(dot + 1);
}

std::string GetPathExtensionWithDot(const std::string& path)
{
    auto dot = ExtensionDot(path);
    return dot == npos ? std::string() : path.substr(dot);
}

void ChangePathExtension(std::string& path, const std::string& extension)
{
    if (extension.empty())
        return;
    auto end = path.find_last_not_of(" \t\r\n\v\f");
    path.erase(end == npos ? 0 : end + 1);
    auto dot = ExtensionDot(path);
    if (dot != npos)
        path.erase(dot);
    if (extension.front() != '.')
        path += '.';
    path += extension;
}

bool CreateFolderTree(const std::string& path)
{
    std::string copy = path;
    auto sep = LastSeparator(copy);
    if (sep != npos && sep + 1 == copy.size()) {
        copy.pop_back();
        sep = LastSeparator(copy);
    }
    if (sep == npos)
        return false;
    copy.erase(sep + 1);
    if (!FolderExists(copy))
        CreateFolderTree(copy);

    std::string folder = path;
    if (!folder.empty() && IsPathSeparator(folder.back()))
        folder.pop_back();
    return !folder.empty() && ::mkdir(folder.c_str(), 0777) == 0;
}

bool RenameToNumberedBackup(const std::string& path, std::string& newPath, const std::string& suffix)
{
    std::string candidate;
    for (int n = 1; n <= 999; ++n) {
        char number[8];
        std::snprintf(number, sizeof number, ".%03d", n);
        candidate = path;
        ChangePathExtension(candidate, number);
        candidate += suffix;
        if (!FileExists(candidate))
            break;
    }
    newPath = candidate;

    // Plain rename() would silently replace a backup that already exists.
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without RENAME_NOREPLACE: link() refuses an existing target just the same.
    if (::link(path.c_str(), candidate.c_str()) != 0)
        return false;
    if (::unlink(path.c_str()) != 0) {
        ::unlink(candidate.c_str());
        return false;
    }
    return true;
}

std::string FormatFileSizeKB(uint64_t size)
{
    uint64_t kb = size / 1024;
    uint64_t rest = size % 1024;
    if (kb == 0)
        return ReplaceFormatNumber(LoadResourceString(738), std::to_string(size));
    if (rest >= 512)
        ++kb;
    std::string digits = std::to_string(kb);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text + "KB";
}
