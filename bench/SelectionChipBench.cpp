#include "BenchUtil.h"

#include "core/NoValue.h"
#include "model/DataFileSelOperator.h"
#include "model/MorvelFileDoc.h"
#include "model/OpenDocuments.h"
#include "model/PointRecord.h"
#include "model/SelectionDescription.h"
#include "views/SelectionChipRules.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int64_t JobSize = 250000;

// The open job with every one of its n points selected; alphanumeric names only at the end,
// so the numeric-name check walks them all.
struct SelectedJob
{
    explicit SelectedJob(int64_t n)
    {
        for (int64_t i = 1; i <= n; ++i) {
            const std::string name = i == n ? "A" + std::to_string(i) : std::to_string(i);
            auto* p = new CPointRecord(name.c_str(), "", CLocation(double(i), double(i), NoValue), true);
            if (!job.AddRecord(p))
                delete p;
        }
        AddOpenDocument(&job);
        job.GetSelOperator()->SelectAll();
    }
    ~SelectedJob() { RemoveOpenDocument(&job); }
    CMorvelFileDoc job;
};

// Hint 43 with three chips on screen: each reads whether its description has a selection.
void BM_ChipRefreshThreeChips(benchmark::State& state)
{
    SelectedJob open(morvel::bench::BenchSize(JobSize));
    CSelectionDescription chips[3];
    for (auto _ : state)
        for (CSelectionDescription& d : chips)
            benchmark::DoNotOptimize(d.HasAny());
}
BENCHMARK(BM_ChipRefreshThreeChips)->Unit(benchmark::kMillisecond);

// The chip's tip over a quarter of a million selected points.
void BM_ChipTipText(benchmark::State& state)
{
    SelectedJob open(morvel::bench::BenchSize(JobSize));
    CSelectionDescription any;
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildSelectionChipTipText(any, &open.job));
}
BENCHMARK(BM_ChipTipText)->Unit(benchmark::kMillisecond);

// Saving a chip that refuses alphanumeric names: every selected point is looked at.
void BM_ChipNumericNames(benchmark::State& state)
{
    SelectedJob open(morvel::bench::BenchSize(JobSize));
    CSelectionDescription any;
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckSelectionNumericNames(any));
}
BENCHMARK(BM_ChipNumericNames)->Unit(benchmark::kMillisecond);

} // namespace
