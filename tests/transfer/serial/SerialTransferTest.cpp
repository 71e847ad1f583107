// The transfer loops over a scripted line: pass by pass, what is written, when the loops wait,
// and what they tell the user.
#include "transfer/serial/SerialLink.h"
#include "transfer/serial/SerialPort.h"
#include "transfer/serial/SerialTransfer.h"

#include "PtyInstrument.h"
#include "TestUtil.h"
#include "model/MorvelSettings.h"
#include "model/TransferLock.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using morvel::test::PtyPair;
using morvel::test::ReadAllText;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

// A line whose answers are scripted: each write takes at most the next limit in `writeLimits`
// (all when none is left), each read hands out the next chunk of `chunks` (nothing when none is
// left). Every call is logged: "W<asked>/<taken>", "R<asked>/<given>", "I" (idle wait).
class ScriptedLink : public CSerialLink
{
public:
    bool Write(const void* data, uint32_t count, uint32_t* written) override
    {
        uint32_t take = count;
        if (!writeLimits.empty()) {
            take = std::min(count, writeLimits.front());
            writeLimits.pop_front();
        }
        wire.append(static_cast<const char*>(data), take);
        log.push_back("W" + std::to_string(count) + "/" + std::to_string(take));
        *written = take;
        return take == count;
    }
    bool Read(void* buffer, uint32_t count, uint32_t* read, const bool* cancel) override
    {
        if (count == 0) {
            *read = 0;
            return true;
        }
        if (cancel && *cancel)
            return false;
        uint32_t given = 0;
        if (!chunks.empty()) {
            std::string& chunk = chunks.front();
            given = std::min<uint32_t>(count, static_cast<uint32_t>(chunk.size()));
            std::memcpy(buffer, chunk.data(), given);
            chunk.erase(0, given);
            if (chunk.empty())
                chunks.pop_front();
        }
        log.push_back("R" + std::to_string(count) + "/" + std::to_string(given));
        *read = given;
        return given > 0;
    }
    void WaitIdle(bool) override { log.push_back("I"); }
    void DiscardOutput() override { discarded = true; }

    // Idle waits between the n-th and the next log entry that is not one.
    size_t IdleRunAfter(size_t index) const
    {
        size_t n = 0;
        for (size_t i = index + 1; i < log.size() && log[i] == "I"; ++i)
            ++n;
        return n;
    }
    size_t Find(const std::string& entry, size_t from = 0) const
    {
        auto it = std::find(log.begin() + static_cast<std::ptrdiff_t>(from), log.end(), entry);
        return static_cast<size_t>(it - log.begin());
    }

    std::deque<uint32_t> writeLimits;
    std::deque<std::string> chunks;
    std::string wire;
    std::vector<std::string> log;
    bool discarded = false;
};

class TransferLoops : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return IDOK;
        });
        callbacks.start = [this](uint32_t total) { starts.push_back(total); };
        callbacks.progress = [this](uint32_t sent) { progress.push_back(sent); };
        callbacks.received = [this](std::string_view text) { shown += text; };
        callbacks.pump = [this] { return ++pumps == cancelAtPump; };
        callbacks.finish = [this] { ++finishes; };
    }
    void TearDown() override { SetMessageBoxHandler(previous); }

    std::string File(const std::string& name, const std::string& content)
    {
        const std::string path = dir.file(name);
        WriteAllText(path, content);
        return path;
    }

    TempDir dir;
    MessageBoxHandler previous;
    CTransferCallbacks callbacks;
    ScriptedLink link;
    std::vector<std::string> messages;
    std::vector<uint32_t> starts;
    std::vector<uint32_t> progress;
    std::string shown;
    int pumps = 0;
    int cancelAtPump = -1;
    int finishes = 0;
};

// A pseudo-terminal never unlocked: opening its slave side fails with EIO, as a serial port
// without a chip behind it does.
class LockedPty
{
public:
    LockedPty() : m_master(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
        char name[128] = {};
        if (m_master >= 0 && ::ptsname_r(m_master, name, sizeof name) == 0)
            m_slave = name;
    }
    ~LockedPty()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    LockedPty(const LockedPty&) = delete;
    LockedPty& operator=(const LockedPty&) = delete;
    const std::string& SlavePath() const { return m_slave; }

private:
    int m_master;
    std::string m_slave;
};

std::string Pattern(size_t size)
{
    std::string s;
    for (size_t i = 0; i < size; ++i)
        s += static_cast<char>('!' + i % 90);
    return s;
}

} // namespace

TEST_F(TransferLoops, BlocksOf128)
{
    const std::string content = Pattern(300);
    EXPECT_TRUE(SendFileInBlocksOver(link, File("job.txt", content), callbacks));
    EXPECT_EQ(link.wire, content);
    EXPECT_EQ(link.log, (std::vector<std::string>{"W128/128", "W128/128", "W44/44"}));
    EXPECT_EQ(starts, (std::vector<uint32_t>{300}));
    EXPECT_EQ(progress, (std::vector<uint32_t>{128, 256, 300}));
    EXPECT_EQ(finishes, 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TransferLoops, EmptyFileSendsNothing)
{
    EXPECT_TRUE(SendFileInBlocksOver(link, File("empty.txt", ""), callbacks));
    EXPECT_TRUE(link.log.empty());
    EXPECT_EQ(starts, (std::vector<uint32_t>{0}));
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(finishes, 1);
}

TEST_F(TransferLoops, ShortBlockWriteResumesAfter100Passes)
{
    const std::string content = Pattern(200);
    link.writeLimits = {50};
    EXPECT_TRUE(SendFileInBlocksOver(link, File("job.txt", content), callbacks));
    EXPECT_EQ(link.wire, content);
    ASSERT_GE(link.log.size(), 103u);
    EXPECT_EQ(link.log[0], "W128/50");
    EXPECT_EQ(link.IdleRunAfter(0), 100u);
    EXPECT_EQ(link.log[101], "W78/78");
    EXPECT_EQ(link.log[102], "W72/72");
    // The whole block counts once it has gone.
    EXPECT_EQ(progress, (std::vector<uint32_t>{128, 200}));
}

TEST_F(TransferLoops, SendersReportFileFailures)
{
    EXPECT_FALSE(SendFileInBlocksOver(link, dir.file("missing.txt"), callbacks));
    EXPECT_FALSE(SendFileByLinesOver(link, dir.file("missing.txt"), callbacks));
    EXPECT_EQ(messages, (std::vector<std::string>(2, "Transfer failed: file cannot be opened")));
    EXPECT_TRUE(starts.empty());
    EXPECT_EQ(finishes, 0);

    // A file that opens but cannot be read is a failure, not a finished transfer.
    messages.clear();
    EXPECT_FALSE(SendFileInBlocksOver(link, dir.path().string(), callbacks));
    EXPECT_EQ(messages, (std::vector<std::string>{"Transfer failed: cannot read file"}));
    EXPECT_TRUE(link.log.empty());
    EXPECT_EQ(finishes, 1);
}

TEST_F(TransferLoops, CancelStopsASender)
{
    cancelAtPump = 2;
    EXPECT_FALSE(SendFileInBlocksOver(link, File("job.txt", Pattern(1000)), callbacks));
    EXPECT_EQ(link.log.size(), 2u);
    EXPECT_EQ(messages, (std::vector<std::string>{"Transfer Cancelled"}));
    EXPECT_TRUE(link.discarded);
    EXPECT_EQ(finishes, 1);

    messages.clear();
    pumps = 0;
    link.discarded = false;
    EXPECT_FALSE(SendFileByLinesOver(link, File("lines.txt", "1\n2\n3\n"), callbacks));
    EXPECT_EQ(messages, (std::vector<std::string>{"Transfer Cancelled"}));
    EXPECT_TRUE(link.discarded);
}

TEST_F(TransferLoops, LinesWaitForAReplyAfterEachPass)
{
    link.chunks = {"\x06", "ACK"};
    // Record lines end in ",\r\n" and are written to the file with CR LF line ends: the reader
    // drops one CR, the other goes on the wire before the LF.
    const std::string records = "A,01,Z,\r\nG,101,5000.000,2000.000,CP,7,\r\nZ,:,\r\n";
    std::string file;
    for (char c : records)
        file += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_TRUE(SendFileByLinesOver(link, File("upload.txt", file), callbacks));
    EXPECT_EQ(link.wire, records);
    EXPECT_EQ(link.log, (std::vector<std::string>{"W9/9", "R6/1", "W31/31", "R6/3", "W6/6", "R6/0"}));
    // The progress counts what is sent and ends at its total: 100 %, whatever the line ends.
    EXPECT_EQ(progress, (std::vector<uint32_t>{9, 40, 46}));
    EXPECT_EQ(starts, (std::vector<uint32_t>{46}));

    // A plain line goes out with a bare LF, the last one too.
    link.log.clear();
    link.wire.clear();
    progress.clear();
    EXPECT_TRUE(SendFileByLinesOver(link, File("columns.txt", "101,1.0\r\n102,2.0"), callbacks));
    EXPECT_EQ(link.wire, "101,1.0\n102,2.0\n");
    EXPECT_EQ(progress, (std::vector<uint32_t>{8, 16}));
    EXPECT_EQ(starts.back(), 16u);
}

TEST_F(TransferLoops, ShortLineWriteKeepsWaitingForReplies)
{
    link.writeLimits = {3};
    EXPECT_TRUE(SendFileByLinesOver(link, File("upload.txt", "ABCDEFGH\n"), callbacks));
    EXPECT_EQ(link.wire, "ABCDEFGH\n");
    // 100 passes write nothing, yet each of them waits for a reply.
    ASSERT_EQ(link.log.size(), 1u + 1u + 100u + 1u + 1u);
    EXPECT_EQ(link.log[0], "W9/3");
    EXPECT_EQ(std::count(link.log.begin(), link.log.end(), "R6/0"), 102);
    EXPECT_EQ(link.log[102], "W6/6");
    EXPECT_EQ(progress, (std::vector<uint32_t>{9}));
}

TEST_F(TransferLoops, DownloadEndsAtTheEndByte)
{
    link.chunks = {"AB", "C\x1A"};
    const std::string path = dir.file("download.txt");
    EXPECT_TRUE(ReceiveFileOver(link, path, callbacks));
    EXPECT_EQ(ReadAllText(path), "ABC");
    EXPECT_EQ(shown, "ABC");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(finishes, 1);
    // A short read is followed by 100 idle passes before the next read.
    EXPECT_EQ(link.log[0], "R16/2");
    EXPECT_EQ(link.IdleRunAfter(0), 100u);
    EXPECT_EQ(link.log[101], "R16/2");
}

TEST_F(TransferLoops, EndByteInsideAReadEndsTheDownload)
{
    link.chunks = {"HELLO\x1Atrailing bytes"};
    const std::string path = dir.file("download.txt");
    EXPECT_TRUE(ReceiveFileOver(link, path, callbacks));
    EXPECT_EQ(ReadAllText(path), "HELLO");
    EXPECT_EQ(shown, "HELLO");
    EXPECT_EQ(link.log.size(), 1u);

    // At the very start of a read: nothing of that read is kept.
    link.log.clear();
    link.chunks = {"0123456789abcdef", "\x1Axyz"};
    shown.clear();
    EXPECT_TRUE(ReceiveFileOver(link, path, callbacks));
    EXPECT_EQ(ReadAllText(path), "0123456789abcdef");
}

TEST_F(TransferLoops, LongDownloadFlushesAndWaitsForCancel)
{
    const std::string data = Pattern(5000);
    for (size_t i = 0; i < data.size(); i += 16)
        link.chunks.push_back(data.substr(i, 16));
    cancelAtPump = 400; // well after the data, which never ends with 0x1A
    const std::string path = dir.file("download.txt");
    EXPECT_FALSE(ReceiveFileOver(link, path, callbacks));
    EXPECT_TRUE(messages.empty());
    // The first flush came once the buffer held more than 3063 bytes; the rest was not flushed.
    EXPECT_EQ(ReadAllText(path), data.substr(0, 3072));
    EXPECT_EQ(shown, data);
    EXPECT_EQ(finishes, 1);
}

TEST_F(TransferLoops, ReceiverReportsFileFailures)
{
    EXPECT_FALSE(ReceiveFileOver(link, dir.file("no/such/folder/x.txt"), callbacks));
    EXPECT_EQ(messages, (std::vector<std::string>{"Transfer failed: file cannot be opened"}));

    messages.clear();
    link.chunks = {"DATA\x1A"};
    EXPECT_FALSE(ReceiveFileOver(link, "/dev/full", callbacks));
    EXPECT_EQ(messages, (std::vector<std::string>{"Transfer failed: cannot write to file"}));
    EXPECT_EQ(finishes, 1);
}

TEST_F(TransferLoops, PortThatCannotOpenIsNamedWithItsDeviceAndCause)
{
    // The device stored beside the port, or a test's own for the port, is the one named, with
    // what to do about the cause.
    const std::string absent = "There is no such device: check that the cable or adapter is plugged in, OR try a "
                               "different port.";
    const std::string notSerial = "The device is not a serial port: try a different port.";
    WriteAllText(dir.file("plain.txt"), "x");
    const std::string rootsOnly = "This user has no permission to use the port: try a different port.";
    const LockedPty locked;
    ASSERT_FALSE(locked.SlavePath().empty());
    // A device of group root: no group to join would let a user in. The words are chosen from the
    // device's group wherever the tests run; a refused open of such a device, only where root can
    // hand one to group root. Under some user namespaces /dev/null reads as another group.
    struct stat null = {};
    if (::stat("/dev/null", &null) == 0 && null.st_gid == 0)
        EXPECT_EQ(FormatPortOpenFailure(42, "/dev/null", PortOpenFailure::Permission),
                  "Unable to open COM 42 (/dev/null) on the PC.  \n" + rootsOnly);
    else
        std::printf("Not checked here: the advice for a device of group root, since /dev/null is of group %u "
                    "(a user namespace)\n",
                    static_cast<unsigned>(null.st_gid));
    PtyPair rootOnly;
    ASSERT_TRUE(rootOnly.IsValid());
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::chown(rootOnly.SlavePath().c_str(), 0, 0), 0);
        ASSERT_EQ(::chmod(rootOnly.SlavePath().c_str(), 0600), 0);
    }
    struct Case
    {
        const char* name;
        std::string stored;
        std::string forTest;
        std::string named;
        std::string advice;
        bool asPlainUser = false;
    } cases[] = {
        {"stored device", dir.file("no-such-adapter"), "", dir.file("no-such-adapter"), absent},
        {"test device first", dir.file("no-such-adapter"), dir.file("no-such-device"), dir.file("no-such-device"),
         absent},
        {"a plain file", dir.file("plain.txt"), "", dir.file("plain.txt"), notSerial},
        {"a folder", dir.path().string(), "", dir.path().string(), notSerial},
        {"no terminal line", "/dev/null", "", "/dev/null", notSerial},
        {"nothing behind the port", locked.SlavePath(), "", locked.SlavePath(),
         "There is no device behind this port: try a different port."},
        {"group root", rootOnly.SlavePath(), "", rootOnly.SlavePath(), rootsOnly, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.asPlainUser && !asRoot) {
            std::printf("Not checked here: a plain user refused a terminal of group root, since only root can "
                        "hand one to group root (this runs as uid %u)\n",
                        static_cast<unsigned>(::geteuid()));
            continue;
        }
        messages.clear();
        CTransferLine line;
        line.port = 42;
        line.device = c.stored;
        SetComPortDevice(42, c.forTest);
        const auto check = [&] {
            EXPECT_FALSE(ReceiveFile(dir.file("x.txt"), line, callbacks));
            EXPECT_FALSE(SendFileInBlocks(File("a.txt", "x"), line, callbacks));
            EXPECT_FALSE(SendFileByLines(File("b.txt", "x"), line, callbacks));
            const std::string expected = "Unable to open COM 42 (" + c.named + ") on the PC.  \n" + c.advice;
            EXPECT_EQ(messages, (std::vector<std::string>(3, expected)));
            EXPECT_TRUE(starts.empty());
            // Nothing was created for a download that never started.
            EXPECT_FALSE(std::filesystem::exists(dir.file("x.txt")));
        };
        if (c.asPlainUser)
            morvel::test::RunUnprivileged(dir.path(), check);
        else
            check();
        SetComPortDevice(42, "");
    }
}

TEST(TransferLineSettings, TakenFromThePreferences)
{
    TempDir dir;
    CProfile profile(dir.path() / "Morvel.ini");
    CMorvelSettings settings(&profile);
    settings.SetTransferSettings({5, 2, 19200, 3, "/dev/ttyACM0"}); // model, parity, rate, port, device
    const CTransferLine line = GetTransferLine(settings);
    EXPECT_EQ(line.port, 3u);
    EXPECT_EQ(line.device, "/dev/ttyACM0");
    EXPECT_EQ(line.baudRate, 19200);
    EXPECT_EQ(line.parity, 2u);
    EXPECT_EQ(line.timeout, 0u);
}

TEST(TransferLockMessage, PlainBoxWhileAnotherTransferRuns)
{
    std::vector<std::pair<std::string, uint32_t>> shown;
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const std::string& text, uint32_t flags) {
        shown.emplace_back(text, flags);
        return IDOK;
    });
    {
        CTransferLock getJob;
        ASSERT_TRUE(getJob.Acquire());
        CTransferLock sendJob;
        EXPECT_FALSE(sendJob.Acquire());
        EXPECT_FALSE(sendJob.IsHeld());
    }
    CTransferLock after;
    EXPECT_TRUE(after.Acquire());
    SetMessageBoxHandler(previous);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, "You cannot start the transfer process because another transfer process is running now.");
    EXPECT_EQ(shown[0].second, MB_OK);
}
