#include "rawdata/records/RawDataNikonCommentRecord.h"

#include "core/ColoredTextLines.h"
#include "core/Format.h"
#include "core/Parser.h"
#include "core/RawDataSetup.h"

#include <cmath>
#include <string_view>
#include <strings.h>

namespace {

bool EqualNoCase(const std::string& a, const char* b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

// Cuts the text at any of the delimiters, blanks trimmed; two delimiters in a row give an empty
// token.
std::vector<std::string> Tokens(const std::string& text, const char* delimiters)
{
    CParser parser(text, delimiters, false);
    parser.SetTrimBlanks(true);
    std::vector<std::string> tokens;
    std::string token;
    while (parser.GetNextToken(token))
        tokens.push_back(token);
    return tokens;
}

// Whether the text holds the lower-case word anywhere, ASCII case ignored as the keyword match
// ignores it: a token can only equal a word the text holds.
bool HoldsNoCase(std::string_view text, std::string_view word)
{
    for (size_t at = 0; at + word.size() <= text.size(); ++at) {
        size_t k = 0;
        while (k < word.size() && (text[at + k] | 0x20) == word[k])
            ++k;
        if (k == word.size())
            return true;
    }
    return false;
}

struct Word
{
    const char* text;
    int32_t code;
};

bool MatchWord(const std::string& value, std::initializer_list<Word> words, int32_t& code)
{
    for (const Word& w : words) {
        if (EqualNoCase(value, w.text)) {
            code = w.code;
            return true;
        }
    }
    return false;
}

const Word kOnOff[] = {{"On", 1}, {"Off", 0}};

} // namespace

CRawDataNikonCommentRecord& CRawDataNikonCommentRecord::operator=(const CRawDataNikonCommentRecord& other)
{
    if (this != &other) {
        AssignFrom(other);
        m_comment = other.m_comment;
        m_validated = other.m_validated;
        m_setting = SettingUnread;
    }
    return *this;
}

bool CRawDataNikonCommentRecord::Validate()
{
    m_validated = false;
    m_setting = SettingUnread;
    if (!SplitFields() || GetType() != RecordTypeComment || m_fields.GetSize() < 1)
        return false;
    m_comment = m_fields[0].GetValue();
    m_validated = m_fields.GetSize() == 1;
    return m_validated;
}

bool CRawDataNikonCommentRecord::UpdateText(int32_t line)
{
    SetText((m_deleted ? "*CO," : "CO,") + CleanRawText(m_comment, true));
    m_line = line;
    return true;
}

bool CRawDataNikonCommentRecord::DescribeFields(CColoredTextLines* lines, bool, bool)
{
    if (!(m_validated || Validate()))
        return false;
    if (m_fields.GetSize() != 1 || m_fields[0].GetCodeIndex() != FieldCO)
        return false;
    if (lines)
        lines->AddLineDefaultColor(m_comment);
    return true;
}

bool CRawDataNikonCommentRecord::SetComment(const std::string& text)
{
    m_comment = text;
    m_setting = SettingUnread;
    return true;
}

std::string CRawDataNikonCommentRecord::GetComment()
{
    if (m_validated || Validate())
        return m_comment;
    return {};
}

void CRawDataNikonCommentRecord::Print(const std::string& comment)
{
    m_comment = comment;
    m_setting = SettingUnread;
    // The line follows the comment; its fields and validation stay in step with it.
    m_text.Assign((m_deleted ? "*CO," : "CO,") + CleanRawText(m_comment, true));
    m_fields.RemoveAll();
    m_fields.Add(FieldCO, m_comment);
    m_parsed = true;
    m_validated = true;
}

void CRawDataNikonCommentRecord::PrintFormatHeader()
{
    Print("Nikon RAW data format V2.00");
}

void CRawDataNikonCommentRecord::ReadSetting()
{
    std::string comment = GetComment();
    m_setting = SettingNone;
    if (comment.find(':') == std::string::npos)
        return; // no value without its colon
    CParser parser(std::move(comment), ":", false);
    parser.SetTrimBlanks(true);
    if (!parser.GetNextToken(m_settingKey))
        return;
    m_setting = parser.GetNextToken(m_settingValue) ? SettingKeyAndValue : SettingKeyOnly;
}

bool CRawDataNikonCommentRecord::MatchSetting(std::initializer_list<const char*> keys, std::string* value)
{
    // Every comment goes past a dozen of these on each setup pass: the comment is cut into its key
    // and value once, on the first, and each parser only compares the key.
    // A line whose text changed underneath is validated again, as GetComment would.
    if (m_setting == SettingUnread || !m_validated)
        ReadSetting();
    if (m_setting == SettingNone)
        return false;
    for (const char* wanted : keys) {
        if (EqualNoCase(m_settingKey, wanted)) {
            if (m_setting != SettingKeyAndValue)
                return false;
            *value = m_settingValue;
            return true;
        }
    }
    return false;
}

bool CRawDataNikonCommentRecord::ParseDistUnits(int32_t& value)
{
    std::string v;
    return MatchSetting({"DIST UNITS"}, &v) &&
           MatchWord(v, {{"Metres", 1}, {"Feet INTL", 0}, {"Feet", 0}, {"Feet US", 2}}, value);
}

bool CRawDataNikonCommentRecord::ParseAngleUnits(int32_t& value)
{
    std::string v;
    return MatchSetting({"ANGLE UNITS"}, &v) && MatchWord(v, {{"Degrees", 0}, {"DDDMMSS", 0}, {"Gons", 1}}, value);
}

bool CRawDataNikonCommentRecord::ParseZeroAzimuth(int32_t& value)
{
    std::string v;
    return MatchSetting({"ZERO AZIMUTH"}, &v) && MatchWord(v, {{"North", 0}, {"South", 1}}, value);
}

bool CRawDataNikonCommentRecord::ParseHaRawData(int32_t& value)
{
    std::string v;
    return MatchSetting({"HA Raw Data"}, &v) && MatchWord(v, {{"Azimuth", 0}, {"HA zero to BS", 1}}, value);
}

bool CRawDataNikonCommentRecord::ParseCrCoefficient(bool& value)
{
    std::string v;
    double number = 0;
    if (!MatchSetting({"C & R Coefficient"}, &v) || !ReadRawNumber(v, false, &number))
        return false;
    if (std::fabs(number - 0.2) < 0.0001)
        value = true;
    else if (std::fabs(number - 0.132) < 0.0001)
        value = false;
    else
        return false;
    return true;
}

bool CRawDataNikonCommentRecord::ParseCrAdjustment(int32_t& value)
{
    std::string v;
    return MatchSetting({"C & R Adjustment"}, &v) && MatchWord(v, {kOnOff[0], kOnOff[1]}, value);
}

bool CRawDataNikonCommentRecord::ParseSeaLevelAdjustment(int32_t& value)
{
    std::string v;
    return MatchSetting({"Sea Level Adjustment"}, &v) && MatchWord(v, {kOnOff[0], kOnOff[1]}, value);
}

bool CRawDataNikonCommentRecord::ParseScaleAdjustment(bool& value)
{
    std::string v;
    int32_t code = 0;
    if (!MatchSetting({"Scale Adjustment"}, &v) || !MatchWord(v, {kOnOff[0], kOnOff[1]}, code))
        return false;
    value = code == 1;
    return true;
}

bool CRawDataNikonCommentRecord::ParseScaleFactor(double& value)
{
    std::string v;
    double number = 0;
    if (!MatchSetting({"Scale Factor", "ScaleFactor"}, &v) || !ReadRawNumber(v, false, &number))
        return false;
    value = number;
    return true;
}

bool CRawDataNikonCommentRecord::ParseCoordOrder(int32_t& value)
{
    std::string v;
    return MatchSetting({"Coord Order"}, &v) && MatchWord(v, {{"NEZ", 0}, {"ENZ", 1}}, value);
}

void CRawDataNikonCommentRecord::PrintDistUnits(int32_t value)
{
    static const char* const texts[] = {"DIST UNITS: Feet", "DIST UNITS: Metres", "DIST UNITS: Feet US"};
    Print(value >= 0 && value <= 2 ? texts[value] : m_comment);
}

void CRawDataNikonCommentRecord::PrintAngleUnits(int32_t value)
{
    static const char* const texts[] = {"ANGLE UNITS: Degrees", "ANGLE UNITS: Gons"};
    Print(value >= 0 && value <= 1 ? texts[value] : m_comment);
}

void CRawDataNikonCommentRecord::PrintZeroAzimuth(int32_t value)
{
    static const char* const texts[] = {"ZERO AZIMUTH: North", "ZERO AZIMUTH: South"};
    Print(value >= 0 && value <= 1 ? texts[value] : m_comment);
}

void CRawDataNikonCommentRecord::PrintHaRawData(int32_t value)
{
    static const char* const texts[] = {"HA Raw Data: Azimuth", "HA Raw Data: HA zero to BS"};
    Print(value >= 0 && value <= 1 ? texts[value] : m_comment);
}

void CRawDataNikonCommentRecord::PrintCrCoefficient(bool value)
{
    Print(value ? "C & R Coefficient: 0.200" : "C & R Coefficient: 0.132");
}

void CRawDataNikonCommentRecord::PrintCrAdjustment(int32_t value)
{
    Print(value == 1 ? "C & R Adjustment: On" : value == 0 ? "C & R Adjustment: Off" : m_comment);
}

void CRawDataNikonCommentRecord::PrintSeaLevelAdjustment(int32_t value)
{
    Print(value == 1 ? "Sea Level Adjustment: On" : value == 0 ? "Sea Level Adjustment: Off" : m_comment);
}

void CRawDataNikonCommentRecord::PrintScaleAdjustment(bool value)
{
    Print(value ? "Scale Adjustment: On" : "Scale Adjustment: Off");
}

void CRawDataNikonCommentRecord::PrintScaleFactor(double value)
{
    // Nine decimals: a job made from the text takes its factor from this line.
    Print("ScaleFactor: " + FormatDoubleFull(value));
}

void CRawDataNikonCommentRecord::PrintCoordOrder(int32_t value)
{
    Print(value == 1 ? "Coord Order: ENZ" : "Coord Order: NEZ");
}

bool CRawDataNikonCommentRecord::IsJobComment(std::string* jobName)
{
    const std::vector<std::string> tokens = Tokens(GetComment(), " ");
    if (tokens.size() < 2 || !EqualNoCase(tokens[1], "<JOB>"))
        return false;
    if (jobName)
        *jobName = tokens[0];
    return true;
}

bool CRawDataNikonCommentRecord::ParseStakeoutDeltas(std::string& name, double& north, double& east,
                                                     double& elevation)
{
    CRawDataSetup* setup = GetSetup();
    if (!setup)
        return false;
    const std::string comment = GetComment();
    // Nearly every comment is a note or a setting: without a "Pt" it is refused before it is cut
    // into words, as the first keyword would refuse it.
    if (!HoldsNoCase(comment, "pt"))
        return false;
    const std::vector<std::string> tokens = Tokens(comment, ": ");
    size_t i = 0;
    auto keyword = [&](const char* word) { return i < tokens.size() && EqualNoCase(tokens[i++], word); };
    if (!keyword("Pt") || i >= tokens.size())
        return false;
    name = tokens[i++];
    if (!keyword("SO") || !keyword("Deltas"))
        return false;
    double* outputs[] = {&north, &east, &elevation};
    const char* keys[] = {"N", "E", "Z"};
    double values[3] = {};
    for (int k = 0; k < 3; ++k) {
        if (!keyword(keys[k]) || i >= tokens.size() || !ReadRawNumber(tokens[i++], false, &values[k]))
            return false;
    }
    for (int k = 0; k < 3; ++k)
        *outputs[k] = -setup->DistanceToMetres(values[k]);
    return true;
}
