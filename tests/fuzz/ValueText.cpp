// Feeds each line of the input to one of the typed-value readers, and what it reads to the writers:
// none may crash, hang or read out of bounds, whatever the text. Lines are read in turn with no
// job open and with a job holding a few points (two of them on the same spot) whose units and
// display settings change from line to line, so point-name angles and every unit path are reached.
#include "core/AngleInput.h"
#include "core/Format.h"
#include "core/ValueText.h"
#include "tests/core/ValueTextFakes.h"
#include "tests/fuzz/FuzzInput.h"

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

// One reader per line, taken in turn: over a run every reader sees every kind of line, and each
// input is read once. A value read is written back through every writer.
void ReadLine(const std::string& line, std::size_t turn)
{
    double v = 0;
    int i = 0;
    std::vector<std::string> fields;
    switch (turn % 16) {
    case 0: if (ParseDouble(&v, line, true)) WriteBack(v); break;
    case 1: ParseInt(&i, line); break;
    case 2: ParseDistance(line, &v, DistanceHorizontal); break;
    case 3: ParseGrade(line, &v); break;
    case 4: ParseArea(line, &v); break;
    case 5: ParseStation(&v, line); break;
    case 6: ParseNorthSouth(&v, line); break;
    case 7: ParseEastWest(&v, line); break;
    case 8: SplitValueFields(line, 3, &fields); break;
    case 9: {
        std::string packed = line;
        NormalizeAngleText(packed);
        CFormat::FormatFeetInchesText(line);
        FormatPointNameText(line, false);
        break;
    }
    case 10:
        if (ScanDouble(&v, line))
            CFormat::FormatNumber(v, 15, false, true);
        break;
    default: {
        const int kind = int(turn % 16) - 11; // kinds 0 to 4; every other turn of kind 4 also reads kind 5
        if (ParseAngle(line, &v, kind) && kind == 0)
            WriteBack(v);
        if (turn % 32 == 15)
            ParseAngle(line, &v, 5);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), FuzzLinesSize(size));
    std::size_t start = 0;
    int lines = 0;
    while (start <= input.size()) {
        ++lines;
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(start, std::min<std::size_t>(end - start, 512));
        start = end + 1;

        PreferencesScope prefs(PreferencesForLine(lines));
        const std::size_t turn = std::size_t(lines) + input.size();
        if ((turn / 16) % 2 == 0) {
            ReadLine(line, turn);
            continue;
        }
        FakeJob& job = PointJob();
        job.units = {lines % 3, (lines / 3) % 2, (lines / 6) % 2};
        ActiveJobScope active(&job);
        ReadLine(line, turn);
    }
    return 0;
}
