#include "shell/NavigatorModel.h"

#include "core/Format.h"
#include "core/PathHelpers.h"
#include "model/JobFileHeader.h"
#include "model/SystemTime.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

namespace nav {

namespace {

constexpr const char* Untitled = "Untitled";
constexpr const char* Separator = "------------\t------------\n";

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

bool IsJobName(const std::string& name) { return SameText(GetPathExtension(name), "Mvj"); }
bool IsRawName(const std::string& name) { return SameText(GetPathExtension(name), "Mvr"); }

std::string JobFileName(const Job& job) { return job.open ? GetPathFileName(job.path) : std::string(); }

enum class HeaderRead { Ok, OpenFailed, Corrupted };

// Reads no more than the header, and never past what the file holds: a short file is corrupted,
// a header the job file would refuse on opening cannot be opened.
HeaderRead ReadHeader(const std::string& path, JobFileHeader& header)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return HeaderRead::OpenFailed;
    size_t got = 0;
    while (got < JobFileHeader::Size) {
        const ssize_t n = ::read(fd, header.bytes.data() + got, JobFileHeader::Size - got);
        if (n <= 0)
            break;
        got += size_t(n);
    }
    ::close(fd);
    if (got < JobFileHeader::Size)
        return HeaderRead::Corrupted;
    if (!IsValidSystemTime(header.GetCreated()) || header.GetAngleUnit() > 1 || header.GetDistanceUnit() > 2)
        return HeaderRead::OpenFailed;
    return HeaderRead::Ok;
}

std::string DateText(int month, int day, int year, int hour, int minute, int second)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02d-%02d-%4d %02d:%02d:%02d\n", month, day, year, hour, minute, second);
    return text;
}

std::string LocalDateText(int64_t seconds)
{
    const time_t t = time_t(seconds);
    struct tm local {};
    localtime_r(&t, &local);
    return DateText(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900, local.tm_hour, local.tm_min,
                    local.tm_sec);
}

void AddSurveyUnit(int unit, CColoredTextLines& lines)
{
    static const char* const texts[] = {"Survey Units:\tMeters\n", "Survey Units:\tFeet\n", "Survey Units:\tUS Feet\n"};
    if (unit >= 0 && unit <= 2)
        lines.AddLineDefaultColor(texts[unit]);
}

void AddAngleUnit(int unit, CColoredTextLines& lines)
{
    if (unit == 0 || unit == 1)
        lines.AddLineDefaultColor(unit == 0 ? "Angle Units:\tDegrees\n" : "Angle Units:\tGrads\n");
}

void AddAzimuth(bool south, CColoredTextLines& lines)
{
    lines.AddLineDefaultColor(south ? "Azimuth Format:\tSouth Azimuth\n" : "Azimuth Format:\tNorth Azimuth\n");
}

void AddScaleFactor(bool used, double factor, CColoredTextLines& lines)
{
    lines.AddLineDefaultColor(used ? "Scale Factor:\t" + FormatDoubleFull(factor) + "\n" : "Scale Factor:\tNot Used\n");
}

// The settings lines of a job file's header.
void AddHeaderSettings(const JobFileHeader& header, CColoredTextLines& lines)
{
    const uint32_t flags = header.GetFlags();
    AddSurveyUnit(header.GetDistanceUnit(), lines);
    AddAngleUnit(header.GetAngleUnit(), lines);
    AddAzimuth(flags & JobFileHeader::FlagSouthAzimuth, lines);
    AddScaleFactor(flags & JobFileHeader::FlagUseScaleFactor, header.GetScaleFactor(), lines);
    lines.AddLineDefaultColor((flags & JobFileHeader::FlagCurvature) ? "Adjust for Earth Curvature:\tYes\n"
                                                                      : "Adjust for Earth Curvature:\tNo\n");
}

} // namespace

int ImageIndexOfIcon(uint32_t icon)
{
    for (size_t i = 0; i < ImageIcons.size(); ++i)
        if (ImageIcons[i] == icon)
            return int(i);
    return -1;
}

int CommandForKind(uint32_t kind)
{
    switch (kind) {
    case 3: return 7407;
    case 5: return 57616;
    case 6: return 57617;
    case 7: return 57618;
    case 8: return 57619;
    case 9: return 7375;
    case 11: return 7238;
    case 12: return 7138;
    case 13: return 7340;
    case 14: return 7499;
    case 16: return 7235;
    case 17: return 7079;
    case 18: return 7339;
    case 19: return 7315;
    case 20: return 7312;
    default: return 0;
    }
}

int MenuCommandForKind(uint32_t kind)
{
    if (kind == KindJob || IsCoordinateFileKind(kind))
        return 7402;
    if (kind == KindGetJob || kind == KindSendJob)
        return 7326;
    return 0;
}

std::string RawFileNameOf(const std::string& name)
{
    std::string raw = name;
    if (IsJobName(name))
        ChangePathExtension(raw, "Mvr");
    return raw;
}

std::vector<Item> BuildJobFiles(const Job& job, const FileTest& exists)
{
    std::vector<Item> files;
    const std::string jobName = JobFileName(job);
    const int count = job.open ? 2 : 1;
    for (int n = 0; n < count; ++n) {
        std::string name;
        bool coordinate = false;
        if (!job.open) {
        } else if (job.temporary) {
            name = Untitled;
            coordinate = n == 0;
        } else if (n == 0) {
            name = jobName;
            coordinate = true;
        } else {
            name = RawFileNameOf(jobName);
        }
        Item item;
        item.text = GetPathFileName(name);
        item.kind = coordinate ? KindCoordinateFile + uint32_t(n) : KindRawFile - 1 + uint32_t(n);
        item.icon = coordinate ? 9 : 1038;
        item.marked = job.open && !job.temporary && !exists(job.folder + name);
        files.push_back(item);
    }
    if (job.open) {
        const FileMarks marks = ComputeFileMarks(job, jobName, exists);
        files[0].marked = marks.coordinate;
        files[1].marked = marks.raw;
    }
    return files;
}

std::vector<Item> BuildTree(const Job& job, const std::vector<std::string>& recentFiles, const FileTest& exists)
{
    std::vector<Item> items;
    auto add = [&items](std::string text, uint32_t kind, uint32_t icon, int parent) {
        Item item;
        item.text = std::move(text);
        item.kind = kind;
        item.icon = icon;
        item.parent = parent;
        items.push_back(std::move(item));
        return int(items.size()) - 1;
    };
    const int jobItem = add(job.temporary || !job.open ? Untitled : GetPathFileTitle(job.path), KindJob, 623, -1);
    items[size_t(jobItem)].expanded = true;
    const std::vector<Item> files = BuildJobFiles(job, exists);
    for (Item file : files) {
        file.parent = jobItem;
        items.push_back(std::move(file));
    }
    if (job.open)
        items[size_t(jobItem)].marked = ComputeFileMarks(job, JobFileName(job), exists).job;

    add("Open an Existing Job", KindOpenJob, 212, -1);
    const int recent = add("Open a Recent Job", KindRecentJobs, 212, -1);
    size_t p = 0;
    for (uint32_t kind = KindRecentFirst; kind <= KindRecentLast; ++kind) {
        if (p >= recentFiles.size())
            continue;
        const std::string& entry = recentFiles[p++];
        if (exists(entry))
            add(GetPathFileName(entry), kind, 8, recent);
    }
    items[size_t(recent)].expanded = true;
    add("Create a New Job", KindNewJob, 7030, -1);
    const int import = add("Import", KindImport, 7091, -1);
    items[size_t(import)].expanded = true;
    add("ASCII", 11, 855, import);
    add("DXF", 12, 854, import);
    add("Land XML", 13, 853, import);
    add("Morvel Coordinates", 14, 8, import);
    const int exportItem = add("Export", KindExport, 7092, -1);
    items[size_t(exportItem)].expanded = true;
    add("ASCII", 16, 855, exportItem);
    add("DXF", 17, 854, exportItem);
    add("Land XML", 18, 853, exportItem);
    add("Get Job from Total Station", KindGetJob, 849, -1);
    add("Send Job to Total Station", KindSendJob, 850, -1);
    return items;
}

FileMarks ComputeFileMarks(const Job& job, const std::string& fileName, const FileTest& exists)
{
    FileMarks marks;
    const std::string jobName = JobFileName(job);
    const std::string coordinateName = GetPathFileName(fileName);
    std::string rawName = coordinateName;
    ChangePathExtension(rawName, "Mvr");
    const bool coordinatePresent = exists(job.folder + coordinateName);
    const bool rawPresent = exists(job.folder + rawName);
    // Both gone: the marks' own picture would say nothing more than the missing files do.
    if (!coordinatePresent && !rawPresent)
        return marks;
    if (rawPresent && !coordinatePresent) {
        marks.job = true;
        marks.coordinate = SameText(jobName, coordinateName);
    } else if (coordinatePresent && !rawPresent && !job.temporary) {
        marks.job = true;
        marks.raw = SameText(jobName, coordinateName);
    }
    return marks;
}

std::string ItemFileName(const Job& job, uint32_t kind)
{
    if (!job.open)
        return {};
    if (IsRawFileKind(kind))
        return RawFileNameOf(GetPathFileName(job.path));
    if (IsCoordinateFileKind(kind))
        return GetPathFileName(job.path);
    return {};
}

uint32_t ItemGroup(uint32_t originalKind, uint32_t kind)
{
    if (IsCoordinateFileKind(kind))
        return KindCoordinateFile;
    if (IsRawFileKind(kind))
        return KindRawFile;
    return originalKind == KindJob ? KindJob : 0;
}

std::string JobFilePath(const Job& job, const std::string& name)
{
    if (name.find('/') != std::string::npos)
        return name;
    return job.folder + name;
}

intptr_t RegenerationRequest(bool raw, bool jobFileMissing) { return (raw ? 1 : 0) | (jobFileMissing ? 2 : 0); }

void FormatShortcutTip(uint32_t kind, CColoredTextLines& lines)
{
    static const char* const recent =
        "Name:\tOpen Recently Used Job\nUse this to:\tOpen a recently used Morvel job.\nHow to use:\tClick to open a recent job.\n";
    const char* text = nullptr;
    switch (kind) {
    case 3: text = "Name:\tOpen Job\nUse this to:\tOpen an existing Morvel job.\nHow to use:\tClick to open Open Job.\n"; break;
    case 4:
        text = "Name:\tOpen Recently Used Job\nUse this to:\tOpen a recently used Morvel job.\nHow to use:\tIf jobs appear "
               "below, click to open a recent job.\n";
        break;
    case 5: case 6: case 7: case 8: text = recent; break;
    case 9: text = "Name:\tNew Job\nUse this to:\tCreate a new Morvel job.\nHow to use:\tClick to open New Job.\n"; break;
    case 10: text = "Name:\tImport\nUse this to:\tImport points from another file.\n"; break;
    case 11:
        text = "Name:\tImport ASCII\nUse this to:\tImport points from an ASCII text file.\nHow to use:\tClick to open Import ASCII.\n";
        break;
    case 12:
        text = "Name:\tImport DXF\nUse this to:\tImports points from an AutoCad DXF file.\nHow to use:\tClick to open Import DXF.\n";
        break;
    case 13:
        text = "Name:\tImport LandXML\nUse this to:\tImport points from a LandXML file.\nHow to use:\tClick to open Import LandXML.\n";
        break;
    case 14:
        text = "Name:\tImport Morvel Coordinates\nUse this to:\tImport points from a Morvel job file.\nHow to use:\tClick to "
               "open Import Morvel File.\n";
        break;
    case 15: text = "Name:\tExport\nUse this to:\tExport points to another file.\n"; break;
    case 16:
        text = "Name:\tExport ASCII\nUse this to:\tExport points to an ASCII text file.\nHow to use:\tClick to open Export ASCII.\n";
        break;
    case 17:
        text = "Name:\tExport DXF\nUse this to:\tExport points to an AutoCad DXF file.\nHow to use:\tClick to open Export DXF.\n";
        break;
    case 18:
        text = "Name:\tExport LandXML\nUse this to:\tExport points to a LandXML file.\nHow to use:\tClick to open Export LandXML.\n";
        break;
    case 19:
        text = "Name:\tGet Job from Total Station\nUse this to:\tTransfer a job from the total station to the PC.\nHow to "
               "use:\tClick to open Get Job from Total Station.\n\tRight click to bring up a menu for transfer settings.\n";
        break;
    case 20:
        text = "Name:\tSend Job to Total Station\nUse this to:\tCreate and send a job to the Total Station.\nHow to "
               "use:\tClick to open Send Job to Total Station.\n\tRight click to bring up a menu for transfer settings.\n";
        break;
    default: return;
    }
    lines.AddLineDefaultColor(text);
}

uint32_t FormatLabelTip(const Job& job, const JobSettingsTip& settings, CColoredTextLines& lines)
{
    if (!job.open)
        return 245;
    const std::string name = job.temporary ? Untitled : GetPathFileName(job.path);
    lines.AddLine("Data Files", TitleTextColor);
    lines.AddLineDefaultColor("Coordinate Data File:\t" + name + "\n");
    lines.AddLineDefaultColor("Raw Data File:\t" + (job.temporary ? std::string(Untitled) : RawFileNameOf(name)) + "\n");
    lines.AddLineDefaultColor("Job Folder:\t" + (job.temporary ? std::string(" ") : job.folder) + "\n");
    lines.AddLineDefaultColor(Separator);
    lines.AddLine("Settings", TitleTextColor);
    AddSurveyUnit(settings.distanceUnit, lines);
    AddAngleUnit(settings.angleUnit, lines);
    AddAzimuth(settings.azimuth == 1, lines);
    lines.AddLineDefaultColor(settings.curvature ? "Earth Curvature Adjustment:\t" + settings.curvatureText + "\n"
                                                 : "Earth Curvature Adjustment:\tNot Used\n");
    lines.AddLineDefaultColor(settings.seaLevel ? "Sea Level Ajustment:\tYes\n" : "Sea Level Ajustment:\tNot Used\n");
    AddScaleFactor(settings.useScaleFactor, settings.scaleFactor, lines);
    return 9;
}

uint32_t FormatJobItemTip(const Job& job, CColoredTextLines& lines)
{
    const std::string fileName = JobFileName(job);
    lines.AddLine("Data Files", TitleTextColor);
    lines.AddLineDefaultColor("Job File:\t" + (job.temporary ? std::string(Untitled) : fileName) + "\n");
    const std::string path = job.folder + fileName;
    if (!job.open || !FileExists(path)) {
        lines.AddLine("File not found.\t\n", ProblemTextColor);
        return 9;
    }
    if (!IsJobName(fileName))
        return 9;
    lines.AddLineDefaultColor("Raw Data File:\t" + (job.temporary ? std::string(Untitled) : RawFileNameOf(fileName)) + "\n");
    lines.AddLineDefaultColor("Job Folder:\t" + (job.temporary ? std::string(" ") : job.folder) + "\n");
    JobFileHeader header;
    switch (ReadHeader(path, header)) {
    case HeaderRead::OpenFailed:
        lines.AddLine("Failed to open file.\t\n", ProblemTextColor);
        return 9;
    case HeaderRead::Corrupted:
        lines.AddLine("File appears to be currupted.\t\n", ProblemTextColor);
        return 9;
    case HeaderRead::Ok:
        break;
    }
    const SystemTime created = header.GetCreated();
    lines.AddLineDefaultColor("Created:\t" + DateText(created.month, created.day, created.year, created.hour,
                                                      created.minute, created.second));
    lines.AddLineDefaultColor(Separator);
    lines.AddLine("Settings", TitleTextColor);
    AddHeaderSettings(header, lines);
    return 9;
}

uint32_t FormatFileItemTip(const Job& job, uint32_t group, const std::string& fileName, CColoredTextLines& lines)
{
    const bool raw = group == KindRawFile;
    lines.AddLineDefaultColor("Job:\t" + (job.temporary ? std::string(Untitled) : GetPathFileTitle(job.path)) + "\n");
    lines.AddLineDefaultColor("File Name:\t" + (job.temporary ? std::string(Untitled) : fileName) + "\n");
    const uint32_t icon = raw ? 1038 : 9;
    const std::string path = JobFilePath(job, fileName);
    if (!FileExists(path)) {
        lines.AddLineDefaultColor("File not found.\t\n");
        return icon;
    }
    if (IsJobName(fileName)) {
        if (!job.temporary) {
            lines.AddLineDefaultColor(Separator);
            lines.AddLineDefaultColor("Morvel Job File.\t\n");
            lines.AddLineDefaultColor(Separator);
        }
        JobFileHeader header;
        switch (ReadHeader(path, header)) {
        case HeaderRead::OpenFailed:
            lines.AddLineDefaultColor("Failed to open file.\t\n");
            return icon;
        case HeaderRead::Corrupted:
            lines.AddLineDefaultColor("File appears to be currupted.\t\n");
            break;
        case HeaderRead::Ok:
            AddHeaderSettings(header, lines);
            break;
        }
        if (!job.temporary) {
            lines.AddLineDefaultColor(Separator);
            FormatFileDates(path, lines);
        }
    } else if (IsRawName(fileName)) {
        lines.AddLineDefaultColor(Separator);
        lines.AddLineDefaultColor("Morvel Raw File.\t\n");
        lines.AddLineDefaultColor(Separator);
        FormatFileDates(path, lines);
    }
    return icon;
}

void FormatFileDates(const std::string& path, CColoredTextLines& lines)
{
    struct statx info {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return;
    const int64_t created = (info.stx_mask & STATX_BTIME) ? info.stx_btime.tv_sec : info.stx_ctime.tv_sec;
    const uint64_t size = info.stx_size;
    lines.AddLineDefaultColor("File Size:\t" + FormatByteSize(size > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(size)) + "\n");
    lines.AddLineDefaultColor("File Created:\t" + LocalDateText(created));
    lines.AddLineDefaultColor("Last Accessed:\t" + LocalDateText(info.stx_atime.tv_sec));
    lines.AddLineDefaultColor("Last Modified:\t" + LocalDateText(info.stx_mtime.tv_sec));
}

} // namespace nav
