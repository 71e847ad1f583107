#pragma once

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

// Memory a pool holds but has not handed out, or has taken back: under the address sanitizer a
// read of it is caught as a use after free would be; other builds do nothing.
inline void PoisonMemory(const void* memory, std::size_t size)
{
#if defined(__SANITIZE_ADDRESS__)
    ASAN_POISON_MEMORY_REGION(memory, size);
#else
    (void)memory;
    (void)size;
#endif
}

inline void UnpoisonMemory(const void* memory, std::size_t size)
{
#if defined(__SANITIZE_ADDRESS__)
    ASAN_UNPOISON_MEMORY_REGION(memory, size);
#else
    (void)memory;
    (void)size;
#endif
}
