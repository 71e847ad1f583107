#pragma once

#include "TestUtil.h"

#include "model/MorvelSettings.h"
#include "platform/Profile.h"
#include "views/PointRows.h"

namespace morvel::test {

// Settings of a fresh profile of the test's own, installed for its length; the grid's sort
// column is put back when it ends.
class PointRowsSettingsScope
{
public:
    PointRowsSettingsScope() : m_profile(m_dir.path() / "Morvel.ini"), m_settings(&m_profile)
    {
        m_settings.Load();
        SetMorvelSettings(&m_settings);
    }
    ~PointRowsSettingsScope()
    {
        SetMorvelSettings(nullptr);
        CPointRows::SetSortColumn(-1);
    }
    CMorvelSettings& settings() { return m_settings; }

private:
    TempDir m_dir;
    CProfile m_profile;
    CMorvelSettings m_settings;
};

} // namespace morvel::test
