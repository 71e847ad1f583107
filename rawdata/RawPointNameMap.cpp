#include "rawdata/RawPointNameMap.h"

#include "model/PointRecord.h"

#include <algorithm>

CRawPointNameMap::~CRawPointNameMap() = default;

void CRawPointNameMap::AddPoint(const CPointRecord* point, int32_t line, bool deleted)
{
    if (!point)
        return;
    AddPoint(point->GetName(), point->GetDescription(), point->GetLocation(), line, deleted);
}

void CRawPointNameMap::AddPoint(const std::string& name, const std::string& description,
                                const CLocation& location, int32_t line, bool deleted)
{
    if (!location.HasPlaneCoordinates() || name.empty() || line < 0)
        return;
    PointList& list = m_names[name];
    // Lines are applied in order, so the list stays sorted by line; a re-applied line replaces
    // nothing because RemoveFromLine ran first.
    list.push_back(Copy{location, description, (uint32_t(line) & LineMask) | (deleted ? DeletedBit : 0u)});
}

bool CRawPointNameMap::Lookup(const std::string& name, const PointList** list) const
{
    const auto it = m_names.find(name);
    if (it == m_names.end() || it->second.empty())
        return false;
    if (list)
        *list = &it->second;
    return true;
}

bool CRawPointNameMap::FindPoint(const std::string& name, int32_t limitLine, const Copy** point) const
{
    if (limitLine < 0)
        return false;
    const auto it = m_names.find(name);
    if (it == m_names.end())
        return false;
    const PointList& list = it->second;
    // The first copy filed after the limit; the one before it is the latest at or before it.
    const auto after = std::upper_bound(list.begin(), list.end(), limitLine,
                                        [](int32_t limit, const Copy& p) { return limit < LineOf(p); });
    if (after == list.begin())
        return false;
    const Copy& found = *(after - 1);
    if (IsDeletedCopy(found) || !found.location.HasPlaneCoordinates())
        return false;
    if (point)
        *point = &found;
    return true;
}

bool CRawPointNameMap::HasPoint(const std::string& name, int32_t limitLine) const
{
    return FindPoint(name, limitLine, nullptr);
}

bool CRawPointNameMap::GetPointLocation(const std::string& name, CLocation* location, int32_t limitLine) const
{
    const Copy* point = nullptr;
    if (!FindPoint(name, limitLine, &point))
        return false;
    *location = point->location;
    return true;
}

bool CRawPointNameMap::GetPointDescription(const std::string& name, std::string* description,
                                           int32_t limitLine) const
{
    const Copy* point = nullptr;
    if (!FindPoint(name, limitLine, &point))
        return false;
    *description = point->description;
    return true;
}

void CRawPointNameMap::RemoveAll()
{
    m_names.clear();
}

void CRawPointNameMap::RemoveFromLine(int32_t line)
{
    for (auto& [name, list] : m_names)
        while (!list.empty() && LineOf(list.back()) >= line)
            list.pop_back();
}

size_t CRawPointNameMap::GetNameCount() const
{
    size_t count = 0;
    for (const auto& entry : m_names)
        count += entry.second.empty() ? 0 : 1;
    return count;
}
