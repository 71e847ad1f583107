#pragma once

#include "shell/ReportFieldList.h"

#include <cstdint>
#include <string>
#include <vector>

class CFormat;
class CRawDataFile;
class CReport;
class CStakeoutState;

// The point stake cut sheet's optional fields: design N, E, El, delta N, E, design and as-built
// descriptions, raw verification. Fresh profiles tick design elevation and the two deltas.
inline constexpr int32_t CutSheetFieldCount = 8;
inline constexpr int32_t CutSheetVerifyField = 7;
inline constexpr ReportFieldKeys CutSheetReportKeys{"CutSheetReports", "PointStakeFieldType",
                                                    "PointStakeFieldCheck", CutSheetFieldCount};
bool IsCutSheetFieldCheckedByDefault(int32_t position);

// The list text and the column heading of an optional field type.
std::string CutSheetFieldText(int32_t type);
std::string CutSheetFieldHeading(int32_t type);

// Title, blank line, the three fixed columns, then a column per checked field in list order.
void BeginCutSheetReport(CReport& report, const std::vector<ReportField>& fields);
// The row of one stake-out at raw line `line` (from 0), and with the verify column its further
// messages as rows of their own.
void AddCutSheetRows(CReport& report, const std::vector<ReportField>& fields, const CStakeoutState& state,
                     int32_t line, const CFormat& format);
// Every message from the third on as a row whose only cell, in `column`, is "Line #n: message".
void AddVerifyMessageRows(int32_t column, const std::vector<std::string>& messages, CReport& report, int32_t line);
// The whole report over the raw data's stake-outs in line order; only the header and the columns
// without raw data.
void BuildCutSheetReport(CReport& report, const std::vector<ReportField>& fields, const CRawDataFile* raw);
