#include "model/RecordDatabase.h"

#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Record.h"
#include "model/RecordOwner.h"

#include <algorithm>
#include <new>

void* CRecordNodePool::do_allocate(std::size_t bytes, std::size_t alignment)
{
    if (bytes > kCellBytes || alignment > alignof(void*))
        return ::operator new(bytes, std::align_val_t(alignment));
    if (m_free != nullptr) {
        void* cell = m_free;
        m_free = *static_cast<void**>(cell);
        return cell;
    }
    if (m_unusedCells == 0) {
        constexpr std::size_t BlockBytes = 64 * 1024;
        void* block = ::operator new(BlockBytes);
        *static_cast<void**>(block) = m_blocks;
        m_blocks = block;
        m_unused = static_cast<char*>(block) + kCellBytes;
        m_unusedCells = BlockBytes / kCellBytes - 1;
    }
    void* cell = m_unused;
    m_unused += kCellBytes;
    --m_unusedCells;
    return cell;
}

void CRecordNodePool::do_deallocate(void* cell, std::size_t bytes, std::size_t alignment)
{
    if (bytes > kCellBytes || alignment > alignof(void*)) {
        ::operator delete(cell, std::align_val_t(alignment));
        return;
    }
    *static_cast<void**>(cell) = m_free;
    m_free = cell;
}

void CRecordNodePool::release()
{
    while (m_blocks != nullptr) {
        void* next = *static_cast<void**>(m_blocks);
        ::operator delete(m_blocks);
        m_blocks = next;
    }
    m_free = nullptr;
    m_unused = nullptr;
    m_unusedCells = 0;
}

CRecordDatabase::CRecordDatabase(CRecordOwner* owner)
    : m_recordLists{RecordList(&m_nodes), RecordList(&m_nodes), RecordList(&m_nodes),
                    RecordList(&m_nodes), RecordList(&m_nodes), RecordList(&m_nodes)},
      m_owner(owner)
{
    static_assert(kListCount == 6, "one list per kind, each drawing on the store's node pool");
    for (RecordList& list : m_recordLists)
        m_listOfLists.push_back(&list);
}

CRecordDatabase::~CRecordDatabase()
{
    RemoveAll();
    if (m_owner != nullptr)
        if (CPointDatabase* index = m_owner->GetPointDatabase())
            index->Reset(false);
    m_listOfLists.clear();
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
    RecordList& list = m_recordLists[0];
    // Held twice, a record would be deleted twice.
    const auto [where, added] = m_where.Insert(record, RecordList::iterator());
    if (!added)
        // Held already: the index's add of it counts as done, any other is refused.
        return validated;
    try {
        list.push_back(record);
    } catch (...) {
        m_where.Erase(record);
        throw;
    }
    *where = std::prev(list.end());
    NotePointGeometryChanged();
    return true;
}

void CRecordDatabase::Reserve(std::size_t) {}

int32_t CRecordDatabase::GetCount(uint16_t kind) const
{
    if (kind == 1)
        return int32_t(m_recordLists[0].size());
    if (kind != 0)
        return 0;
    std::size_t total = 0;
    for (const RecordList* list : m_listOfLists)
        total += list->size();
    return int32_t(total);
}

CRecordCursor CRecordDatabase::GetFirstRecord(uint16_t kind)
{
    CRecordCursor cursor;
    if (m_listOfLists.empty())
        return cursor;
    if (kind == 0) {
        for (int i = 0; i < int(m_listOfLists.size()); ++i)
            if (!m_listOfLists[i]->empty())
                return CRecordCursor{i, m_listOfLists[i]->begin(), true, false};
    } else if (kind == 1) {
        RecordList* list = m_listOfLists[0];
        cursor.listPos = 0;
        cursor.singleList = true;
        if (!list->empty()) {
            cursor.recordPos = list->begin();
            cursor.hasRecord = true;
        }
    }
    return cursor;
}

CRecordCursor CRecordDatabase::GetLastRecord(uint16_t kind)
{
    CRecordCursor cursor;
    if (m_listOfLists.empty())
        return cursor;
    if (kind == 0) {
        for (int i = int(m_listOfLists.size()) - 1; i >= 0; --i)
            if (!m_listOfLists[i]->empty())
                return CRecordCursor{i, std::prev(m_listOfLists[i]->end()), true, false};
    } else if (kind == 1) {
        RecordList* list = m_listOfLists[0];
        cursor.listPos = 0;
        cursor.singleList = true;
        if (!list->empty()) {
            cursor.recordPos = std::prev(list->end());
            cursor.hasRecord = true;
        }
    }
    return cursor;
}

CRecord* CRecordDatabase::GetNextRecord(CRecordCursor& cursor)
{
    if (cursor.listPos < 0 || !cursor.hasRecord || cursor.listPos >= int(m_listOfLists.size()))
        return nullptr;
    RecordList* list = m_listOfLists[cursor.listPos];
    CRecord* record = *cursor.recordPos;
    if (++cursor.recordPos != list->end())
        return record;
    cursor.hasRecord = false;
    if (cursor.singleList)
        return record;
    for (int i = cursor.listPos + 1; i < int(m_listOfLists.size()); ++i) {
        if (!m_listOfLists[i]->empty()) {
            cursor = CRecordCursor{i, m_listOfLists[i]->begin(), true, false};
            return record;
        }
    }
    cursor = CRecordCursor();
    return record;
}

CRecord* CRecordDatabase::GetPrevRecord(CRecordCursor& cursor)
{
    if (cursor.listPos < 0 || !cursor.hasRecord || cursor.listPos >= int(m_listOfLists.size()))
        return nullptr;
    RecordList* list = m_listOfLists[cursor.listPos];
    CRecord* record = *cursor.recordPos;
    if (cursor.recordPos != list->begin()) {
        --cursor.recordPos;
        return record;
    }
    cursor.hasRecord = false;
    if (cursor.singleList)
        return record;
    for (int i = cursor.listPos - 1; i >= 0; --i) {
        if (!m_listOfLists[i]->empty()) {
            cursor = CRecordCursor{i, std::prev(m_listOfLists[i]->end()), true, false};
            return record;
        }
    }
    cursor = CRecordCursor();
    return record;
}

CRecord* CRecordDatabase::GetAt(const CRecordCursor& cursor) const
{
    return cursor.hasRecord ? *cursor.recordPos : nullptr;
}

CRecordCursor CRecordDatabase::FindRecord(const CRecord* record) const
{
    const RecordList::iterator* at = m_where.Find(record);
    if (at == nullptr)
        return CRecordCursor();
    return CRecordCursor{0, *at, true, false};
}

CRecord* CRecordDatabase::RemoveAt(CRecordCursor cursor)
{
    if (!cursor.hasRecord || cursor.listPos < 0 || cursor.listPos >= int(m_listOfLists.size()))
        return nullptr;
    CRecord* record = *cursor.recordPos;
    // A copy: a selection may let go of the store while it hears.
    const std::list<CRecordSelection*> selections = m_selections;
    for (CRecordSelection* selection : selections)
        selection->OnRecordRemoved(record);
    m_listOfLists[cursor.listPos]->erase(cursor.recordPos);
    m_where.Erase(record);
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
    for (CRecord* record : m_recordLists[0])
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
    for (RecordList* list : m_listOfLists) {
        for (CRecord* record : *list)
            delete record;
        list->clear();
    }
    m_where.Clear();
    m_nodes.release();
    if (m_owner != nullptr)
        if (CPointDatabase* index = m_owner->GetPointDatabase())
            index->Reset(true);
}
