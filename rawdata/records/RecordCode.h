#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Record types: rows of the record-code table.
enum RawRecordType : int32_t {
    RecordTypeUnknown = -1,
    RecordTypeComment = 0, // CO
    RecordTypeUploadedCtrl, // UC
    RecordTypeUploadedPoint, // UP
    RecordTypeInputCtrl, // MC
    RecordTypeInputPoint, // MP
    RecordTypeCogo, // CC
    RecordTypeResection, // RE
    RecordTypeStation, // ST
    RecordTypeCtrlPoint, // CP
    RecordTypeSideShot, // SS
    RecordTypeStakeOut, // SO
    RecordTypeFace1, // F1
    RecordTypeFace2, // F2
    RecordTypeInvalid, // IN
    RecordTypeCount
};
// Accepted by the coordinate-record base view: any of UC, UP, MC, MP, CC, RE.
inline constexpr int32_t RecordTypeAnyCoordinate = -2;

// One row of the record-code table.
struct CRecordCode
{
    const char* code;
    const char* longLabel;
    const char* shortLabel;
    int32_t valueCount;
};

namespace record_codes {
// -1 answers with the IN row; other types outside the table give the empty text.
std::string GetTypeCode(int32_t type);
std::string GetTypeLabel(int32_t type, bool longLabel);
// One leading '*' dropped, then the first two characters, case-sensitive; -1 when unknown.
int32_t GetTypeFromText(std::string_view text);
// The field codes of the type's values in line order (empty for IN and unknown types).
std::span<const int32_t> GetLayout(int32_t type);
inline bool IsCoordinateType(int32_t type) { return type >= RecordTypeUploadedCtrl && type <= RecordTypeResection; }
inline bool IsShotType(int32_t type) { return type >= RecordTypeCtrlPoint && type <= RecordTypeStakeOut; }
} // namespace record_codes
