#include "BenchData.h"
#include "BenchUtil.h"

#include "core/Report.h"
#include "model/MorvelSettings.h"
#include "rawdata/JobRawDataFile.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/RawJob.h"
#include "rawdata/RawTextImport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string WriteTemp(const std::string& text)
{
    char path[] = "/tmp/morvel-bench-raw-XXXXXX";
    const int fd = mkstemp(path);
    if (fd >= 0) {
        (void)!write(fd, text.data(), text.size());
        close(fd);
    }
    return path;
}

// Loading a job's raw data file and reducing it to points, without and with the analysis report
// (target: 100,000 lines reduced in under 0.5 s without the report).
void BM_RawDataLoadAndReduce(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const bool withReport = state.range(1) != 0;
    const std::string path = WriteTemp(morvel::bench::MakeRawDataText(n));
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<morvel::test::RawJob>();
        LoadRawDataFromText(*job, job->raw, path, false);
        CReport report;
        state.ResumeTiming();
        ReduceRawData(*job, job->raw, false, false, withReport ? &report : nullptr, nullptr);
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RawDataLoadAndReduce)
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

// Loading alone, for the share of the reduction above.
void BM_RawDataLoad(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = WriteTemp(morvel::bench::MakeRawDataText(n));
    for (auto _ : state) {
        morvel::test::RawJob job;
        LoadRawDataFromText(job, job.raw, path, false);
        benchmark::DoNotOptimize(job.raw.GetLineCount());
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RawDataLoad)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The older comma layout as instruments of that family send it: 50,000 lines with 1,000
// stations, each station line followed by its point (target: under 0.5 s).
void BM_RawImportOldLayout(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    std::string text;
    for (int64_t i = 0; i < n; ++i) {
        const int64_t k = i % 50;
        if (k == 0)
            text += "1,0,0," + std::to_string(i) + ",,1.5,2,0.0\r\n";
        else if (k == 1)
            text += "1,1,0," + std::to_string(i - 1) + ",STN,1000.0,2000.0,100.0\r\n";
        else
            text += "1,2,0," + std::to_string(i) + ",SHOT,50.0,45.0,90.0,1.8,x,10:00:00\r\n";
    }
    JobSettingsValues settings;
    InitJobSettingsValues(settings);
    for (auto _ : state) {
        std::string output;
        ImportRawText(settings, text, output, true);
        benchmark::DoNotOptimize(output.size());
    }
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RawImportOldLayout)->Arg(50000)->Unit(benchmark::kMillisecond);

// The current layout as an instrument sends it: every line narrowed and validated in the units
// at it.
void BM_RawImportCurrentLayout(benchmark::State& state)
{
    std::string text = morvel::bench::MakeRawDataText(morvel::bench::BenchSize(state.range(0)));
    // The instrument writes an empty value before the northing and two more station values.
    for (size_t at = text.find("\nMP,"); at != std::string::npos; at = text.find("\nMP,", at + 1)) {
        const size_t comma = text.find(',', at + 4);
        text.insert(comma, ",");
    }
    for (size_t at = text.find("\nST,1,2,"); at != std::string::npos; at = text.find("\nST,1,2,", at + 1))
        text.replace(at, 9, "\nST,1,,2,,");
    JobSettingsValues settings;
    InitJobSettingsValues(settings);
    for (auto _ : state) {
        std::string output;
        ImportRawText(settings, text, output, false);
        benchmark::DoNotOptimize(output.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RawImportCurrentLayout)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace
