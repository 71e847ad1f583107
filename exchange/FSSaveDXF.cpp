#include "exchange/FSSaveDXF.h"

#include "core/StatusProgress.h"
#include "exchange/dxf/DxfFile.h"
#include "framework/ColorTable.h"

#include <algorithm>

namespace {

std::string LayerKey(std::string name)
{
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

} // namespace

CFSDxfWriter::~CFSDxfWriter() = default;

CFSSaveDXF::CFSSaveDXF() = default;

CFSSaveDXF::~CFSSaveDXF()
{
    m_blocks.clear();
    m_layers.clear();
}

void CFSSaveDXF::SetExportOptions(bool exportPointBlocks, const CPointBlockDefinition& definition,
                                  uint32_t optionsWord, double textHeight, double verticalSpacing, bool nulTerminated)
{
    m_exportPointBlocks = exportPointBlocks;
    m_definition = definition;
    m_optionsWord = optionsWord;
    m_textHeight = textHeight;
    m_verticalSpacing = verticalSpacing;
    m_nulTerminated = nulTerminated;
}

int CFSSaveDXF::Export(const std::string& path, uint32_t unit, int32_t* count)
{
    m_exportUnit = unit;
    m_blockCounter = 0;
    m_blocks.clear();
    m_layers.clear();
    m_drawing = std::make_unique<CDxfFile>();
    int32_t written = 0;
    int result = CollectObjects(m_drawing.get(), &written);
    if (result == 0)
        result = WriteFile(m_drawing.get(), path);
    if (count != nullptr)
        *count = written;
    m_blocks.clear();
    m_layers.clear();
    m_drawing.reset();
    return result;
}

int CFSSaveDXF::WriteFile(CDxfFile* drawing, const std::string& path)
{
    CStatusProgress progress;
    progress.Begin("Write to DXF file...");
    CFSDxfWriter writer(drawing, path, m_nulTerminated);
    return writer.WriteSections();
}

CDxfLayer* CFSSaveDXF::CreateLayer(const std::string& name, int32_t color)
{
    const std::string key = LayerKey(name);
    CDxfLayer* layer = m_drawing->AddLayer(key);
    if (layer == nullptr)
        return FindLayer(name);
    m_layers[key] = layer;
    layer->SetColor(color == 0 ? 7 : ColorIndexToCadIndex(color));
    return layer;
}

CDxfLayer* CFSSaveDXF::FindLayer(const std::string& name) const
{
    const auto found = m_layers.find(LayerKey(name));
    return found != m_layers.end() ? found->second : nullptr;
}

void CFSSaveDXF::AddBlock(std::unique_ptr<CDxfBlock> block)
{
    while (block->GetName().empty() || m_blocks.count(block->GetName()) != 0)
        block->SetName("blk" + std::to_string(++m_blockCounter));
    m_blocks[block->GetName()] = block.get();
    m_drawing->AddBlock(std::move(block));
}
