#pragma once

#include <cstdint>
#include <string>

class CStatusBarHost;

// Shows what a long operation is doing in the main frame's status bar, with a progress bar, for
// the life of the object. Scopes nest: an inner scope saves the text and position on show and
// puts them back when it ends. User-interface thread only.
class CStatusProgress {
public:
    CStatusProgress();
    ~CStatusProgress();
    CStatusProgress(const CStatusProgress&) = delete;
    CStatusProgress& operator=(const CStatusProgress&) = delete;

    // Starts the scope with a text, or re-labels it when it is already running.
    void Begin(const std::string& text);
    void BeginWithStringId(uint32_t id);
    // Moves the progress bar; steps smaller than 2 are not shown.
    void SetPercent(int32_t value);
    void End();

    int32_t GetDepth() const { return depth; }
    int32_t GetPosition() const { return position; }
    bool IsActive() const { return active; }
    const std::string& GetText() const { return text; }

    // Number of saved texts (and positions) of the scopes further out.
    static int32_t GetStackCount();
    // True while some scope shows a text.
    static bool IsAnyScopeActive();

private:
    void TakeFrameIfMissing();
    void BeginCommon(const std::string& newText, const uint32_t* id);

    int32_t depth = 0;
    int32_t position = 0;
    bool active = false;
    std::string text;
    CStatusBarHost* frame = nullptr;
};
