#include "exchange/dxf/DxfText.h"

#include "core/Utf8.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace dxftext {

namespace {

// Windows-1252 0x80-0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

bool IsTrail(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at p (n bytes left), 0 when invalid.
size_t SequenceLength(const unsigned char* p, size_t n)
{
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return n >= 2 && IsTrail(p[1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (n < 3 || !IsTrail(p[1]) || !IsTrail(p[2]))
            return 0;
        if ((c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] > 0x9F))
            return 0; // overlong, or a surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (n < 4 || !IsTrail(p[1]) || !IsTrail(p[2]) || !IsTrail(p[3]))
            return 0;
        if ((c == 0xF0 && p[1] < 0x90) || (c == 0xF4 && p[1] > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view SkipBlanks(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    return text.substr(i);
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    auto p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const size_t len = SequenceLength(p + i, n - i);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Drawings keep characters their code page cannot hold as \U+XXXX; the program shows the
// character itself. Anything that is not a whole such code stays as it is.
void DecodeUnicodeEscapes(std::string& text)
{
    size_t at = text.find("\\U+");
    if (at == std::string::npos)
        return;
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (; at != std::string::npos; at = text.find("\\U+", at)) {
        char32_t cp = 0;
        bool whole = at + 7 <= text.size();
        for (size_t k = at + 3; whole && k < at + 7; ++k) {
            const int d = HexDigit(text[k]);
            whole = d >= 0;
            cp = cp * 16 + static_cast<char32_t>(d < 0 ? 0 : d);
        }
        if (!whole || cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) {
            at += 1;
            continue;
        }
        out.append(text, from, at - from);
        AppendUtf8(out, cp);
        at += 7;
        from = at;
    }
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

} // namespace

void DecodeLine(std::string_view bytes, std::string& out)
{
    if (IsValidUtf8(bytes)) {
        out.assign(bytes.data(), bytes.size());
    } else {
        out.clear();
        for (unsigned char c : bytes) {
            if (c < 0x80)
                out.push_back(static_cast<char>(c));
            else if (c < 0xA0)
                AppendUtf8(out, kHigh1252[c - 0x80] ? kHigh1252[c - 0x80] : c);
            else
                AppendUtf8(out, c);
        }
    }
    DecodeUnicodeEscapes(out);
}

std::string EncodeWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    auto p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        if (p[i] < 0x80) {
            out.push_back(static_cast<char>(p[i++]));
            continue;
        }
        const size_t len = SequenceLength(p + i, n - i);
        if (len == 0) {
            // Not UTF-8 at all: the byte is taken as it is.
            out.push_back(static_cast<char>(p[i++]));
            continue;
        }
        uint32_t cp = 0;
        if (len == 2)
            cp = ((p[i] & 0x1Fu) << 6) | (p[i + 1] & 0x3Fu);
        else if (len == 3)
            cp = ((p[i] & 0x0Fu) << 12) | ((p[i + 1] & 0x3Fu) << 6) | (p[i + 2] & 0x3Fu);
        else
            cp = 0x110000; // beyond the code page
        i += len;
        char c = '?';
        if (cp >= 0xA0 && cp <= 0xFF) {
            c = static_cast<char>(cp);
        } else {
            for (int k = 0; k < 32; ++k) {
                if (kHigh1252[k] != 0 && kHigh1252[k] == cp) {
                    c = static_cast<char>(0x80 + k);
                    break;
                }
            }
        }
        out.push_back(c);
    }
    return out;
}

void CutToChars(std::string& text, size_t maxChars)
{
    if (text.size() > maxChars)
        text.resize(Utf8PrefixBytes(text, maxChars));
}

std::string CutCopy(std::string_view text, size_t maxChars)
{
    std::string s(text);
    CutToChars(s, maxChars);
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i]))
            return false;
    }
    return true;
}

std::string NameKey(std::string_view name)
{
    return Utf8ToUpper(name);
}

std::string ToUpper(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        c = ToUpperAscii(c);
    return s;
}

double ParseDouble(std::string_view text)
{
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
        // from_chars takes a minus itself, but never a second sign.
        if (!text.empty() && (text[0] == '+' || text[0] == '-'))
            return 0.0;
    }
    double value = 0.0;
    const char* first = text.data();
    const auto result = std::from_chars(first, first + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: an infinity or zero, as strtod gives.
        bool tiny = false;
        for (const char* q = first; q < result.ptr; ++q) {
            if (*q == 'e' || *q == 'E') {
                tiny = q + 1 < result.ptr && q[1] == '-';
                break;
            }
        }
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int32_t ParseInt(std::string_view text)
{
    text = SkipBlanks(text);
    bool negative = false;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > int64_t{INT32_MAX} + 1)
            v = int64_t{INT32_MAX} + 1;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX)
        v = INT32_MAX;
    return static_cast<int32_t>(v);
}

uint32_t ParseHex(std::string_view text)
{
    text = SkipBlanks(text);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    uint64_t v = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        v = (v << 4) | static_cast<uint64_t>(d);
        if (v > UINT32_MAX)
            v = UINT32_MAX;
    }
    return static_cast<uint32_t>(v);
}

std::string FormatInt(int64_t value)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string FormatHex(uint32_t value)
{
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, value, 16);
    for (char* q = buf; q < r.ptr; ++q)
        *q = ToUpperAscii(*q);
    return std::string(buf, r.ptr);
}

std::string FormatG15(double value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}

std::string FormatFixed0(double value)
{
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 0);
    return std::string(buf, r.ptr);
}

} // namespace dxftext
