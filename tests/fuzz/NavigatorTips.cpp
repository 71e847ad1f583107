// Feeds arbitrary bytes as a job file to the navigator's tips, which read its header.
#include "shell/NavigatorModel.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char folder[] = "/tmp/morvel-fuzz-navigator-XXXXXX";
    if (!mkdtemp(folder))
        return 0;
    nav::Job job;
    job.open = true;
    job.folder = std::string(folder) + "/";
    job.path = job.folder + "Fuzz.Mvj";
    if (FILE* file = std::fopen(job.path.c_str(), "wb")) {
        const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
        std::fclose(file);
        if (written) {
            CColoredTextLines lines;
            nav::FormatJobItemTip(job, lines);
            nav::FormatFileItemTip(job, nav::KindCoordinateFile, "Fuzz.Mvj", lines);
        }
    }
    std::remove(job.path.c_str());
    rmdir(folder);
    return 0;
}
