#include "BenchUtil.h"

#include "model/HintCodes.h"
#include "model/TestJobDoc.h"
#include "views/GridScrolling.h"
#include "views/JobViewRefresh.h"
#include "views/PointRows.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

using morvel::test::OpenDocumentScope;
using morvel::test::TestJobDoc;

// One job of points with scattered coordinates, kept for every benchmark of this file.
struct GridJob
{
    GridJob()
    {
        const int64_t n = morvel::bench::BenchSize(250000);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> coordinate(0.0, 100000.0);
        for (int64_t i = n; i >= 1; --i)
            doc.AddPoint(std::to_string(i).c_str(), coordinate(random), coordinate(random), coordinate(random));
        rows.Attach(&doc);
    }
    ~GridJob() { CPointRows::SetSortColumn(-1); }
    TestJobDoc doc;
    OpenDocumentScope open{&doc};
    CPointRows rows;
};

GridJob& Job()
{
    static GridJob job;
    return job;
}

void BM_GridRebuildSortOrder(benchmark::State& state)
{
    GridJob& job = Job();
    for (auto _ : state) {
        CPointRows::SetSortColumn(int(state.range(0)));
        job.rows.RebuildSortOrder();
        benchmark::DoNotOptimize(job.rows.GetCount());
    }
    state.SetLabel(state.range(0) == 0 ? "by name" : "by northing");
    state.counters["rows"] = double(job.rows.GetCount());
}
BENCHMARK(BM_GridRebuildSortOrder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Re-sorting rows already filed in name order by northing, as a changed coordinate order asks.
void BM_GridResortPoints(benchmark::State& state)
{
    GridJob& job = Job();
    for (auto _ : state) {
        state.PauseTiming();
        CPointRows::SetSortColumn(0);
        job.rows.RebuildSortOrder();
        CPointRows::SetSortColumn(1);
        state.ResumeTiming();
        job.rows.ResortPoints();
        benchmark::DoNotOptimize(job.rows.GetCount());
    }
    state.counters["rows"] = double(job.rows.GetCount());
}
BENCHMARK(BM_GridResortPoints)->Unit(benchmark::kMillisecond);

// What painting one page asks for at a jump to a random place in the grid.
void BM_GridPageOfCellTextsAtRandom(benchmark::State& state)
{
    GridJob& job = Job();
    std::mt19937 random(11);
    const int32_t count = job.rows.GetCount();
    std::uniform_int_distribution<int32_t> top(0, std::max(0, count - 40));
    for (auto _ : state) {
        const int32_t first = top(random);
        for (int32_t row = first; row < first + 40; ++row)
            for (int column = 0; column < GridColumnCount; ++column)
                benchmark::DoNotOptimize(job.rows.GetCellText(row, column));
    }
}
BENCHMARK(BM_GridPageOfCellTextsAtRandom)->Unit(benchmark::kMicrosecond);

// Page Down from the top to the end, painting each page.
void BM_GridPageDownThroughAllRows(benchmark::State& state)
{
    GridJob& job = Job();
    const int32_t count = job.rows.GetCount();
    const int32_t page = 40;
    for (auto _ : state) {
        int32_t top = 0;
        int64_t pages = 0;
        for (;;) {
            for (int32_t row = top; row < std::min(count, top + page); ++row)
                for (int column = 0; column < GridColumnCount; ++column)
                    benchmark::DoNotOptimize(job.rows.GetCellText(row, column));
            ++pages;
            const int32_t target = GridKeyTarget(GridKey::PageDown, top, page, count);
            if (target < 0)
                break;
            top = TopAfterEnsureVisible(top, page, count, target);
        }
        state.counters["pages"] = double(pages);
    }
}
BENCHMARK(BM_GridPageDownThroughAllRows)->Unit(benchmark::kMillisecond);

class CountingList : public IRefreshList
{
public:
    int32_t GetItemCount() const override { return count; }
    void SetItemCount(int32_t n) override
    {
        ++changes;
        count = n;
    }
    void DeleteAllItems() override { count = 0; }
    int32_t GetTopIndex() const override { return 0; }
    int32_t GetCountPerPage() const override { return 40; }
    void RedrawItems(int32_t, int32_t) override {}
    int32_t count = 0;
    int64_t changes = 0;
};

class CountHost : public IJobViewRefreshHost
{
public:
    bool HasDocument() const override { return true; }
    bool IsPointsTabCurrent() const override { return true; }
    int32_t GetSortedCount() const override { return rows; }
    CRecord* GetRecordAtRow(int32_t) const override { return nullptr; }
    bool IsRowSelectionStale(int32_t) const override { return false; }
    void RebuildSortOrder() override {}
    int32_t rows = 0;
};

// An import's batch of added points between 0x80A6 and 0x80A7.
void BM_GridHintBatch(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    CountHost host;
    CountingList list;
    CJobViewRefresh refresh(host, list, nullptr, nullptr);
    for (auto _ : state) {
        list.count = 0;
        list.changes = 0;
        refresh.OnBeginHintBatch();
        for (int64_t i = 0; i < n; ++i) {
            host.rows = int32_t(i + 1);
            refresh.OnUpdate(HintPointAdded, 0);
        }
        refresh.OnEndHintBatch();
        if (list.changes != 1)
            state.SkipWithError("the item count changed more than once");
    }
}
BENCHMARK(BM_GridHintBatch)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
