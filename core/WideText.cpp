#include "core/WideText.h"

#include "core/Utf8.h"

#include <cstring>

std::u16string Utf8ToUtf16(std::string_view text, size_t maxUnits)
{
    std::u16string out;
    size_t i = 0;
    while (i < text.size()) {
        const char32_t cp = DecodeUtf8(text, i);
        if (cp == 0)
            break;
        if (cp >= 0x10000) {
            if (out.size() + 2 > maxUnits)
                break;
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            if (out.size() + 1 > maxUnits)
                break;
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view units)
{
    std::string out;
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u == 0)
            break;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

void StoreUtf16Field(uint8_t* field, size_t fieldUnits, std::string_view text)
{
    std::memset(field, 0, fieldUnits * 2);
    if (fieldUnits == 0)
        return;
    const std::u16string units = Utf8ToUtf16(text, fieldUnits - 1);
    for (size_t k = 0; k < units.size(); ++k) {
        field[2 * k] = static_cast<uint8_t>(units[k] & 0xFF);
        field[2 * k + 1] = static_cast<uint8_t>(units[k] >> 8);
    }
}

void LoadUtf16Field(const uint8_t* field, size_t fieldUnits, std::string& out)
{
    // Read straight from the field, as Utf16ToUtf8 reads the units up to the first zero: every
    // point of a job file brings two fields, and most of their text is ASCII.
    out.clear();
    const auto unit = [field](size_t k) { return static_cast<char16_t>(field[2 * k] | (field[2 * k + 1] << 8)); };
    for (size_t k = 0; k < fieldUnits; ++k) {
        const char16_t u = unit(k);
        if (u == 0)
            break;
        if (u < 0x80) {
            out += static_cast<char>(u);
            continue;
        }
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < fieldUnits) {
            const char16_t low = unit(k + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
                ++k;
                continue;
            }
        }
        AppendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? char32_t(0xFFFD) : char32_t(u));
    }
}

std::string LoadUtf16Field(const uint8_t* field, size_t fieldUnits)
{
    std::string out;
    LoadUtf16Field(field, fieldUnits, out);
    return out;
}
