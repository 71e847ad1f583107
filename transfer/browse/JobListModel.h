#pragma once

#include "core/ColoredTextLines.h"
#include "transfer/browse/FileListModel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The job list's content modes (the opposite codes from the file list's).
inline constexpr int32_t JobListJobsOnly = 0;
inline constexpr int32_t JobListFoldersAndJobs = 1;

// Row images of the job list.
inline constexpr int32_t JobImageComplete = 4;
inline constexpr int32_t JobImageIncomplete = 5;
inline constexpr int32_t JobImageFolder = 6;

// Program icons the job tip shows.
inline constexpr int32_t JobTipIconComplete = 9;
inline constexpr int32_t JobTipIconIncomplete = 792;
inline constexpr int32_t JobTipIconFolder = 212;

// One row of the job list: a job's coordinate file and raw file of the same name, or a folder.
class CJobInfo
{
public:
    static constexpr uint32_t KindNone = 0;
    static constexpr uint32_t KindMorvel = 1;

    // Adds one file of the job: the first file names the row; a file of another name, another
    // extension than Mvj or Mvr, or a second file of one side fails.
    bool AddFile(const std::string& path, uint64_t size, int64_t time);
    void SetFolder(const std::string& name, int64_t time);

    const std::string& GetName() const { return m_name; }
    bool IsFolder() const { return m_isFolder; }
    bool HasCoordinateFile() const { return m_hasCoordinates; }
    bool HasRawFile() const { return m_hasRaw; }
    bool IsJob() const { return !m_isFolder && (m_hasCoordinates || m_hasRaw); }
    uint32_t GetKind() const { return m_kind; }

    uint64_t GetJobSize() const { return m_isFolder ? 0 : m_coordinateSize + m_rawSize; }
    // A folder's time; for a job the later of its files' times.
    int64_t GetModified() const;
    std::string GetCoordinateFileName() const;
    std::string GetRawFileName() const;
    uint64_t GetCoordinateSize() const { return m_coordinateSize; }
    uint64_t GetRawSize() const { return m_rawSize; }
    int64_t GetCoordinateTime() const { return m_coordinateTime; }
    int64_t GetRawTime() const { return m_rawTime; }

    // Image 6 for a folder, 4 for a job with both files, 5 with one; -1 otherwise.
    int32_t GetImage() const;
    // The row's tip lines; the result is the program icon to show beside them.
    int32_t FormatTip(CColoredTextLines& lines) const;

private:
    uint32_t m_kind = KindNone;
    bool m_hasCoordinates = false;
    bool m_hasRaw = false;
    std::string m_name;
    bool m_isFolder = false;
    int64_t m_folderTime = 0;
    uint64_t m_coordinateSize = 0;
    int64_t m_coordinateTime = 0;
    uint64_t m_rawSize = 0;
    int64_t m_rawTime = 0;
};

// Row order of the job list: folders first by name, jobs by name, size or modified time.
class CJobInfoOrder
{
public:
    explicit CJobInfoOrder(const CListSortState& sort) : m_column(sort.column), m_ascending(sort.IsAscending()) {}
    static int CompareJobs(const CJobInfo& a, const CJobInfo& b, int32_t column, bool ascending);
    int Compare(const CJobInfo& a, const CJobInfo& b) const;
    bool operator()(const CJobInfo* a, const CJobInfo* b) const { return Compare(*a, *b) < 0; }

private:
    int32_t m_column;
    bool m_ascending;
};

void SortJobRows(std::vector<CJobInfo*>& rows, const CListSortState& sort);

// The job row of that name whose coordinate or raw file name is the file name; null when none.
CJobInfo* FindJob(const std::vector<std::unique_ptr<CJobInfo>>& rows, const std::string& name,
                  const std::string& fileName);

// Pairs the folder's job files into rows (only for job kind 1) and lists sub-folders in content
// mode 1. False, with the reason, when the folder cannot be read; the rows are then empty.
bool ReadJobFolder(const std::string& folder, int32_t contentMode, uint32_t jobKind,
                   std::vector<std::unique_ptr<CJobInfo>>& rows, std::string& error);
