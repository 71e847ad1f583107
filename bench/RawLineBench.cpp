#include "BenchUtil.h"

#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"
#include "model/JobFileDocSettings.h"
#include "model/JobRawData.h"
#include "model/Record.h"
#include "rawdata/records/RawDataRecord.h"
#include "FakeRawDataSetup.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Raw lines in the mix of a day's field work: mostly side shots.
std::vector<std::string> MakeRawLines(int64_t n)
{
    std::vector<std::string> lines;
    lines.reserve(size_t(n));
    for (int64_t i = 0; i < n; ++i) {
        const int64_t k = i % 20;
        const std::string name = std::to_string(1000 + i);
        if (k < 14)
            lines.push_back("SS," + name + ",1.500,123.456,45.3015,92.1530,10:00:00,CURB");
        else if (k < 16)
            lines.push_back("CO,Temp:20C Press:760mmHg Prism:0 04-Feb-2010 13:47:08");
        else if (k < 18)
            lines.push_back("MP," + name + ",5000.123,4000.456,100.5,FENCE");
        else if (k == 18)
            lines.push_back("ST,1,2,1.550,0.0000,0.0000");
        else
            lines.push_back("SO,1" + name + ",1.8,50.0,45.0000,90.0000,10:05:00,DESIGN");
    }
    return lines;
}

// Every line reads in metres and degrees.
class BenchRawData : public CJobRawData
{
public:
    int32_t GetLineCount() const override { return 1 << 30; }
    bool AppendInputPoint(const CPointRecord&, bool, std::string*, int32_t*) override { return false; }
    CRawDataSetup* GetSetup(int32_t line) override { return line >= 0 ? &setup : nullptr; }
    morvel::test::FakeRawDataSetup setup;
};

class BenchRawJob : public CDataFileDoc
{
public:
    BenchRawJob()
    {
        auto owned = std::make_unique<BenchRawData>();
        raw = owned.get();
        SetRawDataFile(std::move(owned));
    }
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
    BenchRawData* raw = nullptr;
};

// Splitting every line of a large job into its fields (target: 100,000 lines well under 50 ms).
void BM_RawLineSplit(benchmark::State& state)
{
    const std::vector<std::string> lines = MakeRawLines(morvel::bench::BenchSize(state.range(0)));
    std::vector<CNikonRawDataRecord> records(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        records[i].SetText(lines[i]);
    for (auto _ : state) {
        int64_t fields = 0;
        for (auto& record : records)
            fields += record.SplitFields() ? record.GetFieldCount() : 0;
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(records.size()));
}
BENCHMARK(BM_RawLineSplit)->Arg(100000)->Unit(benchmark::kMillisecond);

// The raw data list's one-line text of every line (target: 100,000 lines under 0.5 s).
void BM_RawLineDescribeShort(benchmark::State& state)
{
    const std::vector<std::string> lines = MakeRawLines(morvel::bench::BenchSize(state.range(0)));
    BenchRawJob job;
    std::vector<CNikonRawDataRecord> records(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        records[i].SetText(lines[i]);
        records[i].SetDocument(&job);
        records[i].SetLine(int32_t(i));
    }
    for (auto _ : state) {
        size_t total = 0;
        for (auto& record : records)
            total += record.DescribeShort().size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(records.size()));
}
BENCHMARK(BM_RawLineDescribeShort)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
