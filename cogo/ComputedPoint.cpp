#include "cogo/ComputedPoint.h"

#include "model/DataFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"

#include <cmath>

namespace {

constexpr double kStoreLimit = 1e10;

bool InRange(double v)
{
    return std::isfinite(v) && std::fabs(v) < kStoreLimit;
}

} // namespace

bool IsStorableLocation(const CLocation& location)
{
    return InRange(location.x) && InRange(location.y) && (location.z <= NoValueLimit || InRange(location.z));
}

CPointRecord* StoreComputedPoint(CDataFileDoc& doc, const std::string& name, const CLocation& location,
                                 const std::string& description)
{
    if (!IsStorableLocation(location) || doc.GetPointDatabase() == nullptr)
        return nullptr;
    CPointRecord* point = doc.GetPointDatabase()->FindPoint(name, true);
    if (point == nullptr) {
        auto* created = new CPointRecord(name.c_str(), "", CLocation(), true);
        created->SetLocation(location, true);
        created->SetDescription(description.c_str());
        if (!doc.AddRecord(created)) {
            delete created;
            return nullptr;
        }
        point = created;
    } else {
        point->SetLocation(location, true);
        point->SetDescription(description.c_str());
        doc.RecordModified(point);
    }
    CRawDataNikonCogoRecord record;
    record.SetFromPoint(point);
    doc.AppendRawDataRecord(&record);
    point->Draw(true);
    return point;
}

bool ComputePointInDirection(const CLocation& from, double direction, double angle, double distance,
                             double rise, CLocation* out)
{
    if (!(distance > NoValueLimit) || !std::isfinite(distance) || !std::isfinite(direction) ||
        !std::isfinite(angle) || !from.HasPlaneCoordinates())
        return false;
    CLocation at = from.OffsetByDirectionDistance(direction - angle, distance);
    at.z = from.IsValid3D() && std::isfinite(rise) ? from.z + rise : NoValue;
    if (!IsStorableLocation(at))
        return false;
    *out = at;
    return true;
}
