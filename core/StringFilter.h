#pragma once

#include <map>
#include <string>
#include <vector>

// Lets each distinct name through once: the first time a name is seen it is accepted and
// remembered, later it is refused. Optionally names are compared without regard to case, and
// optionally a name is accepted only when a file of that name exists in a folder.
class CStringFilter
{
public:
    explicit CStringFilter(bool upperCase = false, std::string folder = {});

    // True when the name was new (and, with a folder, names an existing file there).
    bool Accept(const std::string& name);
    // Accept for every name in order; true when at least one was new.
    bool AcceptList(const std::vector<std::string>& names);
    // Replaces the list with every remembered name, as first accepted, in key order (the
    // upper-cased name when comparing without case), not in the order of acceptance. Returns the
    // number of names.
    size_t GetNames(std::vector<std::string>& names) const;

private:
    bool m_upperCase;
    std::string m_folder;
    std::map<std::string, std::string> m_names;
};
