#include "BenchUtil.h"

#include "landxml/FSDataFileLoadXML.h"
#include "landxml/LandXML.h"
#include "model/PointDatabase.h"
#include "platform/MessageBox.h"
#include "tests/model/TestJobDoc.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

// Generated LandXML point files, written once per size and removed at exit.
class GeneratedFiles
{
public:
    ~GeneratedFiles()
    {
        for (const auto& entry : m_paths)
            std::remove(entry.second.c_str());
    }

    // n points; with forward set, the first half refer by pntRef to points of the second half,
    // which come later in the file and are read on demand.
    const std::string& Get(int64_t n, bool forward)
    {
        const std::string key = std::to_string(n) + (forward ? "f" : "p");
        auto it = m_paths.find(key);
        if (it != m_paths.end())
            return it->second;
        const std::string path = (std::filesystem::temp_directory_path() /
                                  ("morvel-bench-landxml-" + std::to_string(::getpid()) + "-" + key + ".xml"))
                                     .string();
        std::ofstream out(path, std::ios::binary);
        out << "<?xml version=\"1.0\"?>\n<LandXML version=\"1.0\">\n<Units><Metric linearUnit=\"meter\" "
               "areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" temperatureUnit=\"celsius\" "
               "pressureUnit=\"mmHG\"/></Units>\n<CgPoints>\n";
        const int64_t half = n / 2;
        for (int64_t i = 1; i <= n; ++i) {
            if (forward && i <= half) {
                out << "  <CgPoint name=\"" << i << "\" pntRef=\"" << (i + half) << "\"/>\n";
                continue;
            }
            out << "  <CgPoint name=\"" << i << "\" desc=\"D" << (i % 97) << "\">" << (10000 + i * 0.125) << ' '
                << (20000 - i * 0.25) << ' ' << (100 + (i % 50) * 0.01) << "</CgPoint>\n";
        }
        out << "</CgPoints>\n</LandXML>\n";
        return m_paths.emplace(key, path).first->second;
    }

private:
    std::map<std::string, std::string> m_paths;
};

GeneratedFiles& Files()
{
    static GeneratedFiles files;
    return files;
}

// The yardstick: pugixml alone parsing the same file.
void BM_LandXMLBarePugixmlLoad(benchmark::State& state)
{
    const std::string& path = Files().Get(morvel::bench::BenchSize(state.range(0)), false);
    for (auto _ : state) {
        pugi::xml_document dom;
        benchmark::DoNotOptimize(dom.load_file(path.c_str()));
    }
}
BENCHMARK(BM_LandXMLBarePugixmlLoad)->Arg(100000)->Unit(benchmark::kMillisecond);

void LoadWithImportSwitches(benchmark::State& state, bool forward)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string& path = Files().Get(n, forward);
    for (auto _ : state) {
        CLandXML document;
        document.SetReadAlignmentsAndParcels(false);
        std::string note;
        benchmark::DoNotOptimize(document.LoadFile(path, note));
        if (document.GetNamedCgPointCount() != n)
            state.SkipWithError("points missing");
    }
    state.SetComplexityN(n);
}

// The whole model over the file, as the import reads it; aim: within 5x of the bare parse.
void BM_LandXMLLoadFile(benchmark::State& state)
{
    LoadWithImportSwitches(state, false);
}
BENCHMARK(BM_LandXMLLoadFile)->Arg(100000)->Unit(benchmark::kMillisecond);

// Half the points refer forward: each reference reads its point on demand through the name
// index, so the cost must stay n log n, not grow with the square.
void BM_LandXMLLoadFileForwardReferences(benchmark::State& state)
{
    LoadWithImportSwitches(state, true);
}
BENCHMARK(BM_LandXMLLoadFileForwardReferences)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

// The full import into an empty job; aim: under 0.5 s for 100,000 points.
void BM_LandXMLImportFile(benchmark::State& state)
{
    static const MessageBoxHandler quiet = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string& path = Files().Get(n, false);
    for (auto _ : state) {
        state.PauseTiming();
        auto* job = new morvel::test::TestJobDoc;
        state.ResumeTiming();
        FSDataFileLoadXML import;
        if (!import.ImportFile(path, job) || job->GetPointDatabase()->GetCount() != n)
            state.SkipWithError("import failed");
        state.PauseTiming();
        delete job;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LandXMLImportFile)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

std::string SharedSample(const char* name)
{
    return std::string(MORVEL_SOURCE_DIR) + "/../shared/testdata/" + name;
}

// The public subdivision sample (alignments with profiles, parcels, two TIN surfaces) read with
// every switch on, beside pugixml alone on the same file; aim: within 5x.
void BM_LandXMLSampleBarePugixml(benchmark::State& state)
{
    const std::string path = SharedSample("lx2gltf_subdivision_1_1.xml");
    for (auto _ : state) {
        pugi::xml_document dom;
        benchmark::DoNotOptimize(dom.load_file(path.c_str()));
    }
}
BENCHMARK(BM_LandXMLSampleBarePugixml)->Unit(benchmark::kMillisecond);

void BM_LandXMLSampleAllSwitches(benchmark::State& state)
{
    const std::string path = SharedSample("lx2gltf_subdivision_1_1.xml");
    for (auto _ : state) {
        CLandXML document;
        document.SetReadGradeModels(true);
        document.SetReadSurfaces(true);
        std::string note;
        try {
            benchmark::DoNotOptimize(document.LoadFile(path, note));
        } catch (const CLandXMLException& e) {
            state.SkipWithError(e.GetMessage().c_str());
            break;
        }
    }
}
BENCHMARK(BM_LandXMLSampleAllSwitches)->Unit(benchmark::kMillisecond);

// An alignment of n line segments plus one Chain through n named points: every chain name is
// found through the name index, so the cost stays n log n.
void BM_LandXMLAlignmentChain(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("morvel-bench-chain-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".xml"))
                                 .string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "<LandXML><Units><Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" "
               "temperatureUnit=\"celsius\" pressureUnit=\"mmHG\"/></Units>\n<CgPoints>\n";
        for (int64_t i = 0; i <= n; ++i)
            out << "<CgPoint name=\"C" << i << "\">" << i << " 0</CgPoint>\n";
        out << "</CgPoints>\n<Alignments><Alignment name=\"road\" length=\"" << n << "\" staStart=\"0\"><CoordGeom>\n";
        for (int64_t i = 0; i < n; ++i)
            out << "<Line><Start>" << i << " 0</Start><End>" << (i + 1) << " 0</End></Line>\n";
        out << "<Chain>";
        for (int64_t i = n; i >= 0; --i)
            out << "C" << i << (i > 0 ? " " : "");
        out << "</Chain>\n</CoordGeom></Alignment></Alignments></LandXML>\n";
    }
    for (auto _ : state) {
        CLandXML document;
        std::string note;
        try {
            benchmark::DoNotOptimize(document.LoadFile(path, note));
        } catch (const CLandXMLException& e) {
            state.SkipWithError(e.GetMessage().c_str());
            break;
        }
    }
    std::remove(path.c_str());
    state.SetComplexityN(n);
}
BENCHMARK(BM_LandXMLAlignmentChain)->Arg(2500)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

} // namespace
