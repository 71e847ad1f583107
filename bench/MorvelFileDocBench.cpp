#include "BenchUtil.h"

#include "core/NoValue.h"
#include "model/DataFileUndoManager.h"
#include "model/JobRawData.h"
#include "model/MorvelFile.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/Selection.h"
#include "platform/MessageBox.h"
#include "shell/SaveJobAs.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Raw lines kept as text, read and written as the job's raw file is: enough to time the job
// document's own work around them.
class TextRawData : public CJobRawData
{
public:
    int32_t GetLineCount() const override { return int32_t(lines.size()); }
    bool AppendInputPoint(const CPointRecord& p, bool deleted, std::string* text, int32_t* line) override
    {
        return Append(std::string(deleted ? "*MP," : "MP,") + p.GetName(), text, line);
    }
    bool AppendCogoPoint(const CPointRecord& p, std::string* text, int32_t* line) override
    {
        return Append(std::string("CC,") + p.GetName(), text, line);
    }
    CRawDataSetup* GetSetup(int32_t) override { return nullptr; }
    void Clear() override { lines.clear(); }
    bool LoadRawDataFromText(const std::string& path, bool) override
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        std::string l;
        while (std::getline(in, l))
            lines.push_back(l);
        return true;
    }
    bool SaveRawDataToText(const std::string& path, bool) override
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const std::string& l : lines)
            out << l << '\n';
        out.close();
        return bool(out);
    }
    bool GenerateRawData(bool) override { return true; }
    void ReduceRawData(bool, bool, CReport*, std::vector<std::string>*) override {}
    bool CreateRawDataFromPoints(const std::string& path) override { return SaveRawDataToText(path, false); }
    void AppendSettingsComments(const SettingsChangeFlags&) override {}

    std::vector<std::string> lines;

private:
    bool Append(std::string l, std::string* text, int32_t* line)
    {
        lines.push_back(std::move(l));
        *text = lines.back();
        *line = int32_t(lines.size()) - 1;
        return true;
    }
};

class TextRawFactory
{
public:
    TextRawFactory()
    {
        m_previous = SetJobRawDataFactory([](CDataFileDoc*) { return std::make_unique<TextRawData>(); });
    }
    ~TextRawFactory() { SetJobRawDataFactory(std::move(m_previous)); }

private:
    JobRawDataFactory m_previous;
};

// A folder of its own with a job of n points and one raw line per point.
class BenchJobFiles
{
public:
    explicit BenchJobFiles(int64_t n)
    {
        char pattern[] = "/tmp/morvel-bench-doc-XXXXXX";
        folder = mkdtemp(pattern) != nullptr ? pattern : "/tmp";
        job = folder + "/bench.Mvj";
        CMorvelFile file;
        file.Create(job.c_str());
        std::ofstream raw(folder + "/bench.Mvr", std::ios::binary);
        raw << "CO,Morvel RAW data format V2.00\n";
        JobFilePoint p;
        p.description = "fence";
        for (int64_t i = 0; i < n; ++i) {
            p.name = std::to_string(i + 1);
            p.northing = 5000.0 + double(i);
            p.easting = 1000.0 + double(i % 977);
            p.elevation = i % 3 ? 100.0 : NoValue;
            file.WritePoint(p);
            raw << "MP," << p.name << ",5000.000,1000.000,100.000,fence\n";
        }
        file.Close();
    }
    ~BenchJobFiles() { std::filesystem::remove_all(folder); }

    std::string folder;
    std::string job;
};

std::unique_ptr<CMorvelFileDoc> OpenJob(const std::string& path)
{
    auto doc = std::make_unique<CMorvelFileDoc>();
    if (!doc->OnOpenDocument(path))
        return nullptr;
    return doc;
}

void SelectAll(CMorvelFileDoc& doc, int step)
{
    CRecordDatabase* store = doc.GetRecordDatabase();
    CRecordCursor cursor = store->GetFirstRecord(0);
    int i = 0;
    while (CRecord* record = store->GetNextRecord(cursor))
        if (i++ % step == 0)
            doc.GetSelection()->SetSelected(record, true);
}

} // namespace

// Open of a job: the job file, its raw file and the grid order. Compare with BM_ReadJobFile.
static void BM_JobDocumentOpen(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    TextRawFactory raw;
    BenchJobFiles files(n);
    for (auto _ : state) {
        std::unique_ptr<CMorvelFileDoc> doc = OpenJob(files.job);
        if (doc == nullptr || doc->GetSortedIndex()->GetCount() != n)
            state.SkipWithError("job did not open");
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_JobDocumentOpen)->Arg(100000)->Unit(benchmark::kMillisecond);

// Save of a job: both files beside their targets, then renamed over them.
static void BM_JobDocumentSave(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    TextRawFactory raw;
    BenchJobFiles files(n);
    std::unique_ptr<CMorvelFileDoc> doc = OpenJob(files.job);
    for (auto _ : state)
        if (doc == nullptr || !doc->OnSaveDocument(files.job))
            state.SkipWithError("job did not save");
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_JobDocumentSave)->Arg(100000)->Unit(benchmark::kMillisecond);

// One undo step captured and restored; the counter gives the temporary bytes a step holds.
static void BM_UndoCaptureAndRestore(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    TextRawFactory raw;
    BenchJobFiles files(n);
    std::unique_ptr<CMorvelFileDoc> doc = OpenJob(files.job);
    double bytes = 0;
    for (auto _ : state) {
        CDataFileUndoManager* undo = doc != nullptr ? doc->GetUndoManager() : nullptr;
        if (undo == nullptr || !undo->RecordUndoWithText("Bench")) {
            state.SkipWithError("no undo step");
            break;
        }
        auto* step = static_cast<CDataFileUndoObject*>(undo->GetStep(undo->GetCurrentIndex()));
        std::error_code ec;
        bytes = double(std::filesystem::file_size(step->GetJobSnapshotPath(), ec) +
                       std::filesystem::file_size(step->GetRawSnapshotPath(), ec));
        if (!undo->Undo())
            state.SkipWithError("undo failed");
        state.PauseTiming();
        undo->RemoveAll();
        state.ResumeTiming();
    }
    state.counters["temp_bytes_per_step"] = bytes;
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_UndoCaptureAndRestore)->Arg(100000)->Unit(benchmark::kMillisecond);

// Every point translated and logged as a raw line.
static void BM_TranslateAllPoints(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    TextRawFactory raw;
    BenchJobFiles files(n);
    std::unique_ptr<CMorvelFileDoc> doc = OpenJob(files.job);
    if (doc == nullptr) {
        state.SkipWithError("job did not open");
        return;
    }
    SelectAll(*doc, 1);
    for (auto _ : state) {
        if (!doc->TranslatePoints(CLocation(0.5, -0.5, 0.0)))
            state.SkipWithError("translate refused");
        state.PauseTiming();
        doc->GetRawDataFile()->Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TranslateAllPoints)->Arg(100000)->Unit(benchmark::kMillisecond);

// Half of a job's points deleted as a selection.
static void BM_DeleteObjectsOfHalf(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    TextRawFactory raw;
    BenchJobFiles files(n);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CMorvelFileDoc> doc = OpenJob(files.job);
        if (doc == nullptr) {
            state.SkipWithError("job did not open");
            break;
        }
        SelectAll(*doc, 2);
        state.ResumeTiming();
        doc->DeleteObjects(true);
        state.PauseTiming();
        if (doc->GetRecordDatabase()->GetCount(0) != n / 2)
            state.SkipWithError("not half left");
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (n - n / 2));
}
BENCHMARK(BM_DeleteObjectsOfHalf)->Arg(100000)->Unit(benchmark::kMillisecond);

namespace {

class BenchSaveAsHost : public CSaveJobAsHost
{
public:
    CMorvelFileDoc* job = nullptr;
    std::string target;
    CMorvelFileDoc* GetActiveJob() override { return job; }
    bool HasTemporaryJob() override { return false; }
    int PromptFileName(std::string& path) override
    {
        path = target;
        return IDOK;
    }
    bool OpenJob(const std::string&) override { return true; }
    void DeleteTemporaryJob() override {}
};

} // namespace

// Save As to another name: the same writers as the save, and the question answered No.
static void BM_JobDocumentSaveAs(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    TextRawFactory raw;
    BenchJobFiles files(n);
    std::unique_ptr<CMorvelFileDoc> doc = OpenJob(files.job);
    MessageBoxHandler previous = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDNO; });
    BenchSaveAsHost host;
    host.job = doc.get();
    host.target = files.folder + "/copy.Mvj";
    for (auto _ : state)
        if (doc == nullptr || !SaveJobAs(host, nullptr))
            state.SkipWithError("job did not save");
    SetMessageBoxHandler(std::move(previous));
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_JobDocumentSaveAs)->Arg(100000)->Unit(benchmark::kMillisecond);
