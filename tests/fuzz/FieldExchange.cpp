// Types each line of the input into a dialog field and reads it back through every field-exchange
// routine for values, names, dates and numbers: none may crash, hang or throw past the exchange,
// whatever the text, and a refused field must leave its variable as it was. Lines are read with
// no job open and with a job holding a few points, its units changing from line to line.
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/NoValue.h"
#include "core/TextFieldExchange.h"
#include "tests/core/DdxFakes.h"
#include "tests/core/ValueTextFakes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using morvel::test::ActiveJobScope;
using morvel::test::FakeDialog;
using morvel::test::FakeJob;

constexpr int Id = 1;

FakeJob& PointJob()
{
    static FakeJob job = [] {
        FakeJob j;
        j.points["1"] = CLocation(1000.0, 2000.0, 50.0);
        j.points["2"] = CLocation(1100.0, 2050.0, NoValue);
        j.points["P7"] = CLocation(-1e9, 1e9, 1e12);
        return j;
    }();
    return job;
}

// One routine over a variable of its own type; a refusal must keep the variable.
template <typename T>
void Exchange(FakeDialog& dialog, bool quiet, const std::function<bool(CDataExchange*, T&, bool)>& routine, T start)
{
    T value = start;
    bool accepted = false;
    const bool ok = dialog.Save([&](CDataExchange& dx) { accepted = routine(&dx, value, quiet); });
    if ((!ok || !accepted) && !(value == start))
        std::abort();
    dialog.Load([&](CDataExchange& dx) { routine(&dx, value, quiet); });
}

void ReadLine(const std::string& line)
{
    FakeDialog dialog;
    for (bool quiet : {false, true}) {
        auto number = [&](std::function<bool(CDataExchange*, double&, bool)> r) {
            dialog.Add(Id, line);
            Exchange<double>(dialog, quiet, r, 7.25);
        };
        number([](CDataExchange* dx, double& v, bool q) { return DDX_HorizontalDistance(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_SlopeDistance(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_NonZeroDistance(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_Station(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_ZenithAngle(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_AngleOrBearing(dx, Id, v, false, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_ClockwiseAngle(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_DirectionAsAzimuth(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_DmsNumberAngle(dx, Id, v, 2, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_Grade(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_Area(dx, Id, v, true, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_Northing(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_RequiredElevation(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_LatitudeDegrees(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_Longitude(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_Degrees(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_NumberInRange10000(dx, Id, v, q); });
        number([](CDataExchange* dx, double& v, bool q) { return DDX_DoubleText(dx, Id, v, q); });

        auto text = [&](std::function<bool(CDataExchange*, std::string&, bool)> r) {
            dialog.Add(Id, line);
            Exchange<std::string>(dialog, quiet, r, "start");
        };
        text([](CDataExchange* dx, std::string& v, bool q) { return DDX_NewPointName(dx, Id, v, q); });
        text([](CDataExchange* dx, std::string& v, bool q) { return DDX_ExistingPointName(dx, Id, v, q); });
        text([](CDataExchange* dx, std::string& v, bool q) { return DDX_PointNameMayExist(dx, Id, v, q); });
        text([](CDataExchange* dx, std::string& v, bool q) { return DDX_Description(dx, Id, v, q); });
        text([](CDataExchange* dx, std::string& v, bool q) { return DDX_Date(dx, Id, v, q); });
        text([](CDataExchange* dx, std::string& v, bool q) { return DDX_Time(dx, Id, v, q); });

        dialog.Add(Id, line);
        Exchange<int32_t>(dialog, quiet, [](CDataExchange* dx, int32_t& v, bool q) { return DDX_Int(dx, Id, v, q); }, 3);
        Exchange<int16_t>(dialog, quiet, [](CDataExchange* dx, int16_t& v, bool q) { return DDX_Short(dx, Id, v, q); },
                          int16_t(3));
        Exchange<uint32_t>(dialog, quiet, [](CDataExchange* dx, uint32_t& v, bool q) { return DDX_DWord(dx, Id, v, q); },
                           3u);
        char buffer[8] = "abc";
        dialog.Save([&](CDataExchange& dx) { DDX_CharBuffer(&dx, Id, buffer, sizeof buffer); });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Refusals are expected by the thousand; they are counted, not shown.
    static const DdxErrorHandler silent = SetDdxErrorHandler([](const DdxErrorRequest&) { return 1; });
    (void)silent;
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    int lines = 0;
    while (start <= input.size() && lines++ < 120) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(start, std::min<std::size_t>(end - start, 300));
        start = end + 1;

        ReadLine(line);
        FakeJob& job = PointJob();
        job.units = {lines % 3, (lines / 3) % 2, (lines / 6) % 2};
        ActiveJobScope active(&job);
        ReadLine(line);
    }
    return 0;
}
