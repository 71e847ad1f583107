#include "BenchUtil.h"

#include "rawdata/RawJob.h"
#include "views/PreviewMapCore.h"
#include "views/RawDataListModel.h"
#include "framework/RowRanges.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using morvel::test::RawJob;

// A field day of raw data: a head, then stations each with a run of side shots and a note now and
// then, a quarter of a million lines in all.
struct RawListJob
{
    RawListJob()
    {
        const int64_t n = morvel::bench::BenchSize(250000);
        job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                       "CO,HA Raw Data: Azimuth"});
        int64_t point = 1000;
        int64_t station = 0;
        while (job.raw.GetLineCount() < n) {
            const int64_t line = job.raw.GetLineCount();
            if (line % 200 == 4) {
                ++station;
                job.Append("MP,S" + std::to_string(station) + "," + std::to_string(1000 + station * 50) +
                           ".0,2000.0,100.0,STN");
                job.Append("ST,S" + std::to_string(station) + ",,1.5,0.0000,0.0000");
            } else if (line % 37 == 0) {
                job.Append("CO,Fence corner, shot from the road side");
            } else {
                const double azimuth = double((line * 7) % 360);
                job.Append("SS," + std::to_string(++point) + ",1.800," + std::to_string(20 + line % 80) + ".125," +
                           std::to_string(int(azimuth)) + ".1520,91.3000,10:" + std::to_string(10 + line % 50) +
                           ":00,TREE");
            }
        }
    }
    RawJob job;
};

RawListJob& Job()
{
    static RawListJob job;
    return job;
}

// The cells of one page (40 rows, ten columns) painted for the first time after a jump to row
// 200,000: every line of the page is formatted once.
void BM_RawListPageOfCellsAfterAJump(benchmark::State& state)
{
    RawListJob& job = Job();
    const int32_t count = job.job.raw.GetLineCount();
    const int32_t top = std::min(count - 40, int32_t(count * 4 / 5));
    std::vector<std::vector<std::string>> store;
    for (auto _ : state) {
        state.PauseTiming();
        store.clear();
        store.shrink_to_fit();
        state.ResumeTiming();
        CRawCellCache cache(&store);
        for (int32_t row = top; row < top + 40; ++row)
            for (int column = 0; column < 10; ++column)
                benchmark::DoNotOptimize(cache.GetCellText(job.job.raw, row, column));
    }
    state.counters["top"] = top;
}
BENCHMARK(BM_RawListPageOfCellsAfterAJump)->Unit(benchmark::kMicrosecond);

// The cell cache once every row has been painted.
void BM_RawListCellCacheMemoryAllRowsPainted(benchmark::State& state)
{
    RawListJob& job = Job();
    const int32_t count = job.job.raw.GetLineCount();
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<std::vector<std::string>> store;
        CRawCellCache cache(&store);
        for (int32_t row = 0; row < count; ++row)
            for (int column = 0; column < 10; ++column)
                benchmark::DoNotOptimize(cache.GetCellText(job.job.raw, row, column));
        bytes = cache.GetMemoryBytes();
    }
    const double megabytes = double(bytes) / (1024.0 * 1024.0);
    state.counters["cache_MB"] = megabytes;
    state.counters["rows"] = count;
    if (!morvel::bench::IsSmokeRun() && megabytes >= 64.0)
        state.SkipWithError("the cell cache holds 64 MB or more");
}
BENCHMARK(BM_RawListCellCacheMemoryAllRowsPainted)->Unit(benchmark::kMillisecond)->Iterations(1);

// "Draw Everything": every line's previews into the map pane's lists.
void BM_RawListDrawEverythingIntoPreviews(benchmark::State& state)
{
    RawListJob& job = Job();
    CPreviewMapCore map;
    job.job.raw.SetDrawTarget(&map);
    const int32_t count = job.job.raw.GetLineCount();
    for (auto _ : state) {
        map.ClearPreviews();
        DrawRawLines(job.job.raw, RawLinesToDraw(RawDrawEverything, {}, count));
    }
    state.counters["markers"] = double(map.GetMarkerCount());
    job.job.raw.SetDrawTarget(nullptr);
}
BENCHMARK(BM_RawListDrawEverythingIntoPreviews)->Unit(benchmark::kMillisecond);

// The 250 ms poll with every row selected: unchanged (the usual case), and just changed, when the
// rows are taken for drawing.
void BM_RawListSelectionPollAllSelected(benchmark::State& state)
{
    RawListJob& job = Job();
    const int32_t count = job.job.raw.GetLineCount();
    CRowRanges selection;
    selection.SelectAll(count);
    CRowRanges seen;
    std::vector<int32_t> rows;
    const bool changed = state.range(0) != 0;
    for (auto _ : state) {
        if (changed) {
            state.PauseTiming();
            seen.Clear();
            state.ResumeTiming();
        }
        CRowRanges current = selection;
        current.Truncate(count);
        benchmark::DoNotOptimize(PollRawSelection(current, seen, rows));
    }
    state.SetLabel(changed ? "changed" : "unchanged");
    state.counters["rows"] = double(rows.size());
}
BENCHMARK(BM_RawListSelectionPollAllSelected)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
