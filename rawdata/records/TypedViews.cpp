#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"
#include "rawdata/records/RawDataNikonStakeOutRecord.h"
#include "rawdata/records/RawDataNikonStationRecord.h"
#include "rawdata/records/RawDataRecord.h"

std::unique_ptr<CNikonRawDataRecord> CreateTypedView(const CNikonRawDataRecord& record)
{
    switch (record.GetType()) {
    case RecordTypeComment:
        return std::make_unique<CRawDataNikonCommentRecord>(record);
    case RecordTypeUploadedCtrl:
        return std::make_unique<CRawDataNikonUploadedCtrlRecord>(record);
    case RecordTypeUploadedPoint:
        return std::make_unique<CRawDataNikonUploadedPointRecord>(record);
    case RecordTypeInputCtrl:
        return std::make_unique<CRawDataNikonInputCtrlRecord>(record);
    case RecordTypeInputPoint:
        return std::make_unique<CRawDataNikonInputPointRecord>(record);
    case RecordTypeCogo:
        return std::make_unique<CRawDataNikonCogoRecord>(record);
    case RecordTypeResection:
        return std::make_unique<CRawDataNikonResectionRecord>(record);
    case RecordTypeStation:
        return std::make_unique<CRawDataNikonStationRecord>(record);
    case RecordTypeCtrlPoint:
        return std::make_unique<CRawDataNikonCtrlPointRecord>(record);
    case RecordTypeSideShot:
        return std::make_unique<CRawDataNikonSideShotRecord>(record);
    case RecordTypeStakeOut:
        return std::make_unique<CRawDataNikonStakeOutRecord>(record);
    case RecordTypeFace1:
        return std::make_unique<CRawDataNikonFace1Record>(record);
    case RecordTypeFace2:
        return std::make_unique<CRawDataNikonFace2Record>(record);
    default:
        return nullptr; // IN and unknown lines

    }
}
