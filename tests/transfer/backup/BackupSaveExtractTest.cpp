#include "BackupTestUtil.h"
#include "TestUtil.h"

#include "core/FileCE.h"
#include "core/WideText.h"
#include "model/JobFile.h"
#include "platform/MessageBox.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace morvel::test;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

// Records every message box and answers with the scripted button.
class ScriptedAnswers
{
public:
    explicit ScriptedAnswers(int answer = IDYES)
    {
        m_previous = SetMessageBoxHandler([this, answer](const std::string& text, uint32_t flags) {
            texts.push_back(text);
            this->flags.push_back(flags);
            return answer;
        });
    }
    ~ScriptedAnswers() { SetMessageBoxHandler(m_previous); }

    std::vector<std::string> texts;
    std::vector<uint32_t> flags;

private:
    MessageBoxHandler m_previous;
};

std::set<std::string> FolderNames(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A version 5 collector job whose settings name a linked file.
void WriteCollectorJob(const std::string& path, const std::string& linkedName)
{
    CJobFile job;
    ASSERT_TRUE(job.CreateVersion(path.c_str(), 5));
    std::vector<uint8_t> settings(CJobFile::SettingsBlockSize);
    ASSERT_TRUE(job.GetSettingsBlock(settings.data()));
    StoreUtf16Field(settings.data() + 32, 260, linkedName);
    ASSERT_TRUE(job.UpdateSettingsBlock(settings.data()));
    ASSERT_TRUE(job.Close());
}

bool ReadArchive(const std::string& path, CBackupArchive& archive, std::string* name = nullptr)
{
    CBackupFile file;
    if (!file.Open(path) || !file.GetArchiveSlot(0, &archive))
        return false;
    if (name)
        file.GetArchiveName(0, *name);
    return true;
}

} // namespace

TEST(BackupSave, SavesTheJobPairAndExtractsItBack)
{
    TempDir dir;
    const std::string jobs = dir.file("jobs");
    fs::create_directory(jobs);
    const std::string job = NoisyText(70000, 9), raw = "MO,FOOT\nSS,1,2,3\n";
    WriteAllText(jobs + "/site.Mvj", job);
    WriteAllText(jobs + "/site.Mvr", raw);
    WriteAllText(jobs + "/other.txt", "not part of the job");

    const std::string backup = dir.file("site.Mvb");
    {
        ScriptedAnswers answers;
        CBackupFile file;
        ASSERT_TRUE(file.Create(backup));
        ASSERT_TRUE(file.SaveArchive("site", jobs + "/site.Mvj", true));
        EXPECT_TRUE(answers.texts.empty());
        EXPECT_EQ(file.GetArchiveCount(), 1u);
        EXPECT_NE(file.GetArchiveTime(0).year, 0);
    }
    CBackupArchive archive;
    std::string name;
    ASSERT_TRUE(ReadArchive(backup, archive, &name));
    EXPECT_EQ(name, "site");
    ASSERT_EQ(archive.GetCount(), 2u);
    EXPECT_EQ(archive.GetRecordName(0), "site.Mvj");
    EXPECT_EQ(archive.GetRecordName(1), "site.Mvr");
    EXPECT_EQ(archive.GetRecordType(0), BackupTypeGeneric);

    const std::string out = dir.file("out");
    fs::create_directory(out);
    ScriptedAnswers answers(IDNO);
    bool asked = true;
    morvel::test::FsyncLog flushes;
    ASSERT_TRUE(archive.Extract(out, asked));
    EXPECT_TRUE(flushes.FlushedThenPlaced(out + "/site.Mvj"));
    EXPECT_TRUE(flushes.FlushedThenPlaced(out + "/site.Mvr"));
    EXPECT_FALSE(asked);
    EXPECT_TRUE(answers.texts.empty());
    EXPECT_EQ(FolderNames(out), (std::set<std::string> {"site.Mvj", "site.Mvr"}));
    EXPECT_EQ(ReadAllText(out + "/site.Mvj"), job);
    EXPECT_EQ(ReadAllText(out + "/site.Mvr"), raw);
}

TEST(BackupSave, CollectorPairsTypesCompanionsAndTheBackupMark)
{
    TempDir dir;
    const std::string folder = dir.path().string();
    WriteCollectorJob(dir.file("road.Job"), "road.Jak");
    WriteAllText(dir.file("road.Raw"), "raw");
    WriteAllText(dir.file("road.Jak"), "the collector's own copy");

    CBackupFile file;
    ASSERT_TRUE(file.Create(dir.file("b.Mvb")));
    ASSERT_TRUE(file.SaveArchive("road", dir.file("road.Job"), false));
    file.Close();
    CBackupArchive archive;
    ASSERT_TRUE(ReadArchive(dir.file("b.Mvb"), archive));
    ASSERT_EQ(archive.GetCount(), 2u);
    EXPECT_EQ(archive.GetRecordName(0), "road.Job");
    EXPECT_EQ(archive.GetRecordType(0), BackupTypeJob);
    EXPECT_EQ(archive.GetRecordName(1), "road.Raw");
    EXPECT_EQ(archive.GetRecordType(1), BackupTypeRaw);

    // A companion that is not the backup copy travels with the job, once whatever its case, and
    // is found on disk even when the collector wrote its name in another case.
    WriteCollectorJob(dir.file("road.Job"), "ROAD.RAW");
    WriteAllText(dir.file("extra.Pro"), "project");
    CBackupFile again;
    ASSERT_TRUE(again.Create(dir.file("c.Mvb")));
    ASSERT_TRUE(again.SaveArchive("road", dir.file("road.Job"), false));
    again.Close();
    ASSERT_TRUE(ReadArchive(dir.file("c.Mvb"), archive));
    EXPECT_EQ(archive.GetCount(), 2u);
}

TEST(BackupSave, FailuresAreCollectedInOneMessage)
{
    TempDir dir;
    {
        ScriptedAnswers answers;
        CBackupFile file;
        ASSERT_TRUE(file.Create(dir.file("none.Mvb")));
        EXPECT_FALSE(file.SaveArchive("x", dir.file("x.Rk7"), true));
        ASSERT_EQ(answers.texts.size(), 1u);
        EXPECT_THAT(answers.texts[0], HasSubstr("Failed to open x.Rk7 : "));
        EXPECT_THAT(answers.texts[0], HasSubstr("Failed to open x.Rv7 : "));
        EXPECT_EQ(answers.flags[0] & MB_ICONERROR, MB_ICONERROR);
    }
    {
        WriteAllText(dir.file("e.Nik"), "");
        WriteAllText(dir.file("e.Nrd"), "data");
        ScriptedAnswers answers;
        CBackupFile file;
        ASSERT_TRUE(file.Create(dir.file("e.Mvb")));
        EXPECT_TRUE(file.SaveArchive("e", dir.file("e.Nik"), true));
        ASSERT_EQ(answers.texts.size(), 1u);
        EXPECT_EQ(answers.texts[0], "File is empty. e.Nik");
    }
    {
        // Nothing to gather for an extension without a pair.
        ScriptedAnswers answers;
        CBackupFile file;
        ASSERT_TRUE(file.Create(dir.file("n.Mvb")));
        EXPECT_FALSE(file.SaveArchive("n", dir.file("n.xyz"), true));
        EXPECT_TRUE(answers.texts.empty());
        EXPECT_EQ(file.GetArchiveCount(), 0u);
    }
}

// A failed save must not leave a named empty slot (or any data) behind in the backup file.
TEST(BackupSave, AFailedSaveLeavesTheBackupFileAsItWas)
{
    TempDir dir;
    WriteAllText(dir.file("good.Nik"), "job");
    WriteAllText(dir.file("good.Nrd"), "raw");
    WriteAllText(dir.file("empty.Nik"), "");
    WriteAllText(dir.file("empty.Nrd"), "");
    const std::string backup = dir.file("b.Mvb");
    {
        CBackupFile file;
        ASSERT_TRUE(file.Create(backup));
        ASSERT_TRUE(file.SaveArchive("good", dir.file("good.Nik"), false));
    }
    const auto before = ReadAllBytes(backup);
    for (const char* job : {"empty.Nik", "missing.Rk7"}) {
        ScriptedAnswers answers;
        CBackupFile file;
        ASSERT_TRUE(file.Open(backup));
        EXPECT_FALSE(file.SaveArchive("bad", dir.file(job), true)) << job;
        EXPECT_EQ(file.GetArchiveCount(), 1u) << job;
        ASSERT_TRUE(file.Close());
        EXPECT_EQ(ReadAllBytes(backup), before) << job;
    }
}

// Extraction only reads the backup, so a backup the user cannot write (read-only media) works.
TEST(BackupExtract, ABackupThatCannotBeWrittenStillExtracts)
{
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::all);
    WriteAllText(dir.file("site.Nik"), "job");
    WriteAllText(dir.file("site.Nrd"), "raw");
    const std::string backup = dir.file("site.Mvb");
    {
        CBackupFile file;
        ASSERT_TRUE(file.Create(backup));
        ASSERT_TRUE(file.SaveArchive("site", dir.file("site.Nik"), false));
    }
    fs::permissions(backup, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string out = dir.file("out");
    fs::create_directory(out);
    fs::permissions(out, fs::perms::all);
    RunUnprivileged(dir.path(), [&] {
        CBackupFile file;
        CBackupArchive archive;
        bool asked = false;
        EXPECT_TRUE(!CBackupFile().Open(backup) && file.Open(backup, true) && file.GetArchiveSlot(0, &archive) &&
                    archive.Extract(out, asked) && ReadAllText(out + "/site.Nrd") == "raw" &&
                    !file.AddArchiveSlot("x"));
    });
    EXPECT_EQ(FolderNames(out), (std::set<std::string> {"site.Nik", "site.Nrd"}));
}

TEST(BackupSave, RewriteThroughCopyReplacesTheBackupOnlyWhenComplete)
{
    TempDir dir;
    std::vector<uint32_t> sent;
    SetBackupMainWindowSender([&sent](uint32_t message, intptr_t, intptr_t) { sent.push_back(message); });
    WriteAllText(dir.file("j.Rk7"), "points");
    WriteAllText(dir.file("j.Rv7"), "raw");
    {
        morvel::test::FsyncLog flushes;
        ASSERT_TRUE(CBackupFile::RewriteThroughCopy(dir.file("j.Rk7"), "Mvb", false));
        EXPECT_TRUE(flushes.FlushedThenPlaced(dir.file("j.Mvb")));
    }
    EXPECT_EQ(sent, (std::vector<uint32_t> {0x807B}));
    EXPECT_EQ(FolderNames(dir.path().string()), (std::set<std::string> {"j.Rk7", "j.Rv7", "j.Mvb"}));
    CBackupArchive archive;
    std::string name;
    ASSERT_TRUE(ReadArchive(dir.file("j.Mvb"), archive, &name));
    EXPECT_EQ(name, "j");
    EXPECT_EQ(archive.GetCount(), 2u);
    const auto good = ReadAllBytes(dir.file("j.Mvb"));

    // The job's files are gone: the save fails and the good backup stays as it was.
    fs::remove(dir.file("j.Rk7"));
    fs::remove(dir.file("j.Rv7"));
    ScriptedAnswers answers;
    EXPECT_FALSE(CBackupFile::RewriteThroughCopy(dir.file("j.Rk7"), "Mvb", false));
    EXPECT_TRUE(answers.texts.empty());
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_EQ(ReadAllBytes(dir.file("j.Mvb")), good);
    EXPECT_EQ(FolderNames(dir.path().string()), (std::set<std::string> {"j.Mvb"}));

    // The copy cannot be written whole (no file may grow past half the backup): the same.
    WriteAllText(dir.file("j.Rk7"), "points");
    WriteAllText(dir.file("j.Rv7"), "raw");
    morvel::test::RunWithFileSizeLimit(good.size() / 2, [&] {
        EXPECT_FALSE(CBackupFile::RewriteThroughCopy(dir.file("j.Rk7"), "Mvb", false));
    });
    EXPECT_EQ(ReadAllBytes(dir.file("j.Mvb")), good);
    EXPECT_EQ(FolderNames(dir.path().string()), (std::set<std::string> {"j.Rk7", "j.Rv7", "j.Mvb"}));
    SetBackupMainWindowSender(nullptr);
}

TEST(BackupExtract, AsksOnceBeforeReplacingAndLeavesNoTemporaryFiles)
{
    TempDir dir;
    const std::string backup = dir.file("x.Mvb");
    {
        CBackupFile file;
        ASSERT_TRUE(file.Create(backup));
        ASSERT_TRUE(file.AddArchiveSlot("x"));
        CBackupArchive archive(3, true);
        ASSERT_TRUE(AddTextRecord(archive, "a.txt", "new a"));
        ASSERT_TRUE(AddTextRecord(archive, "b.txt", "new b"));
        ASSERT_TRUE(AddTextRecord(archive, "c.txt", "new c"));
        ASSERT_TRUE(AddSnapshot(archive, "snapshot", 1, 2, 3, 4));
        ASSERT_TRUE(file.WriteArchiveData(0, archive));
    }
    CBackupArchive archive;
    ASSERT_TRUE(ReadArchive(backup, archive));
    const std::string out = dir.file("out");
    fs::create_directory(out);
    WriteAllText(out + "/b.txt", "old b");
    {
        ScriptedAnswers answers(IDNO);
        bool asked = false;
        EXPECT_FALSE(archive.Extract(out, asked));
        EXPECT_TRUE(asked);
        ASSERT_EQ(answers.texts.size(), 1u);
        EXPECT_EQ(answers.texts[0], "Some of the files in this archive will overwrite files in the destination "
                                    "folder.\n\nDo you want to continue?");
        EXPECT_EQ(answers.flags[0], MB_YESNO | MB_ICONQUESTION);
        EXPECT_EQ(FolderNames(out), (std::set<std::string> {"b.txt"}));
        EXPECT_EQ(ReadAllText(out + "/b.txt"), "old b");
    }
    {
        ScriptedAnswers answers(IDYES);
        bool asked = false;
        EXPECT_TRUE(archive.Extract(out + "/", asked));
        EXPECT_TRUE(asked);
        EXPECT_EQ(answers.texts.size(), 1u);
        // The Snapshot record is not a file.
        EXPECT_EQ(FolderNames(out), (std::set<std::string> {"a.txt", "b.txt", "c.txt"}));
        EXPECT_EQ(ReadAllText(out + "/b.txt"), "new b");
    }
}

TEST(BackupExtract, StoredNamesNeverLeaveTheFolder)
{
    TempDir dir;
    const std::string out = dir.file("out");
    fs::create_directory(out);
    {
        CBackupArchive archive(5, false);
        ASSERT_TRUE(AddTextRecord(archive, "../up.txt", "1"));
        ASSERT_TRUE(AddTextRecord(archive, "..\\back.txt", "2"));
        ASSERT_TRUE(AddTextRecord(archive, "/etc/abs.txt", "3"));
        ASSERT_TRUE(AddTextRecord(archive, "plain.txt", "4"));
        ASSERT_TRUE(AddTextRecord(archive, "sub/plain.txt", "5")); // same destination: the later wins
        bool asked = false;
        ASSERT_TRUE(archive.Extract(out, asked));
        EXPECT_EQ(FolderNames(out), (std::set<std::string> {"up.txt", "back.txt", "abs.txt", "plain.txt"}));
        EXPECT_EQ(ReadAllText(out + "/plain.txt"), "5");
        EXPECT_EQ(FolderNames(dir.path().string()), (std::set<std::string> {"out"}));
    }
    for (const char* bad : {"", ".", "..", "a/..", "x\\", "../"}) {
        SCOPED_TRACE(bad);
        const std::string empty = dir.file("empty");
        fs::create_directory(empty);
        CBackupArchive archive(2, false);
        ASSERT_TRUE(AddTextRecord(archive, "good.txt", "1"));
        ASSERT_TRUE(AddTextRecord(archive, bad, "2"));
        bool asked = false;
        EXPECT_FALSE(archive.Extract(empty, asked));
        EXPECT_TRUE(fs::is_empty(empty));
    }
}

TEST(BackupExtract, ARecordThatDoesNotDecompressStopsBeforeAnyCopy)
{
    TempDir dir;
    CBackupArchive archive(2, false);
    ASSERT_TRUE(AddTextRecord(archive, "good.txt", "good"));
    auto junk = std::make_unique<uint8_t[]>(4);
    junk[0] = 0xFF;
    junk[1] = 0xFF;
    junk[2] = 0;
    junk[3] = 0;
    ASSERT_TRUE(archive.AddRecord("bad.txt", std::move(junk), 4, BackupTypeGeneric));
    bool asked = false;
    EXPECT_FALSE(archive.Extract(dir.path().string(), asked));
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(BackupSample, SmallBackupReadsAndExtracts)
{
    CBackupFile file;
    ASSERT_TRUE(file.Open(TestDataPath("small_backup.Mvb"), true)) << file.GetOpenError();
    ASSERT_EQ(file.GetArchiveCount(), 2u);
    CBackupArchive first;
    ASSERT_TRUE(file.GetArchiveSlot(0, &first));
    ASSERT_EQ(first.GetCount(), 1u);
    EXPECT_EQ(first.GetRecordType(0), BackupTypeDownloadedRaw);
    std::string name;
    ASSERT_TRUE(file.GetArchiveName(1, name));
    EXPECT_EQ(name, "site");
    EXPECT_EQ(file.GetArchiveTime(1).year, 2026);
    CBackupArchive site;
    ASSERT_TRUE(file.GetArchiveSlot(1, &site));
    EXPECT_EQ(site.GetCount(), 2u);
    ASSERT_NE(site.GetExtraRecord(), nullptr);
    TempDir dir;
    bool asked = true;
    ASSERT_TRUE(site.Extract(dir.path().string(), asked));
    EXPECT_FALSE(asked);
    EXPECT_EQ(FolderNames(dir.path().string()), (std::set<std::string> {"site.Rk7", "site.Rv7"}));
    EXPECT_EQ(ReadAllText(dir.file("site.Rv7")), "raw lines\r\nmore\r\n");
}

// The coder's output is part of the stored format: an archive of public field files, written
// through the archive writer, must keep the same bytes whatever is done to the coder's speed.
TEST(BackupArchiveBytes, AnArchiveOfFieldFilesKeepsItsBytesAndReadsBack)
{
    const std::vector<std::string> names = {"tops_carlson_leica1200.rw5", "geoeasy_leica_coords.gsi",
                                            "tops_nikon_raw_v200.raw",    "tops_sokkia_sdr33.sdr",
                                            "tops_landxml_1_2.xml",       "ezdxf_bin_dxf_r2000.dxf"};
    CBackupArchive archive(uint32_t(names.size()), false);
    for (const std::string& name : names) {
        const std::string text = ReadAllText(SharedTestDataPath(name));
        ASSERT_FALSE(text.empty()) << name;
        ASSERT_TRUE(AddTextRecord(archive, name, text)) << name;
    }
    TempDir dir;
    const std::string path = dir.file("field.arc");
    {
        CFileCE file;
        ASSERT_TRUE(file.Open(path, CFileCE::modeCreate | CFileCE::modeWrite));
        ASSERT_TRUE(archive.Write(&file));
        ASSERT_TRUE(file.Close());
    }
    const std::vector<unsigned char> bytes = ReadAllBytes(path);
    const uint64_t digest = morvel::test::Fnv1a({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    EXPECT_EQ(bytes.size(), 15180u);
    EXPECT_EQ(digest, 11134367966609190262ull);

    CBackupArchive back;
    {
        CFileCE file;
        ASSERT_TRUE(file.Open(path, CFileCE::modeRead));
        ASSERT_TRUE(back.Read(&file, uint32_t(names.size()), false));
    }
    bool asked = false;
    ASSERT_TRUE(back.Extract(dir.path().string(), asked));
    for (const std::string& name : names)
        EXPECT_EQ(ReadAllText(dir.file(name)), ReadAllText(SharedTestDataPath(name))) << name;
}
