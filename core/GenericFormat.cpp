#include "core/GenericFormat.h"

#include "core/AngleFunctions.h"
#include "core/FormatHelpers.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/UnitConstants.h"

#include <cmath>

using namespace format_detail;

CGenericFormat::CGenericFormat() = default;

double CGenericFormat::ToDisplayUnits(double metres) const
{
    if (IsNoValue(metres))
        return NoValue;
    switch (m_distanceUnits) {
    case JobUnitMetres:
        return metres;
    case JobUnitInternationalFeet:
        return metres * MetresToInternationalFeet;
    case JobUnitUsSurveyFeet:
        return metres * MetresToUsSurveyFeet;
    default:
        return NoValue;
    }
}

double CGenericFormat::FromDisplayUnits(double value) const
{
    if (IsNoValue(value))
        return NoValue;
    switch (m_distanceUnits) {
    case JobUnitMetres:
        return value;
    case JobUnitInternationalFeet:
        return value * InternationalFeetToMetres;
    case JobUnitUsSurveyFeet:
        return value * UsSurveyFeetToMetres;
    default:
        return NoValue;
    }
}

double CGenericFormat::ToDisplayAzimuth(double direction) const
{
    if (IsNoValue(direction))
        return NoValue;
    double a = 0.0;
    if (m_azimuthFormat == 0)
        a = Pi / 2 - direction;
    else if (m_azimuthFormat == 1)
        a = 3 * Pi / 2 - direction;
    else
        return NoValue;
    a = NormalizeAngle(a);
    return m_angleUnits == AngleUnitDegrees ? DecimalToDms(a * 180.0 / Pi) : a * 200.0 / Pi;
}

double CGenericFormat::ToDisplayHorizontalAngle(double angle) const
{
    if (IsNoValue(angle))
        return NoValue;
    const double a = NormalizeAngle(angle);
    return m_angleUnits == AngleUnitDegrees ? DecimalToDms(a * 180.0 / Pi) : NormalizeGrads(a * 200.0 / Pi);
}

void CGenericFormat::ToDisplayAngle(double* angle) const
{
    if (IsNoValue(*angle))
        return;
    if (m_angleUnits == AngleUnitDegrees)
        *angle = SignedDecimalToDms(*angle * 180.0 / Pi);
    else
        *angle = *angle * 200.0 / Pi;
}

void CGenericFormat::FormatAngleText(double value, std::string* text, bool edit, int decimals,
                                     bool forceDms) const
{
    if (decimals == -1)
        decimals = m_angleDecimals;
    *text = AngleText(value, edit, decimals, m_angleUnits, forceDms, false);
}

std::string CGenericFormat::FormatCoordinate(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, ToDisplayUnits(value), m_coordinateDecimals, edit, withUnit);
}

std::string CGenericFormat::FormatElevation(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, ToDisplayUnits(value), m_elevationDecimals, edit, withUnit);
}

std::string CGenericFormat::FormatHeight(double value, bool edit) const
{
    return FormatElevation(value, edit, false);
}

std::string CGenericFormat::FormatDistance(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, ToDisplayUnits(value), m_distanceDecimals, edit, withUnit);
}

std::string CGenericFormat::FormatPlainDistance(double value, bool edit) const
{
    return FormatDistance(value, edit, false);
}

std::string CGenericFormat::FormatNorthSouthAngle(double angle, bool edit) const
{
    return HemisphereAngleText(angle, edit, m_angleUnits, false, "N", "S");
}

std::string CGenericFormat::FormatEastWestAngle(double angle, bool edit) const
{
    return HemisphereAngleText(angle, edit, m_angleUnits, false, "E", "W");
}

std::string CGenericFormat::FormatAzimuth(double direction, bool edit) const
{
    if (IsNoValue(direction))
        return NoValueText(edit);
    std::string text;
    FormatAngleText(ToDisplayAzimuth(direction), &text, edit, -1, false);
    return text;
}

std::string CGenericFormat::FormatHorizontalAngle(double angle, bool edit) const
{
    if (IsNoValue(angle))
        return NoValueText(edit);
    std::string text;
    FormatAngleText(ToDisplayHorizontalAngle(angle), &text, edit, -1, false);
    return text;
}

std::string CGenericFormat::FormatAngle(double angle, bool edit, int decimals) const
{
    if (IsNoValue(angle))
        return NoValueText(edit);
    double v = angle;
    ToDisplayAngle(&v);
    std::string text;
    FormatAngleText(v, &text, edit, decimals, false);
    return text;
}

std::string CGenericFormat::FormatVerticalAngle(double angle, bool edit) const
{
    return FormatAngle(angle, edit, -1);
}

std::string CGenericFormat::FormatReducedVerticalAngle(double angle, bool edit) const
{
    if (angle > Pi / 2 && angle < 3 * Pi / 2)
        angle -= Pi;
    return FormatVerticalAngle(angle, edit);
}

std::string CGenericFormat::FormatBearing(double direction, bool edit) const
{
    return BearingText(direction, edit, m_angleDecimals, m_angleUnits, false);
}

std::string CGenericFormat::FormatStation(double station, bool edit) const
{
    if (IsNoValue(station))
        return NoValueText(edit);
    if (m_stationFormat == 2)
        return FormatDistance(station, edit, false);
    return StationText(ToDisplayUnits(station), m_distanceDecimals, edit, m_stationFormat);
}

std::string CGenericFormat::FormatGrade(double ratio, bool edit) const
{
    if (IsNoValue(ratio))
        return NoValueText(edit);
    std::string text = FormatNumber(ratio * 100.0, m_gradeDecimals, edit, true);
    return edit ? text : text + "%";
}

std::string CGenericFormat::FormatRatio(double value, bool edit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return FormatNumber(value, m_gradeDecimals, edit, true);
}

std::string CGenericFormat::FormatLargeArea(double area, bool edit) const
{
    if (IsNoValue(area))
        return NoValueText(edit);
    return FormatNumber(area, m_largeAreaDecimals, edit, true);
}

std::string CGenericFormat::FormatSmallArea(double area, bool edit) const
{
    if (IsNoValue(area))
        return NoValueText(edit);
    return FormatNumber(area, m_smallAreaDecimals, edit, true);
}

std::string CGenericFormat::FormatPointName(const std::string& name, bool edit) const
{
    return PointNameText(name, edit);
}

std::string CGenericFormat::GetDistanceUnitSuffix() const
{
    switch (m_distanceUnits) {
    case JobUnitMetres:
        return "m";
    case JobUnitInternationalFeet:
        return m_architecturalUnits ? std::string() : std::string("ft");
    case JobUnitUsSurveyFeet:
        return m_architecturalUnits ? std::string() : std::string("USft");
    default:
        return {};
    }
}

std::string CGenericFormat::GetAngleUnitSuffix() const
{
    return AngleUnitSuffix(m_angleUnits);
}

std::string CGenericFormat::FormatFeetInches(const std::string& decimalFeet) const
{
    if (m_distanceUnits == JobUnitMetres)
        return decimalFeet;
    return FormatFeetInchesText(decimalFeet);
}

bool CGenericFormat::UsesArchitecturalUnits() const
{
    return m_architecturalUnits;
}
