#include "core/NikonColumnCollection.h"

#include "core/Parser.h"

#include <charconv>

namespace {

constexpr char kLetters[] = {'P', 'N', 'E', 'Z', 'C', ' '};

std::function<int32_t()>& ModelReader()
{
    static std::function<int32_t()> reader;
    return reader;
}

// The kind a letter of the text form stands for; -1 for any other character.
int KindOfLetter(char c)
{
    for (int kind = 0; kind <= static_cast<int>(NikonColumnBlank); ++kind) {
        if (kLetters[kind] == c)
            return kind;
    }
    return -1;
}

// "%.*lf" whatever the locale.
void AppendFixed(std::string& text, double value, int decimals)
{
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec == std::errc())
        text.append(buffer, result.ptr);
}

} // namespace

bool IsPreInstallModel(int32_t model)
{
    return model == 9;
}

bool IsRecordFormatModel(int32_t model)
{
    return model == 0 || model == 1 || model == 4;
}

bool UsesBlankColumnLayout(int32_t model)
{
    return model == 7 || model == 8;
}

int32_t GetModelCoordinateDecimals(int32_t model)
{
    if (IsPreInstallModel(model))
        return 4;
    return IsRecordFormatModel(model) ? 3 : 7;
}

int32_t GetSelectedInstrumentModel()
{
    return ModelReader() ? ModelReader()() : 0;
}

void SetSelectedInstrumentModelReader(std::function<int32_t()> reader)
{
    ModelReader() = std::move(reader);
}

CNikonColumnCollection::CNikonColumnCollection()
{
    SetDefault();
}

void CNikonColumnCollection::SetDefault()
{
    const int32_t model = GetSelectedInstrumentModel();
    m_preInstall = IsPreInstallModel(model);
    m_columns.clear();
    m_columns.push_back({NikonColumnPoint, true});
    if (UsesBlankColumnLayout(model))
        m_columns.push_back({NikonColumnBlank, true});
    for (uint32_t kind : {NikonColumnNorthing, NikonColumnEasting, NikonColumnElevation, NikonColumnCode})
        m_columns.push_back({kind, true});
    m_columns.push_back({NikonColumnBlank, false});
}

std::string CNikonColumnCollection::ToString() const
{
    std::string text;
    bool written[NikonColumnBlank] = {};
    for (const CNikonColumn& column : m_columns) {
        if (column.kind < NikonColumnBlank) {
            if (written[column.kind])
                continue;
            written[column.kind] = true;
        } else if (column.kind != NikonColumnBlank) {
            continue;
        }
        text += kLetters[column.kind];
        text += column.enabled ? '1' : '0';
    }
    while (text.size() >= 2 && text[text.size() - 2] == ' ')
        text.resize(text.size() - 2);
    for (uint32_t kind = 0; kind < NikonColumnBlank; ++kind) {
        if (!written[kind]) {
            text += kLetters[kind];
            text += '0';
        }
    }
    return text;
}

void CNikonColumnCollection::FromString(std::string_view text)
{
    m_columns.clear();
    if (text.empty()) {
        SetDefault();
        return;
    }
    bool present[NikonColumnBlank] = {};
    for (size_t i = 0; i < text.size(); i += 2) {
        const int kind = KindOfLetter(text[i]);
        const bool starts = kind == static_cast<int>(NikonColumnBlank) || (kind >= 0 && !present[kind]);
        if (!starts)
            continue; // skipped with the character after it
        if (i + 1 >= text.size())
            break; // a letter without its flag ends the text
        if (kind < static_cast<int>(NikonColumnBlank))
            present[kind] = true;
        m_columns.push_back({static_cast<uint32_t>(kind), text[i + 1] == '1'});
    }
    while (!m_columns.empty() && m_columns.back().kind == NikonColumnBlank)
        m_columns.pop_back();
    for (uint32_t kind = 0; kind < NikonColumnBlank; ++kind) {
        if (!present[kind])
            m_columns.push_back({kind, false});
    }
    m_columns.push_back({NikonColumnBlank, false});
}

std::string CNikonColumnCollection::FormatPoint(const std::string& name, const CLocation& location,
                                                const std::string& description, bool recordFormat) const
{
    const int decimals = m_preInstall ? 4 : (IsRecordFormatModel(GetSelectedInstrumentModel()) ? 3 : 7);
    std::string line;
    bool first = true;
    for (const CNikonColumn& column : m_columns) {
        if (!column.enabled)
            continue;
        if (!first)
            line += ',';
        first = false;
        double value = NoValue;
        switch (column.kind) {
        case NikonColumnPoint: line += name; continue;
        case NikonColumnCode: line += description; continue;
        case NikonColumnNorthing: value = location.y; break;
        case NikonColumnEasting: value = location.x; break;
        case NikonColumnElevation: value = location.z; break;
        default: continue; // a blank: an empty field
        }
        // NaN fails the comparison and is written as absent, like the no-value marker.
        if (value >= NoValueLimit)
            AppendFixed(line, value, decimals);
    }
    if (!recordFormat)
        line += '\n';
    return line;
}

bool CNikonColumnCollection::ParseLine(const std::string& line, std::string& name, CLocation& location,
                                       std::string& description) const
{
    name.clear();
    description.clear();
    location.SetAllNull();
    CParser parser(line, ",", false);
    bool named = false;
    bool north = false;
    bool east = false;
    for (const CNikonColumn& column : m_columns) {
        std::string field;
        double value = 0.0;
        switch (column.kind) {
        case NikonColumnPoint:
            if (!column.enabled || !parser.GetNextToken(field))
                return false;
            name = field;
            named = true;
            break;
        case NikonColumnNorthing:
        case NikonColumnEasting:
            // A value the program reads as "none" is no position either.
            if (!column.enabled || !parser.GetNextDouble(&value) || !HasValue(value))
                return false;
            (column.kind == NikonColumnNorthing ? location.y : location.x) = value;
            (column.kind == NikonColumnNorthing ? north : east) = true;
            break;
        case NikonColumnElevation:
            if (!parser.GetNextToken(field))
                return false;
            // An empty field is how a point without elevation is written.
            if (field.find_first_not_of(' ') != std::string::npos) {
                CParser number(field, ",", false);
                if (!number.GetNextDouble(&value))
                    return false;
                if (column.enabled)
                    location.z = value;
            }
            break;
        case NikonColumnCode:
            if (!parser.GetNextToken(field))
                return false;
            if (column.enabled)
                description = field;
            break;
        default:
            if (!parser.GetNextToken(field))
                return false;
            break;
        }
        if (parser.IsEmpty())
            break;
    }
    // A line that ends before its point, northing or easting would make a point without a name
    // or without a position.
    return named && north && east;
}

bool CNikonColumnCollection::HasOrder(const uint32_t (&kinds)[5]) const
{
    if (m_columns.size() < 5)
        return false;
    for (size_t i = 0; i < 5; ++i) {
        if (m_columns[i].kind != kinds[i] || !m_columns[i].enabled)
            return false;
    }
    return true;
}

bool CNikonColumnCollection::IsStandardOrder() const
{
    return HasOrder({NikonColumnPoint, NikonColumnNorthing, NikonColumnEasting, NikonColumnElevation, NikonColumnCode});
}

bool CNikonColumnCollection::IsStandardOrderEastFirst() const
{
    return HasOrder({NikonColumnPoint, NikonColumnEasting, NikonColumnNorthing, NikonColumnElevation, NikonColumnCode});
}

std::string CNikonColumnCollection::GetColumnLabel(uint32_t kind)
{
    switch (kind) {
    case NikonColumnPoint: return "Pt";
    case NikonColumnNorthing: return "N";
    case NikonColumnEasting: return "E";
    case NikonColumnElevation: return "Z";
    case NikonColumnCode: return "Code";
    default: return "{Blank}";
    }
}

uint32_t CNikonColumnCollection::GetItemData(uint32_t kind)
{
    return kind < NikonColumnBlank ? kind : NikonColumnBlankItemData;
}

CNikonColumn CNikonColumnCollection::ColumnFromItem(uint32_t itemData, bool checked)
{
    return {itemData == NikonColumnBlankItemData ? NikonColumnBlank : itemData, checked};
}
