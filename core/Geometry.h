#pragma once

// Plane survey geometry: free functions without state. Angles are radians counter-clockwise
// from +x; computed locations carry no elevation unless stated. A false result or a count of 0
// means the geometry is undefined, and the outputs are then left as they were unless stated.

#include "core/Location.h"

// Earth radius used by the curvature, refraction and sea-level reductions, in metres.
inline constexpr double EarthRadius = 6372000.0;
// Degenerate distances, coincidence, and the tangent test of a line and a circle.
inline constexpr double LengthTolerance = 0.0001;
// Sine of the angle between two lines below which they count as parallel.
inline constexpr double ParallelTolerance = 1e-08;

// ---- Elementary functions

// x to the integer power n by repeated squaring; a negative n gives the reciprocal.
double IntPower(double x, int n);
// sqrt(a^2 + b^2) without overflow for large inputs.
double Hypot2(double a, double b);
double Hypot3(double a, double b, double c);

// Signed turn from a to b, within [-pi, pi].
double AngleDifference(double a, double b);
// Bisector of the smaller angle between two directions; not reduced to [0, 2pi).
double BisectDirections(double d1, double d2);
// Clockwise turn from d1 to d2 in [0, 2pi).
double ClockwiseAngle(double d1, double d2);
// The smaller angle between two directions, in [0, pi].
double SmallerAngle(double d1, double d2);
// Equality counts as within; the wrap at 0 / 2pi is allowed for.
bool AnglesWithinTolerance(double d1, double d2, double tol);
// Snaps a cosine within 0.0001 of +-1 onto it; true when the cosine is then within [-1, 1].
bool SnapCosine(double* c);

// (C - B) x (A - B) and (C - B) . (A - B).
double Cross3(const CLocation& a, const CLocation& b, const CLocation& c);
double Cross3XY(double ax, double ay, double bx, double by, double cx, double cy);
double Dot3(const CLocation& a, const CLocation& b, const CLocation& c);
double Dot3XY(double ax, double ay, double bx, double by, double cx, double cy);

// True when a lies strictly to the left of the ray from b through c.
bool IsLeftOf(double ax, double ay, double bx, double by, double cx, double cy);
bool IsLeftOf(const CLocation* a, const CLocation* b, const CLocation* c);
// 0 left, 1 on the line (within 0.0001 of cross product), 2 right of the ray from b through c.
int SideOfLine(const CLocation& p, const CLocation& b, const CLocation& c);
bool SameSide(const CLocation& p1, const CLocation& p2, const CLocation& b, const CLocation& c);
// Distance from b to c, and the side of a: 0 collinear, 1 and -1 for the two sides.
void SideAndDistance(const CLocation& a, const CLocation& b, const CLocation& c, double* distance,
                     int* side);

void PolarPoint(double x0, double y0, double direction, double distance, double* x, double* y);
// Distance from the first point to the second; the direction is NoValue when they coincide.
double DistanceDirectionXY(double x0, double y0, double x1, double y1, double* direction);
// Unsigned angle at (x0, y0); false when either other point lies within 0.0001 of it.
bool AngleAtMiddlePoint(double x1, double y1, double x0, double y0, double x2, double y2,
                        double* angle);
// Unsigned angle at b; false only when a or c coincides exactly with b.
bool AngleBetweenAtVertex(const CLocation* a, const CLocation* b, const CLocation* c,
                          double* angle);
// True when the foot of p on the line a-b falls on the segment (with a little slack).
bool IsProjectionWithinSegment(const CLocation& p, const CLocation& a, const CLocation& b);

// ---- Angles at a vertex

// Counter-clockwise angle at v from a to c in (0, 2pi], its explement, and ccw plus pi reduced.
// False when either point coincides with the vertex or lacks plane coordinates.
bool AngleAtVertex(CLocation a, CLocation v, CLocation c, double* ccw, double* explement,
                   double* third);
bool AngleAtVertexXY(double ax, double ay, double vx, double vy, double cx, double cy,
                     double* ccw, double* explement, double* third);
// Counter-clockwise angle from direction g to the direction from the second point to the first.
bool AngleFromDirection(double x1, double y1, double x2, double y2, double g, double* ccw,
                        double* explement);
// Zenith angle from a to b; NoValue when either lacks an elevation.
double ZenithBetween(CLocation a, CLocation b);

// ---- Intersections

// Lines through p1 and p2 in the given directions; the point may lie behind p1.
bool IntersectDirections(CLocation p1, CLocation p2, double dir1, double dir2, CLocation* out);
// Line p1-p3 with line p2-p4; t is the position along p1-p3 (0 at p1, 1 at p3).
bool IntersectLines(CLocation p1, CLocation p2, CLocation p3, CLocation p4, CLocation* out,
                    double* t);
// Line through p1 and p2 with a circle; returns the number of points (0, 1 or 2).
int IntersectLineCircle(CLocation p1, CLocation p2, CLocation centre, double r, CLocation* out1,
                        CLocation* out2);
// Two circles; returns the number of points. One circle inside the other gives 0.
int IntersectCircles(CLocation c1, double r1, CLocation c2, double r2, CLocation* out1,
                     CLocation* out2);

// ---- Triangles (angles in radians)

// Two sides a, b and the included angle c. The square of the third side is always written to
// *c; when it is not positive nothing else is. a1 lies opposite b, a2 opposite a.
void SolveTriangleSAS(double a, double angleC, double b, double* a1, double* c, double* a2,
                      double* area);
// Angles opposite a, b and c; false for a side below 0.0001 or an impossible triangle.
bool SolveTriangleSSS(double a, double b, double c, double* angleA, double* angleB,
                      double* angleC, double* area);

// ---- Reductions of observations

// Earth curvature and refraction with coefficient k, applied to components v (vertical) and
// h (horizontal) of an observation with zenith z and slope distance s.
void ApplyCurvatureRefraction(double z, double s, double* v, double* h, double k);
// The same with the fixed coefficient 0.142.
void ApplyCurvatureRefractionFixed(double z, double s, double* v, double* h);
double CurvatureRefractionHeight(double d);
// Horizontal distance h with height difference v at elevation e, reduced to sea level.
bool ReduceDistanceToSeaLevel(double* out, double h, double v, double e);
// Slope observation to height difference and horizontal distance, instrument height h1 and
// target height h2.
void SlopeToComponents(bool correct, double h1, double h2, double va, double s, double* v,
                       double* h);
void ComponentsToSlope(bool correct, double h1, double h2, double dz, double d, double* va,
                       double* s);

// ---- Clothoid of length L and end radius R; theta = L / (2R)

double SpiralX(double theta, double length);
double SpiralY(double theta, double length);
// theta, the tangent offsets X and Y, the shift p and k; theta is written twice.
void SpiralElements(double length, double radius, double* theta, double* x, double* y, double* p,
                    double* k, double* thetaAgain);
// Point of intersection of the spiral's tangents, from the tangent point p looking at q.
bool SpiralPointOfIntersection(double* x, double* y, CLocation p, CLocation q, double length,
                               double radius, bool longTangent, bool reverse);

// ---- Circular curves (coordinate pairs)

// Centre from the start a, the end b and the point of intersection c of the tangents.
bool CurveCentreFromTangents(double ax, double ay, double bx, double by, double cx, double cy,
                             double* x, double* y);
// The other tangent point from the point of intersection a, a known tangent point b and the
// centre c (b mirrored about the line c-a).
bool CurveOtherTangentPoint(double ax, double ay, double bx, double by, double cx, double cy,
                            double* x, double* y);
// Point of intersection of the tangents from the centre a, the start b and the end c.
bool CurvePointOfIntersection(double ax, double ay, double bx, double by, double cx, double cy,
                              double* x, double* y);

// ---- Points and segments

// Distance of p along a-b and its offset (negative to the left); foot is the point on a-b.
bool OffsetFromSegment(const CLocation& a, const CLocation& b, const CLocation& p, double* along,
                       double* offset, CLocation* foot);
// The point at a distance along a-b (elevation interpolated) and the right-hand unit normal.
bool PointAlongSegment(const CLocation& a, const CLocation& b, double along, CLocation* foot,
                       double* nx, double* ny);
bool AlongToFraction(const CLocation& a, const CLocation& b, double along, double* t);
bool AlongWithinSegment(const CLocation& a, const CLocation& b, double along);
// Unit vector at right angles to a-b on its right-hand side; false when a and b coincide.
bool RightNormal(const CLocation& a, const CLocation& b, double* nx, double* ny);
// a + (b - a) t; the elevation only when both have one.
CLocation InterpolateLocation(const CLocation& a, const CLocation& b, double t);

void RotatePoint(CLocation* p, const CLocation* centre, double angle);
// The elevation moves only when present.
void TranslatePoint(CLocation* p, double dx, double dy, double dz);
// The elevation scales only when both it and the centre's are present.
void ScalePoint(CLocation* p, const CLocation* centre, double sx, double sy, double sz);
