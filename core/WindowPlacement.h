#pragma once

#include "core/ScreenRect.h"

#include <optional>

// Where pop-ups and small dialogs go on the screen; the window layer measures and moves them.

// The validation balloon (width and height with its shadow) beside a control: on the side with
// room (the side with more room when both have it, the right one on a tie), top aligned with the
// control; below or above it when neither side has room; to the right when nothing fits.
ScreenRect PlaceDdxBalloon(const ScreenRect& control, int width, int height, int screenWidth, int screenHeight);

// A window of this size near a point: the first of these that lies wholly in the work area, its
// top-left at the point, then shifted left by its width, then also up by its height, then right
// again by its width. Nothing when none fits (the caller centres the window).
std::optional<ScreenPoint> PlaceNearPoint(ScreenPoint at, int width, int height, const ScreenRect& workArea);
