#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CRecord;

// Points filed in square-ish cells over their extent, so a box query reads only the cells it
// overlaps. Answers come back in the order the points were given (the map draws in name order,
// hit tests keep store order), so using the grid changes nothing but the time taken.
class CMapPointGrid
{
public:
    struct Item
    {
        double x;
        double y;
        CRecord* record;
    };

    // Files the items; their positions in the vector are the order of every answer.
    void Build(std::vector<Item> items);
    void Clear();
    std::size_t GetCount() const { return m_items.size(); }
    const Item& GetItem(uint32_t i) const { return m_items[i]; }

    // The positions of the items with left <= x <= right and bottom <= y <= top, ascending.
    void Query(double left, double top, double right, double bottom, std::vector<uint32_t>& out) const;
    // How many items that query would give.
    int32_t Count(double left, double top, double right, double bottom) const;

private:
    // Visits every item position in the cells the box overlaps, and the items kept outside cells.
    template <class Visit> void ForCandidates(double left, double top, double right, double bottom, Visit visit) const;
    int32_t CellX(double x) const;
    int32_t CellY(double y) const;

    std::vector<Item> m_items;
    // Positions of the items in each cell, cell by cell, ascending within a cell.
    std::vector<uint32_t> m_cellItems;
    std::vector<uint32_t> m_cellStart;
    // Items without a finite position: no cell can hold them, so every query tests them.
    std::vector<uint32_t> m_outside;
    double m_minX = 0, m_minY = 0, m_scaleX = 0, m_scaleY = 0;
    int32_t m_columns = 0, m_rows = 0;
    // One bit per item, set while a query collects and cleared as it reads them back in order.
    mutable std::vector<uint64_t> m_marks;
};
