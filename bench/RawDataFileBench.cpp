#include "BenchUtil.h"

#include "core/ColoredTextLines.h"
#include "rawdata/RawJob.h"
#include "rawdata/records/NikonRawDataSetup.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// A day's field work: a head, stations on known points, mostly side shots.
std::vector<std::string> MakeJobLines(int64_t n)
{
    std::vector<std::string> lines = {"CO,Morvel RAW data format V2.00", "CO,DIST UNITS: Metres",
                                      "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North", "CO,HA Raw Data: Azimuth",
                                      "MP,1,5000.0,4000.0,100.0,STN", "MP,2,5100.0,4000.0,,BS"};
    lines.reserve(size_t(n));
    for (int64_t i = 0; int64_t(lines.size()) < n; ++i) {
        const int64_t k = i % 20;
        const std::string name = std::to_string(1000 + i);
        if (k < 14)
            lines.push_back("SS," + name + ",1.500,123.456,45.3015,92.1530,10:00:00,CURB");
        else if (k < 16)
            lines.push_back("CO,Temp:20C Press:760mmHg Prism:0 04-Feb-2010 13:47:08");
        else if (k < 18)
            lines.push_back("MP," + name + "," + std::to_string(5000 + i % 977) + ".123,4000.456,100.5,FENCE");
        else if (k == 18)
            lines.push_back("ST,1,2,1.550,0.0000,0.0000");
        else
            lines.push_back("SO," + std::to_string(1000 + i - 2) + ",1.8,50.0,45.0000,90.0000,10:05:00,STAKE");
    }
    return lines;
}

void Load(morvel::test::RawJob& job, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        job.Append(line);
}

// Loading a large raw data file appends line by line (target: 100,000 lines under 1 s).
void BM_RawDataAppend(benchmark::State& state)
{
    const std::vector<std::string> lines = MakeJobLines(morvel::bench::BenchSize(state.range(0)));
    for (auto _ : state) {
        morvel::test::RawJob job;
        Load(job, lines);
        benchmark::DoNotOptimize(job.raw.GetLineCount());
    }
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
    state.SetItemsProcessed(state.iterations() * int64_t(lines.size()));
}
BENCHMARK(BM_RawDataAppend)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One line edit in the middle of a large file: the setups from that line on are recomputed
// (target: well under 100 ms for 100,000 lines).
void BM_RawDataSingleEdit(benchmark::State& state)
{
    morvel::test::RawJob job;
    Load(job, MakeJobLines(morvel::bench::BenchSize(state.range(0))));
    const int32_t line = job.raw.GetLineCount() / 2;
    bool deleted = true;
    for (auto _ : state) {
        job.raw.SetRecordsDeleted({line}, deleted);
        deleted = !deleted;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RawDataSingleEdit)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same edit at the first line recomputes every setup.
void BM_RawDataRecomputeAll(benchmark::State& state)
{
    morvel::test::RawJob job;
    Load(job, MakeJobLines(morvel::bench::BenchSize(state.range(0))));
    for (auto _ : state)
        job.raw.RecomputeSetups();
    state.SetItemsProcessed(state.iterations() * job.raw.GetLineCount());
}
BENCHMARK(BM_RawDataRecomputeAll)->Arg(100000)->Unit(benchmark::kMillisecond);

// A station occupied again and again: the point-name map keeps one list per name, searched by
// line rather than walked.
void BM_RawDataReoccupiedStation(benchmark::State& state)
{
    const int64_t stations = morvel::bench::BenchSize(state.range(0));
    std::vector<std::string> lines = {"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                                      "CO,HA Raw Data: HA zero to BS", "MP,1,1000,2000,100,STN", "MP,2,1100,2000,,BS"};
    for (int64_t i = 0; i < stations; ++i) {
        lines.push_back("MP,1," + std::to_string(1000 + i % 3) + ",2000,100,STN");
        lines.push_back("ST,1,2,1.5,0.0000,0.0000");
        lines.push_back("SS," + std::to_string(10 + i) + ",1.8,50.0,45.0000,90.0000,10:00:00,X");
    }
    for (auto _ : state) {
        morvel::test::RawJob job;
        Load(job, lines);
        double sum = 0;
        for (int32_t line = 0; line < job.raw.GetLineCount(); ++line)
            sum += job.Setup(line)->GetBacksightAzimuth();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(lines.size()));
}
BENCHMARK(BM_RawDataReoccupiedStation)->Arg(5000)->Unit(benchmark::kMillisecond);

// The check of every line against the job, as the raw data list's hover and the check panel do
// (target: 100,000 lines under 1 s).
void BM_RawDataCheckEveryLine(benchmark::State& state)
{
    morvel::test::RawJob job;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    for (int64_t i = 0; i < n; i += 7)
        job.AddPoint(std::to_string(1000 + i).c_str(), 4000.0 + double(i % 50), 5000.0, 100.0);
    Load(job, MakeJobLines(n));
    for (auto _ : state) {
        int64_t written = 0;
        for (int32_t line = 0; line < job.raw.GetLineCount(); ++line) {
            CColoredTextLines lines;
            written += job.raw.CheckLine(&lines, line) ? 1 : 0;
        }
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * job.raw.GetLineCount());
}
BENCHMARK(BM_RawDataCheckEveryLine)->Arg(100000)->Unit(benchmark::kMillisecond);

// The cut sheet's walk over the stake-out states (target: 10,000 states among 100,000 lines
// under 10 ms).
void BM_StakeoutWalk(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    std::vector<std::string> lines = {"CO,DIST UNITS: Metres", "CO,ANGLE UNITS: Degrees", "CO,ZERO AZIMUTH: North",
                                      "CO,HA Raw Data: Azimuth", "MP,1,5000.0,4000.0,100.0,STN",
                                      "MP,2,5100.0,4000.0,,BS", "ST,1,2,1.5,0.0000,0.0000"};
    for (int64_t i = 0; int64_t(lines.size()) < n; ++i) {
        const int64_t d = i / 10 + 1;
        if (i % 10 == 0)
            lines.push_back("MP,D" + std::to_string(d) + ",5035.36,4035.36,99.75,DESIGN");
        else if (i % 10 == 5)
            lines.push_back("SO,D" + std::to_string(1000 + d) + ",1.8,50.0,45.0000,90.0000,10:05:00,STAKE");
        else
            lines.push_back("SS,S" + std::to_string(i) + ",1.5,20.0,10.0000,90.0000,10:00:00,X");
    }
    morvel::test::RawJob job;
    Load(job, lines);
    const CStakeoutStateTable& table = job.raw.GetStakeoutTable();
    for (auto _ : state) {
        double sum = 0;
        for (auto position = table.GetStartPosition(); position != 0;) {
            const CStakeoutState* stake = nullptr;
            int32_t line = -1;
            table.GetNext(position, &stake, &line);
            sum += stake->GetDeltas().x;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["states"] = double(table.GetCount());
}
BENCHMARK(BM_StakeoutWalk)->Arg(100000)->Unit(benchmark::kMillisecond);

// Unit conversions through a line's setup, as every record read and printed makes them.
void BM_RawSetupConversions(benchmark::State& state)
{
    morvel::test::RawJob job;
    Load(job, MakeJobLines(100));
    const CRawDataSetup* setup = job.Setup(50);
    double value = 0.0;
    for (auto _ : state) {
        value += setup->AzimuthToDirection(45.3015);
        value += setup->DistanceToMetres(123.456);
        value += setup->VerticalAngleToRadians(92.153);
        value += setup->MetresToDistance(12.5);
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_RawSetupConversions);

} // namespace
