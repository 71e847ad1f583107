// Feeds arbitrary text to the job document's text coordinate reader, in each distance unit, and
// reads back any job it writes.
#include "model/JobFileHeader.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string TempPath(const char* suffix)
{
    const char* folder = std::getenv("TMPDIR");
    if (::access("/dev/shm", W_OK) == 0)
        folder = "/dev/shm"; // in memory
    std::string pattern = std::string(folder != nullptr ? folder : "/tmp") + "/morvel-fuzz-XXXXXX" + suffix;
    const int fd = ::mkstemps(pattern.data(), int(std::string(suffix).size()));
    if (fd < 0)
        return {};
    ::close(fd);
    return pattern;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    const std::string text = TempPath(".txt");
    const std::string job = TempPath(".Mvj");
    if (text.empty() || job.empty())
        return 0;
    if (std::FILE* f = std::fopen(text.c_str(), "wb")) {
        if (size > 0)
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    JobFileHeader header;
    InitJobFileHeader(header);
    header.SetDistanceUnit(size > 0 ? uint16_t(data[0] % 3) : 0);

    CMorvelFileDoc doc;
    std::string error;
    uint32_t skipped = 0;
    if (doc.CreateJobFromTextCoordinates(header, text, job, error, skipped)) {
        CMorvelFileDoc read;
        bool generated = false;
        if (!read.OpenJobFile(job, generated) || read.GetDroppedPointCount() != 0)
            std::abort();
    }
    std::remove(text.c_str());
    std::remove(job.c_str());
    return 0;
}
