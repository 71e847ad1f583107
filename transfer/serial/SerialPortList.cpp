#include "transfer/serial/SerialPortList.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string_view>

namespace fs = std::filesystem;

namespace {

bool HasPrefixAndNumber(std::string_view name, std::string_view prefix, int32_t* number)
{
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return false;
    const std::string_view digits = name.substr(prefix.size());
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || value < 0)
        return false;
    if (number)
        *number = value;
    return true;
}

// A 16550-style port reports its UART type; 0 means nothing answers at its address.
bool HasUart(const fs::path& sysEntry)
{
    std::ifstream in(sysEntry / "type");
    int type = 0;
    return in >> type && type != 0;
}

// Kernel name → stable by-id link.
std::map<std::string, std::string> StableNames(const std::string& devRoot)
{
    std::map<std::string, std::string> names;
    std::error_code ec;
    const fs::path byId = fs::path(devRoot) / "serial" / "by-id";
    for (fs::directory_iterator it(byId, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (!linkError)
            names.emplace(target.filename().string(), it->path().string());
    }
    return names;
}

} // namespace

std::string FormatSerialPortEntry(const SerialPortEntry& entry)
{
    std::string text = "COM " + std::to_string(entry.comPort);
    if (!entry.kernelName.empty())
        text += " (" + entry.kernelName + ")";
    return text;
}

std::vector<SerialPortEntry> ListSerialPorts(int32_t storedPort, const std::string& storedDevice,
                                             const std::string& sysTtyRoot, const std::string& devRoot)
{
    std::vector<SerialPortEntry> fixed, usb;
    std::error_code ec;
    for (fs::directory_iterator it(sysTtyRoot, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        int32_t number = 0;
        if (HasPrefixAndNumber(name, "ttyS", &number)) {
            if (number < INT32_MAX - 1 && HasUart(it->path()))
                fixed.push_back({number + 1, (fs::path(devRoot) / name).string(), name});
        } else if (HasPrefixAndNumber(name, "ttyUSB", nullptr) || HasPrefixAndNumber(name, "ttyACM", nullptr)) {
            usb.push_back({0, (fs::path(devRoot) / name).string(), name});
        }
    }
    const std::map<std::string, std::string> stable = StableNames(devRoot);
    for (SerialPortEntry& e : usb)
        if (auto found = stable.find(e.kernelName); found != stable.end())
            e.device = found->second;
    std::sort(usb.begin(), usb.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        return a.kernelName < b.kernelName;
    });

    std::set<int32_t> taken;
    for (const SerialPortEntry& e : fixed)
        taken.insert(e.comPort);
    // The adapter the setting names keeps its number, unless a built-in port has it.
    if (!storedDevice.empty() && storedPort > 0 && !taken.count(storedPort))
        for (SerialPortEntry& e : usb)
            if (e.device == storedDevice) {
                e.comPort = storedPort;
                taken.insert(storedPort);
                break;
            }
    int32_t next = 1;
    for (SerialPortEntry& e : usb) {
        if (e.comPort != 0)
            continue;
        while (taken.count(next))
            ++next;
        e.comPort = next;
        taken.insert(next);
    }

    std::vector<SerialPortEntry> entries = std::move(fixed);
    entries.insert(entries.end(), usb.begin(), usb.end());
    std::sort(entries.begin(), entries.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.comPort < b.comPort; });
    return entries;
}

int32_t FindSerialPortEntry(const std::vector<SerialPortEntry>& entries, int32_t storedPort,
                            const std::string& storedDevice)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        const bool same = storedDevice.empty() ? entries[i].comPort == storedPort : entries[i].device == storedDevice;
        if (same)
            return static_cast<int32_t>(i);
    }
    return -1;
}
