#include "core/JobValueSource.h"

#include "core/DataFileFormat.h"
#include "core/MathConversions.h"
#include "core/PointName.h"

namespace {

CJobValueSource*& ActiveJob()
{
    static CJobValueSource* job = nullptr;
    return job;
}

// Conversions of a job in metres, degrees and north azimuths.
class CDefaultConversions : public CMathConversions
{
public:
    int GetAngleUnits() const override { return AngleUnitDegrees; }
    int GetAzimuthFormat() const override { return AzimuthNorth; }
    int GetDistanceUnits() const override { return ClassUnitMetres; }
    double SquareMetresToDisplay(double squareMetres) const override { return squareMetres; }
    double DisplayAreaToLargeArea(double area) const override { return area * 0.0001; }
    double LargeAreaToDisplayArea(double largeArea) const override { return largeArea * 10000.0; }
    std::string GetAreaUnitLabel() const override { return "Sq m"; }
    std::string GetLargeAreaUnitLabel() const override { return "Hectares"; }
    std::string GetDistanceUnitLabel() const override { return "m"; }
};

// Stands in for a job while none is open, so formatting never reaches a null.
class CNoJob : public CJobValueSource
{
public:
    CNoJob() : m_format(this) {}
    const CMathConversions& GetMathConversions() const override { return m_conversions; }
    const CFormat& GetDataFileFormat() const override { return m_format; }
    int GetSurveyUnits() const override { return 0; }
    int GetAngleUnits() const override { return 0; }
    bool FindPointLocation(const std::string&, CLocation*) const override { return false; }

private:
    CDefaultConversions m_conversions;
    CDataFileFormat m_format;
};

const CNoJob& NoJob()
{
    static const CNoJob noJob;
    return noJob;
}

} // namespace

bool CJobValueSource::IsValidPointName(const char* name)
{
    return ::IsValidPointName(name);
}

CJobValueSource* GetActiveJobValueSource()
{
    return ActiveJob();
}

void SetActiveJobValueSource(CJobValueSource* job)
{
    ActiveJob() = job;
}

const CMathConversions* GetActiveJobMathConversions()
{
    const CJobValueSource* job = ActiveJob();
    return job ? &job->GetMathConversions() : &NoJob().GetMathConversions();
}

const CFormat* GetActiveJobFormat()
{
    const CJobValueSource* job = ActiveJob();
    return job ? &job->GetDataFileFormat() : &NoJob().GetDataFileFormat();
}
