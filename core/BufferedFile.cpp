#include "core/BufferedFile.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

BufferedFile::BufferedFile(uint32_t windowSize) : m_windowSize(std::max<uint32_t>(windowSize, 5000)) {}

BufferedFile::~BufferedFile()
{
    Flush();
    m_window.reset();
    WindowsFile::Close();
}

void BufferedFile::AllocateWindow()
{
    m_window = std::make_unique<ByteBuffer>(m_windowSize + 2);
    m_state = Empty;
    m_windowStart = 0;
    m_windowCount = 0;
    m_position = 0;
    m_writtenEnd = 0;
    m_flushFailed = false;
}

bool BufferedFile::Open(const std::string& name, uint32_t flags)
{
    if (IsOpen())
        Close();
    AllocateWindow();
    if (!WindowsFile::Open(name, flags)) {
        m_window.reset();
        m_length = 0;
        return false;
    }
    m_length = WindowsFile::GetSize();
    return true;
}

bool BufferedFile::Close()
{
    bool ok = Flush() && !m_flushFailed;
    ok = WindowsFile::Close() && ok;
    m_window.reset();
    return ok;
}

void BufferedFile::Skip(int32_t count)
{
    m_position = static_cast<int32_t>(std::clamp<int64_t>(int64_t{m_position} + count, INT32_MIN, INT32_MAX));
}

bool BufferedFile::Flush()
{
    if (m_state != Changed || !m_window)
        return true;
    m_state = Empty;
    bool ok = m_fd >= 0 && ::lseek(m_fd, m_windowStart, SEEK_SET) == m_windowStart;
    const auto count = static_cast<uint32_t>(m_windowCount);
    ok = ok && WindowsFile::Write(m_window->GetData(), count) == count;
    if (!ok)
        m_flushFailed = true;
    return ok;
}

bool BufferedFile::LoadWindow(int32_t at)
{
    Flush();
    uint8_t* data = m_window->GetData();
    m_windowCount = 0;
    if (at >= 0 && m_fd >= 0 && ::lseek(m_fd, at, SEEK_SET) == at)
        m_windowCount = static_cast<int32_t>(WindowsFile::Read(data, m_windowSize));
    // What lies past the file's data (a gap left by a seek before a write) reads as zeros and
    // is written as zeros, never as stale memory.
    std::memset(data + m_windowCount, 0, m_windowSize + 2 - static_cast<uint32_t>(m_windowCount));
    m_windowStart = at;
    m_state = Holding;
    return m_windowCount > 0;
}

int64_t BufferedFile::Access(int64_t n)
{
    if (m_state == Empty || m_position < m_windowStart || int64_t{m_windowStart} + m_windowSize < m_position + n)
        LoadWindow(m_position);
    return int64_t{m_windowStart} + m_windowSize - m_position;
}

uint32_t BufferedFile::Read(void* buf, uint32_t count)
{
    if (!m_window || m_position < 0 || m_position >= m_length)
        return 0;
    const auto n = static_cast<uint32_t>(std::min<int64_t>(count, int64_t{m_length} - m_position));
    auto out = static_cast<uint8_t*>(buf);
    uint32_t done = 0;
    while (done < n) {
        const uint32_t piece = std::min(n - done, m_windowSize);
        Access(piece);
        std::memcpy(out + done, m_window->GetData() + (m_position - m_windowStart), piece);
        m_position += static_cast<int32_t>(piece);
        done += piece;
    }
    return done;
}

uint32_t BufferedFile::Write(const void* data, uint32_t count)
{
    if (!m_window || m_position < 0 || int64_t{m_position} + count > INT32_MAX)
        return 0;
    if (m_state == Empty || m_position < m_windowStart)
        LoadWindow(m_position);
    auto in = static_cast<const uint8_t*>(data);
    uint32_t done = 0;
    while (done < count) {
        const uint32_t remaining = count - done;
        if (int64_t{m_windowStart} + m_windowSize < int64_t{m_position} + remaining)
            LoadWindow(m_position);
        const uint32_t m = std::min(remaining, m_windowSize);
        std::memcpy(m_window->GetData() + (m_position - m_windowStart), in + done, m);
        m_position += static_cast<int32_t>(m);
        done += m;
        m_windowCount = std::max(m_windowCount, m_position - m_windowStart);
        m_state = Changed;
        m_writtenEnd = std::max(m_writtenEnd, m_position);
        m_length = std::max(m_length, m_writtenEnd);
    }
    return count;
}

bool BufferedFile::ReadLine(std::string& line)
{
    if (!m_window || m_position < 0 || m_position >= m_length)
        return false;
    const char terminator = m_nulTerminated ? '\0' : '\n';
    std::string text;
    bool any = false;
    while (m_position < m_length) {
        Access(1);
        int64_t limit = std::min<int64_t>(int64_t{m_windowStart} + m_windowCount, m_length) - m_position;
        if (limit <= 0) {
            // The window ends before the data does: move it here.
            LoadWindow(m_position);
            limit = std::min<int64_t>(m_windowCount, int64_t{m_length} - m_position);
            if (limit <= 0)
                break;
        }
        const char* p = reinterpret_cast<const char*>(m_window->GetData()) + (m_position - m_windowStart);
        const void* hit = std::memchr(p, terminator, static_cast<size_t>(limit));
        any = true;
        if (hit) {
            const auto len = static_cast<const char*>(hit) - p;
            text.append(p, static_cast<size_t>(len));
            m_position += static_cast<int32_t>(len + 1);
            break;
        }
        text.append(p, static_cast<size_t>(limit));
        m_position += static_cast<int32_t>(limit);
    }
    if (!any)
        return false;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    line = std::move(text);
    return true;
}

uint32_t BufferedFile::ReadString(char* buf, uint32_t max)
{
    if (max > 1000)
        return WindowsFile::ReadString(buf, max);
    std::string line;
    const bool got = ReadLine(line);
    if (max == 0)
        return 0;
    uint32_t n = got ? static_cast<uint32_t>(std::min<size_t>(line.size(), max - 1)) : 0;
    std::memcpy(buf, line.data(), n);
    // ReadLine already took a CR off a whole record; a cut record can end in one as well.
    if (n < line.size() && n > 0 && buf[n - 1] == '\r')
        --n;
    buf[n] = 0;
    return n;
}
