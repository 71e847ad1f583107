#pragma once

#include "exchange/dxf/Dxf.h"
#include "exchange/dxf/DxfEntity.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CDxfBlock;
class CDxfFile;
class CDxfStyle;

// Builds a CDxfFile drawing from the reader's callbacks: layers, text styles, block definitions
// and the entities of model space and of each block. Every handle reads as 0.
class CDxfReader : public DXF
{
public:
    CDxfReader();
    ~CDxfReader() override;

    // Reads the file into the drawing (not owned): kDxfOk or kDxfReadFailed. The drawing keeps
    // whatever was added before a failure.
    int ReadFile(const std::string& fileName, CDxfFile* drawing);

    // True when the file could be opened; binary then tells whether it is a binary DXF, which
    // this reader refuses.
    static bool IsBinaryFile(bool& binary, const std::string& fileName);

protected:
    int BlocksSection(bool entering) override;
    int AddLine(const DXF_ADD_LINE& line) override;
    int AddSolid(const DXF_ADD_SOLID& solid) override;
    int AddCircle(const DXF_ADD_CIRCLE& circle) override;
    int AddArc(const DXF_ADD_ARC& arc) override;
    int AddPoint(const DXF_ADD_POINT& point) override;
    int AddLayer(const DXF_ADD_LAYER& layer) override;
    int AddInsert(const DXF_ADD_INSERT& insert) override;
    int BeginBlock(const DXF_ADD_BLOCK& block) override;
    int AddText(const DXF_ADD_TEXT& text) override;
    int AddMText(const DXF_ADD_MTEXT& mtext) override;
    int AddLeader(const DXF_ADD_LEADER& leader) override;
    int AddStyle(const DXF_ADD_STYLE& style) override;
    int BeginPolyline(const DXF_ADD_POLYLINE& polyline) override;
    int AddLwPolyline(const DXF_ADD_LWPOLYLINE& polyline) override;
    int EndBlock() override;
    int AddAttdef(const DXF_ADD_ATTDEF& attdef) override;
    int AddAttrib(const DXF_ADD_ATTRIB& attrib) override;
    int EndInsertAttributes() override;
    int EndPolyline() override;
    int AddVertex(const DXF_ADD_VERTEX& vertex) override;
    int AddSpline(const DXF_ADD_SPLINE& spline) override;
    void ReadError(int code) override {}
    void FileError(int code) override {}

    // The drawing's layer of that name, made with colour 65535 when absent.
    CDxfLayer* LayerFor(const std::string& name);
    // Appends to the block being defined, or to model space.
    void AddToTarget(std::unique_ptr<CDxfEntity> entity);
    CDxfFile* GetDrawing() const { return m_drawing; }

private:
    // Ends the open polyline with the buffered vertices; drops vertices when none is open.
    void FinishPolyline();
    // Links the inserts whose block was not defined when they were read; drops those whose block
    // never came or would insert itself, directly or through others.
    void ResolvePendingInserts();
    // Drops a block whose ENDBLK never came, with what was waiting on it.
    void DiscardOpenBlock();

    struct PendingInsert
    {
        CDxfInsert* insert;
        std::string name; // upper case
        CDxfBlock* owner; // the block holding the insert; null for model space
    };

    CDxfFile* m_drawing = nullptr;
    std::unique_ptr<CDxfBlock> m_openBlock; // between BLOCK and ENDBLK
    std::unique_ptr<DXFPLine> m_openPolyline;
    CDxfInsert* m_currentInsert = nullptr;
    std::vector<DxfPLineVertex> m_vertexBuffer;
    // Blocks whose ENDBLK was read, by upper-case name; the first of a name wins.
    std::unordered_map<std::string, CDxfBlock*> m_blocksByName;
    // Text styles by upper-case name; the first of a name wins.
    std::unordered_map<std::string, CDxfStyle*> m_stylesByName;
    // Inserts read before their block was defined, in reading order.
    std::vector<PendingInsert> m_pendingInserts;
};
