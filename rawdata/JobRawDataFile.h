#pragma once

#include "model/SettingsChangeFlags.h"

#include <string>
#include <vector>

class CDataFileDoc;
class CNikonRawDataFile;
class CRawDataNikonCommentRecord;
class CRawDataRecord;

// The job's raw data file (extension Mvr) and the raw data a job makes from its own settings and
// points. The job document forwards its raw data members to these.

// Appends every line of the file to the raw data (CR LF or LF ends a line; a last line without
// line end counts; every line, empty ones included, becomes a record). Text that is not valid
// UTF-8 reads as Windows-1252. Hint 44 before, 45 after. False when the file cannot be read.
bool LoadRawDataFromText(CDataFileDoc& doc, CNikonRawDataFile& raw, const std::string& path, bool snapshot);
// Writes every line followed by CR LF to exactly this path; false on any write or close failure.
bool SaveRawDataToText(CDataFileDoc& doc, CNikonRawDataFile& raw, const std::string& path, bool snapshot);
// Replaces the raw data by the format comment, the ten settings comments and one input-point line
// per job point in name order; with markModified the job is marked with "Generated raw data".
bool GenerateRawData(CDataFileDoc& doc, CNikonRawDataFile& raw, bool markModified);
// Replaces the raw data by raw data made from the job's points and writes it to the path.
bool CreateRawDataFromPoints(CDataFileDoc& doc, CNikonRawDataFile& raw, const std::string& path);
// Appends the settings comments the flags select, each logged as an appended raw line.
void AppendSettingsComments(CDataFileDoc& doc, CNikonRawDataFile& raw, const SettingsChangeFlags& flags);
// The settings comments of the job's settings that the flags select; "Coord Order: NEZ" always.
void FormatJobSettingsSummary(std::vector<CRawDataNikonCommentRecord>& comments, CDataFileDoc& doc,
                              const SettingsChangeFlags& flags);
// Appends a typed record printed in the units at the end of the raw data, with the history line
// "Added '%s' to raw data at line #%d" (or its deleted form) and hint 41; false when it cannot print.
bool AppendLoggedRecord(CDataFileDoc& doc, CNikonRawDataFile& raw, CRawDataRecord& record);

// All seven settings.
SettingsChangeFlags AllSettingsFlags();
