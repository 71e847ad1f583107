#include "model/RecordDatabase.h"

#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Record.h"
#include "model/RecordOwner.h"

#include <algorithm>
#include <new>

CRecordDatabase::CRecordDatabase(CRecordOwner* owner) : m_owner(owner) {}

CRecordDatabase::~CRecordDatabase()
{
    RemoveAll();
    if (m_owner != nullptr)
        if (CPointDatabase* index = m_owner->GetPointDatabase())
            index->Reset(false);
    while (!m_selections.empty()) {
        CRecordSelection* selection = m_selections.front();
        selection->Detach();
        // A selection that did not unregister itself must not be detached again.
        if (!m_selections.empty() && m_selections.front() == selection)
            m_selections.pop_front();
    }
}

bool CRecordDatabase::AddRecord(CRecord* record)
{
    if (record == nullptr)
        return false;
    record->SetOwner(m_owner);
    if (!record->Validate())
        return false;
    return Append(record, false);
}

bool CRecordDatabase::AddValidatedRecord(CRecord* record)
{
    if (record == nullptr)
        return false;
    record->SetOwner(m_owner);
    return Append(record, true);
}

bool CRecordDatabase::Append(CRecord* record, bool validated)
{
    if (record->GetType() != kRecordTypePoint)
        return false;
    // Held twice, a record would be deleted twice. A failure to make room changes nothing.
    const auto [links, inserted] = m_links.Insert(record, Links{m_last, nullptr});
    if (!inserted)
        // Held already: the index's add of it counts as done, any other is refused.
        return validated;
    if (m_last != nullptr)
        (m_lastLinks != nullptr ? m_lastLinks : m_links.Find(m_last))->next = record;
    else
        m_first = record;
    m_last = record;
    m_lastLinks = m_links.EntriesStay() ? links : nullptr;
    ++m_count;
    NotePointGeometryChanged();
    return true;
}

void CRecordDatabase::Unlink(const CRecord* record)
{
    const Links* links = m_links.Find(record);
    if (links == nullptr)
        return;
    const Links at = *links;
    if (at.prev != nullptr)
        m_links.Find(at.prev)->next = at.next;
    else
        m_first = at.next;
    if (at.next != nullptr)
        m_links.Find(at.next)->prev = at.prev;
    else
        m_last = at.prev;
    m_lastLinks = nullptr;
    m_links.Erase(record);
    --m_count;
}

CRecord* CRecordDatabase::NextOf(const CRecord* record) const
{
    const Links* links = m_links.Find(record);
    return links != nullptr ? links->next : nullptr;
}

CRecord* CRecordDatabase::PrevOf(const CRecord* record) const
{
    const Links* links = m_links.Find(record);
    return links != nullptr ? links->prev : nullptr;
}

int32_t CRecordDatabase::GetCount(uint16_t kind) const
{
    // Points are the only kind held.
    return kind == 0 || kind == 1 ? int32_t(m_count) : 0;
}

CRecordCursor CRecordDatabase::GetFirstRecord(uint16_t kind)
{
    CRecordCursor cursor;
    if (kind == 0) {
        if (m_first != nullptr)
            return CRecordCursor{0, m_first, true, false};
    } else if (kind == 1) {
        cursor.listPos = 0;
        cursor.singleList = true;
        cursor.record = m_first;
        cursor.hasRecord = m_first != nullptr;
    }
    return cursor;
}

CRecordCursor CRecordDatabase::GetLastRecord(uint16_t kind)
{
    CRecordCursor cursor;
    if (kind == 0) {
        if (m_last != nullptr)
            return CRecordCursor{0, m_last, true, false};
    } else if (kind == 1) {
        cursor.listPos = 0;
        cursor.singleList = true;
        cursor.record = m_last;
        cursor.hasRecord = m_last != nullptr;
    }
    return cursor;
}

CRecord* CRecordDatabase::GetNextRecord(CRecordCursor& cursor)
{
    if (cursor.listPos < 0 || !cursor.hasRecord || cursor.listPos >= kListCount)
        return nullptr;
    CRecord* record = cursor.record;
    if (CRecord* next = NextOf(record)) {
        cursor.record = next;
        return record;
    }
    // The lists of the other kinds are empty: a walk across lists ends here too.
    if (cursor.singleList)
        cursor.hasRecord = false;
    else
        cursor = CRecordCursor();
    return record;
}

void CRecordDatabase::AppendAllInOrder(std::vector<CRecord*>& records) const
{
    records.reserve(records.size() + m_count);
    for (CRecord* record = m_first; record != nullptr; record = NextOf(record))
        records.push_back(record);
}

CRecord* CRecordDatabase::GetPrevRecord(CRecordCursor& cursor)
{
    if (cursor.listPos < 0 || !cursor.hasRecord || cursor.listPos >= kListCount)
        return nullptr;
    CRecord* record = cursor.record;
    if (CRecord* prev = PrevOf(record)) {
        cursor.record = prev;
        return record;
    }
    if (cursor.singleList)
        cursor.hasRecord = false;
    else
        cursor = CRecordCursor();
    return record;
}

CRecord* CRecordDatabase::GetAt(const CRecordCursor& cursor) const { return cursor.hasRecord ? cursor.record : nullptr; }

CRecordCursor CRecordDatabase::FindRecord(const CRecord* record) const
{
    if (m_links.Find(record) == nullptr)
        return CRecordCursor();
    return CRecordCursor{0, const_cast<CRecord*>(record), true, false};
}

CRecord* CRecordDatabase::RemoveAt(CRecordCursor cursor)
{
    if (!cursor.hasRecord || cursor.listPos < 0 || cursor.listPos >= kListCount)
        return nullptr;
    CRecord* record = cursor.record;
    // A copy: a selection may let go of the store while it hears.
    const std::list<CRecordSelection*> selections = m_selections;
    for (CRecordSelection* selection : selections)
        selection->OnRecordRemoved(record);
    Unlink(record);
    NotePointGeometryChanged();
    return record;
}

bool CRecordDatabase::RemoveRecordAt(CRecordCursor cursor)
{
    CRecord* record = GetAt(cursor);
    if (record == nullptr || !record->Validate())
        return false;
    RemoveAt(cursor);
    return true;
}

int32_t CRecordDatabase::CountInside(double left, double top, double right, double bottom, bool flag) const
{
    int32_t count = 0;
    for (CRecord* record = m_first; record != nullptr; record = NextOf(record))
        if (record->GetType() == kRecordTypePoint && record->IsInside(left, top, right, bottom, flag))
            ++count;
    return count;
}

void CRecordDatabase::AddSelection(CRecordSelection* selection) { m_selections.push_back(selection); }

void CRecordDatabase::RemoveSelection(CRecordSelection* selection)
{
    auto it = std::find(m_selections.begin(), m_selections.end(), selection);
    if (it != m_selections.end())
        m_selections.erase(it);
}

uint32_t CRecordDatabase::GetBitUseCount(int bit) const
{
    return (bit >= 0 && bit < kSelectionSlots) ? m_bitUse[size_t(bit)] : 0;
}

void CRecordDatabase::IncrementBitUse(int bit)
{
    if (bit >= 0 && bit < kSelectionSlots)
        ++m_bitUse[size_t(bit)];
}

uint32_t CRecordDatabase::DecrementBitUse(int bit)
{
    if (bit < 0 || bit >= kSelectionSlots)
        return 0;
    if (m_bitUse[size_t(bit)] > 0)
        --m_bitUse[size_t(bit)];
    return m_bitUse[size_t(bit)];
}

void CRecordDatabase::RemoveAll()
{
    NotePointGeometryChanged();
    const std::list<CRecordSelection*> selections = m_selections;
    for (CRecordSelection* selection : selections)
        selection->OnAllRecordsRemoved();
    for (CRecord* record = m_first; record != nullptr;) {
        // The entry is read before the record goes; it is not read again.
        CRecord* next = NextOf(record);
        delete record;
        record = next;
    }
    m_links.Clear();
    m_first = nullptr;
    m_last = nullptr;
    m_lastLinks = nullptr;
    m_count = 0;
    if (m_owner != nullptr)
        if (CPointDatabase* index = m_owner->GetPointDatabase())
            index->Reset(true);
}
