// Keyed points: the tolerance and boxes of the location page, the add/edit store with its raw
// lines and steps, several points at once, and the quick-enter ring.
#include "TestUtil.h"
#include "rawdata/RawJob.h"

#include "cogo/PointEditing.h"
#include "cogo/PointLocationState.h"
#include "cogo/QuickEnterRing.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <optional>

using morvel::test::RawJob;

namespace {

CPointLocationInput At(double e, double n, double z, const char* description = "")
{
    CPointLocationInput input;
    input.easting = e;
    input.northing = n;
    input.elevation = z;
    input.description = description;
    return input;
}

TEST(ApplyLocationToRecord, ToleranceBoxesDescriptionCaseAndElevationOnly)
{
    struct Case
    {
        const char* name;
        CLocation start;
        CPointLocationInput input;
        bool edit;
        bool changed;
        bool moved;
        CLocation end;
        const char* description;
    };
    auto unticked = [](CPointLocationInput in, bool location, bool description) {
        in.changeLocation = location;
        in.changeDescription = description;
        return in;
    };
    auto elevationOnly = [](double z) {
        CPointLocationInput in = At(NoValue, NoValue, z, "tree");
        in.elevationOnly = true;
        in.changeDescription = false;
        return in;
    };
    const Case cases[] = {
        {"under tolerance", {100, 200, 10}, At(100.00009, 199.99991, 10.00009, "tree"), true, false, false,
         {100, 200, 10}, "tree"},
        {"at tolerance", {100, 200, 10}, At(100.0001, 200, 10, "tree"), true, true, true, {100.0001, 200, 10}, "tree"},
        {"two missing elevations", {1, 2, NoValue}, At(1, 2, NoValue, "tree"), true, false, false, {1, 2, NoValue},
         "tree"},
        {"elevation removed", {1, 2, 3}, At(1, 2, NoValue, "tree"), true, true, true, {1, 2, NoValue}, "tree"},
        {"location box unticked", {1, 2, 3}, unticked(At(5, 6, 7, "tree"), false, true), true, false, false,
         {1, 2, 3}, "tree"},
        {"description case", {1, 2, 3}, unticked(At(1, 2, 3, "TREE"), false, true), true, true, false, {1, 2, 3},
         "TREE"},
        {"description box unticked", {1, 2, 3}, unticked(At(1, 2, 3, "POLE"), true, false), true, false, false,
         {1, 2, 3}, "tree"},
        {"new point ignores the boxes", {NoValue, NoValue, NoValue}, unticked(At(5, 6, NoValue, "POLE"), false, false),
         false, true, true, {5, 6, NoValue}, "POLE"},
        {"elevation only", {1, 2, 3}, elevationOnly(12), true, true, true, {1, 2, 12}, "tree"},
        {"elevation only, same", {1, 2, 3}, elevationOnly(3.00005), true, false, false, {1, 2, 3}, "tree"},
        {"elevation only, emptied", {1, 2, 3}, elevationOnly(NoValue), true, true, false, {1, 2, NoValue}, "tree"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPointRecord point("1", "tree", c.start, true);
        bool moved = !c.moved;
        EXPECT_EQ(ApplyLocationToRecord(&point, c.input, c.edit, &moved), c.changed);
        EXPECT_EQ(moved, c.moved);
        EXPECT_DOUBLE_EQ(point.GetEasting(), c.end.x);
        EXPECT_DOUBLE_EQ(point.GetNorthing(), c.end.y);
        EXPECT_DOUBLE_EQ(point.GetElevation(), c.end.z);
        EXPECT_STREQ(point.GetDescription(), c.description);
    }
    EXPECT_FALSE(ApplyLocationToRecord(nullptr, At(1, 2, 3), false, nullptr));
}

TEST(PointLocationState, WhatThePageOpensInEachState)
{
    struct Case
    {
        const char* name;
        bool multiPoint;
        int32_t mode; // -1: a new point
        bool tickLocation, tickDescription;
        // Boxes shown and enabled; elevation, northing/easting and description enabled.
        bool shown, enabled, elevation, plane, description;
    };
    const Case cases[] = {
        {"new point", false, -1, false, false, false, true, true, true, true},
        {"no selection, add panel", false, 0, false, false, false, true, false, false, true},
        {"no selection, edit panel", true, 0, false, false, true, false, false, false, false},
        {"one point", true, 1, false, false, true, true, false, false, false},
        {"one point, location ticked", true, 1, true, false, true, true, true, true, false},
        {"one point, description ticked", false, 1, false, true, true, true, false, false, true},
        {"two points, location ticked", true, 2, true, false, true, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPointLocationState page(c.multiPoint);
        if (c.mode < 0)
            page.ResetForNew();
        else
            page.SetEditMode(c.mode);
        if (c.tickLocation)
            page.OnChangeLocation(true);
        if (c.tickDescription)
            page.OnChangeDescription(true);
        EXPECT_EQ(page.AreChecksShown(), c.shown);
        if (c.shown) {
            EXPECT_EQ(page.AreChecksEnabled(), c.enabled);
        }
        EXPECT_EQ(page.IsElevationEnabled(), c.elevation);
        EXPECT_EQ(page.IsPlaneEnabled(), c.plane);
        EXPECT_EQ(page.IsDescriptionEnabled(), c.description);
    }

    // The input carries the boxes: two points share only an elevation.
    CPointLocationState several(true);
    several.SetEditMode(2);
    several.OnChangeLocation(true);
    const CPointLocationInput input = several.MakeInput(1, 2, 3, "X");
    EXPECT_TRUE(input.elevationOnly);
    EXPECT_TRUE(input.changeLocation);
    EXPECT_FALSE(input.changeDescription);

    // An existing name greys Add and lights Apply only once a box is ticked.
    const PointAddButtons editing = PointAddButtonStates(true, false, false);
    EXPECT_FALSE(editing.apply || editing.add || editing.quickEnterSettings);
    EXPECT_TRUE(PointAddButtonStates(true, false, true).apply);
    const PointAddButtons adding = PointAddButtonStates(false, true, true);
    EXPECT_TRUE(adding.add && adding.quickEnterSettings && !adding.apply);
    EXPECT_FALSE(PointEditApplyEnabled(0, true, true));
    EXPECT_TRUE(PointEditApplyEnabled(2, false, true));
}

class KeyedPoints : public ::testing::Test
{
protected:
    void SetUp() override { job.AppendAll(morvel::test::MetricHead()); }
    // Lines after the units head.
    int32_t Lines() { return job.raw.GetLineCount() - int32_t(morvel::test::MetricHead().size()); }
    std::string Line(int32_t i) { return job.Text(i + int32_t(morvel::test::MetricHead().size())); }
    int32_t Steps() { return job.GetUndoManager()->GetStepCount(); }
    std::string UndoText() { return job.GetUndoManager()->GetUndoDescription(); }
    CPointRecord* Find(const char* name) { return job.GetPointDatabase()->FindPoint(name, true); }

    RawJob job;
};

TEST_F(KeyedPoints, AFreeNameAddsAndAnExistingNameEditsByItsBoxes)
{
    ASSERT_EQ(StoreKeyedPoint(&job, "12", At(100, 200, NoValue)), KeyedPointResult::Added);
    ASSERT_NE(Find("12"), nullptr);
    EXPECT_EQ(UndoText(), "Add point 12");
    ASSERT_EQ(Lines(), 1);
    EXPECT_EQ(Line(0), "MP,12,200.0,100.0,,");

    // Nothing over the tolerance: no change, no line.
    EXPECT_EQ(StoreKeyedPoint(&job, "12", At(100.00005, 200, NoValue)), KeyedPointResult::Nothing);
    EXPECT_EQ(Lines(), 1);

    // A description alone writes no raw line.
    CPointLocationInput description = At(0, 0, 0, "IP");
    description.changeLocation = false;
    EXPECT_EQ(StoreKeyedPoint(&job, "12", description), KeyedPointResult::Modified);
    EXPECT_STREQ(Find("12")->GetDescription(), "IP");
    EXPECT_EQ(Lines(), 1);
    EXPECT_EQ(UndoText(), "Modify point 12");

    CPointLocationInput moved = At(101, 200, 5);
    moved.changeDescription = false;
    EXPECT_EQ(StoreKeyedPoint(&job, "12", moved), KeyedPointResult::Modified);
    EXPECT_DOUBLE_EQ(Find("12")->GetElevation(), 5);
    ASSERT_EQ(Lines(), 2);
    EXPECT_EQ(Line(1), "MP,12,200.0,101.0,5.0,IP");

    // All empty on a free name stores nothing and leaves no step.
    const int32_t steps = Steps();
    EXPECT_EQ(StoreKeyedPoint(&job, "13", At(NoValue, NoValue, NoValue)), KeyedPointResult::Nothing);
    EXPECT_EQ(Find("13"), nullptr);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(Lines(), 2);
}

TEST_F(KeyedPoints, SeveralSelectedPointsShareOneElevationInOneStep)
{
    CPointRecord* a = job.AddPoint("1", 10, 20, 1);
    CPointRecord* b = job.AddPoint("2", 30, 40, NoValue);
    job.AddPoint("3", 50, 60, 7);
    job.GetSelOperator()->Select(a);
    job.GetSelOperator()->Select(b);

    CPointLocationInput common = At(999, 999, 5);
    common.changeDescription = false;
    EXPECT_EQ(EditSelectedPoints(&job, common), 2);
    EXPECT_EQ(UndoText(), "Modify 2 points");
    // Northing and easting stay: several points only share an elevation.
    EXPECT_DOUBLE_EQ(a->GetEasting(), 10);
    EXPECT_DOUBLE_EQ(a->GetElevation(), 5);
    EXPECT_DOUBLE_EQ(b->GetElevation(), 5);
    EXPECT_DOUBLE_EQ(Find("3")->GetElevation(), 7);
    EXPECT_EQ(Lines(), 2);

    // An empty elevation makes them 2D and writes no line.
    EXPECT_EQ(EditSelectedPoints(&job, At(NoValue, NoValue, NoValue)), 2);
    EXPECT_FALSE(HasValue(a->GetElevation()));
    EXPECT_FALSE(HasValue(b->GetElevation()));
    EXPECT_EQ(Lines(), 2);

    job.GetSelOperator()->Deselect(a);
    job.GetSelOperator()->Deselect(b);
    const int32_t steps = Steps();
    EXPECT_EQ(EditSelectedPoints(&job, common), 0);
    EXPECT_EQ(Steps(), steps);
}

TEST(QuickEnterRing, StepsThroughTheChosenInputsThenAdds)
{
    using S = QuickEnterSlot;
    const auto all = [](S) { return true; };
    CQuickEnterFlags flags; // the defaults: every field but the name
    CQuickEnterRing ring;
    ASSERT_TRUE(ring.Build(flags, all));
    EXPECT_EQ(ring.GetSlots(), (std::vector<S>{S::Northing, S::Easting, S::Elevation, S::Description, S::AddButton}));

    struct Step
    {
        std::optional<S> focused;
        bool found;
        S target;
    };
    const Step steps[] = {
        {S::Name, true, S::Northing},          // the name is outside the ring: from the head
        {std::nullopt, true, S::Northing},
        {S::Elevation, true, S::Description},
        {S::Description, true, S::AddButton},  // the last field's Enter adds
        {S::AddButton, true, S::Northing},     // and the ring starts over
    };
    for (const Step& s : steps) {
        S target{};
        EXPECT_EQ(ring.Next(s.focused ? &*s.focused : nullptr, all, target), s.found);
        EXPECT_EQ(target, s.target);
    }

    // A disabled easting is stepped over; with nothing usable after the focus Enter is ordinary.
    S target{};
    const S northing = S::Northing;
    EXPECT_TRUE(ring.Next(&northing, [](S s) { return s != S::Easting; }, target));
    EXPECT_EQ(target, S::Elevation);
    EXPECT_FALSE(ring.Next(&northing, [](S s) { return s == S::Northing; }, target));

    // The edit panel has neither a name nor an Add button: past its last usable field Enter
    // keeps its ordinary meaning.
    ASSERT_TRUE(ring.Build(flags, [](S s) { return s != S::Name && s != S::AddButton; }));
    EXPECT_EQ(ring.GetSlots().back(), S::Description);
    const S elevation = S::Elevation;
    EXPECT_FALSE(ring.Next(&elevation, [](S s) { return s != S::Description; }, target));

    // Nothing chosen turns quick enter off, and that is what the profile keeps.
    flags = {1, 0, 0, 0, 0, 0};
    EXPECT_FALSE(ring.Build(flags, all));
    EXPECT_EQ(flags.enabled, 0);
    EXPECT_TRUE(ring.IsEmpty());
    morvel::test::TempDir dir;
    CProfile profile(dir.file("Morvel.ini"));
    flags.Save(profile);
    CQuickEnterFlags read;
    read.Load(profile);
    EXPECT_EQ(read.enabled, 0);
    EXPECT_EQ(read.northing, 0);
    EXPECT_EQ(profile.GetProfileInt("Quick Enter Mode", "Name", -1), 0);
}

} // namespace
