#pragma once

#include "platform/LogFont.h"

#include <cstdint>
#include <string>
#include <vector>

// Helpers over the profile and plain texts; those that read the settings object live with it.

// Splits the text at any of the delimiters with the tokenizer's default options; the fields
// replace the array's contents and their number is returned.
int SplitTextFields(std::vector<std::string>& fields, const std::string& text, const std::string& delimiters);

// A font kept in a profile section under "PandF", "Height", "Weight", "Italic" and "Name". The
// default height is 12 points at the main window's resolution. Both return true.
bool ReadFontSettings(const std::string& section, LogFont& font, int32_t pixelsPerInch = 96);
bool WriteFontSettings(const std::string& section, const LogFont& font);

// Fills the "%s" of each menu item text that holds exactly one with the point's name; other
// items stay as they are.
void FillMenuPointNames(std::vector<std::string>& itemTexts, const std::string* pointName);
