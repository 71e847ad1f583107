#include "model/SpRecordRBTree.h"

#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "model/Record.h"
#include "model/RecordOwner.h"

#include <algorithm>
#include <functional>
#include <new>
#include <numeric>

namespace {

// Until the document installs its own order, rows follow the sequence numbers.
int CompareBySequence(CRecord* a, CRecord* b)
{
    if (a == b)
        return 0;
    return a->GetSequenceNumber() > b->GetSequenceNumber() ? 1 : -1;
}

void* RowState(intptr_t state) { return reinterpret_cast<void*>(state); }

intptr_t RowState(const void* word) { return reinterpret_cast<intptr_t>(word); }

// Where the number lies in a record, taken from the first one: records of a kind share it, and
// a wrong guess only prefetches a line that is not needed.
std::ptrdiff_t SequenceOffset(const std::vector<CRecord*>& records)
{
    for (const CRecord* record : records)
        if (record != nullptr)
            return reinterpret_cast<const char*>(&record->GetHeader()->sequence) -
                   reinterpret_cast<const char*>(record);
    return 128;
}

// Records lie apart in memory: the first line of the one a few rows after i, and the line its
// number sits on, are asked for before its number is read and written. That record, if any.
const CRecord* PrefetchAhead(const std::vector<CRecord*>& records, std::size_t i, std::ptrdiff_t numberOffset)
{
    constexpr std::size_t kAhead = 16;
    if (i + kAhead >= records.size() || records[i + kAhead] == nullptr)
        return nullptr;
    const char* ahead = reinterpret_cast<const char*>(records[i + kAhead]);
    __builtin_prefetch(ahead);
    __builtin_prefetch(ahead + numberOffset, 1);
    return records[i + kAhead];
}

} // namespace

// Rows' leaves come from the tree's slabs: every leaf goes back through Remove or Clear.
CSpRecordRBTree::CSpRecordRBTree() : CRedBlackTree<CRecord*, void*>(&CompareBySequence, true) {}

int CSpRecordRBTree::CompareWithTies(CRecord* a, CRecord* b) const
{
    if (a == b)
        return 0;
    const int r = m_compare(a, b);
    if (r != 0)
        return r;
    // Two rows the order calls equal would otherwise make the second one vanish.
    if (a->GetSequenceNumber() != b->GetSequenceNumber())
        return a->GetSequenceNumber() < b->GetSequenceNumber() ? -1 : 1;
    return std::less<CRecord*>()(a, b) ? -1 : 1;
}

RedBlackNode* CSpRecordRBTree::Insert(CRecord* record) { return File(record, true); }

void CSpRecordRBTree::Number(CRecord* record) { record->SetSequenceNumber(m_nextSequence++); }

void CSpRecordRBTree::AppendNumbered(const std::vector<CRecord*>& records)
{
    if (records.empty())
        return;
    // Numbered from the start into rows still empty: AssignFrom gives them the same numbers, in one pass.
    if (m_count == 0 && records.front()->GetSequenceNumber() == 0 && std::size_t(m_nextSequence) == records.size() &&
        records.size() <= UINT32_MAX) {
        std::vector<uint32_t> order(records.size());
        std::iota(order.begin(), order.end(), 0u);
        AssignFrom(records, &order);
        return;
    }
    // A record filed already (an earlier call that ran out of memory) is refused, as by Insert.
    for (CRecord* record : records)
        File(record, false);
}

RedBlackNode* CSpRecordRBTree::File(CRecord* record, bool number)
{
    InvalidateCursor();
    if (record == nullptr)
        return nullptr;
    const auto [slot, added] = m_leafOf.Insert(record, nullptr);
    if (!added)
        return nullptr;
    if (number)
        record->SetSequenceNumber(m_nextSequence++);
    RedBlackNode* leaf = nullptr;
    try {
        leaf = InsertRedBlackUnique(m_tree, record, RowState(-1),
                                    [this](CRecord* a, CRecord* b) { return CompareWithTies(a, b); });
    } catch (...) {
        m_leafOf.Erase(record);
        throw;
    }
    if (leaf == nullptr) {
        m_leafOf.Erase(record);
        return nullptr;
    }
    *slot = leaf;
    ++m_count;
    return leaf;
}

CRecord* CSpRecordRBTree::Remove(RedBlackNode* leaf)
{
    InvalidateCursor();
    if (leaf == nullptr || leaf == m_tree)
        return nullptr;
    CRecord* record = CRedBlackTree::Remove(leaf);
    m_leafOf.Erase(record);
    --m_count;
    return record;
}

void CSpRecordRBTree::Clear()
{
    InvalidateCursor();
    Reset();
    m_leafOf.Clear();
    m_nextSequence = 0;
    m_count = 0;
}

void CSpRecordRBTree::InvalidateCursor()
{
    m_cursorIndex = -1;
    m_cursorNode = nullptr;
    m_checkpoints.clear();
}

void CSpRecordRBTree::AssignFrom(const std::vector<CRecord*>& records, const std::vector<uint32_t>* order)
{
    InvalidateCursor();
    // One pass over the records numbers them and finds their leaves without reading the leaves;
    // records already held keep theirs, so re-sorting the same rows allocates nothing. A record
    // given again finds its own new number already taken by itself and is skipped.
    std::vector<Row> rows;
    rows.reserve(records.size());
    std::vector<int32_t> oldSequence;
    oldSequence.reserve(records.size());
    std::vector<bool> added;
    added.reserve(records.size());
    int32_t heldClaimed = 0;
    const std::ptrdiff_t numberOffset = SequenceOffset(records);
    try {
        for (std::size_t i = 0; i < records.size(); ++i) {
            // A held row finds its leaf in the entry fetched here.
            if (const CRecord* ahead = PrefetchAhead(records, i, numberOffset))
                m_leafOf.Prefetch(ahead);
            CRecord* record = records[i];
            if (record == nullptr)
                continue;
            const int32_t sequence = record->GetSequenceNumber();
            if (sequence >= 0 && std::size_t(sequence) < rows.size() && rows[std::size_t(sequence)].record == record)
                continue;
            // A row held already finds its leaf in the entry fetched above.
            bool isNew = false;
            const auto [slot, inserted] = m_leafOf.Insert(record, nullptr);
            if (inserted) {
                try {
                    *slot = NewRedBlackLeaf(m_tree);
                } catch (...) {
                    m_leafOf.Erase(record);
                    throw;
                }
                (*slot)->key = record;
                isNew = true;
            }
            RedBlackNode* leaf = *slot;
            if (!isNew)
                ++heldClaimed;
            rows.push_back({record, leaf});
            oldSequence.push_back(sequence);
            added.push_back(isNew);
            record->SetSequenceNumber(int32_t(rows.size() - 1));
        }
    } catch (...) {
        // The held rows stay as they were: their numbers back, the new leaves gone.
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rows[i].record->SetSequenceNumber(oldSequence[i]);
            if (added[i]) {
                m_leafOf.Erase(rows[i].record);
                FreeRedBlackLeaf(m_tree, rows[i].leaf);
            }
        }
        throw;
    }
    if (heldClaimed < m_count) {
        // Rows no longer given go; only their leaves are read, not their records.
        constexpr intptr_t Claimed = -2;
        for (const Row& row : rows)
            row.leaf->value = RowState(Claimed);
        for (RedBlackNode* n = m_tree->link1; n != m_tree;) {
            RedBlackNode* next = n->link1;
            if (RowState(n->value) != Claimed) {
                m_leafOf.Erase(GetRedBlackNodeKey<CRecord*>(n));
                FreeRedBlackLeaf(m_tree, n);
            }
            n = next;
        }
    }
    m_nextSequence = int32_t(rows.size());
    // A tree that held no rows has no branches to take back: the pass over its storage is spared.
    if (m_tree->link3 != m_tree)
        RecycleRedBlackBranches(m_tree);
    std::vector<RedBlackNode*> spare;
    // The given positions are those of records; a record skipped above would shift them.
    LinkInOrder(rows, spare, order != nullptr && rows.size() == records.size() ? order : nullptr);
}

void CSpRecordRBTree::AssignInOrder(const std::vector<CRecord*>& records)
{
    if (!IsUnnumbered()) {
        AssignFrom(records);
        return;
    }
    InvalidateCursor();
    std::vector<RedBlackNode*> leaves;
    leaves.reserve(records.size());
    std::vector<RedBlackNode*> spare;
    const std::ptrdiff_t numberOffset = SequenceOffset(records);
    try {
        for (std::size_t i = 0; i < records.size(); ++i) {
            // Not their entries: records read in order have neighbouring cell numbers.
            PrefetchAhead(records, i, numberOffset);
            CRecord* record = records[i];
            if (record == nullptr)
                continue;
            // A record given again keeps its first row.
            const auto [slot, inserted] = m_leafOf.Insert(record, nullptr);
            if (!inserted)
                continue;
            RedBlackNode* leaf = nullptr;
            try {
                leaf = NewRedBlackLeaf(m_tree);
            } catch (...) {
                m_leafOf.Erase(record);
                throw;
            }
            *slot = leaf;
            leaf->key = record;
            // The record's old number waits in the leaf's row state, which linking sets.
            leaf->value = reinterpret_cast<void*>(intptr_t(record->GetSequenceNumber()));
            leaves.push_back(leaf);
            record->SetSequenceNumber(int32_t(leaves.size() - 1));
        }
        m_nextSequence = int32_t(leaves.size());
        LinkRedBlackLeaves(m_tree, leaves.data(), leaves.size(), spare, nullptr);
    } catch (...) {
        // Every branch was made before the first link: the rows go and the records keep their numbers.
        for (RedBlackNode* leaf : leaves) {
            CRecord* record = GetRedBlackNodeKey<CRecord*>(leaf);
            record->SetSequenceNumber(int32_t(reinterpret_cast<intptr_t>(leaf->value)));
            m_leafOf.Erase(record);
            FreeRedBlackLeaf(m_tree, leaf);
        }
        m_nextSequence = 0;
        throw;
    }
    m_count = int32_t(leaves.size());
    KeepCheckpoints(leaves);
}

void CSpRecordRBTree::LinkInOrder(std::vector<Row>& rows, std::vector<RedBlackNode*>& spare,
                                  const std::vector<uint32_t>* given)
{
    InvalidateCursor();
    std::vector<RedBlackNode*> leaves;
    leaves.reserve(rows.size());
    std::vector<uint32_t> order;
    if (given != nullptr && given->size() != rows.size())
        given = nullptr;
    if (given == nullptr && m_keySort != nullptr && m_keySortCompare == m_compare && !rows.empty() &&
        rows.size() <= UINT32_MAX) {
        std::vector<CRecord*> records;
        records.reserve(rows.size());
        for (const Row& row : rows)
            records.push_back(row.record);
        if (!m_keySort(records.data(), records.size(), order) || order.size() != rows.size())
            order.clear();
    }
    if (given == nullptr && !order.empty())
        given = &order;
    if (given != nullptr) {
        for (uint32_t i : *given)
            leaves.push_back(rows[i].leaf);
    } else {
        // Stable, so rows the order calls equal keep their sequence order, as inserting one by one
        // gives; a merge sort also stays inside the run whatever the callback answers.
        // Rows that come in order (a job being opened) need only the one check.
        const auto less = [this](const Row& a, const Row& b) { return m_compare(a.record, b.record) < 0; };
        if (!std::is_sorted(rows.begin(), rows.end(), less))
            std::stable_sort(rows.begin(), rows.end(), less);
        for (const Row& row : rows)
            leaves.push_back(row.leaf);
    }
    LinkRedBlackLeaves(m_tree, leaves.data(), leaves.size(), spare);
    m_count = int32_t(leaves.size());
    KeepCheckpoints(leaves);
}

void CSpRecordRBTree::KeepCheckpoints(const std::vector<RedBlackNode*>& leaves)
{
    if (m_count > 2 * CheckpointStep) {
        m_checkpoints.reserve(leaves.size() / CheckpointStep + 1);
        for (std::size_t i = 0; i < leaves.size(); i += CheckpointStep)
            m_checkpoints.push_back(leaves[i]);
    }
}

RedBlackNode* CSpRecordRBTree::LeafAt(int32_t row)
{
    if (row < 0 || row >= m_count)
        return nullptr;
    // A jump far from the cursor starts from whichever end of the chain is nearer.
    const int32_t fromCursor = m_cursorIndex < 0 ? m_count : (row > m_cursorIndex ? row - m_cursorIndex : m_cursorIndex - row);
    if (fromCursor > CheckpointStep && m_count > 2 * CheckpointStep) {
        if (m_checkpoints.empty()) {
            m_checkpoints.reserve(std::size_t(m_count / CheckpointStep + 1));
            int32_t i = 0;
            for (RedBlackNode* n = m_tree->link1; n != m_tree; n = n->link1, ++i)
                if (i % CheckpointStep == 0)
                    m_checkpoints.push_back(n);
        }
        m_cursorIndex = row - row % CheckpointStep;
        m_cursorNode = m_checkpoints[std::size_t(row / CheckpointStep)];
    } else if (m_cursorIndex < 0 || m_cursorNode == nullptr || row < fromCursor) {
        m_cursorIndex = 0;
        m_cursorNode = m_tree->link1;
    }
    while (m_cursorIndex < row) {
        m_cursorNode = m_cursorNode->link1;
        ++m_cursorIndex;
    }
    while (m_cursorIndex > row) {
        m_cursorNode = m_cursorNode->link2;
        --m_cursorIndex;
    }
    return m_cursorNode;
}

CRecord* CSpRecordRBTree::GetAt(int32_t row)
{
    RedBlackNode* leaf = LeafAt(row);
    return leaf != nullptr ? GetRedBlackNodeKey<CRecord*>(leaf) : nullptr;
}

int32_t CSpRecordRBTree::IndexOf(const CRecord* record) const
{
    int32_t row = 0;
    for (RedBlackNode* n = m_tree->link1; n != m_tree; n = n->link1, ++row)
        if (n->key == record)
            return row;
    return -1;
}

RedBlackNode* CSpRecordRBTree::FindLeaf(const CRecord* record) const
{
    RedBlackNode* const* leaf = m_leafOf.Find(record);
    return leaf != nullptr ? *leaf : nullptr;
}

bool CSpRecordRBTree::Lookup(const CRecord* record, int32_t& value) const
{
    RedBlackNode* leaf = FindLeaf(record);
    if (leaf == nullptr)
        return false;
    value = int32_t(RowState(leaf->value));
    return true;
}

void CSpRecordRBTree::SetRowState(int32_t row, bool on)
{
    if (RedBlackNode* leaf = LeafAt(row))
        leaf->value = RowState(on ? 1 : 0);
}

bool CSpRecordRBTree::GetRowState(int32_t row, bool& on)
{
    RedBlackNode* leaf = LeafAt(row);
    if (leaf == nullptr)
        return false;
    const intptr_t state = RowState(leaf->value);
    if (state == -1)
        return false;
    on = state > 0;
    return true;
}

void CSpRecordRBTree::ResetRowStates()
{
    for (RedBlackNode* n = m_tree->link1; n != m_tree; n = n->link1)
        n->value = RowState(-1);
}

void CSpRecordRBTree::Rebuild()
{
    CStatusProgress progress;
    if (m_count > 0)
        progress.Begin("Checking...");
    bool inOrder = true;
    int64_t i = 0;
    for (RedBlackNode* n = m_tree->link1; n != m_tree && n->link1 != m_tree; n = n->link1, ++i) {
        progress.SetPercent(MulDiv(i, 100, m_count));
        if (m_compare(GetRedBlackNodeKey<CRecord*>(n), GetRedBlackNodeKey<CRecord*>(n->link1)) > 0) {
            inOrder = false;
            break;
        }
    }
    if (inOrder)
        return;
    if (m_count > 0)
        progress.Begin("Sorting...");
    // The leaves are kept, so the record-to-leaf map stays valid; only their order changes.
    std::vector<Row> rows;
    rows.reserve(std::size_t(m_count));
    // Numbered in their present order first: the order's own tie-break reads the numbers.
    m_nextSequence = 0;
    for (RedBlackNode* n = m_tree->link1; n != m_tree; n = n->link1) {
        n->value = RowState(-1);
        CRecord* record = GetRedBlackNodeKey<CRecord*>(n);
        record->SetSequenceNumber(m_nextSequence++);
        rows.push_back({record, n});
    }
    RecycleRedBlackBranches(m_tree);
    std::vector<RedBlackNode*> spare;
    LinkInOrder(rows, spare);
}
