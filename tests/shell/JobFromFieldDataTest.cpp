#include "model/JobFileHeader.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "rawdata/RawDataFactory.h"
#include "shell/JobFromFieldData.h"
#include "transfer/backup/BackupFile.h"
#include "transfer/backup/BackupTestUtil.h"
#include "TestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using morvel::test::TempDir;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

class JobFromFieldDataTest : public testing::Test
{
protected:
    JobFromFieldDataTest() : profile(dir.file("Morvel.ini"))
    {
        SetAppProfile(&profile);
        previousFactory = InstallRawDataFactory();
        previousBox = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return IDOK;
        });
    }
    ~JobFromFieldDataTest() override
    {
        SetMessageBoxHandler(previousBox);
        SetJobRawDataFactory(std::move(previousFactory));
        SetAppProfile(nullptr);
    }

    std::string Backup(const std::string& text, uint32_t type)
    {
        const std::string path = dir.file("field.Mvb");
        EXPECT_TRUE(morvel::test::WriteOneRecordBackup(path, "Field", "field.txt", text, type));
        return path;
    }

    // Only the job files the road made; staged copies must be gone.
    std::vector<std::string> JobFiles()
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            if (entry.path().extension() == ".Mvj" || entry.path().extension() == ".Mvr")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    CProfile profile;
    JobRawDataFactory previousFactory;
    MessageBoxHandler previousBox;
    std::vector<std::string> messages;
};

} // namespace

TEST_F(JobFromFieldDataTest, AsciiBackupInFeetBecomesAJobInMetres)
{
    const std::string job = dir.file("new.Mvj");
    morvel::test::FsyncLog flushes;
    const std::string backup = Backup("P1,100,200,50,FENCE\r\n"
                                      "P2,5\n"
                                      "BAD-NAME,10,20,,ODD\n"
                                      "P1,10,20,5,AGAIN\n"
                                      "\n",
                                      BackupTypeDownloadedCoordinates);
    ASSERT_TRUE(CreateJobFromBackupFile(backup, job, dir.file("other.Mvj")));
    EXPECT_TRUE(messages.empty());
    EXPECT_THAT(JobFiles(), ElementsAre("new.Mvj", "new.Mvr"));
    EXPECT_TRUE(flushes.FlushedThenPlaced(job));
    EXPECT_TRUE(flushes.FlushedThenPlaced(dir.file("new.Mvr")));

    CMorvelFileDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(job)) << testing::PrintToString(messages);
    const CPointRecord* p1 = opened.GetPointDatabase()->FindPoint("P1", true);
    ASSERT_NE(p1, nullptr);
    // The repeated name updated the first point: 10, 20, 5 feet.
    EXPECT_NEAR(p1->GetLocation().y, 3.048, 1e-9);
    EXPECT_NEAR(p1->GetLocation().x, 6.096, 1e-9);
    EXPECT_NEAR(p1->GetLocation().z, 1.524, 1e-9);
    EXPECT_STREQ(p1->GetDescription(), "AGAIN");
    // The line without an easting is skipped; the odd name got a name of its own.
    EXPECT_EQ(opened.GetRecordDatabase()->GetCount(1), 2);
}

TEST_F(JobFromFieldDataTest, AsciiBackupFirstLineInFeet)
{
    const std::string job = dir.file("one.Mvj");
    ASSERT_TRUE(CreateJobFromBackupFile(Backup("P1,100,200,50,FENCE\n", BackupTypeDownloadedCoordinates), job, ""));
    CMorvelFileDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(job)) << testing::PrintToString(messages);
    const CPointRecord* p1 = opened.GetPointDatabase()->FindPoint("P1", true);
    ASSERT_NE(p1, nullptr);
    EXPECT_NEAR(p1->GetLocation().y, 30.48, 1e-9);
    EXPECT_NEAR(p1->GetLocation().x, 60.96, 1e-9);
    EXPECT_NEAR(p1->GetLocation().z, 15.24, 1e-9);
}

TEST_F(JobFromFieldDataTest, RawBackupAndTransferFileReduceToPoints)
{
    // An instrument's file in the current layout, and the older comma layout.
    const std::string current = morvel::test::ReadAllText(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"));
    const std::string older = morvel::test::ReadAllText(morvel::test::TestDataPath("old_layout_raw.txt"));
    struct Case
    {
        uint32_t type;
        const std::string& text;
        const char* point;
    } cases[] = {{BackupTypeDownloadedRaw, current, "1"}, {BackupTypeDownloadedRawOtherModels, older, "10"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const std::string job = dir.file("raw" + std::to_string(c.type) + ".Mvj");
        ASSERT_TRUE(CreateJobFromBackupFile(Backup(c.text, c.type), job, ""));
        CMorvelFileDoc opened;
        ASSERT_TRUE(opened.OnOpenDocument(job)) << testing::PrintToString(messages);
        EXPECT_NE(opened.GetPointDatabase()->FindPoint(c.point, true), nullptr);
    }

    // A transfer file replaces an old job of the same name, and its text ends at a zero byte.
    const std::string trn = dir.file("field.TRN");
    morvel::test::WriteAllText(trn, current + std::string(1, '\0') + "MP,ZERO,,1,1,1,AFTER\n");
    const std::string job = dir.file("trn.Mvj");
    morvel::test::WriteAllText(job, "old");
    ASSERT_TRUE(CreateJobFromTransferFile(trn, job, ""));
    CMorvelFileDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(job)) << testing::PrintToString(messages);
    EXPECT_NE(opened.GetPointDatabase()->FindPoint("1", true), nullptr);
    EXPECT_EQ(opened.GetPointDatabase()->FindPoint("ZERO", true), nullptr);
    EXPECT_THAT(JobFiles(), testing::IsSupersetOf({"trn.Mvj", "trn.Mvr"}));
}

TEST_F(JobFromFieldDataTest, RefusalsWriteNothing)
{
    const std::string job = dir.file("new.Mvj");
    struct Case
    {
        const char* name;
        std::function<bool()> run;
        const char* message;
    } cases[] = {
        {"type 16",
         [&] {
             // The archive classes write no such type; the stored word is changed afterwards.
             const std::string path = Backup("P1,1,2,3,X\n", BackupTypeDownloadedCoordinates);
             auto bytes = morvel::test::ReadAllBytes(path);
             bytes[CBackupFile::HeaderSize] = 16;
             morvel::test::WriteAllBytes(path, bytes);
             return CreateJobFromBackupFile(path, job, "");
         },
         "field.Mvb does not appear to be a valid Morvel Backup file."},
        {"job record first", [&] { return CreateJobFromBackupFile(Backup("P1,1,2,3,X\n", BackupTypeJob), job, ""); },
         "field.Mvb does not appear to be a valid Morvel Backup file."},
        {"not a backup",
         [&] {
             morvel::test::WriteAllText(dir.file("junk.Mvb"), "not a backup at all");
             return CreateJobFromBackupFile(dir.file("junk.Mvb"), job, "");
         },
         "junk.Mvb does not appear to be a valid Morvel Backup file."},
        {"empty transfer file",
         [&] {
             morvel::test::WriteAllText(dir.file("empty.TRN"), "");
             return CreateJobFromTransferFile(dir.file("empty.TRN"), job, "");
         },
         "empty.TRN does not appear to be a valid file."},
        {"random bytes",
         [&] {
             std::mt19937 noise(56);
             std::string bytes(4096, '\0');
             for (char& b : bytes)
                 b = char(1 + noise() % 255); // no zero byte, which would end the text early
             morvel::test::WriteAllText(dir.file("noise.raw"), bytes);
             return CreateJobFromTransferFile(dir.file("noise.raw"), job, "");
         },
         "noise.raw does not appear to be a valid file.\n\nNone of its lines is a raw data record."},
        {"missing transfer file", [&] { return CreateJobFromTransferFile(dir.file("gone.TRN"), job, ""); },
         "Failed to open gone.TRN."},
        {"the open job", [&] { return CreateJobFromTransferFile(dir.file("x.TRN"), job, dir.file("new.Mvj")); },
         "'new.Mvj' is the open job. Choose another name for the new job."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        EXPECT_FALSE(c.run());
        EXPECT_THAT(messages, ElementsAre(c.message));
        EXPECT_TRUE(JobFiles().empty());
    }

    // A job that cannot be written leaves nothing behind to open.
    messages.clear();
    EXPECT_FALSE(CreateJobFromBackupFile(Backup("P1,1,2,3,X\n", BackupTypeDownloadedCoordinates),
                                         dir.file("no-such-folder/new.Mvj"), ""));
    // After what the file layer could say, if anything: the failure is always said.
    EXPECT_THAT(messages, Contains("Function failed."));
    EXPECT_TRUE(JobFiles().empty());
    EXPECT_FALSE(fs::exists(dir.file("no-such-folder")));
}

TEST_F(JobFromFieldDataTest, AJobThatCannotBeReplacedKeepsTheOldPair)
{
    const std::string trn = dir.file("field.TRN");
    morvel::test::WriteAllText(trn, morvel::test::ReadAllText(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw")));
    // The job's name is taken by a folder that holds files: no rename can replace it.
    const std::string job = dir.file("old.Mvj");
    fs::create_directories(fs::path(job) / "inside");
    morvel::test::WriteAllText(dir.file("old.Mvr"), "CO,the old raw data\n");
    EXPECT_FALSE(CreateJobFromTransferFile(trn, job, ""));
    EXPECT_THAT(messages, ElementsAre("Function failed."));
    EXPECT_EQ(morvel::test::ReadAllText(dir.file("old.Mvr")), "CO,the old raw data\n");
    EXPECT_TRUE(fs::is_directory(fs::path(job) / "inside"));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().filename() != "Morvel.ini")
            left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_THAT(left, ElementsAre("field.TRN", "old.Mvj", "old.Mvr"));
}

TEST_F(JobFromFieldDataTest, ABackupOnReadOnlyMediaIsReadOnly)
{
    const fs::path media = fs::path(dir.path()) / "media";
    fs::create_directory(media);
    const std::string backup = (media / "field.Mvb").string();
    fs::rename(Backup("P1,100,200,50,FENCE\n", BackupTypeDownloadedCoordinates), backup);
    const auto before = morvel::test::ReadAllBytes(backup);
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(backup, readOnly);
    fs::permissions(media, readOnly | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec);
    const std::string job = dir.file("new.Mvj");
    morvel::test::RunUnprivileged(dir.path(), [&] {
        EXPECT_TRUE(CreateJobFromBackupFile(backup, job, ""));
        EXPECT_TRUE(messages.empty()) << messages.front();
        EXPECT_THAT(JobFiles(), ElementsAre("new.Mvj", "new.Mvr"));
        // Nor can a job be made there: the failure is said, not passed over.
        EXPECT_FALSE(CreateJobFromBackupFile(backup, (media / "there.Mvj").string(), ""));
        EXPECT_THAT(messages, Contains("Function failed."));
    });
    fs::permissions(media, fs::perms::owner_all);
    EXPECT_EQ(morvel::test::ReadAllBytes(backup), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(media), fs::directory_iterator()), 1);
}

// A job whose field data stored no point, or whose lines were refused, comes with the reason.
TEST_F(JobFromFieldDataTest, AJobWithoutItsPointsSaysWhy)
{
    struct Case
    {
        const char* file;
        std::vector<std::string> said; // parts of the notice, in order; none: no notice
    };
    const Case cases[] = {
        // Quick Station setups without station coordinates: no shot can be placed.
        {"tops_nikon_npl350.raw",
         {"No point was stored from the field data.", "lines were not used", "Line #25 ERROR: Bad Occupy Pt'1000'",
          "Job > Raw Data Reduction shows the whole analysis."}},
        {"tops_nikon_dtm330.raw", {"No point was stored from the field data.", " ERROR: Bad Occupy Pt'"}},
        {"tops_nikon_raw_v200.raw", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string trn = dir.file("field.TRN");
        morvel::test::WriteAllText(trn, morvel::test::ReadAllText(morvel::test::SharedTestDataPath(c.file)));
        std::string notice = "unset";
        ASSERT_TRUE(CreateJobFromTransferFile(trn, dir.file("job.Mvj"), "", &notice));
        if (c.said.empty()) {
            EXPECT_EQ(notice, "");
            continue;
        }
        size_t at = 0;
        for (const std::string& part : c.said) {
            const size_t found = notice.find(part, at);
            ASSERT_NE(found, std::string::npos) << part << " in\n" << notice;
            at = found + part.size();
        }
    }
}
