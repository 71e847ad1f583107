#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// A set of list rows kept as sorted, disjoint, non-adjacent ranges, so that selecting every row of
// a quarter-million-row list is one range and asking whether a row is selected is a binary search.
class CRowRanges
{
public:
    struct Range
    {
        int32_t first;
        int32_t last; // inclusive
        bool operator==(const Range&) const = default;
    };

    bool IsEmpty() const { return m_ranges.empty(); }
    void Clear() { m_ranges.clear(); }
    bool Contains(int32_t row) const;
    // Rows in the set.
    int64_t GetCount() const;
    // The lowest row, -1 when empty.
    int32_t GetFirst() const { return m_ranges.empty() ? -1 : m_ranges.front().first; }

    // Adds or removes rows first..last (either order); rows below 0 are ignored.
    void Add(int32_t first, int32_t last);
    void Remove(int32_t first, int32_t last);
    void Toggle(int32_t row);
    // Only this row.
    void SelectOnly(int32_t row);
    // Rows 0..count-1 as one range.
    void SelectAll(int32_t count);
    // Drops rows at or beyond count (a refresh removed them).
    void Truncate(int32_t count);

    // Every row, ascending.
    std::vector<int32_t> GetRows() const;
    const std::vector<Range>& GetRanges() const { return m_ranges; }
    bool operator==(const CRowRanges&) const = default;

private:
    std::vector<Range> m_ranges;
};
