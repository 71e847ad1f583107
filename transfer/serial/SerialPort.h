#pragma once

#include "transfer/serial/SerialLink.h"

#include <cstdint>
#include <string>

#include <termios.h>

// Device of COM port N: the one set with SetComPortDevice, else the environment variable
// MORVEL_COM<N> (both for tests), else the device stored beside the port in the preferences,
// else /dev/ttyS<N-1>.
std::string GetComPortDevice(uint32_t port, const std::string& storedDevice = {});
// An empty path removes the setting.
void SetComPortDevice(uint32_t port, const std::string& path);

// Why a port could not be opened, as far as the user can act on it.
enum class PortOpenFailure
{
    None,
    Busy,          // another program holds it
    Permission,    // this user may not open the device
    NoDevice,      // no such device, or it went away (an adapter pulled out)
    NotSerialPort, // the path names something that is no terminal line
    NoHardware,    // the device exists but nothing answers behind it (a ttyS without a UART)
    Other,
};
// The cause behind a system error of opening a device.
PortOpenFailure PortOpenFailureOf(int error);

// A serial port on a tty device: line settings, exclusive open in raw mode, and reads and
// writes bounded by time-outs. Setters may be called before Open; Open applies all of them.
class CSerialPort : public CSerialLink
{
public:
    // Handshake flags; they may be combined.
    static constexpr uint8_t HandshakeDsrDtr = 1; // accepted, but a tty has no form of it
    static constexpr uint8_t HandshakeCtsRts = 2;
    static constexpr uint8_t HandshakeXonXoff = 4;

    static constexpr uint32_t MinTimeout = 10;
    static constexpr uint32_t MaxWriteStringLength = 200;
    static constexpr uint32_t ReadStringLimit = 4096;
    static constexpr uint32_t ReadStringGap = 10;

    CSerialPort();
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Stored for the next Open.
    void SetPort(uint32_t port) { m_port = port; }
    uint32_t GetPort() const { return m_port; }
    // A device path to open in place of the port's (a test's pseudo-terminal); empty: the port's.
    void SetDevicePath(const std::string& path) { m_devicePath = path; }

    // Each stores its value and applies the settings to an open port. A rate of 0 or below is
    // ignored. Parity: 0 none, 1 odd, 2 even, 3 mark, 4 space. Stop bits: 0 one, 1 one and a
    // half (given as two), 2 two. Data bits 0 means 7 with a parity and 8 without.
    void SetBaudRate(int64_t rate);
    void SetHandshake(uint8_t flags);
    void SetParity(uint32_t parity);
    void SetStopBits(uint8_t stopBits);
    void SetDataBits(uint8_t dataBits);
    // Milliseconds, never below 10.
    void SetTimeout(uint32_t milliseconds);

    uint32_t GetBaudRate() const { return m_baudRate; }
    uint8_t GetHandshake() const { return m_handshake; }
    uint32_t GetParity() const { return m_parity; }
    uint8_t GetStopBits() const { return m_stopBits; }
    uint8_t GetEffectiveDataBits() const;
    uint32_t GetTimeout() const { return m_timeout; }
    int GetHandle() const { return m_fd; }
    // The line settings last handed to the driver; true.
    bool GetDcb(termios& settings) const;
    // The device opened last; empty while closed.
    const std::string& GetDeviceName() const { return m_text; }

    // Turns the device's settings into the ones this port applies: raw, the stored rate, data
    // bits, parity, stop bits and handshake, non-blocking reads.
    void MakeLineSettings(termios& settings) const;

    bool IsOpen() const { return m_fd >= 0; }
    // Opens the device exclusively (a second open of the same device fails, also for root),
    // applies the settings and discards stale input. True when open afterwards, also when it
    // already was.
    bool Open();
    // Why the last Open failed; None after a good one.
    PortOpenFailure GetOpenFailure() const { return m_openFailure; }
    // False when not open, or when the system reported an error closing (the port is closed
    // all the same).
    bool Close();

    // Gives up after the time-out.
    bool Write(const void* data, uint32_t count, uint32_t* written) override;
    // Waits up to the time-out for a first byte, then takes the bytes that follow without a
    // pause longer than two characters at the line's rate (at least 2 ms).
    bool Read(void* buffer, uint32_t count, uint32_t* read, const bool* cancel) override;
    void WaitIdle(bool forOutput) override;
    void DiscardOutput() override;

    // At most 200 characters; a longer text is refused without writing.
    bool WriteString(const std::string& text);
    // Waits up to the time-out for a first byte, then takes what follows within 10 ms (at most
    // 4096 more bytes). False with an empty text when nothing came or *stop is set.
    bool ReadString(std::string& text, const bool* stop);

    // Bytes waiting in the input queue; 0 when closed or on error.
    uint32_t GetInputCount() const;
    bool PurgeInput();
    bool SetBreak();
    bool ClearBreak();

private:
    void ApplySettings();
    // Waits for the events until the deadline (ms on the monotonic clock); true when ready.
    bool WaitFor(short events, int64_t deadline) const;
    // Reads what is waiting, then what follows with gaps of at most `gap` ms, until `count`.
    uint32_t ReadFollowing(uint8_t* buffer, uint32_t count, uint32_t gap, int64_t deadline);
    uint32_t InterByteGap() const;

    termios m_dcb{};
    uint32_t m_baudRate = 4800;
    uint8_t m_handshake = 0;
    uint32_t m_port = 1;
    uint32_t m_parity = 0;
    uint8_t m_stopBits = 0;
    uint8_t m_dataBits = 0;
    int m_fd = -1;
    uint32_t m_timeout = 1000;
    std::string m_text;
    std::string m_devicePath;
    PortOpenFailure m_openFailure = PortOpenFailure::None;
};
