#include "TestUtil.h"

#include "model/JobFileHeader.h"
#include "shell/NavigatorModel.h"

#include <gtest/gtest.h>

#include <set>

using namespace morvel::test;

namespace {

// Files that exist, by full path.
struct FakeFiles
{
    std::set<std::string> present;
    nav::FileTest Test() const
    {
        return [this](const std::string& path) { return present.count(path) > 0; };
    }
};

nav::Job OpenJob(const std::string& folder, const std::string& name, bool temporary = false)
{
    nav::Job job;
    job.open = true;
    job.temporary = temporary;
    job.folder = folder;
    job.path = folder + name;
    return job;
}

std::vector<const nav::Item*> ChildrenOf(const std::vector<nav::Item>& items, uint32_t kind)
{
    int parent = -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].kind == kind)
            parent = int(i);
    std::vector<const nav::Item*> children;
    for (const nav::Item& item : items)
        if (item.parent == parent && parent >= 0)
            children.push_back(&item);
    return children;
}

std::string Joined(const CColoredTextLines& lines)
{
    std::string text;
    for (const auto& line : lines.Lines())
        text += line.text + "|";
    return text;
}

} // namespace

TEST(NavigatorTree, RecentJobsKeepTheirPlaceWhenAnEarlierFileIsMissing)
{
    FakeFiles files;
    files.present = {"/j/Site.Mvj", "/j/Site.Mvr", "/j/b.Mvj", "/j/c.Mvj"};
    const auto items = nav::BuildTree(OpenJob("/j/", "Site.Mvj"), {"/j/a.Mvj", "/j/b.Mvj", "/j/c.Mvj"}, files.Test());
    const auto recent = ChildrenOf(items, nav::KindRecentJobs);
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_EQ(recent[0]->kind, 6u);
    EXPECT_EQ(recent[0]->text, "b.Mvj");
    EXPECT_EQ(recent[1]->kind, 7u);
    // Only the first four entries count.
    const auto five = nav::BuildTree(OpenJob("/j/", "Site.Mvj"),
                                     {"/j/b.Mvj", "/j/b.Mvj", "/j/b.Mvj", "/j/b.Mvj", "/j/c.Mvj"}, files.Test());
    EXPECT_EQ(ChildrenOf(five, nav::KindRecentJobs).size(), 4u);
    EXPECT_EQ(ChildrenOf(items, nav::KindImport).size(), 4u);
    EXPECT_EQ(ChildrenOf(items, nav::KindExport).size(), 3u);
}

TEST(NavigatorTree, FileItemsAndTheirMarks)
{
    const struct
    {
        const char* name;
        bool temporary;
        std::set<std::string> present;
        std::vector<std::string> texts;
        bool jobMarked, coordinateMarked, rawMarked;
    } cases[] = {
        {"both present", false, {"/j/Site.Mvj", "/j/Site.Mvr"}, {"Site.Mvj", "Site.Mvr"}, false, false, false},
        {"raw gone", false, {"/j/Site.Mvj"}, {"Site.Mvj", "Site.Mvr"}, true, false, true},
        {"job gone", false, {"/j/Site.Mvr"}, {"Site.Mvj", "Site.Mvr"}, true, true, false},
        {"both gone", false, {}, {"Site.Mvj", "Site.Mvr"}, false, false, false},
        {"scratch job", true, {"/j/Site.Mvj"}, {"Untitled", "Untitled"}, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFiles files;
        files.present = c.present;
        const auto items = nav::BuildTree(OpenJob("/j/", "Site.Mvj", c.temporary), {}, files.Test());
        ASSERT_EQ(items[0].kind, nav::KindJob);
        EXPECT_EQ(items[0].text, c.temporary ? "Untitled" : "Site");
        EXPECT_EQ(items[0].marked, c.jobMarked);
        const auto files2 = ChildrenOf(items, nav::KindJob);
        ASSERT_EQ(files2.size(), 2u);
        EXPECT_EQ(files2[0]->text, c.texts[0]);
        EXPECT_EQ(files2[1]->text, c.texts[1]);
        EXPECT_EQ(files2[0]->kind, 1000u);
        EXPECT_EQ(files2[1]->kind, c.temporary ? 2000u : 2000u);
        EXPECT_EQ(files2[0]->marked, c.coordinateMarked);
        EXPECT_EQ(files2[1]->marked, c.rawMarked);
    }
}

TEST(NavigatorFiles, NamesPathsAndRequests)
{
    const nav::Job job = OpenJob("/data/jobs/", "North.MVJ");
    EXPECT_EQ(nav::ItemFileName(job, 2000), "North.Mvr");
    EXPECT_EQ(nav::ItemFileName(job, 1000), "North.MVJ");
    EXPECT_EQ(nav::ItemFileName(job, 5), "");
    EXPECT_EQ(nav::ItemFileName(nav::Job{}, 1000), "");
    EXPECT_EQ(nav::JobFilePath(job, "North.Mvr"), "/data/jobs/North.Mvr");
    // A path that names its folder stays as it is; a backslash is part of a Linux file name.
    EXPECT_EQ(nav::JobFilePath(job, "/elsewhere/x.Mvj"), "/elsewhere/x.Mvj");
    EXPECT_EQ(nav::JobFilePath(job, "a\\b.Mvj"), "/data/jobs/a\\b.Mvj");
    EXPECT_EQ(nav::RegenerationRequest(true, true), 3);
    EXPECT_EQ(nav::RegenerationRequest(false, false), 0);
    EXPECT_EQ(nav::ItemGroup(nav::KindJob, 1000), 1000u);
    EXPECT_EQ(nav::ItemGroup(nav::KindJob, 0), 2u);
    EXPECT_EQ(nav::CommandForKind(3), 7407);
    EXPECT_EQ(nav::CommandForKind(10), 0);
    EXPECT_EQ(nav::MenuCommandForKind(3), 0);
    EXPECT_EQ(nav::MenuCommandForKind(1000), 7402);
    EXPECT_EQ(nav::MenuCommandForKind(20), 7326);
    EXPECT_EQ(nav::ImageIndexOfIcon(7030), 14);
    EXPECT_EQ(nav::ImageIndexOfIcon(5), -1);
}

TEST(NavigatorTips, TextsAsThePersonReadsThem)
{
    CColoredTextLines lines;
    nav::FormatShortcutTip(3, lines);
    EXPECT_EQ(Joined(lines),
              "Name:\tOpen Job\nUse this to:\tOpen an existing Morvel job.\nHow to use:\tClick to open Open Job.\n|");

    lines.RemoveAll();
    nav::JobSettingsTip settings;
    settings.distanceUnit = 2;
    const nav::Job job = OpenJob("/j/", "Site.Mvj");
    EXPECT_EQ(nav::FormatLabelTip(job, settings, lines), 9u);
    EXPECT_EQ(Joined(lines), "Data Files|Coordinate Data File:\tSite.Mvj\n|Raw Data File:\tSite.Mvr\n|Job Folder:\t/j/\n|"
                             "------------\t------------\n|Settings|Survey Units:\tUS Feet\n|Angle Units:\tDegrees\n|"
                             "Azimuth Format:\tNorth Azimuth\n|Earth Curvature Adjustment:\tNot Used\n|"
                             "Sea Level Ajustment:\tNot Used\n|Scale Factor:\tNot Used\n|");
    EXPECT_EQ(lines.Lines()[0].color, TitleTextColor);
    lines.RemoveAll();
    EXPECT_EQ(nav::FormatLabelTip(nav::Job{}, settings, lines), 245u);
    EXPECT_EQ(lines.GetCount(), 0);
}

TEST(NavigatorTips, JobFilesThatCannotBeReadSayWhy)
{
    TempDir dir;
    const nav::Job job = OpenJob(dir.file(""), "Site.Mvj");
    JobFileHeader header;
    InitJobFileHeader(header);
    header.SetDistanceUnit(1);
    header.SetFlags(JobFileHeader::FlagSouthAzimuth | JobFileHeader::FlagCurvature);
    const std::vector<unsigned char> good(header.bytes.begin(), header.bytes.end());
    JobFileHeader badHeader = header;
    badHeader.SetDistanceUnit(7);
    const std::vector<unsigned char> bad(badHeader.bytes.begin(), badHeader.bytes.end());
    const struct
    {
        const char* name;
        std::vector<unsigned char> bytes;
        const char* expected;
        uint32_t colour;
    } cases[] = {
        {"short file", std::vector<unsigned char>(good.begin(), good.begin() + 100), "File appears to be currupted.\t\n",
         ProblemTextColor},
        {"bad units", bad, "Failed to open file.\t\n", ProblemTextColor},
        {"good", good, "Adjust for Earth Curvature:\tYes\n", WindowTextColor},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAllBytes(dir.file("Site.Mvj"), c.bytes);
        CColoredTextLines lines;
        EXPECT_EQ(nav::FormatJobItemTip(job, lines), 9u);
        ASSERT_GT(lines.GetCount(), 0);
        if (c.expected) {
            EXPECT_EQ(lines.Lines().back().text, c.expected);
            EXPECT_EQ(lines.Lines().back().color, c.colour);
        }
    }
    const std::string all = [&] {
        CColoredTextLines lines;
        nav::FormatJobItemTip(job, lines);
        return Joined(lines);
    }();
    EXPECT_NE(all.find("Survey Units:\tFeet\n"), std::string::npos);
    EXPECT_NE(all.find("Azimuth Format:\tSouth Azimuth\n"), std::string::npos);

    std::remove(dir.file("Site.Mvj").c_str());
    CColoredTextLines missing;
    nav::FormatJobItemTip(job, missing);
    EXPECT_EQ(missing.Lines().back().text, "File not found.\t\n");

    // A file item of a job file that is not there reads as a plain line.
    CColoredTextLines file;
    EXPECT_EQ(nav::FormatFileItemTip(job, nav::KindRawFile, "Site.Mvr", file), 1038u);
    EXPECT_EQ(Joined(file), "Job:\tSite\n|File Name:\tSite.Mvr\n|File not found.\t\n|");
}
