// Reads any bytes as text lines and as NUL-terminated records through one of the two file
// classes, chosen by the input, in one pass.
#include "core/BufferedFile.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Lines, then strings, then the count to the end-of-file mark, each from the start.
void ReadAll(WindowsFile& f, const std::string& path, bool nulTerminated)
{
    if (!f.Open(path, WindowsFile::kRead))
        std::abort();
    f.SetNulTerminated(nulTerminated);
    std::string line;
    size_t total = 0;
    while (f.ReadLine(line))
        total += line.size() + 1;
    if (total > static_cast<size_t>(f.GetSize()) + 1 || !f.IsEof())
        std::abort();
    f.SeekTo(0);
    char buf[64];
    while (!f.IsEof())
        f.ReadString(buf, sizeof buf);
    f.SeekTo(0);
    int32_t rest = f.CountToEofMarker();
    if (rest < 0 || rest > f.GetSize())
        std::abort();
    f.Close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    const bool nul = size % 2 == 1;
    const bool buffered = (size / 2) % 2 == 0;
    // The unbuffered class makes one system call per byte: it gets the first kilobyte only.
    const FuzzInputFile file(data, buffered ? size : std::min<size_t>(size, 1024));
    if (!file.IsReady())
        return 0;
    if (buffered) {
        BufferedFile f;
        ReadAll(f, file.Path(), nul);
    } else {
        WindowsFile f;
        ReadAll(f, file.Path(), nul);
    }
    return 0;
}
