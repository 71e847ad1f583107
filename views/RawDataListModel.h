#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CRawDataFile;
class CRowRanges;

// The raw data list's icons, in image-list order (icon resource numbers).
inline constexpr std::array<int32_t, 7> RawListIcons = {672, 7048, 7051, 7049, 6953, 623, 594};

// The image of a record type in the raw list, -1 when the type has none (F1, F2, unknown).
int32_t GetRecordTypeImage(int32_t type);

// The image of a line: its record type's, image 0 for a missing line or one that is not a record.
int32_t GetRawLineImage(const CRawDataFile& file, int32_t line);

// Cell texts of the raw list, formatted once per line from the record's description. A line's
// cells are kept packed in one string, separated by NULs: ten short strings a line would cost
// some 90 MB at a quarter million lines. The store may be the job's own cache, which the job
// empties for the lines it changes; an empty entry is formatted again on the next paint.
class CRawCellCache
{
public:
    using Store = std::vector<std::vector<std::string>>;
    // Without a store the cache keeps its own.
    explicit CRawCellCache(Store* store = nullptr) : m_store(store ? store : &m_own) {}
    CRawCellCache(const CRawCellCache&) = delete;
    CRawCellCache& operator=(const CRawCellCache&) = delete;

    // The empty text for a row or column outside the lines (a refresh may have removed it). Valid
    // until the cache or the line changes.
    std::string_view GetCellText(const CRawDataFile& file, int32_t row, int32_t column);
    void Clear() { m_store->clear(); }
    size_t GetCachedRowCount() const { return m_store->size(); }
    // Heap bytes held by the cells (an estimate with the allocator's 16-byte granules).
    size_t GetMemoryBytes() const;

private:
    Store m_own;
    Store* m_store;
};

// The column headings: "#" and blanks without a selection; with one, "#", "Type" and the
// selected record's field labels, each cut before its first ":". A selected row beyond the
// lines counts as no selection.
std::vector<std::string> RawListHeadings(const CRawDataFile& file, int32_t selectedRow, int32_t columns);

// Which context commands apply to the selected rows (in list order).
struct CRawMenuState
{
    bool remove = false;
    bool markDeleted = false;
    bool unmarkDeleted = false;
    bool toComment = false;
    bool toRecord = false;
    bool insert = false; // above and below
    bool moveUp = false;
    bool moveDown = false;
    bool duplicate = false;
    bool selectAll = true;
};
CRawMenuState RawContextMenuState(const CRawDataFile& file, const std::vector<int32_t>& selectedRows);

// The raw drawing modes of the job view.
enum RawDrawMode : int32_t { RawDrawNone = 1, RawDrawSelection = 2, RawDrawProgressive = 4, RawDrawEverything = 8 };

// The lines drawn on the map in a mode: the selected rows inside the lines, in their order;
// progressively line 0 up to and including the first selected row (line 0 alone without one);
// every line; or none.
std::vector<int32_t> RawLinesToDraw(int32_t mode, const std::vector<int32_t>& selectedRows, int32_t lineCount);

// Draws the lines' records onto the raw data's draw target, in order. The first line starts a new
// setup; a later line starts one when its setup differs from the previous line's.
void DrawRawLines(CRawDataFile& file, const std::vector<int32_t>& lines);

// The selection poll: when the selection differs from the one seen last time, it becomes the one
// seen (kept as ranges and as rows, in list order) and the answer is true. Ranges compare in a few
// steps even with every row selected.
bool PollRawSelection(const CRowRanges& selection, CRowRanges& seen, std::vector<int32_t>& seenRows);
