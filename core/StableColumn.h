#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// Objects held in place in fixed chunks that never move: appending leaves every object where it
// was (so pointers to them stay good), and an object is found by its index with a shift and a mask
// (a deque's lookup costs several times that, and the raw data reduction asks for a line's setup
// many times a line). Each object is made when it is appended, in room not written before.
// Inserting or removing moves the objects after it up or down by assignment, as a vector would.
template <class T> class CStableColumn
{
public:
    CStableColumn() = default;
    ~CStableColumn() { clear(); }
    CStableColumn(const CStableColumn&) = delete;
    CStableColumn& operator=(const CStableColumn&) = delete;

    std::size_t size() const { return m_size; }
    T& operator[](std::size_t i) { return *Slot(i); }
    const T& operator[](std::size_t i) const { return *Slot(i); }
    T& back() { return *Slot(m_size - 1); }

    // The arguments may name an object of the column: no object moves while the new one is made.
    template <class... Args> T& emplace_back(Args&&... args)
    {
        if (m_size == m_chunks.size() * ChunkSize)
            m_chunks.push_back(std::make_unique_for_overwrite<Storage[]>(ChunkSize));
        T* at = ::new (static_cast<void*>(Slot(m_size))) T(std::forward<Args>(args)...);
        ++m_size;
        return *at;
    }
    template <class... Args> void InsertAt(std::size_t i, Args&&... args)
    {
        T made(std::forward<Args>(args)...);
        if (i == m_size) {
            emplace_back(std::move(made));
            return;
        }
        emplace_back(std::move(back()));
        for (std::size_t k = m_size - 2; k > i; --k)
            (*this)[k] = std::move((*this)[k - 1]);
        (*this)[i] = std::move(made);
    }
    void EraseAt(std::size_t i)
    {
        for (std::size_t k = i; k + 1 < m_size; ++k)
            (*this)[k] = std::move((*this)[k + 1]);
        back().~T();
        --m_size;
    }
    void clear()
    {
        while (m_size > 0) {
            back().~T();
            --m_size;
        }
        m_chunks.clear();
    }

private:
    static constexpr std::size_t ChunkBits = 8;
    static constexpr std::size_t ChunkSize = std::size_t(1) << ChunkBits;
    struct Storage
    {
        alignas(T) std::byte bytes[sizeof(T)];
    };
    T* Slot(std::size_t i) const
    {
        return std::launder(reinterpret_cast<T*>(m_chunks[i >> ChunkBits][i & (ChunkSize - 1)].bytes));
    }

    std::vector<std::unique_ptr<Storage[]>> m_chunks;
    std::size_t m_size = 0;
};
