#include "model/HistoryLines.h"

#include <algorithm>
#include <cstring>

namespace {

// Big enough that a block's slack is small beside the lines it holds, small enough that a job
// with a short history keeps little.
constexpr size_t kBlockSize = 16 * 1024;
constexpr size_t kWholeEvery = 16;

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

} // namespace

CHistoryLines::CHistoryLines(const CHistoryLines& other)
    : m_blocks(), m_lines(other.m_lines), m_stamps(other.m_stamps), m_last(other.m_last)
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
    m_lines.clear();
    m_stamps.clear();
    m_last.clear();
}

char* CHistoryLines::Room(size_t size)
{
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < size) {
        Block block;
        block.capacity = std::max(size, kBlockSize);
        block.data = std::make_unique_for_overwrite<char[]>(block.capacity);
        m_blocks.push_back(std::move(block));
    }
    Block& block = m_blocks.back();
    m_lines.push_back(Line{uint32_t(m_blocks.size() - 1), uint32_t(block.used)});
    char* at = block.data.get() + block.used;
    block.used += size;
    return at;
}

void CHistoryLines::Append(std::string_view stamp, std::initializer_list<std::string_view> parts)
{
    if (m_stamps.empty() || m_stamps.back().stamp != stamp)
        m_stamps.push_back(StampRun{m_lines.size(), std::string(stamp)});
    const bool whole = m_lines.size() % kWholeEvery == 0;
    // The two texts swap rooms, so appending allocates nothing once they are long enough.
    m_last.swap(m_previous);
    const std::string& previous = m_previous;
    m_last.clear();
    for (std::string_view part : parts)
        m_last.append(part);
    const std::string_view text = m_last;
    size_t head = 0;
    size_t tail = 0;
    if (!whole) {
        const size_t most = std::min(previous.size(), text.size());
        while (head < most && previous[head] == text[head])
            ++head;
        while (tail < most - head && previous[previous.size() - 1 - tail] == text[text.size() - 1 - tail])
            ++tail;
    }
    const std::string_view middle = text.substr(head, text.size() - head - tail);
    char counts[2 * sizeof(size_t) * 2];
    size_t countBytes = 0;
    if (!whole) {
        countBytes = PutCount(counts, head);
        countBytes += PutCount(counts + countBytes, tail);
    }
    char* to = Room(countBytes + middle.size());
    if (countBytes != 0)
        std::memcpy(to, counts, countBytes);
    if (!middle.empty())
        std::memcpy(to + countBytes, middle.data(), middle.size());
}

std::string_view CHistoryLines::Stored(size_t index) const
{
    const Line& line = m_lines[index];
    const Block& block = m_blocks[line.block];
    size_t end = block.used;
    if (index + 1 < m_lines.size() && m_lines[index + 1].block == line.block)
        end = m_lines[index + 1].offset;
    return std::string_view(block.data.get() + line.offset, end - line.offset);
}

void CHistoryLines::Decode(size_t index, std::string& text) const
{
    std::string_view stored = Stored(index);
    if (index % kWholeEvery == 0) {
        text.assign(stored);
        return;
    }
    const size_t head = GetCount(stored);
    const size_t tail = GetCount(stored);
    std::string line;
    line.reserve(head + stored.size() + tail);
    line.append(text, 0, head).append(stored).append(text, text.size() - tail, tail);
    text = std::move(line);
}

std::string CHistoryLines::Text(size_t index) const
{
    std::string text;
    for (size_t i = index - index % kWholeEvery; i <= index; ++i)
        Decode(i, text);
    return text;
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
    std::string text;
    for (size_t i = 0; i < size(); ++i) {
        Decode(i, text);
        lines.push_back(std::string(Stamp(i)).append(text));
    }
    return lines;
}

bool operator==(const CHistoryLines& a, const std::vector<std::string>& b)
{
    return a.size() == b.size() && a.Lines() == b;
}
