#include "core/Format.h"

#include "core/LocaleText.h"
#include "core/AngleFunctions.h"
#include "core/NoValue.h"
#include "core/Parser.h"
#include "core/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// The first UTF-8 character of a text (the whole text when it is one character).
std::string FirstCharacter(const std::string& s)
{
    return s.substr(0, Utf8PrefixBytes(s, 1));
}

// Fixed or exponent text of a double with '.', bounded by the caller's decimals (0..15).
std::string PrintDouble(double value, int decimals, bool exponent)
{
    char buf[512];
    const auto fmt = exponent ? std::chars_format::scientific : std::chars_format::fixed;
    const auto res = std::to_chars(buf, buf + sizeof buf, value, fmt, decimals);
    if (res.ec != std::errc())
        return PrintDouble(value, decimals, true);
    return std::string(buf, res.ptr);
}

// Puts the thousands separator between groups of three digits of the integer part, which ends
// at intEnd; never next to a sign or a blank.
void GroupDigits(std::string& text, std::size_t intEnd, const std::string& separator)
{
    if (separator.empty())
        return;
    // Character k (counted from the units digit leftwards) sits at intEnd - 1 - k.
    for (std::size_t k = 3; k < intEnd; k += 3) {
        const std::size_t pos = intEnd - 1 - k;
        const char c = text[pos];
        if (c == ' ' || c == '-')
            continue;
        text.insert(pos + 1, separator);
    }
}

std::string GroupedInteger(std::string text, bool group)
{
    if (group)
        GroupDigits(text, text.size(), GetLocaleText(LocaleThousandsSeparator));
    return text;
}

template <typename T>
std::string IntegerText(T value)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

constexpr uint64_t kPowersOfTen[] = {1,
                                     10,
                                     100,
                                     1000,
                                     10000,
                                     100000,
                                     1000000,
                                     10000000,
                                     100000000,
                                     1000000000,
                                     10000000000,
                                     100000000000,
                                     1000000000000,
                                     10000000000000,
                                     100000000000000,
                                     1000000000000000};

// Whether FixedSmallText can print the value with the decimals: below 1e9 in size, and the
// whole count of the last digit's units within 64 bits.
bool FitsFixedSmallText(double value, int decimals)
{
    const double size = std::fabs(value);
    return size < 1e9 && size < 1e19 / double(kPowersOfTen[decimals]);
}

// The whole count of 1/scale units in a (not negative, a * scale below 2^64), rounded as the fixed
// printing rounds the exact binary value (ties to even): the mantissa times the scale is exact in
// 128 bits, and the bits shifted out decide the rounding.
uint64_t ScaledRoundedToEven(double a, uint64_t scale)
{
    using Wide = unsigned __int128;
    uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    const int field = int(bits >> 52) & 0x7FF;
    uint64_t mantissa = bits & ((uint64_t(1) << 52) - 1);
    int exponent = -1074; // a subnormal's
    if (field != 0) {
        mantissa |= uint64_t(1) << 52;
        exponent = field - 1075;
    }
    const Wide product = Wide(mantissa) * scale;
    if (exponent >= 0)
        return uint64_t(product << exponent);
    const int shift = -exponent;
    if (shift >= 128) // the product is below 2^113: the value is far under half a unit
        return 0;
    const uint64_t whole = uint64_t(product >> shift);
    const Wide rest = product & ((Wide(1) << shift) - 1);
    const Wide half = Wide(1) << (shift - 1);
    return whole + ((rest > half || (rest == half && (whole & 1) != 0)) ? 1 : 0);
}

// The fixed text of a value FitsFixedSmallText allows, as the general conversion prints it (the
// exact binary value rounded, ties to even), from one exact product: the mantissa times the power
// of ten fits 128 bits. The end of the text in `buffer` (32 bytes).
char* FixedSmallText(char* buffer, double value, int decimals)
{
    const uint64_t scale = kPowersOfTen[decimals];
    const uint64_t n = ScaledRoundedToEven(std::fabs(value), scale);
    char digits[32];
    char* at = digits + sizeof digits;
    uint64_t fraction = n % scale;
    uint64_t whole = n / scale;
    for (int i = 0; i < decimals; ++i) {
        *--at = char('0' + fraction % 10);
        fraction /= 10;
    }
    if (decimals > 0)
        *--at = '.';
    do {
        *--at = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    char* end = buffer;
    if (std::signbit(value))
        *end++ = '-';
    const size_t size = size_t(digits + sizeof digits - at);
    std::memcpy(end, at, size);
    return end + size;
}

} // namespace

std::string CFormat::FormatNumber(double value, int decimals, bool editForm, bool group)
{
    if (IsNoValue(value))
        return editForm ? std::string() : std::string("---");
    if (editForm)
        decimals = std::max(decimals, 6);
    decimals = std::clamp(decimals, 0, 15);

    bool exponent = !(value < 1e160);
    std::string text;
    if (!exponent) {
        text = PrintDouble(value, decimals, false);
        if (text.size() > 20)
            exponent = true;
    }
    if (exponent)
        text = PrintDouble(value, decimals, true);

    std::size_t point = text.rfind('.');
    if (editForm && !exponent && point != std::string::npos) {
        while (text.size() >= 3 && text.back() == '0' && text[text.size() - 2] != '.')
            text.pop_back();
    }

    const std::string decimalSep = FirstCharacter(GetLocaleText(LocaleDecimalSeparator));
    if (point != std::string::npos && !decimalSep.empty())
        text.replace(point, 1, decimalSep);

    if (group && !exponent && !editForm) {
        const std::size_t intEnd = point != std::string::npos ? point : text.size();
        GroupDigits(text, intEnd, GetLocaleText(LocaleThousandsSeparator));
    }

    if (text.size() > 1 && text[0] == '-') {
        // Only the digits of the mantissa decide: "-0.000e+05" is still a zero.
        const std::size_t mantissaEnd = exponent ? text.find_first_of("eE") : text.size();
        bool allZero = true;
        for (std::size_t i = 0; i < mantissaEnd && i < text.size(); ++i) {
            if (text[i] >= '1' && text[i] <= '9') {
                allZero = false;
                break;
            }
        }
        if (allZero)
            text.erase(0, 1);
    }
    return text;
}

void CFormat::AppendNumber(std::string& out, double value, int decimals, bool editForm, bool group)
{
    if (IsNoValue(value)) {
        if (!editForm)
            out += "---";
        return;
    }
    if (editForm)
        decimals = std::max(decimals, 6);
    decimals = std::clamp(decimals, 0, 15);

    // The digits go to a buffer on the stack; only the finished text reaches `out`.
    char buffer[512];
    char* const last = buffer + sizeof buffer;
    bool exponent = !(value < 1e160);
    char* end = buffer;
    if (FitsFixedSmallText(value, decimals)) {
        // Angles, distances and coordinates: the general conversion's text, made directly.
        end = FixedSmallText(buffer, value, decimals);
        if (end - buffer > 20)
            exponent = true;
    } else if (!exponent) {
        auto res = std::to_chars(buffer, last, value, std::chars_format::fixed, decimals);
        if (res.ec != std::errc())
            res = std::to_chars(buffer, last, value, std::chars_format::scientific, decimals);
        end = res.ptr;
        if (end - buffer > 20)
            exponent = true;
    }
    if (exponent)
        end = std::to_chars(buffer, last, value, std::chars_format::scientific, decimals).ptr;

    char* point = end;
    for (char* at = end; at != buffer;)
        if (*--at == '.') {
            point = at;
            break;
        }
    if (editForm && !exponent && point != end)
        while (end - buffer >= 3 && end[-1] == '0' && end[-2] != '.')
            --end;

    const size_t start = out.size();
    const std::string decimalSep = FirstCharacter(GetLocaleText(LocaleDecimalSeparator));
    if (point != end && !decimalSep.empty()) {
        out.append(buffer, size_t(point - buffer)).append(decimalSep).append(point + 1, size_t(end - point - 1));
    } else {
        out.append(buffer, size_t(end - buffer));
    }
    if (group && !exponent && !editForm) {
        const size_t intEnd = start + size_t(point - buffer);
        if (intEnd - start > 3) {
            const std::string separator = GetLocaleText(LocaleThousandsSeparator);
            if (!separator.empty())
                for (size_t k = 3; k < intEnd - start; k += 3) {
                    const size_t pos = intEnd - 1 - k;
                    if (out[pos] != ' ' && out[pos] != '-')
                        out.insert(pos + 1, separator);
                }
        }
    }

    if (out.size() - start > 1 && out[start] == '-') {
        // Only the digits of the mantissa decide: "-0.000e+05" is still a zero.
        const size_t mantissaEnd = exponent ? out.find_first_of("eE", start) : out.size();
        bool allZero = true;
        for (size_t i = start; i < mantissaEnd && i < out.size(); ++i)
            if (out[i] >= '1' && out[i] <= '9') {
                allZero = false;
                break;
            }
        if (allZero)
            out.erase(start, 1);
    }
}

std::string CFormat::FormatFeetInchesText(const std::string& decimalFeet)
{
    // Read as the program's tokenizer reads a number; the locale decimal separator counts as
    // the point, since the text usually comes from FormatNumber.
    std::string text = decimalFeet;
    const std::string decimalSep = GetLocaleText(LocaleDecimalSeparator);
    if (decimalSep != "." && !decimalSep.empty()) {
        const std::size_t p = text.find(decimalSep);
        if (p != std::string::npos)
            text.replace(p, decimalSep.size(), ".");
    }
    CParser parser;
    parser.SetText(text);
    double value = 0.0;
    if (!parser.GetNextDouble(&value))
        return decimalFeet;

    const bool negative = value < 0;
    double wholeFeet = 0.0;
    const double fraction = std::modf(std::fabs(value), &wholeFeet);
    double wholeInches = 0.0;
    const double f = std::modf(fraction * 12.0, &wholeInches);
    // Feet beyond the 32-bit range cannot be printed with a whole count; keep the decimal text.
    if (wholeFeet > 2147483646.0)
        return decimalFeet;
    int feet = static_cast<int>(wholeFeet);
    int inches = static_cast<int>(wholeInches);

    double best = 1e100;
    int numerator = 0;
    int denominator = 0;
    for (int d = 16; d > 1; d /= 2) {
        for (int n = d - 1; n >= 1; --n) {
            const double diff = std::fabs(f - double(n) / d);
            if (diff <= best) {
                best = diff;
                numerator = n;
                denominator = d;
            }
        }
    }
    if (std::fabs(f) <= best) {
        numerator = 0;
        best = std::fabs(f);
    }
    if (std::fabs(f - 1.0) <= best) {
        numerator = 0;
        ++inches;
        if (inches >= 12) {
            inches = 0;
            ++feet;
        }
    }
    if (negative) {
        if (feet > 0)
            feet = -feet;
        else if (inches > 0)
            inches = -inches;
        else if (numerator > 0)
            numerator = -numerator;
    }

    char buf[96];
    if (numerator == 0)
        std::snprintf(buf, sizeof buf, "%d' %d\"", feet, inches);
    else
        std::snprintf(buf, sizeof buf, "%d' %d-%d/%d\"", feet, inches, numerator, denominator);
    return buf;
}

std::string FormatNumberToString(double value, int decimals, bool editForm, bool group)
{
    return CFormat::FormatNumber(value, decimals, editForm, group);
}

std::string FormatLong(int32_t value, bool group)
{
    return GroupedInteger(IntegerText(value), group);
}

std::string FormatUShort(uint16_t value, bool group)
{
    return GroupedInteger(IntegerText(value), group);
}

std::string FormatInt(int value, bool group)
{
    return GroupedInteger(IntegerText(value), group);
}

std::string FormatULong(uint32_t value, bool group)
{
    return GroupedInteger(IntegerText(value), group);
}

std::string FormatByteSize(uint32_t bytes)
{
    const double kb = bytes / 1024.0;
    if (kb <= 0.9)
        return IntegerText(bytes) + " bytes";
    const int decimals = kb <= 9 ? 2 : (kb <= 99 ? 1 : 0);
    std::string text = PrintDouble(kb, decimals, false);
    if (decimals == 0)
        GroupDigits(text, text.size(), GetLocaleText(LocaleThousandsSeparator));
    return text + " KB";
}

std::string FormatNumber3(double value, bool editForm)
{
    if (IsNoValue(value))
        return editForm ? std::string() : std::string("---");
    return CFormat::FormatNumber(value, 3, editForm, true);
}

std::string FormatDoubleFull(double value)
{
    if (!(value > NoValueLimit))
        return {};
    return PrintDouble(value, 9, false);
}

std::string FormatDoubleCompact(double value)
{
    std::string text;
    AppendDoubleCompact(text, value);
    return text;
}

// The whole millionths of a (not negative, below 4e9), rounded as the fixed printing rounds.
static uint64_t MillionthsOf(double a)
{
    // Below 4e15 every whole number and half is a double, so the product rounded once lies on
    // the same side of each half as the exact product, or on it: only a product that lands on a
    // half needs the exact one. The whole part fits, and the part after it is exact.
    const double scaled = a * 1e6;
    const uint64_t whole = uint64_t(int64_t(scaled));
    const double rest = scaled - double(int64_t(whole));
    if (rest != 0.5)
        return whole + (rest > 0.5 ? 1 : 0);
    return ScaledRoundedToEven(a, 1000000u);
}

// "00" to "99": two digits at a time halve the divisions of a number's text.
constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                               "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

// The fixed six-decimal text with trailing zeros dropped down to one, without the general
// conversion: values below 4e9 in size, at most 18 characters. Every raw line's numbers pass
// here. Written at `to`; its end.
static char* WriteSixDecimals(char* to, double value, uint64_t n)
{
    const uint32_t fraction = uint32_t(n % 1000000);
    uint32_t whole = uint32_t(n / 1000000);
    // A negative value that rounds to nothing is written "0.0", as the fixed text's "-0.0" is.
    if (std::signbit(value) && n != 0)
        *to++ = '-';
    // Written forwards in place: the whole part's length first, then its digits from the end.
    static constexpr uint32_t kTens[] = {10u,      100u,      1000u,      10000u,     100000u,
                                         1000000u, 10000000u, 100000000u, 1000000000u};
    int digits = 1;
    while (digits < 10 && whole >= kTens[digits - 1])
        ++digits;
    char* at = to + digits;
    while (whole >= 100) {
        at -= 2;
        std::memcpy(at, kDigitPairs + 2 * (whole % 100), 2);
        whole /= 100;
    }
    if (whole >= 10)
        std::memcpy(at - 2, kDigitPairs + 2 * whole, 2);
    else
        at[-1] = char('0' + whole);
    to += digits;
    *to++ = '.';
    std::memcpy(to, kDigitPairs + 2 * (fraction / 10000), 2);
    std::memcpy(to + 2, kDigitPairs + 2 * (fraction / 100 % 100), 2);
    std::memcpy(to + 4, kDigitPairs + 2 * (fraction % 100), 2);
    char* end = to + 6;
    while (end > to + 1 && end[-1] == '0')
        --end;
    return end;
}

static void AppendSixDecimals(std::string& out, double value, uint64_t n)
{
    char text[32];
    out.append(text, WriteSixDecimals(text, value, n));
}

bool CompactTextValue(double value, double* readBack)
{
    if (!(value > NoValueLimit) || !(std::fabs(value) < 4e9))
        return false;
    // The text is the whole number of millionths n, so it reads back as n / 1e6, rounded once.
    const uint64_t n = MillionthsOf(std::fabs(value));
    const double magnitude = double(n) / 1e6;
    *readBack = std::signbit(value) && n != 0 ? -magnitude : magnitude;
    return true;
}

void AppendDoubleCompact(std::string& out, double value)
{
    if (!(value > NoValueLimit))
        return;
    // Survey coordinates, distances and angles: every raw line's numbers.
    if (std::fabs(value) < 4e9) {
        AppendSixDecimals(out, value, MillionthsOf(std::fabs(value)));
        return;
    }
    // Fixed text below 1e160 always fits; longer than 20 characters it is given with an exponent.
    char buffer[512];
    char* end = buffer;
    if (value < 1e160)
        end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6).ptr;
    if (end == buffer || end - buffer > 20) {
        end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6).ptr;
        out.append(buffer, end);
        return;
    }
    while (end - buffer >= 3 && end[-1] == '0' && end[-2] != '.')
        --end;
    if (end - buffer == 4 && std::memcmp(buffer, "-0.0", 4) == 0) {
        out.append("0.0");
        return;
    }
    out.append(buffer, end);
}

char* WriteDoubleCompact(char* to, double value, double* readBack)
{
    if (!(value > NoValueLimit) || !(std::fabs(value) < 4e9))
        return nullptr;
    // One rounding serves both the text and what it reads back as.
    const uint64_t n = MillionthsOf(std::fabs(value));
    char* const end = WriteSixDecimals(to, value, n);
    const double magnitude = double(n) / 1e6;
    *readBack = std::signbit(value) && n != 0 ? -magnitude : magnitude;
    return end;
}

bool AppendDoubleCompact(std::string& out, double value, double* readBack)
{
    char text[32];
    if (char* const end = WriteDoubleCompact(text, value, readBack)) {
        out.append(text, end);
        return true;
    }
    AppendDoubleCompact(out, value);
    return false;
}

std::string FormatPpm(double fraction, bool withUnit)
{
    if (!(fraction > NoValueLimit))
        return {};
    std::string text = PrintDouble(fraction * 1e6, 4, false);
    return withUnit ? text + " ppm" : text;
}

std::string FormatScaleFactorPpm(double scaleFactor, bool withUnit)
{
    if (!(scaleFactor > NoValueLimit))
        return {};
    std::string text = PrintDouble(ScaleFactorToPpm(scaleFactor), 4, false);
    return withUnit ? text + " ppm" : text;
}
