#include "core/AngleFunctions.h"

#include "core/NoValue.h"

#include <cmath>

double NormalizeAngle(double a)
{
    double r = std::fmod(a, TwoPi);
    if (r < 0)
        r += TwoPi;
    return r;
}

double DirectionFromDelta(double dy, double dx)
{
    if (dy == 0.0 && dx == 0.0)
        return NoValue;
    if (dx == 0.0)
        return dy > 0 ? Pi / 2 : -Pi / 2;
    const double a = std::fabs(std::atan(dy / dx));
    if (dy > 0)
        return dx > 0 ? a : Pi - a;
    return dx > 0 ? -a : -Pi + a;
}
