// Types each line of the input into a dialog field and reads it back through one of the
// field-exchange routines for values, names, dates and numbers: none may crash, hang or throw past
// the exchange, whatever the text, and a refused field must leave its variable as it was. Lines
// are read with no job open or with a job holding a few points, its units changing from line to
// line.
#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/NoValue.h"
#include "core/TextFieldExchange.h"
#include "tests/core/DdxFakes.h"
#include "tests/core/ValueTextFakes.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <type_traits>
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

using Reader = void (*)(FakeDialog&, const std::string&, bool);

template <typename T>
using Routine = bool (*)(CDataExchange*, T&, bool);

// What a variable holds before the field is read into it.
template <typename T>
T StartValue()
{
    if constexpr (std::is_same_v<T, std::string>)
        return "start";
    else if constexpr (std::is_same_v<T, double>)
        return 7.25;
    else
        return T(3);
}

template <typename T, Routine<T> routine>
void Read(FakeDialog& dialog, const std::string& line, bool quiet)
{
    dialog.Add(Id, line);
    Exchange<T>(dialog, quiet, routine, StartValue<T>());
}

// Every routine the fields of the program's dialogs use; each line goes through one of them.
const Reader Readers[] = {
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_HorizontalDistance(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_SlopeDistance(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_NonZeroDistance(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_Station(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_ZenithAngle(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_AngleOrBearing(dx, Id, v, false, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_ClockwiseAngle(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_DirectionAsAzimuth(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_DmsNumberAngle(dx, Id, v, 2, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_Grade(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_Area(dx, Id, v, true, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_Northing(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_RequiredElevation(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_LatitudeDegrees(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_Longitude(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_Degrees(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_NumberInRange10000(dx, Id, v, q); }>,
    Read<double, [](CDataExchange* dx, double& v, bool q) { return DDX_DoubleText(dx, Id, v, q); }>,
    Read<std::string, [](CDataExchange* dx, std::string& v, bool q) { return DDX_NewPointName(dx, Id, v, q); }>,
    Read<std::string, [](CDataExchange* dx, std::string& v, bool q) { return DDX_ExistingPointName(dx, Id, v, q); }>,
    Read<std::string, [](CDataExchange* dx, std::string& v, bool q) { return DDX_PointNameMayExist(dx, Id, v, q); }>,
    Read<std::string, [](CDataExchange* dx, std::string& v, bool q) { return DDX_Description(dx, Id, v, q); }>,
    Read<std::string, [](CDataExchange* dx, std::string& v, bool q) { return DDX_Date(dx, Id, v, q); }>,
    Read<std::string, [](CDataExchange* dx, std::string& v, bool q) { return DDX_Time(dx, Id, v, q); }>,
    Read<int32_t, [](CDataExchange* dx, int32_t& v, bool q) { return DDX_Int(dx, Id, v, q); }>,
    Read<int16_t, [](CDataExchange* dx, int16_t& v, bool q) { return DDX_Short(dx, Id, v, q); }>,
    Read<uint32_t, [](CDataExchange* dx, uint32_t& v, bool q) { return DDX_DWord(dx, Id, v, q); }>,
    [](FakeDialog& dialog, const std::string& line, bool) {
        char buffer[8] = "abc";
        dialog.Add(Id, line);
        dialog.Save([&](CDataExchange& dx) { DDX_CharBuffer(&dx, Id, buffer, sizeof buffer); });
    },
};
constexpr std::size_t ReaderCount = sizeof Readers / sizeof Readers[0];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Refusals are expected by the thousand; they are counted, not shown.
    static const DdxErrorHandler silent = SetDdxErrorHandler([](const DdxErrorRequest&) { return 1; });
    (void)silent;
    // One pass: each line is typed into one field, the routine, the quiet flag and the open job
    // (none, or one whose units change) taken in turn from the line's place and the input.
    const std::string input(reinterpret_cast<const char*>(data), FuzzLinesSize(size));
    FakeDialog dialog;
    std::size_t start = 0;
    std::size_t lines = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(start, std::min<std::size_t>(end - start, 300));
        start = end + 1;

        const std::size_t turn = lines++ + input.size();
        const bool quiet = (turn / ReaderCount) % 2 == 1;
        if ((turn / (2 * ReaderCount)) % 2 == 0) {
            Readers[turn % ReaderCount](dialog, line, quiet);
        } else {
            FakeJob& job = PointJob();
            job.units = {int(turn % 3), int((turn / 3) % 2), int((turn / 6) % 2)};
            ActiveJobScope active(&job);
            Readers[turn % ReaderCount](dialog, line, quiet);
        }
    }
    return 0;
}
