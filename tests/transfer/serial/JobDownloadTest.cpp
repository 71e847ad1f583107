#include "TestUtil.h"
#include "core/NikonColumnCollection.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "rawdata/RawDataFactory.h"
#include "transfer/backup/ArithmeticCoder.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupFile.h"
#include "transfer/backup/BackupFileRecord.h"
#include "transfer/serial/JobDownload.h"
#include "transfer/serial/TransferLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using morvel::test::ReadAllText;
using morvel::test::SharedTestDataPath;
using morvel::test::TempDir;
using morvel::test::WriteAllText;
using testing::ElementsAre;
using testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

class JobDownload : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previousFactory = InstallRawDataFactory();
        profile = std::make_unique<CProfile>(dir.file("Morvel.ini"));
        SetAppProfile(profile.get());
        SetProgramDataFolderOverride(dir.path().string() + "/");
        previousBox = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return answer;
        });
        fs::create_directory(dir.file("backups"));
        hooks.tempFolder = dir.path().string();
        hooks.backupFolder = dir.file("backups");
        hooks.receive = [this](const std::string& path) {
            WriteAllText(path, incoming);
            return true;
        };
        hooks.promptSave = [this](std::string& path, int code, const std::string& title) {
            prompts.push_back(std::to_string(code) + " " + title + " " + path);
            if (code == 13)
                return false;
            path = dir.file(code == 11 ? "job.Mvr" : "job.Mvj");
            return true;
        };
        hooks.openJob = [this](const std::string& path) {
            opened.push_back(path);
            return true;
        };
    }
    void TearDown() override
    {
        SetMessageBoxHandler(previousBox);
        SetProgramDataFolderOverride("");
        SetAppProfile(nullptr);
        SetJobRawDataFactory(std::move(previousFactory));
    }

    std::string Unpacked(const std::string& backupPath, uint32_t& type, std::string& slot)
    {
        CBackupFile file;
        EXPECT_TRUE(file.Open(backupPath));
        CBackupArchive archive;
        EXPECT_TRUE(file.GetArchiveSlot(0, &archive).has_value());
        EXPECT_TRUE(file.GetArchiveName(0, slot));
        type = archive.GetRecordType(0);
        EXPECT_EQ(archive.GetRecordName(0), fs::path(backupPath).filename().string());
        CBackupFileRecord* record = archive.GetRecord(0);
        if (record == nullptr)
            return {};
        uint8_t* out = nullptr;
        size_t size = 0;
        ArithmeticCoder coder;
        EXPECT_TRUE(coder.Decompress(record->GetData(), record->GetDataLength(), &out, &size));
        std::string text(reinterpret_cast<char*>(out), size);
        delete[] out;
        return text;
    }

    JobRawDataFactory previousFactory;
    MessageBoxHandler previousBox;
    TempDir dir;
    std::unique_ptr<CProfile> profile;
    GetJobHooks hooks;
    std::string incoming;
    int answer = IDOK;
    std::vector<std::string> messages;
    std::vector<std::string> prompts;
    std::vector<std::string> opened;
};

TEST_F(JobDownload, CoordinateLinesBecomeAJobInMetres)
{
    // Empty profile: the new-job defaults are in feet.
    incoming = "12,100,200,5,A\r\n"
               "12,110,210,6,B\r\n"
               "ABCDEFGHIJKLMNOPQ,1,2,3,LONG\r\n"
               ",1,2,3,NONAME\r\n"
               "13,,2,3,NO NORTH\r\n";
    hooks.enableBackups = true;
    hooks.modelIndex = 5;
    std::string name;
    ASSERT_TRUE(GetJob(name, false, hooks));
    EXPECT_THAT(opened, ElementsAre(dir.file("job.Mvj")));
    EXPECT_TRUE(fs::exists(dir.file("job.Mvr")));

    CMorvelFileDoc job;
    ASSERT_TRUE(job.OnOpenDocument(dir.file("job.Mvj")));
    EXPECT_EQ(job.GetDocSettings()->GetSurveyUnits(), 1);
    const CPointRecord* p12 = job.GetPointDatabase()->FindPoint("12", true);
    ASSERT_NE(p12, nullptr);
    EXPECT_DOUBLE_EQ(p12->GetLocation().y, 33.528);
    EXPECT_DOUBLE_EQ(p12->GetLocation().x, 64.00800000000001);
    EXPECT_DOUBLE_EQ(p12->GetLocation().z, 6 * 0.3048);
    EXPECT_STREQ(p12->GetDescription(), "B");
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 3) << "12 and two generated names; the line without N skipped";
    EXPECT_EQ(job.GetPointDatabase()->FindPoint("ABCDEFGHIJKLMNOPQ", true), nullptr);

    uint32_t type = 0;
    std::string slot;
    EXPECT_EQ(Unpacked(dir.file("backups/job.Mvb"), type, slot), incoming);
    EXPECT_EQ(type, BackupTypeDownloadedCoordinates);
    EXPECT_EQ(slot, "Morvel Coordinates");
    EXPECT_THAT(ReadAllText(GetTransferLogPath()), HasSubstr("job.Mvj"));

    // Again: the backup exists; Rename then Cancel leaves the old backup alone.
    answer = IDNO;
    ASSERT_TRUE(GetJob(name, false, hooks));
    EXPECT_THAT(messages, ElementsAre("Overwrite backup file job.Mvb?"));
    EXPECT_THAT(prompts.back(), HasSubstr("13 Save Backup As"));
}

TEST_F(JobDownload, RawDownloadIsReducedAndBackedUp)
{
    incoming = ReadAllText(SharedTestDataPath("tops_nikon_raw_v200.raw"));
    hooks.enableBackups = true;
    hooks.modelIndex = 5;
    std::string name;
    ASSERT_TRUE(GetJob(name, true, hooks));
    EXPECT_EQ(name, "FATE2010");
    EXPECT_THAT(prompts, ElementsAre("11 Save Download As FATE2010"));
    EXPECT_THAT(opened, ElementsAre(dir.file("job.Mvj")));
    CMorvelFileDoc job;
    ASSERT_TRUE(job.OnOpenDocument(dir.file("job.Mvj")));
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 83);
    uint32_t type = 0;
    std::string slot;
    EXPECT_EQ(Unpacked(dir.file("backups/job.Mvb"), type, slot), incoming);
    EXPECT_EQ(type, BackupTypeDownloadedRaw);
    EXPECT_EQ(slot, "Morvel Raw Data");
    const std::string log = ReadAllText(GetTransferLogPath());
    EXPECT_THAT(log, HasSubstr("job.Mvj"));
    EXPECT_THAT(log, testing::Not(HasSubstr("job.Mvr")));
}

// Beside another program's job X.mvj, a raw download named X (or X.mvr) writes the job's own raw
// data file X.Mvr and the job X.mvj, so the job opened reads the download's observations.
TEST_F(JobDownload, ARawDownloadWritesTheRawDataTheJobReads)
{
    incoming = ReadAllText(SharedTestDataPath("tops_nikon_raw_v200.raw"));
    hooks.modelIndex = 5;
    CMorvelFileDoc other;
    ASSERT_TRUE(other.OnSaveDocument(dir.file("X.mvj")));
    fs::remove(dir.file("X.Mvr"));
    WriteAllText(dir.file("X.mvr"), "someone else's raw data");
    hooks.promptSave = [this](std::string& path, int, const std::string&) {
        path = dir.file("X.mvr");
        return true;
    };
    std::string name;
    ASSERT_TRUE(GetJob(name, true, hooks));
    EXPECT_THAT(opened, ElementsAre(dir.file("X.mvj")));
    EXPECT_EQ(ReadAllText(dir.file("X.mvr")), "someone else's raw data");
    CMorvelFileDoc job;
    ASSERT_TRUE(job.OnOpenDocument(dir.file("X.mvj")));
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 83);
    EXPECT_THAT(ReadAllText(dir.file("X.Mvr")), HasSubstr("FATE2010"));
}

TEST_F(JobDownload, FailuresLeaveTheOldPairAsItWas)
{
    WriteAllText(dir.file("job.Mvj"), "old job");
    WriteAllText(dir.file("job.Mvr"), "old raw");
    const auto unchanged = [&] {
        EXPECT_EQ(ReadAllText(dir.file("job.Mvj")), "old job");
        EXPECT_EQ(ReadAllText(dir.file("job.Mvr")), "old raw");
    };
    std::string name;
    incoming = "12,100,200,5,A\r\n";

    // The received file cannot be opened: no job, no log.
    const auto receive = hooks.receive;
    hooks.receive = [](const std::string& path) {
        fs::remove(path);
        fs::create_directory(path);
        return true;
    };
    EXPECT_FALSE(GetJob(name, false, hooks));
    EXPECT_THAT(messages, ElementsAre("Transfer failed: temp file cannot be opened."));
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(fs::exists(GetTransferLogPath()));
    unchanged();
    hooks.receive = receive;

    // The raw data file cannot be staged beside its target.
    messages.clear();
    incoming = ReadAllText(SharedTestDataPath("tops_nikon_raw_v200.raw"));
    fs::create_directory(dir.file(".job.Mvr.download~"));
    EXPECT_FALSE(GetJob(name, true, hooks));
    EXPECT_THAT(messages, ElementsAre("Transfer failed: temp file cannot be opened"));
    unchanged();

    // The raw data file is staged but cannot be written whole (no file may grow past 16 bytes):
    // a long text fails at the write, a short one waits in the buffer and fails at the close.
    fs::remove(dir.file(".job.Mvr.download~"));
    std::string converted;
    ConvertRawDownload(incoming, 5, converted);
    std::vector<std::string> duplicates;
    for (const size_t length : {converted.size(), size_t(100)}) {
        morvel::test::RunWithFileSizeLimit(16, [&] {
            messages.clear();
            EXPECT_FALSE(WriteRawDownloadJob(converted.substr(0, length), dir.file("job.Mvr"), dir.file("job.Mvj"),
                                             duplicates));
            EXPECT_THAT(messages, ElementsAre("Transfer failed: temp file cannot be opened"));
        });
        EXPECT_FALSE(fs::exists(dir.file(".job.Mvr.download~")));
        unchanged();
    }

    // The job file cannot take its target's place after the raw data file did: the old raw data
    // file comes back, and a new one without an old one to restore does not stay alone.
    messages.clear();
    fs::create_directories(dir.file("blocked.Mvj/inside"));
    WriteAllText(dir.file("blocked.Mvr"), "old raw");
    EXPECT_FALSE(WriteRawDownloadJob(converted, dir.file("blocked.Mvr"), dir.file("blocked.Mvj"), duplicates));
    EXPECT_EQ(ReadAllText(dir.file("blocked.Mvr")), "old raw");
    fs::remove(dir.file("blocked.Mvr"));
    EXPECT_FALSE(WriteRawDownloadJob(converted, dir.file("blocked.Mvr"), dir.file("blocked.Mvj"), duplicates));
    EXPECT_FALSE(fs::exists(dir.file("blocked.Mvr")));
    ASSERT_FALSE(messages.empty());
    EXPECT_THAT(messages.back(), HasSubstr("Unable to save"));
    fs::remove_all(dir.file("blocked.Mvj"));
    unchanged();

    // The open job is never the target.
    messages.clear();
    hooks.openJobPath = dir.file("job.Mvj");
    incoming = "12,100,200,5,A\r\n";
    EXPECT_FALSE(GetJob(name, false, hooks));
    EXPECT_THAT(messages, ElementsAre("'job.Mvj' is the open job. Choose another name for the new job."));
    unchanged();

    // A cancelled transfer leaves no temporary file behind.
    hooks.receive = [](const std::string&) { return false; };
    const auto before = std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator());
    EXPECT_FALSE(GetJob(name, true, hooks));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), before);
    EXPECT_TRUE(opened.empty());
}

} // namespace
