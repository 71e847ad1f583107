#include "BenchUtil.h"
#include "MapBenchHost.h"

#include "core/MathConversions.h"
#include "framework/GraphicDataExchange.h"
#include "model/MorvelSettings.h"
#include "model/TestJobDoc.h"
#include "views/HoverIdentify.h"
#include "views/MapCtrlMemoryView.h"
#include "views/MapSurface.h"
#include "views/ObjectIdPages.h"
#include "views/PreviewMapCore.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

// An open job of n points 1 m apart and n raw observation lines drawn as previews (short shots in
// a block east of the points, so every hover searches them all and finds none), on a 1200 by 800
// map.
struct HoverJob
{
    morvel::test::TestJobDoc doc;
    morvel::test::OpenDocumentScope open{&doc};
    morvel::bench::BenchMapHost host;
    CPreviewMapCore map{&host};
    int64_t side;

    explicit HoverJob(int64_t n) : side(int64_t(std::ceil(std::sqrt(double(n)))))
    {
        GetMorvelSettings().SetPickBoxSize(10);
        doc.settings.SetDistanceUnit(JobUnitMetres);
        for (int64_t i = 0; i < n; ++i) {
            const double x = double(i % side), y = double(i / side);
            doc.AddPoint(std::to_string(i + 1).c_str(), x, y, 100.0);
            const double east = double(side + 10);
            map.AddPreviewLine(CLocation(east + x, y, NoValue), CLocation(east + x + 0.6, y + 0.45, NoValue), 3, 1,
                               int32_t(i));
        }
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 1200, 800});
    }

    // The hover: the preview search, the pick, a description per object and the pages.
    int32_t Hover(double x, double y, CObjectIdPages& pages)
    {
        const CLocation tol = map.ComputePickTolerance();
        CHoverResult result = IdentifyAtLocation(map, x, y, std::fabs(tol.x), std::fabs(tol.y));
        if (result.kind != CHoverResult::Kind::Objects)
            return 0;
        return pages.BuildPages(result.objects, x, y, &map);
    }
};

// Zoomed so that a few points share the pick box, as a person hovering over a cluster sees.
void BM_HoverFewObjects(benchmark::State& state)
{
    HoverJob job(morvel::bench::BenchSize(250000));
    const double c = double(job.side / 2);
    job.map.SetWindowAndRefresh(c - 90, c + 90, c + 60, c - 60);
    CObjectIdPages pages;
    int32_t count = 0;
    for (auto _ : state)
        count = job.Hover(c + 0.5, c + 0.3, pages);
    state.counters["pages"] = count;
}
BENCHMARK(BM_HoverFewObjects)->Unit(benchmark::kMillisecond);

// The whole job in view: the pick box holds dozens of points, each described.
void BM_HoverManyObjects(benchmark::State& state)
{
    HoverJob job(morvel::bench::BenchSize(250000));
    job.map.ZoomExtents(false);
    const double c = double(job.side / 2);
    CObjectIdPages pages;
    int32_t count = 0;
    for (auto _ : state)
        count = job.Hover(c + 0.5, c + 0.02, pages);
    state.counters["pages"] = count;
}
BENCHMARK(BM_HoverManyObjects)->Unit(benchmark::kMillisecond);

}

namespace {

// The hover's first step alone: the search of the raw observation lines drawn on the map.
void BM_HoverPreviewSearch(benchmark::State& state)
{
    HoverJob job(morvel::bench::BenchSize(250000));
    const double c = double(job.side / 2);
    job.map.SetWindowAndRefresh(c - 90, c + 90, c + 60, c - 60);
    const CLocation tol = job.map.ComputePickTolerance();
    for (auto _ : state) {
        CPickQuery q;
        q.location = CLocation(c + 0.5, c + 0.3, NoValue);
        q.tolerance = tol;
        benchmark::DoNotOptimize(job.map.OnFindPreview808A(&q));
    }
}
BENCHMARK(BM_HoverPreviewSearch)->Unit(benchmark::kMillisecond);

}
