#pragma once

#include "core/Location.h"
#include "exchange/PointBlockDefinition.h"

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CDxfBlock;
class CDxfEntity;
class CDxfFile;
class CDxfInsert;
class DXFPoint;
class CReport;

// The fields a point block carries, as its attributes gave them.
struct DxfPointBlockFields
{
    std::string name;
    std::string description;
    // The elevation's text; hasElevation is false when no attribute gave one.
    std::string elevation;
    bool hasElevation = false;
};

// The DXF point import over a read drawing: finds the points (point blocks, or plain POINTs when
// point blocks are off), names them, optionally renames them by the target's rules and hands each
// to AddPoint. The target (a job) is the derived class's.
class FSDXF
{
public:
    // The drawing's INSERT or POINT entities that become points, with the name collected for each.
    struct Collected
    {
        std::string name;
        DxfPointBlockFields fields;
    };
    using CollectedMap = std::unordered_map<const CDxfEntity*, Collected>;

    FSDXF();
    virtual ~FSDXF();
    FSDXF(const FSDXF&) = delete;
    FSDXF& operator=(const FSDXF&) = delete;

    void SetImportOptions(bool renamePoints, bool makeReport, CReport* report);
    // An empty definition recognises the attributes by their tags.
    void SetPointBlockDefinition(bool importPointBlocks, const CPointBlockDefinition& definition);

    // 0, or kDxfReadFailed after the failure's text was left in GetFailureText.
    virtual int Import(const CDxfFile& drawing, const std::string& path);

    // False when the INSERT is no point block: its block must hold one POINT and nothing else but
    // attribute definitions, and its attributes must fit the definition (or, without one, carry
    // a valid name wherever a name tag appears).
    bool ClassifyPointBlock(const CDxfInsert& insert, DxfPointBlockFields& fields);
    // The names a following import uses, in file order, and the entity each belongs to. Point
    // blocks are numbered 1, 2, ... when any of them has no name (or the definition takes none),
    // so every point block ends up with a name; otherwise the first of two equal names wins.
    void CollectPointBlocks(const CDxfFile& drawing, std::vector<std::string>& names, CollectedMap& entities);

    // Attribute tags that carry each field, tried in this order; compared without regard to case.
    static bool IsNameTag(const std::string& tag);
    static bool IsDescriptionTag(const std::string& tag);
    static bool IsElevationTag(const std::string& tag);

    const std::string& GetFailureText() const { return m_failureText; }
    // The names the last import collected.
    size_t GetCollectedCount() const { return m_collectedCount; }
    // Why the last import collected no name: which kind of point the drawing lacks, and the other
    // kind it holds with the box to change. Empty when it collected one.
    std::string WhyNoPoint() const;

protected:
    virtual double ConvertDistance(double value) = 0;
    virtual std::string MakeUniqueName(const std::string& name) = 0;
    virtual bool AddPoint(const std::string& name, const std::string& description, const CLocation& location,
                          int32_t color, const std::string& layer, bool autoName) = 0;
    virtual void BeginReport(const std::string& path) = 0;
    virtual void BeginPointTable(const std::string& path) = 0;
    // 0, or an error code after the user was told.
    virtual int RenamePoints(const std::vector<std::string>& names, std::map<std::string, std::string>& renames) = 0;
    virtual bool IsValidPointName(const std::string& name) = 0;

    bool ImportPoint(const DXFPoint& point);
    void RememberPoint(const std::string& name);
    bool WasAdded(const std::string& name) const;
    // x, y and z to metres; a missing elevation stays missing.
    CLocation ConvertLocation(const CLocation& location);

    int Fail(const char* text);

    uint32_t m_importMode = 2;
    int32_t m_distanceUnit = 0;
    bool m_renamePoints = false;
    bool m_makeReport = false;
    bool m_importPointBlocks = false;
    CPointBlockDefinition m_definition;
    CReport* m_report = nullptr; // not owned
    std::map<std::string, std::string> m_renameMap;
    CollectedMap m_entityNames;
    std::unordered_set<std::string> m_addedKeys; // names added by this import, as the job compares them
    std::string m_failureText;
    size_t m_collectedCount = 0;
    // The name the drawing gave the point AddPoint is adding, before any renaming.
    std::string m_readName;
    // What the last collection found of each kind (the other kind counted only when it found none).
    size_t m_pointBlockCount = 0;
    size_t m_pointEntityCount = 0;

private:
    bool ClassifyByDefinition(const CDxfInsert& insert, DxfPointBlockFields& fields);
    bool ClassifyByTags(const CDxfInsert& insert, DxfPointBlockFields& fields);
    bool IsPointBlockShape(const CDxfBlock* block);

    // Whether a block is a point block's shape, for the drawing being collected only.
    std::unordered_map<const CDxfBlock*, bool> m_blockShapes;
};
