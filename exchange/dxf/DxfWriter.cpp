#include "exchange/dxf/DxfWriter.h"

#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfText.h"

CDxfWriter::CDxfWriter(CDxfFile* drawing, const std::string& fileName, bool nulTerminated)
    : DXFSave(fileName, nulTerminated, false), m_drawing(drawing)
{
}

CDxfWriter::~CDxfWriter() = default;

int CDxfWriter::GetLayerCount()
{
    return m_drawing ? static_cast<int>(m_drawing->GetLayerCount()) : 0;
}

int CDxfWriter::WriteLayers()
{
    for (size_t i = 0; m_drawing && i < m_drawing->GetLayerCount(); ++i) {
        const CDxfLayer* layer = m_drawing->GetLayer(i);
        DXF_ADD_LAYER rec;
        rec.name = layer->GetName();
        // A layer whose colour was never given is written in the default colour 7: 65535 is no
        // colour index, and read back as a 16-bit value it would turn the layer off.
        rec.color = layer->GetColor() == kDxfNoLayerColor ? 7 : layer->GetColor();
        rec.linetype = "CONTINUOUS";
        WriteLayer(rec);
    }
    return 0;
}

int CDxfWriter::WriteBlocks()
{
    for (size_t i = 0; m_drawing && i < m_drawing->GetBlockCount(); ++i) {
        const CDxfBlock* block = m_drawing->GetBlock(i);
        DXF_ADD_BLOCK rec;
        rec.name = dxftext::CutCopy(block->GetName(), kDxfNameChars);
        WriteBlock(rec, 0);
        for (size_t k = 0; k < block->GetEntityCount(); ++k)
            WriteEntity(block->GetEntity(k));
        WriteEndBlock(0);
    }
    return 0;
}

int CDxfWriter::WriteEntities()
{
    const CDxfBlock* model = m_drawing ? m_drawing->GetModelSpace() : nullptr;
    for (size_t k = 0; model && k < model->GetEntityCount(); ++k)
        WriteEntity(model->GetEntity(k));
    return 0;
}

namespace {
std::string LayerName(const CDxfEntity* entity)
{
    return entity->GetLayer() ? entity->GetLayer()->GetName() : std::string("0");
}
} // namespace

void CDxfWriter::WriteEntity(const CDxfEntity* entity)
{
    switch (entity->GetType()) {
    case kDxfInsertEntity: {
        const auto* insert = static_cast<const CDxfInsert*>(entity);
        if (!insert->GetBlock())
            return; // an insert of nothing cannot be written
        const CDxfTransform& t = insert->GetTransform();
        DXF_ADD_INSERT rec;
        rec.blockName = insert->GetBlock()->GetName();
        rec.layer = LayerName(entity);
        rec.linetype = "BYLAYER";
        rec.color = entity->GetColor();
        rec.x = t.m_offsetX;
        rec.y = t.m_offsetY;
        rec.z = t.m_offsetZ;
        rec.scaleX = t.m_scaleX;
        rec.scaleY = t.m_scaleY;
        rec.scaleZ = t.m_scaleZ;
        rec.rotation = t.m_rotation;
        rec.handle = 0;
        rec.attributesFollow = insert->GetAttributeCount() > 0;
        WriteInsert(rec);
        for (size_t i = 0; i < insert->GetAttributeCount(); ++i) {
            DXF_ADD_ATTRIB a = insert->GetAttribute(i)->GetRecord();
            a.layer = rec.layer;
            a.color = rec.color;
            WriteAttrib(a);
        }
        if (rec.attributesFollow)
            WriteAttribSeqEnd(0);
        break;
    }
    case kDxfPLineEntity: {
        const auto* line = static_cast<const DXFPLine*>(entity);
        const size_t n = line->GetVertexCount();
        if (n == 0)
            return;
        const double elevation = line->GetVertex(0).z;
        bool is3D = false;
        for (size_t i = 1; i < n && !is3D; ++i)
            is3D = line->GetVertex(i).z != elevation;
        DXF_ADD_POLYLINE rec;
        rec.layer = LayerName(entity);
        rec.linetype = "CONTINUOUS";
        rec.color = entity->GetColor();
        rec.elevation = elevation;
        rec.flags = (is3D ? 8 : 0) | (line->IsClosed() ? 1 : 0);
        rec.handle = 0;
        WritePolyline(rec, true);
        for (size_t i = 0; i < n; ++i) {
            const DxfPLineVertex& v = line->GetVertex(i);
            DXF_ADD_VERTEX vr;
            vr.x = v.x;
            vr.y = v.y;
            vr.z = v.z;
            vr.layer = rec.layer;
            vr.linetype = "CONTINUOUS";
            vr.color = rec.color;
            vr.flags = is3D ? 32 : 0;
            vr.bulge = v.bulge == 0.0 ? kNoBulge : v.bulge;
            vr.handle = 0;
            WriteVertex(vr);
        }
        WriteSeqEnd(0);
        break;
    }
    case kDxfPointEntity: {
        const auto* point = static_cast<const DXFPoint*>(entity);
        DXF_ADD_POINT rec;
        rec.layer = "0";
        rec.color = entity->GetColor();
        rec.handle = 0;
        rec.x = point->GetLocation().x;
        rec.y = point->GetLocation().y;
        rec.z = point->GetLocation().z;
        WritePoint(rec);
        break;
    }
    default:
        break; // texts, arcs, circles and attributes are not written
    }
}
