#include "ProgramTest.h"

#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/DdxFieldFrame.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/MessageBoxFS.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/PromptSaveModified.h"
#include "views/MapCommands.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/popupwin.h>
#include <wx/region.h>
#include <wx/time.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <filesystem>
#include <vector>

namespace morvel::test {

// A modal window that no hook answers, or whose answer was sent before it opened, runs its loop
// until someone clicks; in a test no one does, and the test would hang until ctest's timeout
// without a word about the window. The watchdog fails the test naming the window and cancels it.
class ModalWatchdog : public wxModalDialogHook, private wxTimer
{
public:
    static constexpr long DefaultLimitMs = 10000;

    // whenShown, when given and set, is run on each modal window once its loop runs.
    explicit ModalWatchdog(const std::function<void(wxDialog&)>* whenShown = nullptr) : m_whenShown(whenShown)
    {
        Register();
    }
    void SetLimit(long milliseconds) { m_limitMs = milliseconds; }
    ~ModalWatchdog() override
    {
        wxTimer::Stop();
        Unregister();
    }

protected:
    int Enter(wxDialog* dialog) override
    {
        m_open.push_back({dialog, wxGetLocalTimeMillis()});
        if (!IsRunning())
            wxTimer::Start(250);
        // Queued now, the answer runs inside the window's loop: it cannot come before the window.
        if (m_whenShown && *m_whenShown)
            dialog->CallAfter([answer = *m_whenShown, dialog] { answer(*dialog); });
        return wxID_NONE;
    }

    void Exit(wxDialog* dialog) override
    {
        std::erase_if(m_open, [dialog](const Open& o) { return o.dialog == dialog; });
        // The window below waited for the one above it, not for an answer.
        if (!m_open.empty())
            m_open.back().since = wxGetLocalTimeMillis();
        else
            wxTimer::Stop();
    }

private:
    struct Open
    {
        wxDialog* dialog;
        wxLongLong since;
    };

    void Notify() override
    {
        if (m_open.empty())
            return;
        Open& top = m_open.back();
        const wxLongLong now = wxGetLocalTimeMillis();
        if (now - top.since < m_limitMs)
            return;
        top.since = now;
        wxDialog& dialog = *top.dialog;
        std::string what = "\"" + dialog.GetTitle().utf8_string() + "\"";
        if (auto* box = dynamic_cast<wxMessageDialogBase*>(&dialog))
            what += " saying \"" + box->GetMessage().utf8_string() + "\"";
        else if (auto* balloon = dynamic_cast<CDdxErrorDlg*>(&dialog))
            what += " saying \"" + balloon->GetMessage() + "\"";
        ADD_FAILURE() << "a modal window waited " << m_limitMs << " ms for an answer no one gave: " << what;
        if (dialog.IsModal()) {
            dialog.EndModal(wxID_CANCEL);
        } else if (dynamic_cast<wxMessageDialogBase*>(&dialog)) {
            // The toolkit's own message boxes run their loop themselves: answer as a click would.
            using Respond = void (*)(void* dialog, int response);
            static const auto respond = reinterpret_cast<Respond>(::dlsym(RTLD_DEFAULT, "gtk_dialog_response"));
            constexpr int CancelResponse = -6;
            if (respond && dialog.GetHandle())
                respond(dialog.GetHandle(), CancelResponse);
        } else if (wxEventLoopBase* loop = wxEventLoopBase::GetActive(); loop && loop->IsRunning()) {
            // A window that runs a loop of its own beside its owner (the field balloon).
            loop->Exit(wxID_CANCEL);
        }
    }

    const std::function<void(wxDialog&)>* m_whenShown;
    std::vector<Open> m_open;
    long m_limitMs = DefaultLimitMs;
};

namespace {
bool g_displayAvailable = false;

// Starts the toolkit for a new application object from make(). Under load the X server can refuse
// a new connection for a moment, so a refused start is tried again a few times before the test
// gives up; a failed start has already deleted its application object.
template <typename App, typename Make>
App* StartToolkit(int argc, char** argv, Make make)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        App* app = make();
        wxApp::SetInstance(app);
        int count = argc;
        if (wxEntryStart(count, argv))
            return app;
        std::this_thread::sleep_for(std::chrono::milliseconds(250 * (attempt + 1)));
    }
    return nullptr;
}
} // namespace

void SetDisplayAvailable(bool available) { g_displayAvailable = available; }

bool IsDisplayAvailable() { return g_displayAvailable; }

void WindowTest::SetUp()
{
    if (!g_displayAvailable)
        GTEST_SKIP() << "no display";
    static char name[] = "morvel_ui_tests";
    static char* argv[] = {name, nullptr};
    m_started = StartToolkit<wxApp>(1, argv, [] { return new wxApp; }) != nullptr;
    ASSERT_TRUE(m_started) << "the toolkit could not start (is the display there?)";
    m_watchdog = std::make_unique<ModalWatchdog>();
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
}

void WindowTest::TearDown()
{
    if (!m_started)
        return;
    Pump();
    m_watchdog.reset();
    wxEntryCleanup();
    m_started = false;
}

void WindowTest::LimitModalWait(long milliseconds)
{
    if (m_watchdog)
        m_watchdog->SetLimit(milliseconds);
}

// Generous: a loaded machine is slow, but a condition that never comes must still end the test.
static ::testing::AssertionResult PumpUntil(const std::function<void()>& pump, const char* what,
                                            const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        pump();
        if (done())
            return ::testing::AssertionSuccess();
        if (std::chrono::steady_clock::now() >= deadline)
            return ::testing::AssertionFailure() << "waited 20 s in vain for " << what;
        wxMilliSleep(5);
    }
}

::testing::AssertionResult YieldUntil(const char* what, const std::function<bool()>& done)
{
    // Nothing is taken before the first look: what the X server sends next may already move on
    // from what holds now (a focus given away again).
    if (done())
        return ::testing::AssertionSuccess();
    return PumpUntil([] { wxYield(); }, what, done);
}

void Click(wxWindow& window)
{
    const wxRect r = window.GetScreenRect();
    wxUIActionSimulator mouse;
    mouse.MouseMove(r.x + r.width / 2, r.y + r.height / 2);
    mouse.MouseClick();
}

::testing::AssertionResult ClickInto(wxWindow& control)
{
    const auto hasKeyboard = [&] { return wxWindow::FindFocus() == &control; };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!hasKeyboard() && std::chrono::steady_clock::now() < deadline) {
        Click(control);
        const auto again = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
        while (!hasKeyboard() && std::chrono::steady_clock::now() < again) {
            wxYield();
            wxMilliSleep(5);
        }
    }
    if (hasKeyboard())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the clicked control never took the keyboard";
}

::testing::AssertionResult TypeUntil(const char* text, const std::function<bool()>& landed)
{
    wxUIActionSimulator().Text(text);
    return YieldUntil("the typed text to land", landed);
}

int ShowAsItIs(wxDialog& dialog)
{
    ModalAnswerer answers = SetModalAnswerer({});
    const int result = RunModal(dialog);
    SetModalAnswerer(std::move(answers));
    return result;
}

::testing::AssertionResult WindowTest::WaitFor(const char* what, const std::function<bool()>& done)
{
    return PumpUntil([this] { Pump(); }, what, done);
}

void WindowTest::Pump()
{
    for (int round = 0; round < 10 && wxTheApp->HasPendingEvents(); ++round)
        wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
}

WindowTest::WindowTest() = default;

WindowTest::~WindowTest() = default;

ProgramTest::ProgramTest() = default;

ProgramTest::~ProgramTest() = default;

void ProgramTest::SetUp()
{
    if (!g_displayAvailable)
        GTEST_SKIP() << "no display";
    home = std::make_unique<TempDir>();
    const std::filesystem::path& h = home->path();
    for (const char* sub : {"config", "data", "cache", "Documents"})
        std::filesystem::create_directories(h / sub);
    setenv("HOME", h.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (h / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (h / "data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (h / "cache").c_str(), 1);
    setenv("MORVEL_PROFILE", (h / "config" / "Morvel.ini").c_str(), 1);
    setenv("MORVEL_IPC_NAME", ("Morvel-test-" + h.filename().string()).c_str(), 1);
    // Nothing a test does opens a program on the desktop: a stand-in opener that knows rich text.
    std::filesystem::create_directories(h / "bin");
    for (const auto& [tool, body] : {std::pair{"xdg-open", "exit 0\n"}, std::pair{"xdg-mime", "echo writer.desktop\n"}}) {
        const std::string path = (h / "bin" / tool).string();
        WriteAllText(path, std::string("#!/bin/sh\n") + body);
        ::chmod(path.c_str(), 0755);
    }
    m_path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", ((h / "bin").string() + ":" + m_path).c_str(), 1);
    m_profile = std::make_unique<CProfile>(h / "config" / "Morvel.ini");
    SetAppProfile(m_profile.get());

    SetModalAnswerer([this](wxDialog& dialog) {
        // A box without the main window above it can open behind it, and the program looks hung.
        if (CMainFrame* main = m_app ? m_app->GetMainFrame() : nullptr) {
            wxWindow* owner = dialog.GetParent();
            while (owner && owner != main)
                owner = owner->GetParent();
            EXPECT_EQ(owner, main) << "a box without the main window as its parent: " << dialog.GetTitle().utf8_string();
        }
        if (auto* box = dynamic_cast<CMessageBoxFS*>(CEasyDialog::FromHost(dialog))) {
            messages.push_back(box->GetRequest().text);
            if (answers.empty())
                return DefaultMessageBoxButton(box->GetRequest().flags);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        dialogsShown.push_back(dialog.GetTitle().utf8_string());
        return dialogAnswer ? dialogAnswer(dialog) : int(wxID_CANCEL);
    });
}

void ProgramTest::TearDown()
{
    // The test's own answers may refer to what is gone now; a job still changed is let go.
    whenShown = {};
    dialogAnswer = [](wxDialog& dialog) {
        return dynamic_cast<CPromptSaveModified*>(CEasyDialog::FromHost(dialog)) ? IDNO : int(wxID_CANCEL);
    };
    if (m_started)
        Exit();
    SetModalAnswerer({});
    if (home)
        setenv("PATH", m_path.c_str(), 1);
    SetAppProfile(nullptr);
    m_profile.reset();
    home.reset();
}

bool ProgramTest::Start(const std::vector<std::string>& arguments)
{
    m_arguments = {"morvel"};
    if (!showSplash)
        m_arguments.push_back("--nosplash");
    m_arguments.insert(m_arguments.end(), arguments.begin(), arguments.end());
    m_argv.clear();
    for (std::string& a : m_arguments)
        m_argv.push_back(a.data());
    m_argv.push_back(nullptr);
    int argc = int(m_arguments.size());

    m_app = StartToolkit<CMorvelApp>(argc, m_argv.data(), [] { return new CMorvelApp; });
    if (m_app == nullptr)
        return StartFailed("the toolkit could not start (is the display there?)");
    m_loop = std::make_unique<wxGUIEventLoop>();
    wxEventLoopBase::SetActive(m_loop.get());
    m_watchdog = std::make_unique<ModalWatchdog>(&whenShown);
    m_started = true;
    if (!m_app->CallOnInit()) {
        Exit();
        return StartFailed("start-up ended the program");
    }
    Pump();
    // Start-up may have ended the program through its queued exit.
    if (m_app->GetMainFrame() == nullptr)
        return StartFailed("the main window closed during start-up");
    return true;
}

bool ProgramTest::StartFailed(const char* why)
{
    // A start that fails under load must say why in the test's output.
    std::string said = std::string("ProgramTest::Start: ") + why + ".";
    for (const std::string& text : messages)
        said += "\n  message: " + text;
    for (const std::string& title : dialogsShown)
        said += "\n  dialog: " + title;
    std::fprintf(stderr, "%s\n", said.c_str());
    return false;
}

void ProgramTest::Pump()
{
    // Dispatch() waits for an event without a limit, so a pump whose event went elsewhere waited
    // for ever; and a repeating timer whose work outlasts its period on a loaded machine kept
    // Pending() true for ever. A dispatch waits a moment at most, and a round takes a bounded
    // number of events.
    for (int round = 0; round < 20; ++round) {
        for (int n = 0; n < 500 && m_loop->Pending(); ++n)
            m_loop->DispatchTimeout(100);
        wxTheApp->ProcessPendingEvents();
        if (!m_loop->ProcessIdle() && !m_loop->Pending() && !wxTheApp->HasPendingEvents())
            break;
    }
}

::testing::AssertionResult ProgramTest::WaitFor(const char* what, const std::function<bool()>& done)
{
    return PumpUntil([this] { Pump(); }, what, done);
}

void ProgramTest::Exit()
{
    if (!m_started)
        return;
    if (CMainFrame* frame = m_app->GetMainFrame()) {
        frame->Close();
        Pump();
    }
    m_app->OnExit();
    m_watchdog.reset();
    wxEventLoopBase::SetActive(nullptr);
    m_loop.reset();
    wxEntryCleanup();
    m_app = nullptr;
    m_started = false;
}

CMorvelApp& ProgramTest::App() { return *m_app; }

CMainFrame& ProgramTest::Frame() { return *m_app->GetMainFrame(); }

void ProgramTest::PushPanel(int command, const std::function<bool(wxWindow*)>& arrived)
{
    wxCommandEvent open(wxEVT_MENU, command);
    Frame().GetEventHandler()->ProcessEvent(open);
    WaitFor("the panel", [&] { return arrived(Frame().GetStackingBar()->GetCurrent()); });
}

CPreviewMapCtrl* ProgramTest::StartWithTwoPoints()
{
    if (!Start())
        return nullptr;
    CPreviewMapCtrl* map = ShowPointsOnMap({new CPointRecord("1", "A", CLocation(1000, 2000, 100), true),
                                            new CPointRecord("2", "B", CLocation(1030, 2040, 105), true)});
    if (map)
        Frame().ShowDialogBar(true);
    return map;
}

CPreviewMapCtrl* ProgramTest::ShowPointsOnMap(const std::vector<CPointRecord*>& points)
{
    CMorvelView* view = Frame().GetJobView();
    CPreviewMapCtrl* map = view ? view->GetMapPane() : nullptr;
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    for (CPointRecord* p : points)
        if (!map || !job || !job->AddRecord(p))
            delete p;
    if (!map || !job)
        return nullptr;
    Pump();
    wxCommandEvent extents(wxEVT_MENU, IdZoomExtents);
    Frame().ProcessWindowEvent(extents);
    Pump();
    return map;
}

std::string ProgramTest::ProfileValue(const std::string& section, const std::string& key)
{
    CProfile fresh(home->path() / "config" / "Morvel.ini");
    return fresh.GetProfileString(section, key, "<absent>");
}

std::string ProgramTest::CopySample(const std::string& source, const std::string& name)
{
    const std::string target = home->file(name);
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
    return target;
}

// The windows of their own that the person sees over `parent`: the tool windows it owns (Zoom
// to Point, the calculator; not a modal dialog), then, in front of those, popups and windows
// that stay in front (the red tip of a refused field).
static void CollectShownPopups(wxWindow& parent, std::vector<wxWindow*>& tools, std::vector<wxWindow*>& popups)
{
    for (wxWindow* child : parent.GetChildren()) {
        const bool inFront = dynamic_cast<wxPopupWindow*>(child) != nullptr ||
                             (child->IsTopLevel() && child->HasFlag(wxSTAY_ON_TOP));
        const auto* dialog = dynamic_cast<wxDialog*>(child);
        const bool tool = !inFront && child->IsTopLevel() && !(dialog && dialog->IsModal());
        if (child->IsShown() && (inFront || tool))
            (inFront ? popups : tools).push_back(child);
        CollectShownPopups(*child, tools, popups);
    }
}

bool ProgramTest::SaveScreenshot(wxWindow& window, const std::string& fileName)
{
    // Another window of the test (a dialog) may lie on top: come to the front.
    if (wxWindow* top = wxGetTopLevelParent(&window))
        top->Raise();
    // The X server draws asynchronously: give it a moment after the last repaint.
    for (int round = 0; round < 3; ++round) {
        window.Refresh();
        window.Update();
        Pump();
        wxMilliSleep(100);
    }
    const wxRect rect = window.GetScreenRect();
    wxBitmap bitmap(rect.width, rect.height, 24);
    wxMemoryDC memory(bitmap);
    // The toolkit draws the window and its children itself, so another window that happens to
    // lie on top does not end up in the picture; the screen is read only without it.
    using WidgetDraw = void (*)(void* widget, void* cairo);
    static const auto widgetDraw = reinterpret_cast<WidgetDraw>(::dlsym(RTLD_DEFAULT, "gtk_widget_draw"));
    wxGraphicsContext* context = memory.GetGraphicsContext();
    if (widgetDraw && context && context->GetNativeContext() && window.GetHandle()) {
        memory.SetBackground(wxBrush(window.GetBackgroundColour()));
        memory.Clear();
        widgetDraw(window.GetHandle(), context->GetNativeContext());
        // Tool windows and popups (the identification box) are windows of their own: draw those
        // over the picture too.
        std::vector<wxWindow*> windows, popups;
        CollectShownPopups(*wxGetTopLevelParent(&window), windows, popups);
        windows.insert(windows.end(), popups.begin(), popups.end());
        for (wxWindow* popup : windows) {
            const wxRect at = popup->GetScreenRect();
            if (!at.Intersects(rect) || !popup->GetHandle())
                continue;
            context->PushState();
            context->Translate(at.x - rect.x, at.y - rect.y);
            // The refused field's dotted frame is a ring on the screen: the field shows through.
            if (dynamic_cast<CDdxFieldFrame*>(popup) && at.width > 2 && at.height > 2) {
                wxRegion ring(0, 0, at.width, at.height);
                ring.Subtract(wxRect(1, 1, at.width - 2, at.height - 2));
                context->Clip(ring);
            }
            widgetDraw(popup->GetHandle(), context->GetNativeContext());
            context->PopState();
        }
        context->Flush();
    } else {
        wxScreenDC screen;
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    memory.SelectObject(wxNullBitmap);
    return bitmap.SaveFile(wxString::FromUTF8(std::string(MORVEL_TEST_OUTPUT_DIR) + "/" + fileName),
                           wxBITMAP_TYPE_PNG);
}

} // namespace morvel::test
