#include "core/BufferedFile.h"

#include "TestUtil.h"

#include <clocale>
#include <gtest/gtest.h>

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

std::vector<std::string> AllLines(WindowsFile& f)
{
    std::vector<std::string> lines;
    std::string line;
    while (f.ReadLine(line))
        lines.push_back(line);
    return lines;
}

// Both classes must read the same records from the same bytes.
class BothFiles : public ::testing::TestWithParam<bool>
{
protected:
    std::unique_ptr<WindowsFile> OpenText(const std::string& bytes)
    {
        WriteAllText(path, bytes);
        std::unique_ptr<WindowsFile> f;
        if (GetParam())
            f = std::make_unique<BufferedFile>(100);
        else
            f = std::make_unique<WindowsFile>();
        EXPECT_TRUE(f->Open(path, WindowsFile::kRead | WindowsFile::kShareRead));
        f->SetNulTerminated(false);
        return f;
    }

    TempDir dir;
    std::string path = dir.file("f.dxf");
};

} // namespace

TEST_P(BothFiles, TextLinesWithAndWithoutFinalLineEnd)
{
    auto f = OpenText("AB\r\nC");
    EXPECT_EQ(AllLines(*f), (std::vector<std::string>{"AB", "C"}));
    EXPECT_TRUE(f->IsEof());

    f = OpenText("X\r\n\n\nY\r\n");
    EXPECT_EQ(AllLines(*f), (std::vector<std::string>{"X", "", "", "Y"}));
}

TEST_P(BothFiles, EmptyFileHasNoLines)
{
    auto f = OpenText("");
    EXPECT_TRUE(f->IsEof());
    std::string line = "kept";
    EXPECT_FALSE(f->ReadLine(line));
    EXPECT_EQ(line, "kept");
    char buf[10] = "xx";
    EXPECT_EQ(f->ReadString(buf, sizeof buf), 0u);
    EXPECT_STREQ(buf, "");
    bool eof = false;
    EXPECT_EQ(f->ReadChar(&eof), 0);
    EXPECT_TRUE(eof);
}

TEST_P(BothFiles, LongLinesAndNulBytesAreReadWhole)
{
    const std::string longLine(12000, 'q'); // longer than the window
    std::string withNul("a\0b", 3);
    auto f = OpenText(longLine + "\r\n" + withNul + "\nnext\n");
    EXPECT_EQ(AllLines(*f), (std::vector<std::string>{longLine, withNul, "next"}));

    // A caller's buffer still gets only what fits, and the rest of that line is skipped.
    f = OpenText(std::string(1500, 'z') + "\nafter\n");
    char buf[1000];
    EXPECT_EQ(f->ReadString(buf, sizeof buf), 999u);
    EXPECT_EQ(std::string(buf), std::string(999, 'z'));
    EXPECT_EQ(f->ReadString(buf, sizeof buf), 5u);
    EXPECT_STREQ(buf, "after");
}

TEST_P(BothFiles, LineEndBytesLeftAtTheEndAreDropped)
{
    const bool buffered = GetParam();
    // Unbuffered reads drop every trailing CR and LF; the window scan drops only one CR.
    auto f = OpenText("AB\r\r\nC\n");
    EXPECT_EQ(AllLines(*f), (std::vector<std::string>{buffered ? "AB\r" : "AB", "C"}));

    // A cut that ends on a CR does not hand the CR back.
    f = OpenText("A\rB\nnext\n");
    char buf[3];
    EXPECT_EQ(f->ReadString(buf, sizeof buf), 1u);
    EXPECT_STREQ(buf, "A");
    EXPECT_EQ(f->ReadString(buf, sizeof buf), 2u);
    EXPECT_STREQ(buf, "ne");
}

TEST_P(BothFiles, NulTerminatedRecords)
{
    auto f = OpenText(std::string("one\0two\r\0three", 14));
    f->SetNulTerminated(true);
    EXPECT_EQ(AllLines(*f), (std::vector<std::string>{"one", "two", "three"}));
}

TEST_P(BothFiles, CountToEofMarkerEndsAtEndOfFile)
{
    // No marker: ends at the end of the file instead of reading on for ever.
    auto f = OpenText("abcdef");
    f->SeekTo(2);
    EXPECT_EQ(f->CountToEofMarker(), 2);

    f = OpenText("abc\x1A" "de");
    EXPECT_EQ(f->CountToEofMarker(), 2); // six bytes less "abc" and the marker

    f = OpenText("");
    EXPECT_EQ(f->CountToEofMarker(), 0);
}

INSTANTIATE_TEST_SUITE_P(WindowsAndBuffered, BothFiles, ::testing::Bool());

TEST(WindowsFile, WriteStringRecordEnds)
{
    TempDir dir;
    {
        WindowsFile f(dir.file("t"), WindowsFile::kWrite | WindowsFile::kCreate);
        f.SetNulTerminated(false);
        EXPECT_EQ(f.WriteString("0"), 1u);
    }
    EXPECT_EQ(ReadAllText(dir.file("t")), "0\r\n");
    {
        WindowsFile f(dir.file("n"), WindowsFile::kWrite | WindowsFile::kCreate);
        f.WriteString("0");
        f.WriteStringAndEofMarker("");
    }
    EXPECT_EQ(ReadAllText(dir.file("n")), std::string("0\0\0\x1A", 4));
}

TEST(WindowsFile, OpenMissingFileFails)
{
    TempDir dir;
    WindowsFile f;
    EXPECT_FALSE(f.Open(dir.file("missing"), WindowsFile::kRead));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_TRUE(f.OpenFailed());
    EXPECT_FALSE(f.Open(dir.path().string(), WindowsFile::kRead)); // a folder is no file
    BufferedFile b;
    EXPECT_FALSE(b.Open(dir.file("missing"), WindowsFile::kRead));
    EXPECT_EQ(b.Read(nullptr, 0), 0u);
    EXPECT_EQ(b.Write("x", 1), 0u);
}

TEST(WindowsFile, PrintfHasNoLengthLimitAndUsesPoint)
{
    TempDir dir;
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // may be missing; then the check is weaker
    const std::string big(1000, 'w');
    {
        WindowsFile f(dir.file("p"), WindowsFile::kWrite | WindowsFile::kCreate);
        f.SetNulTerminated(false);
        EXPECT_EQ(f.Printf("%s|%.3f", big.c_str(), 2.5), 1006u);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(ReadAllText(dir.file("p")), big + "|2.500\r\n");
}

TEST(BufferedFile, WindowHasAMinimumSize)
{
    EXPECT_EQ(BufferedFile(100).GetWindowSize(), 5000u);
    EXPECT_EQ(BufferedFile(8192).GetWindowSize(), 8192u);
}

TEST(BufferedFile, WritesLargerThanTheWindowReachTheDisk)
{
    TempDir dir;
    std::string data;
    for (int i = 0; i < 12000; ++i)
        data.push_back(static_cast<char>('a' + i % 26));
    BufferedFile f(100);
    ASSERT_TRUE(f.Open(dir.file("w"), WindowsFile::kRead | WindowsFile::kWrite | WindowsFile::kCreate));
    EXPECT_EQ(f.Write(data.data(), 7000), 7000u);
    EXPECT_EQ(f.Write(data.data() + 7000, 5000), 5000u);
    EXPECT_EQ(f.GetSize(), 12000);
    // Reading back before the close sees the pending bytes.
    f.SeekTo(6990);
    char back[20];
    EXPECT_EQ(f.Read(back, 20), 20u);
    EXPECT_EQ(std::string(back, 20), data.substr(6990, 20));
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(ReadAllText(dir.file("w")), data);
}

TEST(BufferedFile, GapsLeftBySeekingAreZeros)
{
    TempDir dir;
    {
        BufferedFile f;
        ASSERT_TRUE(f.Open(dir.file("g"), WindowsFile::kRead | WindowsFile::kWrite | WindowsFile::kCreate));
        f.Write("ab", 2);
        f.SeekTo(3000);
        f.Write("cd", 2);
        f.SeekTo(20000);
        f.Write("ef", 2);
    } // the destructor writes the window out
    std::string expected(20002, '\0');
    expected.replace(0, 2, "ab");
    expected.replace(3000, 2, "cd");
    expected.replace(20000, 2, "ef");
    EXPECT_EQ(ReadAllText(dir.file("g")), expected);
}

TEST(BufferedFile, ReadsStopAtTheEndOfTheFile)
{
    TempDir dir;
    WriteAllText(dir.file("r"), "12345");
    BufferedFile f;
    ASSERT_TRUE(f.Open(dir.file("r"), WindowsFile::kRead));
    char buf[10] = {};
    EXPECT_EQ(f.Read(buf, 10), 5u);
    EXPECT_EQ(std::string(buf), "12345");
    EXPECT_EQ(f.Read(buf, 10), 0u);
    f.SeekTo(-4);
    EXPECT_EQ(f.Read(buf, 1), 0u);
    f.SeekTo(3);
    EXPECT_EQ(f.Read(buf, 10), 2u);
}

TEST(BufferedFile, ReopenAfterCloseReadsTheFileAgain)
{
    TempDir dir;
    WriteAllText(dir.file("o"), "L1\nL2\n");
    BufferedFile f;
    f.SetNulTerminated(false);
    ASSERT_TRUE(f.Open(dir.file("o"), WindowsFile::kRead));
    std::string line;
    ASSERT_TRUE(f.ReadLine(line));
    f.Close();
    f.Reopen();
    ASSERT_TRUE(f.IsOpen());
    EXPECT_EQ(AllLines(f), (std::vector<std::string>{"L1", "L2"}));
}
