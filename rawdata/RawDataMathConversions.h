#pragma once

#include "core/MathConversions.h"

#include <cstdint>

class CRawDataFile;

// The unit conversions of the raw data at one line: the units of the setup in force there.
// Codes the setup does not hold fall back to degrees, north and metres.
class CRawDataMathConversions : public CMathConversions
{
public:
    CRawDataMathConversions(CRawDataFile* file, int32_t line) : m_file(file), m_line(line) {}

    int GetAngleUnits() const override;
    int GetAzimuthFormat() const override;
    int GetDistanceUnits() const override;
    double SquareMetresToDisplay(double squareMetres) const override;
    double DisplayAreaToLargeArea(double area) const override;
    double LargeAreaToDisplayArea(double largeArea) const override;
    std::string GetAreaUnitLabel() const override;
    std::string GetLargeAreaUnitLabel() const override;
    std::string GetDistanceUnitLabel() const override;

private:
    CRawDataFile* m_file;
    int32_t m_line;
};
