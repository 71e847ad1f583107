#pragma once

#include <cstdint>

// A growable heap array of bytes.
class ByteBuffer
{
public:
    // `ok`, when given, tells whether the buffer holds memory afterwards (a size of 0 holds none).
    explicit ByteBuffer(uint32_t initialSize, bool zeroFill = false, bool* ok = nullptr);
    ~ByteBuffer();
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    // Keeps the first min(old, new) bytes; new bytes are zero when the buffer zero-fills. A size
    // of 0 frees the memory and returns null (the recorded size is then left as it was).
    uint8_t* Resize(uint32_t newSize);
    uint8_t* GetData() const { return m_data; }
    uint32_t GetSize() const { return m_size; }

private:
    uint8_t* m_data = nullptr;
    uint32_t m_size = 0;
    bool m_zeroFill;
};
