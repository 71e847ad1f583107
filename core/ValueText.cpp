#include "core/ValueText.h"

#include "core/AngleFunctions.h"
#include "core/AngleInput.h"
#include "core/DecimalText.h"
#include "core/Format.h"
#include "core/FormatPreferences.h"
#include "core/GenericFormat.h"
#include "core/JobValueSource.h"
#include "core/LocaleText.h"
#include "core/Location.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/Parser.h"
#include "core/ProgramHelpers.h"
#include "core/TextUtil.h"
#include "core/PointName.h"

#include <charconv>
#include <cmath>

namespace {

using namespace textutil;

const char* const PointNameFieldCharacters =
    "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz0123456789_";

// Length of the leading run of text made of the given characters; multi-byte separators count as
// one unit each.
std::size_t LeadingRun(const std::string& text, const std::string& singles,
                       const std::string& extra1 = {}, const std::string& extra2 = {})
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (!extra1.empty() && text.compare(i, extra1.size(), extra1) == 0) {
            i += extra1.size();
            continue;
        }
        if (!extra2.empty() && text.compare(i, extra2.size(), extra2) == 0) {
            i += extra2.size();
            continue;
        }
        if (singles.find(text[i]) != std::string::npos && static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        break;
    }
    return i;
}

// Removes every occurrence of a one-character thousands separator, except at keep.
std::string RemoveThousandsSeparators(const std::string& text, const std::string& separator,
                                      std::size_t keep = std::string::npos)
{
    if (separator.empty() || CountCharacters(separator) != 1)
        return text;
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (i != keep && text.compare(i, separator.size(), separator) == 0) {
            i += separator.size();
            continue;
        }
        result += text[i++];
    }
    return result;
}

// Looks up the named points of the active job.
bool FindPoints(const std::vector<std::string>& names, std::vector<CLocation>* locations)
{
    const CJobValueSource* job = GetActiveJobValueSource();
    if (!job)
        return false;
    locations->assign(names.size(), CLocation());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!job->FindPointLocation(names[i], &(*locations)[i]))
            return false;
    }
    return true;
}

// Text of a double with '.' and nine decimals.
std::string FixedNine(double value)
{
    char buf[512];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 9);
    if (res.ec != std::errc())
        return {};
    return std::string(buf, res.ptr);
}

void FormatGeographicText(std::string* out, bool decimalDegrees, double radians, bool edit,
                          const char* positive, const char* negative)
{
    // Written so NaN, which fails every comparison, is absent too.
    if (!HasValue(radians)) {
        *out = edit ? std::string() : std::string("---");
        return;
    }
    const double v = decimalDegrees ? radians * 57.29577951308232 : RoundPackedDms(RadiansToDms(radians), 5);
    *out = FixedNine(v);
    if (!edit) {
        *out += " ";
        *out += v >= 0 ? positive : negative;
    }
}

bool ParseHemisphereAngle(double* out, const std::string& text, char positive, char negative)
{
    std::string rest = Trim(text);
    if (rest.empty())
        return false;
    auto isHemisphere = [&](char c) {
        const char u = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        return u == positive || u == negative;
    };
    char hemisphere = 0;
    if (isHemisphere(rest.front())) {
        hemisphere = rest.front();
        rest.erase(0, 1);
    } else if (isHemisphere(rest.back())) {
        hemisphere = rest.back();
        rest.pop_back();
    }
    if (!NormalizeAngleText(rest))
        return false;
    if (!ParsePackedAngleText(out, rest))
        return false;
    if (hemisphere == negative || hemisphere == negative - 'A' + 'a')
        *out = -*out;
    return true;
}

const CFormat& FormatOrJob(const CFormat* format)
{
    return format ? *format : *GetActiveJobFormat();
}

} // namespace

std::string GetNumberCharacters()
{
    return "e+-0123456789" + GetLocaleText(LocaleDecimalSeparator) +
           GetLocaleText(LocaleThousandsSeparator);
}

bool ScanDouble(double* out, const std::string& text)
{
    *out = NoValue;
    // Blanks and tabs may follow the number; the reader itself skips those in front.
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    double value = 0.0;
    if (!ReadDecimalDouble(std::string_view(text).substr(0, end), value))
        return false;
    *out = value;
    return true;
}

bool ScanLong(int32_t* out, const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    const char first = start < text.size() ? text[start] : '\0';
    std::size_t end = text.size();
    while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    int32_t value = 0;
    if (!ReadDecimalInt32(std::string_view(text).substr(start, end - start), value))
        return false;
    // A zero counts only when written as a plain "0...".
    if (value == 0 && first != '0')
        return false;
    *out = value;
    return true;
}

bool ParseDouble(double* out, const std::string& text, bool allowEmpty)
{
    std::string copy = text;
    const std::string decimalSep = GetLocaleText(LocaleDecimalSeparator);
    std::size_t keep = std::string::npos;
    if (decimalSep != "." && !decimalSep.empty()) {
        const std::size_t p = copy.find(decimalSep);
        if (p != std::string::npos) {
            copy.replace(p, decimalSep.size(), ".");
            keep = p;
        }
    }
    if (copy.empty()) {
        if (!allowEmpty)
            return false;
        *out = NoValue;
        return true;
    }
    copy = RemoveThousandsSeparators(copy, GetLocaleText(LocaleThousandsSeparator), keep);
    const bool scanned = ScanDouble(out, copy);
    if (allowEmpty)
        return scanned;
    return scanned && *out > NoValueLimit;
}

bool ParseInt(int* out, const std::string& text)
{
    if (text.empty())
        return false;
    int32_t value = 0;
    if (!ScanLong(&value, RemoveThousandsSeparators(text, GetLocaleText(LocaleThousandsSeparator))))
        return false;
    *out = value;
    return true;
}

bool ParseWholeNumber(int* out, const std::string& text)
{
    return ParseInt(out, text);
}

bool IsNotSeparator(char c, const std::string& separator)
{
    return separator.size() != 1 || c != separator[0];
}

bool ParsePointName(std::string* out, std::string_view text)
{
    const std::string_view trimmed = TrimmedView(text);
    if (trimmed.find('\0') != std::string_view::npos)
        return false;
    // Kept apart until it passes: the text may be a view of *out.
    std::string name(trimmed);
    if (!IsValidPointName(name.c_str()))
        return false;
    *out = std::move(name);
    return true;
}

bool SplitValueFields(const std::string& text, int count, std::vector<std::string>* out)
{
    if (count < 1)
        return false;
    std::string rest = Trim(text);
    out->assign(static_cast<std::size_t>(count), std::string());
    const std::string thousands = GetLocaleText(LocaleThousandsSeparator);
    const std::string decimal = GetLocaleText(LocaleDecimalSeparator);
    for (int i = 0; i < count; ++i) {
        const std::size_t n = LeadingRun(rest, PointNameFieldCharacters, thousands, decimal);
        if (!ParsePointName(&(*out)[i], rest.substr(0, n)))
            return false;
        if (i == count - 1)
            break;
        rest = TrimLeft(rest.substr(n));
        const std::size_t hyphens = rest.find_first_not_of('-');
        const std::size_t run = hyphens == std::string::npos ? rest.size() : hyphens;
        if (run != 1)
            return false;
        rest = TrimLeft(rest.substr(1));
    }
    const std::vector<std::string>& f = *out;
    if (count >= 2 && f[0] == f[1])
        return false;
    if (count >= 3 && (f[1] == f[2] || f[0] == f[2]))
        return false;
    std::vector<CLocation> locations;
    return FindPoints(f, &locations);
}

bool ParseDistance(const std::string& text, double* out, int distanceKind)
{
    std::vector<std::string> names;
    if (!SplitValueFields(text, 2, &names))
        return ParseDistanceText(text, out);

    std::vector<CLocation> p;
    if (!FindPoints(names, &p))
        return false;
    const CMathConversions& conv = GetActiveJobValueSource()->GetMathConversions();
    double metres = NoValue;
    switch (distanceKind) {
    case DistanceSlope:
        if (!conv.SlopeDistanceBetweenPoints(&p[0], &p[1], &metres))
            return false;
        break;
    case DistanceVertical:
        if (!conv.ElevationDifferenceBetweenPoints(&p[0], &p[1], &metres))
            return false;
        break;
    case DistanceHorizontal: {
        double direction = 0.0;
        metres = p[0].DistanceAndDirection(p[1], &direction);
        if (!HasValue(metres))
            return false;
        break;
    }
    default:
        return false;
    }
    *out = conv.MetresToDisplay(metres);
    return true;
}

bool ParseDistanceText(const std::string& text, double* out)
{
    const std::string lowered = ToLowerAscii(TrimLeft(text));
    const std::size_t n = NumberRun(lowered);
    const std::string number = lowered.substr(0, n);
    double value = 0.0;
    if (!ParseDouble(&value, number, false))
        return false;
    std::string rest = TrimLeft(lowered.substr(n));
    if (rest.empty()) {
        *out = value;
        return true;
    }
    double extra = 0.0;
    if (ParseFeetAndInches(&extra, rest)) {
        // The inches lengthen the feet away from zero: -5 6 is minus five and a half feet.
        value = std::signbit(value) ? value - extra : value + extra;
    }
    if (!rest.empty())
        return false;
    *out = value;
    return true;
}

bool ParseFeetAndInches(double* feet, std::string& rest)
{
    const CJobValueSource* job = GetActiveJobValueSource();
    if (!job || (job->GetSurveyUnits() != JobUnitInternationalFeet && job->GetSurveyUnits() != JobUnitUsSurveyFeet))
        return false;
    CParser parser;
    parser.SetText(rest);
    parser.SetDelimiters(" ");
    parser.SetTrimBlanks(true);
    int inches = 0;
    if (!parser.GetNextInt(&inches))
        return false;
    int numerator = 0;
    int denominator = 0;
    bool haveDenominator = false;
    if (!parser.IsEmpty()) {
        parser.SetDelimiters("/");
        if (!parser.GetNextInt(&numerator))
            return false;
        // No denominator is allowed after a zero numerator; an unreadable one is not.
        if (!parser.IsEmpty()) {
            if (!parser.GetNextInt(&denominator))
                return false;
            haveDenominator = true;
        }
        if (numerator != 0 && (!haveDenominator || denominator == 0))
            return false;
    }
    if (!parser.IsEmpty())
        return false;
    double value = inches / 12.0;
    // A zero numerator adds nothing (and 0/0 must not make a NaN).
    if (haveDenominator && numerator != 0)
        value += (double(numerator) / denominator) / 12.0;
    *feet = value;
    rest = parser.GetRemainingText();
    return true;
}

bool ParseGrade(const std::string& text, double* out)
{
    std::vector<std::string> names;
    if (!SplitValueFields(text, 2, &names))
        return ParseGradeText(text, out);
    std::vector<CLocation> p;
    if (!FindPoints(names, &p))
        return false;
    const CMathConversions& conv = GetActiveJobValueSource()->GetMathConversions();
    double dz = 0.0;
    if (!conv.ElevationDifferenceBetweenPoints(&p[0], &p[1], &dz))
        return false;
    double direction = 0.0;
    const double h = p[0].DistanceAndDirection(p[1], &direction);
    if (!HasValue(h) || h == 0.0)
        return false;
    *out = dz / h;
    return true;
}

bool ParseGradeText(const std::string& text, double* out)
{
    const std::string lowered = ToLowerAscii(TrimLeft(text));
    const std::size_t n = NumberRun(lowered);
    double value = 0.0;
    if (!ParseDouble(&value, lowered.substr(0, n), false))
        return false;
    const std::string rest = TrimLeft(lowered.substr(n));
    if (!rest.empty() && rest != "%")
        return false;
    *out = value / 100.0;
    return true;
}

bool ParseArea(const std::string& text, double* out)
{
    const std::string lowered = ToLowerAscii(TrimLeft(text));
    const std::size_t n = NumberRun(lowered);
    double value = 0.0;
    if (!ParseDouble(&value, lowered.substr(0, n), false))
        return false;
    if (!TrimLeft(lowered.substr(n)).empty())
        return false;
    *out = value;
    return true;
}

bool ParseStation(double* out, const std::string& text)
{
    std::string t = TrimLeft(text);
    bool negative = false;
    if (!t.empty() && t[0] == '-') {
        negative = true;
        t.erase(0, 1);
    }
    const std::size_t plus = t.find('+');
    if (plus == std::string::npos) {
        double value = 0.0;
        if (!ParseDouble(&value, t, false))
            return false;
        *out = negative ? -value : value;
        return true;
    }
    if (plus + 1 >= t.size())
        return false;
    double before = 0.0;
    double after = 0.0;
    if (!ParseDouble(&before, t.substr(0, plus), false) || !ParseDouble(&after, t.substr(plus + 1), false))
        return false;
    const double multiplier = GetFormatPreferences().iJobStationFormat == StationFormatHundreds ? 100.0 : 1000.0;
    if (after > multiplier)
        return false;
    if (before < 0)
        after = -after;
    double value = before * multiplier + after;
    // A huge part before the '+' would overflow to infinity.
    if (!std::isfinite(value))
        return false;
    *out = negative ? -value : value;
    return true;
}

bool ParseNorthSouth(double* out, const std::string& text)
{
    return ParseHemisphereAngle(out, text, 'N', 'S');
}

bool ParseEastWest(double* out, const std::string& text)
{
    return ParseHemisphereAngle(out, text, 'E', 'W');
}

bool IsValidTime(int hours, int minutes, int seconds)
{
    if (hours == 24)
        return minutes == 0 && seconds == 0;
    return hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && seconds >= 0 && seconds <= 59;
}

bool IsValidDate(int year, int month, int day)
{
    if (year < 1900 || year > 3000 || month < 1 || month > 12 || day < 1)
        return false;
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = (month == 2 && leap) ? 29 : days[month - 1];
    return day <= length;
}

void ConvertToMetres(double* value, const CGenericFormat* units)
{
    if (units)
        *value = units->FromDisplayUnits(*value);
    *value = GetActiveJobMathConversions()->DisplayToMetres(*value);
}

void ConvertFromMetres(double* value, const CGenericFormat* units)
{
    if (units)
        *value = units->ToDisplayUnits(*value);
    *value = GetActiveJobMathConversions()->MetresToDisplay(*value);
}

std::string FormatCoordinateText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatCoordinate(value, edit, false);
}

std::string FormatElevationText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatElevation(value, edit, false);
}

std::string FormatHeightText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatElevation(value, edit, false);
}

std::string FormatNorthSouthText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatNorthSouthAngle(value, edit);
}

std::string FormatEastWestText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatEastWestAngle(value, edit);
}

std::string FormatDistanceText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatDistance(value, edit, false);
}

std::string FormatAzimuthText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatAzimuth(value, edit);
}

std::string FormatAngleText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatHorizontalAngle(value, edit);
}

std::string FormatVerticalAngleText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatVerticalAngle(value, edit);
}

std::string FormatBearingText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatBearing(value, edit);
}

std::string FormatStationText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatStation(value, edit);
}

std::string FormatGradeText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatGrade(value, edit);
}

std::string FormatSmallAreaText(double value, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatSmallArea(value, edit);
}

std::string FormatPointNameText(const std::string& name, bool edit, const CFormat* format)
{
    return FormatOrJob(format).FormatPointName(name, edit);
}

std::string FormatLargeAreaText(double value, bool edit)
{
    const double large = GetActiveJobMathConversions()->DisplayAreaToLargeArea(value);
    return GetActiveJobFormat()->FormatLargeArea(large, edit);
}

void FormatLatitudeText(std::string* out, bool decimalDegrees, double radians, bool edit)
{
    FormatGeographicText(out, decimalDegrees, radians, edit, "N", "S");
}

void FormatLongitudeText(std::string* out, bool decimalDegrees, double radians, bool edit)
{
    FormatGeographicText(out, decimalDegrees, radians, edit, "E", "W");
}
