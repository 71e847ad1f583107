#include "views/PreviewMapCore.h"

#include "MapFakes.h"
#include "model/DataFileHiSelection.h"
#include "model/Selection.h"
#include "model/DataFileSelOperator.h"
#include "model/PointDatabase.h"
#include "model/RecordDatabase.h"
#include "model/TestJobDoc.h"
#include "views/MapRecordView.h"
#include "core/MathConversions.h"

#include <gtest/gtest.h>

using namespace morvel::test;

namespace {

constexpr uint32_t Points = 5, Selected = 1, Background = 253;

struct DrawFixture : ::testing::Test
{
    ScopedSettings scoped;
    TestJobDoc doc;
    FakeHost host;
    CPreviewMapCore map{&host};

    DrawFixture()
    {
        doc.settings.SetDistanceUnit(JobUnitMetres);
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 800, 600});
    }
    // Selects through the job's operator, which mirrors into the records' flags.
    void Select(CRecord* record, bool on)
    {
        if (on)
            doc.GetSelOperator()->Select(record);
        else
            doc.GetSelOperator()->Deselect(record);
    }

    RecordingSurface& Surface() { return host.lastLayer->surface; }
};

} // namespace

TEST_F(DrawFixture, APointIsAPlusSignWithItsLabelsBesideIt)
{
    CPointRecord* p = doc.AddPoint("17", 1000, 2000);
    p->SetDescription("IP");
    doc.AddPoint("18", 1400, 2300);
    map.ZoomExtents(true);
    const auto lines = Surface().Of("line");
    ASSERT_EQ(lines.size(), 4u);
    // h = 10: strokes from x - 2 to x + 3 and y - 2 to y + 3 around (80, 540).
    EXPECT_EQ(lines[0].a, (DevicePoint{78, 540}));
    EXPECT_EQ(lines[0].b, (DevicePoint{83, 540}));
    EXPECT_EQ(lines[1].a, (DevicePoint{80, 538}));
    EXPECT_EQ(lines[1].b, (DevicePoint{80, 543}));
    EXPECT_EQ(lines[0].colour, Points);
    const auto texts = Surface().Of("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].a, (DevicePoint{85, 535}));
    EXPECT_EQ(texts[0].text, "17\nIP");
    EXPECT_EQ(texts[1].text, "18\n");
}

TEST_F(DrawFixture, ElevationsAreAddedAndTheLabelOptionsDecide)
{
    doc.AddPoint("1", 50, 50, 12.5);
    scoped.settings.SetShowPointDesc(false);
    scoped.settings.SetShowPointElev(true);
    map.Refresh();
    ASSERT_EQ(Surface().Of("text").size(), 1u);
    EXPECT_EQ(Surface().Of("text")[0].text.rfind("1\n12.5", 0), 0u);

    // Without names the symbol stays but no label is written.
    scoped.settings.SetShowPointIdLabels(false);
    map.Refresh();
    EXPECT_EQ(Surface().Count("line"), 2u);
    EXPECT_EQ(Surface().Count("text"), 0u);

    // With all three options off nothing at all is drawn.
    scoped.settings.SetShowPointElev(false);
    map.Refresh();
    EXPECT_TRUE(Surface().calls.empty());
}

TEST_F(DrawFixture, SelectedPointsTakeTheSecondColourAndModesChooseWhatIsDrawn)
{
    CPointRecord* a = doc.AddPoint("1", 20, 20);
    CPointRecord* b = doc.AddPoint("2", 40, 40);
    Select(a, true);
    map.Refresh();
    auto lines = Surface().Of("line");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].colour, Selected);
    EXPECT_EQ(lines[2].colour, Points);
    // The full redraw brought the highlight in line with the selection.
    EXPECT_TRUE(doc.GetHiSelection()->IsSelected(a));

    // Mode 3 draws the selected points only.
    Surface().calls.clear();
    map.DrawWithState(CDrawState(0, DrawModeSelected, nullptr, 0, 0, DrawColourPlain));
    lines = Surface().Of("line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].colour, Points);

    // Mode 2 draws one record, in the erase colour here.
    Surface().calls.clear();
    map.DrawWithState(CDrawState(0, DrawModeOneRecord, b, 0, 0, DrawColourErase));
    lines = Surface().Of("line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].colour, Background);
    EXPECT_EQ(lines[0].a.x, map.GetMapping().WorldToDevice(40, 40).x - 2); // h / 3 = 3: from x - 3 + 1

    // Mode 8 draws the points in exactly one of selection and highlight, and syncs the highlight.
    Select(a, false);
    Select(b, true);
    Surface().calls.clear();
    map.DrawWithState(CDrawState(0, DrawModeResyncHighlight, nullptr, 0, 0, DrawColourNormal));
    lines = Surface().Of("line");
    ASSERT_EQ(lines.size(), 4u);
    // Each in its new colour: the point just deselected no longer shows as selected.
    EXPECT_EQ(lines[0].colour, Points);
    EXPECT_EQ(lines[2].colour, Selected);
    EXPECT_FALSE(doc.GetHiSelection()->IsSelected(a));
    EXPECT_TRUE(doc.GetHiSelection()->IsSelected(b));
    // Both in step now: a second pass draws nothing.
    Surface().calls.clear();
    map.DrawWithState(CDrawState(0, DrawModeResyncHighlight, nullptr, 0, 0, DrawColourNormal));
    EXPECT_EQ(Surface().Count("line"), 0u);
    // A point selected and highlighted at once is not drawn either.
    Select(a, true);
    doc.GetHiSelection()->Select(a, true);
    map.DrawWithState(CDrawState(0, DrawModeResyncHighlight, nullptr, 0, 0, DrawColourNormal));
    EXPECT_EQ(Surface().Count("line"), 0u);
}

TEST_F(DrawFixture, PointsOutsideTheWindowAndWithoutCoordinatesAreSkipped)
{
    doc.AddPoint("1", 50, 50);
    doc.AddPoint("2", 5000, 50);
    doc.AddPoint("3", NoValue, NoValue);
    map.Refresh();
    EXPECT_EQ(Surface().Count("line"), 2u);
}

TEST_F(DrawFixture, ARequestForADeletedRecordDrawsNothing)
{
    CPointRecord* a = doc.AddPoint("1", 50, 50);
    doc.DeleteRecord(a, false);
    host.lastLayer->surface.calls.clear();
    map.DrawWithState(CDrawState(0, DrawModeOneRecord, a, 0, 0, DrawColourNormal));
    EXPECT_TRUE(Surface().calls.empty());
    EXPECT_FALSE(map.HasPendingDrawing());
}

TEST_F(DrawFixture, EscEndsALongRedrawKeepingWhatIsDrawn)
{
    for (int i = 0; i < 3 * CMapCtrlMemoryView::StepRecords; ++i)
        doc.AddPoint(std::to_string(i + 1).c_str(), 10 + (i % 80), 10 + (i / 80) * 0.5);
    int asked = 0;
    host.escape = [&asked] { return ++asked == 2; }; // the first question is Begin's
    host.lastLayer = nullptr;
    map.GetLayer()->Reset();
    // A new layer picks up the Esc key from the host.
    CPreviewMapCore fresh(&host);
    fresh.SetDocument(&doc);
    fresh.SetViewKind(0);
    fresh.OnLayout(DeviceRect{0, 0, 800, 600});
    ASSERT_NE(host.lastLayer, nullptr);
    const size_t drawn = host.lastLayer->surface.Count("line") / 2;
    EXPECT_EQ(drawn > 0, true);
    EXPECT_LT(drawn, size_t(3 * CMapCtrlMemoryView::StepRecords));
    EXPECT_FALSE(fresh.HasPendingDrawing());

    // The next request starts normally and runs to its end.
    host.lastLayer->escape = nullptr;
    host.lastLayer->surface.calls.clear();
    fresh.Refresh();
    EXPECT_GT(host.lastLayer->surface.Count("line") / 2, drawn);
}

TEST_F(DrawFixture, DrawARecordNowHighlightsIt)
{
    CPointRecord* a = doc.AddPoint("1", 50, 50);
    Surface().calls.clear();
    CPickQuery q;
    q.result = a;
    q.flag = true;
    ASSERT_TRUE(map.OnDrawRecord8090(q));
    ASSERT_EQ(Surface().Count("line"), 2u);
    EXPECT_EQ(Surface().Of("line")[0].colour, Selected);
    CPickQuery empty;
    EXPECT_FALSE(map.OnDrawRecord8090(empty));
}

TEST_F(DrawFixture, RecordsDrawThemselvesThroughTheActiveRecordView)
{
    CPointRecord* a = doc.AddPoint("1", 50, 50);
    CMapRecordView view(&map);
    SetActiveRecordViewHook([&view] { return &view; });
    Surface().calls.clear();
    a->DrawAlternate(false);
    SetActiveRecordViewHook(nullptr);
    ASSERT_EQ(Surface().Count("line"), 2u);
    EXPECT_EQ(Surface().Of("line")[0].colour, Background);
}

// Drawing polls for Esc and so lets events run in the middle of a step: the job may close and
// empty the queue, or ask for another redraw. Neither may break the queue.
TEST_F(DrawFixture, EventsDuringADrawingStepLeaveTheQueueWhole)
{
    for (int i = 0; i < 3 * CMapCtrlMemoryView::StepRecords; ++i)
        doc.AddPoint(std::to_string(i + 1).c_str(), 10 + (i % 80), 10 + (i / 80) * 0.5);
    FakeLayer* layer = host.lastLayer;
    ASSERT_NE(layer, nullptr);

    // The job closes while the first step draws.
    int asked = 0;
    layer->escape = [&] {
        if (++asked == 2)
            map.CancelQueuedDrawing();
        return false;
    };
    map.Refresh();
    EXPECT_FALSE(layer->HasQueued());
    EXPECT_FALSE(map.HasPendingDrawing());

    // Another redraw asked for while one draws is drawn after it, whole.
    asked = 0;
    const int fills = layer->backgroundFills;
    layer->escape = [&] {
        if (++asked == 2)
            map.Refresh();
        return false;
    };
    map.Refresh();
    EXPECT_FALSE(layer->HasQueued());
    EXPECT_EQ(layer->backgroundFills, fills + 2);
    EXPECT_EQ(layer->surface.Count("line") / 2, size_t(3 * CMapCtrlMemoryView::StepRecords));
}
