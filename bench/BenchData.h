#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvel::bench {

// A job's raw data: a head, a station every 50 lines on a known point, mostly side shots.
std::string MakeRawDataText(int64_t lines);

// The plain read imports are measured against: lines and comma fields, the three coordinates
// through from_chars. Returns the number of points read.
int64_t PlainCsvRead(std::string_view text);

} // namespace morvel::bench
