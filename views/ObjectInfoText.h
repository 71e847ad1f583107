#pragma once

#include "model/DataFileDoc.h"

#include <string>

class CObjectIdOwner;

// The identification text of one job object: type, name, description and coordinates, one
// "label\tvalue\n" line each. False (text untouched) when no job is open, the record is not in
// the active job or is not a point. The owner gives the unit label; without one it stays empty.
// The world point is where the object was picked; points do not use it.
bool BuildObjectInfoText(std::string& text, const RecordRef& object, double worldX, double worldY,
                         CObjectIdOwner* owner);

// Appends the separator line and the coordinate lines (northing and easting in the settings'
// order, then the elevation when present), each caption preceded by the prefix and each value
// followed by a blank and the unit label.
void AppendCoordinateLines(std::string& text, const std::string& unitLabel, double northing, double easting,
                           double elevation, const std::string& captionPrefix);

// A row of the object chooser: "Point: <name>", or "Unknown: ???" for any other record.
std::string GetObjectChoiceText(const RecordRef& object);
