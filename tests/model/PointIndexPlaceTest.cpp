#include "FakeJob.h"

#include "model/PointDatabase.h"
#include "model/PointRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using morvel::test::FakeJob;

namespace {

std::vector<std::string> NamesInOrder(const CPointDatabase& points)
{
    std::vector<std::string> names;
    for (RedBlackNode* pos = points.GetFirstPosition(); pos != nullptr;)
        names.push_back(points.GetNextPoint(pos)->GetName());
    return names;
}

} // namespace

// An import looks a name up and then adds a point; the add may reuse the place the search found,
// but only while it still fits the name being added.
TEST(PointIndex, AddAfterAMissedSearchFilesInNaturalOrder)
{
    struct Case
    {
        const char* missed;  // searched for and not found
        const char* removed; // taken out between search and add, or null
        const char* added;
        bool accepted;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {"P3", nullptr, "P3", true, {"A", "P2", "P3", "P10"}},
        {"P3", nullptr, "p0003", true, {"A", "P2", "p0003", "P10"}},
        // Another name than the one searched for: the place does not fit it.
        {"P3", nullptr, "Z", true, {"A", "P2", "P10", "Z"}},
        {"P3", nullptr, "0A", true, {"0A", "A", "P2", "P10"}},
        {"Z", nullptr, "B", true, {"A", "B", "P2", "P10"}},
        // A name the index already holds is refused whatever the search left behind.
        {"P3", nullptr, "p002", false, {"A", "P2", "P10"}},
        {"Z", nullptr, "P10", false, {"A", "P2", "P10"}},
        // The place's neighbour left the index in between: the remembered place is stale.
        {"P3", "P10", "P3", true, {"A", "P2", "P3"}},
        {"P3", "P2", "P3", true, {"A", "P3", "P10"}},
        {"B", "A", "B", true, {"B", "P2", "P10"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.missed) + " then " + c.added);
        FakeJob job;
        job.AddPoint("A");
        job.AddPoint("P2");
        job.AddPoint("P10");
        ASSERT_EQ(job.points.FindPoint(c.missed, true), nullptr);
        if (c.removed != nullptr)
            job.DeletePoint(job.points.FindPoint(c.removed, true));
        auto* point = new CPointRecord(c.added, "", CLocation(), true);
        const bool accepted = job.AddRecord(point);
        if (!accepted)
            delete point;
        EXPECT_EQ(accepted, c.accepted);
        EXPECT_EQ(NamesInOrder(job.points), c.order);
        EXPECT_EQ(job.points.GetCount(), int32_t(c.order.size()));
        for (const std::string& name : c.order)
            EXPECT_NE(job.points.FindPoint(name, true), nullptr) << name;
    }
}

// A job being opened files its points through the in-order add: whatever order the file has, the
// index, the store and the refusals come out as the plain add gives them, also once the store was
// emptied and filled again.
TEST(PointIndex, InNameOrderAddMatchesThePlainAdd)
{
    const std::vector<std::vector<std::string>> files = {
        {"1", "2", "10", "A", "P2", "P10", "Z"},
        {"1", "01", "2", "P2", "p002", "P3", "P3"}, // equal under the natural order
        {"P10", "P2", "A", "Z", "B"},
        {"9", "8", "7", "00", "", "A B", "6"}, // descending, with names the job refuses
        {"A", "0", "B", "ABCDEFGHIJKLMNOPQ", "C", "b"},
        // Rising runs broken by a smaller name: the runs are hung by relinking the whole tree
        // (a run at least as long as the tree) or one by one at its end (a shorter run).
        {"1", "2", "3", "4", "5", "6", "0", "7", "8", "3", "9"},
        {"5", "6", "0", "7", "8", "9", "10", "11", "12", "13", "4", "14"},
        // Plain numbers beside leading zeros, letters and the longest names.
        {"9", "10", "010", "11", "099", "100", "99", "1000000000000000", "999999999999999", "1000000000000001",
         "1000000000000001A", "1000000000000002", "10000000000000000", "A1", "a01", "A2"},
    };
    const auto storeNames = [](CRecordDatabase& store) {
        std::vector<std::string> names;
        CRecordCursor c = store.GetFirstRecord(0);
        while (CRecord* r = store.GetNextRecord(c))
            names.push_back(static_cast<CPointRecord*>(r)->GetName());
        return names;
    };
    for (const auto& file : files) {
        SCOPED_TRACE(::testing::PrintToString(file));
        FakeJob plain, ordered;
        for (int round = 0; round < 2; ++round) {
            for (const std::string& name : file) {
                auto* a = new CPointRecord(name.c_str(), "", CLocation(1, 2, 3), true);
                auto* b = new CPointRecord(name.c_str(), "", CLocation(1, 2, 3), true);
                const bool added = plain.points.Add(a);
                const bool appended = ordered.points.AddInNameOrder(b);
                EXPECT_EQ(appended, added) << name;
                if (!added)
                    delete a;
                if (!appended)
                    delete b;
            }
            // The last point taken out by its place, before any search has hung the appends.
            if (round == 1)
                for (CPointDatabase* index : {&plain.points, &ordered.points})
                    if (RedBlackNode* last = index->GetLastPosition()) {
                        CPointRecord* point = index->GetPointAt(last);
                        EXPECT_TRUE(index->Remove(last));
                        delete point;
                    }
            EXPECT_EQ(NamesInOrder(ordered.points), NamesInOrder(plain.points));
            EXPECT_EQ(storeNames(*ordered.store), storeNames(*plain.store));
            // The count kept as leaves come and go is the count of a walk.
            for (const CPointDatabase* index : {&plain.points, &ordered.points})
                EXPECT_EQ(index->GetCount(), int32_t(NamesInOrder(*index).size()));
            EXPECT_EQ(ordered.lastPointName, plain.lastPointName);
            // One black depth for every leaf: the appended tree is as balanced as the searched one.
            for (RedBlackNode* pos = ordered.points.GetFirstPosition(); pos != nullptr;) {
                const RedBlackNode* leaf = pos;
                EXPECT_NE(ordered.points.FindPoint(ordered.points.GetNextPoint(pos)->GetName(), true), nullptr);
                EXPECT_EQ(GetRedBlackBlackDepth(leaf), GetRedBlackBlackDepth(ordered.points.GetFirstPosition()));
            }
            plain.store->RemoveAll();
            ordered.store->RemoveAll();
        }
    }
}
