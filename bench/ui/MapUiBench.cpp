#include "BenchUtil.h"

#include "core/MathConversions.h"
#include "model/MorvelSettings.h"
#include "model/TestJobDoc.h"
#include "views/ui/MapLayer.h"
#include "views/ui/PreviewMapCtrl.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

// The toolkit is started once for the program and left to the process's end.
bool StartToolkit()
{
    static bool started = [] {
        static char name[] = "morvel_ui_bench";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        wxApp::SetInstance(new wxApp);
        return wxEntryStart(argc, argv);
    }();
    return started;
}

// A job of n points on a grid 1 m apart in an 1200 by 800 map pane, names and descriptions shown.
struct PaneJob
{
    morvel::test::TestJobDoc doc;
    wxFrame* frame = nullptr;
    CPreviewMapCtrl* map = nullptr;

    explicit PaneJob(int64_t n)
    {
        CMorvelSettings& s = GetMorvelSettings();
        s.SetShowPointIdLabels(true);
        s.SetShowPointDesc(true);
        s.SetDefaultObjectColor(5);
        s.SetSelectionColor(1);
        s.SetGraphicsBackgroundColor(253);
        doc.settings.SetDistanceUnit(JobUnitMetres);
        const int64_t side = int64_t(std::ceil(std::sqrt(double(n))));
        for (int64_t i = 0; i < n; ++i)
            doc.AddPoint(std::to_string(i + 1).c_str(), double(i % side), double(i / side));
        frame = new wxFrame(nullptr, wxID_ANY, "bench");
        frame->SetClientSize(1200, 800);
        map = new CPreviewMapCtrl(frame, wxID_ANY);
        map->SetDocument(&doc);
        map->Preview().SetViewKind(0);
        map->SetSize(0, 0, 1200, 800);
        map->Preview().ZoomExtents(true);
    }
    ~PaneJob()
    {
        frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }
};

// The whole redraw of the map pane into its layer bitmap, as after every zoom.
void BM_MapLayerRedraw(benchmark::State& state)
{
    if (!StartToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    PaneJob job(morvel::bench::BenchSize(state.range(0)));
    for (auto _ : state)
        job.map->Core().Refresh();
}
BENCHMARK(BM_MapLayerRedraw)->Arg(250000)->Unit(benchmark::kMillisecond);

// The same with a tenth of the points in view.
void BM_MapLayerRedrawTenthVisible(benchmark::State& state)
{
    if (!StartToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    PaneJob job(morvel::bench::BenchSize(state.range(0)));
    const double side = std::ceil(std::sqrt(double(morvel::bench::BenchSize(state.range(0)))));
    job.map->Preview().SetWorldWindow(0, side * 0.3162, side * 0.3162, 0);
    for (auto _ : state)
        job.map->Core().Refresh();
}
BENCHMARK(BM_MapLayerRedrawTenthVisible)->Arg(250000)->Unit(benchmark::kMillisecond);

} // namespace
