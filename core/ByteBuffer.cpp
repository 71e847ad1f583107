#include "core/ByteBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

ByteBuffer::ByteBuffer(uint32_t initialSize, bool zeroFill, bool* ok) : m_zeroFill(zeroFill)
{
    Resize(initialSize);
    if (ok)
        *ok = m_data != nullptr;
}

ByteBuffer::~ByteBuffer() { delete[] m_data; }

uint8_t* ByteBuffer::Resize(uint32_t newSize)
{
    if (newSize == 0) {
        delete[] m_data;
        m_data = nullptr;
        return nullptr;
    }
    uint8_t* fresh = new (std::nothrow) uint8_t[newSize];
    if (!fresh)
        return nullptr; // the old contents stay usable
    if (m_data) {
        std::memcpy(fresh, m_data, std::min(m_size, newSize));
        if (m_zeroFill && newSize > m_size)
            std::memset(fresh + m_size, 0, newSize - m_size);
        delete[] m_data;
    } else if (m_zeroFill) {
        std::memset(fresh, 0, newSize);
    }
    m_data = fresh;
    m_size = newSize;
    return m_data;
}
