#include "exchange/CoordinateImport.h"

#include "core/Location.h"
#include "core/Parser.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "core/TextEncoding.h"
#include "core/UnitConstants.h"
#include "exchange/PointMerge.h"
#include "model/MorvelFileDoc.h"
#include "model/PointRecord.h"
#include "model/PointRenameEngine.h"
#include "model/RecordDatabase.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr const char* kReadError = "There was an error reading the file";

// Rename map of the incoming names, or false after telling the user that the rule failed.
template <typename Collect>
bool PrepareRenames(CDataFileDoc* document, CPointMerge& merge, Collect collect)
{
    CPointRenameEngine engine(document);
    collect(engine);
    if (!engine.ComputeRenames()) {
        ShowMessageBoxFS("Failed to rename points with the selected rule.", MB_OK);
        return false;
    }
    PointRenameMap map;
    engine.GetRenameMap(map);
    merge.SetRenameMap(std::move(map));
    return true;
}

void ReportReadError(CPointMerge& merge, const std::string& path)
{
    // The job goes back first, so the message describes a job that is as it was.
    merge.AbandonImport();
    ShowMessageBoxFS(std::string(kReadError) + " " + path, MB_OK);
}

enum class ReadResult { Ok, OpenFailed, ReadFailed };

ReadResult ReadWholeFile(const std::string& path, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ReadResult::OpenFailed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadResult::ReadFailed;
    }
    bytes.clear();
    bytes.reserve(size_t(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return ReadResult::ReadFailed;
        }
        if (n == 0)
            break;
        bytes.append(buffer, size_t(n));
    }
    ::close(fd);
    return ReadResult::Ok;
}

} // namespace

bool ImportJobCoordinates(CDataFileDoc* document, const std::string& path, CReport* report, bool useRenameRules,
                          int32_t* count)
{
    CBusyCursor wait;
    *count = 0;
    if (report != nullptr)
        CPointMerge::BeginReport(*report, path);
    CPointMerge merge(document, report, useRenameRules);
    try {
        if (useRenameRules &&
            !PrepareRenames(document, merge, [&path](CPointRenameEngine& e) { e.CollectJobFilePointNames(path); }))
            return false;

        CMorvelFileDoc source;
        bool generated = false;
        if (!source.OpenJobFile(path, generated)) {
            ShowMessageBoxFS("Failed to open job file.", MB_OK | MB_ICONERROR);
            return false;
        }

        CStatusProgress progress;
        progress.Begin("Merging points...");
        merge.BeginUndoStep("Import Morvel coordinates");

        CRecordDatabase* records = source.GetRecordDatabase();
        const int32_t total = records->GetCount(0);
        CRecordCursor cursor = records->GetFirstRecord(0);
        for (int32_t i = 0; CRecord* record = records->GetNextRecord(cursor); ++i) {
            progress.SetPercent(MulDiv(i, 100, total));
            if (record->GetType() != kRecordTypePoint)
                continue;
            const auto* point = static_cast<const CPointRecord*>(record);
            if (merge.MergePoint(point->GetName(), point->GetLocation(), point->GetDescription()) ==
                CPointMerge::Result::NoRename) {
                ReportReadError(merge, path);
                return false;
            }
            *count = merge.GetCount();
        }
    } catch (const std::exception&) {
        ReportReadError(merge, path);
        return false;
    }
    *count = merge.GetCount();
    return true;
}

bool ImportAsciiCoordinates(CDataFileDoc* document, const std::string& path, const std::vector<uint16_t>& columns,
                            const std::string& delimiter, int32_t distanceUnit, CReport* report,
                            bool useRenameRules, int32_t* count)
{
    CBusyCursor wait;
    *count = 0;
    if (report != nullptr)
        CPointMerge::BeginReport(*report, path);
    CPointMerge merge(document, report, useRenameRules);
    CStatusProgress progress;
    try {
        if (useRenameRules && !PrepareRenames(document, merge, [&](CPointRenameEngine& e) {
                e.CollectAsciiFilePointNames(path, columns, delimiter);
            }))
            return false;

        std::string bytes;
        switch (ReadWholeFile(path, bytes)) {
        case ReadResult::OpenFailed:
            ShowMessageBoxFS("Failed to open ASCII file.", MB_OK | MB_ICONERROR);
            return false;
        case ReadResult::ReadFailed:
            ShowMessageBoxFS("Failed to read ASCII file.", MB_OK | MB_ICONERROR);
            return false;
        case ReadResult::Ok:
            break;
        }
        // 8-bit text ends at a NUL; what is left is read as UTF-8 when it is, else Windows-1252.
        bytes.resize(std::min(bytes.size(), bytes.find('\0')));
        // As DecodeExternalText, without copying a file that is already UTF-8.
        const std::string text = IsValidUtf8(bytes) ? std::move(bytes) : Windows1252ToUtf8(bytes);
        bytes.clear();
        bytes.shrink_to_fit();

        progress.Begin("Merging points...");
        merge.BeginUndoStep("Import ASCII coordinates");

        double factor = 1.0;
        switch (distanceUnit) {
        case 0: break;
        case 1: factor = InternationalFeetToMetres; break;
        case 2: factor = UsSurveyFeetToMetres; break;
        default: factor = 0.0; break; // a unit the file cannot be in: no line is taken
        }

        const int64_t length = int64_t(text.size());
        int64_t processed = 0;
        std::string name, description;
        CLocation location;
        size_t lineCount = 0;
        std::string_view view;
        for (CTextLineWalk count(text); count.Next(view);)
            ++lineCount;
        document->ReserveForPoints(lineCount);
        for (CTextLineWalk lines(text); lines.Next(view);) {
            processed += int64_t(view.size());
            progress.SetPercent(MulDiv(processed, 100, length));
            if (!ParsePointLine(&name, &location, &description, view, delimiter, &columns))
                continue;
            if (factor == 0.0)
                continue;
            if (factor != 1.0) {
                location.x *= factor;
                location.y *= factor;
                if (location.z > NoValueLimit)
                    location.z *= factor;
            }
            // A name the rename rules did not take (not a valid name for the job) skips its line.
            merge.MergePoint(name, location, description);
        }
    } catch (const std::exception&) {
        ReportReadError(merge, path);
        return false;
    }
    *count = merge.GetCount();
    return true;
}

std::string WhyNoAsciiPoint(const std::string& path, const std::vector<uint16_t>& columns,
                            const std::string& delimiter)
{
    std::string bytes;
    if (ReadWholeFile(path, bytes) != ReadResult::Ok)
        return {};
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    const auto linesRead = [&bytes, &columns](const std::string& with) {
        std::string name, description;
        CLocation location;
        size_t read = 0;
        std::string_view view;
        for (CTextLineWalk lines(bytes); lines.Next(view);)
            read += ParsePointLine(&name, &location, &description, view, with, &columns) ? 1 : 0;
        return read;
    };
    if (linesRead(delimiter) > 0)
        return {};
    static const std::pair<const char*, const char*> kDelimiters[] = {{",", "commas"}, {"\t", "tabs"}, {" ", "spaces"}};
    std::string chosen = "the chosen delimiter";
    for (const auto& [text, words] : kDelimiters)
        if (delimiter == text)
            chosen = words;
    std::string why = "No line of the file splits into the chosen columns with " + chosen +
                      " between them (a line needs at least a point name, a northing and an easting).";
    for (const auto& [text, words] : kDelimiters) {
        if (delimiter == text)
            continue;
        if (const size_t read = linesRead(text); read > 0) {
            why += "\n\nWith " + std::string(words) + " as the delimiter, " + std::to_string(read) +
                   (read == 1 ? " line reads." : " lines read.");
            break;
        }
    }
    return why;
}
