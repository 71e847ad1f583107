#include "core/AngleInput.h"

#include "core/AngleFunctions.h"
#include "core/JobValueSource.h"
#include "core/LocaleText.h"
#include "core/Location.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/TextUtil.h"
#include "core/ValueText.h"

#include <cmath>
#include <vector>

namespace {

using namespace textutil;

const std::string DegreeMark = "\xC2\xB0";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A typed number in the job's angle unit, converted by kind; false for an unknown kind or a
// negative zenith angle.
bool ConvertTypedAngle(double number, int kind, double* out)
{
    const CMathConversions& conv = *GetActiveJobMathConversions();
    switch (kind) {
    case 0:
        *out = conv.DisplayAzimuthToDirection(number);
        return true;
    case 1:
    case 5:
        *out = conv.DisplayAngleToRadians(number);
        return true;
    case 2:
    case 4:
        *out = conv.DisplayAngleToRadiansNormalized(number);
        return true;
    case 3:
        if (number < 0)
            return false;
        *out = Pi / 2 - conv.DisplayAngleToRadiansNormalized(number);
        return true;
    default:
        return false;
    }
}

bool PointAngle(const std::vector<std::string>& names, int kind, double* out)
{
    const CJobValueSource* job = GetActiveJobValueSource();
    if (!job)
        return false;
    std::vector<CLocation> p(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!job->FindPointLocation(names[i], &p[i]))
            return false;
    }
    const CMathConversions& conv = job->GetMathConversions();
    switch (kind) {
    case 0:
        return conv.DirectionBetweenPoints(&p[0], &p[1], out);
    case 1:
    case 3:
        return conv.VerticalAngleBetweenPoints(&p[0], &p[1], out);
    default:
        break;
    }
    double left = 0.0;
    if (!conv.AngleAtVertexOfPoints(&p[0], &p[1], &p[2], &left))
        return false;
    const double right = TwoPi - left;
    switch (kind) {
    case 2:
        *out = left < right ? left : right;
        return true;
    case 4:
        *out = right;
        return true;
    case 5:
        *out = right;
        if (*out > Pi)
            *out -= TwoPi;
        else if (*out < -Pi)
            *out += TwoPi;
        return true;
    default:
        return false;
    }
}

// The locale's decimal separator; '.' when the locale gives none.
std::string UserDecimalSeparator()
{
    std::string decimal = GetLocaleText(LocaleDecimalSeparator);
    return decimal.empty() ? std::string(".") : decimal;
}

// Separators of the angle text reader.
enum class Sep { None, Degree, Point, Blank, Minute, Second };

// Appends a field padded on the left with '0' to two digits; false when it has more than two.
bool AppendTwoDigits(std::string& result, const std::string& field)
{
    if (field.size() > 2)
        return false;
    result += std::string(2 - field.size(), '0') + field;
    return true;
}

} // namespace

bool ParseAngle(const std::string& text, double* out, int kind)
{
    int count = 0;
    if (kind == 0 || kind == 1 || kind == 3)
        count = 2;
    else if (kind == 2 || kind == 4 || kind == 5)
        count = 3;
    else
        return false;
    std::vector<std::string> names;
    if (SplitValueFields(text, count, &names))
        return PointAngle(names, kind, out);
    return ParseAngleText(text, out, kind);
}

bool ParseAngleText(const std::string& text, double* out, int kind)
{
    const std::string t = ToLowerAscii(TrimLeft(text));
    return ParseQuadrantBearing(t, out, kind) || ParseLetterBearing(t, out, kind) ||
           ParsePlainAngle(t, out, kind);
}

bool ParseQuadrantBearing(const std::string& text, double* out, int kind)
{
    if (kind != 0)
        return false;
    const std::size_t n = text.find_first_not_of("1234");
    const std::size_t digits = n == std::string::npos ? text.size() : n;
    int quadrant = 0;
    if (!ParseInt(&quadrant, text.substr(0, digits)) || quadrant >= 5)
        return false;
    if (digits >= text.size() || text[digits] != ' ')
        return false;
    std::string rest = TrimLeft(text.substr(digits));
    StripAngleMarks(rest);
    const std::size_t run = NumberRun(rest);
    double number = 0.0;
    if (!ParseDouble(&number, rest.substr(0, run), false))
        return false;
    const double a = GetActiveJobMathConversions()->DisplayAngleToRadiansNormalized(number);
    if (a > Pi / 2)
        return false;
    if (!TrimLeft(rest.substr(run)).empty())
        return false;
    switch (quadrant) {
    case 1:
        *out = Pi / 2 - a;
        break;
    case 2:
        *out = 3 * Pi / 2 + a;
        break;
    case 3:
        *out = 3 * Pi / 2 - a;
        break;
    case 4:
        *out = Pi / 2 + a;
        break;
    default:
        return false;
    }
    return true;
}

bool ParseLetterBearing(const std::string& text, double* out, int kind)
{
    if (kind != 0)
        return false;
    const std::string t = ToUpperAscii(Trim(text));
    if (t.size() < 3)
        return false;
    std::string middle = t.substr(1, t.size() - 2);
    // Whole grads are shown with a degree sign after them ("N81°E"); read that back as the number.
    const std::size_t digits = middle.find_first_not_of("0123456789");
    if (GetActiveJobMathConversions()->GetAngleUnits() == AngleUnitGrads && digits != 0 &&
        digits != std::string::npos && middle.compare(digits, std::string::npos, DegreeMark) == 0)
        middle.erase(digits);
    if (!NormalizeAngleText(middle))
        return false;
    double number = 0.0;
    if (!ParsePackedAngleText(&number, middle))
        return false;
    const double a = GetActiveJobMathConversions()->DisplayAngleToRadiansNormalized(number);
    if (a < 0 || a > Pi / 2)
        return false;
    const char first = t.front();
    const char last = t.back();
    if ((first != 'N' && first != 'S') || (last != 'E' && last != 'W'))
        return false;
    if (first == 'N')
        *out = last == 'E' ? Pi / 2 - a : Pi / 2 + a;
    else
        *out = last == 'E' ? 3 * Pi / 2 + a : 3 * Pi / 2 - a;
    return true;
}

bool ParsePlainAngle(const std::string& text, double* out, int kind)
{
    std::string t = text;
    StripAngleMarks(t);
    const std::size_t run = NumberRun(t);
    double number = 0.0;
    if (!ParseDouble(&number, t.substr(0, run), false))
        return false;
    double value = 0.0;
    // Grads are not reduced into one turn, so a huge typed number can overflow to infinity.
    if (!ConvertTypedAngle(number, kind, &value) || !std::isfinite(value))
        return false;
    if (!TrimLeft(t.substr(run)).empty())
        return false;
    *out = value;
    return true;
}

void StripAngleMarks(std::string& text)
{
    // The degree sign stands for the decimal separator the number reader expects. The point is
    // the user's decimal separator, which is what the formatters write; where that is not '.',
    // a '.' is left for the number reader, which takes it as grouping.
    const std::string decimal = UserDecimalSeparator();
    std::string result;
    result.reserve(text.size());
    bool pointSeen = false;
    for (std::size_t i = 0; i < text.size();) {
        const bool degree = text.compare(i, DegreeMark.size(), DegreeMark) == 0;
        if (degree || text.compare(i, decimal.size(), decimal) == 0) {
            if (!pointSeen)
                result += decimal;
            pointSeen = true;
            i += degree ? DegreeMark.size() : decimal.size();
            continue;
        }
        const char c = text[i++];
        if (c != '\'' && c != '"')
            result += c;
    }
    text = result;
}

bool NormalizeAngleText(std::string& text)
{
    const std::string decimal = UserDecimalSeparator();
    const std::string t = Trim(text);
    if (t.empty())
        return false;
    bool negative = false;
    std::size_t i = 0;
    if (t[0] == '-') {
        negative = true;
        i = 1;
    }

    std::string field;    // digits of the field being read
    std::string decimals; // digits after a '.'
    bool inDecimals = false;
    Sep last = Sep::None;
    Sep first = Sep::None;
    int fields = 0;
    std::string result;

    auto noteSeparator = [&](Sep s) {
        if (first == Sep::None)
            first = s;
        last = s;
    };

    while (i < t.size()) {
        Sep mark = Sep::None;
        char c = t[i];
        if (t.compare(i, DegreeMark.size(), DegreeMark) == 0) {
            mark = Sep::Degree;
            i += DegreeMark.size();
        } else if (decimal != "." && t.compare(i, decimal.size(), decimal) == 0) {
            // The user's decimal separator, as the formatters write it, reads as the point.
            mark = Sep::Point;
            i += decimal.size();
        } else {
            ++i;
            if (c == '.')
                mark = Sep::Point;
            else if (c == ' ')
                mark = Sep::Blank;
            else if (c == '\'')
                mark = Sep::Minute;
            else if (c == '"')
                mark = Sep::Second;
        }

        if (mark == Sep::None && IsDigit(c)) {
            if (inDecimals) {
                decimals += c;
            } else if (field == "0") {
                if (c != '0')
                    field = std::string(1, c);
            } else {
                field += c;
            }
            continue;
        }
        // After the second mark nothing but a fourth field may follow, which fails at the end.
        if (last == Sep::Second) {
            if (!field.empty())
                return false;
            continue;
        }
        if (mark == Sep::None)
            return false;
        if (mark == Sep::Blank && field.empty() && !inDecimals) {
            if (last == Sep::Blank)
                continue; // runs of blanks count once
            if (last != Sep::None)
                return false; // a blank after a mark or a point
        }

        // Degree end.
        if (mark == Sep::Degree || ((mark == Sep::Point || mark == Sep::Blank) && fields == 0)) {
            if (fields > 0 || (mark == Sep::Degree && first != Sep::None))
                return false;
            result = (field.empty() ? std::string("0") : field) + ".";
            field.clear();
            fields = 1;
            inDecimals = mark == Sep::Point;
            noteSeparator(mark);
            continue;
        }
        if (inDecimals && fields == 1 && mark != Sep::Second)
            return false; // the point of the degrees takes no minutes or seconds after it

        // Minute end.
        if (mark == Sep::Minute || (mark == Sep::Blank && fields == 1)) {
            if (fields == 0) {
                result = "0.";
                if (!AppendTwoDigits(result, field))
                    return false;
            } else {
                if (fields != 1)
                    return false;
                if (mark == Sep::Minute && last != Sep::Degree)
                    return false;
                if (mark == Sep::Blank && last != Sep::Blank)
                    return false;
                if (!AppendTwoDigits(result, field))
                    return false;
            }
            field.clear();
            fields = 2;
            noteSeparator(mark);
            continue;
        }

        // Second end.
        const bool pointOpensSeconds =
            mark == Sep::Point && !inDecimals &&
            (last == Sep::Minute || (last == Sep::Blank && fields == 2));
        if (mark == Sep::Second || (mark == Sep::Blank && fields == 2) || pointOpensSeconds) {
            if (mark == Sep::Second) {
                if (fields > 0 && first == Sep::Blank)
                    return false;
                if (first == Sep::Point && fields > 1)
                    return false;
            }
            if (mark == Sep::Second && fields == 0) {
                result = "0.00";
                if (!AppendTwoDigits(result, field))
                    return false;
            } else if (mark == Sep::Second && first == Sep::Point && fields == 1) {
                // "5.3\"": seconds with decimals, read first as degrees and a point.
                std::string seconds = result.substr(0, result.size() - 1);
                if (seconds.size() > 2)
                    return false;
                result = "0.00" + std::string(2 - seconds.size(), '0') + seconds + decimals;
                decimals.clear();
                inDecimals = false;
            } else if (inDecimals) {
                result += decimals;
                decimals.clear();
                inDecimals = false;
            } else {
                if (fields == 1)
                    result += "00";
                if (!AppendTwoDigits(result, field))
                    return false;
            }
            field.clear();
            fields = 3;
            if (pointOpensSeconds)
                inDecimals = true;
            noteSeparator(pointOpensSeconds ? Sep::Point : mark);
            continue;
        }
        return false;
    }

    if (first == Sep::None) {
        result = t; // a plain number, its own sign included
        negative = false;
    } else if (inDecimals) {
        result += decimals;
    } else if (!field.empty()) {
        if (fields >= 3)
            return false;
        if (!AppendTwoDigits(result, field))
            return false;
        ++fields;
    }

    // Degrees and minutes must be whole numbers; seconds may be left out ("30'").
    const std::size_t point = result.find('.');
    std::string degrees = result;
    std::string minutes = "0";
    std::string seconds;
    if (point != std::string::npos) {
        degrees = result.substr(0, point);
        minutes = result.substr(point + 1, 2);
        seconds = result.size() > point + 3 ? result.substr(point + 3, 2) : std::string();
    }
    int whole = 0;
    if (!ParseWholeNumber(&whole, degrees) || !ParseWholeNumber(&whole, minutes))
        return false;
    if (!seconds.empty() && !ParseWholeNumber(&whole, seconds))
        return false;
    if (point == std::string::npos)
        result += ".0";
    text = negative ? "-" + result : result;
    return true;
}

bool ParsePackedAngleText(double* out, const std::string& packed)
{
    if (!ScanDouble(out, packed))
        return false;
    return *out > NoValueLimit;
}
