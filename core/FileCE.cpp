#include "core/FileCE.h"

#include "core/Parser.h"
#include "core/Utf8.h"
#include "core/WideText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void AppendLineEnd(std::string& out, bool wide)
{
    if (wide)
        out.append("\r\0\n\0", 4);
    else
        out.append("\r\n", 2);
}

void AppendPiece(std::string& out, const std::string& piece, bool wide)
{
    if (!wide) {
        out += piece;
        return;
    }
    for (char16_t u : Utf8ToUtf16(piece)) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
}

// Lays out one text the way WriteText writes it, 256 characters at a time.
void EncodeText(std::string& out, const std::string& text, bool wide)
{
    std::string rest = text;
    do {
        const size_t headBytes = Utf8PrefixBytes(rest, 256);
        const std::string head = rest.substr(0, headBytes);
        rest.erase(0, headBytes);
        const bool continues = !rest.empty() && head.back() != '\n';

        CParser parser(head, "\n", false);
        std::string piece;
        bool any = false;
        while (parser.GetNextToken(piece)) {
            any = true;
            AppendPiece(out, piece, wide);
            if (!(parser.IsEmpty() && continues))
                AppendLineEnd(out, wide);
        }
        if (!any)
            AppendLineEnd(out, wide);
    } while (!rest.empty());
}

} // namespace

CFileCE::CFileCE(bool wideText) : m_wideText(wideText) {}

CFileCE::~CFileCE()
{
    Close();
}

bool CFileCE::Open(const std::string& path, unsigned flags)
{
    if (IsOpen())
        return false;
    const bool writing = (flags & (modeCreate | modeWrite | modeReadWrite)) != 0;
    m_bufferSize = writing ? WriteBufferSize : ReadBufferSize;
    m_buffer.assign(m_bufferSize, 0);
    m_bufferPos = m_bufferCount = m_writeCount = 0;
    m_peekPos = m_peekCount = 0;
    m_cachedPosition = -1;

    int oflags = O_CLOEXEC;
    if (flags & modeReadWrite)
        oflags |= O_RDWR;
    else if (flags & modeWrite)
        oflags |= O_WRONLY;
    else
        oflags |= O_RDONLY;
    if (flags & modeCreate) {
        oflags |= O_CREAT;
        if (!(flags & modeNoTruncate))
            oflags |= O_TRUNC;
    }
    const int fd = ::open(path.c_str(), oflags, 0666);
    if (fd < 0)
        return false;
    m_fd = fd;
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    m_path = ec ? path : absolute.string();
    return true;
}

bool CFileCE::Close()
{
    if (!IsOpen())
        return true;
    bool ok = SyncPosition();
    if (::close(m_fd) != 0)
        ok = false;
    m_fd = -1;
    m_writeCount = 0;
    return ok;
}

bool CFileCE::WriteAll(const uint8_t* data, size_t count)
{
    while (count > 0) {
        const ssize_t n = ::write(m_fd, data, count);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        count -= static_cast<size_t>(n);
        if (m_cachedPosition >= 0)
            m_cachedPosition += n;
    }
    return true;
}

bool CFileCE::FlushWrites()
{
    if (m_writeCount == 0)
        return true;
    const uint32_t count = m_writeCount;
    m_writeCount = 0;
    return WriteAll(m_buffer.data(), count);
}

bool CFileCE::SyncPosition()
{
    bool ok = FlushWrites();
    // The peek area counts too: a line reader may have drained the buffer into it.
    if ((m_bufferCount != 0 || m_peekCount != 0) && IsOpen()) {
        const int64_t p = GetPosition();
        if (p >= 0 && ::lseek(m_fd, p, SEEK_SET) >= 0) {
            if (m_cachedPosition >= 0)
                m_cachedPosition = p;
        } else {
            m_cachedPosition = -1;
        }
    }
    m_bufferPos = m_bufferCount = 0;
    m_peekPos = m_peekCount = 0;
    return ok;
}

bool CFileCE::Read(void* dest, uint32_t count, uint32_t* countRead)
{
    if (countRead)
        *countRead = 0;
    if (!IsOpen() || !FlushWrites())
        return false;
    auto* out = static_cast<uint8_t*>(dest);
    uint32_t copied = 0;
    while (copied < count) {
        if (m_bufferCount > 0) {
            const uint32_t m = std::min(count - copied, m_bufferCount);
            std::memcpy(out + copied, m_buffer.data() + m_bufferPos, m);
            m_bufferPos += m;
            m_bufferCount -= m;
            copied += m;
            continue;
        }
        // A read of a buffer's worth or more goes straight to the caller: no copy through the read-ahead.
        if (count - copied >= m_bufferSize) {
            ssize_t n;
            do
                n = ::read(m_fd, out + copied, count - copied);
            while (n < 0 && errno == EINTR);
            if (n < 0)
                return false;
            if (m_cachedPosition >= 0)
                m_cachedPosition += n;
            if (n == 0) {
                if (!countRead)
                    return false;
                *countRead = copied;
                return true;
            }
            copied += static_cast<uint32_t>(n);
            continue;
        }
        ssize_t n;
        do
            n = ::read(m_fd, m_buffer.data(), m_bufferSize);
        while (n < 0 && errno == EINTR);
        if (n < 0)
            return false;
        if (m_cachedPosition >= 0)
            m_cachedPosition += n;
        m_bufferPos = 0;
        m_bufferCount = static_cast<uint32_t>(n);
        if (n == 0) {
            if (!countRead)
                return false;
            *countRead = copied;
            return true;
        }
    }
    if (countRead)
        *countRead = copied;
    return true;
}

bool CFileCE::Write(const void* data, uint32_t count)
{
    if (m_peekCount != 0 || !IsOpen())
        return false;
    if (m_bufferCount != 0 && !SyncPosition())
        return false;
    m_bufferPos = m_bufferCount = 0;
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (m_writeCount + uint64_t(count) > m_bufferSize) {
        if (!FlushWrites())
            return false;
        if (count >= m_bufferSize)
            return WriteAll(bytes, count);
    }
    std::memcpy(m_buffer.data() + m_writeCount, bytes, count);
    m_writeCount += count;
    return true;
}

bool CFileCE::FillPeek()
{
    if (m_peekCount != 0 || m_wideText)
        return false;
    m_peekPos = 0;
    uint32_t got = 0;
    if (!Read(m_peek, 255, &got) || got == 0)
        return false;
    m_peek[got] = 0;
    m_peekCount = static_cast<int32_t>(got);
    return true;
}

bool CFileCE::ReadLine(std::string& line)
{
    if (m_wideText)
        return false;
    if (m_peekCount == 0 && !FillPeek())
        return false;
    line.clear();
    for (;;) {
        // By byte count, not as a C string: a NUL byte is text like any other.
        const char* s = m_peek + m_peekPos;
        const auto available = static_cast<size_t>(m_peekCount);
        const auto* q = static_cast<const char*>(std::memchr(s, '\n', available));
        if (q == s && !line.empty() && line.back() == '\r') {
            line.pop_back();
            m_peekCount -= 1;
            m_peekPos += 1;
            return true;
        }
        if (q) {
            size_t n = static_cast<size_t>(q - s);
            const auto used = static_cast<int32_t>(n + 1);
            if (n > 0 && s[n - 1] == '\r')
                --n;
            line.append(s, n);
            m_peekCount -= used;
            m_peekPos += used;
            return true;
        }
        line.append(s, available);
        m_peekCount = m_peekPos = 0;
        if (!FillPeek())
            break;
    }
    return !line.empty();
}

bool CFileCE::WriteText(const std::string& text)
{
    std::string bytes;
    EncodeText(bytes, text, m_wideText);
    return Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

bool CFileCE::Flush()
{
    if (!IsOpen())
        return false;
    const bool ok = FlushWrites();
    return ::fsync(m_fd) == 0 && ok;
}

int64_t CFileCE::GetPosition()
{
    if (m_cachedPosition == -1 && IsOpen())
        m_cachedPosition = ::lseek(m_fd, 0, SEEK_CUR);
    if (m_cachedPosition < 0)
        return -1;
    return m_cachedPosition + m_writeCount - m_bufferCount - m_peekCount;
}

bool CFileCE::Seek(int64_t offset, int origin)
{
    if (!IsOpen() || origin < SeekBegin || origin > SeekEnd)
        return false;
    if (origin == SeekCurrent && m_bufferCount != 0 && m_peekCount == 0 && m_writeCount == 0) {
        const int64_t target = int64_t(m_bufferPos) + offset;
        if (target >= 0 && target < int64_t(m_bufferPos) + m_bufferCount) {
            m_bufferCount = static_cast<uint32_t>(int64_t(m_bufferCount) - offset);
            m_bufferPos = static_cast<uint32_t>(target);
            return true;
        }
    }
    // A relative move counts from where the caller is, not from the end of the read-ahead.
    int64_t base = 0;
    if (origin == 1) {
        base = GetPosition();
        if (base < 0)
            return false;
    }
    const bool flushed = SyncPosition();
    const int whence = origin == 2 ? SEEK_END : SEEK_SET;
    const off_t result = ::lseek(m_fd, origin == 1 ? base + offset : offset, whence);
    if (result < 0) {
        m_cachedPosition = -1;
        return false;
    }
    m_cachedPosition = result;
    return flushed;
}

bool CFileCE::SetLength(uint32_t length)
{
    if (!IsOpen())
        return false;
    const bool ok = SyncPosition();
    return ::ftruncate(m_fd, length) == 0 && ok;
}

int64_t CFileCE::GetLength()
{
    if (!IsOpen() || !FlushWrites())
        return -1;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        return -1;
    return st.st_size;
}

std::string CFileCE::GetFileName() const
{
    return std::filesystem::path(m_path).filename().string();
}

std::string CFileCE::GetFileTitle() const
{
    return std::filesystem::path(m_path).stem().string();
}

bool CFileCE::GetStatus(CFileStatus& status)
{
    if (!IsOpen() || !FlushWrites())
        return false;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        return false;
    status.path = m_path;
    status.size = st.st_size;
    status.modified = st.st_mtime;
    status.changed = st.st_ctime;
    status.readOnly = (st.st_mode & S_IWUSR) == 0;
    return true;
}

void CopyToWideString(char16_t* dest, const char* src, size_t count)
{
    const std::u16string units = Utf8ToUtf16(src ? src : "", count);
    std::copy(units.begin(), units.end(), dest);
    std::fill(dest + units.size(), dest + count + 1, u'\0');
}

void CopyTextN(char* dest, const char* src, size_t count)
{
    std::strncpy(dest, src, count);
    dest[count] = 0;
}
