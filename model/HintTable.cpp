#include "model/HintTable.h"

#include "model/HintCodes.h"

#include <array>

namespace {
struct HintRow {
    int32_t code, ignore, noViewUpdate, noBroadcast, anyDocument, immediate, keepEach, order;
};

constexpr std::array<HintRow, 48> kHintTable{{
    {HintCancel, 0, 0, 1, 1, 1, 1, -1},
    {HintEscape, 0, 0, 1, 1, 1, 1, -1},
    {HintUndoBegin, 0, 1, 0, 0, 1, 1, -1},
    {HintFontsChanged, 0, 0, 1, 1, 1, 1, -1},
    {HintCode8, 0, 1, 0, 1, 1, 1, -1},
    {HintCode9, 0, 1, 0, 1, 1, 1, -1},
    {HintFormatSettingsChanged, 0, 0, 0, 1, 1, 1, -1},
    {HintJobSettingsConfirmed, 0, 1, 0, 1, 1, 1, -1},
    {HintCode12, 0, 1, 0, 1, 1, 1, -1},
    {HintCode14, 0, 0, 1, 0, 1, 1, -1},
    {HintCode15, 0, 0, 1, 0, 1, 1, -1},
    {HintViewKindChanged, 0, 0, 0, 1, 1, 1, -1},
    {HintViewClosed, 0, 1, 0, 1, 1, 1, -1},
    {HintViewTool, 0, 1, 0, 0, 1, 1, -1},
    {HintClosing, 0, 1, 0, 0, 1, 1, -1},
    {HintSaved, 0, 1, 0, 1, 1, 1, -1},
    {HintViewActivated, 0, 0, 0, 1, 0, 0, 0},
    {HintPanelShown, 0, 1, 0, 1, 0, 0, 1},
    {HintJobSettingsChanged, 0, 0, 0, 1, 0, 0, 4},
    {HintUndoDone, 0, 0, 0, 1, 0, 0, 4},
    {HintCode22, 0, 0, 0, 1, 0, 0, 9999},
    {HintCode27, 0, 1, 0, 1, 0, 0, 10001},
    {HintModifiedState, 0, 0, 1, 1, 0, 0, 2147483644},
    {HintPointsAddedInBulk, 0, 0, 1, 1, 0, 0, 2147483645},
    {HintRefreshAll, 0, 0, 1, 1, 0, 0, 2147483646},
    {HintActiveControl, 0, 1, 0, 1, 0, 0, GlobalHintOrder},
    {HintInteractiveField, 0, 1, 0, 1, 0, 1, GlobalHintOrder},
    {HintUpdateFileItems, 0, 1, 0, 1, 0, 0, GlobalHintOrder},
    {HintCode28, 0, 1, 0, 1, 1, 1, -1},
    {HintNavigatorChosen, 0, 1, 0, 1, 1, 1, -1},
    {HintCode31, 0, 0, 1, 1, 1, 1, -1},
    {HintNewBegin, 0, 0, 0, 1, 1, 1, -1},
    {HintUnloading, 0, 0, 0, 1, 1, 1, -1},
    {HintRawDataReadBegin, 0, 0, 0, 1, 1, 0, -1},
    {HintRawDataReadEnd, 0, 0, 0, 1, 1, 0, -1},
    {HintReloaded, 0, 0, 0, 1, 0, 0, 2},
    {HintCode35, 0, 0, 0, 1, 0, 0, 3},
    {HintCode36, 0, 0, 0, 1, 0, 0, 3},
    {HintCoordinatesChanged, 0, 0, 0, 1, 0, 0, 3},
    {HintCode38, 0, 0, 0, 1, 0, 0, 3},
    {HintPointAdded, 0, 0, 0, 1, 0, 0, 3},
    {HintPointDeleted, 0, 0, 0, 1, 0, 0, 3},
    {HintRawLineAppended, 0, 0, 0, 1, 0, 0, 4},
    {HintRawLinesChanged, 0, 0, 0, 1, 0, 0, 4},
    {HintNewEnd, 0, 0, 0, 1, 0, 0, 9999},
    {HintSelectionChanged, 0, 0, 0, 1, 0, 0, 10000},
    {HintFileState, 0, 0, 1, 1, 0, 0, 10001},
    {HintFilesChangedOutside, 0, 0, 1, 1, 0, 0, 10003},
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
