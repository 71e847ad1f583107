#pragma once

#include "core/ColoredTextLines.h"
#include "core/FormatPreferences.h"
#include "core/RawDataSetup.h"

#include <string>

namespace morvel::test {

// A raw-data setup with fixed unit codes (metres, degrees, north unless a test changes them);
// its mode and setup blocks are one line each so descriptions can be told apart.
class FakeRawDataSetup : public CRawDataSetup
{
public:
    int32_t distanceCode = 1;
    int32_t angleCode = 0;
    int32_t zeroAzimuth = 0;

    double AzimuthToDirection(double v) const override { return raw_units::AzimuthToDirection(v, angleCode, zeroAzimuth); }
    double AngleToRadians(double v) const override { return raw_units::AngleToRadians(v, angleCode); }
    double VerticalAngleToRadians(double v) const override { return raw_units::VerticalAngleToRadians(v, angleCode); }
    double DistanceToMetres(double v) const override { return raw_units::DistanceToMetres(v, distanceCode); }
    double DirectionToAzimuth(double v) const override { return raw_units::DirectionToAzimuth(v, angleCode, zeroAzimuth); }
    double RadiansToAngle(double v) const override { return raw_units::RadiansToAngle(v, angleCode); }
    double RadiansToVerticalAngle(double v) const override { return raw_units::RadiansToVerticalAngle(v, angleCode); }
    double MetresToDistance(double v) const override { return raw_units::MetresToDistance(v, distanceCode); }
    std::string GetDistanceUnitLabel() const override
    {
        return raw_units::DistanceUnitLabel(distanceCode, GetFormatPreferences().iUseArchetecturalUnits);
    }
    int32_t GetZeroAzimuth() const override { return zeroAzimuth; }
    int32_t GetDistanceUnit() const override { return distanceCode; }
    int32_t GetAngleUnit() const override { return angleCode; }
    bool FormatCurrentSetup(CColoredTextLines* lines, bool, bool) override
    {
        if (!lines)
            return false;
        lines->AddLine("Current Setup", TitleTextColor);
        return true;
    }
    bool FormatCurrentMode(CColoredTextLines* lines, bool) override
    {
        if (!lines)
            return false;
        lines->AddLine("Current Mode", TitleTextColor);
        return true;
    }
};

} // namespace morvel::test
