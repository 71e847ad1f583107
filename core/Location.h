#pragma once

#include "core/NoValue.h"

// A point on the survey plane in metres with an optional elevation (z = NoValue when absent).
class CLocation
{
public:
    double x = 0.0; // easting
    double y = 0.0; // northing
    double z = NoValue;

    CLocation() = default;
    CLocation(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    bool HasPlaneCoordinates() const { return x > NoValueLimit && y > NoValueLimit; }
    bool IsValid3D() const { return HasPlaneCoordinates() && z > NoValueLimit; }
    void SetAllNull() { x = y = z = NoValue; }

    // Comparisons use a tolerance of 0.0001 m.
    bool IsSamePosition(const CLocation& other) const;
    bool IsEqual(const CLocation& other) const;

    // Elevations combine only when both operands are 3D; otherwise the result has none.
    CLocation operator+(const CLocation& b) const;
    CLocation operator-(const CLocation& b) const;
    CLocation Scale(double factor) const;
    CLocation OffsetAlongVector(double t, double ux, double uy) const;
    // A direction below the no-value limit leaves x and y unchanged.
    CLocation OffsetByDirectionDistance(double direction, double distance) const;
    CLocation OffsetByDirectionDistanceRise(double direction, double distance, double rise) const;
    // Counter-clockwise for a positive angle; z unchanged.
    void RotateAbout(CLocation centre, double angle);

    // Measurements to another location; differences are other minus this.
    double HorizontalDistance(const CLocation& other) const;
    double DistanceAndDirection(const CLocation& other, double* direction) const;
    double Inverse(const CLocation& other, double* direction, double* dx, double* dy, double* dz) const;
    bool ElevationDifferenceTo(CLocation other, double* dz) const;
    bool SlopeDistanceTo(CLocation other, double* d) const;
    bool VerticalAngleTo(CLocation other, double* angle) const;
    // Grade as a ratio dz / h; fails when the horizontal distance is below 0.0001 m.
    bool GradeTo(CLocation other, double* grade) const;
    bool IsInsideRect(double left, double top, double right, double bottom) const;
};

// Plane bounding box grown point by point.
class CExtent2D
{
public:
    double top;
    double bottom;
    double left;
    double right;
    bool empty = true;

    CExtent2D();

    // Reads the bounds, not the flag: bottom > top.
    bool IsEmpty() const { return bottom > top; }
    void AddPoint(const CLocation& p);
    void InflateByRatio(double ratio);
    void InflateIfDegenerate(double marginX, double marginY);
};
