#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// File types and folders.
bool IsJobFilePath(const std::string& path); // extension Mvj, any case
bool IsRawFilePath(const std::string& path); // extension Mvr, any case
// The open job's folder, else the default job folder, else the home folder.
std::string GetActiveJobFolder();
// Whether the text can stand as a path name at all (nothing is opened).
bool IsParsablePath(const std::string& path);

// The system's text for the last failed call (errno).
std::string GetLastErrorText();

// Texts.
// After trimming blanks and removing every ',', true when a character is not a digit.
bool ContainsNonDigit(const std::string& text);
int CountFormatPlaceholders(const std::string& text); // occurrences of "%s"
void PadLeft(std::string& text, std::size_t width); // width in characters
// Character count of a UTF-8 text.
std::size_t CountCharacters(const std::string& text);
// Shortens the text from the end and appends "..." until it fits the width; measure gives a text's
// width in the units of width (pixels of the drawing surface).
void FitTextWithEllipsis(std::string& text, const std::function<int(const std::string&)>& measure, int width);
// UTC time as "month-day-yy@hour_minute_second" without leading zeros except the year's.
std::string MakeTimeStampName(std::chrono::system_clock::time_point when = std::chrono::system_clock::now());
// The window's caption for the open job: its file title or "Untitled", then " (Modified)".
std::string FormatJobCaption();

// List-sort comparisons: negative, zero or positive.
int CompareInts(int32_t a, int32_t b);
int CompareDoubles(double a, double b);
// Case-insensitive; an empty text sorts first.
int CompareTextNoCase(const std::string& a, const std::string& b);
// Leading numbers compare as numbers, texts without one sort before those with one, and a common
// leading part is skipped, so P9 comes before P10.
int CompareListText(const std::string& a, const std::string& b);

// Numbers.
int32_t RoundToNearestInt(double x); // a tie goes down
int32_t MulDivDouble(int32_t a, int32_t b, int32_t c);
// a * b / c rounded half away from zero, in 64 bits; -1 when c is 0 (progress percentages).
int32_t MulDiv(int64_t a, int64_t b, int64_t c);
int32_t PointsToPixels(int32_t points, int32_t pixelsPerInch);
// A millisecond tick that survives the 32-bit wrap of the system tick.
uint32_t GetTickCountMonotonic();
// One step of it: t is the raw tick, stored the value kept between calls.
uint32_t AdvanceMonotonicTick(uint32_t t, uint32_t& stored);

// Identifiers.
struct GUID
{
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};
};
inline constexpr int32_t S_OK = 0;
inline constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005u);
int32_t MakeTimeBasedGuid(GUID& guid);

// CRC-16 (ARC: reflected polynomial 0xA001, initial value 0, no final XOR).
uint16_t Crc16(const void* data, std::size_t length);
