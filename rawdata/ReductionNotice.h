#pragma once

#include <cstddef>
#include <string>

class CReport;

// What a person must hear when a job made from field data opens: how many points the reduction
// stored, and when it refused lines, how many and the first reasons from its analysis. Empty when
// it stored points and refused none. Duplicate-name and 60-minutes-or-seconds angle warnings are
// not refusals: those lines are still reduced.
std::string DescribeFieldDataReduction(const CReport& analysis, size_t pointCount);

// How many reasons the notice lists before it sends the person to the full analysis.
inline constexpr size_t ReductionNoticeReasons = 5;
