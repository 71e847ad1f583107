#include "TestUtil.h"
#include "exchange/CreateJobPaths.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <filesystem>

using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

TEST(CreateJobPaths, JobPathsTakeTheJobExtension)
{
    struct Case
    {
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"/data/a", "/data/a.Mvj"},     {"/data/a.txt", "/data/a.Mvj"}, {"/data/a.MVJ", "/data/a.MVJ"},
        {"/data/a.b.mvj", "/data/a.b.mvj"}, {"/data.d/a", "/data.d/a.Mvj"}, {"/data/a.", "/data/a.Mvj"},
        {"/data/", "/data/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string path = c.typed;
        EXPECT_EQ(ForceJobFileExtension(path), std::string(c.typed) != c.expected);
        EXPECT_EQ(path, c.expected);
    }
}

TEST(CreateJobPaths, RememberedPathsFallBackToWhatStillExists)
{
    TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    std::filesystem::create_directory(dir.file("jobs"));
    const CreateJobPathKeys keys = BackupJobPathKeys(dir.file("none/"), dir.file("jobs/"));
    std::string source;
    std::string job;
    LoadCreateJobPaths(profile, keys, source, job);
    EXPECT_EQ(source, "") << "a default folder that is missing gives an empty field";
    EXPECT_EQ(job, dir.file("jobs/"));

    // Cancel stores them too: the existing file, the job's existing folder.
    WriteAllText(dir.file("site.Mvb"), "x");
    StoreCreateJobPaths(profile, keys, dir.file("site.Mvb"), dir.file("jobs/new.Mvj"));
    StoreCreateJobPaths(profile, keys, dir.file("gone.Mvb"), dir.file("nowhere/new.Mvj"));
    LoadCreateJobPaths(profile, keys, source, job);
    EXPECT_EQ(source, dir.file("site.Mvb"));
    EXPECT_EQ(job, dir.file("jobs/"));

    // The remembered file was deleted since: its folder.
    std::filesystem::remove(dir.file("site.Mvb"));
    LoadCreateJobPaths(profile, keys, source, job);
    EXPECT_EQ(source, dir.path().string() + "/");
    EXPECT_EQ(profile.GetProfileString("File", "BckBck"), dir.file("site.Mvb"));
}

} // namespace
