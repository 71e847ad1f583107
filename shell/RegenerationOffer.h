#pragma once

#include <cstdint>
#include <string>

// A job file that holds no points while the raw data file beside it holds observations was most
// likely left empty by an earlier run: opening it offers to rebuild the points from the raw data.
bool ShouldOfferRegeneration(const std::string& jobPath, int64_t pointCount);
