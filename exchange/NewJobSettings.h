#pragma once

#include <cstdint>
#include <string>

class CProfile;
struct JobFileHeader;

// Where the New Job dialog takes its settings from.
inline constexpr int32_t NewJobFromTransferDefaults = 0;
inline constexpr int32_t NewJobFromCurrentJob = 1;
inline constexpr int32_t NewJobFromCustomSettings = 2;

inline constexpr uint32_t NewJobOffsetMax = 9999;

// The New Job dialog's controls as values: combo indexes, checks and the two edits.
struct NewJobFields
{
    int32_t distanceUnit = 0;   // 0 "Meters", 1 "Feet", 2 "US Survey Feet"
    int32_t angleUnit = 0;      // 0 "Degrees", 1 "Grads / Gons"
    int32_t azimuthType = 0;    // 0 "North Azimuth", 1 "South Azimuth"
    int32_t directionType = 0;  // 0 "HA zero to BS", 1 "True Azimuth"
    bool useScaleFactor = false;
    double scaleFactor = 1.0;
    bool curvature = false;
    int32_t coefficient = 0;    // 0 "0.1320", 1 "0.2000"
    bool seaLevel = false;
    uint32_t offset = 1000;     // stake-out point-number offset
};

// Header to controls. A stored angle unit other than 1 shows as degrees.
NewJobFields ReadNewJobFields(const JobFileHeader& header);
// Controls to header. The coefficient is only taken while the curvature correction is on, so
// its bit keeps its value while the correction is off.
void WriteNewJobFields(const NewJobFields& fields, JobFileHeader& header);

// The custom settings and the source option, section "General" ("New Job", "Def Dist",
// "Def Angle", "Def Settings", "Def SF", "Def Offset").
int32_t LoadNewJobCustomSettings(CProfile& profile, JobFileHeader& custom);
void StoreNewJobCustomSettings(CProfile& profile, const JobFileHeader& custom, int32_t option);
