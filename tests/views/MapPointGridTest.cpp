#include "views/MapPointGrid.h"
#include "views/PreviewMapCore.h"

#include "MapFakes.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "model/DataFileHiSelection.h"
#include "model/DataFileSelOperator.h"
#include "model/PointRecord.h"
#include "model/TestJobDoc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace morvel::test;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct Box
{
    double left, top, right, bottom;
};

// What a walk of every point finds, for comparison.
std::vector<uint32_t> Walk(const std::vector<CMapPointGrid::Item>& items, const Box& b)
{
    std::vector<uint32_t> out;
    for (uint32_t i = 0; i < items.size(); ++i)
        if (b.left <= items[i].x && items[i].x <= b.right && b.bottom <= items[i].y && items[i].y <= b.top)
            out.push_back(i);
    return out;
}

} // namespace

// Every layout the index must file, against every box a query may bring: the index answers as the
// walk it replaces does, in the order the items were given.
TEST(MapPointGrid, AnswersAsAWalkOfEveryPointDoes)
{
    std::vector<std::vector<CMapPointGrid::Item>> layouts;
    std::vector<CMapPointGrid::Item> square;
    for (int i = 0; i < 400; ++i)
        square.push_back({double((i * 37) % 20), double((i * 11) % 20) + 0.5 * (i % 3), nullptr});
    // Unplaced, infinite and NaN positions among placed ones; the same spot twice.
    square.push_back({NoValue, NoValue, nullptr});
    square.push_back({NaN, 5, nullptr});
    square.push_back({5, Inf, nullptr});
    square.push_back({-Inf, 3, nullptr});
    square.push_back({7, 7, nullptr});
    square.push_back({7, 7, nullptr});
    layouts.push_back(square);
    layouts.push_back({{3, 3, nullptr}});                                    // one point
    layouts.push_back({{1, 0, nullptr}, {1, 5, nullptr}, {1, 9, nullptr}}); // a line due north
    layouts.push_back({{0, 2, nullptr}, {4, 2, nullptr}, {9, 2, nullptr}}); // a line due east
    layouts.push_back({{NoValue, 0, nullptr}, {NaN, NaN, nullptr}});        // nothing placed
    layouts.push_back({{-1e300, 0, nullptr}, {1e300, 1, nullptr}, {0, 0.5, nullptr}}); // a vast extent
    layouts.push_back({});

    const std::vector<Box> boxes = {
        {0, 20, 20, 0},          {2.5, 7.5, 7.5, 2.5},     {7, 7, 7, 7},         // one spot, edges included
        {-Inf, Inf, Inf, -Inf},  {-5, 4, 30, 3.9},         {1, 9, 1, 0},         // a line's width
        {5, 3, 4, 4},            {NaN, 10, 10, 0},         {100, 200, 300, 100}, // inside out, NaN, far away
        {NoValue, 0, 0, NoValue}, {-Inf, 3, -1, 3},        {0, 1e300, 1e300, 0},
    };
    for (size_t l = 0; l < layouts.size(); ++l) {
        CMapPointGrid grid;
        grid.Build(layouts[l]);
        std::vector<uint32_t> found;
        for (size_t b = 0; b < boxes.size(); ++b) {
            const Box& box = boxes[b];
            const std::vector<uint32_t> expected = Walk(layouts[l], box);
            grid.Query(box.left, box.top, box.right, box.bottom, found);
            EXPECT_EQ(found, expected) << "layout " << l << ", box " << b;
            EXPECT_EQ(grid.Count(box.left, box.top, box.right, box.bottom), int32_t(expected.size()))
                << "layout " << l << ", box " << b;
        }
    }
}

namespace {

struct GridMapFixture : ::testing::Test
{
    ScopedSettings scoped;
    TestJobDoc doc;
    FakeHost host;
    CPreviewMapCore map{&host};

    GridMapFixture()
    {
        doc.settings.SetDistanceUnit(JobUnitMetres);
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 800, 600});
    }
    RecordingSurface& Surface() { return host.lastLayer->surface; }
    std::vector<std::string> Labels() const
    {
        std::vector<std::string> out;
        for (const auto& call : host.lastLayer->surface.Of("text"))
            out.push_back(call.text.substr(0, call.text.find('\n')));
        return out;
    }
};

} // namespace

// Only the points in view are drawn, in name order whatever order they came in, and moves,
// renames and deletions are followed at the next redraw.
TEST_F(GridMapFixture, DrawsWhatIsInViewInNameOrderAndFollowsChanges)
{
    doc.AddPoint("10", 30, 30);
    doc.AddPoint("2", 20, 20);
    CPointRecord* far = doc.AddPoint("A1", 5000, 5000);
    CPointRecord* one = doc.AddPoint("1", 40, 40);
    map.SetWindowAndRefresh(0, 100, 100, 0);
    EXPECT_EQ(Labels(), (std::vector<std::string>{"1", "2", "10"}));

    far->SetLocation(CLocation(50, 50, NoValue), false);
    one->SetName("B");
    map.Refresh();
    EXPECT_EQ(Labels(), (std::vector<std::string>{"2", "10", "A1", "B"}));

    doc.DeleteRecord(far, false);
    map.Refresh();
    EXPECT_EQ(Labels(), (std::vector<std::string>{"2", "10", "B"}));
}

// The highlight follows the selection after each full redraw, also when the selection changed
// between two redraws of an unchanged job and when a point came in between.
TEST_F(GridMapFixture, HighlightsFollowTheSelectionAfterEveryFullRedraw)
{
    CPointRecord* a = doc.AddPoint("1", 10, 10);
    CPointRecord* b = doc.AddPoint("2", 5000, 5000); // out of view: resynced all the same
    CDataFileHiSelection* hi = doc.GetHiSelection();
    map.SetWindowAndRefresh(0, 100, 100, 0);
    EXPECT_FALSE(hi->IsSelected(a));

    doc.GetSelOperator()->Select(b);
    map.Refresh();
    EXPECT_TRUE(hi->IsSelected(b));
    map.Refresh();
    EXPECT_TRUE(hi->IsSelected(b));

    hi->Select(a, true); // a highlight left behind is taken off
    map.Refresh();
    EXPECT_FALSE(hi->IsSelected(a));

    CPointRecord* c = doc.AddPoint("3", 20, 20);
    doc.GetSelOperator()->Select(c);
    map.Refresh();
    EXPECT_TRUE(hi->IsSelected(c));
    EXPECT_TRUE(hi->IsSelected(b));
}

// Zoom to Point and the hit tests read the index: a dense cluster still narrows the window, and
// the hit search keeps store order.
TEST_F(GridMapFixture, ZoomToPointAndHitTestsFollowTheIndex)
{
    for (int i = 0; i < 50; ++i)
        doc.AddPoint(std::to_string(100 - i).c_str(), 50 + 0.001 * i, 50);
    CPointRecord* target = doc.AddPoint("X", 50.02, 50);
    map.SetWindowAndRefresh(0, 1000, 1000, 0);
    map.ZoomToPointRecord(target);
    const double width = map.GetVisibleBottomRight().x - map.GetVisibleTopLeft().x;
    EXPECT_LT(width, 100.0);
    EXPECT_EQ(host.rings.size(), 1u);

    CPickQuery q;
    q.location = CLocation(50.0105, 50, NoValue);
    q.tolerance = CLocation(0.002, 0.002, NoValue);
    ASSERT_TRUE(map.OnHitSearch808C(true, q));
    std::vector<std::string> names;
    for (const RecordRef& hit : q.hits)
        names.push_back(static_cast<CPointRecord*>(hit.record)->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"91", "90", "89", "88"}));
    q.location = CLocation(50.0101, 50, NoValue);
    ASSERT_TRUE(map.OnPick808B(true, q));
    EXPECT_STREQ(static_cast<CPointRecord*>(q.hits[0].record)->GetName(), "90");
}
