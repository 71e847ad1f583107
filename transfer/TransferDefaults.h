#pragma once

#include "transfer/TransferJobDefaults.h"

#include <cstdint>
#include <string>

class CMorvelFileDoc;
class CNikonColumnCollection;

// Coordinate lines from an instrument (one per line, in the layout's field order, in the job's
// display unit) into the document's points. A line the layout refuses or without a northing and
// an easting is skipped; a name already in the job takes the later line's values; a name the job
// cannot hold gets a fresh unique name. Returns the number of lines taken.
int32_t ReadTransferCoordinateLines(CMorvelFileDoc& doc, const std::string& text,
                                    const CNikonColumnCollection& columns);

// A new job of those coordinate lines, with the transfer defaults as its settings, written with
// raw data made from its points (the job at jobPath, its raw data beside it). False when the
// export failed; it has said why.
bool ExportCoordinateLinesJob(const std::string& text, const CNikonColumnCollection& columns,
                              const JobSettingsValues& defaults, const std::string& jobPath);
