#include "exchange/dxf/DxfReader.h"

#include "core/NoValue.h"
#include "core/PathHelpers.h"
#include "core/WindowsFile.h"
#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfText.h"

#include <cmath>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace {

// A point the drawing can hold: finite, and x and y above the no-value limit.
bool IsUsable(double x, double y, double z = 0.0)
{
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z) && x >= NoValueLimit && y >= NoValueLimit;
}

} // namespace

CDxfReader::CDxfReader()
{
    m_skipHandles = true;
}

CDxfReader::~CDxfReader() = default;

int CDxfReader::ReadFile(const std::string& fileName, CDxfFile* drawing)
{
    m_drawing = drawing;
    m_openBlock.reset();
    m_openPolyline.reset();
    m_currentInsert = nullptr;
    m_vertexBuffer.clear();
    m_blocksByName.clear();
    m_stylesByName.clear();
    m_pendingInserts.clear();
    if (!drawing || !FileExists(fileName))
        return kDxfReadFailed;
    for (size_t i = 0; i < drawing->GetBlockCount(); ++i)
        m_blocksByName.emplace(dxftext::NameKey(drawing->GetBlock(i)->GetName()), drawing->GetBlock(i));
    for (size_t i = 0; i < drawing->GetStyleCount(); ++i)
        m_stylesByName.emplace(dxftext::NameKey(drawing->GetStyle(i)->GetName()), drawing->GetStyle(i));
    const int result = Read(fileName.c_str());
    // A block or polyline left open by a file that ended early is not part of the drawing.
    DiscardOpenBlock();
    ResolvePendingInserts();
    m_openPolyline.reset();
    m_vertexBuffer.clear();
    m_currentInsert = nullptr;
    return result;
}

bool CDxfReader::IsBinaryFile(bool& binary, const std::string& fileName)
{
    if (!FileExists(fileName))
        return false;
    WindowsFile file;
    if (!file.Open(fileName, WindowsFile::kRead))
        return false;
    char head[22] = {};
    const uint32_t got = file.Read(head, sizeof head);
    binary = got >= 18 && std::memcmp(head, "AutoCAD Binary DXF", 18) == 0;
    return true;
}

CDxfLayer* CDxfReader::LayerFor(const std::string& name)
{
    if (CDxfLayer* layer = m_drawing->FindLayer(name))
        return layer;
    return m_drawing->AddLayer(name);
}

void CDxfReader::AddToTarget(std::unique_ptr<CDxfEntity> entity)
{
    (m_openBlock ? m_openBlock.get() : m_drawing->GetModelSpace())->AddEntity(std::move(entity));
}

int CDxfReader::BlocksSection(bool entering)
{
    // A block whose ENDBLK never came is not kept, and the entities after it go to model space.
    if (!entering) {
        DiscardOpenBlock();
        m_currentInsert = nullptr;
    }
    return 0;
}

int CDxfReader::AddLine(const DXF_ADD_LINE& line)
{
    if (!IsUsable(line.x1, line.y1, line.z1) || !IsUsable(line.x2, line.y2, line.z2))
        return kDxfReadFailed;
    const DxfPLineVertex v[2] = {{line.x1, line.y1, line.z1, 0.0}, {line.x2, line.y2, line.z2, 0.0}};
    auto e = std::make_unique<DXFPLine>();
    e->SetVertices(v, 2);
    e->SetColor(line.color);
    e->SetLayer(LayerFor(line.layer));
    AddToTarget(std::move(e));
    return 0;
}

int CDxfReader::AddSolid(const DXF_ADD_SOLID& solid)
{
    DxfPLineVertex v[4];
    for (int i = 0; i < 4; ++i) {
        if (!IsUsable(solid.x[i], solid.y[i], solid.z[i]))
            return kDxfReadFailed;
        v[i] = {solid.x[i], solid.y[i], solid.z[i], 0.0};
    }
    auto e = std::make_unique<DXFPLine>();
    e->SetVertices(v, 4);
    e->SetColor(solid.color);
    e->SetLayer(LayerFor(solid.layer));
    AddToTarget(std::move(e));
    return 0;
}

int CDxfReader::AddCircle(const DXF_ADD_CIRCLE& circle)
{
    if (!IsUsable(circle.x, circle.y, circle.z))
        return kDxfReadFailed;
    auto e = std::make_unique<DXFCircle>();
    e->SetFromRecord(circle);
    e->SetColor(circle.color);
    e->SetLayer(LayerFor(circle.layer));
    AddToTarget(std::move(e));
    return 0;
}

int CDxfReader::AddArc(const DXF_ADD_ARC& arc)
{
    if (!IsUsable(arc.x, arc.y, arc.z))
        return kDxfReadFailed;
    auto e = std::make_unique<DXFArc>();
    e->SetFromRecord(arc);
    e->SetColor(arc.color);
    e->SetLayer(LayerFor(arc.layer));
    AddToTarget(std::move(e));
    return 0;
}

int CDxfReader::AddPoint(const DXF_ADD_POINT& point)
{
    if (!IsUsable(point.x, point.y, point.z))
        return kDxfReadFailed;
    auto e = std::make_unique<DXFPoint>();
    e->SetLocation(CLocation(point.x, point.y, point.z));
    e->SetColor(point.color);
    e->SetLayer(LayerFor(point.layer));
    AddToTarget(std::move(e));
    return 0;
}

int CDxfReader::AddLayer(const DXF_ADD_LAYER& layer)
{
    if (CDxfLayer* made = m_drawing->AddLayer(layer.name))
        made->SetColor(layer.color);
    return 0;
}

int CDxfReader::AddInsert(const DXF_ADD_INSERT& insert)
{
    // Whatever happens to this insert, attributes that follow never reach the one before.
    m_currentInsert = nullptr;
    if (!IsUsable(insert.x, insert.y, insert.z))
        return kDxfReadFailed;
    // A block defined later (a nested block whose definition follows) is linked once all are read.
    std::string name = dxftext::NameKey(insert.blockName);
    const auto found = m_blocksByName.find(name);
    auto e = std::make_unique<CDxfInsert>();
    if (found != m_blocksByName.end())
        e->SetBlock(found->second);
    else
        m_pendingInserts.push_back({e.get(), std::move(name), m_openBlock.get()});
    e->SetColor(insert.color);
    e->SetTransform(insert.x, insert.y, insert.z, insert.scaleX, insert.scaleY, insert.scaleZ, insert.rotation);
    e->SetLayer(LayerFor(insert.layer));
    m_currentInsert = e.get();
    AddToTarget(std::move(e));
    return 0;
}

namespace {

// Whether target is the block itself or one that its inserts reach.
bool Reaches(const CDxfBlock* from, const CDxfBlock* target)
{
    std::vector<const CDxfBlock*> stack {from};
    std::unordered_set<const CDxfBlock*> seen {from};
    while (!stack.empty()) {
        const CDxfBlock* block = stack.back();
        stack.pop_back();
        if (block == target)
            return true;
        for (size_t i = 0; i < block->GetEntityCount(); ++i) {
            const CDxfEntity* e = block->GetEntity(i);
            if (!e->IsInsert())
                continue;
            const CDxfBlock* next = static_cast<const CDxfInsert*>(e)->GetBlock();
            if (next && seen.insert(next).second)
                stack.push_back(next);
        }
    }
    return false;
}

} // namespace

void CDxfReader::DiscardOpenBlock()
{
    if (!m_openBlock)
        return;
    std::erase_if(m_pendingInserts, [this](const PendingInsert& p) { return p.owner == m_openBlock.get(); });
    m_openBlock.reset();
}

void CDxfReader::ResolvePendingInserts()
{
    // Each link is made only when it keeps the drawing free of loops, so walking a block's
    // inserts always ends.
    std::unordered_map<CDxfBlock*, std::unordered_set<const CDxfEntity*>> dropped;
    for (const PendingInsert& p : m_pendingInserts) {
        const auto found = m_blocksByName.find(p.name);
        if (found != m_blocksByName.end() && (!p.owner || !Reaches(found->second, p.owner)))
            p.insert->SetBlock(found->second);
        else
            dropped[p.owner ? p.owner : m_drawing->GetModelSpace()].insert(p.insert);
    }
    m_pendingInserts.clear();
    for (auto& [block, entities] : dropped)
        block->RemoveEntities(entities);
}

int CDxfReader::BeginBlock(const DXF_ADD_BLOCK& block)
{
    // A block whose ENDBLK never came is not kept.
    DiscardOpenBlock();
    m_openBlock = std::make_unique<CDxfBlock>();
    m_openBlock->SetName(block.name);
    m_currentInsert = nullptr;
    return 0;
}

int CDxfReader::EndBlock()
{
    // An ENDBLK without its BLOCK has nothing to hand over; model space stays where it is.
    if (!m_openBlock)
        return 0;
    FinishPolyline();
    CDxfBlock* block = m_openBlock.get();
    m_blocksByName.emplace(dxftext::NameKey(block->GetName()), block);
    m_drawing->AddBlock(std::move(m_openBlock));
    m_currentInsert = nullptr;
    return 0;
}

int CDxfReader::AddText(const DXF_ADD_TEXT& text)
{
    if (!IsUsable(text.x, text.y, text.z))
        return kDxfReadFailed;
    auto e = std::make_unique<DXFText>();
    const auto style = m_stylesByName.find(dxftext::NameKey(text.style));
    if (style != m_stylesByName.end())
        e->SetStyle(style->second);
    e->SetFromRecord(text);
    e->SetColor(text.color);
    e->SetLayer(LayerFor(text.layer));
    AddToTarget(std::move(e));
    return 0;
}

int CDxfReader::AddMText(const DXF_ADD_MTEXT& mtext)
{
    DXF_ADD_TEXT text;
    text.layer = mtext.layer;
    text.color = mtext.color;
    text.x = mtext.x;
    text.y = mtext.y;
    text.z = mtext.z;
    text.height = mtext.height;
    text.style = mtext.style;
    text.rotation = mtext.rotation;
    text.widthFactor = 1.0;
    text.obliqueAngle = 0.0;
    text.handle = 0;
    // Attachment 1-9: top, middle, bottom rows of left, centre, right.
    int vertical = 3;
    int horizontal = 0;
    if (mtext.attachmentPoint >= 1 && mtext.attachmentPoint <= 9) {
        vertical = 3 - (mtext.attachmentPoint - 1) / 3;
        horizontal = (mtext.attachmentPoint - 1) % 3;
    }
    text.verticalJustification = vertical;
    text.horizontalJustification = horizontal;
    if (vertical == 3 || vertical == 2)
        text.alignY = mtext.y;
    if (horizontal == 1 || horizontal == 2 || vertical == 2)
        text.alignX = mtext.x;
    // Paragraph marks become line feeds.
    text.text.reserve(mtext.text.size());
    for (size_t i = 0; i < mtext.text.size(); ++i) {
        if (mtext.text[i] == '\\' && i + 1 < mtext.text.size() && (mtext.text[i + 1] == 'P' || mtext.text[i + 1] == 'p')) {
            text.text.push_back('\n');
            ++i;
        } else {
            text.text.push_back(mtext.text[i]);
        }
    }
    return AddText(text);
}

int CDxfReader::AddLeader(const DXF_ADD_LEADER& leader)
{
    std::vector<DxfPLineVertex> v;
    v.reserve(static_cast<size_t>(leader.vertexCount));
    for (int32_t i = 0; i < leader.vertexCount; ++i) {
        if (!IsUsable(leader.vertices[i].x, leader.vertices[i].y))
            return kDxfReadFailed;
        v.push_back({leader.vertices[i].x, leader.vertices[i].y, 0.0, 0.0});
    }
    auto e = std::make_unique<DXFPLine>();
    e->SetVertices(v.data(), v.size());
    e->SetColor(leader.color);
    e->SetLayer(LayerFor(leader.layer));
    AddToTarget(std::move(e));
    return 0;
}

int CDxfReader::AddStyle(const DXF_ADD_STYLE& style)
{
    if (!style.shapeFile) {
        auto made = std::make_unique<CDxfStyle>(style);
        m_stylesByName.emplace(dxftext::NameKey(style.name), made.get());
        m_drawing->AddStyle(std::move(made));
    }
    return 0;
}

int CDxfReader::BeginPolyline(const DXF_ADD_POLYLINE& polyline)
{
    // A polyline still open (its SEQEND missing) keeps the vertices it had.
    FinishPolyline();
    auto e = std::make_unique<DXFPLine>();
    e->SetColor(polyline.color);
    e->SetClosed((polyline.flags & 1) != 0);
    e->SetFitKind((polyline.flags & 4) ? 1 : (polyline.flags & 2) ? 2 : 0);
    e->SetLayer(LayerFor(polyline.layer));
    m_openPolyline = std::move(e);
    return 0;
}

int CDxfReader::AddLwPolyline(const DXF_ADD_LWPOLYLINE& polyline)
{
    std::vector<DxfPLineVertex> v;
    v.reserve(static_cast<size_t>(polyline.vertexCount));
    for (int32_t i = 0; i < polyline.vertexCount; ++i) {
        const DXF_ADD_LWVERTEX& p = polyline.vertices[i];
        if (!IsUsable(p.x, p.y, polyline.elevation))
            return kDxfReadFailed;
        v.push_back({p.x, p.y, polyline.elevation, p.bulge});
    }
    auto e = std::make_unique<DXFPLine>();
    e->SetVertices(v.data(), v.size());
    e->SetColor(polyline.color);
    e->SetLayer(LayerFor(polyline.layer));
    AddToTarget(std::move(e));
    return 0;
}

int CDxfReader::AddAttdef(const DXF_ADD_ATTDEF&)
{
    return 0;
}

int CDxfReader::AddAttrib(const DXF_ADD_ATTRIB& attrib)
{
    if (!m_currentInsert)
        return 0;
    auto e = std::make_unique<DXFAttrib>();
    e->SetFromRecord(attrib);
    e->SetColor(attrib.color);
    e->SetLayer(LayerFor(attrib.layer));
    m_currentInsert->AddAttribute(std::move(e));
    return 0;
}

int CDxfReader::EndInsertAttributes()
{
    m_currentInsert = nullptr;
    return 0;
}

void CDxfReader::FinishPolyline()
{
    if (m_openPolyline) {
        m_openPolyline->SetVertices(m_vertexBuffer.data(), m_vertexBuffer.size());
        AddToTarget(std::move(m_openPolyline));
    }
    m_vertexBuffer.clear();
}

int CDxfReader::EndPolyline()
{
    FinishPolyline();
    return 0;
}

int CDxfReader::AddVertex(const DXF_ADD_VERTEX& vertex)
{
    if (vertex.flags & 8)
        return 0; // made by spline fitting
    if (!IsUsable(vertex.x, vertex.y, vertex.z))
        return kDxfReadFailed;
    // The buffer grows geometrically.
    m_vertexBuffer.push_back({vertex.x, vertex.y, vertex.z, vertex.bulge});
    return 0;
}

int CDxfReader::AddSpline(const DXF_ADD_SPLINE& spline)
{
    std::vector<DxfPLineVertex> v;
    v.reserve(static_cast<size_t>(spline.controlPointCount));
    for (int32_t i = 0; i < spline.controlPointCount; ++i) {
        const DXF_ADD_LWVERTEX& p = spline.controlPoints[i];
        if (!IsUsable(p.x, p.y))
            return kDxfReadFailed;
        v.push_back({p.x, p.y, NoValue, 0.0});
    }
    auto e = std::make_unique<DXFPLine>();
    e->SetVertices(v.data(), v.size());
    e->SetClosed((spline.flags & 1) != 0);
    e->SetFitKind((spline.flags & 0x1F) ? 1 : 0);
    e->SetColor(spline.color);
    e->SetLayer(LayerFor(spline.layer));
    AddToTarget(std::move(e));
    return 0;
}
