#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

// Every entry reads at most a few kilobytes of its input: readers fail on small inputs as they do
// on large ones, and small inputs let a run try many more of them. The seeds are cut the same way.
inline constexpr std::size_t FuzzInputLimit = 2048;

// An entry whose smallest real file is larger passes a limit that holds it: cut shorter, every
// input fails at the header and the reader behind it is never reached.
inline std::size_t FuzzInputSize(std::size_t size, std::size_t limit = FuzzInputLimit)
{
    return size < limit ? size : limit;
}

// Set by an entry when its reader accepted the input as a file of its format; the plain driver's
// "--reaches FILE" fails unless the whole FILE gets that far.
inline bool g_fuzzFormatReached = false;

// Entries that take their input line by line and send each line through a whole record or
// field: the lines are independent, so a dozen of them reach what a hundred would, at a tenth of
// the cost per input.
inline constexpr std::size_t FuzzLinesLimit = 512;

inline std::size_t FuzzLinesSize(std::size_t size)
{
    return size < FuzzLinesLimit ? size : FuzzLinesLimit;
}

// Where the system has an in-memory folder, the temporary files a reader or an undo step makes go
// there: a disk file made and removed per input costs more than the reading itself.
inline void FuzzTempFilesInMemory()
{
    static const bool done = [] {
        if (::access("/dev/shm", W_OK) == 0)
            ::setenv("TMPDIR", "/dev/shm", 1);
        return true;
    }();
    (void)done;
}

// The input as a file for readers that take a path: in memory (/dev/shm) where the system has it,
// else in /tmp. Removed when it goes.
class FuzzInputFile
{
public:
    FuzzInputFile(const uint8_t* data, std::size_t size, const std::string& suffix = {})
    {
        const std::string folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = folder + "/morvel-fuzz-XXXXXX" + suffix;
        const int fd = ::mkstemps(pattern.data(), static_cast<int>(suffix.size()));
        if (fd < 0)
            return;
        m_path = pattern;
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd, data + done, size - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
        m_written = done == size;
    }
    ~FuzzInputFile()
    {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // False when the file could not be made or written whole.
    bool IsReady() const { return m_written; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    bool m_written = false;
};
