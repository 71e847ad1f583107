#include "exchange/dxf/DxfSave.h"

#include "core/BufferedFile.h"
#include "core/MultibyteSearch.h"
#include "exchange/dxf/DxfText.h"

#include <charconv>
#include <cmath>

namespace {

constexpr uint32_t kBufferSize = 30000;
// The writer's own degree factor, kept so that written angles stay as they always were.
constexpr double kRadToDeg = 180.0 / 3.1415926535;

// The one linetype every drawing carries, written as its fixed text (note the lone LF after
// the 2).
constexpr std::string_view kContinuousLinetype =
    "0\r\nLTYPE\r\n2\nCONTINUOUS\r\n70\r\n64\r\n3\r\nSolid line\r\n72\r\n65\r\n73\r\n0\r\n40\r\n0.0";

bool HasBar(const std::string& name) { return FindCharDbcs(name.c_str(), '|') != nullptr; }

} // namespace

DXFSave::DXFSave(const std::string& fileName, bool nulTerminated, bool handles)
    : m_file(std::make_unique<BufferedFile>(kBufferSize)), m_nulTerminated(nulTerminated), m_handles(handles)
{
    m_open = !fileName.empty() && m_file->Open(fileName, WindowsFile::kWrite | WindowsFile::kCreate);
}

DXFSave::~DXFSave() = default;

void DXFSave::WriteRaw(std::string_view bytes)
{
    if (m_open && !bytes.empty())
        m_file->Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void DXFSave::WriteTerminator()
{
    WriteRaw(m_nulTerminated ? std::string_view("\0", 1) : std::string_view("\r\n"));
}

void DXFSave::WritePair(int code, std::string_view value)
{
    // One write per pair: "%4d", CR LF, the value, the terminator.
    char head[16];
    const auto r = std::to_chars(head, head + sizeof head, code);
    const auto digits = static_cast<size_t>(r.ptr - head);
    m_pair.assign(digits < 4 ? 4 - digits : 0, ' ');
    m_pair.append(head, digits);
    m_pair.append("\r\n");
    m_pair.append(value);
    if (m_nulTerminated)
        m_pair.push_back('\0');
    else
        m_pair.append("\r\n");
    WriteRaw(m_pair);
}

void DXFSave::WriteString(int code, std::string_view text)
{
    bool plain = code != 6;
    for (char c : text)
        plain = plain && static_cast<unsigned char>(c) < 0x80;
    if (plain) {
        WritePair(code, text);
        return;
    }
    std::string encoded = dxftext::EncodeWindows1252(text);
    if (code == 6)
        encoded = dxftext::ToUpper(encoded);
    WritePair(code, encoded);
}

void DXFSave::WriteDouble(int code, double value)
{
    // Truncated in double, so values beyond the 32-bit range keep their whole part; adding 0.0
    // turns a truncated -0 into 0.
    const double whole = std::trunc(value) + 0.0;
    char buf[400];
    std::to_chars_result r;
    if (std::fabs(value - whole) < 0.00001) {
        r = std::to_chars(buf, buf + sizeof buf - 2, whole, std::chars_format::fixed, 0);
        *r.ptr++ = '.';
        *r.ptr++ = '0';
    } else {
        r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    }
    WritePair(code, std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

void DXFSave::WriteULong(int code, int64_t value)
{
    WritePair(code, dxftext::FormatInt(value));
}

void DXFSave::WriteHex(int code, uint32_t value)
{
    WritePair(code, dxftext::FormatHex(value));
}

void DXFSave::WriteHandle(uint32_t handle)
{
    WritePair(5, dxftext::FormatHex(handle));
}

void DXFSave::WriteColor(int32_t color)
{
    if (color != 65535)
        WriteULong(62, color);
}

void DXFSave::WriteHandleIfSet(uint32_t handle)
{
    if (m_handles)
        WriteHandle(handle);
}

int DXFSave::WriteSections()
{
    if (!m_open || m_file->OpenFailed())
        return 1;
    struct Section
    {
        const char* name;
        int (DXFSave::*write)();
    };
    const Section sections[] = {
        {"HEADER", &DXFSave::WriteHeader},
        {"TABLES", &DXFSave::WriteTables},
        {"BLOCKS", &DXFSave::WriteBlocks},
        {"ENTITIES", &DXFSave::WriteEntities},
    };
    for (const Section& s : sections) {
        WriteString(0, "SECTION");
        WriteString(2, s.name);
        const int r = (this->*s.write)();
        WriteString(0, "ENDSEC");
        if (r != 0) {
            m_file->Close();
            m_open = false;
            return r;
        }
    }
    WriteString(0, "EOF");
    // Only a clean close says the bytes reached the disk.
    const bool closed = m_file->Close();
    m_open = false;
    return closed ? 0 : 1;
}

int DXFSave::WriteTables()
{
    WriteString(0, "TABLE");
    WriteString(2, "LTYPE");
    WriteULong(70, GetLinetypeCount() + 1);
    WriteRaw(kContinuousLinetype);
    WriteTerminator();
    int r = WriteLinetypes();
    WriteString(0, "ENDTAB");
    if (r != 0)
        return r;

    WriteString(0, "TABLE");
    WriteString(2, "LAYER");
    WriteULong(70, GetLayerCount());
    r = WriteLayers();
    WriteString(0, "ENDTAB");
    if (r != 0)
        return r;

    // The application table is written twice, as drawings of this program always had it.
    for (int i = 0; i < 2 && r == 0; ++i) {
        WriteString(0, "TABLE");
        WriteString(2, "APPID");
        WriteULong(70, GetAppIdCount());
        r = WriteAppIds();
        WriteString(0, "ENDTAB");
    }
    return r;
}

void DXFSave::WriteLayer(const DXF_ADD_LAYER& layer)
{
    WriteString(0, "LAYER");
    WriteString(2, layer.name);
    WriteULong(62, layer.on ? layer.color : -layer.color);
    WriteString(6, layer.linetype.empty() ? std::string("CONTINUOUS") : layer.linetype);
    int flags = (layer.frozen ? 1 : 0) | (layer.frozenInNewViewports ? 2 : 0) | (layer.locked ? 4 : 0);
    if (HasBar(layer.name))
        flags += 16;
    WriteULong(70, flags);
}

void DXFSave::WriteLtype(const DXF_ADD_LTYPE& ltype)
{
    WriteString(0, "LTYPE");
    WriteString(2, dxftext::ToUpper(ltype.name));
    WriteULong(70, HasBar(ltype.name) ? 16 : 0);
    WriteString(3, ltype.description);
    WriteULong(72, 65);
    const int count = ltype.dashCount < 0 ? 0 : (ltype.dashCount > kDxfMaxDashes ? kDxfMaxDashes : ltype.dashCount);
    WriteULong(73, count);
    WriteDouble(40, ltype.totalLength);
    for (int i = 0; i < count; ++i)
        WriteDouble(49, ltype.dashes[i]);
}

void DXFSave::WriteLine(const DXF_ADD_LINE& line)
{
    WriteString(0, "LINE");
    WriteString(8, line.layer);
    if (!line.linetype.empty())
        WriteString(6, line.linetype);
    WriteColor(line.color);
    WriteHandleIfSet(line.handle);
    WriteDouble(10, line.x1);
    WriteDouble(20, line.y1);
    WriteDouble(30, line.z1);
    WriteDouble(11, line.x2);
    WriteDouble(21, line.y2);
    WriteDouble(31, line.z2);
}

void DXFSave::WritePoint(const DXF_ADD_POINT& point)
{
    WriteString(0, "POINT");
    WriteString(8, point.layer);
    WriteColor(point.color);
    WriteHandleIfSet(point.handle);
    WriteDouble(10, point.x);
    WriteDouble(20, point.y);
    WriteDouble(30, point.z);
}

void DXFSave::WriteCircle(const DXF_ADD_CIRCLE& circle)
{
    WriteString(0, "CIRCLE");
    WriteString(8, circle.layer);
    WriteColor(circle.color);
    if (!circle.linetype.empty())
        WriteString(6, circle.linetype);
    WriteHandleIfSet(circle.handle);
    WriteDouble(40, circle.radius);
    WriteDouble(10, circle.x);
    WriteDouble(20, circle.y);
    WriteDouble(30, circle.z);
}

void DXFSave::WriteArc(const DXF_ADD_ARC& arc)
{
    WriteString(0, "ARC");
    WriteString(8, arc.layer);
    WriteColor(arc.color);
    if (!arc.linetype.empty())
        WriteString(6, arc.linetype);
    WriteHandleIfSet(arc.handle);
    WriteDouble(40, arc.radius);
    WriteDouble(50, arc.startAngle * kRadToDeg);
    WriteDouble(51, arc.endAngle * kRadToDeg);
    WriteDouble(10, arc.x);
    WriteDouble(20, arc.y);
    WriteDouble(30, arc.z);
}

void DXFSave::WriteSolidOrFace(const char* keyword, const DXF_ADD_SOLID& solid)
{
    WriteString(0, keyword);
    WriteString(8, solid.layer);
    WriteColor(solid.color);
    if (!solid.linetype.empty())
        WriteString(6, solid.linetype);
    WriteHandleIfSet(solid.handle);
    for (int i = 0; i < 4; ++i) {
        WriteDouble(10 + i, solid.x[i]);
        WriteDouble(20 + i, solid.y[i]);
        WriteDouble(30 + i, solid.z[i]);
    }
}

void DXFSave::WriteSolid(const DXF_ADD_SOLID& solid)
{
    WriteSolidOrFace("SOLID", solid);
}

void DXFSave::Write3DFace(const DXF_ADD_SOLID& face)
{
    WriteSolidOrFace("3DFACE", face);
}

void DXFSave::WritePolyline(const DXF_ADD_POLYLINE& polyline, bool widthsOff)
{
    m_vertexWidths = !widthsOff;
    m_polylineStartWidth = polyline.startWidth;
    m_polylineEndWidth = polyline.endWidth;
    m_polylineLayer = dxftext::CutCopy(polyline.layer, kDxfNameChars);
    WriteString(0, "POLYLINE");
    WriteString(8, polyline.layer);
    if (!polyline.linetype.empty())
        WriteString(6, polyline.linetype);
    WriteColor(polyline.color);
    WriteHandleIfSet(polyline.handle);
    WriteULong(70, polyline.flags);
    WriteDouble(10, 0.0);
    WriteDouble(20, 0.0);
    WriteDouble(30, polyline.elevation);
    if (polyline.startWidth != 0.0)
        WriteDouble(40, polyline.startWidth);
    if (polyline.endWidth != 0.0)
        WriteDouble(41, polyline.endWidth);
    WriteString(66, "1");
}

void DXFSave::WriteVertex(const DXF_ADD_VERTEX& vertex)
{
    WriteString(0, "VERTEX");
    WriteString(8, m_polylineLayer);
    if (m_vertexWidths) {
        if (vertex.startWidth != m_polylineStartWidth)
            WriteDouble(40, vertex.startWidth);
        if (vertex.endWidth != m_polylineEndWidth)
            WriteDouble(41, vertex.endWidth);
    }
    WriteHandleIfSet(vertex.handle);
    if (vertex.bulge != kNoBulge)
        WriteDouble(42, vertex.bulge);
    if (vertex.flags != 0)
        WriteULong(70, vertex.flags);
    if (vertex.tangent != 0.0)
        WriteDouble(50, vertex.tangent);
    WriteDouble(10, vertex.x);
    WriteDouble(20, vertex.y);
    WriteDouble(30, vertex.z);
}

void DXFSave::WriteSeqEnd(uint32_t handle)
{
    WriteString(0, "SEQEND");
    WriteString(8, m_polylineLayer);
    WriteHandleIfSet(handle);
}

void DXFSave::WriteText(const DXF_ADD_TEXT& text)
{
    WriteString(0, "TEXT");
    WriteString(8, text.layer);
    WriteColor(text.color);
    WriteHandleIfSet(text.handle);
    WriteDouble(10, text.x);
    WriteDouble(20, text.y);
    WriteDouble(30, text.z);
    WriteDouble(40, text.height);
    WriteString(1, text.text);
    if (text.rotation != 0.0)
        WriteDouble(50, text.rotation * kRadToDeg);
    if (text.widthFactor != 1.0)
        WriteDouble(41, text.widthFactor);
    if (text.obliqueAngle != 0.0)
        WriteDouble(51, text.obliqueAngle * kRadToDeg);
    if (!dxftext::EqualsNoCase(text.style, "STANDARD"))
        WriteString(7, text.style);
    WriteULong(71, (text.backward ? 2 : 0) | (text.upsideDown ? 4 : 0));
    if (text.horizontalJustification != 0 || text.verticalJustification != 0) {
        WriteULong(72, text.horizontalJustification);
        WriteULong(73, text.verticalJustification);
        WriteDouble(11, text.alignX);
        WriteDouble(21, text.alignY);
        WriteDouble(31, text.alignZ);
    }
}

void DXFSave::WriteInsert(const DXF_ADD_INSERT& insert)
{
    WriteString(0, "INSERT");
    WriteString(8, insert.layer);
    WriteColor(insert.color);
    if (!insert.linetype.empty())
        WriteString(6, insert.linetype);
    if (insert.attributesFollow)
        WriteULong(66, 1);
    WriteHandleIfSet(insert.handle);
    WriteString(2, insert.blockName);
    WriteDouble(10, insert.x);
    WriteDouble(20, insert.y);
    WriteDouble(30, insert.z);
    if (insert.scaleX != 1.0)
        WriteDouble(41, insert.scaleX);
    if (insert.scaleY != 1.0)
        WriteDouble(42, insert.scaleY);
    if (insert.scaleZ != 1.0)
        WriteDouble(43, insert.scaleZ);
    if (insert.rotation != 0.0)
        WriteDouble(50, insert.rotation * kRadToDeg);
    if (insert.columnCount != 1)
        WriteULong(70, insert.columnCount);
    if (insert.rowCount != 1)
        WriteULong(71, insert.rowCount);
    if (insert.columnSpacing != 0.0)
        WriteDouble(44, insert.columnSpacing);
    if (insert.rowSpacing != 0.0)
        WriteDouble(45, insert.rowSpacing);
}

void DXFSave::WriteBlock(const DXF_ADD_BLOCK& block, uint32_t handle)
{
    WriteString(0, "BLOCK");
    WriteString(8, "0");
    WriteHandleIfSet(handle);
    WriteString(2, block.name);
    WriteULong(70, (block.name.starts_with('*') ? 65 : 64) + (block.hasAttributes ? 2 : 0));
    WriteDouble(10, 0.0);
    WriteDouble(20, 0.0);
    WriteDouble(30, 0.0);
}

void DXFSave::WriteEndBlock(uint32_t handle)
{
    WriteString(0, "ENDBLK");
    WriteString(8, "0");
    WriteHandleIfSet(handle);
}

// ATTDEF and ATTRIB end with the same flags, justification and text-style groups.
template <typename Attribute>
void DXFSave::WriteAttributeTail(const Attribute& a)
{
    WriteULong(70, a.flags);
    if (a.horizontalJustification != 0)
        WriteULong(72, a.horizontalJustification);
    if (a.verticalJustification != 0)
        WriteULong(74, a.verticalJustification);
    if (a.horizontalJustification != 0 || a.verticalJustification != 0) {
        WriteDouble(11, a.alignX);
        WriteDouble(21, a.alignY);
        WriteDouble(31, a.alignZ);
    }
    if (a.rotation != 0.0)
        WriteDouble(50, a.rotation * kRadToDeg);
    if (a.obliqueAngle != 0.0)
        WriteDouble(51, a.obliqueAngle * kRadToDeg);
    if (a.widthFactor != 1.0)
        WriteDouble(41, a.widthFactor);
    WriteULong(71, (a.backward ? 2 : 0) | (a.upsideDown ? 4 : 0));
}

void DXFSave::WriteAttdef(const DXF_ADD_ATTDEF& a)
{
    WriteString(0, "ATTDEF");
    WriteString(8, a.layer);
    WriteColor(a.color);
    WriteHandleIfSet(0);
    WriteDouble(10, a.x);
    WriteDouble(20, a.y);
    WriteDouble(30, a.z);
    WriteDouble(40, a.height);
    WriteString(1, a.defaultValue);
    WriteString(3, a.prompt);
    WriteString(2, a.tag);
    WriteAttributeTail(a);
}

void DXFSave::WriteAttrib(const DXF_ADD_ATTRIB& a)
{
    WriteString(0, "ATTRIB");
    WriteString(8, a.layer);
    WriteColor(a.color);
    WriteHandleIfSet(a.handle);
    WriteDouble(10, a.x);
    WriteDouble(20, a.y);
    WriteDouble(30, a.z);
    WriteDouble(40, a.height);
    WriteString(1, a.value);
    WriteString(2, a.tag);
    WriteAttributeTail(a);
}

void DXFSave::WriteAttribSeqEnd(uint32_t handle)
{
    WriteString(0, "SEQEND");
    WriteString(8, "0");
    WriteULong(62, 1);
    WriteHandleIfSet(handle);
}
