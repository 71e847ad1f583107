#include "cogo/QuickEnterRing.h"

#include "platform/Profile.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* Section = "Quick Enter Mode";

} // namespace

void CQuickEnterFlags::Load(CProfile& profile)
{
    enabled = profile.GetProfileInt(Section, "Enabled", 1);
    name = profile.GetProfileInt(Section, "Name", 0);
    northing = profile.GetProfileInt(Section, "Northing", 1);
    easting = profile.GetProfileInt(Section, "Easting", 1);
    elevation = profile.GetProfileInt(Section, "Elevation", 1);
    description = profile.GetProfileInt(Section, "Description", 1);
}

void CQuickEnterFlags::Save(CProfile& profile) const
{
    profile.BeginBatch();
    profile.WriteProfileInt(Section, "Enabled", enabled);
    profile.WriteProfileInt(Section, "Name", name);
    profile.WriteProfileInt(Section, "Northing", northing);
    profile.WriteProfileInt(Section, "Easting", easting);
    profile.WriteProfileInt(Section, "Elevation", elevation);
    profile.WriteProfileInt(Section, "Description", description);
    profile.EndBatch();
}

bool CQuickEnterRing::Build(CQuickEnterFlags& flags, const std::function<bool(QuickEnterSlot)>& present)
{
    m_slots.clear();
    if (flags.enabled == 0)
        return false;
    const std::pair<int32_t, QuickEnterSlot> chosen[] = {
        {flags.name, QuickEnterSlot::Name},           {flags.northing, QuickEnterSlot::Northing},
        {flags.easting, QuickEnterSlot::Easting},     {flags.elevation, QuickEnterSlot::Elevation},
        {flags.description, QuickEnterSlot::Description},
    };
    for (const auto& [on, slot] : chosen)
        if (on != 0 && present(slot))
            m_slots.push_back(slot);
    if (m_slots.empty()) {
        flags.enabled = 0;
        return false;
    }
    if (present(QuickEnterSlot::AddButton))
        m_slots.push_back(QuickEnterSlot::AddButton);
    return true;
}

bool CQuickEnterRing::Next(const QuickEnterSlot* focused, const std::function<bool(QuickEnterSlot)>& usable,
                           QuickEnterSlot& target) const
{
    size_t start = 0;
    if (focused != nullptr) {
        const auto at = std::find(m_slots.begin(), m_slots.end(), *focused);
        if (at != m_slots.end() && at + 1 != m_slots.end())
            start = size_t(at - m_slots.begin()) + 1;
    }
    for (size_t i = start; i < m_slots.size(); ++i)
        if (usable(m_slots[i])) {
            target = m_slots[i];
            return true;
        }
    return false;
}
