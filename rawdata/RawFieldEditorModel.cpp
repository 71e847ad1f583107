#include "rawdata/RawFieldEditorModel.h"

#include "core/ProgramHelpers.h"
#include "core/TextUtil.h"
#include "model/MorvelSettingsHelpers.h"
#include "rawdata/records/RawDataRecord.h"

#include <charconv>
#include <cstdio>

namespace {

std::string RemovePlaceholders(std::string text)
{
    for (size_t at = text.find("%s"); at != std::string::npos; at = text.find("%s", at))
        text.erase(at, 2);
    return text;
}

// Line breaks would split the record into several lines when the job is saved.
std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

bool ReadInt(const std::string& text, size_t& at, int* value)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    const char* first = text.data() + at;
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, *value);
    if (ec != std::errc())
        return false;
    at = size_t(end - text.data());
    return true;
}

} // namespace

bool ParseRawTime(const std::string& text, int* hours, int* minutes, int* seconds)
{
    size_t at = 0;
    if (!ReadInt(text, at, hours) || at >= text.size() || text[at++] != ':')
        return false;
    if (!ReadInt(text, at, minutes) || at >= text.size() || text[at++] != ':')
        return false;
    return ReadInt(text, at, seconds);
}

std::string RawFieldLabel(const CNikonRawDataField& field)
{
    const std::string format = field.GetLabelFormat(false, true);
    const int placeholders = CountFormatPlaceholders(format);
    std::string label = format;
    if (placeholders == 1 || placeholders == 2) {
        label = RemovePlaceholders(format);
    } else if (placeholders == 3) {
        const int32_t code = field.GetCodeIndex();
        if (code == FieldN)
            label = GetPlanYCaption() + ":";
        else if (code == FieldE)
            label = GetPlanXCaption() + ":";
        else if (code == FieldEL)
            label = GetPlanZCaption() + ":";
    }
    return textutil::Trim(label);
}

std::vector<CRawFieldEntry> BuildRawFieldEntries(CNikonRawDataRecord& record)
{
    std::vector<CRawFieldEntry> entries;
    const int32_t count = record.GetFieldCount();
    for (int32_t i = 0; i < count; ++i) {
        const CNikonRawDataField& field = record.GetFields()[i];
        CRawFieldEntry entry;
        entry.code = field.GetCodeIndex();
        entry.kind = field.GetValueKind();
        entry.label = RawFieldLabel(field);
        entry.loaded = field.GetValue();
        if (entry.code == FieldTM) {
            int h = 0, m = 0, s = 0;
            if (ParseRawTime(entry.loaded, &h, &m, &s) && h >= 0 && h < 24 && m >= 0 && m < 60 && s >= 0 && s < 60) {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", h, m, s);
                entry.text = buffer;
            }
        } else if (entry.kind >= ValueKindEnumeration && entry.kind < ValueKindEnumeration + raw_enums::Count) {
            int32_t value = -1;
            if (raw_enums::Parse(entry.kind - ValueKindEnumeration, entry.loaded, &value))
                entry.choice = value;
        } else {
            entry.text = entry.loaded;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool CollectRawFields(CRawDataRecord& record, int32_t type, const std::vector<CRawFieldEntry>& entries)
{
    std::string text = record.IsDeleted() ? "*" : "";
    text += record_codes::GetTypeCode(type);
    text += ",";
    for (size_t i = 0; i < entries.size(); ++i) {
        const CRawFieldEntry& entry = entries[i];
        if (entry.code == FieldTM) {
            text += entry.timeChanged ? entry.text : OneLine(entry.loaded);
        } else if (entry.kind >= ValueKindEnumeration && entry.kind < ValueKindEnumeration + raw_enums::Count) {
            text += std::to_string(entry.choice);
        } else if (entry.kind == 0 || entry.kind == ValueKindTime) {
            // Other pickers give nothing.
        } else {
            text += OneLine(entry.text);
        }
        if (i + 1 < entries.size())
            text += ",";
    }
    record.SetText(text);
    return true;
}

std::vector<std::string> RawRecordTypeChoices()
{
    std::vector<std::string> choices;
    for (int32_t type = RecordTypeComment; type <= RecordTypeFace2; ++type)
        choices.push_back("'" + record_codes::GetTypeCode(type) + "' " + record_codes::GetTypeLabel(type, true));
    return choices;
}
