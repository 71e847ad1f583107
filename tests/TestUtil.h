#pragma once

#include <filesystem>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace morvel::test {

// A fresh folder under the system temporary folder, removed with everything in it at scope end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::vector<unsigned char> ReadAllBytes(const std::string& path);
void WriteAllBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::string ReadAllText(const std::string& path);
void WriteAllText(const std::string& path, const std::string& text);

// FNV-1a over bytes, continued from `digest`: a short fingerprint for pinning exact output.
inline constexpr uint64_t Fnv1aOffset = 14695981039346656037ull;
inline uint64_t Fnv1a(std::string_view bytes, uint64_t digest = Fnv1aOffset)
{
    for (unsigned char b : bytes)
        digest = (digest ^ b) * 1099511628211ull;
    return digest;
}

// Runs `body` where a read-only file or folder really refuses writes: as root (CI runs as
// root), in a child process as the user "nobody", who is first given `folder` and everything in
// it; otherwise in place. The body's failed expectations fail the calling test.
void RunUnprivileged(const std::filesystem::path& folder, const std::function<void()>& body);

// Runs `body` in a child process whose files cannot grow past `bytes` (SIGXFSZ ignored, so a
// write past the limit fails with EFBIG): the way to reach a write that fails after its file was
// created. The body's failed expectations fail the calling test.
void RunWithFileSizeLimit(uint64_t bytes, const std::function<void()>& body);

// What every fsync of the test program flushed, and every rename moved, while the log lives, in
// call order: the file's identity, whether it was a folder and whether it was moved rather than
// flushed. The test programs route fsync and rename through it.
class FsyncLog
{
public:
    struct Entry
    {
        uint64_t device;
        uint64_t inode;
        bool folder;
        bool renamed = false;
    };
    FsyncLog();
    ~FsyncLog();
    FsyncLog(const FsyncLog&) = delete;
    FsyncLog& operator=(const FsyncLog&) = delete;

    // Whether the file now at `path` was flushed, then renamed into place, and after that the
    // folder that holds it was flushed: a folder flushed before the rename keeps no new name.
    bool FlushedThenPlaced(const std::string& path) const;

    std::vector<Entry> entries;
};

// While it lives, the test program's file system refuses what a memory stick's does: hard links
// (EPERM, as on FAT and exFAT) when `refuseLinks` is set; file copies (ENOSPC, a full stick) when
// `refuseCopies` is set, counted in `copiesRefused`; renames onto a path of `refuseRenameTo`
// (EACCES) once its `pass` renames went through, `refuse` of them (or all that come) and then
// none; renames of a path of `refuseRenameFrom` (EACCES).
class RefusingFileSystem
{
public:
    RefusingFileSystem();
    ~RefusingFileSystem();
    RefusingFileSystem(const RefusingFileSystem&) = delete;
    RefusingFileSystem& operator=(const RefusingFileSystem&) = delete;

    bool refuseLinks = false;
    bool refuseCopies = false;
    int copiesRefused = 0;
    struct RenameRule {
        int pass = 0;
        int refuse = -1; // -1: every later rename
    };
    std::map<std::string, RenameRule> refuseRenameTo;
    std::set<std::string> refuseRenameFrom;
};

// Path of a sample file in tests/data, or in the shared public sample folder.
std::string TestDataPath(const std::string& name);
std::string SharedTestDataPath(const std::string& name);

} // namespace morvel::test
