#pragma once

#include <cstdint>
#include <string>

class CMorvelFileDoc;
class CNikonColumnCollection;
struct JobFileHeader;
struct JobSettingsValues;

// The header of a job made from a download or a backup: units, scale factor, corrections and
// offset word from the new-job defaults, created now, the flag word rebuilt from scratch.
void ApplyTransferDefaultsToJob(const JobSettingsValues& defaults, JobFileHeader& header);

// Coordinate lines from an instrument (one per line, in the layout's field order, in the job's
// display unit) into the document's points. A line the layout refuses or without a northing and
// an easting is skipped; a name already in the job takes the later line's values; a name the job
// cannot hold gets a fresh unique name. Returns the number of lines taken.
int32_t ReadTransferCoordinateLines(CMorvelFileDoc& doc, const std::string& text,
                                    const CNikonColumnCollection& columns);
