#pragma once

#include <string>

// The settings in force at a line of the raw observation data, as the raw-data formatter sees
// them; the raw-data subsystem implements it. Unit codes: distance 0 international foot,
// 1 metres, 2 US survey foot; angle 0 degrees, 1 grads; -1 when the setup holds no valid unit.
class CRawDataSetup
{
public:
    virtual ~CRawDataSetup() = default;

    // Direction (radians) to an azimuth in the setup's angle unit; NoValue when the value or
    // the setup's azimuth setting or angle unit is missing.
    virtual double ToDisplayAzimuth(double direction) const = 0;
    virtual double ToDisplayHorizontalAngle(double angle) const = 0;
    virtual double ToDisplayDistance(double metres) const = 0;
    // "m", "ft", "USft" (no leading blank); empty for feet under architectural units.
    virtual std::string GetDistanceUnitLabel() const = 0;
    virtual int GetDistanceUnitCode() const = 0;
    virtual int GetAngleUnitCode() const = 0;
};
