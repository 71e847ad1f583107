#pragma once

#include "model/RecordMap.h"
#include "model/RedBlackTree.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CRecord;
class CRecordOwner;

// The rows of the data-file grid: records in sequence order or in an order a view chooses, with
// positional access served from a cached cursor. Values are per-row states: -1 none yet, 0 or 1.
class CSpRecordRBTree : public CRedBlackTree<CRecord*, void*>
{
public:
    CSpRecordRBTree();

    // Gives the record the next sequence number and files it; null when it is already held.
    // Records the order calls equal stay in sequence order.
    RedBlackNode* Insert(CRecord* record);
    CRecord* Remove(RedBlackNode* leaf);
    // Gives the record the number Insert would, without filing it yet; in sequence order such
    // records go last, in number order, by AppendNumbered before any other change of the rows.
    void Number(CRecord* record);
    void AppendNumbered(const std::vector<CRecord*>& records);
    // Starts fetching what filing or finding the record's row will read.
    void Prefetch(const CRecord* record) const { m_leafOf.Prefetch(record); }
    void Clear();
    void InvalidateCursor();
    // Files the records anew with sequence numbers in the given order, sorted by the compare
    // callback; the same rows as inserting them one by one, built in a single pass. A caller that
    // already sorted the records under the installed callback gives their positions in order.
    void AssignFrom(const std::vector<CRecord*>& records, const std::vector<uint32_t>* order = nullptr);
    // As AssignFrom into a tree with nothing filed since the last Clear, the records given in the
    // installed order already: a job just read is filed without sorting or a second list of rows.
    void AssignInOrder(const std::vector<CRecord*>& records);

    // Null outside 0..count-1.
    CRecord* GetAt(int32_t row);
    int32_t GetCount() const { return m_count; }
    // No row filed since the last Clear: the next rows are numbered from the start.
    bool IsUnnumbered() const { return m_count == 0 && m_nextSequence == 0; }
    int32_t IndexOf(const CRecord* record) const;
    RedBlackNode* FindLeaf(const CRecord* record) const;
    bool Lookup(const CRecord* record, int32_t& value) const;

    void SetRowState(int32_t row, bool on);
    bool GetRowState(int32_t row, bool& on);
    void ResetRowStates();

    // Re-sorts the rows after the compare callback changed; nothing when already in order. Shows
    // its progress in a status scope.
    void Rebuild();

    // A faster way to the order of one compare callback: the records sorted by keys pulled out
    // once, order receiving their positions; ties go by position, as the callback's by sequence.
    // Used only while that callback is installed; false leaves the sort to the callback.
    using KeySort = bool (*)(CRecord* const* records, std::size_t count, std::vector<uint32_t>& order);
    void SetKeySort(Compare forCompare, KeySort keySort)
    {
        m_keySortCompare = forCompare;
        m_keySort = keySort;
    }

    void SetDocument(CRecordOwner* document) { m_document = document; }
    CRecordOwner* GetDocument() const { return m_document; }

private:
    struct Row
    {
        CRecord* record;
        RedBlackNode* leaf;
    };
    // Sorts rows already numbered in their given order and hangs their leaves as a balanced tree
    // under the emptied tree, with branches from spare; given, when not null, is that order.
    void LinkInOrder(std::vector<Row>& rows, std::vector<RedBlackNode*>& spare,
                     const std::vector<uint32_t>* given = nullptr);
    // The rows are at hand in order: the checkpoints a far jump would walk every row to build
    // cost nothing now, and the first page after a sort is painted without that walk.
    void KeepCheckpoints(const std::vector<RedBlackNode*>& leaves);
    RedBlackNode* LeafAt(int32_t row);
    // Insert, with the record's number given or kept.
    RedBlackNode* File(CRecord* record, bool number);
    int CompareWithTies(CRecord* a, CRecord* b) const;

    // The leaf of every CheckpointStep-th row, so a jump walks at most a step's worth of links
    // from the nearest one; rebuilt on the first far jump after the rows changed, empty until then.
    static constexpr int32_t CheckpointStep = 256;
    std::vector<RedBlackNode*> m_checkpoints;

    int32_t m_cursorIndex = -1;
    RedBlackNode* m_cursorNode = nullptr;
    int32_t m_nextSequence = 0;
    int32_t m_count = 0;
    CRecordOwner* m_document = nullptr;
    Compare m_keySortCompare = nullptr;
    KeySort m_keySort = nullptr;
    // Deleting a record must find its row without walking the grid, and without reading the
    // record, which the caller may already have freed.
    CRecordMap<RedBlackNode*> m_leafOf;
};
