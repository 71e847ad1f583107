#pragma once

#include "shell/ReportFieldList.h"

#include <cstdint>
#include <string>
#include <vector>

class CFormat;
class CPointRecord;
class CReport;

// The coordinate report's fields: name, northing, easting, elevation, description.
inline constexpr int32_t CoordinateFieldCount = 5;
inline constexpr ReportFieldKeys CoordinateReportKeys{"CoordinateReports", "FieldType", "FieldCheck",
                                                      CoordinateFieldCount};

// The list text and column heading of a field type; the coordinates take the configured captions.
std::string CoordinateFieldText(int32_t type);

// The report's name order: alphanumeric names first, without regard to case, then names of digits
// (blanks and commas ignored) by value. Values are compared digit by digit, so names longer than
// any machine integer still sort by value. Negative, zero or positive.
int CompareReportPointNames(const char* a, const char* b);

// Fills the report: the title, a blank line, then one row per point in name order (equal names
// keep the order given) with a column per checked field in list order.
void BuildCoordinateReport(CReport& report, std::vector<const CPointRecord*> points,
                           const std::vector<ReportField>& fields, const CFormat& format);
