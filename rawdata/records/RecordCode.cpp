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
    // Asked for on every look at a record: the two characters as one key, found by a switch the
    // compiler turns into a few compares rather than a walk down the table.
    constexpr auto key = [](char first, char second) { return uint32_t(uint8_t(first)) << 8 | uint8_t(second); };
    constexpr auto codeKey = [key](int32_t type) {
        return key(kRecordCodes[size_t(type)].code[0], kRecordCodes[size_t(type)].code[1]);
    };
    static_assert(RecordTypeCount == 14, "every record type has its case below");
#define MORVEL_CODE_CASE(type) \
    case codeKey(type):        \
        return type;
    switch (key(text[0], text[1])) {
        MORVEL_CODE_CASE(0)
        MORVEL_CODE_CASE(1)
        MORVEL_CODE_CASE(2)
        MORVEL_CODE_CASE(3)
        MORVEL_CODE_CASE(4)
        MORVEL_CODE_CASE(5)
        MORVEL_CODE_CASE(6)
        MORVEL_CODE_CASE(7)
        MORVEL_CODE_CASE(8)
        MORVEL_CODE_CASE(9)
        MORVEL_CODE_CASE(10)
        MORVEL_CODE_CASE(11)
        MORVEL_CODE_CASE(12)
        MORVEL_CODE_CASE(13)
    default:
        return RecordTypeUnknown;
    }
#undef MORVEL_CODE_CASE
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
