#include "framework/AcceleratorChain.h"

void CAcceleratorChain::Clear()
{
    m_entries.clear();
    m_back.clear();
    m_last.clear();
}

void CAcceleratorChain::LoadAccelerators(const std::vector<AccelEntry>& entries)
{
    Clear();
    m_entries = entries;
    m_back.resize(entries.size(), 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        auto it = m_last.find(entries[i].command);
        if (it != m_last.end())
            m_back[i] = i - it->second;
        m_last[entries[i].command] = i;
    }
}

std::vector<AccelEntry> CAcceleratorChain::GetCommandEntries(uint16_t command) const
{
    std::vector<AccelEntry> result;
    auto it = m_last.find(command);
    if (it == m_last.end())
        return result;
    size_t i = it->second;
    for (;;) {
        result.push_back(m_entries[i]);
        if (m_back[i] == 0)
            break;
        i -= m_back[i];
    }
    return result;
}

std::string CAcceleratorChain::KeyText(const AccelEntry& entry, const KeyNamer& namer)
{
    std::string text;
    if (entry.flags & AccelEntry::Alt)
        text += "Alt+";
    if (entry.flags & AccelEntry::Control)
        text += "Ctrl+";
    if (entry.flags & AccelEntry::Shift)
        text += "Shift+";
    const bool virtualKey = (entry.flags & AccelEntry::VirtKey) != 0;
    std::string name;
    if (namer)
        name = namer(entry.key, virtualKey);
    else if (entry.key < 0x80)
        name = std::string(1, static_cast<char>(entry.key));
    // The signs that join a key's parts are bracketed when they are the key: "Alt+(+)".
    if (name == "+" || name == "-")
        name = "(" + name + ")";
    return text + name;
}

bool CAcceleratorChain::GetAcceleratorText(std::string& text, uint16_t command, const KeyNamer& namer) const
{
    // A text starting with a tab is a right-aligned text alone and stays whole.
    const size_t tab = text.find('\t');
    if (tab != std::string::npos && tab != 0)
        text.erase(tab);
    const std::vector<AccelEntry> keys = GetCommandEntries(command);
    for (size_t i = 0; i < keys.size(); ++i) {
        text += i == 0 ? "\t" : ", ";
        text += KeyText(keys[i], namer);
    }
    return !keys.empty();
}
