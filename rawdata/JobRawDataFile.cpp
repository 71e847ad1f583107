#include "rawdata/JobRawDataFile.h"

#include "core/Format.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "core/TextEncoding.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/JobFileDocSettings.h"
#include "model/JobFileHeader.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/NikonRawDataFile.h"
#include "rawdata/RawPointNameMap.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"
#include "rawdata/records/RawLineText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

std::string ProgressName(const std::string& path, bool snapshot)
{
    if (snapshot)
        return "undo buffer(raw data)";
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The first byte at or before which the rounded percent of the text read can pass `percent`
// (MulDiv rounds half up, so a byte below this still shows it).
size_t NextPercentAt(int32_t percent, size_t total)
{
    const int64_t reach = (int64_t(percent) + 1) * int64_t(total) - int64_t(total) / 2;
    return reach <= 0 ? 0 : size_t(reach / 100);
}

// Starts fetching the name map's slot for the point the line at the start of `rest` may file, so
// the filing finds it in cache once the line before has been applied. Notes file nothing.
void PrefetchLineName(const CRawPointNameMap& names, std::string_view rest)
{
    if (rest.size() < 3 || rest.substr(0, 3) == "CO,")
        return;
    names.PrefetchLineName(rest);
}

// The text's line feeds, counted a word at a time, and whether every byte is ASCII (then the text
// is UTF-8 as it stands): one pass where a count and a check each walked the whole file.
size_t CountLineFeeds(std::string_view text, bool& ascii)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full, kFeeds = 0x0A0A0A0A0A0A0A0Aull;
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    const char* const at = text.data();
    uint64_t high = 0;
    size_t feeds = 0, i = 0;
    for (; text.size() - i >= 8; i += 8) {
        uint64_t word;
        std::memcpy(&word, at + i, sizeof word);
        high |= word;
        // Bit 7 of each byte that was a line feed, summed by the multiply into the top byte.
        const uint64_t x = word ^ kFeeds;
        const uint64_t found = ~(((x & kLow7) + kLow7) | x | kLow7);
        feeds += size_t(((found >> 7) * kOnes) >> 56);
    }
    for (; i < text.size(); ++i) {
        high |= uint8_t(at[i]);
        feeds += at[i] == '\n' ? 1 : 0;
    }
    ascii = (high & 0x8080808080808080ull) == 0;
    return feeds;
}

bool HasLineLongerThan(std::string_view text, size_t most)
{
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        if (end > most)
            return true;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return false;
}

// Adds a typed record without history, as generated raw data is built.
void AddQuietly(CNikonRawDataFile& raw, CRawDataRecord& record)
{
    raw.AddRecord(&record);
}

CRawDataNikonCommentRecord CommentWith(const std::string& text)
{
    CRawDataNikonCommentRecord comment;
    comment.SetComment(text);
    return comment;
}

} // namespace

SettingsChangeFlags AllSettingsFlags()
{
    SettingsChangeFlags flags;
    flags.distanceUnit = flags.angleUnit = flags.azimuthFormat = flags.scaleFactor = true;
    flags.curvatureAndRefraction = flags.seaLevelCorrection = flags.directionType = true;
    return flags;
}

bool LoadRawDataFromText(CDataFileDoc& doc, CNikonRawDataFile& raw, const std::string& path, bool snapshot)
{
    doc.SendHint(nullptr, HintRawDataReadBegin, 0);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // Read in blocks: a character at a time through the stream cost more than splitting the lines.
    std::string bytes;
    // Room for a plain file's size at once, so the text is not copied as it grows; a file that
    // changes size while read is still read to its end.
    std::unique_ptr<char[]> whole;
    std::size_t wholeSize = 0;
    std::error_code sizeError;
    if (std::filesystem::is_regular_file(path, sizeError)) {
        const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
        if (!sizeError && size < bytes.max_size()) {
            // Read straight into room that is not zeroed first: a bounce through a block copied
            // every byte once more, and zeroing wrote every byte once more.
            whole = std::make_unique_for_overwrite<char[]>(std::size_t(size));
            in.read(whole.get(), std::streamsize(size));
            wholeSize = std::size_t(in.gcount());
        }
    }
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        if (whole) {
            // The file grew while read: what came first goes ahead of the rest.
            bytes.assign(whole.get(), wholeSize);
            whole.reset();
        }
        bytes.append(block, std::size_t(in.gcount()));
    }
    if (in.bad())
        return false;
    const std::string_view read = whole ? std::string_view(whole.get(), wholeSize) : std::string_view(bytes);
    // Windows-1252 turns no other byte into a line feed, so the count holds for the text as well.
    bool ascii = false;
    const size_t feeds = CountLineFeeds(read, ascii);
    // A UTF-8 file's bytes are its text as they stand: no copy of the whole file.
    std::string converted;
    if (!ascii && !IsValidUtf8(read))
        converted = Windows1252ToUtf8(read);
    const std::string_view text = ascii || converted.empty() ? read : std::string_view(converted);
    // A line holds at most CRawTextHold::MaxSize characters: a file with a longer one is refused
    // whole, before any line is kept. Only a file past that size can have one.
    if (text.size() > CRawTextHold::MaxSize && HasLineLongerThan(text, CRawTextHold::MaxSize))
        return false;

    CStatusProgress progress;
    progress.Begin("Loading " + ProgressName(path, snapshot));
    const size_t total = text.size();
    size_t start = 0;
    int32_t shown = -1;
    // The percent is worked out again only once the lines pass the next whole percent's byte.
    size_t nextPercentAt = 0;
    // The lines are counted once so the line store and the name map grow once, not by doubling
    // and rehashing all the way up.
    raw.ReserveInputPoints(feeds + 1);
    const CRawPointNameMap& names = raw.GetPointNameMap();
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        // A line feed, or a carriage return and line feed, ends a line; a lone carriage return stays.
        size_t stop = end;
        if (end < text.size() && stop > start && text[stop - 1] == '\r')
            --stop;
        PrefetchLineName(names, text.substr(next));
        raw.AppendLineText(text.substr(start, stop - start));
        start = next;
        if (start < nextPercentAt)
            continue;
        const int32_t percent = MulDiv(int64_t(start), 100, int64_t(total));
        if (percent != shown) {
            progress.SetPercent(percent);
            shown = percent;
        }
        nextPercentAt = NextPercentAt(percent, total);
    }
    // Room was made for a name on every line; most files have lines that name no point.
    raw.GetPointNameMap().ShrinkToFit();
    doc.SendHint(nullptr, HintRawDataReadEnd, 0);
    return true;
}

bool SaveRawDataToText(CDataFileDoc& doc, CNikonRawDataFile& raw, const std::string& path, bool snapshot)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    CStatusProgress progress;
    progress.Begin("Saving " + ProgressName(path, snapshot));
    const int32_t count = raw.GetLineCount();
    bool ok = true;
    for (int32_t line = 0; line < count && ok; ++line) {
        const std::string_view text = raw.GetRecord(line)->GetText();
        ok = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fwrite("\r\n", 1, 2, file) == 2;
        if ((line & 1023) == 0)
            progress.SetPercent(MulDiv(int64_t(line) + 1, 100, count));
    }
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

void FormatJobSettingsSummary(std::vector<CRawDataNikonCommentRecord>& comments, CDataFileDoc& doc,
                              const SettingsChangeFlags& flags)
{
    CJobFileDocSettings* settings = doc.GetDocSettings();
    if (!settings)
        return;
    JobFileHeader header;
    InitJobFileHeader(header);
    settings->StoreInHeader(header);
    const uint32_t bits = header.GetFlags();
    auto on = [bits](uint32_t flag) { return (bits & flag) != 0; };

    // One comment reused, as a unit word outside the list keeps the previous text.
    std::string text;
    auto add = [&](const std::string& next) {
        text = next;
        comments.push_back(CommentWith(text));
    };
    if (flags.distanceUnit) {
        static const char* const words[] = {"Dist Units: Metres", "Dist Units: Feet", "Dist Units: Feet US"};
        const uint16_t unit = header.GetDistanceUnit();
        add(unit <= 2 ? words[unit] : text);
    }
    if (flags.angleUnit) {
        static const char* const words[] = {"Angle Units: Degrees", "Angle Units: Gons"};
        const uint16_t unit = header.GetAngleUnit();
        add(unit <= 1 ? words[unit] : text);
    }
    if (flags.azimuthFormat)
        add(on(JobFileHeader::FlagSouthAzimuth) ? "Zero azimuth: South" : "Zero azimuth: North");
    if (flags.scaleFactor) {
        add(on(JobFileHeader::FlagUseScaleFactor) ? "Scale Adjustment: On" : "Scale Adjustment: Off");
        // Nine decimals: a later reduction reads the factor back from this line.
        add("Scale Factor: " + FormatDoubleFull(header.GetScaleFactor()));
    }
    if (flags.curvatureAndRefraction) {
        add(on(JobFileHeader::FlagCurvature) ? "C & R Adjustment: On" : "C & R Adjustment: Off");
        add(on(JobFileHeader::FlagCurvatureCoefficient) ? "C & R Coefficient: 0.2000" : "C & R Coefficient: 0.1320");
    }
    if (flags.seaLevelCorrection)
        add(on(JobFileHeader::FlagSeaLevel) ? "Sea Level Adjustment: On" : "Sea Level Adjustment: Off");
    if (flags.directionType)
        add(on(JobFileHeader::FlagDirectionType) ? "HA Raw Data: Azimuth" : "HA Raw Data: HA zero to BS");
    add("Coord Order: NEZ");
}

bool AppendLoggedRecord(CDataFileDoc& doc, CNikonRawDataFile& raw, CRawDataRecord& record)
{
    const int32_t line = raw.AddRecord(&record);
    if (line < 0)
        return false;
    const CNikonRawDataRecord& stored = *raw.GetRecord(line);
    const std::string number = std::to_string(int64_t(line) + 1);
    const std::string text = stored.IsDeletedFlag()
                                 ? "Added '(deleted)" + stored.GetText() + "'  to raw data at line #" + number
                                 : "Added '" + stored.GetText() + "' to raw data at line #" + number;
    doc.SetModifiedWithText(text.c_str(), true, true);
    doc.SendHint(nullptr, HintRawLineAppended, 0);
    return true;
}

void AppendSettingsComments(CDataFileDoc& doc, CNikonRawDataFile& raw, const SettingsChangeFlags& flags)
{
    std::vector<CRawDataNikonCommentRecord> comments;
    FormatJobSettingsSummary(comments, doc, flags);
    for (CRawDataNikonCommentRecord& comment : comments)
        AppendLoggedRecord(doc, raw, comment);
}

namespace {

// One input-point line per job point, in the natural order of their names.
void AddPointLines(CDataFileDoc& doc, CNikonRawDataFile& raw, CStatusProgress& progress, int32_t& counter,
                   int32_t total)
{
    CPointDatabase* points = doc.GetPointDatabase();
    if (!points)
        return;
    RedBlackNode* position = points->GetFirstPosition();
    while (position) {
        CPointRecord* point = points->GetNextPoint(position);
        if (!point)
            break;
        progress.SetPercent(MulDiv(counter++, 100, total));
        CRawDataNikonInputPointRecord line;
        line.SetFromPoint(point);
        AddQuietly(raw, line);
    }
}

} // namespace

bool GenerateRawData(CDataFileDoc& doc, CNikonRawDataFile& raw, bool markModified)
{
    std::vector<CRawDataNikonCommentRecord> comments;
    FormatJobSettingsSummary(comments, doc, AllSettingsFlags());
    CPointDatabase* points = doc.GetPointDatabase();
    const int32_t total = (points ? points->GetCount() : 0) + int32_t(comments.size()) + 1;
    CStatusProgress progress;
    progress.Begin("Generating Raw Data");
    int32_t counter = 0;
    raw.Clear();
    CRawDataNikonCommentRecord head = CommentWith("Morvel RAW data format V2.00");
    AddQuietly(raw, head);
    progress.SetPercent(MulDiv(counter++, 100, total));
    for (CRawDataNikonCommentRecord& comment : comments) {
        AddQuietly(raw, comment);
        progress.SetPercent(MulDiv(counter++, 100, total));
    }
    AddPointLines(doc, raw, progress, counter, total);
    doc.SetModifiedWithText("Generated raw data", markModified, markModified);
    return true;
}

bool CreateRawDataFromPoints(CDataFileDoc& doc, CNikonRawDataFile& raw, const std::string& path)
{
    CPointDatabase* points = doc.GetPointDatabase();
    const int32_t total = (points ? points->GetCount() : 0) + 1;
    CStatusProgress progress;
    progress.Begin("Creating Raw Data");
    raw.Clear();
    CRawDataNikonCommentRecord head;
    head.PrintFormatHeader();
    AddQuietly(raw, head);
    AppendSettingsComments(doc, raw, AllSettingsFlags());
    int32_t counter = 0;
    progress.SetPercent(MulDiv(counter++, 100, total));
    AddPointLines(doc, raw, progress, counter, total);
    progress.End();
    return SaveRawDataToText(doc, raw, path, false);
}
