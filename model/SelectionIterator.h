#pragma once

#include "model/SelectionObject.h"

#include <memory>

class CRecord;
class CSelectionContainer;
class CSelectionFilterBase;

// Walks the objects of a container that carry a bit, in the order their entries were made.
// The iterator registers with its container: when the container goes, the iterator is left
// empty, and when the entry it rests on is removed, it moves on to the next match.
class CSelectionIterator
{
public:
    // bit -1 follows the container's current bit. The filter is copied; null passes everything.
    CSelectionIterator(CSelectionContainer* container, int bit, const CSelectionFilterBase* filter);
    // A copy has the same bit, container and filter, and starts without a position.
    CSelectionIterator(const CSelectionIterator& other);
    CSelectionIterator& operator=(const CSelectionIterator&) = delete;
    ~CSelectionIterator();

    // Rests on the first match; false when there is none.
    bool First();
    // The match at the position (null and false when none), and on to the next match.
    bool Next(CRecord*& key);

    CSelectionContainer* GetContainer() const { return m_container; }

private:
    friend class CSelectionContainer;

    int ResolveBit() const;
    // The first match from pos on; false when there is none.
    bool Seek(SelectionEntryList::iterator pos);
    void ContainerGone();
    void EntryRemoved(CSelectionObjectBase* entry);

    int m_bit;
    CSelectionContainer* m_container;
    std::unique_ptr<CSelectionFilterBase> m_filter;
    SelectionEntryList::iterator m_pos{};
    bool m_hasPos = false;
};
