#include "BenchUtil.h"

#include "model/DataFileSmartHintManager.h"
#include "model/Interested.h"
#include "platform/Document.h"
#include "platform/View.h"

#include <benchmark/benchmark.h>

namespace {
class CountingView : public CView {
public:
    void OnUpdate(CView*, intptr_t, intptr_t) override { ++updates; }
    bool IsDataFileView() const override { return true; }
    int64_t updates = 0;
};

class CountingListener : public CInterested {
public:
    void OnNotify(void*, int32_t, intptr_t) override { ++notified; }
    int64_t notified = 0;
};

// An import's burst: point adds, raw-line appends, settings and refreshes, plus per-object global
// hints that are each kept, then one flush.
void BM_HintBurstOneFlush(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    CDocument doc;
    CountingView view;
    doc.AddView(&view);
    CountingListener listener;
    CDataFileSmartHintManager mgr(&doc);
    static const int32_t codes[] = {39, 41, 40, 42, 2, 3, 19, 24, 46, 33, 43, 47, 48, 23, 30};
    for (auto _ : state) {
        for (int64_t i = 0; i < n; ++i)
            mgr.AddHint(nullptr, codes[i % std::size(codes)], intptr_t(i));
        mgr.Flush();
        mgr.Flush(); // the global queue goes out on a flush that finds its own queue empty
    }
    benchmark::DoNotOptimize(view.updates);
    benchmark::DoNotOptimize(listener.notified);
    state.SetItemsProcessed(state.iterations() * n);
}
} // namespace

BENCHMARK(BM_HintBurstOneFlush)->Arg(100000)->Unit(benchmark::kMillisecond);

#include "framework/DialogNotifyTarget.h"

#include <memory>
#include <vector>

namespace {
// One change hint heard by every open dialog and edit field; the preference has not changed,
// so the dialogs only compare it, as after most preference changes.
void BM_HintToOpenDialogs(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    std::vector<std::unique_ptr<CInterested>> receivers;
    for (int64_t i = 0; i < n / 2; ++i) {
        receivers.push_back(std::make_unique<CDialogNotifyTarget>());
        receivers.push_back(std::make_unique<CInterested>()); // an edit field
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(CInterested::Broadcast(nullptr, 10, 0));
    state.SetItemsProcessed(state.iterations() * int64_t(receivers.size()));
}
} // namespace

BENCHMARK(BM_HintToOpenDialogs)->Arg(1000)->Unit(benchmark::kMicrosecond);
