#pragma once

#include "core/Rgb.h"

#include <cstdint>
#include <string>
#include <vector>

// Stands for the system's window-text colour, which only the window layer knows; it lies outside
// the 24-bit colour range so it cannot be mistaken for a real colour.
inline constexpr uint32_t WindowTextColor = 0xFF000000u;
inline constexpr uint32_t TitleTextColor = MakeRgb(0, 0, 128);
inline constexpr uint32_t ProblemTextColor = MakeRgb(128, 0, 0);

// An ordered list of text lines with a colour each: descriptions and check results of raw lines.
class CColoredTextLines
{
public:
    struct Line
    {
        std::string text;
        uint32_t color = WindowTextColor;
    };

    void RemoveAll() { m_lines.clear(); }
    void AddLine(const std::string& text, uint32_t color) { m_lines.push_back({text, color}); }
    void AddLineDefaultColor(const std::string& text) { m_lines.push_back({text, WindowTextColor}); }

    // Position 0 is the end of the list; positions count from 1.
    size_t GetHeadPosition() const { return m_lines.empty() ? 0 : 1; }
    // Reads the line at the position and moves it on; false at the end.
    bool GetNext(size_t& position, std::string& text, uint32_t& color) const;
    int32_t GetCount() const { return int32_t(m_lines.size()); }
    void GetText(std::vector<std::string>& out) const;

    const std::vector<Line>& Lines() const { return m_lines; }

private:
    std::vector<Line> m_lines;
};
