#pragma once

// Free angle functions. Directions are radians counter-clockwise from the +x (east) axis.

inline constexpr double Pi = 3.14159265358979323846;
inline constexpr double TwoPi = 2.0 * Pi;

// Reduces an angle to [0, 2pi).
double NormalizeAngle(double a);

// Direction of the vector (dx, dy) in [-pi, pi); NoValue when both are exactly 0.
double DirectionFromDelta(double dy, double dx);
