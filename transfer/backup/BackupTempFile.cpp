#include "transfer/backup/BackupTempFile.h"

#include "core/PathHelpers.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::string FolderWithSeparator(const std::string& folder)
{
    if (folder.empty())
        return "./";
    std::string text = folder;
    while (text.size() > 1 && IsPathSeparator(text.back()))
        text.pop_back();
    if (text == "/" )
        return text;
    return text + '/';
}

int CreateSiblingTempFile(const std::string& folder, std::string& path)
{
    std::string pattern = FolderWithSeparator(folder) + ".morvel-XXXXXX.tmp";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemps(buffer.data(), 4);
    if (fd < 0) {
        path.clear();
        return -1;
    }
    // mkstemps makes the file private; a restored or backed-up file should get the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    path.assign(buffer.data());
    return fd;
}

bool WriteAndCloseFile(int fd, const uint8_t* data, size_t length)
{
    bool ok = true;
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        data += n;
        length -= static_cast<size_t>(n);
    }
    return ::close(fd) == 0 && ok;
}
