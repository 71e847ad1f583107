#include "model/SelectionContainer.h"

#include "model/ObjectIterator.h"
#include "model/SelectionFilter.h"

#include <algorithm>

CSelectionContainer::CSelectionContainer() : m_index(&CompareKeys) {}

CSelectionContainer::~CSelectionContainer()
{
    // An iterator that outlives us must not walk freed entries.
    for (CSelectionIterator* iterator : m_iterators)
        iterator->ContainerGone();
    m_iterators.clear();
    DeleteAllEntries();
}

void CSelectionContainer::DeleteAllEntries()
{
    for (auto it = m_entries.begin(); it != m_entries.end();)
        delete *it++;
    m_entries.clear();
}

int CSelectionContainer::CompareKeys(CRecord* a, CRecord* b)
{
    // Ascending addresses: records made one after another mostly come in ascending order, and the
    // tree finds a key beyond its last one without a descent, so selecting a whole job in store
    // order appends rather than searches.
    if (a == b)
        return 0;
    return std::less<CRecord*>()(a, b) ? -1 : 1;
}

CSelectionObjectBase* CSelectionContainer::FindEntry(CRecord* key) const
{
    RedBlackNode* node = m_index.Find(key);
    return node != nullptr ? decltype(m_index)::GetValue(node) : nullptr;
}

CSelectionObjectBase* CSelectionContainer::FindOrAddEntry(CRecord* key)
{
    // One descent both finds the entry and tells where a new one goes.
    RedBlackNode* position = nullptr;
    if (FindRedBlackNode(m_index.GetHandle(), key, position, m_index.GetCompare()))
        return decltype(m_index)::GetValue(position);
    CSelectionObjectBase* entry = CreateSelectionObject(key);
    m_entries.push_back(entry);
    InsertRedBlackNode(position, key, entry);
    return entry;
}

void CSelectionContainer::DeleteEntry(CSelectionObjectBase* entry)
{
    for (CSelectionIterator* iterator : m_iterators)
        iterator->EntryRemoved(entry);
    if (RedBlackNode* node = m_index.Find(entry->GetKey()))
        m_index.Remove(node);
    m_entries.erase(entry);
    delete entry;
}

bool CSelectionContainer::RemoveObject(CRecord* key)
{
    const int current = GetCurrentBit();
    if (key != nullptr) {
        if (CSelectionObjectBase* entry = FindEntry(key)) {
            const bool wasSet = entry->TestBit(current);
            DeleteEntry(entry);
            if (wasSet)
                OnCurrentBitChanged(-1);
        }
        return true;
    }
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        CSelectionObjectBase* entry = *it++;
        if (entry->IsAnySet() && IsObjectValid(entry->GetKey()))
            continue;
        const bool wasSet = entry->TestBit(current);
        DeleteEntry(entry);
        if (wasSet)
            OnCurrentBitChanged(-1);
    }
    return true;
}

bool CSelectionContainer::SetBit(CRecord* key, int bit)
{
    CSelectionObjectBase* entry = FindOrAddEntry(key);
    if (entry->TestBit(bit))
        return true;
    entry->SetBit(bit, true);
    if (bit == GetCurrentBit()) {
        OnCurrentBitChanged(+1);
        Synchronize(false, key);
    }
    return true;
}

void CSelectionContainer::Select(CRecord* key) { SetBit(key, GetCurrentBit()); }

bool CSelectionContainer::ClearBit(CRecord* key, int bit)
{
    CSelectionObjectBase* entry = FindEntry(key);
    if (entry == nullptr || !entry->TestBit(bit))
        return true;
    entry->SetBit(bit, false);
    if (bit == GetCurrentBit()) {
        OnCurrentBitChanged(-1);
        Synchronize(false, key);
    }
    return true;
}

void CSelectionContainer::Deselect(CRecord* key) { ClearBit(key, GetCurrentBit()); }

bool CSelectionContainer::TestBit(CRecord* key, int bit) const
{
    const CSelectionObjectBase* entry = FindEntry(key);
    return entry != nullptr && entry->TestBit(bit);
}

bool CSelectionContainer::IsSelected(CRecord* key) const { return TestBit(key, GetCurrentBit()); }

CSelectionIterator CSelectionContainer::CreateIterator(int bit, const CSelectionFilterBase* filter)
{
    return CSelectionIterator(this, bit, filter);
}

void CSelectionContainer::EndBulkWrite(int written)
{
    if (written != GetCurrentBit())
        return;
    OnCurrentBitRewritten();
    Synchronize(false, nullptr);
}

void CSelectionContainer::SelectAll(int bit, const CSelectionFilterBase* filter)
{
    std::unique_ptr<CObjectIterator> objects = CreateObjectIterator();
    if (objects == nullptr || !objects->First())
        return;
    CRecord* key = nullptr;
    while (objects->Next(key)) {
        if (filter != nullptr && !filter->Accept(key))
            continue;
        FindOrAddEntry(key)->SetBit(bit, true);
    }
    EndBulkWrite(bit);
}

void CSelectionContainer::InvertAll(int bit, const CSelectionFilterBase* filter)
{
    std::unique_ptr<CObjectIterator> objects = CreateObjectIterator();
    if (objects == nullptr || !objects->First())
        return;
    CRecord* key = nullptr;
    while (objects->Next(key)) {
        if (filter != nullptr && !filter->Accept(key))
            continue;
        CSelectionObjectBase* entry = FindOrAddEntry(key);
        entry->SetBit(bit, !entry->TestBit(bit));
    }
    EndBulkWrite(bit);
}

template <class Op>
void CSelectionContainer::ForEntries(const CSelectionFilterBase* filter, int written, Op op)
{
    for (CSelectionObjectBase* entry : m_entries)
        if (filter == nullptr || filter->Accept(entry->GetKey()))
            op(*entry);
    EndBulkWrite(written);
}

void CSelectionContainer::ClearAll(int bit, const CSelectionFilterBase* filter)
{
    ForEntries(filter, bit, [bit](CSelectionObjectBase& e) { e.SetBit(bit, false); });
}

void CSelectionContainer::CopyBit(int src, int dst, const CSelectionFilterBase* filter)
{
    ForEntries(filter, dst, [src, dst](CSelectionObjectBase& e) { e.SetBit(dst, e.TestBit(src)); });
}

void CSelectionContainer::SubtractBit(int a, int b, const CSelectionFilterBase* filter)
{
    ForEntries(filter, b, [a, b](CSelectionObjectBase& e) {
        if (e.TestBit(a))
            e.SetBit(b, false);
    });
}

void CSelectionContainer::AndBits(int a, int b, int dst, const CSelectionFilterBase* filter)
{
    ForEntries(filter, dst, [a, b, dst](CSelectionObjectBase& e) { e.SetBit(dst, e.TestBit(a) && e.TestBit(b)); });
}

void CSelectionContainer::OrBits(int a, int b, int dst, const CSelectionFilterBase* filter)
{
    ForEntries(filter, dst, [a, b, dst](CSelectionObjectBase& e) { e.SetBit(dst, e.TestBit(a) || e.TestBit(b)); });
}

void CSelectionContainer::XorBits(int a, int b, int dst, const CSelectionFilterBase* filter)
{
    ForEntries(filter, dst, [a, b, dst](CSelectionObjectBase& e) { e.SetBit(dst, e.TestBit(a) != e.TestBit(b)); });
}

int32_t CSelectionContainer::CountBit(int bit, const CSelectionFilterBase* filter) const
{
    int32_t count = 0;
    for (const CSelectionObjectBase* entry : m_entries)
        // The bit first: it is cheaper than the filter, and filters have no side effects.
        if (entry->TestBit(bit) && (filter == nullptr || filter->Accept(entry->GetKey())))
            ++count;
    return count;
}

void CSelectionContainer::RemoveAllEntries()
{
    for (CSelectionIterator* iterator : m_iterators)
        iterator->m_hasPos = false;
    DeleteAllEntries();
    m_index.Reset();
    OnCurrentBitRewritten();
}

void CSelectionContainer::RegisterIterator(CSelectionIterator* iterator) { m_iterators.push_back(iterator); }

void CSelectionContainer::UnregisterIterator(CSelectionIterator* iterator)
{
    auto it = std::find(m_iterators.begin(), m_iterators.end(), iterator);
    if (it != m_iterators.end())
        m_iterators.erase(it);
}
