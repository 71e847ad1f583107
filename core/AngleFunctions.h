#pragma once

// Free angle, distance and measurement functions. Directions are radians counter-clockwise
// from the +x (east) axis. Angles shown in degrees travel as packed D.MMSS doubles:
// d + m / 100 + s / 10000, fractions of a second continuing below the fourth decimal.

class CLocation;
class CMathConversions;

inline constexpr double Pi = 3.14159265358979323846;
inline constexpr double TwoPi = 2.0 * Pi;

// Reductions: [0, 2pi), [0, pi), [0, 360), [0, 400).
double NormalizeAngle(double a);
double NormalizeHalfTurn(double a);
double NormalizeDegrees(double a);
double NormalizeGrads(double a);

// Direction of the vector (dx, dy) in [-pi, pi); NoValue when both are exactly 0.
double DirectionFromDelta(double dy, double dx);

// Vertical angles are positive upwards from the horizontal; absent inputs give NoValue.
double VerticalAngleToZenith(double v);
double ZenithToVerticalAngle(double z);
bool SlopeToHorizontalVertical(double slope, double zenith, double* horizontal, double* vertical);

// Decimal degrees to packed D.MMSS, reduced to one turn; no rounding.
double DecimalToDms(double deg);
// As DecimalToDms for deg >= 0, otherwise the negated packing of -deg.
double SignedDecimalToDms(double deg);
// Packed D.MMSS to decimal degrees, reduced to one turn, sign kept.
double DmsToDecimal(double packed);
// As DmsToDecimal, the result reduced to [0, 360).
double DmsToDecimalNormalized(double packed);
// Without the reduction to one turn; negative values keep their sign in every part.
double DecimalToDmsUnreduced(double deg);
double DmsToDecimalUnreduced(double packed);
double RadiansToDms(double radians);
double DmsToRadians(double packed);
// Rounds the seconds of a packed value to the given decimals, carrying into minutes and degrees.
double RoundPackedDms(double packed, int decimals);
// As RoundPackedDms without the reduction to one turn (vertical angles beyond 360 keep their turns).
double RoundPackedDmsUnreduced(double packed, int decimals);

// Measurements from a to b (differences b minus a); false when an input is missing.
bool SlopeDistanceBetween(const CLocation* a, const CLocation* b, double* d);
bool ElevationDifferenceBetween(const CLocation* a, const CLocation* b, double* dz);
bool VerticalAngleBetween(const CLocation* a, const CLocation* b, double* angle);
bool DirectionBetween(const CLocation* a, const CLocation* b, double* direction);

// Distances keyed by the job distance code (0 metres, 1 international foot, 2 US survey foot);
// any other code leaves the value unchanged, an absent value gives NoValue.
double MetresToFeet(double value, int jobDistanceCode);
double FeetToMetres(double value, int jobDistanceCode);

double ScaleFactorToPpm(double sf);
double PpmToScaleFactor(double ppm);

// Rounds a distance in metres so that its display value carries no noise below five decimals.
double RoundDisplayDistance(double metres, const CMathConversions& conversions);
