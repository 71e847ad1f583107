#pragma once

#include <cstdint>

class CLocation;

// Icons of raw records on the map and in lists (the application's icon numbers).
inline constexpr int32_t IconRawComment = 594;
inline constexpr int32_t IconStorePoint = 6953;
inline constexpr int32_t IconStation = 7048;
inline constexpr int32_t IconBacksight = 7049;
inline constexpr int32_t IconShot = 7051;
inline constexpr int32_t IconStakeoutList = 623;
inline constexpr int32_t IconStakeoutShot = 624;
inline constexpr int32_t IconConflict = 612;
inline constexpr int32_t IconInvalidLine = 672;

// Where raw records draw their map previews: the map pane of the job view implements it. Colours
// are palette indexes; the map turns them into colours. Every object carries its raw line.
class CRawDataDrawTarget
{
public:
    virtual ~CRawDataDrawTarget() = default;

    virtual void AddPreviewLocation(const CLocation& at, int32_t icon, int32_t line) = 0;
    // The icon drawn displaced by the offsets (pixels).
    virtual void AddPreviewLocationEx(const CLocation& at, int32_t icon, int32_t dx, int32_t dy, int32_t line) = 0;
    virtual void AddPreviewLine(const CLocation& from, const CLocation& to, int32_t paletteIndex, int32_t width,
                                int32_t line) = 0;
    // Direction in radians counter-clockwise from east.
    virtual void AddPreviewInfiniteLine(const CLocation& through, double direction, int32_t flag,
                                        int32_t paletteIndex, int32_t width, int32_t line) = 0;
};
