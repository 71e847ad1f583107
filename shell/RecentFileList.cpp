#include "shell/RecentFileList.h"

#include "platform/Profile.h"

#include <algorithm>

CRecentFileList::CRecentFileList(int32_t size) : m_size(std::max(size, 1)) {}

void CRecentFileList::ReadList(CProfile& profile)
{
    m_entries.clear();
    for (int32_t i = 1; i <= m_size; ++i) {
        std::string path = profile.GetProfileString(Section, "File" + std::to_string(i));
        if (!path.empty())
            m_entries.push_back(std::move(path));
    }
}

bool CRecentFileList::WriteList(CProfile& profile) const
{
    CProfileBatch batch(profile);
    bool ok = true;
    for (int32_t i = 0; i < m_size; ++i)
        ok = profile.WriteProfileString(Section, "File" + std::to_string(i + 1), GetEntry(i)) && ok;
    return ok;
}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (GetCount() > m_size)
        m_entries.resize(size_t(m_size));
}

void CRecentFileList::Remove(int32_t index)
{
    if (index >= 0 && index < GetCount())
        m_entries.erase(m_entries.begin() + index);
}

std::string CRecentFileList::GetEntry(int32_t index) const
{
    return index >= 0 && index < GetCount() ? m_entries[size_t(index)] : std::string();
}

void CRecentFileList::SetEntry(int32_t index, const std::string& path)
{
    if (index >= 0 && index < GetCount())
        m_entries[size_t(index)] = path;
}

std::string CRecentFileList::PruneAndGetMostRecent(const std::function<bool(const std::string&)>& exists)
{
    for (int32_t i = GetCount() - 1; i >= 0; --i) {
        if (!exists(m_entries[size_t(i)]))
            Remove(i);
    }
    if (GetCount() > 0 && exists(m_entries.front()))
        return m_entries.front();
    return {};
}
