#include "core/RawDataSetup.h"

#include "core/AngleFunctions.h"
#include "core/NoValue.h"
#include "core/UnitConstants.h"

namespace raw_units {

namespace {

// A raw angle (packed D.MMSS or grads) to radians, optionally reduced to one turn first.
double RawAngleToRadians(double angle, int32_t angleUnit, bool reduce)
{
    if (!HasValue(angle))
        return NoValue;
    switch (angleUnit) {
    case 0:
        return (reduce ? DmsToDecimalNormalized(angle) : DmsToDecimalUnreduced(angle)) * Pi / 180.0;
    case 1:
        return angle * Pi / 200.0;
    default:
        return NoValue;
    }
}

double RadiansToRawAngle(double radians, int32_t angleUnit, bool reduce)
{
    if (!HasValue(radians))
        return NoValue;
    switch (angleUnit) {
    case 0: {
        // Packing cuts rather than rounds, so 45.5 degrees held as 45.4999... would pack as
        // 45.2960 (60 seconds); rounding the seconds far below what a line shows carries it.
        const double degrees = radians * 180.0 / Pi;
        if (!reduce)
            return RoundPackedDmsUnreduced(DecimalToDmsUnreduced(degrees), 6);
        double packed = RoundPackedDms(DecimalToDms(degrees), 6);
        if (packed >= 360.0)
            packed -= 360.0;
        return packed == 360.0 ? 0.0 : packed;
    }
    case 1:
        return radians * 200.0 / Pi;
    default:
        return NoValue;
    }
}

// Azimuth and direction turn into each other by the same reflection.
double ReflectByZeroAzimuth(double a, int32_t zeroAzimuth)
{
    switch (zeroAzimuth) {
    case 0:
        return NormalizeAngle(Pi / 2 - a);
    case 1:
        return NormalizeAngle(3 * Pi / 2 - a);
    default:
        return NoValue;
    }
}

} // namespace

double AzimuthToDirection(double azimuth, int32_t angleUnit, int32_t zeroAzimuth)
{
    const double a = RawAngleToRadians(azimuth, angleUnit, true);
    return HasValue(a) ? ReflectByZeroAzimuth(a, zeroAzimuth) : NoValue;
}

double AngleToRadians(double angle, int32_t angleUnit)
{
    const double a = RawAngleToRadians(angle, angleUnit, true);
    return HasValue(a) ? NormalizeAngle(a) : NoValue;
}

double VerticalAngleToRadians(double angle, int32_t angleUnit)
{
    return RawAngleToRadians(angle, angleUnit, false);
}

double DistanceToMetres(double distance, int32_t distanceUnit)
{
    if (!HasValue(distance))
        return NoValue;
    switch (distanceUnit) {
    case 0:
        return distance * InternationalFeetToMetres;
    case 1:
        return distance;
    case 2:
        return distance * UsSurveyFeetToMetres;
    default:
        return NoValue;
    }
}

double DirectionToAzimuth(double direction, int32_t angleUnit, int32_t zeroAzimuth)
{
    if (!HasValue(direction) || angleUnit < 0 || angleUnit > 1)
        return NoValue;
    const double a = ReflectByZeroAzimuth(direction, zeroAzimuth);
    return HasValue(a) ? RadiansToRawAngle(a, angleUnit, true) : NoValue;
}

double RadiansToAngle(double radians, int32_t angleUnit)
{
    if (!HasValue(radians))
        return NoValue;
    return RadiansToRawAngle(NormalizeAngle(radians), angleUnit, true);
}

double RadiansToVerticalAngle(double radians, int32_t angleUnit)
{
    return RadiansToRawAngle(radians, angleUnit, false);
}

double MetresToDistance(double metres, int32_t distanceUnit)
{
    if (!HasValue(metres))
        return NoValue;
    switch (distanceUnit) {
    case 0:
        return metres * MetresToInternationalFeet;
    case 1:
        return metres;
    case 2:
        return metres * MetresToUsSurveyFeet;
    default:
        return NoValue;
    }
}

std::string DistanceUnitLabel(int32_t distanceUnit, bool architecturalUnits)
{
    switch (distanceUnit) {
    case 0:
        return architecturalUnits ? std::string() : std::string("ft");
    case 1:
        return "m";
    case 2:
        return architecturalUnits ? std::string() : std::string("USft");
    default:
        return {};
    }
}

} // namespace raw_units
