#include "BenchUtil.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <sys/resource.h>
#include <cstring>
#include <vector>

namespace morvel::bench {

namespace {
bool g_smoke = false;
}

bool IsSmokeRun()
{
    return g_smoke;
}

int64_t BenchSize(int64_t full)
{
    return g_smoke ? std::min<int64_t>(full, 100) : full;
}

double PeakMemoryMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace morvel::bench

int main(int argc, char** argv)
{
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0)
            morvel::bench::g_smoke = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
