#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CProfile;

// The recently used jobs, most recent first, kept in the profile as "Recent File List"/"File1"..
// "File<n>".
class CRecentFileList
{
public:
    static constexpr const char* Section = "Recent File List";

    explicit CRecentFileList(int32_t size = 9);

    void ReadList(CProfile& profile);
    // Writes every slot, emptying those without an entry so that no older entry comes back.
    bool WriteList(CProfile& profile) const;

    // Puts the path first; an entry for the same path moves up, the last entry drops off.
    void Add(const std::string& path);
    void Remove(int32_t index);
    int32_t GetSize() const { return m_size; }
    int32_t GetCount() const { return int32_t(m_entries.size()); }
    // Empty outside the list.
    std::string GetEntry(int32_t index) const;
    void SetEntry(int32_t index, const std::string& path);

    // Removes the entries whose file is gone, walking from the last to the first, and returns the
    // first entry when its file exists, else an empty text.
    std::string PruneAndGetMostRecent(const std::function<bool(const std::string&)>& exists);

private:
    int32_t m_size;
    std::vector<std::string> m_entries;
};
