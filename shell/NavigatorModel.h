#pragma once

#include "core/ColoredTextLines.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the project navigator shows, without its window: the items of its tree, the file-missing
// marks, the file names and paths behind the file items, and the texts of its tips.
namespace nav {

// Item kinds, kept as each tree item's data.
inline constexpr uint32_t KindNone = 0;
inline constexpr uint32_t KindJob = 2;
inline constexpr uint32_t KindOpenJob = 3;
inline constexpr uint32_t KindRecentJobs = 4;
inline constexpr uint32_t KindRecentFirst = 5;
inline constexpr uint32_t KindRecentLast = 8;
inline constexpr uint32_t KindNewJob = 9;
inline constexpr uint32_t KindImport = 10;
inline constexpr uint32_t KindExport = 15;
inline constexpr uint32_t KindGetJob = 19;
inline constexpr uint32_t KindSendJob = 20;
// Coordinate data file n is 1000 + n; raw data file n is 1999 + n.
inline constexpr uint32_t KindCoordinateFile = 1000;
inline constexpr uint32_t KindRawFile = 2000;
inline bool IsCoordinateFileKind(uint32_t kind) { return kind >= 1000 && kind <= 1999; }
inline bool IsRawFileKind(uint32_t kind) { return kind >= 2000 && kind <= 2999; }

// Icons of the tree, in the order of its image list.
inline constexpr std::array<uint32_t, 15> ImageIcons = {623, 1038, 253, 769, 849, 850, 855, 854,
                                                        853, 7091, 7092, 9,   8,   212, 7030};
inline constexpr uint32_t MissingMarkIcon = 769;
// The image index of an icon; -1 for one not in the list.
int ImageIndexOfIcon(uint32_t icon);
// The main menu command a click on a shortcut posts; 0 for none.
int CommandForKind(uint32_t kind);
// The context menu's command after "Toggle icon size": 7402 for the job and its job file, 7326
// for the two transfer items, 0 for none.
int MenuCommandForKind(uint32_t kind);

// The active job as the navigator sees it.
struct Job
{
    bool open = false;
    // The scratch job, never saved under a name.
    bool temporary = false;
    std::string path;
    // The job's folder with its separator.
    std::string folder;
};

struct Item
{
    std::string text;
    uint32_t kind = KindNone;
    uint32_t icon = 0;
    int parent = -1; // index in the list; -1 at the root
    bool expanded = false;
    bool marked = false; // the file-missing mark
};

using FileTest = std::function<bool(const std::string& path)>;

// The job with its file items, then the shortcuts; recent jobs are the first four entries of the
// list, a missing file leaving a gap in the kinds.
std::vector<Item> BuildTree(const Job& job, const std::vector<std::string>& recentFiles, const FileTest& exists);
// The job's file items alone (two with a job, one empty raw item without), marked as they stand.
std::vector<Item> BuildJobFiles(const Job& job, const FileTest& exists);

// The marks of the job item and its coordinate and raw file items for a job file name.
struct FileMarks
{
    bool job = false;
    bool coordinate = false;
    bool raw = false;
};
FileMarks ComputeFileMarks(const Job& job, const std::string& fileName, const FileTest& exists);

// The raw data file name beside a job file name ("Mvj" becomes "Mvr"); other names unchanged.
std::string RawFileNameOf(const std::string& name);
// The file name an item stands for (kind after the job item's substitution); empty for none.
std::string ItemFileName(const Job& job, uint32_t kind);
// 2 for the job item, 1000 or 2000 for the file kinds, else 0.
uint32_t ItemGroup(uint32_t originalKind, uint32_t kind);
// A name with a folder part as it is; else in the job's folder.
std::string JobFilePath(const Job& job, const std::string& name);
// lParam of 0x80F2 for a click on a file item.
intptr_t RegenerationRequest(bool raw, bool jobFileMissing);

// Tips. Headings are in the title colour, errors in the problem colour.
struct JobSettingsTip
{
    int distanceUnit = 0;
    int angleUnit = 0;
    int azimuth = 0;
    bool curvature = false;
    std::string curvatureText;
    bool seaLevel = false;
    bool useScaleFactor = false;
    double scaleFactor = 1.0;
};
void FormatShortcutTip(uint32_t kind, CColoredTextLines& lines);
// Over the title label; returns the tip icon.
uint32_t FormatLabelTip(const Job& job, const JobSettingsTip& settings, CColoredTextLines& lines);
uint32_t FormatJobItemTip(const Job& job, CColoredTextLines& lines);
uint32_t FormatFileItemTip(const Job& job, uint32_t group, const std::string& fileName, CColoredTextLines& lines);
void FormatFileDates(const std::string& path, CColoredTextLines& lines);

} // namespace nav
