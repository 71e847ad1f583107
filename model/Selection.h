#pragma once

#include "model/RecordOwner.h"

#include <cstdint>

class CRecord;
class CRecordDatabase;

// A set of records kept as one bit of the records' flag words, bound to a slot of the record
// store. Only what the job document needs so far: binding, membership and counting.
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
    // Walks the store.
    int32_t GetCount() const;
    bool IsBound() const { return m_bit >= 0; }
    int GetBit() const { return m_bit; }

private:
    CRecordDatabase* m_store = nullptr;
    int m_bit = -1;
};
