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
        for (const std::string& name : c.order)
            EXPECT_NE(job.points.FindPoint(name, true), nullptr) << name;
    }
}
