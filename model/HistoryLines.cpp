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
    : m_blocks(), m_lines(other.m_lines), m_stamps(other.m_stamps), m_recent(other.m_recent)
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
    const size_t index = m_lines.size();
    if (m_stamps.empty() || m_stamps.back().stamp != stamp)
        m_stamps.push_back(StampRun{index, std::string(stamp)});
    m_text.clear();
    for (std::string_view part : parts)
        m_text.append(part);
    const std::string_view text = m_text;
    // A bulk change interleaves kinds of line, so the likest of the last few is the base.
    const size_t back = std::min(kRecent, index % kWholeEvery);
    size_t base = 0, head = 0, tail = 0;
    for (size_t d = 1; d <= back; ++d) {
        const std::string& previous = m_recent[(index - d) % kRecent];
        const size_t most = std::min(previous.size(), text.size());
        size_t h = 0, t = 0;
        while (h < most && previous[h] == text[h])
            ++h;
        while (t < most - h && previous[previous.size() - 1 - t] == text[text.size() - 1 - t])
            ++t;
        if (base == 0 || h + t > head + tail) {
            base = d;
            head = h;
            tail = t;
        }
    }
    const std::string_view middle = text.substr(head, text.size() - head - tail);
    char counts[3 * (sizeof(size_t) * 8 / 7 + 1)];
    size_t countBytes = 0;
    if (back != 0) {
        countBytes = PutCount(counts, base);
        countBytes += PutCount(counts + countBytes, head);
        countBytes += PutCount(counts + countBytes, tail);
    }
    char* to = Room(countBytes + middle.size());
    if (countBytes != 0)
        std::memcpy(to, counts, countBytes);
    if (!middle.empty())
        std::memcpy(to + countBytes, middle.data(), middle.size());
    // The rooms swap, so appending allocates nothing once they are long enough.
    m_recent[index % kRecent].swap(m_text);
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

void CHistoryLines::Decode(size_t index, Recent& recent) const
{
    std::string_view stored = Stored(index);
    std::string& text = recent[index % kRecent];
    if (index % kWholeEvery == 0) {
        text.assign(stored);
        return;
    }
    const size_t base = GetCount(stored);
    const size_t head = GetCount(stored);
    const size_t tail = GetCount(stored);
    const std::string& previous = recent[(index - base) % kRecent];
    std::string line;
    line.reserve(head + stored.size() + tail);
    line.append(previous, 0, head).append(stored).append(previous, previous.size() - tail, tail);
    text = std::move(line);
}

std::string CHistoryLines::Text(size_t index) const
{
    Recent recent;
    for (size_t i = index - index % kWholeEvery; i <= index; ++i)
        Decode(i, recent);
    return std::move(recent[index % kRecent]);
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
    Recent recent;
    for (size_t i = 0; i < size(); ++i) {
        Decode(i, recent);
        lines.push_back(std::string(Stamp(i)).append(recent[i % kRecent]));
    }
    return lines;
}

bool operator==(const CHistoryLines& a, const std::vector<std::string>& b)
{
    return a.size() == b.size() && a.Lines() == b;
}
