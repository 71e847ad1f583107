#include "BenchUtil.h"

#include "core/Report.h"
#include "rawdata/RawDataReportRows.h"
#include "rawdata/RawDataSearch.h"
#include "rawdata/RawJob.h"

#include <benchmark/benchmark.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

// A large day of field work: stations, side shots, notes and keyed points.
void LoadJob(morvel::test::RawJob& job, int64_t n)
{
    const char* head[] = {"CO,Morvel RAW data format V2.00", "CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees",
                          "CO,ZERO AZIMUTH: North", "MP,1,5000.0,4000.0,100.0,STN", "MP,2,5100.0,4000.0,,BS"};
    for (const char* line : head)
        job.Append(line);
    for (int64_t i = 0; job.raw.GetLineCount() < n; ++i) {
        const int64_t k = i % 20;
        const std::string name = std::to_string(1000 + i);
        if (k < 15)
            job.Append("SS," + name + ",1.500,123.456,45.3015,92.1530,10:00:00,CURB");
        else if (k < 17)
            job.Append("CO,Temp:20C Press:760mmHg Prism:0 04-Feb-2010 13:47:08");
        else if (k < 19)
            job.Append("MP," + name + ",5000.123,4000.456,100.5,FENCE");
        else
            job.Append("ST,1,2,1.550,0.0000,0.0000");
    }
}

// A text search that matches nothing tests every line once (target: under 250 ms at 250,000).
void BM_RawFindFullWrapMiss(benchmark::State& state)
{
    morvel::test::RawJob job;
    LoadJob(job, morvel::bench::BenchSize(state.range(0)));
    CRawSearch search;
    search.kind = RawSearchText;
    search.text = "NOWHERE";
    for (auto _ : state)
        benchmark::DoNotOptimize(FindRawLine(job.raw, search, job.raw.GetLineCount() / 2, true));
    state.SetItemsProcessed(state.iterations() * job.raw.GetLineCount());
}
BENCHMARK(BM_RawFindFullWrapMiss)->Arg(250000)->Unit(benchmark::kMillisecond);

// The same for a point name in a role, which reads each candidate through its typed view.
void BM_RawFindPointMiss(benchmark::State& state)
{
    morvel::test::RawJob job;
    LoadJob(job, morvel::bench::BenchSize(state.range(0)));
    CRawSearch search;
    search.kind = RawSearchPoints;
    search.role = RawRoleForesight;
    search.pointName = "NOWHERE";
    for (auto _ : state)
        benchmark::DoNotOptimize(FindRawLine(job.raw, search, -1, false));
    state.SetItemsProcessed(state.iterations() * job.raw.GetLineCount());
}
BENCHMARK(BM_RawFindPointMiss)->Arg(250000)->Unit(benchmark::kMillisecond);

// The raw data report with every line and its number (target: under 500 ms at 250,000).
void BM_RawReportRows(benchmark::State& state)
{
    morvel::test::RawJob job;
    LoadJob(job, morvel::bench::BenchSize(state.range(0)));
    CReport report;
    for (auto _ : state) {
        BuildRawDataReport(report, &job.raw, {true, false, true});
        benchmark::DoNotOptimize(report.GetRowCount());
    }
    state.SetItemsProcessed(state.iterations() * job.raw.GetLineCount());
}
BENCHMARK(BM_RawReportRows)->Arg(250000)->Unit(benchmark::kMillisecond);

// Marking 100,000 of 250,000 lines deleted through the job: one recompute of the setups
// (target: under 1 s).
void BM_RawMarkDeleted(benchmark::State& state)
{
    morvel::test::RawJob job;
    LoadJob(job, morvel::bench::BenchSize(state.range(0)));
    std::vector<int32_t> lines(size_t(morvel::bench::BenchSize(100000)));
    std::iota(lines.begin(), lines.end(), 0);
    bool deleted = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(job.MarkRawDataLineDeleted(lines, deleted));
        deleted = !deleted;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(lines.size()));
}
BENCHMARK(BM_RawMarkDeleted)->Arg(250000)->Unit(benchmark::kMillisecond);

} // namespace
