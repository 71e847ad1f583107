#include "model/PointRenameEngine.h"

#include "core/Parser.h"
#include "core/PointName.h"
#include "core/ProgramHelpers.h"
#include "core/Report.h"
#include "core/SettingsHelpers.h"
#include "core/TextUtil.h"
#include "core/TextEncoding.h"
#include "core/ValueText.h"
#include "model/DataFileDoc.h"
#include "model/MorvelFile.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/SelectionDescription.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace {

constexpr int32_t kColumnPlain = ReportHeadingLeft | ReportCellLeft;     // 17
constexpr int32_t kColumnNames = ReportHeadingCentre | ReportCellLeft;  // 18
constexpr const char* kNoRules = "$&%^@*";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string FormatRefusal(const char* format, const std::string& oldName, const std::string& newName)
{
    std::string text(format);
    for (const std::string* value : {&oldName, &newName, &newName}) {
        const auto at = text.find("%s");
        if (at == std::string::npos)
            break;
        text.replace(at, 2, *value);
    }
    return text;
}

// The name's digits as a number; commas and surrounding blanks are ignored. Names are at most
// 16 characters, so 64 bits hold any of them.
int64_t ReadNumber(const std::string& name)
{
    std::string digits;
    for (char c : name)
        if (IsDigit(c))
            digits += c;
    int64_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

bool IsAllDigits(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), IsDigit);
}

} // namespace

int CompareNamesNatural(const std::string& a, const std::string& b) { return ComparePointNames(a.c_str(), b.c_str()); }

CPointRenameEngine::CPointRenameEngine() : m_document(CDataFileDoc::GetActiveDoc()) {}

bool CPointRenameEngine::AddPointNames(const std::vector<std::string>& names)
{
    m_names.insert(m_names.end(), names.begin(), names.end());
    return true;
}

bool CPointRenameEngine::AddSelectedPoints()
{
    // The points in the order they were selected, as every command walks them.
    const CSelectionDescription points(SelectionKindPoint);
    CSelectionCursor cursor;
    points.GetFirst(cursor);
    while (cursor.IsValid()) {
        CRecord* record = points.GetNext(cursor);
        if (record != nullptr && record->GetType() == kRecordTypePoint)
            m_names.emplace_back(static_cast<CPointRecord*>(record)->GetName());
    }
    return true;
}

bool CPointRenameEngine::CollectAsciiFilePointNames(const std::string& path, const std::vector<uint16_t>& roles,
                                                    const std::string& delimiters)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return false;
    std::string raw = bytes.str();
    // The import stops at a NUL and reads lines and fields with the point-line reader; the names
    // are read the same way, or a name the import meets would be missing from the map.
    raw.resize(std::min(raw.size(), raw.find('\0')));
    const std::string text = DecodeExternalText(raw);
    std::string name, description;
    CLocation location;
    for (std::string_view line : SplitTextLines(text)) {
        if (!ParsePointLine(&name, &location, &description, line, delimiters, &roles))
            continue;
        const bool valid = m_document != nullptr ? m_document->IsValidPointName(name.c_str())
                                                 : IsValidPointName(name.c_str());
        if (valid)
            m_names.push_back(name);
    }
    return true;
}

bool CPointRenameEngine::CollectJobFilePointNames(const std::string& path)
{
    CMorvelFile file;
    if (!file.Open(path.c_str(), true) || !file.SeekToFirstRecord()) {
        file.Close();
        return false;
    }
    uint32_t type = 0, position = 0, length = 0;
    while (file.ReadRecordHeader(type, position, length)) {
        if (type == CMorvelFile::PointRecordType) {
            JobFilePoint point;
            if (!file.ReadPoint(point)) {
                file.Close();
                return false;
            }
            m_names.push_back(point.name);
        } else if (!file.SkipRecord()) {
            file.Close();
            return false;
        }
    }
    file.Close();
    return true;
}

bool CPointRenameEngine::HasPoint(const std::string& name) const
{
    return m_document != nullptr && m_document->GetPointDatabase()->FindPoint(name, true) != nullptr;
}

bool CPointRenameEngine::ValidateNewName(const std::string& newName, const std::string& oldName)
{
    static const char* const invalid = "Failed to rename point %s to %s. New point name %s is not a valid point name.";
    if (newName.compare(0, 6, kNoRules) == 0) {
        m_messages.push_back(FormatRefusal(invalid, oldName, newName));
        return false;
    }
    if (m_document == nullptr)
        return true;
    if (!m_document->IsValidPointName(newName.c_str())) {
        m_messages.push_back(FormatRefusal(invalid, oldName, newName));
        return false;
    }
    if (HasPoint(newName)) {
        m_messages.push_back(FormatRefusal(
            "Failed to rename point %s to %s. New point name %s is not valid because it already exists in the Data.",
            oldName, newName));
        return false;
    }
    return true;
}

bool CPointRenameEngine::AnyNameInUse()
{
    if (m_document == nullptr)
        return true;
    for (const std::string& name : m_names)
        if (HasPoint(name) && !IsNameAcceptable(name, 0))
            return true;
    return false;
}

bool CPointRenameEngine::ComputeRenames()
{
    if (m_names.empty())
        return true;
    std::stable_sort(m_names.begin(), m_names.end(),
                     [](const std::string& a, const std::string& b) { return CompareNamesNatural(a, b) < 0; });
    m_renames.clear();

    const CMorvelSettings& settings = GetMorvelSettings();
    const int32_t option = settings.GetRenameOption();
    const bool inUse = option != 0 && AnyNameInUse();
    const bool keepAll = option != 0 && !inUse;
    if (inUse)
        OnConflictsFound();

    const int32_t rule = settings.GetRenameRule();
    bool result = true;
    int64_t number = 0;
    std::string nextFree;
    switch (rule) {
    case 0:
        number = settings.GetRenameStartNumber();
        break;
    case 1:
        if (m_document == nullptr)
            return false;
        nextFree = m_document->MakeUniquePointName("1");
        break;
    case 2: {
        int64_t largest = 0;
        if (m_document != nullptr) {
            CPointDatabase* points = m_document->GetPointDatabase();
            RedBlackNode* pos = points->GetFirstPosition();
            while (CPointRecord* point = points->GetNextPoint(pos))
                if (IsAllDigits(point->GetName()))
                    largest = std::max(largest, ReadNumber(point->GetName()));
        }
        static constexpr int64_t steps[] = {1, 100, 1000, 10000};
        const int32_t round = settings.GetRenameNextRound();
        // A step the settings do not name counts as no rounding.
        const int64_t step = round >= 0 && round < 4 ? steps[round] : 1;
        number = (largest / step + 1) * step;
        break;
    }
    case 4:
        for (const std::string& name : m_names) {
            if (ContainsNonDigit(name)) {
                m_messages.emplace_back("Not all points to be renamed are numeric.");
                return false;
            }
        }
        break;
    default:
        break;
    }

    for (const std::string& name : m_names) {
        if (keepAll || IsNameAcceptable(name, 0)) {
            m_renames[name] = name;
            continue;
        }
        std::string newName;
        switch (rule) {
        case 0:
        case 2:
            newName = std::to_string(number++);
            break;
        case 1:
            m_renames[name] = nextFree;
            nextFree = m_document->NextFreePointName(nextFree, true, 1);
            continue;
        case 3:
            newName = settings.GetRenameDesignatorLocation() == 0 ? settings.GetRenameDesignator() + "_" + name
                                                                   : name + "_" + settings.GetRenameDesignator();
            break;
        case 4:
            newName = std::to_string(ReadNumber(name) + settings.GetRenameNumericOffset());
            break;
        default:
            continue;
        }
        if (ValidateNewName(newName, name))
            m_renames[name] = newName;
        else
            result = false;
    }

    if (result && m_document != nullptr && !m_document->AllowsAlphanumericNames()) {
        for (const auto& [oldName, newName] : m_renames) {
            if (ContainsNonDigit(newName)) {
                m_messages.emplace_back("Renaming results produce alpha-numeric names.");
                return false;
            }
        }
    }
    return result;
}

bool CPointRenameEngine::GetRenameMap(PointRenameMap& map) const
{
    for (const auto& [oldName, newName] : m_renames)
        map[oldName] = newName;
    return true;
}

bool CPointRenameEngine::GetSortedNames(std::vector<std::string>& names)
{
    if (m_names.empty()) {
        m_messages.emplace_back("The renaming points list is empty.");
        return false;
    }
    std::stable_sort(m_names.begin(), m_names.end(),
                     [](const std::string& a, const std::string& b) { return CompareNamesNatural(a, b) < 0; });
    names.insert(names.end(), m_names.begin(), m_names.end());
    return true;
}

bool CPointRenameEngine::BuildPreviewReport(CReport& report)
{
    report.AddHeaderLine("Rename Points Preview Report");
    report.AddColumn("", kColumnPlain);
    report.AddRow();
    report.AddRow();
    if (!m_messages.empty()) {
        report.SetCell(0, report.AddRow(), "Failed to rename the points using the selected rule.", false);
        report.AddRow();
        for (const std::string& message : m_messages)
            report.SetCell(0, report.AddRow(), message, false);
        return true;
    }
    if (m_names.empty()) {
        report.SetCell(0, report.AddRow(), "No points renamed.", false);
        return true;
    }
    report.NewSection();
    report.AddColumn("Point", kColumnNames);
    report.AddColumn("Renamed Point", kColumnNames);
    for (const std::string& name : m_names) {
        const auto it = m_renames.find(name);
        if (it == m_renames.end())
            return false;
        const int32_t row = report.AddRow();
        report.SetCell(0, row, name, false);
        std::string shown;
        if (textutil::ToLowerAscii(it->second) != textutil::ToLowerAscii(name))
            shown = it->second;
        else
            shown = IsNameAcceptable(name, 0) ? "duplicated" : "no conflict";
        report.SetCell(1, row, shown, false);
    }
    return true;
}
