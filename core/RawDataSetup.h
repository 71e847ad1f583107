#pragma once

#include <cstdint>
#include <string>

class CColoredTextLines;
class CDataFileDoc;
class CLocation;
class CNikonRawDataRecord;
class CRawDataFile;
class CStakeoutState;

// The settings in force at a line of the raw observation data: the units its values are written
// in, its modes, its corrections and its station, after that line has been applied. The raw-data
// subsystem implements it; the raw-data formatter and the raw records call it. Unit codes:
// distance 0 international foot, 1 metres, 2 US survey foot; angle 0 degrees (packed D.MMSS),
// 1 grads; zero azimuth 0 north, 1 south; -1 when the setup holds no valid unit.
class CRawDataSetup
{
public:
    CRawDataSetup() = default;
    CRawDataSetup(CRawDataFile* file, int32_t line) : m_line(line), m_file(file) {}
    virtual ~CRawDataSetup() = default;

    int32_t GetLine() const { return m_line; }
    void SetLine(int32_t line) { m_line = line; }
    CRawDataFile* GetRawDataFile() const { return m_file; }

    // Copies the settings (not the line or the file) of a setup of the same kind.
    virtual bool CopySettings(const CRawDataSetup* other) = 0;
    // Units, station, backsight azimuth and (when asked) HR; the first failure's message.
    virtual bool ValidateForReduction(std::string* message, bool checkHr) const = 0;
    virtual CRawDataSetup& Reset() = 0;
    virtual bool ValidateUnits(std::string* message) const = 0;

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
    // Added to every slope distance whose magnitude is at least 0.0001.
    virtual double GetDistanceConstant() const = 0;
    // False when the curvature and refraction adjustment is off; else the coefficient code
    // (0: 0.132, 1: 0.200).
    virtual bool GetCurvatureRefraction(uint8_t* coefficient) const = 0;
    virtual bool GetSeaLevelAdjustment(int32_t* value) const = 0;
    // The factor; returns whether it is applied.
    virtual bool GetScaleFactor(double* factor) const = 0;

    virtual bool ValidateStation(std::string* message) const = 0;
    virtual std::string GetOccupyPoint() const = 0;
    virtual bool GetOccupyLocation(CLocation* location) const = 0;
    virtual std::string GetBlankText() const = 0;
    virtual double GetBacksightAzimuth() const = 0;
    virtual double GetBacksightCircle() const = 0;
    virtual std::string GetBacksightPoint() const = 0;
    virtual double GetHI() const = 0;
    virtual double GetHR() const = 0;
    virtual double GetHeightDifference() const = 0;

    // The raw data's point-name map as of this setup's line.
    virtual bool IsPointKnown(const std::string& name) const = 0;
    virtual bool GetPointLocation(const std::string& name, CLocation* location) const = 0;
    virtual bool GetPointDescription(const std::string& name, std::string* description) const = 0;
    virtual bool GetStakeoutState(CStakeoutState* state) const = 0;

    // Applies the line's record to this setup (and files what it stores or measures).
    virtual void ApplyRecord(CNikonRawDataRecord& record) = 0;
    // Has the station drawn when the flags hold bit 2 or 4.
    virtual void AddStationPreview(uint32_t flags) = 0;
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

protected:
    int32_t m_line = -1;
    CRawDataFile* m_file = nullptr;
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
