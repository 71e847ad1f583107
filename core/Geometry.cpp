#include "core/Geometry.h"

#include "core/AngleFunctions.h"
#include "core/NoValue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double RightAngleTolerance = 1e-07;
constexpr double ProjectionTolerance = 1e-06;
// (1 - k/2) / R and (1 - k) / (2R) for k = 0.142.
constexpr double FixedCurvatureFactor = 1.45794099e-07;
constexpr double FixedRefractionFactor = 6.73258e-08;

double DistanceXY(double x0, double y0, double x1, double y1)
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    return std::sqrt(dx * dx + dy * dy);
}

// Angles found at a point for the curve solvers are folded into [0, pi].
bool FoldedAngleAt(double x1, double y1, double x0, double y0, double x2, double y2, double* angle)
{
    double a = 0;
    if (!AngleAtMiddlePoint(x1, y1, x0, y0, x2, y2, &a))
        return false;
    while (a < 0)
        a += TwoPi;
    while (a > TwoPi)
        a -= TwoPi;
    if (a >= Pi)
        a = TwoPi - a;
    *angle = a;
    return true;
}

} // namespace

double IntPower(double x, int n)
{
    // Widen before negating so the most negative int does not overflow.
    uint64_t e = n < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(n)) : static_cast<uint64_t>(n);
    double result = 1.0;
    while (e != 0) {
        if (e & 1)
            result *= x;
        e >>= 1;
        if (e == 0)
            break;
        x *= x;
    }
    return n < 0 ? 1.0 / result : result;
}

double Hypot2(double a, double b)
{
    if (a == 0.0 && b == 0.0)
        return 0.0;
    const double p = std::fabs(a);
    const double q = std::fabs(b);
    if (q <= p) {
        const double r = q / p;
        return p * std::sqrt(1.0 + r * r);
    }
    const double r = p / q;
    return q * std::sqrt(r * r + 1.0);
}

double Hypot3(double a, double b, double c)
{
    if (a == 0.0 && b == 0.0 && c == 0.0)
        return 0.0;
    const double m = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
    const double ra = a / m, rb = b / m, rc = c / m;
    return m * std::sqrt(rc * rc + ra * ra + rb * rb);
}

double AngleDifference(double a, double b)
{
    double d = std::fmod(b - a, TwoPi);
    if (d > Pi)
        d -= TwoPi;
    else if (d < -Pi)
        d += TwoPi;
    return d;
}

double BisectDirections(double d1, double d2)
{
    const double e1 = NormalizeAngle(d1);
    const double e2 = NormalizeAngle(d2);
    double u = e2 - e1;
    if (u < 0)
        u += TwoPi;
    return u < Pi ? e1 + u / 2 : e1 - (Pi - u / 2);
}

namespace {
double CounterClockwiseTurn(double d1, double d2)
{
    double u = NormalizeAngle(d2) - NormalizeAngle(d1);
    if (u <= 0)
        u += TwoPi;
    return u;
}
} // namespace

double ClockwiseAngle(double d1, double d2)
{
    return TwoPi - CounterClockwiseTurn(d1, d2);
}

double SmallerAngle(double d1, double d2)
{
    const double u = CounterClockwiseTurn(d1, d2);
    return u > Pi ? TwoPi - u : u;
}

bool AnglesWithinTolerance(double d1, double d2, double tol)
{
    const double e1 = NormalizeAngle(d1);
    const double e2 = NormalizeAngle(d2);
    if (e1 < tol && e2 > TwoPi - tol)
        return (TwoPi - e2) + e1 <= tol;
    if (e2 < tol && e1 > TwoPi - tol)
        return (TwoPi - e1) + e2 <= tol;
    return std::fabs(e1 - e2) <= tol;
}

bool SnapCosine(double* c)
{
    if (std::fabs(*c - 1.0) < LengthTolerance) {
        *c = 1.0;
        return true;
    }
    if (std::fabs(*c + 1.0) < LengthTolerance) {
        *c = -1.0;
        return true;
    }
    return *c >= -1.0 && *c <= 1.0;
}

double Cross3XY(double ax, double ay, double bx, double by, double cx, double cy)
{
    return (cy - by) * (ax - bx) - (cx - bx) * (ay - by);
}

double Cross3(const CLocation& a, const CLocation& b, const CLocation& c)
{
    return Cross3XY(a.x, a.y, b.x, b.y, c.x, c.y);
}

double Dot3XY(double ax, double ay, double bx, double by, double cx, double cy)
{
    return (cy - by) * (ay - by) + (cx - bx) * (ax - bx);
}

double Dot3(const CLocation& a, const CLocation& b, const CLocation& c)
{
    return Dot3XY(a.x, a.y, b.x, b.y, c.x, c.y);
}

bool IsLeftOf(double ax, double ay, double bx, double by, double cx, double cy)
{
    // (C - B) x (A - B)
    return (cx - bx) * (ay - by) - (cy - by) * (ax - bx) > 0;
}

bool IsLeftOf(const CLocation* a, const CLocation* b, const CLocation* c)
{
    return IsLeftOf(a->x, a->y, b->x, b->y, c->x, c->y);
}

int SideOfLine(const CLocation& p, const CLocation& b, const CLocation& c)
{
    const double cross = (c.x - b.x) * (p.y - b.y) - (c.y - b.y) * (p.x - b.x);
    if (std::fabs(cross) < LengthTolerance)
        return 1;
    return cross <= 0 ? 2 : 0;
}

bool SameSide(const CLocation& p1, const CLocation& p2, const CLocation& b, const CLocation& c)
{
    return SideOfLine(p1, b, c) == SideOfLine(p2, b, c);
}

void SideAndDistance(const CLocation& a, const CLocation& b, const CLocation& c, double* distance,
                     int* side)
{
    *distance = b.HorizontalDistance(c);
    // z of (A - B) x (C - B)
    const double z = (a.x - b.x) * (c.y - b.y) - (a.y - b.y) * (c.x - b.x);
    *side = z == 0.0 ? 0 : (z < 0 ? 1 : -1);
}

void PolarPoint(double x0, double y0, double direction, double distance, double* x, double* y)
{
    *x = x0 + distance * std::cos(direction);
    *y = y0 + distance * std::sin(direction);
}

double DistanceDirectionXY(double x0, double y0, double x1, double y1, double* direction)
{
    *direction = 0;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double d = std::sqrt(dy * dy + dx * dx);
    if (d == 0.0) {
        *direction = NoValue;
        return 0.0;
    }
    *direction = DirectionFromDelta(dy, dx);
    return d;
}

bool AngleAtMiddlePoint(double x1, double y1, double x0, double y0, double x2, double y2,
                        double* angle)
{
    const double d1 = DistanceXY(x0, y0, x1, y1);
    const double d2 = DistanceXY(x0, y0, x2, y2);
    if (d1 < LengthTolerance || d2 < LengthTolerance)
        return false;
    const double c = std::clamp(Dot3XY(x1, y1, x0, y0, x2, y2) / (d1 * d2), -1.0, 1.0);
    *angle = std::acos(c);
    return true;
}

bool AngleBetweenAtVertex(const CLocation* a, const CLocation* b, const CLocation* c,
                          double* angle)
{
    const double product = DistanceXY(b->x, b->y, a->x, a->y) * DistanceXY(b->x, b->y, c->x, c->y);
    if (product == 0.0)
        return false;
    *angle = std::acos(std::clamp(Dot3(*a, *b, *c) / product, -1.0, 1.0));
    return true;
}

bool IsProjectionWithinSegment(const CLocation& p, const CLocation& a, const CLocation& b)
{
    const double fromA = (b.x - a.x) * (p.x - a.x) + (b.y - a.y) * (p.y - a.y);
    const double fromB = (a.x - b.x) * (p.x - b.x) + (a.y - b.y) * (p.y - b.y);
    return fromA >= -ProjectionTolerance && fromB >= -ProjectionTolerance;
}

bool AngleAtVertex(CLocation a, CLocation v, CLocation c, double* ccw, double* explement,
                   double* third)
{
    double toA = 0;
    double toC = 0;
    // A point without plane coordinates has no direction either: refuse it like a coincident one.
    if (!(v.DistanceAndDirection(a, &toA) > 0.0) || !(v.DistanceAndDirection(c, &toC) > 0.0))
        return false;
    const double t = NormalizeAngle(toC) - NormalizeAngle(toA);
    *ccw = t > 0 ? t : t + TwoPi;
    *explement = TwoPi - *ccw;
    *third = NormalizeAngle(3 * Pi - *explement);
    return true;
}

bool AngleAtVertexXY(double ax, double ay, double vx, double vy, double cx, double cy,
                     double* ccw, double* explement, double* third)
{
    return AngleAtVertex(CLocation(ax, ay, NoValue), CLocation(vx, vy, NoValue),
                         CLocation(cx, cy, NoValue), ccw, explement, third);
}

bool AngleFromDirection(double x1, double y1, double x2, double y2, double g, double* ccw,
                        double* explement)
{
    double direction = 0;
    if (DistanceDirectionXY(x2, y2, x1, y1, &direction) == 0.0)
        return false;
    const double t = NormalizeAngle(direction) - NormalizeAngle(g);
    *ccw = t > 0 ? t : t + TwoPi;
    *explement = TwoPi - *ccw;
    return true;
}

double ZenithBetween(CLocation a, CLocation b)
{
    double direction = 0, dx = 0, dy = 0, dz = 0;
    const double h = a.Inverse(b, &direction, &dx, &dy, &dz);
    if (!HasValue(dz))
        return NoValue;
    return VerticalAngleToZenith(DirectionFromDelta(dz, h));
}

bool IntersectDirections(CLocation p1, CLocation p2, double dir1, double dir2, CLocation* out)
{
    const double s1 = std::sin(dir1), c1 = std::cos(dir1);
    const double s2 = std::sin(dir2), c2 = std::cos(dir2);
    const double den = c2 * s1 - c1 * s2;
    if (den > -ParallelTolerance && den < ParallelTolerance)
        return false;
    const double t = (c2 * (p2.y - p1.y) - s2 * (p2.x - p1.x)) / den;
    *out = CLocation(p1.x + c1 * t, p1.y + s1 * t, NoValue);
    return true;
}

bool IntersectLines(CLocation p1, CLocation p2, CLocation p3, CLocation p4, CLocation* out,
                    double* t)
{
    const double d1x = p3.x - p1.x, d1y = p3.y - p1.y;
    const double d2x = p4.x - p2.x, d2y = p4.y - p2.y;
    const double l1 = std::sqrt(d1x * d1x + d1y * d1y);
    const double l2 = std::sqrt(d2x * d2x + d2y * d2y);
    if (!(l1 >= LengthTolerance) || !(l2 >= LengthTolerance))
        return false;
    const double s = (d2x * d1y - d1x * d2y) / (l1 * l2);
    if (s > -ParallelTolerance && s < ParallelTolerance)
        return false;
    // Solve p1 + t d1 = p2 + u d2 for t.
    const double cross = d1x * d2y - d1y * d2x;
    *t = ((p2.x - p1.x) * d2y - (p2.y - p1.y) * d2x) / cross;
    *out = CLocation(p1.x + *t * d1x, p1.y + *t * d1y, NoValue);
    return true;
}

int IntersectLineCircle(CLocation p1, CLocation p2, CLocation centre, double r, CLocation* out1,
                        CLocation* out2)
{
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    // Two coincident points define no line; dividing by the length would give points of NaN.
    if (!(length >= LengthTolerance))
        return 0;
    // Worked from the foot of the perpendicular with a unit direction: the squares of a long line's
    // length lose the few digits that tell a tangent from a near miss.
    const double ux = dx / length, uy = dy / length;
    const double cx = centre.x - p1.x, cy = centre.y - p1.y;
    const double along = cx * ux + cy * uy;
    const double h = std::fabs(cx * uy - cy * ux);
    const CLocation foot(p1.x + along * ux, p1.y + along * uy, NoValue);
    // Rounding in h grows with the figure's size, so tangency is decided relative to it.
    const double tolerance = 1e-9 * std::max({1.0, r, std::hypot(cx, cy)});
    if (std::fabs(h - r) <= tolerance) {
        *out1 = foot;
        return 1;
    }
    // Also a centre or radius without a value.
    if (!(h < r))
        return 0;
    const double half = std::sqrt((r - h) * (r + h));
    // The first point is the one with the greater y; on a level line, the one farther along p1-p2.
    const double sg = dy >= 0 ? 1.0 : -1.0;
    *out1 = CLocation(foot.x + sg * ux * half, foot.y + sg * uy * half, NoValue);
    *out2 = CLocation(foot.x - sg * ux * half, foot.y - sg * uy * half, NoValue);
    return 2;
}

int IntersectCircles(CLocation c1, double r1, CLocation c2, double r2, CLocation* out1,
                     CLocation* out2)
{
    const double d = c1.HorizontalDistance(c2);
    // A centre without coordinates gives no distance, and no intersection.
    if (!HasValue(d))
        return 0;
    if (d > r1 + r2)
        return 0;
    if (std::fabs(d) < LengthTolerance)
        return 0;
    if (d == r1 + r2) {
        *out1 = CLocation(c1.x + (c2.x - c1.x) * r1 / d, c1.y + (c2.y - c1.y) * r1 / d, NoValue);
        return 1;
    }
    const double a = (d * d + r1 * r1 - r2 * r2) / (2 * d);
    const double h2 = r1 * r1 - a * a;
    // One circle inside the other.
    if (!(h2 >= 0))
        return 0;
    const CLocation m(c1.x + (c2.x - c1.x) * a / d, c1.y + (c2.y - c1.y) * a / d, NoValue);
    const double h = std::sqrt(h2);
    double g = 0;
    c1.DistanceAndDirection(m, &g);
    // a is 0 when the chord passes through c1; the chord is then square to the centre line.
    if (!HasValue(g))
        c1.DistanceAndDirection(c2, &g);
    *out1 = m.OffsetByDirectionDistance(g + Pi / 2, h);
    *out2 = m.OffsetByDirectionDistance(g - Pi / 2, h);
    return 2;
}

void SolveTriangleSAS(double a, double angleC, double b, double* a1, double* c, double* a2,
                      double* area)
{
    const double c2 = a * a + b * b - std::cos(angleC) * 2 * a * b;
    *c = c2;
    if (!(c2 > 0))
        return;
    *c = std::sqrt(c2);
    const double sin1 = std::clamp(std::sin(angleC) * b / *c, -1.0, 1.0);
    const double sin2 = std::clamp(std::sin(angleC) * a / *c, -1.0, 1.0);
    *a1 = std::asin(sin1);
    *a2 = std::asin(sin2);
    // asin cannot tell an obtuse angle; take the one opposite the longer side from the sum.
    if (b <= a)
        *a2 = (Pi - angleC) - *a1;
    else
        *a1 = (Pi - angleC) - *a2;
    *area = std::fabs(std::sin(*a1) * a * *c / 2);
}

bool SolveTriangleSSS(double a, double b, double c, double* angleA, double* angleB,
                      double* angleC, double* area)
{
    a = std::fabs(a);
    b = std::fabs(b);
    c = std::fabs(c);
    if (!(a >= LengthTolerance) || !(b >= LengthTolerance) || !(c >= LengthTolerance))
        return false;
    if (!(a + b > c) || !(b + c > a) || !(a + c > b))
        return false;
    const double cosA = c / (2 * b) + b / (2 * c) - a * a / (2 * b * c);
    const double cosB = c / (2 * a) + a / (2 * c) - b * b / (2 * a * c);
    const double cosC = a / (2 * b) + b / (2 * a) - c * c / (2 * a * b);
    if (std::fabs(cosA) > 1 || std::fabs(cosB) > 1 || std::fabs(cosC) > 1)
        return false;
    *angleA = std::acos(cosA);
    *angleB = std::acos(cosB);
    *angleC = std::acos(cosC);
    *area = std::fabs(std::sin(*angleA) * b * c / 2);
    return true;
}

void ApplyCurvatureRefraction(double z, double s, double* v, double* h, double k)
{
    const double oldH = *h;
    *h = oldH - (1 - k / 2) * std::sin(2 * z) * s * s / (2 * EarthRadius);
    *v = *v + (1 - k) * oldH * oldH / (2 * EarthRadius);
}

void ApplyCurvatureRefractionFixed(double z, double s, double* v, double* h)
{
    *h = *h - std::cos(z) * (std::sin(z) * s * FixedCurvatureFactor * s);
    *v = *v + std::sin(z) * (std::sin(z) * s * FixedRefractionFactor * s);
}

double CurvatureRefractionHeight(double d)
{
    return d * FixedRefractionFactor * d;
}

bool ReduceDistanceToSeaLevel(double* out, double h, double v, double e)
{
    if (h < NoValueLimit || v < NoValueLimit || e < NoValueLimit)
        return false;
    const double den = v / 2 + e + EarthRadius;
    if (std::fabs(den) < LengthTolerance)
        return false;
    const double result = h * EarthRadius / den;
    if (result < NoValueLimit)
        return false;
    *out = result;
    return true;
}

void SlopeToComponents(bool correct, double h1, double h2, double va, double s, double* v,
                       double* h)
{
    *v = std::sin(va) * s - h1 + h2;
    *h = std::cos(va) * s;
    if (correct)
        ApplyCurvatureRefractionFixed(Pi / 2 - va, s, v, h);
}

void ComponentsToSlope(bool correct, double h1, double h2, double dz, double d, double* va,
                       double* s)
{
    double rise = dz + h1 - h2;
    if (correct)
        rise += CurvatureRefractionHeight(d);
    *va = DirectionFromDelta(rise, d);
    *s = std::sqrt(rise * rise + d * d);
}

double SpiralX(double theta, double length)
{
    const double t2 = theta * theta;
    const double t4 = t2 * t2;
    const double t6 = t4 * t2;
    const double t8 = t4 * t4;
    return length * (1 - t2 / 10 + t4 / 216 - t6 / 9360 + t8 / 685440);
}

double SpiralY(double theta, double length)
{
    const double t2 = theta * theta;
    const double t3 = t2 * theta;
    const double t5 = t3 * t2;
    const double t7 = t5 * t2;
    const double t9 = t7 * t2;
    return length * (theta / 3 - t3 / 42 + t5 / 1320 - t7 / 75600 + t9 / 6894720);
}

void SpiralElements(double length, double radius, double* theta, double* x, double* y, double* p,
                    double* k, double* thetaAgain)
{
    const double t = length * 0.5 / radius;
    *theta = t;
    *x = length * (1 - std::pow(t, 2) / 10 + std::pow(t, 4) / 216 - std::pow(t, 6) / 9360);
    *y = length * (t / 3 - std::pow(t, 3) / 42 + std::pow(t, 5) / 1320 - std::pow(t, 7) / 75600);
    *p = *y - radius * (1 - std::cos(t));
    *k = *x - radius * std::sin(t);
    *thetaAgain = t;
}

bool SpiralPointOfIntersection(double* x, double* y, CLocation p, CLocation q, double length,
                               double radius, bool longTangent, bool reverse)
{
    if (std::fabs(radius) < LengthTolerance || std::fabs(length) < LengthTolerance)
        return false;
    double g = 0;
    // Without a direction from p to q there is no tangent to work from.
    if (!(p.DistanceAndDirection(q, &g) > 0.0))
        return false;
    const double theta = length / radius * 0.5;
    const double sx = SpiralX(theta, length);
    const double sy = SpiralY(theta, length);
    const double delta = DirectionFromDelta(sy, sx);
    double distance = 0;
    if (longTangent) {
        g = reverse ? g - delta : g + delta;
        distance = sx - sy / std::tan(theta);
    } else {
        g = reverse ? g - (theta - delta) : g + (theta - delta);
        distance = sy / std::sin(theta);
    }
    PolarPoint(p.x, p.y, g, distance, x, y);
    return true;
}

bool CurveCentreFromTangents(double ax, double ay, double bx, double by, double cx, double cy,
                             double* x, double* y)
{
    const double t = DistanceXY(ax, ay, cx, cy);
    if (t < LengthTolerance || !(std::fabs(DistanceXY(bx, by, cx, cy) - t) < LengthTolerance))
        return false;
    double phi = 0;
    // Tangents in one straight line meet no circle: tan(phi / 2) would put the centre
    // astronomically far away.
    if (!FoldedAngleAt(ax, ay, cx, cy, bx, by, &phi) || phi < LengthTolerance ||
        std::fabs(phi - Pi) < LengthTolerance)
        return false;
    double g = 0;
    DistanceDirectionXY(ax, ay, bx, by, &g);
    g = IsLeftOf(cx, cy, ax, ay, bx, by) ? g - phi / 2 : g + phi / 2;
    PolarPoint(ax, ay, g, std::tan(phi / 2) * t, x, y);
    return true;
}

bool CurveOtherTangentPoint(double ax, double ay, double bx, double by, double cx, double cy,
                            double* x, double* y)
{
    const double r = DistanceXY(bx, by, cx, cy);
    if (r < LengthTolerance)
        return false;
    double atB = 0;
    if (!FoldedAngleAt(ax, ay, bx, by, cx, cy, &atB) ||
        !(std::fabs(atB - Pi / 2) <= RightAngleTolerance))
        return false;
    double phi = 0;
    if (!FoldedAngleAt(ax, ay, cx, cy, bx, by, &phi))
        return false;
    if (phi < LengthTolerance) {
        *x = bx;
        *y = by;
        return true;
    }
    double g = 0;
    DistanceDirectionXY(cx, cy, ax, ay, &g);
    g = IsLeftOf(ax, ay, cx, cy, bx, by) ? g + phi : g - phi;
    PolarPoint(cx, cy, g, r, x, y);
    return true;
}

bool CurvePointOfIntersection(double ax, double ay, double bx, double by, double cx, double cy,
                              double* x, double* y)
{
    const double r = DistanceXY(cx, cy, ax, ay);
    const double rb = DistanceXY(bx, by, ax, ay);
    if (r < LengthTolerance || !(std::fabs(rb - r) < LengthTolerance))
        return false;
    double phi = 0;
    if (!FoldedAngleAt(bx, by, ax, ay, cx, cy, &phi) || phi < LengthTolerance ||
        std::fabs(phi - Pi) < LengthTolerance)
        return false;
    double g = 0;
    DistanceDirectionXY(bx, by, cx, cy, &g);
    g = IsLeftOf(ax, ay, bx, by, cx, cy) ? g - phi / 2 : g + phi / 2;
    PolarPoint(bx, by, g, std::tan(phi / 2) * rb, x, y);
    return true;
}

bool OffsetFromSegment(const CLocation& a, const CLocation& b, const CLocation& p, double* along,
                       double* offset, CLocation* foot)
{
    if (!IsProjectionWithinSegment(p, a, b))
        return false;
    const double l = DistanceXY(a.x, a.y, b.x, b.y);
    if (l == 0.0)
        return false;
    double off = std::fabs((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / l;
    if (SideOfLine(p, a, b) == 0)
        off = -off;
    const double d = DistanceXY(a.x, a.y, p.x, p.y);
    const double radicand = d * d - off * off;
    const double s = radicand < 0 ? 0.0 : std::sqrt(radicand);
    double nx = 0, ny = 0;
    if (!PointAlongSegment(a, b, s, foot, &nx, &ny))
        return false;
    *offset = off;
    *along = s;
    return true;
}

bool PointAlongSegment(const CLocation& a, const CLocation& b, double along, CLocation* foot,
                       double* nx, double* ny)
{
    double t = 0;
    if (!AlongToFraction(a, b, along, &t))
        return false;
    *foot = InterpolateLocation(a, b, t);
    return RightNormal(a, b, nx, ny);
}

bool AlongToFraction(const CLocation& a, const CLocation& b, double along, double* t)
{
    if (!AlongWithinSegment(a, b, along))
        return false;
    *t = std::clamp(along / DistanceXY(a.x, a.y, b.x, b.y), 0.0, 1.0);
    return true;
}

bool AlongWithinSegment(const CLocation& a, const CLocation& b, double along)
{
    const double l = DistanceXY(a.x, a.y, b.x, b.y);
    if (l == 0.0)
        return false;
    return !(along + LengthTolerance < 0) && !(l + LengthTolerance < along);
}

bool RightNormal(const CLocation& a, const CLocation& b, double* nx, double* ny)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (dy * dy == 0.0) {
        if (dx == 0.0)
            return false;
        *nx = 0.0;
        *ny = dx > 0 ? -1.0 : 1.0;
        return true;
    }
    const double s = std::sqrt(dx * dx / (dy * dy) + 1);
    double x = 1 / s;
    double y = -(dx / dy) / s;
    if (IsLeftOf(a.x + x, a.y + y, a.x, a.y, b.x, b.y)) {
        x = -x;
        y = -y;
    }
    *nx = x;
    *ny = y;
    return true;
}

CLocation InterpolateLocation(const CLocation& a, const CLocation& b, double t)
{
    // Interpolating towards an absent elevation would invent one (at t = 1 the no-value
    // markers cancel to 0), so the result has one only when both ends do.
    const double z = HasValue(a.z) && HasValue(b.z) ? a.z + (b.z - a.z) * t : NoValue;
    return CLocation(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, z);
}

void RotatePoint(CLocation* p, const CLocation* centre, double angle)
{
    p->RotateAbout(*centre, angle);
}

void TranslatePoint(CLocation* p, double dx, double dy, double dz)
{
    p->x += dx;
    p->y += dy;
    if (p->z > NoValueLimit)
        p->z += dz;
}

void ScalePoint(CLocation* p, const CLocation* centre, double sx, double sy, double sz)
{
    p->x = (p->x - centre->x) * sx + centre->x;
    p->y = (p->y - centre->y) * sy + centre->y;
    if (p->z > NoValueLimit && centre->z > NoValueLimit)
        p->z = (p->z - centre->z) * sz + centre->z;
}
