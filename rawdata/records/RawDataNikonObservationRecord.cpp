#include "rawdata/records/RawDataNikonObservationRecord.h"

#include "core/AngleFunctions.h"
#include "core/ColoredTextLines.h"
#include "core/Format.h"
#include "core/Geometry.h"
#include "core/RawDataSetup.h"
#include "core/ValueText.h"
#include "model/JobRawData.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/RawDataDrawTarget.h"
#include "rawdata/records/NikonRawDataSetup.h"

#include <cmath>
#include <iterator>

namespace {

bool IsObservationType(int32_t type)
{
    return record_codes::IsShotType(type) || type == RecordTypeFace1 || type == RecordTypeFace2;
}

} // namespace

bool CRawDataNikonObservationRecord::Validate()
{
    m_validated = false;
    if (!m_parsed && !SplitFields())
        return false;
    const int32_t expected = IsFaceReading() ? 6 : 7;
    if (!IsReadableType() || m_fields.GetSize() < expected)
        return false;
    std::string_view values[7];
    for (int32_t i = 0; i < expected; ++i)
        values[i] = m_fields[i].GetValue();
    return TakeValues(std::span(values, size_t(expected))) && (m_validated = m_fields.GetSize() == expected);
}

bool CRawDataNikonObservationRecord::ValidateText(std::span<std::string_view, 7> values)
{
    m_validated = false;
    const int32_t type = GetType();
    const auto layout = record_codes::GetLayout(type);
    const size_t expected = IsFaceReading() ? 6 : 7;
    // The split a stored line's fields would get: the layout's count, no more values than it holds.
    if (m_text.size() < 2 || type == RecordTypeUnknown || !IsReadableType() || layout.size() != expected ||
        SplitRawValues(GetText(), values.first(expected)) < 0)
        return false;
    return m_validated = TakeValues(values.first(expected));
}

bool CRawDataNikonObservationRecord::IsReadableType() const
{
    const int32_t type = GetType();
    return GetRecordTypeIndex() >= 0 ? type == GetRecordTypeIndex() : IsObservationType(type);
}

bool CRawDataNikonObservationRecord::TakeValues(std::span<const std::string_view> values)
{
    const bool face = IsFaceReading();
    std::string name(values[0]);
    if (!face && !ParsePointName(&name, name))
        return false;
    double hr = 0, sd = 0, ha = 0, va = 0;
    if (!ReadRawNumber(values[1], true, &hr) || !ReadRawNumber(values[2], true, &sd) ||
        !ReadRawNumber(values[3], false, &ha) || !ReadRawNumber(values[4], false, &va))
        return false;
    CRawDataSetup* setup = GetSetup();
    if (!setup)
        return false;
    m_name = std::move(name);
    m_hr = setup->DistanceToMetres(hr);
    m_sd = setup->DistanceToMetres(sd);
    m_ha = ha;
    m_va = setup->AngleToRadians(va);
    m_time = values[5];
    m_featureCode = face ? std::string_view() : values[6];
    return true;
}

bool CRawDataNikonObservationRecord::AppendValueTexts(std::string& out, std::span<const std::string_view, 7> values,
                                                      bool longLabels, bool wholeLabels)
{
    const CRawDataSetup* setup = GetSetup();
    if (!m_validated || !setup)
        return false;
    const auto layout = record_codes::GetLayout(GetType());
    // The angles as TakeValues read them, so their texts need no second reading.
    double radians[7];
    for (size_t i = 0; i < std::size(radians); ++i)
        radians[i] = i < layout.size() && layout[i] == FieldHA && i == 3   ? setup->AngleToRadians(m_ha)
                     : i < layout.size() && layout[i] == FieldVA && i == 4 ? m_va
                                                                           : NoValue;
    CNikonRawDataField::AppendValueTexts(out, layout, values, radians, setup, longLabels, wholeLabels);
    return true;
}

void CRawDataNikonObservationRecord::SetValues(const std::string& name, double hr, double sd, double ha, double va,
                                               const std::string& time, const std::string& featureCode)
{
    m_name = name;
    m_hr = hr;
    m_sd = sd;
    m_ha = ha;
    m_va = va;
    m_time = time;
    m_featureCode = featureCode;
    m_validated = true;
}

bool CRawDataNikonObservationRecord::UpdateText(int32_t line)
{
    CJobRawData* file = GetRawDataFile();
    auto* setup = dynamic_cast<CNikonRawDataSetup*>(file ? file->GetSetup(line) : nullptr);
    int32_t mode = -1;
    if (!setup || !setup->ValidateUnits(nullptr) || !setup->GetHaMode(&mode) || (mode != 0 && mode != 1))
        return false;
    int32_t type = GetRecordTypeIndex() >= 0 ? GetRecordTypeIndex() : GetType();
    if (!IsObservationType(type))
        return false;
    std::string text = m_deleted ? "*" : "";
    text += record_codes::GetTypeCode(type);
    text += "," + CleanRawText(m_name, false);
    text += "," + FormatDoubleCompact(setup->MetresToDistance(m_hr));
    text += "," + FormatDoubleCompact(setup->MetresToDistance(m_sd));
    // HA is held as recorded; writing the number back keeps it whatever the HA mode.
    text += "," + FormatDoubleCompact(m_ha);
    text += "," + FormatDoubleCompact(setup->RadiansToAngle(m_va));
    text += "," + CleanRawText(m_time, false);
    if (type != RecordTypeFace1 && type != RecordTypeFace2)
        text += "," + CleanRawText(m_featureCode, false);
    SetText(std::move(text));
    m_line = line;
    return true;
}

bool CRawDataNikonObservationRecord::DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels)
{
    return DescribeLayoutFields(lines, longLabels, wholeLabels);
}

std::string CRawDataNikonObservationRecord::GetPointName()
{
    return EnsureValid() ? m_name : std::string();
}

double CRawDataNikonObservationRecord::GetHR()
{
    return EnsureValid() ? m_hr : NoValue;
}

double CRawDataNikonObservationRecord::GetSD()
{
    return EnsureValid() ? m_sd : NoValue;
}

double CRawDataNikonObservationRecord::GetHA()
{
    return EnsureValid() ? m_ha : NoValue;
}

double CRawDataNikonObservationRecord::GetVA()
{
    return EnsureValid() ? m_va : NoValue;
}

std::string CRawDataNikonObservationRecord::GetTime()
{
    return EnsureValid() ? m_time : std::string();
}

std::string CRawDataNikonObservationRecord::GetFeatureCode()
{
    return EnsureValid() ? m_featureCode : std::string();
}

double CRawDataNikonObservationRecord::GetHADirection()
{
    return EnsureValid() ? AzimuthToDirection(m_ha) : NoValue;
}

double CRawDataNikonObservationRecord::GetHAAngle()
{
    return EnsureValid() ? AngleToRadians(m_ha) : NoValue;
}

bool CRawDataNikonObservationRecord::ComputeDistances(double* horizontal, double* vertical,
                                                      const CRawDataSetup** setupOut)
{
    if (!EnsureValid() || !HasValue(m_sd) || !HasValue(m_va))
        return false;
    const CRawDataSetup* setup = GetSetup();
    *setupOut = setup;
    const double v = ZenithToVerticalAngle(m_va);
    double hd = std::fabs(m_sd * std::cos(v));
    double sd = m_sd;
    if (setup && std::fabs(setup->GetDistanceConstant()) >= 0.0001)
        sd += setup->GetDistanceConstant();
    double vd = sd * std::sin(v);
    uint8_t coefficient = 0;
    if (setup && setup->GetCurvatureRefraction(&coefficient)) {
        // The correction is written for a face-one zenith; a face-two reading is folded so it
        // reduces as its twin instead of flipping the sign of the horizontal term.
        const double zenith = m_va > Pi ? TwoPi - m_va : m_va;
        ApplyCurvatureRefraction(zenith, m_sd, &vd, &hd, coefficient == 1 ? 0.200 : 0.132);
    }
    *horizontal = hd;
    *vertical = vd;
    return true;
}

double CRawDataNikonObservationRecord::CorrectHorizontal(double hd, double vd, const CRawDataSetup& setup) const
{
    int32_t seaLevel = 0;
    CLocation occupy;
    if (setup.GetSeaLevelAdjustment(&seaLevel) && seaLevel == 1 && setup.GetOccupyLocation(&occupy)) {
        double reduced = NoValue;
        if (ReduceDistanceToSeaLevel(&reduced, hd, vd, occupy.z))
            hd = reduced;
    }
    double factor = 1.0;
    if (setup.GetScaleFactor(&factor))
        hd *= factor;
    return hd;
}

double CRawDataNikonObservationRecord::GetHorizontalDistance()
{
    double horizontal = NoValue, vertical = NoValue;
    GetDistances(&horizontal, &vertical);
    return horizontal;
}

double CRawDataNikonObservationRecord::GetVerticalDistance()
{
    double hd = NoValue, vd = NoValue;
    const CRawDataSetup* setup = nullptr;
    return ComputeDistances(&hd, &vd, &setup) ? vd : NoValue;
}

void CRawDataNikonObservationRecord::GetDistances(double* horizontal, double* vertical)
{
    double hd = NoValue, vd = NoValue;
    const CRawDataSetup* setup = nullptr;
    if (!ComputeDistances(&hd, &vd, &setup)) {
        *horizontal = *vertical = NoValue;
        return;
    }
    *horizontal = setup ? CorrectHorizontal(hd, vd, *setup) : hd;
    *vertical = vd;
}

double CRawDataNikonObservationRecord::GetShotDirection(const CRawDataSetup& setup)
{
    auto* nikon = dynamic_cast<const CNikonRawDataSetup*>(&setup);
    int32_t mode = -1;
    if (!nikon || !EnsureValid())
        return NoValue;
    nikon->GetHaMode(&mode);
    double direction = NoValue;
    if (mode == 0) {
        direction = GetHADirection();
    } else if (mode == 1) {
        const double circle = setup.GetBacksightCircle();
        const double backsight = setup.GetBacksightAzimuth();
        const double angle = GetHAAngle();
        if (HasValue(circle) && HasValue(backsight) && HasValue(angle))
            direction = NormalizeAngle(circle + backsight - angle);
    }
    if (HasValue(direction) && m_va > Pi)
        direction = NormalizeAngle(direction + Pi);
    return direction;
}

bool CRawDataNikonObservationRecord::GetObservedLocation(const CRawDataSetup& setup, CLocation* location)
{
    CLocation occupy;
    const double direction = GetShotDirection(setup);
    double distance = NoValue, vertical = NoValue;
    GetDistances(&distance, &vertical);
    if (!HasValue(direction) || !HasValue(distance) || !setup.GetOccupyLocation(&occupy))
        return false;
    const double difference = setup.GetHeightDifference();
    if (HasValue(difference) && HasValue(vertical)) {
        *location = occupy.OffsetByDirectionDistanceRise(direction, distance, vertical + difference);
    } else {
        *location = occupy.OffsetByDirectionDistance(direction, distance);
        location->z = NoValue;
    }
    return true;
}

void CRawDataNikonObservationRecord::DrawPreview()
{
    CRawDataDrawTarget* target = GetDrawTarget();
    if (!target || IsFaceReading() || IsDeleted() || !EnsureValid())
        return;
    CRawDataSetup* setup = GetSetup();
    CLocation at;
    if (!setup || !setup->ValidateForReduction(nullptr, true) || !setup->GetPointLocation(m_name, &at))
        return;
    CLocation occupy;
    if (setup->GetOccupyLocation(&occupy)) {
        target->AddPreviewLine(occupy, at, GetMorvelSettings().GetRawDataSideshotsColor(), 1, m_line);
        target->AddPreviewLocationEx(at, IconShot, 0, -8, m_line);
    }
    CPointDatabase* points = GetPointDatabase();
    const CPointRecord* job = points ? points->FindPoint(m_name, true) : nullptr;
    if (!job) {
        target->AddPreviewLocation(at, IconConflict, m_line);
    } else if (!LocationsAgree(job->GetLocation(), at, setup)) {
        target->AddPreviewLine(job->GetLocation(), at, GetMorvelSettings().GetRawDataConflictsColor(), 1, m_line);
        target->AddPreviewLocation(job->GetLocation(), IconConflict, m_line);
    }
}

bool CRawDataNikonObservationRecord::CheckShotAgainstJob(CColoredTextLines* lines, const CRawDataSetup& setup,
                                                         const std::string& name, bool otherwise)
{
    CPointDatabase* points = GetPointDatabase();
    const CPointRecord* job = points ? points->FindPoint(name, true) : nullptr;
    CLocation occupy;
    if (job && setup.GetOccupyLocation(&occupy)) {
        // The observed location as the setups place the shot, so that correct "HA zero to BS"
        // and face-two shots agree with the job.
        CLocation observed(NoValue, NoValue, NoValue);
        GetObservedLocation(setup, &observed);
        double direction = NoValue, dx = NoValue, dy = NoValue, dz = NoValue;
        const double horizontal = observed.Inverse(job->GetLocation(), &direction, &dx, &dy, &dz);
        if ((HasValue(horizontal) && std::fabs(horizontal) < 0.0001) || !lines)
            return otherwise;
        AppendMismatchBlock(*lines, *job, observed, setup, true);
        return true;
    }
    if (!lines)
        return otherwise;
    std::string message = "Job file Pt. '" + (m_name.empty() ? std::string("---") : m_name) + "' not found.";
    if (!HasValue(m_sd))
        message += " Angle only raw data record.";
    AppendProblemBlock(*lines, message);
    return true;
}

bool CRawDataNikonObservationRecord::CheckAgainstJob(CColoredTextLines* lines)
{
    if (IsFaceReading() || !EnsureValid())
        return false;
    CRawDataSetup* setup = GetSetup();
    if (!setup)
        return false;
    std::string message;
    if (!setup->ValidateForReduction(&message, true)) {
        if (!lines)
            return false;
        AppendProblemBlock(*lines, message);
        return true;
    }
    return CheckShotAgainstJob(lines, *setup, m_name, false);
}
