#pragma once

#include "model/RecordDatabase.h"
#include "model/RecordOwner.h"

#include <cstdint>

class CRecord;
class CRecordDatabase;

// A set of records kept as one bit of the records' flag words. Several selections may share a
// bit; the store counts its users, and the last to leave clears the bit from every record.
class CSelection : public CRecordSelection
{
public:
    // Attaches at once (see Attach).
    explicit CSelection(CRecordDatabase* store, uint32_t mask = 0);
    ~CSelection() override;
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

    // Binds the selection to the bit of mask, or with mask 0 to the lowest bit no selection of the
    // store uses. When all 32 bits are in use it stays detached rather than share a bit it was not
    // asked to share.
    void Attach(CRecordDatabase* store, uint32_t mask);
    bool IsSelected(const CRecord* record) const override;
    void Detach() override;

    // Adds the record to the selection or takes it out.
    void Select(CRecord* record, bool on);
    void SetSelected(CRecord* record, bool on) { Select(record, on); }
    // Takes every record of the store out of the selection.
    void ClearAll();
    // Walk the selected records in store order: GetFirst places the cursor on the first, GetNext
    // returns the record at the cursor and moves on to the next selected one (null at the end).
    // The record under the cursor may not leave the store during the walk.
    CRecordCursor GetFirst() const;
    CRecord* GetNext(CRecordCursor& cursor) const;
    // The record at the cursor when it is selected, else null.
    CRecord* GetAt(const CRecordCursor& cursor) const;
    // Walks the store.
    int32_t GetCount() const;
    bool IsBound() const { return m_store != nullptr; }
    int GetBit() const { return m_store != nullptr ? m_bit : -1; }
    uint32_t GetMask() const { return m_mask; }
    CRecordDatabase* GetStore() const { return m_store; }

private:
    // Moves the cursor forward until it rests on a selected record or the end.
    void SkipUnselected(CRecordCursor& cursor) const;

    CRecordDatabase* m_store = nullptr;
    uint32_t m_mask = 1;
    int m_bit = 0;
};
