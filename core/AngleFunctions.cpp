#include "core/AngleFunctions.h"

#include "core/Geometry.h"
#include "core/Location.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/UnitConstants.h"

#include <cmath>
#include <cstdint>

namespace {

// Reduces to [0, period). A value a hair below zero would round up to the full period when the
// period is added, which puts a direction just south of east into the wrong quadrant.
double ReduceToPeriod(double a, double period)
{
    // Within one period either side fmod gives the value itself; most angles are there already.
    double r = a > -period && a < period ? a : std::fmod(a, period);
    if (r < 0)
        r += period;
    return r >= period ? 0.0 : r; // NaN passes through
}

// std::modf, signs of zero included, without the library call for the values angles take.
double SplitWhole(double x, double* whole)
{
    if (!(std::fabs(x) < 4503599627370496.0)) // 2^52; NaN and infinities too
        return std::modf(x, whole);
    // x less its truncation is exact, so only the zeros' signs need setting.
    *whole = std::copysign(double(int64_t(x)), x);
    return std::copysign(x - *whole, x);
}

} // namespace

double NormalizeAngle(double a)
{
    return ReduceToPeriod(a, TwoPi);
}

double NormalizeHalfTurn(double a)
{
    return ReduceToPeriod(a, Pi);
}

double NormalizeDegrees(double a)
{
    return ReduceToPeriod(a, 360.0);
}

double NormalizeGrads(double a)
{
    return ReduceToPeriod(a, 400.0);
}

double DirectionFromDelta(double dy, double dx)
{
    if (dy == 0.0 && dx == 0.0)
        return NoValue;
    if (dx == 0.0)
        return dy > 0 ? Pi / 2 : -Pi / 2;
    const double a = std::fabs(std::atan(dy / dx));
    if (dy > 0)
        return dx > 0 ? a : Pi - a;
    return dx > 0 ? -a : -Pi + a;
}

double VerticalAngleToZenith(double v)
{
    if (v < NoValueLimit)
        return NoValue;
    return Pi / 2 - v;
}

double ZenithToVerticalAngle(double z)
{
    if (z < NoValueLimit)
        return NoValue;
    if (z > Pi)
        z = NormalizeAngle(TwoPi - z);
    return Pi / 2 - z;
}

bool SlopeToHorizontalVertical(double slope, double zenith, double* horizontal, double* vertical)
{
    const double va = ZenithToVerticalAngle(zenith);
    if (va < NoValueLimit)
        return false;
    *horizontal = std::cos(va) * slope;
    *vertical = std::sin(va) * slope;
    return *horizontal > NoValueLimit && *vertical > NoValueLimit;
}

namespace {

// Packs decimal degrees without reducing them first; each part keeps the sign.
double PackDms(double a)
{
    double degrees = 0;
    const double f = SplitWhole(a, &degrees);
    double minutes = 0;
    const double g = SplitWhole(f * 60.0, &minutes);
    const double result = minutes / 100.0 + degrees + g * 0.006;
    return result == 360.0 ? 0.0 : result;
}

// Unpacks a non-negative packed value. The biases keep a stored 0.30 that is really
// 0.2999999... from losing a whole minute; the second takes the first back out of the seconds.
double UnpackDms(double a)
{
    double degrees = 0;
    double f = SplitWhole(a, &degrees);
    f = (f >= 0 ? f + 5e-14 : f - 5e-14) * 100.0;
    double minutes = 0;
    double g = SplitWhole(f, &minutes);
    g = minutes >= 0 ? g - 5e-12 : g + 5e-12;
    return (minutes / 60.0 + degrees) + g / 36.0;
}

} // namespace

double DecimalToDms(double deg)
{
    return PackDms(NormalizeDegrees(deg));
}

double SignedDecimalToDms(double deg)
{
    return deg >= 0 ? DecimalToDms(deg) : -DecimalToDms(-deg);
}

double DecimalToDmsUnreduced(double deg)
{
    return PackDms(deg);
}

double DmsToDecimal(double packed)
{
    const double s = packed >= 0 ? 1.0 : -1.0;
    const double a = NormalizeDegrees(packed / s);
    if (a == 0.0)
        return 0.0;
    return s * UnpackDms(a);
}

double DmsToDecimalNormalized(double packed)
{
    const double s = packed >= 0 ? 1.0 : -1.0;
    const double a = NormalizeDegrees(packed / s);
    if (a == 0.0)
        return 0.0;
    return NormalizeDegrees(s * UnpackDms(a));
}

double DmsToDecimalUnreduced(double packed)
{
    const double s = packed >= 0 ? 1.0 : -1.0;
    const double a = packed / s;
    if (a == 0.0)
        return 0.0;
    return s * UnpackDms(a);
}

double RadiansToDms(double radians)
{
    return DecimalToDmsUnreduced(radians * 180.0 / Pi);
}

double DmsToRadians(double packed)
{
    return DmsToDecimalUnreduced(packed) * Pi / 180.0;
}

namespace {

double RoundPackedDmsTo(double packed, int decimals, bool reduce)
{
    if (packed < NoValueLimit)
        return packed;
    const double s = packed >= 0 ? 1.0 : -1.0;
    const double a = packed / s;
    if (a == 0.0)
        return 0.0;

    double degrees = 0;
    double f = SplitWhole(a, &degrees);
    f = (f + 5e-14) * 100.0;
    double minutes = 0;
    const double g = SplitWhole(f, &minutes);
    const double sec = (g + 5e-12) * 100.0;
    double seconds = 0;
    double h = SplitWhole(sec, &seconds) + 4.999999999999999e-10;

    if (h != 0.0) {
        const double q = IntPower(10.0, decimals);
        h *= q;
        double whole = 0;
        const double r = SplitWhole(h, &whole) + 5e-08;
        if (r >= 0.5)
            whole += 1.0;
        h = whole / q;
    }

    if (h >= 1.0) {
        h = 0.0;
        seconds += 1.0;
    }
    if (seconds >= 60.0) {
        seconds = 0.0;
        minutes += 1.0;
    }
    if (minutes >= 60.0) {
        minutes = 0.0;
        degrees += 1.0;
    }
    const double rounded = (minutes / 100.0 + degrees) + (seconds + h) / 10000.0;
    return s * (reduce ? NormalizeDegrees(rounded) : rounded);
}

} // namespace

double RoundPackedDms(double packed, int decimals)
{
    return RoundPackedDmsTo(packed, decimals, true);
}

double RoundPackedDmsUnreduced(double packed, int decimals)
{
    return RoundPackedDmsTo(packed, decimals, false);
}

bool SlopeDistanceBetween(const CLocation* a, const CLocation* b, double* d)
{
    if (!a->IsValid3D() || !b->IsValid3D())
        return false;
    const double dx = b->x - a->x;
    const double dy = b->y - a->y;
    const double dz = b->z - a->z;
    *d = std::sqrt(dx * dx + dy * dy + dz * dz);
    return true;
}

bool ElevationDifferenceBetween(const CLocation* a, const CLocation* b, double* dz)
{
    if (!a->IsValid3D() || !b->IsValid3D())
        return false;
    *dz = b->z - a->z;
    return true;
}

bool VerticalAngleBetween(const CLocation* a, const CLocation* b, double* angle)
{
    if (!a->IsValid3D() || !b->IsValid3D())
        return false;
    const double h = a->HorizontalDistance(*b);
    const double dz = b->z - a->z;
    if (dz == 0.0 && h == 0.0) {
        *angle = 0.0;
        return false;
    }
    *angle = std::atan2(dz, h);
    return true;
}

bool DirectionBetween(const CLocation* a, const CLocation* b, double* direction)
{
    a->DistanceAndDirection(*b, direction);
    return *direction > NoValueLimit;
}

double MetresToFeet(double value, int jobDistanceCode)
{
    if (value < NoValueLimit)
        return NoValue;
    if (jobDistanceCode == JobUnitInternationalFeet)
        return value * MetresToInternationalFeet;
    if (jobDistanceCode == JobUnitUsSurveyFeet)
        return value * MetresToUsSurveyFeet;
    return value;
}

double FeetToMetres(double value, int jobDistanceCode)
{
    if (value < NoValueLimit)
        return NoValue;
    if (jobDistanceCode == JobUnitInternationalFeet)
        return value * InternationalFeetToMetres;
    if (jobDistanceCode == JobUnitUsSurveyFeet)
        return value * UsSurveyFeetToMetres;
    return value;
}

double ScaleFactorToPpm(double sf)
{
    if (sf > 1.0)
        return (sf - 1.0) * 1e6;
    if (sf > 0.0 && sf < 1.0)
        return -(1.0 - sf) * 1e6;
    return 0.0;
}

double PpmToScaleFactor(double ppm)
{
    if (ppm > 0)
        return 1.0 + ppm * 1e-6;
    if (ppm < 0)
        return 1.0 - std::fabs(ppm) * 1e-6;
    return 1.0;
}

double RoundDisplayDistance(double metres, const CMathConversions& conversions)
{
    if (metres < NoValueLimit)
        return metres;
    double d = conversions.MetresToDisplay(metres);
    double whole = 0;
    const double f = std::modf(d, &whole);
    double rounded = f;
    if (f > 0)
        rounded = std::floor((f + 5e-06) / 0.0001 * 10.0) * 0.0001 / 10.0;
    else if (f < 0)
        rounded = std::ceil((f - 5e-06) / 0.0001 * 10.0) * 0.0001 / 10.0;
    const double change = std::fabs(rounded - f);
    if (change != 0.0 && change < 5e-06)
        d = whole + rounded;
    return conversions.DisplayToMetres(d);
}
