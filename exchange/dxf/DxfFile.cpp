#include "exchange/dxf/DxfFile.h"

#include "exchange/dxf/DxfText.h"

CDxfFile::CDxfFile() : m_modelSpace(std::make_unique<CDxfBlock>()) {}

CDxfFile::~CDxfFile() = default;

CDxfLayer* CDxfFile::FindLayer(const std::string& name)
{
    std::string key = dxftext::NameKey(name);
    if (m_cachedLayer && key == m_cachedLayerKey)
        return m_cachedLayer;
    const auto found = m_layersByName.find(key);
    if (found == m_layersByName.end())
        return nullptr;
    m_cachedLayer = found->second;
    m_cachedLayerKey = std::move(key);
    return m_cachedLayer;
}

CDxfLayer* CDxfFile::AddLayer(const std::string& name)
{
    if (FindLayer(name))
        return nullptr;
    m_layers.push_back(std::make_unique<CDxfLayer>(name));
    m_layersByName.emplace(dxftext::NameKey(name), m_layers.back().get());
    return m_layers.back().get();
}

void CDxfFile::AddBlock(std::unique_ptr<CDxfBlock> block)
{
    if (block)
        m_blocks.push_back(std::move(block));
}

void CDxfFile::AddStyle(std::unique_ptr<CDxfStyle> style)
{
    if (style)
        m_styles.push_back(std::move(style));
}

CExtent2D CDxfFile::GetExtent() const
{
    return m_modelSpace->GetExtent();
}
