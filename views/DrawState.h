#pragma once

#include <cstdint>

class CRecord;

// Drawing modes of a request to the map.
inline constexpr int32_t DrawModeOneRecord = 2;
inline constexpr int32_t DrawModeSelected = 3;
inline constexpr int32_t DrawModeAll = 4;
inline constexpr int32_t DrawModeResyncHighlight = 8;

// Colour roles.
inline constexpr int32_t DrawColourNormal = 1;
inline constexpr int32_t DrawColourHighlight = 2;
inline constexpr int32_t DrawColourPlain = 3; // normal colours whatever the selection
inline constexpr int32_t DrawColourErase = -1;

// One drawing request for a map: what to draw and in which colour role.
class CDrawState
{
public:
    CDrawState() = default;
    // Mode and record are kept for mode 2, the mode alone for 3 and 8; any other mode draws all.
    CDrawState(int32_t viewKind, int32_t mode, CRecord* record, int32_t unused1, int32_t unused2,
               int32_t colourFlag);

    void Reset() { *this = CDrawState(); }
    bool operator==(const CDrawState&) const = default;

    int32_t viewKind = 2;
    int32_t mode = DrawModeAll;
    CRecord* record = nullptr;
    int32_t colourFlag = DrawColourNormal;
    int32_t extra = 0;
};
