#include "rawdata/records/RecordCode.h"

#include "rawdata/records/RawDataField.h"

#include <array>

namespace {

constexpr std::array<CRecordCode, RecordTypeCount> kRecordCodes = {{
    {"CO", "Comment:", "Comment:", 1},
    {"UC", "Uploaded Control:", "Up'ed Ctrl:", 5},
    {"UP", "Uploaded Point:", "Up'ed Pt:", 5},
    {"MC", "Input Control:", "Input Ctrl:", 5},
    {"MP", "Input Point:", "Input Pt:", 5},
    {"CC", "Calculated Coordinate:", "Cogo:", 5},
    {"RE", "Resection Point:", "Res Pt:", 5},
    {"ST", "Station Record:", "Station:", 5},
    {"CP", "Control Point:", "Ctrl Pt:", 7},
    {"SS", "SideShot:", "SideShot:", 7},
    {"SO", "Stake Out:", "Stake Out:", 7},
    {"F1", "Face One:", "Face 1:", 6},
    {"F2", "Face Two:", "Face 2:", 6},
    {"IN", "Invalid:", "Invalid:", 0},
}};

constexpr int32_t kCommentLayout[] = {FieldCO};
constexpr int32_t kCoordinateLayout[] = {FieldPN, FieldN, FieldE, FieldEL, FieldFC};
constexpr int32_t kStationLayout[] = {FieldOP, FieldBP, FieldHI, FieldAZ, FieldBC};
constexpr int32_t kShotLayout[] = {FieldPN, FieldHR, FieldSD, FieldHA, FieldVA, FieldTM, FieldFC};

} // namespace

namespace record_codes {

std::string GetTypeCode(int32_t type)
{
    if (type == RecordTypeUnknown)
        type = RecordTypeInvalid;
    return type >= 0 && type < RecordTypeCount ? kRecordCodes[size_t(type)].code : "";
}

std::string GetTypeLabel(int32_t type, bool longLabel)
{
    if (type == RecordTypeUnknown)
        type = RecordTypeInvalid;
    if (type < 0 || type >= RecordTypeCount)
        return {};
    return longLabel ? kRecordCodes[size_t(type)].longLabel : kRecordCodes[size_t(type)].shortLabel;
}

int32_t GetTypeFromText(std::string_view text)
{
    if (!text.empty() && text[0] == '*')
        text.remove_prefix(1);
    if (text.size() < 2)
        return RecordTypeUnknown;
    // Asked for on every look at a record: two characters compared directly, no string compare.
    for (int32_t i = 0; i < RecordTypeCount; ++i) {
        const char* code = kRecordCodes[size_t(i)].code;
        if (text[0] == code[0] && text[1] == code[1])
            return i;
    }
    return RecordTypeUnknown;
}

std::span<const int32_t> GetLayout(int32_t type)
{
    switch (type) {
    case RecordTypeComment:
        return kCommentLayout;
    case RecordTypeStation:
        return kStationLayout;
    case RecordTypeCtrlPoint:
    case RecordTypeSideShot:
    case RecordTypeStakeOut:
        return kShotLayout;
    case RecordTypeFace1:
    case RecordTypeFace2:
        return std::span<const int32_t>(kShotLayout, 6);
    default:
        if (IsCoordinateType(type))
            return kCoordinateLayout;
        return {};
    }
}

} // namespace record_codes
