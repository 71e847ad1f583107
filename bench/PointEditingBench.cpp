#include "BenchUtil.h"

#include "cogo/AdjustmentsCommand.h"
#include "cogo/PointBulkEdits.h"
#include "cogo/PointEditing.h"
#include "core/Report.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/MorvelSettings.h"
#include "model/OpenDocuments.h"
#include "rawdata/RawJob.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using morvel::test::RawJob;

// A job of n selected keyed points (every third one 2D), each with its input-point line, and
// padding raw lines up to rawLines.
std::unique_ptr<RawJob> SelectedJob(int64_t n, int64_t rawLines = 0)
{
    auto job = std::make_unique<RawJob>();
    job->AppendAll(morvel::test::MetricHead());
    job->ReserveForPoints(size_t(n));
    for (int64_t i = 1; i <= n; ++i) {
        auto* p = new CPointRecord(std::to_string(i).c_str(), "CP",
                                   CLocation(1000.0 + double(i), 2000.0 + double(i), i % 3 ? 100.0 : NoValue), true);
        if (!job->AddRecord(p)) {
            delete p;
            continue;
        }
        job->AppendInputPointLine(*p);
        job->GetSelOperator()->Select(p);
    }
    for (int64_t i = job->raw.GetLineCount(); i < rawLines; ++i)
        job->Append(i % 2 ? "SS,900000,1.500,123.456,45.3015,92.1530,10:00:00,CURB"
                          : "CO,Temp:20C Press:760mmHg Prism:0 04-Feb-2010 13:47:08");
    job->GetSelOperator()->GetCountUnfiltered();
    return job;
}

// A translate of every selected point with its report (target: under 1 s at 100,000).
void BM_TranslateSelectionWithReport(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto job = SelectedJob(n);
        CAdjustmentsCommand command(job.get());
        state.ResumeTiming();
        benchmark::DoNotOptimize(command.Translate({1.0, 2.0, 0.5}));
    }
}
BENCHMARK(BM_TranslateSelectionWithReport)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// 2D to 3D over every selected point (target: under 1 s at 100,000).
void BM_CommonElevation2dTo3d(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto job = SelectedJob(n);
        CReport report;
        state.ResumeTiming();
        benchmark::DoNotOptimize(ApplyCommonElevation(job.get(), 55.0, false, report));
    }
}
BENCHMARK(BM_CommonElevation2dTo3d)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A common elevation typed for every selected point (target: under 1 s at 100,000).
void BM_EditSelectedCommonElevation(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto job = SelectedJob(n);
        CPointLocationInput input;
        input.elevation = 77.0;
        input.changeDescription = false;
        state.ResumeTiming();
        benchmark::DoNotOptimize(EditSelectedPoints(job.get(), input));
    }
}
BENCHMARK(BM_EditSelectedCommonElevation)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Deleting every selected point (target: under 1 s at 100,000).
void BM_DeleteSelection(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto job = SelectedJob(n);
        state.ResumeTiming();
        benchmark::DoNotOptimize(DeleteSelectedObjects(job.get(), true));
    }
}
BENCHMARK(BM_DeleteSelection)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Renaming 10,000 points in a job of 300,000 raw lines, in both raw-data modes (target: under 2 s).
void BM_RenumberSelection(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const int64_t lines = morvel::bench::BenchSize(300000);
    CMorvelSettings settings;
    settings.SetRenameRule(4);
    settings.SetRenameNumericOffset(1000000);
    SetMorvelSettings(&settings);
    for (auto _ : state) {
        state.PauseTiming();
        auto job = SelectedJob(n, lines);
        AddOpenDocument(job.get());
        CReport report;
        state.ResumeTiming();
        benchmark::DoNotOptimize(RenumberSelectedPoints(job.get(), state.range(1) != 0, report));
        state.PauseTiming();
        RemoveOpenDocument(job.get());
        state.ResumeTiming();
    }
    SetMorvelSettings(nullptr);
}
BENCHMARK(BM_RenumberSelection)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

namespace {

// The undo step alone, which every operation above records first: the share of their time that
// is the job's snapshot rather than the edit.
void BM_UndoStepOfSelectedJob(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto job = SelectedJob(n);
        state.ResumeTiming();
        benchmark::DoNotOptimize(job->GetUndoManager()->RecordCaptionedUndo("Translate"));
    }
}
BENCHMARK(BM_UndoStepOfSelectedJob)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
