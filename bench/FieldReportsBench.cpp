#include "BenchUtil.h"

#include "core/DataFileFormat.h"
#include "core/Report.h"
#include "model/MorvelFileDoc.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFactory.h"
#include "rawdata/RawJob.h"
#include "shell/CoordinateReportBuilder.h"
#include "shell/CutSheetReportBuilder.h"
#include "shell/JobFromFieldData.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The coordinate report of 100,000 points with every field: names already in order (arg 0) or
// shuffled, half of them alphanumeric (arg 1).
void BM_CoordinateReport(benchmark::State& state)
{
    const int64_t count = morvel::bench::BenchSize(100000);
    std::vector<std::unique_ptr<CPointRecord>> owned;
    std::vector<const CPointRecord*> points;
    for (int64_t i = 0; i < count; ++i) {
        const std::string name = (i % 2 ? "P" : "") + std::to_string(i + 1);
        owned.push_back(std::make_unique<CPointRecord>(name.c_str(), i % 3 ? "FENCE" : "", CLocation(2000.0 + double(i), 5000.0 + double(i), 100.0), true));
        points.push_back(owned.back().get());
    }
    if (state.range(0) == 1)
        std::shuffle(points.begin(), points.end(), std::mt19937(7));
    else
        std::stable_sort(points.begin(), points.end(), [](const CPointRecord* a, const CPointRecord* b) {
            return CompareReportPointNames(a->GetName(), b->GetName()) < 0;
        });
    CMorvelFileDoc job;
    std::vector<ReportField> fields;
    for (int32_t t = 0; t < CoordinateFieldCount; ++t)
        fields.push_back({t, true});
    CReport report;
    for (auto _ : state) {
        BuildCoordinateReport(report, points, fields, *job.GetDataFileFormat());
        benchmark::DoNotOptimize(report.GetRowCount());
    }
    state.counters["points"] = double(count);
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
}
BENCHMARK(BM_CoordinateReport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The cut sheet over a job's raw data: one stake-out in every ten lines, each with its design point.
void BM_CutSheet(benchmark::State& state)
{
    const int64_t lines = morvel::bench::BenchSize(state.range(0));
    morvel::test::RawJob job;
    job.AppendAll({"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                   "CO,HA Raw Data: Azimuth", "MP,1,1000.0,2000.0,100.0,STN", "MP,2,1100.0,2000.0,,BS",
                   "ST,1,2,1.5,0.0000,0.0000"});
    // An as-built name is its design name plus 1000; designs 2000 apart never meet an as-built name.
    for (int64_t i = 0; job.raw.GetLineCount() < lines; ++i) {
        const int64_t design = 10 + 2000 * i;
        job.Append("MP," + std::to_string(design) + ",1035.36,2035.36,99.75,DESIGN");
        for (int k = 0; k < 8; ++k)
            job.Append("CO,note");
        job.Append("SO," + std::to_string(design + 1000) + ",1.8,50.0,45.0000,90.0000,10:05:00,STAKE");
    }
    std::vector<ReportField> fields;
    for (int32_t t = 0; t < CutSheetFieldCount; ++t)
        fields.push_back({t, true});
    CReport report;
    for (auto _ : state) {
        BuildCutSheetReport(report, fields, &job.raw);
        benchmark::DoNotOptimize(report.GetRowCount());
    }
    state.counters["lines"] = double(job.raw.GetLineCount());
    state.counters["rows"] = double(report.GetRowCount());
}
BENCHMARK(BM_CutSheet)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// A job from an ASCII coordinates backup: 100,000 lines, one name in ten invalid.
void BM_JobFromAsciiBackup(benchmark::State& state)
{
    const int64_t count = morvel::bench::BenchSize(100000);
    std::string text;
    for (int64_t i = 0; i < count; ++i) {
        text += i % 10 == 3 ? "BAD-" + std::to_string(i) : "P" + std::to_string(i + 1);
        text += "," + std::to_string(5000 + i) + ".125," + std::to_string(2000 + i) + ".5,100.25,FENCE\n";
    }
    const auto folder = std::filesystem::temp_directory_path() / ("morvel-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto previous = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
    const JobRawDataFactory factory = InstallRawDataFactory();
    for (auto _ : state)
        benchmark::DoNotOptimize(CreateJobFromAsciiCoordinates(text, (folder / "Bench.Mvj").string()));
    SetJobRawDataFactory(factory);
    SetMessageBoxHandler(previous);
    std::filesystem::remove_all(folder);
    state.counters["lines"] = double(count);
}
BENCHMARK(BM_JobFromAsciiBackup)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
