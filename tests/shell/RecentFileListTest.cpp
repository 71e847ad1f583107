#include "shell/RecentFileList.h"

#include "platform/Profile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <set>

TEST(RecentFileList, NewestFirstAndNeverMoreThanItsSize)
{
    CRecentFileList list(9);
    for (int i = 1; i <= 12; ++i)
        list.Add("/jobs/J" + std::to_string(i) + ".Mvj");
    EXPECT_EQ(list.GetCount(), 9);
    EXPECT_EQ(list.GetEntry(0), "/jobs/J12.Mvj");
    EXPECT_EQ(list.GetEntry(8), "/jobs/J4.Mvj");

    // A path already listed moves to the front instead of appearing twice.
    list.Add("/jobs/J6.Mvj");
    EXPECT_EQ(list.GetCount(), 9);
    EXPECT_EQ(list.GetEntry(0), "/jobs/J6.Mvj");
    EXPECT_EQ(list.GetEntry(1), "/jobs/J12.Mvj");
    EXPECT_EQ(list.GetEntry(9), "");
}

TEST(RecentFileList, PruningDropsMissingFiles)
{
    const std::set<std::string> existing = {"/b.Mvj", "/d.Mvj"};
    auto exists = [&](const std::string& p) { return existing.count(p) != 0; };

    CRecentFileList list(9);
    for (const char* p : {"/d.Mvj", "/c.Mvj", "/b.Mvj", "/a.Mvj"})
        list.Add(p);
    EXPECT_EQ(list.PruneAndGetMostRecent(exists), "/b.Mvj");
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetEntry(1), "/d.Mvj");

    CRecentFileList gone(9);
    gone.Add("/x.Mvj");
    EXPECT_EQ(gone.PruneAndGetMostRecent(exists), "");
    EXPECT_EQ(gone.GetCount(), 0);
}

TEST(RecentFileList, RoundTripsThroughTheProfile)
{
    morvel::test::TempDir dir;
    CProfile profile(dir.path() / "Morvel.ini");
    CRecentFileList list(9);
    list.Add("/jobs/older.Mvj");
    list.Add("/jobs/newer & better.Mvj");
    ASSERT_TRUE(list.WriteList(profile));
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1"), "/jobs/newer & better.Mvj");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File2"), "/jobs/older.Mvj");

    CRecentFileList read(9);
    read.ReadList(profile);
    EXPECT_EQ(read.GetCount(), 2);
    EXPECT_EQ(read.GetEntry(0), "/jobs/newer & better.Mvj");

    // A shorter list empties the slots the longer one used.
    read.Remove(0);
    ASSERT_TRUE(read.WriteList(profile));
    CRecentFileList again(9);
    again.ReadList(profile);
    EXPECT_EQ(again.GetCount(), 1);
    EXPECT_EQ(again.GetEntry(0), "/jobs/older.Mvj");
}
