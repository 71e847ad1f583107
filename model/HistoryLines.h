#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The job's change log: every line is a time stamp and a text. A bulk change adds a line per
// record, so the texts share large blocks, each stamp is kept once for the run of lines that
// carry it, and a text is kept as what differs from the likest of the few texts before it (the
// head and tail they share are counted, not stored, and between them only the stretches that
// differ; every 64th text is whole so a line reads back quickly). Finding what differs costs more
// than copying a line, so a run of 64 lines goes on comparing only while its first lines show it
// pays: lines that differ in most of their words are kept whole. A line read back is the stamp
// and text joined.
class CHistoryLines
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string;

        const_iterator() = default;
        const_iterator(const CHistoryLines* lines, size_t index) : m_lines(lines), m_index(index) {}
        std::string operator*() const { return (*m_lines)[m_index]; }
        std::string operator[](difference_type n) const { return (*m_lines)[size_t(difference_type(m_index) + n)]; }
        const_iterator& operator++() { ++m_index; return *this; }
        const_iterator operator++(int) { const_iterator was = *this; ++m_index; return was; }
        const_iterator& operator--() { --m_index; return *this; }
        const_iterator operator--(int) { const_iterator was = *this; --m_index; return was; }
        const_iterator& operator+=(difference_type n) { m_index = size_t(difference_type(m_index) + n); return *this; }
        const_iterator& operator-=(difference_type n) { return *this += -n; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b)
        {
            return difference_type(a.m_index) - difference_type(b.m_index);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.m_index == b.m_index; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.m_index <=> b.m_index; }

    private:
        const CHistoryLines* m_lines = nullptr;
        size_t m_index = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string;
    using size_type = size_t;

    CHistoryLines() = default;
    CHistoryLines(const CHistoryLines& other);
    CHistoryLines& operator=(const CHistoryLines& other);
    CHistoryLines(CHistoryLines&&) noexcept = default;
    CHistoryLines& operator=(CHistoryLines&&) noexcept = default;

    // Appends stamp + the parts as one line.
    void Append(std::string_view stamp, std::initializer_list<std::string_view> parts);
    void Append(std::string_view stamp, std::string_view text) { Append(stamp, {text}); }
    void Reserve(size_t lines) { m_starts.reserve(lines / kWholeEvery + 1); }
    void Clear();

    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    std::string operator[](size_t index) const;
    std::string front() const { return (*this)[0]; }
    std::string back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    std::vector<std::string> Lines() const;
    operator std::vector<std::string>() const { return Lines(); }
    friend bool operator==(const CHistoryLines& a, const std::vector<std::string>& b);

private:
    static constexpr size_t kWholeEvery = 64;
    // Where a line is stored: kept for every whole line and for a line that opens a block. Each
    // stored line is its length and then its bytes, so the lines after a start follow from it.
    struct Start
    {
        size_t line;
        uint32_t block;
        uint32_t offset;
    };
    struct Block
    {
        std::unique_ptr<char[]> data;
        size_t capacity = 0;
        size_t used = 0;
    };
    struct StampRun
    {
        size_t firstLine;
        std::string stamp;
    };
    // Reads the stored lines in order from a whole one.
    class Reader;

    static constexpr size_t kRecent = 4;
    using Recent = std::array<std::string, kRecent>;
    // Decodes the line's stored bytes into recent[index % kRecent]; recent holds the texts of the
    // lines before it back to the last whole one.
    static void Decode(size_t index, std::string_view stored, Recent& recent);
    std::string Text(size_t index) const;
    std::string_view Stamp(size_t index) const;
    // Room for the next line's stored bytes, in the last block or a new one.
    char* TakeRoom(size_t size);
    // Files the line's bytes as the next line.
    void Store(std::string_view bytes);
    // Files a line inside a run as its whole text, from its parts.
    void StoreWhole(std::initializer_list<std::string_view> parts, size_t size);
    // How many lines open a run as edits before the run's way of keeping its lines is settled.
    static constexpr size_t kTrialLines = 8;

    std::vector<Block> m_blocks;
    std::vector<Start> m_starts;
    size_t m_count = 0;
    std::vector<StampRun> m_stamps;
    // The last lines' texts, which the next line is stored against.
    Recent m_recent;
    std::string m_text;
    std::string m_stored;
    // What the first lines of the current run of 64 took stored as edits, beside their texts.
    size_t m_trialText = 0;
    size_t m_trialStored = 0;
};

