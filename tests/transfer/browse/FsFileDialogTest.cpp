#include "TestUtil.h"

#include "platform/ActiveJobHooks.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"
#include "transfer/browse/FsFileDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace morvel::test;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

// Answers every file dialog with what the test scripts, and keeps the requests.
class ScriptedDialogs
{
public:
    ScriptedDialogs()
    {
        m_previous = SetFileDialogRunner([this](FileDialogRequest& request) {
            requests.push_back(request);
            request.chosenPaths = paths;
            request.chosenFilterIndex = filterIndex;
            request.extendedError = extendedError;
            return answer;
        });
    }
    ~ScriptedDialogs() { SetFileDialogRunner(std::move(m_previous)); }

    int answer = IDOK;
    std::vector<std::string> paths;
    uint32_t filterIndex = 0;
    uint32_t extendedError = 0;
    std::vector<FileDialogRequest> requests;

private:
    FileDialogRunner m_previous;
};

class Messages
{
public:
    Messages()
    {
        m_previous = SetMessageBoxHandler([this](const std::string& text, uint32_t) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~Messages() { SetMessageBoxHandler(std::move(m_previous)); }
    std::vector<std::string> texts;

private:
    MessageBoxHandler m_previous;
};

// The open job and the default folders for one test.
class JobHooks
{
public:
    JobHooks(std::string jobPath, bool temporary, std::string jobFolder, std::string backupFolder)
    {
        ActiveJobHooks hooks;
        hooks.isJobOpen = [open = !jobPath.empty()] { return open; };
        hooks.activeJobPath = [jobPath] { return jobPath; };
        hooks.hasTemporaryJob = [temporary] { return temporary; };
        hooks.defaultJobFolder = [jobFolder] { return jobFolder; };
        hooks.defaultBackupFolder = [backupFolder] { return backupFolder; };
        m_previous = SetActiveJobHooks(std::move(hooks));
    }
    ~JobHooks() { SetActiveJobHooks(std::move(m_previous)); }

private:
    ActiveJobHooks m_previous;
};

// HOME pointed at a folder of the test's for its life.
class HomeScope
{
public:
    explicit HomeScope(const std::string& home)
    {
        if (const char* old = std::getenv("HOME"))
            m_old = old;
        ::setenv("HOME", home.c_str(), 1);
    }
    ~HomeScope() { ::setenv("HOME", m_old.c_str(), 1); }

private:
    std::string m_old;
};

} // namespace

TEST(FsFileDialog, FiltersExtensionsAndFlagsPerCode)
{
    struct Row
    {
        int32_t code;
        const char* extension;
        const char* filterStart;
    };
    const Row rows[] = {
        {0, "Dxf", "DXF Files (*.dxf)|*.dxf|"},        {1, "Dxf", "DXF Files"},
        {2, "Asc", "Common files (*.txt, *.asc"},      {3, "Asc", "Common files"},
        {4, "Xml", "LandXML File (.XML)|*.xml|"},      {5, "Xml", "LandXML File"},
        {6, "Mvj", "Morvel Job Files (*.Mvj)|*.Mvj|Morvel Raw Files"},
        {7, "Mvj", "Morvel Job Files (*.Mvj)|*.Mvj||"}, {8, "Mvj", "Morvel Job Files (*.Mvj)|*.Mvj||"},
        {9, "", ""},                                    {10, "Mvj", "Morvel Job Files (*.Mvj)|*.Mvj||"},
        {11, "Mvr", "Morvel Raw Files (*.Mvr)|*.Mvr||"}, {12, "Mvj", "Morvel Job Files (*.Mvj)|*.Mvj||"},
        {13, "Mvb", "Morvel Backup Files (*.Mvb)|*.Mvb||"},
        {14, "Trn", "Vectrin TRN Files (*.Trn, *.Raw)|*.Trn;*.Raw||"},
        {15, "", ""},                                   {-1, "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(CFsFileDialog::GetDefaultExtension(r.code), r.extension);
        EXPECT_EQ(CFsFileDialog::GetFilter(r.code).rfind(r.filterStart, 0), 0u);
        const std::string filter = CFsFileDialog::GetFilter(r.code);
        if (!filter.empty()) {
            EXPECT_EQ(filter.substr(filter.size() - 2), "||");
        }
        EXPECT_EQ(CFsFileDialog::GetFlags(true, r.code), 0x881004u);
        EXPECT_EQ(CFsFileDialog::GetFlags(false, r.code), 0x888C0Eu);
    }
    EXPECT_EQ(CFsFileDialog::GetFilter(2),
              "Common files (*.txt, *.asc, *.pts, *.csv)|*.txt;*.asc;*.pts;*.csv;|Text Files (*.txt)|*.txt|ASCII "
              "files (*.asc)|*.asc|Point files (*.pts)|*.pts|Csv Files (*.csv)|*.csv|All Files (*.*)|*.*||");
    CFsFileDialog dialog;
    EXPECT_EQ(dialog.GetDefaultFilterIndex(6, 0), 0u);
    EXPECT_EQ(dialog.GetLastFilterIndex(), 0u);
}

TEST(FsFileDialog, EnsureExtensionOnlyForJobAndRawCodes)
{
    struct Case
    {
        int32_t code;
        const char* path;
        const char* result;
    };
    const Case cases[] = {
        {10, "/jobs/site", "/jobs/site.Mvj"},
        {10, "/jobs/site.mvj", "/jobs/site.mvj"},
        {10, "/jobs/site.MVJ", "/jobs/site.MVJ"},
        {10, "/jobs/site.txt", "/jobs/site.txt.Mvj"},
        {10, "/jobs.v2/site", "/jobs.v2/site.Mvj"},
        {6, "a", "a.Mvj"},
        {7, "a.Mvr", "a.Mvr.Mvj"},
        {8, "a", "a.Mvj"},
        {11, "raw", "raw.Mvr"},
        {11, "raw.mvr", "raw.mvr"},
        {12, "coords", "coords.Mvj"},
        {2, "/out/points", "/out/points"},
        {0, "drawing", "drawing"},
        {13, "backup", "backup"},
        {14, "x", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " code " + std::to_string(c.code));
        EXPECT_EQ(CFsFileDialog::EnsureExtension(c.path, c.code), c.result);
    }
}

// The name typed in the dialog, the files already there, and the file that is meant: the one a
// save writes (asking first when it is there) or an open reads.
TEST(FsFileDialog, ChosenNameBecomesTheFileWrittenOrRead)
{
    struct Case
    {
        const char* name;
        int32_t code;
        bool open;
        const char* chosen;
        std::vector<std::string> there;
        const char* path;
        bool exists;
        const char* partner = ""; // the job pair's other file that writing replaces
    };
    const Case cases[] = {
        {"bare name gets the kind's extension", 0, false, "/d/out1", {}, "/d/out1.Dxf", false},
        {"the file with the extension is the one replaced", 0, false, "/d/out1", {"/d/out1.Dxf"}, "/d/out1.Dxf", true},
        {"a file named as typed is not the one written", 0, false, "/d/out1", {"/d/out1"}, "/d/out1.Dxf", false},
        {"own extension in another case stays", 0, false, "/d/site.dxf", {"/d/site.dxf"}, "/d/site.dxf", true},
        {"another kind's extension stays", 0, false, "/d/site.txt", {}, "/d/site.txt", false},
        {"a dot in a folder is no extension", 0, false, "/d/my.jobs/out1", {}, "/d/my.jobs/out1.Dxf", false},
        {"ascii", 2, false, "pts", {}, "pts.Asc", false},
        {"landxml", 4, false, "survey", {}, "survey.Xml", false},
        {"backup", 13, false, "/b/monday", {"/b/monday.Mvb"}, "/b/monday.Mvb", true},
        {"job: the extension once", 10, false, "/j/site", {}, "/j/site.Mvj", false},
        {"job: another extension gets the job's after it", 10, false, "/j/site.txt", {"/j/site.txt"},
         "/j/site.txt.Mvj", false},
        {"job: the ensured name is the one asked about", 10, false, "/j/site.txt", {"/j/site.txt.Mvj"},
         "/j/site.txt.Mvj", true},
        {"raw download", 11, false, "/j/raw", {}, "/j/raw.Mvr", false},
        {"raw download beside a lone job", 11, false, "/j/raw", {"/j/raw.Mvj"}, "/j/raw.Mvr", false, "/j/raw.Mvj"},
        {"new job beside lone raw data", 10, false, "/j/site.txt", {"/j/site.txt.Mvr"}, "/j/site.txt.Mvj", false,
         "/j/site.txt.Mvr"},
        {"coordinate download over a whole pair", 12, false, "/j/c.mvj", {"/j/c.mvj", "/j/c.Mvr"}, "/j/c.mvj", true,
         "/j/c.Mvr"},
        // Two job files of one name in two spellings would share the one raw data file.
        {"job: another spelling names the job there", 10, false, "/j/X.mvj", {"/j/X.Mvj"}, "/j/X.Mvj", true},
        {"job: capitals name a lone job's pair", 10, false, "/j/X.MVJ", {"/j/X.Mvr"}, "/j/X.Mvj", false, "/j/X.Mvr"},
        {"job: another spelling, nothing there", 6, false, "/j/X.mVJ", {"/j/X.mvjx"}, "/j/X.Mvj", false},
        // The raw data file is the job's own name with Mvr, whatever spelling of one was typed.
        {"raw: another spelling", 11, false, "/j/r.MVR", {"/j/r.mvr", "/j/r.Mvj"}, "/j/r.Mvr", false, "/j/r.Mvj"},
        {"only the job kinds have a pair", 0, false, "/d/out1", {"/d/out1.Mvj"}, "/d/out1.Dxf", false},
        {"no default extension: as typed", 9, false, "/d/notes", {"/d/notes"}, "/d/notes", true},
        {"open: as typed when it is there", 1, true, "/d/out1", {"/d/out1", "/d/out1.Dxf"}, "/d/out1", true},
        {"open: else with the extension", 1, true, "/d/out1", {"/d/out1.Dxf"}, "/d/out1.Dxf", true},
        {"open: neither is there", 1, true, "/d/out1", {}, "/d/out1", false},
        {"open: the extension in another program's case", 1, true, "/d/site", {"/d/site.dxf"}, "/d/site.dxf", true},
        {"open: the table's spelling first", 8, true, "/j/site", {"/j/site.MVJ", "/j/site.Mvj"}, "/j/site.Mvj", true},
        {"open: a typed extension is not extended", 3, true, "/d/pts.txt", {"/d/pts.txt.Asc"}, "/d/pts.txt", false},
        {"open: a dot in a folder is no extension", 5, true, "/d/my.jobs/s", {"/d/my.jobs/s.Xml"},
         "/d/my.jobs/s.Xml", true},
        {"open: the job extension is not forced", 6, true, "/j/site.Mvr", {"/j/site.Mvr"}, "/j/site.Mvr", true},
        {"open: no default extension", 9, true, "/d/notes", {"/d/notes.Mvj"}, "/d/notes", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ChosenFile file =
            CFsFileDialog::ResolveChosenFile(c.chosen, c.code, c.open, [&](const std::string& path) {
                return std::find(c.there.begin(), c.there.end(), path) != c.there.end();
            });
        EXPECT_EQ(file.path, c.path);
        EXPECT_EQ(file.exists, c.exists);
        EXPECT_EQ(file.partner, c.partner);
        // The dialog's answer goes through the extension check afterwards: it must not change.
        if (!c.open) {
            EXPECT_EQ(CFsFileDialog::EnsureExtension(file.path, c.code), file.path);
        }
    }
}

// A raw download writes the raw data file and its job as one pair, named from the name typed as
// New Job names a job: the job by the job rule, the raw data file always the job's name with Mvr,
// the name the job reads its raw data from. The dialog asks about whichever of the two is there.
TEST(FsFileDialog, ARawDownloadIsNamedAsOnePairWithItsJob)
{
    struct Case
    {
        std::vector<std::string> there;
        const char* job;
        const char* asked; // "" when nothing is replaced
    };
    const Case cases[] = {
        {{}, "/j/X.Mvj", ""},
        // Another file, not the pair's: left alone, and the new job never reads it.
        {{"/j/X.mvr"}, "/j/X.Mvj", ""},
        {{"/j/X.mvj"}, "/j/X.mvj", "/j/X.mvj"},
        {{"/j/X.Mvj"}, "/j/X.Mvj", "/j/X.Mvj"},
        {{"/j/X.Mvr"}, "/j/X.Mvj", "/j/X.Mvr"},
        {{"/j/X.Mvj", "/j/X.Mvr"}, "/j/X.Mvj", "/j/X.Mvr"},
        {{"/j/X.mvj", "/j/X.mvr"}, "/j/X.mvj", "/j/X.mvj"},
    };
    for (const char* typed : {"/j/X", "/j/X.mvr", "/j/X.MVR"}) {
        for (const Case& c : cases) {
            std::string state = typed;
            for (const std::string& f : c.there)
                state += " " + f;
            SCOPED_TRACE(state);
            const auto exists = [&](const std::string& path) {
                return std::find(c.there.begin(), c.there.end(), path) != c.there.end();
            };
            const ChosenFile file = CFsFileDialog::ResolveChosenFile(typed, 11, false, exists);
            std::string raw = c.job;
            raw.replace(raw.size() - 3, 3, "Mvr");
            EXPECT_EQ(file.path, raw);
            EXPECT_EQ(file.exists ? file.path : file.partner, c.asked);
            // What the download then writes is the same pair.
            const JobPairPaths pair = CFsFileDialog::NameJobPair(file.path, exists);
            EXPECT_EQ(pair.job, c.job);
            EXPECT_EQ(pair.raw, raw);
            // New Job names the same pair from the same name.
            std::string jobTyped = typed;
            if (jobTyped.size() > 4 && jobTyped[jobTyped.size() - 4] == '.')
                jobTyped.resize(jobTyped.size() - 4);
            EXPECT_EQ(CFsFileDialog::ResolveChosenFile(jobTyped, 10, false, exists).path, c.job);
        }
    }
}

TEST(FsFileDialog, StartingFolders)
{
    TempDir dir;
    const std::string home = dir.file("home") + "/";
    const std::string jobs = dir.file("jobs") + "/";
    const std::string backups = dir.file("backups") + "/";
    const std::string site = dir.file("site") + "/";
    for (const std::string& f : {home, jobs, backups, site})
        std::filesystem::create_directories(f);
    HomeScope homeScope(home);

    {
        JobHooks hooks(site + "job.Mvj", false, jobs, backups);
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(13, site), backups);
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(11, site), jobs);
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(12, ""), jobs);
        // The suggested folder when it exists, else the open job's folder.
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(3, jobs), jobs);
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(3, dir.file("gone")), site);
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(3, ""), site);
        // Transfer files start in ~/Vectrin/Data/ only when it exists.
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(14, ""), site);
        std::filesystem::create_directories(home + "Vectrin/Data");
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(14, jobs), home + "Vectrin/Data/");
    }
    {
        // An unsaved job starts in the default job folder.
        JobHooks hooks("", true, jobs, backups);
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(8, ""), jobs);
    }
    {
        // No job and no temporary job: the home folder stands in for the drive root.
        JobHooks hooks("", false, jobs, dir.file("no-backups"));
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(2, dir.file("missing")), home);
        EXPECT_EQ(CFsFileDialog::GetInitialFolder(13, ""), home);
    }
}

TEST(FsFileDialog, PromptsLeaveThePathOnCancelAndEnsureTheExtensionAfterASave)
{
    TempDir dir;
    JobHooks hooks(dir.file("job.Mvj"), false, dir.path().string(), dir.path().string());
    ScriptedDialogs dialogs;
    CFsFileDialog dialog;

    std::string path = dir.file("old.Mvj");
    dialogs.answer = IDCANCEL;
    EXPECT_EQ(dialog.PromptSave(path, 10, "Save Job As"), IDCANCEL);
    EXPECT_EQ(path, dir.file("old.Mvj"));
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_FALSE(dialogs.requests[0].open);
    EXPECT_EQ(dialogs.requests[0].flags, 0x888C0Eu);
    EXPECT_EQ(dialogs.requests[0].initialName, "old.Mvj");
    EXPECT_EQ(dialogs.requests[0].title, "Save Job As");
    EXPECT_EQ(dialogs.requests[0].defaultExtension, "Mvj");

    dialogs.answer = IDOK;
    dialogs.paths = {dir.file("new.txt")};
    dialogs.filterIndex = 1;
    EXPECT_EQ(dialog.PromptSave(path, 10, ""), IDOK);
    EXPECT_EQ(path, dir.file("new.txt.Mvj"));
    EXPECT_EQ(dialog.GetLastFilterIndex(), 1u);
    EXPECT_EQ(dialog.PromptSave(path, 2, ""), IDOK);
    EXPECT_EQ(path, dir.file("new.txt"));

    dialogs.paths = {dir.file("points.csv")};
    EXPECT_EQ(dialog.PromptOpen(path, 3, "Import"), IDOK);
    EXPECT_EQ(path, dir.file("points.csv"));
    EXPECT_TRUE(dialogs.requests.back().open);
    EXPECT_EQ(dialogs.requests.back().flags, 0x881004u);

    // Without a runner installed every prompt is a cancel.
    SetFileDialogRunner(nullptr);
    EXPECT_EQ(dialog.PromptOpen(path, 3, ""), IDCANCEL);
    EXPECT_EQ(path, dir.file("points.csv"));
}

TEST(FsFileDialog, MultipleChoiceLimitAndErrors)
{
    TempDir dir;
    JobHooks hooks(dir.file("job.Mvj"), false, dir.path().string(), dir.path().string());
    ScriptedDialogs dialogs;
    Messages messages;
    CFsFileDialog dialog;

    std::vector<std::string> paths = {dir.path().string()};
    for (int i = 0; i < 100; ++i)
        dialogs.paths.push_back(dir.file("f" + std::to_string(i) + ".Trn"));
    EXPECT_EQ(dialog.PromptOpenMultiple(paths, 14, ""), IDOK);
    EXPECT_EQ(paths.size(), 100u);
    EXPECT_EQ(paths.front(), dir.file("f0.Trn"));
    EXPECT_NE(dialogs.requests[0].flags & OFN_ALLOWMULTISELECT, 0u);
    EXPECT_THAT(messages.texts, IsEmpty());

    dialogs.paths.push_back(dir.file("f100.Trn"));
    EXPECT_EQ(dialog.PromptOpenMultiple(paths, 14, ""), IDOK);
    EXPECT_THAT(paths, IsEmpty());
    EXPECT_THAT(messages.texts, ElementsAre("You can select at most 100 data files each time."));

    struct Error
    {
        uint32_t code;
        const char* text;
    };
    for (const Error& e : {Error{FNERR_BUFFERTOOSMALL, "You can select at most 100 data files each time."},
                           Error{FNERR_INVALIDFILENAME, "Invalid file name."},
                           Error{0x3001, "Unknown system error."}}) {
        messages.texts.clear();
        paths = {"kept?"};
        dialogs.answer = IDCANCEL;
        dialogs.extendedError = e.code;
        EXPECT_EQ(dialog.PromptOpenMultiple(paths, 14, ""), IDCANCEL);
        EXPECT_THAT(paths, IsEmpty());
        EXPECT_THAT(messages.texts, ElementsAre(e.text));
    }
    messages.texts.clear();
    dialogs.extendedError = 0;
    EXPECT_EQ(dialog.PromptOpenMultiple(paths, 14, ""), IDCANCEL);
    EXPECT_THAT(messages.texts, IsEmpty());
}
