#pragma once

#include "core/MathConversions.h"

class CDataFileDoc;

// The unit conversions of a job. Every query reads the job's settings afresh, so a change of the
// job's units takes effect at once.
class CJobFileMathConversions : public CMathConversions
{
public:
    explicit CJobFileMathConversions(CDataFileDoc* document) : m_document(document) {}

    int GetAngleUnits() const override;
    int GetAzimuthFormat() const override;
    int GetDistanceUnits() const override;
    double SquareMetresToDisplay(double squareMetres) const override;
    // Square metres to hectares in a metric job, square feet to acres otherwise.
    double DisplayAreaToLargeArea(double area) const override;
    double LargeAreaToDisplayArea(double largeArea) const override;
    std::string GetAreaUnitLabel() const override;
    std::string GetLargeAreaUnitLabel() const override;
    std::string GetDistanceUnitLabel() const override;

    CDataFileDoc* GetDocument() const { return m_document; }

private:
    // The job's own codes; those of a fresh job when there is no document or no settings yet.
    int JobDistanceUnit() const;
    int JobAngleUnit() const;
    int JobAzimuthFormat() const;

    CDataFileDoc* m_document;
};
