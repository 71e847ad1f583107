#pragma once

#include <string>

class CLocation;

// Three unit numberings meet here; keep them apart and translate only through the functions
// below.
//
// Distance unit as the job settings and the preferences store it:
inline constexpr int JobUnitMetres = 0;
inline constexpr int JobUnitInternationalFeet = 1;
inline constexpr int JobUnitUsSurveyFeet = 2;
// Distance unit as CMathConversions::GetDistanceUnits reports it:
inline constexpr int ClassUnitInternationalFeet = 0;
inline constexpr int ClassUnitMetres = 1;
inline constexpr int ClassUnitUsSurveyFeet = 2;
// Angle unit (GetAngleUnits) and azimuth format (GetAzimuthFormat), the same in both:
inline constexpr int AngleUnitDegrees = 0; // shown as packed D.MMSS
inline constexpr int AngleUnitGrads = 1;
inline constexpr int AzimuthNorth = 0;
inline constexpr int AzimuthSouth = 1;

// Job distance code to class code; an unknown job code means metres.
int JobDistanceUnitToClassUnit(int jobCode);
// Unknown angle units count as degrees, unknown azimuth formats as north.
int JobAngleUnitToClassUnit(int jobCode);
int JobAzimuthFormatToClassFormat(int jobCode);

// Converts between the internal units (metres, square metres, radians, directions
// counter-clockwise from east) and the units a job or a raw-data setup shows. Concrete classes
// supply the units; conversions read them at every call so a change of units takes effect at once.
class CMathConversions
{
public:
    virtual ~CMathConversions() = default;

    // Absent values (below the no-value limit) pass through unchanged.
    virtual double MetresToDisplay(double metres) const;
    virtual double DisplayToMetres(double display) const;
    virtual int GetAngleUnits() const = 0;
    virtual int GetAzimuthFormat() const = 0;
    // Class numbering (ClassUnit...).
    virtual int GetDistanceUnits() const = 0;
    virtual double SquareMetresToDisplay(double squareMetres) const = 0;
    virtual double DisplayAreaToLargeArea(double area) const = 0;
    virtual double LargeAreaToDisplayArea(double largeArea) const = 0;
    virtual std::string GetAreaUnitLabel() const = 0;
    virtual std::string GetLargeAreaUnitLabel() const = 0;
    virtual std::string GetDistanceUnitLabel() const = 0;
    // "deg" or "g".
    virtual std::string GetAngleUnitLabel() const;
    // "Cubic m" in metres, otherwise "Cubic YDS.".
    virtual std::string GetVolumeUnitLabel() const;

    // Azimuths and angles in display units (packed D.MMSS or grads) to and from radians. The
    // pointer forms overwrite their argument. An absent value is left as it is rather than turned
    // into a plausible-looking angle.
    void DmsAzimuthToDirection(double* v) const;
    void GradsAzimuthToDirection(double* v) const;
    void DirectionToDmsAzimuth(double* v) const;
    void DirectionToGradsAzimuth(double* v) const;
    double DisplayAzimuthToDirection(double v) const;
    void DirectionToDisplayAzimuth(double* v) const;
    // One turn: [0, 360) packed or [0, 400) grads.
    void AngleToDisplay(double* v) const;
    // As AngleToDisplay, with the whole turns of the input added back.
    void AngleToDisplayWithTurns(double* v) const;
    void SignedAngleToDisplay(double* v) const;
    double DisplayAngleToRadians(double v) const;
    double DisplayAngleToRadiansNormalized(double v) const;
    void RadiansToDisplaySeconds(double* v) const;
    void DisplaySecondsToRadians(double* v) const;

    // Measurements between two (or three, b the vertex) points, used to fill a field from
    // named points. False when a point is missing or lacks what the measurement needs.
    bool SlopeDistanceBetweenPoints(const CLocation* a, const CLocation* b, double* d) const;
    bool ElevationDifferenceBetweenPoints(const CLocation* a, const CLocation* b, double* dz) const;
    bool VerticalAngleBetweenPoints(const CLocation* a, const CLocation* b, double* angle) const;
    bool DirectionBetweenPoints(const CLocation* a, const CLocation* b, double* direction) const;
    // Counter-clockwise angle at b from a to c.
    bool AngleAtVertexOfPoints(const CLocation* a, const CLocation* b, const CLocation* c,
                               double* angle) const;

    // The same measurements between points of the active job named by the caller; false when no
    // job is open or a name is not found.
    bool SlopeDistanceBetweenPoints(const std::string& a, const std::string& b, double* d) const;
    bool ElevationDifferenceBetweenPoints(const std::string& a, const std::string& b, double* dz) const;
    bool VerticalAngleBetweenPoints(const std::string& a, const std::string& b, double* angle) const;
    bool DirectionBetweenPoints(const std::string& a, const std::string& b, double* direction) const;
    bool AngleAtVertexOfPoints(const std::string& a, const std::string& b, const std::string& c,
                               double* angle) const;
    // Horizontal distance and direction from a to b; true when the distance is present.
    bool DistanceAndDirectionBetweenPoints(const std::string& a, const std::string& b, double* distance,
                                           double* direction) const;

private:
    // Turns an azimuth already in radians into a direction for this object's azimuth format.
    double AzimuthRadiansToDirection(double azimuth) const;
};
