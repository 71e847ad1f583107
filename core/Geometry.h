#pragma once

// Plane survey geometry: free functions without state. Angles are radians counter-clockwise
// from +x; computed locations carry no elevation unless stated. A false result or a count of 0
// means the geometry is undefined, and the outputs are then left as they were unless stated.

#include "core/Location.h"

// x to the integer power n by repeated squaring; a negative n gives the reciprocal.
double IntPower(double x, int n);

// Counter-clockwise angle at v from a to c in (0, 2pi], its explement, and ccw plus pi reduced.
// False when either point coincides exactly with the vertex.
bool AngleAtVertex(CLocation a, CLocation v, CLocation c, double* ccw, double* explement,
                   double* third);
bool AngleAtVertexXY(double ax, double ay, double vx, double vy, double cx, double cy,
                     double* ccw, double* explement, double* third);
