#include "TestUtil.h"

#include "platform/Profile.h"
#include "transfer/browse/DrivePlaces.h"
#include "transfer/browse/FileListModel.h"
#include "transfer/browse/JobListModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <filesystem>

using namespace morvel::test;
using testing::ElementsAre;

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(std::vector<CFileInfo>& rows, const CListSortState& sort)
{
    std::vector<CFileInfo*> order;
    for (CFileInfo& row : rows)
        order.push_back(&row);
    SortFileRows(order, sort);
    std::vector<std::string> names;
    for (const CFileInfo* row : order)
        names.push_back(row->name);
    return names;
}

int64_t LocalTime(int year, int month, int day, int hour, int minute)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    return int64_t(std::mktime(&tm));
}

void Touch(const std::string& path, const std::string& text, int64_t time)
{
    WriteAllText(path, text);
    const utimbuf times{time_t(time), time_t(time)};
    utime(path.c_str(), &times);
}

} // namespace

TEST(FileListModel, FilterAndContentModeDecideWhatIsListed)
{
    struct Case
    {
        const char* name;
        const char* filter;
        bool passes;
    };
    const Case cases[] = {
        {"readme", "txt", false}, {"a.TXT.bak", "txt", false}, {"b.Txt", "txt", true},
        {"readme", "", true},     {"readme", "*", true},       {".txt", "TXT", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " / " + c.filter);
        EXPECT_EQ(PassesExtensionFilter(c.name, c.filter), c.passes);
    }

    TempDir dir;
    for (const char* name : {"readme", "a.TXT.bak", "b.Txt"})
        WriteAllText(dir.file(name), "x");
    fs::create_directory(dir.path() / "sub.txt.d");
    CFileTypeNames types(dir.file("no-mime"));
    std::vector<CFileInfo> rows;
    std::string error;
    CListSortState byName;
    ASSERT_TRUE(ReadFolder(dir.path().string(), FileListFoldersAndFiles, "txt", types, rows, error));
    EXPECT_THAT(Names(rows, byName), ElementsAre("sub.txt.d", "b.Txt"));
    ASSERT_TRUE(ReadFolder(dir.path().string(), FileListFilesOnly, "txt", types, rows, error));
    EXPECT_THAT(Names(rows, byName), ElementsAre("b.Txt"));
    EXPECT_FALSE(ReadFolder(dir.file("missing"), FileListFoldersAndFiles, "", types, rows, error));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(error.empty());
}

TEST(FileListModel, FoldersComeFirstWhateverTheColumnAndOrder)
{
    std::vector<CFileInfo> rows = {
        {"small.txt", false, 10, 300, "TXT File"}, {"Zeta", true, 0, 100, "folder"},
        {"big.dxf", false, 5000, 100, "DXF File"}, {"alpha", true, 0, 900, "folder"},
        {"mid.Mvj", false, 700, 200, "MVJ File"},
    };
    CListSortState sort;
    sort.ClickColumn(2); // size, ascending
    EXPECT_THAT(Names(rows, sort), ElementsAre("alpha", "Zeta", "small.txt", "mid.Mvj", "big.dxf"));
    sort.ClickColumn(2); // the same column again turns the order
    EXPECT_FALSE(sort.IsAscending());
    EXPECT_THAT(Names(rows, sort), ElementsAre("Zeta", "alpha", "big.dxf", "mid.Mvj", "small.txt"));
    sort.ClickColumn(1); // another column starts ascending
    EXPECT_THAT(Names(rows, sort), ElementsAre("alpha", "Zeta", "big.dxf", "mid.Mvj", "small.txt"));
    sort.ClickColumn(3);
    EXPECT_THAT(Names(rows, sort), ElementsAre("alpha", "Zeta", "big.dxf", "mid.Mvj", "small.txt"));
}

TEST(FileListModel, SortStateRoundTripsAndRefusesAColumnOutOfRange)
{
    TempDir dir;
    CProfile profile(dir.path() / "Morvel.ini");
    CListSortState sort;
    sort.Load(profile, "FileListControl");
    EXPECT_EQ(sort.column, 0);
    EXPECT_THAT(sort.ascending, ElementsAre(true, true, true, true));

    profile.WriteProfileInt("FileListControl", "LSortColumn", 7);
    profile.WriteProfileInt("FileListControl", "LSortOrder2", 0);
    sort.Load(profile, "FileListControl");
    EXPECT_EQ(sort.column, 0);
    EXPECT_THAT(sort.ascending, ElementsAre(true, true, false, true));

    sort.ClickColumn(3);
    sort.ClickColumn(3);
    sort.Save(profile, "JobListControl");
    CListSortState back;
    back.Load(profile, "JobListControl");
    EXPECT_EQ(back.column, 3);
    EXPECT_THAT(back.ascending, ElementsAre(true, true, false, false));
}

TEST(FileListModel, GoingUpStopsAtTheRoot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/", "/"}, {"//", "/"}, {"/data/", "/"}, {"/data", "/"}, {"/data/jobs/", "/data/"}, {"/data/jobs", "/data/"},
    };
    for (const auto& [from, to] : cases) {
        SCOPED_TRACE(from);
        EXPECT_EQ(GetParentFolder(from), to);
    }
}

TEST(FileListModel, TimesAreEnglishTwelveHourWhateverTheLocale)
{
    const struct
    {
        int64_t time;
        const char* text;
    } cases[] = {
        {LocalTime(2007, 3, 14, 9, 5), "03/14/07 09:05 AM"},
        {LocalTime(2010, 12, 31, 12, 0), "12/31/10 12:00 PM"},
        {LocalTime(2024, 1, 2, 0, 30), "01/02/24 12:30 AM"},
        {LocalTime(2024, 1, 2, 23, 59), "01/02/24 11:59 PM"},
        {0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatListTime(c.time), c.text);
    }
}

TEST(FileListModel, TypeNamesComeFromTheMimeDatabaseElseTheExtension)
{
    TempDir dir;
    fs::create_directories(dir.path() / "text");
    fs::create_directories(dir.path() / "inode");
    WriteAllText(dir.file("globs2"), "# comment\n50:text/plain:*.txt\n50:text/x-evil:*.evil\n"
                                     "50:../../etc:*.up\n40:text/plain:*.tar.gz\nbroken line\n");
    WriteAllText(dir.file("text/plain.xml"), "<mime-type><comment>plain text &amp; more</comment>"
                                             "<comment xml:lang=\"de\">Text</comment></mime-type>");
    WriteAllText(dir.file("inode/directory.xml"), "<mime-type><comment>folder</comment></mime-type>");
    WriteAllText(dir.file("icons"), "text/x-evil:../evil\nbroken\n");
    WriteAllText(dir.file("generic-icons"), "text/plain:text-x-generic\ninode/directory:folder\n");
    CFileTypeNames types(dir.path().string());
    using Icons = std::vector<std::string>;
    const struct
    {
        const char* name;
        bool folder;
        const char* type;
        Icons icons; // the type's own, then its generic one
    } cases[] = {
        {"a.TXT", false, "plain text & more", {"text-plain", "text-x-generic"}},
        {"b.xyz", false, "XYZ File", {}},
        {"c.evil", false, "EVIL File", {"text-x-generic"}}, // a name that reads as a path is dropped
        {"d.up", false, "UP File", {}},
        {"readme", false, "", {}},
        {"jobs", true, "folder", {"inode-directory", "folder"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(types.GetTypeName(c.name, c.folder), c.type);
        EXPECT_EQ(types.GetIconNames(c.name, c.folder), c.icons);
    }
    // Asked once per extension: a second name of the type gets the kept answer.
    EXPECT_EQ(&types.GetIconNames("b.txt", false), &types.GetIconNames("a.TXT", false));
}

TEST(FileListModel, NewFolderTakesTheFirstFreeNumberedName)
{
    TempDir dir;
    CFileTypeNames types(dir.file("no-mime"));
    std::vector<CFileInfo> rows;
    std::string error;
    const auto nextName = [&] {
        EXPECT_TRUE(ReadFolder(dir.path().string(), FileListFoldersAndFiles, "", types, rows, error));
        std::vector<std::string> folders;
        for (const CFileInfo& row : rows)
            if (row.isFolder)
                folders.push_back(row.name);
        return MakeNewFolderName(dir.path().string(), folders);
    };
    EXPECT_EQ(nextName(), "New Folder");
    fs::create_directory(dir.path() / "New Folder");
    fs::create_directory(dir.path() / "New Folder (1)");
    EXPECT_EQ(nextName(), "New Folder (2)");
    // A file of the next name is taken as well.
    WriteAllText(dir.file("New Folder (2)"), "x");
    EXPECT_EQ(nextName(), "New Folder (3)");
}

TEST(FileListModel, RenamingANewFolderNeverReplacesOrLosesAFolder)
{
    TempDir dir;
    const std::string folder = dir.path().string();
    fs::create_directory(dir.path() / "New Folder");
    fs::create_directory(dir.path() / "Existing");
    WriteAllText(dir.file("Existing/keep.txt"), "kept");
    // Filled while its name was being typed.
    WriteAllText(dir.file("New Folder/survey.Mvj"), "job");

    std::string newName;
    EXPECT_EQ(RenameNewFolder(folder, "New Folder", "  Existing ", newName), NewFolderRename::Refused);
    EXPECT_EQ(newName, "New Folder");
    EXPECT_EQ(ReadAllText(dir.file("Existing/keep.txt")), "kept");
    EXPECT_EQ(ReadAllText(dir.file("New Folder/survey.Mvj")), "job");

    const std::string tooLong(256, 'x');
    for (const std::string bad : {"", "   ", "../escape", "a/b", "..", tooLong.c_str()}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(RenameNewFolder(folder, "New Folder", bad, newName), NewFolderRename::Refused);
    }
    EXPECT_EQ(RenameNewFolder(folder, "New Folder", "NEW FOLDER", newName), NewFolderRename::Unchanged);
    EXPECT_TRUE(fs::is_directory(dir.path() / "New Folder"));

    EXPECT_EQ(RenameNewFolder(folder, "New Folder", " Site 12 ", newName), NewFolderRename::Renamed);
    EXPECT_EQ(newName, "Site 12");
    EXPECT_FALSE(fs::exists(dir.path() / "New Folder"));
    EXPECT_EQ(ReadAllText(dir.file("Site 12/survey.Mvj")), "job");
}

TEST(FileListModel, AddedFilesAreCopiedOnceWithTheirRoadTemplates)
{
    TempDir source, job;
    fs::copy_file(TestDataPath("small_road.rg7"), source.path() / "small_road.rg7");
    for (const char* t : {"T1.TN7", "DITCH.TN7", "VERGE.TN7"})
        WriteAllText(source.file(t), t);
    WriteAllText(source.file("points.txt"), "1,2,3");
    WriteAllText(job.file("points.txt"), "old");

    CAddedFiles added;
    std::string error;
    ASSERT_TRUE(added.AddFile(source.file("points.txt"), job.path().string(), error)) << error;
    EXPECT_EQ(ReadAllText(job.file("points.txt")), "1,2,3");
    ASSERT_TRUE(added.AddFile(source.file("small_road.rg7"), job.path().string(), error)) << error;
    ASSERT_TRUE(added.AddFile(job.file("POINTS.TXT"), job.path().string(), error)); // already there
    EXPECT_THAT(added.GetNames(), ElementsAre("points.txt", "small_road.rg7", "T1.TN7", "DITCH.TN7", "VERGE.TN7"));
    EXPECT_EQ(ReadAllText(job.file("DITCH.TN7")), "DITCH.TN7");

    added.RemoveFile(job.file("small_road.rg7"));
    EXPECT_THAT(added.GetNames(), ElementsAre("points.txt"));
}

TEST(JobListModel, PairsJobFilesIntoRows)
{
    TempDir dir;
    const int64_t early = LocalTime(2020, 5, 1, 8, 0), late = LocalTime(2020, 5, 2, 16, 30);
    Touch(dir.file("a.Mvj"), std::string(1000, 'j'), early);
    Touch(dir.file("a.MVR"), std::string(600, 'r'), late);
    Touch(dir.file("b.Mvr"), "raw", early);
    Touch(dir.file("c.txt"), "not a job", early);
    Touch(dir.file(".Mvj"), "no name", early);
    fs::create_directory(dir.path() / "Old jobs");

    std::vector<std::unique_ptr<CJobInfo>> rows;
    std::string error;
    ASSERT_TRUE(ReadJobFolder(dir.path().string(), JobListFoldersAndJobs, CJobInfo::KindMorvel, rows, error));
    std::vector<CJobInfo*> order;
    for (auto& row : rows)
        order.push_back(row.get());
    SortJobRows(order, CListSortState());
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0]->GetName(), "Old jobs");
    EXPECT_EQ(order[0]->GetImage(), JobImageFolder);
    const CJobInfo& a = *order[1];
    const CJobInfo& b = *order[2];
    EXPECT_EQ(a.GetName(), "a");
    EXPECT_EQ(a.GetImage(), JobImageComplete);
    EXPECT_EQ(a.GetJobSize(), 1600u);
    EXPECT_EQ(a.GetModified(), late);
    EXPECT_EQ(b.GetImage(), JobImageIncomplete);
    EXPECT_EQ(FindJob(rows, "A", "a.mvr"), &a);
    EXPECT_EQ(FindJob(rows, "Old jobs", "Old jobs."), nullptr);

    CColoredTextLines lines;
    EXPECT_EQ(b.FormatTip(lines), JobTipIconIncomplete);
    ASSERT_EQ(lines.GetCount(), 2);
    EXPECT_EQ(lines.Lines()[0].text, "Coordinate Data File:\tb.Mvj  File not found\n\t \n");
    EXPECT_EQ(lines.Lines()[0].color, MakeRgb(128, 0, 0));
    EXPECT_EQ(lines.Lines()[1].text, "Raw Data File:\tb.Mvr\nSize:\t3 bytes\nModified:\t05/01/20 08:00 AM\n");
    EXPECT_EQ(lines.Lines()[1].color, WindowTextColor);
    EXPECT_EQ(a.FormatTip(lines), JobTipIconComplete);
    EXPECT_EQ(lines.Lines()[0].color, MakeRgb(0, 0, 0));

    // Jobs only, and no job files at all while no job kind is set.
    ASSERT_TRUE(ReadJobFolder(dir.path().string(), JobListJobsOnly, CJobInfo::KindMorvel, rows, error));
    EXPECT_EQ(rows.size(), 2u);
    ASSERT_TRUE(ReadJobFolder(dir.path().string(), JobListFoldersAndJobs, CJobInfo::KindNone, rows, error));
    EXPECT_EQ(rows.size(), 1u);
}

TEST(JobListModel, AddFileRefusesWhatDoesNotBelongToTheRow)
{
    CJobInfo job;
    EXPECT_FALSE(job.AddFile("/x/.Mvj", 1, 1));
    EXPECT_FALSE(job.AddFile("/x/a.txt", 1, 1));
    EXPECT_TRUE(job.AddFile("/x/a.Mvj", 10, 5));
    EXPECT_FALSE(job.AddFile("/y/A.mvj", 99, 9)); // a second coordinate file
    EXPECT_FALSE(job.AddFile("/x/b.Mvr", 1, 1));  // another job's file
    EXPECT_EQ(job.GetJobSize(), 10u);
    EXPECT_TRUE(job.AddFile("/x/A.mvr", 20, 3));
    EXPECT_EQ(job.GetJobSize(), 30u);
    EXPECT_EQ(job.GetModified(), 5);
    EXPECT_EQ(job.GetCoordinateFileName(), "a.Mvj");
}

TEST(JobListModel, SortsFoldersFirstThenByTheColumn)
{
    CJobInfo folder, big, small;
    folder.SetFolder("zz", 1);
    big.AddFile("big.Mvj", 5000, 10);
    small.AddFile("Small.Mvr", 50, 20);
    std::vector<CJobInfo*> rows{&small, &big, &folder};
    CListSortState sort;
    sort.ClickColumn(1);
    sort.ClickColumn(1); // size descending
    SortJobRows(rows, sort);
    EXPECT_THAT(rows, ElementsAre(&folder, &big, &small));
    sort.ClickColumn(2); // modified ascending
    SortJobRows(rows, sort);
    EXPECT_THAT(rows, ElementsAre(&folder, &big, &small));
    sort.ClickColumn(2);
    SortJobRows(rows, sort);
    EXPECT_THAT(rows, ElementsAre(&folder, &small, &big));
}

TEST(DrivePlaces, ListsUserFoldersThenMountedDevices)
{
    TempDir home;
    fs::create_directories(home.path() / "Desktop");
    fs::create_directories(home.path() / "Documents");
    const std::string mounts = "overlay / overlay rw 0 0\n"
                               "proc /proc proc rw 0 0\n"
                               "/dev/sdb1 /media/u/FIELD\\040DATA vfat rw 0 0\n"
                               "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
                               "/dev/sda2 /home ext4 rw 0 0\n"
                               "/dev/sda2 /home ext4 rw 0 0\n"
                               "garbage\n";
    const std::map<std::string, std::string> labels{{"/dev/sdb1", "STICK"}};
    const std::vector<CPlace> places =
        ListPlaces(mounts, labels, home.file("Desktop"), home.file("Documents/"));
    std::vector<std::string> texts;
    for (const CPlace& p : places)
        texts.push_back(p.text);
    EXPECT_THAT(texts, ElementsAre("Desktop", "Documents", "/", "/media/u/FIELD DATA STICK", "/home"));
    EXPECT_EQ(places[0].data, PlaceDesktop);
    EXPECT_EQ(places[1].data, PlaceDocuments);
    EXPECT_EQ(places[3].path, "/media/u/FIELD DATA/");

    const struct
    {
        std::string path;
        int32_t entry;
    } cases[] = {
        {home.file("Documents/jobs/a.Mvj"), 1}, // the special folder before its drive
        {home.file("Documents"), 1},
        {"/media/u/FIELD DATA/x", 3},          // the longest mount point
        {"/media/u/FIELD", 2},
        {"/etc", 2},
        {"relative/path", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FindPlaceForPath(places, c.path), c.entry);
    }

    // Folders that do not exist are left out.
    EXPECT_EQ(ListPlaces("", {}, home.file("none"), "").size(), 1u);
}
