#include "cogo/InverseValues.h"

#include "core/Format.h"

#include <cmath>

namespace {
constexpr const char* kNoValueText = "-----";
}

CInverseValues ComputeInverseValues(const CLocation& from, const CLocation& to)
{
    CInverseValues v;
    v.distance = from.Inverse(to, &v.direction, &v.de, &v.dn, &v.dz);
    if (!(v.distance > NoValueLimit))
        return CInverseValues{};
    if (v.dz > NoValueLimit) {
        v.slope = std::sqrt(v.de * v.de + v.dn * v.dn + v.dz * v.dz);
        if (v.distance >= 0.0001)
            v.grade = v.dz / v.distance;
    } else {
        v.dz = NoValue;
        v.slope = v.distance;
    }
    return v;
}

std::array<std::string, 7> FormatInverseValues(const CFormat& format, const CInverseValues& v, bool plainDistance)
{
    auto or_dash = [](double value, auto&& text) { return value > NoValueLimit ? text(value) : std::string(kNoValueText); };
    return {
        or_dash(v.distance, [&](double d) { return format.FormatDistance(d, plainDistance, false); }),
        or_dash(v.direction, [&](double d) { return format.FormatAzimuth(d, false); }),
        or_dash(v.dn, [&](double d) { return format.FormatDistance(d, false, false); }),
        or_dash(v.de, [&](double d) { return format.FormatDistance(d, false, false); }),
        or_dash(v.dz, [&](double d) { return format.FormatElevation(d, false, false); }),
        or_dash(v.slope, [&](double d) { return format.FormatDistance(d, false, false); }),
        or_dash(v.grade, [&](double d) { return format.FormatGrade(d, false); }),
    };
}
