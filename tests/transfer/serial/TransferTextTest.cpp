// The wire records, the operator's instructions, the transfer log and what the transfer
// controls show.
#include "transfer/serial/TransferControls.h"
#include "transfer/serial/TransferLog.h"
#include "transfer/serial/TransferText.h"

#include "TestUtil.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using morvel::test::ReadAllText;
using morvel::test::TempDir;

TEST(TransferChecksum, RecordsGetTheirCheckCharacter)
{
    // "A,01," sums to 250: 250 % 64 = 58, + 32 = 'Z'.
    EXPECT_EQ(AppendTransferChecksum("A,01,"), "A,01,Z,\r\n");
    EXPECT_EQ(AppendTransferChecksum(TransferEndRecord), std::string("Z,") + char((90 + 44) % 64 + 32) + ",\r\n");
    EXPECT_EQ(AppendTransferChecksum(""), " ,\r\n");
    EXPECT_EQ(MakeTransferPointRecord("101,5000.000,2000.000,100.000,CP"), "G,101,5000.000,2000.000,100.000,CP,");

    // Plain ASCII always gives a character from blank to underscore.
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text += static_cast<char>(' ' + (i * 7) % 95);
        const char c = TransferCheckCharacter(text);
        ASSERT_GE(c, ' ');
        ASSERT_LE(c, '_');
    }

    // Bytes above 127 count as negative, and a negative sum keeps its sign in the remainder:
    // -(0x100 - 0xE9) = -23; -23 % 64 = -23; + 32 = 9.
    EXPECT_EQ(TransferCheckCharacter("\xE9"), '\x09');
    // -128 - 128 = -256: remainder 0, so a blank.
    EXPECT_EQ(TransferCheckCharacter("\x80\x80"), ' ');
    // -63 + 32 = -31: the byte 0xE1 goes on the wire.
    EXPECT_EQ(TransferCheckCharacter("\xC1"), '\xE1');
}

TEST(TransferInstructions, TextsPerModelGroup)
{
    std::string a;
    std::string b;
    // Models sharing a text.
    for (const auto& group : std::vector<std::vector<int>>{{0, 1, 4}, {2, 3, 5, 6}}) {
        GetUploadInstructions(a, group[0]);
        for (int model : group) {
            SCOPED_TRACE(model);
            GetUploadInstructions(b, model);
            EXPECT_EQ(a, b);
        }
    }
    GetUploadInstructions(a, 0);
    EXPECT_EQ(a, "a. Press FNC key on instrument.\nb. Press 7 key for 7. Comm.\nc. Press 2 key for 2. Upload.\n"
                 "d. Connect RS-232C cable between the instrument and the PC.\ne. Press ENT key on the instrument.\n"
                 "f. Start the upload using the communication software on the PC.\n");
    GetDownloadInstructions(a, 10);
    EXPECT_EQ(a, "a. Press MENU key on instrument.\nb. Press 4 key for 4. Comms.\nc. Press 1 key for 1. Download.\n"
                 "d. Confirm Download options, press Enter key.\ne. Prepare communication software on the PC to "
                 "receive data.\nf. Connect RS-232C cable between the instrument and the PC.\ng. To start the "
                 "download, press Enter key on the instrument.\n");
    GetDownloadInstructions(a, 7);
    EXPECT_EQ(a, "a. At instrument Main Menu, press 6 key for 6. Communications.\nb. Press 2 key for 2. Download.\n"
                 "c. Prepare communication software on the PC to receive data.\nd. Connect RS-232C cable between the "
                 "instrument and the PC.\ne. To start the download, press Enter key on the instrument.\n");
    GetUploadInstructions(a, 9);
    EXPECT_EQ(a, "a. Press MENU softkey on instrument.\nb. Press 6 key for 6. Comm.\nc. Press 1 key for 1. Upload.\n"
                 "d. Confirm Upload options, press Enter key.\ne. Connect RS-232C cable between the instrument and "
                 "the PC.\nf. Start the upload using the communication software on the PC.\n");

    // Every model 0 to 10 has both texts, each ending in a line break; 7, 8, 9 and 10 differ.
    std::vector<std::string> uploads;
    for (int model = 0; model <= 10; ++model) {
        SCOPED_TRACE(model);
        a.clear();
        b.clear();
        GetUploadInstructions(a, model);
        GetDownloadInstructions(b, model);
        ASSERT_FALSE(a.empty());
        EXPECT_EQ(a.back(), '\n');
        EXPECT_EQ(b.back(), '\n');
        EXPECT_NE(a, b);
        uploads.push_back(a);
    }
    for (int i = 7; i <= 10; ++i)
        for (int j = i + 1; j <= 10; ++j)
            EXPECT_NE(uploads[i], uploads[j]);

    // Outside the model list the text stays as it was.
    a = "kept";
    GetUploadInstructions(a, 11);
    GetDownloadInstructions(a, -1);
    EXPECT_EQ(a, "kept");
}

namespace {

class TransferLogFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetProgramDataFolderOverride(dir.path().string() + "/");
        SetTransferLogClock([] {
            SystemTime t;
            t.year = 2007;
            t.month = 3;
            t.day = 14;
            t.hour = 9;
            t.minute = 5;
            t.second = 31;
            return t;
        });
        previous = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        SetProgramDataFolderOverride("");
        SetTransferLogClock({});
        SetMessageBoxHandler(previous);
    }

    TempDir dir;
    MessageBoxHandler previous;
    std::vector<std::string> messages;
};

} // namespace

TEST_F(TransferLogFile, LinesAreAppendedOldestFirst)
{
    EXPECT_EQ(GetTransferLogPath(), dir.file("TransferLog.txt"));
    EXPECT_TRUE(WriteUploadLog(25, "/home/surveyor/Morvel Jobs/SITE1.Mvj"));
    EXPECT_TRUE(WriteDownloadLog("C:\\Jobs\\DOWN2.Mvj"));
    EXPECT_EQ(ReadAllText(GetTransferLogPath()),
              "03-14-2007 09:05:31 uploaded 25 pts from SITE1.Mvj\r\n03-14-2007 09:05:31 downloaded DOWN2.Mvj\r\n");
    EXPECT_TRUE(messages.empty());

    SystemTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 7;
    t.hour = 23;
    t.minute = 59;
    t.second = 0;
    EXPECT_EQ(FormatUploadLogLine(t, 0, "A.Mvj"), "12-07-2026 23:59:00 uploaded 0 pts from A.Mvj");
}

TEST_F(TransferLogFile, UnwritableLogIsReported)
{
    // A folder where the file should be: it exists but cannot be opened for writing.
    std::filesystem::create_directory(dir.file("TransferLog.txt"));
    EXPECT_FALSE(WriteUploadLog(3, "X.Mvj"));
    EXPECT_EQ(messages, (std::vector<std::string>{"Cannot open the log file: TransferLog.txt"}));

    messages.clear();
    SetProgramDataFolderOverride(dir.file("missing/folder") + "/");
    EXPECT_FALSE(WriteDownloadLog("X.Mvj"));
    EXPECT_EQ(messages, (std::vector<std::string>{"Cannot create the log file: TransferLog.txt"}));
}

TEST(TransferControls, SendProgress)
{
    CSendProgress progress;
    EXPECT_EQ(progress.GetTotal(), 1u);
    progress.SetTotal(300);
    progress.SetProgress(150);
    EXPECT_EQ(progress.GetPosition(), 50);
    EXPECT_EQ(progress.GetText(), "%50");
    progress.SetProgress(299);
    EXPECT_EQ(progress.GetPosition(), 99); // truncated
    progress.SetProgress(300);
    EXPECT_EQ(progress.GetText(), "%100");

    progress.SetTotal(0);
    progress.SetProgress(0);
    EXPECT_EQ(progress.GetPosition(), 0);
    progress.SetProgress(5);
    EXPECT_EQ(progress.GetPosition(), 100);

    // Large files do not overflow.
    progress.SetTotal(4000000000u);
    progress.SetProgress(3000000000u);
    EXPECT_EQ(progress.GetPosition(), 75);
}

TEST(TransferControls, ReceivedTextStopsGrowingAtTheLimit)
{
    CReceivedText text;
    text.AppendReceivedText("ABC");
    EXPECT_EQ(text.GetEndPosition(), 3u);
    text.AppendReceivedText(std::string(70000, 'x'));
    EXPECT_EQ(text.GetText().size(), CReceivedText::Limit);
    EXPECT_EQ(text.GetText().substr(0, 4), "ABCx");
    text.AppendReceivedText("more");
    EXPECT_EQ(text.GetEndPosition(), CReceivedText::Limit);
}

TEST(TransferControls, BaudList)
{
    EXPECT_EQ(SelectRate(4800), 2);
    EXPECT_EQ(SelectRate(115200), 8);
    EXPECT_EQ(SelectRate(300), 0);
    EXPECT_EQ(GetRate(-1), 4800);
    EXPECT_EQ(GetRate(9), 4800);
    EXPECT_EQ(GetRate(0), 1200);
    for (int32_t i = 0; i < static_cast<int32_t>(BaudRates.size()); ++i)
        EXPECT_EQ(SelectRate(GetRate(i)), i);
    EXPECT_EQ(FormatBaudEntry(14400), "14400");
}

TEST(TransferControls, ReplaceFileQuestions)
{
    EXPECT_EQ(FormatReplaceFileQuestion("JOB1", true),
              "The file JOB1 already exists on your PC. Do you want to replace it?");
    EXPECT_EQ(FormatReplaceFileQuestion("JOB1", false),
              "The file JOB1 already exists on the Data Collector. Do you want to delete JOB1 from the Data "
              "Collector and send a new copy of the file?");
}
