#pragma once

#include "model/RecordMap.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

class CRecord;
class CRecordOwner;
class CRecordSelection;

// A position in the record store: which list, which record in it, and whether the walk stays in
// that list. Removing the record under a cursor invalidates that cursor.
struct CRecordCursor
{
    int listPos = -1; // index in the store's list of lists; -1 = end
    CRecord* record = nullptr;
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
    // Starts fetching what adding or finding the record will read, so other work can overlap it.
    void Prefetch(const CRecord* record) const { m_links.Prefetch(record); }
    // Kind 1: points; kind 0: all records; other kinds: 0.
    int32_t GetCount(uint16_t kind) const;

    CRecordCursor GetFirstRecord(uint16_t kind);
    CRecordCursor GetLastRecord(uint16_t kind);
    // The record at the cursor; the cursor moves on (or back), across lists unless single-list.
    CRecord* GetNextRecord(CRecordCursor& cursor);
    CRecord* GetPrevRecord(CRecordCursor& cursor);
    // Every record, in the order they came, after those in records: one pass with no cursor.
    void AppendAllInOrder(std::vector<CRecord*>& records) const;
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
    // Takes the record out of the order of records; nothing when it is not held.
    void Unlink(const CRecord* record);
    CRecord* NextOf(const CRecord* record) const;
    CRecord* PrevOf(const CRecord* record) const;

    std::array<uint32_t, kSelectionSlots> m_bitUse{};
    std::list<CRecordSelection*> m_selections;
    CRecordOwner* m_owner;
    // The records in the order they came, linked through their entries here: a record's place is
    // found by pointer without walking (deleting many points one by one would be quadratic), and
    // a record costs its entry alone, with no list node beside it. Only points are accepted, so
    // the lists of the other kinds stay empty and are not kept.
    struct Links
    {
        CRecord* prev;
        CRecord* next;
    };
    CRecordMap<Links> m_links;
    CRecord* m_first = nullptr;
    CRecord* m_last = nullptr;
    // The last record's entry while it cannot move, so an append looks up one entry, not two.
    Links* m_lastLinks = nullptr;
    std::size_t m_count = 0;
};
