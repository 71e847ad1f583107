#include "core/PathHelpers.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using morvel::test::TempDir;
using morvel::test::ReadAllText;
using morvel::test::WriteAllText;

TEST(PathTexts, SplitsAtTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(GetPathFileName("/a/b/job.Mvj"), "job.Mvj");
    EXPECT_EQ(GetPathFileName("C:\\A\\job.Mvj"), "job.Mvj");
    EXPECT_EQ(GetPathFileName("/a\\b/c\\d.txt"), "d.txt");
    EXPECT_EQ(GetPathFolder("/a/b/job.Mvj"), "/a/b/");
    EXPECT_EQ(GetPathFolder("/a/b/"), "/a/b/");
    EXPECT_EQ(GetPathFileName("/a/b/"), "");

    // A bare name has no folder part.
    EXPECT_EQ(GetPathFileName("job.Mvj"), "job.Mvj");
    EXPECT_EQ(GetPathFolder("job.Mvj"), "job.Mvj");
    EXPECT_EQ(GetPathFolderOrEmpty("job.Mvj"), "");
    EXPECT_EQ(GetPathFolderOrEmpty("/x/job.Mvj"), "/x/");
}

TEST(PathTexts, ExtensionOnlyCountsAfterTheLastSeparator)
{
    EXPECT_EQ(GetPathExtension("/a/job.Mvj"), "Mvj");
    EXPECT_EQ(GetPathExtension("C:\\A\\README"), "README");
    EXPECT_EQ(GetPathExtension("/a.b/README"), "README");
    EXPECT_EQ(GetPathExtension("/a/job.tar.gz"), "gz");
    EXPECT_EQ(GetPathExtension("/a/job."), "");

    EXPECT_EQ(GetPathExtensionWithDot("/a/job.Mvj"), ".Mvj");
    EXPECT_EQ(GetPathExtensionWithDot("C:\\A.B\\README"), "");
    EXPECT_EQ(GetPathExtensionWithDot("README"), "");

    EXPECT_EQ(RemovePathExtension("C:\\A.B\\README"), "C:\\A.B\\README");
    EXPECT_EQ(RemovePathExtension("/a.b/README"), "/a.b/README");
    EXPECT_EQ(RemovePathExtension("/a/job.Mvj"), "/a/job");
    EXPECT_EQ(RemovePathExtension("job.Mvj"), "job");
    EXPECT_EQ(GetPathFileTitle("/a.b/job.x.Mvj"), "job.x");
    EXPECT_EQ(GetPathFileTitle("/a.b/job"), "job");
}

TEST(PathTexts, ChangeExtension)
{
    std::string p = "C:\\A\\job.txt";
    ChangePathExtension(p, "Mvj");
    EXPECT_EQ(p, "C:\\A\\job.Mvj");
    p = "/a/job.txt";
    ChangePathExtension(p, ".Mvj");
    EXPECT_EQ(p, "/a/job.Mvj");
    p = "/a.b/job";
    ChangePathExtension(p, "Mvj");
    EXPECT_EQ(p, "/a.b/job.Mvj");

    // Trailing blanks go only when something is appended.
    p = "/a/job.txt  ";
    ChangePathExtension(p, "");
    EXPECT_EQ(p, "/a/job.txt  ");
    ChangePathExtension(p, "Mvr");
    EXPECT_EQ(p, "/a/job.Mvr");
}

TEST(FileSystemTests, FilesAndFoldersAreToldApart)
{
    TempDir dir;
    std::string file = dir.file("a.txt");
    WriteAllText(file, "x");
    std::string folder = dir.path().string();

    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(dir.file("missing")));
    EXPECT_FALSE(FileExists(""));

    EXPECT_TRUE(FolderExists(folder));
    EXPECT_TRUE(FolderExists(folder + "/"));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_TRUE(FolderExists("/"));
}

// The same file on disk, not the same letters: a folder named in another letter case is another
// folder here, while a link, "..", or a doubled separator still name the one file, there or not.
TEST(FileSystemTests, SameFileIsTheFileOnDisk)
{
    TempDir dir;
    std::filesystem::create_directories(dir.file("Site"));
    std::filesystem::create_directories(dir.file("site"));
    WriteAllText(dir.file("Site/X.Mvj"), "x");
    std::filesystem::create_directory_symlink(dir.file("Site"), dir.file("linked"));
    struct Case
    {
        const char* name;
        std::string a, b;
        bool same;
    };
    const Case cases[] = {
        {"itself", dir.file("Site/X.Mvj"), dir.file("Site/X.Mvj"), true},
        {"through a link", dir.file("Site/X.Mvj"), dir.file("linked/X.Mvj"), true},
        {"through ..", dir.file("Site/X.Mvj"), dir.file("site/../Site/X.Mvj"), true},
        {"not there yet", dir.file("site/Y.Mvj"), dir.file("site//Y.Mvj"), true},
        {"folder in another case", dir.file("Site/X.Mvj"), dir.file("site/X.Mvj"), false},
        {"extension in another case", dir.file("Site/X.Mvj"), dir.file("Site/X.mvj"), false},
        {"no open job", dir.file("Site/X.Mvj"), "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsSameFile(c.a, c.b), c.same);
        EXPECT_EQ(IsSameFile(c.b, c.a), c.same);
    }
}

TEST(FileSystemTests, ReadOnlyAttributeOnFilesOnly)
{
    TempDir dir;
    std::string file = dir.file("a.txt");
    WriteAllText(file, "x");
    struct stat st;

    SetReadOnlyAttribute(file);
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);
    ClearReadOnlyAttribute(file);
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);

    SetReadOnlyAttribute(dir.path().string());
    ASSERT_EQ(::stat(dir.path().c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
}

TEST(FileSystemTests, ShortFileNameLeavesNoFileBehind)
{
    TempDir dir;
    std::string probe = dir.file("probe.txt");
    EXPECT_TRUE(IsShortFileName(probe));
    EXPECT_FALSE(FileExists(probe));
    EXPECT_FALSE(IsShortFileName(""));
    EXPECT_FALSE(IsShortFileName(dir.file("no/such/folder/x")));
}

TEST(CreateFolderTree, MakesMissingParentsInOrder)
{
    TempDir dir;
    std::string deep = dir.file("a/b/c");
    EXPECT_TRUE(CreateFolderTree(deep));
    EXPECT_TRUE(FolderExists(dir.file("a")));
    EXPECT_TRUE(FolderExists(dir.file("a/b")));
    EXPECT_TRUE(FolderExists(deep));

    EXPECT_TRUE(CreateFolderTree(dir.file("x/y/")));
    EXPECT_TRUE(FolderExists(dir.file("x/y")));
}

TEST(CreateFolderTree, RefusesBareNamesAndExistingFolders)
{
    TempDir dir;
    EXPECT_FALSE(CreateFolderTree("nobackslash"));
    EXPECT_FALSE(CreateFolderTree(dir.path().string()));
    EXPECT_FALSE(CreateFolderTree(dir.path().string() + "/"));
}

TEST(NumberedBackup, TakesTheFirstFreeNumber)
{
    TempDir dir;
    std::string job = dir.file("job.Mvj");
    WriteAllText(job, "current");
    for (int n = 1; n <= 4; ++n)
        WriteAllText(dir.file("job.00" + std::to_string(n) + ".bak"), "old");

    std::string newPath;
    ASSERT_TRUE(RenameToNumberedBackup(job, newPath, ".bak"));
    EXPECT_EQ(newPath, dir.file("job.005.bak"));
    EXPECT_EQ(ReadAllText(newPath), "current");
    EXPECT_FALSE(FileExists(job));
    EXPECT_EQ(ReadAllText(dir.file("job.004.bak")), "old");
}

TEST(NumberedBackup, NeverReplacesAnExistingBackup)
{
    TempDir dir;
    std::string job = dir.file("job.Mvj");
    WriteAllText(job, "current");
    char name[32];
    for (int n = 1; n <= 999; ++n) {
        std::snprintf(name, sizeof name, "job.%03d.bak", n);
        WriteAllText(dir.file(name), "old");
    }

    std::string newPath;
    EXPECT_FALSE(RenameToNumberedBackup(job, newPath, ".bak"));
    EXPECT_EQ(newPath, dir.file("job.999.bak"));
    EXPECT_EQ(ReadAllText(newPath), "old");
    EXPECT_EQ(ReadAllText(job), "current");
}

TEST(NumberedBackup, MissingSourceFails)
{
    TempDir dir;
    std::string newPath;
    EXPECT_FALSE(RenameToNumberedBackup(dir.file("none.Mvj"), newPath, ""));
    EXPECT_EQ(newPath, dir.file("none.001"));
    EXPECT_FALSE(FileExists(newPath));
}

TEST(FileSize, BytesThenRoundedGroupedKilobytes)
{
    EXPECT_EQ(FormatFileSizeKB(0), "0 bytes");
    EXPECT_EQ(FormatFileSizeKB(1023), "1023 bytes");
    EXPECT_EQ(FormatFileSizeKB(1024), "1KB");
    EXPECT_EQ(FormatFileSizeKB(1500), "1KB");
    EXPECT_EQ(FormatFileSizeKB(1535), "1KB");
    EXPECT_EQ(FormatFileSizeKB(1536), "2KB");
    EXPECT_EQ(FormatFileSizeKB(1600), "2KB");
    EXPECT_EQ(FormatFileSizeKB(1048576), "1,024KB");
    EXPECT_EQ(FormatFileSizeKB(1536000), "1,500KB");
    EXPECT_EQ(FormatFileSizeKB(1024ull * 999), "999KB");
    EXPECT_EQ(FormatFileSizeKB(1024ull * 1000), "1,000KB");
    // Beyond 2 TB the count no longer fits 32 bits; it must not wrap.
    EXPECT_EQ(FormatFileSizeKB(1024ull * 3000000000ull), "3,000,000,000KB");
}
