#pragma once

#include <cstdint>

// Stored record types. Four kinds have an older number with a shorter payload; readers see them
// under the newer number. The others keep the number they are read and written by.
inline constexpr uint32_t RecordTypeFree = 0; // a deleted record whose space may be reused
inline constexpr uint32_t RecordTypePointOld = 1;
inline constexpr uint32_t RecordType14Old = 2;
inline constexpr uint32_t RecordType15Old = 3;
inline constexpr uint32_t RecordType16Old = 8;
inline constexpr uint32_t RecordTypePoint = 13;
inline constexpr uint32_t RecordType14 = 14;
inline constexpr uint32_t RecordType15 = 15;
inline constexpr uint32_t RecordType16 = 16;
inline constexpr uint32_t RecordType4 = 4;
inline constexpr uint32_t RecordType7 = 7;
inline constexpr uint32_t RecordType9 = 9;
inline constexpr uint32_t RecordType10 = 10;
inline constexpr uint32_t RecordType11 = 11;
inline constexpr uint32_t RecordType12 = 12;
inline constexpr uint32_t RecordType17 = 17;
inline constexpr uint32_t RecordType18 = 18;
