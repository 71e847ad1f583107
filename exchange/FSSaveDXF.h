#pragma once

#include "core/Location.h"
#include "exchange/PointBlockDefinition.h"
#include "exchange/dxf/DxfWriter.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class CDxfBlock;
class CDxfFile;
class CDxfLayer;

// The writer of the DXF export.
class CFSDxfWriter : public CDxfWriter
{
public:
    using CDxfWriter::CDxfWriter;
    ~CFSDxfWriter() override;
};

// The DXF point export: fills a drawing with the points the derived class collects (plain POINTs,
// or INSERTs of the block "POINT" carrying name, description and elevation attributes laid out by
// the point-block definition) and writes it.
class CFSSaveDXF
{
public:
    CFSSaveDXF();
    virtual ~CFSSaveDXF();
    CFSSaveDXF(const CFSSaveDXF&) = delete;
    CFSSaveDXF& operator=(const CFSSaveDXF&) = delete;

    // Text height and vertical spacing in metres. optionsWord 2 exports points.
    void SetExportOptions(bool exportPointBlocks, const CPointBlockDefinition& definition, uint32_t optionsWord,
                          double textHeight, double verticalSpacing, bool nulTerminated);

    // unit: 0 metres, 1 international feet, 2 US survey feet. 0 on success, else the first
    // failing step's result (1 when the file cannot be written). *count: the points written.
    virtual int Export(const std::string& path, uint32_t unit, int32_t* count);

protected:
    virtual int WriteFile(CDxfFile* drawing, const std::string& path);
    virtual int CollectObjects(CDxfFile* drawing, int32_t* count) = 0;
    // Metres to the export unit; a missing value stays missing.
    virtual double ConvertDistance(double metres) = 0;

    // Blanks in the name become '_'; colour is a colour-table index (0: the CAD colour 7).
    CDxfLayer* CreateLayer(const std::string& name, int32_t color);
    CDxfLayer* FindLayer(const std::string& name) const;
    // A block with an empty or taken name is given the next free "blk%ld" name.
    void AddBlock(std::unique_ptr<CDxfBlock> block);

    bool m_exportPointBlocks = true;
    uint32_t m_optionsWord = 2;
    uint32_t m_exportUnit = 1;
    double m_textHeight = 0;
    double m_verticalSpacing = 0;
    CPointBlockDefinition m_definition;
    bool m_nulTerminated = false;
    std::unique_ptr<CDxfFile> m_drawing;
    std::map<std::string, CDxfBlock*> m_blocks;
    std::map<std::string, CDxfLayer*> m_layers;
    uint32_t m_blockCounter = 0;
};
