#include "BenchUtil.h"

#include "core/NoValue.h"
#include "model/MorvelFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string TempJobPath()
{
    char path[] = "/tmp/morvel-bench-job-XXXXXX";
    const int fd = mkstemp(path);
    if (fd >= 0)
        close(fd);
    return path;
}

void WriteJob(const std::string& path, int64_t n)
{
    CMorvelFile file;
    file.Create(path.c_str());
    JobFilePoint p;
    p.description = "fence";
    for (int64_t i = 0; i < n; ++i) {
        p.name = std::to_string(i + 1);
        p.northing = 5000.0 + double(i);
        p.easting = 1000.0 + double(i % 977);
        p.elevation = i % 3 ? 100.0 : NoValue;
        file.WritePoint(p);
    }
    file.Close();
}

} // namespace

static void BM_WriteJobFile(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = TempJobPath();
    for (auto _ : state)
        WriteJob(path, n);
    unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_WriteJobFile)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_ReadJobFile(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = TempJobPath();
    WriteJob(path, n);
    for (auto _ : state) {
        CMorvelFile file;
        std::vector<JobFilePoint> points;
        if (!file.Open(path.c_str(), true) || !file.ReadAllPoints(points) || int64_t(points.size()) != n)
            state.SkipWithError("job file did not read back");
        benchmark::DoNotOptimize(points);
    }
    unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ReadJobFile)->Arg(100000)->Unit(benchmark::kMillisecond);
