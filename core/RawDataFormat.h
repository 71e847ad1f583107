#pragma once

#include "core/Format.h"

class CRawDataSetup;

// Formats in the units of one raw-data setup. The decimals are copied once at construction;
// the object must not outlive its setup.
class CRawDataFormat : public CFormat
{
public:
    // With useJobDecimals and a job open, the decimals come from the preferences; otherwise 6.
    // Grades always get 3.
    CRawDataFormat(const CRawDataSetup* setup, bool useJobDecimals);

    std::string FormatCoordinate(double value, bool edit, bool withUnit) const override;
    std::string FormatElevation(double value, bool edit, bool withUnit) const override;
    std::string FormatNorthSouthAngle(double angle, bool edit) const override;
    std::string FormatEastWestAngle(double angle, bool edit) const override;
    std::string FormatHeight(double value, bool edit) const override;
    std::string FormatDistance(double value, bool edit, bool withUnit) const override;
    std::string FormatAzimuth(double direction, bool edit) const override;
    std::string FormatHorizontalAngle(double angle, bool edit) const override;
    std::string FormatAngle(double angle, bool edit, int decimals) const override;
    std::string FormatVerticalAngle(double angle, bool edit) const override;
    std::string FormatReducedVerticalAngle(double angle, bool edit) const override;
    std::string FormatBearing(double direction, bool edit) const override;
    std::string FormatStation(double station, bool edit) const override;
    std::string FormatGrade(double ratio, bool edit) const override;
    std::string FormatRatio(double value, bool edit) const override;
    std::string FormatPlainDistance(double value, bool edit) const override;
    std::string FormatLargeArea(double area, bool edit) const override;
    std::string FormatSmallArea(double area, bool edit) const override;
    std::string FormatPointName(const std::string& name, bool edit) const override;
    std::string GetDistanceUnitSuffix() const override;
    std::string GetAngleUnitSuffix() const override;
    std::string FormatFeetInches(const std::string& decimalFeet) const override;
    bool UsesArchitecturalUnits() const override;

    // Angle in the setup's display units to text; decimals -1 for this object's angle decimals.
    void FormatAngleText(double value, std::string* text, bool edit, int decimals, bool forceDms) const;
    // FormatAzimuth's and FormatHorizontalAngle's display texts added to the end of `out`, for
    // texts built in one piece.
    void AppendAzimuth(std::string& out, double direction) const;
    void AppendHorizontalAngle(std::string& out, double angle) const;

private:
    const CRawDataSetup* m_setup;
    int m_angleDecimals;
    bool m_angleDecimalsFromJob = false; // "iJobAngle": grads show at least four decimals
    int m_distanceDecimals;
    int m_coordinateDecimals;
    int m_elevationDecimals;
    int m_smallAreaDecimals;
    int m_largeAreaDecimals;
    int m_gradeDecimals;
};
