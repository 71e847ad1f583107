// Feeds arbitrary bytes to the job file reader: open, header, and the whole frame walk.
#include "model/MorvelFile.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdio>
#include <memory>
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
            // The document's walk: the records read whole, counted as they arrive, walked in memory.
            std::unique_ptr<uint8_t[]> bytes;
            size_t held = 0;
            CMorvelFrameCount count;
            if (file.ReadRecordBytes(bytes, held, &count)) {
                CMorvelRecordWalk walk(bytes.get(), held);
                char text[PointTextRoom];
                while (walk.Next(type, length)) {
                    if (type == CMorvelFile::PointRecordType) {
                        const uint8_t* point = walk.PointPayload();
                        if (point == nullptr)
                            break;
                        DecodePointText(point + PointNameOffset, text);
                        DecodePointText(point + PointDescriptionOffset, text);
                    }
                    walk.Skip();
                }
            }
        }
    }
    unlink(path);
    return 0;
}
