// The Raw Data tab of the running program, driven through the handlers the mouse, the keys and the
// menus reach, on a real instrument file.
#include "ProgramTest.h"

#include "framework/ui/WindowEvents.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFile.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "shell/ui/ViewTabBar.h"
#include "framework/ui/EasyDialog.h"
#include "views/PickQuery.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/notebook.h>

#include <algorithm>
#include <cmath>
#include <string>

using morvel::test::ProgramTest;

namespace {

constexpr int RemoveCommand = 7301;
constexpr int ToRecordCommand = 7303;
constexpr int MoveUpCommand = 7447;
constexpr int MoveDownCommand = 7448;
constexpr int DrawSelectionCommand = 7392;
constexpr int ProgressiveCommand = 7393;
constexpr int DrawEverythingCommand = 7394;

wxPoint RowPoint(const CEasyListCtrl& list, int32_t row)
{
    return wxPoint(20, (row - list.GetTopIndex()) * list.GetRowHeight() + list.GetRowHeight() / 2);
}

class RawDataTabTest : public ProgramTest
{
protected:
    // Starts the program on the sample raw file, which becomes a job, and shows the Raw Data tab.
    void Open()
    {
        const std::string raw = CopySample(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"), "Survey.Mvr");
        dialogAnswer = [](wxDialog& dialog) {
            return dynamic_cast<CRegenerationOptionsDlg*>(CEasyDialog::FromHost(dialog)) ? int(wxID_OK)
                                                                                         : int(wxID_CANCEL);
        };
        ASSERT_TRUE(Start({raw}));
        Frame().SetSize(1100, 800);
        Pump();
        view = Frame().GetJobView();
        ASSERT_NE(view, nullptr);
        job = view->GetJob();
        ASSERT_NE(job, nullptr);
        raw_ = RawDataFileOf(job);
        ASSERT_NE(raw_, nullptr);
        list = view->GetRawList();
        wxCommandEvent show(EVT_SHOW_RAW_DATA_TAB_80BA);
        view->ProcessWindowEvent(show);
        Pump();
    }

    void Flush()
    {
        job->SendHint(nullptr, HintFlush, 0);
        Pump();
    }

    void Click(int32_t row, uint32_t flags = 0)
    {
        list->EnsureVisible(row);
        list->OnListLeftDown(RowPoint(*list, row), flags);
    }

    CMorvelView* view = nullptr;
    CDataFileDoc* job = nullptr;
    CRawDataFile* raw_ = nullptr;
    CRawDataListCtrl* list = nullptr;
};

} // namespace

TEST_F(RawDataTabTest, RowsHeadingsAndTipsOfTheSampleFile)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(view->GetCurrentTab(), CMorvelView::RawDataTab);
    EXPECT_EQ(Frame().GetViewTabBar()->GetSelectedTab(), CMorvelView::RawDataTab);
    ASSERT_EQ(list->GetItemCount(), 109);
    ASSERT_EQ(list->GetColumnCount(), 10);
    EXPECT_EQ(list->GetColumnWidth(0), 50);
    EXPECT_EQ(list->GetColumnWidth(1), 75);
    EXPECT_EQ(list->GetColumnWidth(9), 90);
    EXPECT_TRUE(list->IsColumnRightAligned(0));
    EXPECT_FALSE(list->IsColumnRightAligned(2));

    // Line 21 is "SS,2,1.500,8.986,...": its number, type and point.
    EXPECT_EQ(list->GetItemText(20, 0), "21");
    EXPECT_EQ(list->GetItemText(20, 1), "SideShot:");
    EXPECT_EQ(list->GetItemText(20, 2), "2");
    EXPECT_EQ(list->GetItemText(20, 4), "8.986m");
    // Cells of a row that does not exist are empty, the row just past the end included.
    EXPECT_EQ(list->GetItemText(109, 0), "");
    EXPECT_EQ(list->GetItemText(-1, 0), "");

    // The opened job has its first raw line selected: its headings show and it can be edited.
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int32_t>{0}));
    EXPECT_EQ(list->GetColumnHeading(0), "#");
    EXPECT_NE(list->GetColumnHeading(1).Trim(), "");
    bool checked = false;
    EXPECT_TRUE(view->IsRawCommandEnabled(7323, checked));
    Click(20);
    EXPECT_EQ(list->GetSelectedCount(), 1);
    EXPECT_EQ(list->GetColumnHeading(1), "Type");
    // The view's "first row" command selects line 1 in the list's own selection.
    wxCommandEvent first(wxEVT_MENU, CGridView::SelectFirstRowCommand);
    view->ProcessWindowEvent(first);
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int32_t>{0}));
    Click(20);
    for (int column = 2; column < 5; ++column) {
        EXPECT_NE(list->GetColumnHeading(column).Trim(), "") << column;
        EXPECT_EQ(list->GetColumnHeading(column).Find(':'), wxNOT_FOUND) << column;
    }

    // A resting mouse over the first column shows the line's tip and inverts the row.
    list->ScrollToRow(15);
    EXPECT_TRUE(list->RequestRowTip(RowPoint(*list, 20)));
    EXPECT_EQ(list->GetTipIcon(), CRawDataListCtrl::TipIcon);
    EXPECT_EQ(list->GetHotItem(), 20);
    ASSERT_GT(list->GetTipLines().GetCount(), 2);
    EXPECT_EQ(list->GetTipLines().Lines()[0].text, "Line #21\n");
    EXPECT_TRUE(view->ClearRawHotRow());
    EXPECT_EQ(list->GetHotItem(), -1);
    // The mouse resting over any column of a row, then moving to the next row.
    auto moveTo = [&](int32_t row, int x) {
        list->EnsureVisible(row);
        wxMouseEvent motion(wxEVT_MOTION);
        motion.SetPosition(wxPoint(x, RowPoint(*list, row).y));
        list->GetBody()->ProcessWindowEvent(motion);
    };
    moveTo(21, 400);
    EXPECT_EQ(list->GetHotItem(), 21);
    EXPECT_EQ(list->GetTipLines().Lines()[0].text, "Line #22\n");
    moveTo(22, 400);
    EXPECT_EQ(list->GetHotItem(), 22);
    list->ClearHotItem();

    // A note turned back into a "record" that no type knows gives the red tip.
    Click(0);
    view->OnRawCommand(ToRecordCommand);
    Flush();
    EXPECT_EQ(raw_->GetRecord(0)->GetText(), "Nikon RAW data format V2.00");
    list->ScrollToRow(0);
    EXPECT_TRUE(list->RequestRowTip(RowPoint(*list, 0)));
    EXPECT_EQ(list->GetTipIcon(), CRawDataListCtrl::UnrecognizedTipIcon);
    ASSERT_EQ(list->GetTipLines().GetCount(), 1);
    EXPECT_EQ(list->GetTipLines().Lines()[0].text, "UNRECOGNIZED LINE!\nNikon RAW data format V2.00\n");
    EXPECT_EQ(list->GetTipLines().Lines()[0].color, ProblemTextColor);
    EXPECT_EQ(list->GetHotItem(), -1);
    list->HideTip();

    Click(20);
    list->ScrollToRow(14);
    Pump();
    EXPECT_TRUE(SaveScreenshot(Frame(), "raw_data_tab.png"));

    list->SetColumnWidth(3, 120);
    Exit();
    EXPECT_EQ(ProfileValue("General", "RdWidth0"), "50");
    EXPECT_EQ(ProfileValue("General", "RdWidth3"), "120");
    EXPECT_EQ(ProfileValue("Settings", "TabSel1"), "1");
}

TEST_F(RawDataTabTest, RemoveMoveAndUndoAreOneStepEach)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    CDataFileUndoManager* undo = job->GetUndoManager();
    const std::string line21 = raw_->GetRecord(20)->GetText();
    const std::string line22 = raw_->GetRecord(21)->GetText();
    const std::string line24 = raw_->GetRecord(23)->GetText();

    // Three rows by click and shift-click; the question, then the step.
    Click(20);
    Click(22, 4);
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int32_t>{20, 21, 22}));
    answers.push_back(IDOK);
    view->OnRawCommand(RemoveCommand);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Remove 3 raw data records?");
    Flush();
    EXPECT_EQ(raw_->GetLineCount(), 106);
    EXPECT_EQ(list->GetItemCount(), 106);
    EXPECT_EQ(raw_->GetRecord(20)->GetText(), line24);
    EXPECT_EQ(list->GetItemText(20, 2), "5"); // line 24 shoots point 5
    EXPECT_EQ(list->GetSelectedCount(), 0);
    EXPECT_EQ(undo->GetUndoDescription(), "Removed 3 Raw Data records");
    // The rows just removed paint empty and ask for no line.
    {
        wxBitmap bitmap(600, list->GetRowHeight());
        wxMemoryDC dc(bitmap);
        list->DrawRow(dc, 107, wxRect(0, 0, 600, list->GetRowHeight()));
    }

    // Cancel leaves everything as it was.
    Click(5);
    answers.push_back(IDCANCEL);
    view->OnRawCommand(RemoveCommand);
    Flush();
    EXPECT_EQ(raw_->GetLineCount(), 106);

    ASSERT_TRUE(undo->Undo());
    Flush();
    ASSERT_EQ(raw_->GetLineCount(), 109);
    EXPECT_EQ(list->GetItemCount(), 109);
    EXPECT_EQ(raw_->GetRecord(20)->GetText(), line21);
    EXPECT_EQ(list->GetItemText(20, 2), "2"); // the cells follow the undo too

    // Move Up: the lines swap and the selection follows.
    Click(21);
    view->OnRawCommand(MoveUpCommand);
    Flush();
    EXPECT_EQ(raw_->GetRecord(20)->GetText(), line22);
    EXPECT_EQ(raw_->GetRecord(21)->GetText(), line21);
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int32_t>{20}));
    EXPECT_EQ(undo->GetUndoDescription(), "swap raw line above");

    // Enabling at the ends of the list, as the context menu shows it.
    Click(0);
    std::unique_ptr<wxMenu> menu = list->BuildContextMenu();
    EXPECT_FALSE(menu->IsEnabled(MoveUpCommand));
    EXPECT_TRUE(menu->IsEnabled(MoveDownCommand));
    EXPECT_EQ(menu->GetLabelText(7388), "Select All");
    EXPECT_EQ(menu->GetLabelText(MoveDownCommand), "Move Down");
    Click(108);
    menu = list->BuildContextMenu();
    EXPECT_TRUE(menu->IsEnabled(MoveUpCommand));
    EXPECT_FALSE(menu->IsEnabled(MoveDownCommand));
    view->OnRawCommand(MoveDownCommand); // disabled: nothing happens
    EXPECT_EQ(undo->GetUndoDescription(), "swap raw line above");
    Click(3, 8);
    menu = list->BuildContextMenu();
    EXPECT_FALSE(menu->IsEnabled(MoveUpCommand));
    EXPECT_TRUE(menu->IsEnabled(RemoveCommand));
    EXPECT_FALSE(menu->IsEnabled(7323));

    // Duplicate, Insert Below and Mark as Deleted, each one step with its caption.
    Click(30);
    const std::string line31 = raw_->GetRecord(30)->GetText();
    view->OnRawCommand(7304);
    Flush();
    EXPECT_EQ(undo->GetUndoDescription(), "duplicate raw line");
    EXPECT_EQ(raw_->GetRecord(31)->GetText(), line31);
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int32_t>{31}));
    view->OnRawCommand(7325);
    Flush();
    EXPECT_EQ(undo->GetUndoDescription(), "insert raw line below");
    EXPECT_EQ(raw_->GetRecord(32)->GetText(), "CO,Insert Record");
    EXPECT_EQ(list->GetItemCount(), 111);
    Click(30);
    Click(31, 4);
    view->OnRawCommand(3139);
    Flush();
    EXPECT_EQ(undo->GetUndoDescription(), "mark 2 Raw Data records deleted");
    EXPECT_EQ(raw_->GetRecord(30)->GetText(), "*" + line31);
    menu = list->BuildContextMenu();
    EXPECT_FALSE(menu->IsEnabled(3139));
    EXPECT_TRUE(menu->IsEnabled(7481));

    // The headings follow the selected line when a refresh takes it away.
    Click(list->GetItemCount() - 1);
    EXPECT_EQ(list->GetColumnHeading(1), "Type");

    // Lines taken away before the list hears of it: their rows give no tip and no text.
    const int32_t rows = list->GetItemCount();
    ASSERT_EQ(job->RemoveRawDataLines({0, 1, 2}), 3);
    list->EnsureVisible(rows - 1);
    EXPECT_FALSE(list->RequestRowTip(RowPoint(*list, rows - 1)));
    EXPECT_EQ(list->GetItemText(rows - 1, 0), "");
    EXPECT_EQ(list->GetItemText(rows - 3, 0), "");
    Flush();
    EXPECT_EQ(list->GetItemCount(), rows - 3);
    EXPECT_EQ(list->GetColumnHeading(1).Trim(), "");

    // Select All is one range, whatever the length.
    list->SelectAll();
    EXPECT_EQ(list->GetSelectedCount(), rows - 3);
    EXPECT_EQ(list->GetSelection().GetRanges().size(), 1u);
}

TEST_F(RawDataTabTest, EditRawDataRecordsShowsTheLineOfTheCurrentRecord)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    // The map's "Edit Raw Data Line #8..." leaves line index 7 as the current record's line.
    view->ShowPointsTab();
    job->SetCurrentRecord(nullptr, 7);
    wxCommandEvent command(wxEVT_MENU, 7323);
    Frame().ProcessWindowEvent(command);
    EXPECT_EQ(view->GetCurrentTab(), CMorvelView::RawDataTab);
    EXPECT_EQ(list->GetSelectedRows(), (std::vector<int32_t>{7}));
    EXPECT_EQ(view->GetFirstSelectedRawLine(), 7);
    // A line that does not exist selects nothing.
    EXPECT_FALSE(view->SelectRawLine(109));
    EXPECT_EQ(view->GetFirstSelectedRawLine(), 7);
}

TEST_F(RawDataTabTest, TheTabBarFollowsTheViewBothWays)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    wxNotebook* tabs = nullptr;
    for (wxWindow* child : Frame().GetViewTabBar()->GetChildren())
        if (auto* notebook = dynamic_cast<wxNotebook*>(child))
            tabs = notebook;
    ASSERT_NE(tabs, nullptr);
    // Job File View shows the point grid; the bar must say so, or a click on "Raw Data" (already
    // selected in the bar) changes nothing.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        wxCommandEvent jobFileView(wxEVT_MENU, IdJobFileView);
        Frame().ProcessWindowEvent(jobFileView);
        Pump();
        EXPECT_EQ(view->GetCurrentTab(), CMorvelView::PointsTab);
        EXPECT_EQ(Frame().GetViewTabBar()->GetSelectedTab(), CMorvelView::PointsTab);
        tabs->SetSelection(CMorvelView::RawDataTab);
        Pump();
        EXPECT_EQ(view->GetCurrentTab(), CMorvelView::RawDataTab);
    }
}

TEST_F(RawDataTabTest, DrawSelectionPutsTheShotOnTheMap)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    CPreviewMapCore& map = view->GetMapPane()->Preview();
    // Line 21 shoots point 2 from station 1 at the origin: azimuth 107.9916 gon, zenith angle
    // 102.3376 gon, slope distance 8.986 m.
    const double gon = M_PI / 200.0;
    const double horizontal = 8.986 * std::sin(102.3376 * gon);
    const CLocation at(horizontal * std::sin(107.9916 * gon), horizontal * std::cos(107.9916 * gon), NoValue);
    auto hitsAtPoint = [&] {
        CPickQuery q;
        q.location = CLocation(at.x, at.y, NoValue);
        q.tolerance = CLocation(-0.005, 0.005, NoValue);
        std::vector<uint32_t> hits;
        if (map.OnFindPreview808A(&q))
            hits = q.rawHits;
        return hits;
    };

    // The download's point and station lines carry the instrument's extra name fields, which this
    // program's layouts do not take; written as the program writes them, the shots can be placed.
    const CNikonRawDataRecord origin("MP,1,0.000,0.000,0.000,ST");
    ASSERT_TRUE(job->ReplaceRawDataLine(16, &origin));
    const CNikonRawDataRecord station("ST,1,,1.430,0.0000,0.0000");
    ASSERT_TRUE(job->ReplaceRawDataLine(18, &station));
    Flush();

    view->OnRawCommand(DrawSelectionCommand);
    EXPECT_EQ(ProfileValue("Coordinate data", "dwDrawRawData"), "2");
    Click(20);
    view->PollRawSelection();
    EXPECT_EQ(view->GetSelectedRawRows(), (std::vector<int32_t>{20}));
    EXPECT_TRUE(map.HasPreviews());
    const std::vector<uint32_t> hits = hitsAtPoint();
    EXPECT_NE(std::find(hits.begin(), hits.end(), 20u), hits.end());

    // Another line drawn alone: the shot of line 21 goes from the map.
    Click(60);
    view->PollRawSelection();
    const std::vector<uint32_t> later = hitsAtPoint();
    EXPECT_EQ(std::find(later.begin(), later.end(), 20u), later.end());

    // Everything: the shot is back whatever the selection.
    view->OnRawCommand(DrawEverythingCommand);
    EXPECT_EQ(ProfileValue("Coordinate data", "dwDrawRawData"), "8");
    const std::vector<uint32_t> all = hitsAtPoint();
    EXPECT_NE(std::find(all.begin(), all.end(), 20u), all.end());

    // A mode chosen from the menu behind the point grid is drawn on coming back, also when the
    // stored mode already was that one. Progressive runs to line 61, the last selection seen.
    for (int command : {ProgressiveCommand, ProgressiveCommand, DrawEverythingCommand}) {
        SCOPED_TRACE(command);
        view->ShowPointsTab();
        EXPECT_TRUE(hitsAtPoint().empty());
        wxCommandEvent choose(wxEVT_MENU, command);
        Frame().ProcessWindowEvent(choose);
        view->ShowRawDataTab();
        bool ticked = false;
        view->IsRawCommandEnabled(command, ticked);
        EXPECT_TRUE(ticked);
        const std::vector<uint32_t> back = hitsAtPoint();
        EXPECT_NE(std::find(back.begin(), back.end(), 20u), back.end());
    }
    map.ZoomToPreviews();
    Click(20);
    Pump();
    EXPECT_TRUE(SaveScreenshot(Frame(), "raw_data_drawn.png"));
}

// The ten columns are wider than a narrow pane: the list scrolls sideways, the headings and cells
// follow, and a press finds the column under it after the scroll.
TEST_F(RawDataTabTest, TheTenColumnsScrollSidewaysInANarrowPane)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Frame().SetSize(560, 700);
    Pump();
    const int visible = list->GetBody()->GetClientSize().x;
    const int total = list->GetColumnsWidth();
    ASSERT_GT(visible, 0);
    ASSERT_GT(total, visible);
    EXPECT_EQ(list->GetScrollX(), 0);
    EXPECT_EQ(list->ColumnAt(1), 0);
    EXPECT_EQ(list->ColumnAt(visible - 1), list->ColumnAt(total - 1 - (total - visible)));

    // A side shot fills the columns to the right end and names their headings.
    Click(20);
    list->ScrollHorizontally(1 << 20);
    EXPECT_EQ(list->GetScrollX(), total - visible);
    EXPECT_EQ(list->ColumnAt(visible - 1), 9);
    for (int column = list->ColumnAt(1); column < 9; ++column)
        EXPECT_NE(list->GetColumnHeading(column).Trim(), "") << column;
    Pump();
    EXPECT_TRUE(SaveScreenshot(Frame(), "raw_list_scrolled.png"));
    list->ScrollHorizontally(-(1 << 20));
    EXPECT_EQ(list->GetScrollX(), 0);

    // Wide enough again: nothing to scroll.
    Frame().SetSize(1600, 800);
    Pump();
    if (list->GetBody()->GetClientSize().x >= total) {
        list->ScrollHorizontally(200);
        EXPECT_EQ(list->GetScrollX(), 0);
    }
}

TEST_F(RawDataTabTest, TheTabShownWhenTheViewGoesIsTheOneTheNextStartsOn)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_EQ(view->GetCurrentTab(), CMorvelView::RawDataTab);
    Exit();
    EXPECT_EQ(ProfileValue("Settings", "TabSel0"), "1");
}
