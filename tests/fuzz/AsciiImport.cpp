// Imports arbitrary bytes as an ASCII point file into a small job and checks that what the job
// holds afterwards is sound. One import per input: the delimiter, the column layout and the
// point-name option are taken from the input, so a run covers them all.
#include "model/TestJobDoc.h"

#include "exchange/CoordinateImport.h"
#include "tests/fuzz/FuzzImportSettings.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace morvel::test;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Each line is a point merged into the job: a kilobyte of lines is plenty.
    size = std::min<size_t>(FuzzInputSize(size), 1024);
    // Each merge records an undo step, a snapshot of the job in two temporary files.
    FuzzTempFilesInMemory();
    const FuzzInputFile file(data, size);
    if (!file.IsReady())
        return 0;
    UseQuietImportSettings();

    static const std::vector<uint16_t> layouts[] = {{0, 1, 2, 3, 4}, {4, 2, 1, 0}, {0, 1, 2}};
    static const char* const delimiters[] = {",", "\t", " "};
    const size_t turn = size;
    TestJobDoc job;
    job.AddPoint("1", 10, 20, 30);
    job.AddPoint("P2", 40, 50);
    int32_t count = -1;
    const bool rename = (turn / 9) % 2 == 1;
    const bool ok = ImportAsciiCoordinates(&job, file.Path(), layouts[turn % 3], delimiters[(turn / 3) % 3],
                                           int32_t(turn % 3), nullptr, rename, &count);
    const int32_t points = job.GetPointDatabase()->GetCount();
    // Every merged point left one input-point line; the job never loses its own points.
    if (ok && (count < 0 || int32_t(job.rawData.lines.size()) != count || points < 2 || points > 2 + count))
        std::abort();
    if (!ok && points != 2)
        std::abort();
    SetMorvelSettings(nullptr);
    return 0;
}
