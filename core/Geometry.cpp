#include "core/Geometry.h"

#include "core/AngleFunctions.h"
#include "core/NoValue.h"

#include <cmath>
#include <cstdint>

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
