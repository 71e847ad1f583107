#pragma once

#include "core/ScreenRect.h"

#include <optional>
#include <vector>

// Where pop-ups and small dialogs go on the screen; the window layer measures and moves them.

// The validation balloon (width and height with its shadow) beside a control: on the side with
// room (the side with more room when both have it, the right one on a tie), top aligned with the
// control; below or above it when neither side has room; to the right when nothing fits.
ScreenRect PlaceDdxBalloon(const ScreenRect& control, int width, int height, int screenWidth, int screenHeight);

// A window of this size near a point: the first of these that lies wholly in the work area, its
// top-left at the point, then shifted left by its width, then also up by its height, then right
// again by its width. Nothing when none fits (the caller centres the window).
std::optional<ScreenPoint> PlaceNearPoint(ScreenPoint at, int width, int height, const ScreenRect& workArea);

// The moving dotted frame round a refused control: its border pixels (left, top inclusive; right,
// bottom exclusive) in drawing order, down the left edge, along the bottom, up the right edge and
// back along the top, each red or white by its step from `phase`: four red, four white. The phase
// grows by 2 a tick, so the dashes crawl round the field.
struct DdxFramePixel
{
    int x = 0;
    int y = 0;
    bool red = false;
};
std::vector<DdxFramePixel> DdxFramePixels(const ScreenRect& control, int phase);
