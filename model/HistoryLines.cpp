#include "model/HistoryLines.h"

#include <algorithm>
#include <cstring>

namespace {

// Big enough that a block's slack is small beside the lines it holds, small enough that a job
// with a short history keeps little.
constexpr size_t kBlockSize = 16 * 1024;
constexpr size_t kCountBytes = sizeof(size_t) * 8 / 7 + 1;

size_t PutCount(char* to, size_t n)
{
    size_t k = 0;
    while (n >= 0x80) {
        to[k++] = char(0x80 | (n & 0x7F));
        n >>= 7;
    }
    to[k++] = char(n);
    return k;
}

size_t GetCount(std::string_view& from)
{
    size_t n = 0;
    for (int shift = 0; !from.empty(); shift += 7) {
        const auto byte = static_cast<unsigned char>(from.front());
        from.remove_prefix(1);
        n |= size_t(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            break;
    }
    return n;
}

uint64_t Word(const char* p)
{
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

uint32_t Quad(const char* p)
{
    uint32_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Copies a few bytes, as most parts of a line are, with fixed-size moves instead of a call;
// longer runs go to memcpy.
inline void CopyBytes(char* to, const char* from, size_t n)
{
    if (n > 16) {
        std::memcpy(to, from, n);
    } else if (n >= 8) {
        const uint64_t first = Word(from), last = Word(from + n - 8);
        std::memcpy(to, &first, 8);
        std::memcpy(to + n - 8, &last, 8);
    } else if (n >= 4) {
        const uint32_t first = Quad(from), last = Quad(from + n - 4);
        std::memcpy(to, &first, 4);
        std::memcpy(to + n - 4, &last, 4);
    } else if (n > 0) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    }
}

} // namespace

class CHistoryLines::Reader
{
public:
    Reader(const CHistoryLines& lines, size_t first) : m_lines(lines)
    {
        m_start = size_t(std::lower_bound(lines.m_starts.begin(), lines.m_starts.end(), first,
                                          [](const Start& s, size_t line) { return s.line < line; }) -
                         lines.m_starts.begin());
        m_line = first;
    }

    // The stored bytes of the next line.
    std::string_view Next()
    {
        const std::vector<Start>& starts = m_lines.m_starts;
        if (m_start < starts.size() && starts[m_start].line == m_line) {
            m_block = starts[m_start].block;
            m_offset = starts[m_start].offset;
            ++m_start;
        }
        const Block& block = m_lines.m_blocks[m_block];
        std::string_view rest(block.data.get() + m_offset, block.used - m_offset);
        const size_t before = rest.size();
        const size_t size = GetCount(rest);
        m_offset += before - rest.size() + size;
        ++m_line;
        return rest.substr(0, size);
    }

private:
    const CHistoryLines& m_lines;
    size_t m_start = 0;
    size_t m_line = 0;
    size_t m_block = 0;
    size_t m_offset = 0;
};

CHistoryLines::CHistoryLines(const CHistoryLines& other)
    : m_blocks(), m_starts(other.m_starts), m_count(other.m_count), m_stamps(other.m_stamps)
{
    m_blocks.reserve(other.m_blocks.size());
    for (const Block& from : other.m_blocks) {
        Block block;
        block.capacity = from.capacity;
        block.used = from.used;
        block.data = std::make_unique_for_overwrite<char[]>(block.capacity);
        std::memcpy(block.data.get(), from.data.get(), from.used);
        m_blocks.push_back(std::move(block));
    }
}

CHistoryLines& CHistoryLines::operator=(const CHistoryLines& other)
{
    if (this != &other) {
        CHistoryLines copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void CHistoryLines::Clear()
{
    m_blocks.clear();
    m_starts.clear();
    m_count = 0;
    m_stamps.clear();
}

void CHistoryLines::Append(std::string_view stamp, std::initializer_list<std::string_view> parts)
{
    const size_t index = m_count;
    if (m_stamps.empty() || m_stamps.back().stamp != stamp)
        m_stamps.push_back(StampRun{index, std::string(stamp)});
    size_t size = 0;
    for (std::string_view part : parts)
        size += part.size();
    char count[kCountBytes];
    const size_t countBytes = PutCount(count, size);
    const size_t stored = countBytes + size;
    const bool opens = m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < stored;
    if (opens) {
        Block block;
        block.capacity = std::max(stored, kBlockSize);
        block.data = std::make_unique_for_overwrite<char[]>(block.capacity);
        m_blocks.push_back(std::move(block));
    }
    Block& block = m_blocks.back();
    if (opens || index % kStartEvery == 0)
        m_starts.push_back(Start{index, uint32_t(m_blocks.size() - 1), uint32_t(block.used)});
    // The parts go straight into the block: a line is never built on its own first.
    char* to = block.data.get() + block.used;
    std::memcpy(to, count, countBytes);
    to += countBytes;
    for (std::string_view part : parts) {
        CopyBytes(to, part.data(), part.size());
        to += part.size();
    }
    block.used += stored;
    ++m_count;
}

std::string CHistoryLines::Text(size_t index) const
{
    Reader reader(*this, index - index % kStartEvery);
    for (size_t i = index % kStartEvery; i > 0; --i)
        reader.Next();
    return std::string(reader.Next());
}

std::string_view CHistoryLines::Stamp(size_t index) const
{
    // The last run starting at or before the line.
    auto after = std::upper_bound(m_stamps.begin(), m_stamps.end(), index,
                                  [](size_t line, const StampRun& run) { return line < run.firstLine; });
    return std::prev(after)->stamp;
}

std::string CHistoryLines::operator[](size_t index) const
{
    std::string line(Stamp(index));
    line.append(Text(index));
    return line;
}

std::vector<std::string> CHistoryLines::Lines() const
{
    std::vector<std::string> lines;
    lines.reserve(size());
    Reader reader(*this, 0);
    for (size_t i = 0; i < size(); ++i)
        lines.push_back(std::string(Stamp(i)).append(reader.Next()));
    return lines;
}

bool operator==(const CHistoryLines& a, const std::vector<std::string>& b)
{
    return a.size() == b.size() && a.Lines() == b;
}
