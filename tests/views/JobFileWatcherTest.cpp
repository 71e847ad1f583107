#include "views/JobFileWatcher.h"

#include "FakeView.h"
#include "TestUtil.h"
#include "model/HintCodes.h"
#include "model/TestJobDoc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace morvel::test;
namespace fs = std::filesystem;

namespace {
struct WatcherFixture : ::testing::Test
{
    TempDir dir;
    std::string job = (dir.path() / "Site.Mvj").string();
    std::string raw = (dir.path() / "Site.Mvr").string();
    CJobFileWatcher watcher;

    static void Write(const std::string& path) { std::ofstream(path) << "x"; }
    // A change another program made: the time moves on.
    static void Touch(const std::string& path)
    {
        fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(5));
    }
    WatcherFixture()
    {
        Write(job);
        Write(raw);
        watcher.Record(job);
    }
};
} // namespace

TEST_F(WatcherFixture, AnUnchangedJobIsQuietAndTheRawFileSitsBesideTheJob)
{
    EXPECT_FALSE(watcher.Poll(job));
    EXPECT_EQ(CJobFileWatcher::RawPathOf(job), raw);
    EXPECT_EQ(CJobFileWatcher::RawPathOf("/x/a.MVJ"), "/x/a.Mvr");
    EXPECT_EQ(CJobFileWatcher::RawPathOf("/x/a.txt"), "");
    EXPECT_FALSE(CJobFileWatcher::ReadStatus((dir.path() / "none").string()).known);
}

TEST_F(WatcherFixture, TheQuestionNamesWhatChanged)
{
    struct Case { const char* name; bool touchJob, touchRaw, unsaved; std::string prompt; };
    const Case cases[] = {
        {"raw only", false, true, false, "File '" + raw + "' has been modified.\n\nReload from file?"},
        {"job only", true, false, false, "File '" + job + "' has been modified.\n\nReload from file?"},
        {"both", true, true, false, "Files '" + job + "' and '" + raw + "' have been modified.\n\nReload from files?"},
        // Yes would drop the unsaved work: the question says so and No is its default.
        {"job only, unsaved changes", true, false, true,
         "File '" + job + "' has been modified.\n\nReload from file?\n\nWarning!All current changes will be lost!"},
        {"both, unsaved changes", true, true, true,
         "Files '" + job + "' and '" + raw + "' have been modified.\n\nReload from files?\n\nWarning!All current changes will be lost!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.touchJob)
            Touch(job);
        if (c.touchRaw)
            Touch(raw);
        EXPECT_TRUE(watcher.Poll(job));
        const auto d = watcher.OnOutsideChange(job, false, c.unsaved);
        EXPECT_EQ(d.action, CJobFileWatcher::Action::Ask);
        EXPECT_EQ(d.prompt, c.prompt);
        EXPECT_EQ(d.defaultNo, c.unsaved);
        // Yes reloads (the job records its files again when loaded).
        EXPECT_EQ(watcher.Answer(true).action, CJobFileWatcher::Action::Nothing);
        watcher.Record(job);
    }
}

TEST_F(WatcherFixture, ADeclinedChangeIsNotAskedAgainUntilTheFilesChangeOnceMore)
{
    Touch(raw);
    ASSERT_EQ(watcher.OnOutsideChange(job, false, false).action, CJobFileWatcher::Action::Ask);
    EXPECT_EQ(watcher.Answer(false).action, CJobFileWatcher::Action::MarkModified);
    EXPECT_FALSE(watcher.Poll(job));
    Touch(raw);
    EXPECT_TRUE(watcher.Poll(job));
}

TEST_F(WatcherFixture, GoneFilesMarkTheJobModifiedWithoutAsking)
{
    fs::remove(job);
    EXPECT_TRUE(watcher.Poll(job));
    // The job file alone gone: nothing to reload, the job is kept and marked.
    EXPECT_EQ(watcher.OnOutsideChange(job, false, false).action, CJobFileWatcher::Action::MarkModified);
    EXPECT_FALSE(watcher.Poll(job));
    fs::remove(raw);
    EXPECT_TRUE(watcher.Poll(job));
    EXPECT_EQ(watcher.OnOutsideChange(job, false, false).action, CJobFileWatcher::Action::MarkModified);
    EXPECT_FALSE(watcher.GetJobStatus().known);
    EXPECT_FALSE(watcher.Poll(job));
}

TEST_F(WatcherFixture, ARenamedOrScratchJobIsNotWatched)
{
    Touch(job);
    const std::string renamed = (dir.path() / "Other.Mvj").string();
    EXPECT_FALSE(watcher.IsWatching(renamed));
    EXPECT_EQ(watcher.OnOutsideChange(renamed, false, false).action, CJobFileWatcher::Action::Nothing);
    EXPECT_EQ(watcher.OnOutsideChange(job, true, false).action, CJobFileWatcher::Action::Nothing);
    // Names compare without regard to case.
    EXPECT_TRUE(watcher.IsWatching((dir.path() / "SITE.mvj").string()));
    // A job without a path forgets its files.
    watcher.Record("");
    EXPECT_FALSE(watcher.Poll(""));
}

namespace {
class SaveAsShell : public FakeDocShell
{
public:
    bool DoPromptFileName(std::string& name, const std::string&) override
    {
        name = chosen;
        return !chosen.empty();
    }
    std::string chosen;
};
} // namespace

// What the program writes itself is no outside change: after each of its saves the watcher finds
// the files as it recorded them, also when a file had been deleted outside just before.
TEST(JobFileWatcherAndSaves, TheProgramsOwnSaveIsNoOutsideChange)
{
    FakeRawDataFactoryScope rawFactory;
    SaveAsShell shell;
    TempDir dir;
    const std::string job = (dir.path() / "Site.Mvj").string();
    const std::string raw = (dir.path() / "Site.Mvr").string();
    const std::string other = (dir.path() / "Other.Mvj").string();
    CMorvelFileDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(job));
    ASSERT_TRUE(doc.OnOpenDocument(job));
    std::vector<std::string> log;
    FakeView view(&log);
    CJobFileWatcher watcher;
    // As the job view does on the file-state hint.
    view.onUpdate = [&](intptr_t hint) {
        if (hint == HintFileState)
            watcher.Record(doc.GetPathName());
    };
    doc.AddView(&view);
    const auto deliver = [&] { doc.SendHint(nullptr, HintFlush, 0); };
    doc.SendHint(nullptr, HintFileState, 0);
    deliver();

    struct Case
    {
        const char* name;
        std::vector<std::string> deleted;
        bool saveAs;
    };
    const Case cases[] = {
        {"job file deleted, then Save", {job}, false},
        {"raw data file deleted, then Save", {raw}, false},
        {"both deleted, then Save", {job, raw}, false},
        {"nothing changed, Save", {}, false},
        {"job file deleted, then Save As", {job}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& path : c.deleted)
            fs::remove(path);
        // The watcher's own tick finds the deletion: the job is kept and marked modified.
        if (watcher.Poll(job)) {
            EXPECT_EQ(watcher.OnOutsideChange(job, false, doc.IsModified()).action,
                      CJobFileWatcher::Action::MarkModified);
        }
        if (c.saveAs) {
            shell.chosen = other;
            ASSERT_TRUE(doc.DoSave("", true));
        } else {
            ASSERT_TRUE(doc.DoFileSave());
        }
        deliver();
        const std::string saved = c.saveAs ? other : job;
        ASSERT_EQ(doc.GetPathName(), saved);
        EXPECT_TRUE(watcher.IsWatching(saved));
        EXPECT_FALSE(watcher.Poll(saved));
        EXPECT_EQ(watcher.OnOutsideChange(saved, false, false).action, CJobFileWatcher::Action::Nothing);
    }
    doc.RemoveView(&view);
}
