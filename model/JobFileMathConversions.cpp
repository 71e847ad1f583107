#include "model/JobFileMathConversions.h"

#include "core/UnitConstants.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"

int CJobFileMathConversions::JobDistanceUnit() const
{
    const CDataFileDocSettings* settings = m_document != nullptr ? m_document->GetJobSettings() : nullptr;
    return settings != nullptr ? settings->GetSurveyUnits() : CDataFileDocSettings::DefaultDistanceUnit;
}

int CJobFileMathConversions::JobAngleUnit() const
{
    const CDataFileDocSettings* settings = m_document != nullptr ? m_document->GetJobSettings() : nullptr;
    return settings != nullptr ? settings->GetAngleUnits() : CDataFileDocSettings::DefaultAngleUnit;
}

int CJobFileMathConversions::JobAzimuthFormat() const
{
    const CDataFileDocSettings* settings = m_document != nullptr ? m_document->GetJobSettings() : nullptr;
    return settings != nullptr ? settings->GetAzimuthFormat() : CDataFileDocSettings::DefaultAzimuthFormat;
}

int CJobFileMathConversions::GetAngleUnits() const { return JobAngleUnitToClassUnit(JobAngleUnit()); }

int CJobFileMathConversions::GetAzimuthFormat() const { return JobAzimuthFormatToClassFormat(JobAzimuthFormat()); }

int CJobFileMathConversions::GetDistanceUnits() const { return JobDistanceUnitToClassUnit(JobDistanceUnit()); }

double CJobFileMathConversions::SquareMetresToDisplay(double squareMetres) const
{
    switch (GetDistanceUnits()) {
    case ClassUnitInternationalFeet:
        return squareMetres * MetresToInternationalFeet * MetresToInternationalFeet;
    case ClassUnitUsSurveyFeet:
        return squareMetres * MetresToUsSurveyFeet * MetresToUsSurveyFeet;
    default:
        return squareMetres;
    }
}

double CJobFileMathConversions::DisplayAreaToLargeArea(double area) const
{
    return JobDistanceUnit() == JobUnitMetres ? area * SquareMetresToHectares : area * SquareFeetToAcres;
}

double CJobFileMathConversions::LargeAreaToDisplayArea(double largeArea) const
{
    return JobDistanceUnit() == JobUnitMetres ? largeArea * HectaresToSquareMetres : largeArea * AcresToSquareFeet;
}

std::string CJobFileMathConversions::GetAreaUnitLabel() const
{
    switch (JobDistanceUnit()) {
    case JobUnitMetres:
        return "Sq m";
    case JobUnitUsSurveyFeet:
        return "Sq usft";
    default:
        return "Sq ft";
    }
}

std::string CJobFileMathConversions::GetLargeAreaUnitLabel() const
{
    switch (JobDistanceUnit()) {
    case JobUnitMetres:
        return "Hectares";
    case JobUnitUsSurveyFeet:
        return "US Acres";
    default:
        return "Acres";
    }
}

std::string CJobFileMathConversions::GetDistanceUnitLabel() const
{
    switch (JobDistanceUnit()) {
    case JobUnitMetres:
        return "m";
    case JobUnitInternationalFeet:
        return "ft";
    case JobUnitUsSurveyFeet:
        return "usft";
    default:
        return "";
    }
}
