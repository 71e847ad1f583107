#pragma once

#include <bit>
#include <cstdint>

// Field-by-field little-endian access to byte images of binary files.

inline uint16_t GetU16LE(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t GetU32LE(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline uint64_t GetU64LE(const uint8_t* p)
{
    return uint64_t(GetU32LE(p)) | (uint64_t(GetU32LE(p + 4)) << 32);
}

inline double GetF64LE(const uint8_t* p)
{
    return std::bit_cast<double>(GetU64LE(p));
}

inline void PutU16LE(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutU32LE(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void PutU64LE(uint8_t* p, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void PutF64LE(uint8_t* p, double v)
{
    PutU64LE(p, std::bit_cast<uint64_t>(v));
}
