#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The records the DXF reader hands to its callbacks and the writer takes, one per table entry or
// entity kind. Texts are UTF-8; names hold at most kDxfNameChars characters and the texts of
// TEXT, MTEXT and attribute values kDxfTextChars.

inline constexpr size_t kDxfNameChars = 49;
inline constexpr size_t kDxfTextChars = 256;
inline constexpr size_t kDxfAppIdChars = 31;
inline constexpr int kDxfMaxDashes = 12;

// Colour index meaning "by layer", the colour of an entity that names none.
inline constexpr int32_t kDxfColorByLayer = 256;
// Handle of an entity that has no group 5.
inline constexpr uint32_t kDxfNoHandle = 0xFFFFFFFFu;

// Result codes of the reader, the writer and the filters built on them.
inline constexpr int kDxfOk = 0;
inline constexpr int kDxfFileError = 30037;
inline constexpr int kDxfReadFailed = 30038;

struct DXF_ADD_LINE
{
    double x1 = 0, y1 = 0, z1 = 0;
    double x2 = 0, y2 = 0, z2 = 0;
    uint32_t handle = kDxfNoHandle;
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
};

// SOLID and 3DFACE.
struct DXF_ADD_SOLID
{
    double x[4] = {};
    double y[4] = {};
    double z[4] = {};
    uint32_t handle = kDxfNoHandle;
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
};

struct DXF_ADD_CIRCLE
{
    double x = 0, y = 0, z = 0;
    std::string layer;
    std::string linetype;
    uint32_t handle = kDxfNoHandle;
    int32_t color = kDxfColorByLayer;
    double radius = 0;
};

struct DXF_ADD_ARC
{
    double x = 0, y = 0, z = 0;
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
    double radius = 0;
    double startAngle = 0; // radians
    double endAngle = 0;
    uint32_t handle = kDxfNoHandle;
};

struct DXF_ADD_POINT
{
    double x = 0, y = 0, z = 0;
    uint32_t handle = kDxfNoHandle;
    std::string layer;
    int32_t color = kDxfColorByLayer;
};

struct DXF_ADD_LAYER
{
    std::string name;
    std::string linetype = "CONTINUOUS";
    int32_t color = 0;
    bool on = true;
    bool frozen = false;
    bool frozenInNewViewports = false;
    bool locked = false;
};

struct DXF_ADD_LTYPE
{
    std::string name;
    std::string description;
    int32_t dashCount = 0;
    double totalLength = 0;
    double dashes[kDxfMaxDashes] = {};
};

struct DXF_ADD_STYLE
{
    std::string name;
    double fixedHeight = 0; // 65535.0 when the file gives 0 (not fixed)
    double widthFactor = 0;
    double obliqueAngle = 0; // radians
    bool backward = false;
    bool upsideDown = false;
    bool vertical = false;
    bool shapeFile = false;
    std::string fontFile;
};

struct DXF_ADD_BLOCK
{
    std::string name;
    bool anonymous = false;
    bool hasAttributes = false;
};

struct DXF_ADD_INSERT
{
    std::string blockName;
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
    double x = 0, y = 0, z = 0;
    double scaleX = 1.0, scaleY = 1.0, scaleZ = 1.0;
    double rotation = 0; // radians
    int32_t rowCount = 1;
    int32_t columnCount = 1;
    double rowSpacing = 0;
    double columnSpacing = 0;
    uint32_t handle = kDxfNoHandle;
    bool attributesFollow = false;
};

struct DXF_ADD_TEXT
{
    std::string layer;
    int32_t color = kDxfColorByLayer;
    double x = 0, y = 0, z = 0;
    double height = 0;
    std::string text;
    std::string style = "STANDARD";
    double rotation = 0; // radians
    double widthFactor = 1.0;
    double obliqueAngle = 0; // radians
    bool backward = false;
    bool upsideDown = false;
    int32_t verticalJustification = 0;   // group 73: 0 baseline, 1 bottom, 2 middle, 3 top
    int32_t horizontalJustification = 0; // group 72: 0 left, 1 centre, 2 right
    double alignX = 0, alignY = 0, alignZ = 0;
    uint32_t handle = kDxfNoHandle;
};

struct DXF_ADD_MTEXT
{
    std::string layer;
    int32_t color = kDxfColorByLayer;
    double x = 0, y = 0, z = 0;
    double height = 0;
    double referenceWidth = 0;
    std::string text;
    std::string style = "STANDARD";
    double rotation = 0; // radians
    int32_t drawingDirection = 1;
    int32_t attachmentPoint = 1;
    uint32_t handle = kDxfNoHandle;
};

struct DXF_ADD_POLYLINE
{
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
    int32_t flags = 0;
    int32_t meshM = 0, meshN = 0;
    int32_t smoothM = 0, smoothN = 0;
    int32_t curveType = 0;
    uint32_t handle = kDxfNoHandle;
    double startWidth = 0;
    double endWidth = 0;
    double elevation = 0;
};

struct DXF_ADD_VERTEX
{
    double x = 0, y = 0, z = 0;
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
    double startWidth = 0;
    double endWidth = 0;
    double bulge = 0;
    double tangent = 0; // degrees, as read
    int32_t flags = 0;
    uint32_t handle = kDxfNoHandle;
};

// A vertex of an LWPOLYLINE, or a SPLINE control point (x and y).
struct DXF_ADD_LWVERTEX
{
    double x = 0, y = 0;
    double startWidth = 0, endWidth = 0;
    double bulge = 0;
};

struct DXF_ADD_LEADERVERTEX
{
    double x = 0, y = 0, z = 0;
};

struct DXF_ADD_LWPOLYLINE
{
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
    uint32_t handle = kDxfNoHandle;
    int32_t flags = 0;
    bool constantWidthGiven = false;
    double constantWidth = 0;
    double elevation = 0;
    double thickness = 0;
    double extrusionX = 0, extrusionY = 0, extrusionZ = 0;
    const DXF_ADD_LWVERTEX* vertices = nullptr; // borrowed for the callback
    int32_t vertexCount = 0;
};

struct DXF_ADD_LEADER
{
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
    uint32_t handle = kDxfNoHandle;
    int32_t arrowhead = 0;
    int32_t pathType = 0;
    int32_t hookDirection = 0;
    int32_t hookLine = 0;
    int32_t annotationType = 3;
    double normalX = 0, normalY = 0, normalZ = 0;
    const DXF_ADD_LEADERVERTEX* vertices = nullptr; // borrowed for the callback
    int32_t vertexCount = 0;
};

struct DXF_ADD_SPLINE
{
    std::string layer;
    std::string linetype;
    int32_t color = kDxfColorByLayer;
    uint32_t handle = kDxfNoHandle;
    int32_t flags = 0;
    const DXF_ADD_LWVERTEX* controlPoints = nullptr; // borrowed for the callback
    int32_t controlPointCount = 0;
};

struct DXF_ADD_ATTDEF
{
    std::string layer;
    std::string tag;
    std::string defaultValue;
    std::string prompt;
    int32_t color = kDxfColorByLayer;
    int32_t flags = 0;
    bool backward = false;
    bool upsideDown = false;
    double x = 0, y = 0, z = 0;
    double height = 0;
    double widthFactor = 1.0;
    int32_t fieldLength = 0;
    double rotation = 0; // radians
    double obliqueAngle = 0;
    int32_t verticalJustification = 0;   // group 74
    int32_t horizontalJustification = 0; // group 72
    double alignX = 0, alignY = 0, alignZ = 0;
};

struct DXF_ADD_ATTRIB
{
    std::string layer;
    std::string tag;
    std::string value;
    int32_t color = kDxfColorByLayer;
    int32_t flags = 0; // group 71 of the file: 2 backward, 4 upside down
    bool backward = false;
    bool upsideDown = false;
    double x = 0, y = 0, z = 0;
    double height = 0;
    double widthFactor = 1.0;
    double rotation = 0; // radians
    double obliqueAngle = 0;
    int32_t verticalJustification = 0;   // group 74
    int32_t horizontalJustification = 0; // group 72
    double alignX = 0, alignY = 0, alignZ = 0;
    uint32_t handle = 0;
};

struct DXF_FILE_HEADER
{
    std::string acadVersion;
    int32_t coords = 0;
    int32_t pointModeLow = 0;  // $PDMODE & 0xFF
    int32_t pointModeHigh = 0; // $PDMODE & 0xFF00
    int32_t handling = 0;
    double extMinX = 0, extMinY = 0;
    double extMaxX = 10, extMaxY = 10;
    double limMinX = 0, limMinY = 0;
    double limMaxX = 10, limMaxY = 10;
    std::string createdDate;
    std::string editingTime;
};

// The current group's value, converted as its code says.
struct DxfGroupValue
{
    enum Kind { Text, Short, Byte, Long, Double };
    Kind kind = Text;
    std::string text; // the value line as UTF-8 (every kind keeps it)
    int32_t i = 0;    // Short, Byte and Long
    double d = 0;
};
