#pragma once

#include "core/Format.h"

class CJobValueSource;

// Formats in the job's units with the application's decimals; nothing is cached, so a change of
// the job's units or of the preferences shows on the next call.
class CDataFileFormat : public CFormat
{
public:
    explicit CDataFileFormat(const CJobValueSource* job);

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

    // Angle in display units (packed D.MMSS or grads) to text; decimals -1 for "iJobAngle".
    void FormatAngleText(double value, std::string* text, bool edit, int decimals, bool forceDms) const;

private:
    const CJobValueSource* m_job;
};
