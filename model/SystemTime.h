#pragma once

#include <cstdint>

// A calendar time as job files store it: eight u16 words, little-endian.
struct SystemTime
{
    uint16_t year = 0;
    uint16_t month = 0;     // 1-12
    uint16_t dayOfWeek = 0; // 0 = Sunday
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;

    static constexpr int Size = 16;

    void Load(const uint8_t* p);
    void Store(uint8_t* p) const;
};

// The current local time, milliseconds 0.
SystemTime CurrentLocalSystemTime();
// Whether the time names a real instant from 1601 on (the day of week is not checked).
bool IsValidSystemTime(const SystemTime& t);
