#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

// Pointer -> small value, in one open-addressed table. The job's indexes file one entry per point
// and look entries up by the record's address; a node per entry made every add an allocation and
// every close a walk. Null keys are not filed. Values must be trivially copyable.
template <class V>
class CPointerMap
{
    static_assert(std::is_trivially_copyable_v<V>);

public:
    std::size_t Size() const { return m_count; }

    // The value filed under key, or null.
    V* Find(const void* key)
    {
        const std::size_t i = IndexOf(key);
        return i == kNone ? nullptr : &m_slots[i].value;
    }
    const V* Find(const void* key) const { return const_cast<CPointerMap*>(this)->Find(key); }

    // Asks for the line where key's entry would start, ahead of an Insert or Find: entries of
    // records made one after another lie far apart in the table.
    void Prefetch(const void* key) const
    {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[Home(key)]);
    }

    // Files value under key unless the key is there already; the filed value and whether it was
    // filed now. The pointer holds until the next Insert, Erase, Reserve or Clear.
    std::pair<V*, bool> Insert(const void* key, const V& value)
    {
        if (key == nullptr)
            return {nullptr, false};
        // Grown before the slot is taken, so a failed allocation leaves the map as it was. Growing
        // first also lets one probe both find the key and the free slot it would take.
        if (m_count + 1 > Room(m_slots.size()))
            Rehash(m_slots.empty() ? kSmallest : 2 * m_slots.size());
        std::size_t i = Home(key);
        for (; m_slots[i].key != nullptr; i = (i + 1) & Mask())
            if (m_slots[i].key == key)
                return {&m_slots[i].value, false};
        m_slots[i] = Slot{key, value};
        ++m_count;
        return {&m_slots[i].value, true};
    }

    bool Erase(const void* key)
    {
        std::size_t hole = IndexOf(key);
        if (hole == kNone)
            return false;
        // Later entries of the same run move back into the hole, so no probe ever stops short of
        // an entry it should reach.
        for (std::size_t j = (hole + 1) & Mask(); m_slots[j].key != nullptr; j = (j + 1) & Mask()) {
            const std::size_t home = Home(m_slots[j].key);
            const bool between = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
            if (!between) {
                m_slots[hole] = m_slots[j];
                hole = j;
            }
        }
        m_slots[hole].key = nullptr;
        --m_count;
        return true;
    }

    // Room for count entries in all without growing.
    void Reserve(std::size_t count)
    {
        std::size_t size = m_slots.empty() ? kSmallest : m_slots.size();
        while (Room(size) < count)
            size *= 2;
        if (size > m_slots.size())
            Rehash(size);
    }

    // Empties the map and gives its memory back.
    void Clear()
    {
        std::vector<Slot>().swap(m_slots);
        m_count = 0;
        m_shift = 64;
    }

private:
    struct Slot
    {
        const void* key;
        V value;
    };
    static constexpr std::size_t kSmallest = 16;
    static constexpr std::size_t kNone = ~std::size_t(0);

    std::size_t IndexOf(const void* key) const
    {
        if (m_count == 0 || key == nullptr)
            return kNone;
        for (std::size_t i = Home(key);; i = (i + 1) & Mask()) {
            if (m_slots[i].key == key)
                return i;
            if (m_slots[i].key == nullptr)
                return kNone;
        }
    }

    // Four fifths full at most: a run stays within a cache line or two.
    static std::size_t Room(std::size_t slots) { return slots / 5 * 4; }
    std::size_t Mask() const { return m_slots.size() - 1; }
    // Addresses share their low bits; the multiply spreads them over the top bits taken.
    std::size_t Home(const void* key) const
    {
        return std::size_t((uint64_t(reinterpret_cast<uintptr_t>(key)) * 0x9E3779B97F4A7C15ull) >> m_shift);
    }

    void Rehash(std::size_t size)
    {
        std::vector<Slot> slots(size, Slot{nullptr, V{}});
        int bits = 0;
        while ((std::size_t(1) << bits) < size)
            ++bits;
        m_slots.swap(slots);
        m_shift = 64 - bits;
        for (const Slot& slot : slots) {
            if (slot.key == nullptr)
                continue;
            std::size_t i = Home(slot.key);
            while (m_slots[i].key != nullptr)
                i = (i + 1) & Mask();
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
    int m_shift = 64;
};
