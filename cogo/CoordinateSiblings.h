#pragma once

#include <cstddef>
#include <vector>

// Which coordinate fields a location pick fills besides the one that took it. The dialog hands
// the fields in its own order (the order a person tabs through them); a field of another kind
// between them ends the run.
enum class CoordFieldKind { Other, Northing, Easting, Elevation };

// Indexes into fields of the fields filled after fields[picked], in fill order.
std::vector<std::size_t> CoordinateSiblingsFilled(const std::vector<CoordFieldKind>& fields, std::size_t picked,
                                                  bool northingFirst);

// The field whose buddy mark the picked field clears first: the one before it when the picked
// field is the second coordinate of the order; fields.size() when none.
std::size_t CoordinateSiblingToUnmark(const std::vector<CoordFieldKind>& fields, std::size_t picked,
                                      bool northingFirst);
