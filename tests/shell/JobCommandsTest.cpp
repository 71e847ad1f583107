#include "TestUtil.h"
#include "model/TestJobDoc.h"

#include "core/PathHelpers.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "shell/JobCommandRules.h"
#include "shell/SaveJobAs.h"

#include <gtest/gtest.h>

#include <deque>

using namespace morvel::test;

namespace {

// A job whose raw data file cannot be written, as on a full disk.
class FailingRawJob : public CMorvelFileDoc
{
public:
    bool WriteRawData(const std::string&, bool) override { return false; }
};

class ScriptedHost : public CSaveJobAsHost
{
public:
    CMorvelFileDoc* job = nullptr;
    bool temporary = false;
    std::string chosen;
    int answer = IDOK;
    std::vector<std::string> opened;
    int temporaryDeleted = 0;

    CMorvelFileDoc* GetActiveJob() override { return job; }
    bool HasTemporaryJob() override { return temporary; }
    int PromptFileName(std::string& path) override
    {
        suggested = path;
        path = chosen;
        return answer;
    }
    bool OpenJob(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    void DeleteTemporaryJob() override { ++temporaryDeleted; }
    std::string suggested;
};

class MessageScript
{
public:
    MessageScript()
    {
        m_previous = SetMessageBoxHandler([this](const std::string& text, uint32_t flags) {
            texts.push_back(text);
            if (answers.empty())
                return DefaultMessageBoxButton(flags);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    ~MessageScript() { SetMessageBoxHandler(std::move(m_previous)); }
    std::vector<std::string> texts;
    std::deque<int> answers;

private:
    MessageBoxHandler m_previous;
};

void AddPoints(CDataFileDoc& doc, int count)
{
    for (int i = 1; i <= count; ++i) {
        auto* point = new CPointRecord(("P" + std::to_string(i)).c_str(), "", CLocation(100.0 + i, 200.0 + i, 1.0), true);
        if (!doc.AddRecord(point))
            delete point;
    }
}

class SaveJobAsFiles : public ::testing::Test
{
protected:
    FakeRawDataFactoryScope raw;
    FakeDocShell shell;
    MessageScript messages;
    TempDir dir;
};

} // namespace

TEST_F(SaveJobAsFiles, FailingRawWriterLeavesTheFilesAtTheChosenNamesAsTheyWere)
{
    const std::string newJob = dir.file("NEW.Mvj");
    const std::string newRaw = dir.file("NEW.Mvr");
    WriteAllText(newJob, "an older job the surveyor still needs");
    WriteAllText(newRaw, "CO,older raw data\r\n");
    const auto jobBefore = ReadAllBytes(newJob);
    const auto rawBefore = ReadAllBytes(newRaw);

    FailingRawJob job;
    job.SetPathName(dir.file("OLD.Mvj"), false);
    AddPoints(job, 3);
    job.SetModifiedWithText("edited", true, true);
    ScriptedHost host;
    host.job = &job;
    host.chosen = newJob;
    int result = 0;

    EXPECT_FALSE(SaveJobAs(host, &result));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadAllBytes(newJob), jobBefore);
    EXPECT_EQ(ReadAllBytes(newRaw), rawBefore);
    EXPECT_TRUE(job.IsModified());
    EXPECT_TRUE(host.opened.empty());
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("NEW.Mvj"), std::string::npos);
    EXPECT_NE(messages.texts[0].find("raw data file could not be written"), std::string::npos);
}

TEST_F(SaveJobAsFiles, SameNameInAnotherCaseClearsTheFlagAndReopensWithoutAsking)
{
    CMorvelFileDoc job;
    job.SetPathName(dir.file("Site.Mvj"), false);
    AddPoints(job, 2);
    job.SetModifiedWithText("Added Point 'P2'", true, true);
    const size_t history = job.GetHistoryList().size();
    ScriptedHost host;
    host.job = &job;
    host.chosen = dir.file("SITE.MVJ");

    EXPECT_TRUE(SaveJobAs(host, nullptr));
    EXPECT_EQ(host.suggested, "Site");
    EXPECT_FALSE(job.IsModified());
    EXPECT_EQ(job.GetHistoryList().size(), history);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(host.opened, std::vector<std::string>{dir.file("SITE.MVJ")});
    EXPECT_EQ(host.temporaryDeleted, 1);
}

TEST_F(SaveJobAsFiles, AnotherNameAsksBeforeLoadingAndKeepsTheJobAsItWas)
{
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        CMorvelFileDoc job;
        job.SetPathName(dir.file("Site.Mvj"), false);
        AddPoints(job, 2);
        job.SetModifiedWithText("edited", true, true);
        ScriptedHost host;
        host.job = &job;
        host.chosen = dir.file("Copy.Mvj");
        messages.texts.clear();
        messages.answers = {answer};

        EXPECT_TRUE(SaveJobAs(host, nullptr));
        EXPECT_EQ(messages.texts, std::vector<std::string>{"Load 'Copy.Mvj' now?"});
        EXPECT_TRUE(job.IsModified());
        EXPECT_TRUE(FileExists(dir.file("Copy.Mvj")));
        EXPECT_TRUE(FileExists(dir.file("Copy.Mvr")));
        EXPECT_EQ(host.opened.size(), answer == IDYES ? 1u : 0u);
    }
}

TEST_F(SaveJobAsFiles, CancelAndNoJob)
{
    ScriptedHost host;
    int result = 0;
    EXPECT_FALSE(SaveJobAs(host, &result));
    EXPECT_EQ(result, -1);

    CMorvelFileDoc job;
    host.job = &job;
    host.temporary = true;
    host.answer = IDCANCEL;
    EXPECT_TRUE(SaveJobAs(host, &result));
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(host.suggested, "");
}

TEST(PageMargins, TwipsGoThroughThousandthsOnMultiplesOfTen)
{
    const struct
    {
        int32_t twips, thousandths, back;
    } cases[] = {{1440, 1000, 1440}, {1000, 690, 994}, {1134, 790, 1138}, {567, 390, 562}, {0, 0, 0}, {-1134, -790, -1138}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twips);
        EXPECT_EQ(MarginTwipsToThousandths(c.twips), c.thousandths);
        EXPECT_EQ(MarginThousandthsToTwips(c.thousandths), c.back);
    }
    EXPECT_EQ(RoundMarginToTen(995), 1000);
    EXPECT_EQ(RoundMarginToTen(994), 990);
    EXPECT_EQ(RoundMarginToTen(-5), -10);
    EXPECT_EQ(GetPrintMargins({1400, 1440, 1440, 1440}), (ProfileRect{970, 1000, 1000, 1000}));
}

TEST(PageMargins, OnlyMillimetresThePersonChangedAreConverted)
{
    EXPECT_EQ(ThousandthsToMillimetres(1000), 25);
    EXPECT_EQ(MarginFromDialog(1000, 25, 25), 1000);
    EXPECT_EQ(MarginFromDialog(1000, 25, 20), 787);
}

TEST(UndoMenuText, DescriptionFollowsWhenThereIsOne)
{
    const struct
    {
        bool redo, possible;
        const char* description;
        const char* text;
    } cases[] = {{false, true, "Add point 12", "&Undo Add point 12\tCtrl+Z"},
                 {false, true, "", "&Undo\tCtrl+Z"},
                 {false, false, "stale", "&Undo\tCtrl+Z"},
                 {true, true, "Delete points", "&Redo Delete points\tCtrl+Y"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const UndoMenuText menu = MakeUndoMenuText(c.redo, c.possible, c.description);
        EXPECT_EQ(menu.text, c.text);
        EXPECT_EQ(menu.enabled, c.possible);
    }
    EXPECT_EQ(MakeLastModifiedTitle("/jobs/North Field.Mvj"), "Recent changes to North Field");
}
