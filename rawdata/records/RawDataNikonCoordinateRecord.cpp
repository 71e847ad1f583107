#include "rawdata/records/RawDataNikonCoordinateRecord.h"

#include "core/ColoredTextLines.h"
#include "core/Format.h"
#include "core/RawDataSetup.h"
#include "core/ValueText.h"
#include "model/JobRawData.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/RawDataDrawTarget.h"

bool CRawDataNikonCoordinateRecord::Validate()
{
    m_validated = false;
    if (!m_parsed && !SplitFields())
        return false;
    if (GetRecordTypeIndex() >= 0 && GetType() != GetRecordTypeIndex())
        return false;
    if (!record_codes::IsCoordinateType(GetType()) || m_fields.GetSize() < 5)
        return false;
    std::string name;
    if (!ParsePointName(&name, m_fields[0].GetValue()))
        return false;
    double n = 0, e = 0, z = 0;
    if (!ReadRawNumber(m_fields[1].GetValue(), false, &n) || !ReadRawNumber(m_fields[2].GetValue(), false, &e) ||
        !ReadRawNumber(m_fields[3].GetValue(), true, &z))
        return false;
    m_name = name;
    m_northing = DistanceToMetres(n);
    m_easting = DistanceToMetres(e);
    m_elevation = DistanceToMetres(z);
    m_description = m_fields[4].GetValue();
    m_validated = m_fields.GetSize() == 5;
    return m_validated;
}

std::string CRawDataNikonCoordinateRecord::FormatTypedLine(const char* code, const std::string values[5],
                                                           bool withValues) const
{
    std::string line = m_deleted ? "*" : "";
    line += code;
    for (int i = 0; i < 5; ++i) {
        line += ',';
        if (withValues)
            line += values[i];
    }
    return line;
}

bool CRawDataNikonCoordinateRecord::UpdateText(int32_t line)
{
    CJobRawData* file = GetRawDataFile();
    CRawDataSetup* setup = file ? file->GetSetup(line) : nullptr;
    if (!setup || !setup->ValidateUnits(nullptr))
        return false;
    const std::string values[5] = {
        CleanRawText(m_name, false),
        FormatDoubleCompact(setup->MetresToDistance(m_northing)),
        FormatDoubleCompact(setup->MetresToDistance(m_easting)),
        FormatDoubleCompact(setup->MetresToDistance(m_elevation)),
        CleanRawText(m_description, false),
    };
    const std::string text = FormatLine(values, true);
    if (text.empty())
        return false;
    SetText(text);
    m_line = line;
    return true;
}

bool CRawDataNikonCoordinateRecord::SwapNorthingEasting()
{
    if (!EnsureValid())
        return false;
    std::swap(m_northing, m_easting);
    return UpdateText(m_line);
}

bool CRawDataNikonCoordinateRecord::DescribeFields(CColoredTextLines* lines, bool longLabels, bool wholeLabels)
{
    return DescribeLayoutFields(lines, longLabels, wholeLabels);
}

bool CRawDataNikonCoordinateRecord::SetFromPoint(const CPointRecord* point)
{
    if (!point)
        return false;
    const CLocation at = point->GetLocation();
    return SetValues(point->GetName(), at.x, at.y, at.z, point->GetDescription());
}

bool CRawDataNikonCoordinateRecord::SetValues(const std::string& name, const CLocation& location,
                                              const std::string& description)
{
    return SetValues(name, location.x, location.y, location.z, description);
}

bool CRawDataNikonCoordinateRecord::SetValues(const std::string& name, double easting, double northing,
                                              double elevation, const std::string& description)
{
    m_name = name;
    m_easting = easting;
    m_northing = northing;
    m_elevation = elevation;
    m_description = description;
    m_validated = true;
    return true;
}

std::string CRawDataNikonCoordinateRecord::GetPointName()
{
    return EnsureValid() ? m_name : std::string();
}

CLocation CRawDataNikonCoordinateRecord::GetLocation()
{
    if (!EnsureValid())
        return CLocation(NoValue, NoValue, NoValue);
    return CLocation(m_easting, m_northing, m_elevation);
}

std::string CRawDataNikonCoordinateRecord::GetDescription()
{
    return EnsureValid() ? m_description : std::string();
}

void CRawDataNikonCoordinateRecord::DrawPreview()
{
    CRawDataDrawTarget* target = GetDrawTarget();
    CRawDataSetup* setup = GetSetup();
    if (!target || IsDeleted() || !EnsureValid() || !setup || !setup->ValidateUnits(nullptr))
        return;
    const CLocation at(m_easting, m_northing, m_elevation);
    target->AddPreviewLocation(at, IconStorePoint, m_line);
    CPointDatabase* points = GetPointDatabase();
    const CPointRecord* job = points ? points->FindPoint(m_name, true) : nullptr;
    if (job && LocationsAgree(at, job->GetLocation(), setup))
        return;
    target->AddPreviewLocation(at, IconConflict, m_line);
    if (job)
        target->AddPreviewLine(at, job->GetLocation(), GetMorvelSettings().GetRawDataConflictsColor(), 1, m_line);
}

bool CRawDataNikonCoordinateRecord::CheckAgainstJob(CColoredTextLines* lines)
{
    CRawDataSetup* setup = GetSetup();
    if (!lines || !EnsureValid() || !setup)
        return false;
    std::string message;
    if (!setup->ValidateUnits(&message)) {
        AppendProblemBlock(*lines, message);
        return true;
    }
    CPointDatabase* points = GetPointDatabase();
    const CPointRecord* job = points ? points->FindPoint(m_name, true) : nullptr;
    if (!job) {
        AppendProblemBlock(*lines, "Point missing in file");
        return true;
    }
    const CLocation at(m_easting, m_northing, m_elevation);
    if (LocationsAgree(at, job->GetLocation(), setup))
        return false;
    AppendMismatchBlock(*lines, *job, at, *setup);
    return true;
}
