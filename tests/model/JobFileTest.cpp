#include "model/JobFile.h"

#include "core/LittleEndian.h"
#include "core/NoValue.h"
#include "core/WideText.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using morvel::test::ReadAllBytes;
using morvel::test::TempDir;
using morvel::test::WriteAllBytes;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Header(uint16_t version, uint32_t firstRecord)
{
    Bytes b(34, 0);
    std::memcpy(b.data(), CJobFile::MagicText, 28);
    PutU16LE(b.data() + 28, version);
    PutU32LE(b.data() + 30, firstRecord);
    return b;
}

void AppendU32(Bytes& b, uint32_t v)
{
    b.resize(b.size() + 4);
    PutU32LE(b.data() + b.size() - 4, v);
}

void AppendFrame(Bytes& b, uint32_t type, uint32_t length, unsigned char fill)
{
    AppendU32(b, type);
    AppendU32(b, length);
    b.insert(b.end(), length, fill);
}

// A version 5 file with blocks of the given sizes; each block byte is its size's low byte.
Bytes Version5(uint32_t infoSize, uint32_t settingsSize)
{
    Bytes b = Header(5, 42 + infoSize + settingsSize);
    AppendU32(b, infoSize);
    AppendU32(b, settingsSize);
    b.insert(b.end(), infoSize, 0x11);
    b.insert(b.end(), settingsSize, 0x22);
    return b;
}

} // namespace

TEST(CollectorJobFileOpen, MagicAndOldVersions)
{
    TempDir dir;
    const std::string path = dir.file("j.job");
    Bytes b = Header(2, 34);
    AppendFrame(b, 13, 100, 0x41);
    WriteAllBytes(path, b);
    CJobFile file;
    ASSERT_TRUE(file.Open(path.c_str(), true));
    EXPECT_EQ(file.GetVersion(), 2);
    uint8_t info[CJobFile::InfoBlockSize];
    file.GetInfoBlock(info);
    EXPECT_EQ(GetF64LE(info + 20), 1.0);
    ASSERT_TRUE(file.SeekFirstRecord());
    uint32_t type, position, length;
    ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
    EXPECT_EQ(type, 13u);
    EXPECT_EQ(position, 34u);
    file.Close();

    b[5] ^= 0x20;
    WriteAllBytes(path, b);
    EXPECT_FALSE(file.Open(path.c_str(), true));
    EXPECT_FALSE(file.IsOpen());

    // Versions 3 and 4 keep the job text in the old block: a text of 260 UTF-16 units, the most the
    // information block holds, arrives whole, and the u32 after it too.
    std::string text;
    for (int i = 0; i < 259; ++i)
        text += char('a' + i % 26);
    text += "\u00e9"; // two bytes, one unit
    for (uint16_t version : {uint16_t(3), uint16_t(4)}) {
        SCOPED_TRACE(version);
        Bytes old = Header(version, 2158);
        old.resize(2158, 0);
        StoreUtf16Field(old.data() + 34 + 1108, 261, text);
        PutU32LE(old.data() + 34 + 1630, 0xDEADBEEF);
        WriteAllBytes(path, old);
        CJobFile oldFile;
        ASSERT_TRUE(oldFile.Open(path.c_str(), true));
        oldFile.GetInfoBlock(info);
        EXPECT_EQ(LoadUtf16Field(info + 32, 261), text);
        EXPECT_EQ(GetU32LE(info + 554), 0xDEADBEEFu);
    }
}

TEST(CollectorJobFileOpen, BlockSizesLongerAndShorter)
{
    TempDir dir;
    const std::string path = dir.file("j.job");
    WriteAllBytes(path, Version5(600, 4018));
    CJobFile file;
    ASSERT_TRUE(file.Open(path.c_str(), true));
    uint8_t info[CJobFile::InfoBlockSize];
    uint8_t settings[CJobFile::SettingsBlockSize];
    file.GetInfoBlock(info);
    file.GetSettingsBlock(settings);
    EXPECT_EQ(info[557], 0x11);
    EXPECT_EQ(settings[0], 0x22);
    EXPECT_EQ(settings[4017], 0x22);
    EXPECT_FALSE(file.HasShortBlocks());
    EXPECT_EQ(file.GetPosition(), 42 + 600 + 4018);

    // An open file is kept: a second open or create fails without closing it.
    EXPECT_FALSE(file.Open(path.c_str(), true));
    EXPECT_FALSE(file.CreateVersion(dir.file("other.job").c_str(), 5));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetPosition(), 42 + 600 + 4018);
    file.Close();

    WriteAllBytes(path, Version5(400, 4018));
    ASSERT_TRUE(file.Open(path.c_str(), true));
    file.GetInfoBlock(info);
    EXPECT_EQ(info[399], 0x11);
    EXPECT_EQ(GetU32LE(info + 554), 0u); // default kept
    EXPECT_TRUE(file.HasShortBlocks());
    file.Close();

    // Block sizes beyond the file are refused, not allocated or read.
    Bytes huge = Header(5, 4618);
    AppendU32(huge, 0xFFFFFFF0u);
    AppendU32(huge, 10);
    huge.insert(huge.end(), 5000, 0);
    WriteAllBytes(path, huge);
    EXPECT_FALSE(file.Open(path.c_str(), true));
}

TEST(CollectorJobFileCreate, FirstRecordOffsetsAndBlocks)
{
    TempDir dir;
    CJobFile v5;
    ASSERT_TRUE(v5.Create(dir.file("5.job").c_str()));
    EXPECT_EQ(v5.GetLength(), 4618);
    ASSERT_TRUE(v5.Close());
    const Bytes b5 = ReadAllBytes(dir.file("5.job"));
    EXPECT_EQ(GetU16LE(&b5[28]), 5);
    EXPECT_EQ(GetU32LE(&b5[30]), 4618u);
    EXPECT_EQ(GetU32LE(&b5[34]), 558u);
    EXPECT_EQ(GetU32LE(&b5[38]), 4018u);
    EXPECT_EQ(GetF64LE(&b5[42 + 20]), 1.0);
    const unsigned char* s = &b5[600];
    EXPECT_EQ(GetU16LE(s + 6), 65534);
    EXPECT_EQ(GetF64LE(s + 406), NoValue);
    EXPECT_EQ(GetU16LE(s + 484), 65534);
    EXPECT_EQ(GetF64LE(s + 1558), 1.0);
    EXPECT_EQ(GetF64LE(s + 1550), 0.0);
    EXPECT_EQ(GetF64LE(s + 4010), NoValue);

    CJobFile v3;
    ASSERT_TRUE(v3.CreateVersion(dir.file("3.job").c_str(), 3));
    EXPECT_EQ(v3.GetLength(), 2158);
    ASSERT_TRUE(v3.Close());
    const Bytes b3 = ReadAllBytes(dir.file("3.job"));
    EXPECT_EQ(GetU32LE(&b3[30]), 2158u);
    EXPECT_EQ(GetU16LE(&b3[34 + 30]), 9999);
    EXPECT_EQ(GetU16LE(&b3[34 + 26]), 1);
    EXPECT_EQ(GetF64LE(&b3[34 + 1090]), 1.0);

    EXPECT_FALSE(CJobFile().CreateVersion(dir.file("4.job").c_str(), 4));

    // The blocks wait in the write buffer: a device that takes nothing fails the close.
    CJobFile full;
    if (full.CreateVersion("/dev/full", 5)) {
        EXPECT_FALSE(full.Close());
    }
}

TEST(CollectorJobFileBlocks, InfoBlockRoundTripsThroughBothVersions)
{
    TempDir dir;
    for (uint16_t version : {uint16_t(3), uint16_t(5)}) {
        const std::string path = dir.file("b" + std::to_string(version) + ".job");
        {
            CJobFile file;
            ASSERT_TRUE(file.CreateVersion(path.c_str(), version));
            uint8_t info[CJobFile::InfoBlockSize];
            file.GetInfoBlock(info);
            for (int i = 0; i < 16; ++i)
                info[i] = uint8_t(0xA0 + i); // the creation time
            PutU32LE(info + 16, 0x0A0B0C0D);
            PutF64LE(info + 20, 0.9996);
            PutU16LE(info + 28, 0x0203);
            PutU16LE(info + 30, 0x0405);
            ASSERT_TRUE(file.UpdateInfoBlock(info));
            uint8_t settings[CJobFile::SettingsBlockSize] = {};
            settings[100] = 9;
            EXPECT_EQ(file.UpdateSettingsBlock(settings), version == 5);
            ASSERT_TRUE(file.Close());
        }
        CJobFile file;
        ASSERT_TRUE(file.Open(path.c_str(), true));
        uint8_t info[CJobFile::InfoBlockSize];
        file.GetInfoBlock(info);
        EXPECT_EQ(GetU32LE(info + 16), 0x0A0B0C0Du) << version;
        EXPECT_EQ(GetF64LE(info + 20), 0.9996) << version;
        EXPECT_EQ(GetU16LE(info + 28), 0x0203) << version;
        EXPECT_EQ(GetU16LE(info + 30), 0x0405) << version;
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(info[i], 0xA0 + i) << version << " time byte " << i;
        if (version == 5) {
            uint8_t settings[CJobFile::SettingsBlockSize];
            file.GetSettingsBlock(settings);
            EXPECT_EQ(settings[100], 9);
        }
    }

    // A later version's information block is not ours to lay out: the update writes nothing.
    const std::string later = dir.file("6.job");
    Bytes b6 = Version5(558, 4018);
    PutU16LE(b6.data() + 28, 6);
    WriteAllBytes(later, b6);
    {
        CJobFile file;
        ASSERT_TRUE(file.Open(later.c_str(), false));
        uint8_t info[CJobFile::InfoBlockSize] = {};
        EXPECT_TRUE(file.UpdateInfoBlock(info));
        ASSERT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadAllBytes(later), b6);
}

TEST(CollectorJobFileRecords, FormsByVersionAndReaders)
{
    TempDir dir;
    uint8_t point[100];
    for (int i = 0; i < 100; ++i)
        point[i] = uint8_t(i + 1);
    for (uint16_t version : {uint16_t(3), uint16_t(5)}) {
        const std::string path = dir.file("r.job");
        CJobFile file;
        ASSERT_TRUE(file.CreateVersion(path.c_str(), version));
        ASSERT_TRUE(file.SeekToEnd());
        ASSERT_TRUE(file.WritePointRecord(point));
        uint8_t r11[42] = {};
        EXPECT_EQ(file.WriteRecord11(r11), version >= 4);
        ASSERT_TRUE(file.Close());

        ASSERT_TRUE(file.Open(path.c_str(), true));
        ASSERT_TRUE(file.SeekFirstRecord());
        uint32_t type, position, length;
        ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
        EXPECT_EQ(type, 13u);
        EXPECT_EQ(length, version == 3 ? 92u : 100u);
        uint8_t out[100];
        std::memset(out, 0xEE, sizeof out);
        ASSERT_TRUE(file.ReadPointRecord(out));
        EXPECT_EQ(out[91], 92);
        EXPECT_EQ(out[99], version == 3 ? 0xEE : 100); // old form leaves the tail alone
    }
}

TEST(CollectorJobFileRecords, BufferGrowthSizedBlockAndHugeLengths)
{
    TempDir dir;
    const std::string path = dir.file("g.job");
    CJobFile file;
    ASSERT_TRUE(file.Create(path.c_str()));
    ASSERT_TRUE(file.SeekToEnd());
    CJobFile::Record big {42, 5000, std::vector<uint8_t>(5000, 7)};
    ASSERT_TRUE(file.WriteRecord(big));
    EXPECT_EQ(file.GetRecordBufferCapacity(), 5120u);
    EXPECT_FALSE(file.WriteRecord({42, 0, {}}));
    ASSERT_TRUE(file.SeekFirstRecord());
    uint32_t type, position, length;
    ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
    EXPECT_EQ(type, 0u);
    CJobFile::Record back;
    ASSERT_TRUE(file.ReadCurrentRecord(back));
    EXPECT_EQ(back.type, 42u);
    EXPECT_EQ(back.data, big.data);
    ASSERT_TRUE(file.Close());

    // Stored lengths larger than the rest of the file are refused before anything is allocated.
    Bytes b = Header(2, 34);
    AppendU32(b, 42);
    AppendU32(b, 0xFFFFFF00u);
    AppendU32(b, 0);
    WriteAllBytes(path, b);
    ASSERT_TRUE(file.Open(path.c_str(), true));
    ASSERT_TRUE(file.SeekFirstRecord());
    ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
    EXPECT_FALSE(file.ReadCurrentRecord(back));
    EXPECT_TRUE(back.data.empty());
    // A fixed-size record cut short fails its read; skipping it ends the walk at the end of the file.
    ASSERT_TRUE(file.SeekFirstRecord());
    ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
    uint8_t r18[542];
    EXPECT_FALSE(file.ReadRecord18(r18));
    ASSERT_TRUE(file.SeekFirstRecord());
    ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
    ASSERT_TRUE(file.SkipRecord());
    EXPECT_EQ(file.GetPosition(), int64_t(b.size()));
    EXPECT_FALSE(file.ReadRecordHeader(type, position, length));
    ASSERT_TRUE(file.SeekFirstRecord());
    EXPECT_FALSE(file.FindFreeSlot(72));
    ASSERT_TRUE(file.SeekTo(34));
    CJobFile::SizedBlock block;
    EXPECT_FALSE(file.ReadSizedBlock(block));
    ASSERT_TRUE(file.SeekTo(38));
    EXPECT_FALSE(file.ReadSizedBlock(block)); // size 0xFFFFFF00
    // A small block reads its data.
    Bytes s = Header(2, 34);
    AppendU32(s, 12);
    AppendU32(s, 99);
    AppendU32(s, 0xABCD);
    WriteAllBytes(path, s);
    file.Close();
    ASSERT_TRUE(file.Open(path.c_str(), true));
    ASSERT_TRUE(file.SeekTo(34));
    ASSERT_TRUE(file.ReadSizedBlock(block));
    EXPECT_EQ(block.second, 99u);
    EXPECT_EQ(block.data.size(), 4u);
}

TEST(CollectorJobFileSearch, FindByIdFreeSlotsAndDelete)
{
    TempDir dir;
    const std::string path = dir.file("f.job");
    CJobFile file;
    ASSERT_TRUE(file.Create(path.c_str()));
    ASSERT_TRUE(file.SeekToEnd());
    uint8_t r4[72] = {};
    for (uint32_t id : {10u, 20u, 30u}) {
        PutU32LE(r4, id);
        ASSERT_TRUE(file.WriteRecord4(r4));
    }
    ASSERT_TRUE(file.SeekFirstRecord());
    ASSERT_TRUE(file.FindRecord4ById(20, false));
    EXPECT_EQ(file.GetPosition(), 4618 + 80);
    ASSERT_TRUE(file.DeleteCurrentRecord());
    EXPECT_EQ(file.GetPosition(), 4618 + 160);

    // With free slots allowed the deleted record before id 30 is taken.
    ASSERT_TRUE(file.SeekFirstRecord());
    ASSERT_TRUE(file.FindRecord4ById(30, true));
    EXPECT_EQ(file.GetPosition(), 4618 + 80);
    ASSERT_TRUE(file.SeekFirstRecord());
    EXPECT_FALSE(file.FindRecord4ById(99, false));
    ASSERT_TRUE(file.SeekFirstRecord());
    EXPECT_FALSE(file.FindRecord9ById(10, false));

    ASSERT_TRUE(file.FindFreeSlot(72));
    EXPECT_EQ(file.GetPosition(), 4618 + 80);
    ASSERT_TRUE(file.FindFreeSlot(70));
    EXPECT_EQ(file.GetPosition(), 4618 + 240);
}

TEST(CollectorJobFileDamage, TruncatedAndBitFlippedFilesAreSurvived)
{
    TempDir dir;
    const std::string good = dir.file("good.job");
    {
        CJobFile file;
        ASSERT_TRUE(file.Create(good.c_str()));
        ASSERT_TRUE(file.SeekToEnd());
        uint8_t r[542] = {};
        for (uint32_t i = 0; i < 5; ++i) {
            PutU32LE(r, i);
            ASSERT_TRUE(file.WriteRecord4(r));
            ASSERT_TRUE(file.WriteRecord18(r));
            ASSERT_TRUE(file.WritePointRecord(r));
        }
        ASSERT_TRUE(file.Close());
    }
    const Bytes original = ReadAllBytes(good);
    const std::string bad = dir.file("bad.job");
    auto walk = [&](const Bytes& bytes) {
        WriteAllBytes(bad, bytes);
        CJobFile file;
        if (!file.Open(bad.c_str(), true) || !file.SeekFirstRecord())
            return -1;
        int records = 0;
        uint32_t type, position, length;
        while (file.ReadRecordHeader(type, position, length)) {
            CJobFile::Record record;
            if (!file.ReadCurrentRecord(record))
                return -2;
            ++records;
        }
        file.SeekFirstRecord();
        file.FindRecord4ById(3, true);
        file.FindFreeSlot(72);
        return records;
    };
    EXPECT_EQ(walk(original), 15);
    for (size_t cut = 0; cut < original.size(); cut += 13)
        EXPECT_LE(walk(Bytes(original.begin(), original.begin() + long(cut))), 15);
    // A damaged first-record offset may land anywhere, but every frame is at least 8 bytes.
    const int mostFrames = int(original.size() / 8);
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        Bytes flipped = original;
        for (int k = 0; k < 4; ++k) {
            // Aim at the header and frame headers as often as at payloads.
            size_t at = rng() % 2 ? rng() % 42 : rng() % flipped.size();
            flipped[at] ^= static_cast<unsigned char>(1u << (rng() % 8));
        }
        EXPECT_LE(walk(flipped), mostFrames);
    }
}

TEST(CollectorJobFileSample, InfoTextOfBothVersions)
{
    CJobFile file;
    ASSERT_TRUE(file.Open(morvel::test::TestDataPath("small_collector_v5.job").c_str(), true));
    uint8_t info[CJobFile::InfoBlockSize];
    file.GetInfoBlock(info);
    EXPECT_EQ(GetU16LE(info + 32), u'S');
    EXPECT_EQ(GetU16LE(info + 32 + 20), 0);
    EXPECT_EQ(GetU16LE(info), 2024);
    file.Close();

    ASSERT_TRUE(file.Open(morvel::test::TestDataPath("small_collector_v3.job").c_str(), true));
    file.GetInfoBlock(info);
    EXPECT_EQ(GetU16LE(info), 2020);
    ASSERT_TRUE(file.SeekFirstRecord());
    uint32_t type, position, length;
    ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
    EXPECT_EQ(position, 2158u);
    EXPECT_EQ(length, 92u);
}
