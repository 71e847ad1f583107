#pragma once

#include "core/Location.h"

#include <cstdint>

// A device point in pixels.
struct DevicePoint
{
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const DevicePoint&) const = default;
};

// A device rectangle in pixels; right and bottom are exclusive as on the screen.
struct DeviceRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const DeviceRect&) const = default;
};

// Relates world x (easting) and y (northing) to the pixels of one drawing surface with one scale
// per axis. A copyable value.
class CWorldDeviceMap
{
public:
    CWorldDeviceMap() = default;
    // Fits at once; the stored aspect keeps its default.
    CWorldDeviceMap(const DeviceRect& device, double x1, double x2, double y1, double y2, double aspect,
                    bool keepSquare);

    // Fits the world window (x1..x2, y1..y2) into the device rectangle. The direction from the first
    // value to the second decides each scale's sign: north up needs y1 > y2. An aspect below the
    // no-value limit takes the stored aspect.
    void Fit(const DeviceRect& device, double x1, double x2, double y1, double y2, double aspect, bool keepSquare);

    CLocation DeviceToWorld(double px, double py) const;
    CLocation DeviceToWorld(const DevicePoint& p) const { return DeviceToWorld(p.x, p.y); }
    // Rounded to the nearest pixel, an exact half going down.
    DevicePoint WorldToDevice(double x, double y) const;

    // Outcode of a device point against the clip rectangle: 1 below, 2 above, 8 right, 4 left.
    int ComputeOutcode(double px, double py) const;
    // Cohen-Sutherland against the clip rectangle; false when the segment lies wholly outside.
    // Without clipping the rounded end points are returned as they are.
    bool ClipSegment(double xa, double ya, double xb, double yb, DevicePoint& a, DevicePoint& b, bool clip) const;

    bool IsValid() const { return valid; }
    DeviceRect GetWorldWindowDeviceRect() const;
    bool IsSame(const CWorldDeviceMap& other) const;
    // Strictly inside the fitted device rectangle, and further than fraction / 2 of its size from
    // every edge.
    bool IsWellInside(const CLocation& location, double fraction) const;
    static void InflateRect(DeviceRect& r, int32_t l, int32_t t, int32_t rr, int32_t b);

    double aspect = 1.0;
    double sx = 1.0;
    double sy = 1.0;
    int32_t ox = 1;
    int32_t oy = 1;
    double x0 = 1.0;
    double y0 = 1.0;
    double minX = 0.0;
    double maxX = 2.0;
    double minY = 0.0;
    double maxY = 2.0;
    DeviceRect clip;
    bool valid = false;
};
