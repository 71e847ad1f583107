#include "rawdata/StakeoutState.h"

#include "core/ColoredTextLines.h"
#include "core/NoValue.h"
#include "core/RawDataFormat.h"
#include "model/MorvelSettings.h"
#include "model/MorvelSettingsHelpers.h"
#include "rawdata/records/RawDataRecord.h"

void CStakeoutState::Reset()
{
    m_designName.clear();
    m_designDescription.clear();
    m_designLocation.SetAllNull();
    m_asBuiltName.clear();
    m_asBuiltLocation.SetAllNull();
    m_asBuiltDescription.clear();
    m_deltas.SetAllNull();
    m_warnings.assign(1, RawSeparatorLine);
}

void CStakeoutState::AddWarning(const std::string& text)
{
    if (!text.empty())
        m_warnings.push_back(text);
}

double CStakeoutState::GetCutFill() const
{
    if (!HasValue(m_designLocation.z) || !HasValue(m_asBuiltLocation.z))
        return NoValue;
    return m_designLocation.z - m_asBuiltLocation.z;
}

bool CStakeoutState::ComputeDeltas()
{
    auto delta = [](double design, double asBuilt) {
        return HasValue(design) && HasValue(asBuilt) ? design - asBuilt : NoValue;
    };
    m_deltas.x = delta(m_designLocation.x, m_asBuiltLocation.x);
    m_deltas.y = delta(m_designLocation.y, m_asBuiltLocation.y);
    m_deltas.z = GetCutFill();
    return HasValue(m_deltas.z);
}

bool CStakeoutState::FormatReport(CColoredTextLines* lines, const CRawDataFormat& format) const
{
    if (!lines)
        return false;
    auto orDash = [](const std::string& text) { return text.empty() ? std::string("---") : text; };
    const bool northingFirst = GetMorvelSettings().GetCoordOrder();
    auto coordinates = [&](const CLocation& at) {
        const std::string north = " " + GetPlanYCaption() + ": " + format.FormatCoordinate(at.y, false, true);
        const std::string east = " " + GetPlanXCaption() + ": " + format.FormatCoordinate(at.x, false, true);
        lines->AddLineDefaultColor(northingFirst ? north : east);
        lines->AddLineDefaultColor(northingFirst ? east : north);
        lines->AddLineDefaultColor(" " + GetPlanZCaption() + ": " + format.FormatElevation(at.z, false, true));
    };
    lines->AddLineDefaultColor(RawSeparatorLine);
    lines->AddLine("Point Stakeout", TitleTextColor);
    lines->AddLineDefaultColor("Design Point: " + orDash(m_designName));
    lines->AddLineDefaultColor("Design Location: ");
    coordinates(m_designLocation);
    lines->AddLineDefaultColor("Design Desc: " + orDash(m_designDescription));
    lines->AddLineDefaultColor("   \n");
    lines->AddLineDefaultColor("As-Built Point: " + orDash(m_asBuiltName));
    lines->AddLineDefaultColor("As-Built Location: ");
    coordinates(m_asBuiltLocation);
    lines->AddLineDefaultColor("As-Built Desc: " + orDash(m_asBuiltDescription));
    lines->AddLineDefaultColor("   \n");
    lines->AddLineDefaultColor("Stake-Out Deltas:");
    coordinates(m_deltas);
    lines->AddLineDefaultColor("   \n");
    lines->AddLineDefaultColor("Cut(-)/Fill(+): " + format.FormatElevation(GetCutFill(), false, true));
    return true;
}

bool CStakeoutState::AppendToReport(CColoredTextLines* lines, const CRawDataFormat& format) const
{
    if (!FormatReport(lines, format))
        return false;
    if (HasWarnings())
        for (const std::string& warning : m_warnings)
            lines->AddLine(warning, ProblemTextColor);
    return true;
}
