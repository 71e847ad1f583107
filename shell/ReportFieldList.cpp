#include "shell/ReportFieldList.h"

#include "platform/Profile.h"

std::vector<ReportField> LoadReportFields(CProfile& profile, const ReportFieldKeys& keys,
                                          const std::function<bool(int32_t position)>& checkedByDefault)
{
    std::vector<ReportField> fields;
    std::vector<bool> listed(size_t(keys.count), false);
    for (int32_t i = 0; i < keys.count; ++i) {
        const std::string n = std::to_string(i);
        const int32_t type = profile.GetProfileInt(keys.section, keys.typeKey + n, i);
        if (type < 0 || type >= keys.count || listed[size_t(type)])
            continue;
        listed[size_t(type)] = true;
        const int32_t check = profile.GetProfileInt(keys.section, keys.checkKey + n, checkedByDefault(i) ? 1 : 0);
        fields.push_back({type, check != 0});
    }
    for (int32_t type = 0; type < keys.count; ++type)
        if (!listed[size_t(type)])
            fields.push_back({type, false});
    return fields;
}

void SaveReportFields(CProfile& profile, const ReportFieldKeys& keys, const std::vector<ReportField>& fields)
{
    for (size_t i = 0; i < fields.size() && i < size_t(keys.count); ++i) {
        const std::string n = std::to_string(i);
        profile.WriteProfileInt(keys.section, keys.typeKey + n, fields[i].type);
        profile.WriteProfileInt(keys.section, keys.checkKey + n, fields[i].checked ? 1 : 0);
    }
}
