// Imports arbitrary bytes as a DXF drawing into a small scratch job with every import option
// (point blocks by tags, by a definition, plain points; overwrite and rename rules; each file
// unit) and checks that the job stays sound: its own points survive, each added point left one
// input-point line, and a refused drawing changes nothing.
#include "model/TestJobDoc.h"

#include "exchange/FSDataFileDXF.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace morvel::test;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char path[] = "/tmp/morvel-fuzz-dxfimport-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    const bool written = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        const MessageBoxHandler previous = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        CMorvelSettings settings;
        settings.SetRenameRule(3);
        settings.SetRenameDesignator("F");
        settings.SetRenameOption(1);
        SetMorvelSettings(&settings);
        CPointBlockDefinition byTags;
        byTags.RemoveAll();
        CPointBlockDefinition custom;
        custom.FromText("N1 1E1D1");
        struct Mode
        {
            bool pointBlocks;
            const CPointBlockDefinition* definition;
        };
        const Mode modes[] = {{true, &byTags}, {true, &custom}, {false, &byTags}};
        int run = 0;
        for (const Mode& mode : modes) {
            for (const bool rename : {false, true}) {
                TestJobDoc job;
                job.AddPoint("1", 10, 20, 30);
                job.AddPoint("P2", 40, 50);
                FSDataFileDXF filter;
                filter.SetImportOptions(rename, false, nullptr);
                filter.SetPointBlockDefinition(mode.pointBlocks, *mode.definition);
                const int result = filter.ImportFile(path, run++ % 3, &job);
                const int32_t points = job.GetPointDatabase()->GetCount();
                const auto lines = int32_t(job.rawData.lines.size());
                if (points < 2 || points > 2 + lines)
                    std::abort();
                if (result == 0 && size_t(lines) > filter.GetCollectedCount())
                    std::abort();
                std::vector<std::string> names;
                if (filter.ReadPointNames(&job, path, names) && result == 0 && names.size() != filter.GetCollectedCount())
                    std::abort();
            }
        }
        SetMorvelSettings(nullptr);
        SetMessageBoxHandler(previous);
    }
    unlink(path);
    return 0;
}
