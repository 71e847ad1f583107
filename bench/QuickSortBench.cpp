#include "BenchUtil.h"

#include "core/QuickSort.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

int CompareInt(const void* a, const void* b)
{
    int x = *static_cast<const int*>(a);
    int y = *static_cast<const int*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

// A list column of 250,000 rows with `distinct` values, as when a job is sorted by a code.
void SortColumn(benchmark::State& state, unsigned distinct)
{
    const auto n = static_cast<unsigned>(morvel::bench::BenchSize(state.range(0)));
    std::mt19937 rng(5);
    std::vector<int> input(n);
    for (int& x : input)
        x = static_cast<int>(distinct ? rng() % distinct : rng());
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<int> v = input;
        state.ResumeTiming();
        CQuickSort().Sort(v.data(), n, sizeof(int), CompareInt);
        benchmark::DoNotOptimize(v.data());
    }
}

void BM_QuickSortRandom(benchmark::State& state) { SortColumn(state, 0); }
void BM_QuickSortTwoValues(benchmark::State& state) { SortColumn(state, 2); }

} // namespace

BENCHMARK(BM_QuickSortRandom)->Arg(250000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuickSortTwoValues)->Arg(250000)->Unit(benchmark::kMillisecond);
