#include "core/ArcGeometry.h"

#include "core/Geometry.h"

#include <cmath>
#include <numbers>

namespace {

double Distance(const CLocation& a, const CLocation& b, double* direction)
{
    return DistanceDirectionXY(a.x, a.y, b.x, b.y, direction);
}

// a lies strictly left of the line from b to c.
bool LeftOfLine(const CLocation& a, const CLocation& b, const CLocation& c)
{
    return IsLeftOf(a.x, a.y, b.x, b.y, c.x, c.y);
}

// The unsigned angle at o between a and b; false when either lies within 0.0001 of o.
bool AngleAt(const CLocation& a, const CLocation& o, const CLocation& b, double* angle)
{
    return AngleAtMiddlePoint(a.x, a.y, o.x, o.y, b.x, b.y, angle);
}

// The mirror construction shared by the start and the end: the known end mirrored in the line
// from the centre to the PI.
bool MirrorEnd(double& x, double& y, const CLocation& pi, const CLocation& known, const CLocation& center)
{
    double unused;
    const double radius = Distance(known, center, &unused);
    if (radius < LengthTolerance)
        return false;
    double tangent;
    if (!AngleAt(pi, known, center, &tangent) || std::fabs(tangent - std::numbers::pi / 2) > 1e-7)
        return false;
    double gamma;
    if (!AngleAt(pi, center, known, &gamma))
        return false;
    if (gamma < LengthTolerance) {
        x = known.x;
        y = known.y;
        return true;
    }
    double toPi;
    Distance(center, pi, &toPi);
    const double direction = LeftOfLine(pi, center, known) ? toPi + gamma : toPi - gamma;
    PolarPoint(center.x, center.y, direction, radius, &x, &y);
    return true;
}

} // namespace

bool ArcCenterFromPI(double& x, double& y, const CLocation& pi, const CLocation& start, const CLocation& end)
{
    double unused;
    const double ts = Distance(start, pi, &unused);
    const double te = Distance(end, pi, &unused);
    if (te < LengthTolerance || std::fabs(ts - te) >= LengthTolerance)
        return false;
    double theta;
    if (!AngleAt(start, pi, end, &theta) || theta < LengthTolerance || std::fabs(theta - std::numbers::pi) < LengthTolerance)
        return false;
    // The radius leaves the chord at half the angle at the PI, on the side away from the PI.
    double chord;
    Distance(start, end, &chord);
    const double direction = LeftOfLine(pi, start, end) ? chord - theta / 2 : chord + theta / 2;
    PolarPoint(start.x, start.y, direction, std::tan(theta / 2) * ts, &x, &y);
    return true;
}

bool ArcStartFromEnd(double& x, double& y, const CLocation& pi, const CLocation& end, const CLocation& center)
{
    return MirrorEnd(x, y, pi, end, center);
}

bool ArcEndFromStart(double& x, double& y, const CLocation& pi, const CLocation& start, const CLocation& center)
{
    return MirrorEnd(x, y, pi, start, center);
}

bool ArcPIFromEnds(double& x, double& y, const CLocation& start, const CLocation& end, const CLocation& center)
{
    double unused;
    const double rs = Distance(start, center, &unused);
    const double re = Distance(end, center, &unused);
    if (rs < LengthTolerance || std::fabs(rs - re) >= LengthTolerance)
        return false;
    // The tangents of a half circle are parallel: there is no PI to give.
    double delta;
    if (!AngleAt(start, center, end, &delta) || delta < LengthTolerance
        || std::fabs(delta - std::numbers::pi) < LengthTolerance)
        return false;
    // The tangent leaves the chord at half the central angle, on the side away from the centre.
    double chord;
    Distance(start, end, &chord);
    const double direction = LeftOfLine(center, start, end) ? chord - delta / 2 : chord + delta / 2;
    PolarPoint(start.x, start.y, direction, std::tan(delta / 2) * rs, &x, &y);
    return true;
}
