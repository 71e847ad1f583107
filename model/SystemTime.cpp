#include "model/SystemTime.h"

#include "core/LittleEndian.h"

#include <ctime>

void SystemTime::Load(const uint8_t* p)
{
    uint16_t* fields[] = {&year, &month, &dayOfWeek, &day, &hour, &minute, &second, &milliseconds};
    for (int i = 0; i < 8; ++i)
        *fields[i] = GetU16LE(p + 2 * i);
}

void SystemTime::Store(uint8_t* p) const
{
    const uint16_t fields[] = {year, month, dayOfWeek, day, hour, minute, second, milliseconds};
    for (int i = 0; i < 8; ++i)
        PutU16LE(p + 2 * i, fields[i]);
}

SystemTime CurrentLocalSystemTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm {};
    localtime_r(&now, &tm);
    SystemTime t;
    t.year = static_cast<uint16_t>(tm.tm_year + 1900);
    t.month = static_cast<uint16_t>(tm.tm_mon + 1);
    t.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    t.day = static_cast<uint16_t>(tm.tm_mday);
    t.hour = static_cast<uint16_t>(tm.tm_hour);
    t.minute = static_cast<uint16_t>(tm.tm_min);
    t.second = static_cast<uint16_t>(tm.tm_sec);
    t.milliseconds = 0;
    return t;
}

bool IsValidSystemTime(const SystemTime& t)
{
    if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1)
        return false;
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    const int inMonth = days[t.month - 1] + (t.month == 2 && leap ? 1 : 0);
    return t.day <= inMonth && t.hour < 24 && t.minute < 60 && t.second < 60 && t.milliseconds < 1000;
}
