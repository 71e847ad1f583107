#include "model/PointMeasurements.h"

#include "core/Location.h"
#include "core/MathConversions.h"
#include "model/PointRecord.h"

#include <cstddef>

namespace {

// Locations of point records; false when any is missing.
template <std::size_t N>
bool RecordLocations(const CPointRecord* const (&points)[N], CLocation (&out)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        if (points[i] == nullptr)
            return false;
        out[i] = points[i]->GetLocation();
    }
    return true;
}

} // namespace

bool SlopeDistanceBetweenPoints(const CMathConversions& conv, const CPointRecord* a, const CPointRecord* b,
                                double* d)
{
    CLocation p[2];
    return RecordLocations({a, b}, p) && conv.SlopeDistanceBetweenPoints(&p[0], &p[1], d);
}

bool ElevationDifferenceBetweenPoints(const CMathConversions& conv, const CPointRecord* a,
                                      const CPointRecord* b, double* dz)
{
    CLocation p[2];
    return RecordLocations({a, b}, p) && conv.ElevationDifferenceBetweenPoints(&p[0], &p[1], dz);
}

bool VerticalAngleBetweenPoints(const CMathConversions& conv, const CPointRecord* a, const CPointRecord* b,
                                double* angle)
{
    CLocation p[2];
    return RecordLocations({a, b}, p) && conv.VerticalAngleBetweenPoints(&p[0], &p[1], angle);
}

bool DirectionBetweenPoints(const CMathConversions& conv, const CPointRecord* a, const CPointRecord* b,
                            double* direction)
{
    CLocation p[2];
    return RecordLocations({a, b}, p) && conv.DirectionBetweenPoints(&p[0], &p[1], direction);
}

bool AngleAtVertexOfPoints(const CMathConversions& conv, const CPointRecord* a, const CPointRecord* b,
                           const CPointRecord* c, double* angle)
{
    CLocation p[3];
    return RecordLocations({a, b, c}, p) && conv.AngleAtVertexOfPoints(&p[0], &p[1], &p[2], angle);
}
