#include "core/StagedFilePair.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

std::set<std::string> Names(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Writes both staged files, as the new-job writer does.
bool WritePair(const std::string& staged)
{
    WriteAllText(staged, "new job");
    WriteAllText(staged.substr(0, staged.size() - 3) + "Mvr", "new raw");
    return true;
}

} // namespace

TEST(StagedFilePair, AFailureKeepsTheOldPairAndSaysWhy)
{
    enum class Fault { WriterFails, RawPathIsAFolder, ReadOnlyFolder };
    for (Fault fault : {Fault::WriterFails, Fault::RawPathIsAFolder, Fault::ReadOnlyFolder}) {
        SCOPED_TRACE(int(fault));
        TempDir dir;
        const std::string job = dir.file("Parcel.Mvj");
        WriteAllText(job, "old job");
        if (fault == Fault::RawPathIsAFolder) {
            std::filesystem::create_directory(dir.file("Parcel.Mvr"));
            WriteAllText(dir.file("Parcel.Mvr/keep.txt"), "kept");
        } else {
            WriteAllText(dir.file("Parcel.Mvr"), "old raw");
        }
        const auto before = Names(dir.path());

        auto attempt = [&] {
            const std::string message = WriteFilePairInPlace(job, "Mvr", [&](const std::string& staged) {
                // Half a pair written, then the disk fills up.
                if (fault == Fault::WriterFails) {
                    WriteAllText(staged, "partial");
                    return false;
                }
                return WritePair(staged);
            });
            EXPECT_NE(message.find("The new job could not be created in " + dir.path().string() + ": "),
                      std::string::npos)
                << message;
            if (fault == Fault::RawPathIsAFolder)
                EXPECT_NE(message.find("\"Parcel.Mvr\" is in the way"), std::string::npos) << message;
            if (fault == Fault::ReadOnlyFolder)
                EXPECT_NE(message.find("permission denied"), std::string::npos) << message;
        };
        if (fault == Fault::ReadOnlyFolder) {
            ::chmod(dir.path().c_str(), 0555);
            morvel::test::RunUnprivileged(dir.path(), attempt);
            ::chmod(dir.path().c_str(), 0755);
        } else {
            attempt();
        }

        EXPECT_EQ(ReadAllText(job), "old job");
        if (fault == Fault::RawPathIsAFolder)
            EXPECT_EQ(ReadAllText(dir.file("Parcel.Mvr/keep.txt")), "kept");
        else
            EXPECT_EQ(ReadAllText(dir.file("Parcel.Mvr")), "old raw");
        EXPECT_EQ(Names(dir.path()), before); // no staging folder left behind
    }
}

TEST(StagedFilePair, ReplacesBothFilesOrCreatesThem)
{
    for (bool existing : {true, false}) {
        SCOPED_TRACE(existing);
        TempDir dir;
        const std::string job = dir.file("Parcel.Mvj");
        if (existing) {
            WriteAllText(job, "old job");
            WriteAllText(dir.file("Parcel.Mvr"), "old raw");
        }
        morvel::test::FsyncLog flushes;
        EXPECT_EQ(WriteFilePairInPlace(job, "Mvr", WritePair), "");
        // On the disk before they replace anything, and their names with them.
        EXPECT_TRUE(flushes.FlushedThenPlaced(job));
        EXPECT_TRUE(flushes.FlushedThenPlaced(dir.file("Parcel.Mvr")));
        EXPECT_EQ(ReadAllText(job), "new job");
        EXPECT_EQ(ReadAllText(dir.file("Parcel.Mvr")), "new raw");
        EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"Parcel.Mvj", "Parcel.Mvr"}));
    }
}

TEST(StagedFilePair, AFailedMoveAlwaysPutsTheOldPartnerBack)
{
    // Old partners a flush cannot open: (as a person other than root) a file only its owner may
    // write, and a link to a file since removed.
    for (bool link : {false, true}) {
        SCOPED_TRACE(link);
        TempDir dir;
        const std::string job = dir.file("Parcel.Mvj");
        const std::string raw = dir.file("Parcel.Mvr");
        // A folder that is not empty where the job goes makes the last move fail.
        std::filesystem::create_directory(job);
        WriteAllText(dir.file("Parcel.Mvj/keep.txt"), "kept");
        WriteAllText(dir.file("staged.Mvj"), "new job");
        WriteAllText(dir.file("staged.Mvr"), "new raw");
        if (link)
            std::filesystem::create_symlink(dir.file("gone.Mvr"), raw);
        else
            WriteAllText(raw, "old raw");
        auto commit = [&] {
            EXPECT_NE(CommitStagedPair(dir.file("staged.Mvj"), job, dir.file("staged.Mvr"), raw, dir.file("kept.Mvr")),
                      0);
        };
        if (link) {
            commit();
        } else {
            ::chmod(raw.c_str(), 0200);
            morvel::test::RunUnprivileged(dir.path(), commit);
            ::chmod(raw.c_str(), 0644);
        }
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.file("kept.Mvr"))));
        if (link) {
            ASSERT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(raw)));
            EXPECT_EQ(std::filesystem::read_symlink(raw), dir.file("gone.Mvr"));
        } else {
            EXPECT_EQ(ReadAllText(raw), "old raw");
        }
        EXPECT_EQ(ReadAllText(dir.file("Parcel.Mvj/keep.txt")), "kept");
    }
}
