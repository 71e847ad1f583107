#pragma once

#include "views/WorldDeviceMap.h"

#include <cstdint>
#include <string>
#include <vector>

// The rules of the map's view tools that need no window: cursor choice by pick box size, the
// movement thresholds, the Ctrl constraint, the overlay items and the read-out texts.

// Device points of the tools use (-5000, -5000) for "no point"; a point is set only when neither
// coordinate is -5000.
inline constexpr int32_t NoDeviceCoordinate = -5000;
inline constexpr DevicePoint NoDevicePoint{NoDeviceCoordinate, NoDeviceCoordinate};
inline bool IsDevicePointSet(const DevicePoint& p)
{
    return p.x != NoDeviceCoordinate && p.y != NoDeviceCoordinate;
}

// Mouse key flags as the tools read them.
inline constexpr uint32_t ToolKeyLButton = 0x0001, ToolKeyRButton = 0x0002, ToolKeyShift = 0x0004,
                          ToolKeyControl = 0x0008, ToolKeyMButton = 0x0010;
// Alt held at the click; the select-by-rectangle tool hands it on in exchange word 0.
inline constexpr uint32_t ToolKeyAlt = 0x0020;

// The cursor families whose images follow the pick box size.
enum class EToolCursorFamily { Default, Pick, Location, SelectByRect, AnchorLine };

// Cursor ids that do not depend on the pick box.
inline constexpr int32_t RealtimeZoomCursorId = 1866;
inline constexpr int32_t RealtimePanIdleCursorId = 546;
inline constexpr int32_t RealtimePanDragCursorId = 1867;

// The pick box band: 0 for sizes below 7, one more for every 2 pixels, 7 for 19 and 20; -1 (no
// cursor) from 21 on.
int32_t PickBoxCursorBand(int32_t pickBoxSize);
// The family's cursor id for the pick box size; 0 when the tool has no cursor at that size.
int32_t ToolCursorId(EToolCursorFamily family, int32_t pickBoxSize);
// The family and band of a cursor id; false for an id no family has.
bool FindToolCursor(int32_t id, EToolCursorFamily& family, int32_t& band);

// The hover timer restarts only when the cursor moved more than 2 pixels in x or in y from the
// point where it was last restarted (always when there is none).
bool HasMovedForHover(const DevicePoint& last, const DevicePoint& now);
// A press becomes a rectangle drag once the cursor is 3 pixels or more away in x or in y.
bool IsRectDragStart(const DevicePoint& down, const DevicePoint& now);
// Ctrl held: the line from the anchor becomes plumb when |dx| <= |dy|, else level.
DevicePoint ApplyCtrlConstraint(const DevicePoint& anchor, const DevicePoint& p);
// The rectangle of two corners with left and top the smaller coordinates.
DeviceRect NormaliseDeviceRect(const DevicePoint& a, const DevicePoint& b);

// One overlay item of a tool: a line, a crosshair or a circle on one map window.
struct CViewToolDrawCode
{
    enum Kind : int32_t { Line = 0, Crosshair = 1, Circle = 2 };
    int32_t kind = Line;
    const void* window = nullptr;
    // Line: its ends. Circle: centre and a point on the circle. Crosshair: centre, and the gap's
    // half-width in the second point (negative x: half the pick box).
    DevicePoint p1;
    DevicePoint p2;
    uint32_t colour = 0; // 0x00BBGGRR
    int32_t reserved = 0;
    bool operator==(const CViewToolDrawCode&) const = default;
};

// The items on the screen now (shown) or about to be. An item equal to one in the list is not
// added again, so it is drawn once.
class CViewToolOverlay
{
public:
    // False when an equal item is there already.
    bool Add(const CViewToolDrawCode& item);
    void Clear() { m_items.clear(); }
    bool IsEmpty() const { return m_items.empty(); }
    const std::vector<CViewToolDrawCode>& Items() const { return m_items; }
    bool IsShown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }

private:
    std::vector<CViewToolDrawCode> m_items;
    bool m_shown = false;
};

// A crosshair as up to four segments across the client rectangle, with a gap of the half-width
// on each side of the centre when the tool shows a cursor and none when it shows no cursor.
std::vector<std::pair<DevicePoint, DevicePoint>> CrosshairSegments(const DevicePoint& centre, int32_t gapX,
                                                                   int32_t gapY, const DeviceRect& client,
                                                                   bool toolHasCursor);
// The 72 chord vertices of a circle about the centre through the point, starting at angle 0;
// empty when the radius is not above 0.001 pixel. Halves round down, as every device value.
std::vector<DevicePoint> CircleChordVertices(const DevicePoint& centre, const DevicePoint& onCircle);

// A read-out value: two decimals with the user's separators and grouping, then the unit label.
std::string FormatToolReadoutValue(double displayValue, const std::string& unitLabel);
// "Length 50.00 m"
std::string FormatLengthReadout(double displayLength, const std::string& unitLabel);
// "Width 30.00 m, Height 40.00 m"
std::string FormatWidthHeightReadout(double displayWidth, double displayHeight, const std::string& unitLabel);
// "Radius 50.00 m"
std::string FormatRadiusReadout(double displayRadius, const std::string& unitLabel);
// "Snapping to <northing>, <easting>", easting first when the order flag is off.
std::string FormatSnapStatus(const std::string& northing, const std::string& easting, bool northingFirst);
