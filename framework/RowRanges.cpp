#include "framework/RowRanges.h"

#include <algorithm>

bool CRowRanges::Contains(int32_t row) const
{
    auto it = std::upper_bound(m_ranges.begin(), m_ranges.end(), row,
                               [](int32_t r, const Range& range) { return r < range.first; });
    return it != m_ranges.begin() && row <= std::prev(it)->last;
}

int64_t CRowRanges::GetCount() const
{
    int64_t count = 0;
    for (const Range& range : m_ranges)
        count += int64_t(range.last) - range.first + 1;
    return count;
}

void CRowRanges::Add(int32_t first, int32_t last)
{
    if (first > last)
        std::swap(first, last);
    if (last < 0)
        return;
    first = std::max(first, 0);
    // Ranges that overlap or touch the new one merge into it.
    auto begin = std::lower_bound(m_ranges.begin(), m_ranges.end(), first,
                                  [](const Range& range, int32_t f) { return int64_t(range.last) + 1 < f; });
    auto end = begin;
    while (end != m_ranges.end() && int64_t(end->first) <= int64_t(last) + 1) {
        first = std::min(first, end->first);
        last = std::max(last, end->last);
        ++end;
    }
    begin = m_ranges.erase(begin, end);
    m_ranges.insert(begin, Range{first, last});
}

void CRowRanges::Remove(int32_t first, int32_t last)
{
    if (first > last)
        std::swap(first, last);
    std::vector<Range> kept;
    kept.reserve(m_ranges.size() + 1);
    for (const Range& range : m_ranges) {
        if (range.last < first || range.first > last) {
            kept.push_back(range);
            continue;
        }
        if (range.first < first)
            kept.push_back(Range{range.first, first - 1});
        if (range.last > last)
            kept.push_back(Range{last + 1, range.last});
    }
    m_ranges = std::move(kept);
}

void CRowRanges::Toggle(int32_t row)
{
    if (Contains(row))
        Remove(row, row);
    else
        Add(row, row);
}

void CRowRanges::SelectOnly(int32_t row)
{
    m_ranges.clear();
    if (row >= 0)
        m_ranges.push_back(Range{row, row});
}

void CRowRanges::SelectAll(int32_t count)
{
    m_ranges.clear();
    if (count > 0)
        m_ranges.push_back(Range{0, count - 1});
}

void CRowRanges::Truncate(int32_t count)
{
    if (count <= 0) {
        m_ranges.clear();
        return;
    }
    Remove(count, INT32_MAX);
}

std::vector<int32_t> CRowRanges::GetRows() const
{
    std::vector<int32_t> rows;
    rows.reserve(size_t(GetCount()));
    for (const Range& range : m_ranges)
        for (int64_t row = range.first; row <= range.last; ++row)
            rows.push_back(int32_t(row));
    return rows;
}
