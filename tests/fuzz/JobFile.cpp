// Feeds arbitrary bytes to the job file reader: open, header, and the whole frame walk.
#include "model/MorvelFile.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    char path[] = "/tmp/morvel-fuzz-job-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    const bool written = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        CMorvelFile file;
        if (file.Open(path, true)) {
            JobFileHeader header;
            file.GetHeader(header);
            std::vector<JobFilePoint> points;
            file.ReadAllPoints(points);
            // The plain walk as the document drives it must end too.
            file.SeekToFirstRecord();
            uint32_t type, position, length;
            uint8_t payload[PointPayloadSize];
            while (file.ReadRecordHeader(type, position, length)) {
                if (type == CMorvelFile::PointRecordType ? !file.ReadPointRecord(payload) : !file.SkipRecord())
                    break;
            }
        }
    }
    unlink(path);
    return 0;
}
