#pragma once

#include <cstdint>
#include <string>

class CDataExchange;

// Exchange routines for survey values. Loading shows the value in the active job's display units
// (edit form); saving reads the control, parses it in display units, checks it, converts it to
// internal units (metres, radians) and stores it. A refused entry leaves the variable unchanged;
// with quiet clear it shows one pop-up at the control and fails the exchange, with quiet set it
// only returns false. Every routine sets the control's text limit first. The checks (DDV_*) do
// nothing while loading.

// --- Distances and stations (metres).
bool DDX_HorizontalDistance(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_VerticalDistance(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_SlopeDistance(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_Distance(CDataExchange* dx, int id, double& value, bool quiet = false);
// As DDX_Distance, and the value must be at least 0.0001 from zero.
bool DDX_NonZeroDistance(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_Station(CDataExchange* dx, int id, double& value, bool quiet = false);

// --- Angles (radians).
bool DDX_HorizontalAngleOrBearing(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_VerticalAngle(CDataExchange* dx, int id, double& value, bool quiet = false);
// Typed and shown as a zenith angle, held as a vertical angle.
bool DDX_ZenithAngle(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_AngleRightVertical(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_AngleRight(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_Angle(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_AngleOrBearing(CDataExchange* dx, int id, double& value, bool showAsAngle, bool quiet = false);
// Shown as a full turn less the value; stored in [0, 2 pi).
bool DDX_ClockwiseAngle(CDataExchange* dx, int id, double& value, bool quiet = false);
// A direction shown as a north azimuth.
bool DDX_DirectionAsAzimuth(CDataExchange* dx, int id, double& value, bool quiet = false);
// A plain number read as packed degrees-minutes-seconds.
bool DDX_DmsNumberAngle(CDataExchange* dx, int id, double& value, int decimals, bool quiet = false);

// --- Grades and areas.
bool DDX_Grade(CDataExchange* dx, int id, double& value, bool quiet = false);
// Small areas are held in the display area unit; large ones are typed in the large unit.
bool DDX_Area(CDataExchange* dx, int id, double& value, bool largeArea, bool quiet = false);

// --- Coordinates (metres). "=name" takes the coordinate of that point of the job.
bool DDX_Northing(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_Easting(CDataExchange* dx, int id, double& value, bool quiet = false);
// An empty field stores no value.
bool DDX_Elevation(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_Height(CDataExchange* dx, int id, double& value, bool quiet = false);
// As DDX_Elevation / DDX_Height, but the value must be present.
bool DDX_RequiredElevation(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_RequiredHeight(CDataExchange* dx, int id, double& value, bool quiet = false);
// Coordinate kinds.
inline constexpr int CoordinateNorthing = 1;
inline constexpr int CoordinateEasting = 2;
inline constexpr int CoordinateElevation = 3;
// Reads the number as typed (display units), or the point's coordinate after '=' (metres, shown
// in the control). Range checks and unit conversion are the caller's.
bool DDX_CoordinateValue(CDataExchange* dx, int id, double& value, int kind, bool quiet = false);
bool DDX_CoordinateFromPoint(CDataExchange* dx, int id, double& value, int decimals, int kind, bool quiet = false);

// --- Latitudes and longitudes (radians, typed as packed D.MMSS with an optional hemisphere).
bool DDX_Latitude(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_LatitudeDegrees(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_Longitude(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_LongitudeDegrees(CDataExchange* dx, int id, double& value, bool quiet = false);

// --- Plain numbers, exactly as typed.
bool DDX_Double(CDataExchange* dx, int id, double& value, int decimals, bool quiet = false);
bool DDX_DoubleDefaultPrecision(CDataExchange* dx, int id, double& value, bool quiet = false);
// A scale factor, shown with nine decimals as the raw data comment writes it. A text left as it
// was shown keeps the value exactly, digits beyond the ninth included.
bool DDX_ScaleFactor(CDataExchange* dx, int id, double& value, bool quiet = false);
// Feet and inches are accepted as in a distance.
bool DDX_Number(CDataExchange* dx, int id, double& value, int decimals, bool quiet = false);
bool DDX_Int(CDataExchange* dx, int id, int32_t& value, bool quiet = false);
bool DDX_DoubleInRange99(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_NumberInRange10000(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_DoubleInRange10000(CDataExchange* dx, int id, double& value, bool quiet = false);
bool DDX_Degrees(CDataExchange* dx, int id, double& value, bool quiet = false);

// --- Checks.
bool DDV_GreaterThan(CDataExchange* dx, int id, double value, double limit, int integerDigits, int decimals,
                     bool quiet = false);
bool DDV_DoubleRange(CDataExchange* dx, int id, double value, double minimum, double maximum, bool quiet = false);
bool DDV_IntRange(CDataExchange* dx, int id, int32_t value, int32_t minimum, int32_t maximum, bool quiet = false);
// The framework-style integer range check, with the wording of DDV_IntRange.
bool DDV_MinMaxInt(CDataExchange* dx, int id, int32_t value, int32_t minimum, int32_t maximum, bool quiet = false);
bool DDV_AngleBelowHalfTurn(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_AngleBelowFullTurn(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_Range99(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_Range01To10000(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_Longitude(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_Latitude(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_Degrees360(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_NotEmptyText(CDataExchange* dx, int id, const std::string& text, bool quiet = false);
bool DDV_CurveSegments(CDataExchange* dx, int id, int32_t arcSegments, int32_t spiralSegments, bool quiet = false);
// The range checks the routines run after parsing (saving only). A refusal names both bounds.
// 0 < value <= 100000.
bool DDV_DistanceRange(CDataExchange* dx, int id, double value, bool quiet = false);
// -1e10 < value <= 1e10: the lower bound itself is refused, unlike the plain predicate below.
bool DDV_SignedDistanceRange(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_NorthingRange(CDataExchange* dx, int id, double value, bool quiet = false);
bool DDV_EastingRange(CDataExchange* dx, int id, double value, bool quiet = false);
// As the northing, or no value.
bool DDV_ElevationRange(CDataExchange* dx, int id, double value, bool quiet = false);
// "Invalid Value" when the magnitude is below 0.0001.
bool DDV_NonZero(CDataExchange* dx, int id, double value, bool quiet = false);

// --- Range predicates; a NaN is out of every range.
bool IsValidHorizontalDistanceValue(double v); // 0 < v <= 100000
bool IsValidCoordinateValue(double v);         // -1e10 <= v <= 1e10
bool IsValidElevationValue(double v);          // no value, or -1e10 <= v <= 1e10
bool IsValidDegrees360Value(double v);
bool IsValidLatitudeValue(double v);
bool IsValidLongitudeValue(double v);
bool IsValidRange01To10000Value(double v);
bool IsValidRange99Value(double v);

// The first maxChars characters of the control's text (all of it for 0); empty without a control.
std::string ReadControlText(CDataExchange* dx, int id, int maxChars);
