#pragma once

// Screen positions in pixels, for the placement of pop-ups and dialogs. Right and bottom are
// exclusive, as the window system has them.
struct ScreenPoint
{
    int x = 0;
    int y = 0;
};

struct ScreenRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(const ScreenRect& r) const
    {
        return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
    }
};

// The smallest rectangle holding both; an empty rectangle adds nothing.
inline ScreenRect UnionRect(const ScreenRect& a, const ScreenRect& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
            a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}
