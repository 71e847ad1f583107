#include "core/Utf8.h"

std::size_t Utf8CharCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        if (!IsUtf8Continuation(c))
            ++count;
    return count;
}

std::size_t Utf8PrefixBytes(std::string_view text, std::size_t maxChars)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!IsUtf8Continuation(text[i]) && seen++ == maxChars)
            return i;
    return text.size();
}

std::size_t Utf8LastCharStart(std::string_view text)
{
    if (text.empty())
        return 0;
    std::size_t start = text.size() - 1;
    while (start > 0 && IsUtf8Continuation(text[start]))
        --start;
    return start;
}

char32_t DecodeUtf8(std::string_view text, size_t& i)
{
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + static_cast<size_t>(len) > text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if (!IsUtf8Continuation(static_cast<char>(b))) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += static_cast<size_t>(len);
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

char32_t UpperLetter(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return c - 32;
    if (c < 0xE0)
        return c;
    if (c <= 0xFE)
        return c == 0xF7 ? c : c - 32;
    if (c == 0xFF)
        return 0x178;
    // Latin Extended-A pairs a capital with the small letter after it; the dotted and dotless i
    // and the long s have no partner of their own and stay.
    const bool odd = (c & 1) != 0;
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return odd ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return odd ? c : c - 1;
    // Greek, with its accented vowels and the final sigma.
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB))
        return c - 32;
    switch (c) {
    case 0x3C2: return 0x3A3;
    case 0x3AC: return 0x386;
    case 0x3AD: case 0x3AE: case 0x3AF: return c - 37;
    case 0x3CC: return 0x38C;
    case 0x3CD: case 0x3CE: return c - 63;
    default: break;
    }
    // Cyrillic.
    if (c >= 0x430 && c <= 0x44F)
        return c - 32;
    if (c >= 0x450 && c <= 0x45F)
        return c - 80;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
        return odd ? c - 1 : c;
    return c;
}

} // namespace

std::string Utf8ToUpper(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        const char32_t c = DecodeUtf8(text, i);
        const char32_t upper = UpperLetter(c);
        if (upper == c)
            out.append(text.substr(start, i - start));
        else
            AppendUtf8(out, upper);
    }
    return out;
}
