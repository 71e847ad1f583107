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
    bool CopySettings(const CRawDataSetup* other) override
    {
        auto* fake = dynamic_cast<const FakeRawDataSetup*>(other);
        if (!fake)
            return false;
        distanceCode = fake->distanceCode;
        angleCode = fake->angleCode;
        zeroAzimuth = fake->zeroAzimuth;
        return true;
    }
    bool ValidateForReduction(std::string* message, bool) const override { return ValidateUnits(message); }
    CRawDataSetup& Reset() override { return *this; }
    bool ValidateUnits(std::string* message) const override
    {
        if (distanceCode >= 0 && angleCode >= 0 && zeroAzimuth >= 0)
            return true;
        if (message)
            *message = "No valid distance unit found.";
        return false;
    }
    double GetDistanceConstant() const override { return 0.0; }
    bool GetCurvatureRefraction(uint8_t*) const override { return false; }
    bool GetSeaLevelAdjustment(int32_t* value) const override
    {
        *value = 0;
        return true;
    }
    bool GetScaleFactor(double* factor) const override
    {
        *factor = 1.0;
        return false;
    }
    bool ValidateStation(std::string*) const override { return false; }
    std::string GetOccupyPoint() const override { return {}; }
    bool GetOccupyLocation(CLocation*) const override { return false; }
    std::string GetBlankText() const override { return {}; }
    double GetBacksightAzimuth() const override { return -9.99e27; }
    double GetBacksightCircle() const override { return -9.99e27; }
    std::string GetBacksightPoint() const override { return {}; }
    double GetHI() const override { return -9.99e27; }
    double GetHR() const override { return -9.99e27; }
    double GetHeightDifference() const override { return -9.99e27; }
    bool IsPointKnown(const std::string&) const override { return false; }
    bool GetPointLocation(const std::string&, CLocation*) const override { return false; }
    bool GetPointDescription(const std::string&, std::string*) const override { return false; }
    bool GetStakeoutState(CStakeoutState*) const override { return false; }
    void ApplyRecord(CNikonRawDataRecord&) override {}
    void AddStationPreview(uint32_t) override {}
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
