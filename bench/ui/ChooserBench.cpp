#include "BenchUtil.h"
#include "ui/UiBenchToolkit.h"

#include "cogo/ui/CoordinateFields.h"
#include "core/NoValue.h"
#include "model/MorvelFileDoc.h"
#include "model/OpenDocuments.h"
#include "model/PointRecord.h"
#include "views/ui/ObjectSelectWnd.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// "Choose from list..." on a point field over a quarter of a million points: the sorted points
// are gathered and the chooser is filled and placed, ready to show.
void BM_ChooseFromListOpens(benchmark::State& state)
{
    if (!morvel::bench::StartUiToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    CMorvelFileDoc job;
    const int64_t n = morvel::bench::BenchSize(250000);
    for (int64_t i = 1; i <= n; ++i) {
        auto* p = new CPointRecord(std::to_string(i).c_str(), "", CLocation(double(i), double(i), NoValue), true);
        if (!job.AddRecord(p))
            delete p;
    }
    AddOpenDocument(&job);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
    for (auto _ : state) {
        auto chooser = std::make_unique<CObjectSelectWnd>();
        RecordRef chosen;
        const std::vector<RecordRef> points = CInteractivePointControl::CollectSortedPoints();
        benchmark::DoNotOptimize(chooser->Prepare(&chosen, points, 0, 0, nullptr, frame, "Select", "Cancel"));
        state.PauseTiming();
        chooser.reset();
        state.ResumeTiming();
    }
    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
    RemoveOpenDocument(&job);
}
BENCHMARK(BM_ChooseFromListOpens)->Unit(benchmark::kMillisecond);

} // namespace
