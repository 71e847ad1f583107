#pragma once

#include <cstdint>

// A row notification of the grid list to its view: full 32-bit rows, so a click on row 70,000
// reaches row 70,000.
struct GridRowNotify
{
    uint32_t keyFlags = 0;
    int32_t first = -1;
    int32_t last = -1;
};

// The rows marked by dragging with the select-by-rectangle tool current: idle (anchor -1),
// dragging, then released (reported once) or cancelled.
class CGridRangeDrag
{
public:
    bool IsDragging() const { return m_anchor >= 0; }
    int32_t GetRangeFirst() const;
    int32_t GetRangeLast() const;
    bool Contains(int32_t row) const { return IsDragging() && row >= GetRangeFirst() && row <= GetRangeLast(); }

    void Begin(int32_t row);
    // Moves the end to row; the rows between the old and the new end need redrawing (false when
    // nothing changed).
    bool MoveEnd(int32_t row, int32_t& redrawFirst, int32_t& redrawLast);
    // One step of the automatic scrolling while the cursor is beyond the top (dy < 0) or the
    // bottom (dy > 0): the end follows the page, never past the last row.
    bool AutoScrollEnd(int dy, int32_t top, int32_t page, int32_t count, int32_t& redrawFirst, int32_t& redrawLast);
    // Release; hitRow (-1 off the rows) becomes the end. The range to report, then idle.
    GridRowNotify Finish(int32_t hitRow, uint32_t keyFlags);
    void Cancel();

    // While a release is being reported.
    bool GetReportedRange(int32_t& first, int32_t& last) const;
    void ClearReported() { m_reportedFirst = m_reportedLast = -1; }

private:
    int32_t m_anchor = -1;
    int32_t m_end = -1;
    int32_t m_reportedFirst = -1;
    int32_t m_reportedLast = -1;
};
