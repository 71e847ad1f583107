#pragma once

#include <string>

// Jobs made from data that came from the field: the first file of a backup archive (raw data in
// the current or the older layout, or ASCII coordinates) or a transfer program's raw text file.
// Each road builds the job in a document that is never shown and writes the job file (.Mvj) and
// its raw data (.Mvr) beside their targets first; only when both were written are they renamed
// over the targets, so a failure never leaves new raw data next to an old job. The open job's
// files are never the target. Problems are told through the message box. True when the job's
// files are in place at jobPath and may be opened. notice receives what the person must hear when
// the job opens: a reduction that stored no point or refused lines (empty otherwise).
bool CreateJobFromBackupFile(const std::string& backupPath, const std::string& jobPath,
                             const std::string& openJobPath, std::string* notice = nullptr);
bool CreateJobFromTransferFile(const std::string& transferPath, const std::string& jobPath,
                               const std::string& openJobPath, std::string* notice = nullptr);

// The raw text road shared by both: settings from the text (or the preferences), the text
// converted to current raw lines, reduced to points.
bool CreateJobFromRawText(const std::string& text, bool oldLayout, const std::string& jobPath,
                          std::string* notice = nullptr);
// The ASCII coordinates road: lines in the preferences' column order and distance unit.
bool CreateJobFromAsciiCoordinates(const std::string& text, const std::string& jobPath);
