#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// One object a line, held in place in fixed chunks that never move: appending leaves every object
// where it was, and a line's object is found with a shift and a mask (a deque's lookup costs
// several times that, and the reduction asks for setups many times a line). Inserting or removing
// a line moves the objects after it up or down by assignment, as a vector would.
template <class T> class CLineColumn
{
public:
    CLineColumn() = default;
    ~CLineColumn() { clear(); }
    CLineColumn(const CLineColumn&) = delete;
    CLineColumn& operator=(const CLineColumn&) = delete;

    std::size_t size() const { return m_size; }
    T& operator[](std::size_t i) { return *Slot(i); }
    const T& operator[](std::size_t i) const { return *Slot(i); }
    T& back() { return *Slot(m_size - 1); }

    // The arguments may name an object of the column: no object moves while the new one is made.
    template <class... Args> T& emplace_back(Args&&... args)
    {
        if (m_size == m_chunks.size() * ChunkSize)
            m_chunks.push_back(std::make_unique<Storage[]>(ChunkSize));
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
