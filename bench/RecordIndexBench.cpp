#include "BenchUtil.h"

#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/RecordOwner.h"
#include "model/SpRecordRBTree.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// The parts of a job that adding, finding, showing and deleting points go through.
class BenchJob : public CRecordOwner
{
public:
    BenchJob() { sorted.SetDocument(this); }
    ~BenchJob() override
    {
        sorted.Clear();
        store.reset();
    }
    bool IsValidPointName(const char* name) override { return ::IsValidPointName(name); }
    void SetModifiedWithText(const char*, bool, bool) override {}
    CRecordSelection* GetSelection() override { return nullptr; }
    CRecordDatabase* GetRecordDatabase() override { return store.get(); }
    CPointDatabase* GetPointDatabase() override { return &points; }
    bool AddRecord(CRecord* record) override
    {
        if (!points.Add(static_cast<CPointRecord*>(record)))
            return false;
        sorted.Insert(record);
        return true;
    }
    void SetLastPointName(const std::string& name) override { last = name; }
    void Delete(CPointRecord* p)
    {
        points.Remove(points.FindNode(p->GetName(), true));
        sorted.Remove(sorted.FindLeaf(p));
        delete p;
    }
    void Fill(int64_t n)
    {
        for (int64_t i = 1; i <= n; ++i) {
            std::string name = "P";
            name += std::to_string(i);
            auto* p = new CPointRecord(name.c_str(), "", CLocation(double(i), 0, 0), true);
            if (!AddRecord(p))
                delete p;
        }
    }

    std::string last;
    CPointDatabase points{this};
    std::unique_ptr<CRecordDatabase> store = std::make_unique<CRecordDatabase>(this);
    CSpRecordRBTree sorted;
};

} // namespace

static void BM_AddPoints(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        auto job = std::make_unique<BenchJob>();
        job->Fill(n);
        benchmark::DoNotOptimize(job->sorted.GetCount());
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddPoints)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_ExactLookups(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    BenchJob job;
    job.Fill(n);
    std::vector<std::string> names;
    std::mt19937 rng(1);
    for (int64_t i = 0; i < n; ++i)
    {
        names.emplace_back("p");
        names.back() += std::to_string(1 + rng() % n);
    }
    for (auto _ : state)
        for (const std::string& name : names)
            benchmark::DoNotOptimize(job.points.FindPoint(name, true));
}
BENCHMARK(BM_ExactLookups)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_GridSequential(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    BenchJob job;
    job.Fill(n);
    for (auto _ : state) {
        job.sorted.InvalidateCursor();
        for (int32_t row = 0; row < int32_t(n); ++row)
            benchmark::DoNotOptimize(job.sorted.GetAt(row));
    }
}
BENCHMARK(BM_GridSequential)->Arg(100000)->Unit(benchmark::kMillisecond);

// A grid dragged by its scroll thumb: 1,000 jumps to random rows, a page of 40 rows each.
static void BM_GridJumping(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    BenchJob job;
    job.Fill(n);
    std::mt19937 rng(2);
    std::vector<int32_t> tops;
    for (int i = 0; i < 1000; ++i)
        tops.push_back(int32_t(rng() % n));
    for (auto _ : state)
        for (int32_t top : tops)
            for (int32_t row = top; row < top + 40; ++row)
                benchmark::DoNotOptimize(job.sorted.GetAt(row));
}
BENCHMARK(BM_GridJumping)->Arg(100000)->Unit(benchmark::kMillisecond);

// Deleting every other point of the job, as a delete of a selection does one point at a time.
static void BM_DeleteSelected(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<BenchJob>();
        job->Fill(n);
        int64_t i = 0;
        CRecordCursor c = job->store->GetFirstRecord(0);
        while (CRecord* r = job->store->GetNextRecord(c))
            r->SetFlags(1, (i++ % 2) == 0);
        state.ResumeTiming();

        std::vector<CPointRecord*> selected;
        c = job->store->GetFirstRecord(0);
        while (CRecord* r = job->store->GetNextRecord(c))
            if (r->TestFlags(1))
                selected.push_back(static_cast<CPointRecord*>(r));
        for (CPointRecord* p : selected)
            job->Delete(p);
        benchmark::DoNotOptimize(job->sorted.GetCount());

        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteSelected)->Arg(100000)->Unit(benchmark::kMillisecond);
