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
