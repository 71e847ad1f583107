#pragma once

#include <array>
#include <cstdint>
#include <string>

class CFormat;

// The main frame's status bar: pane 0 messages and progress, pane 1 the cursor position, pane 2 the
// view tool's text, pane 3 the selection count.
inline constexpr int StatusPaneCount = 4;

// Pane widths for a status bar of this client width: 150, at least 400, at most 100, at most 100.
std::array<int32_t, StatusPaneCount> ComputeStatusPaneWidths(int32_t barWidth);

// "N:<northing> E:<easting>" (or easting first): each label is the first character of the
// caption followed by ':', each value in the format's coordinate form.
std::string FormatCursorPosition(double northing, double easting, const CFormat& format,
                                 const std::string& northingCaption, const std::string& eastingCaption,
                                 bool northingFirst);
