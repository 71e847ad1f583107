#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class CStatusProgress;

// The output of one coder call: a byte array that grows geometrically, so a large file costs
// a few copies instead of one per fixed step.
class CodeBuffer
{
public:
    static constexpr size_t FirstStep = 0x20000;

    // False when memory ran out; the bytes held stay as they were.
    bool Append(uint8_t byte)
    {
        if (m_length == m_capacity && !Grow())
            return false;
        m_data[m_length++] = byte;
        return true;
    }
    void Clear();
    const uint8_t* GetData() const { return m_data.get(); }
    size_t GetLength() const { return m_length; }

    // Room for `more` bytes past the length, for loops that write through a pointer and then
    // set the length once; null when memory ran out (the bytes held stay as they were).
    uint8_t* Reserve(size_t more);
    uint8_t* GetData() { return m_data.get(); }
    size_t GetCapacity() const { return m_capacity; }
    void SetLength(size_t length) { m_length = length; }

    // An empty buffer's room set to `capacity` at once, for an output whose size is known ahead;
    // false when memory ran out (the buffer stays empty).
    bool Allocate(size_t capacity);
    // The new[] array of GetCapacity() bytes itself, handed over; the buffer is left empty.
    uint8_t* Release();

private:
    bool Grow();

    std::unique_ptr<uint8_t[]> m_data;
    size_t m_length = 0;
    size_t m_capacity = 0;
};

// Adaptive order-0 arithmetic coder over byte values with 16-bit code values. A stream is the
// u32 little-endian length of the original followed by the code bits, least significant bit
// first. The backup archive stores every file in this form.
//
// All four calls return false, doing nothing, for a null input, a length of 0 or an output
// pointer that already holds a buffer. On success *output is a new[] array the caller frees
// with delete[]. On any failure *output stays null and *outputLength 0.
class ArithmeticCoder
{
public:
    bool Compress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength);
    bool Decompress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength);

    // The same, raising the caller's counter by one per byte coded and showing
    // counter * 100 / total on the progress bar, so one bar can run over several calls.
    bool CompressWithProgress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength,
                              CStatusProgress& progress, uint64_t total, uint64_t& counter);
    bool DecompressWithProgress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength,
                                CStatusProgress& progress, uint64_t total, uint64_t& counter);

    // Length field, highest model total and the code-value constants of the stream format.
    static constexpr size_t LengthFieldSize = 4;
    static constexpr int32_t Top = 65535;
    static constexpr int32_t FirstQuarter = 0x4000;
    static constexpr int32_t Half = 0x8000;
    static constexpr int32_t ThirdQuarter = 0xC000;
    static constexpr int32_t MaxTotal = 0x3FFF;
    // The decoder reads zeros past the end of the input for at most this many bytes.
    static constexpr int MaxGarbageBytes = 14;

private:
    struct Progress;
    bool DoCompress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength, Progress* progress);
    bool DoDecompress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength, Progress* progress);
    bool HandOut(uint8_t** output, size_t* outputLength);

    CodeBuffer m_buffer;
};
