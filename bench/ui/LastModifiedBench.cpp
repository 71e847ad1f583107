#include "BenchUtil.h"
#include "ui/UiBenchToolkit.h"

#include "shell/ui/PromptSaveModified.h"

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/listctrl.h>

#include <string>
#include <vector>

namespace {

// The change viewer built and shown over a history of 100,000 lines, scrolled to the last one.
void BM_ViewLastModifiedOpen(benchmark::State& state)
{
    if (!morvel::bench::StartUiToolkit()) {
        state.SkipWithError("no display");
        return;
    }
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    std::vector<std::string> history;
    history.reserve(size_t(n));
    for (int64_t i = 0; i < n; ++i)
        history.push_back("Modified Point '" + std::to_string(i + 1) + "'");
    for (auto _ : state) {
        CViewLastModified dialog(nullptr, "Recent changes to Bench", &history);
        dialog.GetModalHost()->Show();
        wxTheApp->Yield(true);
        benchmark::DoNotOptimize(dialog.GetChangeList()->GetTopItem());
        dialog.GetModalHost()->Hide();
    }
    state.counters["lines"] = double(n);
}
BENCHMARK(BM_ViewLastModifiedOpen)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
