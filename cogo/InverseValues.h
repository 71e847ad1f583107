#pragma once

#include "core/Location.h"

#include <array>
#include <string>

class CFormat;

// From point 1 to point 2. dz, and so the grade, are NoValue unless both points have an
// elevation; the slope distance is then the horizontal one. The grade is a ratio, NoValue also
// when the points share a position.
struct CInverseValues
{
    double distance = NoValue;
    double direction = NoValue;
    double dn = NoValue;
    double de = NoValue;
    double dz = NoValue;
    double slope = NoValue;
    double grade = NoValue;
};

CInverseValues ComputeInverseValues(const CLocation& from, const CLocation& to);

// Distance, direction, dN, dE, dZ, slope distance, grade ("-----" where there is no value), in
// the order of the inverse report's columns. plainDistance is the side-shot list's form.
std::array<std::string, 7> FormatInverseValues(const CFormat& format, const CInverseValues& values,
                                               bool plainDistance = false);
