#include "BenchData.h"
#include "BenchUtil.h"

#include "core/NoValue.h"
#include "model/MorvelFile.h"
#include "platform/MessageBox.h"
#include "transfer/backup/ArithmeticCoder.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

enum DataKind
{
    RawText = 0,
    RandomBytes = 1,
    RepeatedByte = 2,
};

// Observation lines as a total station download reads: set-ups, backsights and side shots.
std::string RawLikeText(size_t size)
{
    std::mt19937 rng(11);
    std::string text;
    text.reserve(size + 200);
    char line[160];
    for (int i = 1; text.size() < size; ++i) {
        const double ar = (rng() % 3600000) / 10000.0, ze = 80 + (rng() % 200000) / 10000.0;
        const double sd = (rng() % 5000000) / 1000.0;
        if (i % 50 == 1)
            std::snprintf(line, sizeof line, "OC,OP%d,N %.5f,E %.5f,EL%.3f,--CP\nLS,HI5.330,HR5.690\n", i,
                          50000 + sd, 20000 + ar, ze);
        else
            std::snprintf(line, sizeof line, "SS,OP%d,FP%d,AR%.4f,ZE%.4f,SD%.3f,--%s\n", i - i % 50, i, ar, ze, sd,
                          i % 7 ? "FENCE" : "TOP BANK");
        text += line;
    }
    text.resize(size);
    return text;
}

std::vector<uint8_t> MakeData(int kind, size_t size)
{
    if (kind == RawText) {
        const std::string text = RawLikeText(size);
        return std::vector<uint8_t>(text.begin(), text.end());
    }
    std::vector<uint8_t> data(size, 'x');
    if (kind == RandomBytes) {
        std::mt19937 rng(5);
        for (auto& b : data)
            b = static_cast<uint8_t>(rng());
    }
    return data;
}

const char* KindName(int kind)
{
    return kind == RawText ? "raw text" : kind == RandomBytes ? "random bytes" : "one repeated byte";
}

void CoderArgs(benchmark::internal::Benchmark* b)
{
    for (int kind : {RawText, RandomBytes, RepeatedByte})
        for (int mb : {1, 10, 100})
            b->Args({kind, mb});
}

// A 100,000-point job and its raw data in a folder. With MORVEL_BENCH_OUT set the files are made
// there and kept, so the benchmark script can compare other compressors on the same bytes.
struct SampleJob
{
    fs::path folder;
    bool keep = false;

    explicit SampleJob(int64_t points)
    {
        if (const char* out = std::getenv("MORVEL_BENCH_OUT")) {
            folder = out;
            keep = true;
        } else {
            char pattern[] = "/tmp/morvel-bench-backup-XXXXXX";
            folder = mkdtemp(pattern) ? pattern : "/tmp";
        }
        fs::create_directories(folder);
        morvel::bench::WriteMadeUpJobFile(JobPath(), points);
        // About one observation line and one coordinate line a point.
        std::ofstream raw(folder / "site.Mvr", std::ios::binary);
        raw << RawLikeText(size_t(points) * 60);
    }
    ~SampleJob()
    {
        std::error_code ec;
        if (!keep)
            fs::remove_all(folder, ec);
    }
    std::string JobPath() const { return (folder / "site.Mvj").string(); }
};

} // namespace

static void BM_BackupCoderCompress(benchmark::State& state)
{
    const size_t size = size_t(morvel::bench::BenchSize(state.range(1) * 1000000));
    const std::vector<uint8_t> data = MakeData(int(state.range(0)), size);
    size_t packedSize = 0;
    for (auto _ : state) {
        ArithmeticCoder coder;
        uint8_t* out = nullptr;
        if (!coder.Compress(data.data(), data.size(), &out, &packedSize))
            state.SkipWithError("compression failed");
        delete[] out;
    }
    state.SetLabel(KindName(int(state.range(0))));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
    state.counters["ratio"] = double(packedSize) / double(size);
}
BENCHMARK(BM_BackupCoderCompress)->Apply(CoderArgs)->Unit(benchmark::kMillisecond);

static void BM_BackupCoderDecompress(benchmark::State& state)
{
    const size_t size = size_t(morvel::bench::BenchSize(state.range(1) * 1000000));
    const std::vector<uint8_t> data = MakeData(int(state.range(0)), size);
    ArithmeticCoder coder;
    uint8_t* packed = nullptr;
    size_t packedSize = 0;
    coder.Compress(data.data(), data.size(), &packed, &packedSize);
    for (auto _ : state) {
        uint8_t* out = nullptr;
        size_t outSize = 0;
        if (!coder.Decompress(packed, packedSize, &out, &outSize) || outSize != size)
            state.SkipWithError("decompression failed");
        delete[] out;
    }
    delete[] packed;
    state.SetLabel(KindName(int(state.range(0))));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}
BENCHMARK(BM_BackupCoderDecompress)->Apply(CoderArgs)->Unit(benchmark::kMillisecond);

// Saving a 100,000-point job (Mvj and Mvr) into a new backup file, and extracting it again.
static void BM_BackupSaveAndExtractJob(benchmark::State& state)
{
    const SampleJob job(morvel::bench::BenchSize(state.range(0)));
    const fs::path backup = job.folder / "site.Mvb";
    const fs::path out = job.folder / "extracted";
    const auto previous = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDYES; });
    double saveSeconds = 0, extractSeconds = 0;
    uint64_t packed = 0;
    for (auto _ : state) {
        fs::remove_all(out);
        fs::create_directory(out);
        auto start = std::chrono::steady_clock::now();
        {
            CBackupFile file;
            if (!file.Create(backup.string()) || !file.SaveArchive("site", job.JobPath(), false) || !file.Close())
                state.SkipWithError("save failed");
        }
        auto middle = std::chrono::steady_clock::now();
        CBackupFile file;
        CBackupArchive archive;
        bool asked = false;
        if (!file.Open(backup.string()) || !file.GetArchiveSlot(0, &archive) || !archive.Extract(out.string(), asked))
            state.SkipWithError("extract failed");
        auto end = std::chrono::steady_clock::now();
        saveSeconds += std::chrono::duration<double>(middle - start).count();
        extractSeconds += std::chrono::duration<double>(end - middle).count();
        packed = archive.GetTotalSize();
    }
    SetMessageBoxHandler(previous);
    const uint64_t mvj = fs::file_size(job.JobPath()), mvr = fs::file_size(job.folder / "site.Mvr");
    state.counters["save_s"] = saveSeconds / double(state.iterations());
    state.counters["extract_s"] = extractSeconds / double(state.iterations());
    state.counters["job_bytes"] = double(mvj + mvr);
    state.counters["archive_bytes"] = double(packed);
    state.counters["ratio"] = double(mvj + mvr) / double(packed);
}
BENCHMARK(BM_BackupSaveAndExtractJob)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Deleting archive 0 of a 100 MB backup file moves everything after it down.
static void BM_BackupDeleteFirstArchive(benchmark::State& state)
{
    const uint32_t size = uint32_t(morvel::bench::BenchSize(state.range(0) * 1000000));
    char pattern[] = "/tmp/morvel-bench-delete-XXXXXX";
    const fs::path folder = mkdtemp(pattern) ? pattern : "/tmp";
    const fs::path prepared = folder / "prepared.Mvb", work = folder / "work.Mvb";
    {
        // The records carry arbitrary bytes: only their placement matters here.
        CBackupFile file;
        file.Create(prepared.string());
        std::mt19937 rng(1);
        const uint32_t sizes[] = {size / 10, size - size / 10};
        for (uint32_t part : sizes) {
            file.AddArchiveSlot("part");
            CBackupArchive archive(1, false);
            std::unique_ptr<uint8_t[]> data(new uint8_t[part]);
            for (uint32_t i = 0; i < part; ++i)
                data[i] = static_cast<uint8_t>(rng());
            archive.AddRecord("part.bin", std::move(data), part, BackupTypeGeneric);
            file.WriteArchiveData(file.GetArchiveCount() - 1, archive);
        }
        file.Close();
    }
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(prepared, work, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        CBackupFile file;
        if (!file.Open(work.string()) || !file.DeleteArchive(0) || !file.Close())
            state.SkipWithError("delete failed");
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    state.SetBytesProcessed(int64_t(state.iterations()) * (size - size / 10));
}
BENCHMARK(BM_BackupDeleteFirstArchive)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);
