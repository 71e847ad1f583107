#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The status bar and its progress control, as the main frame offers them to long operations.
class CStatusBarHost {
public:
    virtual ~CStatusBarHost() = default;

    // Shows the text in the first pane and creates the progress control (range 0-100) beside it
    // when there is none yet.
    virtual void SetStatusMessage(const std::string& text) = 0;
    // The same with a string-table text.
    virtual void SetStatusMessageById(uint32_t id) = 0;
    // Moves the progress control.
    virtual void SetProgressPos(int32_t pos) = 0;
    // Removes the progress control, lays the panes out again and shows the idle message.
    virtual void EndProgress() = 0;
};

// The application's main window as a status host; null before it exists and after it is gone.
CStatusBarHost* GetMainStatusHost();
void SetMainStatusHost(CStatusBarHost* host);

// Asks the application to quit (the message loop ends with this code). Without a handler nothing
// happens.
void RequestApplicationQuit(int code);
void SetApplicationQuitHandler(std::function<void(int)> handler);
