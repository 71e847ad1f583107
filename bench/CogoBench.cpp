#include "BenchUtil.h"
#include "MapBenchHost.h"

#include "cogo/CogoCommands.h"
#include "cogo/ComputedPoint.h"
#include "core/MathConversions.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/TestJobDoc.h"
#include "rawdata/RawJob.h"
#include "views/PreviewMapCore.h"
#include "views/ScratchGeometry.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// n points on a grid 1 m apart around point "1", all of them the side shots' selection.
struct SideShotJob
{
    morvel::test::TestJobDoc doc;
    morvel::test::OpenDocumentScope open{&doc};
    std::vector<CRecord*> selection;

    explicit SideShotJob(int64_t n)
    {
        doc.settings.SetDistanceUnit(JobUnitMetres);
        const int64_t side = int64_t(std::ceil(std::sqrt(double(n))));
        doc.AddPoint("1", -5, -5, 100);
        for (int64_t i = 0; i < n; ++i)
            selection.push_back(doc.AddPoint(std::to_string(i + 2).c_str(), double(i % side), double(i / side), 101));
    }
};

void BM_InverseMultipleSideShots(benchmark::State& state)
{
    SideShotJob job(morvel::bench::BenchSize(10000));
    for (auto _ : state) {
        CInverseCommand cmd;
        cmd.mode = CInverseCommand::MultipleSideShots;
        cmd.point1 = "1";
        CCogoScratchRecorder scratch;
        CCogoMessage message;
        benchmark::DoNotOptimize(cmd.Solve(job.doc, scratch, job.selection, &message));
    }
}
BENCHMARK(BM_InverseMultipleSideShots)->Unit(benchmark::kMillisecond);

// The map redraw once the side shots have left their scratch lines on it.
void BM_MapRedrawWithSideShotLines(benchmark::State& state)
{
    SideShotJob job(morvel::bench::BenchSize(10000));
    morvel::bench::BenchMapHost host;
    CPreviewMapCore map{&host};
    GetMorvelSettings().SetShowScratchLines(true);
    map.SetDocument(&job.doc);
    map.SetViewKind(0);
    map.OnLayout(DeviceRect{0, 0, 1200, 800});
    map.ZoomExtents(true);
    SetActivePreviewMapHook([&map] { return &map; });
    {
        CInverseCommand cmd;
        cmd.mode = CInverseCommand::MultipleSideShots;
        cmd.point1 = "1";
        CMapScratchSink scratch;
        CCogoMessage message;
        cmd.Solve(job.doc, scratch, job.selection, &message);
    }
    for (auto _ : state)
        map.Refresh();
    SetActivePreviewMapHook(nullptr);
}
BENCHMARK(BM_MapRedrawWithSideShotLines)->Unit(benchmark::kMillisecond);

void BM_StoreComputedPointInLargeJob(benchmark::State& state)
{
    morvel::test::RawJob job;
    job.AppendAll(morvel::test::MetricHead());
    const int64_t n = morvel::bench::BenchSize(250000);
    job.ReserveForPoints(size_t(n));
    for (int64_t i = 0; i < n; ++i)
        job.AddPoint(std::to_string(i + 1).c_str(), double(i % 500), double(i / 500));
    int64_t next = n + 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            StoreComputedPoint(job, std::to_string(next++), CLocation(1.5, 2.5, NoValue), "I-sect Pt C"));
}
BENCHMARK(BM_StoreComputedPointInLargeJob)->Unit(benchmark::kMicrosecond);

} // namespace
