#include "model/SelectionIterator.h"

#include "model/SelectionContainer.h"
#include "model/SelectionFilter.h"

CSelectionIterator::CSelectionIterator(CSelectionContainer* container, int bit, const CSelectionFilterBase* filter)
    : m_bit(bit), m_container(container), m_filter(filter != nullptr ? filter->Clone() : nullptr)
{
    if (m_container != nullptr)
        m_container->RegisterIterator(this);
}

CSelectionIterator::CSelectionIterator(const CSelectionIterator& other)
    : CSelectionIterator(other.m_container, other.m_bit, other.m_filter.get())
{
}

CSelectionIterator::~CSelectionIterator()
{
    if (m_container != nullptr)
        m_container->UnregisterIterator(this);
}

int CSelectionIterator::ResolveBit() const { return m_bit == -1 ? m_container->GetCurrentBit() : m_bit; }

bool CSelectionIterator::Seek(SelectionEntryList::iterator pos)
{
    const int bit = ResolveBit();
    SelectionEntryList& entries = m_container->m_entries;
    for (; pos != entries.end(); ++pos) {
        CSelectionObjectBase* entry = *pos;
        if (m_filter != nullptr && !m_filter->Accept(entry->GetKey()))
            continue;
        if (entry->TestBit(bit)) {
            m_pos = pos;
            m_hasPos = true;
            return true;
        }
    }
    m_hasPos = false;
    return false;
}

bool CSelectionIterator::First()
{
    m_hasPos = false;
    if (m_container == nullptr)
        return false;
    return Seek(m_container->m_entries.begin());
}

bool CSelectionIterator::Next(CRecord*& key)
{
    key = nullptr;
    if (m_container == nullptr || !m_hasPos)
        return false;
    key = (*m_pos)->GetKey();
    Seek(std::next(m_pos));
    return key != nullptr;
}

void CSelectionIterator::ContainerGone()
{
    m_container = nullptr;
    m_hasPos = false;
}

void CSelectionIterator::EntryRemoved(CSelectionObjectBase* entry)
{
    if (m_hasPos && *m_pos == entry)
        Seek(std::next(m_pos));
}
