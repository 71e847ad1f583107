#pragma once

#include <cstdint>

// Program-wide mouse rules that do not depend on a window.

// Signed wheel delta of a wheel message: the high word of wParam for the standard wheel message,
// the low word for the older roll message.
inline int32_t DecodeWheelDelta(uint32_t wParam, bool rollMessage)
{
    const uint16_t word = rollMessage ? static_cast<uint16_t>(wParam & 0xFFFF) : static_cast<uint16_t>(wParam >> 16);
    return static_cast<int16_t>(word);
}

// Which way a wheel turn steps through overlapping objects: back (previous) for a turn away from
// the user, forward (next) towards the user, nothing for no turn.
enum class EWheelStep
{
    None,
    Previous,
    Next
};

inline EWheelStep WheelStepFor(int32_t delta)
{
    if (delta >= 1)
        return EWheelStep::Previous;
    if (delta < 0)
        return EWheelStep::Next;
    return EWheelStep::None;
}

// The identification popup goes once the cursor has moved 3 pixels or more in x or in y from where
// it was when the popup appeared; a smaller jitter keeps it.
inline bool CursorLeftPopup(int32_t shownX, int32_t shownY, int32_t x, int32_t y)
{
    const int32_t dx = x > shownX ? x - shownX : shownX - x;
    const int32_t dy = y > shownY ? y - shownY : shownY - y;
    return dx >= 3 || dy >= 3;
}
