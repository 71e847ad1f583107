// Feeds arbitrary bytes to the backup coder's decompression, whole and without the length field's
// claim being trusted: the decoder must stop or fail, never read past the input.
#include "transfer/backup/ArithmeticCoder.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    ArithmeticCoder coder;
    uint8_t* out = nullptr;
    size_t length = 0;
    if (coder.Decompress(data, size, &out, &length)) {
        if (!out || length == 0)
            std::abort();
        // What came out goes back in and out again unchanged.
        uint8_t* packed = nullptr;
        size_t packedLength = 0;
        uint8_t* again = nullptr;
        size_t againLength = 0;
        if (!coder.Compress(out, length, &packed, &packedLength) ||
            !coder.Decompress(packed, packedLength, &again, &againLength) || againLength != length)
            std::abort();
        for (size_t i = 0; i < length; ++i)
            if (again[i] != out[i])
                std::abort();
        delete[] packed;
        delete[] again;
    } else if (out || length != 0) {
        std::abort();
    }
    delete[] out;
    return 0;
}
