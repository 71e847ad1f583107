#include "rawdata/records/NikonRawDataSetup.h"

#include "core/ColoredTextLines.h"
#include "core/DecimalText.h"
#include "core/Format.h"
#include "core/FormatPreferences.h"
#include "core/Location.h"
#include "core/PointName.h"
#include "core/RawDataFormat.h"
#include "core/ValueText.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/RawPointNameMap.h"
#include "rawdata/StakeoutStateTable.h"
#include "rawdata/records/RawDataNikonCommentRecord.h"
#include "rawdata/records/RawDataNikonCoordinateRecord.h"
#include "rawdata/records/RawDataNikonObservationRecord.h"
#include "rawdata/records/RawDataNikonStationRecord.h"

#include <cctype>
#include <strings.h>

CNikonRawDataSetup::CNikonRawDataSetup(CDataFileDoc* doc, int32_t line) : CRawDataSetup(RawDataFileOf(doc), line) {}

CNikonRawDataSetup::Shared* CNikonRawDataSetup::DefaultSettings()
{
    // Its own use keeps the count above zero for good, and it outlives every setup, static or not.
    static Shared* const defaults = new Shared{Settings(), 1};
    return defaults;
}

CDataFileDoc* CNikonRawDataSetup::GetDocument() const
{
    return m_file ? m_file->GetDocument() : nullptr;
}

bool CNikonRawDataSetup::CopySettings(const CRawDataSetup* other)
{
    auto* nikon = dynamic_cast<const CNikonRawDataSetup*>(other);
    if (!nikon)
        return false;
    CopySettingsOf(*nikon);
    return true;
}

CRawDataSetup& CNikonRawDataSetup::Reset()
{
    const int32_t line = m_line;
    CRawDataFile* file = m_file;
    *this = CNikonRawDataSetup();
    m_line = line;
    m_file = file;
    return *this;
}

bool CNikonRawDataSetup::CompareWith(const CNikonRawDataSetup& previous, uint32_t* flags) const
{
    auto sameText = [](const std::shared_ptr<const std::string>& a, const std::shared_ptr<const std::string>& b) {
        if (a == b)
            return true;
        const std::string& x = a ? *a : std::string();
        const std::string& y = b ? *b : std::string();
        return strcasecmp(x.c_str(), y.c_str()) == 0;
    };
    uint32_t bits = 0;
    if (!sameText(S().distanceText, previous.S().distanceText) || !sameText(S().angleText, previous.S().angleText) ||
        !sameText(S().zeroAzimuthText, previous.S().zeroAzimuthText))
        bits |= 1;
    const std::string station = S().station ? S().station->text : std::string();
    const std::string before = previous.S().station ? previous.S().station->text : std::string();
    if (S().station != previous.S().station && strcasecmp(station.c_str(), before.c_str()) != 0)
        bits |= 2 | 4;
    if (!(S().hr == previous.S().hr || (!HasValue(S().hr) && !HasValue(previous.S().hr))))
        bits |= 8;
    if (flags)
        *flags = bits;
    return bits != 0;
}

int32_t CNikonRawDataSetup::GetStationLine() const
{
    return S().station ? S().station->line : -1;
}

bool CNikonRawDataSetup::ValidateUnits(std::string* message) const
{
    const char* failure = nullptr;
    if (S().distanceUnit < 0)
        failure = "No valid distance unit found.";
    else if (S().angleUnit < 0)
        failure = "No valid angle unit found.";
    else if (S().zeroAzimuth < 0)
        failure = "No valid azimuth direction found.";
    else if (S().haMode != 0 && S().haMode != 1)
        failure = "No valid direction type found.";
    if (failure && message)
        *message = failure;
    return failure == nullptr;
}

bool CNikonRawDataSetup::ValidateForReduction(std::string* message, bool checkHr) const
{
    StationCheck check;
    return ValidateForReduction(message, checkHr, check);
}

bool CNikonRawDataSetup::ValidateForReduction(std::string* message, bool checkHr, StationCheck& check,
                                              const CLocation* occupied) const
{
    if (!ValidateUnits(message))
        return false;
    const char* failure = nullptr;
    CLocation occupy;
    if (!S().station || check.station != S().station) {
        check.message.clear();
        check.valid = ValidateStation(&check.message);
        check.station = S().station;
    }
    const std::string& stationMessage = check.message;
    if (!check.valid) {
        if (message)
            *message = "No station setup found." + (stationMessage.empty() ? std::string() : "  " + stationMessage);
        return false;
    }
    if (occupied)
        occupy = *occupied;
    if (!occupied && !GetOccupyLocation(&occupy))
        failure = "Invalid Occupy Pt location";
    else if (!HasValue(BacksightAzimuthFrom(&occupy)))
        failure = "No valid backsight azimuth found.";
    else if (checkHr && !HasValue(S().hr))
        failure = "No valid HR found.";
    if (failure && message)
        *message = failure;
    return failure == nullptr;
}

double CNikonRawDataSetup::AzimuthToDirection(double azimuth) const
{
    return raw_units::AzimuthToDirection(azimuth, S().angleUnit, S().zeroAzimuth);
}

double CNikonRawDataSetup::AngleToRadians(double angle) const
{
    return raw_units::AngleToRadians(angle, S().angleUnit);
}

double CNikonRawDataSetup::VerticalAngleToRadians(double angle) const
{
    return raw_units::VerticalAngleToRadians(angle, S().angleUnit);
}

double CNikonRawDataSetup::DistanceToMetres(double distance) const
{
    return raw_units::DistanceToMetres(distance, S().distanceUnit);
}

double CNikonRawDataSetup::DirectionToAzimuth(double direction) const
{
    return raw_units::DirectionToAzimuth(direction, S().angleUnit, S().zeroAzimuth);
}

double CNikonRawDataSetup::RadiansToAngle(double radians) const
{
    return raw_units::RadiansToAngle(radians, S().angleUnit);
}

double CNikonRawDataSetup::RadiansToVerticalAngle(double radians) const
{
    return raw_units::RadiansToVerticalAngle(radians, S().angleUnit);
}

double CNikonRawDataSetup::MetresToDistance(double metres) const
{
    return raw_units::MetresToDistance(metres, S().distanceUnit);
}

std::string CNikonRawDataSetup::GetDistanceUnitLabel() const
{
    return raw_units::DistanceUnitLabel(S().distanceUnit, GetFormatPreferences().iUseArchetecturalUnits);
}

bool CNikonRawDataSetup::GetCurvatureRefraction(uint8_t* coefficient) const
{
    if (S().crAdjustment != 1)
        return false;
    *coefficient = S().crCoefficient;
    return true;
}

bool CNikonRawDataSetup::GetSeaLevelAdjustment(int32_t* value) const
{
    *value = S().seaLevel;
    return true;
}

bool CNikonRawDataSetup::GetScaleFactor(double* factor) const
{
    *factor = S().scaleFactor;
    return S().scaleAdjustment;
}

std::unique_ptr<CRawDataNikonStationRecord> CNikonRawDataSetup::MakeStationRecord() const
{
    auto station = std::make_unique<CRawDataNikonStationRecord>();
    if (S().station) {
        station->SetText(S().station->text);
        station->SetDocument(GetDocument());
        station->SetLine(S().station->line);
    }
    return station;
}

bool CNikonRawDataSetup::ValidateStation(std::string* message) const
{
    return MakeStationRecord()->ValidateSetup(message);
}

std::string CNikonRawDataSetup::GetOccupyPoint() const
{
    return S().station && S().station->valid ? S().station->occupy : std::string();
}

std::string CNikonRawDataSetup::GetBacksightPoint() const
{
    return S().station && S().station->valid ? S().station->backsight : std::string();
}

double CNikonRawDataSetup::GetHI() const
{
    return S().station && S().station->valid ? S().station->hi : NoValue;
}

double CNikonRawDataSetup::GetBacksightCircle() const
{
    return S().station && S().station->valid ? S().station->circle : NoValue;
}

double CNikonRawDataSetup::GetHeightDifference() const
{
    const double hi = GetHI();
    return HasValue(hi) && HasValue(S().hr) ? hi - S().hr : NoValue;
}

bool CNikonRawDataSetup::GetOccupyLocation(CLocation* location) const
{
    if (!m_file)
        return false;
    CLocation found;
    if (!m_file->GetPointNameMap().GetPointLocation(GetOccupyPoint(), &found, m_line))
        return false;
    *location = found;
    return found.HasPlaneCoordinates();
}

double CNikonRawDataSetup::GetBacksightAzimuth() const
{
    return BacksightAzimuthFrom(nullptr);
}

double CNikonRawDataSetup::BacksightAzimuthFrom(const CLocation* occupied) const
{
    if (m_file) {
        CLocation occupy, backsight;
        const CRawPointNameMap& map = m_file->GetPointNameMap();
        if (occupied)
            occupy = *occupied;
        if ((occupied || map.GetPointLocation(GetOccupyPoint(), &occupy, m_line)) &&
            map.GetPointLocation(GetBacksightPoint(), &backsight, m_line)) {
            double direction = NoValue;
            occupy.DistanceAndDirection(backsight, &direction);
            if (HasValue(direction))
                return direction;
        }
    }
    return S().station && S().station->valid ? S().station->azimuth : NoValue;
}

bool CNikonRawDataSetup::IsPointKnown(const std::string& name) const
{
    return m_file && m_file->GetPointNameMap().HasPoint(name, m_line);
}

bool CNikonRawDataSetup::GetPointLocation(const std::string& name, CLocation* location) const
{
    return m_file && m_file->GetPointNameMap().GetPointLocation(name, location, m_line);
}

bool CNikonRawDataSetup::GetPointDescription(const std::string& name, std::string* description) const
{
    return m_file && m_file->GetPointNameMap().GetPointDescription(name, description, m_line);
}

bool CNikonRawDataSetup::GetStakeoutState(CStakeoutState* state) const
{
    return m_file && m_file->GetStakeoutTable().Lookup(m_line, state);
}

// Whether the comment's first ':' token is one of the settings keys; most comments are notes, and
// they need not pass ten parsers.
static bool HasSettingsKey(const std::string& comment)
{
    static const char* const keys[] = {"DIST UNITS", "ANGLE UNITS", "ZERO AZIMUTH", "HA Raw Data", "Coord Order",
                                       "C & R Adjustment", "C & R Coefficient", "Sea Level Adjustment",
                                       "Scale Factor", "ScaleFactor", "Scale Adjustment"};
    const size_t colon = comment.find(':');
    if (colon == std::string::npos)
        return false;
    size_t begin = 0, end = colon;
    while (begin < end && std::isspace(static_cast<unsigned char>(comment[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(comment[end - 1])))
        --end;
    const std::string key = comment.substr(begin, end - begin);
    for (const char* k : keys)
        if (strcasecmp(key.c_str(), k) == 0)
            return true;
    return false;
}

void CNikonRawDataSetup::ApplyComment(CNikonRawDataRecord& record)
{
    CRawDataNikonCommentRecord comment(record);
    if (!HasSettingsKey(comment.GetComment()))
        return;
    int32_t code = 0;
    bool flag = false;
    double factor = 0;
    auto text = [&comment] { return std::make_shared<const std::string>(comment.GetText()); };
    if (comment.ParseDistUnits(code)) {
        Write().distanceUnit = code;
        Write().distanceText = text();
    } else if (comment.ParseAngleUnits(code)) {
        Write().angleUnit = code;
        Write().angleText = text();
    } else if (comment.ParseZeroAzimuth(code)) {
        Write().zeroAzimuth = code;
        Write().zeroAzimuthText = text();
    } else if (comment.ParseHaRawData(code)) {
        Write().haMode = code;
    } else if (comment.ParseCoordOrder(code)) {
        Write().coordOrder = code;
    } else if (comment.ParseCrAdjustment(code)) {
        Write().crAdjustment = code;
    } else if (comment.ParseCrCoefficient(flag)) {
        Write().crCoefficient = flag ? 1 : 0;
    } else if (comment.ParseSeaLevelAdjustment(code)) {
        Write().seaLevel = code;
    } else if (comment.ParseScaleFactor(factor)) {
        Write().scaleFactor = factor;
    } else if (comment.ParseScaleAdjustment(flag)) {
        Write().scaleAdjustment = flag;
    }
}

void CNikonRawDataSetup::ApplyStation(CNikonRawDataRecord& record)
{
    CRawDataNikonStationRecord view(record);
    auto station = std::make_shared<Station>();
    station->text = record.GetText();
    station->line = m_line;
    station->valid = view.Validate();
    if (station->valid) {
        station->occupy = view.GetOccupyPoint();
        station->backsight = view.GetBacksightPoint();
        station->hi = view.GetHI();
        station->azimuth = view.GetBacksightAzimuth();
        station->circle = view.GetBacksightCircle();
    }
    Write().station = std::move(station);
}

namespace {

bool IsBlankOrTab(char c)
{
    return c == ' ' || c == '\t';
}

// One walk over a line whose first value is followed by plain decimals between blanks and then
// text values, the numbers read as the walk meets them: nearly every line of a file is such a
// line, and splitting it into fields first and reading each field again cost more than the rest of
// applying it. False for any other line (values missing or empty, an exponent, other blanks, long
// digit runs, more values than the layout has), which the split then reads; what this reads is
// what the split and the number reader give.
bool ReadPlainValues(std::string_view text, std::string_view& first, std::span<double> numbers,
                     std::span<std::string_view> texts)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end && *p != ',')
        ++p;
    if (p == end)
        return false;
    const char* start = ++p;
    while (p != end && *p != ',')
        ++p;
    first = TrimRawValue(std::string_view(start, size_t(p - start)));
    for (double& number : numbers) {
        // A comma that ends the line starts no value.
        if (p == end || p + 1 == end)
            return false;
        ++p;
        while (p != end && IsBlankOrTab(*p))
            ++p;
        p = ReadPlainDecimal(p, end, number);
        if (!p || !HasValue(number))
            return false;
        while (p != end && IsBlankOrTab(*p))
            ++p;
        if (p != end && *p != ',')
            return false;
    }
    for (std::string_view& value : texts) {
        if (p == end || p + 1 == end)
            return false;
        start = ++p;
        while (p != end && *p != ',')
            ++p;
        value = TrimRawValue(std::string_view(start, size_t(p - start)));
    }
    return p == end || p + 1 == end;
}

} // namespace

void CNikonRawDataSetup::ApplyStorePoint(CNikonRawDataRecord& record, int32_t type)
{
    // The coordinate view's checks read straight off the line: every open applies every line, and
    // a view would copy the line and each of its values first.
    const std::string_view text = record.GetText();
    if (text.size() < 2)
        return;
    // Every coordinate line has the five values of the coordinate layout.
    if (!record_codes::IsCoordinateType(type))
        return;
    // A valid name is filed straight off the line; only a name the parse cleans is copied.
    std::string parsed;
    std::string_view name;
    std::string_view values[5];
    double n = 0, e = 0, z = 0;
    double numbers[3];
    if (ReadPlainValues(text, values[0], numbers, std::span(values + 4, 1))) {
        n = numbers[0];
        e = numbers[1];
        z = numbers[2];
        if (IsValidPointName(values[0]))
            name = values[0];
        else if (ParsePointName(&parsed, values[0]))
            name = parsed;
        else
            return;
    } else if (SplitRawValues(text, values) < 0 || !ParsePointName(&parsed, values[0]) ||
               !ReadRawNumber(values[1], false, &n) || !ReadRawNumber(values[2], false, &e) ||
               !ReadRawNumber(values[3], true, &z)) {
        return;
    } else {
        name = parsed;
    }
    const CRawDataSetup* setup = record.GetSetup();
    auto metres = [setup](double v) { return setup ? setup->DistanceToMetres(v) : NoValue; };
    const CLocation location(metres(e), metres(n), metres(z));
    // The flag is what IsDeleted answers; its tidying of the marks may rewrite the line the name
    // and description are read from, so it comes after they are filed.
    m_file->AddPointToNameMap(name, location, values[4], record.IsDeletedFlag(), m_line);
    record.IsDeleted();
}

void CNikonRawDataSetup::ApplyShot(CNikonRawDataRecord& record, int32_t type)
{
    // The observation view's checks read straight off the line, as for a point line; a view is
    // built from the values only when the shot is filed.
    const bool face = type == RecordTypeFace1 || type == RecordTypeFace2;
    const std::string_view text = record.GetText();
    std::string_view values[7];
    const auto layout = record_codes::GetLayout(type);
    std::string name;
    double hr = 0, sd = 0, ha = 0, va = 0;
    CRawDataSetup* setup = nullptr;
    bool read = false;
    if (text.size() >= 2 && layout.size() == (face ? 6u : 7u)) {
        double numbers[4];
        read = ReadPlainValues(text, values[0], numbers, std::span(values + 5, layout.size() - 5));
        if (read) {
            hr = numbers[0];
            sd = numbers[1];
            ha = numbers[2];
            va = numbers[3];
        } else {
            read = SplitRawValues(text, std::span(values, layout.size())) >= 0 &&
                   ReadRawNumber(values[1], true, &hr) && ReadRawNumber(values[2], true, &sd) &&
                   ReadRawNumber(values[3], false, &ha) && ReadRawNumber(values[4], false, &va);
        }
    }
    // A face line's name is taken as it stands; a plain name needs no parse.
    const bool named = read && ((face || IsValidPointName(values[0])) ? (name.assign(values[0]), true)
                                                                       : ParsePointName(&name, values[0]));
    const bool valid = named && (setup = record.GetSetup()) != nullptr;
    SetHR(valid ? setup->DistanceToMetres(hr) : NoValue);
    if (!valid || !HasValue(S().hr) || !record_codes::IsShotType(type))
        return;
    CRawDataNikonObservationRecord shot;
    shot.SetDocument(record.GetDocument());
    shot.SetLine(record.GetLine());
    shot.SetValues(name, S().hr, setup->DistanceToMetres(sd), ha, setup->AngleToRadians(va), std::string(values[5]),
                   std::string(values[6]));
    CLocation location;
    if (HasValue(shot.GetSD()) && shot.GetObservedLocation(*this, &location))
        m_file->AddPointToNameMap(shot.GetPointName(), location, shot.GetFeatureCode(), record.IsDeleted(), m_line);
}

void CNikonRawDataSetup::ApplyRecord(CNikonRawDataRecord& record)
{
    if (!m_file)
        return;
    const int32_t type = record.GetType();
    if (type == RecordTypeComment)
        ApplyComment(record);
    else if (record_codes::IsCoordinateType(type))
        ApplyStorePoint(record, type);
    else if (type == RecordTypeStation)
        ApplyStation(record);
    else if (record_codes::IsShotType(type) || type == RecordTypeFace1 || type == RecordTypeFace2)
        ApplyShot(record, type);
    // The stakeout table reads only comments and stakeout lines: other lines skip a second look at
    // their type there.
    if (type == RecordTypeComment || type == RecordTypeStakeOut)
        m_file->ApplyStakeoutRecord(record);
}

void CNikonRawDataSetup::AddStationPreview(uint32_t flags)
{
    if ((flags & (2 | 4)) == 0 || !S().station)
        return;
    MakeStationRecord()->DrawPreview();
}

bool CNikonRawDataSetup::FormatCurrentSetup(CColoredTextLines* lines, bool longLabels, bool checkHr)
{
    if (!m_file || !lines)
        return false;
    lines->AddLineDefaultColor(RawSeparatorLine);
    lines->AddLine("Current Setup", TitleTextColor);
    std::string message;
    if (!ValidateForReduction(&message, checkHr))
        lines->AddLine(message, ProblemTextColor);

    CJobRawData* file = m_file;
    auto nameLine = [&](int32_t code, const std::string& name) {
        const CNikonRawDataField field(code, name);
        return name.empty() ? FillLabel(field.GetLabelFormat(longLabels, true), {"---"})
                            : field.FormatText(file, m_line, longLabels, true);
    };
    const CRawDataFormat formatter(this, true);
    auto valueLine = [&](int32_t code, const std::string& value) {
        return CNikonRawDataField(code, value).FormatText(file, m_line, longLabels, true);
    };
    lines->AddLineDefaultColor(nameLine(FieldOP, GetOccupyPoint()));
    lines->AddLineDefaultColor(nameLine(FieldBP, GetBacksightPoint()));
    lines->AddLineDefaultColor(valueLine(FieldBA, FormatDoubleCompact(DirectionToAzimuth(GetBacksightAzimuth()))));
    lines->AddLineDefaultColor(valueLine(FieldHI, formatter.FormatElevation(GetHI(), true, false)));
    lines->AddLineDefaultColor(valueLine(FieldHR, formatter.FormatElevation(GetHR(), true, false)));
    return true;
}

bool CNikonRawDataSetup::FormatCurrentMode(CColoredTextLines* lines, bool longLabels)
{
    if (!m_file || !lines)
        return false;
    lines->AddLineDefaultColor(RawSeparatorLine);
    lines->AddLine("Current Mode", TitleTextColor);
    std::string message;
    if (!ValidateUnits(&message)) {
        lines->AddLine(message, ProblemTextColor);
        return true;
    }
    CJobRawData* file = m_file;
    auto enumLine = [&](int32_t code, int32_t enumeration, int32_t value) {
        return CNikonRawDataField(code, "").FormatEnumValue(file, m_line, enumeration, value, longLabels, true);
    };
    lines->AddLineDefaultColor(enumLine(FieldDU, 4, S().distanceUnit));
    lines->AddLineDefaultColor(enumLine(FieldAU, 1, S().angleUnit));
    lines->AddLineDefaultColor(enumLine(FieldZA, 0, S().zeroAzimuth));
    lines->AddLineDefaultColor(
        CNikonRawDataField(FieldSF, FormatDoubleFull(S().scaleFactor)).FormatText(file, m_line, longLabels, true));
    lines->AddLineDefaultColor(enumLine(FieldEC, 2, S().crAdjustment));
    lines->AddLineDefaultColor(enumLine(FieldSL, 3, S().seaLevel));
    lines->AddLineDefaultColor(enumLine(FieldHD, 5, S().haMode));
    lines->AddLineDefaultColor(enumLine(FieldVD, 6, S().coordOrder));
    return true;
}
