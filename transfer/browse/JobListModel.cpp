#include "transfer/browse/JobListModel.h"

#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>

namespace {

constexpr uint32_t Black = MakeRgb(0, 0, 0);

bool SameNoCase(const std::string& a, const std::string& b) { return CompareTextNoCase(a, b) == 0; }

// Name without folder and extension, and the extension (empty without a '.').
void SplitName(const std::string& path, std::string& title, std::string& extension)
{
    const std::string name = GetPathFileName(path);
    const size_t dot = name.rfind('.');
    title = dot == std::string::npos ? name : name.substr(0, dot);
    extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

int CompareValues(auto a, auto b) { return a < b ? -1 : (a > b ? 1 : 0); }

} // namespace

bool CJobInfo::AddFile(const std::string& path, uint64_t size, int64_t time)
{
    std::string name, extension;
    SplitName(path, name, extension);
    if (name.empty())
        return false;
    if ((m_hasCoordinates || m_hasRaw) && !SameNoCase(name, m_name))
        return false;
    const bool coordinates = SameNoCase(extension, "Mvj");
    if (!coordinates && !SameNoCase(extension, "Mvr"))
        return false;
    if ((coordinates && m_hasCoordinates) || (!coordinates && m_hasRaw))
        return false;
    if (m_kind != KindNone && m_kind != KindMorvel)
        return false;
    if (!m_hasCoordinates && !m_hasRaw) {
        m_name = name;
        m_kind = KindMorvel;
    }
    if (coordinates) {
        m_hasCoordinates = true;
        m_coordinateSize = size;
        m_coordinateTime = time;
    } else {
        m_hasRaw = true;
        m_rawSize = size;
        m_rawTime = time;
    }
    return true;
}

void CJobInfo::SetFolder(const std::string& name, int64_t time)
{
    m_isFolder = true;
    m_name = name;
    m_folderTime = time;
}

int64_t CJobInfo::GetModified() const
{
    if (m_isFolder)
        return m_folderTime;
    return std::max(m_hasCoordinates ? m_coordinateTime : 0, m_hasRaw ? m_rawTime : 0);
}

std::string CJobInfo::GetCoordinateFileName() const { return m_name + "." + (m_kind == KindMorvel ? "Mvj" : ""); }

std::string CJobInfo::GetRawFileName() const { return m_name + "." + (m_kind == KindMorvel ? "Mvr" : ""); }

int32_t CJobInfo::GetImage() const
{
    if (m_isFolder)
        return JobImageFolder;
    if (m_hasCoordinates && m_hasRaw)
        return JobImageComplete;
    if (m_hasCoordinates || m_hasRaw)
        return JobImageIncomplete;
    return -1;
}

int32_t CJobInfo::FormatTip(CColoredTextLines& lines) const
{
    lines.RemoveAll();
    if (m_isFolder) {
        lines.AddLineDefaultColor("Folder:\t" + m_name + "\n");
        return JobTipIconFolder;
    }
    if (m_hasCoordinates)
        lines.AddLine("Coordinate Data File:\t" + GetCoordinateFileName() + "\nSize:\t" +
                          FormatFileSizeKB(m_coordinateSize) + "\nModified:\t" + FormatListTime(m_coordinateTime) +
                          "\n \t \n",
                      Black);
    else
        lines.AddLine("Coordinate Data File:\t" + GetCoordinateFileName() + "  File not found\n\t \n", ProblemTextColor);
    if (m_hasRaw)
        lines.AddLineDefaultColor("Raw Data File:\t" + GetRawFileName() + "\nSize:\t" + FormatFileSizeKB(m_rawSize) +
                                  "\nModified:\t" + FormatListTime(m_rawTime) + "\n");
    else
        lines.AddLine("Raw Data File:\t" + GetRawFileName() + "  File not found\n", ProblemTextColor);
    return m_hasCoordinates && m_hasRaw ? JobTipIconComplete : JobTipIconIncomplete;
}

int CJobInfoOrder::CompareJobs(const CJobInfo& a, const CJobInfo& b, int32_t column, bool ascending)
{
    int result = 0;
    switch (column) {
    case 0: result = CompareTextNoCase(a.GetName(), b.GetName()); break;
    case 1: result = CompareValues(a.GetJobSize(), b.GetJobSize()); break;
    case 2: result = CompareValues(a.GetModified(), b.GetModified()); break;
    default: break;
    }
    return ascending ? result : -result;
}

int CJobInfoOrder::Compare(const CJobInfo& a, const CJobInfo& b) const
{
    if (a.IsFolder() != b.IsFolder())
        return a.IsFolder() ? -1 : 1;
    if (a.IsFolder()) {
        const int result = CompareTextNoCase(a.GetName(), b.GetName());
        return m_ascending ? result : -result;
    }
    return CompareJobs(a, b, m_column, m_ascending);
}

void SortJobRows(std::vector<CJobInfo*>& rows, const CListSortState& sort)
{
    std::stable_sort(rows.begin(), rows.end(), CJobInfoOrder(sort));
}

CJobInfo* FindJob(const std::vector<std::unique_ptr<CJobInfo>>& rows, const std::string& name,
                  const std::string& fileName)
{
    for (const auto& row : rows)
        if (!row->IsFolder() && SameNoCase(row->GetName(), name) &&
            (SameNoCase(row->GetCoordinateFileName(), fileName) || SameNoCase(row->GetRawFileName(), fileName)))
            return row.get();
    return nullptr;
}

bool ReadJobFolder(const std::string& folder, int32_t contentMode, uint32_t jobKind,
                   std::vector<std::unique_ptr<CJobInfo>>& rows, std::string& error)
{
    rows.clear();
    DIR* dir = opendir(WithTrailingSlash(folder).c_str());
    if (!dir) {
        error = std::strerror(errno);
        return false;
    }
    const int fd = dirfd(dir);
    // Rows by lower-case name, so pairing 10,000 jobs does not walk the rows for every file.
    std::unordered_map<std::string, CJobInfo*> index;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st{};
        if (fstatat(fd, name.c_str(), &st, 0) != 0 && fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            if (contentMode == JobListFoldersAndJobs) {
                auto row = std::make_unique<CJobInfo>();
                row->SetFolder(name, int64_t(st.st_mtime));
                rows.push_back(std::move(row));
            }
            continue;
        }
        std::string title, extension;
        SplitName(name, title, extension);
        if (jobKind != CJobInfo::KindMorvel || (!SameNoCase(extension, "Mvj") && !SameNoCase(extension, "Mvr")))
            continue;
        std::string key = title;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (const auto at = index.find(key); at != index.end()) {
            at->second->AddFile(name, uint64_t(st.st_size), int64_t(st.st_mtime));
            continue;
        }
        auto row = std::make_unique<CJobInfo>();
        if (!row->AddFile(name, uint64_t(st.st_size), int64_t(st.st_mtime)))
            continue;
        index.emplace(key, row.get());
        rows.push_back(std::move(row));
    }
    closedir(dir);
    return true;
}
