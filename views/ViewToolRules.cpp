#include "views/ViewToolRules.h"

#include "core/Format.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

using CursorRow = std::array<int32_t, 8>;

const CursorRow& CursorIds(EToolCursorFamily family)
{
    static const CursorRow defaults{1884, 1885, 1886, 1887, 1888, 1889, 1890, 1891};
    static const CursorRow pick{1683, 1682, 1681, 1680, 1679, 1678, 1677, 1676};
    static const CursorRow location{6722, 1877, 1878, 1879, 1880, 1881, 1882, 1883};
    static const CursorRow rect{659, 1869, 1870, 1871, 1872, 1873, 1874, 1875};
    static const CursorRow anchor{1892, 1893, 1894, 1895, 1896, 1897, 1898, 1899};
    switch (family) {
    case EToolCursorFamily::Pick:
        return pick;
    case EToolCursorFamily::Location:
        return location;
    case EToolCursorFamily::SelectByRect:
        return rect;
    case EToolCursorFamily::AnchorLine:
        return anchor;
    case EToolCursorFamily::Default:
        break;
    }
    return defaults;
}

// Nearest integer with exact halves going down.
int32_t RoundHalfDown(double v)
{
    return int32_t(std::ceil(v - 0.5));
}

} // namespace

int32_t PickBoxCursorBand(int32_t pickBoxSize)
{
    if (pickBoxSize >= 21)
        return -1;
    if (pickBoxSize < 7)
        return 0;
    return (pickBoxSize - 5) / 2;
}

int32_t ToolCursorId(EToolCursorFamily family, int32_t pickBoxSize)
{
    const int32_t band = PickBoxCursorBand(pickBoxSize);
    return band < 0 ? 0 : CursorIds(family)[size_t(band)];
}

bool FindToolCursor(int32_t id, EToolCursorFamily& family, int32_t& band)
{
    for (EToolCursorFamily f : {EToolCursorFamily::Default, EToolCursorFamily::Pick, EToolCursorFamily::Location,
                                EToolCursorFamily::SelectByRect, EToolCursorFamily::AnchorLine}) {
        const CursorRow& row = CursorIds(f);
        for (size_t i = 0; i < row.size(); ++i)
            if (row[i] == id) {
                family = f;
                band = int32_t(i);
                return true;
            }
    }
    return false;
}

bool HasMovedForHover(const DevicePoint& last, const DevicePoint& now)
{
    if (!IsDevicePointSet(last))
        return true;
    return std::abs(now.x - last.x) > 2 || std::abs(now.y - last.y) > 2;
}

bool IsRectDragStart(const DevicePoint& down, const DevicePoint& now)
{
    return std::abs(now.x - down.x) >= 3 || std::abs(now.y - down.y) >= 3;
}

DevicePoint ApplyCtrlConstraint(const DevicePoint& anchor, const DevicePoint& p)
{
    if (std::abs(anchor.x - p.x) <= std::abs(anchor.y - p.y))
        return DevicePoint{anchor.x, p.y};
    return DevicePoint{p.x, anchor.y};
}

DeviceRect NormaliseDeviceRect(const DevicePoint& a, const DevicePoint& b)
{
    return DeviceRect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool CViewToolOverlay::Add(const CViewToolDrawCode& item)
{
    for (const CViewToolDrawCode& existing : m_items)
        if (existing == item)
            return false;
    m_items.push_back(item);
    return true;
}

std::vector<std::pair<DevicePoint, DevicePoint>> CrosshairSegments(const DevicePoint& centre, int32_t gapX,
                                                                   int32_t gapY, const DeviceRect& client,
                                                                   bool toolHasCursor)
{
    std::vector<std::pair<DevicePoint, DevicePoint>> segments;
    if (!toolHasCursor) {
        segments.push_back({DevicePoint{client.left, centre.y}, DevicePoint{client.right, centre.y}});
        segments.push_back({DevicePoint{centre.x, client.top}, DevicePoint{centre.x, client.bottom}});
        return segments;
    }
    const int32_t gx = std::max(gapX, 0), gy = std::max(gapY, 0);
    if (centre.x - gx > client.left)
        segments.push_back({DevicePoint{client.left, centre.y}, DevicePoint{centre.x - gx, centre.y}});
    if (centre.x + gx < client.right)
        segments.push_back({DevicePoint{centre.x + gx, centre.y}, DevicePoint{client.right, centre.y}});
    if (centre.y - gy > client.top)
        segments.push_back({DevicePoint{centre.x, client.top}, DevicePoint{centre.x, centre.y - gy}});
    if (centre.y + gy < client.bottom)
        segments.push_back({DevicePoint{centre.x, centre.y + gy}, DevicePoint{centre.x, client.bottom}});
    return segments;
}

std::vector<DevicePoint> CircleChordVertices(const DevicePoint& centre, const DevicePoint& onCircle)
{
    const double r = std::hypot(double(onCircle.x - centre.x), double(onCircle.y - centre.y));
    std::vector<DevicePoint> vertices;
    if (!(r > 0.001))
        return vertices;
    constexpr int Chords = 72;
    constexpr double Step = 6.283185308 / Chords;
    vertices.reserve(Chords + 1);
    for (int i = 0; i <= Chords; ++i) {
        const double a = Step * i;
        vertices.push_back(DevicePoint{RoundHalfDown(centre.x + r * std::cos(a)), RoundHalfDown(centre.y + r * std::sin(a))});
    }
    return vertices;
}

std::string FormatToolReadoutValue(double displayValue, const std::string& unitLabel)
{
    std::string text = CFormat::FormatNumber(displayValue, 2, false, true);
    if (!unitLabel.empty()) {
        text += ' ';
        text += unitLabel;
    }
    return text;
}

std::string FormatLengthReadout(double displayLength, const std::string& unitLabel)
{
    return "Length " + FormatToolReadoutValue(displayLength, unitLabel);
}

std::string FormatWidthHeightReadout(double displayWidth, double displayHeight, const std::string& unitLabel)
{
    return "Width " + FormatToolReadoutValue(displayWidth, unitLabel) + ", Height " +
           FormatToolReadoutValue(displayHeight, unitLabel);
}

std::string FormatRadiusReadout(double displayRadius, const std::string& unitLabel)
{
    return "Radius " + FormatToolReadoutValue(displayRadius, unitLabel);
}

std::string FormatSnapStatus(const std::string& northing, const std::string& easting, bool northingFirst)
{
    return "Snapping to " + (northingFirst ? northing + ", " + easting : easting + ", " + northing);
}
