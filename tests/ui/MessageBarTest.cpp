#include "ProgramTest.h"

#include "core/Report.h"
#include "framework/ui/EasyRichEdit.h"
#include "framework/ui/MessageBar.h"
#include "framework/ui/RichTextView.h"
#include "model/MorvelSettings.h"
#include "platform/AppFolders.h"
#include "platform/Profile.h"
#include "shell/CommandIds.h"
#include "shell/KVLEditHandoff.h"
#include "shell/RtfReader.h"
#include "shell/ui/IpcServer.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/ReportViewer.h"

#include <wx/aui/framemanager.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/fontenum.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/ipc.h>
#include <wx/richtext/richtextctrl.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

using morvel::test::ProgramTest;
using morvel::test::WindowTest;

namespace {

void FillReport(CReport& report, int rows)
{
    report.AddColumn("Point\nName", ReportHeadingCentre | ReportCellLeft);
    report.AddColumn("Northing", ReportHeadingRight | ReportCellRight);
    report.AddColumn("Easting", ReportHeadingRight | ReportCellRight);
    report.AddColumn("Description", ReportHeadingLeft | ReportCellLeft);
    for (int i = 0; i < rows; ++i) {
        const int32_t row = report.AddRow();
        report.SetCell(0, row, "P" + std::to_string(i + 1), false);
        report.SetCell(1, row, std::to_string(5000 + i * 7) + ".125", false);
        report.SetCell(2, row, std::to_string(1000 + i * 3) + ".250", false);
        report.SetCell(3, row, i % 3 ? "FENCE" : "DITCH {EDGE}", false);
    }
}

CMessageBar& Bar(CMainFrame& frame)
{
    return *dynamic_cast<CMessageBar*>(frame.GetBar(CMainFrame::MessageBarIndex));
}

std::string BarText(CMainFrame& frame) { return Bar(frame).GetTextWindow()->GetValue().utf8_string(); }

void PressClose(CMainFrame& frame)
{
    wxButton* close = Bar(frame).GetCloseButton();
    wxCommandEvent event(wxEVT_BUTTON, close->GetId());
    event.SetEventObject(close);
    close->ProcessWindowEvent(event);
}

} // namespace

TEST_F(ProgramTest, ReportsShowInTheMessageBar)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    // Hidden at start.
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::MessageBarIndex));

    CReport report;
    FillReport(report, 12);
    report.ShowInMessageBar(true, false);
    Pump();
    EXPECT_TRUE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    const std::string text = BarText(frame);
    EXPECT_NE(text.find("Point  Northing   Easting  Description"), std::string::npos) << text;
    EXPECT_NE(text.find("P1     5000.125  1000.250  DITCH {EDGE}"), std::string::npos) << text;
    EXPECT_EQ(Bar(frame).GetTextWindow()->GetInsertionPoint(), 0);
    EXPECT_TRUE(SaveScreenshot(frame, "message_bar.png"));

    // The "X": the user closed it, and reports that respect that keep it hidden.
    PressClose(frame);
    Pump();
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    EXPECT_TRUE(frame.GetUserClosedMessageBar());
    report.AddTextRow("one more");
    report.ShowInMessageBar(true, true);
    Pump();
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    EXPECT_NE(BarText(frame).find("one more"), std::string::npos);
    // One that does not respect it shows the bar and forgets the record.
    report.ShowInMessageBar(false, true);
    Pump();
    EXPECT_TRUE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    EXPECT_FALSE(frame.GetUserClosedMessageBar());
    EXPECT_EQ(Bar(frame).GetTextWindow()->GetInsertionPoint(), Bar(frame).GetTextWindow()->GetLastPosition());

    // An empty report hides the bar.
    CReport empty;
    empty.ShowInMessageBar(false, false);
    Pump();
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::MessageBarIndex));

    // Text that is not rich text shows as it is, line by line; the empty text leaves nothing.
    Bar(frame).SetText("not {rich\r\ntext", true);
    EXPECT_EQ(BarText(frame), "not {rich\ntext");
    Bar(frame).SetText("", true);
    EXPECT_EQ(BarText(frame), "");
    EXPECT_EQ(Bar(frame).GetTextWindow()->GetInsertionPoint(), 0);
}

TEST_F(ProgramTest, ClearAsksTheTopPanelFirst)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    CReport report;
    FillReport(report, 3);
    report.ShowInMessageBar(false, false);
    Pump();
    ASSERT_FALSE(BarText(frame).empty());

    // A panel that answers 0x8078 itself: the bar keeps its text.
    long answer = 1;
    int asked = 0;
    wxWindow* sideBar = frame.GetBar(CMainFrame::DialogBarIndex);
    sideBar->Bind(EVT_MESSAGEBAR_CLEAR_8078, [&](wxCommandEvent& event) {
        ++asked;
        event.SetExtraLong(answer);
    });
    Bar(frame).OnClear();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(BarText(frame).empty());
    // One that leaves it to the bar: emptied.
    answer = 0;
    Bar(frame).OnClear();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(BarText(frame), "");
    EXPECT_EQ(Bar(frame).GetRtf(), "");
}

TEST_F(ProgramTest, ReportHandsTheLastTextToTheEditor)
{
    // A desktop opener that keeps what the editor asks it to open.
    const std::string opened = home->file("opened.rtf");
    const std::string opener = home->file("xdg-open");
    const std::string openedName = home->file("opened-name");
    // The name appears by a rename, whole, once the copy is there: the test waits for nothing else.
    morvel::test::WriteAllText(opener, "#!/bin/sh\ncp \"$1\" '" + opened + "'\necho \"$1\" > '" + openedName +
                                           ".part'\nmv '" + openedName + ".part' '" + openedName + "'\n");
    ::chmod(opener.c_str(), 0755);
    const std::string types = home->file("xdg-mime");
    morvel::test::WriteAllText(types, "#!/bin/sh\necho writer.desktop\n");
    ::chmod(types.c_str(), 0755);
    const std::string oldPath = ::getenv("PATH") ? ::getenv("PATH") : "";
    ::setenv("PATH", (home->path().string() + ":" + oldPath).c_str(), 1);
    SetKVLEditPathOverride(GetExecutableFolder() + "KVLEdit");

    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    CReport report;
    FillReport(report, 3);
    report.ShowInMessageBar(false, false);
    int reported = 0;
    frame.Bind(EVT_MESSAGEBAR_REPORTED_807A, [&](wxCommandEvent&) { ++reported; });
    Bar(frame).OnReport();
    Pump();
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages[0]);
    EXPECT_EQ(reported, 1);
    // The opener runs on its own; a loaded machine may take its time, a lost opener fails after a minute.
    for (int i = 0; i < 6000 && !std::filesystem::exists(openedName); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(morvel::test::ReadAllText(opened), report.GenerateRtf(false));
    // The file handed to the desktop goes when the program exits.
    std::string handed = morvel::test::ReadAllText(openedName);
    handed.erase(handed.find_last_not_of('\n') + 1);
    EXPECT_TRUE(std::filesystem::exists(handed)) << handed;
    Exit();
    EXPECT_FALSE(std::filesystem::exists(handed)) << handed;
    SetKVLEditPathOverride("");
    ::setenv("PATH", oldPath.c_str(), 1);
}

// The bar's Report goes out as every other report does: on a desktop without a program for rich
// text it opens in the program's own viewer, not in a box that says it cannot be shown. The
// viewer shows the report's lines as they are written, however wide: a wrapped heading broke
// apart and each row's padding fell onto an empty line of its own.
TEST_F(ProgramTest, TheBarsReportOpensInTheProgramsViewerWithoutARichTextProgram)
{
    // The desktop's opener knows no program for rich text.
    const std::string types = home->file("bin/xdg-mime");
    morvel::test::WriteAllText(types, "#!/bin/sh\nexit 0\n");
    ::chmod(types.c_str(), 0755);
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    frame.SetSize(1000, 760);
    // As a reduction of raw data reports, with a row wider than the viewer.
    const std::vector<std::string> rows = {
        "Line #3 GENERATING PT: 1001 N: 5000.000 E: 1000.000 Z: 100.000 CODE: FENCE POST",
        "Line #4 WARNING: Duplicate Pt. '1001'.",
        "Line #9 MODIFYING PT: 1002 N: 5010.000 E: 1010.000 Z: 101.000 CODE: EDGE OF PAVEMENT NORTH SIDE " +
            std::string(100, '=')};
    CReport report;
    report.AddColumn("Reduction Analysis", ReportHeadingCentre | ReportCellLeft);
    for (const std::string& text : rows)
        report.SetCell(0, report.AddRow(), text, false);
    report.ShowInMessageBar(false, false);
    Pump();
    ASSERT_FALSE(Bar(frame).GetRtf().empty());

    int viewers = 0;
    std::string title;
    std::vector<std::string> lines;
    dialogAnswer = [&](wxDialog& host) {
        auto* viewer = dynamic_cast<CReportViewer*>(&host);
        if (viewer == nullptr)
            return int(wxID_CANCEL);
        ++viewers;
        title = viewer->GetTitle().utf8_string();
        viewer->InitDialog();
        viewer->Show();
        EXPECT_TRUE(SaveScreenshot(*viewer, "message_bar_report.png"));
        // The lines as laid out in the window.
        wxRichTextBuffer& buffer = viewer->GetViewer()->GetBuffer();
        for (wxRichTextObjectList::compatibility_iterator node = buffer.GetChildren().GetFirst(); node;
             node = node->GetNext())
            if (auto* paragraph = wxDynamicCast(node->GetData(), wxRichTextParagraph))
                for (const wxRichTextLine* line : paragraph->GetLines())
                    lines.push_back(buffer.GetTextForRange(line->GetAbsoluteRange()).utf8_string());
        viewer->Hide();
        return int(wxID_OK);
    };
    Bar(frame).OnReport();
    Pump();
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(viewers, 1);
    EXPECT_EQ(title, " Report viewer");
    const size_t width = rows[2].size();
    const std::string heading = std::string((width - 18) / 2, '_') + "Reduction Analysis" +
                                std::string(width - 18 - (width - 18) / 2, '_');
    EXPECT_THAT(lines, testing::ElementsAre(heading, rows[0] + std::string(width - rows[0].size(), ' '),
                                            rows[1] + std::string(width - rows[1].size(), ' '), rows[2], ""));
}

TEST_F(ProgramTest, MessageBarSizeIsKeptInTheProfile)
{
    GetAppProfile().WriteProfileInt("DockableWindow(59397)", "cy", 150);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Bar(Frame()).GetSizeBar(), wxSize(200, 150));
    // The height the user dragged it to (while hidden the layout leaves it alone).
    Frame().ShowMessageBar(false);
    Bar(Frame()).SetSizeBar(wxSize(200, 170));
    Exit();
    EXPECT_EQ(ProfileValue("DockableWindow(59397)", "cy"), "170");
    EXPECT_EQ(ProfileValue("DockableWindow(59397)", "cx"), "200");
}

TEST_F(ProgramTest, AMissingManualIsNamed)
{
    ASSERT_TRUE(Start());
    wxCommandEvent command(wxEVT_MENU, IdViewManual);
    Frame().ProcessWindowEvent(command);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "'" + GetExecutableFolder() + "MorvelManual.pdf' not found.");
    wxCommandEvent started(wxEVT_MENU, IdGettingStarted);
    Frame().ProcessWindowEvent(started);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "'" + GetExecutableFolder() + "MorvelGettingStarted.pdf' not found.");
}

TEST_F(ProgramTest, TheIpcServiceAnswersTheEditor)
{
    ASSERT_TRUE(Start());
    const std::string path = GetIpcSocketPath(GetIpcServiceName());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0) << path;

    // A second program under the same name runs without the service.
    CWxIpcService second;
    EXPECT_FALSE(second.Register(GetIpcServiceName(), IpcTopic));

    // The editor's side: wx sockets wait by running the loop, so the program answers meanwhile.
    size_t requestSize = 99;
    bool gotData = false, otherItem = true, pokeSave = false, pokeOther = true, otherTopic = true;
    {
        wxTCPClient client;
        std::unique_ptr<wxConnectionBase> connection(
            client.MakeConnection("localhost", wxString::FromUTF8(path), IpcTopic));
        ASSERT_TRUE(connection);
        const void* data = connection->Request("Get Data", &requestSize);
        gotData = data != nullptr && requestSize == 1 && *static_cast<const char*>(data) == '\0';
        size_t size = 0;
        otherItem = connection->Request("Other Data", &size) != nullptr;
        pokeSave = connection->Poke("Notify Save Text", "/home/ann/report.rtf");
        connection->Disconnect();
        std::unique_ptr<wxConnectionBase> other(
            client.MakeConnection("localhost", wxString::FromUTF8(path), "Other"));
        ASSERT_TRUE(other);
        size_t otherSize = 0;
        otherTopic = other->Request("Get Data", &otherSize) != nullptr;
        other->Disconnect();
    }
    Pump();
    EXPECT_TRUE(gotData);
    EXPECT_FALSE(otherItem);
    EXPECT_TRUE(pokeSave);
    // wx carries no acknowledgement of a poke back to the poker; the server's answers are:
    pokeOther = IsIpcAcknowledgedPoke(IpcTopic, "Notify Save Drawing");
    EXPECT_FALSE(pokeOther);
    EXPECT_TRUE(IsIpcAcknowledgedPoke(IpcTopic, "Notify Save Report"));
    EXPECT_TRUE(IsIpcAcknowledgedPoke(IpcTopic, "Notify Save PointList"));
    EXPECT_FALSE(IsIpcAcknowledgedPoke("Other", "Notify Save Text"));
    EXPECT_FALSE(otherTopic);

    Exit();
    EXPECT_NE(::stat(path.c_str(), &st), 0);
}

TEST_F(WindowTest, ReportViewerShowsAndAppends)
{
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Courier New;}}\\pard\\plain\\f0\\fs20 First\\par}";
    auto* viewer = new CReportViewer(nullptr);
    viewer->SetText(rtf);
    viewer->InitDialog();
    EXPECT_EQ(viewer->GetTitle(), " Report viewer");
    EXPECT_EQ(viewer->GetViewer()->GetValue().utf8_string(), "First");
    StreamRtfIntoRichEdit("{\\rtf1 Second\\par}", *viewer->GetViewer(), false);
    EXPECT_EQ(viewer->GetViewer()->GetValue().utf8_string(), "First\nSecond");
    StreamRtfIntoRichEdit("", *viewer->GetViewer(), true);
    EXPECT_EQ(viewer->GetViewer()->GetValue().utf8_string(), "");
    viewer->Destroy();
}

TEST_F(ProgramTest, DockMenuShowsAndHidesBars)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    // Along the bottom the view tab bar lies next to the job window, the message bar outside it
    // (rows count from the frame's edge).
    wxAuiManager& aui = frame.GetAuiManager();
    const wxAuiPaneInfo& tabs = aui.GetPane(frame.GetBar(CMainFrame::ViewTabBarIndex));
    const wxAuiPaneInfo& messages = aui.GetPane(frame.GetBar(CMainFrame::MessageBarIndex));
    EXPECT_EQ(tabs.dock_direction, wxAUI_DOCK_BOTTOM);
    EXPECT_EQ(messages.dock_direction, wxAUI_DOCK_BOTTOM);
    EXPECT_GT(tabs.dock_row, messages.dock_row);

    std::unique_ptr<wxMenu> menu(frame.BuildDockMenu());
    const std::vector<int> bars = frame.GetDockMenuBars();
    ASSERT_EQ(menu->GetMenuItemCount(), bars.size());
    const auto at = std::find(bars.begin(), bars.end(), int(CMainFrame::MessageBarIndex));
    ASSERT_NE(at, bars.end());
    const int id = IdDockBarFirst + int(at - bars.begin());
    EXPECT_EQ(menu->GetLabelText(id), "Message Bar");
    EXPECT_FALSE(menu->IsChecked(id));

    wxCommandEvent command(wxEVT_MENU, id);
    frame.OnDockMenuCommand(command);
    EXPECT_TRUE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    menu.reset(frame.BuildDockMenu());
    EXPECT_TRUE(menu->IsChecked(id));
    frame.OnDockMenuCommand(command);
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::MessageBarIndex));
}

namespace {

RtfRun StyledRun(const std::string& text, bool bold = false, bool underline = false)
{
    RtfRun run;
    run.text = text;
    run.face = "Monospace";
    run.fontSize = 20;
    run.bold = bold;
    run.underline = underline;
    return run;
}

} // namespace

TEST_F(WindowTest, TheReportTextSelectsAndCopiesLikeAnyText)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "view", wxDefaultPosition, wxSize(600, 300));
    auto* view = new CRichTextView(frame, wxID_ANY, wxVSCROLL | wxHSCROLL);
    frame->Show();
    RtfDocument document;
    document.paragraphs.push_back(RtfParagraph{RtfAlignment::Centre, {StyledRun("Point Report", true, true)}});
    document.paragraphs.push_back(RtfParagraph{RtfAlignment::Left, {}});
    document.paragraphs.push_back(RtfParagraph{RtfAlignment::Left, {StyledRun("P1  "), StyledRun("Ü 5000.125", true)}});
    document.paragraphs.push_back(RtfParagraph{RtfAlignment::Left, {StyledRun("P2  1000.250\nsplit")}});
    view->SetDocument(document);
    Pump();
    EXPECT_EQ(view->GetValue().utf8_string(), "Point Report\n\nP1  Ü 5000.125\nP2  1000.250 split");
    EXPECT_EQ(view->GetNumberOfLines(), 4);
    CRichTextView::CharStyle style;
    ASSERT_TRUE(view->GetStyleAt(0, style));
    EXPECT_TRUE(style.bold);
    EXPECT_TRUE(style.underline);
    EXPECT_DOUBLE_EQ(style.points, 10.0);
    const long cell = long(view->GetValue().find(wxString::FromUTF8("Ü")));
    ASSERT_TRUE(view->GetStyleAt(cell, style));
    EXPECT_TRUE(style.bold);
    ASSERT_TRUE(view->GetStyleAt(cell - 1, style));
    EXPECT_FALSE(style.bold);
    EXPECT_FALSE(view->GetStyleAt(12, style)); // a line end

    // A drag from the start of the third line to the end of the fourth.
    // Points in the window, found through the hit test at the left edge and far right.
    const auto pointAt = [&](int x, long position) {
        for (int y = 0; y < 200; ++y)
            if (view->HitTestPosition(wxPoint(x, y)) == position)
                return wxPoint(x, y);
        return wxPoint(-1, -1);
    };
    const long third = 14;
    const wxPoint from = pointAt(0, third);
    const wxPoint to = pointAt(500, view->GetLastPosition());
    ASSERT_NE(from, wxPoint(-1, -1));
    ASSERT_NE(to, wxPoint(-1, -1));
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetPosition(from);
    down.SetLeftDown(true);
    view->OnLeftDown(down);
    wxMouseEvent move(wxEVT_MOTION);
    move.SetPosition(to);
    move.SetLeftDown(true);
    view->OnMotion(move);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetPosition(to);
    view->OnLeftUp(up);
    EXPECT_EQ(view->GetStringSelection().utf8_string(), "P1  Ü 5000.125\nP2  1000.250 split");

    // Shift+Up pulls the end of the selection back a line; Ctrl+A takes everything.
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_UP;
    key.SetShiftDown(true);
    view->OnKeyDown(key);
    EXPECT_EQ(view->GetStringSelection().utf8_string(), "P1  Ü 5000.125");
    wxKeyEvent all(wxEVT_KEY_DOWN);
    all.m_keyCode = 'A';
    all.SetControlDown(true);
    view->OnKeyDown(all);
    EXPECT_EQ(view->GetStringSelection(), view->GetValue());

    // The limit cuts what lies beyond it; line ends count.
    view->SetMaxLength(20);
    view->SetDocument(document);
    EXPECT_EQ(view->GetValue().utf8_string(), "Point Report\n\nP1  Ü ");
    EXPECT_EQ(view->GetLastPosition(), 20);
    view->Clear();
    EXPECT_EQ(view->GetValue(), "");
    EXPECT_EQ(view->GetNumberOfLines(), 0);

    // A paragraph longer than a line goes on over several, with no line end added.
    view->SetMaxLength(CMessageBar::MaxTextLength);
    RtfDocument longLine;
    longLine.paragraphs.push_back(RtfParagraph{RtfAlignment::Left, {StyledRun(std::string(4500, 'x'))}});
    view->SetDocument(longLine);
    EXPECT_EQ(view->GetNumberOfLines(), 3);
    EXPECT_EQ(view->GetLastPosition(), 4500);
    EXPECT_EQ(view->GetLineText(2).length(), 500u);
    EXPECT_EQ(view->HitTestPosition(wxPoint(0, 1)), 0);
    frame->Destroy();
}

// Report text keeps one cell per character: "ffi" is never drawn as one joined glyph, also in a
// face that has that ligature. The program turns ligatures off as it starts; this test's program
// turns off nothing itself.
TEST_F(ProgramTest, ReportTextIsDrawnWithoutLigatures)
{
    ASSERT_TRUE(Start());
    // A face with "fi" and "ffi" ligatures, which would otherwise be drawn joined.
    ASSERT_TRUE(wxFontEnumerator::IsValidFacename("DejaVu Sans")) << "install fonts-dejavu-core";
    LogFont face = GetMorvelSettings().GetReportTextFont();
    face.faceName = "DejaVu Sans";
    GetMorvelSettings().SetReportTextFont(face);
    CReport report;
    report.AddHeaderLine("Curvature and Refraction Coefficient");
    report.AddColumn("Record", ReportHeadingLeft | ReportCellLeft);
    report.AddColumn("Offset", ReportHeadingRight | ReportCellRight);
    for (const char* record : {"CO,C & R Coefficient: 0.1320", "CO,Sea Level Adjustment: Off"}) {
        const int32_t row = report.AddRow();
        report.SetCell(0, row, record, false);
        report.SetCell(1, row, "0.125", false);
    }
    CReportViewer viewer(&Frame());
    viewer.SetText(report.GenerateRtf(true, ""));
    viewer.InitDialog();
    viewer.Show();
    Pump();
    EXPECT_TRUE(SaveScreenshot(viewer, "report_without_ligatures.png"));
    wxRichTextCtrl& control = *viewer.GetViewer();
    const std::string shown = control.GetValue().utf8_string();
    int seen = 0;
    for (size_t at = shown.find("Coefficient"); at != std::string::npos; at = shown.find("Coefficient", at + 1)) {
        wxRichTextAttr style;
        ASSERT_TRUE(control.GetStyle(long(at), style));
        SCOPED_TRACE(style.GetFontFaceName().utf8_string());
        wxClientDC dc(&control);
        dc.SetFont(style.GetFont());
        EXPECT_EQ(dc.GetTextExtent("ffi").x, 2 * dc.GetTextExtent("f").x + dc.GetTextExtent("i").x);
        ++seen;
    }
    // The title and the record.
    EXPECT_EQ(seen, 2) << shown;
    viewer.Hide();
}
