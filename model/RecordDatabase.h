#pragma once

#include "model/RecordMap.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory_resource>
#include <vector>

class CRecord;
class CRecordOwner;
class CRecordSelection;

using RecordList = std::pmr::list<CRecord*>;

// The store's list nodes: cells of one size cut from 64 KB blocks, given back to a free chain and
// freed with their blocks at once. A job makes and drops one per record; a general pool spent
// more finding a node's pool than the list spent on the node.
class CRecordNodePool final : public std::pmr::memory_resource
{
public:
    CRecordNodePool() = default;
    CRecordNodePool(const CRecordNodePool&) = delete;
    CRecordNodePool& operator=(const CRecordNodePool&) = delete;
    ~CRecordNodePool() override { release(); }
    // Frees every block; no cell may be in use.
    void release();

private:
    static constexpr std::size_t kCellBytes = 3 * sizeof(void*);
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* cell, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    void* m_free = nullptr;   // freed cells, chained through their first word
    void* m_blocks = nullptr; // chained through their first word
    char* m_unused = nullptr; // the newest block's cells not yet handed out
    std::size_t m_unusedCells = 0;
};

// A position in the record store: which list, which record in it, and whether the walk stays in
// that list. Removing the record under a cursor invalidates that cursor.
struct CRecordCursor
{
    int listPos = -1; // index in the store's list of lists; -1 = end
    RecordList::iterator recordPos{};
    bool hasRecord = false;
    bool singleList = false;

    bool IsValid() const { return hasRecord; }
};

// Owns every record of one job, in lists by kind (only points are accepted, so lists 2 to 6 stay
// empty), and binds up to 32 selections to the bits of the records' flag words.
class CRecordDatabase
{
public:
    static constexpr int kListCount = 6;
    static constexpr int kSelectionSlots = 32;

    explicit CRecordDatabase(CRecordOwner* owner);
    CRecordDatabase(const CRecordDatabase&) = delete;
    CRecordDatabase& operator=(const CRecordDatabase&) = delete;
    virtual ~CRecordDatabase();

    // Sets the owner, then refuses invalid records, non-points and records already held.
    bool AddRecord(CRecord* record);
    // As AddRecord for a record the store's owner has just validated (the point-name index, as it
    // files the point): the name is not checked a second time.
    bool AddValidatedRecord(CRecord* record);
    // Kept for bulk adds; the store's table grows by pages as records come, with nothing to size.
    void Reserve(std::size_t more);
    // Starts fetching what adding or finding the record will read, so other work can overlap it.
    void Prefetch(const CRecord* record) const { m_where.Prefetch(record); }
    // Kind 1: points; kind 0: all records; other kinds: 0.
    int32_t GetCount(uint16_t kind) const;

    CRecordCursor GetFirstRecord(uint16_t kind);
    CRecordCursor GetLastRecord(uint16_t kind);
    // The record at the cursor; the cursor moves on (or back), across lists unless single-list.
    CRecord* GetNextRecord(CRecordCursor& cursor);
    CRecord* GetPrevRecord(CRecordCursor& cursor);
    CRecord* GetAt(const CRecordCursor& cursor) const;
    CRecordCursor FindRecord(const CRecord* record) const;
    // Takes the record out of the store without deleting it. The attached selections hear of it
    // first, so nothing keyed by the record outlives it.
    CRecord* RemoveAt(CRecordCursor cursor);
    bool RemoveRecordAt(CRecordCursor cursor);
    int32_t CountInside(double left, double top, double right, double bottom, bool flag) const;

    void AddSelection(CRecordSelection* selection);
    void RemoveSelection(CRecordSelection* selection);
    int32_t GetSelectionCount() const { return int32_t(m_selections.size()); }
    // How many selections use bit i of the records' flag words; 0 when the bit is free.
    uint32_t GetBitUseCount(int bit) const;
    void IncrementBitUse(int bit);
    // The count left after this user let go.
    uint32_t DecrementBitUse(int bit);

    // Deletes every record (the attached selections hear of it first) and empties the owner's
    // point-name index.
    void RemoveAll();

    CRecordOwner* GetOwner() const { return m_owner; }

private:
    bool Append(CRecord* record, bool validated);

    // The lists' nodes come from here and go back in a few blocks when the store is emptied, not
    // one by one. Declared first: it outlives the containers using it.
    CRecordNodePool m_nodes;
    std::array<RecordList, kListCount> m_recordLists;
    std::vector<RecordList*> m_listOfLists;
    std::array<uint32_t, kSelectionSlots> m_bitUse{};
    std::list<CRecordSelection*> m_selections;
    CRecordOwner* m_owner;
    // Finding a record's place by pointer must not walk the lists: deleting many points one by one
    // would be quadratic. Every record is held in the first list, so its place there is enough.
    CRecordMap<RecordList::iterator> m_where;
};
