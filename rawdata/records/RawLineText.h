#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

// A raw line's text as a record hands it out: its characters, NUL-terminated, seen in place. It
// reads like the string it replaces (a std::string or a std::string_view wherever one is wanted),
// but it is valid only until the record's text changes or the record goes.
class CRawLineText
{
public:
    static constexpr size_t npos = std::string::npos;

    constexpr CRawLineText() noexcept : m_data(""), m_size(0) {}
    // A C string: the choice `ok ? record.GetText() : "none"` turns out one of these.
    CRawLineText(const char* text) noexcept : m_data(text), m_size(std::strlen(text)) {}
    // `data[size]` must be the NUL.
    constexpr CRawLineText(const char* data, size_t size) noexcept : m_data(data), m_size(size) {}

    const char* data() const noexcept { return m_data; }
    const char* c_str() const noexcept { return m_data; }
    size_t size() const noexcept { return m_size; }
    size_t length() const noexcept { return m_size; }
    bool empty() const noexcept { return m_size == 0; }
    char operator[](size_t i) const noexcept { return m_data[i]; }
    char front() const noexcept { return m_data[0]; }
    char back() const noexcept { return m_data[m_size - 1]; }

    std::string_view view() const noexcept { return {m_data, m_size}; }
    std::string str() const { return std::string(m_data, m_size); }
    operator std::string_view() const noexcept { return view(); }
    operator std::string() const { return str(); }

    // As std::string's: a copy, out_of_range past the end.
    std::string substr(size_t pos = 0, size_t count = npos) const { return std::string(view().substr(pos, count)); }
    size_t find(std::string_view s, size_t pos = 0) const noexcept { return view().find(s, pos); }
    size_t find(char c, size_t pos = 0) const noexcept { return view().find(c, pos); }
    size_t rfind(char c, size_t pos = npos) const noexcept { return view().rfind(c, pos); }
    bool starts_with(std::string_view s) const noexcept { return view().starts_with(s); }
    int compare(std::string_view s) const noexcept { return view().compare(s); }

    friend bool operator==(CRawLineText a, std::string_view b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(CRawLineText a, std::string_view b) noexcept
    {
        return a.view() <=> b;
    }
    friend std::string operator+(CRawLineText a, std::string_view b) { return Join(a.view(), b); }
    friend std::string operator+(std::string_view a, CRawLineText b) { return Join(a, b.view()); }
    friend std::string operator+(CRawLineText a, CRawLineText b) { return Join(a.view(), b.view()); }
    friend std::string operator+(const char* a, CRawLineText b) { return Join(a, b.view()); }
    friend std::string operator+(CRawLineText a, const char* b) { return Join(a.view(), b); }
    friend std::string operator+(const std::string& a, CRawLineText b) { return Join(a, b.view()); }
    friend std::string operator+(CRawLineText a, const std::string& b) { return Join(a.view(), b); }
    friend std::string operator+(char a, CRawLineText b) { return Join(std::string_view(&a, 1), b.view()); }
    friend std::string operator+(CRawLineText a, char b) { return Join(a.view(), std::string_view(&b, 1)); }
    friend std::ostream& operator<<(std::ostream& out, CRawLineText text);

private:
    static std::string Join(std::string_view a, std::string_view b);

    const char* m_data;
    size_t m_size;
};

// Where a record keeps its text: one pointer to the characters, with the length and whether the
// heap owns them in the four bytes before. A stored line's text sits beside its record in the
// line blocks; a text set later, or a record's own, is on the heap.
class CRawTextHold
{
public:
    // The longest text a record holds.
    static constexpr size_t MaxSize = 0x7FFFFFFFu;

    CRawTextHold() noexcept;
    ~CRawTextHold() { Free(); }
    CRawTextHold(const CRawTextHold&) = delete;
    CRawTextHold& operator=(const CRawTextHold&) = delete;

    // The text copied into `room`, which the caller keeps for the holder's life and which is at
    // least RoomFor(text.size()) bytes, at any alignment; without room, onto the heap. The old
    // text is let go only after the copy, so the text may be a view of the old one.
    // std::length_error beyond MaxSize.
    void Place(void* room, std::string_view text);
    void Assign(std::string_view text) { Place(nullptr, text); }
    static constexpr size_t RoomFor(size_t size) { return sizeof(uint32_t) + size + 1; }
    // Where the characters start in their room.
    static constexpr size_t TextOffset = sizeof(uint32_t);
    // The text already printed at `chars`, TextOffset into a room as Place takes it (kept by the
    // caller, at least RoomFor(size) bytes): only its length and end are written.
    void Adopt(char* chars, size_t size);
    // Drops the first characters where they are, as a string's erase does: a view of the text
    // stays on readable characters.
    void EraseFront(size_t count) noexcept;

    CRawLineText Text() const noexcept { return CRawLineText(m_chars, size()); }
    size_t size() const noexcept { return Header() & MaxSize; }
    bool empty() const noexcept { return size() == 0; }
    const char* data() const noexcept { return m_chars; }
    char operator[](size_t i) const noexcept { return m_chars[i]; }

private:
    uint32_t Header() const noexcept
    {
        uint32_t header;
        std::memcpy(&header, m_chars - sizeof header, sizeof header);
        return header;
    }
    void Free() noexcept;

    static constexpr uint32_t OwnedBit = 0x80000000u;
    char* m_chars;
};
