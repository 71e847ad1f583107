// Send Job and Get Job over a pseudo-terminal with a simulated instrument on the other end.
#include "PtyInstrument.h"
#include "TestUtil.h"
#include "core/NikonColumnCollection.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "model/TransferLock.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "rawdata/RawDataFactory.h"
#include "transfer/serial/JobDownload.h"
#include "transfer/serial/JobUpload.h"
#include "transfer/serial/SerialPort.h"
#include "transfer/serial/SerialTransfer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using morvel::test::PtyPair;
using morvel::test::ReadAllText;
using morvel::test::SharedTestDataPath;
using morvel::test::Signal;
using morvel::test::SimulatedInstrument;
using morvel::test::TempDir;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t TestPort = 6;

class PtyJobTransfer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.IsValid());
        SetComPortDevice(TestPort, pty.SlavePath());
        line.port = TestPort;
        previousFactory = InstallRawDataFactory();
        profile = std::make_unique<CProfile>(dir.file("Morvel.ini"));
        SetAppProfile(profile.get());
        SetProgramDataFolderOverride(dir.path().string() + "/");
        previousBox = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return IDOK;
        });
        callbacks.start = [this](uint32_t) { started.Raise(); };
        callbacks.pump = [this] { return cancel.IsRaised() || Clock::now() - begun > std::chrono::seconds(8); };
    }
    void TearDown() override
    {
        SetMessageBoxHandler(previousBox);
        SetProgramDataFolderOverride("");
        SetAppProfile(nullptr);
        SetSelectedInstrumentModelReader({});
        SetJobRawDataFactory(std::move(previousFactory));
        SetComPortDevice(TestPort, "");
    }

    PtyPair pty;
    TempDir dir;
    CTransferLine line;
    CTransferCallbacks callbacks;
    JobRawDataFactory previousFactory;
    std::unique_ptr<CProfile> profile;
    MessageBoxHandler previousBox;
    std::vector<std::string> messages;
    Signal started;
    Signal cancel;
    Clock::time_point begun = Clock::now();
};

TEST_F(PtyJobTransfer, RecordsReachTheInstrumentLineByLine)
{
    SetSelectedInstrumentModelReader([] { return 1; });
    CMorvelFileDoc doc;
    doc.GetDocSettings()->SetDistanceUnit(0);
    for (auto [name, n, e, z] : {std::tuple{"1", 1000.0, 2000.0, 10.0}, {"2", 1100.0, 2100.0, 11.0}, {"A7", 1.0, 2.0, 3.0}}) {
        auto* point = new CPointRecord(name, "", CLocation(e, n, z), true);
        ASSERT_TRUE(doc.AddRecord(point));
        doc.GetCurrentSelection()->SetSelected(point, true);
    }
    const std::string expected =
        "A,01,Z,\r\nG,1,1000.000,2000.000,10.000,,>,\r\nG,2,1100.000,2100.000,11.000,,B,\r\nZ,&,\r\n";
    std::string arrived;
    SimulatedInstrument instrument([&] {
        while (arrived.size() < expected.size()) {
            const std::string got = pty.Receive(1, 2000);
            if (got.empty())
                return;
            arrived += got;
            if (got == "\n")
                pty.Send("\x06");
        }
    });
    CNikonColumnCollection columns;
    const SendJobResult result = SendJob(doc, 1, columns, [&](const std::string& path, bool byLines) {
        return byLines ? SendFileByLines(path, line, callbacks) : SendFileInBlocks(path, line, callbacks);
    });
    instrument.Join();
    EXPECT_EQ(result, SendJobResult::Sent);
    EXPECT_EQ(arrived, expected);
}

TEST_F(PtyJobTransfer, RawDownloadBecomesTheJobAndCancelLeavesNothing)
{
    const std::string raw = ReadAllText(SharedTestDataPath("tops_nikon_raw_v200.raw"));
    SimulatedInstrument instrument([&] {
        if (started.Wait(3000))
            pty.Send(raw + "\x1A");
    });
    fs::create_directory(dir.file("tmp"));
    GetJobHooks hooks;
    hooks.modelIndex = 5;
    hooks.tempFolder = dir.file("tmp");
    hooks.receive = [&](const std::string& path) { return ReceiveFile(path, line, callbacks); };
    hooks.promptSave = [&](std::string& path, int, const std::string&) {
        path = dir.file(path + ".Mvr");
        return true;
    };
    std::string name;
    ASSERT_TRUE(GetJob(name, true, hooks));
    instrument.Join();
    EXPECT_EQ(name, "FATE2010");
    CMorvelFileDoc job;
    ASSERT_TRUE(job.OnOpenDocument(dir.file("FATE2010.Mvj")));
    EXPECT_EQ(job.GetPointDatabase()->GetCount(), 83);

    // Cancel while nothing arrives: no file stays and the lock is free for the next transfer.
    Signal listening;
    callbacks.start = [&](uint32_t) { listening.Raise(); };
    SimulatedInstrument canceller([&] {
        if (listening.Wait(3000))
            cancel.Raise();
    });
    EXPECT_FALSE(GetJob(name, true, hooks));
    canceller.Join();
    EXPECT_TRUE(fs::is_empty(dir.file("tmp")));
    CTransferLock lock;
    EXPECT_TRUE(lock.Acquire());
}

} // namespace
