#pragma once

// Where a power button draws its icon, text and drop arrow, and when a press becomes a drag. The
// window class only draws what this says.
struct PbRect
{
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool operator==(const PbRect&) const = default;
};

struct PowerButtonLayoutInput
{
    PbRect item;
    bool flat = false;
    bool showIcon = true;
    int iconWidth = 32;
    int iconHeight = 32;
    int maxIconSize = -1; // at most this many pixels each way when positive
    int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
    int arrowWidth = 0;    // 0 without a drop arrow
    int textWidth = 0;
    int textHeight = 0;
    int layout = 2;        // 0 icon left, 1 icon top, 2 icon right, 3 icon bottom
    bool pushedIn = false; // pressed push button, or checked check or radio button
};

struct PowerButtonLayout
{
    PbRect face;    // filled with the background
    PbRect content; // face less the margins (and pushed in by one pixel)
    PbRect icon;    // empty without an icon area
    PbRect text;    // clipped to the content area
    bool textCentred = false;
    PbRect arrow;   // the drop-arrow area at the right, empty without one
};

PowerButtonLayout LayOutPowerButton(const PowerButtonLayoutInput& in);

// The five lines of the drop arrow (10 x 5 pixels), centred in the area: line i starts at
// (x + i, y + i) and is 10 - 2i pixels long.
struct PbArrowLine
{
    int x, y, length;
};
void DropArrowLines(const PbRect& area, PbArrowLine (&lines)[5]);

// A press at x lies on the drop arrow.
inline bool IsOnDropArrow(int clientWidth, int x, int arrowWidth) { return arrowWidth > 0 && clientWidth - x < arrowWidth; }
// The mouse moved far enough from the press to start a drag.
bool IsPowerButtonDrag(int pressX, int pressY, int x, int y);
// The disabled look: pixels whose x + y is odd are grey.
inline bool IsDitherPixel(int x, int y) { return ((x + y) & 1) != 0; }
