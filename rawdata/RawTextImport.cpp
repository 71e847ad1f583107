#include "rawdata/RawTextImport.h"

#include "core/DecimalText.h"
#include "core/Parser.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "core/TextEncoding.h"
#include "model/MorvelSettings.h"
#include "platform/MessageBox.h"
#include "rawdata/NikonRawDataFile.h"
#include "rawdata/RawImportDoc.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RawDataNikonStationRecord.h"

#include <charconv>
#include <string_view>
#include <strings.h>
#include <vector>

namespace {

constexpr int32_t SettingKeyCount = 10;
constexpr int32_t CoordOrderKey = 9;
// The order in which missing settings comments are added.
constexpr int32_t kMissingKeyOrder[SettingKeyCount] = {0, 1, 2, 4, 5, 6, 7, 8, 3, 9};

// Lines cut at every carriage return and every line feed; empty pieces dropped. The end-of-file
// mark (Ctrl-Z) that instrument downloads put after their last line ends the text.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    const size_t last = text.find_last_not_of("\r\n\x1A");
    const size_t size = last == std::string::npos ? 0 : last + 1;
    size_t start = 0;
    while (start < size) {
        const size_t end = text.find_first_of("\r\n", start);
        const size_t stop = end == std::string::npos || end > size ? size : end;
        if (stop > start)
            lines.push_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return lines;
}

CRawDataNikonCommentRecord CommentOf(const std::string& line)
{
    return CRawDataNikonCommentRecord(CNikonRawDataRecord(line));
}

// Reads a settings comment into the block; the key of the setting, or -1.
int32_t ReadSetting(CRawDataNikonCommentRecord& comment, JobSettingsValues& settings, bool withCoordOrder)
{
    int32_t code = 0;
    bool flag = false;
    double factor = 0;
    if (comment.ParseDistUnits(code)) {
        // Raw data numbers feet 0, metres 1; the block numbers metres 0, feet 1.
        settings.distanceUnit = code == 0 ? 1 : code == 1 ? 0 : 2;
        return 0;
    }
    if (comment.ParseAngleUnits(code)) {
        settings.angleUnit = code;
        return 1;
    }
    if (comment.ParseZeroAzimuth(code)) {
        settings.azimuth = code;
        return 2;
    }
    if (comment.ParseHaRawData(code)) {
        settings.directionType = code == 0 ? 1 : 0;
        return 3;
    }
    if (comment.ParseCrCoefficient(flag)) {
        settings.coefficientChoice = flag ? 1 : 0;
        return 7;
    }
    if (comment.ParseCrAdjustment(code)) {
        settings.curvatureRefraction = code;
        return 6;
    }
    if (comment.ParseSeaLevelAdjustment(code)) {
        settings.seaLevel = code;
        return 8;
    }
    if (comment.ParseScaleAdjustment(flag)) {
        settings.useScaleFactor = flag ? 1 : 0;
        return 4;
    }
    if (comment.ParseScaleFactor(factor)) {
        settings.scaleFactor = factor;
        return 5;
    }
    if (withCoordOrder && comment.ParseCoordOrder(code))
        return CoordOrderKey;
    return -1;
}

// The comment line that states the setting of the key.
std::string PrintSetting(int32_t key, const JobSettingsValues& settings)
{
    CRawDataNikonCommentRecord comment = CommentOf("CO,");
    switch (key) {
    case 0:
        comment.PrintDistUnits(settings.distanceUnit == 0 ? 1 : settings.distanceUnit == 1 ? 0 : 2);
        break;
    case 1:
        comment.PrintAngleUnits(settings.angleUnit != 0 ? 1 : 0);
        break;
    case 2:
        comment.PrintZeroAzimuth(settings.azimuth != 0 ? 1 : 0);
        break;
    case 3:
        comment.PrintHaRawData(settings.directionType != 0 ? 0 : 1);
        break;
    case 4:
        comment.PrintScaleAdjustment(settings.useScaleFactor != 0);
        break;
    case 5:
        comment.PrintScaleFactor(settings.scaleFactor);
        break;
    case 6:
        comment.PrintCrAdjustment(settings.curvatureRefraction != 0 ? 1 : 0);
        break;
    case 7:
        comment.PrintCrCoefficient(settings.coefficientChoice != 0);
        break;
    case 8:
        comment.PrintSeaLevelAdjustment(settings.seaLevel != 0 ? 1 : 0);
        break;
    default:
        comment.PrintCoordOrder(0);
        break;
    }
    return comment.GetText().str();
}

// The preferences' new-job defaults, with the HA raw data field set exactly when the new-job
// true-azimuth bit is set (which the defaults report as direction type 0).
JobSettingsValues PreferenceSettings()
{
    JobSettingsValues values;
    InitJobSettingsValues(values);
    GetMorvelSettings().GetNewJobDefaults(values);
    values.directionType = values.directionType == 0 ? 1 : 0;
    return values;
}

void CopyMissing(JobSettingsValues& settings, const JobSettingsValues& from, const bool found[SettingKeyCount])
{
    if (!found[0])
        settings.distanceUnit = from.distanceUnit;
    if (!found[1])
        settings.angleUnit = from.angleUnit;
    if (!found[2])
        settings.azimuth = from.azimuth;
    if (!found[3])
        settings.directionType = from.directionType;
    if (!found[4])
        settings.useScaleFactor = from.useScaleFactor;
    if (!found[5])
        settings.scaleFactor = from.scaleFactor;
    if (!found[6])
        settings.curvatureRefraction = from.curvatureRefraction;
    if (!found[7])
        settings.coefficientChoice = from.coefficientChoice;
    if (!found[8])
        settings.seaLevel = from.seaLevel;
}

bool IsCommentLine(const std::string& line)
{
    return record_codes::GetTypeFromText(line) == RecordTypeComment;
}

std::string Fixed4(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

void AppendLine(std::string& output, std::string_view line)
{
    output += line;
    output += "\r\n";
}

} // namespace

void GetJobSettingsFromPreferences(JobSettingsValues& settings)
{
    const bool none[SettingKeyCount] = {};
    CopyMissing(settings, PreferenceSettings(), none);
}

void ReadJobSettingsFromRawText(JobSettingsValues& settings, const std::string& raw)
{
    const std::string text = DecodeExternalText(raw);
    CStatusProgress progress;
    progress.Begin("Processing Raw Data");
    bool found[SettingKeyCount] = {};
    for (const std::string& line : SplitLines(text)) {
        CParser parser(line, " ,", false);
        std::string first;
        parser.GetNextToken(first);
        if (strcasecmp(first.c_str(), "CO") != 0)
            break;
        CRawDataNikonCommentRecord comment = CommentOf(line);
        const int32_t key = ReadSetting(comment, settings, false);
        if (key >= 0)
            found[key] = true;
    }
    progress.SetPercent(100);
    CopyMissing(settings, PreferenceSettings(), found);
}

void ReadRawImportSettings(JobSettingsValues& settings, const std::string& text)
{
    TransferSettings transfer;
    GetMorvelSettings().GetTransferSettings(transfer);
    if (CMorvelSettings::IsModelGroup014(transfer.modelIndex))
        GetJobSettingsFromPreferences(settings);
    else
        ReadJobSettingsFromRawText(settings, text);
}

bool HasRawDataLine(const std::string& text)
{
    // The codes are ASCII, which every encoding the import reads keeps as it is.
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line[0] == '*')
            line.remove_prefix(1);
        if (line.size() >= 3 && line[2] == ',' && record_codes::GetTypeFromText(line) != RecordTypeUnknown)
            return true;
        start = end + 1;
    }
    return false;
}

std::string NarrowRawLineFields(const std::string& line)
{
    if (line.size() < 3)
        return line;
    static constexpr size_t kCoordinate[] = {0, 1, 3, 4, 5, 6};
    static constexpr size_t kStation[] = {0, 1, 3, 5, 6, 7};
    // The feature code at position 8 stays: it is the line's description.
    static constexpr size_t kShot[] = {0, 1, 3, 4, 5, 6, 7, 8};
    const int32_t type = record_codes::GetTypeFromText(line);
    std::span<const size_t> kept;
    if (record_codes::IsCoordinateType(type))
        kept = kCoordinate;
    else if (type == RecordTypeStation)
        kept = kStation;
    else if (type == RecordTypeCtrlPoint || type == RecordTypeStakeOut)
        kept = kShot;
    else
        return line;

    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    std::string out;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (kept[i] >= fields.size())
            break;
        out += fields[kept[i]];
        if (i + 1 < kept.size())
            out += ',';
    }
    return out;
}

std::string ImportRawTextValidated(JobSettingsValues& settings, const std::string& raw, std::string& output)
{
    const std::string text = DecodeExternalText(raw);
    std::vector<std::string> lines = SplitLines(text);
    // Northing and easting are exchanged from an "ENZ" comment to the next "NEZ" one only.
    std::vector<bool> swap(lines.size(), false);
    bool swapping = false;
    size_t headerEnd = lines.empty() ? 0 : lines.size() - 1;
    bool headerFound = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsCommentLine(lines[i])) {
            int32_t order = -1;
            CRawDataNikonCommentRecord comment = CommentOf(lines[i]);
            if (comment.ParseCoordOrder(order)) {
                if (order == 1) {
                    comment.PrintCoordOrder(0);
                    lines[i] = comment.GetText();
                }
                swapping = order == 1;
            }
        } else if (!headerFound) {
            headerEnd = i;
            headerFound = true;
        }
        swap[i] = swapping;
    }

    bool registered[SettingKeyCount] = {};
    std::string jobName;
    for (size_t i = 0; i < headerEnd; ++i) {
        if (!IsCommentLine(lines[i]))
            continue;
        CRawDataNikonCommentRecord comment = CommentOf(lines[i]);
        const int32_t key = ReadSetting(comment, settings, true);
        if (key >= 0)
            registered[key] = true;
        else
            comment.IsJobComment(&jobName);
    }
    std::vector<std::string> added;
    for (int32_t key : kMissingKeyOrder)
        if (!registered[key])
            added.push_back(PrintSetting(key, settings));

    CStatusProgress progress;
    progress.Begin("Processing Raw Data");
    const int64_t total = int64_t(lines.size() + added.size());
    output.clear();
    output.reserve(raw.size() + 8192);

    // The lines in their final order go into a scratch job so that every data line is read in
    // the units in force at it.
    CRawImportDoc scratch;
    CNikonRawDataFile& file = scratch.Raw();
    CNikonRawDataRecord record;
    auto append = [&](const std::string& line) {
        record.SetText(line);
        record.SetDocument(&scratch);
        file.AppendRecord(&record);
    };
    for (size_t i = 0; i < headerEnd; ++i) {
        AppendLine(output, lines[i]);
        append(lines[i]);
    }
    for (const std::string& line : added) {
        AppendLine(output, line);
        append(line);
    }
    bool warned = false;
    int64_t done = int64_t(headerEnd + added.size());
    for (size_t i = headerEnd; i < lines.size(); ++i) {
        const int32_t at = file.GetLineCount();
        append(NarrowRawLineFields(lines[i]));
        CNikonRawDataRecord& stored = *file.GetRecord(at);
        if (stored.Validate()) {
            if (swap[i])
                stored.SwapNorthingEasting();
            AppendLine(output, stored.GetText());
        } else {
            if (!warned) {
                ShowMessageBoxFS("Morvel has detected invalid raw data records in this file.  These records will be "
                                 "marked as comments.",
                                 MB_ICONERROR);
                warned = true;
            }
            AppendLine(output, "CO," + stored.GetText());
        }
        progress.SetPercent(MulDiv(++done, 100, total));
    }
    return jobName;
}

std::string ConvertOldLayoutRawLine(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    int32_t flag = 0, type = 0;
    if (fields.size() < 2 || !ReadDecimalInt32(fields[0], flag) || !ReadDecimalInt32(fields[1], type))
        return line;
    if (type == 9)
        return "CO,Version NS002";
    static const char* const codes[] = {"ST", "MP", "SS", "CC", "UP", "CP", "CC"};
    if (type < 0 || type > 6)
        return line;
    const std::string code = (flag == 0 ? "*" : "") + std::string(codes[type]);
    // Fields after the flag, the type and the unit code.
    auto integer = [&](size_t i, int32_t* v) { return i < fields.size() && ReadDecimalInt32(fields[i], *v); };
    auto number = [&](size_t i, double* v) { return i < fields.size() && ReadDecimalDouble(fields[i], *v); };
    auto text = [&](size_t i, std::string* v) {
        if (i >= fields.size())
            return false;
        *v = fields[i];
        return true;
    };
    int32_t a = 0, b = 0;
    double n[4] = {};
    std::string t, u;
    switch (type) {
    case 0: {
        double h = 0, z = 0;
        if (!integer(3, &a) || fields.size() <= 4 || !number(5, &h) || !integer(6, &b) || !number(7, &z))
            return line;
        return code + "," + std::to_string(a) + "," + std::to_string(b) + "," + Fixed4(h) + "," + Fixed4(z) + "," +
               Fixed4(z);
    }
    case 1:
    case 3:
    case 4:
    case 6:
        if (!integer(3, &a) || !text(4, &t) || !number(5, &n[0]) || !number(6, &n[1]) || !number(7, &n[2]))
            return line;
        return code + "," + std::to_string(a) + "," + Fixed4(n[0]) + "," + Fixed4(n[1]) + "," + Fixed4(n[2]) + "," + t;
    default: // 2 and 5
        if (!integer(3, &a) || !text(4, &t) || !number(5, &n[0]) || !number(6, &n[1]) || !number(7, &n[2]) ||
            !number(8, &n[3]) || fields.size() <= 9 || !text(10, &u))
            return line;
        return code + "," + std::to_string(a) + "," + Fixed4(n[3]) + "," + Fixed4(n[0]) + "," + Fixed4(n[1]) + "," +
               Fixed4(n[2]) + "," + u + "," + t;
    }
}

std::string ImportOldLayoutRawText(JobSettingsValues& settings, const std::string& raw, std::string& output)
{
    const std::string text = DecodeExternalText(raw);
    std::vector<std::string> lines;
    CRawDataNikonCommentRecord head = CommentOf("CO,");
    head.PrintFormatHeader();
    lines.push_back(head.GetText().str());
    lines.push_back(PrintSetting(0, settings));
    lines.push_back(PrintSetting(1, settings));
    lines.push_back(PrintSetting(2, settings));
    lines.push_back("CO,HA Raw Data: HA zero to BS");
    lines.push_back(PrintSetting(CoordOrderKey, settings));
    lines.push_back(PrintSetting(4, settings));
    lines.push_back(PrintSetting(5, settings));
    lines.push_back(PrintSetting(6, settings));
    lines.push_back(PrintSetting(7, settings));
    lines.push_back(PrintSetting(8, settings));
    for (const std::string& line : SplitLines(text))
        lines.push_back(ConvertOldLayoutRawLine(line));

    CStatusProgress progress;
    progress.Begin("Processing Raw Data");
    // The coordinates of an occupied point stand before the station that occupies it. The pair
    // is exchanged in the text, before anything reads it.
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (record_codes::GetTypeFromText(lines[i]) != RecordTypeStation ||
            record_codes::GetTypeFromText(lines[i + 1]) != RecordTypeInputPoint)
            continue;
        CNikonRawDataRecord station(lines[i]), point(lines[i + 1]);
        CNikonRawDataField occupy, name;
        if (station.GetField(0, occupy) && point.GetField(0, name) &&
            strcasecmp(occupy.GetValue().c_str(), name.GetValue().c_str()) == 0) {
            std::swap(lines[i], lines[i + 1]);
            ++i;
        }
        if ((i & 1023) == 0)
            progress.SetPercent(MulDiv(int64_t(i), 100, int64_t(lines.size())));
    }
    output.clear();
    output.reserve(raw.size() + 8192);
    for (const std::string& line : lines)
        AppendLine(output, line);
    return {};
}

std::string ImportRawText(JobSettingsValues& settings, const std::string& text, std::string& output, bool oldLayout)
{
    return oldLayout ? ImportOldLayoutRawText(settings, text, output) : ImportRawTextValidated(settings, text, output);
}

std::string ConvertFieldDataText(const std::string& text, bool oldLayout, std::string& output)
{
    JobSettingsValues settings;
    InitJobSettingsValues(settings);
    ReadRawImportSettings(settings, text);
    return ImportRawText(settings, text, output, oldLayout);
}
