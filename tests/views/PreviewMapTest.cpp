#include "views/PreviewMapCore.h"
#include "views/ScratchGeometry.h"

#include "MapFakes.h"
#include "core/MathConversions.h"
#include "model/PointRecord.h"
#include "model/PointDatabase.h"
#include "model/TestJobDoc.h"

#include <gtest/gtest.h>

using namespace morvel::test;

namespace {

struct PreviewFixture : ::testing::Test
{
    ScopedSettings scoped;
    TestJobDoc doc;
    FakeHost host;
    CPreviewMapCore map{&host};

    PreviewFixture()
    {
        doc.settings.SetDistanceUnit(JobUnitMetres);
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 800, 600});
    }

    RecordingSurface& Surface() { return host.lastLayer->surface; }

    CPickQuery Box(double x, double y, double half)
    {
        CPickQuery q;
        q.location = CLocation(x, y, NoValue);
        q.tolerance = CLocation(-half, half, NoValue);
        return q;
    }
};

} // namespace

TEST_F(PreviewFixture, TheSearchAnswersTheTagsInTheBoxSortedAscending)
{
    map.AddPreviewLocation(CLocation(10, 10, NoValue), 0, 7);
    map.AddPreviewLocation(CLocation(10.5, 10, NoValue), 0, 3);
    map.AddMarker(CLocation(10, 10, NoValue), 0); // not searchable
    CPickQuery q = Box(10.25, 10, 0.25);          // both markers lie on the box edge
    ASSERT_TRUE(map.OnFindPreview808A(&q));
    EXPECT_EQ(q.rawHits, (std::vector<uint32_t>{3, 7}));

    CPickQuery far = Box(50, 50, 1);
    EXPECT_FALSE(map.OnFindPreview808A(&far));
    EXPECT_FALSE(map.OnFindPreview808A(nullptr));
}

TEST_F(PreviewFixture, LinesAndRaysAreFoundWhereTheyCrossTheBox)
{
    // As the raw records hand them over: palette colours and raw line numbers.
    CRawDataDrawTarget& target = map;
    target.AddPreviewLine(CLocation(0, 0, NoValue), CLocation(20, 0, NoValue), 4, 1, 11);
    target.AddPreviewInfiniteLine(CLocation(0, 30, NoValue), 0.0, 0, 4, 1, 12);
    map.AddLine(CLocation(0, 0, NoValue), CLocation(20, 0, NoValue), 0xFF, 1); // not searchable
    CPickQuery mid = Box(10, 0.3, 0.5); // the foot of the perpendicular lies in the box
    ASSERT_TRUE(map.OnFindPreview808A(&mid));
    EXPECT_EQ(mid.rawHits, (std::vector<uint32_t>{11}));
    CPickQuery beyond = Box(25, 0, 0.5); // past the segment's end
    EXPECT_FALSE(map.OnFindPreview808A(&beyond));
    CPickQuery ray = Box(60, 30, 0.5);
    ASSERT_TRUE(map.OnFindPreview808A(&ray));
    EXPECT_EQ(ray.rawHits, (std::vector<uint32_t>{12}));
    CPickQuery behind = Box(-10, 30, 0.5);
    EXPECT_FALSE(map.OnFindPreview808A(&behind));
}

TEST_F(PreviewFixture, PreviewsDrawInTheirOrderAndScratchCirclesNeedARadius)
{
    map.AddMarker(CLocation(50, 50, NoValue), 600);
    map.AddMarker(CLocation(60, 50, NoValue), IconNoCentrePixel);
    map.AddLabelledMarker(CLocation(40, 50, NoValue), "top", "under", 0);
    map.AddScratchCircle(CLocation(50, 50, NoValue), 10);
    map.AddScratchCircle(CLocation(50, 50, NoValue), 0.00005);
    map.AddScratchCircle(CLocation(50, 50, NoValue), NoValue);
    map.AddScratchLine(CLocation(0, 0, NoValue), CLocation(100, 100, NoValue));
    map.AddConstructionLine(CLocation(0, 100, NoValue), CLocation(100, 0, NoValue));
    map.AddLine(CLocation(-1e6, 50, NoValue), CLocation(1e6, 50, NoValue), 0x123456, 3);
    map.Refresh();

    const auto& calls = Surface().calls;
    std::vector<std::string> kinds;
    for (const auto& c : calls)
        kinds.push_back(c.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"line", "line", "circle", "line", "pixel", "icon", "icon", "pixel",
                                               "text", "text"}));
    // The long line is cut just outside the window.
    EXPECT_EQ(calls[0].a.x, -10);
    EXPECT_EQ(calls[0].b.x, 810);
    EXPECT_EQ(calls[0].size, 3);
    EXPECT_EQ(calls[1].size, 2);                 // scratch lines are 2 wide
    EXPECT_EQ(calls[1].colour, 0u);              // in the "Scratch" colour
    EXPECT_EQ(calls[2].size, 60);                // 10 units at 6 pixels a unit
    EXPECT_EQ(calls[3].colour, 252u);            // construction colour
    const DevicePoint centre = map.GetMapping().WorldToDevice(50, 50);
    EXPECT_EQ(calls[4].a, centre);               // the marker's centre pixel, black
    EXPECT_EQ(calls[5].a, (DevicePoint{centre.x - 8, centre.y - 8}));
    EXPECT_EQ(calls[8].anchor, CMapSurface::TextAnchor::BottomLeft);
    EXPECT_EQ(calls[8].text, "top");
    EXPECT_EQ(calls[9].anchor, CMapSurface::TextAnchor::TopLeft);
    EXPECT_EQ(calls[9].a.x, map.GetMapping().WorldToDevice(40, 50).x + 8);
}

TEST_F(PreviewFixture, PreviewPointsDrawTheirRecordAndIcon)
{
    auto* p = new CPointRecord("X9", "", CLocation(30, 30, NoValue), true);
    map.AddPreviewPoint(p, 77, true);
    map.Refresh();
    EXPECT_EQ(Surface().Count("line"), 2u);
    ASSERT_EQ(Surface().Count("icon"), 1u);
    EXPECT_EQ(Surface().Of("text").at(0).text.substr(0, 2), "X9");
}

TEST_F(PreviewFixture, EachClearTakesEveryKindOfItsOwnAndNoOther)
{
    const CLocation a(50, 50, NoValue), b(60, 40, NoValue);
    struct Kind
    {
        const char* name;
        void (*add)(CPreviewMapCore&, const CLocation&, const CLocation&);
        bool scratch;
    };
    const Kind kinds[] = {
        {"marker", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddMarker(a, 600); }, false},
        {"marker with offset", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddMarkerWithOffset(a, 600, 3, 4); }, false},
        {"labelled marker", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddLabelledMarker(a, "1", "2", 0); }, false},
        {"marker label", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddMarkerLabel(a, "2", 0); }, false},
        {"preview location", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddPreviewLocation(a, 600, 7); }, false},
        {"preview location with offset", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddPreviewLocationEx(a, 600, 0, -8, 7); }, false},
        {"top marker", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddTopMarker(a, 600); }, false},
        {"top labelled marker", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddTopLabelledMarker(a, "1", "2", 0); }, false},
        {"top marker label", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddTopMarkerLabel(a, "2", 0); }, false},
        {"preview point", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddPreviewPoint(new CPointRecord("X9", "", a, true), 77, true); }, false},
        {"line", [](CPreviewMapCore& m, const CLocation& a, const CLocation& b) { m.AddLine(a, b, 0x123456, 1); }, false},
        {"preview line", [](CPreviewMapCore& m, const CLocation& a, const CLocation& b) { m.AddPreviewLine(a, b, 4, 1, 11); }, false},
        {"ray", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddRay(a, 0.5, false, 0xFF, 1); }, false},
        {"searchable ray", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddSearchableRay(a, 0.5, true, 0xFF, 1, 12); }, false},
        {"preview infinite line", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddPreviewInfiniteLine(a, 0.5, 1, 4, 1, 12); }, false},
        {"scratch line", [](CPreviewMapCore& m, const CLocation& a, const CLocation& b) { m.AddScratchLine(a, b); }, true},
        {"scratch circle", [](CPreviewMapCore& m, const CLocation& a, const CLocation&) { m.AddScratchCircle(a, 10); }, true},
        {"construction line", [](CPreviewMapCore& m, const CLocation& a, const CLocation& b) { m.AddConstructionLine(a, b); }, true},
    };
    // Each kind alone, then every kind together: a clear must not stop at the first list it empties.
    for (size_t alone = 0; alone <= std::size(kinds); ++alone) {
        const bool together = alone == std::size(kinds);
        SCOPED_TRACE(together ? "every kind" : kinds[alone].name);
        CPreviewMapCore fresh{&host};
        fresh.SetDocument(&doc);
        fresh.SetViewKind(0);
        fresh.OnLayout(DeviceRect{0, 0, 800, 600});
        // What the map draws of its previews: the preview passes and the top layer.
        auto drawn = [&fresh] {
            RecordingSurface surface;
            bool more = false;
            fresh.DrawPreviewStep(surface, more, true);
            fresh.DrawTopLayer(surface);
            return surface.calls.size();
        };
        const size_t nothing = drawn();
        if (together) {
            for (const Kind& kind : kinds)
                kind.add(fresh, a, b);
            EXPECT_TRUE(fresh.ClearPreviews());
            EXPECT_FALSE(fresh.HasPreviews());
            EXPECT_EQ(fresh.GetScratchCount(), 3u);
            EXPECT_TRUE(fresh.ClearScratchGeometry());
            EXPECT_EQ(fresh.GetScratchCount(), 0u);
            EXPECT_EQ(drawn(), nothing);
            continue;
        }
        const Kind& kind = kinds[alone];
        auto own = [&] { return kind.scratch ? fresh.ClearScratchGeometry() : fresh.ClearPreviews(); };
        auto other = [&] { return kind.scratch ? fresh.ClearPreviews() : fresh.ClearScratchGeometry(); };

        kind.add(fresh, a, b);
        ASSERT_GT(drawn(), nothing);
        EXPECT_EQ(fresh.HasPreviews(), !kind.scratch);
        // The other clear finds its lists empty: it answers false, keeps the kind and does not redraw.
        int redraws = host.redraws;
        EXPECT_FALSE(other());
        EXPECT_GT(drawn(), nothing);
        EXPECT_EQ(host.redraws, redraws);
        // The clear of the kind takes it; clearing scratch geometry redraws the map.
        EXPECT_TRUE(own());
        EXPECT_EQ(drawn(), nothing);
        EXPECT_FALSE(fresh.HasPreviews());
        EXPECT_EQ(fresh.GetScratchCount(), 0u);
        EXPECT_EQ(host.redraws > redraws, kind.scratch);
        EXPECT_FALSE(own());
    }
}

TEST_F(PreviewFixture, PreviewExtentsIgnoreLocationsWithoutCoordinates)
{
    CExtent2D extent;
    map.GetPreviewExtents(extent);
    EXPECT_TRUE(extent.empty);

    doc.AddPoint("5", 200, 300);
    map.GetPreviewExtents(extent);
    EXPECT_DOUBLE_EQ(extent.left, 199);
    EXPECT_DOUBLE_EQ(extent.top, 301);

    CExtent2D markers;
    map.AddMarker(CLocation(NoValue, NoValue, NoValue), 0);
    map.AddPreviewPoint(new CPointRecord("Q", "", CLocation(NoValue, 5, NoValue), true), 0, true);
    map.AddMarker(CLocation(10, 20, NoValue), 0);
    map.AddTopMarker(CLocation(30, 60, NoValue), 0);
    map.GetPreviewExtents(markers);
    EXPECT_DOUBLE_EQ(markers.left, 10);
    EXPECT_DOUBLE_EQ(markers.right, 30);
    EXPECT_DOUBLE_EQ(markers.bottom, 20);
    EXPECT_DOUBLE_EQ(markers.top, 60);
}

TEST_F(PreviewFixture, ZoomExtentsTakesInTheJobAndThePreviews)
{
    doc.AddPoint("1", 0, 0);
    doc.AddPoint("2", 100, 100);
    map.AddMarker(CLocation(300, 50, NoValue), 0);
    map.ZoomExtents(true);
    EXPECT_DOUBLE_EQ(map.GetWindow().x1, -37.5);
    EXPECT_DOUBLE_EQ(map.GetWindow().x2, 337.5);

    map.SetUseMapZoomExtents(false);
    map.ZoomToPreviews(); // one marker: 2 by 2, then 15 % on each side
    EXPECT_DOUBLE_EQ(map.GetWindow().x1, 299 - 0.3);
    EXPECT_DOUBLE_EQ(map.GetWindow().x2, 301 + 0.3);
}

namespace {

struct ScratchFixture : PreviewFixture
{
    OpenDocumentScope open{&doc};
    ScratchFixture()
    {
        SetActivePreviewMapHook([this] { return &map; });
        doc.AddPoint("1", 10, 10);
        doc.AddPoint("2", 20, 20);
        doc.SetModifiedFlagOnly(false);
    }
    ~ScratchFixture() override { SetActivePreviewMapHook(nullptr); }
};

} // namespace

TEST_F(ScratchFixture, ScratchGeometryFollowsTheDisplaySwitchesAndNeverMarksTheJob)
{
    scoped.settings.SetShowScratchLines(true);
    scoped.settings.SetShowConstructionLines(true);
    AddScratchLineBetweenPoints("1", "2");
    AddScratchLine(CLocation(5, 5, NoValue), CLocation(5, 5, NoValue)); // no length: not added
    AddScratchCircle(CLocation(5, 5, NoValue), 0);                        // radius 0 is kept
    AddConstructionLineFromPoint("1", "2");
    AddScratchCircleAtPoint("NOPE", 3);
    EXPECT_EQ(map.GetScratchCount(), 3u);
    EXPECT_FALSE(doc.IsModified());

    EraseScratchLines();
    EXPECT_EQ(map.GetScratchCount(), 0u);
    EXPECT_FALSE(doc.IsModified());

    scoped.settings.SetShowScratchLines(false);
    scoped.settings.SetShowConstructionLines(false);
    AddScratchLineBetweenPoints("NOT", "THERE");
    AddScratchLine(CLocation(0, 0, NoValue), CLocation(1, 1, NoValue));
    AddConstructionLine(CLocation(0, 0, NoValue), CLocation(1, 1, NoValue));
    EXPECT_EQ(map.GetScratchCount(), 0u);
}

TEST_F(ScratchFixture, ImmediateRedrawsReachTheActiveMap)
{
    CPointRecord* p = doc.GetPointDatabase()->FindPoint("1", true);
    map.Refresh();
    Surface().calls.clear();
    EraseObjectOnActiveMap(p, 1);
    ASSERT_EQ(Surface().Count("line"), 2u);
    EXPECT_EQ(Surface().Of("line")[0].colour, 253u);
    Surface().calls.clear();
    RedrawActiveMapSelection(false); // nothing selected
    EXPECT_EQ(Surface().Count("line"), 0u);
    SetActivePreviewMapHook(nullptr);
    EraseObjectOnActiveMap(p, 1); // no map: nothing happens
    EXPECT_EQ(Surface().Count("line"), 0u);
}
