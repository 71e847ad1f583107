#include "rawdata/records/RawDataNikonStakeOutRecord.h"

#include "core/ColoredTextLines.h"
#include "core/RawDataFormat.h"
#include "core/RawDataSetup.h"
#include "model/DataFileDoc.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/RawDataDrawTarget.h"
#include "rawdata/StakeoutState.h"

#include <cstdint>

std::string CRawDataNikonStakeOutRecord::DesignPointNameFor(const std::string& asBuiltName) const
{
    CJobFileDocSettings* settings = m_doc ? m_doc->GetDocSettings() : nullptr;
    if (!settings)
        return {};
    size_t digits = asBuiltName.size();
    while (digits > 0 && asBuiltName[digits - 1] >= '0' && asBuiltName[digits - 1] <= '9')
        --digits;
    // Names hold at most 16 characters, so the digits fit in 64 bits; longer runs are no name.
    if (digits == asBuiltName.size() || asBuiltName.size() - digits > 18)
        return {};
    int64_t number = 0;
    for (size_t i = digits; i < asBuiltName.size(); ++i)
        number = number * 10 + (asBuiltName[i] - '0');
    const int64_t design = number - int64_t(settings->GetStakeoutOffset());
    if (design < 1)
        return {};
    return asBuiltName.substr(0, digits) + std::to_string(design);
}

std::string CRawDataNikonStakeOutRecord::GetDesignPointName()
{
    return EnsureValid() ? DesignPointNameFor(m_name) : std::string();
}

std::string CRawDataNikonStakeOutRecord::GetStakeoutAsBuiltName() const
{
    CStakeoutState state;
    const CRawDataSetup* setup = GetSetup();
    return setup && setup->GetStakeoutState(&state) ? state.GetAsBuiltPointName() : std::string();
}

std::string CRawDataNikonStakeOutRecord::GetStakeoutAsBuiltDescription() const
{
    CStakeoutState state;
    const CRawDataSetup* setup = GetSetup();
    return setup && setup->GetStakeoutState(&state) ? state.GetAsBuiltDescription() : std::string();
}

CLocation CRawDataNikonStakeOutRecord::GetStakeoutDeltas() const
{
    CStakeoutState state;
    const CRawDataSetup* setup = GetSetup();
    return setup && setup->GetStakeoutState(&state) ? state.GetDeltas() : CLocation();
}

void CRawDataNikonStakeOutRecord::DrawPreview()
{
    CRawDataDrawTarget* target = GetDrawTarget();
    if (!target || IsDeleted() || !EnsureValid())
        return;
    CRawDataSetup* setup = GetSetup();
    if (!setup || !setup->ValidateForReduction(nullptr, true))
        return;
    const double direction = GetShotDirection(*setup);
    const double distance = GetHorizontalDistance();
    CLocation occupy;
    // Without a slope distance the shot lands nowhere: nothing is drawn.
    if (!HasValue(direction) || !HasValue(distance) || !setup->GetOccupyLocation(&occupy))
        return;
    const CLocation shot = occupy.OffsetByDirectionDistance(direction, distance);
    target->AddPreviewLine(occupy, shot, GetMorvelSettings().GetRawDataSideshotsColor(), 1, m_line);
    target->AddPreviewLocationEx(shot, IconStakeoutShot, 0, -8, m_line);
    CPointDatabase* points = GetPointDatabase();
    const CPointRecord* job = points ? points->FindPoint(m_name, true) : nullptr;
    if (job && !LocationsAgree(job->GetLocation(), shot, setup)) {
        target->AddPreviewLine(job->GetLocation(), shot, GetMorvelSettings().GetRawDataConflictsColor(), 1, m_line);
        target->AddPreviewLocation(job->GetLocation(), IconConflict, m_line);
    }
}

bool CRawDataNikonStakeOutRecord::CheckAgainstJob(CColoredTextLines* lines)
{
    if (!EnsureValid())
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
    CLocation occupy;
    if (!setup->GetPointLocation(setup->GetOccupyPoint(), &occupy)) {
        if (!lines)
            return false;
        AppendProblemBlock(*lines, "Occupy Pt '" + setup->GetOccupyPoint() + "' location unknown.");
        return true;
    }
    CStakeoutState state;
    if (!setup->GetStakeoutState(&state))
        return false;
    bool result = false;
    if (lines)
        result = state.AppendToReport(lines, CRawDataFormat(setup, true));
    if (!m_doc || !m_doc->IsValidPointName(state.GetAsBuiltPointName().c_str()))
        return result;
    return CheckShotAgainstJob(lines, *setup, state.GetAsBuiltPointName(), result);
}
