#include "BenchUtil.h"
#include "ReportBenchData.h"

#include "core/Report.h"
#include "core/ReportOutput.h"
#include "shell/ReportRtfWriter.h"
#include "shell/RtfReader.h"
#include "shell/ShellReportOutput.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using morvel::bench::FillCoordinateReport;
using morvel::bench::ReportBenchEnvironment;

void BM_GenerateRtf(benchmark::State& state)
{
    const int64_t rows = morvel::bench::BenchSize(state.range(0));
    CReport report;
    FillCoordinateReport(report, rows, "Coordinate Report");
    ReportBenchEnvironment env("Arial", "Courier New");
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string rtf = WriteReportRtf(report, true, "Job.Mvj", env);
        bytes = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.counters["rows"] = double(rows);
    state.counters["bytes"] = double(bytes);
    state.counters["ns_per_row"] =
        benchmark::Counter(double(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
}
BENCHMARK(BM_GenerateRtf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The second rendering of an unchanged report comes from its cache.
void BM_GenerateRtfCached(benchmark::State& state)
{
    ReportBenchEnvironment env("Arial", "Courier New");
    CShellReportOutput output(env);
    CReportOutput* previous = SetReportOutput(&output);
    CReport report;
    FillCoordinateReport(report, morvel::bench::BenchSize(100000), "Coordinate Report");
    report.GenerateRtf(true, "Job.Mvj");
    for (auto _ : state)
        benchmark::DoNotOptimize(report.GenerateRtf(true, "Job.Mvj"));
    SetReportOutput(previous);
}
BENCHMARK(BM_GenerateRtfCached);

void BM_ReadRtf(benchmark::State& state)
{
    const int64_t rows = morvel::bench::BenchSize(state.range(0));
    CReport report;
    FillCoordinateReport(report, rows, "Coordinate Report");
    ReportBenchEnvironment env("Arial", "Courier New");
    const std::string rtf = WriteReportRtf(report, true, "Job.Mvj", env);
    for (auto _ : state) {
        RtfDocument document;
        CRtfReader reader;
        benchmark::DoNotOptimize(reader.Read(rtf, document));
    }
    state.counters["rows"] = double(rows);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtf.size()));
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
}
BENCHMARK(BM_ReadRtf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
