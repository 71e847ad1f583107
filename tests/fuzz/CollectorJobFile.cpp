// Feeds arbitrary bytes to the data collectors' job file reader: header, blocks, records and searches.
#include "model/JobFile.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The header of a version 3 or 4 file takes 2,158 bytes; the small sample of version 5 fits too.
    size = FuzzInputSize(size, 8192);
    char path[] = "/tmp/morvel-fuzz-collector-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    const bool written = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        CJobFile file;
        if (file.Open(path, true)) {
            uint8_t info[CJobFile::InfoBlockSize];
            file.GetInfoBlock(info);
            file.HasShortBlocks();
            if (file.SeekFirstRecord()) {
                g_fuzzFormatReached = true;
                uint32_t type, position, length;
                uint8_t payload[600];
                while (file.ReadRecordHeader(type, position, length)) {
                    bool ok = true;
                    switch (type) {
                    case 13: ok = file.ReadPointRecord(payload); break;
                    case 10: ok = file.ReadRecord10(payload); break;
                    case 18: ok = file.ReadRecord18(payload); break;
                    default: {
                        CJobFile::Record record;
                        ok = file.ReadCurrentRecord(record);
                    }
                    }
                    if (!ok)
                        break;
                }
                file.SeekFirstRecord();
                file.FindRecord4ById(1, true);
                file.SeekFirstRecord();
                file.FindRecord9ById(1, false);
                file.FindFreeSlot(72);
                file.SeekTo(file.GetFirstRecordOffset());
                CJobFile::SizedBlock block;
                file.ReadSizedBlock(block);
            }
        }
    }
    unlink(path);
    return 0;
}
