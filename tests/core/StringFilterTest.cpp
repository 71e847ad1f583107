#include "core/StringFilter.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

using morvel::test::TempDir;
using morvel::test::WriteAllText;

TEST(StringFilterTest, EachNameOnceInKeyOrder)
{
    CStringFilter upper(true);
    EXPECT_TRUE(upper.Accept("pt1.raw"));
    EXPECT_FALSE(upper.Accept("PT1.RAW"));
    EXPECT_TRUE(upper.AcceptList({"b.txt", "PT1.raw", "A.TXT"}));
    EXPECT_FALSE(upper.AcceptList({"B.TXT", "a.txt"}));
    std::vector<std::string> names{"left over"};
    ASSERT_EQ(upper.GetNames(names), 3u);
    // The first form of each name, in the order of the upper-cased keys.
    EXPECT_EQ(names, (std::vector<std::string>{"A.TXT", "b.txt", "pt1.raw"}));

    CStringFilter exact(false);
    EXPECT_TRUE(exact.Accept("pt1.raw"));
    EXPECT_TRUE(exact.Accept("PT1.RAW"));
    EXPECT_FALSE(exact.Accept("pt1.raw"));
}

TEST(StringFilterTest, AFolderLetsOnlyExistingFilesThrough)
{
    TempDir dir;
    WriteAllText(dir.file("job.raw"), "x");
    // With and without the folder's trailing separator alike.
    for (const std::string& folder : {dir.path().string(), dir.path().string() + "/"}) {
        SCOPED_TRACE(folder);
        CStringFilter filter(true, folder);
        EXPECT_FALSE(filter.Accept("missing.raw"));
        EXPECT_TRUE(filter.Accept("job.raw"));
        EXPECT_FALSE(filter.Accept("JOB.RAW"));
    }
    // No folder: no file test.
    EXPECT_TRUE(CStringFilter(true, "").Accept("missing.raw"));
}
