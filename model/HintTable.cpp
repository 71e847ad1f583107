#include "model/HintTable.h"

#include <array>

namespace {
struct HintRow {
    int32_t code, ignore, noViewUpdate, noBroadcast, anyDocument, immediate, keepEach, order;
};

constexpr std::array<HintRow, 48> kHintTable{{
    {0, 0, 0, 1, 1, 1, 1, -1},
    {4, 0, 0, 1, 1, 1, 1, -1},
    {5, 0, 1, 0, 0, 1, 1, -1},
    {7, 0, 0, 1, 1, 1, 1, -1},
    {8, 0, 1, 0, 1, 1, 1, -1},
    {9, 0, 1, 0, 1, 1, 1, -1},
    {10, 0, 0, 0, 1, 1, 1, -1},
    {11, 0, 1, 0, 1, 1, 1, -1},
    {12, 0, 1, 0, 1, 1, 1, -1},
    {14, 0, 0, 1, 0, 1, 1, -1},
    {15, 0, 0, 1, 0, 1, 1, -1},
    {16, 0, 0, 0, 1, 1, 1, -1},
    {18, 0, 1, 0, 1, 1, 1, -1},
    {13, 0, 1, 0, 0, 1, 1, -1},
    {21, 0, 1, 0, 0, 1, 1, -1},
    {26, 0, 1, 0, 1, 1, 1, -1},
    {17, 0, 0, 0, 1, 0, 0, 0},
    {20, 0, 1, 0, 1, 0, 0, 1},
    {2, 0, 0, 0, 1, 0, 0, 4},
    {6, 0, 0, 0, 1, 0, 0, 4},
    {22, 0, 0, 0, 1, 0, 0, 9999},
    {27, 0, 1, 0, 1, 0, 0, 10001},
    {25, 0, 0, 1, 1, 0, 0, 2147483644},
    {19, 0, 0, 1, 1, 0, 0, 2147483645},
    {3, 0, 0, 1, 1, 0, 0, 2147483646},
    {23, 0, 1, 0, 1, 0, 0, GlobalHintOrder},
    {24, 0, 1, 0, 1, 0, 1, GlobalHintOrder},
    {30, 0, 1, 0, 1, 0, 0, GlobalHintOrder},
    {28, 0, 1, 0, 1, 1, 1, -1},
    {29, 0, 1, 0, 1, 1, 1, -1},
    {31, 0, 0, 1, 1, 1, 1, -1},
    {32, 0, 0, 0, 1, 1, 1, -1},
    {34, 0, 0, 0, 1, 1, 1, -1},
    {44, 0, 0, 0, 1, 1, 0, -1},
    {45, 0, 0, 0, 1, 1, 0, -1},
    {46, 0, 0, 0, 1, 0, 0, 2},
    {35, 0, 0, 0, 1, 0, 0, 3},
    {36, 0, 0, 0, 1, 0, 0, 3},
    {37, 0, 0, 0, 1, 0, 0, 3},
    {38, 0, 0, 0, 1, 0, 0, 3},
    {39, 0, 0, 0, 1, 0, 0, 3},
    {40, 0, 0, 0, 1, 0, 0, 3},
    {41, 0, 0, 0, 1, 0, 0, 4},
    {42, 0, 0, 0, 1, 0, 0, 4},
    {33, 0, 0, 0, 1, 0, 0, 9999},
    {43, 0, 0, 0, 1, 0, 0, 10000},
    {47, 0, 0, 1, 1, 0, 0, 10001},
    {48, 0, 0, 1, 1, 0, 0, 10003},
}};

// Codes are small; a direct index saves a table walk for every hint of a burst.
constexpr int32_t kIndexSize = 64;

constexpr std::array<int8_t, kIndexSize> BuildIndex()
{
    std::array<int8_t, kIndexSize> index{};
    for (auto& i : index)
        i = -1;
    // Walk backwards so the first row of a code wins, as a search from the top would find it.
    for (int32_t r = int32_t(kHintTable.size()) - 1; r >= 0; --r)
        if (kHintTable[r].code >= 0 && kHintTable[r].code < kIndexSize)
            index[kHintTable[r].code] = int8_t(r);
    return index;
}

constexpr std::array<int8_t, kIndexSize> kIndex = BuildIndex();

const HintRow* FindRow(int32_t code)
{
    if (code < 0 || code >= kIndexSize || kIndex[code] < 0)
        return nullptr;
    return &kHintTable[kIndex[code]];
}
} // namespace

bool IsHintInTable(int32_t code)
{
    return FindRow(code) != nullptr;
}

bool IsHintIgnored(int32_t code)
{
    const HintRow* r = FindRow(code);
    return !r || r->ignore != 0;
}

bool IsHintNoViewUpdate(int32_t code)
{
    const HintRow* r = FindRow(code);
    return r && r->noViewUpdate != 0;
}

bool IsHintNoBroadcast(int32_t code)
{
    const HintRow* r = FindRow(code);
    return r && r->noBroadcast != 0;
}

bool IsHintAnyDocument(int32_t code)
{
    const HintRow* r = FindRow(code);
    return r && r->anyDocument == 1;
}

bool IsHintImmediate(int32_t code)
{
    const HintRow* r = FindRow(code);
    return r && r->immediate != 0;
}

bool IsHintKeepEach(int32_t code)
{
    const HintRow* r = FindRow(code);
    return r && r->keepEach != 0;
}

int32_t GetHintOrder(int32_t code)
{
    const HintRow* r = FindRow(code);
    return r ? r->order : UnknownHintOrder;
}

bool IsHintGlobal(int32_t code)
{
    return GetHintOrder(code) == GlobalHintOrder;
}

int32_t GetHintTableSize()
{
    return int32_t(kHintTable.size());
}
