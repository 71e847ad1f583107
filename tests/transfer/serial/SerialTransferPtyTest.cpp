// The transfer loops end to end: the program's side opens a pseudo-terminal as its COM port and a
// simulated instrument answers on the other side.
#include "transfer/serial/SerialPort.h"
#include "transfer/serial/SerialTransfer.h"

#include "PtyInstrument.h"
#include "TestUtil.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <grp.h>
#include <sys/stat.h>

using morvel::test::PtyPair;
using morvel::test::ReadAllText;
using morvel::test::Signal;
using morvel::test::SimulatedInstrument;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t TestPort = 5;
// No test may run longer than this: the pump cancels the loop.
constexpr auto SafetyLimit = std::chrono::seconds(8);

class PtyTransfer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.IsValid());
        SetComPortDevice(TestPort, pty.SlavePath());
        line.port = TestPort;
        previous = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return IDOK;
        });
        callbacks.start = [this](uint32_t) { started.Raise(); };
        callbacks.progress = [this](uint32_t sent) { progress.push_back(sent); };
        callbacks.pump = [this] {
            ++pumps;
            return cancel.IsRaised() || Clock::now() - begun > SafetyLimit;
        };
    }
    void TearDown() override
    {
        SetMessageBoxHandler(previous);
        SetComPortDevice(TestPort, "");
    }

    std::string File(const std::string& name, const std::string& content)
    {
        const std::string path = dir.file(name);
        WriteAllText(path, content);
        return path;
    }

    PtyPair pty;
    TempDir dir;
    CTransferLine line;
    CTransferCallbacks callbacks;
    MessageBoxHandler previous;
    std::vector<std::string> messages;
    std::vector<uint32_t> progress;
    Signal started;
    Signal cancel;
    int pumps = 0;
    Clock::time_point begun = Clock::now();
};

std::string Noise(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string s;
    while (s.size() < size) {
        const unsigned pick = random() % 10;
        if (pick == 0)
            s.append(random() % 5 + 1, '\r');
        else if (pick == 1)
            s.append(random() % 5 + 1, '\n');
        else
            s += static_cast<char>(' ' + random() % 95);
    }
    s.resize(size);
    return s;
}

} // namespace

TEST_F(PtyTransfer, BlocksArriveByteForByte)
{
    const std::string content = Noise(300, 1);
    std::string arrived;
    SimulatedInstrument instrument([&] { arrived = pty.Receive(content.size(), 2000); });
    EXPECT_TRUE(SendFileInBlocks(File("job.txt", content), line, callbacks));
    instrument.Join();
    EXPECT_TRUE(arrived == content);
    EXPECT_EQ(progress, (std::vector<uint32_t>{128, 256, 300}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PtyTransfer, NoiseArrivesUnchangedBothWays)
{
    const std::string upload = Noise(20000, 2);
    std::string arrived;
    {
        SimulatedInstrument instrument([&] { arrived = pty.Receive(upload.size(), 2000); });
        EXPECT_TRUE(SendFileInBlocks(File("up.txt", upload), line, callbacks));
    }
    EXPECT_TRUE(arrived == upload);

    const std::string download = Noise(10000, 3);
    std::string shown;
    Signal receiving;
    callbacks.start = [&](uint32_t) { receiving.Raise(); };
    callbacks.received = [&](std::string_view text) { shown += text; };
    SimulatedInstrument instrument([&] {
        if (receiving.Wait(3000))
            pty.Send(download + "\x1A");
    });
    const std::string path = dir.file("down.txt");
    EXPECT_TRUE(ReceiveFile(path, line, callbacks));
    instrument.Join();
    // Compared whole, without printing kilobytes of noise on failure.
    EXPECT_TRUE(ReadAllText(path) == download);
    EXPECT_TRUE(shown == download);
}

// The instrument stops the flow with XOFF after a part of the file and resumes it with XON:
// once the bytes already under way have come, nothing more arrives until XON.
TEST_F(PtyTransfer, XoffHoldsTheFlowUntilXon)
{
    const std::string content = Noise(200000, 4);
    for (const size_t stopAfter : {size_t(1), size_t(5000), size_t(100000)}) {
        SCOPED_TRACE(stopAfter);
        std::string arrived;
        std::string duringHold;
        progress.clear();
        {
            SimulatedInstrument instrument([&] {
                arrived = pty.Receive(stopAfter, 2000);
                pty.Send("\x13");
                // What was already on its way: everything until the line falls silent.
                arrived += pty.Receive(content.size(), 100);
                duringHold = pty.Receive(content.size(), 250);
                pty.Send("\x11");
                arrived += duringHold + pty.Receive(content.size() - arrived.size() - duringHold.size(), 2000);
            });
            EXPECT_TRUE(SendFileInBlocks(File("big.txt", content), line, callbacks));
        }
        EXPECT_EQ(duringHold.size(), 0u);
        EXPECT_EQ(arrived.size(), content.size());
        EXPECT_TRUE(arrived == content);
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.back(), content.size());
    }
}

TEST_F(PtyTransfer, LostXonHoldsTheSenderUntilCancel)
{
    const std::string content = Noise(200000, 5);
    size_t arrived = 0;
    SimulatedInstrument instrument([&] {
        arrived = pty.Receive(50000, 2000).size();
        pty.Send("\x13");
        arrived += pty.Receive(content.size(), 100).size();
        // The XON never comes; the operator gives up.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        arrived += pty.Receive(content.size(), 30).size();
        cancel.Raise();
    });
    const auto start = Clock::now();
    EXPECT_FALSE(SendFileInBlocks(File("big.txt", content), line, callbacks));
    instrument.Join();
    EXPECT_EQ(messages, (std::vector<std::string>{"Transfer Cancelled"}));
    EXPECT_LT(arrived, content.size());
    // The close did not wait on the stopped line.
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
}

TEST_F(PtyTransfer, LinesPacedByReplies)
{
    line.timeout = 3000; // a missing reply would show as a three-second stall
    std::string records;
    for (int i = 0; i < 10; ++i)
        records += "G," + std::to_string(100 + i) + ",1.000,2.000,3.000,X,\r\r\n";
    std::string arrived;
    SimulatedInstrument instrument([&] {
        for (int i = 0; i < 10; ++i) {
            std::string one;
            while (one.find('\n') == std::string::npos) {
                const std::string got = pty.Receive(1, 2000);
                if (got.empty())
                    return;
                one += got;
            }
            arrived += one;
            pty.Send("\x06");
        }
    });
    const auto start = Clock::now();
    EXPECT_TRUE(SendFileByLines(File("records.txt", records), line, callbacks));
    const auto took = Clock::now() - start;
    instrument.Join();
    EXPECT_EQ(arrived.size(), 10u * 28u);
    EXPECT_EQ(arrived.substr(0, 28), "G,100,1.000,2.000,3.000,X,\r\n");
    // The last line waits for a reply too, so allow one time-out.
    EXPECT_LT(took, std::chrono::milliseconds(3000 + 1500));
}

TEST_F(PtyTransfer, LinesWithoutRepliesPacedByTheTimeout)
{
    line.timeout = 80;
    std::vector<Clock::time_point> arrivals;
    std::string arrived;
    SimulatedInstrument instrument([&] {
        while (arrivals.size() < 4) {
            const std::string got = pty.Receive(1, 1000);
            if (got.empty())
                return;
            arrived += got;
            if (got == "\n")
                arrivals.push_back(Clock::now());
        }
    });
    EXPECT_TRUE(SendFileByLines(File("cols.txt", "1,2,3\n4,5,6\n7,8,9\n10,11,12\n"), line, callbacks));
    instrument.Join();
    EXPECT_EQ(arrived, "1,2,3\n4,5,6\n7,8,9\n10,11,12\n");
    ASSERT_EQ(arrivals.size(), 4u);
    for (size_t i = 1; i < arrivals.size(); ++i)
        EXPECT_GE(arrivals[i] - arrivals[i - 1], std::chrono::milliseconds(40)); // unpaced they would come at once
}

TEST_F(PtyTransfer, DownloadEndedInsideARead)
{
    std::string shown;
    callbacks.received = [&](std::string_view text) { shown += text; };
    SimulatedInstrument instrument([&] {
        if (started.Wait(3000))
            pty.Send("CO,Morvel\r\nPT,1\x1A" "after the end");
    });
    const std::string path = dir.file("down.txt");
    EXPECT_TRUE(ReceiveFile(path, line, callbacks));
    instrument.Join();
    EXPECT_EQ(ReadAllText(path), "CO,Morvel\r\nPT,1");
    EXPECT_EQ(shown, "CO,Morvel\r\nPT,1");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PtyTransfer, DownloadWithoutEndWaitsForCancel)
{
    SimulatedInstrument instrument([&] {
        if (started.Wait(3000))
            pty.Send("PT,1,2,3\r\n");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancel.Raise();
    });
    const std::string path = dir.file("down.txt");
    EXPECT_FALSE(ReceiveFile(path, line, callbacks));
    instrument.Join();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ReadAllText(path), ""); // nothing was flushed yet
}

TEST_F(PtyTransfer, HeldPortRefusesTheTransfer)
{
    CSerialPort holder;
    holder.SetPort(TestPort);
    ASSERT_TRUE(holder.Open());
    EXPECT_FALSE(SendFileInBlocks(File("a.txt", "abc"), line, callbacks));
    EXPECT_EQ(messages, (std::vector<std::string>{"Unable to open COM 5 (" + pty.SlavePath() +
                                                  ") on the PC.  \nMake sure no program is using "
                                                  "the port OR try a different port."}));
    EXPECT_FALSE(started.IsRaised());
}

TEST_F(PtyTransfer, PortThisUserMayNotOpenNamesTheGroupToJoin)
{
    struct stat device {};
    ASSERT_EQ(::stat(pty.SlavePath().c_str(), &device), 0);
    // A group one could join: where the terminals are handed out to group root, dialout's.
    if (device.st_gid == 0) {
        const group* dialout = ::getgrnam("dialout");
        ASSERT_NE(dialout, nullptr);
        ASSERT_EQ(::chown(pty.SlavePath().c_str(), static_cast<uid_t>(-1), dialout->gr_gid), 0);
        device.st_gid = dialout->gr_gid;
    }
    const group* owner = ::getgrgid(device.st_gid);
    ASSERT_NE(owner, nullptr);
    const std::string group = owner->gr_name;
    // Closed to everyone but root: the transfer runs as a plain user.
    ASSERT_EQ(::chmod(pty.SlavePath().c_str(), 0), 0);
    const std::string upload = File("a.txt", "abc");
    morvel::test::RunUnprivileged(dir.path(), [&] {
        EXPECT_FALSE(SendFileInBlocks(upload, line, callbacks));
        EXPECT_EQ(messages, (std::vector<std::string>{"Unable to open COM 5 (" + pty.SlavePath() +
                                                      ") on the PC.  \nThis user may not use the port: join the "
                                                      "group \"" + group + "\" and log in again, OR try a different "
                                                      "port."}));
    });
    ::chmod(pty.SlavePath().c_str(), device.st_mode & 07777);
}
