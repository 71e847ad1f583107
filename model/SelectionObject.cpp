#include "model/SelectionObject.h"

#include <algorithm>

bool CMaskBitsSelectionObject::TestBit(int bit) const
{
    if (bit < 0)
        return false;
    if (bit < 32)
        return (m_lowBits & (1u << bit)) != 0;
    const int e = bit - 32;
    if (m_extra == nullptr || e >= m_extraCapacity)
        return false;
    return (m_extra[size_t(e / 32)] & (1u << (e % 32))) != 0;
}

void CMaskBitsSelectionObject::SetBit(int bit, bool on)
{
    if (bit < 0)
        return;
    if (bit < 32) {
        if (on)
            m_lowBits |= 1u << bit;
        else
            m_lowBits &= ~(1u << bit);
        return;
    }
    const int e = bit - 32;
    if (e >= m_extraCapacity) {
        // Clearing a bit beyond the words changes nothing and needs no room.
        if (!on)
            return;
        const int words = e / 32 + 1;
        auto grown = std::make_unique<uint32_t[]>(size_t(words));
        if (m_extra != nullptr)
            std::copy_n(m_extra.get(), size_t(m_extraCapacity / 32), grown.get());
        m_extra = std::move(grown);
        m_extraCapacity = words * 32;
    }
    uint32_t& word = m_extra[size_t(e / 32)];
    if (on)
        word |= 1u << (e % 32);
    else
        word &= ~(1u << (e % 32));
}

bool CMaskBitsSelectionObject::IsAnySet() const
{
    if (m_lowBits != 0)
        return true;
    for (int i = 0; i < m_extraCapacity / 32; ++i)
        if (m_extra[size_t(i)] != 0)
            return true;
    return false;
}
