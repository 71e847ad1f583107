// Reads any bytes as text lines and as NUL-terminated records through both file classes.
#include "core/BufferedFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

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
    char path[] = "/tmp/morvel-fuzz-bufferedfile-XXXXXX";
    int fd = ::mkstemp(path);
    if (fd < 0)
        return 0;
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    for (bool nul : {false, true}) {
        BufferedFile buffered;
        ReadAll(buffered, path, nul);
        // The unbuffered class reads byte by byte: keep it to small inputs.
        if (size <= 65536) {
            WindowsFile plain;
            ReadAll(plain, path, nul);
        }
    }
    ::unlink(path);
    return 0;
}
