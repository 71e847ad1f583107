#include "ProgramTest.h"

#include "core/ResourceStrings.h"
#include "framework/ui/CoolMenuManager.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/MemoryDC.h"
#include "framework/ui/RichTextView.h"
#include "framework/ui/StaticLink.h"
#include "framework/ui/SubclassWnd.h"
#include "platform/ProcessLaunch.h"
#include "platform/Version.h"
#include "shell/CommandIds.h"
#include "shell/RtfReader.h"
#include "shell/ui/AboutDlg.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/MorvelToolbar.h"
#include "shell/ui/SplashWnd.h"
#include "views/MapCommands.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/ViewToolHost.h"

#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/graphics.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <dlfcn.h>
#include <functional>
#include <map>
#include <memory>
#include <regex>

using morvel::test::ProgramTest;
using morvel::test::WindowTest;
using morvel::test::YieldUntil;

namespace {

// Where each command of the main window's menus belongs (its top menu) and the key its item
// shows; commands without a menu place are not listed.
struct MenuPlace
{
    const char* top;
    const char* key;
};
const std::map<int, MenuPlace>& MenuPlaces()
{
    static const std::map<int, MenuPlace> places = {
        {IdAppAbout, {"Help", ""}},
        {IdViewToolbars, {"View", ""}},
        {IdMessageBar, {"View", ""}},
        {7375, {"File", ""}},
        {7397, {"File", ""}},
        {7458, {"File", ""}},
        {7079, {"File", ""}},
        {7067, {"File", ""}},
        {WxCommandId(57606), {"File", ""}},
        {WxCommandId(57643), {"Edit", "Ctrl+Z"}},
        {WxCommandId(57644), {"Edit", "Ctrl+Y"}},
        {7121, {"Edit", "Ctrl+D"}},
        {7358, {"View", ""}},
        {7395, {"View", ""}},
        {7494, {"View", ""}},
        {7495, {"View", ""}},
        {7168, {"View", ""}},
        {7169, {"View", "F5"}},
        {7232, {"View", "Ctrl+N"}},
        {IdZoomToPoint, {"View", ""}},
        {IdTechnicalSupport, {"Help", ""}},
        {7235, {"File", ""}},
        {7339, {"File", ""}},
        {7499, {"File", ""}},
        {7238, {"File", ""}},
        {7138, {"File", ""}},
        {7340, {"File", ""}},
        {7268, {"Edit", ""}},
        {7295, {"Edit", ""}},
        {7159, {"Edit", "Ctrl+J"}},
        {7178, {"Edit", ""}},
        {7318, {"Edit", ""}},
        {7151, {"Cogo", "Ctrl+I"}},
        {7152, {"Cogo", ""}},
        {7496, {"Cogo", ""}},
        {7389, {"Job", ""}},
        {7390, {"Job", ""}},
        {7384, {"Job", ""}},
        {7312, {"Transfer", ""}},
        {7315, {"Transfer", ""}},
        {7326, {"Transfer", ""}},
        {7284, {"View", "Ctrl+O"}},
        {7293, {"View", ""}},
        {7196, {"View", "Ctrl+E"}},
        {7366, {"Tools", "Ctrl+R"}},
        {7441, {"Tools", ""}},
        {7497, {"Tools", ""}},
        {7498, {"Tools", ""}},
        {7289, {"Help", ""}},
        {7290, {"Help", ""}},
        {7291, {"Help", ""}},
        {IdViewManual, {"Help", "F1"}},
        {IdGettingStarted, {"Help", ""}},
        {IdOpenJob, {"File", ""}},
        {IdCloseJob, {"File", ""}},
    };
    return places;
}

void WalkMenu(wxMenu* menu, const std::string& top, std::vector<std::pair<wxMenuItem*, std::string>>& items)
{
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSubMenu())
            WalkMenu(item->GetSubMenu(), top, items);
        else if (!item->IsSeparator())
            items.emplace_back(item, top);
    }
}

std::string ShownKey(wxMenuItem* item)
{
    const std::string label = item->GetItemLabel().utf8_string();
    const size_t tab = label.find('\t');
    return tab == std::string::npos ? std::string() : label.substr(tab + 1);
}

// Records the order in which hooks see a window's events.
class RecordingHook : public CSubclassWnd
{
public:
    RecordingHook(std::string name, std::vector<std::string>& seen) : m_name(std::move(name)), m_seen(seen) {}

protected:
    bool WindowProc(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_MENU)
            m_seen.push_back(m_name);
        return false;
    }

private:
    std::string m_name;
    std::vector<std::string>& m_seen;
};

// A toolkit function, looked up as the window tests' pictures do (no toolkit headers here).
template <typename Function>
Function Gtk(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_DEFAULT, name));
}

// The window with a copy of `menu` (its items, texts, keys and pictures) opened over it under the
// menu bar, as the toolkit draws both; the menu closes once drawn. GTK draws a menu in a window
// of its own, which the window's picture leaves out.
bool SaveOpenMenuScreenshot(CMainFrame& frame, const wxMenu& menu, const std::string& fileName)
{
    static const auto widgetDraw = Gtk<void (*)(void*, void*)>("gtk_widget_draw");
    static const auto toplevelOf = Gtk<void* (*)(void*)>("gtk_widget_get_toplevel");
    static const auto isMapped = Gtk<int (*)(void*)>("gtk_widget_get_mapped");
    static const auto windowOf = Gtk<void* (*)(void*)>("gtk_widget_get_window");
    static const auto originOf = Gtk<int (*)(void*, int*, int*)>("gdk_window_get_origin");
    static const auto widthOf = Gtk<int (*)(void*)>("gtk_widget_get_allocated_width");
    static const auto heightOf = Gtk<int (*)(void*)>("gtk_widget_get_allocated_height");
    static const auto popdown = Gtk<void (*)(void*)>("gtk_menu_popdown");
    if (!widgetDraw || !toplevelOf || !isMapped || !windowOf || !originOf || !widthOf || !heightOf || !popdown)
        return false;

    wxMenu shown;
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSeparator())
            shown.AppendSeparator();
        else if (dynamic_cast<const CKeyTextMenuItem*>(item))
            shown.Append(new CKeyTextMenuItem(&shown, item->GetId(), item->GetItemLabel(), item->GetHelp()));
        else
            shown.Append(item->GetId(), item->GetItemLabel(), item->GetHelp(), item->GetKind());
    }
    frame.GetMenuManager().UpdateMenu(&shown);
    bool saved = false;
    frame.CallAfter([&] {
        void* top = toplevelOf(shown.m_menu);
        if (!top || !isMapped(top) || !windowOf(top))
            return;
        int x = 0, y = 0;
        originOf(windowOf(top), &x, &y);
        const wxRect frameRect = frame.GetScreenRect();
        const wxRect menuRect(x, y, widthOf(top), heightOf(top));
        const wxRect all = frameRect.Union(menuRect);
        wxBitmap bitmap(all.width, all.height, 24);
        wxMemoryDC memory(bitmap);
        memory.SetBackground(*wxWHITE_BRUSH);
        memory.Clear();
        wxGraphicsContext* context = memory.GetGraphicsContext();
        if (context && context->GetNativeContext()) {
            for (const auto& [widget, at] : {std::pair{static_cast<void*>(frame.GetHandle()), frameRect.GetPosition()},
                                             std::pair{top, menuRect.GetPosition()}}) {
                context->PushState();
                context->Translate(at.x - all.x, at.y - all.y);
                widgetDraw(widget, context->GetNativeContext());
                context->PopState();
            }
            context->Flush();
            memory.SelectObject(wxNullBitmap);
            saved = bitmap.SaveFile(wxString::FromUTF8(std::string(MORVEL_TEST_OUTPUT_DIR) + "/" + fileName),
                                    wxBITMAP_TYPE_PNG);
        }
        popdown(shown.m_menu);
    });
    frame.PopupMenu(&shown, wxPoint(120, 0));
    // A menu the toolkit could not open returns at once: the drawing is let go of here.
    for (int round = 0; round < 10 && wxTheApp->HasPendingEvents(); ++round)
        wxTheApp->ProcessPendingEvents();
    return saved;
}

} // namespace

TEST_F(ProgramTest, MenuBarShowsEachCommandInItsPlaceWithItsKeyAndPicture)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    std::vector<std::pair<wxMenuItem*, std::string>> items;
    wxMenuBar* bar = frame.GetMenuBar();
    ASSERT_NE(bar, nullptr);
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        WalkMenu(bar->GetMenu(i), bar->GetMenuLabelText(i).utf8_string(), items);
    int found = 0;
    for (const auto& [item, top] : items) {
        auto it = MenuPlaces().find(item->GetId());
        if (it == MenuPlaces().end())
            continue;
        SCOPED_TRACE(item->GetItemLabelText().utf8_string());
        ++found;
        EXPECT_EQ(top, it->second.top);
        EXPECT_EQ(ShownKey(item), it->second.key);
    }
    // At least the commands this window has always had.
    EXPECT_GE(found, 8);
    // An item the pointer rests on says what it does in the status bar.
    wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, IdRawDataReport);
    frame.ProcessWindowEvent(highlight);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "Generates a report of Raw Data Records");
    // No key is shown on two items.
    std::map<std::string, int> keyOwners;
    for (const auto& [item, top] : items) {
        const std::string key = ShownKey(item);
        if (key.empty())
            continue;
        auto [it, fresh] = keyOwners.emplace(key, item->GetId());
        EXPECT_TRUE(fresh || it->second == item->GetId()) << key;
    }

    // Every item of a toolbar command shows the toolbar's picture; the first button keeps it.
    CCoolMenuManager& menus = frame.GetMenuManager();
    EXPECT_EQ(menus.GetToolbarIds(), std::vector<int>{CMorvelToolbar::ToolbarResourceId});
    EXPECT_EQ(menus.GetImageIndex(IdOpenJob), 0);
    EXPECT_EQ(menus.GetImageIndex(IdZoomIn), 1);
    wxMenuItem* open = bar->FindItem(IdOpenJob);
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->GetBitmap().IsOk());
    EXPECT_FALSE(bar->FindItem(IdAppAbout)->GetBitmap().IsOk());

    std::string text = "Zoom Window";
    EXPECT_TRUE(menus.GetAcceleratorText(text, IdZoomWindow));
    EXPECT_EQ(text, "Zoom Window\tCtrl+W");
    EXPECT_EQ(CCoolMenuManager::KeyName(344, true), "F5");

    // A key reaches its command only while the command's item is enabled.
    wxMenu* help = bar->GetMenu(size_t(bar->FindMenu("Help")));
    constexpr int TestCommand = 7999;
    help->Append(TestCommand, "Test");
    bool enabled = false;
    int ran = 0;
    frame.Bind(wxEVT_UPDATE_UI, [&](wxUpdateUIEvent& e) { e.Enable(enabled); }, TestCommand);
    frame.Bind(wxEVT_MENU, [&](wxCommandEvent&) { ++ran; }, TestCommand);
    auto press = [&] {
        wxCommandEvent key(wxEVT_MENU, TestCommand);
        key.SetEventObject(&frame);
        frame.ProcessWindowEvent(key);
    };
    press();
    EXPECT_EQ(ran, 0);
    enabled = true;
    press();
    EXPECT_EQ(ran, 1);
    help->Destroy(TestCommand);

    // The pictures are made again, and a toolbar of another picture size adds none.
    frame.RefreshMenuImages();
    EXPECT_EQ(menus.GetImageIndex(IdOpenJob), 0);
    EXPECT_TRUE(bar->FindItem(IdOpenJob)->GetBitmap().IsOk());
    menus.SetToolbarSource([](int id) -> std::optional<CCoolMenuManager::Toolbar> {
        if (id == 940)
            return CCoolMenuManager::Toolbar{{7999}, 24, 24};
        return id == CMorvelToolbar::ToolbarResourceId
                   ? std::optional(CCoolMenuManager::Toolbar{CMorvelToolbar::GetCommandList(), 16, 16})
                   : std::nullopt;
    });
    EXPECT_FALSE(menus.LoadToolbarImage(940));
    EXPECT_EQ(menus.GetImageIndex(7999), -1);
    EXPECT_FALSE(IsDragMouseButtonDown());
}

TEST_F(ProgramTest, ViewZoomHoldsTheMapsZoomCommandsAndTheirKeys)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    wxMenu* zoom = nullptr;
    ASSERT_NE(frame.GetMenuBar()->FindItem(IdZoomExtents, &zoom), nullptr);
    std::vector<std::string> labels;
    for (const wxMenuItem* item : zoom->GetMenuItems())
        labels.push_back(item->GetItemLabel().utf8_string());
    EXPECT_EQ(labels, (std::vector<std::string>{"Zoom Extents\tCtrl+A", "Zoom Window\tCtrl+W", "Zoom Previous\tCtrl+0",
                                                "Zoom Next\tCtrl+9", "Zoom In\tAlt+(+)", "Zoom Out\tAlt+(-)",
                                                "Realtime Zoom\tCtrl+Q", "Realtime Pan\tAlt+Q", "Zoom to Point..."}));
    // The toolkit takes the bracketed sign for the item's key, not the closing bracket.
    for (const auto& [id, sign] : {std::pair{IdZoomIn, '+'}, std::pair{IdZoomOut, '-'}}) {
        std::unique_ptr<wxAcceleratorEntry> accel(zoom->FindItem(id)->GetAccel());
        ASSERT_TRUE(accel);
        EXPECT_EQ(accel->GetFlags(), wxACCEL_ALT);
        EXPECT_EQ(accel->GetKeyCode(), sign);
    }
    EXPECT_TRUE(SaveOpenMenuScreenshot(frame, *zoom, "zoom_menu.png"));

    CPreviewMapCtrl* map = frame.GetJobView()->GetMapPane();
    // The focus and the key come back from the X server: each is waited for, however busy the
    // machine is.
    // Alt with + or -, on the main keyboard (there + is Shift with =) or the keypad, zooms the map
    // in or out by the toolbar's step, a share of the shown width off or onto each side. They
    // come before the Ctrl+A typing below, which zooms the map as well.
    const auto shownWidth = [map] {
        return map->Core().GetVisibleBottomRight().x - map->Core().GetVisibleTopLeft().x;
    };
    frame.Raise();
    map->SetFocus();
    ASSERT_TRUE(YieldUntil("the map to take the focus", [map] { return wxWindow::FindFocus() == map; }));
    frame.GetMorvelToolbar()->OnZoomOutStep(IdZoomOutStepFirst + 2); // 25 percent out, 10 in
    auto steps = std::make_shared<std::map<int, int>>();
    for (int id : {IdZoomIn, IdZoomOut})
        frame.Bind(wxEVT_MENU, [steps](wxCommandEvent& e) {
            ++(*steps)[e.GetId()];
            e.Skip();
        }, id);
    struct Press
    {
        int key;
        int modifiers;
        int command;
    };
    for (const Press& press :
         {Press{'=', wxMOD_ALT | wxMOD_SHIFT, IdZoomIn}, Press{WXK_NUMPAD_ADD, wxMOD_ALT, IdZoomIn},
          Press{'-', wxMOD_ALT, IdZoomOut}, Press{WXK_NUMPAD_SUBTRACT, wxMOD_ALT, IdZoomOut}}) {
        SCOPED_TRACE(press.key);
        const double before = shownWidth();
        const int inBefore = (*steps)[IdZoomIn], outBefore = (*steps)[IdZoomOut];
        wxUIActionSimulator().Char(press.key, press.modifiers);
        ASSERT_TRUE(YieldUntil("the key to zoom", [&] { return (*steps)[IdZoomIn] + (*steps)[IdZoomOut] > inBefore + outBefore; }));
        EXPECT_EQ((*steps)[press.command], (press.command == IdZoomIn ? inBefore : outBefore) + 1);
        const bool in = press.command == IdZoomIn;
        const int step = in ? frame.GetMorvelToolbar()->GetZoomInStep() : frame.GetMorvelToolbar()->GetZoomOutStep();
        EXPECT_NEAR(shownWidth(), before * (1 + (in ? -2 : 2) * step / 100.0), before * 1e-9);
    }

    // The report text takes Ctrl+A as a text box does; Ctrl+Shift+A is not its.
    auto* report = new CRichTextView(&frame, wxID_ANY, 0);
    report->SetSize(300, 80);
    RtfDocument document;
    document.paragraphs.push_back(RtfParagraph{RtfAlignment::Left, {RtfRun{"Point Report"}}});
    report->SetDocument(document);
    wxKeyEvent ctrlA(wxEVT_CHAR_HOOK);
    ctrlA.m_keyCode = 'A';
    ctrlA.SetControlDown(true);
    wxKeyEvent ctrlShiftA(ctrlA);
    ctrlShiftA.SetShiftDown(true);
    EXPECT_FALSE(CCoolMenuManager::LeaveKeyToTextBox(report, ctrlShiftA));
    EXPECT_TRUE(CCoolMenuManager::LeaveKeyToTextBox(report, ctrlA));
    EXPECT_EQ(report->GetStringSelection(), "Point Report");
    report->Destroy();

    // From the keyboard: the text box takes Ctrl+A before the window's table, elsewhere it zooms.
    auto* text = new wxTextCtrl(&frame, wxID_ANY, "1234.567", wxPoint(300, 100), wxSize(200, -1));
    // Counted where the window's handlers outlive the test.
    auto zooms = std::make_shared<int>(0);
    frame.Bind(wxEVT_MENU, [zooms](wxCommandEvent& e) {
        ++*zooms;
        e.Skip();
    }, IdZoomExtents);
    const auto typeCtrlA = [&](wxWindow* focus, const std::function<bool()>& arrived) {
        frame.Raise();
        focus->SetFocus();
        if (!YieldUntil("the focus", [focus] { return wxWindow::FindFocus() == focus; }))
            return false;
        wxUIActionSimulator().Char('a', wxMOD_CONTROL);
        YieldUntil("Ctrl+A to arrive", arrived);
        return true;
    };
    if (!typeCtrlA(text, [&] { return *zooms > 0 || !text->GetStringSelection().empty(); })) {
        text->Destroy();
        // Every test has an X server of its own: a text box that never gets the keyboard is a fault.
        FAIL() << "the text box did not take the keyboard focus";
    }
    EXPECT_EQ(text->GetStringSelection(), "1234.567");
    EXPECT_EQ(*zooms, 0);
    text->Destroy();
    ASSERT_TRUE(typeCtrlA(map, [&] { return *zooms > 0; }));
    EXPECT_EQ(*zooms, 1);

}

TEST_F(ProgramTest, AboutAndSupportShowTheVersionAndTheirLinks)
{
    ASSERT_TRUE(Start());
    std::vector<std::string> opened;
    DesktopLauncher previous = SetDesktopLauncher([&](const std::string& target, const std::string&) {
        opened.push_back(target);
        return true;
    });
    bool aboutSeen = false;
    dialogAnswer = [&](wxDialog& host) {
        auto* about = dynamic_cast<CAboutDlg*>(CEasyDialog::FromHost(host));
        if (!about)
            return int(wxID_CANCEL);
        aboutSeen = true;
        EXPECT_EQ(host.GetTitle(), "About Morvel");
        auto label = [&](int id) { return about->FindWindow(id)->GetLabel().utf8_string(); };
        EXPECT_EQ(label(CAboutDlg::IdAppName), std::string("Morvel ") + MORVEL_VERSION_TEXT);
        EXPECT_TRUE(std::regex_match(label(CAboutDlg::IdBuildDate),
                                     std::regex(R"([A-Z][a-z]{2} \d{2} \d{4} \d{2}:\d{2}:\d{2})")))
            << label(CAboutDlg::IdBuildDate);
        EXPECT_EQ(label(CAboutDlg::IdBuildType), "Release");
        EXPECT_EQ(about->GetLink()->GetLabel(), "Visit KVL on the World Wide Web");
        host.Show();
        EXPECT_TRUE(SaveScreenshot(host, "about_box.png"));
        host.Hide();
        about->GetLink()->OnClicked();
        return int(wxID_OK);
    };
    wxCommandEvent about(wxEVT_MENU, IdAppAbout);
    Frame().ProcessWindowEvent(about);
    EXPECT_TRUE(aboutSeen);
    EXPECT_EQ(opened, std::vector<std::string>{LoadResourceString(392)});

    bool supportSeen = false;
    dialogAnswer = [&](wxDialog& host) {
        auto* support = dynamic_cast<CTechSupportDlg*>(CEasyDialog::FromHost(host));
        if (!support)
            return int(wxID_CANCEL);
        supportSeen = true;
        EXPECT_EQ(host.GetTitle(), "Technical Support");
        EXPECT_EQ(support->GetWebLink()->GetLabel(), "Technical support on the World Wide Web.");
        EXPECT_EQ(support->GetMailLink()->GetLabel(), "Send E-mail to Morvel technical support.");
        EXPECT_EQ(support->GetWebLink()->m_link, LoadResourceString(393));
        EXPECT_EQ(support->GetMailLink()->m_link, LoadResourceString(394));
        EXPECT_NE(dynamic_cast<CCustomWizardButton*>(support->FindWindow(CTechSupportDlg::IdWizardButton)), nullptr);
        return int(wxID_OK);
    };
    wxCommandEvent support(wxEVT_MENU, IdTechnicalSupport);
    Frame().ProcessWindowEvent(support);
    EXPECT_TRUE(supportSeen);
    SetDesktopLauncher(previous);
}

TEST_F(ProgramTest, SplashHidesOnAKeyThatStillArrives)
{
    ASSERT_TRUE(Start());
    // Started with "--nosplash": none was shown.
    EXPECT_FALSE(CSplashWnd::IsSplashEnabled());
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);

    CSplashWnd::EnableSplash(true);
    CSplashWnd::ShowSplash(&Frame());
    CSplashWnd* first = CSplashWnd::GetSplash();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetClientSize(), wxSize(420, 260));

    int keys = 0;
    wxWindow* target = Frame().GetMorvelToolbar();
    auto count = [&](wxKeyEvent&) { ++keys; };
    target->Bind(wxEVT_KEY_DOWN, count);
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = 'A';
    key.SetEventObject(target);
    target->ProcessWindowEvent(key);
    target->Unbind(wxEVT_KEY_DOWN, count);
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
    EXPECT_EQ(keys, 1);

    // The first splash's timer, run late, leaves a newer splash up.
    CSplashWnd::ShowSplash(&Frame());
    CSplashWnd* second = CSplashWnd::GetSplash();
    ASSERT_NE(second, nullptr);
    first->OnTimeout();
    EXPECT_EQ(CSplashWnd::GetSplash(), second);
    second->OnTimeout();
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);

    // Without its picture there is no splash.
    morvel::test::TempDir empty;
    CDIBitmap::SetResourceFolder(empty.path().string() + "/");
    CSplashWnd::ShowSplash(&Frame());
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
    CDIBitmap::SetResourceFolder({});
    Pump();
}

TEST_F(ProgramTest, SplashShownAtStartIsGoneWhenStartUpEnds)
{
    showSplash = true;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(CSplashWnd::IsSplashEnabled());
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
}

TEST_F(WindowTest, HooksSeeEventsNewestFirstAndLeaveWithTheirWindow)
{
    std::vector<std::string> seen;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "hooks");
    int windowSaw = 0;
    frame->Bind(wxEVT_MENU, [&](wxCommandEvent&) { ++windowSaw; });
    RecordingHook older("older", seen);
    RecordingHook newer("newer", seen);
    older.HookWindow(frame);
    newer.HookWindow(frame);
    auto send = [&] {
        wxCommandEvent event(wxEVT_MENU, 1);
        frame->ProcessWindowEvent(event);
    };
    send();
    EXPECT_EQ(seen, (std::vector<std::string>{"newer", "older"}));
    EXPECT_EQ(windowSaw, 1);

    // The older leaves from the middle of the chain; the newer keeps working.
    older.HookWindow(nullptr);
    seen.clear();
    send();
    EXPECT_EQ(seen, std::vector<std::string>{"newer"});
    EXPECT_FALSE(older.IsHooked());

    // A hook that goes while hooked takes itself out of the chain.
    {
        RecordingHook passing("passing", seen);
        passing.HookWindow(frame);
    }
    seen.clear();
    send();
    EXPECT_EQ(seen, std::vector<std::string>{"newer"});
    EXPECT_EQ(windowSaw, 3);

    // A window that goes loses every hook first.
    older.HookWindow(frame);
    delete frame;
    EXPECT_FALSE(older.IsHooked());
    EXPECT_FALSE(newer.IsHooked());
}

TEST_F(WindowTest, MemoryDcFollowsItsWindowAndLinksShowWhetherTheyOpened)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "surface");
    CMemoryDC dc;
    EXPECT_FALSE(dc.CreateForWindow(nullptr));
    ASSERT_TRUE(dc.CreateForWindowSize(frame, 30, 20));
    const wxBitmap first = dc.GetOffscreenBitmap();
    ASSERT_TRUE(dc.CreateForWindowSize(frame, 40, 10));
    EXPECT_EQ(dc.GetOffscreenBitmap().GetSize(), wxSize(40, 10));
    EXPECT_FALSE(first.IsSameAs(dc.GetOffscreenBitmap()));
    dc.Release();
    EXPECT_FALSE(dc.HasSurface());

    // A link whose opening fails stays unvisited; an empty target opens the link's own text.
    std::vector<std::string> opened;
    bool succeed = false;
    DesktopLauncher previous = SetDesktopLauncher([&](const std::string& target, const std::string&) {
        opened.push_back(target);
        return succeed;
    });
    auto* link = new CStaticLink(frame, wxID_ANY, "https://example.com/morvel");
    link->OnClicked();
    EXPECT_FALSE(link->IsVisited());
    EXPECT_EQ(link->GetForegroundColour(), CStaticLink::ColorUnvisited);
    succeed = true;
    link->OnClicked();
    EXPECT_TRUE(link->IsVisited());
    EXPECT_EQ(link->GetForegroundColour(), CStaticLink::ColorVisited);
    EXPECT_EQ(opened, (std::vector<std::string>(2, "https://example.com/morvel")));
    SetDesktopLauncher(previous);

    auto* bold = new CStaticBold(frame, wxID_ANY, "Heading");
    EXPECT_EQ(bold->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    bold->SetBold(false);
    EXPECT_NE(bold->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);

    frame->Destroy();
    EXPECT_FALSE(dc.CreateForWindow(frame));
    Pump();
}

TEST_F(ProgramTest, HighlightedMenuItemsPromptInTheStatusBarInPopupsAsInTheMenuBar)
{
    ASSERT_TRUE(Start());
    const std::string idle = Frame().GetPaneText(0);
    wxMenu popup;
    for (int id : {7406, 7371, 7491})
        popup.Append(id, "item");
    struct Case
    {
        int command;
        const char* prompt;
    };
    // The prompt ends at the line break; a command without one shows an empty bar.
    for (const Case& c : {Case{7406, "Scientific RPN Calculator"}, Case{7371, "Zoom to point."},
                          Case{7370, "Apply Scale Factor."}, Case{7369, "Add 180 deg."}, Case{7491, ""}}) {
        SCOPED_TRACE(c.command);
        wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, c.command, &popup);
        highlight.SetEventObject(&popup);
        Frame().GetStatusBar()->HandleWindowEvent(highlight); // a window the popup was dropped from
        EXPECT_EQ(Frame().GetPaneText(0), c.prompt);
    }
    wxMenuEvent closed(wxEVT_MENU_CLOSE, wxID_ANY, &popup);
    closed.SetEventObject(&popup);
    Frame().GetStatusBar()->HandleWindowEvent(closed);
    EXPECT_EQ(Frame().GetPaneText(0), idle);

    // The menu bar's items go the same way.
    wxMenuBar* bar = Frame().GetMenuBar();
    ASSERT_NE(bar, nullptr);
    wxMenu* file = bar->GetMenu(0);
    wxMenuEvent barHighlight(wxEVT_MENU_HIGHLIGHT, 7406, file);
    barHighlight.SetEventObject(file);
    Frame().HandleWindowEvent(barHighlight);
    EXPECT_EQ(Frame().GetPaneText(0), "Scientific RPN Calculator");
}
