#include "rawdata/records/RawLineText.h"

#include <cstdlib>
#include <new>
#include <ostream>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace {

// The empty text every holder starts with: a header of zero and the NUL.
alignas(uint32_t) constinit char EmptyText[sizeof(uint32_t) + 1] = {};

} // namespace

std::string CRawLineText::Join(std::string_view a, std::string_view b)
{
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a);
    out.append(b);
    return out;
}

std::ostream& operator<<(std::ostream& out, CRawLineText text)
{
    return out << text.view();
}

CRawTextHold::CRawTextHold() noexcept : m_chars(EmptyText + sizeof(uint32_t)) {}

void CRawTextHold::Free() noexcept
{
    const uint32_t header = Header();
    if (header & OwnedBit)
        std::free(m_chars - sizeof(uint32_t));
#if defined(__SANITIZE_ADDRESS__)
    // Placed text stays in its block: marked, so a view kept past the text's end is still caught.
    else if (m_chars != EmptyText + sizeof(uint32_t))
        ASAN_POISON_MEMORY_REGION(m_chars - sizeof(uint32_t), RoomFor(header));
#endif
}

void CRawTextHold::Assign(std::string_view text)
{
    if (text.size() > MaxSize)
        throw std::length_error("raw line text too long");
    if (text.empty()) {
        Free();
        m_chars = EmptyText + sizeof(uint32_t);
        return;
    }
    auto* room = static_cast<char*>(std::malloc(RoomFor(text.size())));
    if (!room)
        throw std::bad_alloc();
    const uint32_t header = uint32_t(text.size()) | OwnedBit;
    std::memcpy(room, &header, sizeof header);
    std::memcpy(room + sizeof header, text.data(), text.size());
    room[sizeof header + text.size()] = '\0';
    Free();
    m_chars = room + sizeof header;
}

void CRawTextHold::EraseFront(size_t count) noexcept
{
    const uint32_t header = Header();
    const size_t size = header & MaxSize;
    if (count == 0 || size == 0)
        return;
    if (count > size)
        count = size;
    std::memmove(m_chars, m_chars + count, size - count + 1);
    const uint32_t shorter = (header & OwnedBit) | uint32_t(size - count);
    std::memcpy(m_chars - sizeof shorter, &shorter, sizeof shorter);
}

void CRawTextHold::Place(void* room, std::string_view text)
{
    if (text.size() > MaxSize)
        throw std::length_error("raw line text too long");
    auto* at = static_cast<char*>(room);
    const uint32_t header = uint32_t(text.size());
    std::memcpy(at, &header, sizeof header);
    std::memcpy(at + sizeof header, text.data(), text.size());
    at[sizeof header + text.size()] = '\0';
    Free();
    m_chars = at + sizeof header;
}
