#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <dlfcn.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <pwd.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morvel::test {
namespace {
FsyncLog* g_fsyncLog = nullptr;
RefusingFileSystem* g_refusing = nullptr;
}
} // namespace morvel::test

// Every fsync of the program under test comes here first; the real one follows.
extern "C" int fsync(int fd)
{
    using Real = int (*)(int);
    static const Real real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "fsync"));
    struct stat st {};
    if (morvel::test::g_fsyncLog != nullptr && ::fstat(fd, &st) == 0)
        morvel::test::g_fsyncLog->entries.push_back({uint64_t(st.st_dev), uint64_t(st.st_ino), S_ISDIR(st.st_mode)});
    return real(fd);
}

// Every rename too, so that the order of flushes and the move can be told.
extern "C" int rename(const char* from, const char* to)
{
    using Real = int (*)(const char*, const char*);
    static const Real real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "rename"));
    if (morvel::test::RefusingFileSystem* refusing = morvel::test::g_refusing;
        refusing != nullptr && from != nullptr && to != nullptr) {
        bool refused = refusing->refuseRenameFrom.count(from) != 0;
        if (const auto onto = refusing->refuseRenameTo.find(to); !refused && onto != refusing->refuseRenameTo.end()) {
            auto& rule = onto->second;
            if (rule.pass > 0)
                --rule.pass;
            else if (rule.refuse != 0) {
                refused = true;
                if (rule.refuse > 0)
                    --rule.refuse;
            }
        }
        if (refused) {
            errno = EACCES;
            return -1;
        }
    }
    struct stat st {};
    const bool logged = morvel::test::g_fsyncLog != nullptr && ::lstat(from, &st) == 0;
    const int result = real(from, to);
    if (logged && result == 0)
        morvel::test::g_fsyncLog->entries.push_back(
            {uint64_t(st.st_dev), uint64_t(st.st_ino), S_ISDIR(st.st_mode), true});
    return result;
}

// Hard links, which some file systems refuse.
extern "C" int link(const char* from, const char* to)
{
    using Real = int (*)(const char*, const char*);
    static const Real real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "link"));
    if (morvel::test::g_refusing != nullptr && morvel::test::g_refusing->refuseLinks) {
        errno = EPERM;
        return -1;
    }
    return real(from, to);
}

// File copies: the standard library's copy goes through one of these two.
extern "C" ssize_t sendfile(int out, int in, off_t* offset, size_t count)
{
    using Real = ssize_t (*)(int, int, off_t*, size_t);
    static const Real real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "sendfile"));
    if (morvel::test::g_refusing != nullptr && morvel::test::g_refusing->refuseCopies) {
        ++morvel::test::g_refusing->copiesRefused;
        errno = ENOSPC;
        return -1;
    }
    return real(out, in, offset, count);
}

extern "C" ssize_t copy_file_range(int in, off_t* inOffset, int out, off_t* outOffset, size_t count,
                                   unsigned int flags)
{
    using Real = ssize_t (*)(int, off_t*, int, off_t*, size_t, unsigned int);
    static const Real real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "copy_file_range"));
    if (morvel::test::g_refusing != nullptr && morvel::test::g_refusing->refuseCopies) {
        ++morvel::test::g_refusing->copiesRefused;
        errno = ENOSPC;
        return -1;
    }
    return real(in, inOffset, out, outOffset, count, flags);
}

namespace morvel::test {

FsyncLog::FsyncLog() { g_fsyncLog = this; }

FsyncLog::~FsyncLog() { g_fsyncLog = nullptr; }

RefusingFileSystem::RefusingFileSystem() { g_refusing = this; }

RefusingFileSystem::~RefusingFileSystem() { g_refusing = nullptr; }

bool FsyncLog::FlushedThenPlaced(const std::string& path) const
{
    struct stat file {}, folder {};
    if (::stat(path.c_str(), &file) != 0 ||
        ::stat(std::filesystem::path(path).parent_path().c_str(), &folder) != 0)
        return false;
    bool flushed = false, placed = false;
    for (const Entry& e : entries) {
        const bool isFile = !e.folder && e.device == uint64_t(file.st_dev) && e.inode == uint64_t(file.st_ino);
        if (isFile && !e.renamed)
            flushed = true;
        else if (isFile && flushed)
            placed = true;
        else if (placed && e.folder && !e.renamed && e.device == uint64_t(folder.st_dev) &&
                 e.inode == uint64_t(folder.st_ino))
            return true;
    }
    return false;
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "morvel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::vector<unsigned char> ReadAllBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAllBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadAllText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAllText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string TestDataPath(const std::string& name)
{
    return std::string(MORVEL_TEST_DATA_DIR) + "/" + name;
}

std::string SharedTestDataPath(const std::string& name)
{
    return std::string(MORVEL_SHARED_TEST_DATA_DIR) + "/" + name;
}

namespace {

int FailedParts()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info)
        return 0;
    int failed = 0;
    const ::testing::TestResult& result = *info->result();
    for (int i = 0; i < result.total_part_count(); ++i)
        failed += result.GetTestPartResult(i).failed() ? 1 : 0;
    return failed;
}

void ChownTree(const std::filesystem::path& folder, uid_t uid, gid_t gid)
{
    std::error_code ec;
    ::lchown(folder.c_str(), uid, gid);
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        ::lchown(it->path().c_str(), uid, gid);
}

// Runs the body in a forked child once `prepare` has set the child up (false: it says why and
// the child ends); the child's failed checks fail the test here.
void RunInChild(const std::function<bool()>& prepare, const std::function<void()>& body, const char* what)
{
    const int failedBefore = FailedParts();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0) << "fork failed";
    if (child == 0) {
        if (!prepare())
            ::_exit(3);
        body();
        std::fflush(nullptr);
        // _exit: the child must not run the parent's clean-up (its folders, the leak check).
        ::_exit(FailedParts() > failedBefore ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the check " << what << " failed (its messages are above); status " << status;
}

} // namespace

void RunUnprivileged(const std::filesystem::path& folder, const std::function<void()>& body)
{
    if (::geteuid() != 0) {
        body();
        return;
    }
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr) << "no user \"nobody\" to run the read-only check as";
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    ChownTree(folder, uid, gid);
    const auto become = [&] {
        if (::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0)
            return true;
        std::fprintf(stderr, "cannot become the user \"nobody\"\n");
        return false;
    };
    RunInChild(become, body, "run as \"nobody\"");
    ChownTree(folder, 0, 0);
}

void RunWithFileSizeLimit(uint64_t bytes, const std::function<void()>& body)
{
    const auto limit = [bytes] {
        const rlimit most {bytes, bytes};
        if (std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && ::setrlimit(RLIMIT_FSIZE, &most) == 0)
            return true;
        std::fprintf(stderr, "cannot limit the file size\n");
        return false;
    };
    RunInChild(limit, body, "under a file size limit");
}

} // namespace morvel::test
