// Reads arbitrary bytes as a BMP picture and checks that a picture read whole is as large as it
// says and that a refused one leaves nothing behind.
#include "framework/DibFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    DibFile dib;
    std::string reason;
    if (ReadDibFile(bytes, dib, &reason)) {
        if (dib.rgb.size() != size_t(dib.GetWidth()) * size_t(dib.GetHeight()) * 3 ||
            dib.GetWidth() > DibFile::MaxSide || dib.GetHeight() > DibFile::MaxSide)
            std::abort();
    } else if (reason.empty() || !dib.rgb.empty() || dib.GetWidth() != 0) {
        std::abort();
    }
    return 0;
}
