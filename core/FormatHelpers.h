#pragma once

// Pieces shared by the three value formatters; not for use elsewhere.

#include <string>

class CFormat;

namespace format_detail {

// "---" in display form, empty in edit form.
std::string NoValueText(bool edit);

// Length slots (coordinate, elevation, distance) from a value already in display units.
std::string LengthText(const CFormat& format, double display, int decimals, bool edit, bool withUnit);

// Station text from a value already in display units; format 0 puts the '+' before the last two
// whole digits, any other format before the last three.
std::string StationText(double display, int decimals, bool edit, int stationFormat);

std::string PointNameText(const std::string& name, bool edit);

// The angle text routine. unit: 0 degrees (packed D.MMSS), otherwise grads; decimals already
// resolved. marksForAnyUnit: the job formatter adds the degree sign to a whole grads number,
// the others decorate degrees only.
std::string AngleText(double value, bool edit, int decimals, int unit, bool forceDms,
                      bool marksForAnyUnit);
// The same text added to the end of `out`.
void AppendAngleText(std::string& out, double value, bool edit, int decimals, int unit, bool forceDms,
                     bool marksForAnyUnit);

// The angle decimals "iJobAngle" gives: decimals of seconds in degrees; in grads at least the
// four decimals whole seconds are worth, so a grads angle is never shown rounded to whole grads.
int JobAngleDecimals(int jobAngle, bool grads);

// Slots 2 and 3: the angle as signed packed D.MMSS with five decimals of seconds, and in
// display form the hemisphere letter in place of the sign.
std::string HemisphereAngleText(double radians, bool edit, int unit, bool marksForAnyUnit,
                                const char* positive, const char* negative);

// Slot 11: quadrant bearing; unit 0 degrees, otherwise grads.
std::string BearingText(double direction, bool edit, int decimals, int unit, bool marksForAnyUnit);

// Bearing letters for a direction reduced to [0, 2pi), from the string table.
std::string BearingPrefix(double a);
std::string BearingSuffix(double a);
// " dms" for degrees, " grad" for grads, empty otherwise.
std::string AngleUnitSuffix(int unit);

} // namespace format_detail
