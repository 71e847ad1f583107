#pragma once

#include "core/Location.h"

#include <string>

class CDataFileDoc;
class CPointRecord;

// Stores a computed point under a name the caller has already checked: a new point, or the
// existing one overwritten in place (location and description only). Either way a CC line is
// logged and the point drawn. Null, with the job untouched, for a location without finite plane
// coordinates inside +-1e10, or an elevation outside that range.
CPointRecord* StoreComputedPoint(CDataFileDoc& doc, const std::string& name, const CLocation& location,
                                 const std::string& description);

// The point at the direction turned right by angle, the distance away. Its elevation is from's
// plus the rise when from has one, none otherwise. False for a missing or non-finite distance or
// a result beyond +-1e10, which would only ever be stored as garbage.
bool ComputePointInDirection(const CLocation& from, double direction, double angle, double distance,
                             double rise, CLocation* out);

// Whether a computed coordinate can be stored and shown.
bool IsStorableLocation(const CLocation& location);
