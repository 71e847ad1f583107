#include "BenchUtil.h"

#include "transfer/browse/FileListModel.h"
#include "transfer/browse/JobListModel.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A folder of its own under the temporary folder, removed at the end.
class BenchFolder
{
public:
    BenchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "morvel-bench-browse-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~BenchFolder()
    {
        std::error_code ec;
        if (!m_path.empty())
            fs::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }

    bool Touch(const std::string& name, size_t size)
    {
        const int fd = ::open((m_path + "/" + name).c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        const bool sized = ftruncate(fd, off_t(size)) == 0;
        ::close(fd);
        return sized;
    }

private:
    std::string m_path;
};

const char* const Extensions[] = {"txt", "Mvj", "Mvr", "dxf", "xml", "csv", "rg7", "TN7", "pdf", "jpg"};

// A field laptop's download folder: files of mixed types, a few sub-folders, read, typed (through
// the MIME table, cached per extension) and sorted by type as the list does on a column click.
void BM_FileListReadTypeSort(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    BenchFolder folder;
    for (int64_t i = 0; i < n; ++i)
        if (!folder.Touch("survey_" + std::to_string(i * 7919 % n) + "." + Extensions[i % 10], size_t(i % 5000)))
            state.SkipWithError("the folder could not be filled");
    for (int i = 0; i < 20; ++i)
        fs::create_directory(folder.Path() + "/sub" + std::to_string(i));
    CListSortState sort;
    sort.ClickColumn(3);
    for (auto _ : state) {
        // A fresh table each pass: the first listing of a folder pays for the MIME look-ups.
        CFileTypeNames types;
        std::vector<CFileInfo> rows;
        std::string error;
        if (!ReadFolder(folder.Path(), FileListFoldersAndFiles, "", types, rows, error))
            state.SkipWithError(error.c_str());
        std::vector<CFileInfo*> order;
        order.reserve(rows.size());
        for (CFileInfo& row : rows)
            order.push_back(&row);
        SortFileRows(order, sort);
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["target_ms"] = 200;
}
BENCHMARK(BM_FileListReadTypeSort)->Arg(10000)->Unit(benchmark::kMillisecond);

// A job folder of 10,000 jobs (20,000 files) paired into rows and sorted by modified time.
void BM_JobListPairAndSort(benchmark::State& state)
{
    const int64_t n = morvel::bench::BenchSize(state.range(0));
    BenchFolder folder;
    for (int64_t i = 0; i < n; ++i)
        if (!folder.Touch("JOB" + std::to_string(i) + ".Mvj", 4096) ||
            !folder.Touch("job" + std::to_string(i) + ".mvr", 1024))
            state.SkipWithError("the folder could not be filled");
    CListSortState sort;
    sort.ClickColumn(2);
    for (auto _ : state) {
        std::vector<std::unique_ptr<CJobInfo>> rows;
        std::string error;
        if (!ReadJobFolder(folder.Path(), JobListFoldersAndJobs, CJobInfo::KindMorvel, rows, error))
            state.SkipWithError(error.c_str());
        std::vector<CJobInfo*> order;
        order.reserve(rows.size());
        for (const auto& row : rows)
            order.push_back(row.get());
        SortJobRows(order, sort);
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_JobListPairAndSort)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
