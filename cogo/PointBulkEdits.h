#pragma once

#include "model/JobRawData.h"

#include <cstdint>
#include <string>
#include <vector>

class CDataFileDoc;
class CPointRecord;
class CProfile;
class CReport;

// Gives the selected points one elevation (only those without one, with missingOnly) as one
// step, withdrawn when nothing changed. Each changed point gets an input-point line, so the job
// rebuilt from its raw data keeps the new elevation. Every point gets a row in the report. The
// number of points changed; -1 when there is nothing to do (no job, no selection, no elevation).
int32_t ApplyCommonElevation(CDataFileDoc* document, double elevation, bool missingOnly, CReport& report);

enum class RenumberResult
{
    NothingSelected,
    // The rules give some point no acceptable name; nothing changed and no step remains.
    RulesRefused,
    // A point had no new name or its copy was refused; nothing changed and no step remains.
    Refused,
    Renamed,
};

inline constexpr const char* RenameRefusedMessage =
    "Points cannot be renamed. Please modify rename rules and try again.";

// Renames the selected points by the user's rename rules as one step. With renameRawData the raw
// data is renamed in place; without, each old point leaves a deletion line and its new name an
// input-point line. The new points end up selected, and the report lists old and new names.
RenumberResult RenumberSelectedPoints(CDataFileDoc* document, bool renameRawData, CReport& report);

// The renaming itself, on a map already worked out, inside the caller's step. The whole map is
// checked first; a point mapped to its own name keeps it. A copy the job refuses undoes the copies
// made so far, and no point is ever deleted unless its copy exists. The report rows follow
// reportOrder. False when nothing was changed.
bool ApplyPointRenames(CDataFileDoc* document, const std::vector<CPointRecord*>& points, const PointRenameMap& map,
                       bool renameRawData, const std::vector<std::string>& reportOrder, CReport& report);

// Deletes the selected objects as one "Delete %ld objects" step; with log, each deleted point
// leaves a deletion line in the raw data. False with nothing selected (and no step).
bool DeleteSelectedObjects(CDataFileDoc* document, bool log);

// "Write Delete Records to Raw Data", kept from one run to the next.
bool ReadWriteDeleteRecords(CProfile& profile);
void SaveWriteDeleteRecords(CProfile& profile, bool write);
