#include "rawdata/SetupJobSettings.h"

#include "core/RawDataSetup.h"
#include "model/JobFileDocSettings.h"

#include <cmath>

bool CSetupJobSettings::Read(const CRawDataSetup& setup, CSetupJobSettings* settings)
{
    CSetupJobSettings read;
    // The raw data numbers feet 0 and metres 1; the job numbers metres 0 and feet 1.
    switch (setup.GetDistanceUnit()) {
    case 0: read.distanceUnit = 1; break;
    case 1: read.distanceUnit = 0; break;
    case 2: read.distanceUnit = 2; break;
    default: return false;
    }
    read.angleUnit = setup.GetAngleUnit();
    read.azimuthFormat = setup.GetZeroAzimuth();
    if ((read.angleUnit != 0 && read.angleUnit != 1) || (read.azimuthFormat != 0 && read.azimuthFormat != 1))
        return false;
    uint8_t coefficient = 0;
    read.curvature = setup.GetCurvatureRefraction(&coefficient);
    read.curvatureCoefficient = read.curvature && coefficient != 0;
    int32_t seaLevel = 0;
    read.seaLevel = setup.GetSeaLevelAdjustment(&seaLevel) && seaLevel == 1;
    double factor = 1.0;
    read.scale = setup.GetScaleFactor(&factor);
    if (read.scale) {
        if (!std::isfinite(factor) || factor <= 0)
            return false;
        read.scaleFactor = factor;
    }
    *settings = read;
    return true;
}

void CSetupJobSettings::ApplyTo(CJobFileDocSettings& job) const
{
    job.SetDistanceUnit(distanceUnit);
    job.SetAngleUnit(angleUnit);
    job.SetAzimuthFormat(azimuthFormat);
    job.SetAdjustForCurvature(curvature);
    if (curvature)
        job.SetAdjustForCurvatureFactor(curvatureCoefficient);
    job.SetUseSeaLevelCorrection(seaLevel);
    job.SetUseScaleFactor(scale);
    if (scale)
        job.SetScaleFactor(scaleFactor);
}
