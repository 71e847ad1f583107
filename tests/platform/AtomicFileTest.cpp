// Replacing a file whole or not at all: the old file stays through every failure, keeps its
// permissions through a success, and no temporary file is left either way.
#include "platform/AtomicFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <sys/stat.h>

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

TEST(AtomicFile, ReplacesWholeOrNotAtAll)
{
    TempDir dir;
    const std::string path = dir.file("report.rtf");
    const auto entries = [&] { return std::distance(std::filesystem::directory_iterator(dir.path()), {}); };

    ASSERT_TRUE(WriteFileReplacing(path, "first"));
    EXPECT_EQ(ReadAllText(path), "first");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileReplacing(path, "second, longer"));
    EXPECT_EQ(ReadAllText(path), "second, longer");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // The write fails part-way: no file may grow past 4 bytes.
    morvel::test::RunWithFileSizeLimit(4, [&] {
        errno = 0;
        EXPECT_FALSE(WriteFileReplacing(path, "third, not written"));
        EXPECT_EQ(errno, EFBIG);
    });
    EXPECT_EQ(ReadAllText(path), "second, longer");
    EXPECT_EQ(entries(), 1) << "a temporary file was left";

    errno = 0;
    EXPECT_FALSE(WriteFileReplacing("", "x"));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(WriteFileReplacing(dir.file("missing/out.rtf"), "x"));
    std::filesystem::create_directory(dir.file("taken.rtf"));
    EXPECT_FALSE(WriteFileReplacing(dir.file("taken.rtf"), "x"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.rtf")));
    EXPECT_EQ(entries(), 2);
}
