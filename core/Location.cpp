#include "core/Location.h"

#include "core/AngleFunctions.h"

#include <cfloat>
#include <cmath>

namespace {
constexpr double Tolerance = 0.0001;
}

bool CLocation::IsSamePosition(const CLocation& other) const
{
    return std::fabs(HorizontalDistance(other)) < Tolerance;
}

bool CLocation::IsEqual(const CLocation& other) const
{
    if (!IsSamePosition(other))
        return false;
    const bool a3 = IsValid3D();
    const bool b3 = other.IsValid3D();
    if (a3 != b3)
        return false;
    return !a3 || std::fabs(z - other.z) < Tolerance;
}

CLocation CLocation::operator+(const CLocation& b) const
{
    const bool both3D = IsValid3D() && b.IsValid3D();
    return {x + b.x, y + b.y, both3D ? z + b.z : NoValue};
}

CLocation CLocation::operator-(const CLocation& b) const
{
    const bool both3D = IsValid3D() && b.IsValid3D();
    return {x - b.x, y - b.y, both3D ? z - b.z : NoValue};
}

CLocation CLocation::Scale(double factor) const
{
    return {x * factor, y * factor, IsValid3D() ? z * factor : NoValue};
}

CLocation CLocation::OffsetAlongVector(double t, double ux, double uy) const
{
    return {x + ux * t, y + uy * t, z};
}

CLocation CLocation::OffsetByDirectionDistance(double direction, double distance) const
{
    if (direction < NoValueLimit)
        return *this;
    return {x + distance * std::cos(direction), y + distance * std::sin(direction), z};
}

CLocation CLocation::OffsetByDirectionDistanceRise(double direction, double distance, double rise) const
{
    CLocation r = OffsetByDirectionDistance(direction, distance);
    if (IsValid3D())
        r.z = z + rise;
    return r;
}

void CLocation::RotateAbout(CLocation centre, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double dx = x - centre.x;
    const double dy = y - centre.y;
    x = c * dx - s * dy + centre.x;
    y = s * dx + c * dy + centre.y;
}

double CLocation::HorizontalDistance(const CLocation& other) const
{
    if (!HasPlaneCoordinates() || !other.HasPlaneCoordinates())
        return NoValue;
    return std::sqrt((other.x - x) * (other.x - x) + (other.y - y) * (other.y - y));
}

double CLocation::DistanceAndDirection(const CLocation& other, double* direction) const
{
    if (!HasPlaneCoordinates() || !other.HasPlaneCoordinates()) {
        *direction = NoValue;
        return NoValue;
    }
    const double dx = other.x - x;
    const double dy = other.y - y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0.0) {
        *direction = NoValue;
        return 0.0;
    }
    *direction = DirectionFromDelta(dy, dx);
    return d;
}

double CLocation::Inverse(const CLocation& other, double* direction, double* dx, double* dy, double* dz) const
{
    if (!HasPlaneCoordinates() || !other.HasPlaneCoordinates()) {
        *direction = *dx = *dy = *dz = NoValue;
        return NoValue;
    }
    *dx = other.x - x;
    *dy = other.y - y;
    *dz = (IsValid3D() && other.IsValid3D()) ? other.z - z : NoValue;
    *direction = DirectionFromDelta(*dy, *dx);
    return std::sqrt(*dx * *dx + *dy * *dy);
}

bool CLocation::ElevationDifferenceTo(CLocation other, double* dz) const
{
    if (IsValid3D() && other.IsValid3D()) {
        *dz = other.z - z;
        return true;
    }
    *dz = NoValue;
    return false;
}

bool CLocation::SlopeDistanceTo(CLocation other, double* d) const
{
    double dz;
    if (!ElevationDifferenceTo(other, &dz))
        return false;
    const double h = HorizontalDistance(other);
    *d = std::sqrt(h * h + dz * dz);
    return true;
}

bool CLocation::VerticalAngleTo(CLocation other, double* angle) const
{
    double dz;
    if (!ElevationDifferenceTo(other, &dz))
        return false;
    *angle = DirectionFromDelta(dz, HorizontalDistance(other));
    return true;
}

bool CLocation::GradeTo(CLocation other, double* grade) const
{
    double dz;
    if (!ElevationDifferenceTo(other, &dz))
        return false;
    const double h = HorizontalDistance(other);
    if (std::fabs(h) < Tolerance)
        return false;
    *grade = dz / h;
    return true;
}

bool CLocation::IsInsideRect(double left, double top, double right, double bottom) const
{
    return left <= x && x <= right && bottom <= y && y <= top;
}

CExtent2D::CExtent2D() : top(-DBL_MAX), bottom(DBL_MAX), left(DBL_MAX), right(-DBL_MAX)
{
}

void CExtent2D::AddPoint(const CLocation& p)
{
    if (empty) {
        top = bottom = p.y;
        left = right = p.x;
        empty = false;
        return;
    }
    if (p.y > top)
        top = p.y;
    if (p.y < bottom)
        bottom = p.y;
    if (p.x < left)
        left = p.x;
    if (p.x > right)
        right = p.x;
}

void CExtent2D::InflateByRatio(double ratio)
{
    const double w = std::fabs(right - left);
    const double h = std::fabs(top - bottom);
    left -= w * ratio;
    right += w * ratio;
    bottom -= h * ratio;
    top += h * ratio;
}

void CExtent2D::InflateIfDegenerate(double marginX, double marginY)
{
    if (right == left) {
        left -= marginX;
        right += marginX;
    }
    if (top == bottom) {
        bottom -= marginY;
        top += marginY;
    }
}
