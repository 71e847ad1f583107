#include "BenchUtil.h"
#include "MapBenchHost.h"

#include "core/MathConversions.h"
#include "framework/GraphicDataExchange.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/TestJobDoc.h"
#include "views/MapCtrlMemoryView.h"
#include "views/MapSurface.h"
#include "views/PreviewMapCore.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

// A job of n points on a square grid 1 m apart, shown on a 1200 by 800 map.
struct MapJob
{
    morvel::test::TestJobDoc doc;
    morvel::bench::BenchMapHost host;
    CPreviewMapCore map{&host};
    int64_t side;

    explicit MapJob(int64_t n) : side(int64_t(std::ceil(std::sqrt(double(n)))))
    {
        CMorvelSettings& s = GetMorvelSettings();
        s.SetShowPointIdLabels(true);
        s.SetShowPointDesc(true);
        s.SetPickBoxSize(10);
        doc.settings.SetDistanceUnit(JobUnitMetres);
        for (int64_t i = 0; i < n; ++i)
            doc.AddPoint(std::to_string(i + 1).c_str(), double(i % side), double(i / side));
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 1200, 800});
        map.ZoomExtents(true);
    }
};


void BM_MapDrawAllPoints(benchmark::State& state)
{
    MapJob job(morvel::bench::BenchSize(250000));
    for (auto _ : state)
        job.map.Refresh();
    benchmark::DoNotOptimize(job.host.last->surface.lines);
}
BENCHMARK(BM_MapDrawAllPoints)->Unit(benchmark::kMillisecond);

void BM_MapDrawTenthVisible(benchmark::State& state)
{
    MapJob job(morvel::bench::BenchSize(250000));
    const double s = double(job.side);
    // A window of about a tenth of the job's area: only those points are converted and drawn.
    job.map.SetWindowAndRefresh(0, s * 0.3162, s * 0.3162, 0);
    for (auto _ : state)
        job.map.Refresh();
    benchmark::DoNotOptimize(job.host.last->surface.lines);
}
BENCHMARK(BM_MapDrawTenthVisible)->Unit(benchmark::kMillisecond);

void BM_MapPick(benchmark::State& state)
{
    MapJob job(morvel::bench::BenchSize(250000));
    CPickQuery q;
    q.location = CLocation(job.side / 2.0 + 0.3, job.side / 2.0 + 0.2, NoValue);
    q.tolerance = job.map.ComputePickTolerance();
    for (auto _ : state) {
        job.map.OnPick808B(true, q);
        benchmark::DoNotOptimize(q.hits.data());
    }
}
BENCHMARK(BM_MapPick)->Unit(benchmark::kMillisecond);

// The first pick after a point moved: the map files the job's points by easting again.
void BM_MapPickAfterAnEdit(benchmark::State& state)
{
    MapJob job(morvel::bench::BenchSize(250000));
    CPointRecord* moved = job.doc.AddPoint("MOVED", 0, 0);
    CPickQuery q;
    q.location = CLocation(job.side / 2.0 + 0.3, job.side / 2.0 + 0.2, NoValue);
    q.tolerance = job.map.ComputePickTolerance();
    double x = 0;
    for (auto _ : state) {
        moved->SetLocation(CLocation(x += 0.5, 0, NoValue), true);
        job.map.OnPick808B(true, q);
        benchmark::DoNotOptimize(q.hits.data());
    }
}
BENCHMARK(BM_MapPickAfterAnEdit)->Unit(benchmark::kMillisecond);

void BM_MapSnap(benchmark::State& state)
{
    MapJob job(morvel::bench::BenchSize(250000));
    GetMorvelSettings().GetSnapOrder() = {0, 1};
    GetMorvelSettings().GetSnapOnOff() = {1, 1};
    GetMorvelSettings().SetGrid(0, 0, 5, 5);
    job.host.exchange.SetLocation(CLocation(job.side / 2.0 + 0.3, job.side / 2.0 + 0.2, NoValue));
    const CLocation tol = job.map.ComputePickTolerance();
    job.host.exchange.SetPickTolerances(tol.x, tol.y);
    for (auto _ : state) {
        CPickQuery q;
        benchmark::DoNotOptimize(job.map.OnSnapFromCursor8092(q));
    }
}
BENCHMARK(BM_MapSnap)->Unit(benchmark::kMillisecond);

void BM_MapZoomExtents(benchmark::State& state)
{
    MapJob job(morvel::bench::BenchSize(250000));
    for (auto _ : state)
        job.map.ZoomExtents(false);
}
BENCHMARK(BM_MapZoomExtents)->Unit(benchmark::kMillisecond);

void BM_MapZoomToPointInDenseCluster(benchmark::State& state)
{
    MapJob job(morvel::bench::BenchSize(250000));
    CPointRecord* target = job.doc.GetPointDatabase()->FindPoint(std::to_string(job.side * job.side / 2), true);
    for (auto _ : state) {
        state.PauseTiming();
        job.map.ZoomExtents(false);
        state.ResumeTiming();
        job.map.ZoomToPointRecord(target);
    }
}
BENCHMARK(BM_MapZoomToPointInDenseCluster)->Unit(benchmark::kMillisecond);

} // namespace
