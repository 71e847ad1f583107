#include "rawdata/records/RawDataNikonStationRecord.h"

#include "core/AngleFunctions.h"
#include "core/ColoredTextLines.h"
#include "core/Format.h"
#include "core/RawDataSetup.h"
#include "core/ValueText.h"
#include "model/JobRawData.h"
#include "model/DataFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/RawDataDrawTarget.h"

#include <cstdio>

void CRawDataNikonStationRecord::CopyMembers(const CRawDataNikonStationRecord& other)
{
    m_occupy = other.m_occupy;
    m_backsight = other.m_backsight;
    m_hi = other.m_hi;
    m_azimuth = other.m_azimuth;
    m_circle = other.m_circle;
    m_validated = other.m_validated;
}

bool CRawDataNikonStationRecord::Validate()
{
    m_validated = false;
    if (!m_parsed && !SplitFields())
        return false;
    if (GetType() != RecordTypeStation || m_fields.GetSize() < 5)
        return false;
    std::string occupy;
    if (!ParsePointName(&occupy, m_fields[0].GetValue()))
        return false;
    double hi = 0, az = 0, bc = 0;
    if (!ReadRawNumber(m_fields[2].GetValue(), false, &hi) || !ReadRawNumber(m_fields[3].GetValue(), true, &az) ||
        !ReadRawNumber(m_fields[4].GetValue(), true, &bc))
        return false;
    m_occupy = occupy;
    m_backsight = m_fields[1].GetValue();
    m_hi = DistanceToMetres(hi);
    m_azimuth = AzimuthToDirection(az);
    m_circle = AngleToRadians(bc);
    if (!HasValue(m_circle))
        m_circle = 0.0;
    m_validated = m_fields.GetSize() == 5;
    return m_validated;
}

void CRawDataNikonStationRecord::SetValues(const std::string& occupy, const std::string& backsight, double hi,
                                           double azimuth, double circle)
{
    m_occupy = occupy;
    m_backsight = backsight;
    m_hi = hi;
    m_azimuth = azimuth;
    m_circle = circle;
    m_validated = true;
}

bool CRawDataNikonStationRecord::UpdateText(int32_t line)
{
    CJobRawData* file = GetRawDataFile();
    CRawDataSetup* setup = file ? file->GetSetup(line) : nullptr;
    if (!setup || !setup->ValidateUnits(nullptr))
        return false;
    std::string text = m_deleted ? "*ST," : "ST,";
    text += CleanRawText(m_occupy, false) + "," + CleanRawText(m_backsight, false) + ",";
    text += FormatDoubleCompact(setup->MetresToDistance(m_hi)) + ",";
    text += FormatDoubleCompact(setup->DirectionToAzimuth(m_azimuth)) + ",";
    text += FormatDoubleCompact(setup->RadiansToAngle(m_circle));
    SetText(std::move(text));
    m_line = line;
    return true;
}

std::string CRawDataNikonStationRecord::GetOccupyPoint()
{
    return EnsureValid() ? m_occupy : std::string();
}

std::string CRawDataNikonStationRecord::GetBacksightPoint()
{
    return EnsureValid() ? m_backsight : std::string();
}

double CRawDataNikonStationRecord::GetHI()
{
    return EnsureValid() ? m_hi : NoValue;
}

double CRawDataNikonStationRecord::GetBacksightAzimuth()
{
    return EnsureValid() ? m_azimuth : NoValue;
}

double CRawDataNikonStationRecord::GetBacksightCircle()
{
    return EnsureValid() ? m_circle : NoValue;
}

void CRawDataNikonStationRecord::GetOccupyLocation(CLocation* location)
{
    location->SetAllNull();
    CRawDataSetup* setup = GetSetup();
    if (setup && EnsureValid())
        setup->GetPointLocation(m_occupy, location);
}

void CRawDataNikonStationRecord::GetBacksightLocation(CLocation* location)
{
    location->SetAllNull();
    CRawDataSetup* setup = GetSetup();
    if (setup && EnsureValid())
        setup->GetPointLocation(m_backsight, location);
}

bool CRawDataNikonStationRecord::DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels)
{
    return DescribeLayoutFields(lines, longLabels, wholeLabels);
}

bool CRawDataNikonStationRecord::ValidateSetup(std::string* message)
{
    auto fail = [message](std::string text) {
        if (message)
            *message = std::move(text);
        return false;
    };
    if (!EnsureValid() || !DescribeLayoutFields(nullptr, false, true))
        return fail("Unable to interpret " + GetText());
    CRawDataSetup* setup = GetSetup();
    if (!setup)
        return fail("No valid setup found.");
    std::string unitMessage;
    if (!setup->ValidateUnits(&unitMessage))
        return fail(unitMessage);
    if (!HasValue(m_hi))
        return fail("Unknown HI");
    CLocation occupy;
    if (!setup->GetPointLocation(m_occupy, &occupy) || !occupy.HasPlaneCoordinates())
        return fail("Occupy Pt '" + m_occupy + "' location unknown.");
    return true;
}

bool CRawDataNikonStationRecord::CheckAgainstJob(CColoredTextLines* lines)
{
    CRawDataSetup* setup = GetSetup();
    if (!EnsureValid() || !setup)
        return false;
    std::string message;
    if (!setup->ValidateUnits(&message)) {
        if (!lines)
            return false;
        AppendProblemBlock(*lines, message);
        return true;
    }
    CPointDatabase* points = GetPointDatabase();
    // One point of the station against the job: true when something was written.
    auto check = [&](const std::string& name, const CLocation& raw) {
        const CPointRecord* job = points ? points->FindPoint(name, true) : nullptr;
        if (!job) {
            if (lines)
                AppendProblemBlock(*lines, "Job file Pt. '" + (name.empty() ? std::string("---") : name) +
                                               "' not found.");
            return true;
        }
        if (raw.HasPlaneCoordinates() && LocationsAgree(raw, job->GetLocation(), setup))
            return false;
        if (lines)
            AppendMismatchBlock(*lines, *job, raw, *setup);
        return true;
    };
    CLocation occupy;
    GetOccupyLocation(&occupy);
    if (check(m_occupy, occupy))
        return lines != nullptr;
    CDataFileDoc* doc = GetDocument();
    if (!doc || m_backsight.empty() || !doc->IsValidPointName(m_backsight.c_str()))
        return false;
    CLocation backsight;
    GetBacksightLocation(&backsight);
    return check(m_backsight, backsight) && lines != nullptr;
}

void CRawDataNikonStationRecord::DrawPreview()
{
    CRawDataDrawTarget* target = GetDrawTarget();
    if (!target || IsDeleted() || !EnsureValid())
        return;
    CRawDataSetup* setup = GetSetup();
    CLocation occupy;
    if (!setup || !setup->ValidateUnits(nullptr) || !setup->GetOccupyLocation(&occupy))
        return;
    const int32_t sideshots = GetMorvelSettings().GetRawDataSideshotsColor();
    const int32_t conflicts = GetMorvelSettings().GetRawDataConflictsColor();
    target->AddPreviewLocation(occupy, IconStation, m_line);

    CPointDatabase* points = GetPointDatabase();
    if (const CPointRecord* job = points ? points->FindPoint(m_occupy, true) : nullptr) {
        if (!LocationsAgree(occupy, job->GetLocation(), setup)) {
            target->AddPreviewLocation(occupy, IconConflict, m_line);
            target->AddPreviewLine(occupy, job->GetLocation(), conflicts, 1, m_line);
        }
    } else {
        target->AddPreviewLocation(occupy, IconConflict, m_line);
    }

    const double azimuth = setup->GetBacksightAzimuth();
    const CPointRecord* backsight = points ? points->FindPoint(m_backsight, true) : nullptr;
    if (backsight) {
        double direction = NoValue;
        occupy.DistanceAndDirection(backsight->GetLocation(), &direction);
        if (AnglesAgree(azimuth, direction)) {
            target->AddPreviewLocationEx(backsight->GetLocation(), IconBacksight, 0, -8, m_line);
            target->AddPreviewLine(occupy, backsight->GetLocation(), sideshots, 2, m_line);
        } else if (HasValue(azimuth)) {
            target->AddPreviewInfiniteLine(occupy, azimuth, 0, sideshots, 2, m_line);
        } else {
            target->AddPreviewLocation(occupy, IconConflict, m_line);
            target->AddPreviewInfiniteLine(occupy, Pi / 2, 0, conflicts, 2, m_line);
            target->AddPreviewLine(occupy, backsight->GetLocation(), conflicts, 2, m_line);
        }
    } else if (HasValue(azimuth)) {
        target->AddPreviewInfiniteLine(occupy, azimuth, 0, sideshots, 2, m_line);
    } else {
        target->AddPreviewLocation(occupy, IconConflict, m_line);
    }
}
