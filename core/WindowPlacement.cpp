#include "core/WindowPlacement.h"

ScreenRect PlaceDdxBalloon(const ScreenRect& c, int w, int h, int screenWidth, int screenHeight)
{
    const bool right = c.right + w <= screenWidth;
    const bool left = c.left - w >= 0;
    const bool below = c.bottom + h <= screenHeight;
    const bool above = c.top - h >= 0;

    auto at = [w, h](int x, int y) { return ScreenRect{x, y, x + w, y + h}; };
    if (!right && !left) {
        if (!below && !above)
            return at(c.right, c.top);
        return below ? at(c.left, c.bottom) : at(c.left, c.top - h);
    }
    if (right && left)
        return screenWidth - c.right < c.left ? at(c.left - w, c.top) : at(c.right, c.top);
    return right ? at(c.right, c.top) : at(c.left - w, c.top);
}

std::optional<ScreenPoint> PlaceNearPoint(ScreenPoint at, int width, int height, const ScreenRect& workArea)
{
    ScreenRect r{at.x, at.y, at.x + width, at.y + height};
    auto shift = [&r](int dx, int dy) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    };
    if (workArea.Contains(r))
        return ScreenPoint{r.left, r.top};
    shift(-width, 0);
    if (workArea.Contains(r))
        return ScreenPoint{r.left, r.top};
    shift(0, -height);
    if (workArea.Contains(r))
        return ScreenPoint{r.left, r.top};
    shift(width, 0);
    if (workArea.Contains(r))
        return ScreenPoint{r.left, r.top};
    return std::nullopt;
}

std::vector<DdxFramePixel> DdxFramePixels(const ScreenRect& control, int phase)
{
    std::vector<DdxFramePixel> pixels;
    const int l = control.left, t = control.top, r = control.right, b = control.bottom;
    if (r <= l || b <= t)
        return pixels;
    int k = phase;
    auto put = [&](int x, int y) { pixels.push_back({x, y, (k++ & 4) != 0}); };
    for (int y = t; y <= b - 1; ++y)
        put(l, y);
    for (int x = l + 1; x <= r - 1; ++x)
        put(x, b - 1);
    for (int y = b - 2; y >= t; --y)
        put(r - 1, y);
    for (int x = r - 2; x >= l + 1; --x)
        put(x, t);
    return pixels;
}
