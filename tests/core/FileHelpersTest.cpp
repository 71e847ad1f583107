#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <vector>

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

// Answers every message box with a scripted button and keeps the texts.
struct RecordingBoxes
{
    std::vector<std::string> texts;
    int answer = IDOK;
    MessageBoxHandler previous;

    RecordingBoxes()
    {
        previous = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            texts.push_back(text);
            return answer;
        });
    }
    ~RecordingBoxes() { SetMessageBoxHandler(previous); }
};

struct ScopedEnv
{
    std::string name;
    std::string old;
    bool had;
    ScopedEnv(const char* n, const std::string& value) : name(n), had(std::getenv(n) != nullptr)
    {
        if (had)
            old = std::getenv(n);
        ::setenv(n, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (had)
            ::setenv(name.c_str(), old.c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
};

} // namespace

TEST(TempFiles, MakesAnEmptyFileInTheTemporaryFolder)
{
    TempDir dir;
    ScopedEnv tmp("TMPDIR", dir.path().string());
    std::string a = MakeTempFilePath();
    std::string b = MakeTempFilePath();
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_EQ(GetPathFolder(a), dir.path().string() + "/");
    EXPECT_EQ(GetPathExtension(a), "tmp");
    EXPECT_TRUE(FileExists(a));
    EXPECT_EQ(ReadAllText(a), "");
}

TEST(TempFiles, FailureIsReturnedNotFatal)
{
    RecordingBoxes boxes;
    TempDir dir;
    // The process goes on: the caller gets an empty path and keeps its unsaved work.
    EXPECT_EQ(MakeTempFileName(dir.file("missing")), "");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0].rfind("GetTempFileName failed:\n" + dir.file("missing") + "\n", 0), 0u);
}

TEST(FileComparison, SameBytesOnly)
{
    RecordingBoxes boxes;
    TempDir dir;
    WriteAllText(dir.file("a"), "survey data");
    WriteAllText(dir.file("b"), "survey data");
    WriteAllText(dir.file("c"), "survey datA");
    WriteAllText(dir.file("d"), "survey data!");
    EXPECT_TRUE(FilesHaveSameContents(dir.file("a"), dir.file("b")));
    EXPECT_FALSE(FilesHaveSameContents(dir.file("a"), dir.file("c")));
    EXPECT_FALSE(FilesHaveSameContents(dir.file("a"), dir.file("d")));
    EXPECT_TRUE(boxes.texts.empty());

    EXPECT_FALSE(FilesHaveSameContents(dir.file("a"), dir.file("none")));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Unable to open \"" + dir.file("none") + "\".");
}

TEST(FileComparison, EqualChecksumsAreNotEnough)
{
    // "A" followed by its own CRC checks to zero, as do three zero bytes.
    uint16_t crc = Crc16("A", 1);
    std::vector<unsigned char> a = {'A', static_cast<unsigned char>(crc), static_cast<unsigned char>(crc >> 8)};
    std::vector<unsigned char> b = {0, 0, 0};
    ASSERT_EQ(Crc16(a.data(), 3), Crc16(b.data(), 3));

    TempDir dir;
    morvel::test::WriteAllBytes(dir.file("a"), a);
    morvel::test::WriteAllBytes(dir.file("b"), b);
    EXPECT_FALSE(FilesHaveSameContents(dir.file("a"), dir.file("b")));
}

TEST(ShellFileOperations, CopyAndMoveAskBeforeReplacing)
{
    RecordingBoxes boxes;
    TempDir dir;
    std::string target = dir.file("out");
    WriteAllText(dir.file("one.txt"), "1");
    WriteAllText(dir.file("two.txt"), "2");

    EXPECT_FALSE(ShellCopyFiles({}, target));
    EXPECT_TRUE(ShellCopyFiles({dir.file("one.txt"), dir.file("two.txt")}, target));
    EXPECT_EQ(ReadAllText(target + "/two.txt"), "2");
    EXPECT_TRUE(boxes.texts.empty());

    WriteAllText(dir.file("one.txt"), "new");
    boxes.answer = IDNO;
    EXPECT_FALSE(ShellCopyFile(dir.file("one.txt"), target));
    EXPECT_EQ(ReadAllText(target + "/one.txt"), "1");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("already exists"), std::string::npos);

    boxes.answer = IDYES;
    EXPECT_TRUE(ShellCopyFile(dir.file("one.txt"), target));
    EXPECT_EQ(ReadAllText(target + "/one.txt"), "new");

    EXPECT_TRUE(ShellMoveFiles({dir.file("two.txt")}, dir.file("moved")));
    EXPECT_FALSE(FileExists(dir.file("two.txt")));
    EXPECT_EQ(ReadAllText(dir.file("moved/two.txt")), "2");
    EXPECT_FALSE(ShellMoveFiles({dir.file("missing.txt")}, dir.file("moved")));
}

TEST(ShellFileOperations, WithoutAnAnswererNothingIsReplaced)
{
    MessageBoxHandler previous = SetMessageBoxHandler({});
    TempDir dir;
    WriteAllText(dir.file("a.txt"), "new");
    WriteAllText(dir.file("b.txt"), "old");
    EXPECT_FALSE(ShellCopyFile(dir.file("a.txt"), dir.file("b.txt")));
    EXPECT_EQ(ReadAllText(dir.file("b.txt")), "old");
    SetMessageBoxHandler(previous);
}

TEST(DxfColorMaps, CopiesTemplatesOverReadOnlyMapsAndRemovesThemInMode2)
{
    TempDir dir;
    SetProgramDataFolderOverride(dir.path().string());
    WriteAllText(dir.file("DxfIPCO64.map"), "in64");
    WriteAllText(dir.file("DxfOPCO64.map"), "out64");
    WriteAllText(dir.file("DxfIPCO16.map"), "in16");
    WriteAllText(dir.file("DxfOPCO16.map"), "out16");
    WriteAllText(dir.file("DxfIPCO.MAP"), "stale");
    SetReadOnlyAttribute(dir.file("DxfIPCO.MAP"));

    PrepareDxfColorMaps(0);
    EXPECT_EQ(ReadAllText(dir.file("DxfIPCO.MAP")), "in64");
    EXPECT_EQ(ReadAllText(dir.file("DxfOPCO.MAP")), "out64");
    PrepareDxfColorMaps(1);
    EXPECT_EQ(ReadAllText(dir.file("DxfIPCO.MAP")), "in16");
    EXPECT_EQ(ReadAllText(dir.file("DxfOPCO.MAP")), "out16");

    SetReadOnlyAttribute(dir.file("DxfOPCO.MAP"));
    PrepareDxfColorMaps(2);
    EXPECT_FALSE(FileExists(dir.file("DxfIPCO.MAP")));
    EXPECT_FALSE(FileExists(dir.file("DxfOPCO.MAP")));
    EXPECT_TRUE(FileExists(dir.file("DxfIPCO16.map")));
    SetProgramDataFolderOverride("");
}

TEST(XmlParser, IsAvailable)
{
    EXPECT_TRUE(CheckXmlParserInstalled());
}
