// Plain driver for the fuzz entry points: feeds each named file to LLVMFuzzerTestOneInput,
// whole and cut short at a few lengths, so a reader that trips on truncated input fails here.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        // "--reaches FILE": the entry must take the whole FILE as a file of its format.
        const bool mustReach = std::strcmp(argv[i], "--reaches") == 0 && i + 1 < argc;
        if (mustReach)
            ++i;
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            if (mustReach) {
                std::fprintf(stderr, "%s: cannot read\n", argv[i]);
                return 1;
            }
            continue;
        }
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ++files;
        g_fuzzFormatReached = false;
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        if (mustReach && !g_fuzzFormatReached) {
            std::fprintf(stderr, "%s (%zu bytes): the entry never reached its reader\n", argv[i], bytes.size());
            return 1;
        }
        for (size_t cut : {size_t(0), size_t(1), bytes.size() / 3, bytes.size() / 2, bytes.size() * 9 / 10}) {
            if (cut < bytes.size()) {
                std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
                LLVMFuzzerTestOneInput(part.data(), part.size());
            }
        }
    }
    std::printf("%d files fed\n", files);
    return 0;
}
