#pragma once

#include "exchange/dxf/DxfBlock.h"
#include "exchange/dxf/DxfRecords.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CDxfLayer
{
public:
    explicit CDxfLayer(std::string name, int32_t color = 65535) : m_name(std::move(name)), m_color(color) {}

    const std::string& GetName() const { return m_name; }
    // 65535 when the file gave no colour.
    int32_t GetColor() const { return m_color; }
    void SetColor(int32_t color) { m_color = color; }

private:
    std::string m_name;
    int32_t m_color;
};

class CDxfStyle
{
public:
    explicit CDxfStyle(const DXF_ADD_STYLE& record) : m_record(record) {}
    virtual ~CDxfStyle() = default;

    const DXF_ADD_STYLE& GetRecord() const { return m_record; }
    const std::string& GetName() const { return m_record.name; }

private:
    DXF_ADD_STYLE m_record;
};

// An in-memory DXF drawing: model space, the named block definitions, the layers and the text
// styles, all owned.
class CDxfFile
{
public:
    CDxfFile();
    virtual ~CDxfFile();
    CDxfFile(const CDxfFile&) = delete;
    CDxfFile& operator=(const CDxfFile&) = delete;

    CDxfBlock* GetModelSpace() const { return m_modelSpace.get(); }

    // The layer of that name without regard to case, or null. The last layer found is kept, so
    // a run of entities on one layer is answered at once.
    CDxfLayer* FindLayer(const std::string& name);
    // A new layer with colour 65535; null when a layer of that name (any case) exists.
    CDxfLayer* AddLayer(const std::string& name);
    size_t GetLayerCount() const { return m_layers.size(); }
    CDxfLayer* GetLayer(size_t i) const { return m_layers[i].get(); }

    void AddBlock(std::unique_ptr<CDxfBlock> block);
    size_t GetBlockCount() const { return m_blocks.size(); }
    CDxfBlock* GetBlock(size_t i) const { return m_blocks[i].get(); }

    void AddStyle(std::unique_ptr<CDxfStyle> style);
    size_t GetStyleCount() const { return m_styles.size(); }
    CDxfStyle* GetStyle(size_t i) const { return m_styles[i].get(); }

    // The model space's extent.
    CExtent2D GetExtent() const;

private:
    std::unique_ptr<CDxfBlock> m_modelSpace;
    std::vector<std::unique_ptr<CDxfBlock>> m_blocks;
    std::vector<std::unique_ptr<CDxfLayer>> m_layers;
    std::vector<std::unique_ptr<CDxfStyle>> m_styles;
    // Layers by upper-case name, so that a drawing of many layers is searched in constant time.
    std::unordered_map<std::string, CDxfLayer*> m_layersByName;
    std::string m_cachedLayerKey; // NameKey of the last name looked up
    CDxfLayer* m_cachedLayer = nullptr;
};
