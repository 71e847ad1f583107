#include "core/MathConversions.h"

#include "core/AngleFunctions.h"
#include "core/Geometry.h"
#include "core/Location.h"
#include "core/NoValue.h"
#include "core/JobValueSource.h"
#include "core/UnitConstants.h"

#include <cmath>

int JobDistanceUnitToClassUnit(int jobCode)
{
    switch (jobCode) {
    case JobUnitMetres:
        return ClassUnitMetres;
    case JobUnitInternationalFeet:
        return ClassUnitInternationalFeet;
    case JobUnitUsSurveyFeet:
        return ClassUnitUsSurveyFeet;
    default:
        return ClassUnitMetres;
    }
}

int JobAngleUnitToClassUnit(int jobCode)
{
    return jobCode == AngleUnitGrads ? AngleUnitGrads : AngleUnitDegrees;
}

int JobAzimuthFormatToClassFormat(int jobCode)
{
    return jobCode == AzimuthSouth ? AzimuthSouth : AzimuthNorth;
}

double CMathConversions::MetresToDisplay(double metres) const
{
    if (metres < NoValueLimit)
        return metres;
    switch (GetDistanceUnits()) {
    case ClassUnitInternationalFeet:
        return metres * MetresToInternationalFeet;
    case ClassUnitUsSurveyFeet:
        return metres * MetresToUsSurveyFeet;
    default:
        return metres;
    }
}

double CMathConversions::DisplayToMetres(double display) const
{
    if (display < NoValueLimit)
        return display;
    switch (GetDistanceUnits()) {
    case ClassUnitInternationalFeet:
        return display * InternationalFeetToMetres;
    case ClassUnitUsSurveyFeet:
        return display * UsSurveyFeetToMetres;
    default:
        return display;
    }
}

std::string CMathConversions::GetAngleUnitLabel() const
{
    return GetAngleUnits() == AngleUnitDegrees ? "deg" : "g";
}

std::string CMathConversions::GetVolumeUnitLabel() const
{
    return GetDistanceUnits() == ClassUnitMetres ? "Cubic m" : "Cubic YDS.";
}

double CMathConversions::AzimuthRadiansToDirection(double azimuth) const
{
    double v = azimuth;
    switch (GetAzimuthFormat()) {
    case AzimuthNorth:
        v = Pi / 2 - azimuth;
        break;
    case AzimuthSouth:
        v = 3 * Pi / 2 - azimuth;
        break;
    default:
        break;
    }
    return NormalizeAngle(v);
}

void CMathConversions::DmsAzimuthToDirection(double* v) const
{
    if (*v < NoValueLimit)
        return;
    *v = AzimuthRadiansToDirection(DmsToDecimalNormalized(*v) * Pi / 180.0);
}

void CMathConversions::GradsAzimuthToDirection(double* v) const
{
    if (*v < NoValueLimit)
        return;
    *v = AzimuthRadiansToDirection(*v * Pi / 200.0);
}

void CMathConversions::DirectionToDmsAzimuth(double* v) const
{
    if (*v < NoValueLimit)
        return;
    double a = 0 - NormalizeAngle(*v);
    if (GetAzimuthFormat() == AzimuthNorth)
        a += Pi / 2;
    else if (GetAzimuthFormat() == AzimuthSouth)
        a += 3 * Pi / 2;
    *v = DecimalToDms(a * 360.0 / TwoPi);
}

void CMathConversions::DirectionToGradsAzimuth(double* v) const
{
    if (*v < NoValueLimit)
        return;
    double a = 0 - *v;
    if (GetAzimuthFormat() == AzimuthNorth)
        a += Pi / 2;
    else if (GetAzimuthFormat() == AzimuthSouth)
        a += 3 * Pi / 2;
    *v = NormalizeGrads(a * 200.0 / Pi);
}

double CMathConversions::DisplayAzimuthToDirection(double v) const
{
    if (GetAngleUnits() == AngleUnitDegrees)
        DmsAzimuthToDirection(&v);
    else
        GradsAzimuthToDirection(&v);
    return v;
}

void CMathConversions::DirectionToDisplayAzimuth(double* v) const
{
    if (GetAngleUnits() == AngleUnitDegrees)
        DirectionToDmsAzimuth(v);
    else
        DirectionToGradsAzimuth(v);
}

void CMathConversions::AngleToDisplay(double* v) const
{
    if (*v < NoValueLimit)
        return;
    if (GetAngleUnits() == AngleUnitDegrees)
        *v = DecimalToDms(*v * 360.0 / TwoPi);
    else
        *v = NormalizeGrads(*v * 200.0 / Pi);
}

void CMathConversions::AngleToDisplayWithTurns(double* v) const
{
    if (*v < NoValueLimit)
        return;
    const double turns = std::floor(std::fabs(*v / TwoPi));
    AngleToDisplay(v);
    *v += turns * (GetAngleUnits() == AngleUnitDegrees ? 360.0 : 400.0);
}

void CMathConversions::SignedAngleToDisplay(double* v) const
{
    if (*v < NoValueLimit)
        return;
    if (GetAngleUnits() == AngleUnitDegrees)
        *v = SignedDecimalToDms(*v * 360.0 / TwoPi);
    else
        *v = *v * 200.0 / Pi;
}

double CMathConversions::DisplayAngleToRadians(double v) const
{
    if (v < NoValueLimit)
        return v;
    if (GetAngleUnits() == AngleUnitDegrees)
        return DmsToDecimal(v) * Pi / 180.0;
    return v * Pi / 200.0;
}

double CMathConversions::DisplayAngleToRadiansNormalized(double v) const
{
    if (v < NoValueLimit)
        return v;
    if (GetAngleUnits() == AngleUnitDegrees)
        return DmsToDecimalNormalized(v) * Pi / 180.0;
    return v * Pi / 200.0;
}

void CMathConversions::RadiansToDisplaySeconds(double* v) const
{
    *v *= GetAngleUnits() == AngleUnitDegrees ? RadiansToArcSeconds : RadiansToCentesimalSeconds;
}

void CMathConversions::DisplaySecondsToRadians(double* v) const
{
    *v *= GetAngleUnits() == AngleUnitDegrees ? ArcSecondsToRadians : CentesimalSecondsToRadians;
}

bool CMathConversions::SlopeDistanceBetweenPoints(const CLocation* a, const CLocation* b,
                                                  double* d) const
{
    return a && b && SlopeDistanceBetween(a, b, d);
}

bool CMathConversions::ElevationDifferenceBetweenPoints(const CLocation* a, const CLocation* b,
                                                        double* dz) const
{
    return a && b && ElevationDifferenceBetween(a, b, dz);
}

bool CMathConversions::VerticalAngleBetweenPoints(const CLocation* a, const CLocation* b,
                                                  double* angle) const
{
    return a && b && VerticalAngleBetween(a, b, angle);
}

bool CMathConversions::DirectionBetweenPoints(const CLocation* a, const CLocation* b,
                                              double* direction) const
{
    return a && b && DirectionBetween(a, b, direction);
}

bool CMathConversions::AngleAtVertexOfPoints(const CLocation* a, const CLocation* b,
                                             const CLocation* c, double* angle) const
{
    if (!a || !b || !c)
        return false;
    double explement = 0;
    double third = 0;
    return AngleAtVertex(*a, *b, *c, angle, &explement, &third);
}

namespace {

// Locations of named points of the active job; false when no job is open or a name is unknown.
template <size_t N>
bool NamedLocations(const std::string* const (&names)[N], CLocation (&out)[N])
{
    const CJobValueSource* job = GetActiveJobValueSource();
    if (job == nullptr)
        return false;
    for (size_t i = 0; i < N; ++i)
        if (!job->FindPointLocation(*names[i], &out[i]))
            return false;
    return true;
}

} // namespace

bool CMathConversions::SlopeDistanceBetweenPoints(const std::string& a, const std::string& b, double* d) const
{
    CLocation p[2];
    return NamedLocations({&a, &b}, p) && SlopeDistanceBetweenPoints(&p[0], &p[1], d);
}

bool CMathConversions::ElevationDifferenceBetweenPoints(const std::string& a, const std::string& b,
                                                        double* dz) const
{
    CLocation p[2];
    return NamedLocations({&a, &b}, p) && ElevationDifferenceBetweenPoints(&p[0], &p[1], dz);
}

bool CMathConversions::VerticalAngleBetweenPoints(const std::string& a, const std::string& b,
                                                  double* angle) const
{
    CLocation p[2];
    return NamedLocations({&a, &b}, p) && VerticalAngleBetweenPoints(&p[0], &p[1], angle);
}

bool CMathConversions::DirectionBetweenPoints(const std::string& a, const std::string& b,
                                              double* direction) const
{
    CLocation p[2];
    return NamedLocations({&a, &b}, p) && DirectionBetweenPoints(&p[0], &p[1], direction);
}

bool CMathConversions::AngleAtVertexOfPoints(const std::string& a, const std::string& b, const std::string& c,
                                             double* angle) const
{
    CLocation p[3];
    return NamedLocations({&a, &b, &c}, p) && AngleAtVertexOfPoints(&p[0], &p[1], &p[2], angle);
}

bool CMathConversions::DistanceAndDirectionBetweenPoints(const std::string& a, const std::string& b,
                                                         double* distance, double* direction) const
{
    CLocation p[2];
    if (!NamedLocations({&a, &b}, p))
        return false;
    double dir = NoValue;
    const double d = p[0].DistanceAndDirection(p[1], &dir);
    if (distance != nullptr)
        *distance = d;
    if (direction != nullptr)
        *direction = dir;
    return d > NoValueLimit;
}
