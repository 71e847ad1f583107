#include "rawdata/NikonRawDataFile.h"

#include "core/Format.h"
#include "core/NoValue.h"
#include "core/PointName.h"
#include "core/RawDataSetup.h"
#include "core/ValueText.h"
#include "model/DataFileDoc.h"
#include "model/PointRecord.h"
#include "rawdata/records/RecordCode.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

// As CleanRawText: commas and line ends would split or break the line. Written at `to`; the end.
char* WriteCleanText(char* to, std::string_view text)
{
    // Each byte through a table, one load a character instead of three comparisons.
    static constexpr auto kCleaned = [] {
        std::array<char, 256> cleaned{};
        for (int c = 0; c < 256; ++c)
            cleaned[size_t(c)] = c == '\r' || c == '\n' || c == ',' ? ' ' : char(c);
        return cleaned;
    }();
    for (const char c : text)
        *to++ = kCleaned[static_cast<unsigned char>(c)];
    return to;
}

// The longest text AppendDoubleCompact gives: fixed up to 20 characters, else an exponent form.
constexpr size_t kNumberRoom = 32;

// A number's compact text written at `to`: the end. known tells whether it has six decimals, and
// then written holds what it reads back as.
char* WriteNumber(char* to, double value, double* written, bool* known)
{
    if (char* const end = WriteDoubleCompact(to, value, written)) {
        *known = true;
        return end;
    }
    // No value (no text), or beyond the six-decimal range: rare, through the general text.
    *known = false;
    std::string general;
    AppendDoubleCompact(general, value);
    const size_t size = std::min(general.size(), kNumberRoom);
    std::memcpy(to, general.data(), size);
    return to + size;
}

} // namespace

// Every imported point writes one of these lines, so it is printed once, straight into the stored
// record, and filed in the name map from its own fields, instead of being printed through a typed
// record, copied and split again. The text and what is filed are those of that longer way.
bool CNikonRawDataFile::AppendInputPoint(const CPointRecord& point, bool deleted, std::string* text, int32_t* line)
{
    // The code table is fixed for the program's run.
    static const bool fiveFields = record_codes::GetLayout(RecordTypeInputPoint).size() == 5;
    if (m_doc == nullptr || m_doc->GetRawDataFile() != this || !fiveFields)
        return CRawDataFile::AppendInputPoint(point, deleted, text, line);
    const int32_t count = GetLineCount();
    CRawDataSetup* units = GetSetup(count - 1);
    if (units == nullptr || !units->ValidateUnits(nullptr))
        return false;
    // The setups are all of this layout, so the unit is read once, not asked for each value. A
    // length unit is a scale: a known one converts as a multiplication by its factor, the
    // conversion of 1, which is the product the conversion makes, bit for bit. An unknown one
    // gives no value, through the conversions themselves.
    const int32_t distanceUnit = static_cast<CNikonRawDataSetup*>(units)->CNikonRawDataSetup::GetDistanceUnit();
    const double fromMetres = raw_units::MetresToDistance(1.0, distanceUnit);
    const double toMetres = raw_units::DistanceToMetres(1.0, distanceUnit);
    const bool scales = HasValue(fromMetres) && HasValue(toMetres);
    auto distanceOf = [&](double metres) {
        if (!scales)
            return raw_units::MetresToDistance(metres, distanceUnit);
        return HasValue(metres) ? metres * fromMetres : NoValue;
    };
    auto metresOf = [&](double distance) {
        if (!scales)
            return raw_units::DistanceToMetres(distance, distanceUnit);
        return HasValue(distance) ? distance * toMetres : NoValue;
    };

    // The name's slot in the map is a likely cache miss: fetched while the line is printed.
    const std::string_view givenName(point.GetName());
    const size_t nameHash = m_names.Prefetch(givenName);
    const CLocation at = point.GetLocation();
    const std::string_view givenDescription(point.GetDescription());
    static const std::string code = record_codes::GetTypeCode(RecordTypeInputPoint);
    // Printed straight into the line's room in the text blocks, sized for the longest line these
    // texts can make; the room not used is handed back. Record texts are short, so a line too
    // long to be placed cannot come from a point record; it would go the typed record's way.
    const size_t most = 1 + code.size() + givenName.size() + givenDescription.size() + 5 + 3 * kNumberRoom;
    char* const begin = TakeTextRoom(most);
    if (begin == nullptr)
        return CRawDataFile::AppendInputPoint(point, deleted, text, line);
    char* to = begin;
    if (deleted)
        *to++ = '*';
    to = std::copy(code.begin(), code.end(), to);
    size_t commas[5];
    commas[0] = size_t(to - begin);
    *to++ = ',';
    to = WriteCleanText(to, givenName);
    const double values[3] = {at.y, at.x, at.z};
    double written[3];
    bool known[3];
    for (int i = 0; i < 3; ++i) {
        commas[i + 1] = size_t(to - begin);
        *to++ = ',';
        to = WriteNumber(to, distanceOf(values[i]), &written[i], &known[i]);
    }
    commas[4] = size_t(to - begin);
    *to++ = ',';
    to = WriteCleanText(to, givenDescription);
    PushPlaced(PlacePrinted(begin, size_t(to - begin), most, count));
    CNikonRawDataRecord& record = *m_records.back();

    // What the setup files for a valid line: the name, the numbers read back in metres, the
    // description.
    const std::string_view lineText(record.GetText());
    // A field is cut from the line only when it is read: mostly the description alone.
    auto field = [&](int i) {
        const size_t start = commas[i] + 1;
        const size_t end = i < 4 ? commas[i + 1] : lineText.size();
        return lineText.substr(start, end - start);
    };
    // A number the line shows with six decimals is known without reading it back.
    double read[3];
    auto number = [&](int i, bool allowEmpty) {
        if (known[i]) {
            read[i] = written[i];
            return written[i] > NoValueLimit;
        }
        return ReadRawNumber(TrimRawValue(field(i + 1)), allowEmpty, &read[i]);
    };
    // A valid name holds no character the line cleans or a read trims, so it reads back as itself;
    // another is read back into a text reused between lines, so filing it allocates nothing.
    thread_local std::string name;
    const bool ownName = IsValidPointName(point.GetName());
    if ((ownName || ParsePointName(&name, TrimRawValue(field(0)))) && number(0, false) && number(1, false) &&
        number(2, true)) {
        const CLocation filed(metresOf(read[1]), metresOf(read[0]), metresOf(read[2]));
        // The description is filed from the stored line itself, which outlives the filing.
        const std::string_view description = TrimRawValue(field(4));
        // The name read back is nearly always the point's own, whose hash is known already.
        if (ownName || name == givenName)
            m_names.AddPoint(givenName, nameHash, description, filed, count, deleted);
        else
            AddPointToNameMap(name, filed, description, deleted, count);
    }
    // An input-point line is neither a stake-out nor a comment: the stake-out states pass it by.

    if (text)
        *text = record.GetText();
    if (line)
        *line = count;
    return true;
}
