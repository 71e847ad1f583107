#pragma once

#include "core/NoValue.h"
#include "rawdata/records/RawDataRecord.h"

#include <string>

class CPointRecord;

// A point given by its coordinates (UC, UP, MC, MP, CC, RE lines). Northing, easting and
// elevation are held in metres and written in the distance unit of the line's setup.
class CRawDataNikonCoordinateRecord : public CNikonRawDataRecord
{
public:
    CRawDataNikonCoordinateRecord() = default;
    explicit CRawDataNikonCoordinateRecord(const CNikonRawDataRecord& record) : CNikonRawDataRecord(record) {}

    bool UpdateText(int32_t line) override;
    bool Validate() override;
    void DrawPreview() override;
    bool SwapNorthingEasting() override;
    bool DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels) override;
    bool CheckAgainstJob(CColoredTextLines* lines) override;
    // The line of the subclass's type with the five values (or its empty template).
    virtual std::string FormatLine(const std::string values[5], bool withValues) const { return {}; }
    virtual int32_t GetRecordTypeIndex() const { return -1; }

    bool SetFromPoint(const CPointRecord* point);
    bool SetValues(const std::string& name, const CLocation& location, const std::string& description);
    bool SetValues(const std::string& name, double easting, double northing, double elevation,
                   const std::string& description);
    std::string GetPointName();
    CLocation GetLocation();
    std::string GetDescription();

protected:
    bool IsTypedView() const override { return true; }
    std::string FormatTypedLine(const char* code, const std::string values[5], bool withValues) const;

private:
    bool EnsureValid() { return m_validated || Validate(); }

    std::string m_name;
    double m_northing = NoValue;
    double m_easting = NoValue;
    double m_elevation = NoValue;
    std::string m_description;
};

// The six coordinate types differ only in their code and type index.
template <int32_t Type>
class CRawDataNikonCoordinateRecordOf : public CRawDataNikonCoordinateRecord
{
public:
    CRawDataNikonCoordinateRecordOf() = default;
    explicit CRawDataNikonCoordinateRecordOf(const CNikonRawDataRecord& record) : CRawDataNikonCoordinateRecord(record) {}
    std::string FormatLine(const std::string values[5], bool withValues) const override
    {
        return FormatTypedLine(record_codes::GetTypeCode(Type).c_str(), values, withValues);
    }
    int32_t GetRecordTypeIndex() const override { return Type; }
};

using CRawDataNikonUploadedCtrlRecord = CRawDataNikonCoordinateRecordOf<RecordTypeUploadedCtrl>;
using CRawDataNikonUploadedPointRecord = CRawDataNikonCoordinateRecordOf<RecordTypeUploadedPoint>;
using CRawDataNikonInputCtrlRecord = CRawDataNikonCoordinateRecordOf<RecordTypeInputCtrl>;
using CRawDataNikonInputPointRecord = CRawDataNikonCoordinateRecordOf<RecordTypeInputPoint>;
using CRawDataNikonCogoRecord = CRawDataNikonCoordinateRecordOf<RecordTypeCogo>;
using CRawDataNikonResectionRecord = CRawDataNikonCoordinateRecordOf<RecordTypeResection>;
