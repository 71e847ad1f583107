#include "core/PointName.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <cstdint>
#include <limits>

namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool IsPointNameChar(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

// IsPointNameChar per byte: a name is checked for every point filed, and one load per character
// costs less than the four ranges.
constexpr auto kPointNameChars = [] {
    std::array<bool, 256> chars{};
    for (int c = 0; c < 256; ++c)
        chars[size_t(c)] = IsPointNameChar(char(c));
    return chars;
}();

// All zeros is no name; few names even start with a zero.
bool AllZeros(std::string_view name)
{
    return name[0] == '0' && name.find_first_not_of('0') == std::string_view::npos;
}

// The length of a name that is a plain number (digits, the first not zero, few enough to be read
// exactly), or 0 for any other name.
std::size_t PlainNumberLength(const char* name)
{
    constexpr std::size_t MaxExactDigits = 18;
    if (name[0] < '1' || name[0] > '9')
        return 0;
    std::size_t length = 1;
    for (; name[length] != '\0'; ++length)
        if (length == MaxExactDigits || !IsDigit(name[length]))
            return 0;
    return length;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Reads a run of digits as a 64-bit number, saturating like the C library's conversion does.
int64_t ReadDigitRun(const char*& p)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    // Eighteen digits stay below the limit, so only a longer run needs the saturating step.
    constexpr int kSafeDigits = 18;
    int64_t n = 0;
    int digits = 0;
    for (; IsDigit(*p) && digits < kSafeDigits; ++p, ++digits)
        n = n * 10 + (*p - '0');
    for (; IsDigit(*p); ++p) {
        const int d = *p - '0';
        n = (n > (kMax - d) / 10) ? kMax : n * 10 + d;
    }
    return n;
}

} // namespace

bool IsValidPointName(std::string_view name)
{
    if (name.empty() || name.size() > MaxPointNameChars)
        return false;
    for (const char c : name)
        if (!kPointNameChars[uint8_t(c)])
            return false;
    return !AllZeros(name);
}

bool IsValidPointName(const char* name)
{
    if (name == nullptr)
        return false;
    // One walk, a load a character, without measuring the text first: names are checked several
    // times for every point filed.
    std::size_t len = 0;
    while (kPointNameChars[static_cast<unsigned char>(name[len])])
        if (++len > MaxPointNameChars)
            return false;
    return len != 0 && name[len] == '\0' && !AllZeros(std::string_view(name, len));
}

int ComparePointNames(const char* a, const char* b)
{
    if (a == nullptr)
        a = "";
    if (b == nullptr)
        b = "";
    // Most field names are plain numbers: two of them order by length and then digit by digit,
    // as their values do, without reading the values.
    if (const std::size_t length = PlainNumberLength(a); length != 0) {
        if (const std::size_t other = PlainNumberLength(b); other != 0) {
            if (length != other)
                return length < other ? -1 : 1;
            const int c = std::memcmp(a, b, length);
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
    }
    while (*a != '\0' && *b != '\0') {
        if (IsDigit(*a) && IsDigit(*b)) {
            const int64_t na = ReadDigitRun(a);
            const int64_t nb = ReadDigitRun(b);
            if (na != nb)
                return na < nb ? -1 : 1;
            continue;
        }
        const int d = int(static_cast<unsigned char>(LowerAscii(*a))) - int(static_cast<unsigned char>(LowerAscii(*b)));
        if (d != 0)
            return d;
        ++a;
        ++b;
    }
    if (*a != '\0')
        return 1;
    if (*b != '\0')
        return -1;
    return 0;
}
