#pragma once

#include <string>

// A named semaphore (POSIX sem_open) by which one program tells another that it has done
// something, like the companion editor telling that it has read its text. Names begin with '/'.
class CNamedSemaphore
{
public:
    enum class WaitResult { Signalled, TimedOut, Failed };

    CNamedSemaphore() = default;
    ~CNamedSemaphore();
    CNamedSemaphore(const CNamedSemaphore&) = delete;
    CNamedSemaphore& operator=(const CNamedSemaphore&) = delete;

    // A fresh semaphore with the count 0. One left behind under the name (by a program that
    // crashed) is removed first, so a stale signal is never taken for a new one.
    bool Create(const std::string& name);
    bool OpenExisting(const std::string& name);
    // Closes it and, when this object created it, removes its name.
    void Close();

    bool Post();
    // Waits at most the milliseconds (0 only looks).
    WaitResult Wait(int milliseconds);

private:
    std::string m_name;
    void* m_sem = nullptr; // sem_t*
    bool m_owner = false;
};
