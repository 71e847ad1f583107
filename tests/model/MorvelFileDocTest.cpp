#include "TestJobDoc.h"
#include "TestUtil.h"

#include "FakeStatusBarHost.h"
#include "FakeView.h"
#include "core/LittleEndian.h"
#include "core/PathHelpers.h"
#include "core/PointName.h"
#include "model/HintCodes.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/FrameRefreshLock.h"
#include "model/Interested.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/TransferLock.h"
#include "platform/ActiveJobHooks.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"

#include <gmock/gmock.h>
#include <algorithm>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

using namespace morvel::test;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::MatchesRegex;

namespace fs = std::filesystem;

namespace {

// Records every message box and answers with the scripted buttons, then with the default one.
class MessageLog
{
public:
    MessageLog()
    {
        m_previous = SetMessageBoxHandler([this](const std::string& text, uint32_t flags) {
            texts.push_back(text);
            if (!answers.empty()) {
                const int answer = answers.front();
                answers.erase(answers.begin());
                return answer;
            }
            return DefaultMessageBoxButton(flags);
        });
    }
    ~MessageLog() { SetMessageBoxHandler(std::move(m_previous)); }

    std::vector<std::string> texts;
    std::vector<int> answers;

private:
    MessageBoxHandler m_previous;
};

// The temporary-job hook for the length of a test.
class TemporaryJobScope
{
public:
    explicit TemporaryJobScope(bool temporary)
    {
        ActiveJobHooks hooks = GetActiveJobHooks();
        m_previous = hooks;
        hooks.hasTemporaryJob = [temporary] { return temporary; };
        SetActiveJobHooks(std::move(hooks));
    }
    ~TemporaryJobScope() { SetActiveJobHooks(std::move(m_previous)); }

private:
    ActiveJobHooks m_previous;
};

// A shell that also answers the save-as name, the regeneration options and the regeneration post.
class DocumentShell : public FakeDocShell
{
public:
    bool DoPromptFileName(std::string& name, const std::string& title) override
    {
        proposed.push_back(name);
        titles.push_back(title);
        if (chosen.empty())
            return false;
        name = chosen;
        return true;
    }
    int RunRegenerationOptions(bool& ignoreStorePoints, bool& ignoreDeleted) override
    {
        ignoreStorePoints = optionStore;
        ignoreDeleted = optionDeleted;
        return optionsAnswer;
    }
    void PostRegenerateCoordinates(CView*, uint32_t options) override { posted.push_back(options); }

    std::string chosen;
    std::vector<std::string> proposed;
    std::vector<std::string> titles;
    int optionsAnswer = IDCANCEL;
    bool optionStore = false;
    bool optionDeleted = false;
    std::vector<uint32_t> posted;
};

// The change hints that reach the program's interested objects.
class HintRecorder : public CInterested
{
public:
    void OnNotify(void*, int32_t code, intptr_t) override { codes.push_back(code); }
    std::vector<int32_t> codes;
};

std::vector<std::string> PointNames(CDataFileDoc& doc)
{
    std::vector<std::string> names;
    CPointDatabase* points = doc.GetPointDatabase();
    for (RedBlackNode* pos = points->GetFirstPosition(); pos != nullptr;)
        names.emplace_back(points->GetNextPoint(pos)->GetName());
    return names;
}

CPointRecord* AddPoint(CDataFileDoc& doc, const char* name, double e, double n, double z = NoValue,
                       const char* description = "")
{
    auto* p = new CPointRecord(name, description, CLocation(e, n, z), true);
    if (doc.AddRecord(p))
        return p;
    delete p;
    return nullptr;
}

std::vector<std::string> FolderContents(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Delivered(CDataFileDoc& doc, std::vector<std::string>& log)
{
    doc.SendHint(nullptr, HintFlush, 0);
    std::vector<std::string> out;
    out.swap(log);
    return out;
}

std::string Stamped(const std::string& text)
{
    return "[0-9][0-9]-[0-9][0-9]-[0-9][0-9][0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9] " + text;
}

// A job with three points and some raw lines, saved at path.
void SaveSampleJob(const std::string& path)
{
    CMorvelFileDoc doc;
    AddPoint(doc, "P1", 1000.25, 2000.5, 10.125, "fence");
    AddPoint(doc, "P2", 1010, 2010);
    AddPoint(doc, "B7", -5, -6, 0);
    FakeRawOf(doc)->lines = {"CO,Morvel RAW data format V2.00", "MP,P1,2000.500,1000.250,10.125,fence"};
    doc.GetDocSettings()->SetDistanceUnit(0);
    ASSERT_TRUE(doc.OnSaveDocument(path));
}

// The sample job saved in a folder of its own, with the raw data and the shell faked.
class SavedSampleJob : public ::testing::Test
{
protected:
    void SetUp() override { SaveSampleJob(path); }

    FakeRawDataFactoryScope raw;
    DocumentShell shell;
    TempDir dir;
    const std::string path = dir.file("job.Mvj");
};
using JobDocumentClosing = SavedSampleJob;
using JobDocumentReload = SavedSampleJob;

} // namespace

TEST(JobDocumentFiles, SaveAndOpenRoundTripPointsSettingsAndRawLines)
{
    FakeRawDataFactoryScope raw;
    FakeDocShell shell;
    TempDir dir;
    const std::string path = dir.file("survey.Mvj");
    {
        CMorvelFileDoc doc;
        std::vector<std::string> log;
        FakeView view(&log);
        doc.AddView(&view);
        AddPoint(doc, "P1", 1000.25, 2000.5, 10.125, "fence");
        AddPoint(doc, "P2", 1010, 2010);
        FakeRawOf(doc)->lines = {"CO,Morvel RAW data format V2.00", "SS,1,2,3"};
        doc.GetDocSettings()->SetDistanceUnit(2);
        Delivered(doc, log);

        HintRecorder heard;
        FsyncLog flushes;
        ASSERT_TRUE(doc.OnSaveDocument(path));
        // Both files reach the disk before they replace the old ones, and their names after.
        EXPECT_TRUE(flushes.FlushedThenPlaced(path));
        EXPECT_TRUE(flushes.FlushedThenPlaced(dir.file("survey.Mvr")));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Saved Job")));
        EXPECT_THAT(heard.codes, Contains(26));
        // Nothing is left beside the two files.
        EXPECT_THAT(FolderContents(dir.path()), ElementsAre("survey.Mvj", "survey.Mvr"));
        EXPECT_EQ(ReadAllText(dir.file("survey.Mvr")), "CO,Morvel RAW data format V2.00\nSS,1,2,3\n");
        // New files get the permissions any new file gets; a saved file keeps its own.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        EXPECT_EQ(fs::status(path).permissions(), fs::perms(0666 & ~mask));
        ::chmod(path.c_str(), 0640);
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
        doc.RemoveView(&view);
    }

    CMorvelFileDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_THAT(PointNames(doc), ElementsAre("P1", "P2"));
    const CPointRecord* p1 = doc.GetPointDatabase()->FindPoint("P1", true);
    EXPECT_DOUBLE_EQ(p1->GetEasting(), 1000.25);
    EXPECT_DOUBLE_EQ(p1->GetNorthing(), 2000.5);
    EXPECT_DOUBLE_EQ(p1->GetElevation(), 10.125);
    EXPECT_STREQ(p1->GetDescription(), "fence");
    EXPECT_LE(doc.GetPointDatabase()->FindPoint("P2", true)->GetElevation(), NoValueLimit);
    EXPECT_EQ(doc.GetDocSettings()->GetSurveyUnits(), 2);
    EXPECT_THAT(FakeRawOf(doc)->lines, ElementsAre("CO,Morvel RAW data format V2.00", "SS,1,2,3"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetSortedIndex()->GetCount(), 2);
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Opened survey.Mvj")));
    const auto hints = Delivered(doc, log);
    EXPECT_THAT(hints, Contains("V32"));
    EXPECT_THAT(hints, Contains("V33"));
    EXPECT_THAT(hints, Contains("V47"));
    EXPECT_THAT(hints, Contains("V19"));
    EXPECT_EQ(doc.GetJobFileName(), "survey.Mvj");
    EXPECT_EQ(doc.GetRawDataFileName(), "survey.Mvr");
    doc.RemoveView(&view);
}

TEST(JobDocumentFiles, AFailedSaveLeavesBothFilesAndTheModifiedFlag)
{
    FakeRawDataFactoryScope raw;
    TempDir dir;
    const std::string path = dir.file("job.Mvj");
    const std::string rawPath = dir.file("job.Mvr");
    // The job's raw file is a real instrument download.
    fs::copy_file(SharedTestDataPath("tops_nikon_raw_v200.raw"), rawPath);
    {
        CMorvelFileDoc writer;
        AddPoint(writer, "1", 0, 0, 0, "ST");
        ASSERT_TRUE(writer.SaveJobTo(path, false));
    }
    CMorvelFileDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    const std::string download = ReadAllText(rawPath);
    EXPECT_EQ(FakeRawOf(doc)->lines.size(), size_t(std::count(download.begin(), download.end(), '\n')));
    const auto jobBefore = ReadAllBytes(path);
    const auto rawBefore = ReadAllBytes(rawPath);
    AddPoint(doc, "2", 5, 5);
    const size_t history = doc.GetHistoryList().size();

    // The raw data cannot be written.
    FakeRawOf(doc)->refuseSave = true;
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadAllBytes(path), jobBefore);
    EXPECT_EQ(ReadAllBytes(rawPath), rawBefore);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetHistoryList().size(), history);
    EXPECT_THAT(FolderContents(dir.path()), ElementsAre("job.Mvj", "job.Mvr"));

    // The raw file's place is taken: the job file is written, then put back.
    FakeRawOf(doc)->refuseSave = false;
    fs::remove(rawPath);
    fs::create_directory(rawPath);
    fs::create_directory(fs::path(rawPath) / "inside");
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadAllBytes(path), jobBefore);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_THAT(FolderContents(dir.path()), ElementsAre("job.Mvj", "job.Mvr"));
}

TEST(JobDocumentFiles, OpenRefusesOtherFilesAndGeneratesMissingRawData)
{
    FakeRawDataFactoryScope raw;
    TempDir dir;
    MessageLog messages;
    {
        CMorvelFileDoc doc;
        EXPECT_FALSE(doc.OnOpenDocument(dir.file("points.txt")));
        EXPECT_FALSE(doc.OnOpenDocument(dir.file("missing.Mvj")));
        WriteAllText(dir.file("short.Mvj"), "not a job");
        EXPECT_FALSE(doc.OnOpenDocument(dir.file("short.Mvj")));
    }
    EXPECT_THAT(messages.texts, ElementsAre(dir.file("points.txt") + " does not appear to be a valid file.",
                                            "Unable to open \"missing.Mvj\".", "Unable to open \"short.Mvj\"."));
    messages.texts.clear();

    SaveSampleJob(dir.file("job.Mvj"));
    fs::remove(dir.file("job.Mvr"));
    {
        CMorvelFileDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(dir.file("job.Mvj")));
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_THAT(messages.texts[0], HasSubstr("unable to open raw data for this job.  Default raw data"));
        EXPECT_TRUE(doc.IsModified());
        EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Generated default raw data")));
        EXPECT_THAT(FakeRawOf(doc)->lines, Contains(HasSubstr("MP,B7")));
    }
    messages.texts.clear();
    {
        TemporaryJobScope temporary(true);
        CMorvelFileDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(dir.file("job.Mvj")));
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_THAT(doc.GetHistoryList().front(), MatchesRegex(Stamped("Opened Untitled")));
    }
}

TEST(JobDocumentFiles, DuplicateAndInvalidNamesAreDroppedWithAMessage)
{
    FakeRawDataFactoryScope raw;
    TempDir dir;
    const std::string path = dir.file("dups.Mvj");
    {
        CMorvelFile file;
        ASSERT_TRUE(file.Create(path.c_str()));
        for (const char* name : {"P1", "p1", "000", "P2", "bad name"})
            ASSERT_TRUE(file.WritePoint(JobFilePoint{name, "", 1, 2, NoValue}));
        const uint8_t other[12] = {};
        ASSERT_TRUE(file.WriteRecord(other, 5, sizeof other));
        ASSERT_TRUE(file.Close());
    }
    WriteAllText(dir.file("dups.Mvr"), "CO,x\n");
    MessageLog messages;
    CMorvelFileDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_THAT(PointNames(doc), ElementsAre("P1", "P2"));
    EXPECT_EQ(doc.GetDroppedPointCount(), 3);
    // One message names every refused point and why, and says a save leaves them out.
    const std::string summary = "3 points were not loaded from dups.Mvj; saving the job leaves them out of the file.";
    EXPECT_THAT(messages.texts, ElementsAre(summary + "\np1: the name is used by the earlier point P1"
                                                      "\n000: the name is not a valid point name"
                                                      "\nbad name: the name is not a valid point name"));
    EXPECT_THAT(doc.GetHistoryList(), Contains(MatchesRegex(Stamped(summary))));
    EXPECT_FALSE(doc.IsModified());
}

// Points come in the file's order: rising runs, broken by smaller names and duplicates. Every kept
// point is found by name, the names walk in natural order and the grid keeps the file's order.
TEST(JobDocumentFiles, OpenedPointsAreFoundByNameAndGridInFileOrder)
{
    std::vector<std::string> rising;
    for (int i = 1; i <= 300; ++i)
        rising.push_back(std::to_string(i));
    const struct
    {
        std::vector<std::string> file;
        std::vector<std::string> kept;
    } cases[] = {
        {rising, rising},
        {{"5", "6", "7", "1", "8", "9", "3", "10", "P1", "p1", "2", "11"},
         {"5", "6", "7", "1", "8", "9", "3", "10", "P1", "2", "11"}},
        {{"9", "8", "7", "10", "11", "12", "13", "14", "1", "08"}, {"9", "8", "7", "10", "11", "12", "13", "14", "1"}},
    };
    FakeRawDataFactoryScope raw;
    MessageLog messages;
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("order.Mvj");
        {
            CMorvelFile file;
            ASSERT_TRUE(file.Create(path.c_str()));
            for (const std::string& name : c.file)
                ASSERT_TRUE(file.WritePoint(JobFilePoint{name, "", 1, 2, NoValue}));
            ASSERT_TRUE(file.Close());
        }
        WriteAllText(dir.file("order.Mvr"), "CO,x\n");
        CMorvelFileDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        std::vector<std::string> sorted = c.kept;
        std::sort(sorted.begin(), sorted.end(),
                  [](const std::string& a, const std::string& b) { return ComparePointNames(a.c_str(), b.c_str()) < 0; });
        EXPECT_EQ(PointNames(doc), sorted);
        std::vector<std::string> rows;
        for (int32_t row = 0; row < doc.GetSortedIndex()->GetCount(); ++row)
            rows.emplace_back(static_cast<CPointRecord*>(doc.GetSortedIndex()->GetAt(row))->GetName());
        EXPECT_EQ(rows, c.kept);
        for (const std::string& name : c.kept) {
            const CPointRecord* point = doc.GetPointDatabase()->FindPoint(name, true);
            ASSERT_NE(point, nullptr) << name;
            EXPECT_EQ(point->GetName(), name);
        }
    }
}

TEST(JobDocumentFiles, ManyRefusedPointsAreNamedUpToALimit)
{
    FakeRawDataFactoryScope raw;
    TempDir dir;
    const std::string path = dir.file("many.Mvj");
    {
        CMorvelFile file;
        ASSERT_TRUE(file.Create(path.c_str()));
        for (int i = 0; i < 25; ++i)
            ASSERT_TRUE(file.WritePoint(JobFilePoint{"A", "", 1, 2, NoValue}));
        ASSERT_TRUE(file.Close());
    }
    WriteAllText(dir.file("many.Mvr"), "CO,x\n");
    MessageLog messages;
    CMorvelFileDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_EQ(messages.texts.size(), 1u);
    const std::string& text = messages.texts[0];
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
    EXPECT_THAT(text, testing::StartsWith("24 points were not loaded from many.Mvj;"));
    EXPECT_THAT(text, testing::EndsWith("\nA: the name is used by the earlier point A\n... and 4 more."));
}

TEST(JobDocumentFiles, ProgressNeverShowsANegativePercentage)
{
    FakeRawDataFactoryScope raw;
    FakeStatusBarHost host;
    TempDir dir;
    const std::string path = dir.file("other.Mvj");
    {
        // Records of another kind only: no point record to count the percentage by.
        CMorvelFile file;
        ASSERT_TRUE(file.Create(path.c_str()));
        const uint8_t other[4] = {};
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(file.WriteRecord(other, 5, sizeof other));
        ASSERT_TRUE(file.Close());
    }
    CMorvelFileDoc reader;
    ASSERT_TRUE(reader.OpenJobFile(path, *std::make_unique<bool>().get()));
    EXPECT_THAT(host.Take(), testing::Not(Contains(HasSubstr("pos:-"))));

    // A new job has read nothing: the writer counts what it writes.
    CMorvelFileDoc writer;
    for (int i = 1; i <= 10; ++i)
        AddPoint(writer, std::to_string(i).c_str(), i, i);
    host.Take();
    ASSERT_TRUE(writer.SaveJobTo(dir.file("ten.Mvj"), false));
    const auto calls = host.Take();
    EXPECT_THAT(calls, Contains("text:Saving ten.Mvj"));
    EXPECT_THAT(calls, Contains("pos:100"));
    EXPECT_THAT(calls, testing::Not(Contains(HasSubstr("pos:-"))));
}

TEST(JobDocumentFiles, SaveAsAndReadOnlyFiles)
{
    FakeRawDataFactoryScope raw;
    DocumentShell shell;
    MessageLog messages;
    TempDir dir;

    CMorvelFileDoc doc;
    doc.SetTitle("my job#2");
    AddPoint(doc, "1", 1, 1);
    // The name proposed comes from the title; cancelling saves nothing.
    EXPECT_FALSE(doc.DoSave("", true));
    EXPECT_THAT(shell.proposed, ElementsAre("my.Mvj"));
    EXPECT_THAT(shell.titles, ElementsAre("Save As"));
    EXPECT_TRUE(FolderContents(dir.path()).empty());

    // A save-as that fails leaves a file already at the chosen name alone.
    shell.chosen = dir.file("taken.Mvj");
    WriteAllText(shell.chosen, "someone else's file");
    FakeRawOf(doc)->refuseSave = true;
    EXPECT_FALSE(doc.DoSave("", true));
    EXPECT_EQ(ReadAllText(shell.chosen), "someone else's file");
    EXPECT_TRUE(doc.GetPathName().empty());

    FakeRawOf(doc)->refuseSave = false;
    shell.chosen = dir.file("mine.Mvj");
    {
        FsyncLog flushes;
        EXPECT_TRUE(doc.DoSave("", true));
        EXPECT_TRUE(flushes.FlushedThenPlaced(shell.chosen));
        EXPECT_TRUE(flushes.FlushedThenPlaced(dir.file("mine.Mvr")));
    }
    EXPECT_EQ(doc.GetPathName(), shell.chosen);
    EXPECT_TRUE(FileExists(dir.file("mine.Mvr")));

    // Read-only: No keeps it; Yes makes it writable and saves.
    AddPoint(doc, "2", 2, 2);
    ::chmod(shell.chosen.c_str(), 0444);
    messages.answers = {IDNO};
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_THAT(messages.texts, ElementsAre("mine.Mvj is Read-Only. Make writable?"));
    EXPECT_TRUE(doc.IsModified());
    messages.answers = {IDYES};
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_FALSE(doc.IsModified());
    CMorvelFileDoc check;
    ASSERT_TRUE(check.OnOpenDocument(shell.chosen));
    EXPECT_THAT(PointNames(check), ElementsAre("1", "2"));
}

TEST(JobDocumentFiles, TheCreationTimeOutlivesEverySave)
{
    FakeRawDataFactoryScope raw;
    DocumentShell shell;
    TempDir dir;
    const std::string path = dir.file("old.Mvj");
    auto createdIn = [](const std::string& file) {
        SystemTime t;
        t.Load(ReadAllBytes(file).data() + 4);
        return std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second};
    };
    const std::vector<int> longAgo{2019, 3, 4, 5, 6, 7};
    {
        CMorvelFileDoc writer;
        AddPoint(writer, "1", 1, 1);
        ASSERT_TRUE(writer.OnSaveDocument(path));
        // A job made years ago.
        auto bytes = ReadAllBytes(path);
        SystemTime t;
        t.year = 2019, t.month = 3, t.day = 4, t.hour = 5, t.minute = 6, t.second = 7;
        t.Store(bytes.data() + 4);
        WriteAllBytes(path, bytes);
    }
    CMorvelFileDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    AddPoint(doc, "2", 2, 2);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(createdIn(path), longAgo);
    shell.chosen = dir.file("copy.Mvj");
    ASSERT_TRUE(doc.DoSave("", true));
    EXPECT_EQ(createdIn(shell.chosen), longAgo);
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_EQ(createdIn(shell.chosen), longAgo);
}

TEST(JobDocumentFiles, SaveModifiedMarksAVanishedJobFile)
{
    FakeRawDataFactoryScope raw;
    DocumentShell shell;
    shell.answer = IDNO;
    TempDir dir;
    SaveSampleJob(dir.file("job.Mvj"));
    CMorvelFileDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.file("job.Mvj")));
    fs::remove(dir.file("job.Mvj"));
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(shell.prompts.size(), 1u);
    EXPECT_THAT(doc.GetHistoryList(), Contains(MatchesRegex(Stamped("Job file not found"))));

    // A job never saved has no file to miss.
    CMorvelFileDoc fresh;
    EXPECT_TRUE(fresh.SaveModified());
    EXPECT_EQ(shell.prompts.size(), 1u);
}

// Saving at closing: a write that fails must be told, not only logged, and the job stays open;
// a save the person declines says nothing more.
TEST_F(JobDocumentClosing, AFailedSaveIsToldAndKeepsTheJob)
{
    MessageLog messages;
    CMorvelFileDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    AddPoint(doc, "4", 1, 2);
    const auto jobBefore = ReadAllBytes(path);
    shell.answer = IDYES;

    // The raw data writer fails.
    FakeRawOf(doc)->refuseSave = true;
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_THAT(messages.texts, ElementsAre("The job could not be saved as '" + path +
                                            "'.\n\nThe raw data file could not be written.\n\n"
                                            "The job stays open with its changes."));
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("File Save FAILED")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadAllBytes(path), jobBefore);
    EXPECT_THAT(FolderContents(dir.path()), ElementsAre("job.Mvj", "job.Mvr"));

    // The raw file's place is taken by a folder: the reason the system gives is passed on.
    FakeRawOf(doc)->refuseSave = false;
    const std::string rawPath = dir.file("job.Mvr");
    fs::remove(rawPath);
    fs::create_directories(fs::path(rawPath) / "inside");
    messages.texts.clear();
    EXPECT_FALSE(doc.SaveModified());
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_THAT(messages.texts[0], HasSubstr("The raw data file " + rawPath + " could not be replaced.\n" +
                                             std::strerror(EISDIR)));
    EXPECT_EQ(ReadAllBytes(path), jobBefore);
    EXPECT_TRUE(doc.IsModified());

    // Declining to make a read-only job writable is no failure to report.
    fs::remove_all(rawPath);
    ::chmod(path.c_str(), 0444);
    messages.texts.clear();
    messages.answers = {IDNO};
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_THAT(messages.texts, ElementsAre("job.Mvj is Read-Only. Make writable?"));

    // Once the write can succeed, the same closing saves.
    messages.texts.clear();
    messages.answers = {IDYES};
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_THAT(messages.texts, ElementsAre("job.Mvj is Read-Only. Make writable?"));

    // A folder that takes no new file says so in plain words first; nothing on disk changes.
    AddPoint(doc, "5", 3, 4);
    const auto savedJob = ReadAllBytes(path);
    RunUnprivileged(dir.path(), [&] {
        ::chmod(dir.path().c_str(), 0500);
        messages.texts.clear();
        EXPECT_FALSE(doc.SaveModified());
        ::chmod(dir.path().c_str(), 0700);
        EXPECT_THAT(messages.texts,
                    ElementsAre("The job could not be saved in " + dir.path().string() + ": permission denied.",
                                HasSubstr("No file can be created in the folder")));
        EXPECT_EQ(ReadAllBytes(path), savedJob);
        EXPECT_THAT(FolderContents(dir.path()), ElementsAre("job.Mvj", "job.Mvr"));
        EXPECT_TRUE(doc.IsModified());
    });

    // The files are staged but cannot be written whole: no file may grow past 64 bytes.
    morvel::test::RunWithFileSizeLimit(64, [&] {
        messages.texts.clear();
        EXPECT_FALSE(doc.SaveModified());
        EXPECT_THAT(messages.texts, ElementsAre(HasSubstr(std::strerror(EFBIG))));
        EXPECT_TRUE(doc.IsModified());
    });
    EXPECT_EQ(ReadAllBytes(path), savedJob);
    EXPECT_THAT(FolderContents(dir.path()), ElementsAre("job.Mvj", "job.Mvr"));

}

// A memory stick takes no hard link, may have no room left for a copy, and may refuse a rename:
// whatever it refuses, the job file on disk sits beside the raw data written with it, or the
// message says where the old job file is.
TEST(JobDocumentFiles, ASaveOnAStickThatRefusesKeepsTheJobAndItsRawDataTogether)
{
    using Rule = morvel::test::RefusingFileSystem::RenameRule;
    // Where the old job is after a failed save: back in place, or kept aside with the new job or
    // nothing in its place.
    enum Left { OldInPlace, NewBesideOldRaw, NoneInPlace };
    struct Row {
        const char* refused;
        bool links, copies, rawRename, aside;
        Rule ontoJob; // renames onto the job's path
        const char* told; // nullptr: the save succeeds
        Left left = OldInPlace;
    };
    const Rule none {0, 0};
    const Row rows[] = {
        {"link", true, false, false, false, none, nullptr},
        {"link, raw rename", true, false, true, false, none, "The raw data file "},
        {"link, copy", true, true, false, false, none, nullptr},
        {"link, copy, raw rename", true, true, true, false, none, "The raw data file "},
        {"link, copy, raw rename, put back", true, true, true, false, {1, -1},
         "could not be put back; it is kept as ", NewBesideOldRaw},
        {"link, copy, rename aside", true, true, false, true, none, "could not be kept while the new one"},
        {"link, copy, job rename", true, true, false, false, {0, 1}, "The job file could not be replaced."},
        {"link, copy, job rename, put back", true, true, false, false, {0, -1},
         "could not be put back; it is kept as ", NoneInPlace},
    };
    FakeRawDataFactoryScope raw;
    DocumentShell shell;
    // One row at a time, so that a row that stops early does not hide the rows after it.
    const auto check = [&](const Row& row) {
        TempDir dir;
        const std::string path = dir.file("job.Mvj");
        const std::string rawPath = dir.file("job.Mvr");
        SaveSampleJob(path);
        const auto oldJob = ReadAllBytes(path);
        const auto oldRaw = ReadAllText(rawPath);
        CMorvelFileDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        AddPoint(doc, "4", 1, 2);
        FakeRawOf(doc)->lines.push_back("MP,4,2.000,1.000,,");
        TempDir elsewhere;
        ASSERT_TRUE(doc.OnSaveDocument(elsewhere.file("job.Mvj")));
        const auto newJob = ReadAllBytes(elsewhere.file("job.Mvj"));
        const auto newRaw = ReadAllText(elsewhere.file("job.Mvr"));
        ASSERT_NE(newJob, oldJob);
        ASSERT_NE(newRaw, oldRaw);

        MessageLog messages;
        bool saved = false;
        {
            morvel::test::RefusingFileSystem stick;
            stick.refuseLinks = row.links;
            stick.refuseCopies = row.copies;
            if (row.rawRename)
                stick.refuseRenameTo[rawPath] = {};
            stick.refuseRenameTo[path] = row.ontoJob;
            if (row.aside)
                stick.refuseRenameFrom.insert(path);
            saved = doc.DoFileSave();
            EXPECT_EQ(stick.copiesRefused > 0, row.copies);
        }
        const auto names = FolderContents(dir.path());
        if (row.told == nullptr) {
            EXPECT_TRUE(saved);
            EXPECT_TRUE(messages.texts.empty());
            EXPECT_EQ(ReadAllBytes(path), newJob);
            EXPECT_EQ(ReadAllText(rawPath), newRaw);
            EXPECT_THAT(names, ElementsAre("job.Mvj", "job.Mvr"));
            return;
        }
        EXPECT_FALSE(saved);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_THAT(messages.texts[0], HasSubstr("The job could not be saved as '" + path + "'."));
        EXPECT_THAT(messages.texts[0], HasSubstr(row.told));
        EXPECT_EQ(ReadAllText(rawPath), oldRaw);
        if (row.left == OldInPlace) {
            EXPECT_EQ(ReadAllBytes(path), oldJob);
            EXPECT_THAT(names, ElementsAre("job.Mvj", "job.Mvr"));
            return;
        }
        // The old job is wherever the message says, and what stands in its place is named as such.
        ASSERT_EQ(names.size(), row.left == NewBesideOldRaw ? 3u : 2u);
        const auto other = std::find_if(names.begin(), names.end(), [](const std::string& name) {
            return name != "job.Mvj" && name != "job.Mvr";
        });
        ASSERT_NE(other, names.end());
        const std::string kept = dir.file(*other);
        EXPECT_EQ(ReadAllBytes(kept), oldJob);
        if (row.left == NoneInPlace) {
            EXPECT_THAT(messages.texts[0], HasSubstr("it is kept as " + kept + "."));
            EXPECT_FALSE(std::filesystem::exists(path));
            return;
        }
        EXPECT_THAT(messages.texts[0], HasSubstr("it is kept as " + kept + ", and " + path +
                                                 " holds the new job beside the old raw data."));
        EXPECT_EQ(ReadAllBytes(path), newJob);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.refused);
        check(row);
    }
}

TEST_F(JobDocumentReload, TheFourFileCases)
{
    MessageLog messages;

    CMorvelFileDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    // Without a view there is nothing to reload into.
    EXPECT_FALSE(doc.Reload(true));
    doc.AddView(&view);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_TRUE(doc.GetUndoManager()->RecordUndoWithText("Step"));

    // Both files, unmodified: no question.
    AddPoint(doc, "X1", 1, 1);
    doc.SetModifiedWithText("", false, false);
    EXPECT_TRUE(doc.Reload(false));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_THAT(PointNames(doc), ElementsAre("B7", "P1", "P2"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.GetUndoManager()->CanUndo());
    const auto hints = Delivered(doc, log);
    EXPECT_THAT(hints, Contains("V46"));
    EXPECT_THAT(hints, Contains("V47"));

    // Modified: the question, and No keeps the job.
    AddPoint(doc, "X1", 1, 1);
    messages.answers = {IDNO};
    EXPECT_FALSE(doc.Reload(false));
    EXPECT_THAT(messages.texts, ElementsAre("Reload 'job.Mvj'?\n\nWarning!All current changes will be lost!"));
    EXPECT_NE(doc.GetPointDatabase()->FindPoint("X1", true), nullptr);

    // Job file only: default raw data, marked modified.
    messages.texts.clear();
    fs::remove(dir.file("job.Mvr"));
    EXPECT_TRUE(doc.Reload(true));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Reload Job")));
    EXPECT_EQ(FakeRawOf(doc)->generated, 1);

    // Raw file only: the options are asked; cancel fails, OK makes an empty job and asks the view
    // to regenerate its coordinates.
    ASSERT_TRUE(doc.OnSaveDocument(path));
    fs::remove(path);
    EXPECT_FALSE(doc.Reload(true));
    EXPECT_FALSE(FileExists(path));
    shell.optionsAnswer = IDOK;
    shell.optionStore = shell.optionDeleted = true;
    EXPECT_TRUE(doc.Reload(true));
    EXPECT_TRUE(FileExists(path));
    EXPECT_THAT(shell.posted, ElementsAre(0x8007u));
    EXPECT_TRUE(PointNames(doc).empty());
    EXPECT_TRUE(doc.IsModified());

    // Neither file.
    messages.texts.clear();
    fs::remove(path);
    fs::remove(dir.file("job.Mvr"));
    EXPECT_FALSE(doc.Reload(true));
    EXPECT_THAT(messages.texts, ElementsAre("Data files not found."));
    doc.RemoveView(&view);
}

TEST(JobDocumentNewFiles, ExportAndEmptyJob)
{
    FakeRawDataFactoryScope raw;
    TempDir dir;
    CMorvelFileDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    doc.GetDocSettings()->SetAngleUnit(1);
    CPointRecord* a = AddPoint(doc, "A", 1, 2, 3, "kerb");
    AddPoint(doc, "B", 4, 5);
    CPointRecord* c = AddPoint(doc, "C", 6, 7);
    doc.GetCurrentSelection()->SetSelected(a, true);
    doc.GetCurrentSelection()->SetSelected(c, true);
    ASSERT_TRUE(doc.OnSaveDocument(dir.file("job.Mvj")));
    doc.SetPathName(dir.file("job.Mvj"), false);
    Delivered(doc, log);

    ASSERT_TRUE(doc.ExportSelection(dir.file("part.Mvj"), true, true, nullptr));
    {
        CMorvelFileDoc part;
        ASSERT_TRUE(part.OnOpenDocument(dir.file("part.Mvj")));
        EXPECT_THAT(PointNames(part), ElementsAre("A", "C"));
        EXPECT_STREQ(part.GetPointDatabase()->FindPoint("A", true)->GetDescription(), "kerb");
        EXPECT_EQ(part.GetDocSettings()->GetAngleUnits(), 1);
        EXPECT_THAT(FakeRawOf(part)->lines, Contains(HasSubstr("MP,C")));
    }
    EXPECT_THAT(Delivered(doc, log), testing::Not(Contains("V47")));
    // Everything, without raw data, over the job's own file.
    ASSERT_TRUE(doc.ExportSelection(dir.file("job.Mvj"), false, false, nullptr));
    EXPECT_THAT(Delivered(doc, log), Contains("V47"));

    ASSERT_TRUE(doc.CreateEmptyJobFile(dir.file("empty.Mvj")));
    CMorvelFileDoc empty;
    WriteAllText(dir.file("empty.Mvr"), "");
    ASSERT_TRUE(empty.OnOpenDocument(dir.file("empty.Mvj")));
    EXPECT_TRUE(PointNames(empty).empty());
    EXPECT_EQ(empty.GetDocSettings()->GetSurveyUnits(), 1);
    doc.RemoveView(&view);
}

TEST(JobDocumentNewFiles, TextCoordinatesBecomeAJob)
{
    FakeRawDataFactoryScope raw;
    TempDir dir;
    JobFileHeader header;
    InitJobFileHeader(header);
    header.SetDistanceUnit(1);

    struct Case
    {
        const char* name;
        std::string text;
        bool ok;
        uint32_t skipped;
    };
    const Case cases[] = {
        {"blanks", "P1 100.0 200.0 5.0 fence\n", true, 0},
        {"commas", "P1,100.0,200.0,5.0,fence\r\n", true, 0},
        {"comma and blank", "P1, 100.0, 200.0, 5.0, fence\n", true, 0},
        {"elevation only is skipped", "P1 100 200 5 fence\nP2,,,5.0\n", true, 1},
        {"empty line ends it", "P1 100 200 5 fence\n\nP3 1 2 3\n", false, 0},
        {"no position and no elevation", "P1 100 200 5 fence\nP4,,,\n", false, 0},
        {"a name the job refuses", "P1 100 200 5 fence\nP-5 1 2 3\n", false, 0},
        {"a name taken twice", "P1 100 200 5 fence\np1 1 2 3\n", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = dir.file("points.txt");
        const std::string job = dir.file("points.Mvj");
        fs::remove(job);
        WriteAllText(text, c.text);
        CMorvelFileDoc doc;
        std::string error;
        uint32_t skipped = 0;
        EXPECT_EQ(doc.CreateJobFromTextCoordinates(header, text, job, error, skipped), c.ok);
        EXPECT_EQ(skipped, c.skipped);
        if (!c.ok)
            continue;
        WriteAllText(dir.file("points.Mvr"), "");
        CMorvelFileDoc read;
        ASSERT_TRUE(read.OnOpenDocument(job));
        const CPointRecord* p = read.GetPointDatabase()->FindPoint("P1", true);
        ASSERT_NE(p, nullptr);
        // International feet to metres.
        EXPECT_DOUBLE_EQ(p->GetNorthing(), 30.48);
        EXPECT_DOUBLE_EQ(p->GetEasting(), 60.96);
        EXPECT_DOUBLE_EQ(p->GetElevation(), 5 * 0.3048);
        EXPECT_STREQ(p->GetDescription(), "fence");
        EXPECT_EQ(read.GetDocSettings()->GetSurveyUnits(), 1);
    }

    // A refused name says why; a description written on Windows keeps its characters.
    WriteAllBytes(dir.file("w.txt"), {'Q', '1', ' ', '1', ' ', '2', ' ', '3', ' ', 'c', 'a', 'f', 0xE9, '\n'});
    CMorvelFileDoc doc;
    std::string error;
    uint32_t skipped = 0;
    ASSERT_TRUE(doc.CreateJobFromTextCoordinates(header, dir.file("w.txt"), dir.file("w.Mvj"), error, skipped));
    WriteAllText(dir.file("w.Mvr"), "");
    CMorvelFileDoc read;
    ASSERT_TRUE(read.OnOpenDocument(dir.file("w.Mvj")));
    EXPECT_STREQ(read.GetPointDatabase()->FindPoint("Q1", true)->GetDescription(), "caf\xC3\xA9");

    WriteAllText(dir.file("bad.txt"), "P-5 1 2 3\n");
    EXPECT_FALSE(doc.CreateJobFromTextCoordinates(header, dir.file("bad.txt"), dir.file("bad.Mvj"), error, skipped));
    EXPECT_EQ(error, "Failed to write file");
    EXPECT_FALSE(FileExists(dir.file("bad.Mvj")));
    EXPECT_FALSE(doc.CreateJobFromTextCoordinates(header, dir.file("none.txt"), dir.file("none.Mvj"), error, skipped));
}

TEST(JobDocumentSettings, NewSettingsAreLoggedInTheRawData)
{
    FakeRawDataFactoryScope raw;
    CMorvelFileDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    JobFileHeader header;
    InitJobFileHeader(header);
    doc.StoreSettingsInHeader(header);
    doc.ApplyJobSettings(header);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(FakeRawOf(doc)->lines.empty());

    header.SetDistanceUnit(0);
    doc.ApplyJobSettings(header);
    EXPECT_EQ(doc.GetDocSettings()->GetSurveyUnits(), 0);
    EXPECT_THAT(FakeRawOf(doc)->lines, ElementsAre("CO,Dist Units changed"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_THAT(doc.GetHistoryList().back(), MatchesRegex(Stamped("Changed job settings")));
    EXPECT_THAT(Delivered(doc, log), Contains("V2"));

    // The stake-out offset alone is no setting the raw data records.
    header.SetOffsetWord(7);
    doc.ApplyJobSettings(header);
    EXPECT_EQ(FakeRawOf(doc)->lines.size(), 1u);
    EXPECT_THAT(Delivered(doc, log), testing::Not(Contains("V2")));
    doc.RemoveView(&view);
}

TEST(JobDocumentLife, UnloadingEmptiesTheGridBeforeTheStore)
{
    FakeRawDataFactoryScope raw;
    CMorvelFileDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    CPointRecord* p = AddPoint(doc, "1", 1, 1);
    AddPoint(doc, "2", 2, 2);
    doc.SetCurrentRecord(p, 0);
    doc.GetRawDataLines().resize(3);
    FakeRawOf(doc)->lines = {"CO,a"};
    Delivered(doc, log);

    doc.DeleteContents();
    EXPECT_EQ(doc.GetSortedIndex()->GetCount(), 0);
    EXPECT_EQ(doc.GetRecordDatabase()->GetCount(0), 0);
    EXPECT_TRUE(doc.GetRawDataLines().empty());
    EXPECT_TRUE(FakeRawOf(doc)->lines.empty());
    RecordRef current;
    EXPECT_FALSE(doc.GetCurrentRecord(current));
    EXPECT_THAT(Delivered(doc, log), Contains("V34"));
    doc.RemoveView(&view);
}

TEST(JobDocumentLife, ActiveJobIsTheFirstOpenJobDocument)
{
    FakeRawDataFactoryScope raw;
    CMorvelFileDoc scratch; // never registered, as exports and imports are not
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), nullptr);
    EXPECT_EQ(GetActiveUndoManager(), nullptr);
    EXPECT_EQ(GetActiveSelectionOperator(), nullptr);
    CDocument other;
    OpenDocumentScope first(&other);
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), nullptr);
    CMorvelFileDoc job;
    OpenDocumentScope second(&job);
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), &job);
    EXPECT_EQ(GetActiveUndoManager(), job.GetUndoManager());
    EXPECT_EQ(GetActiveSelectionOperator(), job.GetSelOperator());
}

TEST(JobDocumentLocks, TransferAndRefreshMarks)
{
    FakeDocShell shell;
    MessageLog messages;
    {
        CTransferLock lock;
        EXPECT_TRUE(lock.Acquire());
        EXPECT_TRUE(shell.IsTransferRunning());
        CTransferLock second;
        EXPECT_FALSE(second.Acquire());
        EXPECT_THAT(messages.texts, ElementsAre("You cannot start the transfer process because another transfer "
                                                "process is running now."));
        // A lock that never held must not clear the other's mark.
        second.Release();
        EXPECT_TRUE(shell.IsTransferRunning());
    }
    EXPECT_FALSE(shell.IsTransferRunning());
    {
        CFrameRefreshLock none;
        EXPECT_FALSE(shell.IsRefreshSuppressed());
        CFrameRefreshLock held(true);
        EXPECT_TRUE(shell.IsRefreshSuppressed());
    }
    EXPECT_FALSE(shell.IsRefreshSuppressed());
}

TEST(JobDocumentLife, BusyCursorNestsAndComesBackAfterAMessage)
{
    std::vector<bool> shown;
    CBusyCursor::Handler previous = CBusyCursor::SetHandler([&](bool show) { shown.push_back(show); });
    {
        CBusyCursor outer;
        {
            CBusyCursor inner;
            EXPECT_EQ(CBusyCursor::GetDepth(), 2);
        }
        RestoreAppWaitCursor();
    }
    RestoreAppWaitCursor();
    EXPECT_THAT(shown, ElementsAre(true, true, false));
    CBusyCursor::SetHandler(std::move(previous));
}

TEST_F(JobDocumentReload, NothingIsSelectedAfterwards)
{
    CMorvelFileDoc doc;
    std::vector<std::string> log;
    FakeView view(&log);
    doc.AddView(&view);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.GetSelOperator()->SelectAll();
    ASSERT_EQ(doc.GetSelOperator()->GetCountUnfiltered(), 3);

    ASSERT_TRUE(doc.Reload(true));
    EXPECT_EQ(doc.GetSelOperator()->GetEntryCount(), 0);
    EXPECT_EQ(doc.GetSelOperator()->GetCountUnfiltered(), 0);
    EXPECT_EQ(doc.GetSelection()->GetCount(), 0);
    doc.RemoveView(&view);
}
