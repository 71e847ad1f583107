#pragma once

class CMathConversions;
class CPointRecord;

// The measurements of CMathConversions between point records (their locations). False when a
// record is missing or lacks what the measurement needs.
bool SlopeDistanceBetweenPoints(const CMathConversions& conv, const CPointRecord* a, const CPointRecord* b,
                                double* d);
bool ElevationDifferenceBetweenPoints(const CMathConversions& conv, const CPointRecord* a,
                                      const CPointRecord* b, double* dz);
bool VerticalAngleBetweenPoints(const CMathConversions& conv, const CPointRecord* a, const CPointRecord* b,
                                double* angle);
bool DirectionBetweenPoints(const CMathConversions& conv, const CPointRecord* a, const CPointRecord* b,
                            double* direction);
// Counter-clockwise angle at b from a to c.
bool AngleAtVertexOfPoints(const CMathConversions& conv, const CPointRecord* a, const CPointRecord* b,
                           const CPointRecord* c, double* angle);
