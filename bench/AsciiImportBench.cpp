#include "BenchData.h"
#include "BenchUtil.h"

#include "model/TestJobDoc.h"

#include "core/Parser.h"
#include "core/TextEncoding.h"
#include "exchange/AsciiColumnLayout.h"
#include "exchange/AsciiExportWriter.h"
#include "exchange/CoordinateImport.h"
#include "model/JobRawData.h"
#include "model/MorvelFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/Selection.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFactory.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

using namespace morvel::test;

namespace {

const std::vector<uint16_t> kColumns = {0, 1, 2, 3, 4};

// Quiet message boxes and settings that leave the profile alone, for one benchmark.
class BenchEnvironment
{
public:
    BenchEnvironment()
    {
        m_previous = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        SetMorvelSettings(&m_settings);
    }
    ~BenchEnvironment()
    {
        SetMorvelSettings(nullptr);
        SetMessageBoxHandler(std::move(m_previous));
    }

private:
    CMorvelSettings m_settings;
    MessageBoxHandler m_previous;
};

std::string TempPath(const char* stem)
{
    return (std::filesystem::temp_directory_path() / (std::string(stem) + std::to_string(::getpid()))).string();
}

// A PNEZD file of n points named 1..n, as a field crew's export looks.
std::string WritePointFile(int64_t n)
{
    const std::string path = TempPath("morvel-bench-ascii-");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    char line[128];
    for (int64_t i = 1; i <= n; ++i) {
        const int len = std::snprintf(line, sizeof line, "%lld,%.4f,%.4f,%.3f,TOPO%lld\r\n", (long long)i,
                                      538000.0 + double(i % 997) * 1.25, 1455000.0 + double(i % 1013) * 0.75,
                                      680.0 + double(i % 50) * 0.1, (long long)(i % 40));
        out.write(line, len);
    }
    return path;
}

void FillJob(TestJobDoc& job, int64_t n)
{
    for (int64_t i = 1; i <= n; ++i)
        job.AddPoint(std::to_string(i).c_str(), double(i), double(i), 1.0);
}

// The plain C++ read the import is measured against: the whole file, split into lines and
// fields, numbers through from_chars.
void BM_AsciiPlainRead(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = WritePointFile(n);
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(morvel::bench::PlainCsvRead(text));
    }
    state.SetItemsProcessed(state.iterations() * n);
    std::remove(path.c_str());
}
BENCHMARK(BM_AsciiPlainRead)->Arg(100000)->Unit(benchmark::kMillisecond);

// The import's own reading alone (decode, lines, the point-line reader), without the job: what
// the plain read above is to be compared with when the job's cost per added point is set aside.
void BM_AsciiImportReadOnly(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = WritePointFile(n);
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        const std::string text = DecodeExternalText(
            std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
        if (morvel::bench::ReadPointLines(text, kColumns) != n)
            state.SkipWithError("not every line was read");
    }
    state.SetItemsProcessed(state.iterations() * n);
    std::remove(path.c_str());
}
BENCHMARK(BM_AsciiImportReadOnly)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AsciiImportIntoEmptyJob(benchmark::State& state)
{
    BenchEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = WritePointFile(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<TestJobDoc>();
        state.ResumeTiming();
        int32_t count = 0;
        ImportAsciiCoordinates(job.get(), path, kColumns, ",", 0, nullptr, false, &count);
        if (count != n)
            state.SkipWithError("not every point was imported");
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
    std::remove(path.c_str());
}
BENCHMARK(BM_AsciiImportIntoEmptyJob)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same import into the job document the program makes, with its real raw data container,
// which formats every MP line it appends.
void BM_AsciiImportIntoEmptyProgramJob(benchmark::State& state)
{
    BenchEnvironment environment;
    const JobRawDataFactory previous = SetJobRawDataFactory(MakeRawDataFactory());
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = WritePointFile(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<CMorvelFileDoc>();
        // An empty job still has the raw data's opening lines, as a new job file gets them.
        job->GetRawDataFile()->GenerateRawData(false);
        const int32_t opening = job->GetRawDataFile()->GetLineCount();
        state.ResumeTiming();
        int32_t count = 0;
        ImportAsciiCoordinates(job.get(), path, kColumns, ",", 0, nullptr, false, &count);
        if (count != n || job->GetRawDataFile()->GetLineCount() != opening + n) {
            state.SkipWithError("not every point was imported with its raw line");
            break;
        }
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
    SetJobRawDataFactory(previous);
    std::remove(path.c_str());
}
BENCHMARK(BM_AsciiImportIntoEmptyProgramJob)->Arg(100000)->Unit(benchmark::kMillisecond);

// Every line overwrites a point of a job that already holds as many; two sizes show whether the
// cost per point grows with the job.
void BM_AsciiImportOverwrite(benchmark::State& state)
{
    BenchEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = WritePointFile(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<TestJobDoc>();
        FillJob(*job, n);
        state.ResumeTiming();
        int32_t count = 0;
        ImportAsciiCoordinates(job.get(), path, kColumns, ",", 0, nullptr, false, &count);
        if (count != n)
            state.SkipWithError("not every point was overwritten");
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
    std::remove(path.c_str());
}
BENCHMARK(BM_AsciiImportOverwrite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AsciiExport(benchmark::State& state)
{
    BenchEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    TestJobDoc job;
    job.settings.SetDistanceUnit(0);
    FillJob(job, n);
    CPointDatabase* points = job.GetPointDatabase();
    for (RedBlackNode* pos = points->GetFirstPosition(); pos != nullptr;)
        job.GetSelection()->SetSelected(points->GetNextPoint(pos), true);
    const std::string path = TempPath("morvel-bench-export-");
    CAsciiExportWriter writer(&job, CAsciiColumnLayout(), 0);
    int64_t bytes = 0;
    for (auto _ : state) {
        if (!writer.WriteFile(path))
            state.SkipWithError("the export failed");
        bytes += int64_t(std::filesystem::file_size(path));
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(state.iterations() * n);
    std::remove(path.c_str());
}
BENCHMARK(BM_AsciiExport)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
