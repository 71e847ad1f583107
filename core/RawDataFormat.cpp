#include "core/RawDataFormat.h"

#include "core/AngleFunctions.h"
#include "core/FormatHelpers.h"
#include "core/FormatPreferences.h"
#include "core/JobValueSource.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/RawDataSetup.h"

#include <cmath>

using namespace format_detail;

CRawDataFormat::CRawDataFormat(const CRawDataSetup* setup, bool useJobDecimals)
    : m_setup(setup), m_angleDecimals(6), m_distanceDecimals(6), m_coordinateDecimals(6),
      m_elevationDecimals(6), m_smallAreaDecimals(6), m_largeAreaDecimals(6), m_gradeDecimals(3)
{
    if (useJobDecimals && GetActiveJobValueSource()) {
        const FormatPreferences prefs = GetFormatPreferences();
        m_angleDecimals = prefs.iJobAngle;
        m_angleDecimalsFromJob = true;
        m_distanceDecimals = prefs.iJobDistance;
        m_coordinateDecimals = prefs.iJobNorthingEasting;
        m_elevationDecimals = prefs.iJobElevation;
        m_smallAreaDecimals = prefs.iJobSmallArea;
        m_largeAreaDecimals = prefs.iJobLargeArea;
    }
}

void CRawDataFormat::FormatAngleText(double value, std::string* text, bool edit, int decimals,
                                     bool forceDms) const
{
    const int unit = m_setup->GetAngleUnitCode();
    if (decimals == -1)
        decimals = m_angleDecimalsFromJob ? JobAngleDecimals(m_angleDecimals, unit != AngleUnitDegrees && !forceDms)
                                          : m_angleDecimals;
    *text = AngleText(value, edit, decimals, unit, forceDms, false);
}

std::string CRawDataFormat::FormatCoordinate(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, m_setup->ToDisplayDistance(value), m_coordinateDecimals, edit, withUnit);
}

std::string CRawDataFormat::FormatElevation(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, m_setup->ToDisplayDistance(value), m_elevationDecimals, edit, withUnit);
}

std::string CRawDataFormat::FormatHeight(double value, bool edit) const
{
    return FormatElevation(value, edit, false);
}

std::string CRawDataFormat::FormatDistance(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, m_setup->ToDisplayDistance(value), m_distanceDecimals, edit, withUnit);
}

std::string CRawDataFormat::FormatPlainDistance(double value, bool edit) const
{
    return FormatDistance(value, edit, false);
}

std::string CRawDataFormat::FormatNorthSouthAngle(double angle, bool edit) const
{
    return HemisphereAngleText(angle, edit, m_setup->GetAngleUnitCode(), false, "N", "S");
}

std::string CRawDataFormat::FormatEastWestAngle(double angle, bool edit) const
{
    return HemisphereAngleText(angle, edit, m_setup->GetAngleUnitCode(), false, "E", "W");
}

std::string CRawDataFormat::FormatAzimuth(double direction, bool edit) const
{
    if (IsNoValue(direction))
        return NoValueText(edit);
    if (GetActiveJobValueSource() && GetFormatPreferences().iDirectionUnits == DirectionUnitsBearings)
        return FormatBearing(direction, edit);
    std::string text;
    FormatAngleText(m_setup->ToDisplayAzimuth(direction), &text, edit, -1, false);
    return text;
}

std::string CRawDataFormat::FormatHorizontalAngle(double angle, bool edit) const
{
    if (IsNoValue(angle))
        return NoValueText(edit);
    std::string text;
    FormatAngleText(m_setup->ToDisplayHorizontalAngle(angle), &text, edit, -1, false);
    return text;
}

void CRawDataFormat::AppendAzimuth(std::string& out, double direction) const
{
    if (IsNoValue(direction) ||
        (GetActiveJobValueSource() && GetFormatPreferences().iDirectionUnits == DirectionUnitsBearings)) {
        out += FormatAzimuth(direction, false);
        return;
    }
    const int unit = m_setup->GetAngleUnitCode();
    const int decimals = m_angleDecimalsFromJob ? JobAngleDecimals(m_angleDecimals, unit != AngleUnitDegrees)
                                                : m_angleDecimals;
    AppendAngleText(out, m_setup->ToDisplayAzimuth(direction), false, decimals, unit, false, false);
}

void CRawDataFormat::AppendHorizontalAngle(std::string& out, double angle) const
{
    if (IsNoValue(angle)) {
        out += NoValueText(false);
        return;
    }
    const int unit = m_setup->GetAngleUnitCode();
    const int decimals = m_angleDecimalsFromJob ? JobAngleDecimals(m_angleDecimals, unit != AngleUnitDegrees)
                                                : m_angleDecimals;
    AppendAngleText(out, m_setup->ToDisplayHorizontalAngle(angle), false, decimals, unit, false, false);
}

std::string CRawDataFormat::FormatAngle(double angle, bool edit, int decimals) const
{
    if (IsNoValue(angle))
        return NoValueText(edit);
    const CJobValueSource* job = GetActiveJobValueSource();
    if (!job)
        return {};
    double v = angle;
    job->GetMathConversions().SignedAngleToDisplay(&v);
    std::string text;
    FormatAngleText(v, &text, edit, decimals, false);
    return text;
}

std::string CRawDataFormat::FormatVerticalAngle(double angle, bool edit) const
{
    return FormatAngle(angle, edit, -1);
}

std::string CRawDataFormat::FormatReducedVerticalAngle(double angle, bool edit) const
{
    if (angle > Pi / 2 && angle < 3 * Pi / 2)
        angle -= Pi;
    return FormatAngle(angle, edit, -1);
}

std::string CRawDataFormat::FormatBearing(double direction, bool edit) const
{
    if (IsNoValue(direction))
        return NoValueText(edit);
    // The quadrant angle is converted in the active job's unit, but decorated for the setup's.
    const CJobValueSource* job = GetActiveJobValueSource();
    const int conversionUnit = job ? job->GetAngleUnits() : 0;
    const double a = NormalizeAngle(direction);
    double r = std::fabs(std::fmod(a, Pi / 2));
    if (a < Pi / 2 || (a >= Pi && a < 3 * Pi / 2))
        r = Pi / 2 - r;
    r = conversionUnit == AngleUnitDegrees ? DecimalToDms(r * 180.0 / Pi) : r * 200.0 / Pi;
    std::string text;
    FormatAngleText(r, &text, edit, -1, false);
    return BearingPrefix(a) + text + BearingSuffix(a);
}

std::string CRawDataFormat::FormatStation(double station, bool edit) const
{
    if (IsNoValue(station))
        return NoValueText(edit);
    const CJobValueSource* job = GetActiveJobValueSource();
    if (!job)
        return {};
    const FormatPreferences prefs = GetFormatPreferences();
    if (prefs.iJobStationFormat == StationFormatPlain)
        return FormatDistance(station, edit, false);
    return StationText(job->GetMathConversions().MetresToDisplay(station), prefs.iJobDistance, edit,
                       prefs.iJobStationFormat);
}

std::string CRawDataFormat::FormatGrade(double ratio, bool edit) const
{
    if (IsNoValue(ratio))
        return NoValueText(edit);
    std::string text = FormatNumber(ratio * 100.0, m_gradeDecimals, edit, true);
    return edit ? text : text + "%";
}

std::string CRawDataFormat::FormatRatio(double value, bool edit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return FormatNumber(value, m_gradeDecimals, edit, true);
}

std::string CRawDataFormat::FormatLargeArea(double area, bool edit) const
{
    if (IsNoValue(area))
        return NoValueText(edit);
    return FormatNumber(area, m_largeAreaDecimals, edit, true);
}

std::string CRawDataFormat::FormatSmallArea(double area, bool edit) const
{
    if (IsNoValue(area))
        return NoValueText(edit);
    return FormatNumber(area, m_smallAreaDecimals, edit, true);
}

std::string CRawDataFormat::FormatPointName(const std::string& name, bool edit) const
{
    return PointNameText(name, edit);
}

std::string CRawDataFormat::GetDistanceUnitSuffix() const
{
    return m_setup->GetDistanceUnitLabel();
}

std::string CRawDataFormat::GetAngleUnitSuffix() const
{
    return AngleUnitSuffix(m_setup->GetAngleUnitCode());
}

std::string CRawDataFormat::FormatFeetInches(const std::string& decimalFeet) const
{
    // A missing or unknown unit counts as feet.
    if (m_setup->GetDistanceUnitCode() == 1)
        return decimalFeet;
    return FormatFeetInchesText(decimalFeet);
}

bool CRawDataFormat::UsesArchitecturalUnits() const
{
    return GetFormatPreferences().iUseArchetecturalUnits;
}
