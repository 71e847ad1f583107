#include "core/WindowsFile.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// printf-style formatting in the C locale whatever the user's locale, so numbers use '.'.
std::string FormatInCLocale(const char* format, va_list args)
{
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    locale_t previous = cLocale ? uselocale(cLocale) : static_cast<locale_t>(0);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        text.resize(static_cast<size_t>(n));
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
    if (cLocale)
        uselocale(previous);
    return text;
}

} // namespace

WindowsFile::WindowsFile(const std::string& name, uint32_t flags) { Open(name, flags); }

WindowsFile::~WindowsFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool WindowsFile::Open(const std::string& name, uint32_t flags)
{
    // A second open would otherwise leak the first descriptor.
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_fileName = name;
    m_openFlags = flags;
    int access = O_RDONLY;
    if ((flags & kRead) && (flags & kWrite))
        access = O_RDWR;
    else if (flags & kWrite)
        access = O_WRONLY;
    int mode = access | O_CLOEXEC;
    if (flags & kCreate)
        mode |= O_CREAT | O_TRUNC;
    int fd;
    do
        fd = ::open(name.c_str(), mode, 0666);
    while (fd < 0 && errno == EINTR);
    m_openFailed = fd < 0;
    if (!m_openFailed) {
        // A folder opens for reading on Linux but is no file.
        struct stat st {};
        if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
            ::close(fd);
            m_openFailed = true;
        } else {
            m_fd = fd;
        }
    }
    return !m_openFailed;
}

void WindowsFile::Reopen()
{
    if (m_fd < 0)
        Open(m_fileName, m_openFlags);
}

bool WindowsFile::Close()
{
    if (m_fd < 0)
        return true;
    int rc = ::close(m_fd);
    m_fd = -1;
    return rc == 0;
}

bool WindowsFile::IsOpen() const { return m_fd >= 0; }

void WindowsFile::SetNulTerminated(bool on) { m_nulTerminated = on; }

void WindowsFile::SeekTo(int32_t position)
{
    if (m_fd >= 0)
        ::lseek(m_fd, position, SEEK_SET);
}

void WindowsFile::SeekToEnd()
{
    if (m_fd >= 0)
        ::lseek(m_fd, 0, SEEK_END);
}

void WindowsFile::Skip(int32_t count)
{
    if (m_fd >= 0)
        ::lseek(m_fd, count, SEEK_CUR);
}

int32_t WindowsFile::GetPosition()
{
    off_t pos = m_fd >= 0 ? ::lseek(m_fd, 0, SEEK_CUR) : -1;
    return pos < 0 || pos > INT32_MAX ? 0 : static_cast<int32_t>(pos);
}

int32_t WindowsFile::GetSize()
{
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || st.st_size > INT32_MAX)
        return 0;
    return static_cast<int32_t>(st.st_size);
}

bool WindowsFile::IsEof() { return GetSize() <= GetPosition(); }

bool WindowsFile::WriteChar(char c) { return Write(&c, 1) == 1; }

char WindowsFile::ReadChar(bool* eof)
{
    char c = 0;
    bool none = Read(&c, 1) != 1;
    if (eof)
        *eof = none;
    return none ? 0 : c;
}

bool WindowsFile::ReadLine(std::string& line)
{
    if (IsEof())
        return false;
    const char terminator = m_nulTerminated ? '\0' : '\n';
    std::string text;
    bool eof = false;
    for (;;) {
        char c = ReadChar(&eof);
        if (eof || c == terminator)
            break;
        text.push_back(c);
    }
    if (eof && text.empty())
        return false;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    line = std::move(text);
    return true;
}

uint32_t WindowsFile::ReadString(char* buf, uint32_t max)
{
    std::string line;
    bool got = ReadLine(line);
    if (max == 0)
        return 0;
    if (!got) {
        buf[0] = 0;
        return 0;
    }
    uint32_t n = static_cast<uint32_t>(std::min<size_t>(line.size(), max - 1));
    std::memcpy(buf, line.data(), n);
    // A cut can leave line-end bytes at the end of what fits.
    while (n > 0 && (buf[n - 1] == '\r' || buf[n - 1] == '\n'))
        --n;
    buf[n] = 0;
    return n;
}

uint32_t WindowsFile::Write(const void* data, uint32_t count)
{
    if (m_fd < 0)
        return 0;
    auto p = static_cast<const char*>(data);
    uint32_t done = 0;
    while (done < count) {
        ssize_t n = ::write(m_fd, p + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return 0;
        done += static_cast<uint32_t>(n);
    }
    return done;
}

uint32_t WindowsFile::Read(void* buf, uint32_t count)
{
    if (m_fd < 0) {
        m_readFailed = true;
        return 0;
    }
    auto p = static_cast<char*>(buf);
    uint32_t done = 0;
    while (done < count) {
        ssize_t n = ::read(m_fd, p + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            m_readFailed = true;
            return 0;
        }
        if (n == 0)
            break;
        done += static_cast<uint32_t>(n);
    }
    return done;
}

uint32_t WindowsFile::WriteString(std::string_view text)
{
    uint32_t written = text.empty() ? 0 : Write(text.data(), static_cast<uint32_t>(text.size()));
    if (m_nulTerminated) {
        WriteChar('\0');
    } else {
        WriteChar('\r');
        WriteChar('\n');
    }
    return written;
}

uint32_t WindowsFile::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatInCLocale(format, args);
    va_end(args);
    return WriteString(text);
}

uint32_t WindowsFile::WriteStringAndEofMarker(std::string_view text)
{
    uint32_t written = WriteString(text);
    WriteChar('\x1A');
    return written;
}

int32_t WindowsFile::CountToEofMarker()
{
    int32_t count = 0;
    bool eof = false;
    m_readFailed = false;
    // The end of the file ends the count too: reading there does not fail, it just yields nothing.
    for (;;) {
        char c = ReadChar(&eof);
        if (eof || m_readFailed)
            break;
        ++count;
        if (c == '\x1A')
            break;
    }
    return GetSize() - count;
}
