#pragma once

// One instrument transfer at a time: a transfer holds the lock, which sets the main frame's
// transfer-running mark, for as long as it runs.
class CTransferLock
{
public:
    CTransferLock() = default;
    ~CTransferLock() { Release(); }
    CTransferLock(const CTransferLock&) = delete;
    CTransferLock& operator=(const CTransferLock&) = delete;

    // Refuses, telling the person, while another transfer runs.
    bool Acquire();
    // Clears the mark when this lock holds it.
    void Release();
    bool IsHeld() const { return m_held; }

private:
    bool m_held = false;
};
