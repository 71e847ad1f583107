#include "BackupTestUtil.h"
#include "TestUtil.h"

#include "core/LittleEndian.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace morvel::test;
using Bytes = std::vector<unsigned char>;

namespace {

constexpr size_t H = CBackupFile::HeaderSize;

size_t SlotAt(int i)
{
    return CBackupFile::SlotsOffset + CBackupFile::SlotSize * i;
}

std::string Decompressed(const CBackupFileRecord* record)
{
    ArithmeticCoder coder;
    uint8_t* out = nullptr;
    size_t size = 0;
    if (!record || !coder.Decompress(record->GetData(), record->GetDataLength(), &out, &size))
        return "<failed>";
    std::string text(reinterpret_cast<char*>(out), size);
    delete[] out;
    return text;
}

// Writes an archive of the given files into a new slot of the file.
void AddArchive(CBackupFile& file, const std::string& name, const std::vector<std::pair<std::string, std::string>>& files)
{
    ASSERT_TRUE(file.AddArchiveSlot(name));
    CBackupArchive archive(static_cast<uint32_t>(files.size()), false);
    for (const auto& [fileName, text] : files)
        ASSERT_TRUE(AddTextRecord(archive, fileName, text));
    ASSERT_TRUE(file.WriteArchiveData(file.GetArchiveCount() - 1, archive));
}

} // namespace

TEST(BackupFile, NewFileIsExactlyTheHeader)
{
    TempDir dir;
    const std::string path = dir.file("new.Mvb");
    CBackupFile file;
    ASSERT_TRUE(file.Create(path));
    ASSERT_TRUE(file.Close());
    const Bytes bytes = ReadAllBytes(path);
    ASSERT_EQ(bytes.size(), 10280u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 31), "QuorelVantisMarcato Backup File");
    EXPECT_EQ(bytes[31], 0);
    EXPECT_EQ(GetU32LE(bytes.data() + 32), 1u);
    EXPECT_EQ(GetU32LE(bytes.data() + 36), 0u);
    for (size_t i = 40; i < bytes.size(); ++i)
        ASSERT_EQ(bytes[i], 0) << "at " << i;
}

TEST(BackupFile, OneRecordArchiveBytes)
{
    TempDir dir;
    const std::string path = dir.file("one.Mvb");
    {
        CBackupFile file;
        ASSERT_TRUE(file.Create(path));
        ASSERT_TRUE(file.AddArchiveSlot("Test"));
        CBackupArchive archive(1, false);
        ASSERT_TRUE(AddTextRecord(archive, "a.txt", "abc", BackupTypeDownloadedRaw));
        ASSERT_TRUE(file.WriteArchiveData(0, archive));
        ASSERT_TRUE(file.Close());
    }
    const Bytes bytes = ReadAllBytes(path);
    ASSERT_EQ(bytes.size(), H + 32);
    EXPECT_EQ(GetU32LE(bytes.data() + 36), 1u);
    const uint8_t* slot = bytes.data() + SlotAt(0);
    EXPECT_EQ(Bytes(slot, slot + 10), (Bytes {'T', 0, 'e', 0, 's', 0, 't', 0, 0, 0}));
    EXPECT_EQ(GetU32LE(slot + 128), 10280u);
    EXPECT_EQ(GetU32LE(slot + 132), 32u);
    EXPECT_EQ(GetU32LE(slot + 136), 1u);
    EXPECT_EQ(GetU32LE(slot + 140), 0u);
    EXPECT_EQ(Bytes(slot + 144, slot + 160), Bytes(16, 0));
    const Bytes record(bytes.begin() + H, bytes.end());
    EXPECT_EQ(record, (Bytes {13, 0, 0, 0, 10, 0, 0, 0, 10, 0, 0, 0, 3, 0, 0, 0, 0x79, 0x39, 0xBF, 0x01, 0, 0,
                              'a', 0, '.', 0, 't', 0, 'x', 0, 't', 0}));

    CBackupFile file;
    ASSERT_TRUE(file.Open(path));
    CBackupArchive archive;
    auto read = file.GetArchiveSlot(0, &archive);
    ASSERT_TRUE(read);
    EXPECT_EQ(archive.GetCount(), 1u);
    EXPECT_EQ(archive.GetRecordType(0), BackupTypeDownloadedRaw);
    EXPECT_EQ(archive.GetRecordName(0), "a.txt");
    EXPECT_EQ(Decompressed(archive.GetRecord(0)), "abc");
    EXPECT_EQ(archive.GetRecord(1), nullptr);
    EXPECT_EQ(archive.GetRecord(1000000), nullptr);
    EXPECT_EQ(archive.GetExtraRecord(), nullptr);
    EXPECT_FALSE(file.GetArchiveSlot(1, &archive));
}

TEST(BackupFile, OpenRefusesWhatIsNotAGoodBackup)
{
    TempDir dir;
    const std::string path = dir.file("good.Mvb");
    {
        CBackupFile file;
        ASSERT_TRUE(file.Create(path));
        AddArchive(file, "A", {{"x.txt", "some text"}});
    }
    const Bytes good = ReadAllBytes(path);
    struct Case
    {
        const char* name;
        size_t offset;
        uint32_t value;
        bool opens;
    };
    const Case cases[] = {
        {"byte after the magic is ignored", 31, 'X', true},
        {"magic", 0, 'q', false},
        {"version 2", 32, 2, false},
        {"version 0", 32, 0, false},
        {"65 slots", 36, 65, false},
        {"64 slots", 36, 64, true},
        {"data beyond the end", SlotAt(0) + 128, uint32_t(good.size()), false},
        {"data before the header's end", SlotAt(0) + 128, 100, false},
        {"size beyond the end", SlotAt(0) + 132, 1000, false},
        {"more records than the data holds", SlotAt(0) + 136, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = good;
        if (c.offset == 0 || c.offset == 31)
            bytes[c.offset] = static_cast<unsigned char>(c.value);
        else
            PutU32LE(bytes.data() + c.offset, c.value);
        const std::string bad = dir.file("bad.Mvb");
        WriteAllBytes(bad, bytes);
        CBackupFile file;
        EXPECT_EQ(file.Open(bad), c.opens);
        if (!c.opens) {
            EXPECT_FALSE(file.GetOpenError().empty());
            EXPECT_EQ(file.GetArchiveCount(), 0u);
        }
    }
    for (size_t cut : {size_t(0), size_t(31), H - 1}) {
        WriteAllBytes(dir.file("short.Mvb"), Bytes(good.begin(), good.begin() + cut));
        CBackupFile file;
        EXPECT_FALSE(file.Open(dir.file("short.Mvb"))) << cut;
    }
    CBackupFile missing;
    EXPECT_FALSE(missing.Open(dir.file("none.Mvb")));
}

TEST(BackupFile, SlotsNamesAndTimes)
{
    TempDir dir;
    CBackupFile file;
    ASSERT_TRUE(file.Create(dir.file("slots.Mvb")));
    for (int i = 0; i < 64; ++i)
        ASSERT_TRUE(file.AddArchiveSlot("Archive " + std::to_string(i)));
    EXPECT_FALSE(file.AddArchiveSlot("one too many"));
    EXPECT_EQ(file.GetArchiveCount(), 64u);

    // Names keep 63 whole characters; a character needing two code units is not split.
    std::string name;
    ASSERT_TRUE(file.SetArchiveName(0, std::string(70, 'n')));
    ASSERT_TRUE(file.GetArchiveName(0, name));
    EXPECT_EQ(name, std::string(63, 'n'));
    const std::string clef = "\xF0\x9D\x84\x9E"; // U+1D11E, a surrogate pair
    ASSERT_TRUE(file.SetArchiveName(1, std::string(62, 'm') + clef));
    ASSERT_TRUE(file.GetArchiveName(1, name));
    EXPECT_EQ(name, std::string(62, 'm'));
    ASSERT_TRUE(file.SetArchiveName(2, "Höhen " + clef));
    ASSERT_TRUE(file.GetArchiveName(2, name));
    EXPECT_EQ(name, "Höhen " + clef);
    EXPECT_FALSE(file.GetArchiveName(64, name));
    EXPECT_FALSE(file.SetArchiveName(64, "x"));

    SystemTime t;
    t.year = 2026;
    t.month = 12;
    t.dayOfWeek = 1;
    t.day = 7;
    t.hour = 8;
    t.minute = 9;
    t.second = 10;
    ASSERT_TRUE(file.SetArchiveTime(3, t));
    EXPECT_FALSE(file.SetArchiveTime(64, t));
    ASSERT_TRUE(file.Close());

    CBackupFile again;
    ASSERT_TRUE(again.Open(dir.file("slots.Mvb")));
    EXPECT_EQ(again.GetArchiveCount(), 64u);
    EXPECT_EQ(again.GetArchiveTime(3).year, 2026);
    EXPECT_EQ(again.GetArchiveTime(3).second, 10);
    EXPECT_EQ(again.GetArchiveTime(4).year, 0);
    ASSERT_TRUE(again.GetArchiveName(2, name));
    EXPECT_EQ(name, "Höhen " + clef);
}

TEST(BackupFile, UnterminatedNameInTheFileIsReadWithinItsField)
{
    TempDir dir;
    const std::string path = dir.file("names.Mvb");
    {
        CBackupFile file;
        ASSERT_TRUE(file.Create(path));
        ASSERT_TRUE(file.AddArchiveSlot("x"));
    }
    Bytes bytes = ReadAllBytes(path);
    for (size_t i = 0; i < 128; i += 2)
        bytes[SlotAt(0) + i] = 'Z';
    WriteAllBytes(path, bytes);
    CBackupFile file;
    ASSERT_TRUE(file.Open(path));
    std::string name;
    ASSERT_TRUE(file.GetArchiveName(0, name));
    EXPECT_EQ(name, std::string(63, 'Z'));
}

TEST(BackupFile, WritingIntoAnIndexWithoutSlotChangesNothing)
{
    TempDir dir;
    const std::string path = dir.file("w.Mvb");
    CBackupFile file;
    ASSERT_TRUE(file.Create(path));
    CBackupArchive archive(1, false);
    ASSERT_TRUE(AddTextRecord(archive, "a", "abc"));
    EXPECT_TRUE(file.WriteArchiveData(0, archive));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadAllBytes(path).size(), H);
}

TEST(BackupFile, DeletingTheMiddleOfThreeMovesTheLastDown)
{
    TempDir dir;
    const std::string path = dir.file("three.Mvb");
    const std::string first = NoisyText(5000, 1), middle = NoisyText(50000, 2), last = NoisyText(90000, 3);
    CBackupFile file;
    ASSERT_TRUE(file.Create(path));
    AddArchive(file, "first", {{"1.txt", first}});
    AddArchive(file, "middle", {{"2a.txt", middle}, {"2b.txt", "tail"}});
    AddArchive(file, "last", {{"3.txt", last}});
    const BackupArchiveSlot before1 = *file.GetArchiveSlot(1);
    const BackupArchiveSlot before2 = *file.GetArchiveSlot(2);
    ASSERT_GT(before2.dataSize, CBackupFile::MoveBufferSize);
    const int64_t lengthBefore = file.GetLength();

    ASSERT_TRUE(file.DeleteArchive(1));
    EXPECT_EQ(file.GetArchiveCount(), 2u);
    EXPECT_EQ(file.GetLength(), lengthBefore - before1.dataSize);
    const BackupArchiveSlot moved = *file.GetArchiveSlot(1);
    EXPECT_EQ(moved.dataOffset, before2.dataOffset - before1.dataSize);
    EXPECT_EQ(moved.dataSize, before2.dataSize);
    std::string name;
    ASSERT_TRUE(file.GetArchiveName(1, name));
    EXPECT_EQ(name, "last");
    ASSERT_TRUE(file.Close());

    // The slot freed at the end is all zero, and the moved data reads back whole.
    const Bytes bytes = ReadAllBytes(path);
    EXPECT_EQ(Bytes(bytes.begin() + SlotAt(2), bytes.begin() + SlotAt(3)), Bytes(160, 0));
    CBackupFile again;
    ASSERT_TRUE(again.Open(path));
    CBackupArchive archive;
    ASSERT_TRUE(again.GetArchiveSlot(1, &archive));
    EXPECT_EQ(archive.GetRecordName(0), "3.txt");
    EXPECT_EQ(Decompressed(archive.GetRecord(0)), last);
    ASSERT_TRUE(again.GetArchiveSlot(0, &archive));
    EXPECT_EQ(Decompressed(archive.GetRecord(0)), first);
    EXPECT_FALSE(again.DeleteArchive(2));
}

TEST(BackupFile, RewritingASlotRemovesItsOldDataAndAppends)
{
    TempDir dir;
    CBackupFile file;
    ASSERT_TRUE(file.Create(dir.file("re.Mvb")));
    AddArchive(file, "a", {{"a.txt", NoisyText(40000, 4)}});
    AddArchive(file, "b", {{"b.txt", "bbb"}});
    const BackupArchiveSlot a = *file.GetArchiveSlot(0);
    const BackupArchiveSlot b = *file.GetArchiveSlot(1);
    CBackupArchive replacement(1, false);
    ASSERT_TRUE(AddTextRecord(replacement, "c.txt", "ccc"));
    ASSERT_TRUE(file.WriteArchiveData(0, replacement));
    const BackupArchiveSlot a2 = *file.GetArchiveSlot(0);
    const BackupArchiveSlot b2 = *file.GetArchiveSlot(1);
    EXPECT_EQ(b2.dataOffset, b.dataOffset - a.dataSize);
    EXPECT_EQ(a2.dataOffset, b2.dataOffset + b2.dataSize);
    EXPECT_EQ(file.GetLength(), int64_t(a2.dataOffset) + a2.dataSize);

    // Removing keeps the name and the slot, without data.
    ASSERT_TRUE(file.RemoveArchiveData(1));
    EXPECT_FALSE(file.GetArchiveSlot(1)->HasData());
    EXPECT_EQ(file.GetArchiveCount(), 2u);
    EXPECT_EQ(file.GetArchiveSlot(0)->dataOffset, H);
    EXPECT_EQ(file.GetLength(), int64_t(H) + a2.dataSize);
}

TEST(BackupArchive, RecordsTypesAndSnapshot)
{
    EXPECT_EQ(CBackupArchive::GetTypeName(0), "Job");
    EXPECT_EQ(CBackupArchive::GetTypeName(5), "Snapshot");
    EXPECT_EQ(CBackupArchive::GetTypeName(14), "Morvel Ascii Coordinates");
    EXPECT_EQ(CBackupArchive::GetTypeName(15), "Morvel Raw Data");
    EXPECT_EQ(CBackupArchive::GetTypeName(16), "");
    EXPECT_EQ(CBackupArchive::GetTypeName(0xFFFFFFFF), "");

    CBackupArchive archive(2, true);
    EXPECT_FALSE(AddTextRecord(archive, "s", "s", BackupTypeSnapshot));
    EXPECT_FALSE(AddTextRecord(archive, "u", "u", BackupTypeUnknown));
    EXPECT_EQ(archive.GetCount(), 0u);
    ASSERT_TRUE(AddTextRecord(archive, "0123456789", "first", BackupTypeRk7));
    EXPECT_EQ(archive.GetRecord(0)->GetNameLength(), 20u);
    ASSERT_TRUE(AddSnapshot(archive, "snap", 1, -2, 3, 40));
    ASSERT_TRUE(AddTextRecord(archive, "second", "2", BackupTypeRv7));
    EXPECT_FALSE(AddTextRecord(archive, "third", "3")); // full: the last place is the Snapshot's
    EXPECT_EQ(archive.GetCount(), 2u);
    ASSERT_TRUE(AddSnapshot(archive, "snap", 1, -2, 3, 40));

    TempDir dir;
    CBackupFile file;
    ASSERT_TRUE(file.Create(dir.file("snap.Mvb")));
    ASSERT_TRUE(file.AddArchiveSlot("snap"));
    ASSERT_TRUE(file.WriteArchiveData(0, archive));
    EXPECT_EQ(file.GetArchiveSlot(0)->recordCount, 2u);
    EXPECT_EQ(file.GetArchiveSlot(0)->extraFlag, 1u);
    EXPECT_EQ(file.GetArchiveSlot(0)->dataSize, archive.GetTotalSize());

    CBackupArchive back;
    ASSERT_TRUE(file.GetArchiveSlot(0, &back));
    EXPECT_EQ(back.GetCount(), 2u);
    EXPECT_EQ(back.GetCapacity(), 3u);
    EXPECT_EQ(back.GetRecordName(1), "second");
    const CBackupFileRecord* extra = back.GetExtraRecord();
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->GetType(), BackupTypeSnapshot);
    EXPECT_EQ(extra->GetName(), "1,-2,3,40");
    int a = 0, b = 0, c = 0, d = 0;
    ASSERT_TRUE(extra->ParseSnapshot(a, b, c, d));
    EXPECT_EQ((std::vector<int> {a, b, c, d}), (std::vector<int> {1, -2, 3, 40}));
    EXPECT_FALSE(back.GetRecord(0)->ParseSnapshot(a, b, c, d));
    EXPECT_EQ(Decompressed(extra), "snap");
}

TEST(BackupArchive, EveryTruncationIsRefusedWithNothingExtracted)
{
    TempDir dir;
    const std::string path = dir.file("small.Mvb");
    {
        CBackupFile file;
        ASSERT_TRUE(file.Create(path));
        AddArchive(file, "small", {{"a.txt", "alpha"}, {"b.txt", "bravo bravo"}});
    }
    const Bytes whole = ReadAllBytes(path);
    const std::string out = dir.file("out");
    std::filesystem::create_directory(out);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        WriteAllBytes(path, Bytes(whole.begin(), whole.begin() + cut));
        CBackupFile file;
        if (!file.Open(path))
            continue;
        CBackupArchive archive;
        auto slot = file.GetArchiveSlot(0, &archive);
        if (slot && slot->HasData()) {
            EXPECT_EQ(archive.GetCount(), 0u);
            EXPECT_EQ(archive.GetRecord(0), nullptr);
        }
        bool asked = true;
        EXPECT_TRUE(archive.Extract(out, asked));
        EXPECT_FALSE(asked);
        EXPECT_TRUE(std::filesystem::is_empty(out));
    }
}

TEST(BackupArchive, RecordLengthsAreCheckedBeforeUse)
{
    TempDir dir;
    const std::string path = dir.file("lengths.Mvb");
    {
        CBackupFile file;
        ASSERT_TRUE(file.Create(path));
        AddArchive(file, "l", {{"a.txt", "alpha"}});
        // A slot after it, so that a length one past its own slot still finds bytes to read.
        AddArchive(file, "m", {{"b.txt", "beta"}});
    }
    const Bytes good = ReadAllBytes(path);
    for (size_t field : {size_t(4), size_t(8)}) {
        for (uint32_t value : {0xFFFFFFFFu, 0x7FFFFFFFu, 1000u, GetU32LE(good.data() + H + field) + 1}) {
            SCOPED_TRACE(std::to_string(field) + ":" + std::to_string(value));
            Bytes bytes = good;
            PutU32LE(bytes.data() + H + field, value);
            WriteAllBytes(path, bytes);
            CBackupFile file;
            ASSERT_TRUE(file.Open(path));
            CBackupArchive archive;
            ASSERT_TRUE(file.GetArchiveSlot(0, &archive));
            EXPECT_EQ(archive.GetCount(), 0u);
        }
    }
}
