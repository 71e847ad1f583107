#pragma once

#include "model/PointerMap.h"
#include "model/RecordCells.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// Record -> small value, as CPointerMap, for an index that files one entry per point of a job.
// A record in RecordCells has its entry in a table by its cell's number, a word or two and a bit
// an entry; any other address (a record made elsewhere, a pointer the caller asks about after
// freeing it) goes to a CPointerMap. Keys are never read.
template <class V>
class CRecordMap
{
    static_assert(std::is_trivially_copyable_v<V>);

public:
    std::size_t Size() const { return m_count + m_others.Size(); }
    // While nothing is filed by address, an entry stays where it is until its map is cleared.
    bool EntriesStay() const { return m_others.Size() == 0; }

    V* Find(const void* key)
    {
        const uint32_t number = NumberOf(key);
        if (number == RecordCells::kNoNumber)
            return m_others.Find(key);
        Page* page = PageOf(number);
        const uint32_t at = number % kPageEntries;
        return page != nullptr && page->Has(at) ? &page->values[at] : nullptr;
    }
    const V* Find(const void* key) const { return const_cast<CRecordMap*>(this)->Find(key); }

    // As CPointerMap::Insert; a failure to make room leaves the map as it was.
    std::pair<V*, bool> Insert(const void* key, const V& value)
    {
        const uint32_t number = NumberOf(key);
        if (number == RecordCells::kNoNumber)
            return m_others.Insert(key, value);
        Page& page = MakePage(number);
        const uint32_t at = number % kPageEntries;
        if (page.Has(at))
            return {&page.values[at], false};
        page.values[at] = value;
        page.bits[at / 64] |= uint64_t(1) << (at % 64);
        ++m_count;
        return {&page.values[at], true};
    }

    bool Erase(const void* key)
    {
        const uint32_t number = NumberOf(key);
        if (number == RecordCells::kNoNumber)
            return m_others.Erase(key);
        Page* page = PageOf(number);
        const uint32_t at = number % kPageEntries;
        if (page == nullptr || !page->Has(at))
            return false;
        page->bits[at / 64] &= ~(uint64_t(1) << (at % 64));
        --m_count;
        return true;
    }

    // Makes sure filing key cannot fail for want of room.
    void ReserveFor(const void* key)
    {
        const uint32_t number = NumberOf(key);
        if (number == RecordCells::kNoNumber)
            m_others.Reserve(m_others.Size() + 1);
        else
            MakePage(number);
    }

    void Prefetch(const void* key) const
    {
        const uint32_t number = NumberOf(key);
        if (number == RecordCells::kNoNumber) {
            m_others.Prefetch(key);
        } else if (const Page* page = PageOf(number)) {
            __builtin_prefetch(&page->values[number % kPageEntries]);
        }
    }

    // Empties the map and gives its memory back.
    void Clear()
    {
        std::vector<std::unique_ptr<Page>>().swap(m_pages);
        m_others.Clear();
        m_count = 0;
    }

private:
    static constexpr uint32_t kPageEntries = 4096;
    struct Page
    {
        uint64_t bits[kPageEntries / 64] = {};
        V values[kPageEntries];
        bool Has(uint32_t at) const { return (bits[at / 64] >> (at % 64)) & 1; }
    };

    static uint32_t NumberOf(const void* key)
    {
        return key == nullptr ? RecordCells::kNoNumber : RecordCells::NumberOf(key);
    }
    Page* PageOf(uint32_t number) const
    {
        const std::size_t index = number / kPageEntries;
        return index < m_pages.size() ? m_pages[index].get() : nullptr;
    }
    Page& MakePage(uint32_t number)
    {
        const std::size_t index = number / kPageEntries;
        if (index >= m_pages.size())
            m_pages.resize(index + 1);
        // Default-made: the bits start clear, and a value is never read before its bit is set.
        if (m_pages[index] == nullptr)
            m_pages[index] = std::make_unique_for_overwrite<Page>();
        return *m_pages[index];
    }

    std::vector<std::unique_ptr<Page>> m_pages;
    std::size_t m_count = 0;
    CPointerMap<V> m_others;
};
