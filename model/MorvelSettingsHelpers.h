#pragma once

#include "core/Location.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Helpers that read the application's settings object.

// The configured captions of the easting, northing and elevation axes.
std::string GetPlanXCaption();
std::string GetPlanYCaption();
std::string GetPlanZCaption();

// Colour indices name the same colour modulo the palette: 16 colours in colour mode 1, else 64.
bool ColorIndicesMatch(int32_t a, int32_t b);

class CMathConversions;

// The text a dialog control of this id shows: a unit label of the conversions or an axis caption;
// nothing for other ids.
std::optional<std::string> GetUnitOrCaptionLabel(int32_t controlId, const CMathConversions& conversions);

// Sets the unit and axis labels of a window's controls, given their ids in depth-first order
// (children before the next sibling); setText receives the index into controlIds. Does nothing
// without controls or without an open job.
void ApplyUnitAndCaptionLabels(const std::vector<int32_t>& controlIds,
                               const std::function<void(std::size_t index, const std::string& text)>& setText);

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
