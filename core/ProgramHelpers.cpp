#include "core/ProgramHelpers.h"

#include "core/PathHelpers.h"
#include "core/ResourceStrings.h"
#include "core/Utf8.h"
#include "platform/ActiveJobHooks.h"
#include "platform/AppFolders.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <time.h>

namespace {

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// atol over a 32-bit long: leading blanks, a sign, digits; out-of-range values clamp.
int32_t LeadingNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1)
            value = int64_t(INT32_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    return static_cast<int32_t>(value);
}

int32_t ClampToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    if (v <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

uint32_t SystemTick()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

const std::array<uint16_t, 256>& CrcTable()
{
    static const std::array<uint16_t, 256> table = [] {
        std::array<uint16_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            uint16_t c = static_cast<uint16_t>(i);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? static_cast<uint16_t>((c >> 1) ^ 0xA001) : static_cast<uint16_t>(c >> 1);
            t[i] = c;
        }
        return t;
    }();
    return table;
}

} // namespace

bool IsJobFilePath(const std::string& path)
{
    return CompareTextNoCase(GetPathExtension(path), "Mvj") == 0;
}

bool IsRawFilePath(const std::string& path)
{
    return CompareTextNoCase(GetPathExtension(path), "Mvr") == 0;
}

std::string GetActiveJobFolder()
{
    const ActiveJobHooks& hooks = GetActiveJobHooks();
    if (hooks.isJobOpen && hooks.isJobOpen() && hooks.activeJobPath) {
        std::string folder = GetPathFolder(hooks.activeJobPath());
        if (FolderExists(folder))
            return folder;
    }
    if (hooks.defaultJobFolder) {
        std::string folder = hooks.defaultJobFolder();
        if (FolderExists(folder))
            return folder;
    }
    return GetHomeFolder();
}

bool IsParsablePath(const std::string& path)
{
    if (path.empty() || path.size() >= PATH_MAX || path.find('\0') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end - start > NAME_MAX)
            return false;
        start = end + 1;
    }
    return true;
}

std::string GetLastErrorText()
{
    int error = errno;
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);
}

bool ContainsNonDigit(const std::string& text)
{
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    for (std::size_t i = first; i < last; ++i) {
        char c = text[i];
        if (c != ',' && (c < '0' || c > '9'))
            return true;
    }
    return false;
}

int CountFormatPlaceholders(const std::string& text)
{
    int count = 0;
    for (auto at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 1))
        ++count;
    return count;
}

void PadLeft(std::string& text, std::size_t width)
{
    // Width is in characters, so a degree sign takes one place, not two.
    std::size_t length = CountCharacters(text);
    if (length < width)
        text.insert(0, width - length, ' ');
}

std::size_t CountCharacters(const std::string& text)
{
    return Utf8CharCount(text);
}

void FitTextWithEllipsis(std::string& text, const std::function<int(const std::string&)>& measure, int width)
{
    if (measure(text) <= width)
        return;
    int budget = width - measure("...") - 2;
    while (!text.empty() && measure(text) > budget) {
        // Drop one whole character, not a byte of it.
        text.erase(Utf8LastCharStart(text));
    }
    text += "...";
}

std::string MakeTimeStampName(std::chrono::system_clock::time_point when)
{
    std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d-%d-%02d@%d_%d_%d", utc.tm_mon + 1, utc.tm_mday, utc.tm_year + 1900 - 2000,
                  utc.tm_hour, utc.tm_min, utc.tm_sec);
    return buffer;
}

std::string FormatJobCaption()
{
    const ActiveJobHooks& hooks = GetActiveJobHooks();
    bool open = hooks.isJobOpen && hooks.isJobOpen();
    bool temporary = hooks.hasTemporaryJob && hooks.hasTemporaryJob();
    std::string caption;
    if (open && !temporary && hooks.activeJobPath)
        caption = RemovePathExtension(GetPathFileName(hooks.activeJobPath()));
    else
        caption = LoadResourceString(455);
    if (open && hooks.isActiveJobModified && hooks.isActiveJobModified())
        caption += " (Modified)";
    return caption;
}

int CompareInts(int32_t a, int32_t b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareDoubles(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareTextNoCase(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return a.empty() ? (b.empty() ? 0 : -1) : 1;
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(FoldCase(a[i]));
        auto y = static_cast<unsigned char>(FoldCase(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int CompareListText(const std::string& a, const std::string& b)
{
    std::size_t skip = 0;
    // Each round drops a common leading part, so the loop ends.
    for (;;) {
        std::string restA = a.substr(skip);
        std::string restB = b.substr(skip);
        int32_t na = LeadingNumber(restA);
        int32_t nb = LeadingNumber(restB);
        if (na != 0 && nb != 0)
            return CompareInts(na, nb);
        if (na != 0)
            return 1;
        if (nb != 0)
            return -1;
        if (restA.empty() || restB.empty() || FoldCase(restA[0]) != FoldCase(restB[0]))
            return CompareTextNoCase(restA, restB);
        std::size_t common = 0;
        while (common < restA.size() && common < restB.size() && FoldCase(restA[common]) == FoldCase(restB[common]))
            ++common;
        skip += common;
    }
}

int32_t RoundToNearestInt(double x)
{
    double down = std::floor(x);
    double up = std::ceil(x);
    return ClampToInt(up - x < x - down ? up : down);
}

int32_t MulDivDouble(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return a != 0 ? b : 0;
    return ClampToInt(static_cast<double>(a) * static_cast<double>(b) / static_cast<double>(c));
}

int32_t PointsToPixels(int32_t points, int32_t pixelsPerInch)
{
    // Rounded half away from zero, as the platform's MulDiv does.
    int64_t product = static_cast<int64_t>(points) * pixelsPerInch;
    int64_t half = 36;
    int64_t value = product >= 0 ? (product + half) / 72 : (product - half) / 72;
    return ClampToInt(static_cast<double>(value));
}

uint32_t AdvanceMonotonicTick(uint32_t t, uint32_t& stored)
{
    constexpr uint32_t Hour = 3600000u;
    uint32_t prev = stored;
    uint32_t v = t;
    if (!(prev < 0x80000000u && t < 0x80000000u) && t - prev >= Hour + 1)
        v = t + 0x80000001u;
    uint32_t add = 0;
    if (v < prev && v + 0x7FFFFFFFu - prev < Hour)
        add = 0x7FFFFFFFu;
    stored = v;
    return v + add;
}

uint32_t GetTickCountMonotonic()
{
    static uint32_t stored = 0;
    return AdvanceMonotonicTick(SystemTick(), stored);
}

int32_t MakeTimeBasedGuid(GUID& guid)
{
    static uint32_t counter = static_cast<uint32_t>(std::rand());
    static uint16_t words[3] = {};
    static bool wordsMade = false;

    timespec ts{};
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || ts.tv_sec < 0)
        return E_FAIL;
    // 100-nanosecond intervals since 1 January 1601.
    uint64_t fileTime = static_cast<uint64_t>(ts.tv_sec) * 10000000u + static_cast<uint64_t>(ts.tv_nsec) / 100u +
                        116444736000000000ull;
    uint32_t high = static_cast<uint32_t>(fileTime >> 32);

    if (!wordsMade) {
        do {
            words[0] = static_cast<uint16_t>(SystemTick() * static_cast<uint32_t>(std::rand()));
        } while (words[0] == 0);
        words[1] = static_cast<uint16_t>(std::rand());
        words[2] = static_cast<uint16_t>(std::rand());
        wordsMade = true;
    }

    guid.Data1 = static_cast<uint32_t>(fileTime);
    guid.Data2 = static_cast<uint16_t>(high);
    guid.Data3 = static_cast<uint16_t>(((high >> 16) & 0xFFF0u) | 2u);
    uint16_t count = static_cast<uint16_t>(counter++);
    guid.Data4[0] = static_cast<uint8_t>(count);
    guid.Data4[1] = static_cast<uint8_t>(count >> 8);
    for (int i = 0; i < 3; ++i) {
        guid.Data4[2 + 2 * i] = static_cast<uint8_t>(words[i]);
        guid.Data4[3 + 2 * i] = static_cast<uint8_t>(words[i] >> 8);
    }
    return S_OK;
}

uint16_t Crc16(const void* data, std::size_t length)
{
    const auto& table = CrcTable();
    auto bytes = static_cast<const unsigned char*>(data);
    uint16_t crc = 0;
    for (std::size_t i = 0; i < length; ++i)
        crc = static_cast<uint16_t>((crc >> 8) ^ table[(crc ^ bytes[i]) & 0xFF]);
    return crc;
}

int32_t MulDiv(int64_t a, int64_t b, int64_t c)
{
    if (c == 0)
        return -1;
    const int64_t p = a * b;
    return static_cast<int32_t>((p >= 0 ? p + c / 2 : p - c / 2) / c);
}
