#pragma once

#include "exchange/FSSaveDXF.h"

class CDataFileDoc;
class CRecord;

// The DXF export of a job's points: all of them, or the current selection in selection order.
class CFSDataFileSaveDXF : public CFSSaveDXF
{
public:
    CFSDataFileSaveDXF(CDataFileDoc* document, bool selectedOnly);
    ~CFSDataFileSaveDXF() override;

    static constexpr const char* kLayerName = "Morvel";
    static constexpr const char* kBlockName = "POINT";

protected:
    int CollectObjects(CDxfFile* drawing, int32_t* count) override;
    double ConvertDistance(double metres) override;
    // One INSERT of the block "POINT" at the point, with one attribute per checked item of the
    // definition, each a line below the one before.
    int BuildPointBlock(const std::string& name, const std::string& description, const CLocation& location,
                        const std::string& layerName, int32_t color);

private:
    int ExportRecord(CDxfFile* drawing, CRecord* record, int32_t* count);

    CDataFileDoc* m_document; // not owned
    bool m_selectedOnly;
};
