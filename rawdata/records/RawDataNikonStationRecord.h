#pragma once

#include "core/NoValue.h"
#include "rawdata/records/RawDataRecord.h"

#include <string>

// An ST line: the station the following lines are observed from.
class CRawDataNikonStationRecord : public CNikonRawDataRecord
{
public:
    CRawDataNikonStationRecord() = default;
    explicit CRawDataNikonStationRecord(const CNikonRawDataRecord& record) : CNikonRawDataRecord(record) {}
    CRawDataNikonStationRecord(const CRawDataNikonStationRecord& other) : CNikonRawDataRecord(other) { CopyMembers(other); }
    CRawDataNikonStationRecord& operator=(const CRawDataNikonStationRecord& other)
    {
        if (this != &other) {
            AssignFrom(other);
            CopyMembers(other);
        }
        return *this;
    }

    bool UpdateText(int32_t line) override;
    bool Validate() override;
    void DrawPreview() override;
    bool DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels) override;
    bool CheckAgainstJob(CColoredTextLines* lines) override;

    std::string GetOccupyPoint();
    std::string GetBacksightPoint();
    double GetHI();
    double GetBacksightAzimuth();
    double GetBacksightCircle();
    // As the point-name map gives them as of the record's line; no value when unknown.
    void GetOccupyLocation(CLocation* location);
    void GetBacksightLocation(CLocation* location);
    bool ValidateSetup(std::string* message);

    void SetValues(const std::string& occupy, const std::string& backsight, double hi, double azimuth,
                   double circle);

protected:
    bool IsTypedView() const override { return true; }

private:
    void CopyMembers(const CRawDataNikonStationRecord& other);
    bool EnsureValid() { return m_validated || Validate(); }

    std::string m_occupy;
    std::string m_backsight;
    double m_hi = NoValue;
    double m_azimuth = NoValue;
    double m_circle = NoValue;
};
