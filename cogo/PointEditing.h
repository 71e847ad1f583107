#pragma once

#include "core/NoValue.h"

#include <cstdint>
#include <string>

class CDataFileDoc;
class CPointRecord;

// What the location page of the point panels holds when it is applied: the typed values (metres,
// NoValue for an empty field), the description and the two change boxes.
struct CPointLocationInput
{
    double easting = NoValue;
    double northing = NoValue;
    double elevation = NoValue;
    std::string description;
    bool changeLocation = true;
    bool changeDescription = true;
    // Several points share one elevation: northing and easting are not applied.
    bool elevationOnly = false;
};

// Applies the input to the point. With edit, only what a ticked box allows is applied; without,
// everything (a new point). Coordinates that differ by less than 0.0001 in every component change
// nothing. locationChanged (may be null) says whether an input-point line is due: an elevation
// removed in elevation-only mode changes the point but is not logged. True when anything changed.
bool ApplyLocationToRecord(CPointRecord* record, const CPointLocationInput& input, bool edit,
                           bool* locationChanged);

enum class KeyedPointResult
{
    Nothing,
    Added,
    Modified,
};

// Stores a point typed by name: a free name adds a point (one "Add point" step, an input-point
// line, hint 39) unless the input sets nothing; an existing name is edited by the ticked boxes
// (one "Modify point" step, an input-point line only for a location change, hint 37).
KeyedPointResult StoreKeyedPoint(CDataFileDoc* document, const std::string& name, const CPointLocationInput& input);

// Applies the input to every selected point as one "Modify %ld points" step; with more than one
// selected object only a common elevation and description can be given. The number of points
// changed; 0 with nothing selected, and then no step.
int32_t EditSelectedPoints(CDataFileDoc* document, CPointLocationInput input);
