#pragma once

#include "core/NoValue.h"
#include "rawdata/records/RawDataRecord.h"

#include <span>
#include <string>
#include <string_view>

class CRawDataSetup;

// A shot from the station to a target (CP, SS, SO) or a face reading (F1, F2). HR and SD are
// held in metres, VA as a zenith angle in radians, HA as recorded in the line's angle unit.
class CRawDataNikonObservationRecord : public CNikonRawDataRecord
{
public:
    CRawDataNikonObservationRecord() = default;
    explicit CRawDataNikonObservationRecord(const CNikonRawDataRecord& record) : CNikonRawDataRecord(record) {}

    bool UpdateText(int32_t line) override;
    bool Validate() override;
    void DrawPreview() override;
    bool DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels) override;
    bool CheckAgainstJob(CColoredTextLines* lines) override;
    // The type this view reads; the base view reads any observation type.
    virtual int32_t GetRecordTypeIndex() const { return -1; }

    std::string GetPointName();
    double GetHR();
    double GetSD();
    double GetHA();
    double GetVA();
    std::string GetTime();
    std::string GetFeatureCode();
    // HA read as an azimuth, turned into a direction; HA read as an angle, in [0, 2pi).
    double GetHADirection();
    double GetHAAngle();
    // Metres, with the corrections the line's setup switches on; a face-two zenith reduces as
    // its face-one twin.
    double GetHorizontalDistance();
    double GetVerticalDistance();
    // Both of the above from one computation.
    void GetDistances(double* horizontal, double* vertical);
    // The direction from the station to the target by the setup's HA mode, turned for face two;
    // NoValue when the mode or the values do not give one.
    double GetShotDirection(const CRawDataSetup& setup);
    // Where the shot lands from the setup's occupy location; false when it cannot be placed.
    bool GetObservedLocation(const CRawDataSetup& setup, CLocation* location);

    void SetValues(const std::string& name, double hr, double sd, double ha, double va, const std::string& time,
                   const std::string& featureCode);
    // Validate's answer and values read straight off the view's own text, leaving the fields
    // unsplit: a reduction reads each shot once. `values` are left viewing the text, for
    // AppendValueTexts; the field lists and descriptions need Validate.
    bool ValidateText(std::span<std::string_view, 7> values);
    // The field lines of the values ValidateText left, joined by ", " as AppendLayoutFieldTexts
    // gives them.
    bool AppendValueTexts(std::string& out, std::span<const std::string_view, 7> values, bool longLabels,
                          bool wholeLabels);

protected:
    bool IsTypedView() const override { return true; }
    bool IsFaceReading() const { return GetType() == RecordTypeFace1 || GetType() == RecordTypeFace2; }
    bool EnsureValid() { return m_validated || Validate(); }
    bool IsReadableType() const;
    // The split values checked and taken into the members as Validate reads them.
    bool TakeValues(std::span<const std::string_view> values);
    // The distances before the sea-level and scale corrections.
    bool ComputeDistances(double* horizontal, double* vertical, const CRawDataSetup** setup);
    // The sea-level and scale corrections of the setup applied to a horizontal distance.
    double CorrectHorizontal(double hd, double vd, const CRawDataSetup& setup) const;
    // The shot against the job point named `name`: the mismatch block or the not-found line.
    // Without lines, or when the shot agrees, returns `otherwise`.
    bool CheckShotAgainstJob(CColoredTextLines* lines, const CRawDataSetup& setup, const std::string& name,
                             bool otherwise);

    std::string m_name;
    double m_hr = NoValue;
    double m_sd = NoValue;
    double m_ha = NoValue;
    double m_va = NoValue;
    std::string m_time = "00:00:00";
    std::string m_featureCode;
};

template <int32_t Type>
class CRawDataNikonObservationRecordOf : public CRawDataNikonObservationRecord
{
public:
    CRawDataNikonObservationRecordOf() = default;
    explicit CRawDataNikonObservationRecordOf(const CNikonRawDataRecord& record) : CRawDataNikonObservationRecord(record) {}
    int32_t GetRecordTypeIndex() const override { return Type; }
};

using CRawDataNikonCtrlPointRecord = CRawDataNikonObservationRecordOf<RecordTypeCtrlPoint>;
using CRawDataNikonSideShotRecord = CRawDataNikonObservationRecordOf<RecordTypeSideShot>;
using CRawDataNikonFace1Record = CRawDataNikonObservationRecordOf<RecordTypeFace1>;
using CRawDataNikonFace2Record = CRawDataNikonObservationRecordOf<RecordTypeFace2>;
