#include "BenchUtil.h"

#include "model/DataFileSmartHintManager.h"
#include "model/Interested.h"
#include "platform/Document.h"
#include "platform/View.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {
// A stacked panel as the side bar registers it: it hears every code and ignores most.
class PanelListener : public CInterested {
public:
    void OnNotify(void*, int32_t code, intptr_t) override
    {
        if (code == 39)
            ++pointEdits;
    }
    int64_t pointEdits = 0;
};

class JobView : public CView {
public:
    void OnUpdate(CView*, intptr_t, intptr_t) override { ++updates; }
    bool IsDataFileView() const override { return true; }
    int64_t updates = 0;
};

void BM_BroadcastToListeners(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    std::vector<std::unique_ptr<PanelListener>> listeners;
    for (int64_t i = 0; i < n; ++i)
        listeners.push_back(std::make_unique<PanelListener>());
    for (auto _ : state)
        CInterested::Broadcast(nullptr, 39, 1);
    state.SetItemsProcessed(state.iterations() * n);
}

// A bulk edit of every point with the side bar full of panels: the edits are held and go out in
// one flush.
void BM_BulkPointEditFlushWithPanels(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    std::vector<std::unique_ptr<PanelListener>> panels;
    for (int i = 0; i < 100; ++i)
        panels.push_back(std::make_unique<PanelListener>());
    CDocument doc;
    JobView view;
    doc.AddView(&view);
    CDataFileSmartHintManager mgr(&doc);
    for (auto _ : state) {
        for (int64_t i = 0; i < n; ++i)
            mgr.AddHint(nullptr, 39, intptr_t(i));
        mgr.Flush();
        mgr.Flush();
    }
    benchmark::DoNotOptimize(view.updates);
    state.SetItemsProcessed(state.iterations() * n);
}
} // namespace

BENCHMARK(BM_BroadcastToListeners)->Arg(1000);
BENCHMARK(BM_BulkPointEditFlushWithPanels)->Arg(100000)->Unit(benchmark::kMillisecond);
