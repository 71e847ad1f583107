#pragma once

#include <cstdint>

namespace morvel::bench {

// True when the program runs as a smoke test (--smoke): every benchmark then works on tiny sizes.
bool IsSmokeRun();

// The size a benchmark should use: the full size normally, a small one in a smoke run.
int64_t BenchSize(int64_t full);

// The process's peak resident memory so far, in megabytes.
double PeakMemoryMegabytes();

} // namespace morvel::bench
