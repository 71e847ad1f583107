#include "exchange/dxf/DxfFile.h"

#include "exchange/dxf/DxfText.h"

CDxfFile::CDxfFile() : m_modelSpace(std::make_unique<CDxfBlock>()) {}

CDxfFile::~CDxfFile() = default;

CDxfLayer* CDxfFile::FindLayer(const std::string& name)
{
    if (m_cachedLayer && dxftext::EqualsNoCase(name, m_cachedLayerName))
        return m_cachedLayer;
    for (const auto& layer : m_layers) {
        if (dxftext::EqualsNoCase(name, layer->GetName())) {
            m_cachedLayer = layer.get();
            m_cachedLayerName = name;
            return m_cachedLayer;
        }
    }
    return nullptr;
}

CDxfLayer* CDxfFile::AddLayer(const std::string& name)
{
    if (FindLayer(name))
        return nullptr;
    m_layers.push_back(std::make_unique<CDxfLayer>(name));
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
