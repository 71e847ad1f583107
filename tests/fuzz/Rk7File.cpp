// Reads arbitrary bytes as a data collector's coordinate file, record by record and as points.
#include "core/MathConversions.h"
#include "exchange/Rk7File.h"
#include "model/PointRecord.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

class MetreConversions : public CMathConversions
{
public:
    int GetAngleUnits() const override { return AngleUnitDegrees; }
    int GetAzimuthFormat() const override { return AzimuthNorth; }
    int GetDistanceUnits() const override { return ClassUnitMetres; }
    double SquareMetresToDisplay(double v) const override { return v; }
    double DisplayAreaToLargeArea(double v) const override { return v; }
    double LargeAreaToDisplayArea(double v) const override { return v; }
    std::string GetAreaUnitLabel() const override { return ""; }
    std::string GetLargeAreaUnitLabel() const override { return ""; }
    std::string GetDistanceUnitLabel() const override { return "m"; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    char path[] = "/tmp/morvel-fuzz-rk7-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    const bool written = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        CRk7File file;
        if (file.Open(path, true)) {
            CRk7File::Header header;
            file.GetHeader(header);
            MetreConversions conversions;
            file.SeekToFirstRecord();
            int context = 0;
            for (;;) {
                CPointRecord point;
                if (!file.ReadPoint(&point, &context, &conversions))
                    break;
                point.GetDescription();
            }
        }
    }
    unlink(path);
    return 0;
}
