#include "BenchUtil.h"
#include "ui/UiBenchToolkit.h"
#include "ReportBenchData.h"

#include "core/Report.h"
#include "framework/ui/EasyRichEdit.h"
#include "framework/ui/MessageBar.h"
#include "shell/ReportRtfWriter.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <string>

namespace {

// The message bar filled once with a coordinate report of 100,000 rows (five columns).
void BM_MessageBarFill(benchmark::State& state)
{
    if (!morvel::bench::StartUiToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    const int64_t rows = morvel::bench::BenchSize(state.range(0));
    CReport report;
    morvel::bench::FillCoordinateReport(report, rows, "");
    morvel::bench::ReportBenchEnvironment env("Sans", "Monospace");
    const std::string rtf = WriteReportRtf(report, false, "", env);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(1000, 400));
    auto* bar = new CMessageBar(frame);
    frame->Show();
    for (auto _ : state) {
        bar->SetText(rtf, true);
        benchmark::DoNotOptimize(bar->GetTextWindow()->GetLastPosition());
    }
    state.counters["rows"] = double(rows);
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
    frame->Destroy();
}
BENCHMARK(BM_MessageBarFill)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
