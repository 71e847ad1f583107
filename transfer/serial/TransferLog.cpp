#include "transfer/serial/TransferLog.h"

#include "core/PathHelpers.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::function<SystemTime()>& LogClock()
{
    static std::function<SystemTime()> clock;
    return clock;
}

SystemTime Now()
{
    return LogClock() ? LogClock()() : CurrentLocalSystemTime();
}

std::string FormatStamp(const SystemTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02u-%02u-%04u %02u:%02u:%02u", unsigned(t.month), unsigned(t.day),
                  unsigned(t.year), unsigned(t.hour), unsigned(t.minute), unsigned(t.second));
    return text;
}

bool AppendLogLine(const std::string& line)
{
    const std::string path = GetTransferLogPath();
    const bool exists = ::access(path.c_str(), F_OK) == 0; // a folder in its place counts too
    const int fd = exists ? ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC)
                          : ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        ShowMessageBoxFS(exists ? "Cannot open the log file: TransferLog.txt"
                                : "Cannot create the log file: TransferLog.txt");
        return false;
    }
    // One write call, so lines of two programs never interleave within a line.
    const std::string text = line + "\r\n";
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    return done == text.size();
}

} // namespace

std::string GetTransferLogPath()
{
    return GetProgramDataFolder() + TransferLogFileName;
}

std::string FormatUploadLogLine(const SystemTime& when, int32_t points, const std::string& jobPath)
{
    return FormatStamp(when) + " uploaded " + std::to_string(points) + " pts from " + GetPathFileName(jobPath);
}

std::string FormatDownloadLogLine(const SystemTime& when, const std::string& savedPath)
{
    return FormatStamp(when) + " downloaded " + GetPathFileName(savedPath);
}

bool WriteUploadLog(int32_t points, const std::string& jobPath)
{
    return AppendLogLine(FormatUploadLogLine(Now(), points, jobPath));
}

bool WriteDownloadLog(const std::string& savedPath)
{
    return AppendLogLine(FormatDownloadLogLine(Now(), savedPath));
}

void SetTransferLogClock(std::function<SystemTime()> clock)
{
    LogClock() = std::move(clock);
}
