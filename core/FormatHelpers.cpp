#include "core/FormatHelpers.h"

#include "core/AngleFunctions.h"
#include "core/Format.h"
#include "core/LocaleText.h"
#include "core/MathConversions.h"
#include "core/NoValue.h"
#include "core/ProgramHelpers.h"
#include "core/ResourceStrings.h"

#include <algorithm>
#include <cmath>

namespace format_detail {

namespace {

const char* const DegreeSign = "\xC2\xB0";

} // namespace

std::string NoValueText(bool edit)
{
    return edit ? std::string() : std::string("---");
}

std::string LengthText(const CFormat& format, double display, int decimals, bool edit, bool withUnit)
{
    if (IsNoValue(display))
        return NoValueText(edit);
    std::string text;
    if (!format.UsesArchitecturalUnits() || edit)
        text = CFormat::FormatNumber(display, decimals, edit, true);
    else
        text = format.FormatFeetInches(CFormat::FormatNumber(display, 6, false, false));
    if (withUnit)
        text += format.GetDistanceUnitSuffix();
    return text;
}

std::string StationText(double display, int decimals, bool edit, int stationFormat)
{
    if (IsNoValue(display))
        return NoValueText(edit);
    std::string text = CFormat::FormatNumber(display, decimals, edit, false);
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.erase(0, 1);
    }
    const std::string sep = GetLocaleText(LocaleDecimalSeparator);
    const std::size_t found = sep.empty() ? std::string::npos : text.find(sep[0]);
    if (found == std::string::npos)
        return negative ? "-" + text : text;
    std::size_t p = found;
    const std::size_t k = stationFormat == 0 ? 2 : 3;
    while (p <= k) {
        text.insert(text.begin(), '0');
        ++p;
    }
    std::string result = text.substr(0, p - k) + "+" + text.substr(p - k);
    return negative ? "-" + result : result;
}

std::string PointNameText(const std::string& name, bool edit)
{
    const std::size_t first = name.find_first_not_of(' ');
    const std::size_t last = name.find_last_not_of(' ');
    const std::string trimmed = first == std::string::npos ? std::string()
                                                           : name.substr(first, last - first + 1);
    if (ContainsNonDigit(name))
        return trimmed;
    if (edit)
        return name;
    std::string text = name;
    const std::string sep = GetLocaleText(LocaleThousandsSeparator);
    if (!sep.empty()) {
        const std::size_t size = name.size();
        for (std::size_t k = 3; k < size; k += 3)
            text.insert(size - k, sep);
    }
    return text;
}

int JobAngleDecimals(int jobAngle, bool grads)
{
    return grads ? std::max(4, jobAngle) : jobAngle;
}

// The number an angle's text prints and its digits: packed D.MMSS rounded for degrees, grads
// folded into one turn. The decimals come from the profile; keep them where the number text can
// show them, so a hand-edited value cannot overflow the sums below.
static int AngleNumber(double& value, bool edit, int decimals, int unit, bool forceDms)
{
    decimals = std::clamp(decimals, 0, 15);
    if (unit == AngleUnitDegrees || forceDms) {
        value = RoundPackedDms(value, edit ? decimals + 2 : decimals);
        return edit ? decimals + 6 : decimals + 4;
    }
    const double sign = value >= 0 ? 1.0 : -1.0;
    double magnitude = std::fmod(std::fabs(value), 400.0);
    if (magnitude < 0)
        magnitude += 400.0;
    if (std::fabs(magnitude - 400.0) < 1e-6)
        magnitude = 0.0;
    value = magnitude * sign;
    return edit ? decimals + 2 : decimals;
}

std::string AngleText(double value, bool edit, int decimals, int unit, bool forceDms,
                      bool marksForAnyUnit)
{
    // A value the conversion could not make shows as "---" in both forms.
    if (IsNoValue(value))
        return "---";
    const int digits = AngleNumber(value, edit, decimals, unit, forceDms);
    std::string text = CFormat::FormatNumber(value, digits, false, true);
    if (edit || text.find('e') != std::string::npos)
        return text;
    if (!marksForAnyUnit && unit != 0)
        return text;

    const std::string sep = GetLocaleText(LocaleDecimalSeparator);
    const std::size_t p = sep.empty() ? std::string::npos : text.find(sep);
    if (p == std::string::npos)
        return text + DegreeSign;
    if (unit != 0)
        return text;

    const std::string fraction = text.substr(p + sep.size());
    const std::string mm = fraction.substr(0, 2);
    const std::string ss = fraction.size() > 2 ? fraction.substr(2, 2) : std::string();
    const std::string rest = fraction.size() > 4 ? fraction.substr(4, 200) : std::string();
    std::string result = text.substr(0, p) + DegreeSign + mm;
    if (!mm.empty())
        result += "'";
    result += ss;
    if (rest.empty())
        result += "\"";
    else
        result += sep + rest + "\"";
    return result;
}

void AppendAngleText(std::string& out, double value, bool edit, int decimals, int unit, bool forceDms,
                     bool marksForAnyUnit)
{
    if (IsNoValue(value)) {
        out += "---";
        return;
    }
    const int digits = AngleNumber(value, edit, decimals, unit, forceDms);
    const size_t start = out.size();
    CFormat::AppendNumber(out, value, digits, false, true);
    if (edit || out.find('e', start) != std::string::npos)
        return;
    if (!marksForAnyUnit && unit != 0)
        return;

    const std::string sep = GetLocaleText(LocaleDecimalSeparator);
    const size_t p = sep.empty() ? std::string::npos : out.find(sep, start);
    if (p == std::string::npos) {
        out += DegreeSign;
        return;
    }
    if (unit != 0)
        return;

    // Packed D.MMSSss: the fraction's first two digits are minutes, the next two seconds.
    // At most fifteen digits: kept in the string's own room, no allocation.
    const std::string fraction = out.substr(p + sep.size());
    out.resize(p);
    out += DegreeSign;
    out.append(fraction, 0, 2);
    if (!fraction.empty())
        out += '\'';
    if (fraction.size() > 2)
        out.append(fraction, 2, 2);
    if (fraction.size() > 4)
        out.append(sep).append(fraction, 4, 200);
    out += '"';
}

std::string HemisphereAngleText(double radians, bool edit, int unit, bool marksForAnyUnit,
                                const char* positive, const char* negative)
{
    if (IsNoValue(radians))
        return NoValueText(edit);
    const double v = SignedDecimalToDms(radians * 180.0 / Pi);
    std::string text = AngleText(v, edit, 5, unit, true, marksForAnyUnit);
    if (edit)
        return text;
    if (v >= 0)
        return text + " " + positive;
    if (!text.empty() && text[0] == '-')
        text.erase(0, 1);
    return text + " " + negative;
}

std::string BearingText(double direction, bool edit, int decimals, int unit, bool marksForAnyUnit)
{
    if (IsNoValue(direction))
        return NoValueText(edit);
    const double a = NormalizeAngle(direction);
    double r = std::fabs(std::fmod(a, Pi / 2));
    if (a < Pi / 2 || (a >= Pi && a < 3 * Pi / 2))
        r = Pi / 2 - r;
    r = unit == AngleUnitDegrees ? DecimalToDms(r * 180.0 / Pi) : r * 200.0 / Pi;
    const std::string text = AngleText(r, edit, decimals, unit, false, marksForAnyUnit);
    return BearingPrefix(a) + text + BearingSuffix(a);
}

std::string BearingPrefix(double a)
{
    return LoadResourceString((a <= 0 || a > Pi) ? 30140 : 30139);
}

std::string BearingSuffix(double a)
{
    return LoadResourceString((a <= Pi / 2 || a > 3 * Pi / 2) ? 30141 : 30142);
}

std::string AngleUnitSuffix(int unit)
{
    if (unit == AngleUnitDegrees)
        return " " + LoadResourceString(30160);
    if (unit == AngleUnitGrads)
        return " " + LoadResourceString(30161);
    return {};
}

} // namespace format_detail
