#pragma once

#include <cstdint>

class CJobFileDocSettings;
class CRawDataSetup;

// The job settings a raw data setup stands for: units (in the job's numbering) and the
// corrections of the reduction.
struct CSetupJobSettings
{
    int32_t distanceUnit = 0;
    int32_t angleUnit = 0;
    int32_t azimuthFormat = 0;
    bool curvature = false;
    bool curvatureCoefficient = false;
    bool seaLevel = false;
    bool scale = false;
    double scaleFactor = 1.0;

    // Reads every value first; false when any is outside the known codes (or the scale factor
    // in use is not a positive number), so that nothing is half taken.
    static bool Read(const CRawDataSetup& setup, CSetupJobSettings* settings);
    // Makes them the job's settings.
    void ApplyTo(CJobFileDocSettings& job) const;
};
