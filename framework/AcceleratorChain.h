#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// One key of an accelerator list: modifier flags, the key and the command it sends.
struct AccelEntry
{
    static constexpr uint8_t VirtKey = 0x01;
    static constexpr uint8_t Shift = 0x04;
    static constexpr uint8_t Control = 0x08;
    static constexpr uint8_t Alt = 0x10;

    uint8_t flags = 0;
    // A toolkit key code when VirtKey is set, else the character itself.
    uint16_t key = 0;
    uint16_t command = 0;
};

// A copy of an accelerator list in which the entries of one command form a chain backwards from
// its last entry, so a menu can show every key of a command, the latest entry first.
class CAcceleratorChain
{
public:
    // Gives the name of a key (a toolkit key code when virtualKey is set).
    using KeyNamer = std::function<std::string(uint16_t key, bool virtualKey)>;

    void LoadAccelerators(const std::vector<AccelEntry>& entries);
    void Clear();
    bool IsEmpty() const { return m_entries.empty(); }
    const std::vector<AccelEntry>& GetEntries() const { return m_entries; }

    // The entries of a command, latest first.
    std::vector<AccelEntry> GetCommandEntries(uint16_t command) const;

    // Cuts the text at its first tab (unless the tab is first) and appends "\t" and the command's
    // keys joined by ", ", each written "Alt+", "Ctrl+", "Shift+" (in that order) and the key's
    // name. True when at least one key was appended.
    bool GetAcceleratorText(std::string& text, uint16_t command, const KeyNamer& namer) const;

    // One key as a menu writes it; a "+" or "-" key in brackets ("Alt+(-)").
    static std::string KeyText(const AccelEntry& entry, const KeyNamer& namer);

private:
    std::vector<AccelEntry> m_entries;
    // Per entry, how far back the previous entry of the same command lies (0: none).
    std::vector<size_t> m_back;
    std::unordered_map<uint16_t, size_t> m_last;
};
