#pragma once

#include "core/Location.h"
#include "exchange/dxf/DxfRecords.h"
#include "exchange/dxf/DxfTransform.h"

#include <cstdint>
#include <memory>
#include <vector>

class CDxfBlock;
class CDxfLayer;
class CDxfStyle;

// Entity type numbers (GetType); 0 asks an iterator for every type.
inline constexpr int kDxfAnyEntity = 0;
inline constexpr int kDxfInsertEntity = 1;
inline constexpr int kDxfPLineEntity = 2;
inline constexpr int kDxfTextEntity = 3;
inline constexpr int kDxfArcEntity = 4;
inline constexpr int kDxfCircleEntity = 5;
inline constexpr int kDxfPointEntity = 6;
inline constexpr int kDxfAttribEntity = 7;

// A colour as red | green << 8 | blue << 16.
using DxfColorRef = uint32_t;
constexpr DxfColorRef DxfRgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// A layer colour that the file did not give.
inline constexpr int32_t kDxfNoLayerColor = 65535;

// An entity of the drawing: its layer (borrowed from the drawing), its colour index and the
// geometry of its record.
class CDxfEntity
{
public:
    CDxfEntity() = default;
    virtual ~CDxfEntity() = default;
    CDxfEntity(const CDxfEntity&) = delete;
    CDxfEntity& operator=(const CDxfEntity&) = delete;

    // The entity's extent, placed by the parent transform when one is given; false when empty.
    virtual bool GetExtent(CExtent2D& extent, const CDxfTransform* parent) const { return false; }
    virtual bool IsInsert() const { return false; }
    virtual int GetType() const = 0;

    void SetLayer(CDxfLayer* layer) { m_layer = layer; }
    CDxfLayer* GetLayer() const { return m_layer; }
    void SetColor(int32_t color) { m_color = color; }
    int32_t GetColor() const { return m_color; }
    // The colour index (by layer replaced by the layer's) through the 18-colour table; black
    // for any index outside it.
    DxfColorRef GetColorRef() const;

protected:
    CDxfLayer* m_layer = nullptr;
    int32_t m_color = kDxfColorByLayer;
};

// The colour table itself, for an index.
DxfColorRef DxfColorIndexToRef(int32_t index);

class DXFAttrib;

class CDxfInsert : public CDxfEntity
{
public:
    bool GetExtent(CExtent2D& extent, const CDxfTransform* parent) const override;
    bool IsInsert() const override { return true; }
    int GetType() const override { return kDxfInsertEntity; }

    void SetBlock(CDxfBlock* block) { m_block = block; }
    CDxfBlock* GetBlock() const { return m_block; }
    void SetTransform(double x, double y, double z, double scaleX, double scaleY, double scaleZ, double rotation);
    const CDxfTransform& GetTransform() const { return m_transform; }
    void AddAttribute(std::unique_ptr<DXFAttrib> attribute);
    size_t GetAttributeCount() const { return m_attributes.size(); }
    DXFAttrib* GetAttribute(size_t i) const { return m_attributes[i].get(); }

private:
    std::vector<std::unique_ptr<DXFAttrib>> m_attributes;
    CDxfBlock* m_block = nullptr;
    CDxfTransform m_transform;
};

struct DxfPLineVertex
{
    double x = 0, y = 0, z = 0;
    double bulge = 0;
};

class DXFPLine : public CDxfEntity
{
public:
    bool GetExtent(CExtent2D& extent, const CDxfTransform* parent) const override;
    int GetType() const override { return kDxfPLineEntity; }

    // Replaces the vertices by a copy of count entries.
    void SetVertices(const DxfPLineVertex* vertices, size_t count);
    size_t GetVertexCount() const { return m_vertices.size(); }
    const DxfPLineVertex& GetVertex(size_t i) const { return m_vertices[i]; }
    void SetClosed(bool closed) { m_closed = closed; }
    bool IsClosed() const { return m_closed; }
    // 0 none, 1 spline-fit, 2 curve-fit.
    void SetFitKind(int kind) { m_fitKind = kind; }
    int GetFitKind() const { return m_fitKind; }

private:
    std::vector<DxfPLineVertex> m_vertices;
    CExtent2D m_extent;
    bool m_closed = false;
    int m_fitKind = 0;
};

class DXFText : public CDxfEntity
{
public:
    bool GetExtent(CExtent2D& extent, const CDxfTransform* parent) const override;
    int GetType() const override { return kDxfTextEntity; }

    void SetFromRecord(const DXF_ADD_TEXT& record);
    const DXF_ADD_TEXT& GetRecord() const { return m_record; }
    void SetStyle(CDxfStyle* style) { m_style = style; }
    CDxfStyle* GetStyle() const { return m_style; }

private:
    CExtent2D m_extent;
    DXF_ADD_TEXT m_record;
    CDxfStyle* m_style = nullptr;
};

class DXFArc : public CDxfEntity
{
public:
    bool GetExtent(CExtent2D& extent, const CDxfTransform* parent) const override;
    int GetType() const override { return kDxfArcEntity; }

    void SetFromRecord(const DXF_ADD_ARC& record);
    const DXF_ADD_ARC& GetRecord() const { return m_record; }

private:
    CExtent2D m_extent;
    DXF_ADD_ARC m_record;
};

class DXFCircle : public CDxfEntity
{
public:
    bool GetExtent(CExtent2D& extent, const CDxfTransform* parent) const override;
    int GetType() const override { return kDxfCircleEntity; }

    void SetFromRecord(const DXF_ADD_CIRCLE& record);
    const DXF_ADD_CIRCLE& GetRecord() const { return m_record; }

private:
    CExtent2D m_extent;
    DXF_ADD_CIRCLE m_record;
};

class DXFPoint : public CDxfEntity
{
public:
    bool GetExtent(CExtent2D& extent, const CDxfTransform* parent) const override;
    int GetType() const override { return kDxfPointEntity; }

    void SetLocation(const CLocation& location) { m_location = location; }
    const CLocation& GetLocation() const { return m_location; }

private:
    CLocation m_location;
};

class DXFAttrib : public CDxfEntity
{
public:
    bool GetExtent(CExtent2D& extent, const CDxfTransform* parent) const override;
    int GetType() const override { return kDxfAttribEntity; }

    void SetFromRecord(const DXF_ADD_ATTRIB& record);
    const DXF_ADD_ATTRIB& GetRecord() const { return m_record; }

private:
    CExtent2D m_extent;
    DXF_ADD_ATTRIB m_record;
};
