#include "model/Selection.h"

#include "model/Record.h"
#include "model/RecordDatabase.h"

CSelection::CSelection(CRecordDatabase* store)
{
    if (store == nullptr)
        return;
    for (int bit = 0; bit < CRecordDatabase::kSelectionSlots; ++bit) {
        if (store->GetSelectionSlot(bit) == nullptr) {
            m_store = store;
            m_bit = bit;
            store->SetSelectionSlot(bit, this);
            store->AddSelection(this);
            return;
        }
    }
}

CSelection::~CSelection() { Detach(); }

bool CSelection::IsSelected(const CRecord* record) const
{
    return record != nullptr && m_bit >= 0 && record->TestFlags(1u << m_bit);
}

void CSelection::Detach()
{
    if (m_store == nullptr)
        return;
    // A later selection on this slot must not find our records' bits still set.
    CRecordCursor cursor = m_store->GetFirstRecord(0);
    while (CRecord* record = m_store->GetNextRecord(cursor))
        record->SetFlags(1u << m_bit, false);
    m_store->SetSelectionSlot(m_bit, nullptr);
    m_store->RemoveSelection(this);
    m_store = nullptr;
    m_bit = -1;
}

void CSelection::Select(CRecord* record, bool on)
{
    if (record != nullptr && m_bit >= 0)
        record->SetFlags(1u << m_bit, on);
}

int32_t CSelection::GetCount() const
{
    if (m_store == nullptr)
        return 0;
    int32_t count = 0;
    CRecordCursor cursor = m_store->GetFirstRecord(0);
    while (CRecord* record = m_store->GetNextRecord(cursor))
        if (IsSelected(record))
            ++count;
    return count;
}

void CSelection::ClearAll()
{
    if (m_store == nullptr)
        return;
    CRecordCursor cursor = m_store->GetFirstRecord(0);
    while (CRecord* record = m_store->GetNextRecord(cursor))
        record->SetFlags(1u << m_bit, false);
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
    CRecord* record = m_store->GetNextRecord(cursor);
    SkipUnselected(cursor);
    return record;
}
