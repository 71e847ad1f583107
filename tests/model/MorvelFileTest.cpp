#include "model/MorvelFile.h"
#include "model/JobFile.h"

#include "core/LittleEndian.h"
#include "core/NoValue.h"
#include "core/WideText.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <tuple>

using morvel::test::ReadAllBytes;
using morvel::test::TempDir;
using morvel::test::WriteAllBytes;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ValidHeader()
{
    JobFileHeader h;
    InitJobFileHeader(h);
    return Bytes(h.bytes.begin(), h.bytes.end());
}

void AppendFrame(Bytes& b, uint32_t type, const Bytes& payload, uint32_t length)
{
    const size_t at = b.size();
    b.resize(at + 8);
    PutU32LE(b.data() + at, type);
    PutU32LE(b.data() + at + 4, length);
    b.insert(b.end(), payload.begin(), payload.end());
}

Bytes PointPayload(const JobFilePoint& p, uint32_t size = PointPayloadSize)
{
    uint8_t full[PointPayloadSize];
    EncodePointPayload(p, full);
    return Bytes(full, full + size);
}

bool ReadPoints(const std::string& path, std::vector<JobFilePoint>& points)
{
    CMorvelFile file;
    return file.Open(path.c_str(), true) && file.ReadAllPoints(points);
}

} // namespace

TEST(MorvelFileLayout, FreshFileAndPointBytesAtTheirOffsets)
{
    TempDir dir;
    const std::string path = dir.file("job.Mvj");
    {
        CMorvelFile file;
        ASSERT_TRUE(file.Create(path.c_str()));
        EXPECT_EQ(file.GetLength(), 240);
        JobFilePoint p {"PT1", "Ω desc", 1000.25, 2000.5, NoValue};
        ASSERT_TRUE(file.WritePoint(p));
        ASSERT_TRUE(file.Close());
    }
    const Bytes b = ReadAllBytes(path);
    ASSERT_EQ(b.size(), 348u);
    EXPECT_EQ(GetU32LE(&b[0]), 1u);
    const SystemTime now = CurrentLocalSystemTime();
    EXPECT_EQ(GetU16LE(&b[4]), now.year);
    EXPECT_EQ(GetU16LE(&b[18]), 0); // milliseconds
    EXPECT_EQ(GetU32LE(&b[20]), 0u);
    EXPECT_EQ(GetF64LE(&b[24]), 1.0);
    EXPECT_EQ(GetU16LE(&b[32]), 0);
    EXPECT_EQ(GetU16LE(&b[34]), 0);
    EXPECT_EQ(GetU32LE(&b[36]), 0u);
    EXPECT_EQ(GetU32LE(&b[40]), 1000u);
    for (size_t i = 44; i < 240; ++i)
        ASSERT_EQ(b[i], 0) << i;

    const unsigned char* f = &b[240];
    EXPECT_EQ(GetU32LE(f), 13u);
    EXPECT_EQ(GetU32LE(f + 4), 100u);
    const unsigned char* pl = f + 8;
    EXPECT_EQ(GetU16LE(pl + 0), u'P');
    EXPECT_EQ(GetU16LE(pl + 4), u'1');
    EXPECT_EQ(GetU16LE(pl + 6), 0);
    EXPECT_EQ(GetU16LE(pl + 34), 0x03A9); // Ω as one UTF-16 unit
    EXPECT_EQ(GetU16LE(pl + 36), u' ');
    EXPECT_EQ(GetF64LE(pl + 68), 1000.25);
    EXPECT_EQ(GetF64LE(pl + 76), 2000.5);
    EXPECT_EQ(GetF64LE(pl + 84), NoValue);
    EXPECT_EQ(GetU32LE(pl + 92), 0u);
    EXPECT_EQ(GetU32LE(pl + 96), 0u);
}

TEST(MorvelFileLayout, NamesKeepSixteenCharacters)
{
    JobFilePoint p {"ABCDEFGHIJKLMNOP", "0123456789abcdefXYZ", 1, 2, 3};
    uint8_t payload[PointPayloadSize];
    EncodePointPayload(p, payload);
    JobFilePoint back;
    DecodePointPayload(payload, back);
    EXPECT_EQ(back.name, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(back.description, "0123456789abcdef");
    EXPECT_EQ(GetU16LE(payload + 32), 0); // terminator kept
    // A character outside the basic plane is never cut in half at the limit.
    p.name = std::string(15, 'a') + "\xF0\x9F\x93\x8D";
    EncodePointPayload(p, payload);
    DecodePointPayload(payload, back);
    EXPECT_EQ(back.name, std::string(15, 'a'));
}

TEST(MorvelFileHeader, UnitsDatesAndVersion)
{
    TempDir dir;
    const std::string path = dir.file("h.Mvj");
    auto openWith = [&](auto change) {
        Bytes b = ValidHeader();
        JobFileHeader h;
        std::memcpy(h.bytes.data(), b.data(), 240);
        change(h);
        WriteAllBytes(path, Bytes(h.bytes.begin(), h.bytes.end()));
        CMorvelFile file;
        return file.Open(path.c_str(), true);
    };
    EXPECT_FALSE(openWith([](JobFileHeader& h) { h.SetDistanceUnit(3); }));
    EXPECT_FALSE(openWith([](JobFileHeader& h) { h.SetAngleUnit(2); }));
    EXPECT_TRUE(openWith([](JobFileHeader& h) { h.SetDistanceUnit(2); h.SetAngleUnit(1); }));
    EXPECT_FALSE(openWith([](JobFileHeader& h) { SystemTime t = h.GetCreated(); t.year = 2023; t.month = 2; t.day = 29; h.SetCreated(t); }));
    EXPECT_TRUE(openWith([](JobFileHeader& h) { SystemTime t = h.GetCreated(); t.year = 2024; t.month = 2; t.day = 29; h.SetCreated(t); }));
    EXPECT_FALSE(openWith([](JobFileHeader& h) { SystemTime t = h.GetCreated(); t.month = 13; h.SetCreated(t); }));

    ASSERT_TRUE(openWith([](JobFileHeader& h) { h.SetVersion(7); }));
    CMorvelFile file;
    ASSERT_TRUE(file.Open(path.c_str(), true));
    JobFileHeader h;
    file.GetHeader(h);
    EXPECT_EQ(h.GetVersion(), 1u);
    EXPECT_EQ(file.GetPosition(), 0);

    WriteAllBytes(path, Bytes(100, 0));
    EXPECT_FALSE(CMorvelFile().Open(path.c_str(), true));
}

TEST(MorvelFileWalk, RecordTypesAsTheJobFileSeesThem)
{
    // The job file reads the data-collector types, but 18 is foreign to it.
    for (uint32_t stored : {1u, 13u, 2u, 8u, 4u, 7u, 12u, 17u})
        EXPECT_EQ(CMorvelFile::NormaliseRecordType(stored), NormaliseRecordType(stored)) << stored;
    EXPECT_EQ(CMorvelFile::NormaliseRecordType(1), 13u);
    EXPECT_EQ(CMorvelFile::NormaliseRecordType(18), 0u);
    EXPECT_EQ(NormaliseRecordType(18), 18u);
    EXPECT_EQ(CMorvelFile::NormaliseRecordType(5), 0u);
    EXPECT_EQ(CMorvelFile::NormaliseRecordType(0xFFFFFFFFu), 0u);
}

TEST(MorvelFileWalk, OldPointsForeignTypesAndDeletedRecords)
{
    TempDir dir;
    const std::string path = dir.file("w.Mvj");
    Bytes b = ValidHeader();
    JobFilePoint oldPoint {"OLD", "d", 5, 6, 7};
    AppendFrame(b, 1, PointPayload(oldPoint, 92), 92);
    AppendFrame(b, 5, Bytes(12, 0xEE), 12);
    AppendFrame(b, 0, Bytes(100, 0xAA), 100);
    // A longer point frame than today's: the walk goes on from the frame's end.
    Bytes longer = PointPayload({"NEW", "", 1, 2, NoValue});
    longer.resize(120, 0x55);
    AppendFrame(b, 13, longer, 120);
    AppendFrame(b, 2, Bytes(3, 1), 3);
    WriteAllBytes(path, b);

    std::vector<JobFilePoint> points;
    ASSERT_TRUE(ReadPoints(path, points));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].name, "OLD");
    EXPECT_EQ(points[0].description, "d");
    EXPECT_EQ(points[0].northing, 5.0);
    EXPECT_EQ(points[0].easting, 6.0);
    EXPECT_EQ(points[0].elevation, 7.0);
    EXPECT_EQ(points[1].name, "NEW");
    EXPECT_EQ(points[1].northing, 1.0);
    EXPECT_EQ(points[1].easting, 2.0);
    EXPECT_EQ(points[1].elevation, NoValue);

    CMorvelFile file;
    ASSERT_TRUE(file.Open(path.c_str(), true));
    ASSERT_TRUE(file.SeekToFirstRecord());
    std::vector<uint32_t> types;
    uint32_t type, position, length;
    while (file.ReadRecordHeader(type, position, length)) {
        types.push_back(type);
        ASSERT_TRUE(file.SkipRecord());
    }
    EXPECT_EQ(types, (std::vector<uint32_t> {13, 0, 0, 13, 14}));
}

TEST(MorvelFileWalk, ShortAndOverlongFramesAreRefused)
{
    TempDir dir;
    const std::string path = dir.file("bad.Mvj");
    std::vector<JobFilePoint> points {{"KEEP", "", 0, 0, 0}};

    // A point frame claiming 40 bytes used to be read as 100, eating the next frame.
    Bytes shortFrame = ValidHeader();
    AppendFrame(shortFrame, 13, Bytes(40, 0), 40);
    AppendFrame(shortFrame, 13, PointPayload({"B", "", 1, 1, 1}), 100);
    WriteAllBytes(path, shortFrame);
    EXPECT_FALSE(ReadPoints(path, points));
    EXPECT_EQ(points.size(), 1u);
    CMorvelFile file;
    ASSERT_TRUE(file.Open(path.c_str(), true));
    ASSERT_TRUE(file.SeekToFirstRecord());
    uint32_t type, position, length;
    uint8_t payload[100];
    ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
    EXPECT_FALSE(file.ReadPointRecord(payload));
    EXPECT_EQ(file.GetPosition(), 240 + 8 + 40);
    ASSERT_TRUE(file.ReadRecordHeader(type, position, length));
    EXPECT_EQ(position, 288u);

    // A length near 4 GB must not turn into a backwards seek.
    Bytes huge = ValidHeader();
    AppendFrame(huge, 5, Bytes(8, 0), 0xFFFFFFF8u);
    WriteAllBytes(path, huge);
    EXPECT_FALSE(ReadPoints(path, points));

    // Walking frame by frame, a point cut short by the end of the file fails its payload read
    // rather than looking like the end of the records; a foreign frame cut short ends the walk.
    Bytes cut = ValidHeader();
    AppendFrame(cut, 13, PointPayload({"A", "", 1, 1, 1}), 100);
    AppendFrame(cut, 13, PointPayload({"B", "", 2, 2, 2}, 50), 100);
    WriteAllBytes(path, cut);
    {
        CMorvelFile walk;
        ASSERT_TRUE(walk.Open(path.c_str(), true));
        ASSERT_TRUE(walk.SeekToFirstRecord());
        ASSERT_TRUE(walk.ReadRecordHeader(type, position, length));
        EXPECT_TRUE(walk.ReadPointRecord(payload));
        ASSERT_TRUE(walk.ReadRecordHeader(type, position, length));
        EXPECT_EQ(type, 13u);
        EXPECT_FALSE(walk.ReadPointRecord(payload));
    }
    Bytes foreign = ValidHeader();
    AppendFrame(foreign, 13, PointPayload({"A", "", 1, 1, 1}), 100);
    AppendFrame(foreign, 5, Bytes(10, 0), 100);
    WriteAllBytes(path, foreign);
    {
        CMorvelFile walk;
        ASSERT_TRUE(walk.Open(path.c_str(), true));
        ASSERT_TRUE(walk.SeekToFirstRecord());
        ASSERT_TRUE(walk.ReadRecordHeader(type, position, length));
        ASSERT_TRUE(walk.SkipRecord());
        ASSERT_TRUE(walk.ReadRecordHeader(type, position, length));
        EXPECT_EQ(type, 0u);
        EXPECT_TRUE(walk.SkipRecord());
        EXPECT_EQ(walk.GetPosition(), int64_t(foreign.size()));
        EXPECT_FALSE(walk.ReadRecordHeader(type, position, length));
    }
    EXPECT_FALSE(ReadPoints(path, points));

    // Trailing bytes too few for a frame header.
    Bytes tail = ValidHeader();
    AppendFrame(tail, 13, PointPayload({"A", "", 1, 1, 1}), 100);
    tail.push_back(1);
    WriteAllBytes(path, tail);
    EXPECT_FALSE(ReadPoints(path, points));
    EXPECT_EQ(points[0].name, "KEEP");
}

TEST(MorvelFileWalk, TruncatedAndBitFlippedFilesAreSurvived)
{
    TempDir dir;
    const std::string good = dir.file("good.Mvj");
    {
        CMorvelFile file;
        ASSERT_TRUE(file.Create(good.c_str()));
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(file.WritePoint({"P" + std::to_string(i), "d", double(i), double(-i), NoValue}));
        ASSERT_TRUE(file.Close());
    }
    const Bytes original = ReadAllBytes(good);
    std::vector<JobFilePoint> points;
    ASSERT_TRUE(ReadPoints(good, points));
    ASSERT_EQ(points.size(), 20u);

    const std::string bad = dir.file("bad.Mvj");
    for (size_t cut = 0; cut < original.size(); cut += 7) {
        WriteAllBytes(bad, Bytes(original.begin(), original.begin() + long(cut)));
        std::vector<JobFilePoint> read {{"X", "", 0, 0, 0}};
        const bool ok = ReadPoints(bad, read);
        // Only a cut on a frame boundary is a complete (shorter) job.
        EXPECT_EQ(ok, cut >= 240 && (cut - 240) % 108 == 0) << cut;
        if (!ok) {
            EXPECT_EQ(read.size(), 1u);
        }
    }
    std::mt19937 rng(42);
    for (int round = 0; round < 300; ++round) {
        Bytes flipped = original;
        for (int k = 0; k < 3; ++k) {
            const size_t at = rng() % flipped.size();
            flipped[at] ^= static_cast<unsigned char>(1u << (rng() % 8));
        }
        WriteAllBytes(bad, flipped);
        std::vector<JobFilePoint> read;
        ReadPoints(bad, read); // any answer will do; it must return
        EXPECT_LE(read.size(), 20u);
    }
}

TEST(MorvelFileMisc, DeleteMarkAndDisplayDistance)
{
    TempDir dir;
    const std::string path = dir.file("d.Mvj");
    CMorvelFile file;
    ASSERT_TRUE(file.Create(path.c_str()));
    ASSERT_TRUE(file.WritePoint({"A", "", 1, 2, 3}));
    ASSERT_TRUE(file.WritePoint({"B", "", 1, 2, 3}));
    ASSERT_TRUE(file.SeekToFirstRecord());
    ASSERT_TRUE(file.MarkRecordDeleted());
    EXPECT_EQ(file.GetPosition(), 348);
    std::vector<JobFilePoint> points;
    ASSERT_TRUE(file.ReadAllPoints(points));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].name, "B");

    EXPECT_DOUBLE_EQ(MetresToDisplayDistance(1, 1.0), 3.280839895013123);
    EXPECT_DOUBLE_EQ(MetresToDisplayDistance(2, 1.0), 3.280833333333333);
    EXPECT_DOUBLE_EQ(MetresToDisplayDistance(0, 1.0), 1.0);
    EXPECT_EQ(MetresToDisplayDistance(1, NoValue), NoValue);
}

TEST(MorvelFileSample, SmallJobReadsWhole)
{
    CMorvelFile file;
    ASSERT_TRUE(file.Open(morvel::test::TestDataPath("small_job.Mvj").c_str(), true));
    JobFileHeader h;
    file.GetHeader(h);
    EXPECT_EQ(h.GetFlags(), JobFileHeader::FlagUseScaleFactor | JobFileHeader::FlagCurvature);
    EXPECT_EQ(h.GetScaleFactor(), 0.9996);
    EXPECT_EQ(h.GetDistanceUnit(), 1);
    std::vector<JobFilePoint> points;
    ASSERT_TRUE(file.ReadAllPoints(points));
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[1].description, "Fence Ø");
    EXPECT_EQ(points[1].elevation, NoValue);
    EXPECT_EQ(points[3].name, "OLD");
}

namespace {

std::string PointRow(const std::string& name, const std::string& description, const uint8_t* payload)
{
    return " " + name + "|" + description + "|" + std::to_string(GetF64LE(payload + PointNorthingOffset)) + "|" +
           std::to_string(GetF64LE(payload + PointEastingOffset)) + "|" +
           std::to_string(GetF64LE(payload + PointElevationOffset));
}

// The frame count, then every frame up to the first refused point, as the file walk reads them
// (memory false) or as the document's walk in memory does.
std::vector<std::string> WalkTrace(const std::string& path, bool memory)
{
    CMorvelFile file;
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    CMorvelFrameCount count;
    if (!file.Open(path.c_str(), true) || (memory && !file.ReadRecordBytes(bytes, size, &count)))
        return {"unopened"};
    CMorvelRecordWalk walk(bytes.get(), size);
    uint32_t type, position, length;
    if (!memory) {
        EXPECT_TRUE(file.SeekToFirstRecord());
        while (file.ReadRecordHeader(type, position, length) && file.SkipRecord()) {
            ++count.frames;
            count.points += type == CMorvelFile::PointRecordType ? 1 : 0;
        }
        EXPECT_TRUE(file.SeekToFirstRecord());
    }
    std::vector<std::string> trace {std::to_string(count.frames) + "/" + std::to_string(count.points)};
    while (memory ? walk.Next(type, length) : file.ReadRecordHeader(type, position, length)) {
        std::string row = std::to_string(type) + "/" + std::to_string(length);
        if (type == CMorvelFile::PointRecordType) {
            uint8_t read[PointPayloadSize];
            const uint8_t* payload = memory ? walk.PointPayload() : file.ReadPointRecord(read) ? read : nullptr;
            if (payload == nullptr) {
                trace.push_back(row + " refused");
                break;
            }
            char name[PointTextRoom], description[PointTextRoom];
            DecodePointText(payload + PointNameOffset, name);
            DecodePointText(payload + PointDescriptionOffset, description);
            row += PointRow(name, description, payload);
        } else if (!memory) {
            EXPECT_TRUE(file.SkipRecord());
        }
        if (memory)
            walk.Skip();
        trace.push_back(row);
    }
    return trace;
}

} // namespace

// The open reads the records in one go and walks them in memory: every kind of damage the file
// walk meets must read the same way there.
TEST(MorvelFileWalk, TheWalkInMemoryReadsAsTheFileWalk)
{
    const Bytes point = PointPayload({"A", "fence", 1.5, -2.25, NoValue});
    const Bytes old = PointPayload({"OLD", "d", 3, 4, 7}, OldPointPayloadSize);
    Bytes padded = point;
    padded.resize(120, 0xEE);
    const struct
    {
        const char* what;
        std::vector<std::tuple<uint32_t, Bytes, uint32_t>> frames;
        size_t trailing;
    } cases[] = {
        {"no records", {}, 0},
        {"new, old, foreign, deleted and 18", {{13, point, 100}, {1, old, 92}, {5, Bytes(12, 1), 12}, {0, Bytes(4), 4}, {18, Bytes(3), 3}, {13, point, 100}}, 0},
        {"old form in a longer frame, point with room after it", {{1, Bytes(padded.begin(), padded.begin() + 100), 100}, {13, padded, 120}}, 0},
        {"empty frames", {{5, {}, 0}, {0, {}, 0}, {13, point, 100}}, 0},
        {"point frame too short", {{13, Bytes(40), 40}, {13, point, 100}}, 0},
        {"old point frame too short", {{1, Bytes(91), 91}}, 0},
        {"point cut short", {{13, point, 100}, {13, Bytes(point.begin(), point.begin() + 50), 100}}, 0},
        {"point of its exact size cut short", {{1, Bytes(old.begin(), old.begin() + 91), 92}}, 0},
        {"foreign frame cut short", {{13, point, 100}, {5, Bytes(10), 100}}, 0},
        {"length near 4 GB", {{5, Bytes(8), 0xFFFFFFF8u}, {13, point, 100}}, 0},
        {"trailing bytes short of a frame", {{13, point, 100}}, 7},
    };
    TempDir dir;
    const std::string path = dir.file("walk.Mvj");
    for (const auto& c : cases) {
        Bytes file = ValidHeader();
        for (const auto& [type, payload, length] : c.frames)
            AppendFrame(file, type, payload, length);
        file.insert(file.end(), c.trailing, 0x0D);
        WriteAllBytes(path, file);
        EXPECT_EQ(WalkTrace(path, true), WalkTrace(path, false)) << c.what;
    }

    // Field texts, terminated or filling all 17 units, decode as the string decoder gives them.
    const std::u16string texts[] = {u"", u"P1", u"0123456789ABCDEFG", u"Ω desc", u"x\U0001D11Ey", u"abc\xD800",
                                    u"\xDC00z", std::u16string(u"a\0b", 3), u"\x7F\x80", std::u16string(17, u'\u20AC'),
                                    // Zeros and wide units either side of a four-unit word's edges.
                                    std::u16string(u"abc\0\x100", 5), u"abcd\x100", u"\x100",
                                    std::u16string(u"abcd\0\xFFFF", 6), u"0123456789ABCDE",
                                    std::u16string(16, u'A') + u"\x80", std::u16string(16, u'A') + u"~"};
    for (const std::u16string& units : texts) {
        Bytes field(34, 0);
        for (size_t k = 0; k < units.size(); ++k)
            PutU16LE(field.data() + 2 * k, units[k]);
        std::string expected;
        LoadUtf16Field(field.data(), 17, expected);
        char out[PointTextRoom];
        DecodePointText(field.data(), out);
        EXPECT_EQ(std::string(out), expected) << expected;
    }
}
