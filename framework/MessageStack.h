#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A ring of N message texts: each push overwrites the oldest slot.
class MessageStack
{
public:
    explicit MessageStack(int32_t capacity);

    void Push(const std::string& text);
    void Clear();
    // A copy of the slot at that array index; empty outside the ring.
    std::string GetAt(int32_t index) const;

    // Counts up to capacity - 1, never to the capacity itself, as callers have always read it.
    int32_t GetCount() const { return m_count; }
    int32_t GetWriteIndex() const { return m_writeIndex; }
    int32_t GetCapacity() const { return int32_t(m_slots.size()); }

private:
    std::vector<std::string> m_slots;
    int32_t m_writeIndex = 0;
    int32_t m_count = 0;
};
