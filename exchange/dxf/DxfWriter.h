#pragma once

#include "exchange/dxf/DxfSave.h"

#include <string>

class CDxfBlock;
class CDxfEntity;
class CDxfFile;

// Writes a CDxfFile drawing: its layers, its block definitions and its model-space entities.
// Inserts (with their attributes), polylines and points are written; other entities are not.
class CDxfWriter : public DXFSave
{
public:
    CDxfWriter(CDxfFile* drawing, const std::string& fileName, bool nulTerminated);
    ~CDxfWriter() override;

protected:
    int GetLayerCount() override;
    int WriteLayers() override;
    int WriteBlocks() override;
    int WriteEntities() override;

    void WriteEntity(const CDxfEntity* entity);

    CDxfFile* m_drawing;
};
