#include "model/TestJobDoc.h"

#include "model/DataFileSelOperator.h"
#include "model/SelectionDescription.h"
#include "views/SelectionChipRules.h"
#include "views/UniversalControlSteps.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvel::test;

namespace {

// The map's side of the pick queries: hits handed in, nearest first.
struct FakePickCalls : CUniversalPickCalls
{
    std::vector<RecordRef> at;      // 0x808B
    std::vector<RecordRef> current; // 0x80AC
    bool answers = true;
    int changes = 0;
    int invalid = 0;

    bool QueryCurrentHit(CPickQuery& q) override
    {
        q.hits = current;
        return answers;
    }
    bool QueryObjectsAt(CPickQuery& q) override
    {
        q.hits = at;
        return answers;
    }
    void SelectionChanged() override { ++changes; }
    void ShowInvalidSelection() override { ++invalid; }
};

struct ChipJob
{
    explicit ChipJob(int n)
    {
        for (int i = 1; i <= n; ++i)
            points.push_back(doc.AddPoint(std::to_string(i).c_str(), i, i));
    }
    CDataFileSelOperator& op() { return *doc.GetSelOperator(); }
    RecordRef Ref(int i) { return RecordRef{points[i - 1], 0}; }
    bool Selected(int i) { return points[i - 1]->IsSelected(); }

    TestJobDoc doc;
    OpenDocumentScope open{&doc};
    std::vector<CPointRecord*> points;
};

UniversalPickInput Click(int32_t code = 1)
{
    UniversalPickInput in;
    in.code = code;
    return in; // a zero-width rectangle: a pick
}

UniversalPickInput Rect(double left, double right, double bottom, double top, bool alt = false)
{
    UniversalPickInput in;
    in.code = 0;
    in.left = left;
    in.right = right;
    in.top = top;
    in.bottom = bottom;
    in.alt = alt;
    return in;
}

} // namespace

TEST(UniversalControl, ClicksToggleTheNearestPointAndHitsOfSeveralTakeThemAll)
{
    ChipJob job(4);
    CSelectionDescription any;
    FakePickCalls map;

    // Nearest first: the click takes point 2, not the farther point 3 in the pick box.
    map.at = {job.Ref(2), job.Ref(3)};
    EXPECT_TRUE(UniversalControlToolEvent(any, &job.op(), Click(), map));
    EXPECT_TRUE(job.Selected(2));
    EXPECT_FALSE(job.Selected(3));
    EXPECT_EQ(map.changes, 1);
    EXPECT_TRUE(UniversalControlToolEvent(any, &job.op(), Click(), map));
    EXPECT_FALSE(job.Selected(2)); // a second click deselects it

    // An object hit on overlapping points takes both, Alt takes both out.
    map.current = {job.Ref(1), job.Ref(4)};
    EXPECT_TRUE(UniversalControlToolEvent(any, &job.op(), Click(8), map));
    EXPECT_TRUE(job.Selected(1) && job.Selected(4));
    UniversalPickInput alt = Click(8);
    alt.alt = true;
    EXPECT_TRUE(UniversalControlToolEvent(any, &job.op(), alt, map));
    EXPECT_FALSE(job.Selected(1) || job.Selected(4));

    // Nothing hit, or no map: nothing changes and nothing is claimed.
    const int changes = map.changes;
    map.at.clear();
    EXPECT_FALSE(UniversalControlToolEvent(any, &job.op(), Click(), map));
    map.at = {job.Ref(1)};
    map.answers = false;
    EXPECT_FALSE(UniversalControlToolEvent(any, &job.op(), Click(), map));
    EXPECT_EQ(map.changes, changes);
    EXPECT_EQ(map.invalid, 0);
    EXPECT_FALSE(UniversalControlToolEvent(any, &job.op(), Click(2), map));
}

TEST(UniversalControl, RectanglesAddOrRemoveOnlyWhatLiesInside)
{
    ChipJob job(5);
    CSelectionDescription any;
    FakePickCalls map;

    EXPECT_TRUE(UniversalControlToolEvent(any, &job.op(), Rect(0.5, 3.5, 0.5, 3.5), map));
    EXPECT_EQ(job.op().CountSelected(0), 3);
    EXPECT_EQ(map.changes, 1);
    // Only points already selected: the count stays, so no hint.
    EXPECT_FALSE(UniversalControlToolEvent(any, &job.op(), Rect(0.5, 2.5, 0.5, 2.5), map));
    EXPECT_EQ(map.changes, 1);
    // Alt over 2 and 3 leaves 1 selected.
    EXPECT_TRUE(UniversalControlToolEvent(any, &job.op(), Rect(1.5, 4.5, 1.5, 4.5, true), map));
    EXPECT_TRUE(job.Selected(1));
    EXPECT_FALSE(job.Selected(2) || job.Selected(3) || job.Selected(4));
}

TEST(UniversalControl, ASingleChipTakesOnePointAndClearsTheOthersOfItsKinds)
{
    ChipJob job(3);
    CSelectionDescription single;
    single.SetSingle(true);
    FakePickCalls map;
    job.op().SelectObject(job.points[0]);
    job.op().SelectObject(job.points[2]);

    map.at = {job.Ref(2)};
    EXPECT_TRUE(UniversalControlToolEvent(single, &job.op(), Rect(0, 5, 0, 5), map)); // still a pick
    EXPECT_EQ(single.GetSelectionObject().record, job.points[1]);
    EXPECT_TRUE(job.Selected(2));
    EXPECT_FALSE(job.Selected(1) || job.Selected(3));

    // A description that takes nothing handles every event and changes nothing.
    CSelectionDescription none(0);
    EXPECT_TRUE(UniversalControlToolEvent(none, &job.op(), Click(), map));
    EXPECT_EQ(job.op().CountSelected(0), 1);
}

TEST(SelectionChip, TipTextNamesTheSelectedPoints)
{
    ChipJob job(31);
    CSelectionDescription any;
    EXPECT_EQ(BuildSelectionChipTipText(any, &job.doc), "Nothing selected");
    EXPECT_EQ(BuildSelectionChipTipText(any, nullptr), "");

    job.op().SelectAll();
    const std::string tip = BuildSelectionChipTipText(any, &job.doc);
    EXPECT_EQ(tip.rfind("31 Point(s):\n 1, 2, 3,", 0), 0u) << tip;
    // Three full lines, then the ellipsis.
    EXPECT_EQ(std::count(tip.begin(), tip.end(), '\n'), 5) << tip;
    EXPECT_NE(tip.find("..."), std::string::npos) << tip;
    // The number past the names shown follows single changes too.
    job.op().ToggleObject(job.points[30]);
    EXPECT_EQ(BuildSelectionChipTipText(any, &job.doc).rfind("30 Point(s):\n 1, 2, 3,", 0), 0u);
    job.op().ToggleObject(job.points[30]);

    // The same names as the operator's own text for the current bit.
    std::string text;
    job.op().BuildSelectionText(0, text);
    EXPECT_NE(text.find(tip.substr(tip.find('\n') + 1, 20)), std::string::npos) << text;

    // A single chip without its object is named after its kinds.
    CSelectionDescription single;
    single.SetSingle(true);
    EXPECT_EQ(BuildSelectionChipTipText(single, &job.doc), "Point");
    CSelectionDescription other(SelectionKindOther);
    other.SetSingle(true);
    EXPECT_EQ(BuildSelectionChipTipText(other, &job.doc), "Any one object");
}

TEST(SelectionChip, SavingRefusesAnEmptyChipOrAlphanumericNames)
{
    ChipJob job(2);
    CPointRecord* named = job.doc.AddPoint("A7", 9, 9);
    CSelectionDescription any;
    EXPECT_EQ(CheckSelectionChipOnSave(any, false), "Nothing Selected.");
    EXPECT_EQ(CheckSelectionChipOnSave(any, true), "");

    job.op().SelectObject(job.points[0]);
    EXPECT_EQ(CheckSelectionChipOnSave(any, false), "");
    EXPECT_EQ(CheckSelectionNumericNames(any), "");
    job.op().SelectObject(named);
    EXPECT_EQ(CheckSelectionNumericNames(any), "Selection contains alphanumeric point names.");

    CSelectionDescription single;
    single.SetSingle(true);
    EXPECT_EQ(CheckSelectionChipOnSave(single, false), "Nothing Selected.");
    single.SetSelectionObject(job.points[1], 0);
    EXPECT_EQ(CheckSelectionChipOnSave(single, false), "");
    // An object the filter no longer takes is dropped, by the optional form too.
    single.SetKinds(SelectionKindOther);
    EXPECT_EQ(CheckSelectionChipOnSave(single, true), "");
    EXPECT_EQ(single.GetSelectionObject().record, nullptr);
}

TEST(SelectionChip, DashesAndArrowGeometry)
{
    // A 6 by 4 border holds 2 * (5 + 3) pixels; four on, four off from phase 0.
    const std::vector<AntPixel> ring = MarchingAntsBorder(6, 4, 0);
    ASSERT_EQ(ring.size(), 16u);
    EXPECT_EQ(ring[0].x, 0);
    EXPECT_EQ(ring[0].y, 0);
    EXPECT_FALSE(ring[3].highlight);
    EXPECT_TRUE(ring[4].highlight);
    EXPECT_TRUE(ring[7].highlight);
    EXPECT_FALSE(ring[8].highlight);
    // A tick later the dashes have moved two pixels along.
    const std::vector<AntPixel> next = MarchingAntsBorder(6, 4, AntPhaseStep);
    for (std::size_t i = 0; i + 2 < ring.size(); ++i)
        EXPECT_EQ(next[i].highlight, ring[i + 2].highlight) << i;
    EXPECT_TRUE(MarchingAntsBorder(0, 4, 0).empty());

    EXPECT_EQ(SelectionChipArrowWidth(32), 21);
    EXPECT_EQ(SelectionChipWidth(40, true, 32, 21), 55);
    EXPECT_EQ(SelectionChipWidth(40, false, 32, 21), 95);
    EXPECT_EQ(SelectionChipWidth(40, true, 32, 0), 34);
    EXPECT_TRUE(IsGlyphOnlyCaption("Mouse"));
    EXPECT_FALSE(IsGlyphOnlyCaption("Points"));
    const std::vector<ArrowRow> rows = ChipArrowRows(0, 0, 20, 15);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].x1, 5);
    EXPECT_EQ(rows[0].x2, 14);
    EXPECT_EQ(rows[4].x1, rows[4].x2 - 1);
}
