#pragma once

#include "exchange/dxf/DxfRecords.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class BufferedFile;

// Reads a DXF text drawing front to back as group-code/value pairs and hands every table entry
// and entity it knows to a virtual callback as a filled record. It keeps no drawing of its own:
// a derived class decides what to keep. A callback that returns non-zero ends the read with
// kDxfReadFailed.
class DXF
{
public:
    DXF();
    virtual ~DXF();
    DXF(const DXF&) = delete;
    DXF& operator=(const DXF&) = delete;

    // Reads the whole file: kDxfOk, or kDxfReadFailed when the file cannot be opened, is binary,
    // is cut short, is not a DXF drawing, or a callback refused an item.
    int Read(const char* fileName);

    // Lines read so far (code and value lines), for messages.
    int32_t GetLineNumber() const { return m_lineNumber; }
    const DXF_FILE_HEADER& GetHeader() const { return m_header; }
    // "$PDSIZE" and "$HANDSEED", which the header record does not carry.
    double GetPointSize() const { return m_pointSize; }
    uint32_t GetHandleSeed() const { return m_handleSeed; }

    // The file-name limit of the header record.
    static constexpr size_t kMaxFileNameChars = 259;

protected:
    virtual int BlocksSection(bool entering) { return 0; }
    virtual int AddLine(const DXF_ADD_LINE& line) { return 0; }
    virtual int AddSolid(const DXF_ADD_SOLID& solid) { return 0; }
    virtual int Add3DFace(const DXF_ADD_SOLID& face) { return 0; }
    virtual int AddCircle(const DXF_ADD_CIRCLE& circle) { return 0; }
    virtual int AddArc(const DXF_ADD_ARC& arc) { return 0; }
    virtual int AddPoint(const DXF_ADD_POINT& point) { return 0; }
    virtual int AddLayer(const DXF_ADD_LAYER& layer) { return 0; }
    virtual int AddLinetype(const DXF_ADD_LTYPE& linetype) { return 0; }
    virtual int AddAppId(const std::string& name) { return 0; }
    virtual int AddInsert(const DXF_ADD_INSERT& insert) { return 0; }
    virtual int BeginBlock(const DXF_ADD_BLOCK& block) { return 0; }
    virtual int AddText(const DXF_ADD_TEXT& text) { return 0; }
    virtual int AddMText(const DXF_ADD_MTEXT& mtext) { return 0; }
    virtual int AddLeader(const DXF_ADD_LEADER& leader) { return 0; }
    virtual int AddStyle(const DXF_ADD_STYLE& style) { return 0; }
    virtual int BeginPolyline(const DXF_ADD_POLYLINE& polyline) { return 0; }
    virtual int AddLwPolyline(const DXF_ADD_LWPOLYLINE& polyline) { return 0; }
    virtual int EndBlock() { return 0; }
    virtual int AddAttdef(const DXF_ADD_ATTDEF& attdef) { return 0; }
    virtual int AddAttrib(const DXF_ADD_ATTRIB& attrib) { return 0; }
    // Also called when an INSERT is dropped (paper space, zero scale), so that the attributes
    // that follow it are not taken for those of the insert before.
    virtual int EndInsertAttributes() { return 0; }
    virtual int EndPolyline() { return 0; }
    virtual int AddVertex(const DXF_ADD_VERTEX& vertex) { return 0; }
    virtual int BeginXData(const std::string& application) { return 0; }
    virtual int EndXData(const std::string& application) { return 0; }
    virtual int AddXDataGroup(int32_t code, const DxfGroupValue& value) { return 0; }
    virtual int SetExtents(double minX, double minY, double maxX, double maxY) { return 0; }
    virtual int AddSpline(const DXF_ADD_SPLINE& spline) { return 0; }
    virtual void Progress(int percent) {}
    virtual void ReadError(int code) = 0;
    virtual void FileError(int code) = 0;
    virtual void FileHeader(const DXF_FILE_HEADER& header) {}
    virtual void Comment(const std::string& text) {}
    virtual void EndHeader() {}
    // The current group holds the variable's name. True: the callback has read past the
    // variable's groups itself (through ReadGroup).
    virtual bool OtherHeaderVariable() { return false; }
    // Asked every 20 items outside BLOCKS; false ends the read with kDxfReadFailed.
    virtual bool ContinueReading() { return true; }

    // Reads the next group into the current code and value; false at the end of the file or
    // when the file ends between a code and its value. Group 999 is skipped when asked.
    bool ReadGroup(bool skipComments);
    int32_t GetGroupCode() const { return m_code; }
    const DxfGroupValue& GetGroupValue() const { return m_value; }

    // Every handle reads as 0 when set.
    bool m_skipHandles = false;

private:
    enum SectionKind { SectionOther = 0, SectionTables = 1, SectionHeader = 2, SectionBlocks = 3, SectionEntities = 4 };
    enum SequenceKind { SequenceNone = 0, SequenceAttributes = 14, SequencePolyline = 15 };

    // Line reading over the file's bytes; the view lives until the next read.
    bool Fill();
    bool ReadRawLine(std::string_view& line, size_t maxChars);
    bool AtEnd() const;
    int32_t FilePosition() const;
    void ReportProgress();

    bool IsGroup(int32_t code, std::string_view value) const { return m_code == code && m_value.text == value; }
    bool IsEndSec() const { return IsGroup(0, "ENDSEC"); }

    int ReadSections();
    int ReadHeaderSection();
    int ReadTablesSection();
    int ReadTableEntries(int tableType);
    int ReadEntitiesSection();
    int SkipToNextEntity();
    int ReadEntity(int id);

    // Entity readers: each starts on the keyword group and ends on the next group 0.
    int ReadLine();
    int ReadSolid(bool face);
    int ReadCircle();
    int ReadArc();
    int ReadPoint();
    int ReadText();
    int ReadMText();
    int ReadBlock();
    int ReadEndBlock();
    int ReadInsert();
    int ReadAttdef();
    int ReadAttrib();
    int ReadPolyline();
    int ReadVertex();
    int ReadSeqEnd();
    int ReadLwPolyline();
    int ReadLeader();
    int ReadSpline();

    // Handle, layer, linetype, colour and paper space, shared by the drawing entities.
    template <typename Record>
    bool TakeCommonGroup(Record& rec, bool& paper);
    // The current group as a handle (0 when handles are skipped).
    uint32_t HandleValue() const;
    // An extended-data group of the current entity, and the end of the entity's extended data.
    int XDataGroup();
    int EndEntityXData();
    double ShiftX(double x) const { return m_inBlocks ? x - m_baseX : x; }
    double ShiftY(double y) const { return m_inBlocks ? y - m_baseY : y; }
    double ShiftZ(double z) const { return m_inBlocks ? z - m_baseZ : z; }

    std::unique_ptr<BufferedFile> m_file;
    std::vector<char> m_buffer;
    size_t m_bufferPos = 0;
    size_t m_bufferEnd = 0;
    std::string m_longLine; // a line that crosses the buffer's end
    int32_t m_fileSize = 0;

    int32_t m_code = 0;
    DxfGroupValue m_value;
    int32_t m_lineNumber = 0;
    int32_t m_itemCount = 0;
    int m_lastPercent = 0;
    SectionKind m_section = SectionOther;
    bool m_inBlocks = false;
    bool m_skippingBlock = false; // inside a paper-space BLOCK, up to its ENDBLK
    double m_baseX = 0, m_baseY = 0, m_baseZ = 0;
    SequenceKind m_sequence = SequenceNone;
    double m_polylineStartWidth = 0;
    double m_polylineEndWidth = 0;
    std::string m_xdataApplication;
    std::vector<DXF_ADD_LWVERTEX> m_lwVertices;
    std::vector<DXF_ADD_LEADERVERTEX> m_leaderVertices;
    DXF_FILE_HEADER m_header;
    uint32_t m_handleSeed = 0;
    int32_t m_pointMode = 0;
    double m_pointSize = 0;
    std::string m_fileName;
};
