#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RawDataRecord.h"

std::unique_ptr<CNikonRawDataRecord> CreateTypedView(const CNikonRawDataRecord& record)
{
    switch (record.GetType()) {
    case RecordTypeComment:
        return std::make_unique<CRawDataNikonCommentRecord>(record);
    default:
        // IN, unknown lines, and types whose views are not built here.
        return nullptr;
    }
}
