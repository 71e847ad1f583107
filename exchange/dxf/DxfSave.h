#pragma once

#include "exchange/dxf/DxfRecords.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class BufferedFile;

// Writes a DXF text file: the four sections, the tables and one writer per entity kind, each
// taking the record the reader fills. Texts are written in Windows-1252 ('?' for a character the
// code page cannot hold).
class DXFSave
{
public:
    // Creates the file anew. nulTerminated: every value ends with one NUL byte instead of CR LF.
    // handles: every writer that has a handle writes group 5.
    DXFSave(const std::string& fileName, bool nulTerminated, bool handles);
    virtual ~DXFSave();
    DXFSave(const DXFSave&) = delete;
    DXFSave& operator=(const DXFSave&) = delete;

    // Writes the whole file and closes it: 0, 1 when the file could not be created or its bytes
    // did not reach the disk, or the first non-zero result of a section writer.
    int WriteSections();

protected:
    virtual int WriteHeader() { return 0; }
    virtual int GetLayerCount() = 0;
    virtual int WriteLayers() = 0;
    virtual int GetLinetypeCount() { return 0; }
    virtual int WriteLinetypes() { return 0; }
    virtual int GetAppIdCount() { return 0; }
    virtual int WriteAppIds() { return 0; }
    virtual int WriteBlocks() { return 0; }
    virtual int WriteEntities() = 0;

    // Group writers. Group 6 (linetype) is written in upper case.
    void WriteString(int code, std::string_view text);
    // A value within 0.00001 of its whole part is written as that whole number with ".0";
    // otherwise with 15 significant digits.
    void WriteDouble(int code, double value);
    void WriteULong(int code, int64_t value);
    void WriteHex(int code, uint32_t value);
    void WriteHandle(uint32_t handle);

    int WriteTables();
    void WriteLayer(const DXF_ADD_LAYER& layer);
    void WriteLtype(const DXF_ADD_LTYPE& ltype);
    void WriteLine(const DXF_ADD_LINE& line);
    void WritePoint(const DXF_ADD_POINT& point);
    void WriteCircle(const DXF_ADD_CIRCLE& circle);
    void WriteArc(const DXF_ADD_ARC& arc);
    void WriteSolid(const DXF_ADD_SOLID& solid);
    void Write3DFace(const DXF_ADD_SOLID& face);
    // widthsOff: the vertices that follow write no widths.
    void WritePolyline(const DXF_ADD_POLYLINE& polyline, bool widthsOff);
    void WriteVertex(const DXF_ADD_VERTEX& vertex);
    void WriteSeqEnd(uint32_t handle);
    void WriteText(const DXF_ADD_TEXT& text);
    void WriteInsert(const DXF_ADD_INSERT& insert);
    void WriteBlock(const DXF_ADD_BLOCK& block, uint32_t handle);
    void WriteEndBlock(uint32_t handle);
    void WriteAttdef(const DXF_ADD_ATTDEF& attdef);
    void WriteAttrib(const DXF_ADD_ATTRIB& attrib);
    void WriteAttribSeqEnd(uint32_t handle);

    // A bulge of this value writes no group 42.
    static constexpr double kNoBulge = 65535.0;

private:
    void WritePair(int code, std::string_view value);
    void WriteRaw(std::string_view bytes);
    void WriteTerminator();
    void WriteColor(int32_t color);
    void WriteHandleIfSet(uint32_t handle);
    void WriteSolidOrFace(const char* keyword, const DXF_ADD_SOLID& solid);
    template <typename Attribute>
    void WriteAttributeTail(const Attribute& attribute);

    std::unique_ptr<BufferedFile> m_file;
    bool m_open = false;
    bool m_nulTerminated;
    bool m_handles;
    std::string m_pair; // the pair being written, reused
    std::string m_polylineLayer;
    bool m_vertexWidths = false;
    double m_polylineStartWidth = 0;
    double m_polylineEndWidth = 0;
};
