#pragma once

#include <string>

struct JobSettingsValues;

// Raw text from an instrument, a transfer-program file or a backup becomes job raw data text:
// the settings of the new job from the text's head or the preferences, the missing settings
// comments completed, the instrument's wider lines narrowed, lines that are no valid record
// turned into comments, and the older comma layout converted. Text that is not valid UTF-8 reads
// as Windows-1252. The settings block's directionType field here means "HA raw data recorded as
// azimuths" (1) or "HA zero to BS" (0).

// From the preferences for the instrument models 0, 1 and 4, else from the text.
void ReadRawImportSettings(JobSettingsValues& settings, const std::string& text);
// The settings the text's leading comments give; the rest from the preferences.
void ReadJobSettingsFromRawText(JobSettingsValues& settings, const std::string& text);
void GetJobSettingsFromPreferences(JobSettingsValues& settings);

// The job raw data text (lines ended by CR LF) and the job name a "<name> <JOB>" comment gives.
std::string ImportRawText(JobSettingsValues& settings, const std::string& text, std::string& output, bool oldLayout);
std::string ImportRawTextValidated(JobSettingsValues& settings, const std::string& text, std::string& output);
std::string ImportOldLayoutRawText(JobSettingsValues& settings, const std::string& text, std::string& output);
// Field data as a new job's raw data: its settings as ReadRawImportSettings reads them, then
// ImportRawText with them.
std::string ConvertFieldDataText(const std::string& text, bool oldLayout, std::string& output);
// Whether any line of the text starts with a record code and its comma: a file without one is
// no raw data at all, however it would import.
bool HasRawDataLine(const std::string& text);
// One line of the older layout in the current one; a line it cannot read comes back unchanged.
std::string ConvertOldLayoutRawLine(const std::string& line);
// The instrument's coordinate, station, CP and SO lines narrowed to the stored fields.
std::string NarrowRawLineFields(const std::string& line);
