// Feeds each line of the input to the typed-value readers and writers: none may crash, hang or
// read out of bounds, whatever the text. Each line is read twice: with no job open, and with a
// job holding a few points (two of them on the same spot) whose units and display settings
// change from line to line, so point-name angles and every unit path are reached too.
#include "core/AngleInput.h"
#include "core/Format.h"
#include "core/ValueText.h"
#include "tests/core/ValueTextFakes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using morvel::test::ActiveJobScope;
using morvel::test::FakeJob;
using morvel::test::PreferencesScope;

FakeJob& PointJob()
{
    static FakeJob job = [] {
        FakeJob j;
        j.points["1"] = CLocation(1000.0, 2000.0, 50.0);
        j.points["2"] = CLocation(1100.0, 2050.0, 52.5);
        j.points["3"] = CLocation(1000.0, 2000.0, 50.0);
        j.points["A"] = CLocation(-1e9, 1e9, NoValue);
        return j;
    }();
    return job;
}

// Hand-edited profiles can hold any decimals; the formatters must clamp them.
FormatPreferences PreferencesForLine(int line)
{
    static const int decimals[] = {0, 3, 8, 15, -1, 40};
    FormatPreferences p;
    const int d = decimals[line % 6];
    p.iJobAngle = p.iJobDistance = p.iJobNorthingEasting = p.iJobElevation = d;
    p.iJobSmallArea = p.iJobLargeArea = d;
    p.iDirectionUnits = (line / 2) % 2;
    p.iJobStationFormat = (line / 3) % 3;
    p.iUseArchetecturalUnits = (line / 5) % 2 == 1;
    return p;
}

void WriteBack(double v)
{
    for (bool edit : {false, true}) {
        FormatCoordinateText(v, edit);
        FormatElevationText(v, edit);
        FormatNorthSouthText(v, edit);
        FormatEastWestText(v, edit);
        FormatDistanceText(v, edit);
        FormatAzimuthText(v, edit);
        FormatAngleText(v, edit);
        FormatVerticalAngleText(v, edit);
        FormatBearingText(v, edit);
        FormatStationText(v, edit);
        FormatGradeText(v, edit);
        FormatSmallAreaText(v, edit);
        FormatLargeAreaText(v, edit);
    }
    std::string geo;
    FormatLatitudeText(&geo, false, v, false);
    FormatLongitudeText(&geo, true, v, true);
}

void ReadLine(const std::string& line)
{
    double v = 0;
    int i = 0;
    std::vector<std::string> fields;
    // Writing back every value read would slow the plain run over the sample files too much.
    if (ParseDouble(&v, line, true))
        WriteBack(v);
    ParseInt(&i, line);
    ParseDistance(line, &v, DistanceHorizontal);
    ParseGrade(line, &v);
    ParseArea(line, &v);
    ParseStation(&v, line);
    ParseNorthSouth(&v, line);
    ParseEastWest(&v, line);
    SplitValueFields(line, 3, &fields);
    for (int kind = 0; kind <= 5; ++kind) {
        if (ParseAngle(line, &v, kind) && kind == 0)
            WriteBack(v);
    }
    std::string packed = line;
    NormalizeAngleText(packed);
    CFormat::FormatFeetInchesText(line);
    FormatPointNameText(line, false);
    if (ScanDouble(&v, line))
        CFormat::FormatNumber(v, 15, false, true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    int lines = 0;
    while (start <= input.size() && lines++ < 2000) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(start, std::min<std::size_t>(end - start, 512));
        start = end + 1;

        PreferencesScope prefs(PreferencesForLine(lines));
        ReadLine(line);
        FakeJob& job = PointJob();
        job.units = {lines % 3, (lines / 3) % 2, (lines / 6) % 2};
        ActiveJobScope active(&job);
        ReadLine(line);
    }
    return 0;
}
