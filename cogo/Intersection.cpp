#include "cogo/Intersection.h"

#include "core/Geometry.h"

#include <cmath>

namespace {

constexpr double kSameTolerance = 0.0001;
// The far point that turns a direction into a line for the circle crossing.
constexpr double kLineLength = 10000000.0;

bool IsFinitePoint(const CLocation& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && p.HasPlaneCoordinates();
}

// Touching figures give one solution: a second one this close is the first again.
bool IsSamePlace(const CLocation& a, const CLocation& b)
{
    return std::fabs(a.x - b.x) < kSameTolerance && std::fabs(a.y - b.y) < kSameTolerance;
}

bool IsUsableRadius(double r)
{
    return std::isfinite(r) && r > 0.0;
}

CIntersectionSolution Directions(const CIntersectionLine& a, const CIntersectionLine& b)
{
    CIntersectionSolution out;
    const double sA = std::sin(a.direction), cA = std::cos(a.direction);
    const double sB = std::sin(b.direction), cB = std::cos(b.direction);
    const double den = cB * sA - cA * sB;
    if (den > -1e-8 && den < 1e-8)
        return out;
    const double t = (cB * (b.base.y - a.base.y) - sB * (b.base.x - a.base.x)) / den;
    out.c = CLocation(a.base.x + cA * t, a.base.y + sA * t, NoValue);
    out.foundC = IsFinitePoint(out.c);
    return out;
}

CIntersectionSolution Circles(const CIntersectionLine& a, const CIntersectionLine& b)
{
    CIntersectionSolution out;
    const double rA = a.distance, rB = b.distance;
    double tAB = 0.0;
    const double d = a.base.DistanceAndDirection(b.base, &tAB);
    // Concentric circles leave the cosine below undefined.
    if (!(d >= kSameTolerance) || !IsUsableRadius(rA) || !IsUsableRadius(rB))
        return out;
    double q = (d / (2 * rA) + rA / (2 * d)) - rB * rB / (2 * d * rA);
    // Rounding leaves touching circles a hair beyond the cosine's range; rA + rB < d implies
    // q > 1, so q alone decides.
    if (q > 1.0 && q - 1.0 < 1e-12)
        q = 1.0;
    if (q < -1.0 && -1.0 - q < 1e-12)
        q = -1.0;
    if (!(q >= -1.0 && q <= 1.0))
        return out;
    const double angle = std::acos(q);
    out.c = CLocation(a.base.x + rA * std::cos(tAB - angle), a.base.y + rA * std::sin(tAB - angle), NoValue);
    out.d = CLocation(a.base.x + rA * std::cos(tAB + angle), a.base.y + rA * std::sin(tAB + angle), NoValue);
    out.foundC = IsFinitePoint(out.c);
    out.foundD = out.foundC && IsFinitePoint(out.d) && !IsSamePlace(out.c, out.d);
    return out;
}

CIntersectionSolution LineAndCircle(const CIntersectionLine& line, const CIntersectionLine& circle)
{
    CIntersectionSolution out;
    if (!IsUsableRadius(circle.distance) || !std::isfinite(line.direction))
        return out;
    const CLocation p(line.base.x, line.base.y, NoValue);
    const CLocation far = p.OffsetByDirectionDistance(line.direction, kLineLength);
    const CLocation centre(circle.base.x, circle.base.y, NoValue);
    CLocation one, two;
    const int count = IntersectLineCircle(p, far, centre, circle.distance, &one, &two);
    if (count < 1 || !IsFinitePoint(one) || (count == 2 && !IsFinitePoint(two)))
        return out;
    out.c = one;
    out.foundC = true;
    if (count == 2) {
        bool swap = two.y > one.y;
        if (std::fabs(one.y - two.y) < kSameTolerance) {
            // A line running (nearly) east-west: the one met later when walking the direction.
            const double ux = std::cos(line.direction), uy = std::sin(line.direction);
            const double along1 = (one.x - p.x) * ux + (one.y - p.y) * uy;
            const double along2 = (two.x - p.x) * ux + (two.y - p.y) * uy;
            swap = along2 > along1;
        }
        out.c = swap ? two : one;
        out.d = swap ? one : two;
        // A line that grazes the circle can still cross it twice a hair apart: one solution.
        out.foundD = !IsSamePlace(out.c, out.d);
    }
    return out;
}

} // namespace

CIntersectionSolution SolveIntersection(const CIntersectionLine& a, const CIntersectionLine& b)
{
    if (!IsFinitePoint(a.base) || !IsFinitePoint(b.base))
        return {};
    const bool circleA = a.mode == CIntersectionLine::ByDistance;
    const bool circleB = b.mode == CIntersectionLine::ByDistance;
    if (!circleA && !circleB)
        return Directions(a, b);
    if (circleA && circleB)
        return Circles(a, b);
    return circleA ? LineAndCircle(b, a) : LineAndCircle(a, b);
}
