#include "core/MultibyteSearch.h"

#include "core/Utf8.h"

namespace {

bool IsTrail(unsigned char c) { return IsUtf8Continuation(static_cast<char>(c)); }

// Decodes the character at p; an invalid sequence is one character of its first byte's value.
int Decode(const unsigned char* p, uint32_t& cp)
{
    unsigned char c = p[0];
    if (c >= 0xC2 && c <= 0xDF && IsTrail(p[1])) {
        cp = ((c & 0x1Fu) << 6) | (p[1] & 0x3Fu);
        return 2;
    }
    if (c >= 0xE0 && c <= 0xEF && IsTrail(p[1]) && IsTrail(p[2])) {
        cp = ((c & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
        if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF))
            return 3;
    }
    if (c >= 0xF0 && c <= 0xF4 && IsTrail(p[1]) && IsTrail(p[2]) && IsTrail(p[3])) {
        cp = ((c & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
        if (cp >= 0x10000 && cp <= 0x10FFFF)
            return 4;
    }
    cp = c;
    return 1;
}

bool InSet(const char* set, uint32_t cp)
{
    auto p = reinterpret_cast<const unsigned char*>(set);
    while (*p) {
        uint32_t s;
        p += Decode(p, s);
        if (s == cp)
            return true;
    }
    return false;
}

} // namespace

bool IsDbcsSystem()
{
    // Program text is always UTF-8 here, whatever the user's locale says.
    static const bool dbcs = true;
    return dbcs;
}

const char* FindCharDbcs(const char* text, uint32_t character)
{
    auto p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        uint32_t cp;
        int n = Decode(p, cp);
        if (cp == character)
            return reinterpret_cast<const char*>(p);
        p += n;
    }
    return character == 0 ? reinterpret_cast<const char*>(p) : nullptr;
}

const char* FindAnyCharDbcs(const char* text, const char* set)
{
    auto p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        uint32_t cp;
        int n = Decode(p, cp);
        if (InSet(set, cp))
            return reinterpret_cast<const char*>(p);
        p += n;
    }
    return nullptr;
}

const char* FindLastCharDbcs(const char* text, uint32_t character)
{
    const char* last = nullptr;
    auto p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        uint32_t cp;
        int n = Decode(p, cp);
        if (cp == character)
            last = reinterpret_cast<const char*>(p);
        p += n;
    }
    return character == 0 ? reinterpret_cast<const char*>(p) : last;
}
