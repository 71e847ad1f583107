#include "BenchUtil.h"

#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"
#include "model/DataFileSelOperator.h"
#include "model/JobFileDocSettings.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/Selection.h"
#include "platform/View.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

class BenchJob : public CDataFileDoc
{
public:
    CDataFileDocSettings* GetJobSettings() override { return &settings; }
    CJobFileDocSettings* GetDocSettings() override { return &settings; }
    bool Reload(bool) override { return false; }
    bool OpenJobFile(const std::string&, bool& generated) override { return generated = false; }
    bool LoadRawDataFromText(const std::string&, bool) override { return false; }
    bool WriteRawData(const std::string&, bool) override { return false; }
    bool IsValidPointName(const char* name) override { return ::IsValidPointName(name); }
    std::string GetJobExtension() override { return "Mvj"; }
    std::string GetJobFileName() override { return ""; }
    std::string GetRawDataFileName() override { return ""; }
    std::string GetRawDataExtension() override { return "Mvr"; }
    CDocTemplate* GetJobDocTemplate() override { return nullptr; }
    bool AllowsAlphanumericNames() override { return true; }
    bool GenerateRawData(const std::string&, bool) override { return false; }
    void ReduceRawData(bool, bool, CReport*, std::vector<std::string>*) override {}
    bool DoFileSave() override { return false; }
    bool ExportSelection(const std::string&, bool, bool, CSelection*) override { return false; }
    bool CreateEmptyJobFile(const std::string&) override { return false; }

    CJobFileDocSettings settings{this};
};

class QuietView : public CView
{
public:
    void OnUpdate(CView*, intptr_t, intptr_t) override {}
    bool IsDataFileView() const override { return true; }
};

// Deleting every second point of a job one by one through the document, as deleting a selection
// does: the store, both indexes, the selection and the hint queue must each find the point
// without a walk, so the cost grows with the number deleted, not with its square.
void BM_DeleteSelectedPoints(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto* job = new BenchJob;
        QuietView view;
        job->AddView(&view);
        std::vector<CRecord*> selected;
        for (int64_t i = 1; i <= n; ++i) {
            auto* p = new CPointRecord(std::to_string(i).c_str(), "", CLocation(double(i), double(i), NoValue), true);
            if (!job->AddRecord(p)) {
                delete p;
                continue;
            }
            if (i % 2 == 0) {
                job->GetSelOperator()->Select(p);
                selected.push_back(p);
            }
        }
        job->GetSelOperator()->GetCountUnfiltered();
        state.ResumeTiming();

        for (CRecord* record : selected)
            job->DeleteRecord(record, false);

        state.PauseTiming();
        benchmark::DoNotOptimize(job->GetRecordDatabase()->GetCount(0));
        job->RemoveView(&view);
        delete job;
        state.ResumeTiming();
    }
    state.SetComplexityN(n / 2);
}
BENCHMARK(BM_DeleteSelectedPoints)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace
