#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The serial devices of this machine as the port list's COM entries: 16550-style ports that have
// a UART behind them (ttyS<n> is COM n+1) and USB adapters (ttyUSB, ttyACM), which take the lowest
// numbers left. A USB adapter is named by its stable /dev/serial/by-id link when it has one, so
// the stored setting still finds it after it was plugged into another socket.
struct SerialPortEntry
{
    int32_t comPort = 0;
    std::string device; // the path to open
    std::string kernelName; // ttyS0, ttyUSB0, ...: what the list shows
    bool operator==(const SerialPortEntry&) const = default;
};

// The entry text: "COM n (ttyUSB0)", or "COM n" without a name.
std::string FormatSerialPortEntry(const SerialPortEntry& entry);

// The devices present, ordered by COM number. The stored port keeps its number when its device is
// still there. The roots are the system's unless a test gives its own tree.
std::vector<SerialPortEntry> ListSerialPorts(int32_t storedPort, const std::string& storedDevice,
                                             const std::string& sysTtyRoot = "/sys/class/tty",
                                             const std::string& devRoot = "/dev");

// The index of the stored setting in the list: by device when one is stored, else by number; -1
// when the list lacks it.
int32_t FindSerialPortEntry(const std::vector<SerialPortEntry>& entries, int32_t storedPort,
                            const std::string& storedDevice);
