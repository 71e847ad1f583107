#include "rawdata/records/RawDataField.h"

#include "core/DecimalText.h"
#include "core/FormatPreferences.h"
#include "core/NoValue.h"
#include "core/ProgramHelpers.h"
#include "core/RawDataFormat.h"
#include "core/RawDataSetup.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/JobRawData.h"

#include <array>
#include <optional>
#include <new>
#include <string_view>

namespace {

// Rows 23 to 26 carry the texts this program shows for the setup's HA mode and coordinate order
// and for the distances of a mismatch; their codes are the table's.
constexpr std::array<CFieldCode, FieldCodeCount> kFieldCodes = {{
    {"CO", "Comment: %s", "Comment: %s"},
    {"PN", "Point Name: %s", "Pt Name: %s"},
    {"FC", "Description: %s", "Description: %s"},
    {"OP", "Occupy Point: %s", "Occ Pt: %s"},
    {"BP", "Backsight Point: %s", "BS Pt: %s"},
    {"BC", "Backsight Circle: %s", "BS Cir: %s"},
    {"HI", "Height of Instrument: %s%s", "HI: %s%s"},
    {"AZ", "Azimuth: %s", "Azimuth: %s"},
    {"HA", "Horizontal Angle: %s", "H. Angle: %s"},
    {"HR", "Height of Rod: %s%s", "HR: %s%s"},
    {"SD", "Slope Distance: %s%s", "Slope Dist: %s%s"},
    {"VA", "Vertical Angle: %s", "V. Angle: %s"},
    {"TM", "Time: %s", "Time: %s"},
    {"DU", "Distance Units: %s", "Dist Units: %s"},
    {"AU", "Angle Units: %s", "Ang Units: %s"},
    {"ZA", "Zero Azimuth: %s", "Zero Az: %s"},
    {"BA", "Backsight Azimuth: %s", "BS Azimuth: %s"},
    {" N", "%s: %s%s", "%s: %s%s"},
    {" E", "%s: %s%s", "%s: %s%s"},
    {"EL", "%s: %s%s", "%s: %s%s"},
    {"SF", "Scale Factor: %s", "Scale Factor: %s"},
    {"EC", "Earth Curvature: %s", "Earth Curv: %s"},
    {"SL", "Sea Level Correction: %s", "Sea Lev Cor: %s"},
    {"HD", "HA Raw Data: %s", "HA Raw Data: %s"},
    {"VD", "Coord Order: %s", "Coord Order: %s"},
    {"IN", "Horizontal Distance: %s%s", "H Dist: %s%s"},
    {"", "Vertical Distance: %s%s", "V Dist: %s%s"},
    {"", "", ""},
}};

// Placeholders each code needs in its label (N, E and EL: three with the whole label).
int32_t NeededPlaceholders(int32_t code, bool wholeLabel)
{
    switch (code) {
    case FieldHI:
    case FieldHR:
    case FieldSD:
    case FieldIN:
    case Field26:
        return 2;
    case FieldN:
    case FieldE:
    case FieldEL:
        return wholeLabel ? 3 : 2;
    case FieldEmpty:
        return 0;
    default:
        return code >= 0 && code < FieldEmpty ? 1 : -1;
    }
}

struct Enumeration
{
    std::vector<std::pair<int32_t, const char*>> values;
};

const std::array<Enumeration, raw_enums::Count>& Enumerations()
{
    static const std::array<Enumeration, raw_enums::Count> table = {{
        {{{0, "North"}, {1, "South"}}},
        {{{0, "Degrees"}, {1, "Grad"}}},
        {{{0, "Off"}, {1, "On"}}},
        {{{0, "Off"}, {1, "On"}}},
        {{{0, "Feet"}, {1, "Meters"}, {2, "US Feet"}}},
        {{{0, "Azimuth"}, {1, "HA zero to BS"}}},
        {{{0, "NEZ"}, {1, "ENZ"}}},
    }};
    return table;
}

CRawDataSetup* SetupAt(CJobRawData* file, int32_t line)
{
    return file ? file->GetSetup(line) : nullptr;
}

// A field code's label format as GetLabelFormat gives it, with CheckLabelFormat's answer.
struct LabelFormat
{
    int32_t placeholders = 0;
    bool valid = false;
    // The format cut at each "%s", for filling without a copy of the format.
    std::vector<std::string> pieces;
};

const LabelFormat& LabelFormatOf(int32_t code, bool longLabel, bool wholeLabel)
{
    static const auto table = [] {
        std::array<std::array<LabelFormat, 4>, FieldCodeCount + 1> built{};
        for (int32_t c = -1; c < FieldCodeCount; ++c)
            for (int32_t form = 0; form < 4; ++form) {
                const bool isLong = (form & 1) != 0, whole = (form & 2) != 0;
                LabelFormat& entry = built[size_t(c + 1)][size_t(form)];
                const CNikonRawDataField field(c, std::string());
                const std::string format = field.GetLabelFormat(isLong, whole);
                entry.valid = field.CheckLabelFormat(&entry.placeholders, isLong, whole);
                size_t from = 0;
                for (size_t at = format.find("%s"); at != std::string::npos; at = format.find("%s", from)) {
                    entry.pieces.push_back(format.substr(from, at - from));
                    from = at + 2;
                }
                entry.pieces.push_back(format.substr(from));
            }
        return built;
    }();
    static const LabelFormat outside;
    if (code < -1 || code >= FieldCodeCount)
        return outside;
    return table[size_t(code + 1)][size_t((longLabel ? 1 : 0) | (wholeLabel ? 2 : 0))];
}

} // namespace

std::string FillLabel(const std::string& format, const std::vector<std::string>& args)
{
    std::string out;
    out.reserve(format.size() + 16);
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            if (next < args.size())
                out += args[next];
            ++next;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

const CFieldCodeTable& CFieldCodeTable::Get()
{
    static const CFieldCodeTable table;
    return table;
}

std::string CFieldCodeTable::GetCodeText(int32_t code) const
{
    return code >= 0 && code < FieldCodeCount ? kFieldCodes[size_t(code)].code : "";
}

std::string CFieldCodeTable::GetCodeLabel(int32_t code, bool longLabel) const
{
    if (code < 0 || code >= FieldCodeCount)
        return {};
    return longLabel ? kFieldCodes[size_t(code)].longLabel : kFieldCodes[size_t(code)].shortLabel;
}

int32_t CFieldCodeTable::LookupCode(const std::string& text) const
{
    const std::string_view key = std::string_view(text).substr(0, 2);
    if (key.empty())
        return FieldEmpty; // rows 26 and 27 share the empty code; the later one answers
    for (int32_t i = 0; i < FieldCodeCount; ++i)
        if (key == kFieldCodes[size_t(i)].code)
            return i;
    return -1;
}

namespace raw_enums {

int32_t GetSize(int32_t enumeration)
{
    if (enumeration < 0 || enumeration >= Count)
        return 0;
    return int32_t(Enumerations()[size_t(enumeration)].values.size());
}

std::string NameAt(int32_t enumeration, int32_t position)
{
    if (position < 0 || position >= GetSize(enumeration))
        return {};
    return Enumerations()[size_t(enumeration)].values[size_t(position)].second;
}

std::string NameOf(int32_t enumeration, int32_t value)
{
    for (int32_t i = 0; i < GetSize(enumeration); ++i)
        if (Enumerations()[size_t(enumeration)].values[size_t(i)].first == value)
            return Enumerations()[size_t(enumeration)].values[size_t(i)].second;
    return {};
}

int32_t ValueAt(int32_t enumeration, int32_t position)
{
    if (position < 0 || position >= GetSize(enumeration))
        return -1;
    return Enumerations()[size_t(enumeration)].values[size_t(position)].first;
}

bool Parse(int32_t enumeration, const std::string& text, int32_t* value)
{
    *value = -1;
    int32_t v = 0;
    if (text.empty() || !ReadDecimalInt32(text, v) || NameOf(enumeration, v).empty())
        return false;
    *value = v;
    return true;
}

} // namespace raw_enums

std::string CNikonRawDataField::GetCodeLabel(int32_t code, bool longLabel) const
{
    return CFieldCodeTable::Get().GetCodeLabel(code, longLabel);
}

std::string CNikonRawDataField::GetCodeText(int32_t code) const
{
    return CFieldCodeTable::Get().GetCodeText(code);
}

int32_t CNikonRawDataField::LookupCode(const std::string& text) const
{
    return CFieldCodeTable::Get().LookupCode(text);
}

std::string CNikonRawDataField::GetLabelFormat(bool longLabel, bool wholeLabel) const
{
    std::string format = GetCodeLabel(m_code, longLabel);
    if (wholeLabel)
        return format;
    const size_t colon = format.find(':');
    if (colon == std::string::npos || colon + 2 > format.size())
        return {};
    return format.substr(colon + 2);
}

std::string CNikonRawDataField::GetCode() const
{
    return GetCodeText(m_code);
}

int32_t CNikonRawDataField::GetValueKind() const
{
    switch (m_code) {
    case FieldPN:
    case FieldOP:
    case FieldBP:
        return ValueKindPointName;
    case FieldBC:
    case FieldHA:
        return ValueKindAngleRight;
    case FieldHI:
    case FieldHR:
        return ValueKindHeight;
    case FieldAZ:
    case FieldBA:
        return ValueKindAzimuth;
    case FieldSD:
        return ValueKindSlopeDistance;
    case FieldVA:
        return ValueKindZenith;
    case FieldTM:
        return ValueKindTime;
    case FieldN:
        return ValueKindNorthing;
    case FieldE:
        return ValueKindEasting;
    case FieldEL:
        return ValueKindElevation;
    case FieldSF:
        return ValueKindNumberText;
    case FieldZA:
        return ValueKindEnumeration + 0;
    case FieldAU:
        return ValueKindEnumeration + 1;
    case FieldEC:
        return ValueKindEnumeration + 2;
    case FieldSL:
        return ValueKindEnumeration + 3;
    case FieldDU:
        return ValueKindEnumeration + 4;
    case FieldHD:
        return ValueKindEnumeration + 5;
    case FieldVD:
        return ValueKindEnumeration + 6;
    default:
        return ValueKindFreeText;
    }
}

bool CNikonRawDataField::CheckLabelFormat(int32_t* placeholders, bool longLabel, bool wholeLabel) const
{
    const int32_t count = CountFormatPlaceholders(GetLabelFormat(longLabel, wholeLabel));
    if (placeholders)
        *placeholders = count;
    const int32_t needed = NeededPlaceholders(m_code, wholeLabel);
    return needed >= 0 && count == needed;
}

std::string CNikonRawDataField::FormatValue(CJobRawData* file, int32_t line, const std::string& value,
                                            bool longLabel, bool wholeLabel) const
{
    std::string out;
    AppendValueText(out, m_code, value, SetupAt(file, line), longLabel, wholeLabel);
    return out;
}

namespace {

// Appends the label's pieces from `first` on, the later placeholders left empty as FillLabel
// leaves them.
void AppendPieces(std::string& out, const LabelFormat& label, size_t first)
{
    for (size_t i = first; i < label.pieces.size(); ++i)
        out += label.pieces[i];
}

} // namespace

void CNikonRawDataField::AppendText(std::string& out, const CRawDataSetup* setup, bool longLabel,
                                    bool wholeLabel) const
{
    AppendValueText(out, m_code, m_value, setup, longLabel, wholeLabel);
}

namespace {

// What a line's field texts read from the settings, read once for all the line's fields.
struct ValueTextSettings
{
    explicit ValueTextSettings(const CRawDataSetup* s) : setup(s) {}

    const CRawDataFormat& Formatter()
    {
        if (!formatter)
            formatter.emplace(setup, true);
        return *formatter;
    }
    bool FeetInches()
    {
        if (feetInches < 0)
            feetInches = GetFormatPreferences().iUseArchetecturalUnits ? 1 : 0;
        return feetInches == 1;
    }
    const std::string& UnitLabel()
    {
        if (!unitLabel)
            unitLabel = setup->GetDistanceUnitLabel();
        return *unitLabel;
    }

    const CRawDataSetup* setup;
    std::optional<CRawDataFormat> formatter;
    int feetInches = -1;
    std::optional<std::string> unitLabel;
};

// `radians`, when it holds a value, is the angle field's value as the setup turns it into radians
// (an azimuth as a direction), which the caller has read already.
void AppendValueTextWith(std::string& out, int32_t code, std::string_view value, ValueTextSettings& settings,
                         double radians, bool longLabel, bool wholeLabel)
{
    const CRawDataSetup* setup = settings.setup;
    const LabelFormat& label = LabelFormatOf(code, longLabel, wholeLabel);
    if (!label.valid)
        return;
    const int32_t placeholders = label.placeholders;
    if (placeholders == 0) {
        out += value;
        return;
    }
    // A format without a placeholder stands alone; the value is not shown.
    out += label.pieces[0];
    const bool slot = label.pieces.size() > 1;

    if (placeholders == 1) {
        const bool angle = code == FieldAZ || code == FieldBA || code == FieldBC || code == FieldHA ||
                           code == FieldVA;
        const bool azimuth = code == FieldAZ || code == FieldBA;
        double number = 0;
        if (slot && angle && setup && HasValue(radians)) {
            if (azimuth)
                settings.Formatter().AppendAzimuth(out, radians);
            else
                settings.Formatter().AppendHorizontalAngle(out, radians);
        } else if (slot && angle && setup && ReadDecimalDouble(value, number) && number > NoValueLimit) {
            if (azimuth)
                settings.Formatter().AppendAzimuth(out, setup->AzimuthToDirection(number));
            else
                settings.Formatter().AppendHorizontalAngle(out, setup->AngleToRadians(number));
        } else if (slot) {
            out += value;
        }
        AppendPieces(out, label, 1);
        return;
    }

    size_t next = 1;
    if (placeholders == 3 && slot) {
        out += code == FieldN ? GetPlanYCaption() : code == FieldE ? GetPlanXCaption() : GetPlanZCaption();
        out += label.pieces[next++];
    }
    if (next < label.pieces.size()) {
        // A distance with its unit label, or "---" without value.
        if (value.empty() || value == "---") {
            out += "---";
        } else if (!setup) {
            out += value;
        } else {
            const bool feetInches = (code == FieldHI || code == FieldHR || code == FieldSD || code == FieldN ||
                                     code == FieldE || code == FieldEL) &&
                                    settings.FeetInches();
            if (feetInches)
                out += CRawDataFormat(setup, false).FormatFeetInches(std::string(value));
            else
                out += value;
            out += settings.UnitLabel();
        }
    }
    AppendPieces(out, label, next);
}

} // namespace

void CNikonRawDataField::AppendValueText(std::string& out, int32_t code, std::string_view value,
                                         const CRawDataSetup* setup, bool longLabel, bool wholeLabel)
{
    ValueTextSettings settings(setup);
    AppendValueTextWith(out, code, value, settings, NoValue, longLabel, wholeLabel);
}

void CNikonRawDataField::AppendValueTexts(std::string& out, std::span<const int32_t> codes,
                                          std::span<const std::string_view> values, std::span<const double> radians,
                                          const CRawDataSetup* setup, bool longLabel, bool wholeLabel)
{
    ValueTextSettings settings(setup);
    for (size_t i = 0; i < codes.size() && i < values.size(); ++i) {
        if (i > 0)
            out += ", ";
        AppendValueTextWith(out, codes[i], values[i], settings, i < radians.size() ? radians[i] : NoValue,
                            longLabel, wholeLabel);
    }
}

std::string CNikonRawDataField::FormatEnumValue(CJobRawData* file, int32_t line, int32_t enumeration,
                                                int32_t value, bool longLabel, bool wholeLabel) const
{
    std::string name = raw_enums::NameOf(enumeration, value);
    if (name.empty())
        name = "---";
    return FormatValue(file, line, name, longLabel, wholeLabel);
}

void CRawDataFieldArray::Add(int32_t code, std::string value)
{
    if (!m_block || m_block->size == m_block->capacity)
        Reserve(m_block ? m_block->capacity * 2 : 8);
    new (Items() + m_block->size) CNikonRawDataField(code, std::move(value));
    ++m_block->size;
}

void CRawDataFieldArray::RemoveAll()
{
    if (!m_block)
        return;
    CNikonRawDataField* items = Items();
    for (int32_t i = 0; i < m_block->size; ++i)
        items[i].~CNikonRawDataField();
    m_block->size = 0;
}

void CRawDataFieldArray::Reserve(int32_t n)
{
    if (n <= 0 || (m_block && n <= m_block->capacity))
        return;
    static_assert(alignof(CNikonRawDataField) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    void* memory = ::operator new(ItemsAt + std::size_t(n) * sizeof(CNikonRawDataField));
    Block* block = new (memory) Block{0, n};
    auto* items = reinterpret_cast<CNikonRawDataField*>(static_cast<char*>(memory) + ItemsAt);
    if (m_block) {
        CNikonRawDataField* old = Items();
        for (int32_t i = 0; i < m_block->size; ++i) {
            new (items + i) CNikonRawDataField(std::move(old[i]));
            old[i].~CNikonRawDataField();
        }
        block->size = m_block->size;
        m_block->size = 0;
        Free();
    }
    m_block = block;
}

void CRawDataFieldArray::Free()
{
    if (!m_block)
        return;
    RemoveAll();
    ::operator delete(m_block);
    m_block = nullptr;
}
