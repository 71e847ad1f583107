#pragma once

#include "model/RedBlackTree.h"
#include "model/SelectionIterator.h"
#include "model/SelectionObject.h"

#include <cstdint>
#include <list>
#include <memory>

class CObjectIterator;
class CRecord;
class CSelectionFilterBase;

// A set of selections over objects, held as a bit set per object. Every object ever touched has
// an entry; entries are kept in order of creation, which is the order of every walk, and found by
// object through an index. The container owns its entries.
class CSelectionContainer
{
public:
    CSelectionContainer();
    CSelectionContainer(const CSelectionContainer&) = delete;
    CSelectionContainer& operator=(const CSelectionContainer&) = delete;
    virtual ~CSelectionContainer();

    // Removes the object's entry; with null, purges every entry that has no bit set or whose
    // object is gone.
    virtual bool RemoveObject(CRecord* key);
    virtual bool SetBit(CRecord* key, int bit);
    virtual void Select(CRecord* key);
    virtual bool ClearBit(CRecord* key, int bit);
    virtual void Deselect(CRecord* key);
    virtual bool TestBit(CRecord* key, int bit) const;
    virtual bool IsSelected(CRecord* key) const;
    // Mirrors the current bit between the entries and the objects, for one object or all (null).
    virtual void Synchronize(bool fromObjects, CRecord* key) = 0;
    virtual int GetCurrentBit() const = 0;
    // bit -1 is the current bit; the filter is copied.
    virtual CSelectionIterator CreateIterator(int bit, const CSelectionFilterBase* filter);
    // Walks every object of the owner.
    virtual std::unique_ptr<CObjectIterator> CreateObjectIterator() = 0;
    virtual bool IsObjectValid(CRecord* key) = 0;
    virtual CSelectionObjectBase* CreateSelectionObject(CRecord* key) = 0;

    // Bulk operations. The filter (null passes everything) picks the objects, or the entries, to
    // touch. A write of the current bit ends with one Synchronize of every object.
    void SelectAll(int bit, const CSelectionFilterBase* filter);
    void InvertAll(int bit, const CSelectionFilterBase* filter);
    void ClearAll(int bit, const CSelectionFilterBase* filter);
    void CopyBit(int src, int dst, const CSelectionFilterBase* filter);
    // Where a is set, b is cleared.
    void SubtractBit(int a, int b, const CSelectionFilterBase* filter);
    void AndBits(int a, int b, int dst, const CSelectionFilterBase* filter);
    void OrBits(int a, int b, int dst, const CSelectionFilterBase* filter);
    void XorBits(int a, int b, int dst, const CSelectionFilterBase* filter);
    int32_t CountBit(int bit, const CSelectionFilterBase* filter) const;
    // Deletes every entry without touching the objects.
    void RemoveAllEntries();

    int32_t GetEntryCount() const { return int32_t(m_entries.size()); }
    const SelectionEntryList& GetEntries() const { return m_entries; }
    CSelectionObjectBase* FindEntry(CRecord* key) const;

    void RegisterIterator(CSelectionIterator* iterator);
    void UnregisterIterator(CSelectionIterator* iterator);

protected:
    // The current bit of one object changed (+1 set, -1 cleared).
    virtual void OnCurrentBitChanged(int delta) {}
    // The current bit was written in bulk.
    virtual void OnCurrentBitRewritten() {}

private:
    friend class CSelectionIterator;

    static int CompareKeys(CRecord* a, CRecord* b);
    CSelectionObjectBase* FindOrAddEntry(CRecord* key);
    void DeleteAllEntries();
    // Unlinks and deletes the entry; registered iterators resting on it move on first.
    void DeleteEntry(CSelectionObjectBase* entry);
    // Applies op to the entries the filter accepts, then mirrors when written is the current bit.
    template <class Op>
    void ForEntries(const CSelectionFilterBase* filter, int written, Op op);
    void EndBulkWrite(int written);

    SelectionEntryList m_entries;
    std::list<CSelectionIterator*> m_iterators;
    CRedBlackTree<CRecord*, CSelectionObjectBase*> m_index;
};
