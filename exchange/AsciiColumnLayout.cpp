#include "exchange/AsciiColumnLayout.h"

#include "model/MorvelSettings.h"
#include "model/MorvelSettingsHelpers.h"
#include "platform/Profile.h"

#include <algorithm>

namespace {

constexpr const char* kSection = "Import";

std::string SlotKey(const char* stem, int32_t slot) { return stem + std::to_string(slot); }

} // namespace

CAsciiColumnLayout::CAsciiColumnLayout()
{
    for (int32_t d = 0; d < SlotCount; ++d)
        m_items.push_back({uint16_t(d), true});
}

void CAsciiColumnLayout::Load(CProfile& profile)
{
    m_items.clear();
    for (int32_t d = 0; d < SlotCount; ++d) {
        const int32_t type = profile.GetProfileInt(kSection, SlotKey("ColumnType", d), d);
        if (type >= 0 && type < SlotCount)
            m_items.push_back({uint16_t(type), true});
    }
    for (int32_t d = 0; d < SlotCount && d < int32_t(m_items.size()); ++d)
        m_items[size_t(d)].checked = profile.GetProfileInt(kSection, SlotKey("ColumnCheck", d), 1) != 0;
}

void CAsciiColumnLayout::Save(CProfile& profile) const
{
    CProfileBatch batch(profile);
    for (int32_t d = 0; d < SlotCount; ++d) {
        const bool present = d < int32_t(m_items.size());
        profile.WriteProfileInt(kSection, SlotKey("ColumnType", d), present ? m_items[size_t(d)].type : SlotCount);
        profile.WriteProfileInt(kSection, SlotKey("ColumnCheck", d), present && m_items[size_t(d)].checked ? 1 : 0);
    }
}

std::vector<uint16_t> CAsciiColumnLayout::GetCheckedTypes() const
{
    std::vector<uint16_t> types;
    for (const Item& item : m_items)
        if (item.checked)
            types.push_back(item.type);
    return types;
}

std::string CAsciiColumnLayout::CheckAccept() const
{
    const std::vector<uint16_t> types = GetCheckedTypes();
    const auto has = [&types](uint16_t t) { return std::find(types.begin(), types.end(), t) != types.end(); };
    if (has(AsciiColumnNorthing) && has(AsciiColumnEasting))
        return {};
    std::string first = GetPlanYCaption();
    std::string second = GetPlanXCaption();
    if (!GetMorvelSettings().GetCoordOrder())
        std::swap(first, second);
    std::string text = "Column definitions must have %s and %s enabled.";
    text.replace(text.find("%s"), 2, first);
    text.replace(text.find("%s"), 2, second);
    return text;
}

std::string CAsciiColumnLayout::GetItemText(uint16_t type)
{
    switch (type) {
    case AsciiColumnName: return "Point Name";
    case AsciiColumnNorthing: return GetPlanYCaption();
    case AsciiColumnEasting: return GetPlanXCaption();
    case AsciiColumnElevation: return GetPlanZCaption();
    case AsciiColumnDescription: return "Description";
    default: return {};
    }
}

int32_t CAsciiColumnLayout::LoadDelimiterCode(CProfile& profile)
{
    return profile.GetProfileInt(kSection, "Ascii Delimiter", 0);
}

void CAsciiColumnLayout::SaveDelimiterCode(CProfile& profile, int32_t code)
{
    profile.WriteProfileInt(kSection, "Ascii Delimiter", code);
}

int32_t CAsciiColumnLayout::LoadPointNameOption(CProfile& profile)
{
    return profile.GetProfileInt(kSection, "Point Name Options", 0);
}

void CAsciiColumnLayout::SavePointNameOption(CProfile& profile, int32_t option)
{
    profile.WriteProfileInt(kSection, "Point Name Options", option);
}

std::string CAsciiColumnLayout::GetDelimiterText(int32_t code)
{
    switch (code) {
    case AsciiDelimiterTab: return "\t";
    case AsciiDelimiterSpace: return " ";
    default: return ",";
    }
}
