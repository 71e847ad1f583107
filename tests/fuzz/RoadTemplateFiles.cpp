// Reads arbitrary bytes as a road file and collects the templates it names.
#include "transfer/backup/CompanionFiles.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    char path[] = "/tmp/morvel-fuzz-road-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    const bool written = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        std::vector<std::string> files;
        const bool ok = GetRoadTemplateFiles(path, files);
        if (ok != (size > 0))
            std::abort();
        for (const std::string& file : files)
            if (file.size() < 5 || file.compare(file.size() - 4, 4, ".TN7") != 0)
                std::abort();
        // The same file read again adds nothing new.
        const size_t count = files.size();
        GetRoadTemplateFiles(path, files);
        if (files.size() != count)
            std::abort();
    }
    unlink(path);
    return 0;
}
