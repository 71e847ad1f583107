#include "BenchUtil.h"

#include "core/Location.h"

#include <benchmark/benchmark.h>

static void BM_ExtentOfPoints(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        CExtent2D e;
        for (int64_t i = 0; i < n; ++i)
            e.AddPoint(CLocation(double(i % 977), double(i % 491), NoValue));
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(BM_ExtentOfPoints)->Arg(100000);
