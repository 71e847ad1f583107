#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The job's change log: every line is a time stamp and a text. A bulk change adds a line per
// record, so the texts are packed into large blocks (no allocation a line) and each stamp is kept
// once for the run of lines that carry it; the place of every 64th line is noted, so a line reads
// back after skipping at most 63 others. A line read back is the stamp and text joined.
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
    void Reserve(size_t lines) { m_starts.reserve(lines / kStartEvery + 1); }
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
    static constexpr size_t kStartEvery = 64;
    // Where a line is stored: kept for every 64th line and for a line that opens a block. Each
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
    // Reads the stored lines in order from a noted start.
    class Reader;

    std::string Text(size_t index) const;
    std::string_view Stamp(size_t index) const;

    std::vector<Block> m_blocks;
    std::vector<Start> m_starts;
    size_t m_count = 0;
    std::vector<StampRun> m_stamps;
};

