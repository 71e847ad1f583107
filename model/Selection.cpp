#include "model/Selection.h"

#include "model/Record.h"
#include "model/RecordDatabase.h"

CSelection::CSelection(CRecordDatabase* store, uint32_t mask) { Attach(store, mask); }

CSelection::~CSelection() { Detach(); }

void CSelection::Attach(CRecordDatabase* store, uint32_t mask)
{
    Detach();
    if (store == nullptr)
        return;
    int bit = 0;
    if (mask != 0) {
        while (bit < CRecordDatabase::kSelectionSlots && (1u << bit) != mask)
            ++bit;
    } else {
        while (bit < CRecordDatabase::kSelectionSlots && store->GetBitUseCount(bit) != 0)
            ++bit;
    }
    // No bit matches the mask, or every bit is taken.
    if (bit >= CRecordDatabase::kSelectionSlots)
        return;
    m_store = store;
    m_bit = bit;
    m_mask = 1u << bit;
    store->IncrementBitUse(bit);
    store->AddSelection(this);
}

bool CSelection::IsSelected(const CRecord* record) const
{
    return record != nullptr && m_store != nullptr && record->TestFlags(m_mask);
}

void CSelection::Detach()
{
    if (m_store == nullptr)
        return;
    // A later selection on this bit must not find our records' bits still set.
    if (m_store->DecrementBitUse(m_bit) == 0)
        ClearAll();
    m_store->RemoveSelection(this);
    m_store = nullptr;
}

void CSelection::Select(CRecord* record, bool on)
{
    if (record != nullptr && m_store != nullptr)
        record->SetFlags(m_mask, on);
}

int32_t CSelection::GetCount() const
{
    if (m_store == nullptr)
        return 0;
    int32_t count = 0;
    CRecordCursor cursor = m_store->GetFirstRecord(0);
    while (CRecord* record = m_store->GetNextRecord(cursor))
        if (record->TestFlags(m_mask))
            ++count;
    return count;
}

void CSelection::ClearAll()
{
    if (m_store == nullptr)
        return;
    CRecordCursor cursor = m_store->GetFirstRecord(0);
    while (CRecord* record = m_store->GetNextRecord(cursor))
        record->SetFlags(m_mask, false);
}

void CSelection::SkipUnselected(CRecordCursor& cursor) const
{
    while (cursor.IsValid() && !IsSelected(m_store->GetAt(cursor)))
        m_store->GetNextRecord(cursor);
}

CRecordCursor CSelection::GetFirst() const
{
    if (m_store == nullptr)
        return CRecordCursor{};
    CRecordCursor cursor = m_store->GetFirstRecord(0);
    SkipUnselected(cursor);
    return cursor;
}

CRecord* CSelection::GetNext(CRecordCursor& cursor) const
{
    if (m_store == nullptr || !cursor.IsValid())
        return nullptr;
    CRecord* record = m_store->GetAt(cursor);
    if (!IsSelected(record))
        return nullptr;
    m_store->GetNextRecord(cursor);
    SkipUnselected(cursor);
    return record;
}

CRecord* CSelection::GetAt(const CRecordCursor& cursor) const
{
    if (m_store == nullptr)
        return nullptr;
    CRecord* record = m_store->GetAt(cursor);
    return IsSelected(record) ? record : nullptr;
}
