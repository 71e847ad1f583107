#pragma once

#include "model/RecordDatabase.h"
#include "model/RecordOwner.h"

#include <cstdint>

class CRecord;
class CRecordDatabase;

// A set of records kept as one bit of the records' flag words, bound to a slot of the record
// store.
class CSelection : public CRecordSelection
{
public:
    // Binds the first free slot of the store; an unbound selection (no store, or every slot
    // taken) holds nothing.
    explicit CSelection(CRecordDatabase* store);
    ~CSelection() override;
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

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
    // Walks the store.
    int32_t GetCount() const;
    bool IsBound() const { return m_bit >= 0; }
    int GetBit() const { return m_bit; }

private:
    // Moves the cursor forward until it rests on a selected record or the end.
    void SkipUnselected(CRecordCursor& cursor) const;

    CRecordDatabase* m_store = nullptr;
    int m_bit = -1;
};
