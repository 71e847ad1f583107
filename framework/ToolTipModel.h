#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// When a tooltip asks its owner for text: after the mouse has rested on one of its tools for the
// delay, once per rest. In tracking mode it serves one tool, and a restart takes that tool away
// and brings it back a moment later so that the next rest asks for the text anew. Tools are
// named by address and never read. The clock gives milliseconds; tests drive it.
class CToolTipModel
{
public:
    using Clock = std::function<int64_t()>;
    static constexpr int64_t DefaultDelay = 1000;
    static constexpr int64_t RestartDelay = 200;

    CToolTipModel(bool tracking, Clock clock);

    bool IsTracking() const { return m_tracking; }
    void AddTool(const void* tool);
    void RemoveTool(const void* tool);
    size_t GetToolCount() const { return m_tools.size(); }
    bool HasTool(const void* tool) const;
    // In tracking mode, the tool that was added (kept while a restart has it away).
    const void* GetToolWindow() const { return m_toolWindow; }
    void SetDelay(int64_t milliseconds) { m_delay = milliseconds; }
    void Activate(bool on);
    bool IsActive() const { return m_active; }

    // The mouse is over the tool (null: none of ours) at the screen point; a button press ends
    // the rest without a tip.
    void OnMouse(const void* tool, int x, int y, bool buttonDown);
    // Only in tracking mode with exactly one tool: the tool goes and comes back after 200 ms.
    void RestartTracking();
    bool IsRestartPending() const { return m_restartAt >= 0; }
    // Brings a restarted tool back once its time has come.
    void Tick();
    // The tool whose text is due now, or null; a tool is asked once per rest.
    const void* TakeDueTool();
    // Milliseconds until something is due (a restart or a rest); -1 when nothing waits.
    int64_t NextDueIn() const;

private:
    bool m_tracking;
    Clock m_clock;
    std::vector<const void*> m_tools;
    const void* m_toolWindow = nullptr;
    const void* m_hover = nullptr;
    const void* m_asked = nullptr;
    int m_x = 0;
    int m_y = 0;
    int64_t m_restStart = -1;
    int64_t m_restartAt = -1;
    int64_t m_delay = DefaultDelay;
    bool m_active = false;
};
