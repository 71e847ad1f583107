#include "platform/MessageBox.h"
#include "platform/SharedMemory.h"
#include "shell/HelpDocuments.h"
#include "shell/KVLEditHandoff.h"
#include "platform/AppFolders.h"
#include "platform/RunTempFolder.h"

#include "TestUtil.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using testing::ElementsAre;

namespace {

// Each test gets its own block and semaphore names and a stub editor it writes itself.
class KVLEditHandoff : public testing::Test
{
protected:
    void SetUp() override
    {
        const std::string suffix = "handoff-test-" + std::to_string(::getpid());
        ::setenv("MORVEL_IPC_NAME", suffix.c_str(), 1);
        previousBox = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return IDOK;
        });
        oldPath = ::getenv("PATH") ? ::getenv("PATH") : "";
        // A desktop that opens rich text, unless a test says otherwise.
        WriteScript("xdg-open", "exit 0\n");
        ::setenv("PATH", (dir.path().string() + ":" + oldPath).c_str(), 1);
    }
    void TearDown() override
    {
        SetKVLEditPathOverride("");
        SetMessageBoxHandler(previousBox);
        ::setenv("PATH", oldPath.c_str(), 1);
        ::unsetenv("MORVEL_IPC_NAME");
        CSharedMemory::Remove(GetKVLEditSharedMemoryName());
    }

    std::string WriteScript(const std::string& name, const std::string& body)
    {
        const std::string path = dir.file(name);
        morvel::test::WriteAllText(path, "#!/bin/sh\n" + body);
        ::chmod(path.c_str(), 0755);
        return path;
    }

    morvel::test::TempDir dir;
    std::vector<std::string> messages;
    MessageBoxHandler previousBox;
    std::string oldPath;
};

} // namespace

TEST_F(KVLEditHandoff, NamesTakeTheIpcSuffix)
{
    const std::string pid = std::to_string(::getpid());
    EXPECT_EQ(GetKVLEditSharedMemoryName(), "/KVLEditSharedMemory.handoff-test-" + pid);
    EXPECT_EQ(GetKVLEditDoneEventName(), "/KVLEditSharedMemoryDoneEvent.handoff-test-" + pid);
    ::unsetenv("MORVEL_IPC_NAME");
    EXPECT_EQ(GetKVLEditSharedMemoryName(), "/KVLEditSharedMemory");
    EXPECT_EQ(GetKVLEditDoneEventName(), "/KVLEditSharedMemoryDoneEvent");
}

TEST_F(KVLEditHandoff, AnEditorThatEndsWithoutTakingTheTextFailsAtOnce)
{
    // The stub copies the block as it finds it, then ends without posting.
    const std::string copy = dir.file("block");
    SetKVLEditPathOverride(WriteScript("stub", "[ \"$1\" = /mem ] && cp /dev/shm" + GetKVLEditSharedMemoryName() +
                                                   " '" + copy + "'\nexit 0\n"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(SendTextToKVLEdit("{\\rtf1 report}"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_THAT(messages, ElementsAre("KVLEdit could not be started."));
    const std::string expected("{\\rtf1 report}\0", 15);
    EXPECT_EQ(morvel::test::ReadAllText(copy), expected);
    // The block is gone again.
    EXPECT_LT(CSharedMemory::AgeSeconds(GetKVLEditSharedMemoryName()), 0);
}

TEST_F(KVLEditHandoff, AMissingEditorIsReported)
{
    SetKVLEditPathOverride(dir.file("no-such-editor"));
    EXPECT_FALSE(SendTextToKVLEdit("text"));
    EXPECT_FALSE(StartKVLEdit({"/p", "x.rtf"}));
    EXPECT_THAT(messages, ElementsAre("KVLEdit could not be started.", "KVLEdit could not be started."));
    EXPECT_LT(CSharedMemory::AgeSeconds(GetKVLEditSharedMemoryName()), 0);
}

TEST_F(KVLEditHandoff, ABlockInUseRefusesAndAStaleOneIsReplaced)
{
    SetKVLEditPathOverride(WriteScript("stub", "exit 0\n"));
    CSharedMemory other;
    ASSERT_EQ(other.Create(GetKVLEditSharedMemoryName(), 8), CSharedMemory::CreateResult::Created);
    EXPECT_FALSE(SendTextToKVLEdit("text"));
    EXPECT_THAT(messages, ElementsAre("KVLEdit could not be started."));
    // Still the other program's block.
    EXPECT_GE(CSharedMemory::AgeSeconds(GetKVLEditSharedMemoryName()), 0);

    // Left over by a crash a minute ago: removed, and the hand-off goes ahead.
    const int fd = ::shm_open(GetKVLEditSharedMemoryName().c_str(), O_RDWR, 0);
    ASSERT_GE(fd, 0);
    timespec old[2];
    ::clock_gettime(CLOCK_REALTIME, &old[0]);
    old[0].tv_sec -= 60;
    old[1] = old[0];
    ASSERT_EQ(::futimens(fd, old), 0);
    ::close(fd);
    messages.clear();
    const std::string copy = dir.file("block");
    SetKVLEditPathOverride(WriteScript("stub2", "cp /dev/shm" + GetKVLEditSharedMemoryName() + " '" + copy + "'\n"));
    EXPECT_FALSE(SendTextToKVLEdit("new")); // the stub takes a copy but never posts
    EXPECT_EQ(morvel::test::ReadAllText(copy), std::string("new\0", 4));
}

#ifdef MORVEL_KVLEDIT_PATH
TEST_F(KVLEditHandoff, TheCompanionProgramTakesTheTextAndOpensIt)
{
    // A desktop opener that keeps what it was asked to open.
    const std::string opened = dir.file("opened.rtf");
    const std::string openedName = dir.file("opened-name");
    WriteScript("xdg-open", "cp \"$1\" '" + opened + "'\necho \"$1\" > '" + openedName + "'\n");
    WriteScript("xdg-mime", "echo writer.desktop\n");
    ::setenv("PATH", (dir.path().string() + ":" + oldPath).c_str(), 1);
    SetKVLEditPathOverride(MORVEL_KVLEDIT_PATH);
    const std::string text = "{\\rtf1\\ansi Report \\'dc}";
    EXPECT_TRUE(SendTextToKVLEdit(text));
    EXPECT_TRUE(messages.empty());
    for (int i = 0; i < 500 && !std::filesystem::exists(openedName); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(morvel::test::ReadAllText(opened), text);
    // The editor's file lies in the run's own folder, which goes as the program exits.
    std::string handed = morvel::test::ReadAllText(openedName);
    handed.erase(handed.find_last_not_of('\n') + 1);
    EXPECT_EQ(handed.rfind(GetRunTempFolder(), 0), 0u) << handed;
    EXPECT_TRUE(std::filesystem::exists(handed));
    RemoveRunTempFolder();
    EXPECT_FALSE(std::filesystem::exists(handed));

    // Started with nothing, it opens an empty rich-text document.
    std::filesystem::remove(openedName);
    EXPECT_TRUE(StartKVLEdit({}));
    for (int i = 0; i < 500 && !std::filesystem::exists(openedName); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(morvel::test::ReadAllText(opened).rfind("{\\rtf1", 0), 0u);

    // A file given by a bare name is taken from the job's folder; the option follows it.
    const std::string args = dir.file("args");
    SetKVLEditPathOverride(WriteScript("argstub", "for a in \"$@\"; do echo \"$a\"; done > '" + args + "'\n"));
    EXPECT_TRUE(OpenFileInKVLEdit("/jobs/a b.txt", "/TEXT"));
    for (int i = 0; i < 500 && !std::filesystem::exists(args); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(morvel::test::ReadAllText(args), "/jobs/a b.txt\n/TEXT\n");
}
#endif

// Without a program for rich text the person is told, and the editor is not started.
TEST_F(KVLEditHandoff, ADesktopWithoutAnRtfProgramIsTold)
{
    const std::string started = dir.file("started");
    SetKVLEditPathOverride(WriteScript("stub", "echo started > '" + started + "'\n"));
    const std::string tools = dir.file("tools");
    std::filesystem::create_directories(tools);
    struct Case
    {
        const char* name;
        bool opener;
        const char* mimeAnswer; // null: no xdg-mime
        bool handedOver;
    };
    for (const Case& c : {Case{"no opener at all", false, nullptr, false},
                          Case{"an opener that knows no rich text program", true, "", false},
                          Case{"a rich text program", true, "writer.desktop", true},
                          Case{"an opener alone", true, nullptr, true}}) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(tools);
        std::filesystem::create_directories(tools);
        if (c.opener)
            WriteScript("tools/xdg-open", "exit 0\n");
        if (c.mimeAnswer)
            WriteScript("tools/xdg-mime", std::string("[ \"$3\" = text/rtf ] && echo '") + c.mimeAnswer + "'\nexit 0\n");
        ::setenv("PATH", tools.c_str(), 1);
        messages.clear();
        EXPECT_EQ(DesktopOpensRtf(), c.handedOver);
        // A report, and the editor started with nothing (it opens an empty document).
        for (const std::vector<std::string>& arguments : {std::vector<std::string>{"/p", dir.file("report.rtf")},
                                                          std::vector<std::string>{}}) {
            messages.clear();
            EXPECT_EQ(StartKVLEdit(arguments), c.handedOver);
            if (c.handedOver)
                EXPECT_TRUE(messages.empty());
            else
                EXPECT_THAT(messages, ElementsAre(NoRtfProgramMessage));
        }
    }
    // A text file needs no rich text program.
    messages.clear();
    std::filesystem::remove_all(tools);
    EXPECT_TRUE(StartKVLEdit({dir.file("notes.txt"), "/TEXT"}));
    EXPECT_TRUE(messages.empty());
    ::setenv("PATH", oldPath.c_str(), 1);
    RemoveRunTempFolder();
}

// A file goes to the desktop only when it has a program for the file's type (any text counts
// as plain text); otherwise the program shows the text itself, or says why it cannot.
TEST_F(KVLEditHandoff, AFileTheDesktopCannotOpenIsReadForTheViewer)
{
    const std::string tools = dir.file("tools");
    std::filesystem::create_directories(tools);
    WriteScript("tools/xdg-open", "exit 0\n");
    ::setenv("PATH", tools.c_str(), 1);
    struct Case
    {
        const char* name;
        const char* fileType; // what xdg-mime says the file is
        const char* typeWithProgram;
        bool opened;
    };
    for (const Case& c : {Case{"a log, with a text editor", "text/x-log", "text/plain", true},
                          Case{"plain text, no program", "text/plain", "", false},
                          Case{"a type with its own program", "application/x-survey", "application/x-survey", true},
                          Case{"binary, with only a text editor", "application/octet-stream", "text/plain", false},
                          Case{"type unknown, with a text editor", "", "text/plain", true}}) {
        SCOPED_TRACE(c.name);
        WriteScript("tools/xdg-mime", std::string("[ \"$2\" = filetype ] && echo '") + c.fileType + "'\n" +
                                          "[ \"$2\" = default ] && [ \"$3\" = '" + c.typeWithProgram +
                                          "' ] && echo program.desktop\nexit 0\n");
        EXPECT_EQ(DesktopOpensFile(dir.file("TransferLog.txt")), c.opened);
    }
    ::setenv("PATH", oldPath.c_str(), 1);

    const struct
    {
        const char* name;
        std::string bytes; // none for "missing"
        size_t limit;
        const char* text;
        const char* why;
    } files[] = {
        {"missing", "", ViewableTextLimit, "", "it cannot be read (No such file or directory)."},
        {"empty", "", ViewableTextLimit, "(This file is empty.)", ""},
        {"text from Windows", "Hz 90\xb0\r\n", ViewableTextLimit, "Hz 90\xc2\xb0\r\n", ""},
        {"at the limit", "0123456789", 10, "0123456789", ""},
        // Past the limit only whole lines show, or the cut line when there is only one.
        {"lines over the limit", "Pt 1\r\nPt 2\r\nPt 3\r\n", 14,
         "Pt 1\r\nPt 2\r\n(Only the first 14 bytes of this file are shown; the rest is left out.)", ""},
        {"one line over the limit", "0123456789A", 10,
         "0123456789\n(Only the first 10 bytes of this file are shown; the rest is left out.)", ""},
        {"a character cut at the limit", "Hz 90\xc2\xb0", 6,
         "Hz 90\n(Only the first 6 bytes of this file are shown; the rest is left out.)", ""},
        {"UTF-16 from Windows", std::string("\xff\xfeH\0z\0 \0\xb0\0\r\0\n\0", 14), ViewableTextLimit,
         "Hz \xc2\xb0\r\n", ""},
        {"UTF-16 big-endian", std::string("\xfe\xff\0O\0K", 6), ViewableTextLimit, "OK", ""},
        {"UTF-16 cut between a pair", std::string("\xff\xfe" "A\0\x3d\xd8\x00\xde", 8), 6,
         "A\n(Only the first 6 bytes of this file are shown; the rest is left out.)", ""},
        {"UTF-16 mark alone", "\xff\xfe", ViewableTextLimit, "(This file is empty.)", ""},
        {"UTF-8 mark", "\xef\xbb\xbfOK", ViewableTextLimit, "OK", ""},
        {"binary", std::string("MVJ\0\1", 5), ViewableTextLimit, "", "it is not a text file."},
        {"binary after a UTF-16 mark", std::string("\xff\xfe" "A\0\0\0", 6), ViewableTextLimit, "",
         "it is not a text file."},
    };
    EXPECT_EQ(ViewableTextRestLine(ViewableTextLimit),
              "(Only the first 2 MB of this file are shown; the rest is left out.)");
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const std::string path = dir.file(std::string(f.name) + ".txt");
        if (std::string(f.name) != "missing")
            morvel::test::WriteAllText(path, f.bytes);
        std::string text = "stale";
        std::string why = "stale";
        EXPECT_EQ(LoadViewableText(path, text, why, f.limit), *f.why == '\0');
        EXPECT_EQ(text, f.text);
        EXPECT_EQ(why, f.why);
    }
}

// The viewer's box gets LF line ends and lines it can draw: a lone CR ends a line, also where the
// limit cuts the text, and an overlong line is broken between characters without losing any.
TEST_F(KVLEditHandoff, TheViewerShowsEveryLineEndAndBreaksOverlongLines)
{
    const std::string rest6 = "(Only the first 6 bytes of this file are shown; the rest is left out.)";
    const struct
    {
        const char* name;
        std::string bytes;
        size_t limit;
        size_t length;
        std::string shown;
    } files[] = {
        {"one long line", "<P>1 2</P><P>3 4</P>", ViewableTextLimit, 8, "<P>1 2</\nP><P>3 4\n</P>"},
        {"lines as long as the box draws", "Pt 1\nPt 2\n", ViewableTextLimit, 4, "Pt 1\nPt 2\n"},
        {"CR line ends", "Pt 1\rPt 2\r\rPt 3", ViewableTextLimit, 80, "Pt 1\nPt 2\n\nPt 3"},
        {"CR LF line ends", "Pt 1\r\nPt 2\r\n\r\n", ViewableTextLimit, 80, "Pt 1\nPt 2\n\n"},
        {"cut after a lone CR", "A 1\rB 2\rC", 6, 80, "A 1\n" + rest6},
        {"cut between CR and LF", "A\r\nB2\r\nC", 6, 80, "A\nB2\n" + rest6},
        {"a character at the break", "Hz 90\xc2\xb0 12'", ViewableTextLimit, 6, "Hz 90\xc2\xb0\n 12'"},
        {"a character after the break", "Hz 90\xc2\xb0 12'", ViewableTextLimit, 5, "Hz 90\n\xc2\xb0 12'"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const std::string path = dir.file(std::string(f.name) + ".txt");
        morvel::test::WriteAllText(path, f.bytes);
        std::string text;
        std::string why;
        ASSERT_TRUE(LoadViewableText(path, text, why, f.limit));
        EXPECT_EQ(ViewableLines(text, f.length), f.shown);
    }
}

TEST_F(KVLEditHandoff, AMissingHelpDocumentIsReported)
{
    EXPECT_FALSE(OpenHelpDocument("NoSuchManual.pdf"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "'" + GetExecutableFolder() + "NoSuchManual.pdf' not found.");
}
