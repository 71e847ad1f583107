#pragma once

#include "core/Format.h"

// Formats with units and decimals held in the object, set by its owner (the preference preview).
class CGenericFormat : public CFormat
{
public:
    CGenericFormat();

    // Distance unit: 0 metres, 1 international foot, 2 US survey foot.
    void SetDistanceUnits(int code) { m_distanceUnits = code; }
    // 0 north, 1 south.
    void SetAzimuthFormat(int format) { m_azimuthFormat = format; }
    // 0 degrees, 1 grads.
    void SetAngleUnits(int code) { m_angleUnits = code; }
    void SetStationFormat(int format) { m_stationFormat = format; }
    void SetAnglePrecision(int decimals) { m_angleDecimals = decimals; }
    int GetDistanceUnits() const { return m_distanceUnits; }

    // Metres to the own distance unit and back; an unknown unit gives NoValue.
    double ToDisplayUnits(double metres) const;
    double FromDisplayUnits(double value) const;
    double ToDisplayAzimuth(double direction) const;
    double ToDisplayHorizontalAngle(double angle) const;
    void ToDisplayAngle(double* angle) const;

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

    // Angle in the own display units to text; decimals -1 for the own angle decimals.
    void FormatAngleText(double value, std::string* text, bool edit, int decimals, bool forceDms) const;

private:
    int m_distanceUnits = 0;
    int m_azimuthFormat = 0;
    int m_angleUnits = 0;
    int m_stationFormat = 0;
    bool m_architecturalUnits = false;
    int m_angleDecimals = 3;
    int m_distanceDecimals = 3;
    int m_coordinateDecimals = 3;
    int m_elevationDecimals = 3;
    int m_smallAreaDecimals = 3;
    int m_largeAreaDecimals = 3;
    int m_gradeDecimals = 3;
};
