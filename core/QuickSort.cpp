#include "core/QuickSort.h"

#include <cstddef>

namespace {

constexpr int StackSize = 30;
constexpr std::ptrdiff_t ShortSortLimit = 8;

} // namespace

void CQuickSort::Sort(void* base, unsigned count, unsigned width, QuickSortCompare compare)
{
    if (count < 2 || width == 0)
        return;

    char* loStack[StackSize];
    char* hiStack[StackSize];
    int depth = 0;

    char* lo = static_cast<char*>(base);
    char* hi = lo + static_cast<std::size_t>(width) * (count - 1);

    for (;;) {
        std::ptrdiff_t size = (hi - lo) / width + 1;
        if (size <= ShortSortLimit) {
            ShortSort(lo, hi, width, compare);
        } else {
            Swap(lo + (size / 2) * width, lo, width);

            // Both scans stop on keys equal to the pivot, so runs of equal keys split evenly
            // instead of peeling off one element per pass.
            char* loguy = lo;
            char* higuy = hi + width;
            for (;;) {
                do {
                    loguy += width;
                } while (loguy <= hi && compare(loguy, lo) < 0);
                do {
                    higuy -= width;
                } while (higuy > lo && compare(higuy, lo) > 0);
                if (higuy < loguy)
                    break;
                Swap(loguy, higuy, width);
            }
            Swap(lo, higuy, width);

            // lo..higuy-1 sort <= pivot, loguy..hi sort >= pivot.
            bool leftRange = lo + width < higuy;
            bool rightRange = loguy < hi;
            if ((higuy - lo) - 1 < hi - loguy) {
                if (rightRange) {
                    loStack[depth] = loguy;
                    hiStack[depth] = hi;
                    ++depth;
                }
                if (leftRange) {
                    hi = higuy - width;
                    continue;
                }
            } else {
                if (leftRange) {
                    loStack[depth] = lo;
                    hiStack[depth] = higuy - width;
                    ++depth;
                }
                if (rightRange) {
                    lo = loguy;
                    continue;
                }
            }
        }

        if (depth == 0)
            return;
        --depth;
        lo = loStack[depth];
        hi = hiStack[depth];
    }
}

void CQuickSort::ShortSort(char* lo, char* hi, unsigned width, QuickSortCompare compare)
{
    while (hi > lo) {
        char* max = lo;
        for (char* p = lo + width; p <= hi; p += width) {
            if (compare(p, max) > 0)
                max = p;
        }
        Swap(max, hi, width);
        hi -= width;
    }
}

void CQuickSort::Swap(char* a, char* b, unsigned width)
{
    if (a == b)
        return;
    for (unsigned i = 0; i < width; ++i) {
        char t = a[i];
        a[i] = b[i];
        b[i] = t;
    }
}
