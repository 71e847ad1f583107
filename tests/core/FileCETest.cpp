#include "core/FileCE.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

std::vector<std::string> ReadLines(const std::string& path)
{
    CFileCE file;
    EXPECT_TRUE(file.Open(path, CFileCE::modeRead));
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadLine(line))
        lines.push_back(line);
    return lines;
}

std::string WriteTexts(const std::string& path, bool wide, const std::vector<std::string>& texts)
{
    CFileCE file(wide);
    EXPECT_TRUE(file.Open(path, CFileCE::modeCreate | CFileCE::modeWrite));
    for (const auto& t : texts)
        EXPECT_TRUE(file.WriteText(t));
    EXPECT_TRUE(file.Close());
    return ReadAllText(path);
}

} // namespace

TEST(FileCELines, LineEndsAndLastLine)
{
    TempDir dir;
    const std::string path = dir.file("a.txt");
    WriteAllText(path, "A\r\nB\nC");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string> {"A", "B", "C"}));

    WriteAllText(path, "X\r\n");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string> {"X"}));

    WriteAllText(path, "\n\n");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string> {"", ""}));

    // A CR not directly before the LF stays in the line.
    WriteAllText(path, "a\rb\r\n");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string> {"a\rb"}));
}

TEST(FileCELines, LongLinesAndSplitLineEnd)
{
    TempDir dir;
    const std::string path = dir.file("a.txt");
    const std::string longLine(1000, 'q');
    WriteAllText(path, longLine + "\r\nnext\r\n");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string> {longLine, "next"}));

    // The CR ends one 255-byte fill and the LF starts the next.
    const std::string first(254, 'a');
    WriteAllText(path, first + "\r\nB");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string> {first, "B"}));
}

TEST(FileCELines, NulBytesAreTextLikeAnyOther)
{
    TempDir dir;
    const std::string path = dir.file("a.txt");
    const std::string nulLine("A\0B", 3);
    WriteAllText(path, nulLine + "\r\nnext\r\n");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string> {nulLine, "next"}));

    // The position after the line counts every byte of it.
    CFileCE file;
    ASSERT_TRUE(file.Open(path, CFileCE::modeRead));
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line.size(), 3u);
    EXPECT_EQ(file.GetPosition(), 5);
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "next");
    EXPECT_EQ(file.GetPosition(), 11);
    file.Close();

    // A NUL near the end of one fill and a line running on into the next.
    const std::string head = std::string(250, 'x') + std::string(1, '\0') + std::string(300, 'y');
    WriteAllText(path, head + "\nlast");
    EXPECT_EQ(ReadLines(path), (std::vector<std::string> {head, "last"}));
}

TEST(FileCEPositions, PositionFollowsWhatWasConsumed)
{
    TempDir dir;
    const std::string path = dir.file("a.txt");
    WriteAllText(path, "AB\r\nCD\r\n");
    CFileCE file;
    ASSERT_TRUE(file.Open(path, CFileCE::modeRead));
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(file.GetPosition(), 4);
    // A seek drops the pending line so the next read starts where asked.
    ASSERT_TRUE(file.SeekTo(1));
    char c[3] = {};
    ASSERT_TRUE(file.Read(c, 3));
    EXPECT_EQ(std::string(c, 3), "B\r\n");
    EXPECT_EQ(file.GetPosition(), 4);
    // Relative moves inside the read-ahead, both ways.
    ASSERT_TRUE(file.Seek(-3, CFileCE::SeekCurrent));
    EXPECT_EQ(file.GetPosition(), 1);
    ASSERT_TRUE(file.Seek(2, CFileCE::SeekCurrent));
    ASSERT_TRUE(file.Read(c, 1));
    EXPECT_EQ(c[0], '\n');
}

TEST(FileCEPositions, LengthChangeAfterALineKeepsThePosition)
{
    TempDir dir;
    const std::string path = dir.file("a.txt");
    WriteAllText(path, "ab\ncd");
    CFileCE file;
    ASSERT_TRUE(file.Open(path, CFileCE::modeReadWrite));
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    ASSERT_TRUE(file.SetLength(10));
    EXPECT_EQ(file.GetPosition(), 3);
    char c[2];
    ASSERT_TRUE(file.Read(c, 2));
    EXPECT_EQ(std::string(c, 2), "cd");
}

TEST(FileCEPositions, ShortReadWithAndWithoutCount)
{
    TempDir dir;
    const std::string path = dir.file("a.bin");
    WriteAllText(path, "12345");
    CFileCE file;
    ASSERT_TRUE(file.Open(path, CFileCE::modeRead));
    char buf[10];
    EXPECT_FALSE(file.Read(buf, 10));
    ASSERT_TRUE(file.SeekToBegin());
    uint32_t got = 99;
    EXPECT_TRUE(file.Read(buf, 10, &got));
    EXPECT_EQ(got, 5u);
}

TEST(FileCEOpen, BufferSizeByModeAndNoDoubleOpen)
{
    TempDir dir;
    const std::string path = dir.file("a.bin");
    WriteAllText(path, "x");
    CFileCE reader;
    ASSERT_TRUE(reader.Open(path, CFileCE::modeRead));
    EXPECT_EQ(reader.GetBufferSize(), 131072u);
    EXPECT_FALSE(reader.Open(path, CFileCE::modeRead));

    CFileCE writer;
    ASSERT_TRUE(writer.Open(dir.file("b.bin"), CFileCE::modeCreate | CFileCE::modeWrite));
    EXPECT_EQ(writer.GetBufferSize(), 16384u);
    EXPECT_FALSE(CFileCE().Open(dir.file("missing/x"), CFileCE::modeRead));
}

TEST(FileCEWrite, BufferedWritesLandInOrderAroundSeeks)
{
    TempDir dir;
    const std::string path = dir.file("a.bin");
    CFileCE file;
    ASSERT_TRUE(file.Open(path, CFileCE::modeCreate | CFileCE::modeReadWrite));
    ASSERT_TRUE(file.Write("hello world", 11));
    EXPECT_EQ(file.GetPosition(), 11);
    EXPECT_EQ(file.GetLength(), 11);
    ASSERT_TRUE(file.SeekTo(6));
    ASSERT_TRUE(file.Write("W", 1));
    ASSERT_TRUE(file.SeekToBegin());
    char buf[11];
    ASSERT_TRUE(file.Read(buf, 11));
    EXPECT_EQ(std::string(buf, 11), "hello World");
    // Larger than the buffer goes straight through.
    const std::string big(40000, 'z');
    ASSERT_TRUE(file.SeekToEnd());
    ASSERT_TRUE(file.Write(big.data(), uint32_t(big.size())));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadAllText(path), "hello World" + big);
}

TEST(FileCEWrite, WriteRefusedWhileLineIsPending)
{
    TempDir dir;
    const std::string path = dir.file("a.txt");
    WriteAllText(path, "a\nb\n");
    CFileCE file;
    ASSERT_TRUE(file.Open(path, CFileCE::modeReadWrite));
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_FALSE(file.Write("x", 1));
}

TEST(FileCEWrite, FailedWritesAreReported)
{
    CFileCE file;
    if (!file.Open("/dev/full", CFileCE::modeWrite))
        GTEST_SKIP() << "no /dev/full";
    // Too large to buffer: the write happens now and fails now.
    EXPECT_FALSE(file.WriteText(std::string(20000, 'x')));
    // Buffered text fails when it reaches the device.
    EXPECT_TRUE(file.WriteText("short"));
    EXPECT_FALSE(file.Close());
}

TEST(FileCEText, LineEndsOfWrittenText)
{
    TempDir dir;
    const std::string path = dir.file("t.txt");
    EXPECT_EQ(WriteTexts(path, false, {""}), "\r\n");
    EXPECT_EQ(WriteTexts(path, false, {"a\n\nb"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(WriteTexts(path, false, {"a\n"}), "a\r\n");
    const std::string long300(300, 'x');
    EXPECT_EQ(WriteTexts(path, false, {long300}), long300 + "\r\n");
    // A break right after the 256th character still makes one line each.
    const std::string head(256, 'h');
    EXPECT_EQ(WriteTexts(path, false, {head + "\ntail"}), head + "\r\ntail\r\n");
    EXPECT_EQ(WriteTexts(path, false, {std::string(255, 'h') + "\ntail"}),
              std::string(255, 'h') + "\r\ntail\r\n");
    // Characters, not bytes: 300 two-byte characters stay whole.
    std::string degrees;
    for (int i = 0; i < 300; ++i)
        degrees += "°";
    EXPECT_EQ(WriteTexts(path, false, {degrees}), degrees + "\r\n");
}

TEST(FileCEText, WideTextIsUtf16LittleEndian)
{
    TempDir dir;
    const std::string path = dir.file("w.txt");
    const std::string bytes = WriteTexts(path, true, {"A°", ""});
    EXPECT_EQ(bytes, std::string("A\0\xB0\0\r\0\n\0\r\0\n\0", 12));
    CFileCE file(true);
    ASSERT_TRUE(file.Open(path, CFileCE::modeRead));
    std::string line;
    EXPECT_FALSE(file.ReadLine(line));
}

TEST(FileCEText, CopyHelpersAlwaysTerminate)
{
    char16_t wide[5];
    CopyToWideString(wide, "abcdefg", 4);
    EXPECT_EQ(std::u16string(wide), u"abcd");
    CopyToWideString(wide, "ab", 4);
    EXPECT_EQ(std::u16string(wide), u"ab");
    char narrow[4];
    CopyTextN(narrow, "abcdef", 3);
    EXPECT_STREQ(narrow, "abc");
}

// Reads of a buffer's worth or more go straight to the caller: mixed with small reads and
// relative moves they must still give the file's bytes in order, and the right position.
TEST(FileCEPositions, BigReadsAroundTheReadAhead)
{
    TempDir dir;
    const std::string path = dir.file("big.bin");
    std::string bytes(3 * CFileCE::ReadBufferSize + 123, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 131) >> 3);
    WriteAllText(path, bytes);
    const uint32_t buffer = CFileCE::ReadBufferSize;
    // Each row: a move relative to the position (0 for none) and a read of that many bytes.
    const struct
    {
        int64_t move;
        uint32_t count;
    } steps[] = {{0, buffer}, {-int64_t(buffer), 10}, {0, buffer + 5000}, {-7, 3}, {0, buffer}, {100, 2 * buffer}};
    CFileCE file;
    ASSERT_TRUE(file.Open(path, CFileCE::modeRead));
    int64_t at = 0;
    for (const auto& step : steps) {
        ASSERT_TRUE(file.Seek(step.move, CFileCE::SeekCurrent));
        at += step.move;
        const uint32_t expected = static_cast<uint32_t>(std::min<int64_t>(step.count, int64_t(bytes.size()) - at));
        std::string read(step.count, '\0');
        uint32_t got = 0;
        ASSERT_TRUE(file.Read(read.data(), step.count, &got));
        ASSERT_EQ(got, expected) << at;
        EXPECT_EQ(read.substr(0, got), bytes.substr(size_t(at), got)) << at;
        at += got;
        EXPECT_EQ(file.GetPosition(), at);
    }
    // Without a count, a read cut short by the end is refused.
    ASSERT_TRUE(file.SeekTo(int64_t(bytes.size()) - buffer));
    std::string rest(buffer + 1, '\0');
    EXPECT_FALSE(file.Read(rest.data(), buffer + 1));
}
