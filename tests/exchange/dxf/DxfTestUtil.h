#pragma once

#include <string>
#include <utility>
#include <vector>

namespace morvel::test {

using DxfPairs = std::vector<std::pair<int, std::string>>;

// Group pairs as DXF text, each line ending in CR LF.
inline std::string DxfText(const DxfPairs& pairs)
{
    std::string s;
    for (const auto& [code, value] : pairs)
        s += std::to_string(code) + "\r\n" + value + "\r\n";
    return s;
}

// A file with only an ENTITIES section holding the given groups.
inline std::string DxfEntities(const DxfPairs& body)
{
    DxfPairs all = {{0, "SECTION"}, {2, "ENTITIES"}};
    all.insert(all.end(), body.begin(), body.end());
    all.push_back({0, "ENDSEC"});
    all.push_back({0, "EOF"});
    return DxfText(all);
}

// A file with a BLOCKS section and an ENTITIES section.
inline std::string DxfBlocksAndEntities(const DxfPairs& blocks, const DxfPairs& entities)
{
    DxfPairs all = {{0, "SECTION"}, {2, "BLOCKS"}};
    all.insert(all.end(), blocks.begin(), blocks.end());
    all.push_back({0, "ENDSEC"});
    all.push_back({0, "SECTION"});
    all.push_back({2, "ENTITIES"});
    all.insert(all.end(), entities.begin(), entities.end());
    all.push_back({0, "ENDSEC"});
    all.push_back({0, "EOF"});
    return DxfText(all);
}

} // namespace morvel::test
