#include "cogo/AngleOperations.h"

#include "core/NoValue.h"

#include <numbers>

namespace {
bool TurnsClockwise(AngleFieldKind kind)
{
    return kind == AngleFieldKind::HorizontalAngle || kind == AngleFieldKind::Zenith;
}
} // namespace

double AddQuarterTurn(AngleFieldKind kind, double value)
{
    if (!HasValue(value))
        return NoValue;
    const double q = std::numbers::pi / 2.0;
    return TurnsClockwise(kind) ? value - q : value + q;
}

double SubtractQuarterTurn(AngleFieldKind kind, double value)
{
    if (!HasValue(value))
        return NoValue;
    const double q = std::numbers::pi / 2.0;
    return TurnsClockwise(kind) ? value + q : value - q;
}

double AddHalfTurn(double value)
{
    return HasValue(value) ? value + std::numbers::pi : NoValue;
}

double AddAngleOffset(AngleFieldKind kind, double value, double offset)
{
    if (!HasValue(value))
        return NoValue;
    if (!HasValue(offset))
        return value;
    return TurnsClockwise(kind) ? value - offset : value + offset;
}

double ApplyScaleFactor(double value, bool factorInUse, double factor)
{
    if (!HasValue(value))
        return value;
    return value * (factorInUse ? factor : 1.0);
}

bool MenuStartValueForUnreadText(bool textEmpty, bool scaleOperation, double* value)
{
    if (!textEmpty)
        return false;
    *value = scaleOperation ? NoValue : 0.0;
    return true;
}
