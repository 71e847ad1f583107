#pragma once

#include <cstdint>

// A colour as 0x00BBGGRR, the form the tables, the profile and the job files keep colours in.
using COLORREF = uint32_t;

inline constexpr COLORREF MakeRgb(uint8_t r, uint8_t g, uint8_t b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
inline constexpr uint8_t GetRValue(COLORREF c) { return uint8_t(c & 0xFF); }
inline constexpr uint8_t GetGValue(COLORREF c) { return uint8_t((c >> 8) & 0xFF); }
inline constexpr uint8_t GetBValue(COLORREF c) { return uint8_t((c >> 16) & 0xFF); }
