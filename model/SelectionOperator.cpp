#include "model/SelectionOperator.h"

#include "model/ObjectListTarget.h"
#include "model/SelectionIterator.h"

CSelectionOperator::~CSelectionOperator() { RemoveAllEntries(); }

bool CSelectionOperator::ReloadFromObjects()
{
    Synchronize(true, nullptr);
    return true;
}

bool CSelectionOperator::Refresh()
{
    RemoveObject(nullptr);
    Synchronize(true, nullptr);
    return true;
}

CRecord* CSelectionOperator::ToObject(const CSelectionCursor& cursor) const
{
    return cursor.valid ? (*cursor.pos)->GetKey() : nullptr;
}

bool CSelectionOperator::SelectAll(const CSelectionFilterPtr& filter)
{
    CSelectionFilterPtr visible(CreateVisibleFilter());
    visible->And(filter.Get());
    CSelectionContainer::SelectAll(CurrentBit, visible.Get());
    return true;
}

bool CSelectionOperator::ClearSelection(const CSelectionFilterPtr& filter)
{
    ClearAll(CurrentBit, filter.Get());
    return true;
}

bool CSelectionOperator::InvertSelection(const CSelectionFilterPtr& filter)
{
    CSelectionFilterPtr visible(CreateVisibleFilter());
    visible->And(filter.Get());
    InvertAll(CurrentBit, visible.Get());
    return true;
}

bool CSelectionOperator::ClearBitFiltered(int bit, const CSelectionFilterPtr& filter)
{
    ClearAll(bit, filter.Get());
    return true;
}

bool CSelectionOperator::CopyCurrentTo(const CSelectionFilterPtr& filter, int bit)
{
    CSelectionFilterPtr temporary(CreateTemporaryFilter());
    temporary->And(filter.Get());
    CopyBit(CurrentBit, bit, temporary.Get());
    return true;
}

void CSelectionOperator::LoadCurrentFrom(const CSelectionFilterPtr& filter, int bit)
{
    ClearAll(CurrentBit, nullptr);
    CSelectionFilterPtr temporary(CreateTemporaryFilter());
    temporary->And(filter.Get());
    CopyBit(bit, CurrentBit, temporary.Get());
}

int32_t CSelectionOperator::CountSelected(const CSelectionFilterPtr& filter, int bit)
{
    return CountBit(bit, filter.Get());
}

void CSelectionOperator::Seek(CSelectionCursor& cursor, SelectionEntryList::iterator pos, int bit,
                              const CSelectionFilterBase* filter)
{
    for (; pos != GetEntries().end(); ++pos) {
        CSelectionObjectBase* entry = *pos;
        // The bit first: it is cheaper than the filter, and filters have no side effects.
        if (entry->TestBit(bit) && (filter == nullptr || filter->Accept(entry->GetKey()))) {
            cursor.pos = pos;
            cursor.valid = true;
            return;
        }
    }
    cursor.valid = false;
}

void CSelectionOperator::GetFirst(CSelectionCursor& cursor, int bit, const CSelectionFilterPtr& filter)
{
    Seek(cursor, GetEntries().begin(), bit, filter.Get());
}

CRecord* CSelectionOperator::GetNext(CSelectionCursor& cursor, int bit, const CSelectionFilterPtr& filter)
{
    if (!cursor.valid)
        return nullptr;
    CRecord* object = ToObject(cursor);
    Seek(cursor, std::next(cursor.pos), bit, filter.Get());
    return object;
}

void CSelectionOperator::GetFirstOfKind(CSelectionCursor& cursor, int bit, uint32_t kinds)
{
    GetFirst(cursor, bit, CSelectionFilterPtr(CreateKindFilter(kinds)));
}

CRecord* CSelectionOperator::GetNextOfKind(CSelectionCursor& cursor, int bit, uint32_t kinds)
{
    return GetNext(cursor, bit, CSelectionFilterPtr(CreateKindFilter(kinds)));
}

void CSelectionOperator::GetFirstUnfiltered(CSelectionCursor& cursor)
{
    GetFirst(cursor, CurrentBit, CSelectionFilterPtr());
}

CRecord* CSelectionOperator::GetNextUnfiltered(CSelectionCursor& cursor)
{
    return GetNext(cursor, CurrentBit, CSelectionFilterPtr());
}

bool CSelectionOperator::SelectObject(CRecord* object)
{
    Select(object);
    return true;
}

void CSelectionOperator::ToggleObject(CRecord* object)
{
    if (IsSelected(object))
        Deselect(object);
    else
        Select(object);
}

void CSelectionOperator::FillListCtrl(int bit, IObjectListTarget& list)
{
    list.DeleteAllItems();
    CSelectionIterator objects(this, bit, nullptr);
    int32_t index = 0;
    CRecord* object = nullptr;
    if (objects.First())
        while (objects.Next(object) && object != nullptr)
            list.InsertObjectItem(index++, object);
}

int32_t CSelectionOperator::RemoveListSelection(int bit, IObjectListTarget& list)
{
    int32_t removed = 0;
    // After a deletion the same index holds the next row.
    for (int32_t index = 0; index < list.GetItemCount();) {
        if (!list.IsItemSelected(index)) {
            ++index;
            continue;
        }
        if (CRecord* object = list.GetItemObject(index))
            ClearBit(object, bit);
        list.DeleteItem(index);
        ++removed;
    }
    return removed;
}

void CSelectionOperator::Reset()
{
    RemoveObject(nullptr);
}

bool CSelectionOperator::ReleaseFiltered(uint64_t holder, const CSelectionFilterPtr& filter)
{
    auto it = m_held.find(holder);
    if (it == m_held.end()) {
        int bit = FirstHeldBit;
        for (bool taken = true; taken; ) {
            taken = false;
            for (const auto& [other, used] : m_held)
                if (used == bit) {
                    ++bit;
                    taken = true;
                }
        }
        it = m_held.emplace(holder, bit).first;
    }
    const int bit = it->second;
    // What the holder kept before is replaced, also outside today's filter.
    ClearAll(bit, nullptr);
    CopyBit(CurrentBit, bit, filter.Get());
    if (CountBit(CurrentBit, filter.Get()) == 0)
        return false;
    ClearAll(CurrentBit, filter.Get());
    return true;
}

bool CSelectionOperator::TakeFilterAsBase(uint64_t holder, const CSelectionFilterPtr& filter)
{
    auto it = m_held.find(holder);
    if (it == m_held.end())
        return false;
    const int bit = it->second;
    // A write of the current bit re-mirrors every object: only when something differs.
    bool changed = false;
    for (const auto& entry : GetEntries())
        if (entry->TestBit(CurrentBit) != entry->TestBit(bit) && (!filter.Get() || filter->Accept(entry->GetKey()))) {
            changed = true;
            break;
        }
    if (changed)
        CopyBit(bit, CurrentBit, filter.Get());
    ClearAll(bit, nullptr);
    m_held.erase(it);
    return changed;
}

void CSelectionOperator::ForgetHolder(uint64_t holder)
{
    auto it = m_held.find(holder);
    if (it == m_held.end())
        return;
    ClearAll(it->second, nullptr);
    m_held.erase(it);
}
