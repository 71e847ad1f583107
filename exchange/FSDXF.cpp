#include "exchange/FSDXF.h"

#include "core/NoValue.h"
#include "core/Parser.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "core/TextUtil.h"
#include "exchange/dxf/DxfFile.h"

#include <cmath>
#include <strings.h>

namespace {

constexpr const char* kImportFailed = "Fail to import the DXF file.";

bool IsOneOf(const std::string& tag, std::initializer_list<const char*> tags)
{
    for (const char* t : tags)
        if (::strcasecmp(tag.c_str(), t) == 0)
            return true;
    return false;
}

// The key under which the job finds a name: case does not tell two points apart.
std::string NameKey(const std::string& name)
{
    return textutil::ToLowerAscii(name);
}

} // namespace

FSDXF::FSDXF() = default;
FSDXF::~FSDXF() = default;

void FSDXF::SetImportOptions(bool renamePoints, bool makeReport, CReport* report)
{
    m_renamePoints = renamePoints;
    m_makeReport = makeReport;
    m_report = report;
    m_importMode = 2;
}

void FSDXF::SetPointBlockDefinition(bool importPointBlocks, const CPointBlockDefinition& definition)
{
    m_importPointBlocks = importPointBlocks;
    m_definition = definition;
}

bool FSDXF::IsNameTag(const std::string& tag)
{
    return IsOneOf(tag, {"POINT_NUMBER", "POINT_NAME", "POINT NAME", "NAME", "PNAME", "POINT"});
}

bool FSDXF::IsDescriptionTag(const std::string& tag)
{
    return IsOneOf(tag, {"DESCRIPTION", "DESC"});
}

bool FSDXF::IsElevationTag(const std::string& tag)
{
    return IsOneOf(tag, {"ELEVATION", "ELEV"});
}

bool FSDXF::IsPointBlockShape(const CDxfBlock* block)
{
    const auto known = m_blockShapes.find(block);
    if (known != m_blockShapes.end())
        return known->second;
    int points = 0;
    bool other = false;
    for (size_t i = 0; i < block->GetEntityCount() && !other; ++i) {
        const int type = block->GetEntity(i)->GetType();
        if (type == kDxfPointEntity)
            ++points;
        else if (type != kDxfAttribEntity)
            other = true;
    }
    const bool shape = !other && points == 1;
    m_blockShapes.emplace(block, shape);
    return shape;
}

bool FSDXF::ClassifyPointBlock(const CDxfInsert& insert, DxfPointBlockFields& fields)
{
    fields = DxfPointBlockFields();
    if (insert.GetBlock() == nullptr || !IsPointBlockShape(insert.GetBlock()))
        return false;
    return m_definition.IsEmpty() ? ClassifyByTags(insert, fields) : ClassifyByDefinition(insert, fields);
}

bool FSDXF::ClassifyByDefinition(const CDxfInsert& insert, DxfPointBlockFields& fields)
{
    size_t next = 0;
    bool taken[3] = {false, false, false};
    for (const CPointBlockItem& item : m_definition.GetItems()) {
        if (!item.checked)
            continue;
        if (next >= insert.GetAttributeCount())
            return false;
        const std::string& value = insert.GetAttribute(next++)->GetRecord().value;
        if (item.kind >= PointBlockBlank || taken[item.kind])
            continue;
        taken[item.kind] = true;
        switch (item.kind) {
        case PointBlockName:
            if (!IsValidPointName(value))
                return false;
            fields.name = value;
            break;
        case PointBlockDescription:
            fields.description = value;
            break;
        case PointBlockElevation:
            fields.elevation = value;
            fields.hasElevation = true;
            break;
        }
    }
    return !m_definition.HasCheckedName() || !fields.name.empty();
}

bool FSDXF::ClassifyByTags(const CDxfInsert& insert, DxfPointBlockFields& fields)
{
    bool haveName = false;
    bool haveDescription = false;
    for (size_t i = 0; i < insert.GetAttributeCount(); ++i) {
        const DXF_ADD_ATTRIB& attribute = insert.GetAttribute(i)->GetRecord();
        if (!haveName && IsNameTag(attribute.tag)) {
            if (!IsValidPointName(attribute.value))
                return false;
            fields.name = attribute.value;
            haveName = true;
        } else if (!haveDescription && IsDescriptionTag(attribute.tag)) {
            fields.description = attribute.value;
            haveDescription = true;
        } else if (fields.hasElevation || !IsElevationTag(attribute.tag)) {
            break;
        } else {
            fields.hasElevation = true;
            // An empty elevation is no elevation, not the insertion point's height.
            fields.elevation = attribute.value.empty() ? "-9.99e27" : attribute.value;
        }
    }
    return true;
}

void FSDXF::CollectPointBlocks(const CDxfFile& drawing, std::vector<std::string>& names, CollectedMap& entities)
{
    names.clear();
    entities.clear();
    // The shapes are known by the block's address, which means nothing beyond this drawing as it
    // is now: an import and a name read both start here, so each judges its blocks afresh.
    m_blockShapes.clear();
    const CDxfBlock* model = drawing.GetModelSpace();
    const size_t count = model->GetEntityCount();
    int64_t counter = 0;
    m_pointBlockCount = m_pointEntityCount = 0;
    if (!m_importPointBlocks) {
        for (size_t i = 0; i < count; ++i) {
            const CDxfEntity* entity = model->GetEntity(i);
            if (entity->GetType() != kDxfPointEntity)
                continue;
            names.push_back(std::to_string(++counter));
            entities[entity].name = names.back();
        }
        m_pointEntityCount = names.size();
        // Only a drawing without POINTs needs to know whether it holds point blocks instead.
        DxfPointBlockFields fields;
        for (size_t i = 0; i < count && names.empty(); ++i) {
            const CDxfEntity* entity = model->GetEntity(i);
            if (entity->GetType() == kDxfInsertEntity &&
                ClassifyPointBlock(*static_cast<const CDxfInsert*>(entity), fields))
                ++m_pointBlockCount;
        }
        return;
    }

    // Each INSERT is classified once; the import takes its fields from here.
    std::vector<std::pair<const CDxfEntity*, DxfPointBlockFields>> blocks;
    bool anyNameless = false;
    DxfPointBlockFields fields;
    for (size_t i = 0; i < count; ++i) {
        const CDxfEntity* entity = model->GetEntity(i);
        if (entity->GetType() == kDxfPointEntity)
            ++m_pointEntityCount;
        if (entity->GetType() != kDxfInsertEntity)
            continue;
        if (!ClassifyPointBlock(*static_cast<const CDxfInsert*>(entity), fields))
            continue;
        anyNameless = anyNameless || fields.name.empty();
        blocks.emplace_back(entity, std::move(fields));
    }
    const bool numbered = m_definition.IsEmpty() ? anyNameless : !m_definition.HasCheckedName();
    m_pointBlockCount = blocks.size();

    std::unordered_set<std::string> seen;
    entities.reserve(blocks.size());
    names.reserve(blocks.size());
    for (auto& [entity, blockFields] : blocks) {
        std::string name = numbered ? std::to_string(++counter) : blockFields.name;
        if (!numbered && !seen.insert(NameKey(name)).second)
            continue;
        names.push_back(name);
        entities.emplace(entity, Collected{std::move(name), std::move(blockFields)});
    }
}

std::string FSDXF::WhyNoPoint() const
{
    if (m_collectedCount > 0)
        return {};
    const size_t other = m_importPointBlocks ? m_pointEntityCount : m_pointBlockCount;
    if (other == 0)
        return "The drawing holds no point blocks and no POINT entities.";
    const std::string count = std::to_string(other);
    if (m_importPointBlocks)
        return "The drawing holds no point blocks, but it holds " + count +
               (other == 1 ? " POINT entity" : " POINT entities") +
               ". To import those, untick \"Import point blocks.\" and import again.";
    return "The drawing holds no POINT entities, but it holds " + count +
           (other == 1 ? " point block" : " point blocks") +
           ". To import those, tick \"Import point blocks.\" and import again.";
}

int FSDXF::Fail(const char* text)
{
    m_failureText = text;
    return kDxfReadFailed;
}

CLocation FSDXF::ConvertLocation(const CLocation& location)
{
    return CLocation(ConvertDistance(location.x), ConvertDistance(location.y), ConvertDistance(location.z));
}

bool FSDXF::WasAdded(const std::string& name) const
{
    return m_addedKeys.count(NameKey(name)) != 0;
}

void FSDXF::RememberPoint(const std::string& name)
{
    m_addedKeys.insert(NameKey(name));
}

bool FSDXF::ImportPoint(const DXFPoint& point)
{
    const auto collected = m_entityNames.find(&point);
    if (collected == m_entityNames.end() || collected->second.name.empty())
        return false;
    std::string name = collected->second.name;
    if (m_renamePoints) {
        const auto renamed = m_renameMap.find(name);
        if (renamed == m_renameMap.end())
            return false;
        name = renamed->second;
    }
    const std::string layer = point.GetLayer() != nullptr ? point.GetLayer()->GetName() : std::string();
    m_readName = collected->second.name;
    return AddPoint(name, "", ConvertLocation(point.GetLocation()), point.GetColor(), layer, false);
}

int FSDXF::Import(const CDxfFile& drawing, const std::string& path)
{
    m_failureText.clear();
    m_entityNames.clear();
    m_addedKeys.clear();
    std::vector<std::string> names;
    CollectPointBlocks(drawing, names, m_entityNames);
    m_collectedCount = names.size();

    if (m_renamePoints) {
        const int result = RenamePoints(names, m_renameMap);
        if (result != 0)
            return result;
    }
    if (m_makeReport) {
        BeginReport(path);
        BeginPointTable(path);
    }

    CStatusProgress progress;
    progress.Begin("Merging objects...");
    const CDxfBlock* model = drawing.GetModelSpace();
    const size_t count = model->GetEntityCount();
    for (size_t i = 0; i < count; ++i) {
        progress.SetPercent(MulDiv(int64_t(i), 100, int64_t(count)));
        const CDxfEntity* entity = model->GetEntity(i);
        if (entity->GetType() == kDxfPointEntity) {
            if (!m_importPointBlocks && !ImportPoint(*static_cast<const DXFPoint*>(entity)))
                return Fail(kImportFailed);
            continue;
        }
        if (entity->GetType() != kDxfInsertEntity || !m_importPointBlocks)
            continue;
        // Inserts that are no point block, and the later of two equal names, were not collected.
        const auto collected = m_entityNames.find(entity);
        if (collected == m_entityNames.end())
            continue;
        const Collected& block = collected->second;
        if (block.name.empty())
            return Fail(kImportFailed);
        std::string name = block.name;
        if (m_renamePoints) {
            const auto renamed = m_renameMap.find(name);
            if (renamed == m_renameMap.end())
                return Fail(kImportFailed);
            name = renamed->second;
        }
        if (WasAdded(name))
            continue;

        // The block's origin lands on the insertion point whatever the scale and rotation.
        const CDxfTransform& transform = static_cast<const CDxfInsert*>(entity)->GetTransform();
        CLocation location(transform.m_offsetX, transform.m_offsetY, transform.m_offsetZ);
        if (block.fields.hasElevation && !block.fields.elevation.empty()) {
            CParser parser;
            parser.SetText(block.fields.elevation);
            double z = NoValue;
            if (!parser.GetNextDouble(&z) || !std::isfinite(z))
                z = NoValue;
            location.z = z;
        }
        const std::string layer = entity->GetLayer() != nullptr ? entity->GetLayer()->GetName() : std::string();
        m_readName = block.name;
        if (!AddPoint(name, block.fields.description, ConvertLocation(location), entity->GetColor(), layer, false))
            return Fail(kImportFailed);
    }
    return 0;
}
