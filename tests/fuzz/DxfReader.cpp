// Feeds arbitrary bytes, as a file, to the DXF drawing builder and the binary-file check.
#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfReader.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    char path[] = "/tmp/morvel-fuzz-dxf-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    close(fd);

    bool binary = false;
    CDxfReader::IsBinaryFile(binary, path);
    {
        CDxfFile drawing;
        CDxfReader reader;
        reader.ReadFile(path, &drawing);
        // Walk what was built, as the import does.
        drawing.GetExtent();
        for (size_t i = 0; i < drawing.GetBlockCount(); ++i)
            drawing.GetBlock(i)->GetExtent();
    }
    unlink(path);
    return 0;
}
