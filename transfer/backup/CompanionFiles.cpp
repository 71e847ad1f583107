#include "transfer/backup/CompanionFiles.h"

#include "core/Parser.h"
#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "core/Utf8.h"
#include "core/WideText.h"
#include "model/JobFile.h"
#include "platform/ProcessLaunch.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

constexpr uint32_t ImageRecordType = 18;
constexpr uint32_t ImagePayloadSize = 542;
constexpr uint32_t RoadRecordType = 10;
constexpr uint32_t RoadPayloadSize = 88;
// Where the linked file name sits: in the settings block from version 5 on, else in the older block.
constexpr uint32_t LinkedNameOffsetV5 = 32;
constexpr uint32_t LinkedNameOffsetOld = 1108;
constexpr size_t LinkedNameUnits = 260;
// Names become 8-bit texts of at most 261 bytes with their terminator, road names of at most 9.
constexpr size_t MaxNameBytes = 260;
constexpr size_t MaxRoadNameBytes = 8;
// Road files are small texts; anything larger is not one.
constexpr std::uintmax_t MaxRoadFileSize = 64u << 20;

// A UTF-16 field read within its bounds, as UTF-8 cut to whole characters within maxBytes.
std::string FieldText(const uint8_t* field, size_t units, size_t maxBytes)
{
    std::string text = LoadUtf16Field(field, units);
    if (text.size() > maxBytes) {
        size_t cut = maxBytes;
        while (cut > 0 && IsUtf8Continuation(text[cut]))
            --cut;
        text.resize(cut);
    }
    return text;
}

bool SameNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && CompareTextNoCase(a, b) == 0;
}

// Walks the job's records of one type, handing each payload to the caller.
template <typename Reader, typename Take>
bool ForEachJobRecord(const std::string& jobPath, uint32_t wantedType, Reader read, Take take)
{
    CJobFile job;
    if (!job.Open(jobPath.c_str(), true) || !job.SeekFirstRecord())
        return false;
    uint32_t type = 0, position = 0, length = 0;
    while (job.ReadRecordHeader(type, position, length)) {
        if (type == wantedType) {
            if (!read(job))
                return false;
            take();
        } else if (!job.SkipRecord()) {
            break;
        }
    }
    job.Close();
    return true;
}

const std::string Plus50(50, '+');

// The text of one side: after its marker up to the next line of 50 '+' or the end.
std::string RoadSide(const std::string& text, const std::string& marker)
{
    const size_t at = text.find(marker);
    if (at == std::string::npos)
        return {};
    const size_t start = at + marker.size();
    const size_t end = text.find(Plus50, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void CollectTemplates(const std::string& side, const std::string& tag, std::vector<std::string>& files)
{
    for (size_t at = side.find(tag); at != std::string::npos; at = side.find(tag, at + tag.size())) {
        size_t end = side.find('\n', at);
        std::string line = side.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        CParser parser(line, ",", false);
        parser.SetTrimBlanks(true);
        std::string code, name;
        int number = 0;
        double offset = 0;
        if (!parser.GetNextToken(code) || !parser.GetNextInt(&number) || !parser.GetNextDouble(&offset) ||
            !parser.GetNextToken(name) || name.empty())
            continue;
        const std::string file = name + ".TN7";
        bool present = false;
        for (const std::string& existing : files)
            present = present || SameNoCase(existing, file);
        if (!present)
            files.push_back(file);
    }
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

void TrimLeft(std::string& text)
{
    size_t n = 0;
    while (n < text.size() && IsBlank(text[n]))
        ++n;
    text.erase(0, n);
}

void TrimRight(std::string& text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
}

bool QuotedFieldError(const QuotedFieldReader& reader)
{
    if (reader.throwOnError)
        throw CUserException();
    return false;
}

} // namespace

bool ReadJobLinkedFileName(const std::string& jobPath, std::string& name)
{
    name.clear();
    CJobFile job;
    if (!job.Open(jobPath.c_str(), true))
        return false;
    if (job.GetVersion() >= 5) {
        std::vector<uint8_t> block(CJobFile::SettingsBlockSize);
        if (!job.GetSettingsBlock(block.data()))
            return false;
        name = FieldText(block.data() + LinkedNameOffsetV5, LinkedNameUnits, MaxNameBytes);
    } else {
        std::vector<uint8_t> block(CJobFile::OldBlockSize);
        if (!job.GetOldBlock(block.data()))
            return false;
        name = FieldText(block.data() + LinkedNameOffsetOld, LinkedNameUnits, MaxNameBytes);
    }
    job.Close();
    return true;
}

bool GetJobCompanionFiles(const std::string& jobPath, std::vector<std::string>& files)
{
    files.clear();
    std::string linked;
    ReadJobLinkedFileName(jobPath, linked);
    if (!linked.empty())
        files.push_back(linked);
    return true;
}

bool GetJobImageFiles(const std::string& jobPath, std::vector<std::string>& files)
{
    const std::string folder = GetPathFolderOrEmpty(jobPath);
    uint8_t payload[ImagePayloadSize];
    return ForEachJobRecord(
        jobPath, ImageRecordType, [&](CJobFile& job) { return job.ReadRecord18(payload); },
        [&] {
            const std::string name = FieldText(payload, ImagePayloadSize / 2, MaxNameBytes);
            files.push_back(name);
            if (SameNoCase(GetPathExtension(name), "TIF")) {
                std::string world = name;
                ChangePathExtension(world, "TFW");
                if (FileExists(folder + GetPathFileName(world)))
                    files.push_back(world);
            }
        });
}

bool GetJobRoadFiles(const std::string& jobPath, std::vector<std::string>& files)
{
    uint8_t payload[RoadPayloadSize];
    return ForEachJobRecord(
        jobPath, RoadRecordType, [&](CJobFile& job) { return job.ReadRecord10(payload); },
        [&] { files.push_back(FieldText(payload, RoadPayloadSize / 2, MaxRoadNameBytes) + ".rg7"); });
}

bool GetRoadTemplateFiles(const std::string& roadPath, std::vector<std::string>& files)
{
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(roadPath, ec);
    if (ec || size == 0 || size > MaxRoadFileSize)
        return false;
    std::ifstream in(roadPath, std::ios::binary);
    if (!in)
        return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.empty())
        return false;
    CollectTemplates(RoadSide(text, "XR" + Plus50), "RT", files);
    CollectTemplates(RoadSide(text, "XL" + Plus50), "LT", files);
    return true;
}

int ComparePaths(const std::string& a, const std::string& b)
{
    if (SameNoCase(a, b))
        return 0;
    if (!a.empty() && !b.empty()) {
        std::error_code ea, eb;
        const auto ca = std::filesystem::canonical(a, ea);
        const auto cb = std::filesystem::canonical(b, eb);
        if (!ea && !eb)
            return CompareTextNoCase(ca.string(), cb.string());
    }
    return CompareTextNoCase(a, b);
}

bool OpenWithShell(const std::string& path)
{
    // The desktop shows its own chooser when no program is associated with the file.
    return OpenWithDesktop(path, GetPathFolderOrEmpty(path));
}

bool ReadQuotedField(QuotedFieldReader& reader, std::string& field)
{
    field.clear();
    std::string& text = reader.text;
    auto isDelimiter = [&reader](char c) { return reader.delimiters.find(c) != std::string::npos; };
    TrimLeft(text);
    if (text.empty())
        return QuotedFieldError(reader);

    if (text.front() != '"') {
        reader.unquoted = true;
        const size_t at = text.find_first_of(reader.delimiters);
        std::string before = text.substr(0, at);
        TrimRight(before);
        if (!before.empty())
            return QuotedFieldError(reader);
        text = at == std::string::npos ? std::string() : text.substr(at + 1);
        return true;
    }

    reader.unquoted = false;
    text.erase(0, 1);
    bool anyDelimiter = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!isDelimiter(text[i]))
            continue;
        anyDelimiter = true;
        // Closed by a quote with only blanks between it and the delimiter.
        size_t j = i;
        while (j > 0 && IsBlank(text[j - 1]) && text[j - 1] != text[i])
            --j;
        if (j == 0 || text[j - 1] != '"')
            continue;
        const char closing = text[i];
        field = text.substr(0, j - 1);
        text.erase(0, i + 1);
        if (reader.skipDelimiterAfterBlanks) {
            TrimLeft(text);
            if (IsBlank(closing) && !text.empty() && isDelimiter(text.front()))
                text.erase(0, 1);
        }
        if (reader.trimLeft)
            TrimLeft(field);
        if (reader.trimRight)
            TrimRight(field);
        return true;
    }
    if (anyDelimiter)
        return QuotedFieldError(reader);
    std::string rest = text;
    TrimRight(rest);
    if (rest.empty() || rest.back() != '"')
        return QuotedFieldError(reader);
    field = rest.substr(0, rest.size() - 1);
    text.clear();
    if (reader.trimLeft)
        TrimLeft(field);
    if (reader.trimRight)
        TrimRight(field);
    return true;
}
