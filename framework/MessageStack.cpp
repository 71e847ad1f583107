#include "framework/MessageStack.h"

#include <algorithm>

MessageStack::MessageStack(int32_t capacity) : m_slots(size_t(std::max(capacity, 1))) {}

void MessageStack::Push(const std::string& text)
{
    m_slots[size_t(m_writeIndex)] = text;
    m_writeIndex = (m_writeIndex + 1) % GetCapacity();
    m_count = std::min(m_count + 1, GetCapacity() - 1);
}

void MessageStack::Clear()
{
    std::fill(m_slots.begin(), m_slots.end(), std::string());
    m_writeIndex = 0;
    m_count = 0;
}

std::string MessageStack::GetAt(int32_t index) const
{
    if (index < 0 || index >= GetCapacity())
        return {};
    return m_slots[size_t(index)];
}
