#pragma once

#include "platform/SettingsShell.h"

#include <string>
#include <vector>

// Helpers over the application settings and the profile.

// The configured captions of the easting, northing and elevation axes.
std::string GetPlanXCaption();
std::string GetPlanYCaption();
std::string GetPlanZCaption();

// Colour indices name the same colour modulo the palette: 16 colours in colour mode 1, else 64.
bool ColorIndicesMatch(int32_t a, int32_t b);

// Splits the text at any of the delimiters with the tokenizer's default options; the fields
// replace the array's contents and their number is returned.
int SplitTextFields(std::vector<std::string>& fields, const std::string& text, const std::string& delimiters);

// A font kept in a profile section under "PandF", "Height", "Weight", "Italic" and "Name". The
// default height is 12 points at the main window's resolution. Both return true.
bool ReadFontSettings(const std::string& section, LogFont& font, int32_t pixelsPerInch = 96);
bool WriteFontSettings(const std::string& section, const LogFont& font);
