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
