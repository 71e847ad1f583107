#include "core/StringFilter.h"

#include "core/PathHelpers.h"

#include <cctype>
#include <filesystem>

CStringFilter::CStringFilter(bool upperCase, std::string folder) : m_upperCase(upperCase), m_folder(std::move(folder)) {}

bool CStringFilter::Accept(const std::string& name)
{
    // Joined as paths: a folder given without its trailing '/' still finds the file in it.
    if (!m_folder.empty() && !FileExists((std::filesystem::path(m_folder) / name).string()))
        return false;
    std::string key = name;
    if (m_upperCase)
        for (char& c : key)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return m_names.emplace(std::move(key), name).second;
}

bool CStringFilter::AcceptList(const std::vector<std::string>& names)
{
    bool any = false;
    for (const std::string& name : names)
        any = Accept(name) || any;
    return any;
}

size_t CStringFilter::GetNames(std::vector<std::string>& names) const
{
    names.clear();
    for (const auto& entry : m_names)
        names.push_back(entry.second);
    return names.size();
}
