#include "TestUtil.h"
#include "core/NikonColumnCollection.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelFileDoc.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFactory.h"
#include "transfer/serial/JobUpload.h"
#include "transfer/serial/TransferLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using morvel::test::ReadAllText;
using morvel::test::TempDir;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

// What a text-mode file holds for text with CR LF line ends.
std::string Stored(std::string wire)
{
    std::string out;
    for (char c : wire) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

class JobUpload : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previousFactory = InstallRawDataFactory();
        SetProgramDataFolderOverride(dir.path().string() + "/");
        previousBox = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            questions.push_back(text);
            return answer;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHandler(previousBox);
        SetProgramDataFolderOverride("");
        SetSelectedInstrumentModelReader({});
        SetJobRawDataFactory(std::move(previousFactory));
    }

    CPointRecord* Add(CMorvelFileDoc& doc, const char* name, double n, double e, double z, const char* desc = "",
                      bool selected = true)
    {
        auto* point = new CPointRecord(name, desc, CLocation(e, n, z), true);
        EXPECT_TRUE(doc.AddRecord(point));
        doc.GetCurrentSelection()->SetSelected(point, selected);
        return point;
    }

    // Sends with the model selected, keeping what reached the sender.
    SendJobResult Send(CMorvelFileDoc& doc, int32_t model)
    {
        SetSelectedInstrumentModelReader([model] { return model; });
        CNikonColumnCollection columns;
        return SendJob(doc, model, columns, [this](const std::string& path, bool byLines) {
            sentPath = path;
            sentByLines = byLines;
            sent = ReadAllText(path);
            return sendWorks;
        });
    }

    JobRawDataFactory previousFactory;
    MessageBoxHandler previousBox;
    TempDir dir;
    std::vector<std::string> questions;
    int answer = IDOK;
    bool sendWorks = true;
    std::string sent;
    std::string sentPath;
    bool sentByLines = false;
};

TEST_F(JobUpload, RecordModelAsksAboutAlphanumericNamesAndSendsRecords)
{
    CMorvelFileDoc doc;
    doc.GetDocSettings()->SetDistanceUnit(0);
    Add(doc, "1", 1000, 2000, 10);
    Add(doc, "2", 1100, 2100, 11);
    Add(doc, "A7", 1, 2, 3);
    Add(doc, "3", 5, 5, 5, "", false);

    EXPECT_EQ(Send(doc, 1), SendJobResult::Sent);
    EXPECT_THAT(questions, ElementsAre("Some points in the selection will not be sent to the total station "
                                       "because they use alphanumeric point names.\nDo you want to continue?"));
    EXPECT_EQ(sent, Stored("A,01,Z,\r\nG,1,1000.000,2000.000,10.000,,>,\r\nG,2,1100.000,2100.000,11.000,,B,\r\n"
                           "Z,&,\r\n"));
    EXPECT_TRUE(sentByLines);
    EXPECT_FALSE(std::filesystem::exists(sentPath)) << "the upload file is removed after sending";
    EXPECT_THAT(ReadAllText(GetTransferLogPath()), HasSubstr("uploaded 2 pts"));

    // Cancel at the question sends nothing and logs nothing more.
    answer = IDCANCEL;
    sent.clear();
    EXPECT_EQ(Send(doc, 1), SendJobResult::Declined);
    EXPECT_TRUE(sent.empty());
}

TEST_F(JobUpload, ColumnModelsSendLinesInTheJobsUnit)
{
    struct Case
    {
        const char* name;
        int32_t unit;
        const char* description;
        std::string expected;
    };
    const Case cases[] = {
        {"metres", 0, "CP", "101,5000.0000000,2000.0000000,100.0000000,CP\r\n"},
        {"US survey feet, below the datum", 2, "CP", "101,3280.8333333,6561.6666667,-328.0833333,CP\r\n"},
        // A comma would move every later column on the instrument.
        {"comma in description", 0, "A,B", "101,5000.0000000,2000.0000000,100.0000000,A B\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMorvelFileDoc doc;
        doc.GetDocSettings()->SetDistanceUnit(c.unit);
        if (c.unit == 2)
            Add(doc, "101", 1000, 2000, -100, c.description);
        else
            Add(doc, "101", 5000, 2000, 100, c.description);
        questions.clear();
        EXPECT_EQ(Send(doc, 5), SendJobResult::Sent);
        EXPECT_TRUE(questions.empty());
        EXPECT_EQ(sent, c.expected);
        EXPECT_FALSE(sentByLines);
    }
}

TEST_F(JobUpload, RefusedSelectionsAndFailedSends)
{
    CMorvelFileDoc doc;
    doc.GetDocSettings()->SetDistanceUnit(0);
    EXPECT_EQ(Send(doc, 5), SendJobResult::NothingSelected);

    Add(doc, "ABCDEFGHIJKLM", 1, 2, 3);
    EXPECT_EQ(Send(doc, 5), SendJobResult::Sent);
    EXPECT_THAT(questions, ElementsAre(HasSubstr("because they use point names longer than 12.\n")));
    EXPECT_EQ(sent, "") << "the long name is left out";

    // Nothing passes model 1's rules: header and end records only.
    questions.clear();
    EXPECT_EQ(Send(doc, 1), SendJobResult::Sent);
    EXPECT_EQ(sent, Stored("A,01,Z,\r\nZ,&,\r\n"));
    EXPECT_THAT(ReadAllText(GetTransferLogPath()), HasSubstr("uploaded 0 pts"));

    sendWorks = false;
    EXPECT_EQ(Send(doc, 1), SendJobResult::SendFailed);
    EXPECT_FALSE(std::filesystem::exists(sentPath));
}

} // namespace
