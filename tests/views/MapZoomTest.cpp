#include "views/PreviewMapCore.h"

#include "MapFakes.h"
#include "model/DataFileSelOperator.h"
#include "model/PointDatabase.h"
#include "model/RecordDatabase.h"
#include "model/TestJobDoc.h"
#include "model/HintCodes.h"
#include "core/MathConversions.h"

#include <gtest/gtest.h>

using namespace morvel::test;

namespace {

struct MapFixture : ::testing::Test
{
    ScopedSettings scoped;
    TestJobDoc doc;
    FakeHost host;
    CPreviewMapCore map{&host};

    MapFixture()
    {
        doc.settings.SetDistanceUnit(JobUnitMetres);
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 800, 600});
    }

    double VisibleWidth() const { return map.GetVisibleBottomRight().x - map.GetVisibleTopLeft().x; }
    double VisibleHeight() const { return map.GetVisibleTopLeft().y - map.GetVisibleBottomRight().y; }
};

void ExpectWindow(const CWorldRect& w, double x1, double x2, double y1, double y2)
{
    EXPECT_DOUBLE_EQ(w.x1, x1);
    EXPECT_DOUBLE_EQ(w.x2, x2);
    EXPECT_DOUBLE_EQ(w.y1, y1);
    EXPECT_DOUBLE_EQ(w.y2, y2);
}

} // namespace

TEST_F(MapFixture, TheFirstLayoutShowsTheDefaultWindowAndClearsTheHistory)
{
    ExpectWindow(map.GetWindow(), 0, 100, 100, 0);
    EXPECT_TRUE(map.GetMapping().IsValid());
    EXPECT_FALSE(map.GetZoomHistory().CanUndo());
    // The square fit shows the whole 100 by 100 window, with room to spare left and right.
    EXPECT_DOUBLE_EQ(VisibleHeight(), 100);
    EXPECT_NEAR(VisibleWidth(), 100 * 800.0 / 600.0, 1e-9);
    ASSERT_NE(host.lastLayer, nullptr);
    EXPECT_EQ(host.lastLayer->backgroundFills, 1);
}

TEST_F(MapFixture, ZoomInAndOutByAPercentage)
{
    const double w = VisibleWidth(), h = VisibleHeight();
    ASSERT_TRUE(map.ZoomIn(25));
    EXPECT_NEAR(VisibleWidth(), w / 2, 1e-9);
    EXPECT_NEAR(VisibleHeight(), h / 2, 1e-9);
    EXPECT_TRUE(map.GetZoomHistory().CanUndo());

    const int redraws = host.redraws;
    const int steps = map.GetZoomHistory().GetCount();
    EXPECT_FALSE(map.ZoomIn(50)); // nothing would be left
    EXPECT_EQ(host.redraws, redraws);
    EXPECT_EQ(map.GetZoomHistory().GetCount(), steps);

    ASSERT_TRUE(map.ZoomOut(25));
    EXPECT_NEAR(VisibleWidth(), w / 2 * 1.5, 1e-9);
    EXPECT_NEAR(VisibleHeight(), h / 2 * 1.5, 1e-9);
}

TEST_F(MapFixture, ExtentsOfTwoPointsAddAnEighthOnEachSide)
{
    CPointRecord* a = doc.AddPoint("1", 1000, 2000);
    CPointRecord* b = doc.AddPoint("2", 1400, 2300);
    map.ZoomExtents(true);
    ExpectWindow(map.GetWindow(), 950, 1450, 1962.5, 2337.5);
    EXPECT_EQ(map.GetMapping().WorldToDevice(a->GetEasting(), a->GetNorthing()), (DevicePoint{80, 540}));
    EXPECT_EQ(map.GetMapping().WorldToDevice(b->GetEasting(), b->GetNorthing()), (DevicePoint{720, 60}));
    EXPECT_TRUE(map.GetZoomHistory().CanUndo());

    // A realtime zoom step of 50 pixels upwards shrinks the window by a tenth of its size.
    map.OnRealtimeZoom8088(CDragStep{400, 300, 400, 250, true});
    ExpectWindow(map.GetWindow(), 975, 1425, 2318.75, 1981.25);
    // 500 pixels up would leave nothing: ignored.
    const CWorldRect before = map.GetWindow();
    map.OnRealtimeZoom8088(CDragStep{400, 550, 400, 50, true});
    ExpectWindow(map.GetWindow(), before.x1, before.x2, before.y1, before.y2);
    // 600 pixels up would turn the window inside out, not zoom in: refused too.
    map.OnRealtimeZoom8088(CDragStep{400, 650, 400, 50, true});
    ExpectWindow(map.GetWindow(), before.x1, before.x2, before.y1, before.y2);
}

TEST_F(MapFixture, ExtentsOfOnePointAndOfNone)
{
    map.ZoomExtents(true);
    ExpectWindow(map.GetWindow(), -1.25, 1.25, -1.25, 1.25);
    doc.AddPoint("7", 500, 600);
    // A point without plane coordinates adds nothing.
    doc.AddPoint("8", NoValue, NoValue);
    map.ZoomExtents(true);
    ExpectWindow(map.GetWindow(), 498.75, 501.25, 598.75, 601.25);
    // The fit shows more along the longer side of the client area.
    EXPECT_NEAR(VisibleHeight(), 2.5, 1e-9);
    EXPECT_GT(VisibleWidth(), 2.5);
}

TEST_F(MapFixture, ExtentsWithoutHistorySendHintThreeAndDoNotDraw)
{
    doc.AddPoint("1", 10, 10);
    map.ZoomExtents(true);
    const int redraws = host.redraws;
    const int steps = map.GetZoomHistory().GetCount();
    doc.AddPoint("2", 30, 40);
    map.ZoomExtents(false);
    EXPECT_EQ(host.redraws, redraws);
    EXPECT_EQ(map.GetZoomHistory().GetCount(), steps);
    ExpectWindow(map.GetWindow(), 7.5, 32.5, 6.25, 43.75);
}

TEST_F(MapFixture, ZoomPreviousAndNextWalkTheHistory)
{
    doc.AddPoint("1", 1000, 2000);
    doc.AddPoint("2", 1400, 2300);
    map.ZoomExtents(true);
    map.ZoomIn(25);
    const CWorldRect zoomed = map.GetWindow();
    ASSERT_TRUE(map.ZoomPrevious());
    ExpectWindow(map.GetWindow(), 950, 1450, 2337.5, 1962.5);
    ASSERT_TRUE(map.ZoomPrevious());
    EXPECT_FALSE(map.ZoomPrevious());
    ASSERT_TRUE(map.ZoomNext());
    ASSERT_TRUE(map.ZoomNext());
    EXPECT_FALSE(map.ZoomNext());
    EXPECT_NEAR(map.GetWindow().x1, zoomed.x1, 1e-9);
}

TEST_F(MapFixture, AResizeKeepsTheScaleAndTheTopLeftCorner)
{
    doc.AddPoint("1", 1000, 2000);
    doc.AddPoint("2", 1400, 2300);
    map.ZoomExtents(true);
    map.ZoomIn(25);
    const double sx = map.GetMapping().sx;
    const CLocation tl = map.GetVisibleTopLeft();
    map.OnLayout(DeviceRect{0, 0, 1000, 700});
    EXPECT_NEAR(map.GetMapping().sx, sx, 1e-9);
    EXPECT_NEAR(map.GetVisibleTopLeft().x, tl.x, 1e-6);
    EXPECT_NEAR(map.GetVisibleTopLeft().y, tl.y, 1e-6);
    // The history was stretched with it: going back keeps the scale of the new size.
    ASSERT_TRUE(map.ZoomPrevious());
    EXPECT_NEAR(map.GetMapping().sx, 1.6, 1e-9);
}

TEST_F(MapFixture, LayoutWaitsWhileDeferred)
{
    const CWorldRect before = map.GetWindow();
    map.SetDeferLayout(true);
    map.OnLayout(DeviceRect{0, 0, 400, 300});
    EXPECT_EQ(map.GetClientRect(), (DeviceRect{0, 0, 800, 600}));
    map.SetDeferLayout(false);
    EXPECT_EQ(map.GetClientRect(), (DeviceRect{0, 0, 400, 300}));
    EXPECT_NEAR(map.GetWindow().x2 - map.GetWindow().x1, (before.x2 - before.x1) / 2, 1e-9);
}

TEST_F(MapFixture, AWheelNotchZoomsTenPercentASide)
{
    const double w = VisibleWidth();
    map.OnMouseWheelZoom(-120);
    EXPECT_NEAR(VisibleWidth(), w * 1.2, 1e-6);
    map.OnMouseWheelZoom(120);
    EXPECT_NEAR(VisibleWidth(), w * 1.2 * 0.8, 1e-6);
}

TEST_F(MapFixture, ZoomToAClientRectangleAndPan)
{
    CPickQuery q;
    q.rect = DeviceRect{100, 100, 300, 250};
    const CLocation tl = map.GetMapping().DeviceToWorld(100, 100);
    map.OnZoomWindow8087(q);
    EXPECT_NEAR(map.GetVisibleTopLeft().y, tl.y, 1e-9);
    const CWorldRect before = map.GetWindow();
    map.OnRealtimePan8089(CDragStep{100, 100, 150, 100, false});
    const double moved = 50 / map.GetMapping().sx;
    EXPECT_NEAR(map.GetWindow().x1, before.x1 - moved, 1e-9);
}

TEST_F(MapFixture, ZoomToAPointInADenseClusterShowsAtMostFivePoints)
{
    int n = 0;
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 40; ++j)
            doc.AddPoint(std::to_string(++n).c_str(), 1000 + i * 0.5, 2000 + j * 0.5);
    map.ZoomExtents(true);
    CPointRecord* target = doc.GetPointDatabase()->FindPoint("820", true);
    ASSERT_NE(target, nullptr);
    map.ZoomToPointRecord(target);
    const CLocation tl = map.GetVisibleTopLeft(), br = map.GetVisibleBottomRight();
    const CWorldRect w = map.GetWindow();
    EXPECT_LT(doc.GetRecordDatabase()->CountInside(std::min(w.x1, w.x2), std::max(w.y1, w.y2), std::max(w.x1, w.x2),
                                                    std::min(w.y1, w.y2), false),
              6);
    EXPECT_LE(tl.x, target->GetEasting());
    EXPECT_GE(br.x, target->GetEasting());
    ASSERT_EQ(host.rings.size(), 1u);
    EXPECT_EQ(host.rings[0], map.GetMapping().WorldToDevice(target->GetEasting(), target->GetNorthing()));
    // A point without coordinates is not zoomed to.
    CPointRecord* none = doc.AddPoint("X1", NoValue, NoValue);
    map.ZoomToPointRecord(none);
    EXPECT_EQ(host.rings.size(), 1u);
}

TEST_F(MapFixture, QueriesConvertAndAnswerOutsidePoints)
{
    CPickQuery q;
    q.point = DevicePoint{100, 600};
    map.OnDeviceToWorld8083(q);
    map.OnWorldToDevice8084(q);
    EXPECT_EQ(q.point, (DevicePoint{100, 600}));
    EXPECT_FALSE(map.OnIsOutside80B1(0, 0));
    EXPECT_FALSE(map.OnIsOutside80B1(799, 599));
    EXPECT_TRUE(map.OnIsOutside80B1(800, 10));
    EXPECT_TRUE(map.OnIsOutside80B1(10, 600));
    EXPECT_TRUE(map.OnIsOutside80B1(-1, 10));
    EXPECT_TRUE(map.OnGetExchange8085(q));
    EXPECT_EQ(q.exchange, &host.exchange);
    map.OnGetViewKind8086(q);
    EXPECT_EQ(q.viewKind, 0);
    ASSERT_TRUE(map.OnUnitText808D(q));
    EXPECT_EQ(q.text, "m");
}

TEST_F(MapFixture, PickToleranceIsHalfThePickBoxInWorldUnits)
{
    // 10 pixel pick box; the default window shows 100 units on 600 pixels.
    UpdatePickTolerance(map);
    EXPECT_NEAR(host.exchange.GetToleranceX(), 5 * 100.0 / 600.0, 1e-9);
    EXPECT_NEAR(host.exchange.GetToleranceY(), 5 * 100.0 / 600.0, 1e-9);
}

TEST_F(MapFixture, TheJobViewsHintsReachTheMap)
{
    doc.AddPoint("1", 1000, 2000);
    doc.AddPoint("2", 1400, 2300);
    map.OnJobViewHint(HintPointsAddedInBulk, 0, false);
    ExpectWindow(map.GetWindow(), 950, 1450, 1962.5, 2337.5);
    EXPECT_TRUE(map.GetZoomHistory().CanUndo());
    map.OnJobViewHint(HintNewEnd, 0, false);
    EXPECT_FALSE(map.GetZoomHistory().CanUndo());

    map.OnJobViewHint(HintCode14, 0, false);
    map.OnLayout(DeviceRect{0, 0, 400, 300});
    EXPECT_EQ(map.GetClientRect().right, 800);
    map.OnJobViewHint(HintCode15, 0, false);
    EXPECT_EQ(map.GetClientRect().right, 400);

    const int redraws = host.redraws;
    map.OnJobViewHint(HintCoordinatesChanged, 0, true);
    EXPECT_EQ(host.redraws, redraws + 1);
    // Extents after a bulk addition from a command: the map waits for hint 3 to draw.
    doc.AddPoint("3", 3000, 2000);
    map.OnJobViewHint(HintPointsAddedInBulk, 1, false);
    EXPECT_EQ(host.redraws, redraws + 1);
    map.OnJobViewHint(HintRefreshAll, 1, false);
    EXPECT_EQ(host.redraws, redraws + 2);
}
