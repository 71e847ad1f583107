#include "model/HistoryLines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Big enough that a block's slack is small beside the lines it holds, small enough that a job
// with a short history keeps little.
constexpr size_t kBlockSize = 16 * 1024;
// A stretch shorter than this is not worth a copy; a change is looked for this far ahead.
constexpr size_t kMatch = 4;
constexpr size_t kReach = 4;
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

// Copies a few bytes, as most parts of a line and most changed stretches are, with fixed-size
// moves instead of a call; longer runs go to memcpy.
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

// How many bytes the two texts share at their heads, compared a word at a time; the first
// differing byte of a word is found from its bits rather than byte by byte.
size_t SharedHead(const char* a, const char* b, size_t most)
{
    size_t n = 0;
    for (; n + 8 <= most; n += 8)
        if (const uint64_t diff = Word(a + n) ^ Word(b + n); diff != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return n + size_t(std::countr_zero(diff)) / 8;
            else
                return n + size_t(std::countl_zero(diff)) / 8;
        }
    while (n < most && a[n] == b[n])
        ++n;
    return n;
}

// The same for the texts' tails, where a and b point just past their ends.
size_t SharedTail(const char* a, const char* b, size_t most)
{
    size_t n = 0;
    for (; n + 8 <= most; n += 8)
        if (const uint64_t diff = Word(a - n - 8) ^ Word(b - n - 8); diff != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return n + size_t(std::countl_zero(diff)) / 8;
            else
                return n + size_t(std::countr_zero(diff)) / 8;
        }
    while (n < most && a[-1 - ptrdiff_t(n)] == b[-1 - ptrdiff_t(n)])
        ++n;
    return n;
}

// The pairs of places PutEdits tries, in its order: nearest first (the fewest bytes passed over in
// both texts together), then furthest into the text. A pair's key is its place in that order
// with room for every text offset at each reach, so the first pair that agrees is the lowest bit.
constexpr size_t PairKey(size_t text, size_t base) { return (text + base) * (kReach + 1) + kReach - text; }
constexpr size_t kKeys = (2 * kReach + 1) * (kReach + 1);
static_assert(kKeys <= 64, "the pairs are bits of one mask");
// Which of the pairs fit, by how far each text reaches.
constexpr std::array<std::array<uint64_t, kReach + 1>, kReach + 1> kReachable = [] {
    std::array<std::array<uint64_t, kReach + 1>, kReach + 1> masks{};
    for (size_t t = 0; t <= kReach; ++t)
        for (size_t b = 0; b <= kReach; ++b)
            for (size_t pt = 0; pt <= t; ++pt)
                for (size_t pb = 0; pb <= b; ++pb)
                    masks[t][b] |= uint64_t(1) << PairKey(pt, pb);
    return masks;
}();

// The stretches starting at each of the first reach + 1 places; the rest of `to` stays zero.
// Most runs have the whole reach, read with no loop.
void LoadQuads(uint32_t (&to)[kReach + 1], const char* from, size_t reach)
{
    if (reach == kReach) {
        for (size_t k = 0; k <= kReach; ++k)
            to[k] = Quad(from + k);
        return;
    }
    for (size_t k = 0; k <= reach; ++k)
        to[k] = Quad(from + k);
}

// A row of pairs (one text place against each base place, a bit each) spread onto their keys.
constexpr std::array<uint64_t, size_t(1) << (kReach + 1)> kSpread = [] {
    std::array<uint64_t, size_t(1) << (kReach + 1)> rows{};
    for (size_t row = 0; row < rows.size(); ++row)
        for (size_t b = 0; b <= kReach; ++b)
            if (row & (size_t(1) << b))
                rows[row] |= uint64_t(1) << (PairKey(0, b) - PairKey(0, 0));
    return rows;
}();

// Every pair of stretches compared, without a branch: a key's bit for each pair that agrees.
uint64_t AgreeingPairs(const uint32_t (&ahead)[kReach + 1], const uint32_t (&back)[kReach + 1])
{
    static_assert(kReach == 4, "four base places fill one vector");
    uint64_t agree = 0;
    for (size_t t = 0; t <= kReach; ++t) {
#if defined(__SSE2__)
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(back));
        const __m128i same = _mm_cmpeq_epi32(_mm_set1_epi32(int32_t(ahead[t])), first);
        const size_t row = size_t(_mm_movemask_ps(_mm_castsi128_ps(same))) | size_t(ahead[t] == back[kReach]) << kReach;
#else
        size_t row = 0;
        for (size_t b = 0; b <= kReach; ++b)
            row |= size_t(ahead[t] == back[b]) << b;
#endif
        agree |= kSpread[row] << PairKey(t, 0);
    }
    return agree;
}

// The most PutEdits writes for a text of this size.
size_t EditsBound(size_t textSize) { return textSize + (textSize / kMatch + 1) * 3 * kCountBytes; }

// Writes `text` as edits of `base`: runs of (count of new bytes, the bytes, count of base bytes
// passed over, count of base bytes kept). Looks a short way ahead for the texts to agree again,
// nearest first; where they do not, the rest is new bytes, written as a last run without the
// counts after them. Returns the bytes written.
size_t PutEdits(char* to, std::string_view text, std::string_view base)
{
    static_assert(kMatch == sizeof(uint32_t), "a stretch is compared as one 32-bit load");
    size_t out = 0, i = 0, j = 0;
    while (i < text.size()) {
        size_t fresh = text.size() - i, skip = base.size() - j, keep = 0;
        bool found = false;
        if (fresh >= kMatch && skip >= kMatch) {
            // How far ahead a stretch of kMatch bytes still fits in each text.
            const size_t reachText = std::min(kReach, fresh - kMatch);
            const size_t reachBase = std::min(kReach, skip - kMatch);
            uint32_t ahead[kReach + 1] = {}, back[kReach + 1] = {};
            LoadQuads(ahead, text.data() + i, reachText);
            LoadQuads(back, base.data() + j, reachBase);
            // Every pair is compared without a branch (the places past a text's reach hold zeros
            // and are masked off); the searched order is the order of the keys.
            const uint64_t agree = AgreeingPairs(ahead, back) & kReachable[reachText][reachBase];
            if (agree != 0) {
                const size_t key = size_t(std::countr_zero(agree));
                fresh = kReach - key % (kReach + 1);
                skip = key / (kReach + 1) - fresh;
                found = true;
            }
        }
        if (found) {
            const size_t t = i + fresh + kMatch, b = j + skip + kMatch;
            keep = kMatch + SharedHead(text.data() + t, base.data() + b, std::min(text.size() - t, base.size() - b));
        }
        out += PutCount(to + out, fresh);
        CopyBytes(to + out, text.data() + i, fresh);
        out += fresh;
        // The last run, new bytes to the end, needs no counts after them.
        if (!found)
            break;
        out += PutCount(to + out, skip);
        out += PutCount(to + out, keep);
        i += fresh + keep;
        j += skip + keep;
    }
    return out;
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
    : m_blocks(), m_starts(other.m_starts), m_count(other.m_count), m_stamps(other.m_stamps),
      m_recent(other.m_recent), m_trialText(other.m_trialText), m_trialStored(other.m_trialStored)
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

char* CHistoryLines::TakeRoom(size_t size)
{
    const bool opens = m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < size;
    if (opens) {
        Block block;
        block.capacity = std::max(size, kBlockSize);
        block.data = std::make_unique_for_overwrite<char[]>(block.capacity);
        m_blocks.push_back(std::move(block));
    }
    Block& block = m_blocks.back();
    if (opens || m_count % kWholeEvery == 0)
        m_starts.push_back(Start{m_count, uint32_t(m_blocks.size() - 1), uint32_t(block.used)});
    char* at = block.data.get() + block.used;
    block.used += size;
    ++m_count;
    return at;
}

void CHistoryLines::Store(std::string_view bytes)
{
    char count[kCountBytes];
    const size_t countBytes = PutCount(count, bytes.size());
    char* at = TakeRoom(countBytes + bytes.size());
    std::memcpy(at, count, countBytes);
    if (!bytes.empty())
        std::memcpy(at + countBytes, bytes.data(), bytes.size());
}

void CHistoryLines::StoreWhole(std::initializer_list<std::string_view> parts, size_t size)
{
    // Marked by a base of 0, which no line stored as edits has.
    const size_t stored = 1 + size;
    char count[kCountBytes];
    const size_t countBytes = PutCount(count, stored);
    char* to = TakeRoom(countBytes + stored);
    CopyBytes(to, count, countBytes);
    to += countBytes;
    *to++ = 0;
    for (std::string_view part : parts) {
        CopyBytes(to, part.data(), part.size());
        to += part.size();
    }
}

void CHistoryLines::Append(std::string_view stamp, std::initializer_list<std::string_view> parts)
{
    const size_t index = m_count;
    if (m_stamps.empty() || m_stamps.back().stamp != stamp)
        m_stamps.push_back(StampRun{index, std::string(stamp)});
    size_t size = 0;
    for (std::string_view part : parts)
        size += part.size();
    const size_t inRun = index % kWholeEvery;
    if (inRun == 0)
        m_trialText = m_trialStored = 0;
    // Past its first lines, a run whose edits did not save a third of their texts is kept whole,
    // straight from the parts; no later line of the run is compared with these.
    if (inRun > kTrialLines && m_trialStored * 3 > m_trialText * 2) {
        StoreWhole(parts, size);
        return;
    }
    m_text.resize(size);
    char* to = m_text.data();
    for (std::string_view part : parts) {
        CopyBytes(to, part.data(), part.size());
        to += part.size();
    }
    const std::string_view text = m_text;
    // A bulk change interleaves kinds of line, so the likest of the last few is the base.
    const size_t back = std::min(kRecent, index % kWholeEvery);
    size_t base = 0, head = 0, tail = 0;
    for (size_t d = 1; d <= back; ++d) {
        const std::string& previous = m_recent[(index - d) % kRecent];
        const size_t most = std::min(previous.size(), text.size());
        // A line can share no more than the shorter holds, so one that cannot beat the best is
        // not compared.
        if (base != 0 && most <= head + tail)
            continue;
        // Lines of another kind part within their first and last words: those are read here.
        const uint64_t front = most >= 8 ? Word(previous.data()) ^ Word(text.data()) : 0;
        const size_t h = front != 0 && std::endian::native == std::endian::little
                             ? size_t(std::countr_zero(front)) / 8
                             : SharedHead(previous.data(), text.data(), most);
        const char* const previousEnd = previous.data() + previous.size();
        const char* const textEnd = text.data() + text.size();
        const uint64_t end = most - h >= 8 ? Word(previousEnd - 8) ^ Word(textEnd - 8) : 0;
        const size_t t = end != 0 && std::endian::native == std::endian::little
                             ? size_t(std::countl_zero(end)) / 8
                             : SharedTail(previousEnd, textEnd, most - h);
        if (base == 0 || h + t > head + tail) {
            base = d;
            head = h;
            tail = t;
        }
    }
    size_t edits = 0;
    if (back == 0) {
        Store(text);
    } else {
        const std::string& previous = m_recent[(index - base) % kRecent];
        const std::string_view middle = text.substr(head, text.size() - head - tail);
        const std::string_view from = std::string_view(previous).substr(head, previous.size() - head - tail);
        const size_t bound = 3 * kCountBytes + EditsBound(middle.size());
        const auto put = [&](char* to) {
            size_t size = PutCount(to, base);
            size += PutCount(to + size, head);
            size += PutCount(to + size, tail);
            return size + PutEdits(to + size, middle, from);
        };
        if (!m_blocks.empty() && m_blocks.back().capacity - m_blocks.back().used >= kCountBytes + bound) {
            // Where the block surely has room, the edits are written in place behind a one-byte
            // count, moved up in the rare case the count takes more; the same bytes as Store. A
            // line stored as edits is never whole, so it needs no start of its own here.
            Block& block = m_blocks.back();
            char* at = block.data.get() + block.used;
            const size_t size = put(at + 1);
            edits = size;
            char count[kCountBytes];
            const size_t countBytes = PutCount(count, size);
            if (countBytes > 1)
                std::memmove(at + countBytes, at + 1, size);
            std::memcpy(at, count, countBytes);
            block.used += countBytes + size;
            ++m_count;
        } else {
            // The room only grows, so it is not cleared for every line.
            if (m_stored.size() < bound)
                m_stored.resize(bound);
            edits = put(m_stored.data());
            Store(std::string_view(m_stored.data(), edits));
        }
    }
    if (inRun != 0 && inRun <= kTrialLines) {
        m_trialText += text.size();
        m_trialStored += edits;
    }
    // The rooms swap, so appending allocates nothing once they are long enough.
    m_recent[index % kRecent].swap(m_text);
}

void CHistoryLines::Decode(size_t index, std::string_view stored, Recent& recent)
{
    std::string& text = recent[index % kRecent];
    if (index % kWholeEvery == 0) {
        text.assign(stored);
        return;
    }
    const size_t base = GetCount(stored);
    if (base == 0) {
        text.assign(stored);
        return;
    }
    const size_t head = GetCount(stored);
    const size_t tail = GetCount(stored);
    const std::string& previous = recent[(index - base) % kRecent];
    std::string line;
    line.reserve(previous.size() + stored.size());
    line.append(previous, 0, head);
    size_t at = head;
    while (!stored.empty()) {
        const size_t fresh = GetCount(stored);
        line.append(stored.substr(0, fresh));
        stored.remove_prefix(std::min(fresh, stored.size()));
        if (stored.empty())
            break;
        at += GetCount(stored);
        const size_t keep = GetCount(stored);
        line.append(previous, std::min(at, previous.size()), keep);
        at += keep;
    }
    line.append(previous, previous.size() - tail, tail);
    text = std::move(line);
}

std::string CHistoryLines::Text(size_t index) const
{
    Recent recent;
    const size_t first = index - index % kWholeEvery;
    Reader reader(*this, first);
    for (size_t i = first; i <= index; ++i)
        Decode(i, reader.Next(), recent);
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
    Reader reader(*this, 0);
    for (size_t i = 0; i < size(); ++i) {
        Decode(i, reader.Next(), recent);
        lines.push_back(std::string(Stamp(i)).append(recent[i % kRecent]));
    }
    return lines;
}

bool operator==(const CHistoryLines& a, const std::vector<std::string>& b)
{
    return a.size() == b.size() && a.Lines() == b;
}
