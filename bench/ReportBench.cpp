#include "BenchUtil.h"

#include "core/Report.h"
#include "core/ReportOutput.h"
#include "shell/ReportRtfWriter.h"
#include "shell/RtfReader.h"
#include "shell/ShellReportOutput.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

class BenchEnvironment : public CReportRtfEnvironment
{
public:
    std::string CreateFontFace(const std::string& face, int32_t, bool, bool) override { return face; }
    int32_t GetScreenPixelsPerInchY() override { return 96; }
    std::time_t GetCurrentTime() override { return 1796558400; }
    LogFont GetReportTitleFont() override
    {
        LogFont f;
        f.faceName = "Arial";
        f.height = -16;
        return f;
    }
    LogFont GetReportTextFont() override
    {
        LogFont f;
        f.faceName = "Courier New";
        f.height = -13;
        return f;
    }
};

// A coordinate report: name, northing, easting, elevation and description.
void FillCoordinateReport(CReport& report, int64_t rows)
{
    report.AddHeaderLine("Coordinate Report");
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
}

void BM_GenerateRtf(benchmark::State& state)
{
    const int64_t rows = morvel::bench::BenchSize(state.range(0));
    CReport report;
    FillCoordinateReport(report, rows);
    BenchEnvironment env;
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string rtf = WriteReportRtf(report, true, "Job.Mvj", env);
        bytes = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.counters["rows"] = double(rows);
    state.counters["bytes"] = double(bytes);
    state.counters["ns_per_row"] =
        benchmark::Counter(double(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
}
BENCHMARK(BM_GenerateRtf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The second rendering of an unchanged report comes from its cache.
void BM_GenerateRtfCached(benchmark::State& state)
{
    BenchEnvironment env;
    CShellReportOutput output(env);
    CReportOutput* previous = SetReportOutput(&output);
    CReport report;
    FillCoordinateReport(report, morvel::bench::BenchSize(100000));
    report.GenerateRtf(true, "Job.Mvj");
    for (auto _ : state)
        benchmark::DoNotOptimize(report.GenerateRtf(true, "Job.Mvj"));
    SetReportOutput(previous);
}
BENCHMARK(BM_GenerateRtfCached);

void BM_ReadRtf(benchmark::State& state)
{
    const int64_t rows = morvel::bench::BenchSize(state.range(0));
    CReport report;
    FillCoordinateReport(report, rows);
    BenchEnvironment env;
    const std::string rtf = WriteReportRtf(report, true, "Job.Mvj", env);
    for (auto _ : state) {
        RtfDocument document;
        CRtfReader reader;
        benchmark::DoNotOptimize(reader.Read(rtf, document));
    }
    state.counters["rows"] = double(rows);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtf.size()));
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
}
BENCHMARK(BM_ReadRtf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
