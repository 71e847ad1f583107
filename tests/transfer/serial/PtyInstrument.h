#pragma once

// A pseudo-terminal pair standing in for a cable and a total station: the program opens the
// slave side as its serial port, a simulated instrument works the master side on a thread.
// Every wait is bounded and the thread is always joined, so a failing test cannot hang.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace morvel::test {

class PtyPair
{
public:
    PtyPair()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        char name[128] = {};
        if (::ptsname_r(m_master, name, sizeof name) != 0)
            return;
        m_slave = name;
        // Held open so that the master never sees the line hang up between two opens of the port.
        m_keepAlive = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }
    ~PtyPair()
    {
        if (m_keepAlive >= 0)
            ::close(m_keepAlive);
        if (m_master >= 0)
            ::close(m_master);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool IsValid() const { return m_master >= 0 && m_keepAlive >= 0; }
    int Master() const { return m_master; }
    const std::string& SlavePath() const { return m_slave; }

    // Writes everything within the time limit; false when the line would not take it.
    bool Send(const std::string& bytes, int limitMs = 2000) const
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
                continue;
            }
            if (Clock::now() >= deadline)
                return false;
            pollfd p{m_master, POLLOUT, 0};
            ::poll(&p, 1, 5);
        }
        return true;
    }

    // Reads what arrives until `count` bytes came, or nothing came for `quietMs`, or `limitMs`
    // passed in all.
    std::string Receive(size_t count, int quietMs, int limitMs = 5000) const
    {
        std::string got;
        const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
        auto quietUntil = Clock::now() + std::chrono::milliseconds(quietMs);
        char buffer[4096];
        while (got.size() < count) {
            const auto now = Clock::now();
            if (now >= deadline || now >= quietUntil)
                break;
            const auto wait = std::min(deadline, quietUntil) - now;
            pollfd p{m_master, POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(wait).count()) + 1);
            const size_t want = std::min(sizeof buffer, count - got.size());
            const ssize_t n = ::read(m_master, buffer, want);
            if (n > 0) {
                got.append(buffer, static_cast<size_t>(n));
                quietUntil = Clock::now() + std::chrono::milliseconds(quietMs);
            }
        }
        return got;
    }

private:
    using Clock = std::chrono::steady_clock;
    int m_master = -1;
    int m_keepAlive = -1;
    std::string m_slave;
};

// The instrument's side of a test, run on its own thread and joined at scope end.
class SimulatedInstrument
{
public:
    explicit SimulatedInstrument(std::function<void()> work) : m_thread(std::move(work)) {}
    ~SimulatedInstrument() { Join(); }
    SimulatedInstrument(const SimulatedInstrument&) = delete;
    SimulatedInstrument& operator=(const SimulatedInstrument&) = delete;

    void Join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

// A flag one thread raises and another waits for, with a bound.
class Signal
{
public:
    void Raise() { m_raised.store(true); }
    bool IsRaised() const { return m_raised.load(); }
    bool Wait(int limitMs) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (!m_raised.load()) {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

private:
    std::atomic<bool> m_raised{false};
};

} // namespace morvel::test
