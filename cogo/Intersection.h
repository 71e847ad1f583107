#pragma once

#include "core/Location.h"

// One of the two lines of an intersection: a straight line through the base point in a direction
// (internal angle, counter-clockwise from grid east), or a circle of the distance around it.
struct CIntersectionLine
{
    enum Mode { ByDirection = 0, ByDistance = 1 };

    CLocation base;
    int mode = ByDirection;
    double direction = 1.5707963267948966;
    double distance = NoValue;
};

// Up to two crossings; C is always the first one found. Neither has an elevation.
struct CIntersectionSolution
{
    bool foundC = false;
    bool foundD = false;
    CLocation c;
    CLocation d;

    bool Found() const { return foundC; }
};

// Directions: C only, none for (nearly) parallel lines. Circles: C right of the line from A to
// B, D left of it, D dropped when it meets C. Line and circle: C the crossing with the greater
// northing, or the one farther along the direction when the northings agree. Anything that
// cannot give a finite point (coincident centres, a radius not above zero) finds nothing.
CIntersectionSolution SolveIntersection(const CIntersectionLine& a, const CIntersectionLine& b);
