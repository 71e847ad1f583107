#include "views/HoverIdentify.h"
#include "views/ObjectIdOwner.h"
#include "views/ObjectIdPages.h"
#include "views/ObjectInfoText.h"
#include "views/PreviewMapCore.h"

#include "MapFakes.h"
#include "core/DataFileFormat.h"
#include "core/MathConversions.h"
#include "model/PointRecord.h"
#include "model/TestJobDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace morvel::test;

namespace {

// The map side of a pick: a unit label, and the highlights it was asked for.
class FakeOwner : public CObjectIdOwner
{
public:
    bool GetObjectUnitLabel(std::string& out) override
    {
        out = label;
        return hasLabel;
    }
    bool HighlightObject(CRecord* record, bool on) override
    {
        highlights.push_back({record, on});
        return true;
    }
    bool IsDrawingPending() override { return pending; }

    std::string label = "m";
    bool hasLabel = true;
    bool pending = false;
    std::vector<std::pair<CRecord*, bool>> highlights;
};

struct ObjectTextFixture : ::testing::Test
{
    ScopedSettings scoped;
    TestJobDoc doc;
    OpenDocumentScope open{&doc};
    FakeOwner owner;

    ObjectTextFixture() { doc.settings.SetDistanceUnit(JobUnitMetres); }

    CPointRecord* Point(const char* name, const char* description, double e, double n, double z)
    {
        CPointRecord* p = doc.AddPoint(name, e, n, z);
        p->SetDescription(description);
        return p;
    }
    std::string Text(CRecord* record)
    {
        std::string text = "untouched";
        EXPECT_TRUE(BuildObjectInfoText(text, RecordRef{record, -1}, 0, 0, &owner));
        return text;
    }
    std::string Coordinate(double v) { return doc.GetDataFileFormat()->FormatCoordinate(v, false, false); }
    std::string Elevation(double v) { return doc.GetDataFileFormat()->FormatElevation(v, false, false); }
};

} // namespace

TEST_F(ObjectTextFixture, APointIsDescribedLineByLineNorthingFirst)
{
    CPointRecord* p = Point("P17", "FENCE", 1000.5, 2000.25, 12.125);
    const std::string expected = "Object type\tPoint\n"
                                 "------------\t------------\n"
                                 "Name\tP17\n"
                                 "Description\tFENCE\n"
                                 "------------\t------------\n"
                                 "Northing\t2000.250 m\n"
                                 "Easting\t1000.500 m\n"
                                 "Elevation\t12.125 m\n";
    EXPECT_EQ(Text(p), expected);

    // Easting first when the order flag is off; no owner leaves the values without a label.
    scoped.settings.SetCoordOrder(false);
    std::string text;
    ASSERT_TRUE(BuildObjectInfoText(text, RecordRef{p, -1}, 0, 0, nullptr));
    EXPECT_NE(text.find("Easting\t" + Coordinate(1000.5) + " \nNorthing\t" + Coordinate(2000.25) + " \n"),
              std::string::npos)
        << text;
}

TEST_F(ObjectTextFixture, MissingValuesAndArchitecturalFeet)
{
    // No description shows "---"; no elevation, or one exactly at the no-value limit, no line.
    CPointRecord* bare = Point("1", "", 10, 20, NoValue);
    CPointRecord* limit = Point("2", "X", 10, 20, NoValueLimit);
    const std::string bareText = Text(bare);
    EXPECT_NE(bareText.find("Description\t---\n"), std::string::npos);
    EXPECT_EQ(bareText.find("Elevation"), std::string::npos);
    EXPECT_EQ(Text(limit).find("Elevation"), std::string::npos);
    CPointRecord* low = Point("3", "X", 10, 20, -50.0);
    EXPECT_NE(Text(low).find("Elevation\t" + Elevation(-50.0) + " m\n"), std::string::npos);

    // Architectural units in a job kept in feet: each value ends with one blank and no label.
    doc.settings.SetDistanceUnit(JobUnitInternationalFeet);
    owner.label = "ft";
    scoped.settings.SetUseArchitecturalUnits(true);
    const std::string feet = Text(bare);
    const size_t north = feet.find("Northing\t");
    ASSERT_NE(north, std::string::npos);
    const std::string line = feet.substr(north, feet.find('\n', north) - north);
    EXPECT_EQ(line.back(), ' ') << line;
    EXPECT_EQ(line.find("ft"), std::string::npos) << line;
    // In metres the label stays even with architectural units asked for.
    doc.settings.SetDistanceUnit(JobUnitMetres);
    owner.label = "m";
    EXPECT_NE(Text(bare).find(" m\n"), std::string::npos);
}

TEST_F(ObjectTextFixture, OnlyPointsOfTheOpenJobAreDescribed)
{
    CPointRecord* p = Point("1", "A", 1, 2, NoValue);
    std::string text = "untouched";
    EXPECT_FALSE(BuildObjectInfoText(text, RecordRef{}, 0, 0, &owner));
    // A record the job has freed (or never held) is not read.
    CPointRecord stranger("9", "", CLocation(1, 2, NoValue), true);
    EXPECT_FALSE(BuildObjectInfoText(text, RecordRef{&stranger, -1}, 0, 0, &owner));
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(GetObjectChoiceText(RecordRef{p, -1}), "Point: 1");
    EXPECT_EQ(GetObjectChoiceText(RecordRef{}), "Unknown: ???");
}

TEST(ObjectTextNoJob, NothingIsDescribedWithoutAnOpenJob)
{
    ScopedSettings scoped;
    TestJobDoc doc;
    CPointRecord* p = doc.AddPoint("1", 1, 2);
    std::string text;
    EXPECT_FALSE(BuildObjectInfoText(text, RecordRef{p, -1}, 0, 0, nullptr));
}

TEST_F(ObjectTextFixture, EachPageKeepsTheObjectItDescribes)
{
    CPointRecord* a = Point("A", "", 1, 1, NoValue);
    CPointRecord* c = Point("C", "", 3, 3, NoValue);
    CPointRecord stranger("B", "", CLocation(2, 2, NoValue), true);
    CObjectIdPages pages;

    // One object: its description alone.
    ASSERT_EQ(pages.BuildPages({RecordRef{a, -1}}, 0, 0, &owner), 1);
    ASSERT_EQ(pages.GetCurrentPage()->text.GetCount(), 1);
    EXPECT_EQ(pages.GetCurrentPage()->text.Lines()[0].text.rfind("Object type\tPoint\n", 0), 0u);
    EXPECT_FALSE(pages.Step(true));
    EXPECT_EQ(pages.GetCurrentIndex(), 0);

    // Three objects, the middle one without a description: two pages, each with its own object and
    // its place among the three.
    ASSERT_EQ(pages.BuildPages({RecordRef{a, -1}, RecordRef{&stranger, -1}, RecordRef{c, -1}}, 0, 0, &owner), 2);
    const auto& first = pages.Pages()[0];
    const auto& second = pages.Pages()[1];
    EXPECT_EQ(first.object.record, a);
    EXPECT_EQ(second.object.record, c);
    EXPECT_EQ(first.text.Lines()[0].text, "Selection\t1 of 3\n");
    EXPECT_EQ(first.text.Lines()[0].color, SelectionLineColor);
    EXPECT_EQ(first.text.Lines()[1].color, WindowTextColor);
    EXPECT_EQ(second.text.Lines()[0].text, "Selection\t3 of 3\n");
    EXPECT_NE(second.text.Lines()[1].text.find("Name\tC\n"), std::string::npos);

    // Paging wraps both ways.
    EXPECT_TRUE(pages.Step(true));
    EXPECT_EQ(pages.GetCurrentPage()->object.record, c);
    EXPECT_TRUE(pages.Step(true));
    EXPECT_EQ(pages.GetCurrentPage()->object.record, a);
    EXPECT_TRUE(pages.Step(false));
    EXPECT_EQ(pages.GetCurrentPage()->object.record, c);

    // Nothing describable: no page and none current.
    EXPECT_EQ(pages.BuildPages({RecordRef{&stranger, -1}}, 0, 0, &owner), 0);
    EXPECT_EQ(pages.GetCurrentPage(), nullptr);
    EXPECT_FALSE(pages.Step(false));
}

TEST(TipLayout, SwatchesTabsAndEmptyLines)
{
    int32_t index = -1;
    std::string shown;
    EXPECT_TRUE(ParseColorSwatch("\r-5", index, shown));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(shown, "(5)");
    EXPECT_TRUE(ParseColorSwatch("\r   12", index, shown));
    EXPECT_EQ(index, 12);
    EXPECT_EQ(shown, "12");
    // Out of the palette, or no number at all: kept to the palette, the text as given.
    EXPECT_TRUE(ParseColorSwatch("\r-99999999999999999999", index, shown));
    EXPECT_EQ(index, 255);
    EXPECT_TRUE(ParseColorSwatch("\rred", index, shown));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(shown, "red");
    EXPECT_FALSE(ParseColorSwatch("-5", index, shown));
    EXPECT_FALSE(ParseColorSwatch("", index, shown));

    CColoredTextLines page;
    page.AddLine("Selection\t1 of 2\n", SelectionLineColor);
    page.AddLine("Colour\t\r-5\nNo tab\n\nhidden after the empty line\n", WindowTextColor);
    const std::vector<CTipLine> lines = SplitTipLines(page);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].left, "Selection");
    EXPECT_EQ(lines[0].right, "1 of 2");
    EXPECT_EQ(lines[0].color, SelectionLineColor);
    EXPECT_TRUE(lines[1].swatch);
    EXPECT_EQ(lines[1].swatchIndex, 5);
    EXPECT_EQ(lines[1].right, "(5)");
    EXPECT_FALSE(lines[2].hasTab);
    EXPECT_EQ(lines[2].left, "No tab");

    // Seven pixels a character, 13 high: labels with a value get five blanks of gap, values are
    // never narrower than a swatch.
    const auto measure = [](const std::string& s) { return DevicePoint{int32_t(s.size()) * 7, 13}; };
    const CTipMetrics m = MeasureTip(lines, measure, false);
    EXPECT_EQ(m.leftWidth, (9 + 5) * 7);
    EXPECT_EQ(m.rightWidth, 7 * 7); // " (255) " is wider than "1 of 2"
    EXPECT_EQ(m.lineCount, 3);
    EXPECT_EQ(m.box, (DevicePoint{14 * 7 + 7 * 7 + 16, 3 * 13 + 16}));
    EXPECT_EQ(m.window, (DevicePoint{m.box.x + 8, m.box.y + 8}));
    const CTipMetrics withIcon = MeasureTip({lines[2]}, measure, true);
    EXPECT_EQ(withIcon.box, (DevicePoint{6 * 7 + 7 * 7 + 16 + 40, 40}));
}

TEST(TipLayout, TheBoxFlipsAtTheParentsFarEdgesAndStaysInsideTheNearOnes)
{
    const DeviceRect parent{100, 50, 900, 650};
    const DevicePoint size{200, 100};
    struct Case
    {
        const char* name;
        DevicePoint position;
        DevicePoint expected;
    } cases[] = {
        {"room on both sides", {300, 300}, {300, 300}},
        {"exactly touching the right edge", {700, 300}, {700, 300}},
        {"one pixel past the right edge", {701, 300}, {485, 300}},
        {"past the bottom edge", {300, 600}, {300, 484}},
        {"past both far edges", {850, 620}, {634, 504}},
        {"left of the parent", {20, 300}, {100, 300}},
        {"above the parent", {300, 10}, {300, 50}},
        {"flipped beyond the left edge", {120, 300}, {120, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaceBesideCursor(c.position, size, parent), c.expected);
    }
    // A box wider than the parent flips and is then kept at the left edge.
    EXPECT_EQ(PlaceBesideCursor({500, 300}, {900, 100}, parent), (DevicePoint{100, 300}));
}

TEST(ObjectIdOwnerTest, AWatcherHearsWhenItsOwnerGoesAndNotAfterLeaving)
{
    struct Watcher : CObjectIdOwner::Watcher
    {
        std::vector<CObjectIdOwner*> gone;
        void OnObjectIdOwnerGone(CObjectIdOwner* owner) override { gone.push_back(owner); }
    } stays, leaves;
    CObjectIdOwner* address = nullptr;
    {
        FakeOwner owner;
        address = &owner;
        owner.AddWatcher(&stays);
        owner.AddWatcher(&stays);
        owner.AddWatcher(&leaves);
        owner.RemoveWatcher(&leaves);
    }
    EXPECT_EQ(stays.gone, std::vector<CObjectIdOwner*>{address});
    EXPECT_TRUE(leaves.gone.empty());
}

TEST(ObjectIdOwnerTest, AWatcherThatMovesToAnotherOwnerHearsOnlyThatOne)
{
    struct Watcher : CObjectIdOwner::Watcher
    {
        CObjectIdOwner* held = nullptr;
        std::vector<CObjectIdOwner*> gone;
        void Watch(CObjectIdOwner* owner) { WatchOwner(held, owner); }
        void OnObjectIdOwnerGone(CObjectIdOwner* owner) override { gone.push_back(owner); }
    } watcher;
    auto second = std::make_unique<FakeOwner>();
    {
        FakeOwner first;
        watcher.Watch(&first);
        watcher.Watch(&first);
        watcher.Watch(second.get());
        EXPECT_EQ(watcher.held, second.get());
    }
    EXPECT_TRUE(watcher.gone.empty());
    CObjectIdOwner* address = second.get();
    second.reset();
    EXPECT_EQ(watcher.gone, std::vector<CObjectIdOwner*>{address});
}

TEST_F(ObjectTextFixture, HoverFindsARawLineBeforeTheObjectsUnderIt)
{
    FakeHost host;
    CPreviewMapCore map{&host};
    map.SetDocument(&doc);
    map.SetViewKind(0);
    map.OnLayout(DeviceRect{0, 0, 800, 600});
    CPointRecord* a = Point("A", "", 10, 10, NoValue);
    CPointRecord* b = Point("B", "", 10.2, 10, NoValue);
    Point("far", "", 500, 500, NoValue);

    CHoverResult objects = IdentifyAtLocation(map, 10.1, 10, 0.5, 0.5);
    ASSERT_EQ(objects.kind, CHoverResult::Kind::Objects);
    ASSERT_EQ(objects.objects.size(), 2u);
    EXPECT_EQ(objects.icon, PickedObjectsIcon);
    EXPECT_EQ(IdentifyAtLocation(map, 300, 300, 0.5, 0.5).kind, CHoverResult::Kind::Nothing);
    (void)a;
    (void)b;

    // A raw line drawn through the spot wins; the job's raw data cannot describe line 7, so it
    // says so in dark red.
    map.AddPreviewLine(CLocation(0, 10, NoValue), CLocation(20, 10, NoValue), 3, 1, 7);
    const CHoverResult raw = IdentifyAtLocation(map, 10.1, 10, 0.5, 0.5);
    ASSERT_EQ(raw.kind, CHoverResult::Kind::RawLine);
    EXPECT_EQ(raw.rawLine, 7);
    EXPECT_EQ(raw.icon, UnrecognizedLineIcon);
    ASSERT_EQ(raw.lines.GetCount(), 1);
    EXPECT_EQ(raw.lines.Lines()[0].text.rfind("UNRECOGNIZED LINE!\n", 0), 0u);
    EXPECT_EQ(raw.lines.Lines()[0].color, UnrecognizedLineColor);
}
