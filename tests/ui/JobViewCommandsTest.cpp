#include "MapPaneFixture.h"
#include "ProgramTest.h"

#include "framework/ui/StackableDialog.h"
#include "shell/PanelCommandTable.h"
#include "shell/ui/PanelFactories.h"

#include "cogo/ui/FindCoordinates.h"
#include "framework/ColorTable.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/EasyListCtrl.h"
#include "framework/ui/KvlSplitterWnd.h"
#include "framework/ui/MessageBoxFS.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/PrintPreviewView.h"
#include "views/MapCommands.h"
#include "views/ui/GraphicsPreview.h"
#include "views/ui/GridView.h"
#include "views/ui/MorvelView.h"
#include "views/ui/MapPrintout.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/ViewToolHost.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/uiaction.h>
#include <wx/dcps.h>
#include <wx/textctrl.h>

#include <cstring>
#include <filesystem>
#include <fstream>

using morvel::test::MapPaneFixture;
using morvel::test::ProgramTest;

namespace {

// The job view with points "1".."n", each described "D<n>", delivered as one batch.
CMorvelView* ViewWithPoints(ProgramTest* test, CMainFrame& frame, int n, const std::function<void()>& pump)
{
    frame.SetSize(1000, 760);
    pump();
    CMorvelView* view = frame.GetJobView();
    if (!view || !view->GetJob())
        return nullptr;
    for (int i = 1; i <= n; ++i) {
        const std::string name = std::to_string(i);
        const std::string description = "D" + name;
        view->GetJob()->AddRecord(
            new CPointRecord(name.c_str(), description.c_str(), CLocation(1000.0 + i, 2000.0 + i, NoValue), true));
    }
    view->GetJob()->SendHint(nullptr, HintFlush, 0);
    pump();
    view->GetGridList()->OnColumnClick(0); // natural order: row i-1 shows point i
    return view;
}

void Command(CMainFrame& frame, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&frame);
    frame.GetEventHandler()->ProcessEvent(event);
}

wxPoint RowPoint(const CEasyListCtrl& list, int32_t row)
{
    return wxPoint(20, (row - list.GetTopIndex()) * list.GetRowHeight() + list.GetRowHeight() / 2);
}

} // namespace

TEST_F(ProgramTest, FindScrollsTheNextMatchToTheTopAndSaysWhenThereIsNone)
{
    ASSERT_TRUE(Start());
    CMorvelView* view = ViewWithPoints(this, Frame(), 300, [this] { Pump(); });
    ASSERT_NE(view, nullptr);
    CGridViewListCtrl* grid = view->GetGridList();
    ASSERT_EQ(grid->GetItemCount(), 300);

    // The dialog is driven as a person would: type, choose, "Find Next", then close.
    std::vector<int32_t> tops, marks;
    wxUIActionSimulator().MouseMove(60, 70);
    Pump();
    const wxPoint mouse = wxGetMousePosition();
    dialogAnswer = [&](wxDialog& dialog) {
        auto* find = dynamic_cast<CFindCoordinates*>(CEasyDialog::FromHost(dialog));
        if (!find)
            return int(wxID_CANCEL);
        // It opens beside the pointer, not over the middle of the window.
        EXPECT_EQ(dialog.GetPosition(), mouse);
        auto* text = dynamic_cast<wxTextCtrl*>(find->FindWindow(CFindCoordinates::IdText));
        text->ChangeValue("150");
        find->OnOK();
        tops.push_back(grid->GetTopIndex());
        marks.push_back(grid->GetMarkedItem());
        text->ChangeValue("d42");
        dynamic_cast<wxRadioButton*>(find->FindWindow(CFindCoordinates::IdDescription))->SetValue(true);
        find->OnOK();
        tops.push_back(grid->GetTopIndex());
        marks.push_back(grid->GetMarkedItem());
        text->ChangeValue("D4"); // whole texts: D42..D49 pass, point 4 is found after the wrap
        find->OnOK();
        tops.push_back(grid->GetTopIndex());
        marks.push_back(grid->GetMarkedItem());
        // What is sent never exceeds the 79 characters the view's buffer holds.
        text->ChangeValue(std::string(100, 'x'));
        find->OnOK();
        EXPECT_LE(CFindCoordinates::s_text.size(), 79u);
        text->ChangeValue("none");
        find->OnOK();
        return int(wxID_CANCEL);
    };
    Command(Frame(), IdFindPoint);
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_EQ(tops[0], 149);
    EXPECT_EQ(tops[1], 41); // down from 149 wraps to the top
    EXPECT_EQ(tops[2], 3);
    // Each match is framed where it lies; none is selected.
    EXPECT_EQ(marks, (std::vector<int32_t>{149, 41, 3}));
    EXPECT_EQ(GetActiveSelectionOperator()->GetCountUnfiltered(), 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "Point with description 'none' not found.");
    // The next dialog opens with the last search.
    EXPECT_EQ(CFindCoordinates::s_text, "none");
    EXPECT_EQ(CFindCoordinates::s_kind, 1);
    // Without rows, or on the raw data tab, there is nothing to find.
    view->ShowRawDataTab();
    EXPECT_FALSE(view->CanFind());
}

TEST_F(ProgramTest, DeletePointAsksThenDeletesAsOneUndoStep)
{
    ASSERT_TRUE(Start());
    CMorvelView* view = ViewWithPoints(this, Frame(), 20, [this] { Pump(); });
    ASSERT_NE(view, nullptr);
    CDataFileDoc* job = view->GetJob();
    CPointRecord* twelve = job->GetPointDatabase()->FindPoint("12", true);
    ASSERT_NE(twelve, nullptr);

    job->SetCurrentRecord(twelve, -1);
    answers = {IDNO};
    Command(Frame(), IdDeletePoint);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Delete point 12?");
    EXPECT_NE(job->GetPointDatabase()->FindPoint("12", true), nullptr);

    answers = {IDYES};
    Command(Frame(), IdDeletePoint);
    Pump();
    EXPECT_EQ(job->GetPointDatabase()->FindPoint("12", true), nullptr);
    EXPECT_EQ(view->GetGridList()->GetItemCount(), 19);
    // Deleting again finds no current record and asks nothing.
    Command(Frame(), IdDeletePoint);
    EXPECT_EQ(messages.size(), 2u);

    ASSERT_TRUE(job->GetUndoManager()->Undo());
    job->SendHint(nullptr, HintFlush, 0);
    Pump();
    EXPECT_NE(job->GetPointDatabase()->FindPoint("12", true), nullptr);
}

TEST_F(ProgramTest, DoubleClickEditsThePointAndTheRowTipIdentifiesIt)
{
    ASSERT_TRUE(Start());
    CMorvelView* view = ViewWithPoints(this, Frame(), 10, [this] { Pump(); });
    ASSERT_NE(view, nullptr);
    CGridViewListCtrl* grid = view->GetGridList();

    // 7159 opens the point's edit panel; a stand-in panel shows it arrived.
    RegisterPanelFactory(AddPointTemplate, [] { return new CStackableDialog(AddPointTemplate, "Add / Edit Points"); });
    const size_t panels = Frame().GetStackCount();
    grid->OnListLeftDoubleClick(RowPoint(*grid, 4), 0);
    EXPECT_EQ(Frame().GetStackCount(), panels + 1);
    RecordRef current;
    ASSERT_TRUE(view->GetJob()->GetCurrentRecord(current));
    EXPECT_STREQ(static_cast<CPointRecord*>(current.record)->GetName(), "5");
    // Off the rows nothing happens.
    grid->OnListLeftDoubleClick(wxPoint(20, -5), 0);
    EXPECT_EQ(Frame().GetStackCount(), panels + 1);
    RegisterPanelFactory(AddPointTemplate, {});

    // The tip: with a pressed row nothing shows, else the point's identification.
    grid->ClearPressedRow();
    ASSERT_TRUE(view->ShowRowTip(RowPoint(*grid, 2)));
    ASSERT_NE(view->GetRowTip(), nullptr);
    const std::vector<std::string> lines = view->GetRowTip()->GetShownLines();
    ASSERT_FALSE(lines.empty());
    bool named = false;
    for (const std::string& line : lines)
        named = named || line.find("3") != std::string::npos;
    EXPECT_TRUE(named);
    view->GetRowTip()->Dismiss();
    grid->SetPressedRow(1);
    EXPECT_TRUE(view->ShowRowTip(RowPoint(*grid, 6)));
    EXPECT_FALSE(view->GetRowTip()->IsPopupVisible());
    grid->ClearPressedRow();
    EXPECT_FALSE(view->ShowRowTip(wxPoint(20, -5)));

    // The view as the popup's owner.
    std::string unit;
    ASSERT_TRUE(view->GetObjectUnitLabel(unit));
    EXPECT_TRUE(unit == "m" || unit == "ft" || unit == "usft") << unit;
    EXPECT_TRUE(view->HighlightObject(view->GetPointRows().GetPointAtRow(3), true));
    EXPECT_EQ(grid->GetMarkedItem(), 3);
    EXPECT_TRUE(view->HighlightObject(nullptr, false));
    EXPECT_EQ(grid->GetMarkedItem(), -1);
}

TEST_F(ProgramTest, TheTitleFollowsTheJobAndOutsideChangesAreAskedAbout)
{
    const std::string path = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({path}));
    Pump();
    CMorvelView* view = Frame().GetJobView();
    ASSERT_NE(view, nullptr);
    CDataFileDoc* job = view->GetJob();
    ASSERT_EQ(job->GetPathName(), path);
    const std::string raw = home->file("Parcel.Mvr");
    if (!std::filesystem::exists(raw))
        std::ofstream(raw) << "CO,raw\n";
    view->RecordFileState();

    job->AddRecord(new CPointRecord("900", "", CLocation(1, 2, NoValue), true));
    view->RefreshTitle();
    EXPECT_NE(Frame().GetTitle().utf8_string().find("Parcel (Modified)"), std::string::npos);

    // Another program touches the raw data file; the tick in front finds it once the map has
    // drawn (a busy hint manager waits for the next tick). The question shows as a person meets
    // it: with the job changed, Enter must keep the changes.
    std::vector<std::string> questions;
    const ModalAnswerer scripted = SetModalAnswerer({});
    whenShown = [&](wxDialog& shown) {
        if (auto* box = dynamic_cast<CMessageBoxFS*>(CEasyDialog::FromHost(shown))) {
            questions.push_back(box->GetRequest().text);
            EXPECT_TRUE(morvel::test::YieldUntil("the question to take the keyboard", [&] { return shown.IsActive(); }));
            EXPECT_TRUE(SaveScreenshot(shown, "outside_change_question_unsaved.png"));
            wxUIActionSimulator().Char(WXK_RETURN);
        }
    };
    App().GetToolHost().isForeground = [](bool) { return true; };
    std::filesystem::last_write_time(raw, std::filesystem::last_write_time(raw) + std::chrono::seconds(10));
    for (int tick = 0; tick < 20 && questions.empty(); ++tick) {
        Pump();
        view->PollJobFiles();
        job->SendHint(nullptr, HintFlush, 0);
        Pump();
    }
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0],
              "File '" + raw + "' has been modified.\n\nReload from file?\n\nWarning!All current changes will be lost!");
    EXPECT_TRUE(job->IsModified());
    CLocation kept;
    EXPECT_TRUE(job->FindPointLocation("900", &kept)) << "Enter reloaded the job over its changes";
    // Declined: not asked again for the same change, nor while another program is in front.
    view->PollJobFiles();
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(10));
    App().GetToolHost().isForeground = [](bool) { return false; };
    view->PollJobFiles();
    job->SendHint(nullptr, HintFlush, 0);
    Pump();
    EXPECT_EQ(questions.size(), 1u);
    whenShown = {};
    SetModalAnswerer(scripted);
    view->RecordFileState();
    App().GetToolHost().isForeground = nullptr;
}

TEST_F(ProgramTest, PrintingWritesThePageAndThePreviewComesAndGoes)
{
    ASSERT_TRUE(Start());
    CMorvelView* view = ViewWithPoints(this, Frame(), 40, [this] { Pump(); });
    ASSERT_NE(view, nullptr);
    view->GetMapPane()->Preview().ZoomExtents(true);
    Pump();

    const std::string file = home->file("map.ps");
    wxPrintData data;
    data.SetFilename(file);
    data.SetPrintMode(wxPRINT_MODE_FILE);
    wxPrintDialogData dialogData(data);
    wxPostScriptPrinter printer(&dialogData);
    ASSERT_TRUE(view->PrintMap(&printer));
    EXPECT_FALSE(view->IsPrinting());
    std::ifstream in(file);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first.rfind("%!PS-Adobe", 0), 0u);

    Frame().SetFullScreen(true);
    Pump();
    ASSERT_TRUE(view->PrintPreview());
    Pump();
    CPrintPreviewView* preview = CPrintPreviewView::GetCurrent();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(App().GetActiveViewKind(), 1);
    EXPECT_FALSE(Frame().IsFullScreen());
    EXPECT_TRUE(view->IsPrinting());
    // The wheel does not zoom the map under the preview.
    const CLocation before = view->GetMapPane()->Core().GetVisibleTopLeft();
    view->GetMapPane()->OnWheel(120);
    EXPECT_DOUBLE_EQ(view->GetMapPane()->Core().GetVisibleTopLeft().x, before.x);
    SaveScreenshot(*preview, "map_print_preview.png");
    preview->OnPreviewClose();
    EXPECT_TRUE(WaitFor("the preview to close", [] { return CPrintPreviewView::GetCurrent() == nullptr; }));
    EXPECT_EQ(App().GetActiveViewKind(), 0);
    EXPECT_TRUE(Frame().IsFullScreen());
    EXPECT_FALSE(view->IsPrinting());
    Frame().SetFullScreen(false);
    Pump();

    // The preview's Print button closes the preview, then prints through the main window.
    ASSERT_TRUE(view->PrintPreview());
    Pump();
    preview = CPrintPreviewView::GetCurrent();
    ASSERT_NE(preview, nullptr);
    wxWindow* printButton = preview->FindWindow(wxID_PREVIEW_PRINT);
    ASSERT_NE(printButton, nullptr);
    wxEvtHandler catcher;
    int printCommands = 0;
    bool previewGoneFirst = false;
    catcher.Bind(wxEVT_MENU, [&](wxCommandEvent&) {
        ++printCommands;
        previewGoneFirst = CPrintPreviewView::GetCurrent() == nullptr && App().GetActiveViewKind() == 0;
    }, IdFilePrint);
    Frame().PushEventHandler(&catcher);
    wxCommandEvent press(wxEVT_BUTTON, wxID_PREVIEW_PRINT);
    press.SetEventObject(printButton);
    printButton->ProcessWindowEvent(press);
    Pump();
    Frame().PopEventHandler();
    EXPECT_EQ(printCommands, 1);
    EXPECT_TRUE(previewGoneFirst);
    EXPECT_EQ(CPrintPreviewView::GetCurrent(), nullptr);
}

namespace {
// A page printed to a PostScript file: its drawing without the header (which carries the date),
// and the scale bar's label found in it.
struct PostScriptPage
{
    std::string drawing;
    std::string scaleLabel;
};

PostScriptPage PrintToPostScript(const std::string& file, const std::function<bool(wxPrinterBase&)>& print)
{
    wxPrintData data;
    data.SetFilename(file);
    data.SetPrintMode(wxPRINT_MODE_FILE);
    wxPrintDialogData dialogData(data);
    dialogData.SetFromPage(1);
    dialogData.SetToPage(1);
    wxPostScriptPrinter printer(&dialogData);
    PostScriptPage page;
    if (!print(printer))
        return page;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("%%", 0) == 0)
            continue;
        page.drawing += line + "\n";
        const size_t open = line.find('(');
        for (const std::string unit : {" m)", " feet)", " usft)"})
            if (const size_t end = line.find(unit); open != std::string::npos && end != std::string::npos)
                page.scaleLabel = line.substr(open + 1, end + unit.size() - 2 - open);
    }
    return page;
}
} // namespace

TEST_F(ProgramTest, ThePreviewShowsThePageThatThePrintMakes)
{
    ASSERT_TRUE(Start());
    CMorvelView* view = ViewWithPoints(this, Frame(), 40, [this] { Pump(); });
    ASSERT_NE(view, nullptr);
    CPreviewMapCtrl* map = view->GetMapPane();
    map->Preview().ZoomExtents(true);
    Pump();
    const CLocation tl = map->Core().GetVisibleTopLeft(), br = map->Core().GetVisibleBottomRight();
    const map_print::WorldWindow shownOnScreen = map_print::PrintWorldWindow(tl.x, br.x, br.y, tl.y);
    const auto printMap = [view](wxPrinterBase& printer) { return view->PrintMap(&printer); };
    const PostScriptPage before = PrintToPostScript(home->file("before.ps"), printMap);
    ASSERT_FALSE(before.scaleLabel.empty());

    // The preview and the print dialog lay out the same paper: the desktop's, named.
    EXPECT_NE(GetPrintData().GetPaperId(), wxPAPER_NONE);
    ASSERT_TRUE(view->PrintPreview());
    Pump();
    CPrintPreviewView* preview = CPrintPreviewView::GetCurrent();
    ASSERT_NE(preview, nullptr);
    // The frame's bars give way to the preview, so the map under it shows more than it did...
    ASSERT_NE(map->Core().GetVisibleBottomRight().y, br.y);
    SaveScreenshot(*preview, "print_preview_scale.png");
    // ...yet the preview's page shows the map as it was when the preview was asked for.
    const auto* shown = dynamic_cast<CMapPrintout*>(preview->GetPreview()->GetPrintout());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->GetPrintedWindow(), shownOnScreen);

    // Its Print button closes it and sends the print command to the main window: the same page.
    PostScriptPage printed;
    const auto print = [&](wxCommandEvent&) { printed = PrintToPostScript(home->file("printed.ps"), printMap); };
    Frame().Bind(wxEVT_MENU, print, IdFilePrint);
    preview->OnPreviewPrint();
    ASSERT_TRUE(WaitFor("the preview to close", [] { return CPrintPreviewView::GetCurrent() == nullptr; }));
    Frame().Unbind(wxEVT_MENU, print, IdFilePrint);
    EXPECT_EQ(printed.scaleLabel, before.scaleLabel);
    EXPECT_EQ(printed.drawing, before.drawing);

    // A print of its own takes the map as it is then.
    map->Preview().SetWorldWindow(0, 4000, 3000, 0);
    Pump();
    EXPECT_NE(PrintToPostScript(home->file("again.ps"), printMap).scaleLabel, before.scaleLabel);
}

TEST_F(MapPaneFixture, TheNorthArrowAndTheScaleBarAreDrawnOverTheMap)
{
    for (int i = 0; i < 5; ++i)
        doc->AddPoint(std::to_string(i + 1).c_str(), 1000 + 100 * i, 2000 + 50 * i);
    map->Core().SetWindowAndRefresh(0, 2000, 1500, 0);
    Pump();
    const wxImage shown = map->GetShownImage();
    ASSERT_TRUE(shown.IsOk());
    // The bar: 500 m of 2000 m over 800 pixels, 8 high and 4 in from the bottom-left corner.
    EXPECT_EQ(Pixel(shown, wxPoint(100, 600 - 8)), 0x004080FFu);
    EXPECT_NE(Pixel(shown, wxPoint(100, 600 - 2)), 0x004080FFu);
    // The arrow's N: its left stroke at x = 2, drawn in the points' colour over the backdrop.
    const uint32_t background = Pixel(shown, wxPoint(6, 25));
    EXPECT_NE(Pixel(shown, wxPoint(2, 6)), background);
}

namespace {
class ListAndSplitterTest : public morvel::test::WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (IsSkipped())
            return;
        frame = new wxFrame(nullptr, wxID_ANY, "controls", wxDefaultPosition, wxSize(400, 300));
        frame->Show();
        Pump();
    }
    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        Pump();
        WindowTest::TearDown();
    }
    wxFrame* frame = nullptr;
};

class TextList : public CEasyListCtrl
{
public:
    using CEasyListCtrl::CEasyListCtrl;
    std::string GetItemText(int32_t row, int column) const override
    {
        return column == 0 ? "row " + std::to_string(row) : std::string(size_t(row % 7) * 3, 'W');
    }
};
// A grid whose second column labels a comment, a note and an invalid line.
class LabelledGrid : public CGridView
{
public:
    using CGridView::CGridView;
    void OnUpdate(CView*, intptr_t, intptr_t) override {}
    bool IsListRowSelected(const CGridViewListCtrl&, int32_t) const override { return false; }
    std::string GetCellText(int32_t row, int column, const CEasyListCtrl*) const override
    {
        static const char* const labels[] = {"Comment:", "Note:", "Invalid:"};
        if (column == 1)
            return labels[row % 3];
        if (column == 2)
            return row == 0 ? "short" : std::string(40, 'W');
        return "x";
    }
};
} // namespace

TEST_F(ListAndSplitterTest, TheGridMeasuresHeadingsSamplesAndCellsButNotFreeText)
{
    auto* view = new LabelledGrid(frame);
    view->InitializeGrid();
    CGridViewListCtrl* grid = view->GetGridList();
    grid->SetItemCount(3);
    Pump();
    const auto text = [view](const std::string& s) { return view->MeasureTextWidth(s, nullptr); };
    const auto heading = [text, grid](int column) { return text(grid->GetColumnHeading(column).utf8_string()); };
    grid->SetColumnHeading(3, " ");
    std::vector<int> widths(5, 0);
    view->MeasureColumnWidths(widths, nullptr, true);
    // A note's or an invalid line's second cell is free text and does not count.
    EXPECT_EQ(widths[2], std::max(heading(2), text("short")));
    EXPECT_EQ(widths[1], std::max({heading(1), text("Comment:"), text("Note:"), text("Invalid:")}));
    // A heading of one blank is measured as " ... ".
    EXPECT_EQ(widths[3], text(" ... "));

    // Without the cells the grid's samples count; sized, each column takes its measure.
    ASSERT_TRUE(view->AutoSizeColumns());
    EXPECT_EQ(grid->GetColumnWidth(0), std::max(heading(0), text("01234567")));
    EXPECT_EQ(grid->GetColumnWidth(3), std::max(text(" ... "), text("8,888,888.888")));
    EXPECT_EQ(grid->GetColumnWidth(4), std::max(heading(4), text("0123456789123456")));
}

TEST_F(ListAndSplitterTest, TheSplitterMovesAlongItsAxisWithinItsLimits)
{
    auto* bar = new CKvlSplitterWnd(frame, wxID_ANY);
    bar->SetSize(0, 100, 400, 4); // centre 102
    struct Case { const char* name; bool vertical; int before, after, to, expected; };
    const Case cases[] = {
        {"free both ways", false, -1, -1, 260, 260},
        {"free upwards", false, -1, -1, 0, 0},
        {"held below", false, -1, 30, 260, 132},
        {"a 0 limit holds a horizontal bar", false, 0, 0, 20, 102},
        {"a 0 limit leaves a vertical bar free", true, 0, 0, 350, 350},
        {"a vertical limit above 0", true, 0, 50, 350, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->SetVertical(c.vertical);
        bar->SetSize(c.vertical ? wxRect(198, 0, 4, 300) : wxRect(0, 100, 400, 4));
        bar->SetLimits(c.before, c.after);
        EXPECT_EQ(bar->AdjustCentre(c.to), c.expected);
    }
    std::vector<int> moved;
    bar->SetVertical(false);
    bar->SetSize(0, 100, 400, 4);
    bar->SetLimits(-1, -1);
    bar->SetMovedHandler([&moved](int centre) { moved.push_back(centre); });
    // A click without movement tells nothing wherever on the bar it falls, and a drag moves the
    // centre by the mouse's movement, not to the mouse.
    for (int y : {0, 2, 3}) {
        bar->OnDragStart(wxPoint(10, y));
        bar->OnDragEnd(wxPoint(10, y));
    }
    EXPECT_TRUE(moved.empty());
    bar->OnDragStart(wxPoint(10, 0));
    bar->OnDragMove(wxPoint(10, 40));
    bar->OnDragEnd(wxPoint(10, 40));
    EXPECT_EQ(moved, std::vector<int>{142});
}

TEST_F(ListAndSplitterTest, TheListKeepsItsOwnSelectionDataAndWidthsWhenAsked)
{
    auto* list = new TextList(frame, wxID_ANY);
    list->SetSize(0, 0, 400, 300);
    list->InsertColumn(0, "Name", 10, false);
    list->InsertColumn(1, "A very long heading", 10, true);
    list->EnableOwnSelection(true);
    for (int32_t i = 0; i < 10; ++i)
        list->InsertItem(i, uintptr_t(100 + i));

    int32_t index = 5;
    EXPECT_EQ(list->GetNextSelected(index), 0u);
    EXPECT_EQ(index, -1);

    list->SelectSingleItem(3);
    list->InvertSelection();
    EXPECT_EQ(list->GetSelectedItemCount(), 9);
    EXPECT_FALSE(list->IsRowSelected(3));
    list->DeselectAll();
    int32_t found = -1;
    ASSERT_TRUE(list->SelectItemByData(107, found));
    EXPECT_EQ(found, 7);
    EXPECT_FALSE(list->SelectItemByData(999, found));
    EXPECT_EQ(found, 0);
    list->SelectAll();
    // Deleting row 2 moves the rows below, with their data and selection, up one.
    list->DeleteItem(2);
    EXPECT_EQ(list->GetItemCount(), 9);
    EXPECT_EQ(list->FindItemByData(103), 2);
    EXPECT_EQ(list->FindItemByData(102), -1);
    list->ResetSelectionIterator();
    int32_t visited = 0;
    for (uintptr_t data = list->GetNextSelected(index); index >= 0; data = list->GetNextSelected(index)) {
        EXPECT_EQ(data, list->GetItemData(index));
        ++visited;
    }
    EXPECT_EQ(visited, 9);
    // The iterator starts again from the top after the end.
    EXPECT_EQ(list->GetNextSelected(index), 100u);

    list->AutoSizeColumns();
    wxClientDC dc(list->GetBody());
    dc.SetFont(list->GetBody()->GetFont());
    EXPECT_GE(list->GetColumnWidth(1), dc.GetTextExtent("A very long heading").x + 16);
    EXPECT_GE(list->GetColumnWidth(0), dc.GetTextExtent("row 8").x + 16);

    // The marked item: marking another moves it, unmarking another leaves it.
    list->SetMarkedItem(4, true);
    list->SetMarkedItem(6, false);
    EXPECT_EQ(list->GetMarkedItem(), 4);
    list->SetMarkedItem(4, false);
    EXPECT_EQ(list->GetMarkedItem(), -1);

    // Selected rows are drawn in the system's highlight colours (the point grid alone is yellow).
    list->DeselectAll();
    list->SelectSingleItem(1);
    const auto fillOf = [list](int32_t row) {
        wxBitmap bitmap(300, list->GetRowHeight());
        wxMemoryDC dc(bitmap);
        list->DrawRow(dc, row, wxRect(0, 0, 300, list->GetRowHeight()));
        wxColour colour;
        dc.GetPixel(297, list->GetRowHeight() / 2, &colour);
        return colour;
    };
    EXPECT_EQ(fillOf(1), wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    EXPECT_EQ(fillOf(2), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
}

TEST_F(ListAndSplitterTest, TheColourPreviewShowsTheChosenColoursAtOnce)
{
    auto* preview = new CGraphicsPreview(frame, CGraphicsPreview::ControlId, wxSize(200, 100));
    preview->SetColours(4, 253, 1, 5);
    wxBitmap bitmap(200, 100, 24);
    const auto pixel = [&](int x, int y) {
        wxMemoryDC dc(bitmap);
        preview->Draw(dc, wxSize(200, 100));
        wxColour c;
        dc.GetPixel(x, y, &c);
        return c;
    };
    const wxColour cursor = ToWxColour(GetPaletteColor(4));
    EXPECT_EQ(pixel(150, 10), cursor); // the vertical line at 3/4 of the width
    EXPECT_EQ(pixel(10, 75), cursor);  // the horizontal line at 3/4 of the height
    EXPECT_EQ(pixel(190, 5), ToWxColour(GetPaletteColor(253)));
    preview->SetColours(4, 2, 1, 5);
    EXPECT_EQ(pixel(190, 5), ToWxColour(GetPaletteColor(2)));
}

TEST_F(ProgramTest, TheGridRowMenuHighlightsItsPointOnTheMapWhileItIsOpen)
{
    ASSERT_TRUE(Start());
    CMorvelView* view = ViewWithPoints(this, Frame(), 5, [this] { Pump(); });
    ASSERT_NE(view, nullptr);
    CPreviewMapCtrl* map = view->GetMapPane();
    map->Preview().ZoomExtents(true);
    Pump();
    // Pixels in the selection colour, in which the map draws a highlighted point.
    const uint32_t highlight = map->PaletteColour(GetMorvelSettings().GetSelectionColor());
    const auto highlighted = [&] {
        const wxImage image = map->GetShownImage();
        int count = 0;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                count += (uint32_t(image.GetRed(x, y)) | uint32_t(image.GetGreen(x, y)) << 8 |
                          uint32_t(image.GetBlue(x, y)) << 16) == highlight;
        return count;
    };
    ASSERT_EQ(highlighted(), 0);
    int whileOpen = 0;
    wxString firstItem;
    const PopupMenuAnswerer previous = SetPopupMenuAnswerer([&](wxMenu& menu) {
        firstItem = menu.FindItemByPosition(0)->GetItemLabelText();
        whileOpen = highlighted();
        return 0;
    });
    GridRowNotify row;
    row.first = row.last = 0;
    view->OnListRightUp(row, view->GetGridList()->GetScreenPosition());
    SetPopupMenuAnswerer(previous);
    EXPECT_EQ(firstItem, "Edit Point 1...");
    EXPECT_GT(whileOpen, 0);
    EXPECT_EQ(highlighted(), 0);
    // Nothing chosen: the point is no longer the current record.
    RecordRef current;
    EXPECT_FALSE(view->GetJob()->GetCurrentRecord(current));
}
