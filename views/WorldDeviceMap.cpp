#include "views/WorldDeviceMap.h"

#include "core/ProgramHelpers.h"

#include <algorithm>
#include <cmath>

namespace {

double SignOf(double a, double b)
{
    return b < a ? -1.0 : 1.0;
}

// Widens an axis narrower than 0.05 and clamps one wider than 1e7, both about its centre.
void AdjustAxis(double& v1, double& v2)
{
    double span = std::fabs(v2 - v1);
    if (span < 0.05) {
        const double d = (0.05 - span) / 2;
        v1 -= SignOf(v1, v2) * d;
        v2 += SignOf(v1, v2) * d;
    }
    span = std::fabs(v2 - v1);
    if (span > 1e7) {
        const double d = (span - 1e7) / 2;
        v1 += SignOf(v1, v2) * d;
        v2 -= SignOf(v1, v2) * d;
    }
}

double Sign(double v)
{
    return v < 0 ? -1.0 : 1.0;
}

int32_t ToPixel(double v)
{
    // Far-off world points must not overflow the pixel type.
    if (!(v > -2e9))
        return INT32_MIN / 2;
    if (v > 2e9)
        return INT32_MAX / 2;
    return RoundToNearestInt(v);
}

} // namespace

CWorldDeviceMap::CWorldDeviceMap(const DeviceRect& device, double x1, double x2, double y1, double y2,
                                 double aspectArg, bool keepSquare)
{
    Fit(device, x1, x2, y1, y2, aspectArg, keepSquare);
}

void CWorldDeviceMap::Fit(const DeviceRect& device, double x1, double x2, double y1, double y2, double aspectArg,
                          bool keepSquare)
{
    if (aspectArg < -9.99e7)
        aspectArg = aspect;
    AdjustAxis(x1, x2);
    AdjustAxis(y1, y2);
    minX = std::min(x1, x2);
    maxX = std::max(x1, x2);
    minY = std::min(y1, y2);
    maxY = std::max(y1, y2);

    double w = double(device.right - device.left);
    double h = double(device.bottom - device.top);
    if (w == 0)
        w = 1;
    if (h == 0)
        h = 1;
    double dx = x2 - x1;
    double dy = y2 - y1;
    if (dx == 0)
        dx = dy;
    if (dy == 0)
        dy = dx;
    if (aspectArg == 0)
        aspectArg = 1;

    sx = w / dx;
    sy = h / (dy * aspectArg);
    if (keepSquare) {
        if (std::fabs(sy) > std::fabs(sx))
            sy = Sign(sy) * std::fabs(sx);
        else
            sx = Sign(sx) * std::fabs(sy);
    }
    sy *= aspectArg;

    ox = (device.left + device.right) / 2;
    oy = (device.top + device.bottom) / 2;
    x0 = (x1 + x2) / 2;
    y0 = (y1 + y2) / 2;
    clip = device;
    InflateRect(clip, 10, 10, 10, 10);
    valid = true;
}

CLocation CWorldDeviceMap::DeviceToWorld(double px, double py) const
{
    return CLocation(x0 + (px - ox) / sx, y0 + (py - oy) / sy, NoValue);
}

DevicePoint CWorldDeviceMap::WorldToDevice(double x, double y) const
{
    return DevicePoint{ToPixel((x - x0) * sx) + ox, ToPixel((y - y0) * sy) + oy};
}

int CWorldDeviceMap::ComputeOutcode(double px, double py) const
{
    int code = 0;
    if (py > clip.bottom)
        code |= 1;
    else if (py < clip.top)
        code |= 2;
    if (px > clip.right)
        code |= 8;
    else if (px < clip.left)
        code |= 4;
    return code;
}

bool CWorldDeviceMap::ClipSegment(double xa, double ya, double xb, double yb, DevicePoint& a, DevicePoint& b,
                                  bool doClip) const
{
    if (!doClip) {
        a = WorldToDevice(xa, ya);
        b = WorldToDevice(xb, yb);
        return true;
    }
    double pA = ox + (xa - x0) * sx, qA = oy + (ya - y0) * sy;
    double pB = ox + (xb - x0) * sx, qB = oy + (yb - y0) * sy;
    int cA = ComputeOutcode(pA, qA);
    int cB = ComputeOutcode(pB, qB);
    // Each pass clears at least one bit of one end, so four passes per end are the most.
    for (int guard = 0; (cA | cB) != 0 && guard < 16; ++guard) {
        if (cA & cB)
            return false;
        const bool first = cA != 0;
        const int code = first ? cA : cB;
        double p, q;
        if (code & 1) {
            q = clip.bottom;
            p = pA + (pB - pA) * (clip.bottom - qA) / (qB - qA);
        } else if (code & 2) {
            q = clip.top;
            p = pA + (pB - pA) * (clip.top - qA) / (qB - qA);
        } else if (code & 8) {
            p = clip.right;
            q = qA + (qB - qA) * (clip.right - pA) / (pB - pA);
        } else {
            p = clip.left;
            q = qA + (qB - qA) * (clip.left - pA) / (pB - pA);
        }
        if (first) {
            pA = p;
            qA = q;
            cA = ComputeOutcode(pA, qA);
        } else {
            pB = p;
            qB = q;
            cB = ComputeOutcode(pB, qB);
        }
    }
    if ((cA | cB) != 0)
        return false;
    a = DevicePoint{ToPixel(pA), ToPixel(qA)};
    b = DevicePoint{ToPixel(pB), ToPixel(qB)};
    return true;
}

DeviceRect CWorldDeviceMap::GetWorldWindowDeviceRect() const
{
    const DevicePoint a = WorldToDevice(minX, minY);
    const DevicePoint b = WorldToDevice(maxX, maxY);
    return DeviceRect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool CWorldDeviceMap::IsSame(const CWorldDeviceMap& o) const
{
    auto near4 = [](double a, double b) { return std::fabs(a - b) <= 0.0001; };
    return std::fabs(sx - o.sx) <= 1e-26 && std::fabs(sy - o.sy) <= 1e-26 && std::abs(ox - o.ox) <= 1 &&
           std::abs(oy - o.oy) <= 1 && near4(x0, o.x0) && near4(y0, o.y0) && near4(minX, o.minX) &&
           near4(maxX, o.maxX) && near4(minY, o.minY) && near4(maxY, o.maxY) &&
           std::fabs(aspect - o.aspect) <= 1e-26;
}

bool CWorldDeviceMap::IsWellInside(const CLocation& location, double fraction) const
{
    const DevicePoint p = WorldToDevice(location.x, location.y);
    if (!(clip.left + 10 < p.x && p.x < clip.right - 10 && clip.top + 10 < p.y && p.y < clip.bottom - 10))
        return false;
    const double w = clip.right - clip.left;
    const double h = std::abs(clip.bottom - clip.top);
    const double mx = w * fraction / 2;
    const double my = h * fraction / 2;
    return std::abs(p.x - clip.left - 10) > mx && std::abs(clip.right - p.x - 10) > mx &&
           std::abs(clip.bottom - p.y - 10) > my && std::abs(p.y - clip.top - 10) > my;
}

void CWorldDeviceMap::InflateRect(DeviceRect& r, int32_t l, int32_t t, int32_t rr, int32_t b)
{
    r.left -= l;
    r.top -= t;
    r.right += rr;
    r.bottom += b;
}
