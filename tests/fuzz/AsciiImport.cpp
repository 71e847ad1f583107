// Imports arbitrary bytes as an ASCII point file into a small job, with both point-name options
// and every delimiter, and checks that what the job holds afterwards is sound.
#include "model/TestJobDoc.h"

#include "exchange/CoordinateImport.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace morvel::test;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char path[] = "/tmp/morvel-fuzz-ascii-XXXXXX";
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
        const std::vector<uint16_t> layouts[] = {{0, 1, 2, 3, 4}, {4, 2, 1, 0}, {0, 1, 2}};
        int run = 0;
        for (const char* delimiter : {",", "\t", " "}) {
            for (bool rename : {false, true}) {
                TestJobDoc job;
                job.AddPoint("1", 10, 20, 30);
                job.AddPoint("P2", 40, 50);
                int32_t count = -1;
                const auto& columns = layouts[run++ % 3];
                const bool ok = ImportAsciiCoordinates(&job, path, columns, delimiter, run % 3, nullptr, rename, &count);
                const int32_t points = job.GetPointDatabase()->GetCount();
                // Every merged point left one input-point line; the job never loses its own points.
                if (ok && (count < 0 || int32_t(job.rawData.lines.size()) != count || points < 2 || points > 2 + count))
                    std::abort();
                if (!ok && points != 2)
                    std::abort();
            }
        }
        SetMorvelSettings(nullptr);
        SetMessageBoxHandler(previous);
    }
    unlink(path);
    return 0;
}
