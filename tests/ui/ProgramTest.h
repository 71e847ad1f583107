#pragma once

#include "TestUtil.h"

#include <gtest/gtest.h>
#include <wx/eventfilter.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CMorvelApp;
class CPointRecord;
class CPreviewMapCtrl;
class CProfile;
class wxDialog;
class wxGUIEventLoop;
class wxWindow;

namespace morvel::test {

class ModalWatchdog;

void SetDisplayAvailable(bool available);
bool IsDisplayAvailable();

// Lets the toolkit take what the X server sends (a focus, a key, a click, a menu) until `done`
// holds, at most 20 s; the failure names `what`.
::testing::AssertionResult YieldUntil(const char* what, const std::function<bool()>& done);

// Real input through the X server, so the toolkit decides which window hears it, as for a person.
// The mouse moves to the middle of the window and clicks there.
void Click(wxWindow& window);
// Clicks into the control until it has the keyboard (a window just shown may not be on the screen
// yet, and a click then lands on what was there).
::testing::AssertionResult ClickInto(wxWindow& control);
// Types the text as the keyboard does; true once `landed` holds.
::testing::AssertionResult TypeUntil(const char* text, const std::function<bool()>& landed);
// Shows a modal dialog as the program does, not through the test's answers (a modal answerer may
// call it for the dialogs a person is to meet); the id it ended with.
int ShowAsItIs(wxDialog& dialog);

// Hears every event of one type before anyone else does: once a key's or a button's release is
// heard, the input has reached the program.
class InputWatch : public wxEventFilter
{
public:
    explicit InputWatch(wxEventType type) : m_type(type) { wxEvtHandler::AddFilter(this); }
    ~InputWatch() override { wxEvtHandler::RemoveFilter(this); }
    InputWatch(const InputWatch&) = delete;
    InputWatch& operator=(const InputWatch&) = delete;
    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == m_type)
            heard = true;
        return Event_Skip;
    }
    bool heard = false;

private:
    wxEventType m_type;
};

// The toolkit alone, for tests of single windows and controls. Skipped without a display.
class WindowTest : public ::testing::Test
{
protected:
    WindowTest();
    ~WindowTest() override;
    void SetUp() override;
    void TearDown() override;
    // Lets queued events and idle work run.
    void Pump();
    // Pumps until `done` holds, at most 20 s; the failure names `what`.
    ::testing::AssertionResult WaitFor(const char* what, const std::function<bool()>& done);
    // How long a modal window may wait for an answer before the test fails (10 s unless set).
    void LimitModalWait(long milliseconds);

private:
    bool m_started = false;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

// Starts the program in this process with a home, XDG folders, profile and IPC name of its own,
// answers every dialog and message box from a script, and ends it as a person would. Skipped
// without a display. In both fixtures a modal window that no one answers within seconds fails
// the test, naming the window, and is cancelled, so a test cannot hang on it.
class ProgramTest : public ::testing::Test
{
protected:
    ProgramTest();
    ~ProgramTest() override;
    void SetUp() override;
    void TearDown() override;

    // Runs start-up with the arguments; false when start-up ended the program. A fixture helper
    // that starts the program is called under ASSERT_NO_FATAL_FAILURE, so a failed start ends
    // the test instead of letting it run on over a missing window.
    bool Start(const std::vector<std::string>& arguments = {});
    // Lets queued events, idle work and painting run.
    void Pump();
    // Pumps until `done` holds, at most 20 s; the failure names `what`. A window opens, closes or
    // goes when the toolkit gets round to it, later on a busy machine than on a quiet one.
    ::testing::AssertionResult WaitFor(const char* what, const std::function<bool()>& done);
    // Closes the main window and runs the shutdown; the profile can be read afterwards.
    void Exit();

    CMorvelApp& App();
    CMainFrame& Frame();
    // Adds the points to the active job (one it refuses is dropped) and zooms the job view's map
    // to the job's extents. The map; null, with every point dropped, without a job or its view.
    CPreviewMapCtrl* ShowPointsOnMap(const std::vector<CPointRecord*>& points);
    // Starts the program with points 1 (A) and 2 (B) on the map and the side bar shown: the map;
    // null when the start or the points failed.
    CPreviewMapCtrl* StartWithTwoPoints();
    // Runs the menu command that pushes a side panel: the panel once it is on top of the side
    // bar; null when no T comes.
    template <class T> T* Push(int command)
    {
        T* panel = nullptr;
        PushPanel(command, [&](wxWindow* top) { return (panel = dynamic_cast<T*>(top)) != nullptr; });
        return panel;
    }

    // Message boxes are answered in order from `answers` (the default button once it is empty);
    // every text shown lands in `messages`. Other dialogs go to `dialogAnswer`, which returns the
    // id the dialog ends with; without it they are cancelled.
    std::deque<int> answers;
    std::vector<std::string> messages;
    std::function<int(wxDialog&)> dialogAnswer;
    std::vector<std::string> dialogsShown;
    // Windows the answerer does not see (the field balloon) really open; this is run on each
    // inside its loop, once it shows.
    std::function<void(wxDialog&)> whenShown;

    std::string ProfileValue(const std::string& section, const std::string& key);
    // A file of tests/data or the shared sample folder copied into the home folder.
    std::string CopySample(const std::string& source, const std::string& name);
    // Saves what the window shows as a PNG in the build folder.
    bool SaveScreenshot(wxWindow& window, const std::string& fileName);

    std::unique_ptr<TempDir> home;
    // Start passes "--nosplash" unless a test is about the splash.
    bool showSplash = false;

private:
    void PushPanel(int command, const std::function<bool(wxWindow*)>& arrived);
    // Says which step of the start failed, with what the program showed; false.
    bool StartFailed(const char* why);

    std::unique_ptr<CProfile> m_profile;
    std::unique_ptr<wxGUIEventLoop> m_loop;
    std::unique_ptr<ModalWatchdog> m_watchdog;
    CMorvelApp* m_app = nullptr;
    bool m_started = false;
    std::vector<char*> m_argv;
    std::vector<std::string> m_arguments;
    std::string m_path;
};

} // namespace morvel::test
