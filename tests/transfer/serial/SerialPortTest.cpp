#include "transfer/serial/SerialPort.h"

#include "PtyInstrument.h"
#include "transfer/serial/LineRate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <poll.h>

using morvel::test::PtyPair;

namespace {

using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

// Polls the condition for up to two seconds: the driver works on its own schedule.
template <class Condition>
bool WaitUntil(Condition condition)
{
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Whether the line would take a byte now (not while stopped by XOFF).
bool Writable(const CSerialPort& port)
{
    pollfd p{port.GetHandle(), POLLOUT, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLOUT);
}

// The settings the driver holds now.
termios DriverSettings(const CSerialPort& port)
{
    termios t{};
    tcgetattr(port.GetHandle(), &t);
    return t;
}

// The settings handed to the driver. A pseudo-terminal pins character size and parity (CS8, no
// parity bit), so those are checked here; everything else on the driver itself.
termios Applied(const CSerialPort& port)
{
    termios t{};
    port.GetDcb(t);
    return t;
}

class SerialPortPty : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.IsValid());
        port.SetDevicePath(pty.SlavePath());
    }

    PtyPair pty;
    CSerialPort port;
};

} // namespace

TEST(SerialPortDevice, PortNumbersNameDevices)
{
    EXPECT_EQ(GetComPortDevice(3), "/dev/ttyS2");
    EXPECT_EQ(GetComPortDevice(1), "/dev/ttyS0");
    const std::string adapter = "/dev/serial/by-id/usb-FTDI_A1-if00-port0";
    EXPECT_EQ(GetComPortDevice(4, adapter), adapter);

    // A test's device comes before the stored one.
    ::setenv("MORVEL_COM4", "/dev/ttyUSB0", 1);
    EXPECT_EQ(GetComPortDevice(4, adapter), "/dev/ttyUSB0");
    SetComPortDevice(4, "/dev/pts/99");
    EXPECT_EQ(GetComPortDevice(4, adapter), "/dev/pts/99");
    SetComPortDevice(4, "");
    ::unsetenv("MORVEL_COM4");
    EXPECT_EQ(GetComPortDevice(4), "/dev/ttyS3");
}

TEST(SerialPortSettings, StoredValuesOnAClosedPort)
{
    CSerialPort port;
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.GetBaudRate(), 4800u);
    EXPECT_EQ(port.GetPort(), 1u);
    EXPECT_EQ(port.GetTimeout(), 1000u);

    port.SetBaudRate(0);
    port.SetBaudRate(-9600);
    EXPECT_EQ(port.GetBaudRate(), 4800u);
    port.SetBaudRate(9600);
    EXPECT_EQ(port.GetBaudRate(), 9600u);

    port.SetTimeout(5);
    EXPECT_EQ(port.GetTimeout(), 10u);
    port.SetTimeout(250);
    EXPECT_EQ(port.GetTimeout(), 250u);

    EXPECT_EQ(port.GetEffectiveDataBits(), 8);
    port.SetParity(2);
    EXPECT_EQ(port.GetEffectiveDataBits(), 7);
    port.SetDataBits(8);
    EXPECT_EQ(port.GetEffectiveDataBits(), 8);

    // Nothing to work on while closed.
    char byte = 0;
    uint32_t count = 7;
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(port.Write("x", 1, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(port.WriteString("x"));
    EXPECT_EQ(port.GetInputCount(), 0u);
    EXPECT_FALSE(port.PurgeInput());
    EXPECT_FALSE(port.Read(&byte, 1, &count, nullptr));
}

// The settings a port hands to its driver, from a device that had everything switched on.
termios Made(const CSerialPort& port)
{
    termios t{};
    t.c_iflag = ICRNL | IXANY | IXON | IXOFF | INPCK;
    t.c_oflag = OPOST | ONLCR;
    t.c_cflag = CS5 | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;
    t.c_lflag = ICANON | ECHO | ISIG;
    port.MakeLineSettings(t);
    return t;
}

TEST(SerialPortSettings, LineSettingsFromStoredValues)
{
    CSerialPort port;
    termios t = Made(port);
    EXPECT_EQ(cfgetospeed(&t), B4800);
    EXPECT_EQ(t.c_cflag & CSIZE, CS8);
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | IXANY | IXON | IXOFF | INPCK), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_NE(t.c_cflag & CREAD, 0u);

    struct Case
    {
        const char* name;
        uint32_t parity;
        uint8_t dataBits;
        tcflag_t size;
        tcflag_t parityFlags;
    };
    const Case cases[] = {
        {"even, automatic bits", 2, 0, CS7, PARENB},
        {"odd, automatic bits", 1, 0, CS7, PARENB | PARODD},
        {"mark", 3, 0, CS7, PARENB | PARODD | CMSPAR},
        {"space", 4, 0, CS7, PARENB | CMSPAR},
        {"none, automatic bits", 0, 0, CS8, 0},
        {"even, eight bits given", 2, 8, CS8, PARENB},
        {"none, seven bits given", 0, 7, CS7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        port.SetParity(c.parity);
        port.SetDataBits(c.dataBits);
        t = Made(port);
        EXPECT_EQ(t.c_cflag & CSIZE, c.size);
        EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR), c.parityFlags);
        EXPECT_EQ((t.c_iflag & INPCK) != 0, c.parity != 0);
    }

    // In the fixed rates a rate between them is the one below it (the exact one is set on the
    // open line, checked on a pseudo-terminal).
    port.SetBaudRate(14400);
    t = Made(port);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    port.SetBaudRate(115200);
    t = Made(port);
    EXPECT_EQ(cfgetospeed(&t), B115200);

    port.SetHandshake(CSerialPort::HandshakeXonXoff | CSerialPort::HandshakeCtsRts);
    t = Made(port);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
}

TEST(SerialPortSettings, MissingDeviceDoesNotOpen)
{
    CSerialPort port;
    port.SetDevicePath("/nonexistent/ttyS0");
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    // A plain file is no serial line.
    port.SetDevicePath("/dev/null");
    EXPECT_FALSE(port.Open());
}

TEST_F(SerialPortPty, OpenIsRawAndExclusive)
{
    ASSERT_TRUE(port.Open());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.GetDeviceName(), pty.SlavePath());
    EXPECT_TRUE(port.Open()); // already open: nothing reopened
    const int handle = port.GetHandle();
    EXPECT_TRUE(port.Open());
    EXPECT_EQ(port.GetHandle(), handle);

    const termios t = DriverSettings(port);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);

    // A held port refuses a second open, whoever asks.
    CSerialPort second;
    second.SetDevicePath(pty.SlavePath());
    EXPECT_FALSE(second.Open());
    EXPECT_EQ(second.GetOpenFailure(), PortOpenFailure::Busy);

    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.GetDeviceName(), "");
    EXPECT_FALSE(port.Close());
    EXPECT_TRUE(second.Open());
}

TEST_F(SerialPortPty, BreakOnlyOnAnOpenPort)
{
    EXPECT_FALSE(port.SetBreak());
    EXPECT_FALSE(port.ClearBreak());
    ASSERT_TRUE(port.Open());
    EXPECT_TRUE(port.SetBreak());
    EXPECT_TRUE(port.ClearBreak());
}

TEST_F(SerialPortPty, DestructorReleasesThePort)
{
    {
        CSerialPort held;
        held.SetDevicePath(pty.SlavePath());
        ASSERT_TRUE(held.Open());
    }
    EXPECT_TRUE(port.Open());
}

TEST_F(SerialPortPty, SettersReachTheDriver)
{
    ASSERT_TRUE(port.Open());
    termios t = DriverSettings(port);
    EXPECT_EQ(cfgetospeed(&t), B4800);
    EXPECT_EQ(t.c_cflag & CSIZE, CS8);
    EXPECT_EQ(t.c_cflag & PARENB, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);

    port.SetBaudRate(19200);
    EXPECT_EQ(cfgetospeed(&(t = DriverSettings(port))), B19200);
    EXPECT_EQ(cfgetispeed(&t), B19200);

    // A pseudo-terminal pins character size and parity, so those are checked on what the port
    // hands over; the driver keeps the rest.
    EXPECT_EQ(Applied(port).c_cflag & CSIZE, CS8);
    EXPECT_EQ(DriverSettings(port).c_cflag & CSIZE, CS8);
    port.SetStopBits(2);
    EXPECT_NE(DriverSettings(port).c_cflag & CSTOPB, 0u);
    port.SetStopBits(1); // one and a half becomes two
    EXPECT_NE(DriverSettings(port).c_cflag & CSTOPB, 0u);
    port.SetStopBits(0);
    EXPECT_EQ(DriverSettings(port).c_cflag & CSTOPB, 0u);

    // XON/XOFF: both directions, with DC1 and DC3, and no hardware handshake.
    port.SetHandshake(CSerialPort::HandshakeXonXoff);
    t = DriverSettings(port);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(t.c_iflag & IXANY, 0u);
    EXPECT_EQ(t.c_cc[VSTART], 0x11);
    EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);

    port.SetHandshake(CSerialPort::HandshakeCtsRts);
    t = DriverSettings(port);
    EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);

    // DSR/DTR has no form here: accepted, nothing else changes.
    port.SetHandshake(CSerialPort::HandshakeDsrDtr);
    t = DriverSettings(port);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(port.GetHandshake(), CSerialPort::HandshakeDsrDtr);

    // What GetDcb hands out is what was applied last.
    termios dcb{};
    EXPECT_TRUE(port.GetDcb(dcb));
    EXPECT_EQ(dcb.c_cflag, t.c_cflag);
    EXPECT_EQ(dcb.c_iflag, t.c_iflag);
}

TEST_F(SerialPortPty, TheLineRunsAtExactlyTheGivenRate)
{
    // Before and after open, fixed rates and those between them (14400 is in the preferences' list).
    port.SetBaudRate(14400);
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(GetExactLineRate(port.GetHandle()), 14400u);
    for (uint32_t rate : {1200u, 9600u, 14400u, 28800u, 115200u, 4800u}) {
        SCOPED_TRACE(rate);
        port.SetBaudRate(rate);
        EXPECT_EQ(GetExactLineRate(port.GetHandle()), rate);
        const termios t = DriverSettings(port);
        EXPECT_EQ(t.c_cflag & CSIZE, CS8) << "the rest of the line is left as set";
        termios dcb{};
        port.GetDcb(dcb);
        EXPECT_EQ(dcb.c_cflag & (CBAUD | CBAUDEX), t.c_cflag & (CBAUD | CBAUDEX));
    }
}

TEST_F(SerialPortPty, SettingsGivenBeforeOpenAreApplied)
{
    port.SetBaudRate(9600);
    port.SetParity(2);
    port.SetHandshake(CSerialPort::HandshakeXonXoff);
    ASSERT_TRUE(port.Open());
    const termios t = DriverSettings(port);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_NE(t.c_iflag & IXON, 0u);
}

TEST_F(SerialPortPty, ReadsAreBoundedAndTakeWhatFollows)
{
    port.SetTimeout(40);
    ASSERT_TRUE(port.Open());
    char buffer[64] = {};
    uint32_t count = 99;

    // Nothing comes: false after about the time-out.
    auto start = Clock::now();
    EXPECT_FALSE(port.Read(buffer, 16, &count, nullptr));
    EXPECT_EQ(count, 0u);
    EXPECT_GE(ElapsedMs(start), 35);
    EXPECT_LT(ElapsedMs(start), 1000);

    // A zero count succeeds at once; a set cancel flag reads nothing.
    EXPECT_TRUE(port.Read(buffer, 0, &count, nullptr));
    EXPECT_EQ(count, 0u);
    ASSERT_TRUE(pty.Send("queued"));
    const bool cancel = true;
    count = 42;
    EXPECT_FALSE(port.Read(buffer, 16, &count, &cancel));
    EXPECT_EQ(count, 42u);

    // What waits is read, at most the count asked for.
    const bool go = false;
    EXPECT_TRUE(port.Read(buffer, 4, &count, &go));
    EXPECT_EQ(std::string(buffer, count), "queu");
    EXPECT_EQ(port.GetInputCount(), 2u);
    EXPECT_TRUE(port.Read(buffer, 16, &count, nullptr));
    EXPECT_EQ(std::string(buffer, count), "ed");

    // Purged input is gone.
    ASSERT_TRUE(pty.Send("stale"));
    ASSERT_TRUE(WaitUntil([&] { return port.GetInputCount() == 5; }));
    EXPECT_TRUE(port.PurgeInput());
    EXPECT_EQ(port.GetInputCount(), 0u);
    EXPECT_FALSE(port.Read(buffer, 16, &count, nullptr));
}

TEST_F(SerialPortPty, WritesAndStrings)
{
    port.SetTimeout(50);
    ASSERT_TRUE(port.Open());
    uint32_t written = 0;
    EXPECT_TRUE(port.Write("A,01,Z,\r\n", 9, &written));
    EXPECT_EQ(written, 9u);
    EXPECT_EQ(pty.Receive(9, 200), "A,01,Z,\r\n"); // raw: CR LF untouched

    EXPECT_FALSE(port.WriteString(std::string(201, 'x')));
    EXPECT_TRUE(port.WriteString(std::string(200, 'y')));
    EXPECT_EQ(pty.Receive(1000, 50), std::string(200, 'y')); // nothing of the refused text

    std::string text;
    const bool stop = true;
    ASSERT_TRUE(pty.Send("reply"));
    EXPECT_FALSE(port.ReadString(text, &stop));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(port.ReadString(text, nullptr));
    EXPECT_EQ(text, "reply");
    EXPECT_FALSE(port.ReadString(text, nullptr));
    EXPECT_EQ(text, "");
}

TEST_F(SerialPortPty, WriteGivesUpOnAStoppedLine)
{
    port.SetTimeout(30);
    port.SetHandshake(CSerialPort::HandshakeXonXoff);
    ASSERT_TRUE(port.Open());
    ASSERT_TRUE(pty.Send("\x13"));
    ASSERT_TRUE(WaitUntil([&] { return !Writable(port); }));
    uint32_t written = 99;
    const auto start = Clock::now();
    EXPECT_FALSE(port.Write("held", 4, &written));
    EXPECT_EQ(written, 0u);
    EXPECT_LT(ElapsedMs(start), 1000);
    EXPECT_EQ(pty.Receive(4, 30), "");

    // XON releases the line; what was refused goes when written again.
    ASSERT_TRUE(pty.Send("\x11"));
    ASSERT_TRUE(WaitUntil([&] { return Writable(port); }));
    EXPECT_TRUE(port.Write("free", 4, &written));
    EXPECT_EQ(pty.Receive(4, 200), "free");
}
