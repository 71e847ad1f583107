// Imports arbitrary bytes as a DXF drawing into a small scratch job under import options taken
// from the input (point blocks by tags, by a definition, plain points; overwrite and rename rules;
// each file unit), so a run covers them all, and checks that the job stays sound: its own points
// survive, each added point left one input-point line, and a refused drawing changes nothing.
#include "model/TestJobDoc.h"

#include "exchange/FSDataFileDXF.h"
#include "tests/fuzz/FuzzImportSettings.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace morvel::test;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    // Each added point records an undo step, a snapshot of the job in two temporary files.
    FuzzTempFilesInMemory();
    const FuzzInputFile file(data, size);
    if (!file.IsReady())
        return 0;
    UseQuietImportSettings();
    static const CPointBlockDefinition byTags = [] {
        CPointBlockDefinition d;
        d.RemoveAll();
        return d;
    }();
    static const CPointBlockDefinition custom = [] {
        CPointBlockDefinition d;
        d.FromText("N1 1E1D1");
        return d;
    }();
    struct Mode
    {
        bool pointBlocks;
        const CPointBlockDefinition* definition;
    };
    const Mode modes[] = {{true, &byTags}, {true, &custom}, {false, &byTags}};

    // One import per input: the mode, the rename rule and the file unit are taken from the input,
    // so a run covers them all.
    const size_t turn = size;
    const Mode& mode = modes[turn % 3];
    const bool rename = (turn / 3) % 2 == 1;
    TestJobDoc job;
    job.AddPoint("1", 10, 20, 30);
    job.AddPoint("P2", 40, 50);
    FSDataFileDXF filter;
    filter.SetImportOptions(rename, false, nullptr);
    filter.SetPointBlockDefinition(mode.pointBlocks, *mode.definition);
    const int result = filter.ImportFile(file.Path(), int((turn / 6) % 3), &job);
    const int32_t points = job.GetPointDatabase()->GetCount();
    const auto lines = int32_t(job.rawData.lines.size());
    if (points < 2 || points > 2 + lines)
        std::abort();
    if (result == 0 && size_t(lines) > filter.GetCollectedCount())
        std::abort();
    std::vector<std::string> names;
    if (filter.ReadPointNames(&job, file.Path(), names) && result == 0 && names.size() != filter.GetCollectedCount())
        std::abort();
    SetMorvelSettings(nullptr);
    return 0;
}
