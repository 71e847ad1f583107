#include "rawdata/RawDataSearch.h"

#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"
#include "rawdata/records/RawDataNikonObservationRecord.h"
#include "rawdata/records/RawDataNikonStationRecord.h"

#include <cctype>
#include <memory>

namespace {

bool SameNameNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool RoleTakesType(int32_t role, int32_t type)
{
    switch (role) {
    case RawRoleOccupy:
    case RawRoleBacksight:
        return type == RecordTypeStation;
    case RawRoleStore:
        return record_codes::IsCoordinateType(type);
    case RawRoleForesight:
        return type == RecordTypeSideShot || type == RecordTypeCtrlPoint;
    case RawRoleStakeout:
        return type == RecordTypeStakeOut;
    default:
        return false;
    }
}

// The record's point in the role, read through its typed view.
std::string RolePointName(const CNikonRawDataRecord& record, int32_t role)
{
    const std::unique_ptr<CNikonRawDataRecord> view = CreateTypedView(record);
    if (auto* station = dynamic_cast<CRawDataNikonStationRecord*>(view.get()))
        return role == RawRoleBacksight ? station->GetBacksightPoint() : station->GetOccupyPoint();
    if (auto* coordinate = dynamic_cast<CRawDataNikonCoordinateRecord*>(view.get()))
        return coordinate->GetPointName();
    if (auto* shot = dynamic_cast<CRawDataNikonObservationRecord*>(view.get()))
        return shot->GetPointName();
    return {};
}

} // namespace

bool RawLineMatches(const CRawDataFile& file, int32_t line, const CRawSearch& search)
{
    if (line < 0 || line >= file.GetLineCount())
        return false;
    const CNikonRawDataRecord* record = file.GetRecord(line);
    if (!record)
        return false;
    switch (search.kind) {
    case RawSearchPoints:
        if (!RoleTakesType(search.role, record->GetType()))
            return false;
        return search.pointName.empty() || SameNameNoCase(search.pointName, RolePointName(*record, search.role));
    case RawSearchRecords:
        return record->GetType() == search.recordType;
    case RawSearchText:
        return record->GetText().find(search.text) != std::string::npos;
    case RawSearchLine:
        return line + 1 == search.lineNumber;
    default:
        return false;
    }
}

int32_t FindRawLine(const CRawDataFile& file, const CRawSearch& search, int32_t start, bool forward)
{
    const int32_t count = file.GetLineCount();
    if (count <= 0)
        return -1;
    if (start < 0 || start >= count)
        start = -1;
    int32_t line = start;
    for (int32_t tested = 0; tested < count; ++tested) {
        if (forward)
            line = (line + 1 >= count) ? 0 : line + 1;
        else
            line = (line - 1 < 0) ? count - 1 : line - 1;
        if (RawLineMatches(file, line, search))
            return line;
    }
    return -1;
}

std::string RawSearchNotFoundMessage(const CRawSearch& search)
{
    std::string thing;
    switch (search.kind) {
    case RawSearchPoints:
        thing = search.pointName;
        break;
    case RawSearchRecords:
        if (search.recordType >= 0 && search.recordType < RecordTypeCount)
            thing = record_codes::GetTypeLabel(search.recordType, true);
        break;
    case RawSearchText:
        thing = search.text;
        break;
    case RawSearchLine:
        thing = "Line #" + std::to_string(search.lineNumber);
        break;
    default:
        break;
    }
    if (thing.empty())
        return "Not Found.";
    if (search.kind == RawSearchPoints) {
        static const char* const roles[RawRoleCount] = {"Occupy point ", "Backsight point ", "Store point ",
                                                        "Foresight point ", "Stakeout point "};
        if (search.role < 0 || search.role >= RawRoleCount)
            return "Not Found.";
        return roles[search.role] + thing + " not found.";
    }
    return "\"" + thing + "\" not found.";
}
