#include "views/PreviewMapCore.h"

#include "MapFakes.h"
#include "model/DataFileSelOperator.h"
#include "model/PointDatabase.h"
#include "model/RecordDatabase.h"
#include "model/TestJobDoc.h"
#include "core/MathConversions.h"

#include <gtest/gtest.h>

#include <random>

using namespace morvel::test;

namespace {

struct QueryFixture : ::testing::Test
{
    ScopedSettings scoped;
    TestJobDoc doc;
    FakeHost host;
    CPreviewMapCore map{&host};

    QueryFixture()
    {
        doc.settings.SetDistanceUnit(JobUnitMetres);
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 800, 600});
    }

    CPickQuery At(double x, double y, double tol)
    {
        CPickQuery q;
        q.location = CLocation(x, y, NoValue);
        q.tolerance = CLocation(tol, -tol, NoValue);
        return q;
    }

    std::vector<std::string> Names(const CPickQuery& q)
    {
        std::vector<std::string> out;
        for (const RecordRef& r : q.hits)
            out.push_back(static_cast<CPointRecord*>(r.record)->GetName());
        return out;
    }
};

} // namespace

TEST_F(QueryFixture, PickSortsTheHitsNearestFirst)
{
    doc.AddPoint("A", 10.0, 10.0);
    doc.AddPoint("B", 10.3, 10.0);
    doc.AddPoint("C", 10.1, 10.1);
    doc.AddPoint("D", 50.0, 50.0);
    CPickQuery q = At(10.0, 10.0, 0.5);
    ASSERT_TRUE(map.OnPick808B(true, q));
    EXPECT_EQ(Names(q), (std::vector<std::string>{"A", "C", "B"}));
    // The box edge counts as inside.
    CPickQuery edge = At(10.5, 10.0, 0.2);
    ASSERT_TRUE(map.OnHitSearch808C(true, edge));
    EXPECT_EQ(Names(edge), (std::vector<std::string>{"B"}));
    CPickQuery none = At(30, 30, 1);
    EXPECT_FALSE(map.OnPick808B(true, none));
    EXPECT_TRUE(none.hits.empty());
}

TEST_F(QueryFixture, PickOfManyHitsKeepsTheNinetyNineNearest)
{
    // 150 points in the box, the nearest of them filed last: a cut in store order would lose it.
    for (int i = 0; i < 149; ++i)
        doc.AddPoint(("P" + std::to_string(i)).c_str(), 100 + (i % 15) * 0.1 + 0.05, 100 + (i / 15) * 0.1 + 0.05);
    doc.AddPoint("NEAR", 100.001, 100.001);
    CPickQuery hits = At(100, 100, 5);
    ASSERT_TRUE(map.OnHitSearch808C(true, hits));
    EXPECT_EQ(hits.hits.size(), 100u);
    CPickQuery q = At(100, 100, 5);
    ASSERT_TRUE(map.OnPick808B(true, q));
    ASSERT_EQ(q.hits.size(), 99u);
    EXPECT_EQ(Names(q).front(), "NEAR");
    double last = 0;
    for (const RecordRef& r : q.hits) {
        double d = 0;
        CRecord* rec = r.record;
        ASSERT_TRUE(doc.GetRecordDistance(rec, 100, 100, d));
        EXPECT_GE(d, last);
        last = d;
    }
}

TEST_F(QueryFixture, NoDocumentFindsNothing)
{
    CPreviewMapCore lone(&host);
    CPickQuery q = At(0, 0, 100);
    q.hits.push_back(RecordRef{});
    EXPECT_FALSE(lone.OnHitSearch808C(true, q));
    EXPECT_TRUE(q.hits.empty());
    EXPECT_FALSE(lone.OnPick808B(true, q));
    EXPECT_FALSE(lone.OnUnitText808D(q));
}

TEST(GridSnap, RoundsToTheNearestGridLineOnBothSidesOfTheOrigin)
{
    struct Case {
        const char* name;
        double c, origin, spacing;
        bool ok;
        double out;
    } cases[] = {
        {"positive", 23.7, 0, 10, true, 20},
        {"negative", -14.9, 0, 10, true, -10},
        {"below a far origin", 4994, 5000, 10, true, 4990},
        {"above a far origin", 5006, 5000, 10, true, 5010},
        {"on a line", 5030, 5000, 10, true, 5030},
        {"zero spacing", 12, 0, 0, false, 0},
        {"negative spacing", 12, 0, -5, false, 0},
        {"infinite spacing", 12, 0, HUGE_VAL, false, 0},
        {"not a number", NAN, 0, 10, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double out = 0;
        ASSERT_EQ(CMapCtrlCore::SnapToGridAxis(c.c, c.origin, c.spacing, out), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(out, c.out);
        }
    }
}

TEST_F(QueryFixture, SnapTriesTheEnabledKindsAndTakesTheNearestResult)
{
    scoped.settings.SetGrid(0, 0, 10, 10);
    auto& order = scoped.settings.GetSnapOrder();
    auto& onOff = scoped.settings.GetSnapOnOff();
    order = {1, 0}; // grid first, then the nearest point
    onOff = {1, 1};
    doc.AddPoint("1", 23.0, -14.0, 7.5);
    host.exchange.SetLocation(CLocation(23.7, -14.9, NoValue));
    host.exchange.SetPickTolerances(2, 2);
    CPickQuery q;
    ASSERT_TRUE(map.OnSnapFromCursor8092(q));
    // The point lies nearer the cursor than the grid crossing (20, -10).
    EXPECT_DOUBLE_EQ(q.location.x, 23.0);
    EXPECT_DOUBLE_EQ(q.location.y, -14.0);
    EXPECT_DOUBLE_EQ(q.location.z, 7.5);

    onOff = {1, 0};
    q = CPickQuery();
    ASSERT_TRUE(map.OnSnapFromCursor8092(q));
    EXPECT_DOUBLE_EQ(q.location.x, 20);
    EXPECT_DOUBLE_EQ(q.location.y, -10);
    EXPECT_FALSE(q.location.z > NoValueLimit);
}

TEST_F(QueryFixture, WithTheGridFailingTheNearestPointIsTheLastResort)
{
    scoped.settings.SetGrid(0, 0, 0, 0); // no usable grid
    scoped.settings.GetSnapOrder() = {0, 1};
    scoped.settings.GetSnapOnOff() = {0, 1};
    doc.AddPoint("1", 5, 5);
    host.exchange.SetLocation(CLocation(5.2, 5.1, NoValue));
    host.exchange.SetPickTolerances(1, 1);
    CPickQuery q;
    ASSERT_TRUE(map.OnSnap8091(q));
    EXPECT_DOUBLE_EQ(q.location.x, 5);
    // Nothing near the cursor: the snap fails.
    host.exchange.SetLocation(CLocation(50, 50, NoValue));
    EXPECT_FALSE(map.OnSnap8091(q));
}

TEST_F(QueryFixture, AOneShotSnapModeIsUsedOnceUnlessLocked)
{
    scoped.settings.SetGrid(0, 0, 10, 10);
    scoped.settings.SetSnapMode(3);
    host.exchange.SetLocation(CLocation(23.7, -14.9, NoValue));
    CPickQuery q;
    ASSERT_TRUE(map.OnSnapFromCursor8092(q));
    EXPECT_DOUBLE_EQ(q.location.x, 20);
    EXPECT_EQ(scoped.settings.GetSnapMode(), 0);

    scoped.settings.SetSnapMode(2);
    host.snapLocked = true;
    q = CPickQuery();
    ASSERT_TRUE(map.OnSnapFromCursor8092(q));
    EXPECT_DOUBLE_EQ(q.location.x, 23.7);
    EXPECT_EQ(scoped.settings.GetSnapMode(), 2);

    host.snapLocked = false;
    q = CPickQuery();
    q.flag = true; // keep the mode
    ASSERT_TRUE(map.OnSnapFromCursor8092(q));
    EXPECT_EQ(scoped.settings.GetSnapMode(), 2);
}

TEST_F(QueryFixture, TheHitSearchAgreesWithABoxCountOnRandomQueries)
{
    std::mt19937 rng(19);
    std::uniform_real_distribution<double> coord(0, 100);
    for (int i = 0; i < 60; ++i)
        doc.AddPoint(("R" + std::to_string(i)).c_str(), coord(rng), coord(rng));
    for (int k = 0; k < 200; ++k) {
        const double x = coord(rng), y = coord(rng), t = coord(rng) / 10;
        CPickQuery q = At(x, y, t);
        map.OnHitSearch808C(true, q);
        EXPECT_EQ(int32_t(q.hits.size()), doc.GetRecordDatabase()->CountInside(x - t, y + t, x + t, y - t, false));
    }
}

TEST_F(QueryFixture, ThePickAgreesWithABoxCountAndFollowsEveryChangeOfTheJob)
{
    std::mt19937 rng(23);
    std::uniform_real_distribution<double> coord(0, 100);
    for (int i = 0; i < 80; ++i)
        doc.AddPoint(("R" + std::to_string(i)).c_str(), coord(rng), coord(rng));
    for (int k = 0; k < 200; ++k) {
        const double x = coord(rng), y = coord(rng), t = coord(rng) / 10;
        CPickQuery q = At(x, y, t);
        map.OnPick808B(true, q);
        EXPECT_EQ(int32_t(q.hits.size()), doc.GetRecordDatabase()->CountInside(x - t, y + t, x + t, y - t, false));
    }
    // A point moved, one added and one deleted between two picks: the second pick sees the job
    // as it is now and never hands out the deleted record.
    CPointRecord* moved = doc.AddPoint("MOVED", 10, 10);
    CPointRecord* gone = doc.AddPoint("GONE", 200, 200);
    CPickQuery first = At(200, 200, 1);
    ASSERT_TRUE(map.OnPick808B(true, first));
    moved->SetLocation(CLocation(200.5, 200.5, NoValue), true);
    ASSERT_TRUE(doc.DeleteRecord(gone, false));
    doc.AddPoint("NEW", 199.5, 199.5);
    CPickQuery second = At(200, 200, 1);
    ASSERT_TRUE(map.OnPick808B(true, second));
    EXPECT_EQ(Names(second), (std::vector<std::string>{"MOVED", "NEW"}));
    CPickQuery old = At(10, 10, 0.5);
    EXPECT_FALSE(map.OnPick808B(true, old));
}
