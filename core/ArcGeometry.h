#pragma once

// A circular arc given by three of its four defining points (start, end, centre and PI, the
// intersection of the tangents at the ends) yields the fourth. Each construction answers false
// when the three points do not describe an arc within 0.0001 m; x and y are then untouched.
// Computed points have no elevation.

#include "core/Location.h"

// The centre from the PI and the two ends: the tangent lengths must agree and the angle at the
// PI must be neither 0 nor a straight angle.
bool ArcCenterFromPI(double& x, double& y, const CLocation& pi, const CLocation& start, const CLocation& end);
// The start as the mirror image of the end in the line centre-PI; the tangent at the end must be
// perpendicular to the radius (within 1e-7 rad).
bool ArcStartFromEnd(double& x, double& y, const CLocation& pi, const CLocation& end, const CLocation& center);
// The same with the ends exchanged.
bool ArcEndFromStart(double& x, double& y, const CLocation& pi, const CLocation& start, const CLocation& center);
// The PI from the two ends and the centre: the radii must agree and the central angle be neither 0
// nor a half turn.
bool ArcPIFromEnds(double& x, double& y, const CLocation& start, const CLocation& end, const CLocation& center);
