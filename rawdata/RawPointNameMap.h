#pragma once

#include "core/Location.h"
#include "model/PointRecord.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CDataFileDoc;

// The points the raw lines store or measure, by name: for each name the copies filed in line
// order. A copy keeps only what lookups answer (location, description) and its line in bits 0-30
// with the deleted mark in bit 31; the name is the key. Lookups answer as of a line: the latest
// copy filed at that line or earlier, unless deleted.
class CRawPointNameMap
{
public:
    static constexpr uint32_t DeletedBit = 0x80000000u;
    static constexpr uint32_t LineMask = 0x7FFFFFFFu;

    explicit CRawPointNameMap(CDataFileDoc* doc = nullptr) : m_doc(doc) {}
    ~CRawPointNameMap();
    CRawPointNameMap(const CRawPointNameMap&) = delete;
    CRawPointNameMap& operator=(const CRawPointNameMap&) = delete;

    // Nothing for a null point, one without plane coordinates, or one without name.
    void AddPoint(const CPointRecord* point, int32_t line, bool deleted);
    void AddPoint(const std::string& name, const std::string& description, const CLocation& location,
                  int32_t line, bool deleted);
    struct Copy
    {
        CLocation location;
        std::string description;
        uint32_t lineAndDeleted = 0;
    };
    using PointList = std::vector<Copy>;
    bool Lookup(const std::string& name, const PointList** list) const;
    bool FindPoint(const std::string& name, int32_t limitLine, const Copy** point) const;
    bool HasPoint(const std::string& name, int32_t limitLine) const;
    bool GetPointLocation(const std::string& name, CLocation* location, int32_t limitLine) const;
    bool GetPointDescription(const std::string& name, std::string* description, int32_t limitLine) const;
    void RemoveAll();
    // Forgets every copy filed at the line or later (the lines from there on are applied again).
    // The names stay in the map with empty lists, so applying the lines again allocates little.
    void RemoveFromLine(int32_t line);
    // Names with at least one copy.
    size_t GetNameCount() const;
    // Makes room for that many more names before a bulk add.
    void Reserve(size_t more) { m_names.reserve(m_names.size() + more); }

    static int32_t LineOf(const Copy& point) { return int32_t(point.lineAndDeleted & LineMask); }
    static bool IsDeletedCopy(const Copy& point) { return (point.lineAndDeleted & DeletedBit) != 0; }

private:
    CDataFileDoc* m_doc;
    std::unordered_map<std::string, PointList> m_names;
};
