#pragma once

#include "core/Rgb.h"

#include <cstdint>

// Every colour the user picks and every colour a job stores is an index 0-255 into the current
// colour table. Three built-in tables exist: the sixteen VGA colours, the default table of 64
// colours and the CAD colour-index table. The choice is program-wide (one UI thread).

// Marks a colour as taken from the program's palette; every table entry carries it.
inline constexpr COLORREF PaletteRelativeFlag = 0x02000000;

constexpr COLORREF PaletteRgb(uint8_t r, uint8_t g, uint8_t b) { return PaletteRelativeFlag | MakeRgb(r, g, b); }

// The entry of the current table; an index outside 0-255 gives 1.
COLORREF GetPaletteColor(int32_t index);

void SelectCadColorPalette();
void SelectVgaColorPalette();
// Builds the translations between the default table and the CAD indexes, then makes the default
// table current.
void InitColorPalettes();

// The CAD colour index of a colour index (DXF export); 256 outside 1-255.
int32_t ColorIndexToCadIndex(int32_t index);
// The colour index of a CAD index; 0 for 0 and 256, the settings' default object colour for
// anything else outside 0-255.
int32_t ColorIndexFromCadIndex(int32_t cadIndex);

// The grey of the colour's luminance (0.3 R + 0.59 G + 0.11 B), as a palette colour.
COLORREF GetColorLuminance(COLORREF color);
// White on dark backgrounds (luminance below 136), black otherwise.
COLORREF GetContrastingTextColor(COLORREF color);
