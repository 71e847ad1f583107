#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>

class CRecord;
class CSelectionEntryList;

// One object's membership of a container's selections: a bit per selection.
class CSelectionObjectBase
{
public:
    explicit CSelectionObjectBase(CRecord* key) : m_key(key) {}
    CSelectionObjectBase(const CSelectionObjectBase&) = delete;
    CSelectionObjectBase& operator=(const CSelectionObjectBase&) = delete;
    virtual ~CSelectionObjectBase() = default;

    virtual bool TestBit(int bit) const = 0;
    virtual void SetBit(int bit, bool on) = 0;
    virtual bool IsAnySet() const = 0;

    CRecord* GetKey() const { return m_key; }

private:
    friend class CSelectionEntryList;

    CRecord* m_key;
    // The container's list runs through the entries themselves: no node to allocate per entry,
    // and an entry is unlinked without a search.
    CSelectionObjectBase* m_prev = nullptr;
    CSelectionObjectBase* m_next = nullptr;
};

// Entries in order of creation, linked through the entries. It does not own them.
class CSelectionEntryList
{
public:
    class iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = CSelectionObjectBase*;
        using difference_type = std::ptrdiff_t;
        using pointer = CSelectionObjectBase**;
        using reference = CSelectionObjectBase*;

        iterator() = default;
        explicit iterator(CSelectionObjectBase* node) : m_node(node) {}
        CSelectionObjectBase* operator*() const { return m_node; }
        iterator& operator++()
        {
            m_node = m_node->m_next;
            return *this;
        }
        iterator operator++(int)
        {
            iterator was = *this;
            ++*this;
            return was;
        }
        bool operator==(const iterator& other) const = default;

    private:
        CSelectionObjectBase* m_node = nullptr;
    };
    using const_iterator = iterator;

    iterator begin() const { return iterator(m_head); }
    iterator end() const { return iterator(); }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void push_back(CSelectionObjectBase* entry)
    {
        entry->m_prev = m_tail;
        entry->m_next = nullptr;
        (m_tail != nullptr ? m_tail->m_next : m_head) = entry;
        m_tail = entry;
        ++m_size;
    }
    void erase(CSelectionObjectBase* entry)
    {
        (entry->m_prev != nullptr ? entry->m_prev->m_next : m_head) = entry->m_next;
        (entry->m_next != nullptr ? entry->m_next->m_prev : m_tail) = entry->m_prev;
        entry->m_prev = entry->m_next = nullptr;
        --m_size;
    }
    // Forgets the entries; whoever owns them deletes them.
    void clear()
    {
        m_head = m_tail = nullptr;
        m_size = 0;
    }

private:
    CSelectionObjectBase* m_head = nullptr;
    CSelectionObjectBase* m_tail = nullptr;
    size_t m_size = 0;
};

using SelectionEntryList = CSelectionEntryList;

// The usual entry: 32 bits inline, further bits in words allocated when first set.
class CMaskBitsSelectionObject : public CSelectionObjectBase
{
public:
    explicit CMaskBitsSelectionObject(CRecord* key) : CSelectionObjectBase(key) {}

    bool TestBit(int bit) const override;
    void SetBit(int bit, bool on) override;
    bool IsAnySet() const override;

    // Bits the extra words hold, a multiple of 32.
    int32_t GetExtraCapacity() const { return m_extraCapacity; }
    uint32_t GetLowBits() const { return m_lowBits; }

private:
    uint32_t m_lowBits = 0;
    std::unique_ptr<uint32_t[]> m_extra;
    int32_t m_extraCapacity = 0;
};
