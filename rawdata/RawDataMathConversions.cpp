#include "rawdata/RawDataMathConversions.h"

#include "core/RawDataSetup.h"
#include "core/UnitConstants.h"
#include "rawdata/RawDataFile.h"

namespace {

int32_t SetupCode(CRawDataFile* file, int32_t line, int32_t (CRawDataSetup::*get)() const)
{
    const CRawDataSetup* setup = file ? static_cast<const CRawDataFile*>(file)->GetSetup(line) : nullptr;
    return setup ? (setup->*get)() : -1;
}

} // namespace

int CRawDataMathConversions::GetAngleUnits() const
{
    const int32_t code = SetupCode(m_file, m_line, &CRawDataSetup::GetAngleUnit);
    return code == AngleUnitGrads ? AngleUnitGrads : AngleUnitDegrees;
}

int CRawDataMathConversions::GetAzimuthFormat() const
{
    const int32_t code = SetupCode(m_file, m_line, &CRawDataSetup::GetZeroAzimuth);
    return code == AzimuthSouth ? AzimuthSouth : AzimuthNorth;
}

int CRawDataMathConversions::GetDistanceUnits() const
{
    const int32_t code = SetupCode(m_file, m_line, &CRawDataSetup::GetDistanceUnit);
    return code == ClassUnitInternationalFeet || code == ClassUnitUsSurveyFeet ? code : ClassUnitMetres;
}

double CRawDataMathConversions::SquareMetresToDisplay(double squareMetres) const
{
    if (GetDistanceUnits() == ClassUnitMetres)
        return squareMetres;
    return squareMetres * MetresToInternationalFeet * MetresToInternationalFeet;
}

double CRawDataMathConversions::DisplayAreaToLargeArea(double area) const
{
    return GetDistanceUnits() == ClassUnitMetres ? area * SquareMetresToHectares : area * SquareFeetToAcres;
}

double CRawDataMathConversions::LargeAreaToDisplayArea(double largeArea) const
{
    return GetDistanceUnits() == ClassUnitMetres ? largeArea * HectaresToSquareMetres : largeArea * AcresToSquareFeet;
}

std::string CRawDataMathConversions::GetAreaUnitLabel() const
{
    switch (GetDistanceUnits()) {
    case ClassUnitMetres:
        return "Sq m";
    case ClassUnitUsSurveyFeet:
        return "Sq usft";
    default:
        return "Sq ft";
    }
}

std::string CRawDataMathConversions::GetLargeAreaUnitLabel() const
{
    switch (GetDistanceUnits()) {
    case ClassUnitMetres:
        return "Hectares";
    case ClassUnitUsSurveyFeet:
        return "US Acres";
    default:
        return "Acres";
    }
}

std::string CRawDataMathConversions::GetDistanceUnitLabel() const
{
    switch (GetDistanceUnits()) {
    case ClassUnitMetres:
        return "m";
    case ClassUnitUsSurveyFeet:
        return "usft";
    default:
        return "ft";
    }
}
