// Survey-scale benchmarks: each times the program's own operation beside a plain floor in the
// same process and reports the ratio (or the absolute figure) in a named counter, so one run of
// --benchmark_filter=Scale gives them all. Pin the run to one core and compare ratios.
#include "BenchData.h"
#include "BenchUtil.h"
#include "MapBenchHost.h"

#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/PointName.h"
#include "core/Parser.h"
#include "core/ProgramHelpers.h"
#include "core/TextEncoding.h"
#include "exchange/CoordinateImport.h"
#include "landxml/FSDataFileLoadXML.h"
#include "landxml/LandXML.h"
#include "landxml/elements/LandXMLCgPoints.h"
#include "model/JobRawData.h"
#include "model/MorvelFile.h"
#include "model/MorvelFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordOwner.h"
#include "model/SpRecordRBTree.h"
#include "model/TestJobDoc.h"
#include "platform/MessageBox.h"
#include "rawdata/JobRawDataFile.h"
#include "rawdata/RawDataFactory.h"
#include "rawdata/RawDataReduction.h"
#include "rawdata/RawJob.h"
#include "transfer/backup/ArithmeticCoder.h"
#include "views/PointRows.h"
#include "views/PreviewMapCore.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using morvel::test::TestJobDoc;

namespace {

// The thread's own processor time: on a shared machine wall time also counts the other work the
// core was given, which makes the ratios noise.
struct Clock
{
    using time_point = double;
    static double now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }
};

double Seconds(Clock::time_point from)
{
    return Clock::now() - from;
}

// Quiet message boxes, settings that leave the profile alone and the program's raw data.
class ScaleEnvironment
{
public:
    ScaleEnvironment()
    {
        m_box = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        SetMorvelSettings(&m_settings);
        m_raw = SetJobRawDataFactory(MakeRawDataFactory());
    }
    ~ScaleEnvironment()
    {
        SetJobRawDataFactory(std::move(m_raw));
        SetMorvelSettings(nullptr);
        SetMessageBoxHandler(std::move(m_box));
    }

private:
    CMorvelSettings m_settings;
    MessageBoxHandler m_box;
    JobRawDataFactory m_raw;
};

// A folder of its own, removed with everything in it.
struct TempFolder
{
    TempFolder()
    {
        char pattern[] = "/tmp/morvel-bench-scale-XXXXXX";
        path = mkdtemp(pattern) != nullptr ? pattern : "/tmp";
    }
    ~TempFolder()
    {
        std::error_code ec;
        if (path != "/tmp")
            fs::remove_all(path, ec);
    }
    std::string File(const char* name) const { return (fs::path(path) / name).string(); }
    std::string path;
};

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// ---- ASCII import -------------------------------------------------------------------------

void WritePnezd(const std::string& path, int64_t n)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    char line[128];
    for (int64_t i = 1; i <= n; ++i) {
        const int len = std::snprintf(line, sizeof line, "%lld,%.4f,%.4f,%.3f,TOPO%lld\r\n", (long long)i,
                                      538000.0 + double(i % 997) * 1.25, 1455000.0 + double(i % 1013) * 0.75,
                                      680.0 + double(i % 50) * 0.1, (long long)(i % 40));
        out.write(line, len);
    }
}

// The plain read: the file, its lines and fields, the numbers through from_chars.
int64_t PlainCsvRead(const std::string& path)
{
    return morvel::bench::PlainCsvRead(ReadWhole(path));
}

const std::vector<uint16_t> kPnezd = {0, 1, 2, 3, 4};

void BM_ScaleAsciiImport(benchmark::State& state)
{
    ScaleEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(100000);
    TempFolder folder;
    const std::string path = folder.File("points.csv");
    WritePnezd(path, n);
    double floor = 0, read = 0, import = 0;
    for (auto _ : state) {
        double start = Clock::now();
        if (PlainCsvRead(path) != n)
            state.SkipWithError("the plain read missed lines");
        floor += Seconds(start);

        start = Clock::now();
        {
            const std::string text = DecodeExternalText(ReadWhole(path));
            if (morvel::bench::ReadPointLines(text, kPnezd) != n)
                state.SkipWithError("the import's reader missed lines");
        }
        read += Seconds(start);

        auto job = std::make_unique<CMorvelFileDoc>();
        job->GetRawDataFile()->GenerateRawData(false);
        start = Clock::now();
        int32_t count = 0;
        ImportAsciiCoordinates(job.get(), path, kPnezd, ",", 0, nullptr, false, &count);
        import += Seconds(start);
        if (count != n)
            state.SkipWithError("not every point was imported");
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
    state.counters["ascii_import_x"] = import / floor;
    state.counters["ascii_read_x"] = read / floor;
    state.counters["import_ms"] = 1000.0 * import / double(state.iterations());
}
BENCHMARK(BM_ScaleAsciiImport)->Unit(benchmark::kMillisecond);

// ---- LandXML import -----------------------------------------------------------------------

void WriteLandXml(const std::string& path, int64_t n)
{
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\"?>\n<LandXML version=\"1.0\">\n<Units><Metric linearUnit=\"meter\" "
           "areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" temperatureUnit=\"celsius\" "
           "pressureUnit=\"mmHG\"/></Units>\n<CgPoints>\n";
    for (int64_t i = 1; i <= n; ++i)
        out << "  <CgPoint name=\"" << i << "\" desc=\"D" << (i % 97) << "\">" << (10000 + i * 0.125) << ' '
            << (20000 - i * 0.25) << ' ' << (100 + (i % 50) * 0.01) << "</CgPoint>\n";
    out << "</CgPoints>\n</LandXML>\n";
}

// pugixml's load and a walk that reads each point's name, description and three numbers.
int64_t PugixmlLoadAndWalk(const std::string& path)
{
    pugi::xml_document dom;
    if (!dom.load_file(path.c_str()))
        return -1;
    int64_t points = 0;
    double sum = 0;
    for (pugi::xml_node p : dom.child("LandXML").child("CgPoints").children("CgPoint")) {
        const char* name = p.attribute("name").value();
        const char* desc = p.attribute("desc").value();
        sum += double(std::strlen(name) + std::strlen(desc));
        const char* text = p.child_value();
        const char* end = text + std::strlen(text);
        for (int k = 0; k < 3; ++k) {
            while (text < end && *text == ' ')
                ++text;
            double v = 0;
            text = std::from_chars(text, end, v).ptr;
            sum += v;
        }
        ++points;
    }
    benchmark::DoNotOptimize(sum);
    return points;
}

// The element model alone, as the import uses it: load, then each group's points in file order
// with their names, coordinates and descriptions. Returns the number of points walked.
int64_t LandXmlModelWalk(const std::string& path)
{
    CLandXML document;
    document.SetReadAlignmentsAndParcels(false);
    std::string note;
    if (!document.LoadFile(path, note))
        return -1;
    int64_t points = 0;
    double sum = 0;
    for (const auto& group : document.GetCgPointsGroups())
        for (const CLandXMLCgPoint* point : group->GetPoints()) {
            double x, y, z;
            if (!point->HasName() || !point->GetCoordinates(x, y, z, 1.0))
                continue;
            sum += x + y + z + double(point->GetName().size() + std::strlen(point->GetDescText()));
            ++points;
        }
    benchmark::DoNotOptimize(sum);
    return points;
}

void BM_ScaleLandXmlImport(benchmark::State& state)
{
    ScaleEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(100000);
    TempFolder folder;
    const std::string path = folder.File("points.xml");
    WriteLandXml(path, n);
    double floor = 0, model = 0, import = 0;
    for (auto _ : state) {
        double start = Clock::now();
        if (PugixmlLoadAndWalk(path) != n)
            state.SkipWithError("the plain walk missed points");
        floor += Seconds(start);

        start = Clock::now();
        if (LandXmlModelWalk(path) != n)
            state.SkipWithError("the element model missed points");
        model += Seconds(start);

        auto job = std::make_unique<CMorvelFileDoc>();
        job->GetRawDataFile()->GenerateRawData(false);
        start = Clock::now();
        FSDataFileLoadXML reader;
        if (!reader.ImportFile(path, job.get()) || job->GetPointDatabase()->GetCount() != n)
            state.SkipWithError("the import failed");
        import += Seconds(start);
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
    state.counters["landxml_import_x"] = import / floor;
    // The reader's own share: the rest of the import is the job's adding and raw lines.
    state.counters["landxml_model_x"] = model / floor;
    state.counters["import_ms"] = 1000.0 * import / double(state.iterations());
}
BENCHMARK(BM_ScaleLandXmlImport)->Unit(benchmark::kMillisecond);

// ---- Job open and close -------------------------------------------------------------------

void BM_ScaleJobOpenClose(benchmark::State& state)
{
    ScaleEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(100000);
    TempFolder folder;
    const std::string job = folder.File("site.Mvj");
    {
        CMorvelFile file;
        file.Create(job.c_str());
        std::ofstream raw(folder.File("site.Mvr"), std::ios::binary);
        raw << "CO,Morvel RAW data format V2.00\r\nCO,DIST UNITS: Metres\r\nCO,ANGLE UNITS: Degrees\r\n";
        JobFilePoint p;
        char line[128];
        for (int64_t i = 0; i < n; ++i) {
            p.name = std::to_string(i + 1);
            p.description = i % 7 ? "FENCE" : "TOP BANK";
            p.northing = 5000.0 + double(i) * 0.5;
            p.easting = 1000.0 + double(i % 977) * 0.25;
            p.elevation = i % 3 ? 100.0 + double(i % 11) : NoValue;
            file.WritePoint(p);
            std::snprintf(line, sizeof line, "MP,%s,%.4f,%.4f,%.4f,%s\r\n", p.name.c_str(), p.northing, p.easting,
                          100.0, p.description.c_str());
            raw << line;
        }
        file.Close();
    }
    double floor = 0, open = 0, close = 0;
    for (auto _ : state) {
        double start = Clock::now();
        {
            CMorvelFile file;
            std::vector<JobFilePoint> points;
            if (!file.Open(job.c_str(), true) || !file.ReadAllPoints(points) || int64_t(points.size()) != n)
                state.SkipWithError("the job file did not read back");
        }
        floor += Seconds(start);

        start = Clock::now();
        auto doc = std::make_unique<CMorvelFileDoc>();
        if (!doc->OnOpenDocument(job) || doc->GetSortedIndex()->GetCount() != n) {
            state.SkipWithError("the job did not open");
            break;
        }
        open += Seconds(start);
        start = Clock::now();
        doc->OnCloseDocument();
        doc.reset();
        close += Seconds(start);
    }
    state.counters["job_open_x"] = open / floor;
    state.counters["job_close_x"] = close / open;
    state.counters["open_ms"] = 1000.0 * open / double(state.iterations());
}
BENCHMARK(BM_ScaleJobOpenClose)->Unit(benchmark::kMillisecond);

// ---- Point index --------------------------------------------------------------------------

// Only the name index: no store behind it.
class IndexOwner : public CRecordOwner
{
public:
    bool IsValidPointName(const char* name) override { return ::IsValidPointName(name); }
    void SetModifiedWithText(const char*, bool, bool) override {}
    CRecordSelection* GetSelection() override { return nullptr; }
    CRecordDatabase* GetRecordDatabase() override { return nullptr; }
    CPointDatabase* GetPointDatabase() override { return nullptr; }
    bool AddRecord(CRecord*) override { return false; }
    void SetLastPointName(const std::string&) override {}
};

struct NaturalLess
{
    bool operator()(const char* a, const char* b) const { return ComparePointNames(a, b) < 0; }
};

void BM_ScaleIndex(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(100000);
    std::vector<std::unique_ptr<CPointRecord>> points;
    std::vector<std::string> names;
    std::mt19937 random(17);
    for (int64_t i = 0; i < n; ++i) {
        // Field names: plain numbers, prefixed numbers and a few with letters after digits.
        std::string name = i % 3 == 0 ? std::to_string(i + 1) : i % 3 == 1 ? "CP" + std::to_string(i) : "T" + std::to_string(i) + "A";
        names.push_back(name);
        points.push_back(std::make_unique<CPointRecord>(name.c_str(), "", CLocation(double(i), 0, 0), true));
    }
    std::vector<size_t> order(points.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    std::vector<size_t> probes = order;
    std::shuffle(probes.begin(), probes.end(), random);

    double floorInsert = 0, floorLookup = 0, insert = 0, lookup = 0;
    IndexOwner owner;
    for (auto _ : state) {
        double start = Clock::now();
        {
            std::map<const char*, CPointRecord*, NaturalLess> floor;
            for (size_t i : order)
                floor.emplace(points[i]->GetName(), points[i].get());
            floorInsert += Seconds(start);
            start = Clock::now();
            int64_t found = 0;
            for (size_t i : probes)
                found += floor.find(names[i].c_str()) != floor.end() ? 1 : 0;
            floorLookup += Seconds(start);
            if (found != n)
                state.SkipWithError("the floor lost names");
            state.PauseTiming();
        }
        state.ResumeTiming();

        start = Clock::now();
        auto index = std::make_unique<CPointDatabase>(&owner);
        for (size_t i : order)
            index->Add(points[i].get());
        insert += Seconds(start);
        start = Clock::now();
        int64_t found = 0;
        for (size_t i : probes)
            found += index->FindPoint(names[i], true) != nullptr ? 1 : 0;
        lookup += Seconds(start);
        if (found != n)
            state.SkipWithError("the index lost names");
        state.PauseTiming();
        index.reset();
        state.ResumeTiming();
    }
    state.counters["index_insert_x"] = insert / floorInsert;
    state.counters["index_lookup_x"] = lookup / floorLookup;
}
BENCHMARK(BM_ScaleIndex)->Unit(benchmark::kMillisecond);

// ---- Raw data -----------------------------------------------------------------------------

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// Load and reduce at the size given; the 100,000-line run reports the bytes each line keeps
// resident (the heap the loaded job holds over what it held empty, per line).
void BM_ScaleRawData(benchmark::State& state)
{
    ScaleEnvironment environment;
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    TempFolder folder;
    const std::string path = folder.File("site.Mvr");
    {
        std::ofstream out(path, std::ios::binary);
        out << morvel::bench::MakeRawDataText(n);
    }
    double total = 0, perLine = 0, loadPer = 0;
    for (auto _ : state) {
        auto job = std::make_unique<morvel::test::RawJob>();
        const size_t before = HeapInUse();
        double start = Clock::now();
        LoadRawDataFromText(*job, job->raw, path, false);
        total += Seconds(start);
        // The lines alone, before the reduction files points and history.
        loadPer = double(HeapInUse() - before) / double(job->raw.GetLineCount());
        start = Clock::now();
        ReduceRawData(*job, job->raw, false, false, nullptr, nullptr);
        total += Seconds(start);
        perLine = double(HeapInUse() - before) / double(job->raw.GetLineCount());
        state.PauseTiming();
        job.reset();
        state.ResumeTiming();
    }
    state.counters["raw_reduce_ms"] = 1000.0 * total / double(state.iterations());
    state.counters["raw_bytes_per_line"] = perLine;
    state.counters["raw_load_bytes_per_line"] = loadPer;
}
BENCHMARK(BM_ScaleRawData)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// ---- Map ----------------------------------------------------------------------------------

// 250,000 points on a square grid 1 m apart; the map redrawn in full, then with a window on a
// tenth of the area.
void BM_ScaleMapRedraw(benchmark::State& state)
{
    CMorvelSettings settings;
    SetMorvelSettings(&settings);
    {
        const int64_t n = morvel::bench::BenchSize(250000);
        const int64_t side = int64_t(std::ceil(std::sqrt(double(n))));
        TestJobDoc doc;
        morvel::bench::BenchMapHost host;
        settings.SetShowPointIdLabels(true);
        settings.SetShowPointDesc(true);
        doc.settings.SetDistanceUnit(JobUnitMetres);
        for (int64_t i = 0; i < n; ++i)
            doc.AddPoint(std::to_string(i + 1).c_str(), double(i % side), double(i / side));
        CPreviewMapCore map(&host);
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 1200, 800});
        map.ZoomExtents(true);
        const double s = double(side);
        double full = 0, tenth = 0;
        for (auto _ : state) {
            map.ZoomExtents(true);
            double start = Clock::now();
            map.Refresh();
            full += Seconds(start);
            map.SetWindowAndRefresh(0, s * 0.3162, s * 0.3162, 0);
            start = Clock::now();
            map.Refresh();
            tenth += Seconds(start);
        }
        state.counters["map_tenth_x"] = tenth / full;
        state.counters["full_ms"] = 1000.0 * full / double(state.iterations());
    }
    SetMorvelSettings(nullptr);
}
BENCHMARK(BM_ScaleMapRedraw)->Unit(benchmark::kMillisecond);

// ---- Grid sort ----------------------------------------------------------------------------

// Sorting the grid's 100,000 rows by a column beside a sort of the same keys pulled out first.
void BM_ScaleGridSort(benchmark::State& state)
{
    const int column = int(state.range(0));
    CMorvelSettings settings;
    SetMorvelSettings(&settings);
    {
        const int64_t n = morvel::bench::BenchSize(100000);
        TestJobDoc doc;
        morvel::test::OpenDocumentScope open(&doc);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> coordinate(0.0, 100000.0);
        for (int64_t i = n; i >= 1; --i) {
            CPointRecord* p = doc.AddPoint(std::to_string(i).c_str(), coordinate(random), coordinate(random),
                                           coordinate(random));
            if (p != nullptr)
                p->SetDescription(i % 5 ? "Fence" : "TOP bank");
        }
        CPointRows rows;
        rows.Attach(&doc);
        std::vector<CPointRecord*> points;
        CPointDatabase* db = doc.GetPointDatabase();
        for (RedBlackNode* pos = db->GetFirstPosition(); pos != nullptr;)
            points.push_back(db->GetNextPoint(pos));
        double floor = 0, sort = 0, page = 0;
        for (auto _ : state) {
            double start = Clock::now();
            // Text keys with the row number breaking ties, as the grid orders equal texts.
            auto sortTextKeys = [&points](auto key, auto compare) {
                std::vector<std::pair<decltype(key(points[0])), size_t>> keys;
                keys.reserve(points.size());
                for (size_t i = 0; i < points.size(); ++i)
                    keys.emplace_back(key(points[i]), i);
                std::sort(keys.begin(), keys.end(), [&compare](const auto& a, const auto& b) {
                    const int r = compare(a.first, b.first);
                    return r != 0 ? r < 0 : a.second < b.second;
                });
                benchmark::DoNotOptimize(keys.data());
            };
            if (column == 0) {
                sortTextKeys([](CPointRecord* p) { return p->GetName(); },
                             [](const char* a, const char* b) { return ComparePointNames(a, b); });
            } else if (column == 4) {
                sortTextKeys([](CPointRecord* p) { return std::string(p->GetDescription()); },
                             [](const std::string& a, const std::string& b) { return CompareTextNoCase(a, b); });
            } else {
                // The settings put the northing first.
                std::vector<std::pair<double, size_t>> keys;
                keys.reserve(points.size());
                for (size_t i = 0; i < points.size(); ++i) {
                    const CLocation at = points[i]->GetLocation();
                    keys.emplace_back(column == 1 ? at.y : column == 2 ? at.x : at.z, i);
                }
                std::sort(keys.begin(), keys.end());
                benchmark::DoNotOptimize(keys.data());
            }
            floor += Seconds(start);

            CPointRows::SetSortColumn(column == 0 ? 1 : 0);
            rows.RebuildSortOrder();
            start = Clock::now();
            CPointRows::SetSortColumn(column);
            rows.RebuildSortOrder();
            sort += Seconds(start);
            // The first page painted after the sort, in the middle of the rows: the far jump
            // there is the costly one.
            start = Clock::now();
            const int32_t top = rows.GetCount() / 2;
            for (int32_t row = top; row < std::min(rows.GetCount(), top + 40); ++row)
                for (int c = 0; c < GridColumnCount; ++c)
                    benchmark::DoNotOptimize(rows.GetCellText(row, c));
            page += Seconds(start);
        }
        static const char* const labels[] = {"by name", "by northing", "by easting", "by elevation", "by description"};
        state.SetLabel(labels[column]);
        state.counters["grid_sort_x"] = sort / floor;
        state.counters["sort_ms"] = 1000.0 * sort / double(state.iterations());
        state.counters["page_ms"] = 1000.0 * page / double(state.iterations());
        CPointRows::SetSortColumn(-1);
        rows.Detach();
    }
    SetMorvelSettings(nullptr);
}
BENCHMARK(BM_ScaleGridSort)->DenseRange(0, GridColumnCount - 1)->Unit(benchmark::kMillisecond);

// ---- Backup coder -------------------------------------------------------------------------

// The job file of a 100,000-point job, or raw observation text of about its size.
std::vector<uint8_t> CoderSample(bool jobFile)
{
    const int64_t n = morvel::bench::BenchSize(100000);
    if (!jobFile) {
        std::string text;
        std::mt19937 rng(11);
        char line[160];
        for (int64_t i = 1; int64_t(text.size()) < n * 100; ++i) {
            const double ar = (rng() % 3600000) / 10000.0, ze = 80 + (rng() % 200000) / 10000.0;
            const double sd = (rng() % 5000000) / 1000.0;
            std::snprintf(line, sizeof line, "SS,OP%lld,FP%lld,AR%.4f,ZE%.4f,SD%.3f,--%s\n", (long long)(i - i % 50),
                          (long long)i, ar, ze, sd, i % 7 ? "FENCE" : "TOP BANK");
            text += line;
        }
        return std::vector<uint8_t>(text.begin(), text.end());
    }
    TempFolder folder;
    const std::string path = folder.File("site.Mvj");
    morvel::bench::WriteMadeUpJobFile(path, n);
    const std::string bytes = ReadWhole(path);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void BM_ScaleBackupCoder(benchmark::State& state)
{
    const std::vector<uint8_t> data = CoderSample(state.range(0) == 0);
    double in = 0, out = 0;
    for (auto _ : state) {
        ArithmeticCoder coder;
        uint8_t* packed = nullptr;
        size_t packedSize = 0;
        double start = Clock::now();
        if (!coder.Compress(data.data(), data.size(), &packed, &packedSize)) {
            state.SkipWithError("compression failed");
            break;
        }
        in += Seconds(start);
        uint8_t* unpacked = nullptr;
        size_t unpackedSize = 0;
        start = Clock::now();
        const bool ok = coder.Decompress(packed, packedSize, &unpacked, &unpackedSize);
        out += Seconds(start);
        if (!ok || unpackedSize != data.size() || std::memcmp(unpacked, data.data(), data.size()) != 0)
            state.SkipWithError("the round trip changed the bytes");
        delete[] packed;
        delete[] unpacked;
    }
    const double megabytes = double(data.size()) * double(state.iterations()) / 1e6;
    state.SetLabel(state.range(0) == 0 ? "job file" : "raw text");
    state.counters["coder_in_mbps"] = megabytes / in;
    state.counters["coder_out_mbps"] = megabytes / out;
}
BENCHMARK(BM_ScaleBackupCoder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
