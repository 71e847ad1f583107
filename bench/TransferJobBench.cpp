#include "BenchUtil.h"

#include "core/NikonColumnCollection.h"
#include "model/JobFileDocSettings.h"
#include "model/JobRawData.h"
#include "model/MorvelFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFactory.h"
#include "transfer/TransferDefaults.h"
#include "transfer/serial/JobUpload.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

class TransferBenchEnvironment
{
public:
    TransferBenchEnvironment()
    {
        m_previousBox = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        m_previousFactory = InstallRawDataFactory();
        SetMorvelSettings(&m_settings);
        SetSelectedInstrumentModelReader([] { return 5; });
    }
    ~TransferBenchEnvironment()
    {
        SetSelectedInstrumentModelReader({});
        SetMorvelSettings(nullptr);
        SetJobRawDataFactory(std::move(m_previousFactory));
        SetMessageBoxHandler(std::move(m_previousBox));
    }

private:
    CMorvelSettings m_settings;
    MessageBoxHandler m_previousBox;
    JobRawDataFactory m_previousFactory;
};

// The upload file of a whole selected job, written as Send writes it (compare BM_AsciiExport).
void BM_UploadFile(benchmark::State& state)
{
    TransferBenchEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    CMorvelFileDoc doc;
    doc.GetDocSettings()->SetDistanceUnit(0);
    for (int64_t i = 1; i <= n; ++i) {
        auto* point = new CPointRecord(std::to_string(i).c_str(), "FENCE",
                                       CLocation(2000.0 + double(i) * 0.01, 1000.0 + double(i) * 0.02, 100.0), true);
        if (!doc.AddRecord(point)) {
            delete point;
            continue;
        }
        doc.GetCurrentSelection()->SetSelected(point, true);
    }
    const CInstrumentModel model = GetInstrumentModel(5);
    CNikonColumnCollection columns;
    const std::string path = "/tmp/morvel-bench-upload.txt";
    for (auto _ : state) {
        int32_t count = 0;
        const std::string text = MakeUploadText(doc, *doc.GetCurrentSelection(), model, columns, count);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr || std::fwrite(text.data(), 1, text.size(), f) != text.size())
            state.SkipWithError("the upload file could not be written");
        if (f != nullptr)
            std::fclose(f);
    }
    state.SetItemsProcessed(state.iterations() * n);
    std::remove(path.c_str());
}
BENCHMARK(BM_UploadFile)->Arg(100000)->Unit(benchmark::kMillisecond);

// Downloaded coordinate lines into a new job; two sizes to show the growth is near linear.
void BM_CoordinateDownload(benchmark::State& state)
{
    TransferBenchEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    std::string text;
    for (int64_t i = 1; i <= n; ++i)
        text += std::to_string(i) + "," + std::to_string(1000 + i) + ".125," + std::to_string(2000 + i) +
                ".250,100.5,FENCE\r\n";
    CNikonColumnCollection columns;
    for (auto _ : state) {
        CMorvelFileDoc doc;
        doc.GetDocSettings()->SetDistanceUnit(1);
        benchmark::DoNotOptimize(ReadTransferCoordinateLines(doc, text, columns));
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_CoordinateDownload)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
