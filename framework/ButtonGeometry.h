#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

// Geometry of the owner-drawn buttons, kept apart from drawing so it can be checked alone.

struct ButtonRect
{
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

// The face of a framed button: 2 pixels inside the frame, one pixel down and right while held.
inline ButtonRect ButtonFaceRect(ButtonRect item, bool framed, bool pressed)
{
    if (!framed)
        return item;
    ButtonRect r{item.left + 2, item.top + 2, item.right - 2, item.bottom - 2};
    if (pressed)
    {
        ++r.left, ++r.right;
        ++r.top, ++r.bottom;
    }
    return r;
}

// One row of the drop triangle: from x to x + width, at y.
struct TriangleRow
{
    int32_t x = 0, y = 0, width = 0;
};

// The menu button's drop triangle: five rows 9, 7, 5, 3 and 1 pixels wide, centred in the face's
// rightmost 24 pixels (the whole face when it is narrower).
inline std::array<TriangleRow, 5> MenuButtonTriangle(ButtonRect face)
{
    const int32_t boxLeft = std::max(face.right - 24, face.left);
    const int32_t x0 = boxLeft + (face.right - boxLeft - 10) / 2;
    const int32_t y0 = face.top + (face.Height() - 5) / 2;
    std::array<TriangleRow, 5> rows{};
    for (int32_t i = 0; i < 5; ++i)
        rows[i] = {x0 + i, y0 + i, 9 - 2 * i};
    return rows;
}

// The next frame of an animated button; a single frame never advances.
inline int32_t NextAnimationFrame(int32_t current, int32_t count)
{
    if (count <= 1)
        return current < 0 ? 0 : current;
    return (current + 1) % count;
}
