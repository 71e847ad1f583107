#include "ProgramTest.h"

#include "framework/ui/KvlSplitterWnd.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "shell/ui/MainFrame.h"
#include "views/GridToolLink.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/dcmemory.h>
#include <wx/imaglist.h>
#include <wx/notebook.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

using morvel::test::ProgramTest;

namespace {

// The select-by-rectangle tool current and a field waiting on the exchange.
class FakeRectToolLink : public CGridToolLink
{
public:
    explicit FakeRectToolLink(CDataFileView& view) : m_view(view) { SetGridToolLink(this); }
    ~FakeRectToolLink() override { SetGridToolLink(nullptr); }
    bool IsSelectByRectToolCurrent() const override { return true; }
    bool HasExchange() const override { return true; }
    void DeliverToolEvent(int code) override
    {
        events.push_back(code);
        for (const RecordRef& ref : m_view.GetPickCollection())
            picked.emplace_back(static_cast<CPointRecord*>(ref.record)->GetName());
    }
    std::vector<int> events;
    std::vector<std::string> picked;

private:
    CDataFileView& m_view;
};

wxPoint RowPoint(const CEasyListCtrl& list, int32_t row)
{
    return wxPoint(20, (row - list.GetTopIndex()) * list.GetRowHeight() + list.GetRowHeight() / 2);
}

wxColour RowColour(CEasyListCtrl& list, int32_t row)
{
    const wxRect rect(0, 0, 560, list.GetRowHeight());
    wxBitmap bitmap(rect.width, rect.height);
    wxMemoryDC dc(bitmap);
    dc.SetFont(list.GetBody()->GetFont());
    list.DrawRow(dc, row, rect);
    wxColour colour;
    dc.GetPixel(rect.width - 3, rect.height / 2, &colour);
    return colour;
}

} // namespace

TEST_F(ProgramTest, JobViewGridShowsTheJobAndSortsScrollsAndPicksRows)
{
    ASSERT_TRUE(Start());
    Frame().SetSize(1000, 760);
    Pump();
    CMorvelView* view = Frame().GetJobView();
    ASSERT_NE(view, nullptr);
    CDataFileDoc* job = view->GetJob();
    ASSERT_NE(job, nullptr);
    CGridViewListCtrl* grid = view->GetGridList();

    EXPECT_EQ(grid->GetColumnHeading(0), "Point");
    EXPECT_EQ(grid->GetColumnHeading(4), "Description");
    EXPECT_EQ(grid->GetColumnWidth(2), 110);
    EXPECT_FALSE(grid->IsColumnRightAligned(0));
    EXPECT_TRUE(grid->IsColumnRightAligned(1));

    // The view's own tab strip holds both tabs with their pictures, hidden under the frame's bar.
    auto* strip = dynamic_cast<wxNotebook*>(view->FindWindow(1133));
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(strip->IsShown());
    ASSERT_EQ(strip->GetPageCount(), 2u);
    ASSERT_NE(strip->GetImageList(), nullptr);
    EXPECT_EQ(strip->GetImageList()->GetImageCount(), 4);
    const std::pair<const char*, int> tabs[] = {{"Points", 0}, {"Raw Data", 1}};
    for (size_t tab = 0; tab < std::size(tabs); ++tab) {
        EXPECT_EQ(strip->GetPageText(tab), tabs[tab].first);
        EXPECT_EQ(strip->GetPageImage(tab), tabs[tab].second);
        EXPECT_TRUE(strip->GetImageList()->GetBitmap(tabs[tab].second).IsOk());
    }
    EXPECT_EQ(strip->GetSelection(), view->GetCurrentTab());

    // A thousand points entered from 1000 down to 1, delivered as one batch of hints.
    for (int i = 1000; i >= 1; --i) {
        auto* point = new CPointRecord(std::to_string(i).c_str(), "Fence", CLocation(5000.0 + i, 8000.0 - i, 100.0), true);
        ASSERT_TRUE(job->AddRecord(point));
    }
    job->SendHint(nullptr, HintFlush, 0);
    Pump();
    ASSERT_EQ(grid->GetItemCount(), 1000);
    EXPECT_EQ(grid->GetItemText(0, 0), "1000");
    EXPECT_EQ(grid->GetItemText(0, 4), "Fence");

    // The splitter drag moves the panes and is remembered.
    const wxRect before = view->GetMapPane()->GetRect();
    ASSERT_NE(view->GetSplitter(), nullptr);
    view->OnSplitterMoved(before.height / 2);
    EXPECT_LT(view->GetMapPane()->GetRect().height, before.height);
    EXPECT_EQ(grid->GetRect().y, view->GetSplitter()->GetRect().GetBottom() + 1);
    const std::string splitter = ProfileValue("Settings", "Splitter");
    EXPECT_FALSE(splitter.empty());
    EXPECT_NE(splitter, "75");
    Pump();

    // Sorting by the name column, then the reverse.
    grid->OnColumnClick(0);
    EXPECT_EQ(grid->GetItemText(0, 0), "1");
    EXPECT_EQ(grid->GetItemText(1, 0), "2");
    grid->OnColumnClick(0);
    EXPECT_EQ(grid->GetItemText(0, 0), "1000");
    grid->OnColumnClick(0);
    EXPECT_EQ(grid->GetItemText(9, 0), "10");

    // The keys scroll; the page holds whole rows only.
    const int32_t page = grid->GetCountPerPage();
    ASSERT_GT(page, 5);
    grid->OnListKeyDown(WXK_PAGEDOWN);
    EXPECT_EQ(grid->GetTopIndex(), page);
    grid->OnListKeyDown(WXK_UP);
    EXPECT_EQ(grid->GetTopIndex(), page - 1);
    grid->ScrollToRow(0);
    Pump();

    // Selected rows are drawn yellow.
    CSelection* selection = job->GetCurrentSelection();
    ASSERT_NE(selection, nullptr);
    selection->Select(view->GetPointRows().GetPointAtRow(2), true);
    job->SendHint(nullptr, HintSelectionChanged, 0);
    job->SendHint(nullptr, HintFlush, 0);
    Pump();
    EXPECT_EQ(RowColour(*grid, 2), wxColour(255, 255, 0));
    EXPECT_NE(RowColour(*grid, 3), wxColour(255, 255, 0));

    // With the rectangle tool current, a drag from row 7 up to row 3 picks rows 3 to 7.
    {
        FakeRectToolLink link(*view);
        ASSERT_TRUE(view->IsSelectByRectToolCurrent());
        ASSERT_EQ(grid->HitTest(RowPoint(*grid, 7)), 7) << grid->GetBody()->GetClientSize().y;
        grid->OnListLeftDown(RowPoint(*grid, 7), 1);
        EXPECT_TRUE(grid->IsAutoScrolling());
        grid->OnListMotion(RowPoint(*grid, 5), 1, true);
        grid->OnListMotion(RowPoint(*grid, 3), 1, true);
        EXPECT_EQ(grid->GetRangeFirst(), 3);
        EXPECT_EQ(grid->GetRangeLast(), 7);
        grid->OnListLeftUp(RowPoint(*grid, 3), 0);
        EXPECT_FALSE(grid->IsAutoScrolling());
        EXPECT_EQ(link.events, std::vector<int>{8});
        EXPECT_EQ(link.picked, (std::vector<std::string>{"4", "5", "6", "7", "8"}));
        EXPECT_TRUE(view->GetPickCollection().empty());

        // Escape ends a drag without a pick.
        grid->OnListLeftDown(RowPoint(*grid, 1), 1);
        EXPECT_TRUE(grid->IsRangeDragging());
        grid->OnListKeyDown(WXK_ESCAPE);
        Pump();
        EXPECT_FALSE(grid->IsRangeDragging());
        grid->OnListLeftUp(RowPoint(*grid, 1), 0);
        EXPECT_EQ(link.events.size(), 1u);

        // Held past the side of a list too narrow for its columns, the drag scrolls sideways too.
        Frame().SetSize(420, 760);
        Pump();
        const int width = grid->GetBody()->GetClientSize().x;
        ASSERT_GT(grid->GetColumnsWidth(), width + 30);
        grid->OnListLeftDown(RowPoint(*grid, 2), 1);
        grid->AutoScrollStep(wxPoint(width + 25, RowPoint(*grid, 2).y));
        EXPECT_EQ(grid->GetScrollX(), 26);
        grid->AutoScrollStep(wxPoint(-10, RowPoint(*grid, 2).y));
        EXPECT_EQ(grid->GetScrollX(), 16);
        grid->OnListKeyDown(WXK_ESCAPE);
        Pump();
        grid->OnListLeftUp(RowPoint(*grid, 2), 0);
        EXPECT_EQ(link.events.size(), 1u);
        grid->ScrollHorizontally(-width);
        Frame().SetSize(1000, 760);
        Pump();
    }

    // The wheel over the list moves one row.
    grid->OnListKeyDown(WXK_DOWN);
    const int32_t top = grid->GetTopIndex();
    EXPECT_TRUE(view->OnMouseWheelZoom(-120, grid->GetBody()->GetScreenRect().GetPosition() + wxPoint(5, 5)));
    EXPECT_EQ(grid->GetTopIndex(), top + 1);
    grid->ScrollToRow(0);
    Pump();
    Frame().Update();
    Pump();
    EXPECT_TRUE(SaveScreenshot(Frame(), "job_view_grid.png"));

    // The tab is remembered at closing.
    view->SelectTab(CMorvelView::RawDataTab);
    EXPECT_FALSE(grid->IsShown());
    EXPECT_TRUE(view->GetRawList()->IsShown());
    Exit();
    EXPECT_EQ(ProfileValue("Settings", "TabSel1"), "1");
}
