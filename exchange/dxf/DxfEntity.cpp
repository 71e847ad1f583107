#include "exchange/dxf/DxfEntity.h"

#include "exchange/dxf/DxfBlock.h"
#include "exchange/dxf/DxfFile.h"

#include <cmath>

namespace {

constexpr DxfColorRef kColorTable[18] = {
    DxfRgb(0, 0, 0),       DxfRgb(255, 0, 0),   DxfRgb(255, 255, 0), DxfRgb(0, 255, 0),   DxfRgb(0, 255, 255),
    DxfRgb(0, 0, 255),     DxfRgb(255, 0, 255), DxfRgb(0, 0, 0),     DxfRgb(128, 128, 128), DxfRgb(128, 0, 0),
    DxfRgb(128, 128, 0),   DxfRgb(0, 128, 0),   DxfRgb(0, 128, 128), DxfRgb(0, 0, 128),   DxfRgb(128, 0, 128),
    DxfRgb(0, 0, 0),       DxfRgb(0, 0, 0),     DxfRgb(0, 0, 0),
};

// The stored extent, placed by the parent when there is one.
bool PlacedExtent(const CExtent2D& stored, CExtent2D& extent, const CDxfTransform* parent)
{
    extent = stored;
    if (parent)
        parent->ApplyToExtent(extent);
    return !extent.IsEmpty();
}

CExtent2D ExtentOfPoint(double x, double y)
{
    CExtent2D e;
    e.AddPoint(CLocation(x, y, 0.0));
    return e;
}

} // namespace

DxfColorRef DxfColorIndexToRef(int32_t index)
{
    return index >= 0 && index < 18 ? kColorTable[index] : DxfRgb(0, 0, 0);
}

DxfColorRef CDxfEntity::GetColorRef() const
{
    int32_t color = m_color;
    if (color == kDxfColorByLayer && m_layer)
        color = m_layer->GetColor();
    return DxfColorIndexToRef(color);
}

bool CDxfInsert::GetExtent(CExtent2D& extent, const CDxfTransform* parent) const
{
    extent = CExtent2D();
    if (!m_block)
        return false;
    const CDxfTransform placed = m_transform.Combine(parent);
    extent = m_block->GetExtent();
    placed.ApplyToExtent(extent);
    return !extent.IsEmpty();
}

void CDxfInsert::SetTransform(double x, double y, double z, double scaleX, double scaleY, double scaleZ, double rotation)
{
    m_transform.m_offsetX = x;
    m_transform.m_offsetY = y;
    m_transform.m_offsetZ = z;
    m_transform.m_scaleX = scaleX;
    m_transform.m_scaleY = scaleY;
    m_transform.m_scaleZ = scaleZ;
    m_transform.m_rotation = rotation;
}

void CDxfInsert::AddAttribute(std::unique_ptr<DXFAttrib> attribute)
{
    if (attribute)
        m_attributes.push_back(std::move(attribute));
}

bool DXFPLine::GetExtent(CExtent2D& extent, const CDxfTransform* parent) const
{
    return PlacedExtent(m_extent, extent, parent);
}

void DXFPLine::SetVertices(const DxfPLineVertex* vertices, size_t count)
{
    m_vertices.assign(vertices, vertices + (vertices ? count : 0));
    m_extent = CExtent2D();
    for (const auto& v : m_vertices)
        m_extent.AddPoint(CLocation(v.x, v.y, 0.0));
}

bool DXFText::GetExtent(CExtent2D& extent, const CDxfTransform* parent) const
{
    PlacedExtent(m_extent, extent, parent);
    return true;
}

void DXFText::SetFromRecord(const DXF_ADD_TEXT& record)
{
    m_record = record;
    m_extent = ExtentOfPoint(record.x, record.y);
}

bool DXFArc::GetExtent(CExtent2D& extent, const CDxfTransform* parent) const
{
    PlacedExtent(m_extent, extent, parent);
    return true;
}

void DXFArc::SetFromRecord(const DXF_ADD_ARC& record)
{
    m_record = record;
    m_extent = ExtentOfPoint(record.x, record.y);
    m_extent.AddPoint(CLocation(record.x + record.radius * std::cos(record.startAngle),
                                record.y + record.radius * std::sin(record.startAngle), 0.0));
    m_extent.AddPoint(CLocation(record.x + record.radius * std::cos(record.endAngle),
                                record.y + record.radius * std::sin(record.endAngle), 0.0));
}

bool DXFCircle::GetExtent(CExtent2D& extent, const CDxfTransform* parent) const
{
    PlacedExtent(m_extent, extent, parent);
    return true;
}

void DXFCircle::SetFromRecord(const DXF_ADD_CIRCLE& record)
{
    m_record = record;
    m_extent = ExtentOfPoint(record.x - record.radius, record.y - record.radius);
    m_extent.AddPoint(CLocation(record.x + record.radius, record.y + record.radius, 0.0));
}

bool DXFPoint::GetExtent(CExtent2D& extent, const CDxfTransform* parent) const
{
    PlacedExtent(ExtentOfPoint(m_location.x, m_location.y), extent, parent);
    return true;
}

bool DXFAttrib::GetExtent(CExtent2D& extent, const CDxfTransform* parent) const
{
    PlacedExtent(m_extent, extent, parent);
    return true;
}

void DXFAttrib::SetFromRecord(const DXF_ADD_ATTRIB& record)
{
    m_record = record;
    m_extent = ExtentOfPoint(record.x, record.y);
}
