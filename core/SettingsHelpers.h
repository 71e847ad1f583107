#pragma once

#include "core/Location.h"
#include "platform/SettingsShell.h"

#include <cstddef>
#include <functional>
#include <optional>
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

class CMathConversions;

// The text a dialog control of this id shows: a unit label of the conversions or an axis caption;
// nothing for other ids.
std::optional<std::string> GetUnitOrCaptionLabel(int32_t controlId, const CMathConversions& conversions);

// Sets the unit and axis labels of a window's controls, given their ids in depth-first order
// (children before the next sibling); setText receives the index into controlIds. Does nothing
// without controls or without an open job.
void ApplyUnitAndCaptionLabels(const std::vector<int32_t>& controlIds,
                               const std::function<void(std::size_t index, const std::string& text)>& setText);

// Fills the "%s" of each menu item text that holds exactly one with the point's name; other
// items stay as they are.
void FillMenuPointNames(std::vector<std::string>& itemTexts, const std::string* pointName);

// What UpdatePickTolerance needs of a map window.
class CPickToleranceMap
{
public:
    virtual ~CPickToleranceMap() = default;
    virtual CLocation DeviceToWorld(int32_t x, int32_t y) = 0;
    // Stores the tolerances in the application's graphic data exchange; false when there is none.
    virtual bool SetPickTolerances(double x, double y) = 0;
};

// Turns the pick-box size in pixels into world tolerances at the map's current scale.
void UpdatePickTolerance(CPickToleranceMap& map);
