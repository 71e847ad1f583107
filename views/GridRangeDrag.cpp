#include "views/GridRangeDrag.h"

#include <algorithm>

int32_t CGridRangeDrag::GetRangeFirst() const { return std::min(m_anchor, m_end); }

int32_t CGridRangeDrag::GetRangeLast() const { return std::max(m_anchor, m_end); }

void CGridRangeDrag::Begin(int32_t row)
{
    m_anchor = m_end = row;
    ClearReported();
}

bool CGridRangeDrag::MoveEnd(int32_t row, int32_t& redrawFirst, int32_t& redrawLast)
{
    if (!IsDragging() || row < 0 || row == m_end)
        return false;
    redrawFirst = std::min(row, m_end);
    redrawLast = std::max(row, m_end);
    m_end = row;
    return true;
}

bool CGridRangeDrag::AutoScrollEnd(int dy, int32_t top, int32_t page, int32_t count, int32_t& redrawFirst,
                                   int32_t& redrawLast)
{
    if (!IsDragging() || dy == 0 || count <= 0)
        return false;
    if (dy > 0) {
        const int32_t end = std::min(top + page, count - 1);
        return end > m_end && MoveEnd(end, redrawFirst, redrawLast);
    }
    return top < m_end && MoveEnd(top, redrawFirst, redrawLast);
}

GridRowNotify CGridRangeDrag::Finish(int32_t hitRow, uint32_t keyFlags)
{
    GridRowNotify notify;
    if (!IsDragging())
        return notify;
    if (hitRow >= 0)
        m_end = hitRow;
    m_reportedFirst = notify.first = GetRangeFirst();
    m_reportedLast = notify.last = GetRangeLast();
    notify.keyFlags = keyFlags;
    m_anchor = m_end = -1;
    return notify;
}

void CGridRangeDrag::Cancel()
{
    m_anchor = m_end = -1;
    ClearReported();
}

bool CGridRangeDrag::GetReportedRange(int32_t& first, int32_t& last) const
{
    if (m_reportedFirst < 0)
        return false;
    first = m_reportedFirst;
    last = m_reportedLast;
    return true;
}
