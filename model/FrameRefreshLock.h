#pragma once

// Keeps the main frame from delivering queued change hints (its refresh message 0x80D7) while
// held.
class CFrameRefreshLock
{
public:
    // Holds nothing.
    CFrameRefreshLock() = default;
    // Sets the frame's refresh-suppressed mark and holds it when hold is true.
    explicit CFrameRefreshLock(bool hold);
    ~CFrameRefreshLock() { Release(); }
    CFrameRefreshLock(const CFrameRefreshLock&) = delete;
    CFrameRefreshLock& operator=(const CFrameRefreshLock&) = delete;

    void Release();
    bool IsHeld() const { return m_held; }

private:
    bool m_held = false;
};
