#include "BenchUtil.h"

#include "model/TestJobDoc.h"

#include "exchange/FSDataFileDXF.h"
#include "exchange/FSDataFileSaveDXF.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFactory.h"

#include "exchange/dxf/DxfFile.h"
#include "exchange/dxf/DxfReader.h"
#include "exchange/dxf/DxfWriter.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string TempPath()
{
    char path[] = "/tmp/morvel-bench-dxf-XXXXXX";
    const int fd = mkstemp(path);
    if (fd >= 0)
        close(fd);
    return path;
}

void Pair(std::string& out, const char* code, const std::string& value)
{
    out += code;
    out += '\n';
    out += value;
    out += '\n';
}

std::string Num(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    return std::string(buf, r.ptr);
}

void WriteFile(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

// An R12 survey drawing as a field program writes it: n POINTs and n point-block INSERTs with
// name, description and elevation attributes.
std::string MakeSurveyDrawing(int64_t n)
{
    std::string s;
    s.reserve(static_cast<size_t>(n) * 420 + 4096);
    Pair(s, "  0", "SECTION");
    Pair(s, "  2", "HEADER");
    Pair(s, "  9", "$ACADVER");
    Pair(s, "  1", "AC1009");
    Pair(s, "  0", "ENDSEC");
    Pair(s, "  0", "SECTION");
    Pair(s, "  2", "TABLES");
    Pair(s, "  0", "TABLE");
    Pair(s, "  2", "LAYER");
    for (const char* layer : {"0", "POINTS", "PNTNO", "DESC", "ELEV"}) {
        Pair(s, "  0", "LAYER");
        Pair(s, "  2", layer);
        Pair(s, " 70", "     0");
        Pair(s, " 62", "     7");
        Pair(s, "  6", "CONTINUOUS");
    }
    Pair(s, "  0", "ENDTAB");
    Pair(s, "  0", "ENDSEC");
    Pair(s, "  0", "SECTION");
    Pair(s, "  2", "BLOCKS");
    Pair(s, "  0", "BLOCK");
    Pair(s, "  8", "0");
    Pair(s, "  2", "SURVEY_POINT");
    Pair(s, " 70", "     2");
    Pair(s, " 10", "0.0");
    Pair(s, " 20", "0.0");
    Pair(s, " 30", "0.0");
    Pair(s, "  0", "POINT");
    Pair(s, "  8", "0");
    Pair(s, " 10", "0.0");
    Pair(s, " 20", "0.0");
    Pair(s, " 30", "0.0");
    Pair(s, "  0", "ENDBLK");
    Pair(s, "  8", "0");
    Pair(s, "  0", "ENDSEC");
    Pair(s, "  0", "SECTION");
    Pair(s, "  2", "ENTITIES");
    for (int64_t i = 0; i < n; ++i) {
        const std::string x = Num(500000.0 + double(i % 1000) * 1.25);
        const std::string y = Num(4200000.0 + double(i / 1000) * 1.75);
        const std::string z = Num(100.0 + double(i % 97) * 0.125);
        Pair(s, "  0", "POINT");
        Pair(s, "  8", "POINTS");
        Pair(s, " 10", x);
        Pair(s, " 20", y);
        Pair(s, " 30", z);
        Pair(s, "  0", "INSERT");
        Pair(s, "  8", "POINTS");
        Pair(s, " 66", "     1");
        Pair(s, "  2", "SURVEY_POINT");
        Pair(s, " 10", x);
        Pair(s, " 20", y);
        Pair(s, " 30", z);
        const std::string values[3] = {std::to_string(i + 1), "TOPO", z};
        const char* tags[3] = {"PNTNO", "DESC", "ELEV"};
        for (int a = 0; a < 3; ++a) {
            Pair(s, "  0", "ATTRIB");
            Pair(s, "  8", tags[a]);
            Pair(s, " 10", x);
            Pair(s, " 20", y);
            Pair(s, " 40", "0.18");
            Pair(s, "  1", values[a]);
            Pair(s, "  2", tags[a]);
        }
        Pair(s, "  0", "SEQEND");
        Pair(s, "  8", "POINTS");
    }
    Pair(s, "  0", "ENDSEC");
    Pair(s, "  0", "EOF");
    return s;
}

std::string MakeLongPolyline(int64_t vertices)
{
    std::string s;
    Pair(s, "  0", "SECTION");
    Pair(s, "  2", "ENTITIES");
    Pair(s, "  0", "POLYLINE");
    Pair(s, "  8", "BREAKLINE");
    Pair(s, " 66", "     1");
    Pair(s, " 70", "     8");
    for (int64_t i = 0; i < vertices; ++i) {
        Pair(s, "  0", "VERTEX");
        Pair(s, "  8", "BREAKLINE");
        Pair(s, " 10", Num(1000.0 + double(i) * 0.5));
        Pair(s, " 20", Num(2000.0 + double(i % 100)));
        Pair(s, " 30", Num(50.0 + double(i % 7)));
        Pair(s, " 70", "    32");
    }
    Pair(s, "  0", "SEQEND");
    Pair(s, "  0", "ENDSEC");
    Pair(s, "  0", "EOF");
    return s;
}

// The least any reader must do: split the bytes into code and value lines and convert the codes.
int64_t TokenizeBare(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    std::vector<char> buf(1 << 16);
    std::string carry;
    int64_t pairs = 0;
    int64_t codeSum = 0;
    bool codeLine = true;
    size_t got;
    while ((got = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
        const char* p = buf.data();
        const char* end = p + got;
        while (p < end) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            if (!nl) {
                carry.assign(p, end);
                break;
            }
            const char* b = p;
            const char* e = nl;
            std::string joined;
            if (!carry.empty()) {
                joined = carry + std::string(p, nl);
                b = joined.data();
                e = b + joined.size();
                carry.clear();
            }
            if (codeLine) {
                while (b < e && *b == ' ')
                    ++b;
                int code = 0;
                std::from_chars(b, e, code);
                codeSum += code;
            } else {
                ++pairs;
            }
            codeLine = !codeLine;
            p = nl + 1;
        }
    }
    std::fclose(f);
    benchmark::DoNotOptimize(codeSum);
    return pairs;
}

struct GeneratedFile
{
    std::string path;
    int64_t bytes = 0;
    GeneratedFile(const std::string& text) : path(TempPath()), bytes(int64_t(text.size())) { WriteFile(path, text); }
    ~GeneratedFile() { unlink(path.c_str()); }
};

} // namespace

// The survey drawing: 100,000 POINTs and 100,000 INSERTs with three ATTRIBs each.
static void BM_DxfReadSurveyDrawing(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const GeneratedFile file(MakeSurveyDrawing(n));
    for (auto _ : state) {
        CDxfFile drawing;
        CDxfReader reader;
        if (reader.ReadFile(file.path, &drawing) != kDxfOk || int64_t(drawing.GetModelSpace()->GetEntityCount()) != 2 * n)
            state.SkipWithError("drawing did not read");
        benchmark::DoNotOptimize(drawing);
    }
    state.SetBytesProcessed(state.iterations() * file.bytes);
    state.counters["file_MB"] = double(file.bytes) / 1e6;
}
BENCHMARK(BM_DxfReadSurveyDrawing)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same bytes through a bare tag-pair tokenizer, for comparison in the same run.
static void BM_DxfTokenizeSurveyDrawing(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const GeneratedFile file(MakeSurveyDrawing(n));
    for (auto _ : state) {
        if (TokenizeBare(file.path) <= 0)
            state.SkipWithError("no pairs");
    }
    state.SetBytesProcessed(state.iterations() * file.bytes);
}
BENCHMARK(BM_DxfTokenizeSurveyDrawing)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_DxfReadLongPolyline(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const GeneratedFile file(MakeLongPolyline(n));
    for (auto _ : state) {
        CDxfFile drawing;
        CDxfReader reader;
        if (reader.ReadFile(file.path, &drawing) != kDxfOk || drawing.GetModelSpace()->GetEntityCount() != 1 ||
            int64_t(static_cast<DXFPLine*>(drawing.GetModelSpace()->GetEntity(0))->GetVertexCount()) != n)
            state.SkipWithError("polyline did not read");
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DxfReadLongPolyline)->Arg(200000)->Unit(benchmark::kMillisecond);

// Writing point inserts as the export does: one block, an insert with three attributes per point.
static void BM_DxfWritePointInserts(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    CDxfFile drawing;
    CDxfLayer* layer = drawing.AddLayer("POINTS");
    layer->SetColor(5);
    auto block = std::make_unique<CDxfBlock>();
    block->SetName("SURVEY_POINT");
    CDxfBlock* pointBlock = block.get();
    drawing.AddBlock(std::move(block));
    for (int64_t i = 0; i < n; ++i) {
        auto insert = std::make_unique<CDxfInsert>();
        const double x = 500000.0 + double(i % 1000) * 1.25;
        const double y = 4200000.0 + double(i / 1000) * 1.75;
        const double z = 100.0 + double(i % 97) * 0.125;
        insert->SetBlock(pointBlock);
        insert->SetLayer(layer);
        insert->SetTransform(x, y, z, 1, 1, 1, 0);
        const std::string values[3] = {std::to_string(i + 1), "TOPO", std::to_string(z)};
        const char* tags[3] = {"PNTNO", "DESC", "ELEV"};
        for (int a = 0; a < 3; ++a) {
            DXF_ADD_ATTRIB r;
            r.tag = tags[a];
            r.value = values[a];
            r.x = x;
            r.y = y;
            r.z = z;
            r.height = 0.18;
            auto attribute = std::make_unique<DXFAttrib>();
            attribute->SetFromRecord(r);
            insert->AddAttribute(std::move(attribute));
        }
        drawing.GetModelSpace()->AddEntity(std::move(insert));
    }
    const std::string path = TempPath();
    for (auto _ : state) {
        CDxfWriter writer(&drawing, path, false);
        if (writer.WriteSections() != 0)
            state.SkipWithError("write failed");
    }
    unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DxfWritePointInserts)->Arg(100000)->Unit(benchmark::kMillisecond);

namespace {

// Quiet message boxes and settings that leave the profile alone, for one benchmark.
class DxfBenchEnvironment
{
public:
    DxfBenchEnvironment()
    {
        m_previous = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        SetMorvelSettings(&m_settings);
    }
    ~DxfBenchEnvironment()
    {
        SetMorvelSettings(nullptr);
        SetMessageBoxHandler(std::move(m_previous));
    }

private:
    CMorvelSettings m_settings;
    MessageBoxHandler m_previous;
};

} // namespace

// The drawing of BM_DxfReadSurveyDrawing imported into an empty job of the program, with its raw
// data: compare with that benchmark in the same run (the target is within three times of it).
static void BM_DxfImportSurveyDrawing(benchmark::State& state)
{
    DxfBenchEnvironment environment;
    const JobRawDataFactory previous = SetJobRawDataFactory(MakeRawDataFactory());
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const GeneratedFile file(MakeSurveyDrawing(n));
    CPointBlockDefinition byTags;
    byTags.RemoveAll();
    for (auto _ : state) {
        state.PauseTiming();
        auto job = std::make_unique<CMorvelFileDoc>();
        state.ResumeTiming();
        FSDataFileDXF filter;
        filter.SetPointBlockDefinition(true, byTags);
        if (filter.ImportFile(file.path, 0, job.get()) != 0 || job->GetPointDatabase()->GetCount() != n) {
            state.SkipWithError("not every point block was imported");
            break;
        }
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
    SetJobRawDataFactory(previous);
    state.SetBytesProcessed(state.iterations() * file.bytes);
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["peak_MB"] = morvel::bench::PeakMemoryMegabytes();
}
BENCHMARK(BM_DxfImportSurveyDrawing)->Arg(100000)->Unit(benchmark::kMillisecond);

// The export of a job's points as point blocks with three attributes: compare with
// BM_DxfWritePointInserts (the target is within twice its time).
static void BM_DxfExportPointBlocks(benchmark::State& state)
{
    DxfBenchEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    morvel::test::TestJobDoc job;
    job.ReserveForPoints(size_t(n));
    for (int64_t i = 0; i < n; ++i) {
        CPointRecord* point = job.AddPoint(std::to_string(i + 1).c_str(), 500000.0 + double(i % 1000) * 1.25,
                                           4200000.0 + double(i / 1000) * 1.75, 100.0 + double(i % 97) * 0.125);
        point->SetDescription("TOPO");
    }
    CPointBlockDefinition definition;
    definition.FromText("N1D1E1");
    const std::string path = TempPath();
    for (auto _ : state) {
        CFSDataFileSaveDXF filter(&job, false);
        filter.SetExportOptions(true, definition, 2, 0.18, 0.05, false);
        int32_t count = 0;
        if (filter.Export(path, 0, &count) != 0 || count != n)
            state.SkipWithError("export failed");
    }
    unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DxfExportPointBlocks)->Arg(100000)->Unit(benchmark::kMillisecond);
