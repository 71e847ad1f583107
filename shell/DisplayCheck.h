#pragma once

// The program needs a display of at least 800 x 600 pixels; fewer than 256 colours only earn a
// warning.
struct DisplayCheck
{
    bool showMessage = false;
    bool mayStart = true;
};

inline constexpr const char* DisplayCheckMessage =
    "Morvel requires a minimum display resolution of 800 x 600 with the Font Size display option set to "
    "Small Fonts to work properly.  A minimum of 256 colors is highly recommended. Morvel will now exit. "
    "Change the resolution and try again.";

DisplayCheck CheckDisplay(int width, int height, int bitsPerPixel);
