#include "BenchUtil.h"
#include "ui/UiBenchToolkit.h"

#include "core/MathConversions.h"
#include "model/MorvelSettings.h"
#include "model/TestJobDoc.h"
#include "views/ui/MapLayer.h"
#include "framework/GraphicDataExchange.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

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
    if (!morvel::bench::StartUiToolkit()) {
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
    if (!morvel::bench::StartUiToolkit()) {
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

// A field that waits for a location, so that the snap procedure snaps.
class WaitingField : public CGraphicDataTarget
{
public:
    bool IsTargetEnabled() const override { return true; }
    bool IsInteractive() const override { return true; }
    bool TakeGraphicData(uint32_t) override { return true; }
};

// A tool host that takes the program as being in front and keeps its status texts to itself.
struct BenchTools
{
    CViewToolHost host;
    std::string status;
    BenchTools()
    {
        host.isForeground = [](bool) { return true; };
        host.statusText = [this](int, const std::string& text) { status = text; };
        host.notifyActiveDocument = [](void*, int32_t, intptr_t) {};
    }
};

// Shown, with a tenth of the points in view: the realtime tools' case.
struct ShownTenth : PaneJob
{
    explicit ShownTenth(int64_t n) : PaneJob(n)
    {
        frame->Show();
        const double side = std::ceil(std::sqrt(double(n)));
        map->Preview().SetWorldWindow(0, side * 0.3162, side * 0.3162, 0);
        wxTheApp->ProcessPendingEvents();
        map->Update();
    }
};

// The snap timer's path at a mouse pause: cursor to world, the snap onto the nearest point, the
// marker and the status text.
void BM_ToolSnapPath(benchmark::State& state)
{
    if (!morvel::bench::StartUiToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    PaneJob job(morvel::bench::BenchSize(state.range(0)));
    job.frame->Show();
    BenchTools tools;
    tools.host.SetCurrentTool(new CLocationTool(job.map));
    WaitingField field;
    GetGraphicDataExchange().SetTarget(&field);
    CViewTool* tool = tools.host.GetCurrentTool();
    int i = 0;
    for (auto _ : state) {
        // Alternate between two points, so every pass snaps and moves the marker.
        tool->RunSnapProcedure(wxPoint(300 + (i & 1) * 7, 300));
        ++i;
    }
    GetGraphicDataExchange().Reset();
}
BENCHMARK(BM_ToolSnapPath)->Arg(250000)->Unit(benchmark::kMillisecond);

// Twenty steps of a realtime drag with the window painted after each (the time is for all twenty);
// the picture is drawn anew once the drag ends (that redraw is BM_MapLayerRedrawTenthVisible).
template <class Tool>
void RealtimeSteps(benchmark::State& state, int dx, int dy)
{
    if (!morvel::bench::StartUiToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    ShownTenth job(morvel::bench::BenchSize(state.range(0)));
    BenchTools tools;
    tools.host.SetCurrentTool(new Tool(job.map));
    CViewTool* tool = tools.host.GetCurrentTool();
    constexpr int Steps = 20;
    for (auto _ : state) {
        tool->OnLButtonDown(ToolKeyLButton, 600, 400);
        for (int k = 1; k <= Steps; ++k) {
            tool->OnMouseMove(ToolKeyLButton, 600 + k * dx, 400 + k * dy);
            job.map->Update();
        }
        state.PauseTiming();
        tool->OnLButtonUp(0, 600 + Steps * dx, 400 + Steps * dy);
        tool->OnLButtonDown(ToolKeyLButton, 600 + Steps * dx, 400 + Steps * dy);
        for (int k = Steps - 1; k >= 0; --k)
            tool->OnMouseMove(ToolKeyLButton, 600 + k * dx, 400 + k * dy);
        tool->OnLButtonUp(0, 600, 400);
        state.ResumeTiming();
    }
}

void BM_RealtimePanSteps(benchmark::State& state)
{
    RealtimeSteps<CRealtimePanTool>(state, 6, 4);
}
BENCHMARK(BM_RealtimePanSteps)->Arg(250000)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_RealtimeZoomSteps(benchmark::State& state)
{
    RealtimeSteps<CRealtimeZoomTool>(state, 0, -5);
}
BENCHMARK(BM_RealtimeZoomSteps)->Arg(250000)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
