#pragma once

#include <array>
#include <cstdint>
#include <string>

class CDataFileDoc;
class CMorvelSettings;
class CPointRecord;
class CRecord;

inline constexpr int GridColumnCount = 5;
inline constexpr int GridColumnWidth = 110;
inline constexpr int MaxSortColumns = 20;

// The point grid's rows over the job's sorted index: the order (a column and its direction), the
// row-to-point mapping and the cell texts. The index itself is the document's; this object installs
// its comparison while it is attached and gives the sequence order back when it lets go.
class CPointRows
{
public:
    CPointRows() = default;
    ~CPointRows();
    CPointRows(const CPointRows&) = delete;
    CPointRows& operator=(const CPointRows&) = delete;

    void Attach(CDataFileDoc* document);
    // The job's index is left in sequence order and no later insert reads this object.
    void Detach();
    CDataFileDoc* GetDocument() const { return m_document; }

    // The column headings in the order of the settings' coordinate order.
    static std::array<std::string, GridColumnCount> ColumnHeadings(const CMorvelSettings& settings);

    int32_t GetCount() const;
    // -1 outside the index; reversed when the sorted column's direction byte is 0.
    int32_t RowToSortedIndex(int32_t row) const;
    CPointRecord* GetPointAtRow(int32_t row) const;
    // Empty outside the index. Notes the row's selection state in the index for drawing.
    std::string GetCellText(int32_t row, int column) const;
    bool IsRowSelected(int32_t row) const;

    // Clears the index and inserts every point again in the current order ("Sorting points...").
    void RebuildSortOrder();
    // Re-sorts what the index holds after the order changed.
    void ResortPoints();
    // A heading click. Returns true when the index was rebuilt or re-sorted.
    bool SortByColumn(int column, bool toggle, int32_t itemCount);

    static int GetSortColumn();
    static void SetSortColumn(int column);
    bool GetDirection(int column) const;

    // The index's comparison while a view owns the order: by the sort column, then by sequence.
    static int Compare(CRecord* a, CRecord* b);

private:
    void InstallCompare();

    CDataFileDoc* m_document = nullptr;
    // 1 ascending; 0 shows the sorted index reversed.
    std::array<uint8_t, MaxSortColumns> m_sortDescending{};
};

// The rows whose point order is being built; null when no view orders a job's index.
extern CPointRows* g_sortingView;
