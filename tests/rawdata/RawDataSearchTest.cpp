// Searching the raw lines: each kind, both directions with wrap-around, an empty job and a start
// beyond the end, and the not-found messages.
#include "RawJob.h"
#include "rawdata/RawDataSearch.h"

#include <gtest/gtest.h>

using morvel::test::RawJob;

namespace {

class RawDataSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        job.AppendAll({
            "CO,Job start",                                       // 0
            "ST,1,2,1.5,0.0000,0.0000",                           // 1
            "SS,10,1.8,50.0,45.3000,90.0000,10:00:00,TREE",       // 2
            "SO,1005,1.8,50.0,45.0000,90.0000,10:05:00,STAKE",    // 3
            "ST,Base,1,1.5,0.0000,0.0000",                        // 4
            "SS,11,1.8,50.0,45.3000,90.0000,10:01:00,tree",       // 5
        });
    }
    int32_t Find(const CRawSearch& search, int32_t start, bool forward = true)
    {
        return FindRawLine(job.raw, search, start, forward);
    }
    RawJob job;
};

TEST_F(RawDataSearchTest, PointRolesIgnoreCase)
{
    CRawSearch search;
    search.kind = RawSearchPoints;
    search.role = RawRoleOccupy;
    search.pointName = "base";
    EXPECT_EQ(Find(search, -1), 4);
    search.role = RawRoleBacksight;
    search.pointName = "2";
    EXPECT_EQ(Find(search, -1), 1);
    search.role = RawRoleForesight;
    search.pointName.clear(); // any point of the role's types
    EXPECT_EQ(Find(search, 2), 5);
    search.role = RawRoleStakeout;
    search.pointName = "1005";
    EXPECT_EQ(Find(search, 4), 3);
    search.role = RawRoleStore;
    search.pointName.clear();
    EXPECT_EQ(Find(search, -1), -1);
}

// Every coordinate record stores a point: the first (UC) and the last (RE) of the range included.
TEST(RawDataStoreSearchTest, EveryCoordinateRecordStoresItsPoint)
{
    RawJob job;
    job.AppendAll({"UC,U1,5000.0,5000.0,100.0,A", "UP,U2,5000.0,5100.0,,B", "MC,M1,1.0,2.0,3.0,C",
                   "MP,M2,1.0,2.0,,D", "CC,C1,1.0,2.0,3.0,E", "RE,R1,1.0,2.0,3.0,F",
                   "SS,R1,1.8,50.0,45.3000,90.0000,10:00:00,SHOT"});
    CRawSearch search;
    search.kind = RawSearchPoints;
    search.role = RawRoleStore;
    const char* const names[] = {"u1", "U2", "m1", "M2", "c1", "r1"};
    for (int32_t line = 0; line < 6; ++line) {
        search.pointName = names[line];
        EXPECT_EQ(FindRawLine(job.raw, search, 6, true), line) << names[line];
        search.pointName.clear();
        EXPECT_EQ(FindRawLine(job.raw, search, line, true), line == 5 ? 0 : line + 1) << line;
    }
    search.role = RawRoleForesight;
    search.pointName = "r1";
    EXPECT_EQ(FindRawLine(job.raw, search, 6, false), 6);
}

TEST_F(RawDataSearchTest, WrapOrderBothWays)
{
    CRawSearch search;
    search.kind = RawSearchRecords;
    search.recordType = RecordTypeStation;
    EXPECT_EQ(Find(search, -1, true), 1);
    EXPECT_EQ(Find(search, -1, false), 4);
    EXPECT_EQ(Find(search, 4, true), 1);  // wraps past the end
    EXPECT_EQ(Find(search, 1, false), 4); // wraps past line 0
    EXPECT_EQ(Find(search, 99, true), 1); // a start beyond the end counts as none
    // The start itself is tested last.
    search.recordType = RecordTypeComment;
    EXPECT_EQ(Find(search, 0, true), 0);
    EXPECT_EQ(Find(search, 0, false), 0);
}

TEST_F(RawDataSearchTest, TextIsCaseSensitiveAndLinesAreOneBased)
{
    CRawSearch search;
    search.kind = RawSearchText;
    search.text = "tree";
    EXPECT_EQ(Find(search, -1), 5);
    search.kind = RawSearchLine;
    search.lineNumber = 3;
    EXPECT_EQ(Find(search, -1), 2);
    for (int32_t number : {0, 7}) {
        search.lineNumber = number;
        EXPECT_EQ(Find(search, -1), -1);
        EXPECT_EQ(RawSearchNotFoundMessage(search), "\"Line #" + std::to_string(number) + "\" not found.");
    }
}

TEST(RawDataSearchEmptyTest, NoLinesNoTest)
{
    RawJob job;
    CRawSearch search;
    search.kind = RawSearchText;
    search.text = "x";
    EXPECT_EQ(FindRawLine(job.raw, search, -1, true), -1);
    EXPECT_EQ(FindRawLine(job.raw, search, 5, false), -1);
    EXPECT_FALSE(RawLineMatches(job.raw, 0, search));
}

TEST(RawDataSearchMessageTest, Messages)
{
    struct Case
    {
        int32_t kind;
        int32_t role;
        const char* name;
        const char* expected;
    } cases[] = {
        {RawSearchPoints, RawRoleOccupy, "A1", "Occupy point A1 not found."},
        {RawSearchPoints, RawRoleBacksight, "A1", "Backsight point A1 not found."},
        {RawSearchPoints, RawRoleStore, "A1", "Store point A1 not found."},
        {RawSearchPoints, RawRoleForesight, "A1", "Foresight point A1 not found."},
        {RawSearchPoints, RawRoleStakeout, "A1", "Stakeout point A1 not found."},
        {RawSearchPoints, RawRoleStakeout, "", "Not Found."},
        {RawSearchText, 0, "abc", "\"abc\" not found."},
        {RawSearchText, 0, "", "Not Found."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        CRawSearch search;
        search.kind = c.kind;
        search.role = c.role;
        search.pointName = c.name;
        search.text = c.name;
        EXPECT_EQ(RawSearchNotFoundMessage(search), c.expected);
    }
    CRawSearch records;
    records.kind = RawSearchRecords;
    records.recordType = RecordTypeSideShot;
    EXPECT_EQ(RawSearchNotFoundMessage(records), "\"" + record_codes::GetTypeLabel(RecordTypeSideShot, true) + "\" not found.");
}

} // namespace
