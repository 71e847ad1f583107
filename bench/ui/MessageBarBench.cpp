#include "BenchUtil.h"

#include "core/Report.h"
#include "framework/ui/EasyRichEdit.h"
#include "framework/ui/MessageBar.h"
#include "shell/ReportRtfWriter.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <cstdio>
#include <string>

namespace {

// The toolkit is started once for the program (unless another benchmark already did) and left
// to the process's end.
bool StartToolkitOnce()
{
    static bool started = [] {
        if (wxTheApp != nullptr)
            return true;
        static char name[] = "morvel_ui_bench";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        wxApp::SetInstance(new wxApp);
        return wxEntryStart(argc, argv);
    }();
    return started;
}

class BenchEnvironment : public CReportRtfEnvironment
{
public:
    std::string CreateFontFace(const std::string& face, int32_t, bool, bool) override { return face; }
    int32_t GetScreenPixelsPerInchY() override { return 96; }
    std::time_t GetCurrentTime() override { return 1796558400; }
    LogFont GetReportTitleFont() override
    {
        LogFont f;
        f.faceName = "Sans";
        f.height = -16;
        return f;
    }
    LogFont GetReportTextFont() override
    {
        LogFont f;
        f.faceName = "Monospace";
        f.height = -13;
        return f;
    }
};

// The message bar filled once with a coordinate report of 100,000 rows (five columns).
void BM_MessageBarFill(benchmark::State& state)
{
    if (!StartToolkitOnce()) {
        state.SkipWithError("no display");
        return;
    }
    const int64_t rows = morvel::bench::BenchSize(state.range(0));
    CReport report;
    report.AddColumn("Point\nName", 0x12);
    report.AddColumn("Northing", 0x42);
    report.AddColumn("Easting", 0x42);
    report.AddColumn("Elevation", 0x42);
    report.AddColumn("Description", 0x11);
    char buffer[32];
    for (int64_t i = 0; i < rows; ++i) {
        const int32_t row = report.AddRow();
        std::snprintf(buffer, sizeof buffer, "P%lld", static_cast<long long>(i + 1));
        report.SetCell(0, row, buffer, false);
        std::snprintf(buffer, sizeof buffer, "%.3f", 5000.0 + double(i) * 0.731);
        report.SetCell(1, row, buffer, false);
        std::snprintf(buffer, sizeof buffer, "%.3f", 1000.0 + double(i) * 0.417);
        report.SetCell(2, row, buffer, false);
        std::snprintf(buffer, sizeof buffer, "%.3f", 100.0 + double(i % 100) * 0.01);
        report.SetCell(3, row, buffer, false);
        report.SetCell(4, row, i % 7 ? "FENCE" : "TOP BANK", false);
    }
    BenchEnvironment env;
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
