#include "exchange/dxf/Dxf.h"

#include "core/BufferedFile.h"
#include "exchange/dxf/DxfText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using dxftext::CutCopy;

namespace {

constexpr uint32_t kBufferSize = 30000;
// A code line keeps 39 characters. A value line is read far enough to hold 255 characters of
// UTF-8 text (four bytes each at most); longer lines lose their end.
constexpr size_t kCodeLineChars = 39;
constexpr size_t kValueLineBytes = 1020;
constexpr size_t kValueTextChars = 255;

// The reader's own degree factor, kept so that angles read back as they always have.
constexpr double kDegToRad = 3.1415926535 / 180.0;

enum EntityId {
    EntityUnknown = 0,
    EntityLine = 2,
    EntityCircle = 3,
    EntityArc = 4,
    EntityPoint = 5,
    EntityTrace = 6,
    EntitySolid = 7,
    EntityText = 8,
    EntityShape = 9,
    EntityBlock = 10,
    EntityEndBlock = 11,
    EntityInsert = 12,
    EntityAttdef = 13,
    EntityAttrib = 14,
    EntityPolyline = 15,
    EntityVertex = 16,
    Entity3DFace = 17,
    EntityViewport = 18,
    EntitySeqEnd = 19,
    EntityDimension = 20,
    EntityLwPolyline = 21,
    EntityMText = 22,
    EntityLeader = 23,
    EntitySpline = 24,
};

struct EntityKeyword
{
    const char* keyword;
    int id;
    bool read;
};

constexpr EntityKeyword kEntityKeywords[] = {
    {"LINE", EntityLine, true},         {"POLYLINE", EntityPolyline, true}, {"VERTEX", EntityVertex, true},
    {"SEQEND", EntitySeqEnd, true},     {"CIRCLE", EntityCircle, true},     {"ARC", EntityArc, true},
    {"POINT", EntityPoint, true},       {"TEXT", EntityText, true},         {"SHAPE", EntityShape, false},
    {"BLOCK", EntityBlock, true},       {"ENDBLK", EntityEndBlock, true},   {"INSERT", EntityInsert, true},
    {"ATTDEF", EntityAttdef, true},     {"ATTRIB", EntityAttrib, true},     {"TRACE", EntityTrace, false},
    {"SOLID", EntitySolid, true},       {"3DFACE", Entity3DFace, true},     {"VIEWPORT", EntityViewport, false},
    {"DIMENSION", EntityDimension, false}, {"MTEXT", EntityMText, true},    {"LEADER", EntityLeader, true},
    {"LWPOLYLINE", EntityLwPolyline, true}, {"SPLINE", EntitySpline, true},
};

// The entity to read for a keyword; 0 for a skipped or unknown one.
int LookUpEntity(const std::string& keyword)
{
    for (const auto& k : kEntityKeywords) {
        if (keyword == k.keyword)
            return k.read ? k.id : EntityUnknown;
    }
    return EntityUnknown;
}

enum TableType { TableUnknown = 0, TableAppId = 1, TableDimStyle = 2, TableLtype = 3, TableLayer = 4, TableStyle = 5, TableView = 6, TableUcs = 7, TableVport = 8 };

int LookUpTable(const std::string& name)
{
    static const char* const names[] = {"APPID", "DIMSTYLE", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "VPORT"};
    for (int i = 0; i < 8; ++i) {
        if (name == names[i])
            return i + 1;
    }
    return TableUnknown;
}

const char* TableName(int type)
{
    switch (type) {
    case TableAppId: return "APPID";
    case TableLtype: return "LTYPE";
    case TableLayer: return "LAYER";
    case TableStyle: return "STYLE";
    default: return "";
    }
}

enum HeaderKind {
    HeaderAcadVer = 0, HeaderAngBase = 1, HeaderAttMode = 2, HeaderAxis = 3, HeaderCoords = 4, HeaderExtMax = 5,
    HeaderExtMin = 6, HeaderLimMax = 7, HeaderLimMin = 8, HeaderHandling = 9, HeaderPdMode = 10, HeaderPdSize = 11,
    HeaderPLineWid = 12, HeaderTdCreate = 13, HeaderTdInDwg = 14, HeaderOther = 15, HeaderHandSeed = 16,
};

int LookUpHeaderVariable(const std::string& name)
{
    static const struct { const char* name; int kind; } table[] = {
        {"$ACADVER", HeaderAcadVer}, {"$ANGBASE", HeaderAngBase},   {"$ATTMODE", HeaderAttMode},
        {"$AXIS", HeaderAxis},       {"$COORDS", HeaderCoords},     {"$TDCREATE", HeaderTdCreate},
        {"$HANDLING", HeaderHandling}, {"$TDINDWG", HeaderTdInDwg}, {"$EXTMAX", HeaderExtMax},
        {"$EXTMIN", HeaderExtMin},   {"$LIMMAX", HeaderLimMax},     {"$LIMMIN", HeaderLimMin},
        {"$PDMODE", HeaderPdMode},   {"$PDSIZE", HeaderPdSize},     {"$PLINEWID", HeaderPLineWid},
        {"$HANDSEED", HeaderHandSeed},
    };
    for (const auto& row : table) {
        if (name == row.name)
            return row.kind;
    }
    return HeaderOther;
}

DxfGroupValue::Kind KindOfCode(int32_t code)
{
    if (code >= 10 && code <= 59)
        return DxfGroupValue::Double;
    if (code >= 60 && code <= 79)
        return DxfGroupValue::Short;
    if (code >= 90 && code <= 99)
        return DxfGroupValue::Long;
    if (code >= 140 && code <= 147)
        return DxfGroupValue::Double;
    if (code >= 170 && code <= 175)
        return DxfGroupValue::Short;
    if (code >= 280 && code <= 289)
        return DxfGroupValue::Byte;
    if (code >= 1010 && code <= 1059)
        return DxfGroupValue::Double;
    if (code >= 1060 && code <= 1069)
        return DxfGroupValue::Short;
    if (code == 1071)
        return DxfGroupValue::Long;
    return DxfGroupValue::Text;
}

} // namespace

DXF::DXF() = default;
DXF::~DXF() = default;

// ---- Line and group reading -------------------------------------------------------------------

bool DXF::Fill()
{
    m_bufferPos = 0;
    m_bufferEnd = m_file ? m_file->Read(m_buffer.data(), static_cast<uint32_t>(m_buffer.size())) : 0;
    return m_bufferEnd > 0;
}

bool DXF::ReadRawLine(std::string_view& line, size_t maxChars)
{
    if (m_bufferPos >= m_bufferEnd && !Fill())
        return false;
    const char* p = m_buffer.data() + m_bufferPos;
    size_t avail = m_bufferEnd - m_bufferPos;
    const void* hit = std::memchr(p, '\n', avail);
    if (hit) {
        const auto len = static_cast<size_t>(static_cast<const char*>(hit) - p);
        m_bufferPos += len + 1;
        line = std::string_view(p, len);
    } else {
        // The line runs past the buffer: keep what the limit allows, drop the rest.
        m_longLine.assign(p, std::min(avail, maxChars + 1));
        m_bufferPos = m_bufferEnd;
        while (Fill()) {
            p = m_buffer.data();
            avail = m_bufferEnd;
            hit = std::memchr(p, '\n', avail);
            const size_t len = hit ? static_cast<size_t>(static_cast<const char*>(hit) - p) : avail;
            if (m_longLine.size() < maxChars + 1)
                m_longLine.append(p, std::min(len, maxChars + 1 - m_longLine.size()));
            m_bufferPos = hit ? len + 1 : len;
            if (hit)
                break;
        }
        line = m_longLine;
    }
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.size() > maxChars)
        line = line.substr(0, maxChars);
    return true;
}

bool DXF::AtEnd() const
{
    return m_bufferPos >= m_bufferEnd && (!m_file || m_file->IsEof());
}

int32_t DXF::FilePosition() const
{
    return m_file ? m_file->GetPosition() - static_cast<int32_t>(m_bufferEnd - m_bufferPos) : 0;
}

void DXF::ReportProgress()
{
    if (m_fileSize <= 0)
        return;
    const int percent = static_cast<int>(static_cast<double>(FilePosition()) / m_fileSize * 100.0);
    if (percent != m_lastPercent) {
        m_lastPercent = percent;
        Progress(percent);
    }
}

bool DXF::ReadGroup(bool skipComments)
{
    for (;;) {
        std::string_view line;
        if (!ReadRawLine(line, kCodeLineChars))
            return false;
        ++m_lineNumber;
        m_code = dxftext::ParseInt(line);
        if (!ReadRawLine(line, kValueLineBytes))
            return false; // the file ends between a code and its value
        ++m_lineNumber;
        const DxfGroupValue::Kind kind = KindOfCode(m_code);
        m_value.kind = kind;
        dxftext::DecodeLine(line, m_value.text);
        switch (kind) {
        case DxfGroupValue::Text: dxftext::CutToChars(m_value.text, kValueTextChars); break;
        case DxfGroupValue::Double: m_value.d = dxftext::ParseDouble(line); break;
        case DxfGroupValue::Short: m_value.i = static_cast<int16_t>(dxftext::ParseInt(line)); break;
        case DxfGroupValue::Byte: m_value.i = dxftext::ParseInt(line) & 0xFF; break;
        case DxfGroupValue::Long: m_value.i = dxftext::ParseInt(line); break;
        }
        if (!skipComments || m_code != 999)
            return true;
    }
}

namespace {

// The current value as a number whatever the code's kind (a few codes beyond the table, such as
// 210-239, hold numbers too).
double D(const DxfGroupValue& v)
{
    return v.kind == DxfGroupValue::Double ? v.d : dxftext::ParseDouble(v.text);
}

int32_t I(const DxfGroupValue& v)
{
    return v.kind == DxfGroupValue::Text || v.kind == DxfGroupValue::Double ? dxftext::ParseInt(v.text) : v.i;
}

} // namespace

uint32_t DXF::HandleValue() const
{
    return m_skipHandles ? 0 : dxftext::ParseHex(m_value.text);
}

int DXF::XDataGroup()
{
    if (m_code == 1001) {
        if (!m_xdataApplication.empty()) {
            const int r = EndXData(m_xdataApplication);
            m_xdataApplication.clear();
            if (r != 0)
                return kDxfReadFailed;
        }
        m_xdataApplication = m_value.text;
        return BeginXData(m_xdataApplication) != 0 ? kDxfReadFailed : 0;
    }
    return AddXDataGroup(m_code, m_value) != 0 ? kDxfReadFailed : 0;
}

int DXF::EndEntityXData()
{
    if (m_xdataApplication.empty())
        return 0;
    const int r = EndXData(m_xdataApplication);
    m_xdataApplication.clear();
    return r != 0 ? kDxfReadFailed : 0;
}

// ---- The file and its sections ----------------------------------------------------------------

int DXF::Read(const char* fileName)
{
    m_itemCount = 0;
    m_lineNumber = 0;
    m_lastPercent = 0;
    m_inBlocks = false;
    m_skippingBlock = false;
    m_baseX = m_baseY = m_baseZ = 0;
    m_sequence = SequenceNone;
    m_polylineStartWidth = m_polylineEndWidth = 0;
    m_xdataApplication.clear();
    m_header = DXF_FILE_HEADER();
    m_handleSeed = 0;
    m_pointMode = 0;
    m_pointSize = 0;
    m_section = SectionOther;

    m_fileName = CutCopy(fileName ? fileName : "", kMaxFileNameChars);
    m_file = std::make_unique<BufferedFile>(kBufferSize);
    if (m_fileName.empty() || !m_file->Open(m_fileName, WindowsFile::kRead)) {
        m_file.reset();
        return kDxfReadFailed;
    }
    m_fileSize = m_file->GetSize();
    m_buffer.resize(kBufferSize);
    m_bufferPos = m_bufferEnd = 0;

    char head[22] = {};
    const uint32_t got = m_file->Read(head, sizeof head);
    if (m_file->ReadFailed()) {
        FileError(kDxfFileError);
        m_file.reset();
        return kDxfReadFailed;
    }
    if (got >= 18 && std::memcmp(head, "AutoCAD Binary DXF", 18) == 0) {
        // Binary drawings are not read; callers check with IsBinaryFile first.
        m_file.reset();
        return kDxfReadFailed;
    }
    m_file->SeekTo(0);

    m_lineNumber = 0;
    const int result = ReadSections();
    if (result != 0)
        ReadError(kDxfReadFailed);
    m_file.reset();
    m_header.pointModeLow = m_pointMode & 0xFF;
    m_header.pointModeHigh = m_pointMode & 0xFF00;
    FileHeader(m_header);
    return result;
}

int DXF::ReadSections()
{
    if (!ReadGroup(true))
        return kDxfReadFailed; // empty, or not even one group
    bool sawSection = false;
    for (;;) {
        if (IsGroup(0, "EOF"))
            return sawSection ? 0 : kDxfReadFailed;
        if (!IsGroup(0, "SECTION"))
            return kDxfReadFailed;
        sawSection = true;
        if (!ReadGroup(true))
            return kDxfReadFailed;
        const std::string& name = m_value.text;
        int r = 0;
        if (name == "HEADER") {
            m_section = SectionHeader;
            r = ReadHeaderSection();
        } else if (name == "TABLES") {
            m_section = SectionTables;
            r = ReadTablesSection();
        } else if (name == "BLOCKS") {
            m_section = SectionBlocks;
            r = BlocksSection(true) != 0 ? kDxfReadFailed : 0;
            if (r == 0) {
                m_inBlocks = true;
                r = ReadEntitiesSection();
                m_inBlocks = false;
                m_skippingBlock = false;
                if (BlocksSection(false) != 0 && r == 0)
                    r = kDxfReadFailed;
            }
        } else if (name == "ENTITIES") {
            m_section = SectionEntities;
            r = ReadEntitiesSection();
        } else {
            m_section = SectionOther;
            do {
                if (!ReadGroup(true))
                    return kDxfReadFailed;
            } while (!IsEndSec());
        }
        if (r != 0)
            return kDxfReadFailed;
        // A missing EOF after the last ENDSEC is accepted, and so is an incomplete group there.
        if (AtEnd() || !ReadGroup(true))
            return 0;
    }
}

int DXF::ReadHeaderSection()
{
    bool extMinSeen = false;
    bool extMaxSeen = false;
    bool extentsSent = false;
    if (!ReadGroup(false))
        return kDxfReadFailed;
    while (!IsEndSec()) {
        if (m_itemCount++ == 0)
            ReportProgress();
        if (m_code == 999) {
            Comment(m_value.text);
            if (!ReadGroup(false))
                return kDxfReadFailed;
            continue;
        }
        const int kind = LookUpHeaderVariable(m_value.text);
        switch (kind) {
        case HeaderAcadVer:
        case HeaderCoords:
        case HeaderTdCreate:
        case HeaderTdInDwg:
        case HeaderHandling:
        case HeaderPdMode:
        case HeaderPdSize:
        case HeaderHandSeed:
            if (!ReadGroup(true))
                return kDxfReadFailed;
            if (m_code == 0)
                continue; // no value: the group is the next item
            switch (kind) {
            case HeaderAcadVer: m_header.acadVersion = CutCopy(m_value.text, kDxfNameChars); break;
            case HeaderCoords: m_header.coords = I(m_value) & 0xFF; break;
            case HeaderTdCreate: m_header.createdDate = CutCopy(m_value.text, kDxfNameChars); break;
            case HeaderTdInDwg: m_header.editingTime = CutCopy(m_value.text, kDxfNameChars); break;
            case HeaderHandling: m_header.handling = I(m_value); break;
            case HeaderPdMode: m_pointMode = I(m_value); break;
            case HeaderPdSize: m_pointSize = D(m_value); break;
            case HeaderHandSeed: m_handleSeed = m_skipHandles ? 0 : dxftext::ParseHex(m_value.text); break;
            }
            if (!ReadGroup(false))
                return kDxfReadFailed;
            break;
        case HeaderExtMax:
        case HeaderExtMin:
        case HeaderLimMax:
        case HeaderLimMin: {
            double xy[2] = {0, 0};
            bool complete = true;
            for (double& v : xy) {
                if (!ReadGroup(true))
                    return kDxfReadFailed;
                if (m_code == 0) {
                    complete = false;
                    break;
                }
                v = D(m_value);
            }
            if (!complete)
                continue;
            if (kind == HeaderExtMin) {
                m_header.extMinX = xy[0];
                m_header.extMinY = xy[1];
                extMinSeen = true;
            } else if (kind == HeaderExtMax) {
                m_header.extMaxX = xy[0];
                m_header.extMaxY = xy[1];
                extMaxSeen = true;
            } else if (kind == HeaderLimMin) {
                m_header.limMinX = xy[0];
                m_header.limMinY = xy[1];
            } else {
                m_header.limMaxX = xy[0];
                m_header.limMaxY = xy[1];
            }
            if (extMinSeen && extMaxSeen && !extentsSent) {
                extentsSent = true;
                if (SetExtents(m_header.extMinX, m_header.extMinY, m_header.extMaxX, m_header.extMaxY) != 0)
                    return kDxfReadFailed;
            }
            if (!ReadGroup(false))
                return kDxfReadFailed;
            if (m_code == 30 && !ReadGroup(false))
                return kDxfReadFailed;
            break;
        }
        default:
            if (OtherHeaderVariable())
                break;
            do {
                if (!ReadGroup(false))
                    return kDxfReadFailed;
            } while (m_code != 9 && m_code != 0 && m_code != 999);
            break;
        }
    }
    EndHeader();
    return 0;
}

int DXF::ReadTablesSection()
{
    if (!ReadGroup(true))
        return kDxfReadFailed;
    while (!IsEndSec()) {
        if (!IsGroup(0, "TABLE")) {
            // A stray group between tables is passed over.
            if (!ReadGroup(true))
                return kDxfReadFailed;
            continue;
        }
        if (!ReadGroup(true))
            return kDxfReadFailed;
        ReportProgress();
        const int type = LookUpTable(m_value.text);
        if (type == TableAppId || type == TableLtype || type == TableLayer || type == TableStyle) {
            if (ReadTableEntries(type) != 0)
                return kDxfReadFailed;
        } else {
            while (!IsGroup(0, "ENDTAB") && !IsEndSec()) {
                if (!ReadGroup(true))
                    return kDxfReadFailed;
            }
        }
        if (IsGroup(0, "ENDTAB") && !ReadGroup(true))
            return kDxfReadFailed;
    }
    return 0;
}

int DXF::ReadTableEntries(int type)
{
    const std::string entryName = TableName(type);
    // Table header groups (such as the 70 count) come before the first entry.
    do {
        if (!ReadGroup(true))
            return kDxfReadFailed;
    } while (m_code != 0);

    DXF_ADD_LAYER layer;
    DXF_ADD_STYLE style;
    int32_t layerColor = 0;
    int32_t layerFlags = 0;
    int32_t styleFlags = 0;
    int32_t styleGeneration = 0;

    while (!IsGroup(0, "ENDTAB") && !IsEndSec()) {
        const bool ours = m_value.text == entryName;
        if (!ReadGroup(true))
            return kDxfReadFailed;
        if (!ours) {
            // An entry of another kind inside this table is passed over.
            while (m_code != 0) {
                if (!ReadGroup(true))
                    return kDxfReadFailed;
            }
            continue;
        }
        DXF_ADD_LTYPE ltype;
        std::string appId;
        layer.name.clear();
        layer.linetype = "CONTINUOUS";
        style = DXF_ADD_STYLE();
        while (m_code != 0) {
            switch (type) {
            case TableLayer:
                switch (m_code) {
                case 2: layer.name = CutCopy(m_value.text, kDxfNameChars); break;
                case 6: layer.linetype = CutCopy(m_value.text, kDxfNameChars); break;
                case 62: layerColor = I(m_value); break;
                case 70: layerFlags = I(m_value); break;
                }
                break;
            case TableStyle:
                switch (m_code) {
                case 2: style.name = CutCopy(m_value.text, kDxfNameChars); break;
                case 3: style.fontFile = CutCopy(m_value.text, kDxfNameChars); break;
                case 40: style.fixedHeight = D(m_value); break;
                case 41: style.widthFactor = D(m_value); break;
                case 50: style.obliqueAngle = D(m_value) * kDegToRad; break;
                case 70: styleFlags = I(m_value); break;
                case 71: styleGeneration = I(m_value); break;
                }
                break;
            case TableLtype:
                switch (m_code) {
                case 2: ltype.name = CutCopy(m_value.text, kDxfNameChars); break;
                case 3: ltype.description = CutCopy(m_value.text, kDxfNameChars); break;
                case 40: ltype.totalLength = D(m_value); break;
                case 49:
                    if (ltype.dashCount < kDxfMaxDashes)
                        ltype.dashes[ltype.dashCount++] = D(m_value);
                    break;
                }
                break;
            case TableAppId:
                if (m_code == 2)
                    appId = CutCopy(m_value.text, kDxfAppIdChars);
                break;
            }
            if (!ReadGroup(true))
                return kDxfReadFailed;
        }
        int r = 0;
        switch (type) {
        case TableLayer:
            layer.on = layerColor >= 0;
            layer.color = layerColor < 0 ? -layerColor : layerColor;
            layer.frozen = (layerFlags & 1) != 0;
            layer.frozenInNewViewports = (layerFlags & 2) != 0;
            layer.locked = (layerFlags & 4) != 0;
            r = AddLayer(layer);
            break;
        case TableStyle:
            if (style.fixedHeight == 0.0)
                style.fixedHeight = 65535.0;
            style.vertical = (styleFlags & 4) != 0;
            style.shapeFile = (styleFlags & 1) != 0;
            style.backward = (styleGeneration & 2) != 0;
            style.upsideDown = (styleGeneration & 4) != 0;
            r = AddStyle(style);
            break;
        case TableLtype: r = AddLinetype(ltype); break;
        case TableAppId: r = AddAppId(appId); break;
        }
        if (r != 0)
            return kDxfReadFailed;
    }
    return 0;
}

int DXF::ReadEntitiesSection()
{
    if (!ReadGroup(true))
        return kDxfReadFailed;
    while (!IsEndSec()) {
        if (m_itemCount % 20 == 0) {
            ReportProgress();
            if (!m_inBlocks && !ContinueReading())
                return kDxfReadFailed;
        }
        ++m_itemCount;
        int id = m_code == 0 ? LookUpEntity(m_value.text) : EntityUnknown;
        // Inside a paper-space block everything up to its ENDBLK is dropped.
        if (m_skippingBlock && id != EntityEndBlock && id != EntityBlock)
            id = EntityUnknown;
        const int r = id == EntityUnknown ? SkipToNextEntity() : ReadEntity(id);
        if (r != 0)
            return kDxfReadFailed;
    }
    return 0;
}

int DXF::SkipToNextEntity()
{
    do {
        if (!ReadGroup(true))
            return kDxfReadFailed;
    } while (m_code != 0);
    return 0;
}

int DXF::ReadEntity(int id)
{
    switch (id) {
    case EntityLine: return ReadLine();
    case EntitySolid: return ReadSolid(false);
    case Entity3DFace: return ReadSolid(true);
    case EntityCircle: return ReadCircle();
    case EntityArc: return ReadArc();
    case EntityPoint: return ReadPoint();
    case EntityText: return ReadText();
    case EntityMText: return ReadMText();
    case EntityBlock: return ReadBlock();
    case EntityEndBlock: return ReadEndBlock();
    case EntityInsert: return ReadInsert();
    case EntityAttdef: return ReadAttdef();
    case EntityAttrib: return ReadAttrib();
    case EntityPolyline: return ReadPolyline();
    case EntityVertex: return ReadVertex();
    case EntitySeqEnd: return ReadSeqEnd();
    case EntityLwPolyline: return ReadLwPolyline();
    case EntityLeader: return ReadLeader();
    case EntitySpline: return ReadSpline();
    default: return SkipToNextEntity();
    }
}

// ---- Entities ---------------------------------------------------------------------------------
// Each reader starts on the keyword group and reads up to the next group 0. Codes an entity does
// not list are ignored.

#define DXF_NEXT_GROUP()                                                                            \
    do {                                                                                            \
        if (!ReadGroup(true))                                                                       \
            return kDxfReadFailed;                                                                  \
    } while (0)

#define DXF_XDATA()                                                                                 \
    do {                                                                                            \
        if (m_code >= 1000 && XDataGroup() != 0)                                                    \
            return kDxfReadFailed;                                                                  \
    } while (0)

// Ends the entity: pending extended data, then the callback unless the entity lies in paper space.
#define DXF_FINISH(paper, call)                                                                     \
    do {                                                                                            \
        if (EndEntityXData() != 0)                                                                  \
            return kDxfReadFailed;                                                                  \
        if (paper)                                                                                  \
            return 0;                                                                               \
        return (call) != 0 ? kDxfReadFailed : 0;                                                    \
    } while (0)

// The groups every drawing entity shares. Says whether it took the current group; a record
// without a linetype leaves group 6 unread.
template <typename Record>
bool DXF::TakeCommonGroup(Record& rec, bool& paper)
{
    switch (m_code) {
    case 5: rec.handle = HandleValue(); return true;
    case 8: rec.layer = CutCopy(m_value.text, kDxfNameChars); return true;
    case 62: rec.color = m_value.i; return true;
    case 67: paper = true; return true;
    case 6:
        if constexpr (requires { rec.linetype; }) {
            rec.linetype = CutCopy(m_value.text, kDxfNameChars);
            return true;
        }
        return false;
    default: return false;
    }
}

namespace {
// Starts a vertex at its X group unless the announced count (negative when none was given) is
// already reached; later groups of a refused vertex are then ignored.
template <typename Vertex>
Vertex* StartAnnouncedVertex(std::vector<Vertex>& vertices, int64_t announced, double x)
{
    if (announced >= 0 && static_cast<int64_t>(vertices.size()) >= announced)
        return nullptr;
    Vertex& v = vertices.emplace_back();
    v.x = x;
    return &v;
}
} // namespace

int DXF::ReadLine()
{
    DXF_ADD_LINE rec;
    bool paper = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 10: rec.x1 = ShiftX(m_value.d); break;
        case 20: rec.y1 = ShiftY(m_value.d); break;
        case 30: rec.z1 = ShiftZ(m_value.d); break;
        case 11: rec.x2 = ShiftX(m_value.d); break;
        case 21: rec.y2 = ShiftY(m_value.d); break;
        case 31: rec.z2 = ShiftZ(m_value.d); break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    DXF_FINISH(paper, AddLine(rec));
}

int DXF::ReadSolid(bool face)
{
    DXF_ADD_SOLID rec;
    bool paper = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 10: case 11: case 12: case 13: rec.x[m_code - 10] = ShiftX(m_value.d); break;
        case 20: case 21: case 22: case 23: rec.y[m_code - 20] = ShiftY(m_value.d); break;
        case 30: case 31: case 32: case 33: rec.z[m_code - 30] = ShiftZ(m_value.d); break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    DXF_FINISH(paper, face ? Add3DFace(rec) : AddSolid(rec));
}

int DXF::ReadCircle()
{
    DXF_ADD_CIRCLE rec;
    bool paper = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        case 40: rec.radius = m_value.d; break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    DXF_FINISH(paper, AddCircle(rec));
}

int DXF::ReadArc()
{
    DXF_ADD_ARC rec;
    bool paper = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        case 40: rec.radius = m_value.d; break;
        case 50: rec.startAngle = m_value.d * kDegToRad; break;
        case 51: rec.endAngle = m_value.d * kDegToRad; break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    DXF_FINISH(paper, AddArc(rec));
}

int DXF::ReadPoint()
{
    DXF_ADD_POINT rec;
    bool paper = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    DXF_FINISH(paper, AddPoint(rec));
}

namespace {
bool IsBlankText(const std::string& text) { return text.empty() || text == " "; }
} // namespace

int DXF::ReadText()
{
    DXF_ADD_TEXT rec;
    bool paper = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 1: rec.text = CutCopy(m_value.text, kDxfTextChars); break;
        case 7: rec.style = CutCopy(m_value.text, kDxfNameChars); break;
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        // The alignment point is a point of the block like the insertion point.
        case 11: rec.alignX = ShiftX(m_value.d); break;
        case 21: rec.alignY = ShiftY(m_value.d); break;
        case 31: rec.alignZ = ShiftZ(m_value.d); break;
        case 40: rec.height = m_value.d; break;
        case 41: rec.widthFactor = m_value.d; break;
        case 50: rec.rotation = m_value.d * kDegToRad; break;
        case 51: rec.obliqueAngle = m_value.d * kDegToRad; break;
        case 71:
            rec.backward = (m_value.i & 2) != 0;
            rec.upsideDown = (m_value.i & 4) != 0;
            break;
        case 72: rec.horizontalJustification = m_value.i; break;
        case 73: rec.verticalJustification = m_value.i; break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    DXF_FINISH(paper || IsBlankText(rec.text), AddText(rec));
}

int DXF::ReadMText()
{
    DXF_ADD_MTEXT rec;
    bool paper = false;
    double dirX = 0, dirY = 0;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 1: rec.text = CutCopy(m_value.text, kDxfTextChars); break;
        case 7: rec.style = CutCopy(m_value.text, kDxfNameChars); break;
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        case 11: dirX = m_value.d; break;
        case 21: dirY = m_value.d; break;
        case 40: rec.height = m_value.d; break;
        case 41: rec.referenceWidth = m_value.d; break;
        case 50: rec.rotation = m_value.d * kDegToRad; break;
        case 71: rec.attachmentPoint = m_value.i; break;
        case 72: rec.drawingDirection = m_value.i; break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    // The X-axis direction, when given, says the rotation.
    if (dirX != 0.0 || dirY != 0.0)
        rec.rotation = std::atan2(dirY, dirX);
    DXF_FINISH(paper || IsBlankText(rec.text), AddMText(rec));
}

int DXF::ReadBlock()
{
    if (!m_inBlocks)
        return kDxfReadFailed;
    DXF_ADD_BLOCK rec;
    bool paper = false;
    int32_t flags = 0;
    m_baseX = m_baseY = m_baseZ = 0;
    m_skippingBlock = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 2: rec.name = CutCopy(m_value.text, kDxfNameChars); break;
        case 10: m_baseX = m_value.d; break;
        case 20: m_baseY = m_value.d; break;
        case 30: m_baseZ = m_value.d; break;
        case 67: paper = true; break;
        case 70: flags = m_value.i; break;
        }
        DXF_NEXT_GROUP();
    }
    if (paper) {
        // A paper-space block is dropped with everything up to its ENDBLK.
        m_skippingBlock = true;
        return 0;
    }
    rec.anonymous = (flags & 1) != 0;
    rec.hasAttributes = (flags & 2) != 0;
    return BeginBlock(rec) != 0 ? kDxfReadFailed : 0;
}

int DXF::ReadEndBlock()
{
    if (!m_inBlocks)
        return kDxfReadFailed;
    const bool skipped = m_skippingBlock;
    m_skippingBlock = false;
    if (!skipped && EndBlock() != 0)
        return kDxfReadFailed;
    DXF_NEXT_GROUP();
    while (m_code != 0)
        DXF_NEXT_GROUP();
    m_baseX = m_baseY = m_baseZ = 0;
    return 0;
}

int DXF::ReadInsert()
{
    DXF_ADD_INSERT rec;
    bool paper = false;
    bool zeroScale = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 2: rec.blockName = CutCopy(m_value.text, kDxfNameChars); break;
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        case 41: rec.scaleX = m_value.d; zeroScale |= m_value.d == 0.0; break;
        case 42: rec.scaleY = m_value.d; zeroScale |= m_value.d == 0.0; break;
        case 43: rec.scaleZ = m_value.d; zeroScale |= m_value.d == 0.0; break;
        case 44: rec.columnSpacing = m_value.d; break;
        case 45: rec.rowSpacing = m_value.d; break;
        case 50: rec.rotation = m_value.d * kDegToRad; break;
        case 66:
            rec.attributesFollow = m_value.i != 0;
            if (rec.attributesFollow)
                m_sequence = SequenceAttributes;
            break;
        case 70: rec.columnCount = m_value.i; break;
        case 71: rec.rowCount = m_value.i; break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    if (EndEntityXData() != 0)
        return kDxfReadFailed;
    if (paper || zeroScale) {
        // The attributes that follow a dropped insert must not reach the insert before it.
        return EndInsertAttributes() != 0 ? kDxfReadFailed : 0;
    }
    return AddInsert(rec) != 0 ? kDxfReadFailed : 0;
}

int DXF::ReadAttdef()
{
    DXF_ADD_ATTDEF rec;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 8: rec.layer = CutCopy(m_value.text, kDxfNameChars); break;
        case 1: rec.defaultValue = CutCopy(m_value.text, kDxfTextChars); break;
        case 2: rec.tag = CutCopy(m_value.text, kDxfNameChars); break;
        case 3: rec.prompt = CutCopy(m_value.text, kDxfTextChars); break;
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        case 11: rec.alignX = ShiftX(m_value.d); break;
        case 21: rec.alignY = ShiftY(m_value.d); break;
        case 31: rec.alignZ = ShiftZ(m_value.d); break;
        case 40: rec.height = m_value.d; break;
        case 41: rec.widthFactor = m_value.d; break;
        case 50: rec.rotation = m_value.d * kDegToRad; break;
        case 51: rec.obliqueAngle = m_value.d * kDegToRad; break;
        case 62: rec.color = m_value.i; break;
        case 70: rec.flags = m_value.i; break;
        case 71:
            rec.backward = (m_value.i & 2) != 0;
            rec.upsideDown = (m_value.i & 4) != 0;
            break;
        case 72: rec.horizontalJustification = m_value.i; break;
        case 73: rec.fieldLength = m_value.i; break;
        case 74: rec.verticalJustification = m_value.i; break;
        }
        DXF_NEXT_GROUP();
    }
    return AddAttdef(rec) != 0 ? kDxfReadFailed : 0;
}

int DXF::ReadAttrib()
{
    DXF_ADD_ATTRIB rec;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 8: rec.layer = CutCopy(m_value.text, kDxfNameChars); break;
        case 1: rec.value = CutCopy(m_value.text, kDxfTextChars); break;
        case 2: rec.tag = CutCopy(m_value.text, kDxfNameChars); break;
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        case 11: rec.alignX = ShiftX(m_value.d); break;
        case 21: rec.alignY = ShiftY(m_value.d); break;
        case 31: rec.alignZ = ShiftZ(m_value.d); break;
        case 40: rec.height = m_value.d; break;
        case 50: rec.rotation = m_value.d * kDegToRad; break;
        case 51: rec.obliqueAngle = m_value.d * kDegToRad; break;
        case 62: rec.color = m_value.i; break;
        case 71:
            rec.flags = m_value.i;
            rec.backward = (m_value.i & 2) != 0;
            rec.upsideDown = (m_value.i & 4) != 0;
            break;
        case 72: rec.horizontalJustification = m_value.i; break;
        case 74: rec.verticalJustification = m_value.i; break;
        }
        DXF_NEXT_GROUP();
    }
    return AddAttrib(rec) != 0 ? kDxfReadFailed : 0;
}

int DXF::ReadPolyline()
{
    DXF_ADD_POLYLINE rec;
    bool paper = false;
    m_sequence = SequencePolyline;
    m_polylineStartWidth = m_polylineEndWidth = 0;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 30: rec.elevation = m_value.d; break;
        case 40: rec.startWidth = m_polylineStartWidth = m_value.d; break;
        case 41: rec.endWidth = m_polylineEndWidth = m_value.d; break;
        case 70: rec.flags = m_value.i; break;
        case 71: rec.meshM = m_value.i; break;
        case 72: rec.meshN = m_value.i; break;
        case 73: rec.smoothM = m_value.i; break;
        case 74: rec.smoothN = m_value.i; break;
        case 75: rec.curveType = m_value.i; break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    DXF_FINISH(paper, BeginPolyline(rec));
}

int DXF::ReadVertex()
{
    DXF_ADD_VERTEX rec;
    rec.startWidth = m_polylineStartWidth;
    rec.endWidth = m_polylineEndWidth;
    bool paper = false;
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 10: rec.x = ShiftX(m_value.d); break;
        case 20: rec.y = ShiftY(m_value.d); break;
        case 30: rec.z = ShiftZ(m_value.d); break;
        case 40: rec.startWidth = m_value.d; break;
        case 41: rec.endWidth = m_value.d; break;
        case 42: rec.bulge = m_value.d; break;
        case 50: rec.tangent = m_value.d; break;
        case 70: rec.flags = m_value.i; break;
        default: TakeCommonGroup(rec, paper); break;
        }
        DXF_NEXT_GROUP();
    }
    if (paper)
        return 0;
    return AddVertex(rec) != 0 ? kDxfReadFailed : 0;
}

int DXF::ReadSeqEnd()
{
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        DXF_XDATA();
        DXF_NEXT_GROUP();
    }
    if (EndEntityXData() != 0)
        return kDxfReadFailed;
    const SequenceKind sequence = m_sequence;
    m_sequence = SequenceNone;
    int r = 0;
    if (sequence == SequencePolyline)
        r = EndPolyline();
    else if (sequence == SequenceAttributes)
        r = EndInsertAttributes();
    return r != 0 ? kDxfReadFailed : 0;
}

int DXF::ReadLwPolyline()
{
    DXF_ADD_LWPOLYLINE rec;
    bool paper = false;
    // Group 90 announces the count; only vertices actually read are kept, at most that many.
    int64_t announced = -1;
    bool current = false;
    m_lwVertices.clear();
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 90: announced = std::max<int32_t>(m_value.i, 0); break;
        case 10: {
            auto* v = StartAnnouncedVertex(m_lwVertices, announced, ShiftX(m_value.d));
            current = v != nullptr;
            if (current && rec.constantWidthGiven)
                v->startWidth = v->endWidth = rec.constantWidth;
            break;
        }
        case 20: if (current) m_lwVertices.back().y = ShiftY(m_value.d); break;
        case 40: if (current) m_lwVertices.back().startWidth = m_value.d; break;
        case 41: if (current) m_lwVertices.back().endWidth = m_value.d; break;
        case 42: if (current) m_lwVertices.back().bulge = m_value.d; break;
        case 38: rec.elevation = m_value.d; break;
        case 39: rec.thickness = m_value.d; break;
        case 43:
            rec.constantWidth = m_value.d;
            rec.constantWidthGiven = true;
            for (auto& v : m_lwVertices)
                v.startWidth = v.endWidth = rec.constantWidth;
            break;
        case 70: rec.flags = m_value.i; break;
        case 210: rec.extrusionX = D(m_value); break;
        case 220: rec.extrusionY = D(m_value); break;
        case 230: rec.extrusionZ = D(m_value); break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    rec.vertices = m_lwVertices.data();
    rec.vertexCount = static_cast<int32_t>(m_lwVertices.size());
    DXF_FINISH(paper, AddLwPolyline(rec));
}

int DXF::ReadLeader()
{
    DXF_ADD_LEADER rec;
    bool paper = false;
    int64_t announced = -1;
    bool current = false;
    m_leaderVertices.clear();
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 76: announced = std::max<int32_t>(m_value.i, 0); break;
        case 10:
            current =
                StartAnnouncedVertex(m_leaderVertices, announced, ShiftX(m_value.d)) != nullptr;
            break;
        case 20: if (current) m_leaderVertices.back().y = ShiftY(m_value.d); break;
        case 30: if (current) m_leaderVertices.back().z = ShiftZ(m_value.d); break;
        case 71: rec.arrowhead = m_value.i; break;
        case 72: rec.pathType = m_value.i; break;
        case 73: rec.annotationType = m_value.i; break;
        case 74: rec.hookDirection = m_value.i; break;
        case 75: rec.hookLine = m_value.i; break;
        case 210: rec.normalX = D(m_value); break;
        case 220: rec.normalY = D(m_value); break;
        case 230: rec.normalZ = D(m_value); break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    rec.vertices = m_leaderVertices.data();
    rec.vertexCount = static_cast<int32_t>(m_leaderVertices.size());
    DXF_FINISH(paper, AddLeader(rec));
}

int DXF::ReadSpline()
{
    DXF_ADD_SPLINE rec;
    bool paper = false;
    int64_t announced = -1;
    bool current = false;
    m_lwVertices.clear();
    DXF_NEXT_GROUP();
    while (m_code != 0) {
        switch (m_code) {
        case 73: announced = std::max<int32_t>(m_value.i, 0); break;
        case 10:
            current = StartAnnouncedVertex(m_lwVertices, announced, ShiftX(m_value.d)) != nullptr;
            break;
        case 20: if (current) m_lwVertices.back().y = ShiftY(m_value.d); break;
        case 70: rec.flags = m_value.i; break;
        default:
            if (!TakeCommonGroup(rec, paper))
                DXF_XDATA();
            break;
        }
        DXF_NEXT_GROUP();
    }
    rec.controlPoints = m_lwVertices.data();
    rec.controlPointCount = static_cast<int32_t>(m_lwVertices.size());
    DXF_FINISH(paper, AddSpline(rec));
}
