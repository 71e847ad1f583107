#pragma once

#include <cstddef>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

// The values a dialog class keeps from one instance to the next during one run: one typed slot per
// kept member, in the order the class lists its members. Nothing goes to disk.
using PersistValue = std::variant<long, int, short, char, unsigned long, unsigned short, unsigned char, unsigned int,
                                  std::string, float, double>;

template <typename T>
concept PersistableField =
    std::is_same_v<T, long> || std::is_same_v<T, int> || std::is_same_v<T, short> || std::is_same_v<T, char> ||
    std::is_same_v<T, unsigned long> || std::is_same_v<T, unsigned short> || std::is_same_v<T, unsigned char> ||
    std::is_same_v<T, unsigned int> || std::is_same_v<T, std::string> || std::is_same_v<T, float> ||
    std::is_same_v<T, double>;

class CPersistDataList
{
public:
    // False until an instance of the class has saved; until then the slots mean nothing.
    bool HasData() const { return m_hasData; }
    void SetHasData() { m_hasData = true; }

    bool IsEmpty() const { return m_entries.empty(); }
    std::size_t GetCount() const { return m_entries.size(); }
    std::vector<PersistValue>& GetEntries() { return m_entries; }

private:
    std::vector<PersistValue> m_entries;
    bool m_hasData = false;
};
