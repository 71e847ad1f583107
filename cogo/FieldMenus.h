#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The context menus of the input fields (menu id -> items; a separator has id 0) and the
// command ids they send to their field.
inline constexpr int32_t MenuAngleDegrees = 2432;
inline constexpr int32_t MenuAngleGons = 3183;
inline constexpr int32_t MenuHorizontalDistance = 2433;
inline constexpr int32_t MenuVerticalDistance = 3184;
inline constexpr int32_t MenuSlopeDistance = 3185;
inline constexpr int32_t MenuPointName = 2434;
inline constexpr int32_t MenuNorthing = 2435;
inline constexpr int32_t NoFieldMenu = -1;

inline constexpr int32_t CmdAddOffset = 7365;
inline constexpr int32_t CmdAddQuarterTurn = 7367;
inline constexpr int32_t CmdSubtractQuarterTurn = 7368;
inline constexpr int32_t CmdAddHalfTurn = 7369;
inline constexpr int32_t CmdApplyScaleFactor = 7370;
inline constexpr int32_t CmdZoomToPoint = 7371;
inline constexpr int32_t CmdCalculator = 7406;
inline constexpr int32_t CmdChooseFromList = 7446;
inline constexpr int32_t CmdAddHalfTurnGons = 7490;
inline constexpr int32_t CmdAddQuarterTurnGons = 7491;
inline constexpr int32_t CmdSubtractQuarterTurnGons = 7492;

// The button beside a field that drops its menu.
inline constexpr int32_t FieldMenuButtonId = 666668;

// Item queries a field answers while its menu is prepared (non-zero: apply the answer).
inline constexpr uint32_t MsgMenuItemText = 0x80B5;
inline constexpr uint32_t MsgMenuItemChecked = 0x80B6;
inline constexpr uint32_t MsgMenuItemEnabled = 0x80B7;

struct FieldMenuItem
{
    int32_t id; // 0: separator
    const char* text;
};

// The items of a field menu; empty for an unknown id.
const std::vector<FieldMenuItem>& GetFieldMenuItems(int32_t menuId);
