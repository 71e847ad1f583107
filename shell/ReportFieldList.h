#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CProfile;

// One optional column of a report: its field type and whether the user ticked it.
struct ReportField
{
    int32_t type = 0;
    bool checked = false;

    bool operator==(const ReportField&) const = default;
};

// Where a report keeps its column choices: section, the two numbered key stems ("FieldType" makes
// "FieldType0" ...) and the number of field types.
struct ReportFieldKeys
{
    const char* section;
    const char* typeKey;
    const char* checkKey;
    int32_t count;
};

// The field list as the profile gives it, in the user's order. A stored type out of range or
// already listed is skipped (a damaged or hand-edited profile must not print a column twice or
// none at all); types the profile leaves out follow, unchecked, so each type is listed once.
std::vector<ReportField> LoadReportFields(CProfile& profile, const ReportFieldKeys& keys,
                                          const std::function<bool(int32_t position)>& checkedByDefault);
// Writes one type and check per position of the list, never more.
void SaveReportFields(CProfile& profile, const ReportFieldKeys& keys, const std::vector<ReportField>& fields);
