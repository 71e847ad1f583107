#include "rawdata/records/RawLineText.h"

#include "core/MemoryPoison.h"

#include <cstdlib>
#include <new>
#include <ostream>
#include <stdexcept>

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
    // Placed text stays in its block: marked, so a view kept past the text's end is still caught.
    else if (m_chars != EmptyText + sizeof(uint32_t))
        PoisonMemory(m_chars - sizeof(uint32_t), RoomFor(header));
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

void CRawTextHold::Adopt(char* chars, size_t size)
{
    if (size > MaxSize)
        throw std::length_error("raw line text too long");
    const uint32_t header = uint32_t(size);
    std::memcpy(chars - sizeof header, &header, sizeof header);
    chars[size] = '\0';
    Free();
    m_chars = chars;
}

void CRawTextHold::Place(void* room, std::string_view text)
{
    if (text.size() > MaxSize)
        throw std::length_error("raw line text too long");
    auto* at = static_cast<char*>(room);
    uint32_t header = uint32_t(text.size());
    if (at == nullptr) {
        if (text.empty()) {
            Free();
            m_chars = EmptyText + sizeof(uint32_t);
            return;
        }
        at = static_cast<char*>(std::malloc(RoomFor(text.size())));
        if (!at)
            throw std::bad_alloc();
        header |= OwnedBit;
    }
    std::memcpy(at, &header, sizeof header);
    std::memcpy(at + sizeof header, text.data(), text.size());
    at[sizeof header + text.size()] = '\0';
    Free();
    m_chars = at + sizeof header;
}
