#include "BenchUtil.h"

#include "core/NoValue.h"
#include "model/DataFileSelOperator.h"
#include "model/MorvelFileDoc.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "model/SelectionScope.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// A job of n points on the diagonal: point i at (i, i).
std::unique_ptr<CMorvelFileDoc> MakeJob(int64_t n)
{
    auto job = std::make_unique<CMorvelFileDoc>();
    for (int64_t i = 1; i <= n; ++i) {
        auto* p = new CPointRecord(std::to_string(i).c_str(), "", CLocation(double(i), double(i), NoValue), true);
        if (!job->AddRecord(p))
            delete p;
    }
    return job;
}

// Entries and record flags gone, as in a job where nothing was ever selected.
void Forget(CMorvelFileDoc& job)
{
    job.GetSelOperator()->RemoveAllObjects();
    job.GetSelection()->ClearAll();
}

constexpr int64_t JobSize = 250000;

// Selecting everything again after a clear: the entries are there and only their bits change.
void BM_SelectAll(benchmark::State& state)
{
    auto job = MakeJob(morvel::bench::BenchSize(JobSize));
    CDataFileSelOperator& op = *job->GetSelOperator();
    op.SelectAll();
    for (auto _ : state) {
        state.PauseTiming();
        op.ClearSelection();
        state.ResumeTiming();
        op.SelectAll();
    }
    benchmark::DoNotOptimize(op.GetCountUnfiltered());
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);

// The first selection of a freshly loaded job, which makes an entry for every point.
void BM_SelectAllFirstTime(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto job = MakeJob(morvel::bench::BenchSize(JobSize));
        state.ResumeTiming();
        job->GetSelOperator()->SelectAll();
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectAllFirstTime)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_InvertSelection(benchmark::State& state)
{
    auto job = MakeJob(morvel::bench::BenchSize(JobSize));
    CDataFileSelOperator& op = *job->GetSelOperator();
    // Half the points have entries, so the walk both finds and makes them.
    CRecordDatabase* store = job->GetRecordDatabase();
    CRecordCursor cursor = store->GetFirstRecord(0);
    bool every = false;
    while (CRecord* record = store->GetNextRecord(cursor))
        if ((every = !every))
            op.Select(record);
    for (auto _ : state)
        op.InvertSelection();
}
BENCHMARK(BM_InvertSelection)->Unit(benchmark::kMillisecond);

void BM_ClearSelection(benchmark::State& state)
{
    auto job = MakeJob(morvel::bench::BenchSize(JobSize));
    CDataFileSelOperator& op = *job->GetSelOperator();
    for (auto _ : state) {
        state.PauseTiming();
        op.SelectAll();
        state.ResumeTiming();
        op.ClearSelection();
    }
}
BENCHMARK(BM_ClearSelection)->Unit(benchmark::kMillisecond);

void BM_CountSelected(benchmark::State& state)
{
    auto job = MakeJob(morvel::bench::BenchSize(JobSize));
    CDataFileSelOperator& op = *job->GetSelOperator();
    op.SelectAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(op.CountSelected(CSelectionOperator::CurrentBit));
}
BENCHMARK(BM_CountSelected)->Unit(benchmark::kMillisecond);

// 100,000 of the 250,000 points lie in the rectangle; each run starts with no entries.
void BM_SelectInRectangle(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(JobSize);
    auto job = MakeJob(n);
    CDataFileSelOperator& op = *job->GetSelOperator();
    const double edge = double(n) * 0.4;
    for (auto _ : state) {
        state.PauseTiming();
        Forget(*job);
        state.ResumeTiming();
        op.SelectInRectangle(1, edge, edge, 1, CSelectionFilterPtr(), false, false);
    }
    state.counters["selected"] = double(op.GetCountUnfiltered());
}
BENCHMARK(BM_SelectInRectangle)->Unit(benchmark::kMillisecond);

void BM_BuildSelectionText(benchmark::State& state)
{
    auto job = MakeJob(morvel::bench::BenchSize(JobSize));
    CDataFileSelOperator& op = *job->GetSelOperator();
    op.SelectAll();
    for (auto _ : state) {
        std::string text;
        op.BuildSelectionText(CSelectionOperator::CurrentBit, text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_BuildSelectionText)->Unit(benchmark::kMillisecond);

// Save 100,000 selected points, start empty, add one and end with the union, as the map's
// rectangle search does.
void BM_ScopeRoundTrip(benchmark::State& state)
{
    auto job = MakeJob(morvel::bench::BenchSize(100000));
    CDataFileSelOperator& op = *job->GetSelOperator();
    op.SelectAll();
    CRecord* first = job->GetRecordDatabase()->GetAt(job->GetRecordDatabase()->GetFirstRecord(0));
    for (auto _ : state) {
        CSelectionScope scope(&op);
        scope.Begin(true);
        op.Select(first);
        scope.End(CSelectionScope::Union, nullptr);
    }
}
BENCHMARK(BM_ScopeRoundTrip)->Unit(benchmark::kMillisecond);

// One toggle and the count afterwards: the count follows the toggle instead of walking the
// entries again, so this stays far below a count of the whole selection.
void BM_CountAfterToggle(benchmark::State& state)
{
    auto job = MakeJob(morvel::bench::BenchSize(JobSize));
    CDataFileSelOperator& op = *job->GetSelOperator();
    op.SelectAll();
    op.GetCountUnfiltered();
    CRecord* first = job->GetRecordDatabase()->GetAt(job->GetRecordDatabase()->GetFirstRecord(0));
    for (auto _ : state) {
        op.ToggleObject(first);
        benchmark::DoNotOptimize(op.GetCountUnfiltered());
    }
}
BENCHMARK(BM_CountAfterToggle)->Unit(benchmark::kMicrosecond);

} // namespace
