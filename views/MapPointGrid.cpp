#include "views/MapPointGrid.h"

#include "core/NoValue.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// About this many items to a cell: fewer cells cost more tests at the box's edge, more cost
// more empty cells read inside it.
constexpr double ItemsPerCell = 4.0;
constexpr int32_t MaxCellsPerSide = 4096;

bool InCells(double x, double y)
{
    return std::isfinite(x) && std::isfinite(y) && x > NoValueLimit && y > NoValueLimit;
}

bool InBox(const CMapPointGrid::Item& item, double left, double top, double right, double bottom)
{
    return left <= item.x && item.x <= right && bottom <= item.y && item.y <= top;
}

} // namespace

void CMapPointGrid::Clear()
{
    m_items.clear();
    m_cellItems.clear();
    m_cellStart.clear();
    m_outside.clear();
    m_marks.clear();
    m_columns = m_rows = 0;
}

void CMapPointGrid::Build(std::vector<Item> items)
{
    Clear();
    m_items = std::move(items);
    m_marks.assign((m_items.size() + 63) / 64, 0);
    double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
    size_t inCells = 0;
    for (uint32_t i = 0; i < m_items.size(); ++i) {
        const Item& item = m_items[i];
        if (!InCells(item.x, item.y)) {
            m_outside.push_back(i);
            continue;
        }
        ++inCells;
        minX = std::min(minX, item.x);
        maxX = std::max(maxX, item.x);
        minY = std::min(minY, item.y);
        maxY = std::max(maxY, item.y);
    }
    if (inCells == 0)
        return;
    // Cells as near square as the extent allows.
    const double width = std::max(maxX - minX, 0.0), height = std::max(maxY - minY, 0.0);
    const double cells = std::max(1.0, double(inCells) / ItemsPerCell);
    double columns = 1, rows = 1;
    if (width > 0 && height > 0) {
        columns = std::sqrt(cells * width / height);
        rows = std::sqrt(cells * height / width);
    } else if (width > 0) {
        columns = cells;
    } else if (height > 0) {
        rows = cells;
    }
    m_columns = int32_t(std::clamp(std::ceil(columns), 1.0, double(MaxCellsPerSide)));
    m_rows = int32_t(std::clamp(std::ceil(rows), 1.0, double(MaxCellsPerSide)));
    m_minX = minX;
    m_minY = minY;
    m_scaleX = width > 0 ? m_columns / width : 0;
    m_scaleY = height > 0 ? m_rows / height : 0;
    // A scale that overflowed (an extent near the limits of a double) files everything in one cell.
    if (!std::isfinite(m_scaleX) || !std::isfinite(m_scaleY)) {
        m_columns = m_rows = 1;
        m_scaleX = m_scaleY = 0;
    }

    // A counting sort into the cells keeps each cell's items ascending.
    const size_t cellCount = size_t(m_columns) * size_t(m_rows);
    m_cellStart.assign(cellCount + 1, 0);
    std::vector<uint32_t> cellOf(m_items.size(), 0);
    for (uint32_t i = 0; i < m_items.size(); ++i) {
        if (!InCells(m_items[i].x, m_items[i].y))
            continue;
        cellOf[i] = uint32_t(CellY(m_items[i].y)) * uint32_t(m_columns) + uint32_t(CellX(m_items[i].x));
        ++m_cellStart[cellOf[i] + 1];
    }
    for (size_t c = 0; c < cellCount; ++c)
        m_cellStart[c + 1] += m_cellStart[c];
    m_cellItems.resize(inCells);
    std::vector<uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (uint32_t i = 0; i < m_items.size(); ++i)
        if (InCells(m_items[i].x, m_items[i].y))
            m_cellItems[fill[cellOf[i]]++] = i;
}

int32_t CMapPointGrid::CellX(double x) const
{
    // Clamped as a double first: a box edge may be infinite or far outside the extent.
    const double c = std::floor((x - m_minX) * m_scaleX);
    return int32_t(std::clamp(std::isnan(c) ? 0.0 : c, 0.0, double(m_columns - 1)));
}

int32_t CMapPointGrid::CellY(double y) const
{
    const double c = std::floor((y - m_minY) * m_scaleY);
    return int32_t(std::clamp(std::isnan(c) ? 0.0 : c, 0.0, double(m_rows - 1)));
}

template <class Visit>
void CMapPointGrid::ForCandidates(double left, double top, double right, double bottom, Visit visit) const
{
    for (uint32_t i : m_outside)
        visit(i);
    // A NaN or inside-out box holds nothing.
    if (m_columns == 0 || !(left <= right) || !(bottom <= top))
        return;
    const int32_t x0 = CellX(left), x1 = CellX(right), y0 = CellY(bottom), y1 = CellY(top);
    for (int32_t row = y0; row <= y1; ++row) {
        const size_t first = size_t(row) * size_t(m_columns);
        for (uint32_t k = m_cellStart[first + size_t(x0)]; k < m_cellStart[first + size_t(x1) + 1]; ++k)
            visit(m_cellItems[k]);
    }
}

void CMapPointGrid::Query(double left, double top, double right, double bottom, std::vector<uint32_t>& out) const
{
    out.clear();
    // Marked as found, then read back in order: no sort, and the cost follows what was found.
    size_t lowWord = m_marks.size(), highWord = 0;
    ForCandidates(left, top, right, bottom, [&](uint32_t i) {
        if (!InBox(m_items[i], left, top, right, bottom))
            return;
        const size_t word = i / 64;
        m_marks[word] |= uint64_t(1) << (i % 64);
        lowWord = std::min(lowWord, word);
        highWord = std::max(highWord, word);
    });
    for (size_t word = lowWord; word <= highWord && word < m_marks.size(); ++word) {
        uint64_t bits = m_marks[word];
        m_marks[word] = 0;
        while (bits != 0) {
            out.push_back(uint32_t(word * 64 + size_t(std::countr_zero(bits))));
            bits &= bits - 1;
        }
    }
}

int32_t CMapPointGrid::Count(double left, double top, double right, double bottom) const
{
    int32_t count = 0;
    ForCandidates(left, top, right, bottom, [&](uint32_t i) {
        if (InBox(m_items[i], left, top, right, bottom))
            ++count;
    });
    return count;
}
