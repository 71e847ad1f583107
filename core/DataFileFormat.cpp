#include "core/DataFileFormat.h"

#include "core/AngleFunctions.h"
#include "core/FormatHelpers.h"
#include "core/FormatPreferences.h"
#include "core/JobValueSource.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/ResourceStrings.h"

using namespace format_detail;

CDataFileFormat::CDataFileFormat(const CJobValueSource* job) : m_job(job)
{
}

void CDataFileFormat::FormatAngleText(double value, std::string* text, bool edit, int decimals,
                                      bool forceDms) const
{
    if (decimals == -1)
        decimals = JobAngleDecimals(GetFormatPreferences().iJobAngle,
                                    m_job->GetAngleUnits() != AngleUnitDegrees && !forceDms);
    *text = AngleText(value, edit, decimals, m_job->GetAngleUnits(), forceDms, true);
}

std::string CDataFileFormat::FormatCoordinate(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, m_job->GetMathConversions().MetresToDisplay(value),
                      GetFormatPreferences().iJobNorthingEasting, edit, withUnit);
}

std::string CDataFileFormat::FormatElevation(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, m_job->GetMathConversions().MetresToDisplay(value),
                      GetFormatPreferences().iJobElevation, edit, withUnit);
}

std::string CDataFileFormat::FormatHeight(double value, bool edit) const
{
    return FormatElevation(value, edit, false);
}

std::string CDataFileFormat::FormatDistance(double value, bool edit, bool withUnit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return LengthText(*this, m_job->GetMathConversions().MetresToDisplay(value),
                      GetFormatPreferences().iJobDistance, edit, withUnit);
}

std::string CDataFileFormat::FormatPlainDistance(double value, bool edit) const
{
    return FormatDistance(value, edit, false);
}

std::string CDataFileFormat::FormatNorthSouthAngle(double angle, bool edit) const
{
    return HemisphereAngleText(angle, edit, m_job->GetAngleUnits(), true, "N", "S");
}

std::string CDataFileFormat::FormatEastWestAngle(double angle, bool edit) const
{
    return HemisphereAngleText(angle, edit, m_job->GetAngleUnits(), true, "E", "W");
}

std::string CDataFileFormat::FormatAzimuth(double direction, bool edit) const
{
    if (IsNoValue(direction))
        return NoValueText(edit);
    if (GetFormatPreferences().iDirectionUnits == DirectionUnitsBearings)
        return FormatBearing(direction, edit);
    double v = direction;
    m_job->GetMathConversions().DirectionToDisplayAzimuth(&v);
    std::string text;
    FormatAngleText(v, &text, edit, -1, false);
    return text;
}

std::string CDataFileFormat::FormatHorizontalAngle(double angle, bool edit) const
{
    if (IsNoValue(angle))
        return NoValueText(edit);
    double v = angle;
    m_job->GetMathConversions().AngleToDisplay(&v);
    std::string text;
    FormatAngleText(v, &text, edit, -1, false);
    return text;
}

std::string CDataFileFormat::FormatAngle(double angle, bool edit, int decimals) const
{
    if (IsNoValue(angle))
        return NoValueText(edit);
    double v = angle;
    m_job->GetMathConversions().SignedAngleToDisplay(&v);
    std::string text;
    FormatAngleText(v, &text, edit, decimals, false);
    return text;
}

std::string CDataFileFormat::FormatVerticalAngle(double angle, bool edit) const
{
    return FormatAngle(angle, edit, -1);
}

std::string CDataFileFormat::FormatReducedVerticalAngle(double angle, bool edit) const
{
    if (angle > Pi / 2 && angle < 3 * Pi / 2)
        angle -= Pi;
    return FormatVerticalAngle(angle, edit);
}

std::string CDataFileFormat::FormatBearing(double direction, bool edit) const
{
    const int unit = m_job->GetAngleUnits();
    return BearingText(direction, edit, JobAngleDecimals(GetFormatPreferences().iJobAngle, unit != AngleUnitDegrees), unit,
                       true);
}

std::string CDataFileFormat::FormatStation(double station, bool edit) const
{
    if (IsNoValue(station))
        return NoValueText(edit);
    const FormatPreferences prefs = GetFormatPreferences();
    if (prefs.iJobStationFormat == StationFormatPlain)
        return FormatDistance(station, edit, false);
    return StationText(m_job->GetMathConversions().MetresToDisplay(station), prefs.iJobDistance,
                       edit, prefs.iJobStationFormat);
}

std::string CDataFileFormat::FormatGrade(double ratio, bool edit) const
{
    if (IsNoValue(ratio))
        return NoValueText(edit);
    std::string text = FormatNumber(ratio * 100.0, GetFormatPreferences().iJobDistance, edit, true);
    return edit ? text : text + "%";
}

std::string CDataFileFormat::FormatRatio(double value, bool edit) const
{
    if (IsNoValue(value))
        return NoValueText(edit);
    return FormatNumber(value, GetFormatPreferences().iJobDistance, edit, true);
}

std::string CDataFileFormat::FormatLargeArea(double area, bool edit) const
{
    if (IsNoValue(area))
        return NoValueText(edit);
    return FormatNumber(area, GetFormatPreferences().iJobLargeArea, edit, true);
}

std::string CDataFileFormat::FormatSmallArea(double area, bool edit) const
{
    if (IsNoValue(area))
        return NoValueText(edit);
    return FormatNumber(m_job->GetMathConversions().SquareMetresToDisplay(area),
                        GetFormatPreferences().iJobSmallArea, edit, true);
}

std::string CDataFileFormat::FormatPointName(const std::string& name, bool edit) const
{
    return PointNameText(name, edit);
}

std::string CDataFileFormat::GetDistanceUnitSuffix() const
{
    switch (m_job->GetSurveyUnits()) {
    case 0:
        return " " + LoadResourceString(30143);
    case 1:
        return UsesArchitecturalUnits() ? std::string() : " " + LoadResourceString(30144);
    case 2:
        return UsesArchitecturalUnits() ? std::string() : " " + LoadResourceString(30145);
    default:
        return {};
    }
}

std::string CDataFileFormat::GetAngleUnitSuffix() const
{
    return AngleUnitSuffix(m_job->GetAngleUnits());
}

std::string CDataFileFormat::FormatFeetInches(const std::string& decimalFeet) const
{
    if (m_job->GetSurveyUnits() == JobUnitMetres)
        return decimalFeet;
    return FormatFeetInchesText(decimalFeet);
}

bool CDataFileFormat::UsesArchitecturalUnits() const
{
    return GetFormatPreferences().iUseArchetecturalUnits;
}
