#pragma once

// Negative when a sorts before b, 0 when equal, positive when after.
using QuickSortCompare = int (*)(const void* a, const void* b);

// In-place sort of a plain array of fixed-size elements with a caller's comparison. Not stable.
// Allocates nothing: pending ranges live in a fixed stack that the smaller-side-first order keeps
// within log2(count) entries.
class CQuickSort
{
public:
    CQuickSort() = default;
    virtual ~CQuickSort() = default;

    void Sort(void* base, unsigned count, unsigned width, QuickSortCompare compare);

    // Selection of the maximum over lo..hi inclusive; used for ranges of up to 8 elements.
    void ShortSort(char* lo, char* hi, unsigned width, QuickSortCompare compare);

    // Exchanges two elements byte by byte; nothing when they are the same element.
    void Swap(char* a, char* b, unsigned width);
};
