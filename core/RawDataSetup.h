#pragma once

#include <cstdint>
#include <string>

class CColoredTextLines;

// The settings in force at a line of the raw observation data: the units its values are written
// in, its modes and its station. The raw-data subsystem implements it; the raw-data formatter and
// the raw records call it. Unit codes: distance 0 international foot, 1 metres, 2 US survey foot;
// angle 0 degrees (packed D.MMSS), 1 grads; zero azimuth 0 north, 1 south; -1 when the setup
// holds no valid unit.
class CRawDataSetup
{
public:
    virtual ~CRawDataSetup() = default;

    // Raw values to internal ones and back; NoValue when the value is absent or a unit the
    // conversion needs is missing.
    virtual double AzimuthToDirection(double azimuth) const = 0;
    virtual double AngleToRadians(double angle) const = 0;
    virtual double VerticalAngleToRadians(double angle) const = 0;
    virtual double DistanceToMetres(double distance) const = 0;
    virtual double DirectionToAzimuth(double direction) const = 0;
    virtual double RadiansToAngle(double radians) const = 0;
    virtual double RadiansToVerticalAngle(double radians) const = 0;
    virtual double MetresToDistance(double metres) const = 0;

    // "m", "ft", "USft" (no leading blank); empty for either foot under architectural units and
    // for a missing unit.
    virtual std::string GetDistanceUnitLabel() const = 0;
    virtual int32_t GetZeroAzimuth() const = 0;
    virtual int32_t GetDistanceUnit() const = 0;
    virtual int32_t GetAngleUnit() const = 0;

    // The "Current Setup" and "Current Mode" blocks of a line's long description; false without
    // text lines or without a raw data file.
    virtual bool FormatCurrentSetup(CColoredTextLines* lines, bool longLabels, bool checkHr) = 0;
    virtual bool FormatCurrentMode(CColoredTextLines* lines, bool longLabels) = 0;

    // What the raw-data formatter calls, in terms of the conversions above.
    double ToDisplayAzimuth(double direction) const { return DirectionToAzimuth(direction); }
    double ToDisplayHorizontalAngle(double angle) const { return RadiansToAngle(angle); }
    double ToDisplayDistance(double metres) const { return MetresToDistance(metres); }
    int GetDistanceUnitCode() const { return GetDistanceUnit(); }
    int GetAngleUnitCode() const { return GetAngleUnit(); }
};

// The unit rules of raw values, by unit code, shared by every setup. Each gives NoValue for an
// absent value or a code outside its list.
namespace raw_units {
double AzimuthToDirection(double azimuth, int32_t angleUnit, int32_t zeroAzimuth);
double AngleToRadians(double angle, int32_t angleUnit);
double VerticalAngleToRadians(double angle, int32_t angleUnit);
double DistanceToMetres(double distance, int32_t distanceUnit);
double DirectionToAzimuth(double direction, int32_t angleUnit, int32_t zeroAzimuth);
double RadiansToAngle(double radians, int32_t angleUnit);
double RadiansToVerticalAngle(double radians, int32_t angleUnit);
double MetresToDistance(double metres, int32_t distanceUnit);
// "m", "ft", "USft"; empty for feet when architectural units are on, and for other codes.
std::string DistanceUnitLabel(int32_t distanceUnit, bool architecturalUnits);
} // namespace raw_units
