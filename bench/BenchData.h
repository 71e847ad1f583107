#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morvel::bench {

// A job's raw data: a head, a station every 50 lines on a known point, mostly side shots.
std::string MakeRawDataText(int64_t lines);

// The plain read imports are measured against: lines and comma fields, the three coordinates
// through from_chars. Returns the number of points read.
int64_t PlainCsvRead(std::string_view text);

// The import's own reading: the text split into lines, each through the point-line reader with
// these columns and commas. Returns the number of points read.
int64_t ReadPointLines(const std::string& text, const std::vector<uint16_t>& columns);

// A job file of made-up field points (names 1..n, fences and top banks, one in ten without an
// elevation), the same bytes for the same n.
void WriteMadeUpJobFile(const std::string& path, int64_t points);

} // namespace morvel::bench
