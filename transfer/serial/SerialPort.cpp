#include "transfer/serial/SerialPort.h"

#include "transfer/serial/LineRate.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

std::mutex& DeviceMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<uint32_t, std::string>& DeviceTable()
{
    static std::map<uint32_t, std::string> table;
    return table;
}

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct BaudEntry
{
    uint32_t rate;
    speed_t speed;
};

constexpr BaudEntry kBaudTable[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000},
};

// termios knows only fixed rates: a rate between them gets the nearest one below here, and the
// exact rate is set afterwards through the kernel's own fields (LineRate.h).
speed_t SpeedForRate(uint32_t rate)
{
    speed_t speed = B50;
    for (const BaudEntry& e : kBaudTable) {
        if (e.rate > rate)
            break;
        speed = e.speed;
    }
    return speed;
}

bool IsFixedRate(uint32_t rate)
{
    return std::any_of(std::begin(kBaudTable), std::end(kBaudTable), [rate](const BaudEntry& e) { return e.rate == rate; });
}

} // namespace

std::string GetComPortDevice(uint32_t port, const std::string& storedDevice)
{
    {
        std::lock_guard lock(DeviceMutex());
        auto it = DeviceTable().find(port);
        if (it != DeviceTable().end())
            return it->second;
    }
    const std::string variable = "MORVEL_COM" + std::to_string(port);
    if (const char* value = std::getenv(variable.c_str()); value && *value)
        return value;
    if (!storedDevice.empty())
        return storedDevice;
    return "/dev/ttyS" + std::to_string(port == 0 ? 0 : port - 1);
}

void SetComPortDevice(uint32_t port, const std::string& path)
{
    std::lock_guard lock(DeviceMutex());
    if (path.empty())
        DeviceTable().erase(port);
    else
        DeviceTable()[port] = path;
}

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort()
{
    if (IsOpen())
        Close();
}

void CSerialPort::SetBaudRate(int64_t rate)
{
    if (rate > 0 && rate <= UINT32_MAX)
        m_baudRate = static_cast<uint32_t>(rate);
    ApplySettings();
}

void CSerialPort::SetHandshake(uint8_t flags)
{
    m_handshake = flags;
    ApplySettings();
}

void CSerialPort::SetParity(uint32_t parity)
{
    m_parity = parity;
    ApplySettings();
}

void CSerialPort::SetStopBits(uint8_t stopBits)
{
    m_stopBits = stopBits;
    ApplySettings();
}

void CSerialPort::SetDataBits(uint8_t dataBits)
{
    m_dataBits = dataBits;
    ApplySettings();
}

void CSerialPort::SetTimeout(uint32_t milliseconds)
{
    m_timeout = std::max(milliseconds, MinTimeout);
}

uint8_t CSerialPort::GetEffectiveDataBits() const
{
    if (m_dataBits != 0)
        return m_dataBits;
    return m_parity != 0 ? 7 : 8;
}

bool CSerialPort::GetDcb(termios& settings) const
{
    settings = m_dcb;
    return true;
}

PortOpenFailure PortOpenFailureOf(int error)
{
    switch (error) {
    case 0:
        return PortOpenFailure::None;
    case EBUSY:
    case EWOULDBLOCK: // the lock of another holder
        return PortOpenFailure::Busy;
    case EACCES:
    case EPERM:
        return PortOpenFailure::Permission;
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
        return PortOpenFailure::NoDevice;
    case ENOTTY:
    case EISDIR:
        return PortOpenFailure::NotSerialPort;
    // A serial driver answers EIO for a port it knows but found no chip for, on opening or on
    // the first line-settings call; its TIOCGSERIAL type says nothing more, as USB adapters
    // report an unknown type too.
    case EIO:
        return PortOpenFailure::NoHardware;
    default:
        return PortOpenFailure::Other;
    }
}

bool CSerialPort::Open()
{
    if (IsOpen())
        return true;
    const std::string device = m_devicePath.empty() ? GetComPortDevice(m_port) : m_devicePath;
    m_text = device;
    m_openFailure = PortOpenFailure::None;
    // Non-blocking, so neither a missing carrier nor a full line can stall the program; every
    // wait goes through poll with a time-out.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_openFailure = PortOpenFailureOf(errno);
        return false;
    }
    // TIOCEXCL keeps other programs out but lets root through; the advisory lock holds for
    // everyone who asks, this program included. A tcgetattr that fails finds no terminal line.
    termios probe{};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0 || ::tcgetattr(fd, &probe) != 0) {
        m_openFailure = PortOpenFailureOf(errno);
        ::close(fd);
        return false;
    }
    m_fd = fd;
    ApplySettings();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    PurgeInput();
    return true;
}

bool CSerialPort::Close()
{
    if (!IsOpen())
        return false;
    m_text.clear();
    ::ioctl(m_fd, TIOCNXCL);
    // The descriptor is gone after close whatever it reports, so the port counts as closed.
    const int result = ::close(m_fd);
    m_fd = -1;
    return result == 0;
}

void CSerialPort::ApplySettings()
{
    if (!IsOpen())
        return;
    termios t{};
    if (::tcgetattr(m_fd, &t) != 0)
        return;
    MakeLineSettings(t);
    // Kept as handed over: some drivers (a pseudo-terminal's) pin the character size and parity.
    if (::tcsetattr(m_fd, TCSANOW, &t) != 0)
        return;
    m_dcb = t;
    // A driver that refuses the exact rate keeps the fixed one below it.
    if (IsFixedRate(m_baudRate) || !SetExactLineRate(m_fd, m_baudRate))
        return;
    termios exact{};
    if (::tcgetattr(m_fd, &exact) == 0) {
        m_dcb.c_cflag = (m_dcb.c_cflag & ~(CBAUD | CBAUDEX | CIBAUD)) | (exact.c_cflag & (CBAUD | CBAUDEX | CIBAUD));
        m_dcb.c_ispeed = exact.c_ispeed;
        m_dcb.c_ospeed = exact.c_ospeed;
    }
}

void CSerialPort::MakeLineSettings(termios& t) const
{
    // Raw: no CR/LF rewriting, no echo, no signals, every byte passed through.
    ::cfmakeraw(&t);
    t.c_cflag |= CREAD | CLOCAL;
    const speed_t speed = SpeedForRate(m_baudRate);
    // No separate input rate: one left from an exact rate set earlier would outlive the change.
    t.c_cflag &= ~CIBAUD;
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);

    t.c_cflag &= ~CSIZE;
    switch (GetEffectiveDataBits()) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    default: t.c_cflag |= CS8; break;
    }

    t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    t.c_iflag &= ~INPCK;
    switch (m_parity) {
    case 0: break;
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    case 3: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 4: t.c_cflag |= PARENB | CMSPAR; break;
    default: t.c_cflag |= PARENB; break;
    }
    if (m_parity != 0)
        t.c_iflag |= INPCK;

    if (m_stopBits != 0)
        t.c_cflag |= CSTOPB;
    else
        t.c_cflag &= ~CSTOPB;

    if (m_handshake & HandshakeCtsRts)
        t.c_cflag |= CRTSCTS;
    else
        t.c_cflag &= ~CRTSCTS;

    t.c_iflag &= ~IXANY;
    if (m_handshake & HandshakeXonXoff)
        t.c_iflag |= IXON | IXOFF;
    else
        t.c_iflag &= ~(IXON | IXOFF);
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    // Reads never block in the driver; the waits are ours.
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;

}

bool CSerialPort::WaitFor(short events, int64_t deadline) const
{
    for (;;) {
        const int64_t left = deadline - NowMs();
        pollfd p{m_fd, events, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::max<int64_t>(left, 0)));
        if (r > 0)
            return (p.revents & events) != 0; // an error or hang-up alone ends the wait
        if (r == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

bool CSerialPort::Write(const void* data, uint32_t count, uint32_t* written)
{
    uint32_t done = 0;
    if (written)
        *written = 0;
    if (!IsOpen())
        return false;
    const auto* p = static_cast<const uint8_t*>(data);
    const int64_t deadline = NowMs() + m_timeout;
    while (done < count) {
        const ssize_t n = ::write(m_fd, p + done, count - done);
        if (n > 0) {
            done += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            break;
        if (!WaitFor(POLLOUT, deadline))
            break;
    }
    if (written)
        *written = done;
    return done == count;
}

uint32_t CSerialPort::InterByteGap() const
{
    // Two characters of ten bits at the line's rate.
    const uint32_t rate = std::max<uint32_t>(m_baudRate, 1);
    return std::max<uint32_t>(2, (20000 + rate - 1) / rate);
}

uint32_t CSerialPort::ReadFollowing(uint8_t* buffer, uint32_t count, uint32_t gap, int64_t deadline)
{
    uint32_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, buffer + done, count - done);
        if (n > 0) {
            done += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // With no minimum count set, a tty answers 0 when nothing waits; a line that hung up
        // is caught by the wait.
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            break;
        if (!WaitFor(POLLIN, std::min(deadline, NowMs() + gap)))
            break;
    }
    return done;
}

bool CSerialPort::Read(void* buffer, uint32_t count, uint32_t* read, const bool* cancel)
{
    if (count == 0) {
        if (read)
            *read = 0;
        return true;
    }
    if (cancel && *cancel)
        return false;
    if (read)
        *read = 0;
    if (!IsOpen())
        return false;
    auto* p = static_cast<uint8_t*>(buffer);
    if (ReadFollowing(p, 1, m_timeout, NowMs() + m_timeout) == 0)
        return false;
    const int64_t deadline = NowMs() + m_timeout + 10 * int64_t(count - 1);
    const uint32_t more = ReadFollowing(p + 1, count - 1, InterByteGap(), deadline);
    if (read)
        *read = 1 + more;
    return true;
}

void CSerialPort::WaitIdle(bool forOutput)
{
    if (!IsOpen()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return;
    }
    pollfd p{m_fd, static_cast<short>(forOutput ? POLLOUT : POLLIN), 0};
    if (::poll(&p, 1, 1) > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
        std::this_thread::sleep_for(std::chrono::milliseconds(1)); // a hung-up line is always "ready"
}

void CSerialPort::DiscardOutput()
{
    if (IsOpen())
        ::tcflush(m_fd, TCOFLUSH);
}

bool CSerialPort::WriteString(const std::string& text)
{
    if (!IsOpen() || text.size() > MaxWriteStringLength)
        return false;
    uint32_t written = 0;
    return Write(text.data(), static_cast<uint32_t>(text.size()), &written);
}

bool CSerialPort::ReadString(std::string& text, const bool* stop)
{
    text.clear();
    if ((stop && *stop) || !IsOpen())
        return false;
    uint8_t buffer[1 + ReadStringLimit];
    if (ReadFollowing(buffer, 1, m_timeout, NowMs() + m_timeout) == 0)
        return false;
    // A line that keeps talking still ends the text after a bounded time (1 ms per byte wanted).
    const int64_t deadline = NowMs() + ReadStringGap + ReadStringLimit;
    const uint32_t more = ReadFollowing(buffer + 1, ReadStringLimit, ReadStringGap, deadline);
    text.assign(reinterpret_cast<const char*>(buffer), 1 + more);
    return true;
}

uint32_t CSerialPort::GetInputCount() const
{
    if (!IsOpen())
        return 0;
    int waiting = 0;
    if (::ioctl(m_fd, FIONREAD, &waiting) != 0 || waiting < 0)
        return 0;
    return static_cast<uint32_t>(waiting);
}

bool CSerialPort::PurgeInput()
{
    return IsOpen() && ::tcflush(m_fd, TCIFLUSH) == 0;
}

bool CSerialPort::SetBreak()
{
    return IsOpen() && ::ioctl(m_fd, TIOCSBRK) == 0;
}

bool CSerialPort::ClearBreak()
{
    return IsOpen() && ::ioctl(m_fd, TIOCCBRK) == 0;
}
