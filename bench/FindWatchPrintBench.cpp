#include "BenchUtil.h"
#include "MapBenchHost.h"

#include "core/MathConversions.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "model/TestJobDoc.h"
#include "views/JobFileWatcher.h"
#include "views/MapPrintLayout.h"
#include "views/PointFind.h"
#include "views/PointRows.h"
#include "views/PreviewMapCore.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// A job of n points on a grid 1 m apart, each described, in a 1200 by 800 map.
struct FindJob
{
    morvel::test::TestJobDoc doc;
    morvel::test::OpenDocumentScope open{&doc};
    CPointRows rows;
    morvel::bench::BenchMapHost host;
    CPreviewMapCore map{&host};

    explicit FindJob(int64_t n)
    {
        const int64_t side = int64_t(std::ceil(std::sqrt(double(n))));
        doc.settings.SetDistanceUnit(JobUnitMetres);
        for (int64_t i = 0; i < n; ++i)
            doc.AddPoint(std::to_string(i + 1).c_str(), double(i % side), double(i / side))->SetDescription("FENCE");
        rows.Attach(&doc);
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 1200, 800});
        map.ZoomExtents(true);
    }
    ~FindJob() { rows.Detach(); }
};

FindJob& Job()
{
    static FindJob job(morvel::bench::BenchSize(250000));
    return job;
}

// A search that matches no row compares every one of them (target under 50 ms).
void BM_FindMatchingNothing(benchmark::State& state)
{
    FindJob& job = Job();
    const PointFindRequest request{job.rows.GetCount(), 0, 40, true};
    const bool byDescription = state.range(0) == 1;
    for (auto _ : state) {
        const int32_t row = FindPointRow(request, "NO SUCH POINT", [&job, byDescription](int32_t r) {
            const CPointRecord* p = job.rows.GetPointAtRow(r);
            return std::string_view(p ? (byDescription ? p->GetDescription() : p->GetName()) : "");
        });
        benchmark::DoNotOptimize(row);
    }
    state.SetLabel(byDescription ? "description" : "name");
    state.counters["rows"] = double(job.rows.GetCount());
}
BENCHMARK(BM_FindMatchingNothing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One tick of the job file watcher: two file times read and compared (target under 0.1 ms).
void BM_FileWatcherTick(benchmark::State& state)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("morvel-watch-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string job = (dir / "Site.Mvj").string();
    std::ofstream(job) << "job";
    std::ofstream((dir / "Site.Mvr").string()) << "raw";
    CJobFileWatcher watcher;
    watcher.Record(job);
    for (auto _ : state)
        benchmark::DoNotOptimize(watcher.Poll(job));
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_FileWatcherTick)->Unit(benchmark::kMicrosecond);

// The whole job onto a 600 dpi letter page, nothing drawn.
void BM_PrintMapIntoCountingSurface(benchmark::State& state)
{
    FindJob& job = Job();
    const DeviceRect page = map_print::PrintableRect(5100, 6600, 600, 600, {1400, 1440, 1440, 1440});
    const CLocation tl = job.map.GetVisibleTopLeft(), br = job.map.GetVisibleBottomRight();
    const CWorldDeviceMap mapping =
        map_print::PrintMapping(page, map_print::PrintWorldWindow(tl.x, br.x, br.y, tl.y));
    morvel::bench::CountingSurface surface;
    for (auto _ : state)
        job.map.PrintMap(surface, page, mapping, DevicePoint{5100, 6600});
    benchmark::DoNotOptimize(surface.lines);
}
BENCHMARK(BM_PrintMapIntoCountingSurface)->Unit(benchmark::kMillisecond);

} // namespace
