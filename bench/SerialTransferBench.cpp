// The transfer loops over a pseudo-terminal with an instrument that answers at once: how fast
// the loops themselves can go (far above any real baud rate), and what an idle download costs.
#include "BenchUtil.h"

#include "platform/MessageBox.h"
#include "transfer/serial/SerialPort.h"
#include "transfer/serial/SerialTransfer.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr uint32_t BenchPort = 31;

class BenchPty
{
public:
    BenchPty()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        char name[128] = {};
        if (::ptsname_r(m_master, name, sizeof name) != 0)
            return;
        m_keepAlive = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        SetComPortDevice(BenchPort, name);
    }
    ~BenchPty()
    {
        SetComPortDevice(BenchPort, "");
        if (m_keepAlive >= 0)
            ::close(m_keepAlive);
        if (m_master >= 0)
            ::close(m_master);
    }
    bool IsValid() const { return m_master >= 0 && m_keepAlive >= 0; }
    int Master() const { return m_master; }

private:
    int m_master = -1;
    int m_keepAlive = -1;
};

bool WaitReady(int fd, short events, int ms)
{
    pollfd p{fd, events, 0};
    return ::poll(&p, 1, ms) > 0 && (p.revents & events);
}

std::string TempPath(const char* pattern)
{
    std::string path = pattern;
    const int fd = ::mkstemp(path.data());
    if (fd >= 0)
        ::close(fd);
    return path;
}

void WriteFile(const std::string& path, const std::string& content)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
}

std::string Payload(size_t size)
{
    std::string s(size, ' ');
    for (size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>(i % 61 == 60 ? '\n' : '0' + i % 43);
    return s;
}

double ProcessCpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct QuietMessages
{
    QuietMessages() : previous(SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; })) {}
    ~QuietMessages() { SetMessageBoxHandler(previous); }
    MessageBoxHandler previous;
};

} // namespace

static void BM_SendFileInBlocksOverPty(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(morvel::bench::BenchSize(state.range(0)));
    const std::string path = TempPath("/tmp/morvel-bench-send-XXXXXX");
    WriteFile(path, Payload(size));
    QuietMessages quiet;
    CTransferLine line;
    line.port = BenchPort;
    for (auto _ : state) {
        BenchPty pty;
        if (!pty.IsValid()) {
            state.SkipWithError("no pseudo-terminal");
            break;
        }
        std::atomic<size_t> drained{0};
        std::thread instrument([&] {
            char buffer[65536];
            while (drained < size && WaitReady(pty.Master(), POLLIN, 2000)) {
                const ssize_t n = ::read(pty.Master(), buffer, sizeof buffer);
                if (n > 0)
                    drained += static_cast<size_t>(n);
            }
        });
        const bool ok = SendFileInBlocks(path, line, {});
        instrument.join();
        if (!ok || drained != size)
            state.SkipWithError("send failed");
    }
    ::unlink(path.c_str());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}
BENCHMARK(BM_SendFileInBlocksOverPty)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_ReceiveFileOverPty(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(morvel::bench::BenchSize(state.range(0)));
    const std::string payload = Payload(size) + "\x1A";
    const std::string path = TempPath("/tmp/morvel-bench-receive-XXXXXX");
    QuietMessages quiet;
    CTransferLine line;
    line.port = BenchPort;
    for (auto _ : state) {
        BenchPty pty;
        if (!pty.IsValid()) {
            state.SkipWithError("no pseudo-terminal");
            break;
        }
        std::atomic<bool> open{false};
        CTransferCallbacks callbacks;
        callbacks.start = [&](uint32_t) { open = true; };
        std::thread instrument([&] {
            for (int i = 0; i < 2000 && !open; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            size_t done = 0;
            while (done < payload.size() && WaitReady(pty.Master(), POLLOUT, 2000)) {
                const ssize_t n = ::write(pty.Master(), payload.data() + done, payload.size() - done);
                if (n > 0)
                    done += static_cast<size_t>(n);
            }
        });
        const bool ok = ReceiveFile(path, line, callbacks);
        instrument.join();
        if (!ok)
            state.SkipWithError("receive failed");
    }
    ::unlink(path.c_str());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}
BENCHMARK(BM_ReceiveFileOverPty)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

// A download that waits for an instrument that never sends: the CPU it burns while waiting.
static void BM_IdleReceiveCpu(benchmark::State& state)
{
    const auto wait = std::chrono::milliseconds(morvel::bench::IsSmokeRun() ? 50 : state.range(0));
    const std::string path = TempPath("/tmp/morvel-bench-idle-XXXXXX");
    QuietMessages quiet;
    CTransferLine line;
    line.port = BenchPort;
    double cpu = 0.0;
    for (auto _ : state) {
        BenchPty pty;
        if (!pty.IsValid()) {
            state.SkipWithError("no pseudo-terminal");
            break;
        }
        CTransferCallbacks callbacks;
        const auto start = std::chrono::steady_clock::now();
        callbacks.pump = [&] { return std::chrono::steady_clock::now() - start > wait; };
        const double before = ProcessCpuSeconds();
        ReceiveFile(path, line, callbacks);
        cpu += ProcessCpuSeconds() - before;
    }
    ::unlink(path.c_str());
    state.counters["cpu_ms_per_wait"] = benchmark::Counter(cpu * 1000.0 / double(state.iterations()));
}
BENCHMARK(BM_IdleReceiveCpu)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Record lines against an instrument that acknowledges each one at once.
static void BM_SendFileByLinesOverPty(benchmark::State& state)
{
    const int64_t lines = morvel::bench::BenchSize(state.range(0));
    std::string content;
    for (int64_t i = 0; i < lines; ++i)
        content += "G," + std::to_string(1000 + i) + ",5000.000,2000.000,100.000,CP,7,\r\r\n";
    const std::string path = TempPath("/tmp/morvel-bench-lines-XXXXXX");
    WriteFile(path, content);
    QuietMessages quiet;
    CTransferLine line;
    line.port = BenchPort;
    for (auto _ : state) {
        BenchPty pty;
        if (!pty.IsValid()) {
            state.SkipWithError("no pseudo-terminal");
            break;
        }
        std::atomic<bool> stop{false};
        std::thread instrument([&] {
            char buffer[4096];
            int64_t seen = 0;
            while (!stop && seen < lines) {
                if (!WaitReady(pty.Master(), POLLIN, 50))
                    continue;
                const ssize_t n = ::read(pty.Master(), buffer, sizeof buffer);
                for (ssize_t i = 0; i < n; ++i) {
                    if (buffer[i] == '\n') {
                        ++seen;
                        const char ack = 0x06;
                        (void)::write(pty.Master(), &ack, 1);
                    }
                }
            }
        });
        const bool ok = SendFileByLines(path, line, {});
        stop = true;
        instrument.join();
        if (!ok)
            state.SkipWithError("send failed");
    }
    ::unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_SendFileByLinesOverPty)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();
