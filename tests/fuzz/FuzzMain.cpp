// Plain driver for the fuzz entry points: feeds each named file to LLVMFuzzerTestOneInput,
// whole and cut short at a few lengths, so a reader that trips on truncated input fails here.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in)
            continue;
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ++files;
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
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
